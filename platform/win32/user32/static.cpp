// Static control: labels.
//
// Not implemented: drawing, icons and images (STM_SETICON, STM_SETIMAGE),
// SS_NOTIFY click notifications, an ordinal title loading an icon resource.
#include "user32.h"

namespace win32 {

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ControlState* state = ControlStateOf<ControlState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_SETFONT: state->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace win32
