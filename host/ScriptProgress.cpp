// How far a script has got in a run, and the first thing that went wrong.
#include "ScriptProgress.h"

#include <algorithm>

#include "safetext/ControlFree.h"

namespace ilt {
namespace {

// The script's actions that click the buttons a message box of `style` has.
std::vector<ScriptStep::Kind> ButtonActions(UINT style)
{
    using Kind = ScriptStep::Kind;
    switch (style & MB_TYPEMASK) {
    case MB_OK: return {Kind::Ok};
    case MB_OKCANCEL: return {Kind::Ok, Kind::Cancel};
    case MB_YESNOCANCEL: return {Kind::Yes, Kind::No, Kind::Cancel};
    case MB_YESNO: return {Kind::Yes, Kind::No};
    case MB_RETRYCANCEL:
    case MB_CANCELTRYCONTINUE: return {Kind::Cancel};
    default: return {};
    }
}

const char* ButtonLabel(ScriptStep::Kind kind)
{
    switch (kind) {
    case ScriptStep::Kind::Ok: return "OK";
    case ScriptStep::Kind::Cancel: return "Cancel";
    case ScriptStep::Kind::Yes: return "Yes";
    case ScriptStep::Kind::No: return "No";
    default: return "?";
    }
}

bool IsButtonClick(ScriptStep::Kind kind)
{
    return kind == ScriptStep::Kind::Ok || kind == ScriptStep::Kind::Cancel || kind == ScriptStep::Kind::Yes ||
           kind == ScriptStep::Kind::No;
}

// "." or "..", if the path has such a component.
std::string DotComponent(const std::string& path)
{
    std::string component;
    for (const char c : path + "/") {
        if (c != '/' && c != '\\') {
            component += c;
            continue;
        }
        if (component == "." || component == "..")
            return component;
        component.clear();
    }
    return std::string();
}

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

ScriptProgress::ScriptProgress(std::unique_ptr<ScriptReader> script) : m_script(std::move(script)) {}

const ScriptStep* ScriptProgress::Next(const WaitingWindow& window)
{
    if (Failed())
        return nullptr;
    ScriptStep step;
    std::string error;
    switch (m_script->Next(step, error)) {
    case ScriptReader::Result::Step:
        m_current = std::move(step);
        m_started = true;
        return &m_current;
    case ScriptReader::Result::Error: m_error = error; return nullptr;
    case ScriptReader::Result::End: break;
    }
    std::string problem = "the script ended";
    if (m_started)
        problem += " after line " + std::to_string(m_current.line);
    problem += std::string(" while ") + DescribeRole(window.role) + " waits for input";
    if (window.role == WindowRole::MessageBox)
        problem += " (" + QuotedForMessage(window.messageBoxText) + ")";
    Fail(0, problem);
    return nullptr;
}

bool ScriptProgress::Requires(const ScriptStep& step, const WaitingWindow& window, WindowRole wanted)
{
    if (window.role == wanted)
        return true;
    Fail(step.line, std::string(KeywordOf(step.kind)) + ": the active window is " + window.Describe() + ", not " +
                        DescribeRole(wanted));
    return false;
}

bool ScriptProgress::BoxHasButton(const ScriptStep& step, const WaitingWindow& window)
{
    if (window.role != WindowRole::MessageBox || !IsButtonClick(step.kind))
        return true;
    const std::vector<ScriptStep::Kind> actions = ButtonActions(window.messageBoxStyle);
    if (std::find(actions.begin(), actions.end(), step.kind) != actions.end())
        return true;
    std::string takes;
    for (std::size_t i = 0; i < actions.size(); ++i)
        takes += std::string(i == 0 ? "" : i + 1 == actions.size() ? " or " : ", ") + KeywordOf(actions[i]);
    Fail(step.line, std::string(KeywordOf(step.kind)) + ": the message box (" +
                        QuotedForMessage(window.messageBoxText) + ") has no " + ButtonLabel(step.kind) +
                        " button: " + (takes.empty() ? "it has none the script can click" : "it takes " + takes));
    return false;
}

bool ScriptProgress::PathIsPlain(const ScriptStep& step)
{
    const std::string dots = DotComponent(step.argument);
    if (dots.empty())
        return true;
    Fail(step.line, std::string(KeywordOf(step.kind)) + ": " + QuotedForMessage(step.argument) + " has a '" + dots +
                        "' component: give the folder's own path, without '.' or '..'");
    return false;
}

void ScriptProgress::Refused(const WaitingWindow& window, const std::string& why)
{
    const std::string what = m_started ? KeywordOf(m_current.kind) : "an action";
    Fail(m_started ? m_current.line : 0, what + ": refused by " + window.Describe() + ": " + ControlFree(why));
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
    m_error = m_script->Origin() + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + problem;
}

int ScriptProgress::FirstUnplayedLine()
{
    if (m_firstUnplayed)
        return *m_firstUnplayed;
    m_firstUnplayed = 0;
    if (Failed() || !m_script->Rereadable())
        return 0;
    ScriptStep unplayed;
    std::string error;
    switch (m_script->Next(unplayed, error)) {
    case ScriptReader::Result::Step: m_firstUnplayed = unplayed.line; break;
    case ScriptReader::Result::Error: m_firstUnplayed = m_script->LinesRead(); break;
    case ScriptReader::Result::End: break;
    }
    return *m_firstUnplayed;
}

}  // namespace ilt
