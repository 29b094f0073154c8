// Which part of the user interface a top-level window is.
#include "WindowRoles.h"

namespace ilt {

void WindowRoles::Observe(const standin::Event& event)
{
    using Kind = standin::Event::Kind;
    switch (event.kind) {
    case Kind::MessageBoxOpened:
        browsers_.erase(event.hwnd);
        messageBoxes_[event.hwnd] = MessageBoxInfo{event.text, event.caption, event.style};
        break;
    case Kind::MessageBoxClosed: messageBoxes_.erase(event.hwnd); break;
    case Kind::FolderBrowserOpened:
        messageBoxes_.erase(event.hwnd);
        browsers_[event.hwnd] = FolderBrowserInfo{event.caption, event.text, true};
        break;
    case Kind::EnableOk:
        if (auto browser = browsers_.find(event.hwnd); browser != browsers_.end())
            browser->second.okEnabled = event.enabled;
        break;
    case Kind::DialogEnded: browsers_.erase(event.hwnd); break;
    case Kind::WindowShown:
    case Kind::WindowHidden:
    case Kind::ActionRejected: break;
    }
}

WindowRole WindowRoles::RoleOf(HWND window) const
{
    // The dialog is known by its controls, so a handle that an ended browser
    // left behind cannot be mistaken for it.
    if (IsImportDialog(window))
        return WindowRole::Dialog;
    if (messageBoxes_.count(window) != 0)
        return WindowRole::MessageBox;
    if (browsers_.count(window) != 0)
        return WindowRole::FolderBrowser;
    return WindowRole::Other;
}

const MessageBoxInfo* WindowRoles::MessageBox(HWND window) const
{
    const auto found = messageBoxes_.find(window);
    return found != messageBoxes_.end() ? &found->second : nullptr;
}

const FolderBrowserInfo* WindowRoles::FolderBrowser(HWND window) const
{
    const auto found = browsers_.find(window);
    return found != browsers_.end() ? &found->second : nullptr;
}

}  // namespace ilt
