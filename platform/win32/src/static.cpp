// Static control: labels and icons.
//
// Not implemented: drawing, bitmaps and enhanced metafiles (STM_SETIMAGE),
// SS_NOTIFY click notifications, an ordinal title loading an icon resource.
#include "window.h"

namespace win32 {
namespace {

struct StaticState : ControlState {
    HICON icon = nullptr;
};

LRESULT SetIcon(StaticState& state, WPARAM icon)
{
    const HICON previous = state.icon;
    state.icon = reinterpret_cast<HICON>(icon);
    return reinterpret_cast<LRESULT>(previous);
}

}  // namespace

LRESULT CALLBACK StaticProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    StaticState* state = ControlStateOf<StaticState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_GETDLGCODE: return DLGC_STATIC;
    case STM_SETICON: return SetIcon(*state, wParam);
    case STM_GETICON: return reinterpret_cast<LRESULT>(state->icon);
    case WM_SETFONT: state->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace win32
