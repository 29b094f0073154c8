// How far a script has got in a run, and the first thing that went wrong,
// worded the same whichever player acts on the windows (the stand-in display's
// or the one that drives real Win32 windows).
//
// Once the run has failed, no further step is handed out: the player ends the
// open windows as if the input had run out, and Error() says what went wrong
// and where ("demo.script:3: select: the drop-down has no entry '9L' (...)").
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Script.h"
#include "WindowRole.h"

namespace ilt {

// The window that waits for input, as messages name it.
struct WaitingWindow {
    WindowRole role = WindowRole::Other;
    std::string messageBoxText;  // a message box's text
    UINT messageBoxStyle = 0;    // its MB_* style, which tells its buttons

    // "the dialog", or "a message box ('its text')".
    std::string Describe() const;
};

class ScriptProgress {
public:
    explicit ScriptProgress(std::unique_ptr<ScriptReader> script);

    // The step to play while `window` waits for input, read from the script
    // now. Nothing once the run has failed, or when the script has ended or
    // holds a bad line, which fails the run.
    const ScriptStep* Next(const WaitingWindow& window);

    // False, failing the run, unless `window` is the one `step` needs.
    bool Requires(const ScriptStep& step, const WaitingWindow& window, WindowRole wanted);
    // False, failing the run, when `step` clicks a button (ok, cancel, yes,
    // no) that the message box `window` does not have.
    bool BoxHasButton(const ScriptStep& step, const WaitingWindow& window);
    // False, failing the run, when the PATH of a highlight has a "." or ".."
    // component: the browser takes a folder by its own path.
    bool PathIsPlain(const ScriptStep& step);
    // The last step handed out was refused by `window`, for `why`.
    void Refused(const WaitingWindow& window, const std::string& why);
    // A select of an entry that the drop-down does not hold.
    void NoSuchEntry(const ScriptStep& step, const std::vector<std::string>& entries);
    // Fails the run at `line` (0: no line) unless it has failed already.
    void Fail(int line, const std::string& problem);

    bool Failed() const { return !m_error.empty(); }
    // "FILE:LINE: what went wrong", or "" while all is well.
    const std::string& Error() const { return m_error; }
    // After the run: the line of the first action not played, or 0 when
    // there is none, or when the rest of the script cannot be read without
    // waiting for its writer (a pipe).
    int FirstUnplayedLine();

private:
    std::unique_ptr<ScriptReader> m_script;
    ScriptStep m_current;  // the last step handed out
    bool m_started = false;
    std::string m_error;
    std::optional<int> m_firstUnplayed;
};

// Text from the dialog or the disk, quoted and fit for a message on standard error.
std::string QuotedForMessage(const std::string& text);

}  // namespace ilt
