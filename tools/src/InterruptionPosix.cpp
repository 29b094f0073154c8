// Clean-up on an interrupting signal, then the signal's own ending (Linux).

#include "Interruption.h"

#include <cstdlib>

namespace layouttool {
namespace {

constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

sigset_t InterruptionSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kInterruptions)
        sigaddset(&set, signal);
    return set;
}

// Set and read only while the signals are held or from the handler, which
// they cannot interrupt: no data race is possible.
void (*g_cleanUp)(const void*) = nullptr;
const void* g_context = nullptr;

extern "C" void OnInterruption(int signal)
{
    if (g_cleanUp != nullptr)
        g_cleanUp(g_context);
    // The default action, taken once the handler returns and unblocks it.
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    ::sigaction(signal, &defaultAction, nullptr);
    ::raise(signal);
}

}  // namespace

HeldInterruptions::HeldInterruptions()
{
    const sigset_t set = InterruptionSet();
    ::pthread_sigmask(SIG_BLOCK, &set, &m_previous);
}

HeldInterruptions::~HeldInterruptions() { ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }

void SetInterruptCleanUp(void (*cleanUp)(const void* context), const void* context)
{
    g_cleanUp = cleanUp;
    g_context = context;
    for (const int signal : kInterruptions) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        if (current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = cleanUp != nullptr ? OnInterruption : SIG_DFL;
        action.sa_mask = InterruptionSet();  // one clean-up at a time
        ::sigaction(signal, &action, nullptr);
    }
}

bool InterruptionPending() { return false; }

void EndByInterruption() { std::abort(); }

}  // namespace layouttool
