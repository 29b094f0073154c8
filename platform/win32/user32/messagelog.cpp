// The message log (<standin/messagelog.h>): the messages the window procedures
// are given, recorded for message-sequence tests.
#include "user32.h"

#include <standin/messagelog.h>

#include <cstdio>

namespace win32 {
namespace {

std::vector<standin::MessageLog*>& Logs()
{
    static std::vector<standin::MessageLog*> logs;
    return logs;
}

}  // namespace

void RecordMessage(const standin::LoggedMessage& message)
{
    for (standin::MessageLog* log : Logs())
        log->Record(message);
}

}  // namespace win32

namespace standin {

bool LoggedMessage::operator==(const LoggedMessage& other) const
{
    return hwnd == other.hwnd && message == other.message && wParam == other.wParam && lParam == other.lParam &&
           posted == other.posted;
}

std::string LoggedMessage::Describe() const
{
    char text[160];
    std::snprintf(text, sizeof(text), "%s hwnd=%p msg=0x%04x wParam=0x%llx lParam=0x%llx", posted ? "posted" : "sent",
                  static_cast<void*>(hwnd), message, static_cast<unsigned long long>(wParam),
                  static_cast<unsigned long long>(lParam));
    return text;
}

MessageLog::MessageLog() { win32::Logs().push_back(this); }

MessageLog::~MessageLog()
{
    auto& logs = win32::Logs();
    for (auto it = logs.begin(); it != logs.end(); ++it) {
        if (*it == this) {
            logs.erase(it);
            break;
        }
    }
}

std::vector<LoggedMessage> MessageLog::To(HWND hwnd) const
{
    std::vector<LoggedMessage> result;
    for (const LoggedMessage& m : m_messages) {
        if (m.hwnd == hwnd)
            result.push_back(m);
    }
    return result;
}

std::vector<LoggedMessage> MessageLog::OfKind(UINT message) const
{
    std::vector<LoggedMessage> result;
    for (const LoggedMessage& m : m_messages) {
        if (m.message == message)
            result.push_back(m);
    }
    return result;
}

}  // namespace standin
