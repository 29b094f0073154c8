// What the Import Layout Template dialog shows.
#include "dialogstate/DialogState.h"

#include "dialog/resource.h"

namespace ilt {
namespace {

std::string ControlText(HWND dialog, int id)
{
    const HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? WindowText(control) : std::string();
}

}  // namespace

DialogState ReadDialogState(HWND dialog)
{
    DialogState state;
    state.caption = WindowText(dialog);
    state.visible = IsWindowVisible(dialog) != FALSE;
    state.central = ControlText(dialog, IDC_CENTRAL_LIBRARY);
    state.constraint = ControlText(dialog, IDC_CONSTRAINT_SET);
    state.format = ControlText(dialog, IDC_LT_FORMAT);

    if (const HWND combo = GetDlgItem(dialog, IDC_COMBO1)) {
        state.templates = ComboEntries(combo);
        const int selection = ComboSelection(combo);
        if (selection >= 0)
            state.selected = ComboEntryText(combo, selection);
    }
    if (const HWND list = GetDlgItem(dialog, IDC_STACKUP_LIST)) {
        for (std::vector<std::string>& row : ListRows(list, 3))
            state.rows.push_back({std::move(row[0]), std::move(row[1]), std::move(row[2])});
    }
    return state;
}

}  // namespace ilt
