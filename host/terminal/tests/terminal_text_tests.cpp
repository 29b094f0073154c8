// Text made safe for the terminal, and its wrapping.
#include <gtest/gtest.h>

#include <clocale>

#include "terminal/TerminalText.h"

namespace ilt {
namespace {

class TerminalTextTest : public ::testing::Test {
protected:
    // Widths of non-ASCII characters come from the locale.
    void SetUp() override
    {
        if (std::setlocale(LC_CTYPE, "C.UTF-8") == nullptr)
            GTEST_SKIP() << "no C.UTF-8 locale";
    }
    void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(TerminalTextTest, ControlsAndEscapeSequencesNeverReachTheTerminal)
{
    struct Case {
        std::string text;
        std::string unicode;
        std::string ascii;
        int width;
    };
    const Case cases[] = {
        {"4L", "4L", "4L", 2},
        {"\x1b[2J\x1b]0;title\x07", "?[2J?]0;title?", "?[2J?]0;title?", 14},
        {"a\rb\nc\td", "a?b?c?d", "a?b?c?d", 7},
        {"\xc2\x9b"
         "31m",
         "?31m", "?31m", 4},  // C1 CSI
        {"ab\xe2\x80\xae"
         "cd",
         "ab?cd", "ab?cd", 5},  // right-to-left override
        {"caf\xc3\xa9", "caf\xc3\xa9", "caf?", 4},
        {"e\xcc\x81", "e\xcc\x81", "e?", 1},       // e + combining acute: one cell
        {"\xcc\x81x", "?x", "?x", 2},              // a mark with nothing before it
        {"\xe6\xbc\xa2", "\xe6\xbc\xa2", "?", 2},  // a wide character
        {"\xff\xfe", "??", "??", 2},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.unicode);
        EXPECT_EQ(TerminalSafe(test.text, true), test.unicode);
        EXPECT_EQ(TerminalSafe(test.text, false), test.ascii);
        EXPECT_EQ(TerminalWidth(test.text, true), test.width);
    }
}

TEST_F(TerminalTextTest, WrapsAtBlanksAndLineBreaks)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(WrapLines("", 10, true), Lines{""});
    EXPECT_EQ(WrapLines("Central library \"D:\\lib\" doesn't contain directory with layout templates.\n"
                        "Would you like to select one?",
                        30, true),
              (Lines{"Central library \"D:\\lib\"", "doesn't contain directory with", "layout templates.",
                     "Would you like to select one?"}));
    EXPECT_EQ(WrapLines("abcdefghij", 4, true), (Lines{"abcd", "efgh", "ij"}));
    EXPECT_EQ(WrapLines("ab   cd", 3, true), (Lines{"ab", "cd"}));
    EXPECT_EQ(WrapLines("a\n\nb", 3, true), (Lines{"a", "", "b"}));
    EXPECT_EQ(WrapLines("\xe6\xbc\xa2\xe6\xbc\xa2\xe6\xbc\xa2", 5, true),
              (Lines{"\xe6\xbc\xa2\xe6\xbc\xa2", "\xe6\xbc\xa2"}));
}

TEST_F(TerminalTextTest, ACutIsMarkedAndReadsNoMoreThanItShows)
{
    EXPECT_EQ(CutToWidth("SIGNAL_1", 8, true), "SIGNAL_1");
    EXPECT_EQ(CutToWidth("SIGNAL_1", 5, true), "SIGN\u2026");
    EXPECT_EQ(CutToWidth("SIGNAL_1", 5, false), "SIGN~");
    EXPECT_EQ(CutToWidth("OK   ", 2, true), "OK") << "blanks go without a mark";
    EXPECT_EQ(CutToWidth("Layer name", 7, true), "Layer\u2026") << "no blank before the mark";
    EXPECT_EQ(CutToWidth("abc", 0, true), "");
    EXPECT_EQ(CutToWidth("a\xe6\xbc\xa2\xe6\xbc\xa2", 3, true), "a\u2026") << "a wide character is not split";
    EXPECT_EQ(CutToWidth("\x1b[2Jdata", 4, true), "?[2\u2026");

    const std::string usage(1 << 20, 'u');
    const std::string cut = CutToWidth(usage, 10, true);
    EXPECT_EQ(TerminalWidth(cut, true), 10);
    EXPECT_EQ(cut, std::string(9, 'u') + "\u2026");
}

TEST_F(TerminalTextTest, AMessageTooLongForItsRowsKeepsItsStartAndItsEnd)
{
    const std::string path = "\"D:\\" + std::string(3000, 'p') + "\"";
    const std::vector<std::string> lines = WrapToFit("Central library " + path + " doesn't exist.", 40, 3, true);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Central library");
    EXPECT_EQ(lines[1].rfind("\"D:\\ppp", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find("pp\u2026pp"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[2], std::string(24, 'p') + "\" doesn't exist.") << "the path keeps as much as fits";

    // The question's second line stays too.
    const std::vector<std::string> question = WrapToFit(
        "Central library " + path + " doesn't contain directory with layout templates.\nWould you like to select one?",
        30, 6, false);
    EXPECT_LE(question.size(), 6u);
    EXPECT_EQ(question.back(), "Would you like to select one?");

    // What fits is left alone; where no word is long, the lines that fit
    // are shown and the last one is marked.
    EXPECT_EQ(WrapToFit("a b", 10, 1, true), WrapLines("a b", 10, true));
    const std::vector<std::string> words = WrapToFit("one two three four five six", 9, 2, false);
    EXPECT_EQ(words, (std::vector<std::string>{"one two", "three~"}));
}

}  // namespace
}  // namespace ilt
