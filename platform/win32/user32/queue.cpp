// The thread's message queues: posted messages, input, timers, the keyboard
// state. Sending a message is the window's business (window.cpp): the queue
// hands what it takes to the window, never the other way round.
//
// Windows' order of what a thread gets next: posted messages, then input
// (keys, from the display), then WM_TIMER of a timer that is due. A timer
// has at most one WM_TIMER waiting and is due again its interval after that
// one was taken. A window's timers go with the window: the queue drops them
// when it next looks at its timers and finds the window gone (handles are
// never reused, so a gone window's timer can name no other window). The keyboard state (KeyIsDown) follows the input
// messages as they are taken. Translate posts WM_CHAR (WM_SYSCHAR with Alt) for a key that types a character.
//
// Not implemented: cross-thread and inter-process sending, PeekMessage and
// GetMessage (the modal loops take the messages themselves), WM_QUIT, WM_PAINT,
// mouse input, keyboard layouts other than US English (the characters of the
// letter, digit, space and control keys only), the keyboard state as an API
// (GetKeyState, GetKeyboardState, SetKeyboardState).
#include "user32.h"

#include <algorithm>
#include <bitset>
#include <chrono>
#include <cstring>
#include <deque>
#include <thread>

namespace win32 {
namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    std::chrono::milliseconds interval{0};
    TIMERPROC proc = nullptr;
    Clock::time_point due;
};

struct Queues {
    std::deque<MSG> posted;
    std::deque<MSG> input;
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimer = 0x7FF0;
    std::bitset<256> keysDown;
};

Queues& Thread()
{
    static Queues queues;
    return queues;
}

DWORD Now()
{
    using std::chrono::duration_cast;
    return static_cast<DWORD>(duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
}

// A queued message, stamped with the time it is queued or taken.
MSG QueuedMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG queued{};
    queued.hwnd = hwnd;
    queued.message = message;
    queued.wParam = wParam;
    queued.lParam = lParam;
    queued.time = Now();
    return queued;
}

// A key message taken from the input queue moves the keyboard state.
void FollowKeyboard(const MSG& message)
{
    const size_t vk = static_cast<size_t>(message.wParam) & 0xFF;
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
        Thread().keysDown.set(vk);
    else if (message.message == WM_KEYUP || message.message == WM_SYSKEYUP)
        Thread().keysDown.reset(vk);
}

bool TakeFrom(std::deque<MSG>& queue, MSG& message)
{
    if (queue.empty())
        return false;
    message = queue.front();
    queue.pop_front();
    return true;
}

// Forgets the timers of windows that are gone.
std::vector<Timer>& LiveTimers()
{
    std::vector<Timer>& timers = Thread().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [](const Timer& timer) { return timer.hwnd && !IsWindow(timer.hwnd); }),
                 timers.end());
    return timers;
}

bool TakeDueTimer(MSG& message, bool remove)
{
    const Clock::time_point now = Clock::now();
    Timer* earliest = nullptr;
    for (Timer& timer : LiveTimers()) {
        if (timer.due <= now && (!earliest || timer.due < earliest->due))
            earliest = &timer;
    }
    if (!earliest)
        return false;
    message = QueuedMessage(earliest->hwnd, WM_TIMER, earliest->id, reinterpret_cast<LPARAM>(earliest->proc));
    if (remove)
        earliest->due = now + earliest->interval;
    return true;
}

// The character a key types on a US keyboard, or 0.
char CharacterOf(UINT vk, bool shift)
{
    if (vk >= 'A' && vk <= 'Z')
        return static_cast<char>(shift ? vk : vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9' && !shift)
        return static_cast<char>(vk);
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_ESCAPE: return 0x1B;
    case VK_TAB: return '\t';
    case VK_BACK: return 0x08;
    case VK_OEM_MINUS: return shift ? '_' : '-';
    case VK_OEM_PERIOD: return shift ? '>' : '.';
    default: return 0;
    }
}

}  // namespace

bool TakeMessage(MSG& message)
{
    Queues& queues = Thread();
    if (TakeFrom(queues.posted, message))
        return true;
    if (TakeFrom(queues.input, message)) {
        FollowKeyboard(message);
        return true;
    }
    return TakeDueTimer(message, true);
}

bool HasMessages()
{
    const Queues& queues = Thread();
    MSG ignored;
    return !queues.posted.empty() || !queues.input.empty() || TakeDueTimer(ignored, false);
}

bool WaitForTimer()
{
    const std::vector<Timer>& timers = LiveTimers();
    if (timers.empty())
        return false;
    Clock::time_point next = timers.front().due;
    for (const Timer& timer : timers)
        next = std::min(next, timer.due);
    std::this_thread::sleep_until(next);
    return true;
}

void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Thread().input.push_back(QueuedMessage(hwnd, message, wParam, lParam));
}

// A WM_TIMER that names a procedure goes to the procedure, also without a window.
void Dispatch(const MSG& message)
{
    if (message.message == WM_TIMER && message.lParam) {
        const auto proc = reinterpret_cast<TIMERPROC>(message.lParam);
        proc(message.hwnd, WM_TIMER, message.wParam, Now());
        return;
    }
    if (message.hwnd)
        Deliver(message.hwnd, message.message, message.wParam, message.lParam, true);
}

void Translate(const MSG& message)
{
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return;
    const char character = CharacterOf(static_cast<UINT>(message.wParam), KeyIsDown(VK_SHIFT));
    if (character)
        PostMessageA(message.hwnd, message.message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR,
                     static_cast<unsigned char>(character), message.lParam);
}

bool KeyIsDown(UINT virtualKey) { return Thread().keysDown.test(virtualKey & 0xFF); }

}  // namespace win32

using namespace win32;

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !ValidWindow(hwnd))
        return FALSE;
    Thread().posted.push_back(QueuedMessage(hwnd, message, wParam, lParam));
    return TRUE;
}

// ---- timers ----

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (hwnd && !ValidWindow(hwnd))
        return 0;
    Queues& queues = Thread();
    // Windows raises an interval below USER_TIMER_MINIMUM to it.
    const std::chrono::milliseconds interval(elapse < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : elapse);
    if (!hwnd) {
        // A thread timer: a new id unless `id` names one of the thread's.
        auto found = std::find_if(queues.timers.begin(), queues.timers.end(),
                                  [&](const Timer& t) { return !t.hwnd && t.id == id; });
        if (id && found != queues.timers.end()) {
            found->interval = interval;
            found->proc = proc;
            found->due = Clock::now() + interval;
            return id;
        }
        id = ++queues.nextThreadTimer;
    } else {
        KillTimer(hwnd, id);
    }
    queues.timers.push_back(Timer{hwnd, id, interval, proc, Clock::now() + interval});
    return hwnd ? (id ? id : 1) : id;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id)
{
    auto& timers = LiveTimers();
    auto found =
        std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (found == timers.end()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    timers.erase(found);
    return TRUE;
}
