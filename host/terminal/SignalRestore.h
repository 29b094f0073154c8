// Gives the terminal back when a signal ends the program while the screen
// is shown. ncurses restores the terminal itself only on SIGINT and SIGTERM;
// SIGHUP and SIGQUIT would leave it in the alternate screen with keypad mode
// on, and the user's earlier output hidden.
//
// While a SignalRestore lives, SIGHUP, SIGINT, SIGQUIT and SIGTERM first write
// `leave` to the terminal (the sequences that end the screen's modes) and set
// its modes back to `shellModes`, then end the program as the signal would
// have: the shell sees 128 + the signal's number.
#pragma once

#include <termios.h>

#include <string>

namespace ilt {

class SignalRestore {
public:
    SignalRestore(int terminal, const termios& shellModes, const std::string& leave);
    ~SignalRestore();
    SignalRestore(const SignalRestore&) = delete;
    SignalRestore& operator=(const SignalRestore&) = delete;
};

}  // namespace ilt
