// The message boxes and folder browsers that are open now, with what they
// show, learnt from the stand-in display's events; and so which part of the
// user interface a top-level window is (WindowRole.h), so that the script
// player and the terminal display can tell what the window that waits for
// input is.
#pragma once

#include <windows.h>
#include <standin/display.h>

#include <map>
#include <string>

#include "WindowRole.h"

namespace ilt {

struct MessageBoxInfo {
    std::string text;
    std::string caption;
    UINT style = 0;
};

struct FolderBrowserInfo {
    std::string title;
    std::string root;       // "" when rooted at the desktop
    bool okEnabled = true;  // as the last BFFM_ENABLEOK left it
};

class OpenWindows {
public:
    void Observe(const standin::Event& event);

    WindowRole RoleOf(HWND window) const;
    // Nothing unless `window` is an open message box / folder browser.
    const MessageBoxInfo* MessageBox(HWND window) const;
    const FolderBrowserInfo* FolderBrowser(HWND window) const;

private:
    std::map<HWND, MessageBoxInfo> m_messageBoxes;
    std::map<HWND, FolderBrowserInfo> m_browsers;
};

}  // namespace ilt
