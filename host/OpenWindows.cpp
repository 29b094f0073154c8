// The message boxes and folder browsers that are open now.
#include "OpenWindows.h"

namespace ilt {

void OpenWindows::Observe(const standin::Event& event)
{
    using Kind = standin::Event::Kind;
    switch (event.kind) {
    case Kind::MessageBoxOpened:
        m_browsers.erase(event.hwnd);
        m_messageBoxes[event.hwnd] = MessageBoxInfo{event.text, event.caption, event.style};
        break;
    case Kind::MessageBoxClosed: m_messageBoxes.erase(event.hwnd); break;
    case Kind::FolderBrowserOpened:
        m_messageBoxes.erase(event.hwnd);
        m_browsers[event.hwnd] = FolderBrowserInfo{event.caption, event.text, true};
        break;
    case Kind::EnableOk:
        if (auto browser = m_browsers.find(event.hwnd); browser != m_browsers.end())
            browser->second.okEnabled = event.enabled;
        break;
    case Kind::DialogEnded: m_browsers.erase(event.hwnd); break;
    case Kind::WindowShown:
    case Kind::WindowHidden:
    case Kind::ActionRejected: break;
    }
}

WindowRole OpenWindows::RoleOf(HWND window) const
{
    // The dialog is known by its controls, so a handle that an ended browser
    // left behind cannot be mistaken for it.
    if (IsImportDialog(window))
        return WindowRole::Dialog;
    if (m_messageBoxes.count(window) != 0)
        return WindowRole::MessageBox;
    if (m_browsers.count(window) != 0)
        return WindowRole::FolderBrowser;
    return WindowRole::Other;
}

const MessageBoxInfo* OpenWindows::MessageBox(HWND window) const
{
    const auto found = m_messageBoxes.find(window);
    return found != m_messageBoxes.end() ? &found->second : nullptr;
}

const FolderBrowserInfo* OpenWindows::FolderBrowser(HWND window) const
{
    const auto found = m_browsers.find(window);
    return found != m_browsers.end() ? &found->second : nullptr;
}

}  // namespace ilt
