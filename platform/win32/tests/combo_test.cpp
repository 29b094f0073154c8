// Combo box: sorting, searching, selection, and when CBN_SELCHANGE is sent.
#include "test_support.h"

#include <gmock/gmock.h>

using namespace win32test;
using standin::Action;

namespace {

class ComboTest : public ::testing::Test {
protected:
    HWND Combo(DWORD style = CBS_DROPDOWNLIST | CBS_SORT) { return parent_.Child("ComboBox", style, kComboId); }

    static LRESULT Add(HWND combo, const char* text) {
        return SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }

    static std::vector<std::string> Entries(HWND combo) {
        std::vector<std::string> entries;
        const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char buffer[64];
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
            entries.emplace_back(buffer);
        }
        return entries;
    }

    Parent parent_;
};

TEST_F(ComboTest, AddStringSortsIgnoringCaseWithDigitsAsCharacters) {
    HWND combo = Combo();
    EXPECT_EQ(0, Add(combo, "6L"));
    EXPECT_EQ(0, Add(combo, "4L"));
    EXPECT_EQ(0, Add(combo, "10L"));
    EXPECT_EQ(3, Add(combo, "abd"));
    EXPECT_EQ(3, Add(combo, "ABC"));
    EXPECT_EQ(3, Add(combo, "Ab"));
    EXPECT_EQ(6, Add(combo, "\xC3\xA4pfel"));  // a-umlaut folds to itself, after z
    EXPECT_EQ(6, Add(combo, "zebra"));
    EXPECT_THAT(Entries(combo),
                ::testing::ElementsAre("10L", "4L", "6L", "Ab", "ABC", "abd", "zebra", "\xC3\xA4pfel"));
}

TEST_F(ComboTest, EqualStringGoesAfterItsEquals) {
    HWND combo = Combo();
    Add(combo, "b");
    EXPECT_EQ(1, Add(combo, "B"));
    EXPECT_EQ(2, Add(combo, "b"));
    EXPECT_EQ(0, Add(combo, "a"));
    EXPECT_EQ(4, Add(combo, "\xC3\x84"));  // capital a-umlaut folds to U+00E4, after every ASCII letter
    EXPECT_THAT(Entries(combo), ::testing::ElementsAre("a", "b", "B", "b", "\xC3\x84"));
}

TEST_F(ComboTest, OnlyAddStringSortsAndOnlyInSortedBoxes) {
    HWND sorted = Combo();
    Add(sorted, "b");
    EXPECT_EQ(1, SendMessageA(sorted, CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("a")));
    EXPECT_EQ(2, SendMessageA(sorted, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("0")));
    EXPECT_EQ(CB_ERR, SendMessageA(sorted, CB_INSERTSTRING, 4, reinterpret_cast<LPARAM>("x")));
    EXPECT_THAT(Entries(sorted), ::testing::ElementsAre("b", "a", "0"));
    // Out of order, a new string goes before the first entry that sorts after it.
    EXPECT_EQ(0, Add(sorted, "a0"));
    SendMessageA(sorted, CB_RESETCONTENT, 0, 0);
    Add(sorted, "c");
    EXPECT_EQ(0, Add(sorted, "a"));
    EXPECT_EQ(1, Add(sorted, "b"));

    HWND unsorted = Combo(CBS_DROPDOWNLIST);
    Add(unsorted, "b");
    EXPECT_EQ(1, Add(unsorted, "a"));
}

TEST_F(ComboTest, SelectionFollowsItsEntryThroughInsertsAndDeletes) {
    HWND combo = Combo();
    Add(combo, "m");
    EXPECT_EQ(0, SendMessageA(combo, CB_SETCURSEL, 0, 0));
    Add(combo, "a");
    EXPECT_EQ(1, SendMessageA(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("m", WindowText(combo));
    EXPECT_EQ(1, SendMessageA(combo, CB_DELETESTRING, 0, 0));
    EXPECT_EQ(0, SendMessageA(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, SendMessageA(combo, CB_DELETESTRING, 0, 0));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("", WindowText(combo));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_DELETESTRING, 0, 0));
}

TEST_F(ComboTest, SetCurSelOutOfRangeClearsTheSelection) {
    HWND combo = Combo();
    Add(combo, "a");
    Add(combo, "b");
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETCURSEL, 0, 0));
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_SETCURSEL, 2, 0));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(0, GetWindowTextLengthA(combo));
}

TEST_F(ComboTest, SelectStringSearchesAfterStartAndWraps) {
    HWND combo = Combo();
    for (const char* text : {"4L", "4L-b", "6L", "Alpha", "alpine"})
        Add(combo, text);
    struct Case {
        int start;
        const char* text;
        LRESULT expected;
    };
    const Case cases[] = {
        {-1, "4", 0},        {-1, "4l-", 1},     {0, "4L", 1},      {1, "4L", 0},  {4, "al", 3},
        {3, "al", 4},        {3, "ALPHA", 3},    {-7, "6", 2},      {5, "al", 3},  {99, "4", 0},
        {-1, "Alphabet", CB_ERR}, {-1, "", CB_ERR}, {2, "x", CB_ERR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " \"" + c.text + "\"");
        SendMessageA(combo, CB_SETCURSEL, 2, 0);
        EXPECT_EQ(c.expected, SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(c.start),
                                           reinterpret_cast<LPARAM>(c.text)));
        const LRESULT selected = c.expected == CB_ERR ? 2 : c.expected;
        EXPECT_EQ(selected, SendMessageA(combo, CB_GETCURSEL, 0, 0));
        EXPECT_EQ(Entries(combo)[selected], WindowText(combo));
    }
}

TEST_F(ComboTest, FindStringAndFindStringExactLeaveTheSelection) {
    HWND combo = Combo();
    for (const char* text : {"abc", "ABCD", "b"})
        Add(combo, text);
    EXPECT_EQ(0, SendMessageA(combo, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("AB")));
    EXPECT_EQ(1, SendMessageA(combo, CB_FINDSTRING, 0, reinterpret_cast<LPARAM>("AB")));
    EXPECT_EQ(1, SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("abcd")));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("ab")));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

TEST_F(ComboTest, GetLbTextRejectsBadIndexesWithoutTouchingTheBuffer) {
    HWND combo = Combo();
    Add(combo, "text");
    char buffer[8] = "keep";
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("keep", buffer);
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETLBTEXTLEN, 1, 0));
    EXPECT_EQ(4, SendMessageA(combo, CB_GETLBTEXTLEN, 0, 0));
    EXPECT_EQ(4, SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("text", buffer);
    EXPECT_EQ(0, Add(combo, nullptr));  // a NULL string is an empty one
    EXPECT_EQ(CB_OKAY, SendMessageA(combo, CB_RESETCONTENT, 0, 0));
    EXPECT_EQ(0, SendMessageA(combo, CB_GETCOUNT, 0, 0));
}

// CBN_SELCHANGE comes from the user's pick only, never from CB_SETCURSEL or
// CB_SELECTSTRING; when it comes, the selection and the text are already new.
TEST_F(ComboTest, SelChangeIsSentForUserPicksOnly) {
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
            SendMessageA(combo, CB_SETCURSEL, 1, 0);
            SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("6"));
            EXPECT_TRUE(log.OfKind(WM_COMMAND).empty());
        }),
        Action::Pick(kComboId, "10L"),
        Action::Pick(kComboId, "10L"),
        Action::Escape(),
    });
    standin::ScopedDisplay scoped(display);
    standin::MessageLog log;
    const INT_PTR result = RunDialog(StandardDialog(), [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
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

TEST_F(ComboTest, PickingAMissingEntryStopsTheScript) {
    standin::ScriptedDisplay display({Action::Pick(kComboId, "4l"), Action::Enter()});
    standin::ScopedDisplay scoped(display);
    const INT_PTR result = RunDialog(StandardDialog(), [](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            SendDlgItemMessageA(dialog, kComboId, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("4L"));
        return 0;
    });
    EXPECT_EQ(IDCANCEL, result);  // the script stopped, so the input ran out
    EXPECT_EQ("Pick(2001, \"4l\"): combo box 2001 has no entry \"4l\"", display.Error());
    EXPECT_EQ(1u, display.Pending());
    EXPECT_TRUE(display.Exhausted());
}

}  // namespace
