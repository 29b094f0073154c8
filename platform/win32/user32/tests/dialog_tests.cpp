// Dialog manager: DialogBoxIndirectParam and EndDialog, showing and focus, and
// the keyboard interface (IsDialogMessage): Enter, Escape, the close box, Tab,
// WM_NEXTDLGCTL, mnemonics, and the keys a drop-down list keeps.
//
// Shift-Tab is not among them: a posted key leaves the thread's key state
// alone on Windows, and only the stand-in's display presses Shift (its tests
// check that Shift-Tab sends WM_NEXTDLGCTL(1), whose result is checked here).
#include "Conformance.h"

#include <gmock/gmock.h>

using namespace conformance;

namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { Recorder::Clear(); }

    // Runs `templateId` with `steps`; `init` runs in WM_INITDIALOG, whose answer it gives;
    // `other` gets the other messages (and answers -1 to leave one alone).
    INT_PTR Run(int templateId, std::vector<Step> steps, std::vector<UINT> watched = {WM_COMMAND},
                std::function<INT_PTR(HWND)> init = {}, std::function<INT_PTR(HWND, UINT)> other = {})
    {
        Steps driver(std::move(steps));
        DialogCase dialogCase;
        dialogCase.watched = std::move(watched);
        dialogCase.handler = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
            if (message != WM_INITDIALOG)
                return other ? other(dialog, message) : -1;
            m_dialog = dialog;
            if (HWND combo = GetDlgItem(dialog, IDC_COMBO)) {
                for (const char* text : {"4L", "6L", "8L"})
                    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
                SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("4L"));
            }
            return init ? init(dialog) : -1;
        };
        const INT_PTR result = RunDialog(templateId, dialogCase);
        EXPECT_TRUE(driver.Done()) << "the dialog ended before all steps ran";
        return result;
    }

    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }

    // The buttons' commands the dialog procedure got, as (id, code).
    static std::vector<std::pair<int, int>> Commands()
    {
        std::vector<std::pair<int, int>> commands;
        for (const Message& m : Recorder::Messages()) {
            if (m.message == WM_COMMAND && LOWORD(m.wParam) != IDC_COMBO)
                commands.emplace_back(LOWORD(m.wParam), HIWORD(m.wParam));
        }
        return commands;
    }

    // The drop-down's notifications, in order.
    static std::vector<int> ComboNotifications()
    {
        std::vector<int> codes;
        for (const Message& m : Recorder::Messages()) {
            if (m.message == WM_COMMAND && LOWORD(m.wParam) == IDC_COMBO)
                codes.push_back(HIWORD(m.wParam));
        }
        return codes;
    }

    static DWORD ButtonType(HWND button) { return static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE)) & 0x0F; }

    HWND m_dialog = nullptr;
};

using Command = std::pair<int, int>;

TEST_F(DialogTest, DialogBoxReturnsWhatEndDialogWasGiven)
{
    EXPECT_EQ(42, Run(IDD_STACKUP, {[&] { EndDialog(m_dialog, 42); }}));
    SetLastError(0);
    EXPECT_EQ(nullptr, FindResourceA(Instance(), MAKEINTRESOURCEA(IDD_MISSING), RT_DIALOG));
    EXPECT_EQ(static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND), GetLastError());
}

// The dialog is created hidden, answers WM_INITDIALOG, and is shown when its
// loop first finds nothing to do (a timer that is due comes first): by the
// second step it is visible.
TEST_F(DialogTest, ShownWhenTheLoopFirstWaits)
{
    bool visibleAtInit = true;
    bool visibleAtSecondStep = false;
    Run(IDD_STACKUP,
        {[] {},
         [&] {
             visibleAtSecondStep = IsWindowVisible(m_dialog) != FALSE;
             EndDialog(m_dialog, IDOK);
         }},
        {WM_SHOWWINDOW}, [&](HWND dialog) -> INT_PTR {
            visibleAtInit = IsWindowVisible(dialog) != FALSE;
            return TRUE;
        });
    EXPECT_FALSE(visibleAtInit);
    EXPECT_TRUE(visibleAtSecondStep);
    ExpectSequence(Recorder::Messages(), {{WM_SHOWWINDOW, kWParam, TRUE}, {WM_SHOWWINDOW, kWParam | kOptional, FALSE}},
                   "shown once, hidden by EndDialog");
}

// EndDialog inside WM_INITDIALOG of a template without WS_VISIBLE: the modal
// call returns the result and the dialog is never shown.
TEST_F(DialogTest, EndDialogInInitDialogNeverShowsTheDialog)
{
    Steps noSteps({});
    DialogCase dialogCase;
    dialogCase.watched = {WM_SHOWWINDOW, WM_INITDIALOG, WM_DESTROY};
    dialogCase.handler = [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message != WM_INITDIALOG)
            return -1;
        EndDialog(dialog, 7);
        return TRUE;
    };
    EXPECT_EQ(7, RunDialog(IDD_STACKUP, dialogCase));
    ExpectSequence(Recorder::Messages(), {{WM_INITDIALOG}, {WM_DESTROY}}, "never shown");
}

// WM_INITDIALOG names the first tab stop in wParam; answering TRUE puts the
// focus there (OK, the first control), answering FALSE leaves it where the
// procedure put it.
TEST_F(DialogTest, FocusAfterInitDialog)
{
    int focusAtFirstStep = 0;
    int named = 0;
    DialogCase dialogCase;
    Steps steps({[&] {
        focusAtFirstStep = GetDlgCtrlID(GetFocus());
        EndDialog(m_dialog, IDOK);
    }});
    dialogCase.handler = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            m_dialog = dialog;
            named = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
            return TRUE;
        }
        return -1;
    };
    RunDialog(IDD_STACKUP, dialogCase);
    EXPECT_EQ(IDOK, named);
    EXPECT_EQ(IDOK, focusAtFirstStep);
}

TEST_F(DialogTest, InitDialogAnsweringFalseKeepsTheFocusItSet)
{
    int focusAtFirstStep = 0;
    Run(IDD_STACKUP, {[&] {
            focusAtFirstStep = GetDlgCtrlID(GetFocus());
            EndDialog(m_dialog, IDOK);
        }},
        {}, [](HWND dialog) -> INT_PTR {
            SetFocus(GetDlgItem(dialog, IDC_COMBO));
            return FALSE;
        });
    EXPECT_EQ(IDC_COMBO, focusAtFirstStep);
}

// Enter: when the focused control is the push button that looks like the
// default (the dialog manager made it so when the focus came by Tab), that
// one is clicked; otherwise the default id (DM_GETDEFID) is, if its button is
// enabled. A focus set with SetFocus does not change the look, so Enter on a
// plain push button given the focus still clicks the default.
TEST_F(DialogTest, EnterClicksTheDefaultButton)
{
    LPARAM okHandle = 0;
    EXPECT_EQ(IDOK, Run(IDD_STACKUP, {[&] {
                            okHandle = reinterpret_cast<LPARAM>(Item(IDOK));
                            SetFocus(Item(IDC_COMBO));
                            PostKey(VK_RETURN);
                        }}));
    EXPECT_THAT(Commands(), ::testing::ElementsAre(Command(IDOK, BN_CLICKED)));
    ASSERT_FALSE(Recorder::Messages().empty());
    for (const Message& m : Recorder::Messages()) {
        if (m.message == WM_COMMAND && LOWORD(m.wParam) == IDOK) {
            EXPECT_EQ(okHandle, m.lParam) << "the command names the button";
        }
    }

    Recorder::Clear();
    EXPECT_EQ(IDOK, Run(IDD_STACKUP, {[&] {
                            SetFocus(Item(IDCANCEL));
                            PostKey(VK_RETURN);
                        }}));
    EXPECT_THAT(Commands(), ::testing::ElementsAre(Command(IDOK, BN_CLICKED)));

    Recorder::Clear();
    EXPECT_EQ(IDCANCEL, Run(IDD_STACKUP, {[] { PostKey(VK_TAB); }, [] { PostKey(VK_RETURN); }}));
    EXPECT_THAT(Commands(), ::testing::ElementsAre(Command(IDCANCEL, BN_CLICKED)));

    // No default button and no IDOK: Enter sends IDOK all the same.
    Recorder::Clear();
    EXPECT_EQ(IDOK, Run(IDD_NO_DEFAULT, {[] { PostKey(VK_RETURN); }}));
    EXPECT_THAT(Commands(), ::testing::ElementsAre(Command(IDOK, BN_CLICKED)));
}

// Escape sends IDCANCEL; the close box (SC_CLOSE, then WM_CLOSE from the
// default dialog procedure) too.
TEST_F(DialogTest, EscapeAndTheCloseBoxSendIdCancel)
{
    EXPECT_EQ(IDCANCEL, Run(IDD_STACKUP, {[] { PostKey(VK_ESCAPE); }}));
    EXPECT_THAT(Commands(), ::testing::ElementsAre(Command(IDCANCEL, BN_CLICKED)));

    Recorder::Clear();
    EXPECT_EQ(IDCANCEL, Run(IDD_STACKUP, {[&] { PostMessageA(m_dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
                            {WM_SYSCOMMAND, WM_CLOSE, WM_COMMAND}));
    ExpectSequence(Recorder::Messages(),
                   {{WM_SYSCOMMAND, kWParam, SC_CLOSE}, {WM_CLOSE}, Notification(IDCANCEL, BN_CLICKED)},
                   "the close box");
}

// With OK and Cancel disabled: Enter does nothing (the default button is
// disabled); Escape still sends IDCANCEL; the close box sends nothing (the
// default dialog procedure's WM_CLOSE refuses a disabled Cancel button, as
// Microsoft documents; Wine sends IDCANCEL all the same).
TEST_F(DialogTest, DisabledDefaultAndCancelButtons)
{
    Steps driver({[] { PostKey(VK_RETURN); }, [] { PostKey(VK_ESCAPE); },
                  [&] { PostMessageA(m_dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, [&] { EndDialog(m_dialog, 0); }});
    DialogCase dialogCase;
    dialogCase.watched = {WM_COMMAND, WM_CLOSE};
    dialogCase.handler = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            m_dialog = dialog;
            SetFocus(GetDlgItem(dialog, IDC_OTHER));
            return FALSE;
        }
        return message == WM_COMMAND ? TRUE : -1;  // nothing ends the dialog but the last step
    };
    RunDialog(IDD_GATED, dialogCase);
    EXPECT_TRUE(driver.Done());
    std::vector<Expected> expected = {Notification(IDCANCEL, BN_CLICKED), {WM_CLOSE}};
    if (WineDeviation("WM_CLOSE with a disabled Cancel button", false, true))
        expected.push_back(Notification(IDCANCEL, BN_CLICKED));
    ExpectSequence(Recorder::Messages(), expected, "Enter, Escape, the close box");
}

// Tab goes round the visible, enabled WS_TABSTOP controls in their order (OK,
// Cancel, the drop-down; not the disabled list view), and WM_NEXTDLGCTL(1),
// what Shift-Tab sends, goes back; the push button with the focus looks like
// the default one, and OK again once the focus leaves the push buttons.
// DM_GETDEFID stays IDOK.
TEST_F(DialogTest, TabOrderAndTheDefaultButtonsLook)
{
    std::vector<int> focus;
    std::vector<DWORD> okType;
    std::vector<DWORD> cancelType;
    std::vector<LRESULT> defId;
    const auto look = [&] {
        focus.push_back(GetDlgCtrlID(GetFocus()));
        okType.push_back(ButtonType(Item(IDOK)));
        cancelType.push_back(ButtonType(Item(IDCANCEL)));
        defId.push_back(LOWORD(SendMessageA(m_dialog, DM_GETDEFID, 0, 0)));
    };
    Run(IDD_STACKUP, {look, [] { PostKey(VK_TAB); }, look, [] { PostKey(VK_TAB); }, look, [] { PostKey(VK_TAB); }, look,
                      [&] { SendMessageA(m_dialog, WM_NEXTDLGCTL, 1, FALSE); }, look,
                      [&] { SendMessageA(m_dialog, WM_NEXTDLGCTL, 1, FALSE); }, look, [&] { EndDialog(m_dialog, 0); }});
    EXPECT_THAT(focus, ::testing::ElementsAre(IDOK, IDCANCEL, IDC_COMBO, IDOK, IDC_COMBO, IDCANCEL));
    EXPECT_THAT(okType, ::testing::ElementsAre(BS_DEFPUSHBUTTON, BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_DEFPUSHBUTTON,
                                               BS_DEFPUSHBUTTON, BS_PUSHBUTTON));
    EXPECT_THAT(cancelType, ::testing::ElementsAre(BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_PUSHBUTTON, BS_PUSHBUTTON,
                                                   BS_PUSHBUTTON, BS_DEFPUSHBUTTON));
    EXPECT_THAT(defId, ::testing::Each(IDOK));
    EXPECT_THAT(Commands(), ::testing::IsEmpty());
    // The drop-down hears it gets and loses the focus, and that no pick was made.
    EXPECT_THAT(ComboNotifications(), ::testing::ElementsAre(CBN_SETFOCUS, CBN_SELENDCANCEL, CBN_KILLFOCUS,
                                                             CBN_SETFOCUS, CBN_SELENDCANCEL, CBN_KILLFOCUS));
}

// WM_NEXTDLGCTL: wParam 0 the next tab stop, 1 the previous, or with lParam
// TRUE the control wParam names.
TEST_F(DialogTest, NextDlgCtlMovesTheFocus)
{
    std::vector<int> focus;
    const auto look = [&] { focus.push_back(GetDlgCtrlID(GetFocus())); };
    Run(IDD_STACKUP, {[&] { SendMessageA(m_dialog, WM_NEXTDLGCTL, 0, FALSE); }, look,
                      [&] { SendMessageA(m_dialog, WM_NEXTDLGCTL, 1, FALSE); }, look,
                      [&] { SendMessageA(m_dialog, WM_NEXTDLGCTL, 1, FALSE); }, look,
                      [&] { SendMessageA(m_dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE); },
                      look, [&] { EndDialog(m_dialog, 0); }});
    EXPECT_THAT(focus, ::testing::ElementsAre(IDCANCEL, IDOK, IDC_COMBO, IDCANCEL));
}

// The tab order skips a control once it is disabled, and goes round at the ends.
TEST_F(DialogTest, NextDlgCtlSkipsWhatCannotTakeTheFocus)
{
    std::vector<int> focus;
    const auto look = [&] { focus.push_back(GetDlgCtrlID(GetFocus())); };
    const auto next = [&](WPARAM previous) { SendMessageA(m_dialog, WM_NEXTDLGCTL, previous, FALSE); };
    Run(IDD_STACKUP, {[&] {
                          SetFocus(Item(IDOK));
                          EnableWindow(Item(IDCANCEL), FALSE);
                          next(0);
                      },
                      look, [&] { next(0); }, look, [&] { next(1); }, look, [&] { EndDialog(m_dialog, 0); }});
    EXPECT_THAT(focus, ::testing::ElementsAre(IDC_COMBO, IDOK, IDC_COMBO));
}

// A typed letter that is a push button's mnemonic clicks it.
TEST_F(DialogTest, MnemonicClicksAPushButton)
{
    Run(IDD_NO_DEFAULT,
        {[] { PostChar('s'); }, [] { PostChar('F'); }, [] { PostChar('x'); }, [&] { EndDialog(m_dialog, 0); }});
    EXPECT_THAT(Commands(), ::testing::ElementsAre(Command(IDC_SECOND, BN_CLICKED), Command(IDC_FIRST, BN_CLICKED)));
}

// The drop-down list's own keys in the dialog: F4 and Alt-Down drop the list,
// F4 closes it again; with the list dropped the arrows move the selection
// (CBN_SELCHANGE only), Enter closes it as chosen (CBN_SELENDOK) and Escape
// as not (CBN_SELENDCANCEL, the selection stays where the arrows left it);
// the dialog sees neither key. Losing the focus ends the choice unmade.
TEST_F(DialogTest, DropDownListKeepsItsKeys)
{
    std::vector<BOOL> dropped;
    std::vector<LRESULT> selection;
    const auto look = [&] {
        dropped.push_back(static_cast<BOOL>(SendMessageA(Item(IDC_COMBO), CB_GETDROPPEDSTATE, 0, 0)));
        selection.push_back(SendMessageA(Item(IDC_COMBO), CB_GETCURSEL, 0, 0));
    };
    Run(IDD_STACKUP, {[&] { SetFocus(Item(IDC_COMBO)); }, [] { PostKey(VK_F4); }, look, [] { PostKey(VK_DOWN); }, look,
                      [] { PostKey(VK_RETURN); }, look, [] { PostKey(VK_DOWN, nullptr, true); }, look,
                      [] { PostKey(VK_DOWN); }, look, [] { PostKey(VK_ESCAPE); }, look, [] { PostKey(VK_F4); }, look,
                      [] { PostKey(VK_F4); }, look, [&] { EndDialog(m_dialog, 0); }});
    EXPECT_THAT(dropped, ::testing::ElementsAre(TRUE, TRUE, FALSE, TRUE, TRUE, FALSE, TRUE, FALSE));
    EXPECT_THAT(selection, ::testing::ElementsAre(0, 1, 1, 1, 2, 2, 2, 2));
    EXPECT_THAT(Commands(), ::testing::IsEmpty()) << "Enter and Escape stayed with the drop-down";
    EXPECT_THAT(ComboNotifications(),
                ::testing::ElementsAre(CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP,
                                       CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_DROPDOWN,
                                       CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_SELENDCANCEL, CBN_KILLFOCUS));
}

// The controls are made in the template's order (which GW_CHILD and
// GW_HWNDNEXT follow), each given the dialog's font before WM_INITDIALOG, and
// sized by dialog units as MapDialogRect maps them.
TEST_F(DialogTest, ControlsFollowTheTemplate)
{
    std::vector<int> ids;
    LRESULT dialogFont = 0;
    LRESULT comboFont = 0;
    RECT mapped{53, 151, 53 + 50, 151 + 14};  // OK's place in the template
    RECT ok{};
    Run(IDD_STACKUP, {[&] {
            for (HWND child = GetWindow(m_dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                ids.push_back(GetDlgCtrlID(child));
            dialogFont = SendMessageA(m_dialog, WM_GETFONT, 0, 0);
            comboFont = SendMessageA(Item(IDC_COMBO), WM_GETFONT, 0, 0);
            MapDialogRect(m_dialog, &mapped);
            GetWindowRect(Item(IDOK), &ok);
            EndDialog(m_dialog, IDOK);
        }},
        {WM_SETFONT, WM_INITDIALOG});
    EXPECT_THAT(ids, ::testing::ElementsAre(IDOK, IDCANCEL, IDC_COMBO, IDC_STATIC, IDC_LIST, IDC_STATIC, IDC_LABEL));
    EXPECT_NE(0, dialogFont);
    EXPECT_EQ(dialogFont, comboFont);
    EXPECT_EQ(mapped.right - mapped.left, ok.right - ok.left);
    EXPECT_EQ(mapped.bottom - mapped.top, ok.bottom - ok.top);
    ExpectSequence(Recorder::Messages(), {{WM_SETFONT}, {WM_INITDIALOG}}, "the font before WM_INITDIALOG");
}

// A modal dialog disables its owner while it runs, and enables it again.
TEST_F(DialogTest, OwnerIsDisabledWhileTheDialogRuns)
{
    ParentWindow owner;
    bool enabledDuring = true;
    HWND ownerSeen = nullptr;
    Steps driver({[&] {
        enabledDuring = IsWindowEnabled(owner.Handle()) != FALSE;
        ownerSeen = GetParent(m_dialog);
        EndDialog(m_dialog, IDOK);
    }});
    DialogCase dialogCase;
    dialogCase.handler = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            m_dialog = dialog;
        return -1;
    };
    EXPECT_EQ(IDOK, RunDialog(IDD_STACKUP, dialogCase, owner.Handle()));
    EXPECT_TRUE(driver.Done());
    EXPECT_FALSE(enabledDuring);
    EXPECT_EQ(owner.Handle(), ownerSeen);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

// DM_SETDEFID makes another button the default: the old one loses the look,
// the new one takes it, and Enter clicks it.
TEST_F(DialogTest, DefaultIdCanBeMoved)
{
    std::vector<DWORD> types;
    EXPECT_EQ(IDCANCEL, Run(IDD_STACKUP, {[&] {
                                SetFocus(Item(IDC_COMBO));
                                SendMessageA(m_dialog, DM_SETDEFID, IDCANCEL, 0);
                                types = {ButtonType(Item(IDOK)), ButtonType(Item(IDCANCEL))};
                                PostKey(VK_RETURN);
                            }}));
    EXPECT_THAT(types, ::testing::ElementsAre(BS_PUSHBUTTON, BS_DEFPUSHBUTTON));
}

// A dialog procedure answers through DWLP_MSGRESULT: what it stored there is
// the answer to a message it handled (returning TRUE).
TEST_F(DialogTest, DefDlgProcAnswersFromDwlpMsgResult)
{
    LRESULT handled = 0;
    LRESULT unhandled = -1;
    Run(IDD_STACKUP, {[&] {
            handled = SendMessageA(m_dialog, WM_USER + 5, 0, 0);
            unhandled = SendMessageA(m_dialog, WM_USER + 6, 0, 0);
            EndDialog(m_dialog, IDOK);
        }},
        {WM_COMMAND}, {}, [](HWND dialog, UINT message) -> INT_PTR {
            if (message != WM_USER + 5)
                return -1;
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 77);
            return TRUE;
        });
    EXPECT_EQ(77, handled);
    EXPECT_EQ(0, unhandled);
}

}  // namespace
