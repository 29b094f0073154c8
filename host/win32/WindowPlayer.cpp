// The script player of the Windows host.
#include "WindowPlayer.h"

#include <shlobj.h>

#include <algorithm>

#include "UserInput.h"
#include "WindowQuery.h"
#include "dialog/resource.h"

namespace ilt::win32 {
namespace {

WindowPlayer* activePlayer = nullptr;

// Often enough that a run is not slowed, seldom enough to leave the loops idle.
constexpr UINT kTickMilliseconds = 20;

bool IsButtonCommand(WPARAM wParam)
{
    const int id = LOWORD(wParam);
    return HIWORD(wParam) == BN_CLICKED && ((id >= IDOK && id <= IDNO) || id == IDTRYAGAIN || id == IDCONTINUE);
}

bool SameState(const DialogState& a, const DialogState& b)
{
    return a.caption == b.caption && a.central == b.central && a.constraint == b.constraint && a.format == b.format &&
           a.templates == b.templates && a.selected == b.selected && a.rows == b.rows;
}

// Folder paths compared as Windows compares them: case ignored, a trailing backslash too.
bool SamePath(std::string a, std::string b)
{
    for (std::string* path : {&a, &b}) {
        while (path->size() > 3 && path->back() == '\\')
            path->pop_back();
    }
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

}  // namespace

WindowPlayer::WindowPlayer(std::unique_ptr<ScriptReader> script, TranscriptWriter* transcript, HMODULE module)
    : m_transcript(transcript), m_watch(module, *this)
{
    if (script)
        m_progress.emplace(std::move(script));
    activePlayer = this;
    const DWORD thread = GetCurrentThreadId();
    m_cbt.reset(SetWindowsHookExA(WH_CBT, &WindowPlayer::CbtHook, nullptr, thread));
    m_sent.reset(SetWindowsHookExA(WH_CALLWNDPROC, &WindowPlayer::SentMessageHook, nullptr, thread));
    m_retrieved.reset(SetWindowsHookExA(WH_GETMESSAGE, &WindowPlayer::RetrievedMessageHook, nullptr, thread));
    m_timer = SetTimer(nullptr, 0, kTickMilliseconds, &WindowPlayer::Tick);
}

WindowPlayer::~WindowPlayer()
{
    if (m_timer != 0)
        KillTimer(nullptr, m_timer);
    activePlayer = nullptr;
}

const std::string& WindowPlayer::Error() const
{
    static const std::string none;
    return m_progress ? m_progress->Error() : none;
}

int WindowPlayer::FirstUnplayedLine() { return m_progress ? m_progress->FirstUnplayedLine() : 0; }

LRESULT CALLBACK WindowPlayer::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (activePlayer != nullptr && code == HCBT_CREATEWND) {
        const auto* created = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        if (!(created->lpcs->style & WS_CHILD))
            activePlayer->Created(reinterpret_cast<HWND>(wParam));
    } else if (activePlayer != nullptr && code == HCBT_DESTROYWND) {
        activePlayer->Destroying(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowPlayer::SentMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (activePlayer != nullptr && code == HC_ACTION)
        activePlayer->Sent(*reinterpret_cast<const CWPSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowPlayer::RetrievedMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (activePlayer != nullptr && code == HC_ACTION && wParam == PM_REMOVE && message->message == WM_COMMAND)
        activePlayer->CommandGiven(message->hwnd, message->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK WindowPlayer::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (activePlayer != nullptr)
        activePlayer->OnTick();
}

void WindowPlayer::BrowserOpening(const std::string& title, const std::string& root)
{
    if (m_transcript != nullptr)
        m_transcript->Browser(title, root);
}

void WindowPlayer::Created(HWND window)
{
    if (ClassNameOf(window) == "#32770")
        m_windows.push_back(window);
}

void WindowPlayer::Destroying(HWND window)
{
    const auto known = std::find(m_windows.begin(), m_windows.end(), window);
    if (known == m_windows.end())
        return;
    m_windows.erase(known);
    if (m_boxes.count(window) != 0 || LooksLikeMessageBox(window)) {
        // A message box returns the id of the button command that ended it.
        const MessageBoxContent& box = BoxRead(window);
        const auto command = m_lastButtonCommand.find(window);
        const INT_PTR answer =
            m_unanswered.count(window) != 0 || command == m_lastButtonCommand.end() ? 0 : command->second;
        if (m_transcript != nullptr)
            m_transcript->MessageBox(box.style, box.text, answer);
    }
    m_boxes.erase(window);
    m_lastButtonCommand.erase(window);
    m_unanswered.erase(window);
}

void WindowPlayer::CommandGiven(HWND window, WPARAM wParam)
{
    if (IsButtonCommand(wParam) && std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end())
        m_lastButtonCommand[window] = LOWORD(wParam);
}

void WindowPlayer::Sent(const CWPSTRUCT& message)
{
    switch (message.message) {
    case WM_COMMAND: CommandGiven(message.hwnd, message.wParam); break;
    case WM_SHOWWINDOW:
        if (message.wParam != FALSE && m_transcript != nullptr && IsImportDialog(message.hwnd))
            m_transcript->Shown();
        break;
    case BFFM_ENABLEOK:
        // The callback's verdict; Wine's browser sends its own after the callback returns.
        if (message.hwnd == m_watch.Browser() && m_watch.InCallback() && m_transcript != nullptr)
            m_transcript->EnableOk(m_watch.Highlighted(), message.lParam != 0);
        break;
    default: break;
    }
}

const MessageBoxContent& WindowPlayer::BoxRead(HWND box)
{
    auto known = m_boxes.find(box);
    if (known == m_boxes.end())
        known = m_boxes.emplace(box, ReadMessageBox(box)).first;
    return known->second;
}

HWND WindowPlayer::WaitingWindowHandle() const
{
    for (auto window = m_windows.rbegin(); window != m_windows.rend(); ++window) {
        if (IsWindow(*window) && IsWindowVisible(*window) && IsWindowEnabled(*window))
            return *window;
    }
    return nullptr;
}

WindowRole WindowPlayer::RoleOf(HWND window) const
{
    if (IsImportDialog(window))
        return WindowRole::Dialog;
    if (window == m_watch.Browser() || FindDescendantOfClass(window, "SysTreeView32") != nullptr)
        return WindowRole::FolderBrowser;
    if (LooksLikeMessageBox(window))
        return WindowRole::MessageBox;
    return WindowRole::Other;
}

void WindowPlayer::OnTick()
{
    if (m_inTick)
        return;
    m_inTick = true;
    const HWND window = WaitingWindowHandle();
    WaitingWindow waiting;
    waiting.role = window != nullptr ? RoleOf(window) : WindowRole::Other;
    if (window != nullptr && waiting.role == WindowRole::MessageBox) {
        waiting.messageBoxText = BoxRead(window).text;
        waiting.messageBoxStyle = BoxRead(window).style;
    }
    if (window != nullptr && waiting.role == WindowRole::Dialog && m_transcript != nullptr) {
        // Each wait of a scripted run; a person's run when what is shown changed.
        DialogState state = ReadDialogState(window);
        if (m_progress || !m_watchedState || !SameState(*m_watchedState, state))
            m_transcript->State(state);
        m_watchedState = std::move(state);
    }
    if (window != nullptr && m_progress) {
        if (const ScriptStep* step = m_progress->Next(waiting))
            Play(*step, window, waiting);
        else
            EndUnanswered(window, waiting.role);
    }
    m_inTick = false;
}

void WindowPlayer::Play(const ScriptStep& step, HWND window, const WaitingWindow& waiting)
{
    std::string refusal;
    switch (step.kind) {
    case ScriptStep::Kind::Select: {
        if (!m_progress->Requires(step, waiting, WindowRole::Dialog))
            return;
        const std::vector<std::string> entries = ReadDialogState(window).templates;
        const auto entry = std::find(entries.begin(), entries.end(), step.argument);
        if (entry == entries.end()) {
            m_progress->NoSuchEntry(step, entries);
            return;
        }
        refusal = PickComboEntry(window, IDC_COMBO1, static_cast<int>(entry - entries.begin()));
        break;
    }
    case ScriptStep::Kind::Ok:
    case ScriptStep::Kind::Cancel:
    case ScriptStep::Kind::Yes:
    case ScriptStep::Kind::No:
        if (!m_progress->BoxHasButton(step, waiting))
            return;
        // A click on the browser's greyed OK goes nowhere.
        refusal = ClickButton(window, ButtonId(step.kind),
                              step.kind == ScriptStep::Kind::Ok && waiting.role == WindowRole::FolderBrowser);
        break;
    case ScriptStep::Kind::Enter: PressKey(window, VK_RETURN); break;
    case ScriptStep::Kind::Escape: PressKey(window, VK_ESCAPE); break;
    case ScriptStep::Kind::Close: PressCloseBox(window); break;
    case ScriptStep::Kind::Highlight:
        if (!m_progress->Requires(step, waiting, WindowRole::FolderBrowser) || !m_progress->PathIsPlain(step))
            return;
        refusal = Highlight(step.argument, window);
        break;
    case ScriptStep::Kind::HighlightVirtual:
        if (!m_progress->Requires(step, waiting, WindowRole::FolderBrowser))
            return;
        refusal = HighlightVirtual(window);
        break;
    }
    if (!refusal.empty())
        m_progress->Refused(waiting, refusal);
}

std::string WindowPlayer::Highlight(const std::string& path, HWND browser)
{
    std::string refusal = HighlightFolder(browser, m_watch.Root(), path);
    // The highlight counts once it has reached the browser's callback.
    if (refusal.empty() && !SamePath(m_watch.Highlighted(), path))
        refusal = "the browser did not highlight \"" + path + "\"";
    return refusal;
}

std::string WindowPlayer::HighlightVirtual(HWND browser)
{
    // "This PC" has no file-system path; the browser shows it when it is
    // rooted where that item can be reached.
    LPITEMIDLIST computer = nullptr;
    const int changes = m_watch.SelectionChanges();
    if (SUCCEEDED(SHGetSpecialFolderLocation(browser, CSIDL_DRIVES, &computer))) {
        SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(computer));
        CoTaskMemFree(computer);
    }
    if (m_watch.SelectionChanges() == changes || !m_watch.Highlighted().empty())
        return "the browser shows no item outside the file system under its root";
    return std::string();
}

void WindowPlayer::EndUnanswered(HWND window, WindowRole role)
{
    switch (role) {
    case WindowRole::MessageBox:
        m_unanswered.insert(window);
        EndDialog(window, 0);
        break;
    case WindowRole::FolderBrowser:
        // The browser's own Cancel: how it ends with nothing chosen.
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDCANCEL)));
        break;
    case WindowRole::Dialog:
    case WindowRole::Other: EndDialog(window, IDCANCEL); break;
    }
}

}  // namespace ilt::win32
