// The tool run on a terminal (a tmux pane): hostile folder names leave the
// terminal's title and screen as they were. Skipped where tmux is missing.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <testsupport/TmuxSession.h>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

using testsupport::ShellQuoted;
using testsupport::TmuxSession;

TEST(Terminal, HostileFolderNamesLeaveTitleAndScreenAlone)
{
    if (!TmuxSession::Available())
        GTEST_SKIP() << "tmux is not installed";
    WorkFolder work;
    const std::string hostile = "x\x1b[2J\x1b]2;PWNED\x07";
    ASSERT_EQ(0, RunTool({"create", "2005", "lib/" + hostile, "--layer", "signal 1"}, work.Root()).status);
    fs::create_directories(work.Root() / ("lib/skip" + hostile));

    const fs::path done = work.Root() / "done";
    const std::string tool = ShellQuoted(LAYOUT_TEMPLATE_TOOL);
    const std::string script = "cd " + ShellQuoted(work.Root().string()) + " && echo BEFORE && " + tool +
                               " check lib; " + tool + " show lib/x*; " + tool + " show lib/skip*; touch " +
                               ShellQuoted(done.string()) + "; sleep 60";
    TmuxSession pane(work.Root());
    ASSERT_TRUE(pane.Start(script));

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(done) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(fs::exists(done));

    // Once tmux has read all the tool wrote: the screen has settled.
    std::string screen;
    ASSERT_TRUE(pane.WaitForScreen([](const std::string&) { return true; }, &screen)) << screen;
    EXPECT_EQ(0u, screen.find("BEFORE\n")) << "the screen was cleared:\n" << screen;
    EXPECT_NE(std::string::npos, screen.find("OK   x?[2J?]2;PWNED? (2005)")) << screen;
    EXPECT_NE(std::string::npos, screen.find("1 of 2 sub-folders are listed by the dialog")) << screen;
    EXPECT_NE(std::string::npos, screen.find("SIGNAL_1")) << screen;
    const std::string title = pane.Format("#{pane_title}");
    EXPECT_EQ(std::string::npos, title.find("PWNED")) << "the title was set: " << title;
}

}  // namespace
}  // namespace layouttool::testing
