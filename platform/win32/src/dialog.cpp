// Dialog manager: dialogs from templates, the default dialog procedure, the
// keyboard interface (Enter, Escape, close box) and the modal loop.
//
// The modal loop dispatches posted messages; when the queue is empty it shows the
// dialog the first time, sends WM_ENTERIDLE to the owner, and asks the display
// for the user's next action, which it carries out on the dialog.
//
// Not implemented: keyboard navigation (Tab, arrows, mnemonics), DS_CONTROL child
// dialogs beyond creation, WM_CTLCOLOR*, dialog units from the font (one fixed
// pair of base units serves every dialog), non-client areas.
#include "window.h"

#include <standin/win32.h>

#include <cstring>

namespace win32 {
namespace {

constexpr int kBaseX = standin::kDialogBaseUnitX;
constexpr int kBaseY = standin::kDialogBaseUnitY;

LONG_PTR ReadExtra(const Window& window, int offset) {
    LONG_PTR value = 0;
    if (static_cast<size_t>(offset) + sizeof(value) <= window.extra.size())
        std::memcpy(&value, window.extra.data() + offset, sizeof(value));
    return value;
}

void WriteExtra(Window& window, int offset, LONG_PTR value) {
    if (static_cast<size_t>(offset) + sizeof(value) <= window.extra.size())
        std::memcpy(window.extra.data() + offset, &value, sizeof(value));
}

// A direct child by id, without touching the last error as GetDlgItem does.
HWND ChildById(HWND dialog, int id) {
    Window* window = FindWindowObject(dialog);
    if (!window)
        return nullptr;
    for (HWND child : window->children) {
        if (Window* c = FindWindowObject(child); c && static_cast<int>(c->id) == id)
            return child;
    }
    return nullptr;
}

HWND FindDefaultButton(HWND dialog) {
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

bool OwnStyleAllows(HWND hwnd) {
    Window* window = FindWindowObject(hwnd);
    return window && (window->style & WS_VISIBLE) && !(window->style & WS_DISABLED);
}

void SaveFocus(HWND dialog) {
    HWND focus = GetFocus();
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (info && focus && IsChild(dialog, focus))
        info->savedFocus = focus;
}

void RestoreFocus(HWND dialog) {
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
LRESULT SetDefaultId(HWND dialog, WPARAM id) {
    HWND previous = FindDefaultButton(dialog);
    HWND next = ChildById(dialog, static_cast<int>(id));
    if (previous && previous != next)
        SendMessageA(previous, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (next && IsPushButton(next))
        SendMessageA(next, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    if (DialogInfo* info = GetDialogInfo(dialog, false))
        info->defaultId = static_cast<int>(id);
    return TRUE;
}

LRESULT GetDefaultId(HWND dialog) {
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (!info || info->ended)
        return 0;
    if (info->defaultId)
        return MAKELONG(info->defaultId, DC_HASDEFID);
    if (HWND button = FindDefaultButton(dialog))
        return MAKELONG(GetDlgCtrlID(button), DC_HASDEFID);
    return 0;
}

LRESULT NextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(lParam)) {
        HWND target = reinterpret_cast<HWND>(wParam);
        if (IsChild(dialog, target))
            SetFocus(target);
        return 0;
    }
    Window* window = FindWindowObject(dialog);
    if (!window)
        return 0;
    std::vector<HWND> stops;
    for (HWND child : window->children) {
        Window* c = FindWindowObject(child);
        if (c && (c->style & WS_TABSTOP) && OwnStyleAllows(child))
            stops.push_back(child);
    }
    if (stops.empty())
        return 0;
    const HWND focus = GetFocus();
    size_t at = 0;
    while (at < stops.size() && stops[at] != focus)
        ++at;
    const bool previous = wParam != 0;
    size_t next;
    if (at == stops.size())
        next = previous ? stops.size() - 1 : 0;
    else
        next = previous ? (at + stops.size() - 1) % stops.size() : (at + 1) % stops.size();
    SetFocus(stops[next]);
    return 0;
}

// The close box and Alt+F4 end up here: the dialog hears IDCANCEL, unless it
// has a Cancel button that is disabled.
LRESULT Close(HWND dialog) {
    HWND cancel = ChildById(dialog, IDCANCEL);
    if (!cancel || IsWindowEnabled(cancel))
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    return 0;
}

LRESULT DefaultDialogHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
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

void EndDialogAt(HWND dialog, INT_PTR result) {
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (!info)
        return;
    info->ended = true;
    info->result = result;
    const HWND owner = info->disabledOwner;
    info->disabledOwner = nullptr;
    if (owner)
        EnableWindow(owner, TRUE);
    // Windows hides the dialog at once; the modal loop destroys it later.
    SetVisible(dialog, false, false);
}

// ---- the user's actions ----

void Reject(HWND active, const standin::Action& action, const std::string& why) {
    standin::Event event;
    event.kind = standin::Event::Kind::ActionRejected;
    event.hwnd = active;
    event.text = why;
    event.caption = action.Describe();
    NotifyDisplay(event);
}

// Enter clicks the focused push button, else the default button (DM_GETDEFID)
// unless it is disabled, else sends IDOK.
void PressEnter(HWND dialog) {
    HWND focus = GetFocus();
    if (focus && IsChild(dialog, focus) && IsPushButton(focus)) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        return;
    }
    const LRESULT defaultId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    if (HIWORD(defaultId) == DC_HASDEFID) {
        const int id = LOWORD(defaultId);
        HWND button = ChildById(dialog, id);
        if (!button || IsWindowEnabled(button))
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ChildById(dialog, IDOK)));
}

void PressEscape(HWND dialog) {
    HWND cancel = ChildById(dialog, IDCANCEL);
    if (cancel && !IsWindowEnabled(cancel))
        return;
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
}

// A window without a system menu has no close box; a disabled one does nothing.
void PressClose(HWND dialog) {
    Window* window = FindWindowObject(dialog);
    DialogInfo* info = GetDialogInfo(dialog, false);
    if (!window || !(window->style & WS_SYSMENU) || (window->windowClass->style & CS_NOCLOSE) ||
        (info && info->closeBoxDisabled))
        return;
    SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// What keeps the user from working a control: returns why, or "".
std::string Unusable(HWND dialog, int id, const char* className, HWND& control) {
    control = ChildById(dialog, id);
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

void Click(HWND dialog, const standin::Action& action) {
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

void Pick(HWND dialog, const standin::Action& action) {
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

void Perform(HWND dialog, const standin::Action& action) {
    if (DialogInfo* info = GetDialogInfo(dialog, false); info && info->actionHandler) {
        const ActionHandler handler = info->actionHandler;  // the dialog may go while it runs
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
    case Kind::Enter: PressEnter(dialog); return;
    case Kind::Escape: PressEscape(dialog); return;
    case Kind::Close: PressClose(dialog); return;
    case Kind::Click: Click(dialog, action); return;
    case Kind::Pick: Pick(dialog, action); return;
    case Kind::Highlight:
    case Kind::HighlightVirtual: Reject(dialog, action, "the active window is not a folder browser"); return;
    }
}

std::unique_ptr<DialogFont> MakeFont(const standin::DialogTemplate& t) {
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

std::string ClassOf(const standin::ResourceId& id) {
    return id.isOrdinal ? standin::ClassNameOfOrdinal(id.ordinal) : id.name;
}

// Controls in template order; false when one cannot be made and the template
// does not allow that (DS_NOFAILCREATE).
bool CreateControls(HWND dialog, HINSTANCE instance, const standin::DialogTemplate& t, HFONT font) {
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
        HWND control = className.empty()
                           ? nullptr
                           : CreateWindowExA(item.exStyle | WS_EX_NOPARENTNOTIFY, className.c_str(), title.c_str(),
                                             (item.style | WS_CHILD) & ~static_cast<DWORD>(WS_POPUP),
                                             MulDiv(item.x, kBaseX, 4), MulDiv(item.y, kBaseY, 8),
                                             MulDiv(item.cx, kBaseX, 4), MulDiv(item.cy, kBaseY, 8), dialog,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance,
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
    }
    return true;
}

}  // namespace

DialogInfo* GetDialogInfo(HWND hwnd, bool create) {
    Window* window = FindWindowObject(hwnd);
    if (!window)
        return nullptr;
    if (!window->dialog && create)
        window->dialog = std::make_unique<DialogInfo>();
    return window->dialog.get();
}

HWND FirstTabStop(HWND dialog) {
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

HWND CreateDialogFromTemplate(HINSTANCE instance, const void* data, size_t size, HWND owner, DLGPROC proc,
                              LPARAM param, bool modal) {
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
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
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

INT_PTR RunModalLoop(HWND dialog, INT_PTR resultIfInputRunsOut, bool* inputRanOut) {
    bool firstIdle = true;
    while (true) {
        DialogInfo* info = GetDialogInfo(dialog, false);
        if (!info)
            return 0;  // someone destroyed the dialog under its loop
        if (info->ended)
            break;
        MSG message;
        if (TakePostedMessage(message)) {
            if (message.message == WM_QUIT) {
                // The quit message belongs to the outer loop: pass it on and stop.
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            if (!IsDialogMessageA(dialog, &message))
                DispatchMessageA(&message);
            continue;
        }
        if (firstIdle) {
            firstIdle = false;
            if (!IsWindowVisible(dialog))
                ShowWindow(dialog, SW_SHOWNORMAL);
            continue;
        }
        Window* window = FindWindowObject(dialog);
        if (window && window->owner && !(window->style & DS_NOIDLEMSG)) {
            SendMessageA(window->owner, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
            if (HasPostedMessages() || !IsWindow(dialog))
                continue;
        }
        standin::Display* display = standin::GetDisplay();
        std::optional<standin::Action> action = display ? display->WaitForAction(dialog) : std::nullopt;
        if (!action) {
            if (inputRanOut)
                *inputRanOut = true;
            EndDialogAt(dialog, resultIfInputRunsOut);
            break;
        }
        Perform(dialog, *action);
    }
    DialogInfo* info = GetDialogInfo(dialog, false);
    const INT_PTR result = info ? info->result : 0;
    DestroyWindow(dialog);
    return result;
}

}  // namespace win32

using namespace win32;

LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
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
        message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON ||
        message == WM_INITDIALOG)
        return result;
    return ReadExtra(*window, DWLP_MSGRESULT);
}

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner, DLGPROC proc,
                                       LPARAM param) {
    if (!dialogTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A template in memory carries no size: the caller vouches for it, as on Windows.
    return CreateDialogFromTemplate(instance, dialogTemplate, 0x100000, owner, proc, param, false);
}

HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
    auto resource = LoadResourceBytes(instance, name, RT_DIALOG);
    if (!resource)
        return nullptr;
    return CreateDialogFromTemplate(instance, resource->data, resource->size, owner, proc, param, false);
}

namespace {

INT_PTR RunDialogBox(HINSTANCE instance, const void* data, size_t size, HWND owner, DLGPROC proc, LPARAM param) {
    HWND dialog = CreateDialogFromTemplate(instance, data, size, owner, proc, param, true);
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

}  // namespace

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner, DLGPROC proc,
                                       LPARAM param) {
    if (!standin::GetDisplay()) {
        SetLastError(ERROR_NOT_READY);
        return -1;
    }
    if (!dialogTemplate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    return RunDialogBox(instance, dialogTemplate, 0x100000, owner, proc, param);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
    if (!standin::GetDisplay()) {
        SetLastError(ERROR_NOT_READY);
        return -1;
    }
    auto resource = LoadResourceBytes(instance, name, RT_DIALOG);
    if (!resource)
        return -1;
    return RunDialogBox(instance, resource->data, resource->size, owner, proc, param);
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    if (!ValidWindow(dialog))
        return FALSE;
    if (!GetDialogInfo(dialog, false)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    EndDialogAt(dialog, result);
    return TRUE;
}

// Takes the keys the dialog manager handles (Enter, Escape) and dispatches
// every other message of the dialog and its controls.
BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG message) {
    if (!message || !IsWindow(dialog) || (message->hwnd != dialog && !IsChild(dialog, message->hwnd)))
        return FALSE;
    if (message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
        PressEnter(dialog);
        return TRUE;
    }
    if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE) {
        PressEscape(dialog);
        return TRUE;
    }
    DispatchMessageA(message);
    return TRUE;
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
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

LONG WINAPI GetDialogBaseUnits(void) { return MAKELONG(kBaseX, kBaseY); }
