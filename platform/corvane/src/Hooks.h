// The library's side of <standin/corvane.h>: injected failures and the call log.
#pragma once

#include <standin/corvane.h>

namespace corvane {

// The status an injected failure gives this call (index: FindLayer's), or CORVANE_S_OK.
long InjectedFailure(standin::corvane::Operation operation, int index = 0);

// Appends to the call log while it records; never throws.
void LogCall(const char* operation);
void LogFindLayer(int index);

}  // namespace corvane
