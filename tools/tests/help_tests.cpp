// Help on every command, and the top-level dispatch.

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

TEST(Help, EveryCommandHasHelp)
{
    TemporaryFolder work;
    for (const std::string command : {"create", "show", "check"}) {
        SCOPED_TRACE(command);
        const std::string usage = "Usage: layout-template-tool " + command;
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{command, "--help"}, {command, "-h"}, {"help", command},
              {command, "2007", "X", "--help"}}) {
            const ToolRun run = RunTool(arguments, work.Path());
            EXPECT_EQ(0, run.status);
            EXPECT_EQ(0u, run.out.find(usage)) << run.out;
            EXPECT_EQ("", run.err);
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(work.Path()));
}

TEST(Help, ToolHelpAndUnknownCommands)
{
    TemporaryFolder work;
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"-h"}, {"help"}}) {
        const ToolRun run = RunTool(arguments, work.Path());
        EXPECT_EQ(0, run.status);
        EXPECT_EQ(0u, run.out.find("Usage: layout-template-tool COMMAND"));
    }

    ToolRun run = RunTool({}, work.Path());
    EXPECT_EQ(2, run.status);
    EXPECT_EQ(0u, run.err.find("Usage: layout-template-tool COMMAND"));

    run = RunTool({"delete", "X"}, work.Path());
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("layout-template-tool: unknown command 'delete'\nTry 'layout-template-tool --help'.\n", run.err);
    EXPECT_EQ(2, RunTool({"help", "delete"}, work.Path()).status);
}

}  // namespace
}  // namespace layouttool::testing
