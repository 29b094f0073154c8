// End-to-end runs of import-layout-template with scripts: exit statuses,
// standard output and error, and the transcript.
//
// The same scenarios run against the Linux host and, under Wine, against the
// Windows host on real Win32 (HostUnderTest). Where the two differ, the case
// says why: "Win32 decides" (real Win32 behaves otherwise than our stand-in
// chose, within what Windows documents), "Wine deviation" (Wine does otherwise
// than Windows documents), or "stand-in seam" (a testing aid of the Linux host
// that Windows has no equivalent of).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "HostUnderTest.h"
#include "LibraryFixture.h"
#include "Process.h"

namespace ilt::test {
namespace {

namespace fs = std::filesystem;

const HostUnderTest& Host() { return HostUnderTest::Get(); }

// How long a run that a case drives may keep it waiting before it counts as
// hung: far longer than any run takes, so that a hang fails the case instead
// of stopping the suite.
constexpr int kPatience = 60;

std::string EventName(const std::string& line)
{
    const std::string prefix = R"({"event":")";
    if (line.compare(0, prefix.size(), prefix) != 0)
        return "?";
    return line.substr(prefix.size(), line.find('"', prefix.size()) - prefix.size());
}

std::vector<std::string> EventNames(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (const std::string& line : lines)
        names.push_back(EventName(line));
    return names;
}

// A path as a JSON string's contents (backslashes doubled).
std::string JsonEscaped(const std::string& text)
{
    std::string escaped;
    for (const char c : text)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return escaped;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class HostRunTest : public ::testing::Test {
protected:
    // Runs the host on `central` (D: is the fixture's folder) with `script`,
    // listing folders in a reproducible order.
    ProcessResult Run(const std::string& script, const std::string& central = "D:\\lib",
                      const std::vector<std::string>& extra = {})
    {
        WriteFile(m_library.Root() / "script.txt", script);
        std::vector<std::string> arguments = Host().ReproducibleListing();
        arguments.insert(arguments.end(),
                         {"--script", PathFor(m_library.Root() / "script.txt"), "--transcript", PathFor(Transcript())});
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        arguments.push_back(central);
        return RunHost(arguments, "", m_library.Root());
    }

    // Runs the host with exactly `arguments` and `input`; no drive unless given.
    ProcessResult RunHost(const std::vector<std::string>& arguments, const std::string& input,
                          const fs::path& drive = fs::path(), bool window = true) const
    {
        ProcessResult result = RunProgram(Host().Command(arguments, drive, window), input, m_library.Root());
        result.out = Host().Text(result.out);
        result.err = Host().Text(result.err);
        return result;
    }

    std::string PathFor(const fs::path& path) const { return Host().PathFor(path, m_library.Root()); }
    fs::path Transcript() const { return m_library.Root() / "transcript.jsonl"; }
    std::vector<std::string> TranscriptLines() const { return ReadLines(Transcript()); }
    fs::path Central() const { return m_library.Root() / "lib"; }
    fs::path Layout() const { return Central() / "Templates" / "Layout"; }
    void MakeTypicalLibrary() const
    {
        LibraryFixture::Make4L(Layout() / "4L");
        LibraryFixture::Make6L(Layout() / "6L");
    }

    LibraryFixture m_library;
};

TEST_F(HostRunTest, TypicalRunShowsBothTemplatesAndPrintsThePickedOne)
{
    MakeTypicalLibrary();
    const auto before = LibraryFixture::Snapshot(Central());
    const ProcessResult result = Run("# pick the 2005 template\nselect 6L\n\nok\n");

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, PathFor(Layout() / "6L") + "\n");
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = TranscriptLines();
    ASSERT_EQ(EventNames(lines), (std::vector<std::string>{"shown", "state", "state", "end", "path"}));

    // Both readers: the 2007 template first, then the 2005 one picked.
    const std::string& first = lines[1];
    EXPECT_NE(first.find(R"("caption":"Import Layout Template")"), std::string::npos) << first;
    EXPECT_NE(first.find(R"("central":"D:\\lib")"), std::string::npos) << first;
    EXPECT_NE(first.find(R"("format":"2007","templates":["4L","6L"],"selected":"4L")"), std::string::npos) << first;
    EXPECT_NE(first.find(std::string(R"("rows":)") + LibraryFixture::k4LRows + "}"), std::string::npos) << first;

    const std::string& second = lines[2];
    EXPECT_NE(second.find(R"("format":"2005","templates":["4L","6L"],"selected":"6L")"), std::string::npos) << second;
    EXPECT_NE(second.find(std::string(R"("rows":)") + LibraryFixture::k6LRows + "}"), std::string::npos) << second;

    EXPECT_EQ(lines[3], R"({"event":"end","result":1})");
    EXPECT_EQ(lines[4], R"({"event":"path","value":"D:\\lib\\Templates\\Layout\\6L"})");
    EXPECT_EQ(LibraryFixture::Snapshot(Central()), before) << "the central library was written to";
}

TEST_F(HostRunTest, ResultIsPrintedAsANativePathUnlessRawIsAsked)
{
    MakeTypicalLibrary();
    EXPECT_EQ(Run("ok\n", "D:\\lib", {"--raw"}).out, "D:\\lib\\Templates\\Layout\\4L\n");

    // A native central library reaches the dialog as given, and comes back
    // native (on Windows the dialog's own path is the native one).
    const std::string native = Host().NativePath(Central());
    const ProcessResult result = Run("ok\n", native);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, Host().NativePath(Layout() / "4L") + "\n");
    EXPECT_NE(TranscriptLines().at(1).find(R"("central":")" + JsonEscaped(native) + "\""), std::string::npos)
        << TranscriptLines().at(1);
}

TEST_F(HostRunTest, CancelEscapeAndCloseEndWithStatusOneAndPrintNothing)
{
    MakeTypicalLibrary();
    for (const char* action : {"cancel", "escape", "close"}) {
        SCOPED_TRACE(action);
        const ProcessResult result = Run(std::string(action) + "\n");
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_EQ(result.out, "");
        const std::vector<std::string> lines = TranscriptLines();
        ASSERT_EQ(EventNames(lines), (std::vector<std::string>{"shown", "state", "end", "path"}));
        EXPECT_EQ(lines[2], R"({"event":"end","result":2})");
        // The host asks for the path after a cancel too.
        EXPECT_EQ(lines[3], R"({"event":"path","value":"D:\\lib\\Templates\\Layout\\4L"})");
    }
}

TEST_F(HostRunTest, CentralLibraryThatDoesNotExist)
{
    // The error box answers IDOK however it is closed: OK, Enter, Escape (an
    // MB_OK box has no Cancel) or the close box.
    struct Case {
        const char* action;
        int answer;
    };
    // Wine deviation: Escape and the close box give an MB_OK box IDCANCEL (2);
    // Windows documents IDOK for Escape on a box with an OK button and no
    // Cancel (MessageBox, "Return value"). Wine's box ends with the command
    // the dialog manager sends, and it sends IDCANCEL for both.
    const int escapeAnswer = Host().UnderWine() ? 2 : 1;
    const Case cases[] = {{"ok", 1}, {"enter", 1}, {"escape", escapeAnswer}, {"close", escapeAnswer}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.action);
        const ProcessResult result = Run(std::string(test.action) + "\n", "D:\\nothere");
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(
            TranscriptLines(),
            (std::vector<std::string>{
                R"({"event":"messagebox","type":16,"text":"Central library \"D:\\nothere\" doesn't exist.","answer":)" +
                    std::to_string(test.answer) + "}",
                R"({"event":"end","result":2})", R"({"event":"path","value":""})"}));
    }
}

TEST_F(HostRunTest, NoLayoutTemplatesFolderAndTheUserAnswersNo)
{
    fs::create_directories(Central());
    const ProcessResult result = Run("no\n");
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(TranscriptLines(),
              (std::vector<std::string>{
                  R"({"event":"messagebox","type":52,"text":"Central library \"D:\\lib\" doesn't contain directory )"
                  R"(with layout templates.\nWould you like to select one?","answer":7})",
                  R"({"event":"end","result":2})", R"({"event":"path","value":""})"}));
}

TEST_F(HostRunTest, LayoutFolderWithoutAValidTemplate)
{
    fs::create_directories(Layout());
    WriteFile(Layout() / "readme.txt", "not a template");
    const ProcessResult result = Run("ok\n");
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(TranscriptLines().at(0),
              R"({"event":"messagebox","type":16,"text":"Central library \"D:\\lib\" doesn't contain any valid )"
              R"(layout template.","answer":1})");
}

TEST_F(HostRunTest, FirstStackupThatCannotBeDisplayed)
{
    LibraryFixture::MakeLayerless(Layout() / "4L");
    const auto before = LibraryFixture::Snapshot(Central());
    const ProcessResult result = Run("ok\nok\n");
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(
        TranscriptLines(),
        (std::vector<std::string>{
            R"({"event":"shown"})",
            R"({"event":"messagebox","type":16,"text":"Layout template \"4L\" doesn't have any layers.","answer":1})",
            R"({"event":"messagebox","type":16,"text":"Can't display the stackup.","answer":1})",
            R"({"event":"end","result":2})", R"({"event":"path","value":"D:\\lib\\Templates\\Layout\\4L"})"}));
    EXPECT_EQ(LibraryFixture::Snapshot(Central()), before) << "the central library was written to";
}

TEST_F(HostRunTest, DropDownListsTheTemplatesInItsOwnOrder)
{
    for (const char* name : {"4L", "-6L", "10L"})
        LibraryFixture::Make6L(Layout() / name);
    const ProcessResult result = Run("ok\n");
    EXPECT_EQ(result.status, 0) << result.err;
    // The first template found is selected: "-6L" in both listings. A CBS_SORT
    // drop-down sorts as CompareString's word sort does: the hyphen counts only
    // for ties, so "-6L" goes after "4L".
    EXPECT_NE(TranscriptLines().at(1).find(R"("templates":["10L","4L","-6L"],"selected":"-6L")"), std::string::npos)
        << TranscriptLines().at(1);
    EXPECT_EQ(result.out, PathFor(Layout() / "-6L") + "\n");
}

TEST_F(HostRunTest, BrowserCancelled)
{
    fs::create_directories(Central());
    const ProcessResult result = Run("yes\ncancel\n");
    EXPECT_EQ(result.status, 1) << result.err;
    const std::vector<std::string> lines = TranscriptLines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(EventName(lines[0]), "messagebox");
    EXPECT_NE(lines[0].find(R"("answer":6})"), std::string::npos);
    EXPECT_EQ(lines[1], R"({"event":"browser","title":"Select layout templates folder.","root":"D:\\lib"})");
    EXPECT_EQ(lines[lines.size() - 2], R"({"event":"end","result":2})");
}

TEST_F(HostRunTest, BrowsedFolderIsSearched)
{
    fs::create_directories(Central());
    LibraryFixture::Make6L(Central() / "elsewhere" / "6L");
    const auto before = LibraryFixture::Snapshot(Central());
    // The folder written as the host's native path.
    const ProcessResult result = Run("yes\nhighlight " + PathFor(Central() / "elsewhere") + "\nok\nok\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, PathFor(Central() / "elsewhere" / "6L") + "\n");
    const std::vector<std::string> lines = TranscriptLines();
    EXPECT_TRUE(Contains(lines, R"({"event":"enableok","path":"D:\\lib\\elsewhere","enabled":true})"));
    EXPECT_EQ(lines.back(), R"({"event":"path","value":"D:\\lib\\elsewhere\\6L"})");
    EXPECT_EQ(LibraryFixture::Snapshot(Central()), before) << "the central library was written to";
}

TEST_F(HostRunTest, BrowserOkFollowsTheCallbackAndAGreyedOkDoesNothing)
{
    fs::create_directories(Central() / "empty");
    LibraryFixture::Make6L(Central() / "elsewhere" / "6L");
    if (!Host().UnderWine()) {
        const ProcessResult result =
            Run("yes\nhighlight D:\\lib\\empty\nok\nhighlight D:\\lib\\elsewhere\nhighlight-virtual\nok\ncancel\n");
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_EQ(result.err, "");
        // The callback's verdict on each folder; the greyed OK on the empty folder
        // and on the virtual item took the click without effect, so Cancel ended
        // the browser.
        const std::vector<std::string> lines = TranscriptLines();
        for (const char* verdict : {R"({"event":"enableok","path":"D:\\lib","enabled":false})",
                                    R"({"event":"enableok","path":"D:\\lib\\empty","enabled":false})",
                                    R"({"event":"enableok","path":"D:\\lib\\elsewhere","enabled":true})"})
            EXPECT_TRUE(Contains(lines, verdict)) << verdict;
        EXPECT_EQ(lines.back(), R"({"event":"path","value":""})");
        return;
    }
    // Wine deviations:
    // - No BFFM_SELCHANGED for the root when the browser opens (Windows sends
    //   one for the initial selection, SHBrowseForFolder's BFFCALLBACK), so the
    //   callback gives no verdict on D:\lib.
    // - The callback's BFFM_ENABLEOK from inside BFFM_SELCHANGED does not hold:
    //   Wine's browser sends its own BFFM_ENABLEOK after the callback returns,
    //   enabling OK on every file-system folder. So OK on the empty folder ends
    //   the browser, and the dialog finds no template there.
    const ProcessResult result = Run("yes\nhighlight D:\\lib\\elsewhere\nhighlight D:\\lib\\empty\nok\nok\n");
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> lines = TranscriptLines();
    ASSERT_EQ(EventNames(lines),
              (std::vector<std::string>{"messagebox", "browser", "enableok", "enableok", "messagebox", "end", "path"}));
    EXPECT_EQ(lines[2], R"({"event":"enableok","path":"D:\\lib\\elsewhere","enabled":true})");
    EXPECT_EQ(lines[3], R"({"event":"enableok","path":"D:\\lib\\empty","enabled":false})");
    EXPECT_NE(lines[4].find(R"(doesn't contain any valid layout template.","answer":1})"), std::string::npos)
        << lines[4];
}

TEST_F(HostRunTest, BrowserAtTheDesktopGreysOkOnAnItemOutsideTheFileSystem)
{
    // A central library written with forward slashes does not parse as a shell
    // path, so the browser is rooted at the desktop, where "This PC" can be highlighted.
    fs::create_directories(Central());
    const ProcessResult result = Run("yes\nhighlight-virtual\nok\ncancel\n", "D:/lib");
    EXPECT_EQ(result.status, 1) << result.err;
    const std::vector<std::string> lines = TranscriptLines();
    ASSERT_EQ(EventNames(lines), (std::vector<std::string>{"messagebox", "browser", "end", "path"}));
    EXPECT_EQ(lines[1], R"({"event":"browser","title":"Select layout templates folder.","root":""})");
    EXPECT_EQ(lines[2], R"({"event":"end","result":2})");
}

TEST_F(HostRunTest, BrowserRefusesAFolderThatIsNotThere)
{
    fs::create_directories(Central());
    const ProcessResult result = Run("yes\nhighlight D:\\lib\\missing\nok\n");
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(result.err.find("script.txt:2: highlight: refused by the folder browser: there is no folder"),
              std::string::npos)
        << result.err;
}

TEST_F(HostRunTest, ScriptThatEndsWhileTheDialogWaits)
{
    MakeTypicalLibrary();
    const ProcessResult result = Run("select 6L\n");
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("script.txt: the script ended after line 1 while the dialog waits for input"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(EventNames(TranscriptLines()), (std::vector<std::string>{"shown", "state", "state", "end", "path"}));
}

TEST_F(HostRunTest, ScriptErrorsNameTheLine)
{
    MakeTypicalLibrary();
    struct Case {
        const char* script;
        const char* central;
        const char* message;
    };
    const Case cases[] = {
        {"select 6L\nclick ok\n", "D:\\lib", "script.txt:2: unknown action 'click'"},
        {"ok now\n", "D:\\lib", "script.txt:1: 'ok' takes no argument"},
        {"select\n", "D:\\lib", "script.txt:1: 'select' needs a NAME"},
        {"\n\nselect 9L\n", "D:\\lib", "script.txt:3: select: the drop-down has no entry '9L' (entries: '4L', '6L')"},
        {"select 4l\n", "D:\\lib", "script.txt:1: select: the drop-down has no entry '4l'"},
        {"yes\n", "D:\\lib", "script.txt:1: yes: refused by the dialog"},
        {"highlight D:\\lib\n", "D:\\lib",
         "script.txt:1: highlight: the active window is the dialog, not the folder browser"},
        {"select 4L\n", "D:\\nothere",
         "script.txt:1: select: the active window is a message box ('Central library \"D:\\nothere\" doesn't exist.'), "
         "not the dialog"},
        {"yes\n", "D:\\nothere",
         "script.txt:1: yes: the message box ('Central library \"D:\\nothere\" doesn't exist.') has no Yes button: "
         "it takes ok\n"},
        {"# nothing to do\n", "D:\\nothere",
         "script.txt: the script ended while a message box waits for input "
         "('Central library \"D:\\nothere\" doesn't exist.')"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.script);
        const ProcessResult result = Run(test.script, test.central);
        EXPECT_EQ(result.status, 3);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
    }
}

TEST_F(HostRunTest, MessagesNameWhatIsThereInsteadOfIds)
{
    fs::create_directories(Central() / "elsewhere");
    struct Case {
        std::string script;
        std::string message;
    };
    const Case cases[] = {
        // The question has Yes and No, no OK.
        {"ok\n",
         "script.txt:1: ok: the message box ('Central library \"D:\\lib\" doesn't contain directory with layout "
         "templates.?Would you like to select one?') has no OK button: it takes yes or no\n"},
        // An absolute path with "..": the browser takes a folder by its own path.
        {"yes\nhighlight " + PathFor(Central()) + Host().Separator() + ".." + Host().Separator() + "lib\n",
         "script.txt:2: highlight: '" + PathFor(Central()) + Host().Separator() + ".." + Host().Separator() +
             "lib' has a '..' component: give the folder's own path, without '.' or '..'\n"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.script);
        const ProcessResult result = Run(test.script);
        EXPECT_EQ(result.status, 3);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
    }
}

TEST_F(HostRunTest, ARelativeCentralLibraryGivesARelativePath)
{
    // The path printed is the one the dialog returns: the central library as
    // given, then the rest.
    MakeTypicalLibrary();
    const ProcessResult result = Run("ok\n", "lib");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "lib" + Host().Separator() + "Templates" + Host().Separator() + "Layout" + Host().Separator() + "4L\n");
}

TEST_F(HostRunTest, ScriptFromStandardInput)
{
    MakeTypicalLibrary();
    if (!Host().UnderWine()) {
        const ProcessResult result =
            RunHost({"--listing-order", "descending", "--script", "-", "D:\\lib"}, "ok\n", m_library.Root());
        EXPECT_EQ(result.status, 0) << result.err;
        // Descending order lists 6L first, so it is the one selected.
        EXPECT_EQ(result.out, (Layout() / "6L").string() + "\n");
        return;
    }
    // Stand-in seam: Windows has no --listing-order; Wine lists the folder
    // sorted, so 4L is found first.
    const ProcessResult result = RunHost({"--script", "-", "D:\\lib"}, "ok\n", m_library.Root());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, PathFor(Layout() / "4L") + "\n");
}

TEST_F(HostRunTest, AProgramFeedsTheActionsAsTheDialogAsksForThem)
{
    // Standard input is a pipe that a driving program writes an action to
    // only once it has seen, on standard output, what the dialog shows.
    MakeTypicalLibrary();
    std::vector<std::string> arguments = Host().ReproducibleListing();
    arguments.insert(arguments.end(), {"--script", "-", "--transcript", "-", "D:\\lib"});
    DrivenProcess host(Host().Command(arguments, m_library.Root()), m_library.Root());
    std::string line;
    ASSERT_TRUE(host.ReadLine(line, kPatience)) << "the dialog waits for the end of the input\n" << host.Errors();
    EXPECT_EQ(line, R"({"event":"shown"})");
    ASSERT_TRUE(host.ReadLine(line, kPatience)) << host.Errors();
    EXPECT_NE(line.find(R"("templates":["4L","6L"],"selected":"4L")"), std::string::npos) << line;
    host.Write("select 6L\n");
    ASSERT_TRUE(host.ReadLine(line, kPatience)) << host.Errors();
    EXPECT_NE(line.find(R"("selected":"6L")"), std::string::npos) << line;
    // The input stays open: the run ends with the dialog.
    host.Write("ok\n");
    std::vector<std::string> rest;
    while (host.ReadLine(line, kPatience))
        rest.push_back(line);
    EXPECT_EQ(rest, (std::vector<std::string>{R"({"event":"end","result":1})",
                                              R"({"event":"path","value":"D:\\lib\\Templates\\Layout\\6L"})",
                                              PathFor(Layout() / "6L")}));
    EXPECT_EQ(host.Wait(kPatience), 0) << host.Errors();
}

TEST_F(HostRunTest, AScriptThatIsNotTextOrHasAnEndlessLineIsRefused)
{
    MakeTypicalLibrary();
    // Read at its first line, not to its end, which never comes.
    const std::string zero = Host().NativePath("/dev/zero");
    DrivenProcess endless(Host().Command({"--script", zero, "D:\\lib"}, m_library.Root()), m_library.Root());
    EXPECT_EQ(endless.Wait(kPatience), 3);
    EXPECT_NE(endless.Errors().find(zero + ":1: the line holds a NUL byte: the script is not text"), std::string::npos)
        << endless.Errors();

    const ProcessResult result = Run("select 6L\n" + std::string(2 << 20, 'x') + "\nok\n");
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("script.txt:2: the line is longer than 1 MiB"), std::string::npos)
        << result.err.substr(0, 200);
    // The dialog ran up to the bad line.
    EXPECT_EQ(EventNames(TranscriptLines()), (std::vector<std::string>{"shown", "state", "state", "end", "path"}));
}

TEST_F(HostRunTest, TheTranscriptGoesToStandardOutputBeforeThePath)
{
    MakeTypicalLibrary();
    WriteFile(m_library.Root() / "pick.script", "select 6L\nok\n");
    std::vector<std::string> arguments = Host().ReproducibleListing();
    arguments.insert(arguments.end(),
                     {"--script", PathFor(m_library.Root() / "pick.script"), "--transcript", "-", "D:\\lib"});
    const ProcessResult result = RunHost(arguments, "", m_library.Root());
    EXPECT_EQ(result.status, 0) << result.err;
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = result.out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(result.out.substr(start, end - start));
    ASSERT_EQ(lines.size(), 6u) << result.out;
    EXPECT_EQ(EventNames({lines.begin(), lines.end() - 1}),
              (std::vector<std::string>{"shown", "state", "state", "end", "path"}));
    EXPECT_EQ(lines.back(), PathFor(Layout() / "6L"));
    EXPECT_FALSE(fs::exists(m_library.Root() / "-"));
}

TEST_F(HostRunTest, UnusedActionsOfAScriptFileAreNamed)
{
    MakeTypicalLibrary();
    const ProcessResult result = Run("ok\n\n# done\ncancel\nok\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("script.txt:4: this and the later actions were not used: the dialog had ended\n"),
              std::string::npos)
        << result.err;
}

TEST_F(HostRunTest, UsageErrorsEndWithStatusTwo)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* message;
    };
    std::vector<Case> cases = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--drive", "DD=/x"}, "--drive: expected X=DIR"},
        {{"--drive"}, "--drive: missing value"},
        {{"--listing-order", "sideways"}, "--listing-order: expected filesystem, ascending or descending"},
        {{"one", "two"}, "unexpected argument 'two'"},
        {{"--script", "no-such-script.txt", "D:\\lib"}, "cannot read the script 'no-such-script.txt'"},
        {{"--script", "-", "--transcript", "/nonexistent/t.jsonl", "D:\\lib"},
         "cannot write the transcript '/nonexistent/t.jsonl': No such file or directory"},
        {{"--drive", "D=/a", "--drive", "D=/b"}, "--drive D=/b: drive D: is already mapped (to '/a')"},
    };
    if (Host().UnderWine()) {
        // Stand-in seam: Windows lists folders in the file system's order only.
        cases.push_back(
            {{"--listing-order", "ascending"}, "--listing-order ascending: only 'filesystem' is available"});
        // A folder is refused before it is opened (the C run-time would say EACCES).
        cases.push_back({{"--script", "Z:\\", "D:\\lib"}, "cannot read the script 'Z:\\': Is a directory"});
        // Win32 decides: without a script the dialog is a window that a person
        // works, with no terminal needed; that run is not made here.
    } else {
        cases.push_back({{"--script", "/", "D:\\lib"}, "cannot read the script '/': Is a directory"});
        cases.push_back({{"D:\\lib"}, "standard input is not a terminal: give --script FILE"});
    }
    for (const Case& test : cases) {
        SCOPED_TRACE(test.message);
        const ProcessResult result = RunHost(test.arguments, "", fs::path(), false);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
    }
}

TEST_F(HostRunTest, ResultOrTranscriptThatCannotBeWrittenEndsWithStatusFive)
{
    MakeTypicalLibrary();
    WriteFile(m_library.Root() / "ok.script", "ok\n");
    const std::vector<std::string> run = {"--script", PathFor(m_library.Root() / "ok.script")};
    const auto command = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), run.begin(), run.end());
        arguments.push_back("D:\\lib");
        return Host().Command(arguments, m_library.Root());
    };

    ProcessResult result = RunProgram(command({}), "", m_library.Root(), "/dev/full");
    EXPECT_EQ(result.status, 5);
    EXPECT_EQ(Host().Text(result.err),
              "import-layout-template: cannot write the result to standard output: No space left on device\n");

    const std::string full = Host().NativePath("/dev/full");
    result = RunProgram(command({"--transcript", full}), "", m_library.Root());
    EXPECT_EQ(result.status, 5);
    EXPECT_EQ(result.out, "") << "no path after a failed run";
    EXPECT_EQ(Host().Text(result.err),
              "import-layout-template: cannot write the transcript '" + full + "': No space left on device\n");

    for (const char* option : {"--help", "--version"}) {
        result = RunProgram(Host().Command({option}, fs::path(), false), "", m_library.Root(), "/dev/full");
        EXPECT_EQ(result.status, 5) << option;
    }

    // A reader that has gone (`| head -c1`) is a failed write too, not a
    // death by SIGPIPE (status 141 in the shell).
    result = RunProgramIntoClosedPipe(command({}), "", m_library.Root());
    EXPECT_EQ(result.status, 5);
    EXPECT_EQ(Host().Text(result.err).rfind("import-layout-template: cannot write the result to standard output: ", 0),
              0u)
        << result.err;
    result = RunProgramIntoClosedPipe(Host().Command({"--help"}, fs::path(), false), "", m_library.Root());
    EXPECT_EQ(result.status, 5);
}

TEST_F(HostRunTest, TheScriptIsNeverTheTranscript)
{
    MakeTypicalLibrary();
    const fs::path script = m_library.Root() / "same.script";
    WriteFile(script, "ok\n");
    fs::create_directory(m_library.Root() / "sub");
    const std::string up = Host().UnderWine() ? "\\..\\" : "/../";
    for (const std::string& transcript : {PathFor(script), PathFor(m_library.Root() / "sub") + up + "same.script"}) {
        const ProcessResult result =
            RunHost({"--script", PathFor(script), "--transcript", transcript, "D:\\lib"}, "", m_library.Root());
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("--transcript: '" + transcript + "' is the script itself"), std::string::npos)
            << result.err;
        EXPECT_EQ(ReadFile(script), "ok\n");
    }
}

TEST_F(HostRunTest, AScriptMayStartWithAByteOrderMark)
{
    MakeTypicalLibrary();
    const ProcessResult result = Run("\xef\xbb\xbfselect 6L\nok\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, PathFor(Layout() / "6L") + "\n");
}

TEST_F(HostRunTest, HelpAndVersion)
{
    const ProcessResult help = RunHost({"--help"}, "", fs::path(), false);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: import-layout-template [OPTIONS] [CENTRAL_LIBRARY]\n", 0), 0u) << help.out;
    const ProcessResult version = RunHost({"--version"}, "", fs::path(), false);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("import-layout-template ", 0), 0u) << version.out;
}

}  // namespace
}  // namespace ilt::test
