// Command-line parsing of import-layout-template.
#include <gtest/gtest.h>

#include "Options.h"

namespace ilt {
namespace {

TEST(Options, ValuesInBothSpellingsAndRepeatedDrives)
{
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions({"--drive", "d=/srv/a", "--drive=E=rel/b", "--script=-", "--transcript", "t.jsonl",
                              "--raw", "--listing-order=descending", "D:\\lib"},
                             options, error))
        << error;
    ASSERT_EQ(options.drives.size(), 2u);
    EXPECT_EQ(options.drives[0].letter, 'D');
    EXPECT_EQ(options.drives[0].folder, "/srv/a");
    EXPECT_EQ(options.drives[1].letter, 'E');
    EXPECT_EQ(options.drives[1].folder, "rel/b");
    EXPECT_EQ(options.scriptPath, "-");
    EXPECT_EQ(options.transcriptPath, "t.jsonl");
    EXPECT_TRUE(options.raw);
    EXPECT_EQ(options.listingOrder, "descending");
    EXPECT_EQ(options.centralLibrary, "D:\\lib");
}

TEST(Options, CentralLibraryIsTakenExactlyAsGiven)
{
    struct Case {
        std::vector<std::string> arguments;
        std::optional<std::string> central;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{""}, std::string()},
        {{"-"}, std::string("-")},
        {{"--", "--raw"}, std::string("--raw")},
        {{"D:/lib/"}, std::string("D:/lib/")},
        {{" spaced "}, std::string(" spaced ")},
    };
    for (const Case& test : cases) {
        Options options;
        std::string error;
        ASSERT_TRUE(ParseOptions(test.arguments, options, error)) << error;
        EXPECT_EQ(options.centralLibrary, test.central);
    }
}

TEST(Options, UsageErrorsNameTheArgument)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* error;
    };
    const Case cases[] = {
        {{"--drive", "1=/x"}, "--drive: expected X=DIR (a drive letter, '=', a folder), got '1=/x'"},
        {{"--drive", "D="}, "--drive: expected X=DIR (a drive letter, '=', a folder), got 'D='"},
        {{"--drive", "D:/x"}, "--drive: expected X=DIR (a drive letter, '=', a folder), got 'D:/x'"},
        {{"--script"}, "--script: missing value"},
        {{"--script="}, "--script: the file name is empty"},
        {{"--transcript", ""}, "--transcript: the file name is empty"},
        {{"--listing-order", "random"}, "--listing-order: expected filesystem, ascending or descending, got 'random'"},
        {{"--rawer"}, "unknown option '--rawer'"},
        {{"-x"}, "unknown option '-x'"},
        {{"a", "b"}, "unexpected argument 'b': only one central library can be given"},
        {{"--drive", "D=/a", "--drive=d=/b"}, "--drive d=/b: drive D: is already mapped (to '/a')"},
    };
    for (const Case& test : cases) {
        Options options;
        std::string error;
        EXPECT_FALSE(ParseOptions(test.arguments, options, error));
        EXPECT_EQ(error, test.error);
    }
}

}  // namespace
}  // namespace ilt
