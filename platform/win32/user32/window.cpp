// Windows and window classes: creation, destruction, relations, texts, styles,
// and the delivery of messages to their procedures.
//
// Not implemented: non-client areas (a window's client area is the whole window),
// z-order changes, window properties, cross-thread windows, WM_STYLECHANGING /
// WM_STYLECHANGED, WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED, menus.
#include "faults.h"
#include "user32.h"

#include <standin/messagelog.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace win32 {
namespace {

struct WindowTable {
    std::map<HWND, std::unique_ptr<Window>> windows;
    uintptr_t nextHandle = 0x10020;  // handles are never reused
    HWND desktop = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
};

WindowTable& Table()
{
    static WindowTable table;
    return table;
}

struct ClassTable {
    std::vector<std::shared_ptr<WindowClass>> classes;
    ATOM nextAtom = 0xC000;
};

ClassTable& Classes()
{
    static ClassTable table;
    return table;
}

HWND NewHandle()
{
    WindowTable& table = Table();
    HWND hwnd = reinterpret_cast<HWND>(table.nextHandle);
    table.nextHandle += 2;
    return hwnd;
}

bool NamesMatch(const WindowClass& windowClass, LPCSTR name)
{
    if (IS_INTRESOURCE(name))
        return windowClass.atom == static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(name));
    return EqualIgnoringCaseAscii(windowClass.name, name);
}

ATOM AddClass(const WNDCLASSA& wc, bool system)
{
    if (!wc.lpszClassName || (!IS_INTRESOURCE(wc.lpszClassName) && !*wc.lpszClassName) ||
        IS_INTRESOURCE(wc.lpszClassName) || wc.cbClsExtra < 0 || wc.cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (const auto& existing : Classes().classes) {
        if (NamesMatch(*existing, wc.lpszClassName) &&
            (existing->instance == wc.hInstance || existing->system || system)) {
            SetLastError(ERROR_CLASS_ALREADY_EXISTS);
            return 0;
        }
    }
    auto windowClass = std::make_shared<WindowClass>();
    windowClass->name = wc.lpszClassName;
    windowClass->atom = Classes().nextAtom++;
    windowClass->style = wc.style;
    windowClass->proc = wc.lpfnWndProc;
    windowClass->classExtra = wc.cbClsExtra;
    windowClass->windowExtra = wc.cbWndExtra;
    windowClass->instance = wc.hInstance;
    windowClass->system = system;
    Classes().classes.push_back(windowClass);
    return windowClass->atom;
}

void RegisterSystemClass(const char* name, WNDPROC proc, int windowExtra, UINT style)
{
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = windowExtra;
    wc.lpszClassName = name;
    AddClass(wc, true);
}

void LinkChild(Window& parent, HWND child) { parent.children.push_back(child); }

void UnlinkChild(HWND parentHandle, HWND child)
{
    if (Window* parent = FindWindowObject(parentHandle)) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), child), siblings.end());
    }
}

bool IsDescendantOrSelf(HWND ancestor, HWND hwnd)
{
    for (Window* w = FindWindowObject(hwnd); w; w = FindWindowObject(w->parent)) {
        if (w->handle == ancestor)
            return true;
    }
    return false;
}

// Windows sends WM_DESTROY to a window before its children, and frees the
// children (WM_NCDESTROY) before the window itself.
void SendDestroy(HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    if (!window)
        return;
    Deliver(hwnd, WM_DESTROY, 0, 0, false);
    window = FindWindowObject(hwnd);
    if (!window)
        return;
    const std::vector<HWND> children = window->children;
    for (HWND child : children)
        SendDestroy(child);
}

void FreeWindow(HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    if (!window)
        return;
    const std::vector<HWND> children = window->children;
    for (HWND child : children)
        FreeWindow(child);
    if (!FindWindowObject(hwnd))
        return;
    Deliver(hwnd, WM_NCDESTROY, 0, 0, false);
    window = FindWindowObject(hwnd);
    if (!window)
        return;
    WindowTable& table = Table();
    if (table.focus == hwnd)
        table.focus = nullptr;
    if (table.active == hwnd)
        table.active = nullptr;
    UnlinkChild(window->parent, hwnd);
    table.windows.erase(hwnd);
}

}  // namespace

// Every message a window procedure is given passes here once, and is logged.
LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool posted)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return 0;
    RecordMessage(standin::LoggedMessage{hwnd, message, wParam, lParam, posted});
    const WNDPROC proc = window->proc;
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

Window* FindWindowObject(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    auto& windows = Table().windows;
    auto found = windows.find(hwnd);
    return found == windows.end() ? nullptr : found->second.get();
}

Window* ValidWindow(HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    if (!window)
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

HWND DesktopWindow()
{
    WindowTable& table = Table();
    if (!table.desktop) {
        RegisterSystemClasses();
        auto desktop = std::make_unique<Window>();
        desktop->handle = NewHandle();
        desktop->windowClass = FindClass("#32769", nullptr);
        desktop->proc = DefWindowProcA;
        desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        desktop->rect = RECT{0, 0, kScreenWidth, kScreenHeight};
        table.desktop = desktop->handle;
        table.windows.emplace(desktop->handle, std::move(desktop));
    }
    return table.desktop;
}

bool IsTopLevel(const Window& window) { return window.parent == Table().desktop; }

std::shared_ptr<const WindowClass> FindClass(LPCSTR name, HINSTANCE instance)
{
    if (!name)
        return nullptr;
    std::shared_ptr<const WindowClass> fallback;
    std::shared_ptr<const WindowClass> shared;
    for (const auto& windowClass : Classes().classes) {
        if (!NamesMatch(*windowClass, name))
            continue;
        if (!windowClass->system && windowClass->instance == instance)
            return windowClass;
        if (windowClass->system || (windowClass->style & CS_GLOBALCLASS))
            shared = windowClass;
        else if (!fallback)
            fallback = windowClass;
    }
    // A local class registered by another module is still found, as long as
    // no class of the caller's own module or a global one has the name.
    return shared ? shared : fallback;
}

bool ClassNameIs(const Window& window, const char* name)
{
    return window.windowClass && EqualIgnoringCaseAscii(window.windowClass->name, name);
}

void RegisterSystemClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterSystemClass("#32769", DefWindowProcA, 0, 0);
    RegisterSystemClass("#32770", DefaultDialogProc, DLGWINDOWEXTRA, CS_SAVEBITS | CS_DBLCLKS);
    RegisterSystemClass("Button", ButtonProc, 0, CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW | CS_PARENTDC);
    RegisterSystemClass("Static", StaticProc, 0, CS_DBLCLKS | CS_PARENTDC);
    RegisterSystemClass("Edit", EditProc, 0, CS_DBLCLKS | CS_PARENTDC);
    RegisterSystemClass("ComboBox", ComboBoxProc, 0, CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW | CS_PARENTDC);
}

void SetVisible(HWND hwnd, bool visible, bool sendShowWindow)
{
    Window* window = FindWindowObject(hwnd);
    if (!window || ((window->style & WS_VISIBLE) != 0) == visible)
        return;
    if (sendShowWindow) {
        Deliver(hwnd, WM_SHOWWINDOW, visible, 0, false);
        window = FindWindowObject(hwnd);
        if (!window)
            return;
    }
    if (visible)
        window->style |= WS_VISIBLE;
    else
        window->style &= ~WS_VISIBLE;
    if (!IsTopLevel(*window))
        return;
    if (visible)
        Table().active = hwnd;
    else if (Table().active == hwnd)
        Table().active = window->owner;
    standin::Event event;
    event.kind = visible ? standin::Event::Kind::WindowShown : standin::Event::Kind::WindowHidden;
    event.hwnd = hwnd;
    event.text = window->text;
    NotifyDisplay(event);
}

}  // namespace win32

using namespace win32;

// ---- classes ----

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc)
{
    if (!wc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    RegisterSystemClasses();
    return AddClass(*wc, false);
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int size)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return 0;
    return CopyToBuffer(window->windowClass->name, buffer, size);
}

// ---- creation and destruction ----

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND parentHandle, HMENU menu, HINSTANCE instance, LPVOID param)
{
    if (CallFails(standin::Win32Call::CreateWindow)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    HWND desktop = DesktopWindow();
    auto windowClass = FindClass(className, instance);
    if (!windowClass) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    HWND owner = nullptr;
    HWND parent = desktop;
    if (style & WS_CHILD) {
        if (!parentHandle || parentHandle == desktop) {
            SetLastError(ERROR_TLW_WITH_WSCHILD);
            return nullptr;
        }
        if (!ValidWindow(parentHandle))
            return nullptr;
        parent = parentHandle;
    } else if (parentHandle) {
        // The owner of a top-level window is always a top-level window.
        Window* candidate = ValidWindow(parentHandle);
        if (!candidate)
            return nullptr;
        while (candidate && !IsTopLevel(*candidate) && candidate->handle != desktop)
            candidate = FindWindowObject(candidate->parent);
        owner = candidate ? candidate->handle : nullptr;
    }

    if (x == CW_USEDEFAULT)
        x = y = 0;
    if (width == CW_USEDEFAULT)
        width = height = 0;

    auto created = std::make_unique<Window>();
    Window& window = *created;
    window.handle = NewHandle();
    window.windowClass = windowClass;
    window.proc = windowClass->proc;
    window.parent = parent;
    window.owner = owner;
    window.style = style & ~WS_VISIBLE;
    window.exStyle = exStyle;
    window.id = (style & WS_CHILD) ? reinterpret_cast<LONG_PTR>(menu) : 0;
    window.instance = instance;
    window.rect = RECT{x, y, x + std::max(width, 0), y + std::max(height, 0)};
    window.extra.assign(static_cast<size_t>(windowClass->windowExtra), 0);
    const HWND hwnd = window.handle;
    Table().windows.emplace(hwnd, std::move(created));
    LinkChild(*FindWindowObject(parent), hwnd);

    CREATESTRUCTA cs{};
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = (style & WS_CHILD) ? parent : owner;
    cs.cy = height;
    cs.cx = width;
    cs.y = y;
    cs.x = x;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;

    if (!Deliver(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs), false)) {
        FreeWindow(hwnd);
        return nullptr;
    }
    if (!FindWindowObject(hwnd) || Deliver(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs), false) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    Window* made = FindWindowObject(hwnd);
    if (!made)
        return nullptr;
    if ((style & WS_CHILD) && !(exStyle & WS_EX_NOPARENTNOTIFY))
        Deliver(parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(made->id)),
                reinterpret_cast<LPARAM>(hwnd), false);
    if ((style & WS_VISIBLE) && FindWindowObject(hwnd))
        SetVisible(hwnd, true, true);
    return FindWindowObject(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd)
{
    Window* window = ValidWindow(hwnd);
    if (!window || hwnd == Table().desktop)
        return FALSE;
    if (window->destroying)
        return TRUE;
    window->destroying = true;

    // Owned windows go first.
    std::vector<HWND> owned;
    for (const auto& entry : Table().windows) {
        if (entry.second->owner == hwnd)
            owned.push_back(entry.first);
    }
    for (HWND ownedWindow : owned)
        DestroyWindow(ownedWindow);

    window = FindWindowObject(hwnd);
    if (!window)
        return TRUE;
    if (!IsTopLevel(*window) && !(window->exStyle & WS_EX_NOPARENTNOTIFY))
        Deliver(window->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(window->id)),
                reinterpret_cast<LPARAM>(hwnd), false);
    if (FindWindowObject(hwnd))
        SetVisible(hwnd, false, false);
    if (Table().focus && IsDescendantOrSelf(hwnd, Table().focus))
        Table().focus = nullptr;
    SendDestroy(hwnd);
    FreeWindow(hwnd);
    return TRUE;
}

// ---- messages ----

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Deliver(hwnd, message, wParam, lParam, false);
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

// ---- relations ----

BOOL WINAPI IsWindow(HWND hwnd) { return FindWindowObject(hwnd) != nullptr; }

BOOL WINAPI IsChild(HWND parent, HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    while (window && (window->style & WS_CHILD)) {
        if (window->parent == parent)
            return TRUE;
        window = FindWindowObject(window->parent);
    }
    return FALSE;
}

HWND WINAPI GetParent(HWND hwnd)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return nullptr;
    if (window->style & WS_CHILD)
        return window->parent;
    if (window->style & WS_POPUP)
        return window->owner;
    return nullptr;
}

HWND WINAPI GetWindow(HWND hwnd, UINT relation)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return nullptr;
    if (relation == GW_CHILD)
        return window->children.empty() ? nullptr : window->children.front();
    if (relation == GW_OWNER)
        return window->owner;
    Window* parent = FindWindowObject(window->parent);
    if (!parent)
        return nullptr;
    const auto& siblings = parent->children;
    auto self = std::find(siblings.begin(), siblings.end(), hwnd);
    switch (relation) {
    case GW_HWNDFIRST: return siblings.front();
    case GW_HWNDLAST: return siblings.back();
    case GW_HWNDNEXT: return (self == siblings.end() || self + 1 == siblings.end()) ? nullptr : *(self + 1);
    case GW_HWNDPREV: return (self == siblings.begin() || self == siblings.end()) ? nullptr : *(self - 1);
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
    }
}

BOOL WINAPI EnumChildWindows(HWND parentHandle, WNDENUMPROC callback, LPARAM param)
{
    Window* parent = parentHandle ? ValidWindow(parentHandle) : FindWindowObject(DesktopWindow());
    if (!parent || !callback)
        return FALSE;
    // Descendants depth first, in creation order, as they were when the call began.
    std::vector<HWND> all;
    std::function<void(const Window&)> collect = [&](const Window& w) {
        for (HWND child : w.children) {
            all.push_back(child);
            if (const Window* c = FindWindowObject(child))
                collect(*c);
        }
    };
    collect(*parent);
    for (HWND child : all) {
        if (FindWindowObject(child) && !callback(child, param))
            return FALSE;
    }
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND dialog, int id)
{
    Window* window = ValidWindow(dialog);
    if (!window)
        return nullptr;
    for (HWND child : window->children) {
        if (Window* c = FindWindowObject(child); c && static_cast<int>(c->id) == id)
            return child;
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd)
{
    Window* window = ValidWindow(hwnd);
    return window ? static_cast<int>(window->id) : 0;
}

// ---- texts ----

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int size)
{
    if (!ValidWindow(hwnd) || !buffer || size <= 0)
        return 0;
    buffer[0] = '\0';
    return static_cast<int>(
        SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd)
{
    if (!ValidWindow(hwnd))
        return 0;
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text)
{
    if (!ValidWindow(hwnd))
        return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

// ---- window longs ----

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return 0;
    if (index >= 0) {
        if (static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extra.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        LONG_PTR value;
        std::memcpy(&value, window->extra.data() + index, sizeof(value));
        return value;
    }
    switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(hwnd));
    case GWLP_ID: return window->id;
    case GWL_STYLE: return static_cast<LONG>(window->style);
    case GWL_EXSTYLE: return static_cast<LONG>(window->exStyle);
    case GWLP_USERDATA: return window->userData;
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
    }
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return 0;
    LONG_PTR previous = 0;
    if (index >= 0) {
        if (static_cast<size_t>(index) + sizeof(LONG_PTR) > window->extra.size()) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        std::memcpy(&previous, window->extra.data() + index, sizeof(previous));
        std::memcpy(window->extra.data() + index, &value, sizeof(value));
        SetLastError(ERROR_SUCCESS);
        return previous;
    }
    switch (index) {
    case GWLP_WNDPROC:
        previous = reinterpret_cast<LONG_PTR>(window->proc);
        window->proc = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        previous = reinterpret_cast<LONG_PTR>(window->instance);
        window->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_ID:
        previous = window->id;
        window->id = value;
        break;
    case GWL_STYLE:
        previous = static_cast<LONG>(window->style);
        window->style = static_cast<DWORD>(value);
        break;
    case GWL_EXSTYLE:
        previous = static_cast<LONG>(window->exStyle);
        window->exStyle = static_cast<DWORD>(value);
        break;
    case GWLP_USERDATA:
        previous = window->userData;
        window->userData = value;
        break;
    case GWLP_HWNDPARENT:
        previous = reinterpret_cast<LONG_PTR>(window->owner);
        if (IsTopLevel(*window))
            window->owner = reinterpret_cast<HWND>(value);
        break;
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
    }
    SetLastError(ERROR_SUCCESS);
    return previous;
}

namespace {

// The window behind a 32-bit long query, or null (with the last error set) when there is none or
// the index does not fit: pointers do not fit a LONG on 64-bit Windows, and an extra-bytes index
// must leave room for a whole LONG.
Window* WindowForLong(HWND hwnd, int index)
{
    if (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT) {
        SetLastError(ERROR_INVALID_INDEX);
        return nullptr;
    }
    Window* window = ValidWindow(hwnd);
    if (window && index >= 0 && static_cast<size_t>(index) + sizeof(LONG) > window->extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return nullptr;
    }
    return window;
}

}  // namespace

LONG WINAPI GetWindowLongA(HWND hwnd, int index)
{
    Window* window = WindowForLong(hwnd, index);
    if (!window)
        return 0;
    if (index >= 0) {
        LONG value;
        std::memcpy(&value, window->extra.data() + index, sizeof(value));
        return value;
    }
    return static_cast<LONG>(GetWindowLongPtrA(hwnd, index));
}

// ---- visibility, enabling, focus ----

BOOL WINAPI ShowWindow(HWND hwnd, int command)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return FALSE;
    const BOOL wasVisible = (window->style & WS_VISIBLE) != 0;
    SetVisible(hwnd, command != SW_HIDE, true);
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hwnd)
{
    for (Window* window = FindWindowObject(hwnd); window; window = FindWindowObject(window->parent)) {
        if (!(window->style & WS_VISIBLE))
            return FALSE;
        if (window->handle == Table().desktop)
            break;
    }
    return FindWindowObject(hwnd) ? TRUE : FALSE;
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable)
{
    Window* window = ValidWindow(hwnd);
    if (!window)
        return FALSE;
    const BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        window->style &= ~WS_DISABLED;
        Deliver(hwnd, WM_ENABLE, TRUE, 0, false);
    } else if (!enable && !wasDisabled) {
        window->style |= WS_DISABLED;
        // A window that loses its input loses the focus as well.
        if (Table().focus && IsDescendantOrSelf(hwnd, Table().focus))
            SetFocus(nullptr);
        if (FindWindowObject(hwnd))
            Deliver(hwnd, WM_ENABLE, FALSE, 0, false);
    }
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    return window && !(window->style & WS_DISABLED);
}

HWND WINAPI SetFocus(HWND hwnd)
{
    WindowTable& table = Table();
    const HWND previous = table.focus;
    if (hwnd) {
        // Windows refuses the focus to a window that is, or lies inside, a disabled window.
        for (Window* w = ValidWindow(hwnd); w && w->handle != table.desktop; w = FindWindowObject(w->parent)) {
            if (w->style & WS_DISABLED)
                return nullptr;
        }
        if (!FindWindowObject(hwnd))
            return nullptr;
    }
    if (previous == hwnd)
        return previous;
    table.focus = hwnd;
    if (previous && FindWindowObject(previous))
        Deliver(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0, false);
    if (hwnd && FindWindowObject(hwnd) && table.focus == hwnd)
        Deliver(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0, false);
    return previous;
}

HWND WINAPI GetFocus(void) { return Table().focus; }

HWND WINAPI GetActiveWindow(void) { return FindWindowObject(Table().active) ? Table().active : nullptr; }

// ---- geometry ----

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect)
{
    Window* window = ValidWindow(hwnd);
    if (!window || !rect)
        return FALSE;
    RECT r = window->rect;
    for (Window* p = FindWindowObject(window->parent); p && p->handle != Table().desktop;
         p = FindWindowObject(p->parent)) {
        r.left += p->rect.left;
        r.right += p->rect.left;
        r.top += p->rect.top;
        r.bottom += p->rect.top;
    }
    *rect = r;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect)
{
    Window* window = ValidWindow(hwnd);
    if (!window || !rect)
        return FALSE;
    *rect = RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    return TRUE;
}

namespace win32 {

void NotifyParent(HWND control, WORD code)
{
    Window* window = FindWindowObject(control);
    if (!window || !(window->style & WS_CHILD))
        return;
    Deliver(window->parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(window->id), code),
            reinterpret_cast<LPARAM>(control), false);
}

}  // namespace win32

std::size_t standin::LiveWindowCount()
{
    const win32::WindowTable& table = win32::Table();
    return table.windows.size() - (table.desktop ? 1 : 0);
}
