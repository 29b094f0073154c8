// List view control ("SysListView32"), as a report-mode table of texts.
//
// Not implemented: views other than report (the other styles keep the same
// table), drawing, image lists, sorting (LVS_SORTASCENDING, LVM_SORTITEMS),
// callback texts (LPSTR_TEXTCALLBACK reads back as ""), owner data, groups,
// tiles, in-place editing, the header control (LVM_GETHEADER), mouse and keyboard
// input, LVN_ITEMCHANGING / LVN_ITEMCHANGED, item states, images, indents and
// parameters (of an item inserted, only its text is kept), and the messages
// nothing here sends: LVM_SETCOLUMN, LVM_DELETECOLUMN, LVM_GETCOLUMNWIDTH,
// LVM_SETCOLUMNWIDTH, LVM_GETITEM, LVM_SETITEM, LVM_GETNEXTITEM and the extended
// styles; a column inserted before column 0 does not move the items' own texts.
#include "comctl32.h"
#include "text.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace win32::comctl32 {
namespace {

struct Column {
    int format = LVCFMT_LEFT;
    int width = 0;
    std::string text;
    int subItem = 0;
    int image = 0;
    int order = 0;
};

struct Item {
    std::vector<std::string> texts;  // one per column position; index 0 is the item's own
};

struct ListViewState {
    std::vector<Column> columns;
    std::vector<Item> items;
    HFONT font = nullptr;  // WM_SETFONT
};

// The state of each list view, from WM_NCCREATE to WM_NCDESTROY.
std::map<HWND, std::unique_ptr<ListViewState>>& States()
{
    static std::map<HWND, std::unique_ptr<ListViewState>> states;
    return states;
}

// The state of `hwnd`; nullptr once the window is gone (a parent hearing of
// the list may destroy it).
ListViewState* StateOf(HWND hwnd)
{
    const auto found = States().find(hwnd);
    return found != States().end() ? found->second.get() : nullptr;
}

bool IsChildWindow(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0; }

// Sends WM_NOTIFY to the parent; its answer.
LRESULT NotifyParent(HWND hwnd, NMLISTVIEW& nm)
{
    const int id = GetDlgCtrlID(hwnd);
    nm.hdr.hwndFrom = hwnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(id);
    return SendMessageA(GetParent(hwnd), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&nm));
}

int Count(const ListViewState& state) { return static_cast<int>(state.items.size()); }
int IndexOf(WPARAM wParam) { return static_cast<int>(static_cast<uint32_t>(wParam)); }
bool ValidItem(const ListViewState& state, int index) { return index >= 0 && index < Count(state); }

std::string TextOf(LPCSTR text) { return (!text || text == LPSTR_TEXTCALLBACKA) ? std::string() : std::string(text); }

// Sub-item texts beyond the column count are allowed up to the column count:
// column 0 is the item itself, and a list without columns still has it.
bool ValidSubItem(const ListViewState& state, int subItem)
{
    return subItem >= 0 && subItem < std::max(1, static_cast<int>(state.columns.size()));
}

std::string& TextSlot(Item& item, int subItem)
{
    if (item.texts.size() <= static_cast<size_t>(subItem))
        item.texts.resize(static_cast<size_t>(subItem) + 1);
    return item.texts[subItem];
}

void Notify(HWND hwnd, UINT code, int item)
{
    if (!IsChildWindow(hwnd))
        return;
    NMLISTVIEW nm{};
    nm.hdr.code = code;
    nm.iItem = item;
    NotifyParent(hwnd, nm);
}

// The first column is drawn left-aligned whatever its format; the format reads
// back as it was set.
void ApplyColumn(Column& column, const LVCOLUMNA& source)
{
    if (source.mask & LVCF_FMT)
        column.format = source.fmt;
    if (source.mask & LVCF_WIDTH)
        column.width = source.cx;
    if (source.mask & LVCF_TEXT)
        column.text = TextOf(source.pszText);
    if (source.mask & LVCF_SUBITEM)
        column.subItem = source.iSubItem;
    if (source.mask & LVCF_IMAGE)
        column.image = source.iImage;
    if (source.mask & LVCF_ORDER)
        column.order = source.iOrder;
}

// An index past the last column appends.
LRESULT InsertColumn(ListViewState& state, WPARAM wParam, LPARAM lParam)
{
    const auto* source = reinterpret_cast<const LVCOLUMNA*>(lParam);
    const int requested = IndexOf(wParam);
    if (!source || requested < 0)
        return -1;
    const int position = std::min(requested, static_cast<int>(state.columns.size()));
    Column column;
    column.subItem = position;
    column.order = position;
    ApplyColumn(column, *source);
    state.columns.insert(state.columns.begin() + position, column);
    for (Item& item : state.items) {
        if (static_cast<size_t>(position) < item.texts.size() && position > 0)
            item.texts.insert(item.texts.begin() + position, std::string());
    }
    return position;
}

LRESULT GetColumn(const ListViewState& state, WPARAM wParam, LPARAM lParam)
{
    auto* target = reinterpret_cast<LVCOLUMNA*>(lParam);
    const int index = IndexOf(wParam);
    if (!target || index < 0 || index >= static_cast<int>(state.columns.size()))
        return FALSE;
    const Column& column = state.columns[index];
    if (target->mask & LVCF_FMT)
        target->fmt = column.format;
    if (target->mask & LVCF_WIDTH)
        target->cx = column.width;
    if (target->mask & LVCF_TEXT)
        CopyToBuffer(column.text, target->pszText, target->cchTextMax);
    if (target->mask & LVCF_SUBITEM)
        target->iSubItem = column.subItem;
    if (target->mask & LVCF_IMAGE)
        target->iImage = column.image;
    if (target->mask & LVCF_ORDER)
        target->iOrder = column.order;
    return TRUE;
}

// An item must be inserted as itself (iSubItem 0); an index past the end appends.
LRESULT InsertItem(HWND hwnd, ListViewState& state, LPARAM lParam)
{
    const auto* source = reinterpret_cast<const LVITEMA*>(lParam);
    if (!source || source->iSubItem != 0 || source->iItem < 0)
        return -1;
    const int position = std::min(source->iItem, Count(state));
    Item item;
    item.texts.resize(1);
    if (source->mask & LVIF_TEXT)
        item.texts[0] = TextOf(source->pszText);
    state.items.insert(state.items.begin() + position, std::move(item));
    Notify(hwnd, LVN_INSERTITEM, position);
    return position;
}

// A NULL text sets the sub-item to "".
LRESULT SetItemText(ListViewState& state, WPARAM wParam, LPARAM lParam)
{
    const auto* source = reinterpret_cast<const LVITEMA*>(lParam);
    const int index = IndexOf(wParam);
    if (!source || !ValidItem(state, index) || !ValidSubItem(state, source->iSubItem))
        return FALSE;
    TextSlot(state.items[index], source->iSubItem) = TextOf(source->pszText);
    return TRUE;
}

// Answers the chars copied into pszText.
LRESULT GetItemText(const ListViewState& state, WPARAM wParam, LPARAM lParam)
{
    auto* target = reinterpret_cast<LVITEMA*>(lParam);
    const int index = IndexOf(wParam);
    if (!target)
        return 0;
    if (!ValidItem(state, index) || !ValidSubItem(state, target->iSubItem)) {
        CopyToBuffer(std::string(), target->pszText, target->cchTextMax);
        return 0;
    }
    const Item& item = state.items[index];
    const size_t slot = static_cast<size_t>(target->iSubItem);
    return CopyToBuffer(slot < item.texts.size() ? item.texts[slot] : std::string(), target->pszText,
                        target->cchTextMax);
}

LRESULT DeleteItem(HWND hwnd, WPARAM wParam)
{
    ListViewState* state = StateOf(hwnd);
    const int index = IndexOf(wParam);
    if (!state || !ValidItem(*state, index))
        return FALSE;
    Notify(hwnd, LVN_DELETEITEM, index);
    state = StateOf(hwnd);
    if (!state || !ValidItem(*state, index))
        return FALSE;
    state->items.erase(state->items.begin() + index);
    return TRUE;
}

// The parent hears LVN_DELETEALLITEMS (item -1), also when the list is empty;
// unless it answers TRUE, it then hears LVN_DELETEITEM for every item.
LRESULT DeleteAllItems(HWND hwnd)
{
    bool perItem = true;
    if (IsChildWindow(hwnd)) {
        NMLISTVIEW nm{};
        nm.hdr.code = LVN_DELETEALLITEMS;
        nm.iItem = -1;
        perItem = !NotifyParent(hwnd, nm);
    }
    ListViewState* state = StateOf(hwnd);
    for (int i = 0; perItem && state && i < Count(*state); ++i) {
        Notify(hwnd, LVN_DELETEITEM, i);
        state = StateOf(hwnd);
    }
    if (!state)
        return FALSE;
    state->items.clear();
    return TRUE;
}

LRESULT CALLBACK ListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        States()[hwnd] = std::make_unique<ListViewState>();
    ListViewState* state = StateOf(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case LVM_INSERTCOLUMNA: return InsertColumn(*state, wParam, lParam);
    case LVM_GETCOLUMNA: return GetColumn(*state, wParam, lParam);
    case LVM_GETITEMCOUNT: return Count(*state);
    case LVM_INSERTITEMA: return InsertItem(hwnd, *state, lParam);
    case LVM_SETITEMTEXTA: return SetItemText(*state, wParam, lParam);
    case LVM_GETITEMTEXTA: return GetItemText(*state, wParam, lParam);
    case LVM_DELETEITEM: return DeleteItem(hwnd, wParam);
    case LVM_DELETEALLITEMS: return DeleteAllItems(hwnd);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT: state->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    case WM_NCDESTROY: States().erase(hwnd); return DefWindowProcA(hwnd, message, wParam, lParam);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

bool RegisterListView()
{
    WNDCLASSA listView{};
    listView.style = CS_DBLCLKS | CS_GLOBALCLASS;
    listView.lpfnWndProc = ListViewProc;
    listView.lpszClassName = WC_LISTVIEWA;
    return RegisterClassA(&listView) != 0;
}

}  // namespace win32::comctl32
