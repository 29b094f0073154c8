// Display of the Win32 stand-in: the one place where modal loops get the user's
// input and report what they show.
//
// Every modal loop (dialog boxes, message boxes, the folder browser) asks the
// installed display for the user's next action each time it waits, and tells it
// about windows shown and hidden, message boxes and dialog results.  Tests install
// a ScriptedDisplay; the interactive host installs a terminal display.
//
// A modal loop asks the display only when it has nothing else to do: no posted
// message, no input, no timer that is due (as a real one waits in GetMessage).
// With no display installed the loop runs on posted messages and timers alone,
// sleeping until the next timer is due, as a program's own tests drive it.
//
// When a display has no more input (WaitForAction returns nothing), or when no
// display is installed and the thread has no timer that could still come, the
// loop ends as if cancelled: a dialog box ends with IDCANCEL (without its dialog
// procedure being asked), a message box returns 0 with last error ERROR_CANCELLED.
#pragma once

#include <windows.h>

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#define STANDIN_API __attribute__((visibility("default")))

namespace standin {

// One user action.  How the active window takes it:
//   Pick(id, text)    dialog: selects, in the combo box `id`, the entry whose text is
//                     exactly `text` (as clicking it in the dropped list does) and
//                     notifies the parent with CBN_SELCHANGE, also when that entry was
//                     already selected (a click in the list always notifies).
//   Key(vk, mods)     a key press as the keyboard makes it: WM_KEYDOWN and WM_KEYUP
//                     (WM_SYSKEYDOWN / WM_SYSKEYUP with Alt) of `vk`, with Shift or
//                     Alt held around it, queued as input for the focused window
//                     (the active one when nothing has the focus). The dialog
//                     manager (IsDialogMessage) and the controls take it from there.
//   Enter, Escape     the key press of VK_RETURN or VK_ESCAPE: in a dialog the
//                     default button, or IDCANCEL; in a message box its default
//                     button, or Cancel (OK on an MB_OK box).
//   Close             the close box: WM_SYSCOMMAND(SC_CLOSE).
//   Click(id)         the push button `id` is clicked (BM_CLICK); a disabled or
//                     hidden button does not fit the action (except the folder
//                     browser's greyed OK, which ignores it: see <standin/shell.h>).
//   Highlight(path)   folder browser: highlights the folder `path`.
//   HighlightVirtual  folder browser: highlights an item outside the file system.
//   Inspect(fn)       runs fn(active window) while the loop waits; input goes on.
// An action that does not fit the active window is rejected: the loop reports an
// ActionRejected event and asks for the next action.
struct STANDIN_API Action {
    enum class Kind { Pick, Enter, Escape, Key, Close, Click, Highlight, HighlightVirtual, Inspect };
    // Modifiers of a Key action.
    static constexpr unsigned kShift = 1;
    static constexpr unsigned kAlt = 2;

    Kind kind = Kind::Enter;
    int control = 0;
    std::string text;
    UINT virtualKey = 0;
    unsigned modifiers = 0;
    std::function<void(HWND active)> inspect;

    static Action Pick(int comboId, std::string exactText);
    static Action Enter();
    static Action Escape();
    static Action Key(UINT virtualKey, unsigned modifiers = 0);
    static Action Close();
    static Action Click(int buttonId);
    static Action Highlight(std::string path);
    static Action HighlightVirtual();
    static Action Inspect(std::function<void(HWND active)> inspect);

    // "Pick(2001, \"4L\")", "Enter", ...: for messages and logs.
    std::string Describe() const;
};

// Something the user would see.  Fields that a kind does not name stay empty.
//   WindowShown / WindowHidden   hwnd, text = window text (top-level windows only)
//   MessageBoxOpened             hwnd, text, caption, style (the MB_* flags)
//   MessageBoxClosed             hwnd, result = the answer (0 when input ran out)
//   DialogEnded                  hwnd, result = what the modal call returns
//   FolderBrowserOpened          hwnd, caption = title, text = root path
//   EnableOk                     hwnd, text = highlighted path, enabled
//   ActionRejected               hwnd = active window, text = why, caption = action
struct STANDIN_API Event {
    enum class Kind {
        WindowShown,
        WindowHidden,
        MessageBoxOpened,
        MessageBoxClosed,
        DialogEnded,
        FolderBrowserOpened,
        EnableOk,
        ActionRejected,
    };

    Kind kind = Kind::WindowShown;
    HWND hwnd = nullptr;
    std::string text;
    std::string caption;
    UINT style = 0;
    INT_PTR result = 0;
    bool enabled = false;

    std::string Describe() const;
};

class STANDIN_API Display {
public:
    virtual ~Display() = default;

    // The user's next action for the modal loop of `active`; nothing when the
    // input has run out.
    virtual std::optional<Action> WaitForAction(HWND active) = 0;
    virtual void Notify(const Event& event) = 0;
};

// The display used by every modal loop of the process (not owned).
STANDIN_API void SetDisplay(Display* display);
STANDIN_API Display* GetDisplay();

// Installs a display for its lifetime and restores the previous one.
class STANDIN_API ScopedDisplay {
public:
    explicit ScopedDisplay(Display& display);
    ~ScopedDisplay();
    ScopedDisplay(const ScopedDisplay&) = delete;
    ScopedDisplay& operator=(const ScopedDisplay&) = delete;

private:
    Display* m_previous;
};

// A queue of actions played in order, and a record of every event.
// Once an action is rejected the script stops: Error() tells why and every
// later wait gets no input, so the open loops end as if cancelled.
class STANDIN_API ScriptedDisplay : public Display {
public:
    struct MessageBoxRecord {
        std::string text;
        std::string caption;
        UINT style = 0;
        INT_PTR answer = 0;
        bool closed = false;
    };

    ScriptedDisplay() = default;
    explicit ScriptedDisplay(std::vector<Action> actions);

    void Push(Action action);

    std::optional<Action> WaitForAction(HWND active) override;
    void Notify(const Event& event) override;

    const std::vector<Event>& Events() const { return m_events; }
    std::vector<MessageBoxRecord> MessageBoxes() const;
    std::vector<INT_PTR> DialogResults() const;

    // True once a loop waited for input after the script had run out or stopped.
    bool Exhausted() const { return m_exhausted; }
    // Actions not yet played.
    std::size_t Pending() const { return m_actions.size(); }
    // Why the script stopped early; empty while all is well.
    const std::string& Error() const { return m_error; }

private:
    std::deque<Action> m_actions;
    std::vector<Event> m_events;
    std::string m_error;
    bool m_exhausted = false;
};

}  // namespace standin
