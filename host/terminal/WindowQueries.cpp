// What a terminal view asks a window through Win32.
#include "terminal/WindowQueries.h"

#include <commctrl.h>

#include <strings.h>

#include <algorithm>

#include "DialogState.h"

namespace ilt {
namespace {

std::string ClassName(HWND window)
{
    char name[64] = {};
    const int length = GetClassNameA(window, name, static_cast<int>(sizeof name));
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

bool ClassIs(const std::string& name, const char* wanted)
{
    // Class names are compared ignoring case, as Windows does.
    return strcasecmp(name.c_str(), wanted) == 0;
}

ControlKind KindOf(const std::string& className, DWORD style)
{
    if (ClassIs(className, "Button")) {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return ControlKind::PushButton;
        case BS_GROUPBOX: return ControlKind::GroupBox;
        default: return ControlKind::CheckBox;
        }
    }
    if (ClassIs(className, "Static")) {
        switch (style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP: return ControlKind::Label;
        default: return ControlKind::Picture;
        }
    }
    if (ClassIs(className, "ComboBox"))
        return ControlKind::ComboBox;
    if (ClassIs(className, WC_LISTVIEWA))
        return ControlKind::ListView;
    if (ClassIs(className, "Edit"))
        return ControlKind::Edit;
    return ControlKind::Other;
}

struct Enumeration {
    HWND dialog;
    std::vector<HWND> children;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam)
{
    auto* enumeration = reinterpret_cast<Enumeration*>(lParam);
    // EnumChildWindows goes down to grandchildren too; a dialog's controls are its direct children.
    if (GetParent(child) == enumeration->dialog)
        enumeration->children.push_back(child);
    return TRUE;
}

}  // namespace

std::vector<ControlInfo> ReadControls(HWND dialog)
{
    Enumeration enumeration{dialog, {}};
    EnumChildWindows(dialog, &CollectChild, reinterpret_cast<LPARAM>(&enumeration));

    RECT dialogRect{};
    GetWindowRect(dialog, &dialogRect);
    std::vector<ControlInfo> controls;
    for (const HWND child : enumeration.children) {
        ControlInfo control;
        control.hwnd = child;
        control.id = GetDlgCtrlID(child);
        control.style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        control.kind = KindOf(ClassName(child), control.style);
        control.text = WindowText(child);
        control.enabled = IsWindowEnabled(child) != FALSE;
        control.visible = (control.style & WS_VISIBLE) != 0;
        RECT rect{};
        GetWindowRect(child, &rect);
        control.rect = RECT{rect.left - dialogRect.left, rect.top - dialogRect.top, rect.right - dialogRect.left,
                            rect.bottom - dialogRect.top};
        controls.push_back(std::move(control));
    }
    return controls;
}

std::string WithoutMnemonic(const std::string& text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        else if (text[i] == '&')
            continue;
        shown += text[i];
    }
    return shown;
}

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i)
        entries.push_back(ComboEntryText(combo, i));
    return entries;
}

int ComboSelection(HWND combo)
{
    const LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
    return selection >= 0 ? static_cast<int>(selection) : -1;
}

std::vector<ListColumn> ListColumns(HWND list)
{
    std::vector<ListColumn> columns;
    for (int index = 0; index < 64; ++index) {
        char heading[256] = {};
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = heading;
        column.cchTextMax = static_cast<int>(sizeof heading);
        if (!SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)))
            break;
        heading[sizeof heading - 1] = '\0';
        columns.push_back({heading, column.cx});
    }
    return columns;
}

std::vector<std::vector<std::string>> ListRows(HWND list, int columnCount)
{
    std::vector<std::vector<std::string>> rows;
    const LRESULT count = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
    for (int item = 0; item < count; ++item) {
        std::vector<std::string> row;
        for (int column = 0; column < columnCount; ++column)
            row.push_back(ListItemText(list, item, column));
        rows.push_back(std::move(row));
    }
    return rows;
}

int DefaultButtonId(HWND dialog)
{
    const LRESULT answer = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

}  // namespace ilt
