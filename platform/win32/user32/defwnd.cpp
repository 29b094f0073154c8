// The default window procedure.
//
// Not implemented: painting, non-client hit testing, the system menu, moving and
// sizing, keyboard menu access (WM_SYSKEYDOWN leads nowhere).
#include "user32.h"

namespace win32 {
namespace {

LRESULT SetText(Window& window, LPARAM lParam)
{
    window.text = CopyString(reinterpret_cast<LPCSTR>(lParam));
    return TRUE;
}

// WM_GETTEXT copies at most wParam - 1 chars and the terminator; it returns
// the chars copied.
LRESULT GetText(const Window& window, WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0 || !lParam)
        return 0;
    const int size = wParam > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(wParam);
    return CopyToBuffer(window.text, reinterpret_cast<LPSTR>(lParam), size);
}

LRESULT SetIcon(Window& window, WPARAM kind, LPARAM lParam)
{
    const HICON icon = reinterpret_cast<HICON>(lParam);
    HICON previous = nullptr;
    if (kind == ICON_SMALL) {
        previous = window.smallIcon;
        window.smallIcon = icon;
    } else if (kind == ICON_BIG) {
        previous = window.bigIcon;
        window.bigIcon = icon;
    }
    return reinterpret_cast<LRESULT>(previous);
}

// ICON_SMALL2 asks for the small icon, else what the system would draw for it.
LRESULT GetIcon(const Window& window, WPARAM kind)
{
    switch (kind) {
    case ICON_SMALL: return reinterpret_cast<LRESULT>(window.smallIcon);
    case ICON_BIG: return reinterpret_cast<LRESULT>(window.bigIcon);
    case ICON_SMALL2: return reinterpret_cast<LRESULT>(window.smallIcon ? window.smallIcon : window.bigIcon);
    default: return 0;
    }
}

LRESULT SysCommand(HWND hwnd, WPARAM command)
{
    if ((command & 0xFFF0) == SC_CLOSE)
        SendMessageA(hwnd, WM_CLOSE, 0, 0);
    return 0;
}

}  // namespace
}  // namespace win32

using namespace win32;

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return 0;
    switch (message) {
    case WM_NCCREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            window->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT: return SetText(*window, lParam);
    case WM_GETTEXT: return GetText(*window, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(window->text.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return SysCommand(hwnd, wParam);
    case WM_SETICON: return SetIcon(*window, wParam, lParam);
    case WM_GETICON: return GetIcon(*window, wParam);
    case WM_NOTIFYFORMAT: return 1;  // NFR_ANSI
    default: return 0;
    }
}
