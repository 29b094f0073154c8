// The display of an interactive run: every window that waits for the user is
// drawn on the terminal, and the user's keys become its actions.
#pragma once

#include <windows.h>
#include <standin/display.h>

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "OpenWindows.h"
#include "terminal/Screen.h"
#include "terminal/View.h"

namespace ilt {

class TerminalDisplay : public standin::Display {
public:
    // Takes over the terminal; nothing, with a reason in `error`, when there is none.
    static std::unique_ptr<TerminalDisplay> Open(std::string& error);

    std::optional<standin::Action> WaitForAction(HWND active) override;
    void Notify(const standin::Event& event) override;

    // True once the terminal gave no more input (the open windows were cancelled).
    bool InputEnded() const { return m_inputEnded; }

private:
    explicit TerminalDisplay(std::unique_ptr<Screen> screen) : m_screen(std::move(screen)) {}
    View& ViewOf(HWND window);
    void Draw(HWND active, View& view);

    std::unique_ptr<Screen> m_screen;
    OpenWindows m_windows;
    std::map<HWND, std::unique_ptr<View>> m_views;
    HWND m_dialog = nullptr;  // the Import Layout Template dialog, once shown
    std::string m_notice;     // why the last action was refused
    bool m_inputEnded = false;
};

}  // namespace ilt
