// What a terminal view asks a window through Win32: its controls, their
// places, and the contents of combo boxes and list views.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ilt {

enum class ControlKind { Label, PushButton, CheckBox, GroupBox, ComboBox, ListView, Edit, Picture, Other };

struct ControlInfo {
    HWND hwnd = nullptr;
    int id = 0;
    ControlKind kind = ControlKind::Other;
    DWORD style = 0;
    std::string text;
    bool enabled = true;
    bool visible = true;
    RECT rect{};  // pixels, relative to the dialog's client area
};

// The direct children of `dialog`, in their order (the tab order).
std::vector<ControlInfo> ReadControls(HWND dialog);

// A control's text as Windows shows it: "&Name" => "Name", "a && b" => "a & b".
std::string WithoutMnemonic(const std::string& text);

std::vector<std::string> ComboEntries(HWND combo);
// Index of the selected entry, or -1.
int ComboSelection(HWND combo);

struct ListColumn {
    std::string heading;
    int widthPixels = 0;
};

std::vector<ListColumn> ListColumns(HWND list);
std::vector<std::vector<std::string>> ListRows(HWND list, int columnCount);

// The id of the dialog's default push button (DM_GETDEFID), or 0.
int DefaultButtonId(HWND dialog);

}  // namespace ilt
