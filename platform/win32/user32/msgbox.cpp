// Message boxes: a modal dialog of class "#32770" with an icon, the text and the
// buttons of its type.
//
// Windows' rules: the default button is the first unless MB_DEFBUTTONn names
// another that exists; Escape (and the close box) answers IDCANCEL when there is
// a Cancel button, IDOK on an MB_OK box, and does nothing otherwise.  Here the
// close box is disabled on boxes where Escape does nothing (MB_YESNO,
// MB_ABORTRETRYIGNORE).
//
// Not implemented: MB_HELP (no Help button, no WM_HELP), MB_USERICON, text
// measuring (the box has one fixed size), system-modal and service flags.
#include "user32.h"

#include <dlgtemplate/DialogTemplate.h>

namespace win32 {
namespace {

constexpr int kTextId = 0xFFFF;  // Windows' ids of the text and icon statics
constexpr int kIconId = 0x14;

struct Button {
    int id;
    const char* text;
};

std::vector<Button> ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK: return {{IDOK, "OK"}};
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    case MB_CANCELTRYCONTINUE: return {{IDCANCEL, "Cancel"}, {IDTRYAGAIN, "&Try Again"}, {IDCONTINUE, "&Continue"}};
    default: return {};
    }
}

struct MessageBoxState {
    UINT type = 0;
    std::vector<Button> buttons;
    int defaultId = IDOK;
};

bool HasButton(const MessageBoxState& state, int id)
{
    for (const Button& button : state.buttons) {
        if (button.id == id)
            return true;
    }
    return false;
}

void Answer(HWND box, const MessageBoxState& state, int id)
{
    if (id == IDCANCEL && !HasButton(state, IDCANCEL)) {
        if ((state.type & MB_TYPEMASK) == MB_OK)
            EndDialog(box, IDOK);
        return;
    }
    if (HasButton(state, id))
        EndDialog(box, id);
}

INT_PTR CALLBACK MessageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(box, DWLP_USER, lParam);
        const auto* state = reinterpret_cast<const MessageBoxState*>(lParam);
        SendMessageA(box, DM_SETDEFID, static_cast<WPARAM>(state->defaultId), 0);
        if (HWND button = GetDlgItem(box, state->defaultId))
            SetFocus(button);
        return FALSE;
    }
    case WM_COMMAND: {
        const auto* state = reinterpret_cast<const MessageBoxState*>(GetWindowLongPtrA(box, DWLP_USER));
        if (state && HIWORD(wParam) == BN_CLICKED)
            Answer(box, *state, LOWORD(wParam));
        return TRUE;
    }
    default: return FALSE;
    }
}

std::vector<uint8_t> BuildTemplate(const char* text, const char* caption, const MessageBoxState& state)
{
    dlgtemplate::DialogTemplate t;
    t.extended = true;
    t.version = 1;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_NOIDLEMSG | DS_CENTER;
    t.cx = 60 + 56 * static_cast<int16_t>(state.buttons.size());
    t.cy = 62;
    t.caption = caption ? caption : "Error";
    t.pointSize = 8;
    t.weight = 400;  // FW_NORMAL
    t.charset = 1;
    t.typeface = "MS Shell Dlg";

    constexpr uint16_t kButton = 0x0080;
    constexpr uint16_t kStatic = 0x0082;
    constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;
    const UINT icon = state.type & MB_ICONMASK;
    t.items.push_back(
        dlgtemplate::Control(kStatic, kIconId, "", WS_CHILD | SS_ICON | (icon ? WS_VISIBLE : 0), 8, 8, 16, 16));

    const int16_t textX = icon ? 32 : 8;
    t.items.push_back(dlgtemplate::Control(kStatic, kTextId, text ? text : "",
                                           kShown | WS_GROUP | SS_LEFT | SS_NOPREFIX, textX, 8,
                                           static_cast<int16_t>(t.cx - textX - 8), 24));

    int16_t x = 8;
    bool first = true;
    for (const Button& button : state.buttons) {
        const DWORD type = button.id == state.defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        t.items.push_back(dlgtemplate::Control(kButton, button.id, button.text,
                                               kShown | WS_TABSTOP | (first ? WS_GROUP : 0) | type, x, 40, 50, 14));
        x = static_cast<int16_t>(x + 56);
        first = false;
    }
    return dlgtemplate::WriteDialogTemplate(t, Utf8ToUtf16);
}

}  // namespace
}  // namespace win32

using namespace win32;

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    MessageBoxState state;
    state.type = type;
    state.buttons = ButtonsOf(type);
    if (state.buttons.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t defaultIndex = (type & MB_DEFMASK) >> 8;
    state.defaultId = state.buttons[defaultIndex < state.buttons.size() ? defaultIndex : 0].id;

    const std::vector<uint8_t> bytes = BuildTemplate(text, caption, state);
    HWND box = CreateDialogFromTemplate(nullptr, bytes.data(), bytes.size(), owner, MessageBoxProc,
                                        reinterpret_cast<LPARAM>(&state), true);
    if (!box)
        return 0;
    if (DialogInfo* info = GetDialogInfo(box, false))
        info->closeBoxDisabled = !HasButton(state, IDCANCEL) && (type & MB_TYPEMASK) != MB_OK;

    standin::Event opened;
    opened.kind = standin::Event::Kind::MessageBoxOpened;
    opened.hwnd = box;
    opened.text = text ? text : "";
    opened.caption = caption ? caption : "Error";
    opened.style = type;
    NotifyDisplay(opened);

    bool inputRanOut = false;
    const INT_PTR answer = RunModalLoop(box, 0, &inputRanOut);

    standin::Event closed;
    closed.kind = standin::Event::Kind::MessageBoxClosed;
    closed.hwnd = box;
    closed.result = answer;
    NotifyDisplay(closed);
    if (inputRanOut)
        SetLastError(ERROR_CANCELLED);
    return static_cast<int>(answer);
}
