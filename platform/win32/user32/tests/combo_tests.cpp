// Combo box (CBS_DROPDOWNLIST): sorting, searching, selection, the
// notifications of a user's pick, and the box's own keys.
#include "Conformance.h"

#include <gmock/gmock.h>

using namespace conformance;
using ::testing::ElementsAreArray;

namespace {

class ComboTest : public ::testing::Test {
protected:
    void SetUp() override { Recorder::Clear(); }

    HWND Combo(DWORD style = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL)
    {
        return m_parent.Child(WC_COMBOBOXA, style, IDC_COMBO);
    }

    static LRESULT Add(HWND combo, const char* text)
    {
        return SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }

    static std::vector<std::string> Entries(HWND combo)
    {
        std::vector<std::string> entries;
        const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char buffer[128] = "";
            SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
            entries.emplace_back(buffer);
        }
        return entries;
    }

    static LRESULT Selection(HWND combo) { return SendMessageA(combo, CB_GETCURSEL, 0, 0); }

    // The CBN_ codes the parent heard since the last call.
    static std::vector<int> Notifications()
    {
        std::vector<int> codes;
        for (const Message& m : Recorder::Messages()) {
            if (m.message == WM_COMMAND && LOWORD(m.wParam) == IDC_COMBO)
                codes.push_back(HIWORD(m.wParam));
        }
        Recorder::Clear();
        return codes;
    }

    ParentWindow m_parent;
};

// The names of layout templates as a central library holds them: the box sorts
// them as CompareString's word sort does (punctuation and blanks before digits,
// digits before letters, digits one by one, case ignored, accents after the
// plain letter, '-' and '\'' left out but for ties).
TEST_F(ComboTest, SortsTemplateNamesAsCompareStringDoes)
{
    HWND combo = Combo();
    const char* const inserted[] = {
        "6L",
        "4L",
        "10L",
        "-6L",
        "4L (old)",
        "4L old",
        "4L-old",
        "4L_old",
        "4L.old",
        "4L'old",
        "8L HDI",
        "8L-HDI",
        "8LHDI",
        "8L_HDI",
        "(draft) 4L",
        "'quoted'",
        "b",
        "A",
        "B10",
        "B2",
        "_x",
        "co-op",
        "coop",
        "Co",
        "z",
        "9",
        "~t",
        "\xc3\x89tage",
        "etage",
        "\xc3\xa9tag\xc3\xa9",
        "Etage",
        "\xc3\x84rger",
        "Arger",
        "\xc3\x85ngstr\xc3\xb6m",
        "\xce\x91\xce\xbb\xcf\x86\xce\xb1",
        "\xd0\x96\xd0\xb5\xd0\xbb",
        "Zebra",
        " lead",
        "lead",
        "-lead",
    };
    for (const char* name : inserted)
        EXPECT_GE(Add(combo, name), 0) << name;
    const char* const sorted[] = {
        " lead",
        "(draft) 4L",
        "_x",
        "~t",
        "10L",
        "4L",
        "4L (old)",
        "4L old",
        "4L.old",
        "4L_old",
        "4L'old",
        "4L-old",
        "6L",
        "-6L",
        "8L HDI",
        "8L_HDI",
        "8LHDI",
        "8L-HDI",
        "9",
        "A",
        "\xc3\x85ngstr\xc3\xb6m",
        "Arger",
        "\xc3\x84rger",
        "b",
        "B10",
        "B2",
        "Co",
        "coop",
        "co-op",
        "Etage",
        "etage",
        "\xc3\x89tage",
        "\xc3\xa9tag\xc3\xa9",
        "lead",
        "-lead",
        "'quoted'",
        "z",
        "Zebra",
        "\xce\x91\xce\xbb\xcf\x86\xce\xb1",
        "\xd0\x96\xd0\xb5\xd0\xbb",
    };
    EXPECT_THAT(Entries(combo), ElementsAreArray(sorted));
}

// A string equal to entries already there (case ignored) goes where the
// halving search first meets one of them, not always before or after them all.
TEST_F(ComboTest, EqualStringsGoWhereTheSearchMeetsThem)
{
    HWND combo = Combo();
    std::vector<LRESULT> places;
    for (const char* text : {"K1", "k1", "K1", "k1", "K1", "k1", "K1"})
        places.push_back(Add(combo, text));
    EXPECT_THAT(places, ::testing::ElementsAre(0, 0, 0, 1, 1, 2, 2));
    EXPECT_THAT(Entries(combo), ::testing::ElementsAre("K1", "K1", "K1", "k1", "k1", "k1", "K1"));

    HWND letters = m_parent.Child(WC_COMBOBOXA, CBS_DROPDOWNLIST | CBS_SORT, IDC_OTHER);
    for (const char* text : {"a", "b", "c", "d", "e", "f", "g"})
        Add(letters, text);
    places.clear();
    for (const char* text : {"D", "d", "D", "d"})
        places.push_back(Add(letters, text));
    EXPECT_THAT(places, ::testing::ElementsAre(3, 3, 4, 4));
    EXPECT_THAT(Entries(letters), ::testing::ElementsAre("a", "b", "c", "d", "d", "D", "D", "d", "e", "f", "g"));
    DestroyWindow(letters);
}

// A box without CBS_SORT appends; and a new entry placed before the selected
// one moves the selection with its entry.
TEST_F(ComboTest, UnsortedBoxAppendsAndTheSelectionFollowsItsEntry)
{
    HWND unsorted = m_parent.Child(WC_COMBOBOXA, CBS_DROPDOWNLIST, IDC_OTHER);
    Add(unsorted, "b");
    EXPECT_EQ(1, Add(unsorted, "a"));
    DestroyWindow(unsorted);

    HWND combo = Combo();
    Add(combo, "m");
    EXPECT_EQ(0, SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("m")));
    EXPECT_EQ(0, Add(combo, "a"));
    EXPECT_EQ(1, Selection(combo));
    EXPECT_EQ("m", WindowText(combo));
    EXPECT_THAT(Notifications(), ::testing::IsEmpty());
}

// CB_SELECTSTRING: a prefix, case ignored, searched from the entry after
// `start` to the end and round to `start`; -1 or a start past the end searches
// from the top. An empty text matches nothing. No match leaves the selection.
TEST_F(ComboTest, SelectStringMatchesAPrefixAfterTheStartAndWraps)
{
    HWND combo = Combo();
    for (const char* text : {"4L", "4L-b", "6L", "Alpha", "alpine", "\xc3\x89tage"})
        Add(combo, text);
    ASSERT_THAT(Entries(combo), ::testing::ElementsAre("4L", "4L-b", "6L", "Alpha", "alpine", "\xc3\x89tage"));
    struct Case {
        int start;
        const char* text;
        LRESULT expected;
    };
    const Case cases[] = {
        {-1, "4", 0},
        {-1, "4l-", 1},
        {0, "4L", 1},
        {1, "4L", 0},
        {4, "al", 3},
        {3, "al", 4},
        {3, "ALPHA", 3},
        {5, "al", 3},
        {6, "4", 0},
        {99, "6", 2},
        {-1, "Alphabet", CB_ERR},
        {-1, "", CB_ERR},
        {2, "x", CB_ERR},
        {-1, "\xc3\x89t", 5},
        // Case is ignored beyond ASCII too, as Microsoft documents; Wine folds ASCII letters only.
        {-1, "\xc3\xa9t", WineDeviation<LRESULT>("prefix search folds ASCII only", 5, CB_ERR)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " \"" + c.text + "\"");
        ASSERT_EQ(2, SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("6")));
        EXPECT_EQ(c.expected,
                  SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(c.start), reinterpret_cast<LPARAM>(c.text)));
        const LRESULT selected = c.expected == CB_ERR ? 2 : c.expected;
        EXPECT_EQ(selected, Selection(combo));
        EXPECT_EQ(Entries(combo)[static_cast<size_t>(selected)], WindowText(combo));
    }
    EXPECT_THAT(Notifications(), ::testing::IsEmpty()) << "CB_SELECTSTRING notifies nobody";
}

// CB_GETLBTEXT / CB_GETLBTEXTLEN: CB_ERR for an index outside the list, and
// the buffer stays as it was; lengths leave out the terminator.
TEST_F(ComboTest, GetLbTextBounds)
{
    HWND combo = Combo();
    Add(combo, "text");
    char buffer[8] = "keep";
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("keep", buffer);
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETLBTEXTLEN, 1, 0));
    EXPECT_EQ(CB_ERR, SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(-1), 0));
    EXPECT_EQ(4, SendMessageA(combo, CB_GETLBTEXTLEN, 0, 0));
    EXPECT_EQ(4, SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("text", buffer);
    EXPECT_EQ(1, SendMessageA(combo, CB_GETCOUNT, 0, 0));
}

// The arrow keys on a closed drop-down list change the selection at once, and
// the parent hears CBN_SELENDOK and CBN_SELCHANGE (the user has chosen), with
// the selection and the text already new, also when an arrow at an end leaves
// the selection where it was. Home and End go to the ends.
TEST_F(ComboTest, ArrowKeysSelectAndNotify)
{
    HWND combo = Combo();
    for (const char* text : {"4L", "6L", "8L"})
        Add(combo, text);
    const UINT keys[] = {VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_END, VK_DOWN, VK_HOME, VK_NEXT};
    std::vector<LRESULT> selections;
    std::vector<std::vector<int>> notifications;
    for (const UINT key : keys) {
        SendMessageA(combo, WM_KEYDOWN, key, 1);
        selections.push_back(Selection(combo));
        notifications.push_back(Notifications());
        EXPECT_EQ(Entries(combo)[static_cast<size_t>(selections.back())], WindowText(combo));
    }
    EXPECT_THAT(selections, ::testing::ElementsAre(0, 1, 0, 0, 2, 2, 0, 2));
    const std::vector<int> chosen = {CBN_SELENDOK, CBN_SELCHANGE};
    EXPECT_THAT(notifications, ::testing::ElementsAre(chosen, chosen, chosen, chosen, chosen, chosen, chosen, chosen));
}

// A typed character selects the next entry after the selection that begins
// with it (case ignored), going round; no such entry, no change.
TEST_F(ComboTest, TypedCharacterSelectsTheNextEntryWithThatInitial)
{
    HWND combo = Combo();
    for (const char* text : {"4L", "6L", "Alpha", "Beta", "alpine"})
        Add(combo, text);
    ASSERT_THAT(Entries(combo), ::testing::ElementsAre("4L", "6L", "Alpha", "alpine", "Beta"));
    std::vector<LRESULT> selections;
    std::vector<std::vector<int>> notifications;
    for (const char typed : {'a', 'A', 'a', '6', 'x', 'b'}) {
        SendMessageA(combo, WM_CHAR, static_cast<unsigned char>(typed), 1);
        selections.push_back(Selection(combo));
        notifications.push_back(Notifications());
    }
    EXPECT_THAT(selections, ::testing::ElementsAre(2, 3, 2, 1, 1, 4));
    const std::vector<int> chosen = {CBN_SELENDOK, CBN_SELCHANGE};
    EXPECT_THAT(notifications, ::testing::ElementsAre(chosen, chosen, chosen, chosen, std::vector<int>(), chosen));
}

// What the box asks of the dialog manager: the arrows and the characters; with
// its list dropped, Enter and Escape as well.
TEST_F(ComboTest, DialogCodeWantsEnterAndEscapeOnlyWhileDropped)
{
    HWND combo = Combo();
    Add(combo, "4L");
    MSG enter{combo, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
    MSG tab{combo, WM_KEYDOWN, VK_TAB, 1, 0, {0, 0}};
    const LRESULT closed = SendMessageA(combo, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
    EXPECT_EQ(DLGC_WANTCHARS | DLGC_WANTARROWS, closed);
    SetFocus(combo);
    SendMessageA(combo, WM_KEYDOWN, VK_F4, 1);
    EXPECT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTMESSAGE,
              SendMessageA(combo, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)));
    EXPECT_EQ(DLGC_WANTCHARS | DLGC_WANTARROWS,
              SendMessageA(combo, WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)));
    SendMessageA(combo, WM_KEYDOWN, VK_F4, 1);
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
}

}  // namespace
