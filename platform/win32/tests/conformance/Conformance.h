// What the conformance cases share: Win32 only, so that the same source runs on
// the stand-ins and on a real Win32.
//
// - WineDeviation: where Wine 8 answers otherwise than Microsoft documents for
//   Windows, a case expects Windows' answer everywhere but under Wine, where it
//   expects Wine's own (so a change in Wine shows); each such case is recorded in
//   platform/win32/WINE-DIFFERENCES.md under its name.
// - Message sequences, as Wine's ok_sequence tables: the test's own windows
//   record the messages a case watches, and ExpectSequence compares them with a
//   table. A watched message missing from the table must not be sent.
// - Steps: a modal loop is driven as Wine's tests drive it, by a thread timer
//   whose ticks (which come only when nothing else is queued) each run the next
//   step of the case: post a key, look at a window, end the dialog.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "resource.h"

namespace conformance {

// True when the program runs on Wine (its ntdll exports wine_get_version).
bool RunningOnWine();

// The answer to expect: `documented` (Windows, and the stand-ins), or `wine`
// under Wine, where Wine deviates as WINE-DIFFERENCES.md records under `name`.
template <typename T>
T WineDeviation(const char* name, T documented, T wine)
{
    if (!RunningOnWine())
        return documented;
    ::testing::Test::RecordProperty("wine_deviation", name);
    return wine;
}

HINSTANCE Instance();

// ---- message sequences ----

struct Message {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

enum : unsigned {
    kAny = 0,       // the message number only
    kWParam = 1,    // wParam must match
    kLParam = 2,    // lParam must match
    kOptional = 4,  // may be missing
};

struct Expected {
    UINT message = 0;
    unsigned check = kAny;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A WM_COMMAND notification from control `id`.
Expected Notification(int id, int code);

// The messages recorded since the last Clear().
class Recorder {
public:
    static void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static const std::vector<Message>& Messages();
    static void Clear();
};

// Fails, naming `context` and listing both sequences, unless `got` is `want`
// (optional entries may be missing).
void ExpectSequence(const std::vector<Message>& got, const std::vector<Expected>& want, const std::string& context);

std::string DescribeMessage(UINT message, WPARAM wParam, LPARAM lParam);

// ---- windows ----

// A visible top-level window that records the WM_COMMAND and WM_NOTIFY messages
// it gets, and the parent of the controls a case makes.
class ParentWindow {
public:
    ParentWindow();
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    HWND Child(const char* className, DWORD style, int id, const char* text = "") const;
    // What every parent window answers to WM_NOTIFY from now on (0 at first).
    static void AnswerNotifications(LRESULT answer);

private:
    HWND m_hwnd = nullptr;
};

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// ---- driving modal loops ----

using Step = std::function<void()>;

// Runs `steps` one per tick of a thread timer, from the next modal loop on;
// the timer stops after the last one. At most one Steps lives at a time.
class Steps {
public:
    explicit Steps(std::vector<Step> steps);
    ~Steps();
    Steps(const Steps&) = delete;
    Steps& operator=(const Steps&) = delete;

    // All steps ran.
    bool Done() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
    UINT_PTR m_timer = 0;
};

// Posts a key press (WM_KEYDOWN, WM_KEYUP) to `hwnd`, by default the focus;
// with Alt, WM_SYSKEYDOWN / WM_SYSKEYUP with the context bit, as Windows sends them.
void PostKey(UINT virtualKey, HWND hwnd = nullptr, bool alt = false);
// Posts WM_CHAR (a typed character) to `hwnd`, by default the focus.
void PostChar(char character, HWND hwnd = nullptr);

// Called from a step: that step runs again at the next tick instead of the
// one after it (a step that waits for a window to be shown).
void RepeatStep();

// The dialog box ("#32770") that holds the focus, or null.
HWND FocusedDialog();

// A dialog procedure for the templates of conformance.rc: it records every
// message that `watched` names (all when empty), hands each message to
// `handler` (which answers -1 to leave it alone), and ends the dialog with the
// id of an IDOK or IDCANCEL command. RunDialog runs a template as the class
// library does (FindResource, LockResource, DialogBoxIndirectParam); -1 when
// the template is missing.
struct DialogCase {
    std::vector<UINT> watched;
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> handler;
};
INT_PTR RunDialog(int templateId, DialogCase& dialogCase, HWND owner = nullptr);

}  // namespace conformance
