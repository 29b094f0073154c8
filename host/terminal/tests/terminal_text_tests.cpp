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

}  // namespace
}  // namespace ilt
