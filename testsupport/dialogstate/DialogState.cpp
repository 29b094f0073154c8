// Reading the dialog's controls back through the Win32 API.
#include "DialogState.h"

#include <commctrl.h>

#include <algorithm>

#include "dialog/resource.h"

namespace ilt {
namespace {

std::string ControlText(HWND dialog, int id)
{
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? WindowText(control) : std::string();
}

}  // namespace

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

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

DialogState ReadDialogState(HWND dialog)
{
    DialogState state;
    state.caption = WindowText(dialog);
    state.visible = IsWindowVisible(dialog) != FALSE;
    state.central = ControlText(dialog, IDC_CENTRAL_LIBRARY);
    state.constraint = ControlText(dialog, IDC_CONSTRAINT_SET);
    state.format = ControlText(dialog, IDC_LT_FORMAT);

    if (const HWND combo = GetDlgItem(dialog, IDC_COMBO1)) {
        const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
            state.templates.push_back(ComboEntryText(combo, i));
        const LRESULT selection = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        if (selection >= 0)
            state.selected = ComboEntryText(combo, static_cast<int>(selection));
    }

    if (const HWND list = GetDlgItem(dialog, IDC_STACKUP_LIST)) {
        const LRESULT count = SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);
        for (int item = 0; item < count; ++item)
            state.rows.push_back(
                {ListItemText(list, item, 0), ListItemText(list, item, 1), ListItemText(list, item, 2)});
    }
    return state;
}

}  // namespace ilt
