// Results that cannot be written to standard output fail the run with status
// 3 and the reason, whatever the command.

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

#if defined(_WIN32)
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

#if !defined(_WIN32)
// A full disk, as /dev/full gives it.
TEST(Output, ResultsThatCannotBeWrittenFailTheRun)
{
    WorkFolder work;
    ASSERT_EQ(0, RunTool({"create", "2005", "lib/6L", "--layer", "signal 1"}, work.Root()).status);
    const std::vector<std::vector<std::string>> commands = {
        {"check", "lib"}, {"show", "lib/6L"}, {"create", "2005", "lib/8L", "--layer", "plane 1"},
        {"--help"},       {"help", "show"},   {"check", "--help"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0] + " " + command[1 % command.size()]);
        const ToolRun run = RunToolWithOutputTo(command, work.Root(), "/dev/full");
        EXPECT_EQ(3, run.status);
        EXPECT_EQ("layout-template-tool: cannot write the results to standard output: No space left on device\n",
                  run.err);
    }
    // The template itself was written.
    EXPECT_EQ(0, RunTool({"show", "lib/8L"}, work.Root()).status);
}
#endif

TEST(Output, AReaderThatWentAwayEndsTheRunWithStatusThree)
{
    // `show DIR | head -c1`: the tool once died of SIGPIPE (shell status 141).
    WorkFolder work;
    ASSERT_EQ(0, RunTool({"create", "2005", "lib/6L", "--layer", "signal 1"}, work.Root()).status);
    const std::vector<std::vector<std::string>> commands = {
        {"show", "lib/6L"}, {"check", "lib"}, {"create", "2005", "lib/8L", "--layer", "plane 1"}, {"help", "check"}};
    for (const auto& command : commands) {
        SCOPED_TRACE(command[0]);
        const ToolRun run = RunToolIntoClosedPipe(command, work.Root());
        EXPECT_EQ(0, run.signal);
        EXPECT_EQ(3, run.status);
        // Wine's C run-time reports the broken pipe as EINVAL (Windows: EPIPE).
        EXPECT_TRUE(run.err == "layout-template-tool: cannot write the results to standard output: Broken pipe\n" ||
                    (kWindows && run.err ==
                                     "layout-template-tool: cannot write the results to standard output: Invalid "
                                     "argument\n"))
            << run.err;
    }
    EXPECT_EQ(0, RunTool({"show", "lib/8L"}, work.Root()).status);
}

}  // namespace
}  // namespace layouttool::testing
