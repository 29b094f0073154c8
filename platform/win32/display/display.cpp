// The display: the process's one source of user input and sink of what is shown,
// the scripted display that tests use, and the handlers of the actions that a
// dialog takes itself.
#include "display_private.h"

#include <cstdio>
#include <map>

namespace win32 {
namespace {

std::map<HWND, ActionHandler>& ActionHandlers()
{
    static std::map<HWND, ActionHandler> handlers;
    return handlers;
}

}  // namespace

void NotifyDisplay(const standin::Event& event)
{
    if (standin::Display* display = standin::GetDisplay())
        display->Notify(event);
}

void SetActionHandler(HWND dialog, ActionHandler handler) { ActionHandlers()[dialog] = std::move(handler); }

void RemoveActionHandler(HWND dialog) { ActionHandlers().erase(dialog); }

ActionHandler ActionHandlerOf(HWND dialog)
{
    const auto found = ActionHandlers().find(dialog);
    return found != ActionHandlers().end() ? found->second : ActionHandler();
}

}  // namespace win32

namespace standin {
namespace {

Display* installedDisplay = nullptr;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

Action Action::Pick(int comboId, std::string exactText)
{
    Action action;
    action.kind = Kind::Pick;
    action.control = comboId;
    action.text = std::move(exactText);
    return action;
}

Action Action::Enter()
{
    Action action;
    action.kind = Kind::Enter;
    return action;
}

Action Action::Escape()
{
    Action action;
    action.kind = Kind::Escape;
    return action;
}

Action Action::Key(UINT virtualKey, unsigned modifiers)
{
    Action action;
    action.kind = Kind::Key;
    action.virtualKey = virtualKey;
    action.modifiers = modifiers;
    return action;
}

Action Action::Close()
{
    Action action;
    action.kind = Kind::Close;
    return action;
}

Action Action::Click(int buttonId)
{
    Action action;
    action.kind = Kind::Click;
    action.control = buttonId;
    return action;
}

Action Action::Highlight(std::string path)
{
    Action action;
    action.kind = Kind::Highlight;
    action.text = std::move(path);
    return action;
}

Action Action::HighlightVirtual()
{
    Action action;
    action.kind = Kind::HighlightVirtual;
    return action;
}

Action Action::Inspect(std::function<void(HWND active)> inspect)
{
    Action action;
    action.kind = Kind::Inspect;
    action.inspect = std::move(inspect);
    return action;
}

std::string Action::Describe() const
{
    switch (kind) {
    case Kind::Pick: return "Pick(" + std::to_string(control) + ", " + Quoted(text) + ")";
    case Kind::Enter: return "Enter";
    case Kind::Escape: return "Escape";
    case Kind::Key: {
        char key[16];
        std::snprintf(key, sizeof(key), "0x%02X", virtualKey);
        return std::string("Key(") + ((modifiers & kShift) ? "Shift+" : "") + ((modifiers & kAlt) ? "Alt+" : "") + key +
               ")";
    }
    case Kind::Close: return "Close";
    case Kind::Click: return "Click(" + std::to_string(control) + ")";
    case Kind::Highlight: return "Highlight(" + Quoted(text) + ")";
    case Kind::HighlightVirtual: return "HighlightVirtual";
    case Kind::Inspect: return "Inspect";
    }
    return "?";
}

std::string Event::Describe() const
{
    char handle[32];
    std::snprintf(handle, sizeof(handle), "%p", static_cast<void*>(hwnd));
    switch (kind) {
    case Kind::WindowShown: return std::string("WindowShown ") + handle + " " + Quoted(text);
    case Kind::WindowHidden: return std::string("WindowHidden ") + handle + " " + Quoted(text);
    case Kind::MessageBoxOpened:
        return std::string("MessageBoxOpened ") + handle + " " + Quoted(text) + " " + Quoted(caption) +
               " style=" + std::to_string(style);
    case Kind::MessageBoxClosed: return std::string("MessageBoxClosed ") + handle + " " + std::to_string(result);
    case Kind::DialogEnded: return std::string("DialogEnded ") + handle + " " + std::to_string(result);
    case Kind::FolderBrowserOpened:
        return std::string("FolderBrowserOpened ") + handle + " " + Quoted(caption) + " root=" + Quoted(text);
    case Kind::EnableOk:
        return std::string("EnableOk ") + handle + " " + Quoted(text) + (enabled ? " enabled" : " disabled");
    case Kind::ActionRejected: return std::string("ActionRejected ") + caption + ": " + text;
    }
    return "?";
}

void SetDisplay(Display* display) { installedDisplay = display; }

Display* GetDisplay() { return installedDisplay; }

ScopedDisplay::ScopedDisplay(Display& display) : m_previous(GetDisplay()) { SetDisplay(&display); }

ScopedDisplay::~ScopedDisplay() { SetDisplay(m_previous); }

ScriptedDisplay::ScriptedDisplay(std::vector<Action> actions) : m_actions(actions.begin(), actions.end()) {}

void ScriptedDisplay::Push(Action action) { m_actions.push_back(std::move(action)); }

std::optional<Action> ScriptedDisplay::WaitForAction(HWND)
{
    if (!m_error.empty() || m_actions.empty()) {
        m_exhausted = true;
        return std::nullopt;
    }
    Action next = std::move(m_actions.front());
    m_actions.pop_front();
    return next;
}

void ScriptedDisplay::Notify(const Event& event)
{
    m_events.push_back(event);
    if (event.kind == Event::Kind::ActionRejected && m_error.empty())
        m_error = event.caption + ": " + event.text;
}

std::vector<ScriptedDisplay::MessageBoxRecord> ScriptedDisplay::MessageBoxes() const
{
    std::vector<MessageBoxRecord> boxes;
    std::vector<HWND> handles;
    for (const Event& event : m_events) {
        if (event.kind == Event::Kind::MessageBoxOpened) {
            boxes.push_back(MessageBoxRecord{event.text, event.caption, event.style, 0, false});
            handles.push_back(event.hwnd);
        } else if (event.kind == Event::Kind::MessageBoxClosed) {
            for (size_t i = boxes.size(); i-- > 0;) {
                if (handles[i] == event.hwnd && !boxes[i].closed) {
                    boxes[i].answer = event.result;
                    boxes[i].closed = true;
                    break;
                }
            }
        }
    }
    return boxes;
}

std::vector<INT_PTR> ScriptedDisplay::DialogResults() const
{
    std::vector<INT_PTR> results;
    for (const Event& event : m_events) {
        if (event.kind == Event::Kind::DialogEnded)
            results.push_back(event.result);
    }
    return results;
}

}  // namespace standin
