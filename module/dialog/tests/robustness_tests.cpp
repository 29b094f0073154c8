// The dialog under faults and odd inputs: failing status queries and
// directory searches at start-up, templates and folders that vanish or break
// while the dialog is open, names no Windows folder could have, central
// libraries near and above MAX_PATH, an oversized job-preferences file,
// databases that are no files, and a folder of 100,000 entries. Whatever
// happens, the dialog answers with its messages and IDCANCEL, never a crash.
#include "CentralLibrary.h"
#include "TestDialog.h"

#include <standin/crt.h>
#include <testsupport/TempDrive.h>
#include <standin/oskel.h>
#include <standin/shell.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <set>

using namespace dialog_test;
using standin::Action;
using standin::Event;
using standin::oskel::ConductorLayer;
using standin::oskel::LayerDescription;

namespace {

const char kCannotOpen[] = "Can't open Layout Template database.";
const char kCannotDisplay[] = "Can't display the stackup.";

std::string NoValidTemplate(const std::string& central)
{
    return "Central library \"" + central + "\" doesn't contain any valid layout template.";
}

std::string Question(const std::string& central)
{
    return "Central library \"" + central +
           "\" doesn't contain directory with layout templates.\nWould you like to select one?";
}

class Robustness : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        standin::SetListingOrder(standin::ListingOrder::Ascending);
    }

    void TearDown() override
    {
        // Nothing of a search, the shell or a database outlives the dialog.
        EXPECT_EQ(0u, standin::OpenFindHandles());
        EXPECT_EQ(0u, standin::LiveItemIdLists());
        EXPECT_EQ(0, standin::ShellAllocatorReferences());
        EXPECT_EQ(0u, standin::oskel::OpenConnectionCount());
        DialogTest::TearDown();
    }

    // Runs a fresh dialog on `central` through the queued script, which must
    // be played to its end.
    INT_PTR Run(const std::string& central)
    {
        m_dialog = std::make_unique<TestDialog>(central.c_str(), "", "");
        const INT_PTR result = m_dialog->DoModal();
        EXPECT_EQ("", m_display.Error());
        EXPECT_EQ(0u, m_display.Pending());
        return result;
    }

    void Restart()
    {
        m_display = standin::ScriptedDisplay();
        m_states.clear();
    }

    std::vector<std::pair<std::string, bool>> EnableOkEvents() const
    {
        std::vector<std::pair<std::string, bool>> found;
        for (const Event& e : m_display.Events()) {
            if (e.kind == Event::Kind::EnableOk)
                found.emplace_back(e.text, e.enabled);
        }
        return found;
    }

    std::string Layout(const std::string& name) const { return std::string(kLayout) + "/" + name; }

    // Makes a folder below D:\lib whose Windows path is exactly `length`
    // bytes long, of names of `fill` (at most 200 bytes each), and returns
    // that path.
    std::string MakeLongCentral(std::size_t length, char fill)
    {
        std::string path = kCentral;
        while (path.size() < length) {
            const std::size_t room = length - path.size() - 1;  // after the backslash
            // A name of 200 bytes that left room for one backslash only would
            // leave a name of nothing after it.
            const std::size_t part = room <= 200 ? room : room == 201 ? 199 : 200;
            path += "\\" + std::string(part, fill);
        }
        MakeFolder(Relative(path));
        return path;
    }

    // The part of a path below D:\lib, written with '/'.
    static std::string Relative(const std::string& centralPath)
    {
        std::string relative = centralPath.substr(std::string(kCentral).size() + 1);
        std::replace(relative.begin(), relative.end(), '\\', '/');
        return relative;
    }

    std::unique_ptr<TestDialog> m_dialog;
};

TEST_F(Robustness, FailingQueriesAtStartUpEndWithTheirMessage)
{
    Make2007(Layout("4L"), {ConductorLayer(1, "TOP", 1, "Signal")});
    Make2005(Layout("6L"), Layers2005({{1, 1}}));
    Make2005("LayoutTemplates/2L", Layers2005({{0, 1}}));

    struct Case {
        const char* what;
        std::vector<std::string> failStat;
        std::vector<std::string> failFindFirst;
        std::vector<Action> script;
        INT_PTR result;
        std::vector<std::string> messages;
        std::string shown;  // the template displayed, if the dialog was shown
    };
    const Case cases[] = {
        {"central library cannot be queried",
         {"D:\\lib", "D:\\lib\\"},
         {},
         {},
         IDCANCEL,
         {"Central library \"D:\\lib\" doesn't exist."},
         ""},
        {"first candidate cannot be listed: it counts as empty",
         {},
         {"D:\\lib\\Templates\\Layout"},
         {Action::Click(IDOK)},
         IDOK,
         {},
         "2L"},
        {"neither candidate can be listed",
         {},
         {"D:\\lib\\Templates\\Layout", "D:\\lib\\LayoutTemplates"},
         {Action::Click(IDNO)},
         IDCANCEL,
         {Question("D:\\lib")},
         ""},
        {"candidate lists but its status fails",
         {"D:\\lib\\Templates\\Layout"},
         {},
         {Action::Enter()},
         IDCANCEL,
         {NoValidTemplate("D:\\lib")},
         ""},
        {"first template's marker cannot be queried",
         {"D:\\lib\\Templates\\Layout\\4L\\keyin.oskel\\sids"},
         {},
         {Action::Click(IDOK)},
         IDOK,
         {},
         "6L"},
        {"every template's folder fails",
         {"D:\\lib\\Templates\\Layout\\4L", "D:\\lib\\Templates\\Layout\\4L\\",
          "D:\\lib\\Templates\\Layout\\6L\\Layout\\Corvane.cvn"},
         {},
         {Action::Enter()},
         IDCANCEL,
         {NoValidTemplate("D:\\lib")},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Restart();
        standin::ClearFaults();
        for (const std::string& path : c.failStat)
            standin::FailStat(path, EACCES);
        for (const std::string& path : c.failFindFirst)
            standin::FailFindFirst(path);
        if (!c.shown.empty())
            Snapshot();
        for (const Action& action : c.script)
            Then(action);
        EXPECT_EQ(c.result, Run(kCentral));
        EXPECT_EQ(c.messages, MessageTexts());
        if (!c.shown.empty()) {
            ASSERT_EQ(1u, m_states.size());
            EXPECT_EQ(c.shown, m_states[0].selected);
            EXPECT_EQ(std::vector<std::string>{c.shown}, m_states[0].templates);
        }
    }
}

TEST_F(Robustness, TemplatesBreakingOrVanishingWhileTheDialogIsOpen)
{
    Make2007(Layout("4L"), {ConductorLayer(1, "TOP", 1, "Signal")});
    Make2005(Layout("6L"), Layers2005({{1, 1}, {0, 2}}));
    Make2007(Layout("8L"), {ConductorLayer(1, "TOP", 1)});
    Make2007(Layout("9L"), {ConductorLayer(1, "TOP", 1)});

    Snapshot();
    Then(Action::Inspect([&](HWND) {
        fs::remove_all(Native(Layout("6L")));
        // 8L's database becomes a folder, 9L's an empty file.
        const fs::path db8 = Native(Layout("8L/keyin.oskel/design.db"));
        fs::remove(db8);
        fs::create_directory(db8);
        std::ofstream(Native(Layout("9L/keyin.oskel/design.db")), std::ios::trunc).flush();
    }));
    Then(Action::Pick(IDC_COMBO1, "6L"));
    Snapshot();
    Then(Action::Pick(IDC_COMBO1, "8L"));
    Then(Action::Enter());
    Snapshot();
    Then(Action::Pick(IDC_COMBO1, "9L"));
    Then(Action::Enter());
    Then(Action::Inspect([&](HWND) { fs::remove_all(Native("Templates")); }));
    Then(Action::Pick(IDC_COMBO1, "4L"));
    Snapshot();
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run(kCentral));

    EXPECT_EQ((std::vector<std::string>{kCannotOpen, kCannotOpen}), MessageTexts());
    ASSERT_EQ(4u, m_states.size());
    EXPECT_EQ((Rows{{"1", "TOP", "Signal"}}), m_states[0].rows);
    EXPECT_EQ("6L", m_states[1].selected);
    EXPECT_EQ("2005", m_states[1].format);
    EXPECT_TRUE(m_states[1].rows.empty());
    EXPECT_EQ("8L", m_states[2].selected);
    EXPECT_EQ("2007", m_states[2].format);
    EXPECT_TRUE(m_states[2].rows.empty());
    // With its marker gone, 4L is told as a 2005 template that does not load.
    EXPECT_EQ("4L", m_states[3].selected);
    EXPECT_EQ("2005", m_states[3].format);
    EXPECT_TRUE(m_states[3].rows.empty());
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\4L", m_dialog->GetLayoutTemplatePath());
}

TEST_F(Robustness, BrowsedFolderVanishingBeforeOk)
{
    Make2005("mine/Layouts/6L", Layers2005({{1, 1}}));
    Make2005("mine/locked/6L", Layers2005({{1, 1}}));
    standin::FailFindFirst("D:\\lib\\mine\\locked");

    Then(Action::Click(IDYES));
    Then(Action::Highlight("D:\\lib\\mine\\locked"));
    Then(Action::Highlight("D:\\lib\\mine\\Layouts"));
    Then(Action::Inspect([&](HWND) { fs::remove_all(Native("mine/Layouts")); }));
    Then(Action::Click(IDOK));
    Then(Action::Enter());
    EXPECT_EQ(IDCANCEL, Run(kCentral));

    EXPECT_EQ((std::vector<std::pair<std::string, bool>>{
                  {"D:\\lib", false}, {"D:\\lib\\mine\\locked", false}, {"D:\\lib\\mine\\Layouts", true}}),
              EnableOkEvents());
    EXPECT_EQ((std::vector<std::string>{Question("D:\\lib"), NoValidTemplate("D:\\lib")}), MessageTexts());
    EXPECT_EQ("D:\\lib\\mine\\Layouts", m_dialog->m_templatesFolder);
}

TEST_F(Robustness, OddTemplateNamesArePickedAndHandedBackByteForByte)
{
    const std::vector<std::string> names{
        std::string(255, 'n'), "\xff\xfe not UTF-8",           "100% %s%n%d", "say \"cheese\" 'please'", "  spaces  ",
        "tab\tline\nend",      std::string("\x01\x1f\x7f", 3),
    };
    for (const std::string& name : names)
        Make2005(Layout(name), Layers2005({{1, 1}}));
    const std::string empty2007 = "zero \"%s\" 100%";
    Make2007(Layout(empty2007), std::vector<LayerDescription>{});
    // Not reachable through the run-time: a backslash is a separator there.
    Make2005(Layout("back\\slash"), Layers2005({{1, 1}}));

    Snapshot();
    for (const std::string& name : names) {
        Then(Action::Pick(IDC_COMBO1, name));
        Snapshot();
    }
    Then(Action::Pick(IDC_COMBO1, empty2007));
    Then(Action::Enter());
    Snapshot();
    Then(Action::Pick(IDC_COMBO1, names[1]));
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run(kCentral));

    EXPECT_EQ(std::vector<std::string>{"Layout template \"" + empty2007 + "\" doesn't have any layers."},
              MessageTexts());
    ASSERT_EQ(names.size() + 2, m_states.size());
    std::set<std::string> expected(names.begin(), names.end());
    expected.insert(empty2007);
    EXPECT_EQ(expected, std::set<std::string>(m_states[0].templates.begin(), m_states[0].templates.end()));
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(names[i], m_states[i + 1].selected);
        EXPECT_EQ((Rows{{"1", "SIGNAL_1", "Signal"}}), m_states[i + 1].rows);
    }
    EXPECT_EQ("2007", m_states.back().format);
    EXPECT_TRUE(m_states.back().rows.empty());
    EXPECT_EQ("D:\\lib\\Templates\\Layout\\" + names[1], std::string(m_dialog->GetLayoutTemplatePath()));
}

TEST_F(Robustness, CentralLibrariesNearAndAboveMaxPath)
{
    // Queried as they are, long paths work like short ones as long as no
    // MAX_PATH buffer is involved.
    for (const auto& [length, fill] : {std::pair<std::size_t, char>{259, 'a'}, {260, 'b'}, {300, 'c'}}) {
        SCOPED_TRACE(length);
        const std::string central = MakeLongCentral(length, fill);
        ASSERT_EQ(length, central.size());
        Make2005(Relative(central) + "/Templates/Layout/6L", Layers2005({{1, 1}}));
        Restart();
        Then(Action::Click(IDOK));
        EXPECT_EQ(IDOK, Run(central));
        EXPECT_TRUE(MessageTexts().empty());
        EXPECT_EQ(central + "\\Templates\\Layout\\6L", std::string(m_dialog->GetLayoutTemplatePath()));
    }

    // Browsing: a root of 259 bytes fits MAX_PATH with its terminator, so the
    // browser is rooted there and the callback can judge it.
    const std::string fits = MakeLongCentral(259, 'd');
    Make2005(Relative(fits) + "/6L", Layers2005({{1, 1}}));
    Restart();
    Then(Action::Click(IDYES));
    Then(Action::Click(IDOK));
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run(fits));
    EXPECT_EQ(std::vector<std::string>{Question(fits)}, MessageTexts());
    EXPECT_EQ((std::vector<std::pair<std::string, bool>>{{fits, true}}), EnableOkEvents());
    EXPECT_EQ(fits + "\\6L", std::string(m_dialog->GetLayoutTemplatePath()));

    // One byte more, and neither the root nor the chosen folder has a path
    // the shell can give: the browser starts at the desktop, the callback
    // leaves OK alone, and the chosen folder is not taken.
    for (const auto& [length, fill] : {std::pair<std::size_t, char>{260, 'e'}, {300, 'f'}}) {
        SCOPED_TRACE(length);
        const std::string central = MakeLongCentral(length, fill);
        Make2005(Relative(central) + "/6L", Layers2005({{1, 1}}));
        Restart();
        Then(Action::Click(IDYES));
        Then(Action::Highlight(central));
        Then(Action::Click(IDOK));
        Then(Action::Enter());
        EXPECT_EQ(IDCANCEL, Run(central));
        EXPECT_EQ((std::vector<std::string>{Question(central), NoValidTemplate(central)}), MessageTexts());
        std::vector<std::string> roots;
        for (const Event& e : m_display.Events()) {
            if (e.kind == Event::Kind::FolderBrowserOpened)
                roots.push_back(e.text);
        }
        EXPECT_EQ(std::vector<std::string>{""}, roots);
        EXPECT_TRUE(EnableOkEvents().empty());
        EXPECT_EQ(central + "\\LayoutTemplates", m_dialog->m_templatesFolder);
    }
}

TEST_F(Robustness, CentralLibraryNamedInBytesThatAreNotUtf8)
{
    // Converted for the shell, the name holds U+FFFD and names no folder: the
    // browser starts at the desktop, and the folders themselves still work.
    const std::string central = "D:\\lib\\\xff\xfe";
    Make2005("\xff\xfe/mine/6L", Layers2005({{1, 1}}));
    Then(Action::Click(IDYES));
    Then(Action::Highlight(central + "\\mine"));
    Then(Action::Click(IDOK));
    Snapshot();
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run(central));

    EXPECT_EQ(std::vector<std::string>{Question(central)}, MessageTexts());
    EXPECT_EQ((std::vector<std::pair<std::string, bool>>{{central + "\\mine", true}}), EnableOkEvents());
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ(central, m_states[0].central);
    EXPECT_EQ(central + "\\mine\\6L", std::string(m_dialog->GetLayoutTemplatePath()));
}

TEST_F(Robustness, JobPreferencesFileOfSixteenMebibytesAndOneByte)
{
    // Padded with comment lines to an exact size; the largest file read is
    // 16 MiB, one byte more is not read at all.
    const auto padded = [](std::size_t size) {
        std::string text = "[Corvane]\nVersion = 1\nLayerCount = 1\n[Layer 1]\nType = 1\nNumber = 1\n";
        const std::string line = ";" + std::string(98, '-') + "\n";
        while (text.size() + line.size() <= size)
            text += line;
        text += ";" + std::string(size - text.size() - 1, '-');
        return text;
    };
    constexpr std::size_t kLimit = 16 * 1024 * 1024;
    Make2005(Layout("a"), Layers2005({{0, 1}}));
    Make2005(Layout("big"), Layers2005({}));
    Make2005(Layout("max"), Layers2005({}));
    MakeFile(Layout("big/Layout/Corvane.cvn"), padded(kLimit + 1));
    MakeFile(Layout("max/Layout/Corvane.cvn"), padded(kLimit));
    ASSERT_EQ(kLimit + 1, fs::file_size(Native(Layout("big/Layout/Corvane.cvn"))));

    Snapshot();
    Then(Action::Pick(IDC_COMBO1, "big"));
    Snapshot();
    Then(Action::Pick(IDC_COMBO1, "max"));
    Snapshot();
    Then(Action::Escape());
    EXPECT_EQ(IDCANCEL, Run(kCentral));
    EXPECT_TRUE(MessageTexts().empty());
    ASSERT_EQ(3u, m_states.size());
    EXPECT_EQ((Rows{{"1", "PLANE_1", "Plane"}}), m_states[0].rows);
    EXPECT_EQ("2005", m_states[1].format);
    EXPECT_TRUE(m_states[1].rows.empty());
    EXPECT_EQ((Rows{{"1", "SIGNAL_1", "Signal"}}), m_states[2].rows);

    // As the first template, the oversized one ends start-up.
    fs::remove_all(Native(Layout("a")));
    Restart();
    Then(Action::Enter());
    EXPECT_EQ(IDCANCEL, Run(kCentral));
    EXPECT_EQ(std::vector<std::string>{kCannotDisplay}, MessageTexts());
}

TEST_F(Robustness, DatabasesThatAreNoFilesMakeNoValidTemplate)
{
    const auto marked = [&](const std::string& name) {
        MakeFile(Layout(name + "/keyin.oskel/sids"));
        return Native(Layout(name + "/keyin.oskel/design.db"));
    };
    fs::create_directories(marked("folder"));
    fs::create_symlink("design.db", marked("loop"));
    std::ofstream(marked("empty")).flush();
    ASSERT_EQ(0, ::mkfifo(marked("fifo").c_str(), 0600));

    Then(Action::Enter());
    EXPECT_EQ(IDCANCEL, Run(kCentral));
    EXPECT_EQ(std::vector<std::string>{NoValidTemplate("D:\\lib")}, MessageTexts());
    EXPECT_EQ(4u, standin::oskel::CallCount("OpenOskel"));
}

TEST_F(Robustness, BrowsingToAFolderOfAHundredThousandEntries)
{
    constexpr int kEntries = 100000;
    const testsupport::TempDrive drive('E', "ilt-dialog-big", testsupport::TempDrive::Medium::Memory);
    ASSERT_FALSE(drive.Root().empty());
    const fs::path big = drive.Root() / "lib" / "big";
    fs::create_directories(big);
    for (int i = 0; i < kEntries - 2; ++i) {
        const std::string path = (big / ("entry" + std::to_string(i))).string();
        const int file = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(file, 0) << path;
        ::close(file);
    }
    std::string error;
    ASSERT_TRUE(standin::oskel::WriteOskel((big / "4L" / "keyin.oskel").string(),
                                           standin::oskel::PcbDescription({ConductorLayer(1, "TOP", 1)}), &error))
        << error;
    ASSERT_TRUE(standin::corvane::Write2005Template((big / "6L").string(), Layers2005({{1, 1}}), &error)) << error;

    Then(Action::Click(IDYES));
    Then(Action::Highlight("E:\\lib\\big"));
    Then(Action::Click(IDOK));
    Snapshot();
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run("E:\\lib"));
    EXPECT_EQ((std::vector<std::pair<std::string, bool>>{{"E:\\lib", false}, {"E:\\lib\\big", true}}),
              EnableOkEvents());
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ((std::vector<std::string>{"4L", "6L"}), m_states[0].templates);
    EXPECT_STREQ("E:\\lib\\big\\4L", m_dialog->GetLayoutTemplatePath());
}

}  // namespace
