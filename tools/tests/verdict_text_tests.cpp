// The texts `check` prints for each verdict, reason and note, pinned: a case
// fails when its text changes or when its reason is no longer reached.

#include <gtest/gtest.h>

#include "ToolRunner.h"
#include "VerdictCases.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

TEST(VerdictTexts, EveryReasonHasItsText)
{
    testsupport::TempFolder work;
    const std::string expected = MakeVerdictCases(work.Root() / "lib", false);
    const ToolRun run = RunTool({"check", "--listing-order", "ascending", "lib"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);
    EXPECT_EQ(expected, run.out);
}

TEST(VerdictTexts, ReasonsOfFoldersThatCannotBeSearched)
{
    testsupport::TempFolder work;
    const std::string expected = MakeVerdictCases(work.Root() / "lib", true);
    ToolRun run;
    const bool ran = RunToolBoundByPermissions({"check", "--listing-order", "ascending", "lib"}, work.Root(), run);
    RestorePermissions(work.Root() / "lib");
    if (!ran)
        GTEST_SKIP() << "permissions cannot be made to apply to the tool";
    EXPECT_EQ(1, run.status) << run.err;
    EXPECT_EQ(expected, run.out);
}

TEST(VerdictTexts, TheTemplateFoundFirstClosesTheDialog)
{
    testsupport::TempFolder work;
    for (const VerdictCase& entry : EveryVerdictCase())
        if (entry.name == "00-ok-2007" || entry.name == "30-nodesign")
            entry.make(work.Root() / "lib" / (entry.name == "30-nodesign" ? "a" : "b"));
    ToolRun run = RunTool({"check", "--listing-order", "ascending", "lib"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ(
        "OK   a (2007)\n"
        "     note: the dialog finds it first and closes with \"Can't display the stackup.\": it says \"Can't read "
        "TREL design from database.\"\n"
        "OK   b (2007)\n"
        "2 of 2 sub-folders are listed by the dialog\n",
        run.out);
}

}  // namespace
}  // namespace layouttool::testing
