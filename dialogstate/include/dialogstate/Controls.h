// A dialog's controls read back through the Win32 API: which they are, where
// they are, what they show. The one reader of the controls for the demo
// host's transcript and terminal, and for the dialog's tests.
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

// The text of a window, whatever its length.
std::string WindowText(HWND window);
// A control's text as Windows shows it: "&Name" => "Name", "a && b" => "a & b".
std::string WithoutMnemonic(const std::string& text);

// The entries of a combo box, in its own order.
std::vector<std::string> ComboEntries(HWND combo);
// Entry `index` of a combo box; "" for an invalid index.
std::string ComboEntryText(HWND combo, int index);
// Index of the selected entry, or -1.
int ComboSelection(HWND combo);

struct ListColumn {
    std::string heading;
    int widthPixels = 0;
};

std::vector<ListColumn> ListColumns(HWND list);
// The texts of every item of a list view, `columnCount` columns each.
std::vector<std::vector<std::string>> ListRows(HWND list, int columnCount);
// The text of item `item`, column `column` of a list view (at most 1 MiB).
std::string ListItemText(HWND list, int item, int column);

// The id of the dialog's default push button (DM_GETDEFID), or 0.
int DefaultButtonId(HWND dialog);

}  // namespace ilt
