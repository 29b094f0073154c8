// Combo box, what only the stand-in has (the box itself: ../combo_tests.cpp):
// the display's Pick action.
#include "test_support.h"

#include <gmock/gmock.h>

using namespace win32test;
using standin::Action;

namespace {

// A pick is a click in the dropped list: CBN_SELCHANGE, also for the entry
// already selected, with the selection and the text already new.
TEST(ComboTest, PickNotifiesLikeAClickInTheList)
{
    HWND seenCombo = nullptr;
    std::vector<std::string> textsAtNotification;
    std::vector<LRESULT> selectionsAtNotification;
    standin::ScriptedDisplay display({
        Action::Inspect([&](HWND dialog) {
            seenCombo = GetDlgItem(dialog, kComboId);
            for (const char* text : {"6L", "4L", "10L"})
                SendMessageA(seenCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }),
        Action::Pick(kComboId, "10L"),
        Action::Pick(kComboId, "10L"),
        Action::Escape(),
    });
    standin::ScopedDisplay scoped(display);
    standin::MessageLog log;
    const INT_PTR result =
        RunDialog(StandardDialog(), [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
            if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
                HWND combo = GetDlgItem(dialog, kComboId);
                selectionsAtNotification.push_back(SendMessageA(combo, CB_GETCURSEL, 0, 0));
                textsAtNotification.push_back(WindowText(combo));
            }
            return 0;
        });
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("", display.Error());
    std::vector<standin::LoggedMessage> selChanges;
    for (const auto& m : log.OfKind(WM_COMMAND)) {
        if (HIWORD(m.wParam) == CBN_SELCHANGE)
            selChanges.push_back(m);
    }
    ASSERT_EQ(2u, selChanges.size());
    EXPECT_EQ(MAKEWPARAM(kComboId, CBN_SELCHANGE), selChanges[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(seenCombo), selChanges[0].lParam);
    EXPECT_THAT(selectionsAtNotification, ::testing::ElementsAre(0, 0));
    EXPECT_THAT(textsAtNotification, ::testing::ElementsAre("10L", "10L"));
}

TEST(ComboTest, PickingAMissingEntryStopsTheScript)
{
    standin::ScriptedDisplay display({Action::Pick(kComboId, "4l"), Action::Enter()});
    standin::ScopedDisplay scoped(display);
    const INT_PTR result = RunDialog(StandardDialog(), [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            SendMessageA(GetDlgItem(dialog, kComboId), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("4L"));
        return 0;
    });
    EXPECT_EQ(IDCANCEL, result);  // the script stopped, so the input ran out
    EXPECT_EQ("Pick(2001, \"4l\"): combo box 2001 has no entry \"4l\"", display.Error());
    EXPECT_EQ(1u, display.Pending());
    EXPECT_TRUE(display.Exhausted());
}

}  // namespace
