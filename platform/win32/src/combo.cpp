// Combo box control, with the list kept inside the control.
//
// Not implemented: the edit field of CBS_SIMPLE / CBS_DROPDOWN boxes (their window
// text is only stored), dropping the list (CB_SHOWDROPDOWN, CBN_DROPDOWN,
// CBN_CLOSEUP, CBN_SELENDOK), owner-drawn boxes without CBS_HASSTRINGS, keyboard
// navigation, locales (CB_SETLOCALE).
#include "window.h"

#include <algorithm>

namespace win32 {
namespace {

struct Entry {
    std::string text;
    LPARAM data = 0;
};

struct ComboState : ControlState {
    std::vector<Entry> entries;
    int selection = -1;
    // The entries are in ascending order: true until CB_INSERTSTRING, or CB_ADDSTRING on a box
    // without CBS_SORT, may have put one out of place.
    bool ordered = true;
};

DWORD StyleOf(HWND hwnd) {
    Window* window = FindWindowObject(hwnd);
    return window ? window->style : 0;
}

bool IsDropDownList(HWND hwnd) { return (StyleOf(hwnd) & 3) == CBS_DROPDOWNLIST; }

int Count(const ComboState& state) { return static_cast<int>(state.entries.size()); }

// Indexes travel in wParam but the control reads them as an int, as Windows does.
int IndexOf(WPARAM wParam) { return static_cast<int>(static_cast<uint32_t>(wParam)); }

bool ValidIndex(const ComboState& state, WPARAM index) {
    return IndexOf(index) >= 0 && IndexOf(index) < Count(state);
}

// Sorting ignores case; a string equal to entries already there goes after them.
// Digits are compared as characters: "10L" sorts before "4L".
// The place is the first entry that sorts after the string; in an ordered list it is
// found by halving, as the Windows list box does.
int SortedPosition(const ComboState& state, const std::string& text) {
    if (state.ordered) {
        const auto after = std::upper_bound(
            state.entries.begin(), state.entries.end(), text,
            [](const std::string& value, const Entry& entry) { return CompareIgnoringCase(value, entry.text) < 0; });
        return static_cast<int>(after - state.entries.begin());
    }
    int position = 0;
    while (position < Count(state) && CompareIgnoringCase(state.entries[position].text, text) <= 0)
        ++position;
    return position;
}

LRESULT Insert(ComboState& state, int position, LPARAM lParam) {
    // A box with strings takes a NULL string as an empty one.
    Entry entry;
    entry.text = CopyString(reinterpret_cast<LPCSTR>(lParam));
    state.entries.insert(state.entries.begin() + position, std::move(entry));
    if (state.selection >= position)
        ++state.selection;
    return position;
}

LRESULT AddString(HWND hwnd, ComboState& state, LPARAM lParam) {
    const bool sorted = (StyleOf(hwnd) & CBS_SORT) != 0;
    const int position = sorted ? SortedPosition(state, CopyString(reinterpret_cast<LPCSTR>(lParam))) : Count(state);
    if (!sorted)
        state.ordered = false;
    return Insert(state, position, lParam);
}

// CB_INSERTSTRING never sorts; -1 appends.
LRESULT InsertString(ComboState& state, WPARAM index, LPARAM lParam) {
    state.ordered = false;
    const int position = IndexOf(index);
    if (position == -1)
        return Insert(state, Count(state), lParam);
    if (position < 0 || position > Count(state))
        return CB_ERR;
    return Insert(state, position, lParam);
}

LRESULT DeleteString(ComboState& state, WPARAM index) {
    if (!ValidIndex(state, index))
        return CB_ERR;
    const int position = IndexOf(index);
    state.entries.erase(state.entries.begin() + position);
    if (state.selection == position)
        state.selection = -1;
    else if (state.selection > position)
        --state.selection;
    return Count(state);
}

LRESULT ResetContent(ComboState& state) {
    state.entries.clear();
    state.selection = -1;
    state.ordered = true;
    return CB_OKAY;
}

// CB_SETCURSEL with -1, or with an index past the end, clears the selection
// and answers CB_ERR.
LRESULT SetCurSel(ComboState& state, WPARAM index) {
    if (!ValidIndex(state, index)) {
        state.selection = -1;
        return CB_ERR;
    }
    state.selection = IndexOf(index);
    return state.selection;
}

LRESULT GetLbText(const ComboState& state, WPARAM index, LPARAM lParam) {
    if (!ValidIndex(state, index) || !lParam)
        return CB_ERR;
    const std::string& text = state.entries[IndexOf(index)].text;
    auto* buffer = reinterpret_cast<char*>(lParam);
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT GetLbTextLen(const ComboState& state, WPARAM index) {
    return ValidIndex(state, index) ? static_cast<LRESULT>(state.entries[IndexOf(index)].text.size()) : CB_ERR;
}

// The search starts after `start` and wraps round to it, so `start` itself is
// looked at last; -1, any other negative start or one past the end searches
// from the top.  An empty text matches nothing.
LRESULT Find(const ComboState& state, WPARAM start, LPARAM lParam, bool exact) {
    const std::string text = CopyString(reinterpret_cast<LPCSTR>(lParam));
    const int count = Count(state);
    if (text.empty() || count == 0)
        return CB_ERR;
    int first = IndexOf(start);
    if (first < 0 || first >= count)
        first = -1;
    for (int step = 1; step <= count; ++step) {
        const int index = (first + step) % count;
        const std::string& entry = state.entries[index].text;
        if (exact ? CompareIgnoringCase(entry, text) == 0 : StartsWithIgnoringCase(entry, text))
            return index;
    }
    return CB_ERR;
}

// Selects the first match of the prefix search; on no match the selection stays.
LRESULT SelectString(ComboState& state, WPARAM start, LPARAM lParam) {
    const LRESULT index = Find(state, start, lParam, false);
    if (index != CB_ERR)
        state.selection = static_cast<int>(index);
    return index;
}

LRESULT GetItemData(const ComboState& state, WPARAM index) {
    return ValidIndex(state, index) ? state.entries[IndexOf(index)].data : CB_ERR;
}

LRESULT SetItemData(ComboState& state, WPARAM index, LPARAM data) {
    if (!ValidIndex(state, index))
        return CB_ERR;
    state.entries[IndexOf(index)].data = data;
    return TRUE;
}

// A drop-down list shows its selected entry: its window text is that entry's
// text, or empty without a selection.
LRESULT GetText(HWND hwnd, const ComboState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsDropDownList(hwnd))
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const std::string text = state.selection >= 0 ? state.entries[state.selection].text : std::string();
    if (message == WM_GETTEXTLENGTH)
        return static_cast<LRESULT>(text.size());
    const int size = wParam > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(wParam);
    return CopyToBuffer(text, reinterpret_cast<LPSTR>(lParam), size);
}

}  // namespace

void ComboUserSelect(HWND combo, int index) {
    ComboState* state = ControlStateOf<ComboState>(combo);
    if (!state || index < 0 || index >= Count(*state))
        return;
    state->selection = index;
    NotifyParent(combo, CBN_SELCHANGE);
}

int ComboFindExact(HWND combo, const std::string& text) {
    ComboState* state = ControlStateOf<ComboState>(combo);
    if (!state)
        return -1;
    for (int i = 0; i < Count(*state); ++i) {
        if (state->entries[i].text == text)
            return i;
    }
    return -1;
}

LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ComboState* state = ControlStateOf<ComboState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case CB_ADDSTRING: return AddString(hwnd, *state, lParam);
    case CB_INSERTSTRING: return InsertString(*state, wParam, lParam);
    case CB_DELETESTRING: return DeleteString(*state, wParam);
    case CB_RESETCONTENT: return ResetContent(*state);
    case CB_GETCOUNT: return Count(*state);
    case CB_GETCURSEL: return state->selection >= 0 ? state->selection : CB_ERR;
    case CB_SETCURSEL: return SetCurSel(*state, wParam);
    case CB_GETLBTEXT: return GetLbText(*state, wParam, lParam);
    case CB_GETLBTEXTLEN: return GetLbTextLen(*state, wParam);
    case CB_FINDSTRING: return Find(*state, wParam, lParam, false);
    case CB_FINDSTRINGEXACT: return Find(*state, wParam, lParam, true);
    case CB_SELECTSTRING: return SelectString(*state, wParam, lParam);
    case CB_GETITEMDATA: return GetItemData(*state, wParam);
    case CB_SETITEMDATA: return SetItemData(*state, wParam, lParam);
    case CB_GETDROPPEDSTATE: return FALSE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return GetText(hwnd, *state, message, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS: NotifyParent(hwnd, CBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: NotifyParent(hwnd, CBN_KILLFOCUS); return 0;
    case WM_SETFONT: state->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace win32
