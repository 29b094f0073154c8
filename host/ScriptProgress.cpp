// How far a script has got in a run, and the first thing that went wrong.
#include "ScriptProgress.h"

#include "safetext/ControlFree.h"

namespace ilt {
namespace {

std::string EntryList(const std::vector<std::string>& entries)
{
    if (entries.empty())
        return "it is empty";
    std::string list = "entries: ";
    for (std::size_t i = 0; i < entries.size(); ++i)
        list += (i > 0 ? ", " : "") + QuotedForMessage(entries[i]);
    return list;
}

}  // namespace

std::string QuotedForMessage(const std::string& text) { return "'" + ControlFree(text) + "'"; }

std::string WaitingWindow::Describe() const
{
    std::string described = DescribeRole(role);
    if (role == WindowRole::MessageBox)
        described += " (" + QuotedForMessage(messageBoxText) + ")";
    return described;
}

ScriptProgress::ScriptProgress(Script script) : m_script(std::move(script)) {}

const ScriptStep* ScriptProgress::Next(const WaitingWindow& window)
{
    if (Failed())
        return nullptr;
    if (m_next >= m_script.steps.size()) {
        std::string problem = "the script ended";
        if (m_lastLine > 0)
            problem += " after line " + std::to_string(m_lastLine);
        problem += std::string(" while ") + DescribeRole(window.role) + " waits for input";
        if (window.role == WindowRole::MessageBox)
            problem += " (" + QuotedForMessage(window.messageBoxText) + ")";
        Fail(0, problem);
        return nullptr;
    }
    const ScriptStep& step = m_script.steps[m_next++];
    m_lastLine = step.line;
    return &step;
}

bool ScriptProgress::Requires(const ScriptStep& step, const WaitingWindow& window, WindowRole wanted)
{
    if (window.role == wanted)
        return true;
    Fail(step.line, std::string(KeywordOf(step.kind)) + ": the active window is " + window.Describe() + ", not " +
                        DescribeRole(wanted));
    return false;
}

void ScriptProgress::Refused(const WaitingWindow& window, const std::string& why)
{
    const std::string what = m_next > 0 ? KeywordOf(m_script.steps[m_next - 1].kind) : "an action";
    Fail(m_lastLine, what + ": refused by " + window.Describe() + ": " + ControlFree(why));
}

void ScriptProgress::NoSuchEntry(const ScriptStep& step, const std::vector<std::string>& entries)
{
    Fail(step.line, std::string(KeywordOf(step.kind)) + ": the drop-down has no entry " +
                        QuotedForMessage(step.argument) + " (" + EntryList(entries) + ")");
}

void ScriptProgress::Fail(int line, const std::string& problem)
{
    if (Failed())
        return;
    m_error = m_script.origin + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + problem;
}

int ScriptProgress::FirstUnplayedLine() const
{
    return m_next < m_script.steps.size() ? m_script.steps[m_next].line : 0;
}

}  // namespace ilt
