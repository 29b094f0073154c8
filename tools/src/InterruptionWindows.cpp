// Interruptions on Windows: the console's Ctrl-C, Ctrl-Break and close
// events, noted for the run's next checkpoint.

#include <windows.h>

#include <atomic>

#include "Interruption.h"

namespace layouttool {
namespace {

std::atomic<bool> g_pending{false};
// Set when the run has cleaned up and ends: the console waits for it before
// it closes.
HANDLE g_ended = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event)
{
    g_pending = true;
    // Closing the console, logging off or shutting down ends the process
    // when the handler returns: give the run a moment to clean up first.
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        ::WaitForSingleObject(g_ended, 4000);
    return TRUE;
}

}  // namespace

HeldInterruptions::HeldInterruptions() = default;
HeldInterruptions::~HeldInterruptions() = default;

void SetInterruptCleanUp(void (*cleanUp)(const void* context), const void*)
{
    if (g_ended == nullptr)
        g_ended = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ::SetConsoleCtrlHandler(OnConsoleEvent, cleanUp != nullptr ? TRUE : FALSE);
}

bool InterruptionPending() { return g_pending; }

void EndByInterruption()
{
    if (g_ended != nullptr)
        ::SetEvent(g_ended);
    ::ExitProcess(STATUS_CONTROL_C_EXIT);
}

}  // namespace layouttool
