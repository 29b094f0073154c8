// Combo box control, with the list kept inside the control.
//
// Windows' rules kept here:
// - CB_ADDSTRING in a CBS_SORT box halves the list with the word sort
//   (CompareStringW, case ignored) and inserts where the halving ends; it stops
//   at the first entry it meets that is equal, so a new string equal to others
//   lands among them where that happens to be.
// - The prefix search of CB_SELECTSTRING ignores case and notifies nobody.
// - The keys of a drop-down list: with the list closed, the arrows, Home, End,
//   PageUp and PageDown choose an entry at once (CBN_SELENDOK, CBN_SELCHANGE,
//   also when an arrow at an end leaves the selection where it was), and so
//   does a typed character: the next entry after the selection with that
//   initial. F4 and Alt-Up/Down drop the list (CBN_DROPDOWN); while it is
//   dropped the arrows move the selection (CBN_SELCHANGE), Enter closes it as
//   chosen (CBN_SELENDOK, CBN_CLOSEUP), Escape and F4 as not chosen
//   (CBN_SELENDCANCEL, CBN_CLOSEUP), the selection staying where it is.
//   Losing the focus closes it too, and ends any choice unmade
//   (CBN_SELENDCANCEL before CBN_KILLFOCUS).
//
// Not implemented: the edit field of CBS_SIMPLE / CBS_DROPDOWN boxes (their window
// text is only stored), the list box as a window of its own (displays draw the
// dropped list from CB_GETDROPPEDSTATE and the selection), owner-drawn boxes
// without CBS_HASSTRINGS, the mouse, incremental search over several typed
// characters, the extended user interface (CB_SETEXTENDEDUI), locales
// (CB_SETLOCALE), and the messages nothing here sends: CB_INSERTSTRING,
// CB_DELETESTRING, CB_RESETCONTENT, CB_SETCURSEL, CB_FINDSTRING,
// CB_FINDSTRINGEXACT, CB_SHOWDROPDOWN, item data (CB_GETITEMDATA, CB_SETITEMDATA).
#include "user32.h"

#include <algorithm>

namespace win32 {
namespace {

struct Entry {
    std::string text;
    std::u16string sortKey;  // the text in UTF-16, as the word sort compares it
};

struct ComboState : ControlState {
    std::vector<Entry> entries;
    int selection = -1;
    bool dropped = false;
};

DWORD StyleOf(HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    return window ? window->style : 0;
}

bool IsDropDownList(HWND hwnd) { return (StyleOf(hwnd) & 3) == CBS_DROPDOWNLIST; }

int Count(const ComboState& state) { return static_cast<int>(state.entries.size()); }

// Indexes travel in wParam but the control reads them as an int, as Windows does.
int IndexOf(WPARAM wParam) { return static_cast<int>(static_cast<uint32_t>(wParam)); }

bool ValidIndex(const ComboState& state, WPARAM index) { return IndexOf(index) >= 0 && IndexOf(index) < Count(state); }

// Where CB_ADDSTRING puts `key` in a sorted box: the halving search, which
// stops at the first equal entry it meets.
int SortedPosition(const ComboState& state, const std::u16string& key)
{
    int low = 0;
    int high = Count(state) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const std::u16string& entry = state.entries[static_cast<size_t>(middle)].sortKey;
        const int order = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, reinterpret_cast<LPCWCH>(key.data()),
                                         static_cast<int>(key.size()), reinterpret_cast<LPCWCH>(entry.data()),
                                         static_cast<int>(entry.size())) -
                          CSTR_EQUAL;
        if (order == 0)
            return middle;
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return low;
}

LRESULT Insert(ComboState& state, int position, Entry entry)
{
    state.entries.insert(state.entries.begin() + position, std::move(entry));
    if (state.selection >= position)
        ++state.selection;
    return position;
}

// A box with strings takes a NULL string as an empty one.
Entry MakeEntry(LPARAM lParam)
{
    Entry entry;
    entry.text = CopyString(reinterpret_cast<LPCSTR>(lParam));
    entry.sortKey = Utf8ToUtf16(entry.text);
    return entry;
}

LRESULT AddString(HWND hwnd, ComboState& state, LPARAM lParam)
{
    Entry entry = MakeEntry(lParam);
    const int position = (StyleOf(hwnd) & CBS_SORT) ? SortedPosition(state, entry.sortKey) : Count(state);
    return Insert(state, position, std::move(entry));
}

LRESULT GetLbText(const ComboState& state, WPARAM index, LPARAM lParam)
{
    if (!ValidIndex(state, index) || !lParam)
        return CB_ERR;
    const std::string& text = state.entries[IndexOf(index)].text;
    auto* buffer = reinterpret_cast<char*>(lParam);
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
    return static_cast<LRESULT>(text.size());
}

LRESULT GetLbTextLen(const ComboState& state, WPARAM index)
{
    return ValidIndex(state, index) ? static_cast<LRESULT>(state.entries[IndexOf(index)].text.size()) : CB_ERR;
}

// The search starts after `start` and wraps round to it, so `start` itself is
// looked at last; -1, any other negative start or one past the end searches
// from the top.  An empty text matches nothing.
LRESULT FindPrefix(const ComboState& state, WPARAM start, LPARAM lParam)
{
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
        if (StartsWithIgnoringCase(entry, text))
            return index;
    }
    return CB_ERR;
}

// Selects the first match of the prefix search; on no match the selection stays.
LRESULT SelectString(ComboState& state, WPARAM start, LPARAM lParam)
{
    const LRESULT index = FindPrefix(state, start, lParam);
    if (index != CB_ERR)
        state.selection = static_cast<int>(index);
    return index;
}

// A drop-down list shows its selected entry: its window text is that entry's
// text, or empty without a selection.
LRESULT GetText(HWND hwnd, const ComboState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsDropDownList(hwnd))
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const std::string text = state.selection >= 0 ? state.entries[state.selection].text : std::string();
    if (message == WM_GETTEXTLENGTH)
        return static_cast<LRESULT>(text.size());
    const int size = wParam > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(wParam);
    return CopyToBuffer(text, reinterpret_cast<LPSTR>(lParam), size);
}

// ---- the user's keys ----

// The parent may destroy the box while it hears of it: each notification is
// followed by a fresh look at the state.
ComboState* Notify(HWND hwnd, WORD code)
{
    NotifyParent(hwnd, code);
    return ControlStateOf<ComboState>(hwnd);
}

void Drop(HWND hwnd)
{
    ComboState* state = Notify(hwnd, CBN_DROPDOWN);
    if (state)
        state->dropped = true;
}

// Closes the dropped list: as the user's choice (Enter), or not.
void CloseUp(HWND hwnd, bool chosen)
{
    ComboState* state = ControlStateOf<ComboState>(hwnd);
    if (!state || !state->dropped)
        return;
    state->dropped = false;
    if (Notify(hwnd, chosen ? CBN_SELENDOK : CBN_SELENDCANCEL))
        Notify(hwnd, CBN_CLOSEUP);
}

// The user moves the selection to `index`: at once a choice while the list is
// closed, only a change while it is dropped.
void UserMoves(HWND hwnd, ComboState& state, int index)
{
    const bool dropped = state.dropped;
    state.selection = index;
    if (!dropped && !Notify(hwnd, CBN_SELENDOK))
        return;
    Notify(hwnd, CBN_SELCHANGE);
}

// Up and Down one entry, PageUp and PageDown a list's height, Home and End to
// the ends; from no selection, the first entry.
constexpr int kPage = 8;

LRESULT KeyDown(HWND hwnd, ComboState& state, WPARAM key)
{
    const int last = Count(state) - 1;
    const int at = state.selection;
    int index;
    switch (key) {
    case VK_F4:
        if (state.dropped)
            CloseUp(hwnd, false);
        else
            Drop(hwnd);
        return 0;
    case VK_RETURN:
    case VK_ESCAPE: CloseUp(hwnd, key == VK_RETURN); return 0;
    case VK_UP:
    case VK_LEFT: index = at < 0 ? 0 : at - 1; break;
    case VK_DOWN:
    case VK_RIGHT: index = at < 0 ? 0 : at + 1; break;
    case VK_PRIOR: index = at < 0 ? 0 : at - kPage; break;
    case VK_NEXT: index = at < 0 ? 0 : at + kPage; break;
    case VK_HOME: index = 0; break;
    case VK_END: index = last; break;
    default: return 0;
    }
    if (last < 0)
        return 0;
    UserMoves(hwnd, state, std::clamp(index, 0, last));
    return 0;
}

// Alt-Up and Alt-Down drop the list or close it.
LRESULT SysKeyDown(HWND hwnd, ComboState& state, UINT message, WPARAM key, LPARAM lParam)
{
    if (key != VK_UP && key != VK_DOWN)
        return DefWindowProcA(hwnd, message, key, lParam);
    if (state.dropped)
        CloseUp(hwnd, true);
    else
        Drop(hwnd);
    return 0;
}

// A typed character selects the next entry after the selection (going round)
// whose text begins with it, case ignored.
LRESULT Char(HWND hwnd, ComboState& state, WPARAM character)
{
    if (character < 0x20 || character > 0x7E || state.entries.empty())
        return 0;
    const char typed[2] = {static_cast<char>(character), '\0'};
    const LRESULT index = FindPrefix(state, static_cast<WPARAM>(state.selection), reinterpret_cast<LPARAM>(typed));
    if (index != CB_ERR)
        UserMoves(hwnd, state, static_cast<int>(index));
    return 0;
}

// The arrows and the characters are the box's own; with the list dropped,
// Enter and Escape too.
LRESULT DialogCode(const ComboState& state, LPARAM lParam)
{
    LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (state.dropped && message && message->message == WM_KEYDOWN &&
        (message->wParam == VK_RETURN || message->wParam == VK_ESCAPE))
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT KillFocus(HWND hwnd)
{
    ComboState* state = ControlStateOf<ComboState>(hwnd);
    if (state && state->dropped) {
        state->dropped = false;
        if (!Notify(hwnd, CBN_CLOSEUP))
            return 0;
    }
    if (Notify(hwnd, CBN_SELENDCANCEL))
        NotifyParent(hwnd, CBN_KILLFOCUS);
    return 0;
}

}  // namespace

void ComboUserSelect(HWND combo, int index)
{
    ComboState* state = ControlStateOf<ComboState>(combo);
    if (!state || index < 0 || index >= Count(*state))
        return;
    // A pick in the dropped list: it drops, the entry is chosen, it closes.
    if (!state->dropped) {
        Drop(combo);
        state = ControlStateOf<ComboState>(combo);
        if (!state || index >= Count(*state))
            return;
    }
    UserMoves(combo, *state, index);
    CloseUp(combo, true);
}

int ComboFindExact(HWND combo, const std::string& text)
{
    ComboState* state = ControlStateOf<ComboState>(combo);
    if (!state)
        return -1;
    for (int i = 0; i < Count(*state); ++i) {
        if (state->entries[i].text == text)
            return i;
    }
    return -1;
}

LRESULT CALLBACK ComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ComboState* state = ControlStateOf<ComboState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case CB_ADDSTRING: return AddString(hwnd, *state, lParam);
    case CB_GETCOUNT: return Count(*state);
    case CB_GETCURSEL: return state->selection >= 0 ? state->selection : CB_ERR;
    case CB_GETLBTEXT: return GetLbText(*state, wParam, lParam);
    case CB_GETLBTEXTLEN: return GetLbTextLen(*state, wParam);
    case CB_SELECTSTRING: return SelectString(*state, wParam, lParam);
    case CB_GETDROPPEDSTATE: return state->dropped ? TRUE : FALSE;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH: return GetText(hwnd, *state, message, wParam, lParam);
    case WM_GETDLGCODE: return DialogCode(*state, lParam);
    case WM_KEYDOWN: return KeyDown(hwnd, *state, wParam);
    case WM_SYSKEYDOWN: return SysKeyDown(hwnd, *state, message, wParam, lParam);
    case WM_CHAR: return Char(hwnd, *state, wParam);
    case WM_SETFOCUS: NotifyParent(hwnd, CBN_SETFOCUS); return 0;
    case WM_KILLFOCUS: return KillFocus(hwnd);
    case WM_SETFONT: state->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace win32
