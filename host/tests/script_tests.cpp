// Parsing of scripts.
#include <gtest/gtest.h>

#include <sstream>

#include "Script.h"

namespace ilt {
namespace {

using Kind = ScriptStep::Kind;

TEST(Script, EveryActionWithItsLineNumber)
{
    std::istringstream in(
        "# a comment\n"
        "\n"
        "select 6L\n"
        "  select  two  spaces \r\n"
        "ok\ncancel\nyes\nno\nenter\nescape\nclose\n"
        "   # indented comment\n"
        "highlight D:\\lib\\x\n"
        "highlight-virtual   \n");
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript(in, "s.txt", script, error)) << error;
    EXPECT_EQ(script.origin, "s.txt");
    EXPECT_EQ(script.lineCount, 14);
    const std::vector<std::pair<Kind, std::string>> expected = {{Kind::Select, "6L"},
                                                                {Kind::Select, " two  spaces "},
                                                                {Kind::Ok, ""},
                                                                {Kind::Cancel, ""},
                                                                {Kind::Yes, ""},
                                                                {Kind::No, ""},
                                                                {Kind::Enter, ""},
                                                                {Kind::Escape, ""},
                                                                {Kind::Close, ""},
                                                                {Kind::Highlight, "D:\\lib\\x"},
                                                                {Kind::HighlightVirtual, ""}};
    const std::vector<int> lines = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 14};
    ASSERT_EQ(script.steps.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(script.steps[i].kind, expected[i].first);
        EXPECT_EQ(script.steps[i].argument, expected[i].second);
        EXPECT_EQ(script.steps[i].line, lines[i]);
    }
}

TEST(Script, MalformedLinesAreReportedWithTheirPlace)
{
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"ok\nOK\n",
         "s.txt:2: unknown action 'OK' (expected select, ok, cancel, yes, no, enter, escape, close, "
         "highlight or highlight-virtual)"},
        {"select", "s.txt:1: 'select' needs a NAME"},
        {"select \n", "s.txt:1: 'select' needs a NAME"},
        {"highlight\n", "s.txt:1: 'highlight' needs a PATH"},
        {"yes please\n", "s.txt:1: 'yes' takes no argument"},
        {"\x1b[2J\n",
         "s.txt:1: unknown action '?[2J' (expected select, ok, cancel, yes, no, enter, escape, close, "
         "highlight or highlight-virtual)"},
    };
    for (const Case& test : cases) {
        std::istringstream in(test.text);
        Script script;
        std::string error;
        EXPECT_FALSE(ParseScript(in, "s.txt", script, error));
        EXPECT_EQ(error, test.error);
    }
}

TEST(Script, AByteOrderMarkAtTheStartIsIgnored)
{
    std::istringstream in("\xef\xbb\xbfselect 6L\nok\n");
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript(in, "s.txt", script, error)) << error;
    ASSERT_EQ(script.steps.size(), 2u);
    EXPECT_EQ(script.steps[0].kind, Kind::Select);
    EXPECT_EQ(script.steps[0].argument, "6L");

    // Only at the very start.
    std::istringstream later("ok\n\xef\xbb\xbfok\n");
    EXPECT_FALSE(ParseScript(later, "s.txt", script, error));
    EXPECT_EQ(error.rfind("s.txt:2: unknown action '?ok'", 0), 0u) << error;
}

TEST(Script, FilesThatCannotBeReadSayWhy)
{
    Script script;
    std::string error;
    EXPECT_EQ(LoadScript("/nonexistent/script.txt", script, error), LoadResult::Unreadable);
    EXPECT_EQ(error, "cannot read the script '/nonexistent/script.txt': No such file or directory");
    EXPECT_EQ(LoadScript("/", script, error), LoadResult::Unreadable);
    EXPECT_EQ(error, "cannot read the script '/': Is a directory");
}

}  // namespace
}  // namespace ilt
