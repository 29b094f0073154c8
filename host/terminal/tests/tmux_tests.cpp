// The terminal display, driven through tmux as a user would: keys go in with
// send-keys, the screen comes back with capture-pane. What a user meets
// first (signals, keys and the key line, small terminals and long texts) is
// tried at 80 x 24, 60 x 20 and 40 x 12.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <testsupport/TmuxSession.h>

#include "LibraryFixture.h"
#include "Process.h"

namespace ilt::test {
namespace {

namespace fs = std::filesystem;

using testsupport::ShellQuoted;
using testsupport::TmuxSession;
using Size = testsupport::TerminalSize;

constexpr auto kPatience = TmuxSession::kPatience;

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

// The screen's text with every run of blanks and line breaks made one blank,
// for texts that wrap.
std::string Flowed(const std::string& screen)
{
    std::string flowed;
    for (const char c : screen) {
        const bool blank = c == ' ' || c == '\n';
        if (!blank)
            flowed += c;
        else if (!flowed.empty() && flowed.back() != ' ')
            flowed += ' ';
    }
    return flowed;
}

std::vector<std::string> Lines(const std::string& screen)
{
    std::vector<std::string> lines;
    std::istringstream in(screen);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The entries of a key line: "Tab: next  Esc: cancel" => {"Tab: next", "Esc: cancel"}.
std::vector<std::string> KeyEntries(std::string line)
{
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    std::vector<std::string> entries;
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t gap = line.find("  ", at);
        entries.push_back(line.substr(at, gap == std::string::npos ? std::string::npos : gap - at));
        at = gap == std::string::npos ? line.size() : line.find_first_not_of(' ', gap);
    }
    return entries;
}

class TerminalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!TmuxSession::Available())
            GTEST_SKIP() << "tmux is not installed";
    }

    struct Run {
        std::string central = "D:\\lib";
        Size size;
        std::string listingOrder = "ascending";
        std::vector<std::string> arguments;  // more options for the host
        std::string environment;             // "TERM=dumb"
        std::string before;                  // shell commands run before the host
    };

    // Starts the host in tmux, in a UTF-8 locale; its output, exit status and
    // process id land in files. The shell says something before the host
    // takes the terminal and after it has given it back, and then waits.
    void StartHost(const Run& run)
    {
        const fs::path root = m_library.Root();
        fs::remove(root / "status.txt");
        fs::remove(root / "host.pid");
        std::string command = "env LC_ALL=C.UTF-8 " + run.environment + " sh -c 'echo $$ >\"$0\"; exec \"$@\"' " +
                              ShellQuoted((root / "host.pid").string()) + " " + ShellQuoted(ILT_HOST_PROGRAM) +
                              " --drive " + ShellQuoted("D=" + root.string()) + " --listing-order " + run.listingOrder;
        for (const std::string& argument : run.arguments)
            command += " " + ShellQuoted(argument);
        command += " " + ShellQuoted(run.central) + " >" + ShellQuoted((root / "out.txt").string()) + " 2>" +
                   ShellQuoted((root / "err.txt").string());
        WriteFile(root / "run.sh", "#!/bin/sh\n" + run.before + "\necho 'the shell before the dialog'\n" + command +
                                       "\necho $? >" + ShellQuoted((root / "status.tmp").string()) + "\nmv " +
                                       ShellQuoted((root / "status.tmp").string()) + " " +
                                       ShellQuoted((root / "status.txt").string()) +
                                       "\necho 'the shell after the dialog'\nexec sleep 600\n");
        m_tmux.Stop();
        ASSERT_TRUE(m_tmux.Start("sh " + ShellQuoted((root / "run.sh").string()), run.size));
    }
    void StartHost(const std::string& central, const std::string& environment = std::string())
    {
        Run run;
        run.central = central;
        run.environment = environment;
        StartHost(run);
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

    // The host's process id, once it has started.
    pid_t HostProcess()
    {
        const fs::path file = m_library.Root() / "host.pid";
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (ReadFile(file).empty() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::string text = ReadFile(file);
        return text.empty() ? 0 : static_cast<pid_t>(std::stol(text));
    }

    // Waits until the screen shows every one of `texts`; the last screen in *screen.
    bool ScreenShows(const std::vector<std::string>& texts, std::string* screen)
    {
        return m_tmux.WaitForScreen([&texts](const std::string& s) { return Contains(s, texts); }, screen);
    }

    // Waits until the key line (the bottom row) holds every one of `entries`;
    // the key line in *line.
    bool KeyLineOffers(const std::vector<std::string>& entries, int rows, std::string* line)
    {
        std::string screen;
        const bool offered = m_tmux.WaitForScreen(
            [&](const std::string& s) {
                const std::vector<std::string> lines = Lines(s);
                *line = static_cast<int>(lines.size()) >= rows ? lines[static_cast<std::size_t>(rows - 1)] : "";
                return Contains(*line, entries);
            },
            &screen);
        return offered;
    }

    // Whether the terminal is as the shell left it: the normal screen, the
    // keypad and cursor keys in their normal modes, and the shell's earlier
    // output in sight.
    ::testing::AssertionResult TerminalGivenBack()
    {
        std::string screen;
        if (!ScreenShows({"the shell before the dialog", "the shell after the dialog"}, &screen))
            return ::testing::AssertionFailure() << "the shell's own lines are hidden:\n" << screen;
        const std::string modes = m_tmux.Format("#{alternate_on}#{keypad_flag}#{keypad_cursor_flag}#{cursor_flag}");
        if (modes != "0001")
            return ::testing::AssertionFailure()
                   << "alternate screen, keypad, cursor keys, cursor shown: " << modes << " (expected 0001)";
        return ::testing::AssertionSuccess();
    }

    std::string Output() const { return ReadFile(m_library.Root() / "out.txt"); }
    std::string Errors() const { return ReadFile(m_library.Root() / "err.txt"); }
    fs::path Layout() const { return m_library.Root() / "lib" / "Templates" / "Layout"; }
    void MakeTypicalLibrary() const
    {
        LibraryFixture::Make4L(Layout() / "4L");
        LibraryFixture::Make6L(Layout() / "6L");
    }

    LibraryFixture m_library;
    TmuxSession m_tmux{m_library.Root()};
};

TEST_F(TerminalTest, PickTheOtherTemplateWithTheKeysAndConfirm)
{
    MakeTypicalLibrary();
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
    EXPECT_TRUE(TerminalGivenBack());
}

TEST_F(TerminalTest, EscapeCancels)
{
    MakeTypicalLibrary();
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

// Typing a folder's first letters highlights it, as in the Windows tree view,
// and the highlighted folder's full path is shown: four levels down takes a
// few keys a level.
TEST_F(TerminalTest, TheBrowserFindsAFolderByItsFirstLettersAndShowsItsPath)
{
    const fs::path deep = m_library.Root() / "lib" / "projects" / "boards" / "rev-b" / "templates";
    for (const char* other : {"archive", "boxes", "pictures", "plans"})
        fs::create_directories(m_library.Root() / "lib" / other);
    fs::create_directories(m_library.Root() / "lib" / "projects" / "backup");
    fs::create_directories(m_library.Root() / "lib" / "projects" / "boards" / "rev-a");
    LibraryFixture::Make6L(deep / "6L");
    StartHost("D:\\lib");
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Would you like to select one?"}, &screen)) << screen;
    m_tmux.Keys({"Enter"});
    ASSERT_TRUE(ScreenShows({"Browse For Folder", "pictures", "Folder: D:\\lib "}, &screen)) << screen;

    // "pr" goes past pictures and plans to projects; "bo" past backup.
    m_tmux.Keys({"p", "r"});
    ASSERT_TRUE(ScreenShows({"Folder: D:\\lib\\projects "}, &screen)) << screen;
    m_tmux.Keys({"Right", "Right"});
    ASSERT_TRUE(ScreenShows({"Folder: D:\\lib\\projects\\backup "}, &screen)) << screen;
    m_tmux.Keys({"b", "o"});
    ASSERT_TRUE(ScreenShows({"Folder: D:\\lib\\projects\\boards "}, &screen)) << screen;
    // The same letter again and again steps through the names it begins.
    m_tmux.Keys({"Right", "r", "r"});
    ASSERT_TRUE(ScreenShows({"Folder: D:\\lib\\projects\\boards\\rev-b "}, &screen)) << screen;
    m_tmux.Keys({"Right", "Right"});
    ASSERT_TRUE(m_tmux.WaitForScreen(
        [](const std::string& s) {
            return Contains(s, {"Folder: D:\\lib\\projects\\boards\\rev-b\\templates "}) && OkDrawnWith(s, 1);
        },
        &screen, true))
        << screen;

    m_tmux.Keys({"Enter"});
    ASSERT_TRUE(ScreenShows({"Import Layout Template", "6L", "SIGNAL_1"}, &screen)) << screen;
    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 0) << Errors();
    EXPECT_EQ(Output(), (deep / "6L").string() + "\n");
}

TEST_F(TerminalTest, ATerminalTooSmallForTheDialogSaysSoUntilItGrows)
{
    MakeTypicalLibrary();
    Run run;
    run.size = Size{30, 8};
    StartHost(run);
    std::string screen;
    ASSERT_TRUE(m_tmux.WaitForScreen(
        [](const std::string& s) {
            return Contains(Flowed(s), {"too small to show the dialog", "at least 40 columns wide and 11 rows high"});
        },
        &screen))
        << screen;
    EXPECT_EQ(screen.find("[ OK ]"), std::string::npos) << screen;

    // Nothing is done unseen: Enter does not click OK.
    m_tmux.Keys({"Enter"});
    m_tmux.Resize(Size{80, 24});
    ASSERT_TRUE(ScreenShows({"Central library", "Select layout template", "TOP", "[ OK ]", "[ Cancel ]"}, &screen))
        << screen;
    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 0) << Errors();
    EXPECT_EQ(Output(), (Layout() / "4L").string() + "\n");
}

class TerminalSizeTest : public TerminalTest, public ::testing::WithParamInterface<Size> {
protected:
    Run At(const std::string& central = "D:\\lib")
    {
        Run run;
        run.central = central;
        run.size = GetParam();
        return run;
    }
};

INSTANTIATE_TEST_SUITE_P(Sizes, TerminalSizeTest, ::testing::Values(Size{80, 24}, Size{60, 20}, Size{40, 12}),
                         [](const ::testing::TestParamInfo<Size>& size) {
                             return std::to_string(size.param.columns) + "x" + std::to_string(size.param.rows);
                         });

// Every way out gives the terminal back: the signals that end the program end
// it as they would any other, after the terminal is as it was.
TEST_P(TerminalSizeTest, EverySignalThatEndsTheProgramGivesTheTerminalBack)
{
    MakeTypicalLibrary();
    for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM}) {
        SCOPED_TRACE(strsignal(signal));
        StartHost(At());
        std::string screen;
        ASSERT_TRUE(ScreenShows({"Import Layout Template"}, &screen)) << screen;
        const pid_t host = HostProcess();
        ASSERT_GT(host, 0);
        ASSERT_EQ(::kill(host, signal), 0);
        EXPECT_EQ(WaitForExit(), 128 + signal) << Errors();
        EXPECT_TRUE(TerminalGivenBack());
        EXPECT_EQ(Output(), "");
    }
}

// A transcript whose reader has gone is a failed write (status 5), not a
// death by SIGPIPE in the middle of the dialog.
TEST_P(TerminalSizeTest, ATranscriptWhoseReaderWentAwayEndsWithStatusFive)
{
    MakeTypicalLibrary();
    const fs::path fifo = m_library.Root() / "transcript.fifo";
    const fs::path gone = m_library.Root() / "reader-gone";
    Run run = At();
    run.before = "mkfifo " + ShellQuoted(fifo.string()) + "\n(head -c1 " + ShellQuoted(fifo.string()) +
                 " >/dev/null; touch " + ShellQuoted(gone.string()) + ") &";
    run.arguments = {"--transcript", fifo.string()};
    StartHost(run);
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Import Layout Template", "TOP"}, &screen)) << screen;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!fs::exists(gone) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(fs::exists(gone));

    // The next state goes nowhere; the user still ends the dialog.
    m_tmux.Keys({"BTab", "Down"});
    ASSERT_TRUE(ScreenShows({"6L", "SIGNAL_1"}, &screen)) << screen;
    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 5) << Errors();
    EXPECT_EQ(Output(), "") << "no path after a lost transcript line";
    EXPECT_NE(Errors().find("cannot write the transcript '" + fifo.string() + "': Broken pipe"), std::string::npos)
        << Errors();
    EXPECT_TRUE(TerminalGivenBack());
}

// The README's walk-through, on a library whose first template found is the
// last one sorted: Home takes the first template, Down the next.
TEST_P(TerminalSizeTest, TheWalkThroughHoldsWhateverTheListingOrder)
{
    LibraryFixture::Make4L(Layout() / "4L");
    LibraryFixture::Make6L(Layout() / "6L");
    LibraryFixture::MakeOneLayer(Layout() / "8L", "EIGHT_TOP", "Signal");
    Run run = At();
    run.listingOrder = "descending";
    StartHost(run);
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Import Layout Template", "8L", "EIGHT_TOP"}, &screen)) << screen;

    m_tmux.Keys({"BTab", "Home"});
    ASSERT_TRUE(ScreenShows({"4L", "TOP", "2007"}, &screen)) << screen;
    EXPECT_EQ(screen.find("EIGHT_TOP"), std::string::npos) << screen;
    m_tmux.Keys({"End"});
    ASSERT_TRUE(ScreenShows({"8L", "EIGHT_TOP"}, &screen)) << screen;
    m_tmux.Keys({"Home", "Down"});
    ASSERT_TRUE(ScreenShows({"6L", "2005", "SIGNAL_1"}, &screen)) << screen;

    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 0) << Errors();
    EXPECT_EQ(Output(), (Layout() / "6L").string() + "\n");
}

// The key line offers the keys of the focused control, whole entries only,
// and keeps Escape and Enter the longest.
TEST_P(TerminalSizeTest, TheKeyLineOffersTheKeysThatWorkOnTheFocusedControl)
{
    MakeTypicalLibrary();
    StartHost(At());
    const int rows = GetParam().rows;
    const std::vector<std::string> known = {
        "Tab: next",       "Shift-Tab: back", "Left/Right: button", "Enter: OK",   "Esc: cancel",
        "Up/Down: choose", "F4: list",        "PgUp/PgDn: scroll",  "Enter: pick", "Esc: close the list"};
    const auto allKnown = [&](const std::string& line) {
        for (const std::string& entry : KeyEntries(line)) {
            if (std::find(known.begin(), known.end(), entry) == known.end())
                return ::testing::AssertionFailure() << "'" << entry << "' in '" << line << "'";
        }
        return ::testing::AssertionSuccess();
    };
    std::string line;

    // OK has the focus: F4 does nothing there.
    ASSERT_TRUE(KeyLineOffers({"Enter: OK", "Esc: cancel"}, rows, &line)) << line;
    EXPECT_EQ(line.find("F4"), std::string::npos) << line;
    EXPECT_EQ(line.find("Up/Down"), std::string::npos) << line;
    EXPECT_TRUE(allKnown(line));
    if (GetParam().columns >= 60) {
        EXPECT_NE(line.find("Shift-Tab: back"), std::string::npos) << line;
    }

    // The drop-down has it: its arrows.
    m_tmux.Keys({"BTab"});
    ASSERT_TRUE(KeyLineOffers({"Up/Down: choose", "Enter: OK", "Esc: cancel"}, rows, &line)) << line;
    EXPECT_TRUE(allKnown(line));
    if (GetParam().columns >= 80) {
        EXPECT_NE(line.find("F4: list"), std::string::npos) << line;
    }

    // Its list is dropped.
    m_tmux.Keys({"F4"});
    ASSERT_TRUE(KeyLineOffers({"Enter: pick", "Esc: close the list"}, rows, &line)) << line;
    EXPECT_TRUE(allKnown(line));
    m_tmux.Keys({"Escape"});
    ASSERT_TRUE(KeyLineOffers({"Up/Down: choose"}, rows, &line)) << line;

    m_tmux.Keys({"Escape"});
    EXPECT_EQ(WaitForExit(), 1) << Errors();
}

// Every control keeps its place, a button its brackets; a text too long for
// its place ends in an ellipsis: a 255-byte template name, a usage of a
// megabyte.
TEST_P(TerminalSizeTest, EveryControlIsShownAndACutTextSaysSo)
{
    const std::string longName = "A" + std::string(254, 'n');
    const std::string longUsage = "Usage" + std::string(1 << 20, 'u');
    LibraryFixture::Make4L(Layout() / "4L");
    LibraryFixture::MakeOneLayer(Layout() / longName, "LONG_LAYER", longUsage);
    Run run = At();
    run.listingOrder = "descending";  // the long one is found first
    StartHost(run);
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Import Layout Template", "LONG_LAYER", "[ OK ]"}, &screen)) << screen;
    ASSERT_TRUE(m_tmux.WaitForScreen(
        [](const std::string& s) {
            return std::regex_search(s, std::regex("Cen[a-z ]*(:|\xe2\x80\xa6)")) &&
                   std::regex_search(s, std::regex("Sel[a-z ]*(:|\xe2\x80\xa6)")) &&
                   std::regex_search(s, std::regex("Con[a-z ]*(:|\xe2\x80\xa6)")) &&
                   std::regex_search(s, std::regex("Lay[a-z ]*(:|\xe2\x80\xa6)")) &&
                   (Contains(s, {"[ Cancel ]"}) || Contains(s, {"[Cancel]"}));
        },
        &screen))
        << screen;
    EXPECT_TRUE(std::regex_search(screen, std::regex("Annnn+\xe2\x80\xa6"))) << screen;
    EXPECT_TRUE(std::regex_search(screen, std::regex("Usageu+\xe2\x80\xa6"))) << screen;

    m_tmux.Keys({"Escape"});
    EXPECT_EQ(WaitForExit(), 1) << Errors();
}

// A message with a 3,000-character path keeps its end: the path loses its
// middle to an ellipsis.
TEST_P(TerminalSizeTest, AMessageKeepsItsEndWhateverThePathsLength)
{
    StartHost(At("D:\\" + std::string(3000, 'p')));
    std::string screen;
    ASSERT_TRUE(ScreenShows({"Central library", "doesn't exist.", "\xe2\x80\xa6", "[ OK ]"}, &screen)) << screen;

    m_tmux.Keys({"Enter"});
    EXPECT_EQ(WaitForExit(), 1) << Errors();
}

}  // namespace
}  // namespace ilt::test
