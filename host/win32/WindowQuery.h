// Small questions asked of windows.
#pragma once

#include <windows.h>

#include <string>

namespace ilt::win32 {

// The window's class name ("#32770" for a dialog box).
std::string ClassNameOf(HWND window);

// The first descendant of `window` of the class `className` (compared
// case-insensitively), or null.
HWND FindDescendantOfClass(HWND window, const char* className);

}  // namespace ilt::win32
