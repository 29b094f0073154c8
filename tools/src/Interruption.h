// Interruption.h - what interrupts a run (Linux: SIGINT from Ctrl-C, SIGTERM,
// SIGHUP, SIGQUIT; Windows: Ctrl-C, Ctrl-Break, the console closing): holding
// it off while a step must not be cut in half, and cleaning up before the run
// ends by it.
//
// On Linux the signal's handler cleans up at once (the clean-up does only
// what is safe there) and the run ends by the signal. On Windows the console's
// handler runs on a thread of its own while the template is being written
// with files open, so it only notes the request: the run ends at its next
// checkpoint (InterruptionPending), cleaning up as a failure does.
#pragma once

#if !defined(_WIN32)
#include <signal.h>
#endif

namespace layouttool {

// While it lives, an interrupting signal waits; one that arrived meanwhile is
// delivered when the last holder goes. (Windows: nothing to hold, the
// request waits for a checkpoint anyway.)
class HeldInterruptions {
public:
    HeldInterruptions();
    ~HeldInterruptions();
    HeldInterruptions(const HeldInterruptions&) = delete;
    HeldInterruptions& operator=(const HeldInterruptions&) = delete;

private:
#if !defined(_WIN32)
    sigset_t m_previous;
#endif
};

// Until it is called again, an interruption first calls cleanUp(context),
// then ends the process (Linux: by the signal, as if it had not been caught).
// cleanUp must do only what is safe in a signal handler. A null cleanUp
// leaves interruptions to their default action again. Call it only while the
// interruptions are held. Signals that the process ignores (such as SIGHUP
// under nohup) stay ignored.
void SetInterruptCleanUp(void (*cleanUp)(const void* context), const void* context);

// Whether an interruption has asked the run to end (Windows); always false
// on Linux, where the run has ended already.
bool InterruptionPending();

// Ends the process as an interruption ends it (Windows: with the status of a
// program ended by Ctrl-C, STATUS_CONTROL_C_EXIT).
[[noreturn]] void EndByInterruption();

}  // namespace layouttool
