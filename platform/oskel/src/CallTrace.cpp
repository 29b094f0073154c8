// CallTrace.cpp - the process-wide state behind <standin/oskel.h>: call log,
// injected failures, open connections and the bounds of a design.

#include "CallTrace.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "standin/oskel.h"

namespace standin::oskel {
namespace {

// A long-running host calls the client again and again; past this many
// records the log starts afresh rather than grow without end.
constexpr std::size_t kMaxRecords = 1 << 16;

struct Injection {
    std::size_t succeedingCalls = 0;  // calls still let through before failing
    bool once = false;                // only the next call after those fails
};

// Whether anything is recorded or injected: read without the lock by every
// traced call, written with it held.
std::atomic<bool> tracingActive{false};

struct TraceState {
    std::mutex lock;
    std::vector<CallRecord> records;
    bool recording = false;  // from the first ResetCallLog on
    std::uint64_t generation = 0;
    std::map<std::string, Injection> injections;
    std::size_t openConnections = 0;
    DesignBounds bounds;
};

TraceState& State()
{
    static TraceState state;
    return state;
}

// Empties the log and gives its storage back: clear() alone would keep the
// capacity of the longest log so far allocated for the rest of the process.
// Called with the lock held.
void DropRecords(TraceState& state)
{
    std::vector<CallRecord>().swap(state.records);
    ++state.generation;
}

// Called with the lock held, after recording or the injections changed.
void UpdateActive(const TraceState& state)
{
    tracingActive.store(state.recording || !state.injections.empty(), std::memory_order_release);
}

// Called with the lock held.
void MakeRoom(TraceState& state)
{
    if (state.records.size() >= kMaxRecords)
        DropRecords(state);
}

}  // namespace

void FailCall(const std::string& operationName, std::size_t succeedingCalls)
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.injections[operationName] = Injection{succeedingCalls, false};
    UpdateActive(state);
}

void FailCallOnce(const std::string& operationName, std::size_t succeedingCalls)
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.injections[operationName] = Injection{succeedingCalls, true};
    UpdateActive(state);
}

void ClearFailures()
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.injections.clear();
    UpdateActive(state);
}

std::vector<std::string> CallLog()
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    std::vector<std::string> names;
    names.reserve(state.records.size());
    for (const CallRecord& record : state.records)
        names.push_back(record.operation);
    return names;
}

std::vector<CallRecord> CallRecords()
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.records;
}

std::size_t CallCount(const std::string& operationName)
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    std::size_t count = 0;
    for (const CallRecord& record : state.records)
        count += record.operation == operationName ? 1 : 0;
    return count;
}

void ResetCallLog()
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    DropRecords(state);
    state.recording = true;
    UpdateActive(state);
}

void SetDesignBounds(const DesignBounds& bounds)
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.bounds = bounds;
    // A piece of text is addressed by 32 bits.
    state.bounds.textBytes = std::min<std::size_t>(bounds.textBytes, UINT32_MAX);
}

DesignBounds GetDesignBounds()
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.bounds;
}

std::size_t OpenConnectionCount()
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.openConnections;
}

namespace detail {

bool TracingActive() { return tracingActive.load(std::memory_order_acquire); }

CallTicket BeginCall(const char* operation, std::string_view argument, std::string_view clientLabel)
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    CallTicket ticket;
    if (state.recording) {
        MakeRoom(state);
        ticket.index = state.records.size();
        ticket.generation = state.generation;
        state.records.push_back(CallRecord{operation, std::string(argument), std::string(clientLabel), false});
    } else {
        ticket.index = static_cast<std::size_t>(-1);  // EndCall finds nothing to mark
    }

    const auto injection = state.injections.find(operation);
    if (injection != state.injections.end()) {
        if (injection->second.succeedingCalls > 0) {
            --injection->second.succeedingCalls;
        } else {
            ticket.failureInjected = true;
            if (injection->second.once) {
                state.injections.erase(injection);
                UpdateActive(state);
            }
        }
    }
    return ticket;
}

void EndCall(const CallTicket& ticket, bool succeeded)
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    // The log may have been reset while the call ran.
    if (ticket.generation == state.generation && ticket.index < state.records.size())
        state.records[ticket.index].succeeded = succeeded;
}

void RecordEvent(const char* operation)
{
    if (!TracingActive())
        return;
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (!state.recording)
        return;
    MakeRoom(state);
    state.records.push_back(CallRecord{operation, std::string(), std::string(), true});
}

void ConnectionOpened()
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    ++state.openConnections;
}

void ConnectionClosed()
{
    TraceState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    --state.openConnections;
}

}  // namespace detail
}  // namespace standin::oskel
