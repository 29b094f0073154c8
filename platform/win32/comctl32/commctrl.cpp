// Common controls library: initialisation, the classes it registers, and window
// subclassing.
//
// As comctl32 does when it is loaded, the library registers its window class
// (the list view) as a global class at once; InitCommonControlsEx only checks
// what it is given.
//
// SetWindowSubclass puts one dispatcher in front of the window procedure; the
// dispatcher runs the subclass procedures newest first, each passing on with
// DefSubclassProc, and the last passes on to the original window procedure.
// A subclass removed while it runs is dropped when its call returns; the
// chain goes with its window (WM_NCDESTROY).
//
// Not implemented: the list-view's header control, the other common controls,
// InitCommonControls, GetWindowSubclass.
#include "comctl32.h"

#include <iterator>
#include <list>
#include <map>
#include <memory>

namespace win32::comctl32 {
namespace {

struct SubclassEntry {
    SUBCLASSPROC proc = nullptr;
    UINT_PTR id = 0;
    DWORD_PTR refData = 0;
    int running = 0;       // calls of this entry in progress
    bool removed = false;  // removed while running: erased when the last call returns
};

using EntryIterator = std::list<SubclassEntry>::iterator;

// The subclasses of one window.
struct SubclassChain {
    std::list<SubclassEntry> entries;  // newest first
    WNDPROC original = nullptr;        // the window procedure before the first subclass
    EntryIterator current;             // entry whose call is innermost
    bool inCall = false;
};

std::map<HWND, std::shared_ptr<SubclassChain>>& Chains()
{
    static std::map<HWND, std::shared_ptr<SubclassChain>> chains;
    return chains;
}

std::shared_ptr<SubclassChain> ChainOf(HWND hwnd)
{
    const auto found = Chains().find(hwnd);
    return found != Chains().end() ? found->second : nullptr;
}

LRESULT CALLBACK SubclassDispatcher(HWND, UINT, WPARAM, LPARAM);

// Once no subclass is left and none runs, the original procedure comes back.
void Cleanup(HWND hwnd, const std::shared_ptr<SubclassChain>& chain)
{
    if (chain->inCall || !chain->entries.empty() || ChainOf(hwnd) != chain)
        return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)) == SubclassDispatcher)
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    Chains().erase(hwnd);
}

LRESULT CallFrom(HWND hwnd, const std::shared_ptr<SubclassChain>& chain, EntryIterator it, UINT message, WPARAM wParam,
                 LPARAM lParam)
{
    while (it != chain->entries.end() && it->removed)
        ++it;
    if (it == chain->entries.end())
        return CallWindowProcA(chain->original, hwnd, message, wParam, lParam);
    const EntryIterator savedCurrent = chain->current;
    const bool savedInCall = chain->inCall;
    chain->current = it;
    chain->inCall = true;
    ++it->running;
    const LRESULT result = it->proc(hwnd, message, wParam, lParam, it->id, it->refData);
    --it->running;
    chain->current = savedCurrent;
    chain->inCall = savedInCall;
    if (it->removed && it->running == 0)
        chain->entries.erase(it);
    Cleanup(hwnd, chain);
    return result;
}

LRESULT CALLBACK SubclassDispatcher(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::shared_ptr<SubclassChain> chain = ChainOf(hwnd);
    if (!chain)
        return 0;
    const LRESULT result = CallFrom(hwnd, chain, chain->entries.begin(), message, wParam, lParam);
    if (message == WM_NCDESTROY && ChainOf(hwnd) == chain)
        Chains().erase(hwnd);
    return result;
}

EntryIterator FindEntry(SubclassChain& chain, SUBCLASSPROC proc, UINT_PTR id)
{
    for (auto it = chain.entries.begin(); it != chain.entries.end(); ++it) {
        if (it->proc == proc && it->id == id && !it->removed)
            return it;
    }
    return chain.entries.end();
}

// Registered when the library is loaded, as comctl32's DllMain does.
const bool registered = RegisterListView();

}  // namespace
}  // namespace win32::comctl32

using namespace win32::comctl32;

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init)
{
    return init && init->dwSize == sizeof(INITCOMMONCONTROLSEX) && registered;
}

BOOL WINAPI SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR refData)
{
    if (!IsWindow(hwnd) || !proc)
        return FALSE;
    std::shared_ptr<SubclassChain> chain = ChainOf(hwnd);
    if (!chain) {
        chain = std::make_shared<SubclassChain>();
        chain->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassDispatcher)));
        Chains()[hwnd] = chain;
    }
    // The same procedure and id again only replaces the reference data.
    auto existing = FindEntry(*chain, proc, id);
    if (existing != chain->entries.end()) {
        existing->refData = refData;
        return TRUE;
    }
    SubclassEntry entry;
    entry.proc = proc;
    entry.id = id;
    entry.refData = refData;
    chain->entries.push_front(entry);
    return TRUE;
}

BOOL WINAPI RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id)
{
    const std::shared_ptr<SubclassChain> chain = ChainOf(hwnd);
    if (!chain)
        return FALSE;
    auto found = FindEntry(*chain, proc, id);
    if (found == chain->entries.end())
        return FALSE;
    if (found->running > 0)
        found->removed = true;
    else
        chain->entries.erase(found);
    Cleanup(hwnd, chain);
    return TRUE;
}

LRESULT WINAPI DefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::shared_ptr<SubclassChain> chain = ChainOf(hwnd);
    if (!chain || !chain->inCall)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallFrom(hwnd, chain, std::next(chain->current), message, wParam, lParam);
}
