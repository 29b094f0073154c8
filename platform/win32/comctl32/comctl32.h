// Private interface of the common controls library: what its files share.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace win32::comctl32 {

// Registers the list view's window class ("SysListView32") as a global class;
// false when it cannot.
bool RegisterListView();

}  // namespace win32::comctl32
