// The terminal display, driven through tmux as a user would: keys go in with
// send-keys, the screen comes back with capture-pane.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "LibraryFixture.h"
#include "Process.h"

namespace ilt::test {
namespace {

namespace fs = std::filesystem;

constexpr auto kPatience = std::chrono::seconds(30);

// A tmux server of its own, with one 80 x 24 session running a command.
class TmuxSession {
public:
    explicit TmuxSession(fs::path folder) : m_folder(std::move(folder)), m_socket((m_folder / "tmux.sock").string()) {}
    ~TmuxSession() { Tmux({"kill-server"}); }

    static bool Available(const fs::path& folder)
    {
        return RunQuietly({"tmux", "-V"}, folder / "tmux-version.txt") == 0;
    }

    bool Start(const std::string& command)
    {
        ::unsetenv("TMUX");
        return Tmux({"new-session", "-d", "-s", "ilt", "-x", "80", "-y", "24", command}) == 0;
    }

    // The pane's text; with `attributes`, with the escape sequences of its
    // attributes too (bold is "\x1b[1m", dim "\x1b[2m").
    std::string Screen(bool attributes = false)
    {
        const fs::path capture = m_folder / "screen.txt";
        if (attributes)
            Tmux({"capture-pane", "-p", "-e", "-t", "ilt"}, capture);
        else
            Tmux({"capture-pane", "-p", "-t", "ilt"}, capture);
        return ReadFile(capture);
    }

    void Keys(const std::vector<std::string>& keys)
    {
        std::vector<std::string> arguments = {"send-keys", "-t", "ilt"};
        arguments.insert(arguments.end(), keys.begin(), keys.end());
        Tmux(arguments);
    }

    // Waits until the screen satisfies `ready`; the last screen in *shown.
    bool WaitForScreen(const std::function<bool(const std::string&)>& ready, std::string* shown,
                       bool attributes = false)
    {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        do {
            *shown = Screen(attributes);
            if (ready(*shown))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < deadline);
        return false;
    }

private:
    int Tmux(const std::vector<std::string>& arguments, const fs::path& output = {})
    {
        std::vector<std::string> argv = {"tmux", "-f", "/dev/null", "-S", m_socket};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return RunQuietly(argv, output.empty() ? m_folder / "tmux.log" : output);
    }

    fs::path m_folder;
    std::string m_socket;
};

// Whether the browser's OK button is drawn with the attribute `code` (1 bold:
// enabled, 2 dim: greyed), however tmux combines the escape sequence.
bool OkDrawnWith(const std::string& screen, int code)
{
    return std::regex_search(screen, std::regex("\x1b\\[([0-9]*;)*" + std::to_string(code) + "m\\[ OK \\]"));
}

bool Contains(const std::string& screen, const std::vector<std::string>& texts)
{
    for (const std::string& text : texts) {
        if (screen.find(text) == std::string::npos)
            return false;
    }
    return true;
}

class TerminalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TmuxSession::Available(m_library.Root()))
            GTEST_SKIP() << "tmux is not installed";
    }

    // Starts the host on `central` in tmux, with the environment variables
    // `environment` ("TERM=dumb"); its output and exit status land in files.
    void StartHost(const std::string& central, const std::string& environment = std::string())
    {
        const fs::path root = m_library.Root();
        WriteFile(root / "run.sh", "#!/bin/sh\n" + (environment.empty() ? std::string() : "env " + environment + " ") +
                                       "\"" + ILT_HOST_PROGRAM + "\" --drive 'D=" + root.string() +
                                       "' --listing-order ascending '" + central + "' >'" +
                                       (root / "out.txt").string() + "' 2>'" + (root / "err.txt").string() +
                                       "'\necho $? >'" + (root / "status.tmp").string() + "'\nmv '" +
                                       (root / "status.tmp").string() + "' '" + (root / "status.txt").string() + "'\n");
        ASSERT_TRUE(m_tmux.Start("sh '" + (root / "run.sh").string() + "'"));
    }

    // The host's exit status once it has ended, or -1.
    int WaitForExit()
    {
        const fs::path status = m_library.Root() / "status.txt";
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (!fs::exists(status) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return fs::exists(status) ? std::stoi(ReadFile(status)) : -1;
    }

    // Waits until the screen shows every one of `texts`; the last screen in *screen.
    bool ScreenShows(const std::vector<std::string>& texts, std::string* screen)
    {
        return m_tmux.WaitForScreen([&texts](const std::string& s) { return Contains(s, texts); }, screen);
    }

    std::string Output() const { return ReadFile(m_library.Root() / "out.txt"); }
    std::string Errors() const { return ReadFile(m_library.Root() / "err.txt"); }
    fs::path Layout() const { return m_library.Root() / "lib" / "Templates" / "Layout"; }

    LibraryFixture m_library;
    TmuxSession m_tmux{m_library.Root()};
};

TEST_F(TerminalTest, PickTheOtherTemplateWithTheKeysAndConfirm)
{
    LibraryFixture::Make4L(Layout() / "4L");
    LibraryFixture::Make6L(Layout() / "6L");
    StartHost("D:\\lib");
    std::string screen;

    ASSERT_TRUE(ScreenShows({"Import Layout Template", "4L", "2007", "TOP", "BOTTOM"}, &screen)) << screen;
    EXPECT_EQ(screen.find("6L"), std::string::npos) << "only the selection shows while the list is closed\n" << screen;

    // The dialog manager gave the focus to the first tab stop, OK; Shift-Tab
    // goes round to the drop-down, the last one, and F4 drops its list.
    m_tmux.Keys({"BTab", "F4"});
    ASSERT_TRUE(ScreenShows({"4L", "6L", "Enter: pick"}, &screen)) << screen;

    // Down moves the list's highlight; Enter closes the list, Enter again is OK.
    m_tmux.Keys({"Down"});
    m_tmux.Keys({"Enter"});
    ASSERT_TRUE(ScreenShows({"2005", "SIGNAL_1", "PLANE_2", "SIGNAL_6"}, &screen)) << screen;
    EXPECT_EQ(screen.find("TOP"), std::string::npos) << screen;

    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 0) << Errors();
    EXPECT_EQ(Output(), (Layout() / "6L").string() + "\n");
}

// As on Windows, Down on the closed drop-down takes the next entry at once.
TEST_F(TerminalTest, DownOnTheClosedDropDownTakesTheNextTemplate)
{
    LibraryFixture::Make4L(Layout() / "4L");
    LibraryFixture::Make6L(Layout() / "6L");
    StartHost("D:\\lib");
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Import Layout Template", "4L", "TOP"}, &screen)) << screen;

    m_tmux.Keys({"BTab", "Down"});
    ASSERT_TRUE(ScreenShows({"6L", "2005", "SIGNAL_1"}, &screen)) << screen;
    EXPECT_EQ(screen.find("TOP"), std::string::npos) << screen;

    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 0) << Errors();
    EXPECT_EQ(Output(), (Layout() / "6L").string() + "\n");
}

TEST_F(TerminalTest, EscapeCancels)
{
    LibraryFixture::Make4L(Layout() / "4L");
    LibraryFixture::Make6L(Layout() / "6L");
    StartHost("D:\\lib");
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Import Layout Template", "TOP"}, &screen)) << screen;

    m_tmux.Keys({"Escape"});
    EXPECT_EQ(WaitForExit(), 1) << Errors();
    EXPECT_EQ(Output(), "");
}

TEST_F(TerminalTest, ATerminalThatCannotPlaceTheCursorIsRefused)
{
    LibraryFixture::Make4L(Layout() / "4L");
    StartHost("D:\\lib", "TERM=dumb");
    EXPECT_EQ(WaitForExit(), 2) << Errors();
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(Errors().rfind("import-layout-template: the terminal cannot show the dialog (TERM=dumb): ", 0), 0u)
        << Errors();
}

TEST_F(TerminalTest, MessageBoxShowsItsTextAndTakesEnter)
{
    StartHost("D:\\nothere");
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Central library \"D:\\nothere\" doesn't exist.", "[ OK ]"}, &screen)) << screen;

    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 1) << Errors();
    EXPECT_EQ(Output(), "");
}

TEST_F(TerminalTest, FolderBrowserGreysOkUntilAFolderWithTemplatesIsHighlighted)
{
    fs::create_directories(m_library.Root() / "lib" / "empty");
    LibraryFixture::Make6L(m_library.Root() / "lib" / "elsewhere" / "6L");
    StartHost("D:\\lib");
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Would you like to select one?", "[ Yes ]", "[ No ]"}, &screen)) << screen;

    m_tmux.Keys({"Enter"});
    ASSERT_TRUE(m_tmux.WaitForScreen(
        [](const std::string& s) {
            return Contains(
                       s, {"Browse For Folder", "Select layout templates folder.", "D:\\lib", "elsewhere", "empty"}) &&
                   OkDrawnWith(s, 2);
        },
        &screen, true))
        << screen;

    m_tmux.Keys({"Down"});  // elsewhere, sorted before empty
    ASSERT_TRUE(m_tmux.WaitForScreen([](const std::string& s) { return OkDrawnWith(s, 1); }, &screen, true)) << screen;

    m_tmux.Keys({"Enter"});
    ASSERT_TRUE(ScreenShows({"Import Layout Template", "6L", "2005", "SIGNAL_1"}, &screen)) << screen;
    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 0) << Errors();
    EXPECT_EQ(Output(), (m_library.Root() / "lib" / "elsewhere" / "6L").string() + "\n");
}

}  // namespace
}  // namespace ilt::test
