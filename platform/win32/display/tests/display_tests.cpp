// The display: installing it, and the scripted display's bookkeeping.
#include <standin/display.h>

#include <gmock/gmock.h>

using standin::Action;
using standin::Event;

namespace {

TEST(DisplayTest, ScopedDisplayRestoresThePreviousOne)
{
    standin::ScriptedDisplay outer, inner;
    {
        standin::ScopedDisplay first(outer);
        {
            standin::ScopedDisplay second(inner);
            EXPECT_EQ(&inner, standin::GetDisplay());
        }
        EXPECT_EQ(&outer, standin::GetDisplay());
    }
    EXPECT_EQ(nullptr, standin::GetDisplay());
}

TEST(DisplayTest, ScriptPlaysInOrderThenRunsOut)
{
    standin::ScriptedDisplay display({Action::Enter()});
    display.Push(Action::Click(3));
    EXPECT_EQ(2u, display.Pending());
    EXPECT_EQ(Action::Kind::Enter, display.WaitForAction(nullptr)->kind);
    EXPECT_EQ("Click(3)", display.WaitForAction(nullptr)->Describe());
    EXPECT_FALSE(display.Exhausted());
    EXPECT_FALSE(display.WaitForAction(nullptr).has_value());
    EXPECT_TRUE(display.Exhausted());
}

TEST(DisplayTest, ARejectedActionStopsTheScript)
{
    standin::ScriptedDisplay display({Action::Escape(), Action::Enter()});
    Event rejected;
    rejected.kind = Event::Kind::ActionRejected;
    rejected.caption = "Escape";
    rejected.text = "why";
    display.Notify(rejected);
    EXPECT_EQ("Escape: why", display.Error());
    EXPECT_FALSE(display.WaitForAction(nullptr).has_value());
    EXPECT_EQ(2u, display.Pending());
}

TEST(DisplayTest, NestedMessageBoxesPairWithTheirAnswers)
{
    standin::ScriptedDisplay display;
    auto event = [](Event::Kind kind, uintptr_t hwnd, const char* text, INT_PTR result) {
        Event e;
        e.kind = kind;
        e.hwnd = reinterpret_cast<HWND>(hwnd);
        e.text = text;
        e.result = result;
        return e;
    };
    display.Notify(event(Event::Kind::MessageBoxOpened, 1, "outer", 0));
    display.Notify(event(Event::Kind::MessageBoxOpened, 2, "inner", 0));
    display.Notify(event(Event::Kind::MessageBoxClosed, 2, "", IDNO));
    display.Notify(event(Event::Kind::MessageBoxClosed, 1, "", IDOK));
    display.Notify(event(Event::Kind::DialogEnded, 3, "", IDCANCEL));
    const auto boxes = display.MessageBoxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("outer", boxes[0].text);
    EXPECT_EQ(IDOK, boxes[0].answer);
    EXPECT_EQ(IDNO, boxes[1].answer);
    EXPECT_THAT(display.DialogResults(), ::testing::ElementsAre(IDCANCEL));
}

}  // namespace
