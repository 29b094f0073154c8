// The transcript of a run on the stand-in display.
#include "TranscriptDisplay.h"

namespace ilt {

std::optional<standin::Action> TranscriptDisplay::WaitForAction(HWND active)
{
    if (IsImportDialog(active))
        m_writer.State(ReadDialogState(active));
    return m_inner.WaitForAction(active);
}

void TranscriptDisplay::Notify(const standin::Event& event)
{
    using Kind = standin::Event::Kind;
    switch (event.kind) {
    case Kind::MessageBoxOpened:
        m_openBoxes[event.hwnd] = MessageBoxInfo{event.text, event.caption, event.style};
        break;
    case Kind::MessageBoxClosed:
        if (const auto box = m_openBoxes.find(event.hwnd); box != m_openBoxes.end()) {
            m_writer.MessageBox(box->second.style, box->second.text, event.result);
            m_openBoxes.erase(box);
        }
        break;
    case Kind::FolderBrowserOpened: m_writer.Browser(event.caption, event.text); break;
    case Kind::EnableOk: m_writer.EnableOk(event.text, event.enabled); break;
    case Kind::WindowShown:
        if (IsImportDialog(event.hwnd))
            m_writer.Shown();
        break;
    case Kind::WindowHidden:
    case Kind::DialogEnded:
    case Kind::ActionRejected: break;
    }
    m_inner.Notify(event);
}

}  // namespace ilt
