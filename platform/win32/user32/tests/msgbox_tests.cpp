// MessageBoxA: the buttons of each type, the default button, what each key
// answers, the text and the caption.
#include "Conformance.h"

#include <gmock/gmock.h>

using namespace conformance;

namespace {

struct Shown {
    std::string caption;
    std::string text;
    std::vector<int> buttons;  // ids of the visible push buttons, in their order
    int focus = 0;             // id of the control with the focus
};

// Runs MessageBoxA(type) and, once the box is shown, looks at it and then runs `act` on it.
int RunBox(UINT type, const std::function<void(HWND box)>& act, Shown* shown = nullptr, const char* caption = "Caption",
           HWND owner = nullptr)
{
    HWND box = nullptr;
    int waits = 0;
    Steps steps({[&] {
                     box = FocusedDialog();
                     // A modal loop may tick before it shows its box (Wine does, on a
                     // busy machine): its buttons would not count as visible yet.
                     if ((box == nullptr || !IsWindowVisible(box)) && ++waits < 500) {
                         RepeatStep();
                         return;
                     }
                     if (shown != nullptr && box != nullptr) {
                         shown->caption = WindowText(box);
                         shown->focus = GetDlgCtrlID(GetFocus());
                         for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                             const LRESULT code = SendMessageA(child, WM_GETDLGCODE, 0, 0);
                             if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && IsWindowVisible(child))
                                 shown->buttons.push_back(GetDlgCtrlID(child));
                             else if ((code & DLGC_STATIC) && GetDlgCtrlID(child) == 0xFFFF)
                                 shown->text = WindowText(child);
                         }
                     }
                 },
                 [&] {
                     if (box != nullptr)
                         act(box);
                 }});
    const int answer = MessageBoxA(owner, "The text.", caption, type);
    EXPECT_TRUE(steps.Done());
    return answer;
}

TEST(MessageBoxTest, ButtonsAndDefaultOfEachType)
{
    struct Case {
        UINT type;
        std::vector<int> buttons;
        int defaultId;
    };
    const Case cases[] = {
        {MB_OK, {IDOK}, IDOK},
        {MB_OKCANCEL, {IDOK, IDCANCEL}, IDOK},
        {MB_YESNO, {IDYES, IDNO}, IDYES},
        {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO},
        {MB_OKCANCEL | MB_DEFBUTTON3, {IDOK, IDCANCEL}, IDOK},  // no third button: the first
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDRETRY},
        {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, IDABORT},
        {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        Shown shown;
        EXPECT_EQ(c.defaultId, RunBox(
                                   c.type | MB_ICONEXCLAMATION, [](HWND) { PostKey(VK_RETURN); }, &shown));
        EXPECT_EQ("Caption", shown.caption);
        EXPECT_EQ("The text.", shown.text);
        EXPECT_EQ(c.buttons, shown.buttons);
        EXPECT_EQ(c.defaultId, shown.focus) << "the default button has the focus";
    }
    Shown untitled;
    RunBox(
        MB_OK, [](HWND) { PostKey(VK_RETURN); }, &untitled, nullptr);
    EXPECT_EQ("Error", untitled.caption);
}

// Escape: Cancel where there is one; OK on an MB_OK box; nothing on a box
// without Cancel or OK (Yes/No). So Microsoft documents it; Wine answers
// IDCANCEL on every box.
TEST(MessageBoxTest, EscapeAnswers)
{
    EXPECT_EQ(IDCANCEL, RunBox(MB_OKCANCEL, [](HWND) { PostKey(VK_ESCAPE); }));
    EXPECT_EQ(IDCANCEL, RunBox(MB_YESNOCANCEL, [](HWND) { PostKey(VK_ESCAPE); }));
    EXPECT_EQ(WineDeviation("Escape on a box without Cancel", IDOK, IDCANCEL),
              RunBox(MB_OK | MB_ICONSTOP, [](HWND) { PostKey(VK_ESCAPE); }));
    // On a Yes/No box Escape does nothing: the box still waits for "n".
    EXPECT_EQ(WineDeviation("Escape on a box without Cancel", IDNO, IDCANCEL), RunBox(MB_YESNO, [](HWND) {
                  PostKey(VK_ESCAPE);
                  PostChar('n');
              }));
    EXPECT_EQ(WineDeviation("Escape on a box without Cancel", IDIGNORE, IDCANCEL),
              RunBox(MB_ABORTRETRYIGNORE, [](HWND) {
                  PostKey(VK_ESCAPE);
                  PostChar('i');
              }));
}

// The close box: on a Yes/No box it is disabled (SC_CLOSE does nothing); on
// the others it answers as Escape does.
TEST(MessageBoxTest, TheCloseBox)
{
    EXPECT_EQ(IDCANCEL, RunBox(MB_OKCANCEL, [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_EQ(WineDeviation("Escape on a box without Cancel", IDOK, IDCANCEL),
              RunBox(MB_OK, [](HWND box) { PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_EQ(IDYES, RunBox(MB_YESNO | MB_ICONEXCLAMATION, [](HWND box) {
                  PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
                  PostKey(VK_RETURN, GetDlgItem(box, IDYES));
              }));
}

// The keys a person uses: a button's letter clicks it; the arrows and Tab move
// the focus among the buttons and Enter then clicks the focused one.
TEST(MessageBoxTest, KeysMoveBetweenButtonsAndLettersClickThem)
{
    EXPECT_EQ(IDNO, RunBox(MB_YESNO, [](HWND) { PostChar('n'); }));
    EXPECT_EQ(IDYES, RunBox(MB_YESNO | MB_DEFBUTTON2, [](HWND) { PostChar('Y'); }));
    EXPECT_EQ(IDNO, RunBox(MB_YESNO, [](HWND box) {
                  PostKey(VK_RIGHT, GetDlgItem(box, IDYES));
                  PostKey(VK_RETURN, GetDlgItem(box, IDNO));
              }));
    EXPECT_EQ(IDCANCEL, RunBox(MB_YESNOCANCEL, [](HWND box) {
                  PostKey(VK_TAB, GetDlgItem(box, IDYES));
                  PostKey(VK_TAB, GetDlgItem(box, IDNO));
                  PostKey(VK_RETURN, GetDlgItem(box, IDCANCEL));
              }));
}

// The box disables its owner while it waits, and enables it again.
TEST(MessageBoxTest, OwnerIsDisabledMeanwhile)
{
    ParentWindow owner;
    bool enabled = true;
    EXPECT_EQ(IDOK, RunBox(
                        MB_OK,
                        [&](HWND) {
                            enabled = IsWindowEnabled(owner.Handle()) != FALSE;
                            PostKey(VK_RETURN);
                        },
                        nullptr, "Caption", owner.Handle()));
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

}  // namespace
