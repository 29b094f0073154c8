// The display of a headless run: plays a script's actions.
#include "ScriptPlayer.h"

#include <standin/crt.h>

#include <algorithm>

#include "dialogstate/DialogState.h"
#include "dialog/resource.h"

namespace ilt {

ScriptPlayer::ScriptPlayer(std::unique_ptr<ScriptReader> script) : m_progress(std::move(script)) {}

WaitingWindow ScriptPlayer::Waiting(HWND window) const
{
    WaitingWindow waiting;
    waiting.role = m_windows.RoleOf(window);
    if (const MessageBoxInfo* box = m_windows.MessageBox(window)) {
        waiting.messageBoxText = box->text;
        waiting.messageBoxStyle = box->style;
    }
    return waiting;
}

std::optional<standin::Action> ScriptPlayer::WaitForAction(HWND active)
{
    const WaitingWindow window = Waiting(active);
    const ScriptStep* step = m_progress.Next(window);
    if (step == nullptr)
        return std::nullopt;
    return ToAction(*step, active, window);
}

std::optional<standin::Action> ScriptPlayer::ToAction(const ScriptStep& step, HWND active, const WaitingWindow& window)
{
    using Action = standin::Action;
    switch (step.kind) {
    case ScriptStep::Kind::Select: {
        if (!m_progress.Requires(step, window, WindowRole::Dialog))
            return std::nullopt;
        const std::vector<std::string> entries = ReadDialogState(active).templates;
        if (std::find(entries.begin(), entries.end(), step.argument) == entries.end()) {
            m_progress.NoSuchEntry(step, entries);
            return std::nullopt;
        }
        return Action::Pick(IDC_COMBO1, step.argument);
    }
    case ScriptStep::Kind::Ok:
    case ScriptStep::Kind::Cancel:
    case ScriptStep::Kind::Yes:
    case ScriptStep::Kind::No:
        if (!m_progress.BoxHasButton(step, window))
            return std::nullopt;
        return Action::Click(ButtonId(step.kind));
    case ScriptStep::Kind::Enter: return Action::Enter();
    case ScriptStep::Kind::Escape: return Action::Escape();
    case ScriptStep::Kind::Close: return Action::Close();
    case ScriptStep::Kind::Highlight:
        if (!m_progress.Requires(step, window, WindowRole::FolderBrowser) || !m_progress.PathIsPlain(step))
            return std::nullopt;
        // A native absolute path is turned into the form the dialog uses.
        return Action::Highlight(step.argument[0] == '/' ? standin::FromNativePath(step.argument) : step.argument);
    case ScriptStep::Kind::HighlightVirtual:
        if (!m_progress.Requires(step, window, WindowRole::FolderBrowser))
            return std::nullopt;
        return Action::HighlightVirtual();
    }
    return std::nullopt;
}

void ScriptPlayer::Notify(const standin::Event& event)
{
    m_windows.Observe(event);
    if (event.kind == standin::Event::Kind::ActionRejected)
        m_progress.Refused(Waiting(event.hwnd), event.text);
}

}  // namespace ilt
