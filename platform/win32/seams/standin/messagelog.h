// Message traffic record of the Win32 stand-in, for message-sequence tests.
//
// While a MessageLog object lives, every message delivered to a window procedure
// (by SendMessageA, by the dialog manager and controls, or by dispatching a posted
// message) is recorded once, before the procedure runs.  Calls of CallWindowProcA
// and DefSubclassProc along a procedure chain are not recorded again.
#pragma once

#include <standin/display.h>

#include <string>
#include <vector>

namespace standin {

struct STANDIN_API LoggedMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    bool posted = false;

    bool operator==(const LoggedMessage& other) const;
    std::string Describe() const;
};

class STANDIN_API MessageLog {
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    const std::vector<LoggedMessage>& Messages() const { return m_messages; }
    // The messages delivered to `hwnd`, in order.
    std::vector<LoggedMessage> To(HWND hwnd) const;
    // The messages with number `message`, to any window, in order.
    std::vector<LoggedMessage> OfKind(UINT message) const;
    void Clear() { m_messages.clear(); }

    void Record(const LoggedMessage& message) { m_messages.push_back(message); }

private:
    std::vector<LoggedMessage> m_messages;
};

}  // namespace standin
