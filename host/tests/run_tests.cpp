// End-to-end runs of import-layout-template with scripts: exit statuses,
// standard output and error, and the transcript.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "LibraryFixture.h"
#include "Process.h"

namespace ilt::test {
namespace {

namespace fs = std::filesystem;

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

class HostRunTest : public ::testing::Test
{
protected:
  // Runs the host on `central` (D: is the fixture's folder) with `script`,
  // listing folders in ascending name order.
  ProcessResult Run(const std::string& script, const std::string& central = "D:\\lib",
                    const std::vector<std::string>& extra = {})
  {
    WriteFile(library_.Root() / "script.txt", script);
    std::vector<std::string> argv = {ILT_HOST_PROGRAM,     "--drive", "D=" + library_.Root().string(),
                                     "--listing-order",    "ascending",
                                     "--script",           (library_.Root() / "script.txt").string(),
                                     "--transcript",       Transcript().string()};
    argv.insert(argv.end(), extra.begin(), extra.end());
    argv.push_back(central);
    return RunProgram(argv, "", library_.Root());
  }

  fs::path Transcript() const { return library_.Root() / "transcript.jsonl"; }
  std::vector<std::string> TranscriptLines() const { return ReadLines(Transcript()); }
  fs::path Layout() const { return library_.Root() / "lib" / "Templates" / "Layout"; }
  void MakeTypicalLibrary() const
  {
    LibraryFixture::Make4L(Layout() / "4L");
    LibraryFixture::Make6L(Layout() / "6L");
  }

  LibraryFixture library_;
};

TEST_F(HostRunTest, TypicalRunShowsBothTemplatesAndPrintsThePickedOne)
{
  MakeTypicalLibrary();
  const ProcessResult result = Run("# pick the 2005 template\nselect 6L\n\nok\n");

  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, (Layout() / "6L").string() + "\n");
  EXPECT_EQ(result.err, "");
  const std::vector<std::string> lines = TranscriptLines();
  ASSERT_EQ(EventNames(lines), (std::vector<std::string>{"shown", "state", "state", "end", "path"}));

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
}

TEST_F(HostRunTest, ResultIsPrintedAsANativePathUnlessRawIsAsked)
{
  MakeTypicalLibrary();
  EXPECT_EQ(Run("ok\n", "D:\\lib", {"--raw"}).out, "D:\\lib\\Templates\\Layout\\4L\n");

  // A native central library reaches the dialog as given, and comes back native.
  const std::string native = (library_.Root() / "lib").string();
  const ProcessResult result = Run("ok\n", native);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, (Layout() / "4L").string() + "\n");
  EXPECT_NE(TranscriptLines().at(1).find(R"("central":")" + native + "\""), std::string::npos);
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
  const ProcessResult result = Run("ok\n", "D:\\nothere");
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(TranscriptLines(),
            (std::vector<std::string>{
                R"({"event":"messagebox","type":16,"text":"Central library \"D:\\nothere\" doesn't exist.","answer":1})",
                R"({"event":"end","result":2})", R"({"event":"path","value":""})"}));
}

TEST_F(HostRunTest, NoLayoutTemplatesFolderAndTheUserAnswersNo)
{
  fs::create_directories(library_.Root() / "lib");
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
  const ProcessResult result = Run("ok\nok\n");
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(TranscriptLines(),
            (std::vector<std::string>{
                R"({"event":"shown"})",
                R"({"event":"messagebox","type":16,"text":"Layout template \"4L\" doesn't have any layers.","answer":1})",
                R"({"event":"messagebox","type":16,"text":"Can't display the stackup.","answer":1})",
                R"({"event":"end","result":2})", R"({"event":"path","value":"D:\\lib\\Templates\\Layout\\4L"})"}));
}

TEST_F(HostRunTest, BrowserCancelled)
{
  fs::create_directories(library_.Root() / "lib");
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
  fs::create_directories(library_.Root() / "lib");
  LibraryFixture::Make6L(library_.Root() / "lib" / "elsewhere" / "6L");
  const std::string native = (library_.Root() / "lib" / "elsewhere").string();
  const ProcessResult result = Run("yes\nhighlight " + native + "\nok\nok\n");
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, native + "/6L\n");
  const std::vector<std::string> lines = TranscriptLines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), R"({"event":"enableok","path":"D:\\lib\\elsewhere","enabled":true})"),
            lines.end());
  EXPECT_EQ(lines.back(), R"({"event":"path","value":"D:\\lib\\elsewhere\\6L"})");
}

TEST_F(HostRunTest, BrowserOkFollowsTheCallbackAndAGreyedOkDoesNothing)
{
  fs::create_directories(library_.Root() / "lib" / "empty");
  LibraryFixture::Make6L(library_.Root() / "lib" / "elsewhere" / "6L");
  const ProcessResult result =
      Run("yes\nhighlight D:\\lib\\empty\nok\nhighlight D:\\lib\\elsewhere\nhighlight-virtual\nok\ncancel\n");
  EXPECT_EQ(result.status, 1) << result.err;
  EXPECT_EQ(result.err, "");
  // The callback's verdict on each folder; the greyed OK on the virtual item
  // took the click without effect, so Cancel ended the browser.
  const std::vector<std::string> lines = TranscriptLines();
  for (const char* verdict : {R"({"event":"enableok","path":"D:\\lib","enabled":false})",
                              R"({"event":"enableok","path":"D:\\lib\\empty","enabled":false})",
                              R"({"event":"enableok","path":"D:\\lib\\elsewhere","enabled":true})"})
    EXPECT_NE(std::find(lines.begin(), lines.end(), verdict), lines.end()) << verdict;
  EXPECT_EQ(TranscriptLines().back(), R"({"event":"path","value":""})");
}

TEST_F(HostRunTest, BrowserRefusesAFolderThatIsNotThere)
{
  fs::create_directories(library_.Root() / "lib");
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
      {"highlight D:\\lib\n", "D:\\lib", "script.txt:1: highlight: the active window is the dialog, not the folder browser"},
      {"select 4L\n", "D:\\nothere",
       "script.txt:1: select: the active window is a message box ('Central library \"D:\\nothere\" doesn't exist.'), "
       "not the dialog"},
      {"yes\n", "D:\\nothere",
       "script.txt:1: yes: refused by a message box ('Central library \"D:\\nothere\" doesn't exist.'): "},
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

TEST_F(HostRunTest, ScriptFromStandardInput)
{
  MakeTypicalLibrary();
  const ProcessResult result =
      RunProgram({ILT_HOST_PROGRAM, "--drive", "D=" + library_.Root().string(), "--listing-order", "descending",
                  "--script", "-", "D:\\lib"},
                 "ok\n", library_.Root());
  EXPECT_EQ(result.status, 0) << result.err;
  // Descending order lists 6L first, so it is the one selected.
  EXPECT_EQ(result.out, (Layout() / "6L").string() + "\n");
}

TEST_F(HostRunTest, UsageErrorsEndWithStatusTwo)
{
  struct Case {
    std::vector<std::string> arguments;
    const char* message;
  };
  const Case cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--drive", "DD=/x"}, "--drive: expected X=DIR"},
      {{"--drive"}, "--drive: missing value"},
      {{"--listing-order", "sideways"}, "--listing-order: expected filesystem, ascending or descending"},
      {{"one", "two"}, "unexpected argument 'two'"},
      {{"--script", "no-such-script.txt", "D:\\lib"}, "cannot read the script 'no-such-script.txt'"},
      {{"D:\\lib"}, "standard input is not a terminal: give --script FILE"},
      {{"--script", "/", "D:\\lib"}, "cannot read the script '/': Is a directory"},
      {{"--script", "-", "--transcript", "/nonexistent/t.jsonl", "D:\\lib"},
       "cannot write the transcript '/nonexistent/t.jsonl': No such file or directory"},
      {{"--drive", "D=/a", "--drive", "D=/b"}, "--drive D=/b: drive D: is already mapped (to '/a')"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.message);
    std::vector<std::string> argv = {ILT_HOST_PROGRAM};
    argv.insert(argv.end(), test.arguments.begin(), test.arguments.end());
    const ProcessResult result = RunProgram(argv, "", library_.Root());
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(test.message), std::string::npos) << result.err;
  }
}

TEST_F(HostRunTest, ResultOrTranscriptThatCannotBeWrittenEndsWithStatusFive)
{
  MakeTypicalLibrary();
  WriteFile(library_.Root() / "ok.script", "ok\n");
  const std::vector<std::string> run = {ILT_HOST_PROGRAM, "--drive", "D=" + library_.Root().string(), "--script",
                                        (library_.Root() / "ok.script").string()};

  std::vector<std::string> argv = run;
  argv.push_back("D:\\lib");
  ProcessResult result = RunProgram(argv, "", library_.Root(), "/dev/full");
  EXPECT_EQ(result.status, 5);
  EXPECT_EQ(result.err, "import-layout-template: cannot write the result to standard output: No space left on device\n");

  argv = run;
  argv.insert(argv.end(), {"--transcript", "/dev/full", "D:\\lib"});
  result = RunProgram(argv, "", library_.Root());
  EXPECT_EQ(result.status, 5);
  EXPECT_EQ(result.out, "") << "no path after a failed run";
  EXPECT_EQ(result.err, "import-layout-template: cannot write the transcript '/dev/full': No space left on device\n");

  for (const char* option : {"--help", "--version"}) {
    result = RunProgram({ILT_HOST_PROGRAM, option}, "", library_.Root(), "/dev/full");
    EXPECT_EQ(result.status, 5) << option;
  }
}

TEST_F(HostRunTest, TheScriptIsNeverTheTranscript)
{
  MakeTypicalLibrary();
  const fs::path script = library_.Root() / "same.script";
  WriteFile(script, "ok\n");
  fs::create_directory(library_.Root() / "sub");
  for (const std::string& transcript : {script.string(), (library_.Root() / "sub" / ".." / "same.script").string()}) {
    const ProcessResult result =
        RunProgram({ILT_HOST_PROGRAM, "--drive", "D=" + library_.Root().string(), "--script", script.string(),
                    "--transcript", transcript, "D:\\lib"},
                   "", library_.Root());
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
  EXPECT_EQ(result.out, (Layout() / "6L").string() + "\n");
}

TEST_F(HostRunTest, HelpAndVersion)
{
  const ProcessResult help = RunProgram({ILT_HOST_PROGRAM, "--help"}, "", library_.Root());
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: import-layout-template [OPTIONS] [CENTRAL_LIBRARY]\n", 0), 0u) << help.out;
  const ProcessResult version = RunProgram({ILT_HOST_PROGRAM, "--version"}, "", library_.Root());
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("import-layout-template ", 0), 0u) << version.out;
}

}  // namespace
}  // namespace ilt::test
