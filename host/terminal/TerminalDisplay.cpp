// The display of an interactive run.
#include "terminal/TerminalDisplay.h"

#include "terminal/DialogView.h"
#include "terminal/FolderBrowserView.h"
#include "terminal/MessageBoxView.h"
#include "terminal/TerminalText.h"

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
    std::unique_ptr<View>& view = m_views[window];
    if (!view) {
        switch (m_windows.RoleOf(window)) {
        case WindowRole::MessageBox:
            view = std::make_unique<MessageBoxView>(window, *m_windows.MessageBox(window));
            break;
        case WindowRole::FolderBrowser: view = std::make_unique<FolderBrowserView>(window, m_windows); break;
        case WindowRole::Dialog:
        case WindowRole::Other: view = std::make_unique<DialogView>(window); break;
        }
    }
    return *view;
}

void TerminalDisplay::Draw(HWND active, View& view)
{
    Canvas canvas(m_screen->Rows(), m_screen->Columns(), m_screen->Unicode());
    // The dialog stays in sight under the message boxes it shows.
    if (m_dialog != nullptr && m_dialog != active && IsWindow(m_dialog) && IsWindowVisible(m_dialog))
        ViewOf(m_dialog).Paint(canvas);
    view.Paint(canvas);
    // The bottom line tells why an action was refused, or which keys work
    // when nothing else is there.
    const int bottom = canvas.Rows() - 1;
    if (!m_notice.empty()) {
        canvas.Fill(bottom, 0, canvas.Columns());
        canvas.Text(bottom, 0, CutToWidth(m_notice, canvas.Columns(), canvas.Unicode()), kBold | kReverse);
    } else if (canvas.RowText(bottom).empty()) {
        canvas.Text(bottom, 0, KeyLine(view.Keys(), canvas.Columns(), canvas.Unicode()), kDim);
    }
    m_screen->Show(canvas);
}

std::optional<standin::Action> TerminalDisplay::WaitForAction(HWND active)
{
    if (m_inputEnded)
        return std::nullopt;
    View& view = ViewOf(active);
    for (;;) {
        Draw(active, view);
        const Key key = m_screen->ReadKey();
        if (key.code == KeyCode::Closed) {
            m_inputEnded = true;
            return std::nullopt;
        }
        if (key.code == KeyCode::Redraw)
            continue;
        m_notice.clear();
        KeyOutcome outcome = view.HandleKey(key);
        if (outcome.action)
            return std::move(outcome.action);
        if (outcome.refused)
            m_screen->Beep();
    }
}

void TerminalDisplay::Notify(const standin::Event& event)
{
    using Kind = standin::Event::Kind;
    m_windows.Observe(event);
    switch (event.kind) {
    case Kind::WindowShown:
        if (IsImportDialog(event.hwnd))
            m_dialog = event.hwnd;
        break;
    case Kind::MessageBoxClosed:
    case Kind::DialogEnded:
        m_views.erase(event.hwnd);
        if (event.hwnd == m_dialog)
            m_dialog = nullptr;
        break;
    case Kind::ActionRejected:
        m_notice = "Refused: " + event.text;
        m_screen->Beep();
        break;
    case Kind::WindowHidden:
    case Kind::MessageBoxOpened:
    case Kind::FolderBrowserOpened:
    case Kind::EnableOk: break;
    }
}

}  // namespace ilt
