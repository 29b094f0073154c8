// The display of a headless run: plays a script's actions.
#include "ScriptPlayer.h"

#include <standin/crt.h>

#include <algorithm>

#include "DialogState.h"
#include "dialog/resource.h"
#include "terminal/TerminalText.h"

namespace ilt {
namespace {

// Text from the dialog or the disk, fit for a message on standard error.
std::string Shown(const std::string& text)
{
  return "'" + ControlFree(text) + "'";
}

std::string EntryList(const std::vector<std::string>& entries)
{
  if (entries.empty())
    return "it is empty";
  std::string list = "entries: ";
  for (std::size_t i = 0; i < entries.size(); ++i)
    list += (i > 0 ? ", " : "") + Shown(entries[i]);
  return list;
}

}  // namespace

ScriptPlayer::ScriptPlayer(Script script) : script_(std::move(script)) {}

std::string ScriptPlayer::Describe(HWND window) const
{
  std::string described = DescribeRole(roles_.RoleOf(window));
  if (const MessageBoxInfo* box = roles_.MessageBox(window))
    described += " (" + Shown(box->text) + ")";
  return described;
}

void ScriptPlayer::Fail(int line, const std::string& problem)
{
  if (!error_.empty())
    return;
  error_ = script_.origin + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + problem;
}

std::optional<standin::Action> ScriptPlayer::WaitForAction(HWND active)
{
  if (!error_.empty())
    return std::nullopt;
  const WindowRole role = roles_.RoleOf(active);
  if (next_ >= script_.steps.size()) {
    std::string problem = "the script ended";
    if (lastLine_ > 0)
      problem += " after line " + std::to_string(lastLine_);
    problem += std::string(" while ") + DescribeRole(role) + " waits for input";
    if (const MessageBoxInfo* box = roles_.MessageBox(active))
      problem += " (" + Shown(box->text) + ")";
    Fail(0, problem);
    return std::nullopt;
  }
  const ScriptStep& step = script_.steps[next_++];
  lastLine_ = step.line;
  return ToAction(step, active, role);
}

std::optional<standin::Action> ScriptPlayer::ToAction(const ScriptStep& step, HWND active, WindowRole role)
{
  using Action = standin::Action;
  const std::string keyword = KeywordOf(step.kind);
  const auto needs = [&](WindowRole wanted) {
    if (role == wanted)
      return true;
    Fail(step.line, keyword + ": the active window is " + Describe(active) + ", not " + DescribeRole(wanted));
    return false;
  };

  switch (step.kind) {
  case ScriptStep::Kind::Select: {
    if (!needs(WindowRole::Dialog))
      return std::nullopt;
    const std::vector<std::string> entries = ReadDialogState(active).templates;
    if (std::find(entries.begin(), entries.end(), step.argument) == entries.end()) {
      Fail(step.line, "select: the drop-down has no entry " + Shown(step.argument) + " (" + EntryList(entries) + ")");
      return std::nullopt;
    }
    return Action::Pick(IDC_COMBO1, step.argument);
  }
  case ScriptStep::Kind::Ok: return Action::Click(IDOK);
  case ScriptStep::Kind::Cancel: return Action::Click(IDCANCEL);
  case ScriptStep::Kind::Yes: return Action::Click(IDYES);
  case ScriptStep::Kind::No: return Action::Click(IDNO);
  case ScriptStep::Kind::Enter: return Action::Enter();
  case ScriptStep::Kind::Escape: return Action::Escape();
  case ScriptStep::Kind::Close: return Action::Close();
  case ScriptStep::Kind::Highlight:
    if (!needs(WindowRole::FolderBrowser))
      return std::nullopt;
    // A native absolute path is turned into the form the dialog uses.
    return Action::Highlight(step.argument[0] == '/' ? standin::FromNativePath(step.argument) : step.argument);
  case ScriptStep::Kind::HighlightVirtual:
    if (!needs(WindowRole::FolderBrowser))
      return std::nullopt;
    return Action::HighlightVirtual();
  }
  return std::nullopt;
}

void ScriptPlayer::Notify(const standin::Event& event)
{
  roles_.Observe(event);
  if (event.kind == standin::Event::Kind::ActionRejected) {
    const std::string what = next_ > 0 ? KeywordOf(script_.steps[next_ - 1].kind) : event.caption;
    Fail(lastLine_, what + ": refused by " + Describe(event.hwnd) + ": " + ControlFree(event.text));
  }
}

int ScriptPlayer::FirstUnplayedLine() const
{
  return next_ < script_.steps.size() ? script_.steps[next_].line : 0;
}

}  // namespace ilt
