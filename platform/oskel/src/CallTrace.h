// CallTrace.h - failure injection and call record behind every traced call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include <OskelPI.h>

namespace standin::oskel::detail {

struct CallTicket {
    std::size_t index = 0;         // the call's record
    std::uint64_t generation = 0;  // of the log the record belongs to
    bool failureInjected = false;
};

// False while nothing is recorded and no failure is injected, as in a host:
// then a traced call is the body alone.
bool TracingActive();
CallTicket BeginCall(const char* operation, std::string_view argument, std::string_view clientLabel);
void EndCall(const CallTicket& ticket, bool succeeded);

// Records the call, runs body unless a failure was injected, records the outcome.
template <class Body>
Oskel::Result Traced(const char* operation, std::string_view argument, std::string_view clientLabel, Body&& body)
{
    if (!TracingActive())
        return body();
    const CallTicket ticket = BeginCall(operation, argument, clientLabel);
    const Oskel::Result result = ticket.failureInjected ? Oskel::Result::Failure() : body();
    EndCall(ticket, result.IsSuccess());
    return result;
}

template <class Body>
Oskel::Result Traced(const char* operation, std::string_view argument, Body&& body)
{
    return Traced(operation, argument, std::string_view(), std::forward<Body>(body));
}

template <class Body>
Oskel::Result Traced(const char* operation, Body&& body)
{
    return Traced(operation, std::string_view(), std::string_view(), std::forward<Body>(body));
}

// Records an event that cannot fail, such as a client object's destruction.
void RecordEvent(const char* operation);

// Bookkeeping of open connections.
void ConnectionOpened();
void ConnectionClosed();

}  // namespace standin::oskel::detail
