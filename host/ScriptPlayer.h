// The display of a headless run: plays a script's actions, one each time a
// modal loop waits for the user, and stops at the first step that does not
// fit what the user would see.
//
// A step that cannot be played (a select while a message box is up, an entry
// or folder that is not there, a button that is disabled) and a script that
// ends while a window still waits for input stop the run: from then on every
// wait gets no input, so the open loops end as if cancelled, and Error() says
// what went wrong and where.
#pragma once

#include <standin/display.h>

#include <memory>
#include <optional>
#include <string>

#include "Script.h"
#include "ScriptProgress.h"
#include "OpenWindows.h"

namespace ilt {

class ScriptPlayer : public standin::Display {
public:
    explicit ScriptPlayer(std::unique_ptr<ScriptReader> script);

    std::optional<standin::Action> WaitForAction(HWND active) override;
    void Notify(const standin::Event& event) override;

    // "FILE:LINE: what went wrong", or "" while all is well.
    const std::string& Error() const { return m_progress.Error(); }
    // The line of the first step not played, or 0 when every step was played.
    int FirstUnplayedLine() { return m_progress.FirstUnplayedLine(); }

private:
    std::optional<standin::Action> ToAction(const ScriptStep& step, HWND active, const WaitingWindow& window);
    WaitingWindow Waiting(HWND window) const;

    ScriptProgress m_progress;
    OpenWindows m_windows;
};

}  // namespace ilt
