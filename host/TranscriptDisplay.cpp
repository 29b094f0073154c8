// The transcript of a run on the stand-in display.
#include "TranscriptDisplay.h"

namespace ilt {

std::optional<standin::Action> TranscriptDisplay::WaitForAction(HWND active)
{
    if (IsImportDialog(active))
        writer_.State(ReadDialogState(active));
    return inner_.WaitForAction(active);
}

void TranscriptDisplay::Notify(const standin::Event& event)
{
    using Kind = standin::Event::Kind;
    switch (event.kind) {
    case Kind::MessageBoxOpened: openBoxes_[event.hwnd] = MessageBoxInfo{event.text, event.caption, event.style}; break;
    case Kind::MessageBoxClosed:
        if (const auto box = openBoxes_.find(event.hwnd); box != openBoxes_.end()) {
            writer_.MessageBox(box->second.style, box->second.text, event.result);
            openBoxes_.erase(box);
        }
        break;
    case Kind::FolderBrowserOpened: writer_.Browser(event.caption, event.text); break;
    case Kind::EnableOk: writer_.EnableOk(event.text, event.enabled); break;
    case Kind::WindowShown:
        if (IsImportDialog(event.hwnd))
            writer_.Shown();
        break;
    case Kind::WindowHidden:
    case Kind::DialogEnded:
    case Kind::ActionRejected: break;
    }
    inner_.Notify(event);
}

}  // namespace ilt
