// Common controls library: initialisation and window subclassing.
//
// SetWindowSubclass puts one dispatcher in front of the window procedure; the
// dispatcher runs the subclass procedures newest first, each passing on with
// DefSubclassProc, and the last passes on to the original window procedure.
// A subclass removed while it runs is dropped when its call returns.
//
// Not implemented: the list-view's header control, the other common controls,
// InitCommonControls, GetWindowSubclass.
#include "window.h"

namespace win32 {
namespace {

LRESULT CALLBACK SubclassDispatcher(HWND, UINT, WPARAM, LPARAM);

using EntryIterator = std::list<SubclassEntry>::iterator;

// Once no subclass is left and none runs, the original procedure comes back.
void Cleanup(HWND hwnd, const std::shared_ptr<SubclassChain>& chain)
{
    if (chain->inCall || !chain->entries.empty())
        return;
    Window* window = FindWindowObject(hwnd);
    if (!window || window->subclasses != chain)
        return;
    if (window->proc == SubclassDispatcher)
        window->proc = chain->original;
    window->subclasses.reset();
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
    Window* window = FindWindowObject(hwnd);
    if (!window || !window->subclasses)
        return 0;
    const std::shared_ptr<SubclassChain> chain = window->subclasses;
    return CallFrom(hwnd, chain, chain->entries.begin(), message, wParam, lParam);
}

EntryIterator FindEntry(SubclassChain& chain, SUBCLASSPROC proc, UINT_PTR id)
{
    for (auto it = chain.entries.begin(); it != chain.entries.end(); ++it) {
        if (it->proc == proc && it->id == id && !it->removed)
            return it;
    }
    return chain.entries.end();
}

}  // namespace
}  // namespace win32

using namespace win32;

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* init)
{
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    RegisterSystemClasses();
    return TRUE;
}

BOOL WINAPI SetWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR refData)
{
    Window* window = ValidWindow(hwnd);
    if (!window || !proc)
        return FALSE;
    if (!window->subclasses) {
        window->subclasses = std::make_shared<SubclassChain>();
        window->subclasses->original = window->proc;
        window->proc = SubclassDispatcher;
    }
    SubclassChain& chain = *window->subclasses;
    // The same procedure and id again only replaces the reference data.
    auto existing = FindEntry(chain, proc, id);
    if (existing != chain.entries.end()) {
        existing->refData = refData;
        return TRUE;
    }
    SubclassEntry entry;
    entry.proc = proc;
    entry.id = id;
    entry.refData = refData;
    chain.entries.push_front(entry);
    return TRUE;
}

BOOL WINAPI RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC proc, UINT_PTR id)
{
    Window* window = FindWindowObject(hwnd);
    if (!window || !window->subclasses)
        return FALSE;
    const std::shared_ptr<SubclassChain> chain = window->subclasses;
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
    Window* window = FindWindowObject(hwnd);
    if (!window)
        return 0;
    const std::shared_ptr<SubclassChain> chain = window->subclasses;
    if (!chain || !chain->inCall)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    return CallFrom(hwnd, chain, std::next(chain->current), message, wParam, lParam);
}
