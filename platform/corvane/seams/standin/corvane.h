// Stand-in-only controls of the job-preferences client CorvanePI; the real library has none of them.
//
// Fault injection: a registered failure makes every later call of that operation return the given
// status without doing anything else (out-values as for a real failure of the call), until
// ClearFailures(). The call log records, from the first ResetCallLog() on, every call of the
// library's operations in order (nothing is recorded before, so a long-running host collects nothing):
//   "CCorvane" "Init" "Load" "GetLayerCount" "FindLayer(<index>)" "Close" "~CCorvane"
//   "CCorvaneLayer" "GetLayerTypeValue" "GetLayerNumber" "~CCorvaneLayer"
// Failed calls are recorded too. The log starts afresh after 65536 entries; emptying it gives its
// storage back. All of it is process-wide and guarded by a mutex.
#pragma once

#include <CorvanePI.h>

#include <string>
#include <vector>

namespace standin::corvane {

enum class Operation { Init, Load, GetLayerCount, FindLayer, GetLayerTypeValue, GetLayerNumber };

// Makes every call of `operation` fail with `status`. Throws std::invalid_argument for status 0.
CORVANE_API void FailOperation(Operation operation, long status = CORVANE_E_INJECTED);
// Counted: makes the call of `operation` after the next `succeedingCalls` ones fail with `status`;
// with `once`, only that call, otherwise every later one too. One counted failure per operation.
CORVANE_API void FailOperationAfter(Operation operation, std::size_t succeedingCalls, bool once,
                                    long status = CORVANE_E_INJECTED);
// Makes FindLayer fail for this one index only.
CORVANE_API void FailFindLayer(int index, long status = CORVANE_E_INJECTED);
CORVANE_API void ClearFailures();

// Empties the call log and (from the first call on) records calls.
CORVANE_API void ResetCallLog();
CORVANE_API std::vector<std::string> CallLog();

// "CORVANE_E_DUPLICATE_KEY: a key is repeated within a section"; "CORVANE_S_OK: success";
// "unknown status 1234" for a code the library does not have.
CORVANE_API std::string DescribeStatus(long status);

}  // namespace standin::corvane
