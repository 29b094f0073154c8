// The shell as the module uses it: the desktop folder's ParseDisplayName,
// SHGetPathFromIDListA, and the folder browser (SHBrowseForFolderA): its
// callback's notifications, BFFM_ENABLEOK, BFFM_SETSELECTION, the result.
#include "Conformance.h"

#include <shlobj.h>

#include <gmock/gmock.h>

#include <testsupport/MappedFolder.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "ShellCalls.h"

using namespace conformance;
using namespace shellcalls;

namespace {

class ShellTest : public ::testing::Test {
protected:
    ShellTest() : m_drive('S')
    {
        m_drive.MakeFolder("lib/Templates");
        m_drive.MakeFolder("lib/sub");
        m_drive.MakeFolder("lib/\xc3\x84rger");
        m_drive.MakeFile("lib/notes.txt");
        // Wine's id lists hold a folder's times, its last access included, and
        // match only byte for byte; a folder's first read after a change moves
        // that time (once, under Linux's relatime). So each folder is read
        // here, a clock tick after it was made and before any id list of it is
        // taken: otherwise the browser's own listing may move it between the
        // root's id list and one parsed later, and BFFM_SETSELECTION misses.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (const char* folder : {"", "lib", "lib/Templates", "lib/sub", "lib/\xc3\x84rger"})
            for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_drive.Native(folder))) {
            }
    }

    // "S:\lib" and the like, with the test drive's letter.
    std::string Path(const std::string& relative) const { return m_drive.Path(relative); }
    std::string Root() const { return m_drive.Folder(); }

    testsupport::TestDrive m_drive;
};

// What the module hands ParseDisplayName: an absolute folder path with
// backslashes. It also takes a trailing backslash, a drive root, a file. A
// name that names nothing is 0x80070002 (also a relative one, looked for on
// the desktop, a ".." component, taken as a name, and an empty one between
// doubled backslashes); forward slashes and a drive without its backslash
// are E_INVALIDARG. The empty name is the desktop itself.
TEST_F(ShellTest, DesktopParsesAbsolutePaths)
{
    const std::string drive = Root();  // "S:"
    const std::string lower = std::string(1, static_cast<char>(drive[0] - 'A' + 'a')) + ":";
    struct Case {
        std::string name;
        HRESULT result;
        std::string path;
    };
    const HRESULT missing = HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    const Case cases[] = {
        {drive + "\\lib", S_OK, drive + "\\lib"},
        {drive + "\\lib\\", S_OK, drive + "\\lib"},
        {lower + "\\lib\\sub", S_OK, drive + "\\lib\\sub"},
        {drive + "\\", S_OK, drive + "\\"},
        {drive + "\\lib\\notes.txt", S_OK, drive + "\\lib\\notes.txt"},
        {drive + "\\lib\\\xc3\x84rger", S_OK, drive + "\\lib\\\xc3\x84rger"},
        {drive + "\\missing", missing, ""},
        {drive + "\\lib\\notes.txt\\x", missing, ""},
        {drive + "/lib", E_INVALIDARG, ""},
        {drive + "\\lib\\..\\lib", missing, ""},
        {drive + "\\\\lib", missing, ""},
        {drive + "\\lib\\\\sub", missing, ""},
        {drive + "lib", E_INVALIDARG, ""},
        {"lib", missing, ""},
        {"", S_OK, "<none>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Parsed parsed = Parse(c.name);
        EXPECT_EQ(c.result, parsed.result);
        EXPECT_EQ(c.path, parsed.path);
    }
}

TEST_F(ShellTest, PathFromIdListOfNothingFails) { EXPECT_EQ("<none>", PathOf(nullptr)); }

// ---- the folder browser ----

// What the callback heard: "init", "sel <path>" (with OK's state at that
// moment), and what it does then.
struct Browse {
    std::vector<std::string> heard;
    HWND browser = nullptr;
    // Sent with BFFM_ENABLEOK from inside BFFM_SELCHANGED, when set.
    std::function<bool(const std::string& path)> enableOk;
};

bool OkEnabled(HWND browser) { return IsWindowEnabled(GetDlgItem(browser, IDOK)) != FALSE; }

int CALLBACK Callback(HWND browser, UINT message, LPARAM lParam, LPARAM data)
{
    auto* browse = reinterpret_cast<Browse*>(data);
    if (message == BFFM_INITIALIZED) {
        EXPECT_EQ(0, lParam);
        browse->browser = browser;
        browse->heard.push_back("init");
    } else if (message == BFFM_SELCHANGED) {
        const std::string path = PathOf(reinterpret_cast<LPCITEMIDLIST>(lParam));
        browse->heard.push_back("sel " + path + (OkEnabled(browser) ? " ok" : " greyed"));
        if (browse->enableOk)
            SendMessageA(browser, BFFM_ENABLEOK, 0, browse->enableOk(path) ? TRUE : FALSE);
    }
    return 0;
}

class BrowserTest : public ShellTest {
protected:
    // Runs the browser rooted at `root`, driven by `steps`; returns the chosen
    // path ("" for NULL), the display name in *name.
    std::string Run(const std::string& root, std::vector<Step> steps, std::string* name = nullptr)
    {
        const LPITEMIDLIST rootList = IdListOf(root);

        char displayName[MAX_PATH] = "untouched";
        BROWSEINFOA info{};
        info.pidlRoot = rootList;
        info.pszDisplayName = displayName;
        info.lpszTitle = "Select layout templates folder.";
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        info.lpfn = Callback;
        info.lParam = reinterpret_cast<LPARAM>(&m_browse);
        Steps driver(std::move(steps));
        LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
        EXPECT_TRUE(driver.Done()) << "the browser ended before all steps ran";
        FreeIdList(rootList);
        if (name != nullptr)
            *name = displayName;
        if (chosen == nullptr)
            return "";
        const std::string path = PathOf(chosen);
        FreeIdList(chosen);
        return path;
    }

    HWND Browser() const { return m_browse.browser; }

    Browse m_browse;
};

// After BFFM_INITIALIZED, Windows selects the root and reports it with
// BFFM_SELCHANGED; Wine selects nothing, and Enter then takes another folder
// than the root.
TEST_F(BrowserTest, InitializedThenTheRootIsReportedAndOkTakesIt)
{
    const std::string chosen = Run(Path("lib"), {[] {}, [&] { PostKey(VK_RETURN, Browser()); }});
    const std::vector<std::string> documented = {"init", "sel " + Path("lib") + " ok"};
    const std::vector<std::string> wine = {"init"};
    EXPECT_EQ(WineDeviation("no BFFM_SELCHANGED for the root", documented, wine), m_browse.heard);
    EXPECT_EQ(WineDeviation("no BFFM_SELCHANGED for the root", true, false), chosen == Path("lib")) << chosen;
}

// BFFM_SETSELECTION by path selects a folder under the root and reports it;
// Escape cancels: NULL.
TEST_F(BrowserTest, SetSelectionReportsTheFolderAndEscapeCancels)
{
    const std::string chosen =
        Run(Path("lib"), {[] {},
                          [&] {
                              m_browse.heard.clear();
                              const std::string sub = Path("lib\\sub");
                              SendMessageA(Browser(), BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(sub.c_str()));
                          },
                          [&] { PostKey(VK_ESCAPE, Browser()); }});
    EXPECT_THAT(m_browse.heard, ::testing::ElementsAre("sel " + Path("lib\\sub") + " ok"));
    EXPECT_EQ("", chosen);
}

// BFFM_ENABLEOK: lParam FALSE greys OK, and Enter then takes nothing; TRUE
// enables it again. pszDisplayName gets the chosen folder's display name
// (Wine writes its whole path).
TEST_F(BrowserTest, EnableOkGatesEnter)
{
    std::vector<bool> ok;
    std::string name;
    const std::string chosen =
        Run(Path("lib"),
            {[&] {
                 const std::string sub = Path("lib\\sub");
                 SendMessageA(Browser(), BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(sub.c_str()));
                 SendMessageA(Browser(), BFFM_ENABLEOK, 0, FALSE);
                 ok.push_back(OkEnabled(Browser()));
                 PostKey(VK_RETURN, Browser());
             },
             [&] {
                 SendMessageA(Browser(), BFFM_ENABLEOK, 0, TRUE);
                 ok.push_back(OkEnabled(Browser()));
                 PostKey(VK_RETURN, Browser());
             }},
            &name);
    EXPECT_THAT(ok, ::testing::ElementsAre(false, true));
    EXPECT_EQ(Path("lib\\sub"), chosen);
    EXPECT_EQ(WineDeviation<std::string>("pszDisplayName is the path", "sub", Path("lib\\sub")), name);
}

// The module's callback answers each BFFM_SELCHANGED with BFFM_ENABLEOK; on
// Windows OK stays as the callback set it; Wine enables it again as soon as
// the callback has returned.
TEST_F(BrowserTest, EnableOkFromTheCallbackHolds)
{
    m_browse.enableOk = [](const std::string&) { return false; };
    std::vector<bool> ok;
    Run(Path("lib"), {[&] {
                          const std::string sub = Path("lib\\sub");
                          SendMessageA(Browser(), BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(sub.c_str()));
                          ok.push_back(OkEnabled(Browser()));
                      },
                      [&] { ok.push_back(OkEnabled(Browser())); }, [&] { PostKey(VK_ESCAPE, Browser()); }});
    const std::vector<bool> documented = {false, false};
    const std::vector<bool> wine = {true, true};
    EXPECT_EQ(WineDeviation("BFFM_ENABLEOK from BFFM_SELCHANGED is overridden", documented, wine), ok);
}

}  // namespace
