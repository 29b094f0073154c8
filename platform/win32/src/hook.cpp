// Window hooks: the computer-based-training hook that class libraries use to
// meet a window before its first message.
//
// Not implemented: hook types other than WH_CBT, hooks of other threads, HCBT_
// codes other than HCBT_CREATEWND and HCBT_DESTROYWND.
#include "window.h"

#include <algorithm>

namespace win32 {
namespace {

struct Hook {
    HHOOK handle;
    HOOKPROC proc;
};

struct HookTable {
    std::vector<Hook> hooks;  // newest first
    uintptr_t nextHandle = 0x20010;
};

HookTable& Hooks()
{
    static HookTable table;
    return table;
}

LRESULT CallFrom(size_t index, int code, WPARAM wParam, LPARAM lParam)
{
    const auto& hooks = Hooks().hooks;
    if (index >= hooks.size())
        return 0;
    const HOOKPROC proc = hooks[index].proc;
    return proc(code, wParam, lParam);
}

}  // namespace

LRESULT CallCbtHook(int code, WPARAM wParam, LPARAM lParam) { return CallFrom(0, code, wParam, lParam); }

}  // namespace win32

using namespace win32;

HHOOK WINAPI SetWindowsHookExA(int type, HOOKPROC proc, HINSTANCE, DWORD threadId)
{
    if (type != WH_CBT || !proc || (threadId && threadId != GetCurrentThreadId())) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HookTable& table = Hooks();
    HHOOK handle = reinterpret_cast<HHOOK>(table.nextHandle);
    table.nextHandle += 4;
    table.hooks.insert(table.hooks.begin(), Hook{handle, proc});
    return handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK handle)
{
    auto& hooks = Hooks().hooks;
    auto found = std::find_if(hooks.begin(), hooks.end(), [&](const Hook& h) { return h.handle == handle; });
    if (found == hooks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    hooks.erase(found);
    return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK current, int code, WPARAM wParam, LPARAM lParam)
{
    const auto& hooks = Hooks().hooks;
    auto found = std::find_if(hooks.begin(), hooks.end(), [&](const Hook& h) { return h.handle == current; });
    if (found == hooks.end())
        return 0;
    return CallFrom(static_cast<size_t>(found - hooks.begin()) + 1, code, wParam, lParam);
}
