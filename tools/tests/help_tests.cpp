// Help on every command, and the top-level dispatch.

#include <gtest/gtest.h>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

TEST(Help, EveryCommandHasHelp)
{
    WorkFolder work;
    for (const std::string command : {"create", "show", "check"}) {
        SCOPED_TRACE(command);
        const std::string usage = "Usage: layout-template-tool " + command;
        for (const std::vector<std::string>& arguments : {std::vector<std::string>{command, "--help"},
                                                          {command, "-h"},
                                                          {"help", command},
                                                          {command, "2007", "X", "--help"}}) {
            const ToolRun run = RunTool(arguments, work.Root());
            EXPECT_EQ(0, run.status);
            EXPECT_EQ(0u, run.out.find(usage)) << run.out;
            EXPECT_EQ("", run.err);
        }
    }
    EXPECT_TRUE(std::filesystem::is_empty(work.Root()));
}

TEST(Help, ToolHelpAndUnknownCommands)
{
    WorkFolder work;
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{"--help"}, {"-h"}, {"help"}}) {
        const ToolRun run = RunTool(arguments, work.Root());
        EXPECT_EQ(0, run.status);
        EXPECT_EQ(0u, run.out.find("Usage: layout-template-tool COMMAND"));
    }

    ToolRun run = RunTool({}, work.Root());
    EXPECT_EQ(2, run.status);
    EXPECT_EQ(0u, run.err.find("Usage: layout-template-tool COMMAND"));

    run = RunTool({"delete", "X"}, work.Root());
    EXPECT_EQ(2, run.status);
    EXPECT_EQ("layout-template-tool: unknown command 'delete'\nTry 'layout-template-tool --help'.\n", run.err);
    EXPECT_EQ(2, RunTool({"help", "delete"}, work.Root()).status);
}

TEST(Help, VersionAndTheEndOfOptions)
{
    WorkFolder work;
    ToolRun run = RunTool({"--version"}, work.Root());
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(0u, run.out.find("layout-template-tool ")) << run.out;
    EXPECT_TRUE(!run.out.empty() && run.out.back() == '\n') << run.out;

    // After "--" a word that starts with '-' is a folder.
    run = RunTool({"create", "2005", "--layer", "signal 1", "--", "-T"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("-T: 2005 template with 1 layer, 1 listed by the dialog\n", run.out);
    run = RunTool({"show", "--", "-T"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("format: 2005\n1\tSIGNAL_1\tSignal\n", run.out);
    std::filesystem::create_directory(work.Root() / "-lib");
    std::filesystem::rename(work.Root() / "-T", work.Root() / "-lib/-T");
    run = RunTool({"check", "--", "-lib"}, work.Root());
    EXPECT_EQ(0, run.status) << run.err;
    EXPECT_EQ("OK   -T (2005)\n1 of 1 sub-folder is listed by the dialog\n", run.out);
    // "--" itself is no folder.
    EXPECT_EQ(2, RunTool({"show", "--"}, work.Root()).status);
}

}  // namespace
}  // namespace layouttool::testing
