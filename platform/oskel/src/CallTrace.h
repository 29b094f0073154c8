// CallTrace.h - failure injection and call record behind every traced call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include <OskelPI.h>

namespace standin::oskel::detail {

struct CallTicket {
    std::size_t index = 0;         // the call's record
    std::uint64_t generation = 0;  // of the log the record belongs to
    bool failureInjected = false;
};

CallTicket BeginCall(const char* operation, std::string argument, std::string clientLabel);
void EndCall(const CallTicket& ticket, bool succeeded);

// Records the call, runs body unless a failure was injected, records the outcome.
template <class Body>
Oskel::Result Traced(const char* operation, std::string argument, std::string clientLabel, Body&& body)
{
    const CallTicket ticket = BeginCall(operation, std::move(argument), std::move(clientLabel));
    const Oskel::Result result = ticket.failureInjected ? Oskel::Result::Failure() : body();
    EndCall(ticket, result.IsSuccess());
    return result;
}

template <class Body>
Oskel::Result Traced(const char* operation, std::string argument, Body&& body)
{
    return Traced(operation, std::move(argument), std::string(), std::forward<Body>(body));
}

template <class Body>
Oskel::Result Traced(const char* operation, Body&& body)
{
    return Traced(operation, std::string(), std::string(), std::forward<Body>(body));
}

// Records an event that cannot fail, such as a client object's destruction.
void RecordEvent(const char* operation);

// Bookkeeping of open connections.
void ConnectionOpened();
void ConnectionClosed();

}  // namespace standin::oskel::detail
