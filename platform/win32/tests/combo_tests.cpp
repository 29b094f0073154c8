// Combo box: what the stand-in adds to Win32's behaviour (which the
// conformance cases in conformance/combo_tests.cpp cover): the display's Pick
// action, and the selection through inserts and deletes.
#include "test_support.h"

#include <gmock/gmock.h>

using namespace win32test;
using standin::Action;

namespace {

class ComboTest : public ::testing::Test {
protected:
    HWND Combo(DWORD style = CBS_DROPDOWNLIST | CBS_SORT) { return m_parent.Child("ComboBox", style, kComboId); }

    static LRESULT Add(HWND combo, const char* text)
    {
        return SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }

    static std::vector<std::string> Entries(HWND combo)
    {
        std::vector<std::string> entries;
        const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char buffer[64];
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
            entries.emplace_back(buffer);
        }
        return entries;
    }

    Parent m_parent;
};

// CBN_SELCHANGE comes from the user's pick only, never from CB_SELECTSTRING; when it comes, the selection and the text
// are already new.
TEST_F(ComboTest, SelChangeIsSentForUserPicksOnly)
{
    HWND seenCombo = nullptr;
    std::vector<std::string> textsAtNotification;
    std::vector<LRESULT> selectionsAtNotification;
    standin::ScriptedDisplay display({
        Action::Inspect([&](HWND dialog) {
            HWND combo = GetDlgItem(dialog, kComboId);
            seenCombo = combo;
            for (const char* text : {"6L", "4L", "10L"})
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            standin::MessageLog log;
            SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("6"));
            EXPECT_TRUE(log.OfKind(WM_COMMAND).empty());
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

TEST_F(ComboTest, PickingAMissingEntryStopsTheScript)
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
