// Stack-up descriptions: words, integers and the two line grammars.

#include <gtest/gtest.h>

#include "Description.h"

namespace layouttool {
namespace {

std::vector<SourceLine> Lines(std::initializer_list<const char*> texts)
{
    std::vector<SourceLine> lines;
    int number = 1;
    for (const char* text : texts)
        lines.push_back({"d.txt:" + std::to_string(number++), text});
    return lines;
}

// A word as "value" or "key=value", words joined by '|'.
std::string Show(const std::vector<Word>& words)
{
    std::string shown;
    for (const Word& word : words) {
        if (!shown.empty())
            shown += '|';
        shown += word.isSetting ? word.key + "=" + word.value : word.value;
    }
    return shown;
}

TEST(SplitWords, QuotesCommentsAndSettings)
{
    const struct {
        const char* line;
        const char* words;
    } cases[] = {
        {"", ""},
        {"   # only a comment", ""},
        {"conductor TOP metal=1", "conductor|TOP|metal=1"},
        {"\tconductor\t TOP  ", "conductor|TOP"},
        {"conductor \"TOP LAYER\" usage=\"Power plane\"", "conductor|TOP LAYER|usage=Power plane"},
        {"conductor \"a#b\" # comment", "conductor|a#b"},
        {"x \"say \\\"hi\\\" \\\\ \\n\"", "x|say \"hi\" \\ \\n"},
        {"x \"\"", "x|"},
        {"x \"A=B\" usage=a=b", "x|A=B|usage=a=b"},
        {"x usage=", "x|usage="},
        {"x TOP#comment", "x|TOP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<Word> words;
        std::string problem;
        ASSERT_TRUE(SplitWords(c.line, words, problem)) << problem;
        EXPECT_EQ(c.words, Show(words));
    }
    // A quoted word is never a setting, and a setting's key is never quoted.
    std::vector<Word> words;
    std::string problem;
    ASSERT_TRUE(SplitWords("\"metal=1\"", words, problem));
    EXPECT_FALSE(words[0].isSetting);
}

TEST(SplitWords, RefusesOpenQuotesAndControlCharacters)
{
    for (const char* line : {"conductor \"TOP", "x \"a\\\"", "x a\x01", "x \"a\x7f\""}) {
        SCOPED_TRACE(line);
        std::vector<Word> words;
        std::string problem;
        EXPECT_FALSE(SplitWords(line, words, problem));
        EXPECT_FALSE(problem.empty());
    }
}

TEST(ParseInt, DecimalWithSignWithinInt)
{
    const struct {
        const char* text;
        bool valid;
        int value;
    } cases[] = {
        {"0", true, 0},
        {"+7", true, 7},
        {"-3", true, -3},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"1.5", false, 0},
        {"0x10", false, 0},
        {" 1", false, 0},
        {"1e3", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int value = 12345;
        EXPECT_EQ(c.valid, ParseInt(c.text, value));
        EXPECT_EQ(c.valid ? c.value : 12345, value);
    }
}

TEST(ParseDescription2007, LayersInLineOrder)
{
    const auto parsed = ParseDescription2007(Lines({
        "# stack-up",
        "conductor TOP metal=1 usage=Signal",
        "",
        "Dielectric CORE1",
        "SOLDERMASK SM usage=\"mask top\"",
        "silkscreen SS",
        "7 ODD metal=9",
        "conductor GND usage=\"Power plane\" metal=-2",
    }));
    ASSERT_TRUE(parsed.errors.empty()) << parsed.errors.front();
    EXPECT_TRUE(parsed.warnings.empty());
    ASSERT_EQ(6u, parsed.layers.size());
    EXPECT_EQ((std::vector<std::string>{"d.txt:2", "d.txt:4", "d.txt:5", "d.txt:6", "d.txt:7", "d.txt:8"}),
              parsed.origins);

    const int types[] = {0, 1, 2, 3, 7, 0};
    for (std::size_t i = 0; i < parsed.layers.size(); ++i)
        EXPECT_EQ(types[i], parsed.layers[i].type) << i;
    EXPECT_EQ("TOP", parsed.layers[0].name);
    EXPECT_EQ(1, parsed.layers[0].metalNumber);
    EXPECT_EQ("Signal", parsed.layers[0].usage);
    EXPECT_FALSE(parsed.layers[1].metalNumber);
    EXPECT_FALSE(parsed.layers[1].usage);
    EXPECT_EQ("mask top", parsed.layers[2].usage);
    EXPECT_EQ(9, parsed.layers[4].metalNumber);
    EXPECT_EQ(-2, parsed.layers[5].metalNumber);
    EXPECT_EQ("Power plane", parsed.layers[5].usage);
}

TEST(ParseDescription2007, EveryBadLineIsReportedWithItsOrigin)
{
    const auto parsed = ParseDescription2007(Lines({
        "conductor TOP",                     // 1: no metal number
        "copper TOP metal=1",                // 2: unknown kind
        "conductor metal=1",                 // 3: no name
        "conductor \"\" metal=1",            // 4: empty name
        "conductor TOP metal=1 extra",       // 5: stray word
        "conductor TOP metal=1 metal=2",     // 6: repeated setting
        "conductor TOP metal=one",           // 7: not an integer
        "conductor TOP metal=1 colour=red",  // 8: unknown setting
        "metal=1 TOP",                       // 9: starts with a setting
        "conductor \"TOP metal=1",           // 10: open quote
        "dielectric OK",                     // good
    }));
    ASSERT_EQ(10u, parsed.errors.size());
    for (std::size_t i = 0; i < parsed.errors.size(); ++i)
        EXPECT_EQ(0u, parsed.errors[i].find("d.txt:" + std::to_string(i + 1) + ": ")) << parsed.errors[i];
    EXPECT_NE(std::string::npos, parsed.errors[0].find("needs metal="));
    EXPECT_NE(std::string::npos, parsed.errors[1].find("'copper'"));
    EXPECT_NE(std::string::npos, parsed.errors[7].find("'colour='"));
    ASSERT_EQ(1u, parsed.layers.size());
}

TEST(ParseDescription2007, RepeatedMetalNumberWarnsAtTheLaterLine)
{
    const auto parsed = ParseDescription2007(Lines({
        "conductor A metal=2",
        "dielectric D metal=2",  // not a conductor: not listed, no warning
        "conductor B metal=2",
    }));
    EXPECT_TRUE(parsed.errors.empty());
    ASSERT_EQ(1u, parsed.warnings.size());
    EXPECT_EQ("d.txt:3: warning: metal=2 is also given at d.txt:1; the dialog lists only the first",
              parsed.warnings[0]);
}

TEST(ParseDescription, NumbersOutOfRangeAreCalledSo)
{
    auto parsed =
        ParseDescription2007(Lines({"conductor A metal=2147483648", "conductor B metal=x1", "-2147483649 C"}));
    EXPECT_EQ(
        (std::vector<std::string>{"d.txt:1: metal=2147483648 is out of range (-2147483648 to 2147483647)",
                                  "d.txt:2: metal=x1 is not an integer",
                                  "d.txt:3: layer kind '-2147483649' is out of range (-2147483648 to 2147483647)"}),
        parsed.errors);
    const auto parsed2005 = ParseDescription2005(Lines({"signal 99999999999999999999", "plane two", "4294967296 1"}));
    EXPECT_EQ((std::vector<std::string>{
                  "d.txt:1: layer number '99999999999999999999' is out of range (-2147483648 to 2147483647)",
                  "d.txt:2: layer number 'two' is not an integer",
                  "d.txt:3: layer type '4294967296' is out of range (-2147483648 to 2147483647)"}),
              parsed2005.errors);
}

TEST(ParseDescription2005, BadLines)
{
    const auto parsed = ParseDescription2005(
        Lines({"signal", "plane", "copper 1", "signal 1 2", "signal one", "signal number=1", "", "# nothing"}));
    ASSERT_EQ(6u, parsed.errors.size());
    EXPECT_EQ("d.txt:1: a signal layer needs its number", parsed.errors[0]);
    EXPECT_EQ("d.txt:2: a plane layer needs its number", parsed.errors[1]);
    EXPECT_TRUE(parsed.layers.empty());
}

TEST(ParseDescription2005, NoMoreLayersThanTheReaderTakes)
{
    std::vector<SourceLine> lines(100000, SourceLine{"d.txt", "dielectric"});
    EXPECT_TRUE(ParseDescription2005(lines).errors.empty());
    lines.push_back({"d.txt:100001", "signal 1"});
    const auto parsed = ParseDescription2005(lines);
    EXPECT_EQ((std::vector<std::string>{"d.txt:100001: a 2005 template holds at most 100000 layers; the description "
                                        "has 100001"}),
              parsed.errors);
}

}  // namespace
}  // namespace layouttool
