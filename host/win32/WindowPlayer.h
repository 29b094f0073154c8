// The script player of the Windows host: plays a script's actions on the real
// windows of a modal run, from the dialog's own thread, as a person would;
// without a script it only watches a person work them. Either way it writes
// the transcript events of what it sees.
//
//   - A CBT hook learns each top-level dialog box of the thread as it is
//     created and destroyed: the Import Layout Template dialog, message boxes
//     and the folder browser.
//   - A thread timer takes the next step each time the modal loop of the
//     newest visible, enabled one of them is idle (modal loops of dialog boxes,
//     message boxes and the folder browser dispatch thread timers; a timer
//     message comes only when nothing else is queued). The step's clicks and
//     key presses are posted, so the window's own loop carries them out.
//   - A hook on sent messages sees the dialog shown (WM_SHOWWINDOW), each
//     BFFM_ENABLEOK the browser receives, and the buttons a message box is
//     told of (WM_COMMAND; a hook on retrieved messages sees those posted), so
//     the box's answer is the command that ended it.
//   - The module's call of SHBrowseForFolderA is watched (BrowseWatch) for the
//     browser's title, root and highlighted paths.
//
// A step that does not fit what the active window shows, and a script that
// ends while a window waits, fail the run (ScriptProgress); from then on each
// window that waits is ended as if the input had run out: a message box
// answers 0, the browser is cancelled, a dialog ends with IDCANCEL.
//
// One player at a time in a process, on the thread that runs the dialog.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "BrowseWatch.h"
#include "dialogstate/DialogState.h"
#include "MessageBoxReader.h"
#include "Script.h"
#include "ScriptProgress.h"
#include "Transcript.h"
#include "WindowRole.h"

namespace ilt::win32 {

class WindowPlayer : private BrowseWatch::Listener {
public:
    // Without `script` the player only watches. `transcript` may be null.
    // `module` is the dialog module, whose folder-browser call is watched.
    WindowPlayer(std::unique_ptr<ScriptReader> script, TranscriptWriter* transcript, HMODULE module);
    ~WindowPlayer() override;
    WindowPlayer(const WindowPlayer&) = delete;
    WindowPlayer& operator=(const WindowPlayer&) = delete;

    // "FILE:LINE: what went wrong", or "" while all is well.
    const std::string& Error() const;
    // The line of the first step not played, or 0 when every step was played.
    int FirstUnplayedLine();

private:
    struct HookRelease {
        void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
    };
    using Hook = std::unique_ptr<std::remove_pointer_t<HHOOK>, HookRelease>;

    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SentMessageHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK RetrievedMessageHook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    void BrowserOpening(const std::string& title, const std::string& root) override;
    void Created(HWND window);
    void Destroying(HWND window);
    void CommandGiven(HWND window, WPARAM wParam);
    void Sent(const CWPSTRUCT& message);
    void OnTick();

    HWND WaitingWindowHandle() const;
    WindowRole RoleOf(HWND window) const;
    const MessageBoxContent& BoxRead(HWND box);
    void Play(const ScriptStep& step, HWND window, const WaitingWindow& waiting);
    // Why the highlight cannot be done, or "".
    std::string Highlight(const std::string& path, HWND browser);
    std::string HighlightVirtual(HWND browser);
    void EndUnanswered(HWND window, WindowRole role);

    std::optional<ScriptProgress> m_progress;
    TranscriptWriter* m_transcript;
    BrowseWatch m_watch;
    std::vector<HWND> m_windows;                  // the thread's top-level dialog boxes, oldest first
    std::map<HWND, MessageBoxContent> m_boxes;    // the message boxes read so far
    std::map<HWND, INT_PTR> m_lastButtonCommand;  // what a window was last told a button did
    std::set<HWND> m_unanswered;                  // message boxes the player ended for lack of input
    std::optional<DialogState> m_watchedState;    // what a person was last shown
    bool m_inTick = false;
    Hook m_cbt;
    Hook m_sent;
    Hook m_retrieved;
    UINT_PTR m_timer = 0;
};

}  // namespace ilt::win32
