// Gives the terminal back when a signal ends the program.
#include "terminal/SignalRestore.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>

namespace ilt {
namespace {

constexpr int kSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};

// What the handler needs, set before it is armed: a handler may only use
// what is async-signal-safe, so nothing is allocated or locked there.
volatile std::sig_atomic_t g_armed = 0;
int g_terminal = -1;
termios g_shellModes{};
char g_leave[512];
std::size_t g_leaveLength = 0;
struct sigaction g_previous[std::size(kSignals)];

extern "C" void RestoreAndEnd(int signal)
{
    const int savedErrno = errno;
    if (g_armed != 0) {
        for (std::size_t written = 0; written < g_leaveLength;) {
            const ssize_t n = ::write(g_terminal, g_leave + written, g_leaveLength - written);
            if (n <= 0)
                break;
            written += static_cast<std::size_t>(n);
        }
        ::tcsetattr(g_terminal, TCSANOW, &g_shellModes);
    }
    // The handler was reset to the default action on entry (SA_RESETHAND), and
    // the signal is blocked until it returns: raised again, it ends the program then.
    ::raise(signal);
    errno = savedErrno;
}

}  // namespace

SignalRestore::SignalRestore()
{
    struct sigaction action {};
    action.sa_handler = &RestoreAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals)
        sigaddset(&action.sa_mask, signal);  // one restore at a time
    action.sa_flags = SA_RESETHAND;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &action, &g_previous[i]);
}

void SignalRestore::Arm(int terminal, const termios& shellModes, const std::string& leave)
{
    g_armed = 0;
    g_terminal = terminal;
    g_shellModes = shellModes;
    g_leaveLength = std::min(leave.size(), sizeof g_leave);
    std::memcpy(g_leave, leave.data(), g_leaveLength);
    g_armed = 1;
}

SignalRestore::~SignalRestore()
{
    g_armed = 0;
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &g_previous[i], nullptr);
}

}  // namespace ilt
