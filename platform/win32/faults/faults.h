// The library's side of <standin/faults.h>.
#pragma once

#include <standin/faults.h>

namespace win32 {

// Counts a call of `call`; true when it is to fail.
bool CallFails(standin::Win32Call call);

}  // namespace win32
