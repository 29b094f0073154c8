// Folder browser worked through the display (what Win32 does: ../shell_tests.cpp):
// the callback's notifications as the user highlights folders, OK enabling as the
// display hears it, results, rejected highlights, the state a display draws.
#include "shell_test_support.h"

#include <standin/display.h>

#include <gmock/gmock.h>

#include <cstring>

using namespace shelltest;
using standin::Action;
using standin::Event;
using ::testing::ElementsAre;

namespace {

// What the callback heard: "init", or "sel <path>" with the path of the id
// list and the OK button's state at that moment ("sel D:\lib ok").
struct CallbackLog {
    std::vector<std::string> heard;
    // Sent back with BFFM_ENABLEOK on each file-system selection, when set.
    std::function<bool(const std::string& path)> enableOk;
    // Runs at BFFM_INITIALIZED, when set.
    std::function<void(HWND)> onInitialized;
};

int CALLBACK RecordingCallback(HWND browser, UINT message, LPARAM lParam, LPARAM data)
{
    auto* log = reinterpret_cast<CallbackLog*>(data);
    if (message == BFFM_INITIALIZED) {
        EXPECT_EQ(0, lParam);
        log->heard.push_back("init");
        if (log->onInitialized)
            log->onInitialized(browser);
        return 0;
    }
    if (message != BFFM_SELCHANGED)
        return 0;
    const std::string path = PathOf(reinterpret_cast<LPCITEMIDLIST>(lParam));
    const bool okEnabled = IsWindowEnabled(GetDlgItem(browser, IDOK)) != FALSE;
    log->heard.push_back("sel " + path + (okEnabled ? " ok" : " greyed"));
    if (log->enableOk && path != "<none>")
        SendMessageA(browser, BFFM_ENABLEOK, 0, log->enableOk(path) ? 1 : 0);
    return 0;
}

class BrowserTest : public MappedDrive {
protected:
    void SetUp() override
    {
        MappedDrive::SetUp();
        Folder("lib/a");
        Folder("lib/b/deep");
        Folder("other");
        Folder("library");  // shares the root's name as a prefix
        File("lib/notes.txt");
    }

    // Runs the browser rooted at `root` ("" for the desktop) with `actions`;
    // returns the chosen item's path ("<none>" when it has none, "" for NULL).
    std::string Browse(const std::string& root, std::vector<Action> actions, UINT flags = BIF_RETURNONLYFSDIRS)
    {
        m_display = std::make_unique<standin::ScriptedDisplay>(std::move(actions));
        standin::ScopedDisplay scoped(*m_display);
        const LPITEMIDLIST rootList = root.empty() ? nullptr : IdListOf(root);
        std::strcpy(m_displayName, "untouched");
        BROWSEINFOA info;
        info.hwndOwner = nullptr;
        info.pidlRoot = rootList;
        info.pszDisplayName = m_displayName;
        info.lpszTitle = "Select layout templates folder.";
        info.ulFlags = flags;
        info.lpfn = RecordingCallback;
        info.lParam = reinterpret_cast<LPARAM>(&m_log);
        info.iImage = -1;
        LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
        FreeIdList(rootList);
        if (!chosen)
            return "";
        const std::string path = PathOf(chosen);
        FreeIdList(chosen);
        return path;
    }

    // The EnableOk events: "<path> on" / "<path> off".
    std::vector<std::string> OkStates() const
    {
        std::vector<std::string> states;
        for (const Event& event : m_display->Events()) {
            if (event.kind == Event::Kind::EnableOk)
                states.push_back(event.text + (event.enabled ? " on" : " off"));
        }
        return states;
    }

    CallbackLog m_log;
    std::unique_ptr<standin::ScriptedDisplay> m_display;
    char m_displayName[MAX_PATH] = {};
};

TEST_F(BrowserTest, CallbackHearsInitThenRootThenEachHighlight)
{
    const std::string chosen = Browse("D:\\lib", {Action::Highlight("D:\\lib\\a"),
                                                  Action::Highlight(Native() + "/lib/b/"),  // native form
                                                  Action::Highlight("D:\\lib\\b\\deep"), Action::Click(IDOK)});
    EXPECT_EQ("D:\\lib\\b\\deep", chosen);
    EXPECT_STREQ("deep", m_displayName);
    EXPECT_THAT(m_log.heard, ElementsAre("init", "sel D:\\lib ok", "sel D:\\lib\\a ok", "sel D:\\lib\\b ok",
                                         "sel D:\\lib\\b\\deep ok"));
    EXPECT_EQ("", m_display->Error());
    ASSERT_FALSE(m_display->Events().empty());
    const Event& opened = m_display->Events().front();
    EXPECT_EQ(Event::Kind::FolderBrowserOpened, opened.kind);
    EXPECT_EQ("Select layout templates folder.", opened.caption);
    EXPECT_EQ("D:\\lib", opened.text);
}

TEST_F(BrowserTest, HighlightingTheHighlightedFolderAgainSendsNothing)
{
    Browse("D:\\lib", {Action::Highlight("D:\\lib\\a"), Action::Highlight("D:\\lib\\a\\"), Action::Highlight("D:\\lib"),
                       Action::Escape()});
    EXPECT_THAT(m_log.heard, ElementsAre("init", "sel D:\\lib ok", "sel D:\\lib\\a ok", "sel D:\\lib ok"));
}

TEST_F(BrowserTest, CancelEscapeCloseAndExhaustedInputReturnNull)
{
    const std::vector<std::vector<Action>> scripts = {
        {Action::Click(IDCANCEL)}, {Action::Escape()}, {Action::Close()}, {}};
    for (const auto& script : scripts) {
        SCOPED_TRACE(script.empty() ? "exhausted" : script.front().Describe());
        EXPECT_EQ("", Browse("D:\\lib", script));
        EXPECT_STREQ("untouched", m_displayName);
    }
}

TEST_F(BrowserTest, CallbackDecidesOkAndDisabledOkIgnoresClickAndEnter)
{
    m_log.enableOk = [](const std::string& path) { return path == "D:\\lib\\b"; };
    const std::string chosen = Browse("D:\\lib", {Action::Highlight("D:\\lib\\a"), Action::Click(IDOK), Action::Enter(),
                                                  Action::Highlight("D:\\lib\\b"), Action::Enter()});
    EXPECT_EQ("D:\\lib\\b", chosen);
    EXPECT_EQ("", m_display->Error());  // the ignored clicks were not rejected
    // The browser enables OK for each folder ("ok" above), then the callback decides.
    EXPECT_THAT(m_log.heard, ElementsAre("init", "sel D:\\lib ok", "sel D:\\lib\\a ok", "sel D:\\lib\\b ok"));
    EXPECT_THAT(OkStates(), ElementsAre("D:\\lib off", "D:\\lib\\a off", "D:\\lib\\b on"));
}

TEST_F(BrowserTest, VirtualItemGreysOkOnlyForFileSystemBrowsers)
{
    m_log.enableOk = [](const std::string&) { return true; };
    // With BIF_RETURNONLYFSDIRS the browser greys OK; the callback sends nothing.
    EXPECT_EQ("D:\\lib\\a", Browse("D:\\lib", {Action::HighlightVirtual(), Action::Click(IDOK),
                                               Action::Highlight("D:\\lib\\a"), Action::Click(IDOK)}));
    EXPECT_THAT(m_log.heard, ElementsAre("init", "sel D:\\lib ok", "sel <none> greyed", "sel D:\\lib\\a ok"));
    EXPECT_THAT(OkStates(), ElementsAre("D:\\lib on", "D:\\lib\\a on"));

    // Without it OK stays enabled and returns the virtual item.
    m_log = CallbackLog{};
    EXPECT_EQ("<none>", Browse("D:\\lib", {Action::HighlightVirtual(), Action::Click(IDOK)}, 0));
    EXPECT_STREQ("Network", m_displayName);
}

TEST_F(BrowserTest, DesktopRootIsAVirtualItemAboveEveryFolder)
{
    std::optional<standin::FolderBrowserState> seen;
    const std::string chosen = Browse(
        "", {Action::Click(IDOK),  // greyed on the desktop
             Action::Highlight("D:\\other"),
             Action::Inspect([&](HWND browser) { seen = standin::BrowserState(browser); }), Action::Click(IDOK)});
    EXPECT_EQ("D:\\other", chosen);
    EXPECT_THAT(m_log.heard, ElementsAre("init", "sel <none> greyed", "sel D:\\other ok"));
    EXPECT_EQ("", m_display->Events().front().text);
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ("Select layout templates folder.", seen->title);
    EXPECT_EQ("", seen->root);
    EXPECT_THAT(seen->topFolders, ElementsAre("D:\\", "\\"));
    EXPECT_EQ("D:\\other", seen->highlighted);
    EXPECT_EQ("other", seen->highlightedName);
    EXPECT_TRUE(seen->okEnabled);
    EXPECT_EQ(static_cast<UINT>(BIF_RETURNONLYFSDIRS), seen->flags);
}

TEST_F(BrowserTest, HighlightOutsideTheRootOrOfNoFolderIsRejected)
{
    struct Case {
        std::string path;
        std::string why;
    };
    const Case cases[] = {
        {"D:\\other", "not under the browser's root"},
        {"D:\\lib\\missing", "there is no folder"},
        {"D:\\lib\\notes.txt", "is a file"},
        {"lib\\a", "not an absolute path"},
        {"D:\\library", "not under the browser's root"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        m_log = CallbackLog{};
        EXPECT_EQ("", Browse("D:\\lib", {Action::Highlight(c.path), Action::Click(IDOK)}));
        EXPECT_THAT(m_display->Error(), ::testing::HasSubstr(c.why));
        EXPECT_THAT(m_log.heard, ElementsAre("init", "sel D:\\lib ok"));
    }
}

TEST_F(BrowserTest, SelectionSetAtInitializedReplacesTheRootSelection)
{
    m_log.onInitialized = [](HWND browser) {
        EXPECT_TRUE(SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>("D:\\lib\\b")));
        EXPECT_FALSE(SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>("D:\\other")));
    };
    EXPECT_EQ("D:\\lib\\b", Browse("D:\\lib", {Action::Enter()}));
    EXPECT_THAT(m_log.heard, ElementsAre("init", "sel D:\\lib\\b ok"));
}

// Without parameters nothing opens; without a display nothing can answer.
TEST(BrowserFailureTest, NeedsParametersAndSomeoneToAnswer)
{
    EXPECT_EQ(nullptr, SHBrowseForFolderA(nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    BROWSEINFOA info{};
    EXPECT_EQ(nullptr, SHBrowseForFolderA(&info));
}

}  // namespace
