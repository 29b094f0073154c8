// Private interface of user32: the window model, message delivery and the
// queues, the dialog manager and the controls, shared by the files of user32.
//
// All state lives on the one user-interface thread; nothing here is locked.
// Windows are kept in a handle table and looked up afresh after every call into
// application code, since any window procedure may destroy any window.
#pragma once

#include <windows.h>
#include <standin/display.h>
#include <standin/messagelog.h>

#include "display_private.h"
#include "text.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace win32 {

// The screen: the desktop window's size.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

struct WindowClass {
    std::string name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int classExtra = 0;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    bool system = false;  // built in: found for any instance, never unregistered
};

// Per-window state of a built-in control; each control file derives its own.
struct ControlState {
    virtual ~ControlState() = default;
    HFONT font = nullptr;  // WM_SETFONT
};

// The font a dialog template names; an HFONT points at one.
struct DialogFont {
    std::string typeface;
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    int charset = 0;
};

// Dialog manager state of a dialog window.
struct DialogInfo {
    bool ended = false;
    INT_PTR result = 0;
    int defaultId = 0;                      // 0: none set by DM_SETDEFID yet
    HFONT font = nullptr;                   // the template's font
    std::unique_ptr<DialogFont> ownedFont;  // what `font` points at
    HWND savedFocus = nullptr;
    HWND disabledOwner = nullptr;  // the owner the modal loop disabled
    bool closeBoxDisabled = false;
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<const WindowClass> windowClass;
    WNDPROC proc = nullptr;
    HWND parent = nullptr;       // a child's parent; the desktop for a top-level window
    HWND owner = nullptr;        // a top-level window's owner
    std::vector<HWND> children;  // creation order (z-order, tab order)
    DWORD style = 0;
    DWORD exStyle = 0;
    std::string text;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    RECT rect{};  // relative to the parent's client area, in pixels
    std::vector<uint8_t> extra;
    HICON smallIcon = nullptr;
    HICON bigIcon = nullptr;
    std::unique_ptr<ControlState> control;
    std::unique_ptr<DialogInfo> dialog;
    bool destroying = false;
};

// ---- window table (window.cpp) ----
Window* FindWindowObject(HWND hwnd);  // nullptr for an invalid or destroyed handle
Window* ValidWindow(HWND hwnd);       // as above, and sets ERROR_INVALID_WINDOW_HANDLE
HWND DesktopWindow();
bool IsTopLevel(const Window& window);
std::shared_ptr<const WindowClass> FindClass(LPCSTR name, HINSTANCE instance);
bool ClassNameIs(const Window& window, const char* name);  // case-insensitive
void RegisterSystemClasses();
void SetVisible(HWND hwnd, bool visible, bool sendShowWindow);

// The control state of type T of `hwnd`, made on first use; nullptr when the
// window is gone or holds the state of another kind of control.
template <typename T>
T* ControlStateOf(HWND hwnd)
{
    Window* window = FindWindowObject(hwnd);
    if (!window)
        return nullptr;
    if (!window->control)
        window->control = std::make_unique<T>();
    return dynamic_cast<T*>(window->control.get());
}

// Sends WM_COMMAND(MAKEWPARAM(id, code), control) to the control's parent.
void NotifyParent(HWND control, WORD code);

// ---- message delivery (window.cpp) ----
// Hands a message to the window's procedure (nothing for a window that is
// gone), after the message log has recorded it.
LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool posted);

// ---- the message log (messagelog.cpp) ----
void RecordMessage(const standin::LoggedMessage& message);

// ---- the thread's queues (queue.cpp) ----
// The thread's next message, as GetMessage takes it: posted, then input, then a
// timer that is due; false when there is none now.
bool TakeMessage(MSG& message);
bool HasMessages();
// Sleeps until the thread's next timer is due; false when it has none.
bool WaitForTimer();
// Queues an input message (a key from the display), taken after posted ones.
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Delivers a message taken from the queue to its window (a WM_TIMER with a
// procedure to the procedure).
void Dispatch(const MSG& message);
// Posts WM_CHAR (WM_SYSCHAR with Alt) for a key message that types a character.
void Translate(const MSG& message);
// Whether the key is down, as the input messages taken so far say.
bool KeyIsDown(UINT virtualKey);

// ---- dialog manager (dialog.cpp) ----
DialogInfo* GetDialogInfo(HWND hwnd, bool create);
// Runs the modal loop of `dialog` until EndDialog or until input runs out (then
// the dialog ends with `resultIfInputRunsOut`); destroys the dialog; returns the result.
INT_PTR RunModalLoop(HWND dialog, INT_PTR resultIfInputRunsOut, bool* inputRanOut);
HWND CreateDialogFromTemplate(HINSTANCE instance, const void* data, size_t size, HWND owner, DLGPROC proc, LPARAM param,
                              bool modal);
HWND FirstTabStop(HWND dialog);
// The window procedure of the dialog class "#32770".
LRESULT CALLBACK DefaultDialogProc(HWND, UINT, WPARAM, LPARAM);

// ---- the display's actions (dialog_actions.cpp) ----
// Carries out what the display reports the user did in the active dialog.
void PerformAction(HWND dialog, const standin::Action& action);

// ---- controls ----
LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
bool IsPushButton(HWND hwnd);
// The user picks entry `index` of a combo box: selects it and notifies the parent.
void ComboUserSelect(HWND combo, int index);
// Index of the entry whose text is exactly `text`, or -1.
int ComboFindExact(HWND combo, const std::string& text);

}  // namespace win32
