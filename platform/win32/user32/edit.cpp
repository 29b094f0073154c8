// Edit control: a single text held as the window text.
//
// Not implemented: typing, selection, undo, multi-line layout, limits, the EN_
// notifications (EN_CHANGE, EN_UPDATE), password and case styles.
#include "user32.h"

namespace win32 {

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ControlState* state = ControlStateOf<ControlState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_GETDLGCODE: return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_SETFONT: state->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace win32
