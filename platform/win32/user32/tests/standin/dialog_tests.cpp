// Dialog manager, what only the stand-in has (the dialog manager itself:
// ../dialog_tests.cpp): the display's actions in a dialog (keys, clicks, the
// close box; those that do not fit), what the display is told, the loop
// without a display or once the input runs out, the fixed dialog units.
#include "test_support.h"

#include <gmock/gmock.h>

using namespace win32test;
using standin::Action;
using standin::Event;

namespace {

std::vector<Event::Kind> Kinds(const standin::ScriptedDisplay& display)
{
    std::vector<Event::Kind> kinds;
    for (const Event& event : display.Events())
        kinds.push_back(event.kind);
    return kinds;
}

// Records the WM_COMMAND ids the dialog procedure sees.
struct CommandRecorder {
    std::vector<WPARAM> commands;
    DialogHandler Handler()
    {
        return [this](HWND, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
            if (message == WM_COMMAND)
                commands.push_back(wParam);
            return 0;
        };
    }
};

// The display's Enter is the key's press: the dialog manager clicks the
// default button, and the display hears the dialog's result.
TEST(DialogTest, EnterClicksTheDefaultButton)
{
    // The focus is on the combo box, so Enter goes through DM_GETDEFID.
    standin::DialogTemplate t = StandardDialog();
    t.items[0].style &= ~WS_TABSTOP;
    t.items[1].style &= ~WS_TABSTOP;
    standin::ScriptedDisplay display({Action::Inspect([](HWND dialog) {
                                          EXPECT_EQ(GetDlgItem(dialog, kComboId), GetFocus());
                                          EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID),
                                                    SendMessageA(dialog, DM_GETDEFID, 0, 0));
                                      }),
                                      Action::Enter()});
    standin::ScopedDisplay scoped(display);
    EXPECT_EQ(IDOK, RunDialog(t));
    EXPECT_FALSE(display.Exhausted());
    EXPECT_THAT(display.DialogResults(), ::testing::ElementsAre(IDOK));
}

// Escape is the key's press, Close the close box: SC_CLOSE, WM_CLOSE, and a
// posted IDCANCEL.
TEST(DialogTest, EscapeAndCloseBoxSendIdCancel)
{
    for (const Action& action : {Action::Escape(), Action::Close()}) {
        SCOPED_TRACE(action.Describe());
        standin::ScriptedDisplay display({action});
        standin::ScopedDisplay scoped(display);
        standin::MessageLog log;
        EXPECT_EQ(IDCANCEL, RunDialog(StandardDialog()));
        EXPECT_FALSE(display.Exhausted());
        const auto commands = log.OfKind(WM_COMMAND);
        ASSERT_FALSE(commands.empty());
        EXPECT_EQ(MAKEWPARAM(IDCANCEL, BN_CLICKED), commands.back().wParam);
        // The close box goes SC_CLOSE -> WM_CLOSE -> a posted IDCANCEL.
        EXPECT_EQ(action.kind == Action::Kind::Close, commands.back().posted);
        EXPECT_EQ(action.kind == Action::Kind::Close ? 1u : 0u, log.OfKind(WM_CLOSE).size());
    }
}

// The display never hears of a dialog that ends in WM_INITDIALOG, but its end.
TEST(DialogTest, EndDialogInInitDialogNeverShowsTheWindow)
{
    standin::ScriptedDisplay display;
    standin::ScopedDisplay scoped(display);
    HWND seen = nullptr;
    const INT_PTR result = RunDialog(StandardDialog(), [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            seen = dialog;
            EndDialog(dialog, 42);
        }
        return 0;
    });
    EXPECT_EQ(42, result);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_FALSE(display.Exhausted());  // the loop never waited
    EXPECT_THAT(Kinds(display), ::testing::ElementsAre(Event::Kind::DialogEnded));
}

// The display hears the dialog shown with its caption, hidden, ended.
TEST(DialogTest, DialogBecomesVisibleWhenItsLoopFirstWaits)
{
    bool visibleAtInit = true;
    bool visibleAtWait = false;
    standin::ScriptedDisplay display(
        {Action::Inspect([&](HWND dialog) { visibleAtWait = IsWindowVisible(dialog); }), Action::Escape()});
    standin::ScopedDisplay scoped(display);
    RunDialog(StandardDialog(), [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            visibleAtInit = IsWindowVisible(dialog);
        return 0;
    });
    EXPECT_FALSE(visibleAtInit);
    EXPECT_TRUE(visibleAtWait);
    EXPECT_THAT(Kinds(display),
                ::testing::ElementsAre(Event::Kind::WindowShown, Event::Kind::WindowHidden, Event::Kind::DialogEnded));
    EXPECT_EQ("Test", display.Events()[0].text);
}

TEST(DialogTest, AbsentTemplateFails)
{
    standin::ScriptedDisplay display;
    standin::ScopedDisplay scoped(display);
    EXPECT_EQ(-1, DialogBoxIndirectParamA(nullptr, nullptr, nullptr, TestDialogProc, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_TRUE(display.Events().empty());
}

// Without a display the loop runs on posted messages and timers; once
// nothing can come any more it ends as cancelled.
TEST(DialogTest, WithoutADisplayTheLoopRunsOnPostsAndTimers)
{
    ASSERT_EQ(nullptr, standin::GetDisplay());
    std::vector<UINT> heard;
    EXPECT_EQ(5, RunDialog(StandardDialog(), [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
                  if (message == WM_INITDIALOG) {
                      PostMessageA(dialog, WM_APP, 0, 0);
                      SetTimer(dialog, 7, 20, nullptr);
                  } else if (message == WM_APP || (message == WM_TIMER && wParam == 7)) {
                      heard.push_back(message);
                      if (message == WM_TIMER)
                          EndDialog(dialog, 5);
                  }
                  return 0;
              }));
    EXPECT_THAT(heard, ::testing::ElementsAre(static_cast<UINT>(WM_APP), static_cast<UINT>(WM_TIMER)));
    bool created = false;
    EXPECT_EQ(IDCANCEL, RunDialog(StandardDialog(), [&](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
                  created = created || message == WM_INITDIALOG;
                  return 0;
              }));
    EXPECT_TRUE(created);
}

TEST(DialogTest, InputRunningOutEndsWithIdCancel)
{
    standin::ScriptedDisplay display;
    standin::ScopedDisplay scoped(display);
    CommandRecorder recorder;
    EXPECT_EQ(IDCANCEL, RunDialog(StandardDialog(), recorder.Handler()));
    EXPECT_TRUE(display.Exhausted());
    EXPECT_TRUE(recorder.commands.empty());  // ended without asking the dialog
}

// The display's actions go to the innermost modal loop's window.
TEST(DialogTest, MessageBoxInsideAHandlerRunsItsOwnLoop)
{
    std::vector<HWND> activeWindows;
    HWND dialogWindow = nullptr;
    int answer = 0;
    standin::ScriptedDisplay display(
        {Action::Inspect([&](HWND active) { activeWindows.push_back(active); }), Action::Click(IDOK),
         Action::Inspect([&](HWND active) { activeWindows.push_back(active); }), Action::Enter()});
    standin::ScopedDisplay scoped(display);
    const INT_PTR result =
        RunDialog(StandardDialog(), [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
            dialogWindow = dialog;
            if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
                answer = MessageBoxA(dialog, "Sure?", "Question", MB_YESNO | MB_ICONEXCLAMATION);
                EndDialog(dialog, answer == IDYES ? IDOK : IDCANCEL);
                return TRUE;
            }
            return 0;
        });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(IDYES, answer);
    ASSERT_EQ(2u, activeWindows.size());
    EXPECT_EQ(dialogWindow, activeWindows[0]);
    EXPECT_NE(dialogWindow, activeWindows[1]);
    ASSERT_EQ(1u, display.MessageBoxes().size());
    EXPECT_EQ(IDYES, display.MessageBoxes()[0].answer);
}

TEST(DialogTest, ActionsThatDoNotFitAreRejected)
{
    struct Case {
        Action action;
        std::string error;
    };
    const Case cases[] = {
        {Action::Click(77), "Click(77): no control with id 77"},
        {Action::Click(kComboId), "Click(2001): control 2001 is a ComboBox, not a Button"},
        {Action::Pick(kListId, "x"), "Pick(2002, \"x\"): control 2002 is a SysListView32, not a ComboBox"},
        {Action::Highlight("D:\\lib"), "Highlight(\"D:\\lib\"): the active window is not a folder browser"},
    };
    for (const Case& c : cases) {
        standin::ScriptedDisplay display({c.action, Action::Enter()});
        standin::ScopedDisplay scoped(display);
        EXPECT_EQ(IDCANCEL, RunDialog(StandardDialog()));
        EXPECT_EQ(c.error, display.Error());
    }
}

TEST(DialogTest, ClickOnADisabledButtonIsRejected)
{
    standin::DialogTemplate t = StandardDialog();
    t.items[0].style |= WS_DISABLED;
    standin::ScriptedDisplay display({Action::Click(IDOK)});
    standin::ScopedDisplay scoped(display);
    EXPECT_EQ(IDCANCEL, RunDialog(t));
    EXPECT_EQ("Click(1): control 1 is disabled", display.Error());
}

// Shift held with Tab (which only the display presses: a posted key moves no
// key state) goes back in the tab order, as WM_NEXTDLGCTL(1) does.
TEST(DialogTest, ShiftTabGoesBack)
{
    std::vector<int> focus;
    const auto look = Action::Inspect([&](HWND) { focus.push_back(GetDlgCtrlID(GetFocus())); });
    standin::ScriptedDisplay display({look, Action::Key(VK_TAB, Action::kShift), look,
                                      Action::Key(VK_TAB, Action::kShift), look, Action::Key(VK_TAB), look,
                                      Action::Escape()});
    standin::ScopedDisplay scoped(display);
    EXPECT_EQ(IDCANCEL, RunDialog(StandardDialog()));
    EXPECT_EQ("", display.Error());
    EXPECT_THAT(focus, ::testing::ElementsAre(IDOK, kListId, kComboId, kListId));
}

// Every dialog has the stand-in's one pair of base units: a dialog unit is
// kDialogBaseUnitX / 4 pixels wide and kDialogBaseUnitY / 8 high.
TEST(DialogTest, DialogUnitsAreTheFixedBaseUnits)
{
    standin::ScriptedDisplay display({Action::Inspect([](HWND dialog) {
        RECT rect{87, 20, 87 + 140, 20 + 82};
        MapDialogRect(dialog, &rect);
        EXPECT_EQ(MulDiv(87, standin::kDialogBaseUnitX, 4), rect.left);
        EXPECT_EQ(MulDiv(20 + 82, standin::kDialogBaseUnitY, 8), rect.bottom);
        RECT combo;
        GetWindowRect(GetDlgItem(dialog, kComboId), &combo);
        RECT window;
        GetWindowRect(dialog, &window);
        EXPECT_EQ(rect.left, combo.left - window.left);
        EXPECT_EQ(rect.bottom - rect.top, combo.bottom - combo.top);
    })});
    standin::ScopedDisplay scoped(display);
    RunDialog(StandardDialog());
}

}  // namespace
