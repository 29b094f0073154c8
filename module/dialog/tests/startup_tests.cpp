// Start-up of the dialog through DoModal: which folder is searched, the
// question and the folder browser, the messages of each way start-up can end,
// and what the controls show once it succeeds.
#include "CentralLibrary.h"
#include "TestDialog.h"

#include <standin/corvane.h>
#include <standin/shell.h>
#include <standin/win32.h>
#include <testsupport/FileQueryLog.h>

#include <commctrl.h>

#include <algorithm>
#include <functional>

using namespace dialog_test;
using standin::Action;
using standin::Event;
using standin::oskel::ConductorLayer;

namespace {

const UINT kErrorBox = MB_OK | MB_ICONSTOP;
const UINT kQuestionBox = MB_YESNO | MB_ICONEXCLAMATION;

class StartUp : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_liveIcons = standin::LiveIconCount();
    }

    void TearDown() override
    {
        // Whatever way start-up ended, nothing of the shell or the icon is left.
        EXPECT_EQ(0u, standin::LiveItemIdLists());
        EXPECT_EQ(0u, standin::ShellAllocatorReferences());
        EXPECT_EQ(m_liveIcons, standin::LiveIconCount());
        DialogTest::TearDown();
    }

    void MakeValid(const std::string& folder)
    {
        Make2007(folder + "/4L", {ConductorLayer(1, "TOP", 1, "Signal")});
        Make2005(folder + "/6L", Layers2005({{1, 1}, {0, 2}}));
    }

    // Runs the dialog on `central`, recording its state at the first wait.
    INT_PTR Run(const std::string& central, TestDialog** keep = nullptr)
    {
        m_dialog = std::make_unique<TestDialog>(central.c_str(), "", "");
        if (keep != nullptr)
            *keep = m_dialog.get();
        return m_dialog->DoModal();
    }

    bool DialogShown() const
    {
        const auto& events = m_display.Events();
        return std::any_of(events.begin(), events.end(), [](const Event& e) {
            return e.kind == Event::Kind::WindowShown && e.text == "Import Layout Template";
        });
    }

    std::vector<Event> EventsOf(Event::Kind kind) const
    {
        std::vector<Event> found;
        for (const Event& e : m_display.Events()) {
            if (e.kind == kind)
                found.push_back(e);
        }
        return found;
    }

    std::unique_ptr<TestDialog> m_dialog;
    std::size_t m_liveIcons = 0;
};

}  // namespace

TEST_F(StartUp, MissingCentralLibraryEndsBeforeTheDialogIsShown)
{
    for (const std::string central : {"D:\\nowhere", "", "D:\\100%s%n"}) {
        SCOPED_TRACE(central);
        m_display = standin::ScriptedDisplay();
        Then(Action::Enter());
        EXPECT_EQ(IDCANCEL, Run(central));
        const auto boxes = m_display.MessageBoxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ("Central library \"" + central + "\" doesn't exist.", boxes[0].text);
        EXPECT_EQ(kErrorBox, boxes[0].style);
        EXPECT_FALSE(DialogShown());
        EXPECT_STREQ("", m_dialog->GetLayoutTemplatePath());
    }
}

TEST_F(StartUp, FirstNonEmptyCandidateIsSearchedEvenWithoutTemplates)
{
    MakeFile("Templates/Layout/readme.txt", "not a template");
    MakeValid("LayoutTemplates");
    Then(Action::Enter());
    EXPECT_EQ(IDCANCEL, Run(kCentral));
    EXPECT_EQ(std::vector<std::string>{"Central library \"D:\\lib\" doesn't contain any valid layout template."},
              MessageTexts());
    EXPECT_FALSE(DialogShown());
    EXPECT_EQ("D:\\lib\\Templates\\Layout", m_dialog->m_templatesFolder);
}

TEST_F(StartUp, FirstCandidateWinsOverTheSecond)
{
    Make2005("Templates/Layout/2L", Layers2005({{1, 1}}));
    MakeValid("LayoutTemplates");
    Snapshot();
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run(kCentral));
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ(std::vector<std::string>{"2L"}, m_states[0].templates);
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\2L", m_dialog->GetLayoutTemplatePath());
}

TEST_F(StartUp, MissingAndEmptyFirstCandidatesArePassedOver)
{
    MakeValid("LayoutTemplates");
    for (bool emptyFirst : {false, true}) {
        SCOPED_TRACE(emptyFirst ? "empty Templates\\Layout" : "no Templates\\Layout");
        if (emptyFirst)
            MakeFolder("Templates/Layout");
        m_display = standin::ScriptedDisplay();
        Then(Action::Click(IDOK));
        EXPECT_EQ(IDOK, Run(kCentral));
        EXPECT_TRUE(MessageTexts().empty());
        EXPECT_EQ("D:\\lib\\LayoutTemplates", m_dialog->m_templatesFolder);
    }
}

TEST_F(StartUp, EachCandidateIsQueriedNormalised)
{
    // The candidates are written with '/' and normalised before the file
    // system is asked about them: the second too, though a later
    // normalisation of the folder found would hide its omission.
    MakeValid("LayoutTemplates");
    const testsupport::FileQueryLog log;
    ASSERT_TRUE(log.Working());
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run(kCentral));
    const std::vector<std::string> paths = log.Paths();
    const auto queried = [&](const std::string& folder) {
        return std::any_of(paths.begin(), paths.end(),
                           [&](const std::string& entry) { return entry.find(" " + folder) != std::string::npos; });
    };
    EXPECT_TRUE(queried("D:\\lib\\Templates\\Layout"));
    EXPECT_TRUE(queried("D:\\lib\\LayoutTemplates"));
    for (const std::string& entry : paths)
        EXPECT_EQ(std::string::npos, entry.find('/')) << entry;
}

TEST_F(StartUp, TrailingBackslashAndDriveRootDoubleTheBackslash)
{
    // The first candidate is appended to the normalised central library: one backslash.
    MakeValid("Templates/Layout");
    standin::SetListingOrder(standin::ListingOrder::Ascending);
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run("D:\\lib\\"));
    EXPECT_EQ("D:\\lib\\Templates\\Layout", m_dialog->m_templatesFolder);
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\4L", m_dialog->GetLayoutTemplatePath());
    fs::remove_all(Native("Templates"));

    // The second candidate is appended to the central library as given.
    m_display = standin::ScriptedDisplay();
    MakeValid("LayoutTemplates");
    standin::SetListingOrder(standin::ListingOrder::Ascending);
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run("D:\\lib\\"));
    EXPECT_EQ("D:\\lib\\\\LayoutTemplates", m_dialog->m_templatesFolder);
    EXPECT_STREQ("D:\\lib\\\\LayoutTemplates\\4L", m_dialog->GetLayoutTemplatePath());

    // A drive root keeps its backslash, so both candidates get a second one.
    Make2005("../Templates/Layout/2L", Layers2005({{1, 1}}));  // D:\Templates\Layout\2L
    m_display = standin::ScriptedDisplay();
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run("D:\\"));
    EXPECT_STREQ("D:\\\\Templates\\Layout\\2L", m_dialog->GetLayoutTemplatePath());
}

TEST_F(StartUp, CentralLibraryIsShownAsGiven)
{
    MakeFile("Templates/Layout/readme.txt");
    Then(Action::Enter());
    EXPECT_EQ(IDCANCEL, Run("D:/lib"));
    EXPECT_EQ(std::vector<std::string>{"Central library \"D:/lib\" doesn't contain any valid layout template."},
              MessageTexts());

    fs::remove(Native("Templates/Layout/readme.txt"));
    MakeValid("Templates/Layout");
    m_display = standin::ScriptedDisplay();
    Snapshot();
    Then(Action::Escape());
    EXPECT_EQ(IDCANCEL, Run("D:/lib"));
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ("D:/lib", m_states[0].central);
    EXPECT_EQ("NC/NP", m_states[0].constraint);
    EXPECT_EQ("D:\\lib\\Templates\\Layout", m_dialog->m_templatesFolder);
}

TEST_F(StartUp, DecliningTheQuestionOrCancellingTheBrowserEndsSilently)
{
    const std::string question =
        "Central library \"D:\\lib\" doesn't contain directory with layout templates.\n"
        "Would you like to select one?";
    for (const Action& answer : {Action::Click(IDNO), Action::Escape()}) {
        SCOPED_TRACE(answer.Describe());
        m_display = standin::ScriptedDisplay();
        Then(answer);  // Escape does nothing on a Yes/No box: the script then runs out
        EXPECT_EQ(IDCANCEL, Run(kCentral));
        const auto boxes = m_display.MessageBoxes();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(question, boxes[0].text);
        EXPECT_EQ(kQuestionBox, boxes[0].style);
        EXPECT_TRUE(EventsOf(Event::Kind::FolderBrowserOpened).empty());
        EXPECT_FALSE(DialogShown());
    }

    m_display = standin::ScriptedDisplay();
    Then(Action::Click(IDYES));
    Then(Action::Click(IDCANCEL));  // the browser
    EXPECT_EQ(IDCANCEL, Run(kCentral));
    EXPECT_EQ(std::vector<std::string>{question}, MessageTexts());
    const auto browsers = EventsOf(Event::Kind::FolderBrowserOpened);
    ASSERT_EQ(1u, browsers.size());
    EXPECT_EQ("Select layout templates folder.", browsers[0].caption);
    EXPECT_EQ("D:\\lib", browsers[0].text);
    EXPECT_FALSE(DialogShown());
}

TEST_F(StartUp, BrowserEnablesOkOnlyOnFoldersWithTemplates)
{
    MakeValid("mine/Layouts");
    MakeFile("mine/notes/readme.txt");
    standin::SetListingOrder(standin::ListingOrder::Ascending);
    Then(Action::Click(IDYES));
    Then(Action::Highlight("D:\\lib\\mine\\notes"));
    Then(Action::Click(IDOK));  // disabled: ignored
    Then(Action::HighlightVirtual());
    Then(Action::Highlight("D:\\lib\\mine\\Layouts"));
    Then(Action::Click(IDOK));
    Snapshot();
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run(kCentral));

    std::vector<std::pair<std::string, bool>> enableOk;
    for (const Event& e : EventsOf(Event::Kind::EnableOk))
        enableOk.emplace_back(e.text, e.enabled);
    // The root first, then each highlighted file-system folder; nothing for the virtual item.
    EXPECT_EQ((std::vector<std::pair<std::string, bool>>{
                  {"D:\\lib", false}, {"D:\\lib\\mine\\notes", false}, {"D:\\lib\\mine\\Layouts", true}}),
              enableOk);
    EXPECT_EQ("D:\\lib\\mine\\Layouts", m_dialog->m_templatesFolder);
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ("D:\\lib", m_states[0].central);
    EXPECT_STREQ("D:\\lib\\mine\\Layouts\\4L", m_dialog->GetLayoutTemplatePath());
}

TEST_F(StartUp, BrowsedFolderMayLieOutsideTheCentralLibrary)
{
    // A root the shell cannot parse (forward slashes) leaves the browser at the desktop.
    MakeValid("../elsewhere");
    Then(Action::Click(IDYES));
    Then(Action::Highlight("D:\\elsewhere"));
    Then(Action::Click(IDOK));
    Snapshot();
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run("D:/lib"));

    const auto browsers = EventsOf(Event::Kind::FolderBrowserOpened);
    ASSERT_EQ(1u, browsers.size());
    EXPECT_EQ("", browsers[0].text);
    EXPECT_EQ("D:\\elsewhere", m_dialog->m_templatesFolder);
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ("D:/lib", m_states[0].central);
    const std::string path = static_cast<LPCSTR>(m_dialog->GetLayoutTemplatePath());
    EXPECT_EQ(0u, path.rfind("D:\\elsewhere\\", 0)) << path;
}

TEST_F(StartUp, SelectionIsTheFirstTemplateFoundNotTheTopEntry)
{
    MakeValid("Templates/Layout");
    standin::SetListingOrder(standin::ListingOrder::Descending);  // 6L is found before 4L
    Snapshot();
    Then(Action::Escape());
    EXPECT_EQ(IDCANCEL, Run(kCentral));
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ((std::vector<std::string>{"4L", "6L"}), m_states[0].templates);
    EXPECT_EQ("6L", m_states[0].selected);
    EXPECT_EQ("2005", m_states[0].format);
    EXPECT_EQ((Rows{{"1", "SIGNAL_1", "Signal"}, {"2", "PLANE_2", "Plane"}}), m_states[0].rows);
}

TEST_F(StartUp, SecondShowingKeepsTheUsersPick)
{
    MakeValid("Templates/Layout");
    standin::SetListingOrder(standin::ListingOrder::Ascending);  // 4L is found first
    TestDialog dialog(kCentral, "", "");
    Then(Action::Pick(IDC_COMBO1, "6L"));
    Then(Action::Click(IDOK));
    ASSERT_EQ(IDOK, dialog.DoModal());

    Snapshot();
    Then(Action::Click(IDOK));
    ASSERT_EQ(IDOK, dialog.DoModal());
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ("6L", m_states[0].selected);
    EXPECT_EQ("2005", m_states[0].format);
    EXPECT_EQ((std::vector<std::string>{"4L", "6L"}), m_states[0].templates);
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\6L", dialog.GetLayoutTemplatePath());
}

TEST_F(StartUp, ShownDialogCarriesIconColumnsAndLabels)
{
    MakeValid("Templates/Layout");
    std::optional<standin::IconDetails> smallIcon;
    std::vector<std::pair<std::string, int>> columns;
    Then(Action::Inspect([&](HWND dialog) {
        smallIcon = standin::GetIconDetails(reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)));
        const HWND list = GetDlgItem(dialog, IDC_STACKUP_LIST);
        for (int i = 0; i < 3; ++i) {
            char heading[64] = {};
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = heading;
            column.cchTextMax = sizeof(heading);
            if (SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)))
                columns.emplace_back(heading, column.cx);
        }
    }));
    Snapshot();
    Then(Action::Escape());
    EXPECT_EQ(IDCANCEL, Run(kCentral));

    ASSERT_TRUE(smallIcon.has_value());
    EXPECT_EQ(16, smallIcon->width);
    EXPECT_EQ(16, smallIcon->height);
    EXPECT_EQ((std::vector<std::pair<std::string, int>>{{"", 30}, {"Layer name", 150}, {"Layer usage", 145}}), columns);
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ("D:\\lib", m_states[0].central);
    EXPECT_EQ("NC/NP", m_states[0].constraint);
    EXPECT_TRUE(m_states[0].visible);
}

TEST_F(StartUp, UnreadableFirstTemplateIsReportedAfterTheDialogIsShown)
{
    Make2007("Templates/Layout/4L", std::vector<standin::oskel::LayerDescription>{});
    Then(Action::Enter());
    Then(Action::Enter());
    EXPECT_EQ(IDCANCEL, Run(kCentral));
    EXPECT_EQ(
        (std::vector<std::string>{"Layout template \"4L\" doesn't have any layers.", "Can't display the stackup."}),
        MessageTexts());
    // Shown first, then the two messages.
    const auto& events = m_display.Events();
    const auto shown = std::find_if(events.begin(), events.end(), [](const Event& e) {
        return e.kind == Event::Kind::WindowShown && e.text == "Import Layout Template";
    });
    const auto firstBox = std::find_if(events.begin(), events.end(),
                                       [](const Event& e) { return e.kind == Event::Kind::MessageBoxOpened; });
    ASSERT_NE(events.end(), shown);
    EXPECT_LT(shown - events.begin(), firstBox - events.begin());
}

// The dialog with start-up's answer recorded.
class AnsweringDialog : public TestDialog {
public:
    using TestDialog::TestDialog;
    BOOL OnInitDialog() override
    {
        m_answer = TestDialog::OnInitDialog();
        return m_answer;
    }
    BOOL m_answer = -1;
};

TEST_F(StartUp, StartUpAnswersFalseOnEveryWayItEndsTheDialog)
{
    struct Case {
        const char* outcome;
        std::function<void()> prepare;
        std::vector<Action> actions;
    };
    const Case cases[] = {
        {"central library is no folder", [] {}, {Action::Enter()}},
        {"the user answers No", [this] { MakeFolder(""); }, {Action::Click(IDNO)}},
        {"the browser is cancelled", [this] { MakeFolder(""); }, {Action::Click(IDYES), Action::Click(IDCANCEL)}},
        {"no valid template", [this] { MakeFile("Templates/Layout/readme.txt"); }, {Action::Enter()}},
        {"the first stack-up cannot be displayed",
         [this] {
             standin::corvane::Description unloadable;
             unloadable.version.reset();
             Make2005("Templates/Layout/6L", unloadable);
         },
         {Action::Enter()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.outcome);
        fs::remove_all(Native());
        c.prepare();
        m_display = standin::ScriptedDisplay();
        for (const Action& action : c.actions)
            Then(action);
        AnsweringDialog dialog(kCentral, "", "");
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_EQ(FALSE, dialog.m_answer);
    }
}

TEST_F(StartUp, SuccessAnswersTrueAndTheDialogManagerFocusesOk)
{
    MakeValid("Templates/Layout");
    int focused = 0;
    Then(Action::Inspect([&](HWND) { focused = GetDlgCtrlID(GetFocus()); }));
    Then(Action::Escape());
    AnsweringDialog dialog(kCentral, "", "");
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(TRUE, dialog.m_answer);
    EXPECT_EQ(IDOK, focused) << "the first control with WS_TABSTOP takes the focus";
}

TEST_F(StartUp, A2005TemplateThatCannotBeInitialisedIsNotDisplayed)
{
    standin::corvane::FailOperation(standin::corvane::Operation::Init);
    Make2005("Templates/Layout/6L", Layers2005({{1, 1}}));
    Then(Action::Enter());
    EXPECT_EQ(IDCANCEL, Run(kCentral));
    EXPECT_EQ(std::vector<std::string>{"Can't display the stackup."}, MessageTexts());
    EXPECT_TRUE(DialogShown());

    // After a pick the view stays empty and nothing is said.
    Make2007("Templates/Layout/4L", {ConductorLayer(1, "TOP", 1, "Signal")});
    standin::SetListingOrder(standin::ListingOrder::Ascending);  // 4L first
    m_display = standin::ScriptedDisplay();
    Then(Action::Pick(IDC_COMBO1, "6L"));
    Snapshot();
    Then(Action::Click(IDOK));
    EXPECT_EQ(IDOK, Run(kCentral));
    standin::corvane::ClearFailures();
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ("2005", m_states[0].format);
    EXPECT_TRUE(m_states[0].rows.empty());
    EXPECT_TRUE(MessageTexts().empty());
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\6L", m_dialog->GetLayoutTemplatePath());
}

TEST_F(StartUp, EachShowingDestroysTheSmallIconItLoaded)
{
    MakeValid("Templates/Layout");
    TestDialog dialog(kCentral, "", "");
    for (int showing = 0; showing < 10; ++showing) {
        std::size_t iconsWhileShown = 0;
        Then(Action::Inspect([&](HWND) { iconsWhileShown = standin::LiveIconCount(); }));
        Then(Action::Escape());
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        EXPECT_EQ(m_liveIcons + 1, iconsWhileShown) << "one small icon while shown";
        EXPECT_EQ(m_liveIcons, standin::LiveIconCount()) << "none left when closed, showing " << showing;
    }
}
