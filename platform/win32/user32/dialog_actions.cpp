// The bridge from a display to the dialog manager: each action the display
// reports (a key, a click, a pick, the close box) becomes what the user's
// input would make of it, or an ActionRejected event that says why the
// control cannot take it. A dialog's own action handler (message box, folder
// browser) is asked first.
#include "user32.h"

#include <standin/win32.h>

#include <string>

namespace win32 {
namespace {

void Reject(HWND active, const standin::Action& action, const std::string& why)
{
    standin::Event event;
    event.kind = standin::Event::Kind::ActionRejected;
    event.hwnd = active;
    event.text = why;
    event.caption = action.Describe();
    NotifyDisplay(event);
}

// A key press from the display: the messages the keyboard makes, as input
// for the focused window (or `active` when nothing in it has the focus).
void PressKey(HWND active, UINT virtualKey, unsigned modifiers)
{
    const HWND focus = GetFocus();
    const HWND target = focus && (focus == active || IsChild(active, focus)) ? focus : active;
    const bool alt = (modifiers & standin::Action::kAlt) != 0;
    const bool shift = (modifiers & standin::Action::kShift) != 0;
    // lParam: a repeat count of 1, the context bit (29) with Alt, bits 30 and 31 on release.
    const LPARAM down = alt ? 0x20000001 : 0x00000001;
    const LPARAM up = static_cast<LPARAM>(alt ? 0xE0000001u : 0xC0000001u);
    const UINT keyDown = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT keyUp = alt ? WM_SYSKEYUP : WM_KEYUP;
    if (shift)
        PostInput(target, keyDown, VK_SHIFT, down);
    if (alt)
        PostInput(target, WM_SYSKEYDOWN, VK_MENU, down);
    PostInput(target, keyDown, virtualKey, down);
    PostInput(target, keyUp, virtualKey, up);
    if (alt)
        PostInput(target, WM_KEYUP, VK_MENU, static_cast<LPARAM>(0xC0000001u));
    if (shift)
        PostInput(target, WM_KEYUP, VK_SHIFT, up);
}

// A window without a system menu has no close box; a disabled one does nothing.
void PressClose(HWND dialog)
{
    Window* window = FindWindowObject(dialog);
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (!window || !(window->style & WS_SYSMENU) || (window->windowClass->style & CS_NOCLOSE) ||
        (info && info->closeBoxDisabled))
        return;
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// What keeps the user from working a control: returns why, or "".
std::string Unusable(HWND dialog, int id, const char* className, HWND& control)
{
    control = GetDlgItem(dialog, id);
    Window* window = FindWindowObject(control);
    if (!window)
        return "no control with id " + std::to_string(id);
    if (!ClassNameIs(*window, className))
        return "control " + std::to_string(id) + " is a " + window->windowClass->name + ", not a " + className;
    if (!(window->style & WS_VISIBLE))
        return "control " + std::to_string(id) + " is hidden";
    if (window->style & WS_DISABLED)
        return "control " + std::to_string(id) + " is disabled";
    return std::string();
}

void Click(HWND dialog, const standin::Action& action)
{
    HWND button;
    const std::string why = Unusable(dialog, action.control, "Button", button);
    if (!why.empty()) {
        Reject(dialog, action, why);
        return;
    }
    // A click moves the focus to the button first.
    SetFocus(button);
    if (IsWindow(button))
        SendMessageA(button, BM_CLICK, 0, 0);
}

void Pick(HWND dialog, const standin::Action& action)
{
    HWND combo;
    const std::string why = Unusable(dialog, action.control, "ComboBox", combo);
    if (!why.empty()) {
        Reject(dialog, action, why);
        return;
    }
    const int index = ComboFindExact(combo, action.text);
    if (index < 0) {
        Reject(dialog, action, "combo box " + std::to_string(action.control) + " has no entry \"" + action.text + "\"");
        return;
    }
    SetFocus(combo);
    if (IsWindow(combo))
        ComboUserSelect(combo, index);
}

}  // namespace

void PerformAction(HWND dialog, const standin::Action& action)
{
    if (const ActionHandler handler = ActionHandlerOf(dialog)) {  // a copy: the dialog may go while it runs
        std::string why;
        switch (handler(dialog, action, why)) {
        case ActionOutcome::Done: return;
        case ActionOutcome::Rejected: Reject(dialog, action, why); return;
        case ActionOutcome::NotMine: break;
        }
    }
    using Kind = standin::Action::Kind;
    switch (action.kind) {
    case Kind::Inspect:
        if (action.inspect)
            action.inspect(dialog);
        return;
    case Kind::Enter: PressKey(dialog, VK_RETURN, 0); return;
    case Kind::Escape: PressKey(dialog, VK_ESCAPE, 0); return;
    case Kind::Key: PressKey(dialog, action.virtualKey, action.modifiers); return;
    case Kind::Close: PressClose(dialog); return;
    case Kind::Click: Click(dialog, action); return;
    case Kind::Pick: Pick(dialog, action); return;
    case Kind::Highlight:
    case Kind::HighlightVirtual: Reject(dialog, action, "the active window is not a folder browser"); return;
    }
}

}  // namespace win32
