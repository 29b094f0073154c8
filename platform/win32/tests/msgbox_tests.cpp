// Message boxes: buttons, answers, default buttons, Escape and the close box.
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

TEST(MessageBoxTest, AnswersByTypeAndKey)
{
    struct Case {
        const char* name;
        UINT type;
        std::vector<Action> actions;
        int expected;
    };
    const Case cases[] = {
        {"ok enter", MB_OK, {Action::Enter()}, IDOK},
        {"ok escape", MB_OK, {Action::Escape()}, IDOK},
        {"ok close", MB_OK | MB_ICONSTOP, {Action::Close()}, IDOK},
        {"okcancel enter", MB_OKCANCEL, {Action::Enter()}, IDOK},
        {"okcancel escape", MB_OKCANCEL, {Action::Escape()}, IDCANCEL},
        {"okcancel close", MB_OKCANCEL, {Action::Close()}, IDCANCEL},
        {"okcancel default 2", MB_OKCANCEL | MB_DEFBUTTON2, {Action::Enter()}, IDCANCEL},
        {"yesno enter", MB_YESNO | MB_ICONEXCLAMATION, {Action::Enter()}, IDYES},
        {"yesno default 2", MB_YESNO | MB_DEFBUTTON2, {Action::Enter()}, IDNO},
        {"yesno default 3 is no button", MB_YESNO | MB_DEFBUTTON3, {Action::Enter()}, IDYES},
        {"yesno escape does nothing", MB_YESNO, {Action::Escape(), Action::Click(IDNO)}, IDNO},
        {"yesno close box disabled", MB_YESNO, {Action::Close(), Action::Click(IDNO)}, IDNO},
        {"yesnocancel escape", MB_YESNOCANCEL, {Action::Escape()}, IDCANCEL},
        {"yesnocancel no", MB_YESNOCANCEL | MB_ICONQUESTION, {Action::Click(IDNO)}, IDNO},
        {"retrycancel retry", MB_RETRYCANCEL, {Action::Click(IDRETRY)}, IDRETRY},
        {"abortretryignore escape does nothing",
         MB_ABORTRETRYIGNORE,
         {Action::Escape(), Action::Click(IDIGNORE)},
         IDIGNORE},
        {"canceltrycontinue enter", MB_CANCELTRYCONTINUE, {Action::Enter()}, IDCANCEL},
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

TEST(MessageBoxTest, OwnerIsDisabledMeanwhile)
{
    Parent owner;
    BOOL enabled = TRUE;
    standin::ScriptedDisplay display(
        {Action::Inspect([&](HWND) { enabled = IsWindowEnabled(owner.hwnd); }), Action::Enter()});
    standin::ScopedDisplay scoped(display);
    EXPECT_EQ(IDOK, MessageBoxA(owner.hwnd, "t", "c", MB_OK));
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd));
}

}  // namespace
