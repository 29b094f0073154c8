// What a message box shows, read from its window as a person sees it: the
// text, the buttons, the icon and which button is the default.
#pragma once

#include <windows.h>

#include <string>

namespace ilt::win32 {

struct MessageBoxContent {
    std::string text;
    // The MB_* style it shows: the buttons (MB_OK, MB_YESNO, ...), the icon
    // (MB_ICONHAND, ...) and the default button (MB_DEFBUTTON2, ...).
    UINT style = 0;
};

// Whether `window` looks like a message box: a dialog of buttons and static
// texts only, one button at least among those a message box has.
bool LooksLikeMessageBox(HWND window);

MessageBoxContent ReadMessageBox(HWND box);

}  // namespace ilt::win32
