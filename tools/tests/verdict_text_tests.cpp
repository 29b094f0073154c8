// The texts `check` prints for each verdict, reason and note, pinned: a case
// fails when its text changes or when its reason is no longer reached.

#include <gtest/gtest.h>

#include "ToolRunner.h"
#include "VerdictCases.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

// `check` on the folder lib: ascending on Linux, the system's order on Windows.
ToolRun CheckLib(const fs::path& work)
{
#if defined(_WIN32)
    return RunTool({"check", "lib"}, work);
#else
    return RunTool({"check", "--listing-order", "ascending", "lib"}, work);
#endif
}

TEST(VerdictTexts, EveryReasonHasItsText)
{
    WorkFolder work;
    const std::vector<VerdictCase> cases = MakeVerdictCases(work.Root() / "lib", false);
    const ToolRun run = CheckLib(work.Root());
    ReleaseHeldFiles();
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("", run.err);
    EXPECT_EQ(CheckOutput(cases, ListingOrder(work.Root() / "lib")), AnsiToUtf8(run.out));
}

#if !defined(_WIN32)
TEST(VerdictTexts, ReasonsOfFoldersThatCannotBeSearched)
{
    WorkFolder work;
    const std::vector<VerdictCase> cases = MakeVerdictCases(work.Root() / "lib", true);
    ToolRun run;
    const bool ran = RunToolBoundByPermissions({"check", "--listing-order", "ascending", "lib"}, work.Root(), run);
    RestorePermissions(work.Root() / "lib");
    if (!ran)
        GTEST_SKIP() << "permissions cannot be made to apply to the tool";
    EXPECT_EQ(1, run.status) << run.err;
    EXPECT_EQ(CheckOutput(cases, ListingOrder(work.Root() / "lib")), run.out);
}
#endif

TEST(VerdictTexts, TheTemplateFoundFirstClosesTheDialog)
{
    WorkFolder work;
    for (const VerdictCase& entry : VerdictCasesHere())
        if (entry.name == "00-ok-2007" || entry.name == "30-nodesign")
            entry.make(work.Root() / "lib" / (entry.name == "30-nodesign" ? "a" : "b"));
    ToolRun run = CheckLib(work.Root());
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
