// Interruption.h - the signals that interrupt a run (SIGINT from Ctrl-C,
// SIGTERM, SIGHUP, SIGQUIT): holding them off while a step must not be cut in
// half, and cleaning up before the run ends by one.
#pragma once

#include <signal.h>

namespace layouttool {

// While it lives, the interrupting signals wait; one that arrived meanwhile
// is delivered when the last holder goes.
class HeldInterruptions {
public:
    HeldInterruptions();
    ~HeldInterruptions();
    HeldInterruptions(const HeldInterruptions&) = delete;
    HeldInterruptions& operator=(const HeldInterruptions&) = delete;

private:
    sigset_t m_previous;
};

// Until it is called again, an interrupting signal first calls
// cleanUp(context), then ends the process by that signal, as if it had not
// been caught. cleanUp must do only what is safe in a signal handler. A null
// cleanUp leaves the signals to their default action again. Call it only
// while the interruptions are held. Signals that the process ignores (such as
// SIGHUP under nohup) stay ignored.
void SetInterruptCleanUp(void (*cleanUp)(const void* context), const void* context);

}  // namespace layouttool
