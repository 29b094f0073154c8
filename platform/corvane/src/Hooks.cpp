// Stand-in controls of CorvanePI: injected failures, the call log and status descriptions.

#include "Hooks.h"

#include <map>
#include <mutex>
#include <stdexcept>

namespace corvane {
namespace {

// A long-running host calls the library again and again; past this many entries the log starts
// afresh rather than grow without end.
constexpr std::size_t kMaxLogEntries = 1 << 16;

struct CountedFailure {
    std::size_t succeedingCalls = 0;
    bool once = false;
    long status = 0;
};

struct Registry {
    std::mutex mutex;
    std::map<standin::corvane::Operation, long> failures;
    std::map<standin::corvane::Operation, CountedFailure> countedFailures;
    std::map<int, long> findLayerFailures;
    bool recording = false;
    std::vector<std::string> log;
};

// Never destroyed: objects with static storage may still call the library during exit.
Registry& TheRegistry()
{
    static Registry* const registry = new Registry;
    return *registry;
}

void Append(std::string entry)
{
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    if (!registry.recording)
        return;
    // Emptied with its storage: clear() would keep the longest log's capacity.
    if (registry.log.size() >= kMaxLogEntries)
        std::vector<std::string>().swap(registry.log);
    registry.log.push_back(std::move(entry));
}

}  // namespace

long InjectedFailure(standin::corvane::Operation operation, int index)
{
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    const auto failure = registry.failures.find(operation);
    if (failure != registry.failures.end())
        return failure->second;
    const auto counted = registry.countedFailures.find(operation);
    if (counted != registry.countedFailures.end()) {
        if (counted->second.succeedingCalls > 0) {
            --counted->second.succeedingCalls;
        } else {
            const long status = counted->second.status;
            if (counted->second.once)
                registry.countedFailures.erase(counted);
            return status;
        }
    }
    if (operation == standin::corvane::Operation::FindLayer) {
        const auto indexFailure = registry.findLayerFailures.find(index);
        if (indexFailure != registry.findLayerFailures.end())
            return indexFailure->second;
    }
    return CORVANE_S_OK;
}

void LogCall(const char* operation)
{
    try {
        Append(operation);
    } catch (...) {
        // A log entry lost to a failed allocation is not worth failing the call for.
    }
}

void LogFindLayer(int index)
{
    try {
        Append("FindLayer(" + std::to_string(index) + ")");
    } catch (...) {
    }
}

}  // namespace corvane

namespace standin::corvane {

using ::corvane::Registry;
using ::corvane::TheRegistry;

void FailOperation(Operation operation, long status)
{
    if (status == CORVANE_S_OK)
        throw std::invalid_argument("an injected failure needs a non-zero status");
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    registry.failures[operation] = status;
}

void FailOperationAfter(Operation operation, std::size_t succeedingCalls, bool once, long status)
{
    if (status == CORVANE_S_OK)
        throw std::invalid_argument("an injected failure needs a non-zero status");
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    registry.countedFailures[operation] = ::corvane::CountedFailure{succeedingCalls, once, status};
}

void FailFindLayer(int index, long status)
{
    if (status == CORVANE_S_OK)
        throw std::invalid_argument("an injected failure needs a non-zero status");
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    registry.findLayerFailures[index] = status;
}

void ClearFailures()
{
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    registry.failures.clear();
    registry.countedFailures.clear();
    registry.findLayerFailures.clear();
}

void ResetCallLog()
{
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    std::vector<std::string>().swap(registry.log);
    registry.recording = true;
}

std::vector<std::string> CallLog()
{
    Registry& registry = TheRegistry();
    const std::lock_guard<std::mutex> lock(registry.mutex);
    return registry.log;
}

std::string DescribeStatus(long status)
{
    struct Known {
        long status;
        const char* text;
    };
    static const Known kKnown[] = {
        {CORVANE_S_OK, "CORVANE_S_OK: success"},
        {CORVANE_E_NOT_INITIALISED, "CORVANE_E_NOT_INITIALISED: the object is not initialised"},
        {CORVANE_E_ALREADY_INITIALISED, "CORVANE_E_ALREADY_INITIALISED: the object is already initialised"},
        {CORVANE_E_ALREADY_LOADED, "CORVANE_E_ALREADY_LOADED: a file is already loaded"},
        {CORVANE_E_NOT_LOADED, "CORVANE_E_NOT_LOADED: no file is loaded"},
        {CORVANE_E_NULL_ARGUMENT, "CORVANE_E_NULL_ARGUMENT: a pointer argument is null"},
        {CORVANE_E_BAD_MODE, "CORVANE_E_BAD_MODE: the load mode is not 1 (read only)"},
        {CORVANE_E_FILE_NOT_FOUND, "CORVANE_E_FILE_NOT_FOUND: the file does not exist"},
        {CORVANE_E_FILE_UNREADABLE, "CORVANE_E_FILE_UNREADABLE: the file cannot be read"},
        {CORVANE_E_NOT_A_FILE, "CORVANE_E_NOT_A_FILE: the path names no regular file"},
        {CORVANE_E_FILE_TOO_LARGE, "CORVANE_E_FILE_TOO_LARGE: the file is larger than 16 MiB"},
        {CORVANE_E_SYNTAX, "CORVANE_E_SYNTAX: a line is no comment, [section] or name = value"},
        {CORVANE_E_LINE_TOO_LONG, "CORVANE_E_LINE_TOO_LONG: a line is longer than 198 bytes"},
        {CORVANE_E_BAD_BYTE, "CORVANE_E_BAD_BYTE: the file holds a NUL or another control byte"},
        {CORVANE_E_NAME_TOO_LONG, "CORVANE_E_NAME_TOO_LONG: a section name is longer than 48 bytes"},
        {CORVANE_E_DUPLICATE_SECTION, "CORVANE_E_DUPLICATE_SECTION: a section is repeated"},
        {CORVANE_E_DUPLICATE_KEY, "CORVANE_E_DUPLICATE_KEY: a key is repeated within a section"},
        {CORVANE_E_NO_CORVANE_SECTION, "CORVANE_E_NO_CORVANE_SECTION: there is no [Corvane] section"},
        {CORVANE_E_VERSION_INVALID, "CORVANE_E_VERSION_INVALID: Version is missing or no integer"},
        {CORVANE_E_VERSION_UNSUPPORTED, "CORVANE_E_VERSION_UNSUPPORTED: Version is not 1"},
        {CORVANE_E_LAYER_COUNT_MISSING, "CORVANE_E_LAYER_COUNT_MISSING: LayerCount is missing"},
        {CORVANE_E_LAYER_COUNT_MALFORMED, "CORVANE_E_LAYER_COUNT_MALFORMED: LayerCount is no integer"},
        {CORVANE_E_LAYER_COUNT_NEGATIVE, "CORVANE_E_LAYER_COUNT_NEGATIVE: LayerCount is negative"},
        {CORVANE_E_LAYER_COUNT_TOO_LARGE, "CORVANE_E_LAYER_COUNT_TOO_LARGE: LayerCount is larger than 100000"},
        {CORVANE_E_INDEX_OUT_OF_RANGE, "CORVANE_E_INDEX_OUT_OF_RANGE: the layer index is outside 1..LayerCount"},
        {CORVANE_E_NO_SUCH_LAYER, "CORVANE_E_NO_SUCH_LAYER: there is no [Layer i] section"},
        {CORVANE_E_LAYER_EMPTY, "CORVANE_E_LAYER_EMPTY: the layer record holds no layer"},
        {CORVANE_E_KEY_MISSING, "CORVANE_E_KEY_MISSING: the layer has no such key"},
        {CORVANE_E_KEY_MALFORMED, "CORVANE_E_KEY_MALFORMED: the key's value is no integer"},
        {CORVANE_E_OUT_OF_MEMORY, "CORVANE_E_OUT_OF_MEMORY: out of memory"},
        {CORVANE_E_INTERNAL, "CORVANE_E_INTERNAL: internal failure"},
        {CORVANE_E_INJECTED, "CORVANE_E_INJECTED: failure injected by a test"},
    };
    for (const Known& known : kKnown) {
        if (known.status == status)
            return known.text;
    }
    return "unknown status " + std::to_string(status);
}

}  // namespace standin::corvane
