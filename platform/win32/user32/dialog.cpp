// Dialog manager: dialogs from templates, the default dialog procedure, the
// keyboard interface (IsDialogMessage) and the modal loop.
//
// The modal loop takes the thread's messages as GetMessage would (posted, then
// input, then due timers) and hands each to IsDialogMessage. When there is
// none it shows the dialog the first time, sends WM_ENTERIDLE to the owner,
// and waits: for the display's next action (carried out by dialog_actions.cpp),
// or, with no display, for the next timer.
//
// The keyboard, as Windows has it: the focused control is asked WM_GETDLGCODE
// (with the message) and keeps the keys it wants. Otherwise Tab and Shift-Tab
// go to the next or previous tab stop (WM_NEXTDLGCTL), the arrows within the
// group, Enter clicks the focused push button when it looks like the default
// one and else the default id (DM_GETDEFID) unless its button is disabled,
// Escape sends IDCANCEL, and a typed character that is a control's mnemonic
// ("&Yes") clicks that push button or moves the focus there. When the focus
// moves by WM_NEXTDLGCTL onto a push button, that button looks like the
// default (BS_DEFPUSHBUTTON) until the focus leaves the push buttons.
//
// Not implemented: modeless dialogs (CreateDialog*), dialogs named by their
// resource (DialogBoxParam: the class library finds the template itself),
// DS_CONTROL child dialogs beyond creation, WM_CTLCOLOR*, dialog units from the
// font (one fixed pair of base units serves every dialog), non-client areas,
// radio-button groups clicked by the arrows, the keyboard interface and the
// tab order as an API (IsDialogMessage, GetNextDlgTabItem, GetNextDlgGroupItem).
#include "user32.h"

#include <standin/win32.h>

#include <algorithm>
#include <cstring>

namespace win32 {
namespace {

constexpr int kBaseX = standin::kDialogBaseUnitX;
constexpr int kBaseY = standin::kDialogBaseUnitY;

LONG_PTR ReadExtra(const Window& window, int offset)
{
    LONG_PTR value = 0;
    if (static_cast<size_t>(offset) + sizeof(value) <= window.extra.size())
        std::memcpy(&value, window.extra.data() + offset, sizeof(value));
    return value;
}

void WriteExtra(Window& window, int offset, LONG_PTR value)
{
    if (static_cast<size_t>(offset) + sizeof(value) <= window.extra.size())
        std::memcpy(window.extra.data() + offset, &value, sizeof(value));
}

HWND FindDefaultButton(HWND dialog)
{
    Window* window = FindWindowObject(dialog);
    if (!window)
        return nullptr;
    const std::vector<HWND> children = window->children;
    for (HWND child : children) {
        if (FindWindowObject(child) && (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
            return child;
    }
    return nullptr;
}

bool OwnStyleAllows(HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    return window && (window->style & WS_VISIBLE) && !(window->style & WS_DISABLED);
}

void SaveFocus(HWND dialog)
{
    HWND focus = GetFocus();
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (info && focus && IsChild(dialog, focus))
        info->savedFocus = focus;
}

void RestoreFocus(HWND dialog)
{
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (!info)
        return;
    HWND target = info->savedFocus;
    if (!target || !IsChild(dialog, target) || !IsWindowEnabled(target))
        target = FirstTabStop(dialog);
    if (target)
        SetFocus(target);
}

// DM_SETDEFID: the old default push button becomes an ordinary one and the new
// one, if it is a push button, the default.
LRESULT SetDefaultId(HWND dialog, WPARAM id)
{
    HWND previous = FindDefaultButton(dialog);
    HWND next = GetDlgItem(dialog, static_cast<int>(id));
    if (previous && previous != next)
        SendMessageA(previous, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (next && IsPushButton(next))
        SendMessageA(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    if (DialogInfo* info = GetDialogInfo(dialog, false))
        info->defaultId = static_cast<int>(id);
    return TRUE;
}

LRESULT GetDefaultId(HWND dialog)
{
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (!info || info->ended)
        return 0;
    if (info->defaultId)
        return MAKELONG(info->defaultId, DC_HASDEFID);
    if (HWND button = FindDefaultButton(dialog))
        return MAKELONG(GetDlgCtrlID(button), DC_HASDEFID);
    return 0;
}

// The push button that the focus moves to looks like the default one; when
// the focus moves elsewhere, the default id's button does again.
void SetDefaultLook(HWND dialog, HWND focus)
{
    Window* window = FindWindowObject(dialog);
    if (!window)
        return;
    HWND looksDefault = focus && IsPushButton(focus) ? focus : nullptr;
    if (!looksDefault) {
        const LRESULT defaultId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
        if (HIWORD(defaultId) == DC_HASDEFID)
            looksDefault = GetDlgItem(dialog, LOWORD(defaultId));
    }
    const std::vector<HWND> children = window->children;
    for (HWND child : children) {
        if (child == looksDefault || !FindWindowObject(child))
            continue;
        if (SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            SendMessageA(child, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    }
    if (looksDefault && IsPushButton(looksDefault) &&
        !(SendMessageA(looksDefault, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
        SendMessageA(looksDefault, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// The next (or previous) visible, enabled WS_TABSTOP control after `control`,
// going round; from no control, the first (or the last).
HWND NextTabStop(HWND dialog, HWND control, bool previous)
{
    Window* window = FindWindowObject(dialog);
    if (!window)
        return nullptr;
    std::vector<HWND> stops;
    for (HWND child : window->children) {
        Window* c = FindWindowObject(child);
        if (c && (c->style & WS_TABSTOP) && OwnStyleAllows(child))
            stops.push_back(child);
    }
    if (stops.empty())
        return nullptr;
    const auto at = std::find(stops.begin(), stops.end(), control);
    if (at == stops.end())
        return previous ? stops.back() : stops.front();
    const size_t index = static_cast<size_t>(at - stops.begin());
    return stops[previous ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size()];
}

// The next (or previous) visible, enabled control of the group of `control`:
// from the control with WS_GROUP to the one before the next such control.
HWND NextInGroup(HWND dialog, HWND control, bool previous)
{
    Window* window = FindWindowObject(dialog);
    if (!window)
        return nullptr;
    const std::vector<HWND>& children = window->children;
    const auto at = std::find(children.begin(), children.end(), control);
    if (at == children.end())
        return nullptr;
    size_t first = static_cast<size_t>(at - children.begin());
    while (first > 0) {
        Window* c = FindWindowObject(children[first]);
        if (c && (c->style & WS_GROUP))
            break;
        --first;
    }
    size_t last = static_cast<size_t>(at - children.begin());
    while (last + 1 < children.size()) {
        Window* c = FindWindowObject(children[last + 1]);
        if (c && (c->style & WS_GROUP))
            break;
        ++last;
    }
    std::vector<HWND> group;
    for (size_t i = first; i <= last; ++i) {
        if (children[i] == control || OwnStyleAllows(children[i]))
            group.push_back(children[i]);
    }
    const size_t index = static_cast<size_t>(std::find(group.begin(), group.end(), control) - group.begin());
    return group[previous ? (index + group.size() - 1) % group.size() : (index + 1) % group.size()];
}

// WM_NEXTDLGCTL: lParam TRUE names the control in wParam; otherwise wParam 0
// is the next tab stop after the focus, non-zero the previous one.
LRESULT NextControl(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    HWND target = nullptr;
    if (LOWORD(lParam)) {
        target = reinterpret_cast<HWND>(wParam);
        if (!IsChild(dialog, target))
            return 0;
    } else {
        const HWND focus = GetFocus();
        target = NextTabStop(dialog, IsChild(dialog, focus) ? focus : nullptr, wParam != 0);
    }
    if (!target)
        return 0;
    SetFocus(target);
    if (GetFocus() == target)
        SetDefaultLook(dialog, target);
    return 0;
}

// The close box and Alt+F4 end up here: the dialog hears IDCANCEL, unless it
// has a Cancel button that is disabled.
LRESULT Close(HWND dialog)
{
    HWND cancel = GetDlgItem(dialog, IDCANCEL);
    if (!cancel || IsWindowEnabled(cancel))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    return 0;
}

LRESULT DefaultDialogHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_SHOWWINDOW:
        if (!wParam)
            SaveFocus(dialog);
        return DefWindowProcA(dialog, message, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            RestoreFocus(dialog);
        else
            SaveFocus(dialog);
        return 0;
    case WM_SETFOCUS: RestoreFocus(dialog); return 0;
    case DM_SETDEFID: return SetDefaultId(dialog, wParam);
    case DM_GETDEFID: return GetDefaultId(dialog);
    case WM_NEXTDLGCTL: return NextControl(dialog, wParam, lParam);
    case WM_GETFONT: {
        DialogInfo* info = GetDialogInfo(dialog, false);
        return info ? reinterpret_cast<LRESULT>(info->font) : 0;
    }
    case WM_CLOSE: return Close(dialog);
    case WM_NCDESTROY:
        if (DialogInfo* info = GetDialogInfo(dialog, false)) {
            info->font = nullptr;
            info->ownedFont.reset();
        }
        return DefWindowProcA(dialog, message, wParam, lParam);
    default: return 0;
    }
}

void EndDialogAt(HWND dialog, INT_PTR result)
{
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (!info)
        return;
    info->ended = true;
    info->result = result;
    const HWND owner = info->disabledOwner;
    info->disabledOwner = nullptr;
    if (owner)
        EnableWindow(owner, TRUE);
    // Windows hides the dialog at once, and the focus leaves it (to the
    // owner, which becomes active); the modal loop destroys it later.
    const HWND focus = GetFocus();
    if (focus && (focus == dialog || IsChild(dialog, focus))) {
        Window* window = FindWindowObject(dialog);
        SetFocus(window ? window->owner : nullptr);
    }
    if (FindWindowObject(dialog))
        SetVisible(dialog, false, false);
}

// Enter: the focused push button when it looks like the default one, else
// the default id unless its button is disabled, else IDOK.
void DialogEnter(HWND dialog)
{
    const HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus) && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        return;
    }
    const LRESULT defaultId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(defaultId) == DC_HASDEFID) {
        const int id = LOWORD(defaultId);
        HWND button = GetDlgItem(dialog, id);
        if (!button || IsWindowEnabled(button))
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

// Escape sends IDCANCEL whatever the state of the Cancel button.
void DialogEscape(HWND dialog)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
}

// The mnemonic of a control's text: the character after a single '&'.
char MnemonicOf(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return text[i + 1];
        ++i;
    }
    return 0;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A typed character that is a control's mnemonic, searched after the focus
// and round: a push button is clicked, a static label gives the focus to the
// tab stop after it, another control takes the focus. False when none has it.
bool DialogMnemonic(HWND dialog, char character)
{
    Window* window = FindWindowObject(dialog);
    if (!window || !character)
        return false;
    const std::vector<HWND> children = window->children;
    const HWND focus = GetFocus();
    size_t start = 0;
    for (size_t i = 0; i < children.size(); ++i) {
        if (children[i] == focus)
            start = i + 1;
    }
    for (size_t step = 0; step < children.size(); ++step) {
        const HWND child = children[(start + step) % children.size()];
        Window* c = FindWindowObject(child);
        if (!c || !OwnStyleAllows(child))
            continue;
        const LRESULT code = SendMessageA(child, WM_GETDLGCODE, 0, 0);
        if ((code & DLGC_STATIC) && (c->style & SS_NOPREFIX))
            continue;
        if (Lower(MnemonicOf(c->text)) != Lower(character))
            continue;
        if (code & DLGC_STATIC) {
            if (HWND next = NextTabStop(dialog, child, false))
                SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        } else if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
            SendMessageA(child, BM_CLICK, 0, 0);
        } else {
            SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(child), TRUE);
            if (code & DLGC_BUTTON)
                SendMessageA(child, BM_CLICK, 0, 0);
        }
        return true;
    }
    return false;
}

std::unique_ptr<DialogFont> MakeFont(const standin::DialogTemplate& t)
{
    if (!(t.style & DS_SETFONT))
        return nullptr;
    auto font = std::make_unique<DialogFont>();
    font->typeface = t.pointSize == 0x7FFF ? "MS Shell Dlg" : t.typeface;
    font->pointSize = t.pointSize == 0x7FFF ? 8 : t.pointSize;
    font->weight = t.weight;
    font->italic = t.italic;
    font->charset = t.charset;
    return font;
}

std::string ClassOf(const standin::ResourceId& id)
{
    return id.isOrdinal ? standin::ClassNameOfOrdinal(id.ordinal) : id.name;
}

// Controls in template order; false when one cannot be made and the template
// does not allow that (DS_NOFAILCREATE).
bool CreateControls(HWND dialog, HINSTANCE instance, const standin::DialogTemplate& t, HFONT font)
{
    for (const standin::DialogItemTemplate& item : t.items) {
        const std::string className = ClassOf(item.windowClass);
        const std::string title = item.title.isOrdinal ? std::string() : item.title.name;
        // The creation data reaches WM_CREATE with its size WORD in front.
        std::vector<uint8_t> creationData;
        if (!item.creationData.empty()) {
            const uint16_t size = static_cast<uint16_t>(item.creationData.size());
            creationData.resize(2);
            std::memcpy(creationData.data(), &size, 2);
            creationData.insert(creationData.end(), item.creationData.begin(), item.creationData.end());
        }
        HWND control =
            className.empty()
                ? nullptr
                : CreateWindowExA(item.exStyle | WS_EX_NOPARENTNOTIFY, className.c_str(), title.c_str(),
                                  (item.style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP), MulDiv(item.x, kBaseX, 4),
                                  MulDiv(item.y, kBaseY, 8), MulDiv(item.cx, kBaseX, 4), MulDiv(item.cy, kBaseY, 8),
                                  dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance,
                                  creationData.empty() ? nullptr : creationData.data());
        if (!IsWindow(dialog))
            return false;
        if (!control) {
            if (t.style & DS_NOFAILCREATE)
                continue;
            return false;
        }
        if (font)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        // The first default push button of the template gives the dialog its default id.
        DialogInfo* info = GetDialogInfo(dialog, false);
        if (info && !info->defaultId && (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
            info->defaultId = GetDlgCtrlID(control);
    }
    return true;
}

// The dialog's keyboard interface (see the top of the file); every other
// message of the dialog and its controls is translated and dispatched.
bool IsDialogMessage(HWND dialog, const MSG& message)
{
    if (!IsWindow(dialog) || (message.hwnd != dialog && !IsChild(dialog, message.hwnd)))
        return false;
    const HWND target = message.hwnd;
    const auto wants = [&](LRESULT bits) {
        return (SendMessageA(target, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message)) & bits) != 0;
    };
    switch (message.message) {
    case WM_KEYDOWN:
        if (wants(DLGC_WANTMESSAGE))
            break;
        switch (message.wParam) {
        case VK_TAB:
            if (wants(DLGC_WANTTAB))
                break;
            SendMessageA(dialog, WM_NEXTDLGCTL, KeyIsDown(VK_SHIFT) ? 1 : 0, FALSE);
            return true;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (wants(DLGC_WANTARROWS))
                break;
            if (HWND next = NextInGroup(dialog, target, message.wParam == VK_LEFT || message.wParam == VK_UP))
                SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
            return true;
        case VK_ESCAPE: DialogEscape(dialog); return true;
        case VK_RETURN: DialogEnter(dialog); return true;
        default: break;
        }
        break;
    case WM_CHAR:
        if (wants(DLGC_WANTCHARS | DLGC_WANTMESSAGE) || (message.wParam == '\t' && wants(DLGC_WANTTAB)))
            break;
        if (message.wParam == '\t' || DialogMnemonic(dialog, static_cast<char>(message.wParam)))
            return true;
        break;
    case WM_SYSCHAR:
        if (DialogMnemonic(dialog, static_cast<char>(message.wParam)))
            return true;
        break;
    default: break;
    }
    Translate(message);
    Dispatch(message);
    return true;
}

}  // namespace

DialogInfo* GetDialogInfo(HWND hwnd, bool create)
{
    Window* window = FindWindowObject(hwnd);
    if (!window)
        return nullptr;
    if (!window->dialog && create)
        window->dialog = std::make_unique<DialogInfo>();
    return window->dialog.get();
}

HWND FirstTabStop(HWND dialog)
{
    Window* window = FindWindowObject(dialog);
    if (!window)
        return nullptr;
    for (HWND child : window->children) {
        Window* c = FindWindowObject(child);
        if (c && (c->style & WS_TABSTOP) && OwnStyleAllows(child))
            return child;
    }
    return nullptr;
}

HWND CreateDialogFromTemplate(HINSTANCE instance, const void* data, size_t size, HWND owner, DLGPROC proc, LPARAM param,
                              bool modal)
{
    const auto parsed = standin::ParseDialogTemplate(data, size);
    if (!parsed) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    const standin::DialogTemplate& t = *parsed;
    HWND desktop = DesktopWindow();
    if (owner && !ValidWindow(owner))
        return nullptr;
    // The owner of a dialog is always a top-level window.
    for (Window* o = FindWindowObject(owner); o && !(t.style & WS_CHILD); o = FindWindowObject(o->parent)) {
        owner = o->handle;
        if (IsTopLevel(*o))
            break;
    }
    if (owner == desktop)
        owner = nullptr;

    auto font = MakeFont(t);
    const HFONT fontHandle = reinterpret_cast<HFONT>(font.get());
    std::string className = "#32770";
    if (t.windowClass)
        className = ClassOf(*t.windowClass);
    int x = MulDiv(t.x, kBaseX, 4);
    int y = MulDiv(t.y, kBaseY, 8);
    const int width = MulDiv(t.cx, kBaseX, 4);
    const int height = MulDiv(t.cy, kBaseY, 8);
    if (t.style & DS_CENTER) {
        x = (kScreenWidth - width) / 2;
        y = (kScreenHeight - height) / 2;
    } else if (owner && !(t.style & (DS_ABSALIGN | WS_CHILD))) {
        RECT ownerRect;
        GetWindowRect(owner, &ownerRect);
        x += ownerRect.left;
        y += ownerRect.top;
    }
    DWORD exStyle = t.exStyle;
    if (t.style & DS_MODALFRAME)
        exStyle |= WS_EX_DLGMODALFRAME;

    HWND disabledOwner = nullptr;
    if (modal && owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        disabledOwner = owner;
    }
    HWND dialog = CreateWindowExA(exStyle, className.c_str(), t.caption.c_str(), t.style & ~WS_VISIBLE, x, y, width,
                                  height, owner, nullptr, instance, nullptr);
    if (!dialog) {
        if (disabledOwner)
            EnableWindow(disabledOwner, TRUE);
        return nullptr;
    }
    DialogInfo* info = GetDialogInfo(dialog, true);
    info->disabledOwner = disabledOwner;
    info->font = fontHandle;
    info->ownedFont = std::move(font);
    WriteExtra(*FindWindowObject(dialog), DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
    if (proc && fontHandle)
        SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle), 0);

    if (!IsWindow(dialog) || !CreateControls(dialog, instance, t, fontHandle)) {
        if (DialogInfo* failed = GetDialogInfo(dialog, false))
            failed->disabledOwner = nullptr;
        if (disabledOwner)
            EnableWindow(disabledOwner, TRUE);
        if (IsWindow(dialog))
            DestroyWindow(dialog);
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }

    if (proc) {
        // WM_INITDIALOG names the control that would get the focus; answering TRUE
        // puts the focus on the first visible, enabled tab stop.
        HWND focus = FirstTabStop(dialog);
        const LRESULT setFocus = SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param);
        if (setFocus && IsWindow(dialog) && (!(t.style & DS_CONTROL) || (t.style & WS_VISIBLE))) {
            focus = FirstTabStop(dialog);
            if (focus)
                SetFocus(focus);
            else if (!(t.style & WS_CHILD))
                SetFocus(dialog);
        }
    }
    info = GetDialogInfo(dialog, false);
    if (!info)
        return nullptr;
    if ((t.style & WS_VISIBLE) && !info->ended && !IsWindowVisible(dialog))
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

INT_PTR RunModalLoop(HWND dialog, INT_PTR resultIfInputRunsOut, bool* inputRanOut)
{
    bool shown = false;
    while (true) {
        DialogInfo* info = GetDialogInfo(dialog, false);
        if (!info)
            return 0;  // someone destroyed the dialog under its loop
        if (info->ended)
            break;
        MSG message;
        if (TakeMessage(message)) {
            if (!IsDialogMessage(dialog, message)) {
                Translate(message);
                Dispatch(message);
            }
            continue;
        }
        if (!shown) {
            shown = true;
            if (!IsWindowVisible(dialog))
                ShowWindow(dialog, SW_SHOWNORMAL);
            continue;
        }
        Window* window = FindWindowObject(dialog);
        if (window && window->owner && !(window->style & DS_NOIDLEMSG)) {
            SendMessageA(window->owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            if (HasMessages() || !IsWindow(dialog))
                continue;
        }
        if (standin::Display* display = standin::GetDisplay()) {
            std::optional<standin::Action> action = display->WaitForAction(dialog);
            if (action) {
                PerformAction(dialog, *action);
                continue;
            }
        } else if (WaitForTimer()) {
            continue;
        }
        // Nothing more can come: the user is gone.
        if (inputRanOut)
            *inputRanOut = true;
        EndDialogAt(dialog, resultIfInputRunsOut);
        break;
    }
    DialogInfo* info = GetDialogInfo(dialog, false);
    const INT_PTR result = info ? info->result : 0;
    DestroyWindow(dialog);
    return result;
}

LRESULT CALLBACK DefaultDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = ValidWindow(dialog);
    if (!window)
        return 0;
    GetDialogInfo(dialog, true);
    const auto proc = reinterpret_cast<DLGPROC>(ReadExtra(*window, DWLP_DLGPROC));
    WriteExtra(*window, DWLP_MSGRESULT, 0);
    INT_PTR result = proc ? proc(dialog, message, wParam, lParam) : 0;
    window = FindWindowObject(dialog);
    if (!window)
        return result;
    if (!proc || !result) {
        switch (message) {
        case WM_ERASEBKGND:
        case WM_SHOWWINDOW:
        case WM_ACTIVATE:
        case WM_SETFOCUS:
        case DM_SETDEFID:
        case DM_GETDEFID:
        case WM_NEXTDLGCTL:
        case WM_GETFONT:
        case WM_CLOSE:
        case WM_NCDESTROY: return DefaultDialogHandling(dialog, message, wParam, lParam);
        case WM_INITDIALOG:
        case WM_VKEYTOITEM:
        case WM_COMPAREITEM:
        case WM_CHARTOITEM: break;
        default: return DefWindowProcA(dialog, message, wParam, lParam);
        }
    }
    // These messages answer with the dialog procedure's own result; all others
    // with what it stored at DWLP_MSGRESULT.
    if ((message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
        message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON || message == WM_INITDIALOG)
        return result;
    return ReadExtra(*window, DWLP_MSGRESULT);
}

}  // namespace win32

using namespace win32;

// A template in memory carries no size: the caller vouches for it, as on Windows.
INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner, DLGPROC proc,
                                       LPARAM param)
{
    if (!dialogTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    HWND dialog = CreateDialogFromTemplate(instance, dialogTemplate, 0x100000, owner, proc, param, true);
    if (!dialog)
        return -1;
    const INT_PTR result = RunModalLoop(dialog, IDCANCEL, nullptr);
    standin::Event event;
    event.kind = standin::Event::Kind::DialogEnded;
    event.hwnd = dialog;
    event.result = result;
    NotifyDisplay(event);
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result)
{
    if (!ValidWindow(dialog))
        return FALSE;
    if (!GetDialogInfo(dialog, false)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    EndDialogAt(dialog, result);
    return TRUE;
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect)
{
    if (!ValidWindow(dialog) || !rect)
        return FALSE;
    if (!GetDialogInfo(dialog, false)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    rect->left = MulDiv(rect->left, kBaseX, 4);
    rect->right = MulDiv(rect->right, kBaseX, 4);
    rect->top = MulDiv(rect->top, kBaseY, 8);
    rect->bottom = MulDiv(rect->bottom, kBaseY, 8);
    return TRUE;
}
