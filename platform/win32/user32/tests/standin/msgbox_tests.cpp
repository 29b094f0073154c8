// Message boxes, what only the stand-in has (the boxes themselves:
// ../msgbox_tests.cpp): the display's actions in a box, what the display is
// told, a box without anyone to answer it, the default id (DM_GETDEFID, which
// the terminal display reads; Wine answers IDOK for every box).
#include "test_support.h"

#include <gmock/gmock.h>

using namespace win32test;
using standin::Action;

namespace {

int Show(UINT type, std::vector<Action> actions)
{
    standin::ScriptedDisplay display(std::move(actions));
    standin::ScopedDisplay scoped(display);
    const int answer = MessageBoxA(nullptr, "Text", "Caption", type);
    EXPECT_EQ("", display.Error());
    EXPECT_FALSE(display.Exhausted());
    return answer;
}

// The display's Enter and Escape are the keys' presses, Click a button's
// click, Close the close box, which is disabled where Escape does nothing.
// (What each key answers on each kind of box: ../msgbox_tests.cpp.)
TEST(MessageBoxTest, ActionsAnswerTheBox)
{
    struct Case {
        const char* name;
        UINT type;
        std::vector<Action> actions;
        int expected;
    };
    const Case cases[] = {
        {"enter", MB_OKCANCEL | MB_DEFBUTTON2, {Action::Enter()}, IDCANCEL},
        {"escape", MB_OKCANCEL, {Action::Escape()}, IDCANCEL},
        {"click", MB_YESNOCANCEL | MB_ICONQUESTION, {Action::Click(IDNO)}, IDNO},
        {"close", MB_OK | MB_ICONSTOP, {Action::Close()}, IDOK},
        {"close box disabled", MB_YESNO, {Action::Close(), Action::Click(IDNO)}, IDNO},
        {"close box disabled", MB_ABORTRETRYIGNORE, {Action::Close(), Action::Click(IDIGNORE)}, IDIGNORE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, Show(c.type, c.actions));
    }
}

TEST(MessageBoxTest, ShowsTextButtonsAndDefaultButton)
{
    standin::ScriptedDisplay display({Action::Inspect([](HWND box) {
                                          char name[16];
                                          GetClassNameA(box, name, sizeof(name));
                                          EXPECT_STREQ("#32770", name);
                                          EXPECT_EQ("Question", WindowText(box));
                                          EXPECT_EQ("Proceed?\nReally?", WindowText(GetDlgItem(box, 0xFFFF)));
                                          EXPECT_EQ("&Yes", WindowText(GetDlgItem(box, IDYES)));
                                          EXPECT_EQ("&No", WindowText(GetDlgItem(box, IDNO)));
                                          EXPECT_EQ(nullptr, GetDlgItem(box, IDCANCEL));
                                          EXPECT_EQ(GetDlgItem(box, IDNO), GetFocus());
                                          EXPECT_EQ(MAKELONG(IDNO, DC_HASDEFID), SendMessageA(box, DM_GETDEFID, 0, 0));
                                      }),
                                      Action::Enter()});
    standin::ScopedDisplay scoped(display);
    EXPECT_EQ(IDNO,
              MessageBoxA(nullptr, "Proceed?\nReally?", "Question", MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION));
    const auto boxes = display.MessageBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Proceed?\nReally?", boxes[0].text);
    EXPECT_EQ("Question", boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2 | MB_ICONEXCLAMATION), boxes[0].style);
    EXPECT_EQ(IDNO, boxes[0].answer);
    EXPECT_TRUE(boxes[0].closed);
}

TEST(MessageBoxTest, NullCaptionReadsError)
{
    standin::ScriptedDisplay display({Action::Enter()});
    standin::ScopedDisplay scoped(display);
    EXPECT_EQ(IDOK, MessageBoxA(nullptr, nullptr, nullptr, MB_OK));
    EXPECT_EQ("Error", display.MessageBoxes()[0].caption);
    EXPECT_EQ("", display.MessageBoxes()[0].text);
}

// Without a display nothing can answer: the box ends at once with 0.
TEST(MessageBoxTest, FailuresAnswerZero)
{
    EXPECT_EQ(0, MessageBoxA(nullptr, "no display", "x", MB_OK));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANCELLED), GetLastError());

    standin::ScriptedDisplay display;
    standin::ScopedDisplay scoped(display);
    EXPECT_EQ(0, MessageBoxA(nullptr, "input runs out", "x", MB_YESNO));
    EXPECT_EQ(static_cast<DWORD>(ERROR_CANCELLED), GetLastError());
    EXPECT_TRUE(display.Exhausted());
    EXPECT_EQ(0, MessageBoxA(nullptr, "bad type", "x", 7));
    EXPECT_EQ(1u, display.MessageBoxes().size());
}

}  // namespace
