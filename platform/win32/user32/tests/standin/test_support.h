// Helpers of user32's stand-in tests: dialogs built in memory and run with a
// dialog procedure driven by a lambda.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <standin/display.h>
#include <standin/messagelog.h>
#include <standin/win32.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace win32test {

constexpr int kComboId = 2001;
constexpr int kListId = 2002;
constexpr int kLabelId = 2003;

using standin::DialogItem;

// OK (default), Cancel, a sorted drop-down list, a report list view, a label.
inline standin::DialogTemplate StandardDialog()
{
    standin::DialogTemplate t;
    t.extended = true;
    t.version = 1;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS;
    t.cx = 234;
    t.cy = 174;
    t.caption = "Test";
    t.pointSize = 8;
    t.weight = 400;
    t.charset = 1;
    t.typeface = "MS Shell Dlg";
    t.items.push_back(DialogItem(0x80, IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 53, 151, 50, 14));
    t.items.push_back(DialogItem(0x80, IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 130, 151, 50, 14));
    t.items.push_back(
        DialogItem(0x85, kComboId, "", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 87, 20, 140, 82));
    standin::DialogItemTemplate list = DialogItem(0, kListId, "", LVS_REPORT | WS_TABSTOP, 7, 50, 220, 91);
    list.windowClass = standin::ResourceId{false, 0, "SYSLISTVIEW32"};
    t.items.push_back(list);
    t.items.push_back(DialogItem(0x82, kLabelId, "Label", SS_LEFT, 7, 7, 51, 8));
    return t;
}

using DialogHandler = std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>;

inline DialogHandler& CurrentHandler()
{
    static DialogHandler handler;
    return handler;
}

// Ends the dialog on IDOK and IDCANCEL, as a plain dialog procedure does.
inline INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CurrentHandler()) {
        const INT_PTR handled = CurrentHandler()(dialog, message, wParam, lParam);
        if (handled)
            return handled;
    }
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) &&
        HIWORD(wParam) == BN_CLICKED) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// Runs `t` modally with `handler` (which answers 0 to leave a message alone).
inline INT_PTR RunDialog(const standin::DialogTemplate& t, DialogHandler handler = {}, HWND owner = nullptr,
                         LPARAM param = 0)
{
    const std::vector<uint8_t> bytes = standin::BuildDialogTemplate(t);
    CurrentHandler() = std::move(handler);
    const INT_PTR result = DialogBoxIndirectParamA(
        GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()), owner, TestDialogProc, param);
    CurrentHandler() = nullptr;
    return result;
}

inline std::string WindowText(HWND hwnd)
{
    char buffer[256];
    GetWindowTextA(hwnd, buffer, sizeof(buffer));
    return buffer;
}

}  // namespace win32test
