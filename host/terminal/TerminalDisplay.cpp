// The display of an interactive run.
#include "terminal/TerminalDisplay.h"

#include "terminal/DialogView.h"
#include "terminal/FolderBrowserView.h"
#include "terminal/MessageBoxView.h"

namespace ilt {

std::unique_ptr<TerminalDisplay> TerminalDisplay::Open(std::string& error)
{
    std::unique_ptr<Screen> screen = Screen::Open(error);
    if (!screen)
        return nullptr;
    return std::unique_ptr<TerminalDisplay>(new TerminalDisplay(std::move(screen)));
}

View& TerminalDisplay::ViewOf(HWND window)
{
    std::unique_ptr<View>& view = views_[window];
    if (!view) {
        switch (roles_.RoleOf(window)) {
        case WindowRole::MessageBox: view = std::make_unique<MessageBoxView>(window, *roles_.MessageBox(window)); break;
        case WindowRole::FolderBrowser: view = std::make_unique<FolderBrowserView>(window, roles_); break;
        case WindowRole::Dialog:
        case WindowRole::Other: view = std::make_unique<DialogView>(window); break;
        }
    }
    return *view;
}

void TerminalDisplay::Draw(HWND active, View& view)
{
    Canvas canvas(screen_->Rows(), screen_->Columns(), screen_->Unicode());
    // The dialog stays in sight under the message boxes it shows.
    if (dialog_ != nullptr && dialog_ != active && IsWindow(dialog_) && IsWindowVisible(dialog_))
        ViewOf(dialog_).Paint(canvas);
    view.Paint(canvas);
    // The bottom line tells why an action was refused, or which keys work
    // when nothing else is there.
    const int bottom = canvas.Rows() - 1;
    if (!notice_.empty()) {
        canvas.Fill(bottom, 0, canvas.Columns());
        canvas.Text(bottom, 0, notice_, kBold | kReverse);
    } else if (canvas.RowText(bottom).empty()) {
        canvas.Text(bottom, 0, view.Hint(), kDim);
    }
    screen_->Show(canvas);
}

std::optional<standin::Action> TerminalDisplay::WaitForAction(HWND active)
{
    if (inputEnded_)
        return std::nullopt;
    View& view = ViewOf(active);
    for (;;) {
        Draw(active, view);
        const Key key = screen_->ReadKey();
        if (key.code == KeyCode::Closed) {
            inputEnded_ = true;
            return std::nullopt;
        }
        if (key.code == KeyCode::Redraw)
            continue;
        notice_.clear();
        KeyOutcome outcome = view.HandleKey(key);
        if (outcome.action)
            return std::move(outcome.action);
        if (outcome.refused)
            screen_->Beep();
    }
}

void TerminalDisplay::Notify(const standin::Event& event)
{
    using Kind = standin::Event::Kind;
    roles_.Observe(event);
    switch (event.kind) {
    case Kind::WindowShown:
        if (IsImportDialog(event.hwnd))
            dialog_ = event.hwnd;
        break;
    case Kind::MessageBoxClosed:
    case Kind::DialogEnded:
        views_.erase(event.hwnd);
        if (event.hwnd == dialog_)
            dialog_ = nullptr;
        break;
    case Kind::ActionRejected:
        notice_ = "Refused: " + event.text;
        screen_->Beep();
        break;
    case Kind::WindowHidden:
    case Kind::MessageBoxOpened:
    case Kind::FolderBrowserOpened:
    case Kind::EnableOk: break;
    }
}

}  // namespace ilt
