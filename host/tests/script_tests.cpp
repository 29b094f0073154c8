// Reading of scripts.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "Script.h"

namespace ilt {
namespace {

using Kind = ScriptStep::Kind;

struct ReadOut {
    std::vector<ScriptStep> steps;
    std::string error;  // "" when the script ended without one
};

// Reads every action of `text`.
ReadOut ReadAll(const std::string& text)
{
    std::istringstream in(text);
    ScriptReader reader(in, "s.txt", true);
    ReadOut out;
    ScriptStep step;
    for (;;) {
        const ScriptReader::Result result = reader.Next(step, out.error);
        if (result != ScriptReader::Result::Step)
            return out;
        out.steps.push_back(step);
    }
}

TEST(Script, EveryActionWithItsLineNumber)
{
    const ReadOut read = ReadAll(
        "# a comment\n"
        "\n"
        "select 6L\n"
        "  select  two  spaces \r\n"
        "ok\ncancel\nyes\nno\nenter\nescape\nclose\n"
        "   # indented comment\n"
        "highlight D:\\lib\\x\n"
        "highlight-virtual   ");
    ASSERT_EQ(read.error, "");
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
    ASSERT_EQ(read.steps.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(read.steps[i].kind, expected[i].first);
        EXPECT_EQ(read.steps[i].argument, expected[i].second);
        EXPECT_EQ(read.steps[i].line, lines[i]);
    }
}

TEST(Script, BadLinesAreReportedWithTheirPlace)
{
    struct Case {
        std::string text;
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
        // Not text: a NUL byte, wherever it is.
        {std::string("ok\nselect 6\0L\n", 14), "s.txt:2: the line holds a NUL byte: the script is not text"},
        {std::string(3, '\0'), "s.txt:1: the line holds a NUL byte: the script is not text"},
        // A line may be 1 MiB long, not one byte more.
        {"ok\n" + std::string(kMaxScriptLine + 1, 'x') + "\n", "s.txt:2: the line is longer than 1 MiB"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.error);
        const ReadOut read = ReadAll(test.text);
        EXPECT_EQ(read.error, test.error);
    }
    const ReadOut longest = ReadAll("select " + std::string(kMaxScriptLine - 7, 'x'));
    EXPECT_EQ(longest.error, "");
    ASSERT_EQ(longest.steps.size(), 1u);
    EXPECT_EQ(longest.steps[0].argument.size(), kMaxScriptLine - 7);
}

TEST(Script, ActionsAreReadOneAtATimeAsTheyAreAsked)
{
    // What follows an action is not read until the next one is asked for: a
    // bad line after it does not stop the actions before it, and a stream
    // that has more to come is not waited for.
    std::stringstream in;
    in << "select 6L\n";
    ScriptReader reader(in, "pipe", false);
    ScriptStep step;
    std::string error;
    ASSERT_EQ(reader.Next(step, error), ScriptReader::Result::Step);
    EXPECT_EQ(step.argument, "6L");
    EXPECT_EQ(in.tellg(), std::streampos(10)) << "read beyond the line of the action";

    in << "ok\nbogus\n";
    ASSERT_EQ(reader.Next(step, error), ScriptReader::Result::Step);
    EXPECT_EQ(step.kind, Kind::Ok);
    EXPECT_EQ(reader.Next(step, error), ScriptReader::Result::Error);
    EXPECT_EQ(error.rfind("pipe:3: unknown action 'bogus'", 0), 0u) << error;
    // After an error the reader stops there.
    in << "ok\n";
    EXPECT_EQ(reader.Next(step, error), ScriptReader::Result::Error);
    EXPECT_EQ(reader.LinesRead(), 3);
}

TEST(Script, AByteOrderMarkAtTheStartIsIgnored)
{
    const ReadOut read = ReadAll("\xef\xbb\xbfselect 6L\nok\n");
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.steps.size(), 2u);
    EXPECT_EQ(read.steps[0].kind, Kind::Select);
    EXPECT_EQ(read.steps[0].argument, "6L");

    // Only at the very start.
    const ReadOut later = ReadAll("ok\n\xef\xbb\xbfok\n");
    EXPECT_EQ(later.error.rfind("s.txt:2: unknown action '?ok'", 0), 0u) << later.error;
}

TEST(Script, FilesThatCannotBeReadSayWhy)
{
    std::string error;
    EXPECT_EQ(ScriptReader::Open("/nonexistent/script.txt", error), nullptr);
    EXPECT_EQ(error, "cannot read the script '/nonexistent/script.txt': No such file or directory");
    EXPECT_EQ(ScriptReader::Open("/", error), nullptr);
    EXPECT_EQ(error, "cannot read the script '/': Is a directory");
    // A device opens; what it gives is judged as it is read.
    const std::unique_ptr<ScriptReader> zero = ScriptReader::Open("/dev/zero", error);
    ASSERT_NE(zero, nullptr);
    EXPECT_FALSE(zero->Rereadable());
    ScriptStep step;
    EXPECT_EQ(zero->Next(step, error), ScriptReader::Result::Error);
    EXPECT_EQ(error, "/dev/zero:1: the line holds a NUL byte: the script is not text");
}

}  // namespace
}  // namespace ilt
