// Gives the terminal back when a signal ends the program while the screen
// is shown. ncurses would restore the terminal itself on SIGINT and SIGTERM
// only (and exit with 1, the status of Cancel); SIGHUP and SIGQUIT would
// leave it in the alternate screen with keypad mode on, and the user's
// earlier output hidden.
//
// A SignalRestore takes SIGHUP, SIGINT, SIGQUIT and SIGTERM over before the
// screen is opened, so that ncurses leaves them alone. Once armed, each of
// them first writes `leave` to the terminal (the sequences that end the
// screen's modes) and sets its modes back to `shellModes`; then, armed or
// not, it ends the program as the signal would have: the shell sees 128 + the
// signal's number. The earlier handlers come back when the object goes.
#pragma once

#include <termios.h>

#include <string>

namespace ilt {

class SignalRestore {
public:
    SignalRestore();
    ~SignalRestore();
    SignalRestore(const SignalRestore&) = delete;
    SignalRestore& operator=(const SignalRestore&) = delete;

    void Arm(int terminal, const termios& shellModes, const std::string& leave);
};

}  // namespace ilt
