// The stack-up readers of both formats: the rows they produce, the messages
// they show and when, and the calls they make of the two client libraries.

#include <array>
#include <functional>

#include "DiscoveryFixture.h"
#include "standin/corvane.h"
#include "standin/oskel.h"
#include "templates/TemplateFormats.h"

namespace discovery_test {
namespace {

using Calls = std::vector<std::string>;
using Rows = std::vector<std::array<std::string, 3>>;
namespace corvane = standin::corvane;
namespace oskel = standin::oskel;
using oskel::ConductorLayer;
using oskel::LayerDescription;
using oskel::OtherLayer;

const char kCannotOpen[] = "Can't open Layout Template database.";

// Keeps what a reader hands over, and the clients' call logs at each moment
// it hands something over.
class RecordingOutput : public StackupOutput {
public:
    void AppendRow(const StackupRow& row) override
    {
        rows.push_back({row.number, row.layerName, row.layerUsage});
        corvaneLogAtRow.push_back(corvane::CallLog());
    }
    void ShowMessage(const char* text) override
    {
        messages.push_back(text);
        oskelLogAtMessage.push_back(oskel::CallLog());
    }
    Oskel::ContainerT<const Oskel::ITrelDesign>& Design() override { return design; }

    Rows rows;
    std::vector<std::string> messages;
    std::vector<Calls> corvaneLogAtRow;
    std::vector<Calls> oskelLogAtMessage;
    Oskel::ContainerT<const Oskel::ITrelDesign> design;
};

class StackupTest : public DiscoveryTest {
protected:
    // Reads the template `name` of the layout-templates folder in `format`.
    int Read(const TemplateFormat& format, const std::string& name)
    {
        oskel::ResetCallLog();
        corvane::ResetCallLog();
        m_output = RecordingOutput();
        return format.readStackup(m_layoutFolder, name, m_output);
    }

    // A job-preferences description whose layers have these (type, number) pairs.
    static corvane::Description Layers2005(const std::vector<std::pair<int, int>>& layers)
    {
        corvane::Description description;
        for (const auto& [type, number] : layers)
            description.layers.push_back({type, number});
        return description;
    }

    RecordingOutput m_output;
};

TEST_F(StackupTest, Reader2005ShowsSignalAndPlaneLayersInIndexOrderAsTheyAreRead)
{
    corvane::Description description = Layers2005({{1, 1}, {2, 0}, {0, 2}, {1, 0}, {1, 3}});
    description.layers[1].number.reset();      // a dielectric without a number
    description.layers[3].omitSection = true;  // index 4 cannot be found
    Make2005("6L", description);

    EXPECT_EQ(1, Read(kFormat2005, "6L"));
    EXPECT_EQ((Rows{{"1", "SIGNAL_1", "Signal"}, {"2", "PLANE_2", "Plane"}, {"3", "SIGNAL_3", "Signal"}}),
              m_output.rows);
    EXPECT_TRUE(m_output.messages.empty());
    EXPECT_EQ(corvane::CallLog(), (Calls{"CCorvane",          "Init",           "Load",
                                         "CCorvaneLayer",     "GetLayerCount",  "FindLayer(1)",
                                         "GetLayerTypeValue", "GetLayerNumber", "FindLayer(2)",
                                         "GetLayerTypeValue", "FindLayer(3)",   "GetLayerTypeValue",
                                         "GetLayerNumber",    "FindLayer(4)",   "FindLayer(5)",
                                         "GetLayerTypeValue", "GetLayerNumber", "Close",
                                         "~CCorvaneLayer",    "~CCorvane"}));
    // Each row is written as soon as its layer has been read.
    ASSERT_EQ(3u, m_output.corvaneLogAtRow.size());
    EXPECT_EQ("FindLayer(1)", m_output.corvaneLogAtRow[0].end()[-3]);
    EXPECT_EQ("FindLayer(3)", m_output.corvaneLogAtRow[1].end()[-3]);
    EXPECT_EQ("FindLayer(5)", m_output.corvaneLogAtRow[2].end()[-3]);
}

TEST_F(StackupTest, Reader2005SkipsAnUnreadableLayerAndGoesOn)
{
    // Whatever makes an index unreadable, the layers after it are still shown.
    corvane::Description noNumber = Layers2005({{1, 1}, {0, 2}, {1, 3}});
    noNumber.layers[0].number.reset();
    corvane::Description noKind = Layers2005({{1, 1}, {0, 2}, {1, 3}});
    noKind.layers[0].type.reset();
    corvane::Description noSection = Layers2005({{1, 1}, {0, 2}, {1, 3}});
    noSection.layers[0].omitSection = true;
    corvane::Description unknownKind = Layers2005({{7, 1}, {0, 2}, {1, 3}});

    for (const auto& description : {noNumber, noKind, noSection, unknownKind}) {
        SCOPED_TRACE(corvane::FormatCorvane(description));
        Make2005("6L", description);
        EXPECT_EQ(1, Read(kFormat2005, "6L"));
        EXPECT_EQ((Rows{{"1", "PLANE_2", "Plane"}, {"2", "SIGNAL_3", "Signal"}}), m_output.rows);
    }
}

TEST_F(StackupTest, Reader2005NamesFollowLayerNumbersNotIndexes)
{
    Make2005("6L", Layers2005({{1, 4}, {0, 1}, {1, 4}, {1, -2147483647 - 1}}));
    EXPECT_EQ(1, Read(kFormat2005, "6L"));
    EXPECT_EQ((Rows{{"1", "SIGNAL_4", "Signal"},
                    {"2", "PLANE_1", "Plane"},
                    {"3", "SIGNAL_4", "Signal"},
                    {"4", "SIGNAL_-2147483648", "Signal"}}),
              m_output.rows);
}

TEST_F(StackupTest, Reader2005WithoutLayersSucceedsEmpty)
{
    Make2005("6L", Layers2005({}));
    EXPECT_EQ(1, Read(kFormat2005, "6L"));
    EXPECT_TRUE(m_output.rows.empty());
    EXPECT_EQ(corvane::CallLog(), (Calls{"CCorvane", "Init", "Load", "CCorvaneLayer", "GetLayerCount", "Close",
                                         "~CCorvaneLayer", "~CCorvane"}));
}

TEST_F(StackupTest, Reader2005FailuresWriteNothingAndCloseAfterEverySuccessfulInit)
{
    Make2005("6L", Layers2005({{1, 1}}));
    corvane::Description noCount = Layers2005({{1, 1}});
    noCount.omitLayerCount = true;
    Make2005("nocount", noCount);
    Make2005("nofile", {"Corvane.cvn"});

    corvane::FailOperation(corvane::Operation::Init);
    EXPECT_EQ(0, Read(kFormat2005, "6L"));
    EXPECT_EQ(corvane::CallLog(), (Calls{"CCorvane", "Init", "~CCorvane"})) << "no Close without an Init";
    corvane::ClearFailures();

    EXPECT_EQ(0, Read(kFormat2005, "nofile"));
    EXPECT_EQ(corvane::CallLog(), (Calls{"CCorvane", "Init", "Load", "Close", "~CCorvane"}));

    EXPECT_EQ(0, Read(kFormat2005, "nocount")) << "a count that cannot be read is no empty stack-up";
    EXPECT_EQ(corvane::CallLog(), (Calls{"CCorvane", "Init", "Load", "CCorvaneLayer", "GetLayerCount", "Close",
                                         "~CCorvaneLayer", "~CCorvane"}));

    EXPECT_TRUE(m_output.rows.empty());
    EXPECT_TRUE(m_output.messages.empty()) << "the 2005 reader never shows a message";
}

TEST_F(StackupTest, Reader2007RowsFollowMetalLayerNumbersAndTheDesignOutlivesTheClose)
{
    Make2007("8L", oskel::PcbDescription({
                       ConductorLayer(1, "BOTTOM", 3, std::string("Signal")),
                       OtherLayer(2, 1, "CORE"),
                       ConductorLayer(3, "TOP", 1, std::string("Signal")),
                       ConductorLayer(4, "GND", 2),                             // no usage
                       ConductorLayer(5, "GND_COPY", 2, std::string("Plane")),  // the first met for 2 wins
                       ConductorLayer(6, "BACKDRILL", -1, std::string("Mechanical")),
                   }));
    EXPECT_EQ(1, Read(kFormat2007, "8L"));
    EXPECT_EQ(
        (Rows{{"1", "BACKDRILL", "Mechanical"}, {"2", "TOP", "Signal"}, {"3", "GND", ""}, {"4", "BOTTOM", "Signal"}}),
        m_output.rows);
    EXPECT_TRUE(m_output.messages.empty());
    EXPECT_EQ(oskel::CallCount("CloseOskel"), 1u);
    EXPECT_EQ(oskel::CallRecords()[0].argument, Element("8L") + "\\keyin.oskel");
    EXPECT_EQ(oskel::CallRecords()[0].clientLabel, "Quillet_LT");

    ASSERT_FALSE(m_output.design.IsEmpty());
    Oskel::IteratorT<const Oskel::ITrelLayer> layers;
    EXPECT_TRUE((*m_output.design).GetIterLayers(layers));
    EXPECT_TRUE(layers.IsValid());
}

TEST_F(StackupTest, Reader2007LayersOfOtherKindsOnlySucceedEmpty)
{
    Make2007("8L", oskel::PcbDescription({OtherLayer(1, 1, "CORE"), OtherLayer(2, 2, "MASK")}));
    EXPECT_EQ(1, Read(kFormat2007, "8L"));
    EXPECT_TRUE(m_output.rows.empty());
    EXPECT_TRUE(m_output.messages.empty());
}

TEST_F(StackupTest, Reader2007UnreadableLayerStopsSilentlyWithoutClosing)
{
    for (const char* broken : {"type", "name", "metal_number"}) {
        SCOPED_TRACE(broken);
        LayerDescription third = ConductorLayer(3, "L3", 3);
        if (std::string(broken) == "type")
            third.type.reset();
        else if (std::string(broken) == "name")
            third.name.reset();
        else
            third.metalNumber.reset();
        fs::remove_all(Native("8L"));
        Make2007("8L", oskel::PcbDescription({ConductorLayer(1, "L1", 1), ConductorLayer(2, "L2", 2), third}));

        EXPECT_EQ(0, Read(kFormat2007, "8L"));
        EXPECT_TRUE(m_output.rows.empty());
        EXPECT_TRUE(m_output.messages.empty());
        EXPECT_EQ(oskel::CallCount("CloseOskel"), 0u);
        EXPECT_EQ(oskel::OpenConnectionCount(), 0u) << "destroying the client ended the connection";
    }
}

TEST_F(StackupTest, Reader2007EmptyDesignIsClosedThenReported)
{
    Make2007("%s%n", oskel::PcbDescription({}));
    EXPECT_EQ(0, Read(kFormat2007, "%s%n"));
    EXPECT_EQ(m_output.messages, Calls{"Layout template \"%s%n\" doesn't have any layers."});
    ASSERT_EQ(1u, m_output.oskelLogAtMessage.size());
    EXPECT_EQ("CloseOskel", m_output.oskelLogAtMessage[0].back()) << "closed before the message";
    EXPECT_TRUE(m_output.rows.empty());
}

TEST_F(StackupTest, Reader2007TellsEachFailingStepBeforeItCloses)
{
    struct Case {
        const char* failingCall;
        const char* message;
    };
    const Case cases[] = {
        {"OpenOskel", kCannotOpen},
        {"GetSnapshotByName", kCannotOpen},
        {"GetTrelConfig", kCannotOpen},
        {"GetTrelDesign", "Can't read TREL design from database."},
        {"GetIterLayers", "Can't get layers from database."},
    };
    Make2007("8L", oskel::PcbDescription({ConductorLayer(1, "TOP", 1)}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failingCall);
        oskel::ClearFailures();
        oskel::FailCall(c.failingCall);
        EXPECT_EQ(0, Read(kFormat2007, "8L"));
        EXPECT_EQ(m_output.messages, Calls{c.message});
        ASSERT_EQ(1u, m_output.oskelLogAtMessage.size());
        EXPECT_EQ(c.failingCall, m_output.oskelLogAtMessage[0].back()) << "the message comes before the close";
        EXPECT_EQ(oskel::CallLog().end()[-2], "CloseOskel") << "every failure of a step is closed";
        EXPECT_TRUE(m_output.rows.empty());
    }
}

TEST_F(StackupTest, EachFormatReadsWhatItsTestAccepts)
{
    // The format test decides the reader: a marked folder with a complete
    // Layout folder is read as 2007.
    Make2007("both", oskel::PcbDescription({ConductorLayer(1, "TOP", 1, std::string("Signal"))}));
    Make2005("both", Layers2005({{1, 7}}));
    Make2005("plain", Layers2005({{1, 7}}));

    const TemplateFormat& marked = FormatOfTemplate(Element("both"));
    EXPECT_STREQ("2007", marked.label);
    EXPECT_EQ(1, marked.readStackup(m_layoutFolder, "both", m_output));
    EXPECT_EQ((Rows{{"1", "TOP", "Signal"}}), m_output.rows);

    const TemplateFormat& plain = FormatOfTemplate(Element("plain"));
    EXPECT_STREQ("2005", plain.label);
    m_output = RecordingOutput();
    EXPECT_EQ(1, plain.readStackup(m_layoutFolder, "plain", m_output));
    EXPECT_EQ((Rows{{"1", "SIGNAL_7", "Signal"}}), m_output.rows);
}

}  // namespace
}  // namespace discovery_test
