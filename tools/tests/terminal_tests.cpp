// The tool run on a terminal (a tmux pane): hostile folder names leave the
// terminal's title and screen as they were. Skipped where tmux is missing.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "ToolRunner.h"

namespace layouttool::testing {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A tmux server of its own with one 80 x 24 session.
class TmuxPane {
public:
    explicit TmuxPane(const fs::path& folder) : m_folder(folder), m_socket((folder / "tmux.sock").string()) {}
    ~TmuxPane() { Tmux("kill-server"); }

    static bool Available() { return std::system("tmux -V >/dev/null 2>&1") == 0; }

    bool Start(const std::string& command)
    {
        ::unsetenv("TMUX");
        return Tmux("new-session -d -s tool -x 80 -y 24 " + Quoted(command)) == 0;
    }

    std::string Query(const std::string& command)
    {
        const fs::path output = m_folder / "tmux-output.txt";
        Tmux(command + " >" + Quoted(output.string()));
        return ReadTextFile(output);
    }

    // The pane's text once tmux has read all the tool wrote: two captures a
    // moment apart agree.
    std::string SettledScreen()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::string screen = Query("capture-pane -p -t tool");
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            std::string next = Query("capture-pane -p -t tool");
            if (next == screen || std::chrono::steady_clock::now() > deadline)
                return next;
            screen = std::move(next);
        }
    }

private:
    int Tmux(const std::string& arguments)
    {
        const int status =
            std::system(("tmux -f /dev/null -S " + Quoted(m_socket) + " " + arguments + " 2>/dev/null").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path m_folder;
    std::string m_socket;
};

TEST(Terminal, HostileFolderNamesLeaveTitleAndScreenAlone)
{
    if (!TmuxPane::Available())
        GTEST_SKIP() << "tmux is not installed";
    WorkFolder work;
    const std::string hostile = "x\x1b[2J\x1b]2;PWNED\x07";
    ASSERT_EQ(0, RunTool({"create", "2005", "lib/" + hostile, "--layer", "signal 1"}, work.Root()).status);
    fs::create_directories(work.Root() / ("lib/skip" + hostile));

    const fs::path done = work.Root() / "done";
    const std::string tool = Quoted(LAYOUT_TEMPLATE_TOOL);
    const std::string script = "cd " + Quoted(work.Root().string()) + " && echo BEFORE && " + tool + " check lib; " +
                               tool + " show lib/x*; " + tool + " show lib/skip*; touch " + Quoted(done.string()) +
                               "; sleep 60";
    TmuxPane pane(work.Root());
    ASSERT_TRUE(pane.Start(script));

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!fs::exists(done) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(fs::exists(done));

    const std::string screen = pane.SettledScreen();
    EXPECT_EQ(0u, screen.find("BEFORE\n")) << "the screen was cleared:\n" << screen;
    EXPECT_NE(std::string::npos, screen.find("OK   x?[2J?]2;PWNED? (2005)")) << screen;
    EXPECT_NE(std::string::npos, screen.find("1 of 2 sub-folders are listed by the dialog")) << screen;
    EXPECT_NE(std::string::npos, screen.find("SIGNAL_1")) << screen;
    const std::string title = pane.Query("display-message -p -t tool '#{pane_title}'");
    EXPECT_EQ(std::string::npos, title.find("PWNED")) << "the title was set: " << title;
}

}  // namespace
}  // namespace layouttool::testing
