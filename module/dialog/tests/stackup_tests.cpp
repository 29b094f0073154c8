// The stack-up display through the real dialog: the format label, the rows
// of both readers in the list view, their messages in message boxes, and
// what start-up and a pick make of a reader's failure. (What the readers
// read is tested beside them, in module/templates/tests.)
#include "CentralLibrary.h"
#include "TestDialog.h"

#include <standin/corvane.h>
#include <standin/crt.h>
#include <standin/oskel.h>

#include <algorithm>

using namespace dialog_test;
using standin::Action;
using standin::oskel::ConductorLayer;
using standin::oskel::LayerDescription;
using standin::oskel::OtherLayer;

namespace {

const char kCannotDisplay[] = "Can't display the stackup.";

class StackUp : public DialogTest {
protected:
    // Runs the dialog on the central library, recording its state once shown,
    // then after each pick, and ends it with Escape.
    INT_PTR ShowAndPick(const std::vector<std::string>& picks = {})
    {
        Snapshot();
        for (const std::string& name : picks) {
            Then(Action::Pick(IDC_COMBO1, name));
            Snapshot();
        }
        Then(Action::Escape());
        TestDialog dialog(kCentral, "", "");
        const INT_PTR result = dialog.DoModal();
        m_design = dialog.m_design;
        return result;
    }

    Oskel::ContainerT<const Oskel::ITrelDesign> m_design;
};

}  // namespace

TEST_F(StackUp, EachFormatFillsTheListAndLabelsItself)
{
    Make2007("Templates/Layout/4L", {ConductorLayer(1, "BOTTOM", 2, "Signal"), ConductorLayer(2, "TOP", 1)});
    Make2005("Templates/Layout/6L", Layers2005({{1, 1}, {2, 0}, {0, 2}}));
    standin::SetListingOrder(standin::ListingOrder::Ascending);  // 4L first

    EXPECT_EQ(IDCANCEL, ShowAndPick({"6L"}));
    ASSERT_EQ(2u, m_states.size());
    EXPECT_EQ("2007", m_states[0].format);
    EXPECT_EQ((Rows{{"1", "TOP", ""}, {"2", "BOTTOM", "Signal"}}), m_states[0].rows);
    EXPECT_EQ("2005", m_states[1].format);
    EXPECT_EQ((Rows{{"1", "SIGNAL_1", "Signal"}, {"2", "PLANE_2", "Plane"}}), m_states[1].rows);
    EXPECT_TRUE(MessageTexts().empty());

    // The design of the 2007 template read outlives the closed database.
    ASSERT_FALSE(m_design.IsEmpty());
    Oskel::IteratorT<const Oskel::ITrelLayer> layers;
    EXPECT_TRUE((*m_design).GetIterLayers(layers));
    EXPECT_TRUE(layers.IsValid());
}

TEST_F(StackUp, Tessel_UnreadableDatabaseCannotBeDisplayed)
{
    standin::corvane::Description noVersion = Layers2005({{1, 1}});
    noVersion.version.reset();
    standin::corvane::Description noCount = Layers2005({{1, 1}});
    noCount.omitLayerCount = true;

    for (const auto& description : {noVersion, noCount}) {
        SCOPED_TRACE(standin::corvane::FormatCorvane(description));
        fs::remove_all(Native("Templates"));
        Make2005("Templates/Layout/6L", description);
        m_display = standin::ScriptedDisplay();
        Then(Action::Enter());
        TestDialog dialog(kCentral, "", "");
        EXPECT_EQ(IDCANCEL, dialog.DoModal());
        // The dialog was shown; the reader said nothing of its own.
        const auto& events = m_display.Events();
        EXPECT_TRUE(std::any_of(events.begin(), events.end(), [](const standin::Event& e) {
            return e.kind == standin::Event::Kind::WindowShown && e.text == "Import Layout Template";
        }));
        EXPECT_EQ(std::vector<std::string>{kCannotDisplay}, MessageTexts());
    }
}

TEST_F(StackUp, Oskel_UnreadableLayerIsReportedOnlyByStartUp)
{
    LayerDescription broken = ConductorLayer(3, "L3", 3);
    broken.metalNumber.reset();
    Make2007("Templates/Layout/8L", {ConductorLayer(1, "L1", 1), ConductorLayer(2, "L2", 2), broken});
    Snapshot();
    TestDialog dialog(kCentral, "", "");
    EXPECT_EQ(IDCANCEL, dialog.DoModal());

    EXPECT_EQ(std::vector<std::string>{kCannotDisplay}, MessageTexts());
    ASSERT_EQ(1u, m_states.size());
    EXPECT_TRUE(m_states[0].rows.empty());
    EXPECT_EQ(0u, standin::oskel::OpenConnectionCount());
}

TEST_F(StackUp, Oskel_ReadersMessagesAreErrorBoxesBeforeStartUpsOwn)
{
    // The empty design is reported after the close, a failed step before it.
    Make2007("Templates/Layout/%s%n", std::vector<LayerDescription>{});
    Make2007("Templates/Layout/8L", {ConductorLayer(1, "TOP", 1)});
    std::vector<std::string> logWhileReported;
    Then(Action::Inspect([&](HWND) { logWhileReported = standin::oskel::CallLog(); }));
    Then(Action::Enter());  // the reader's message
    Then(Action::Enter());  // "Can't display the stackup."
    TestDialog empty(kCentral, "", "");
    standin::SetListingOrder(standin::ListingOrder::Ascending);  // %s%n first
    EXPECT_EQ(IDCANCEL, empty.DoModal());
    EXPECT_EQ((std::vector<std::string>{"Layout template \"%s%n\" doesn't have any layers.", kCannotDisplay}),
              MessageTexts());
    ASSERT_FALSE(logWhileReported.empty());
    EXPECT_EQ("CloseOskel", logWhileReported.back());

    fs::remove_all(Native("Templates/Layout/%s%n"));
    standin::oskel::ResetCallLog();
    standin::oskel::FailCall("GetTrelDesign");
    m_display = standin::ScriptedDisplay();
    Then(Action::Inspect([&](HWND) { logWhileReported = standin::oskel::CallLog(); }));
    TestDialog failing(kCentral, "", "");
    EXPECT_EQ(IDCANCEL, failing.DoModal());
    EXPECT_EQ((std::vector<std::string>{"Can't read TREL design from database.", kCannotDisplay}), MessageTexts());
    EXPECT_EQ("GetTrelDesign", logWhileReported.back()) << "shown while the database is open";
    for (const auto& box : m_display.MessageBoxes())
        EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), box.style);
}

TEST_F(StackUp, SwitchingTemplatesReplacesRowsAndLabel)
{
    Make2007("Templates/Layout/4L", {ConductorLayer(1, "TOP", 1, "Signal"), ConductorLayer(2, "BOT", 2, "Signal")});
    Make2005("Templates/Layout/6L", Layers2005({{1, 1}, {0, 2}, {0, 3}, {1, 4}, {0, 5}, {1, 6}}));
    MakeFolder("Templates/Layout/broken/Layout");
    for (const char* file : {"Tamsett.tms", "Corvane.cvn", "Halloway.hlw", "Dunmere.dnm"})
        MakeFile(std::string("Templates/Layout/broken/Layout/") + file);  // an empty Corvane.cvn does not load
    standin::SetListingOrder(standin::ListingOrder::Ascending);           // 4L first

    EXPECT_EQ(IDCANCEL, ShowAndPick({"6L", "broken", "4L"}));
    ASSERT_EQ(4u, m_states.size());
    EXPECT_EQ("2007", m_states[0].format);
    EXPECT_EQ(2u, m_states[0].rows.size());
    EXPECT_EQ("2005", m_states[1].format);
    EXPECT_EQ(6u, m_states[1].rows.size());
    EXPECT_EQ("6L", m_states[1].selected);
    EXPECT_EQ("2005", m_states[2].format);
    EXPECT_TRUE(m_states[2].rows.empty());
    EXPECT_EQ("broken", m_states[2].selected);
    EXPECT_EQ("2007", m_states[3].format);
    EXPECT_EQ((Rows{{"1", "TOP", "Signal"}, {"2", "BOT", "Signal"}}), m_states[3].rows);
    // After a pick no message is shown by the 2005 reader.
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(StackUp, FailedPickStillSelectsTheTemplate)
{
    Make2007("Templates/Layout/4L", {ConductorLayer(1, "TOP", 1)});
    Make2007("Templates/Layout/5L", std::vector<LayerDescription>{});
    standin::SetListingOrder(standin::ListingOrder::Ascending);
    Then(Action::Pick(IDC_COMBO1, "5L"));
    Then(Action::Enter());  // the reader's "no layers" message
    Snapshot();
    Then(Action::Click(IDOK));
    CImportLayoutTemplateDlg dialog(kCentral, "", "");
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(std::vector<std::string>{"Layout template \"5L\" doesn't have any layers."}, MessageTexts());
    ASSERT_EQ(1u, m_states.size());
    EXPECT_EQ("2007", m_states[0].format);
    EXPECT_TRUE(m_states[0].rows.empty());
    EXPECT_STREQ("D:\\lib\\Templates\\Layout\\5L", dialog.GetLayoutTemplatePath());
}
