// Message delivery: sent and posted messages, the thread's queue, the message log.
//
// Not implemented: cross-thread and inter-process sending, message filtering by
// range in PeekMessageA beyond the window, WM_TIMER, input messages.
#include "window.h"

#include <standin/messagelog.h>

#include <cstdio>
#include <deque>

namespace win32 {
namespace {

std::deque<MSG>& Queue() {
    static std::deque<MSG> queue;
    return queue;
}

std::vector<standin::MessageLog*>& Logs() {
    static std::vector<standin::MessageLog*> logs;
    return logs;
}

}  // namespace

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool posted) {
    Window* window = ValidWindow(hwnd);
    if (!window)
        return 0;
    for (standin::MessageLog* log : Logs())
        log->Record(standin::LoggedMessage{hwnd, message, wParam, lParam, posted});
    const WNDPROC proc = window->proc;
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

bool TakePostedMessage(MSG& message) {
    auto& queue = Queue();
    if (queue.empty())
        return false;
    message = queue.front();
    queue.pop_front();
    return true;
}

bool HasPostedMessages() { return !Queue().empty(); }

}  // namespace win32

namespace standin {

bool LoggedMessage::operator==(const LoggedMessage& other) const {
    return hwnd == other.hwnd && message == other.message && wParam == other.wParam &&
           lParam == other.lParam && posted == other.posted;
}

std::string LoggedMessage::Describe() const {
    char text[160];
    std::snprintf(text, sizeof(text), "%s hwnd=%p msg=0x%04x wParam=0x%llx lParam=0x%llx",
                  posted ? "posted" : "sent", static_cast<void*>(hwnd), message,
                  static_cast<unsigned long long>(wParam), static_cast<unsigned long long>(lParam));
    return text;
}

MessageLog::MessageLog() { win32::Logs().push_back(this); }

MessageLog::~MessageLog() {
    auto& logs = win32::Logs();
    for (auto it = logs.begin(); it != logs.end(); ++it) {
        if (*it == this) {
            logs.erase(it);
            break;
        }
    }
}

std::vector<LoggedMessage> MessageLog::To(HWND hwnd) const {
    std::vector<LoggedMessage> result;
    for (const LoggedMessage& m : messages_) {
        if (m.hwnd == hwnd)
            result.push_back(m);
    }
    return result;
}

std::vector<LoggedMessage> MessageLog::OfKind(UINT message) const {
    std::vector<LoggedMessage> result;
    for (const LoggedMessage& m : messages_) {
        if (m.message == message)
            result.push_back(m);
    }
    return result;
}

}  // namespace standin

using namespace win32;

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(hwnd, message, wParam, lParam, false);
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND item = GetDlgItem(dialog, id);
    return item ? SendMessageA(item, message, wParam, lParam) : 0;
}

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (hwnd && !ValidWindow(hwnd))
        return FALSE;
    MSG posted{};
    posted.hwnd = hwnd;
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    Queue().push_back(posted);
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
    MSG quit{};
    quit.message = WM_QUIT;
    quit.wParam = static_cast<WPARAM>(exitCode);
    Queue().push_back(quit);
}

BOOL WINAPI PeekMessageA(LPMSG message, HWND hwnd, UINT first, UINT last, UINT remove) {
    if (!message)
        return FALSE;
    auto& queue = Queue();
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (hwnd && it->hwnd != hwnd && !IsChild(hwnd, it->hwnd))
            continue;
        if ((first || last) && (it->message < first || it->message > last))
            continue;
        *message = *it;
        if (remove & PM_REMOVE)
            queue.erase(it);
        return TRUE;
    }
    return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* message) {
    if (!message || !message->hwnd)
        return 0;
    return Deliver(message->hwnd, message->message, message->wParam, message->lParam, true);
}

// Key messages are not generated here, so there are no characters to translate.
BOOL WINAPI TranslateMessage(const MSG* message) {
    return message && (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN);
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}
