// Button control: push buttons, check boxes, radio buttons, group boxes.
//
// The space bar works a button as a click does: down pushes it, up clicks it.
//
// Not implemented: drawing, mouse tracking (BM_CLICK clicks at once), images
// (BM_SETIMAGE), automatic unchecking of the other radio buttons of a group,
// split buttons and command links, and the messages nothing here sends:
// BM_SETCHECK, BM_GETSTATE, BM_SETSTATE.
#include "user32.h"

namespace win32 {
namespace {

struct ButtonState : ControlState {
    LRESULT check = BST_UNCHECKED;
    bool pushed = false;
};

DWORD TypeOf(HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    return window ? (window->style & BS_TYPEMASK) : 0;
}

LRESULT DialogCode(HWND hwnd)
{
    switch (TypeOf(hwnd)) {
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
    }
}

// A click on a disabled button goes nowhere: it takes no mouse input.
LRESULT Click(HWND hwnd, ButtonState& state)
{
    if (!IsWindowEnabled(hwnd))
        return 0;
    switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX: state.check = state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED; break;
    case BS_AUTO3STATE: state.check = (state.check + 1) % 3; break;
    case BS_AUTORADIOBUTTON: state.check = BST_CHECKED; break;
    default: break;
    }
    NotifyParent(hwnd, BN_CLICKED);
    return 0;
}

LRESULT Space(HWND hwnd, ButtonState& state, bool down)
{
    if (down) {
        state.pushed = true;
        return 0;
    }
    if (!state.pushed)
        return 0;
    state.pushed = false;
    return Click(hwnd, state);
}

LRESULT SetStyle(HWND hwnd, WPARAM style)
{
    if (Window* window = FindWindowObject(hwnd))
        window->style = (window->style & ~static_cast<DWORD>(BS_TYPEMASK)) | (style & BS_TYPEMASK);
    return 0;
}

LRESULT Focus(HWND hwnd, WORD code)
{
    Window* window = FindWindowObject(hwnd);
    if (window && (window->style & BS_NOTIFY))
        NotifyParent(hwnd, code);
    return 0;
}

}  // namespace

bool IsPushButton(HWND hwnd)
{
    return (SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ButtonState* state = ControlStateOf<ButtonState>(hwnd);
    if (!state)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case BM_CLICK: return Click(hwnd, *state);
    case BM_GETCHECK: return state->check;
    case BM_SETSTYLE: return SetStyle(hwnd, wParam);
    case WM_SETFONT: state->font = reinterpret_cast<HFONT>(wParam); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state->font);
    case WM_KEYDOWN: return wParam == VK_SPACE ? Space(hwnd, *state, true) : 0;
    case WM_KEYUP: return wParam == VK_SPACE ? Space(hwnd, *state, false) : 0;
    case WM_SETFOCUS: return Focus(hwnd, BN_SETFOCUS);
    case WM_KILLFOCUS: state->pushed = false; return Focus(hwnd, BN_KILLFOCUS);
    default: return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace win32
