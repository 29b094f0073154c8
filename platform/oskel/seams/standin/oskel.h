// standin/oskel.h - test seams of the OskelPI stand-in: failure injection and
// a record of the calls made.
//
// Operation names are those of the interface: "OpenOskel",
// "GetSnapshotByName", "CloseOskel", "GetTrelConfig", "GetTrelDesign",
// "GetIterLayers", "GetType", "GetName", "GetMetallicLayerNumber",
// "GetConstraint", "GetValueByString". Destroying a client object is recorded
// as "~OskelPI". Cursor and handle operations are not recorded.
//
// The state is process-wide and guarded by a lock. The log starts afresh
// after 65536 records; emptying it gives its storage back.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#if defined(_WIN32) && defined(OSKEL_BUILDING_LIBRARY)
#define STANDIN_OSKEL_API __declspec(dllexport)
#elif defined(_WIN32)
#define STANDIN_OSKEL_API __declspec(dllimport)
#else
#define STANDIN_OSKEL_API __attribute__((visibility("default")))
#endif

namespace standin::oskel {

// Makes every call of operationName after the first succeedingCalls ones fail
// (return a false Result and do nothing) until ClearFailures.
STANDIN_OSKEL_API void FailCall(const std::string& operationName, std::size_t succeedingCalls = 0);
// Makes only the call of operationName after the first succeedingCalls ones
// fail; the calls after it succeed again.
STANDIN_OSKEL_API void FailCallOnce(const std::string& operationName, std::size_t succeedingCalls = 0);
STANDIN_OSKEL_API void ClearFailures();

struct CallRecord {
    std::string operation;
    std::string argument;     // the name asked for, or the database path of an open
    std::string clientLabel;  // the client label of an open
    bool succeeded = false;
};

// Operation names in call order since the last ResetCallLog. Nothing is
// recorded before the first ResetCallLog, so a long-running host that never
// asks keeps no record of its calls.
STANDIN_OSKEL_API std::vector<std::string> CallLog();
// The same calls with their argument and outcome.
STANDIN_OSKEL_API std::vector<CallRecord> CallRecords();
// How many calls of operationName the log holds.
STANDIN_OSKEL_API std::size_t CallCount(const std::string& operationName);
STANDIN_OSKEL_API void ResetCallLog();

// Number of connections open right now, over all client objects.
STANDIN_OSKEL_API std::size_t OpenConnectionCount();

// The bounds of what one design may hold: past any of them its layers are
// unreadable (GetIterLayers fails). The defaults are the documented bounds;
// tests lower them to reach them with small databases, and restore them with
// SetDesignBounds(DesignBounds()).
struct DesignBounds {
    std::size_t layers = 100000;
    std::size_t constraints = 200000;
    std::size_t textBytes = 16 * 1024 * 1024;  // names and values, each with a terminator
};
STANDIN_OSKEL_API void SetDesignBounds(const DesignBounds& bounds);
STANDIN_OSKEL_API DesignBounds GetDesignBounds();

}  // namespace standin::oskel
