// A dialog's controls read back through the Win32 API.
#include "dialogstate/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

namespace ilt {
namespace {

std::string ClassName(HWND window)
{
    char name[64] = {};
    const int length = GetClassNameA(window, name, static_cast<int>(sizeof name));
    return length > 0 ? std::string(name, static_cast<std::size_t>(length)) : std::string();
}

bool ClassIs(const std::string& name, const std::string& wanted)
{
    // Class names are compared ignoring case, as Windows does.
    return std::equal(name.begin(), name.end(), wanted.begin(), wanted.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
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

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
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

std::string ComboEntryText(HWND combo, int index)
{
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
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

std::string ListItemText(HWND list, int item, int column)
{
    // LVM_GETITEMTEXT answers the length it copied; grow until it fits.
    for (size_t size = 256;; size *= 2) {
        std::string text(size, '\0');
        LVITEMA lvItem{};
        lvItem.iSubItem = column;
        lvItem.pszText = text.data();
        lvItem.cchTextMax = static_cast<int>(size);
        const LRESULT copied =
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvItem));
        if (copied < 0)
            return std::string();
        if (static_cast<size_t>(copied) + 1 < size || size >= (1u << 20)) {
            text.resize(std::min(static_cast<size_t>(copied), size));
            return text;
        }
    }
}

int DefaultButtonId(HWND dialog)
{
    const LRESULT answer = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : 0;
}

}  // namespace ilt
