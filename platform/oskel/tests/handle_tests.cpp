// Handles own what they refer to; closing is harmless in every state.

#include "OskelFixture.h"
#include "standin/oskel.h"

namespace oskel_test {
namespace {

using namespace standin::oskel;

class HandleTest : public OskelTest {
protected:
    std::string WriteFourLayers()
    {
        return WriteTemplate(
            "4L", PcbDescription({ConductorLayer(1, "TOP", 1, std::string("SIGNAL")), OtherLayer(2, 1, "CORE"),
                                  ConductorLayer(3, "BOTTOM", 2, std::string("PLANE"))}));
    }

    // Reads every layer's name and usage, as the stack-up reader does.
    static std::vector<std::string> Describe(const Oskel::ITrelDesign& design)
    {
        std::vector<std::string> rows;
        for (const auto& layer : Layers(design)) {
            Oskel::String name;
            Oskel::String usage;
            Oskel::EConstraintType type;
            Oskel::ContainerT<const Oskel::ITrelConstraint> constraint;
            EXPECT_TRUE(layer->GetName(name));
            if (layer->GetConstraint(constraint, "LAYER_USAGE")) {
                EXPECT_TRUE(constraint->GetValueByString(usage, type));
            }
            rows.push_back(std::string(name.c_str()) + "/" + usage.c_str());
        }
        return rows;
    }
};

const std::vector<std::string> kFourLayers{"TOP/SIGNAL", "CORE/", "BOTTOM/PLANE"};

TEST_F(HandleTest, DesignOutlivesCloseAndClient)
{
    const std::string path = WriteFourLayers();
    Oskel::ContainerT<const Oskel::ITrelDesign> kept;
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    {
        Oskel::OskelPI client;
        kept = DesignOf(client, path);
        ASSERT_TRUE(client.GetSnapshotByName(snapshot, "PCB"));
        client.CloseOskel();
        EXPECT_EQ(OpenConnectionCount(), 0u);
        EXPECT_EQ(Describe(*kept), kFourLayers);
    }
    // The client is gone, and so is the folder: the design still answers from its own rows.
    fs::remove_all(m_root / "4L");
    EXPECT_EQ(Describe(*kept), kFourLayers);

    // Reaching a new object needs the connection.
    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    EXPECT_FALSE(snapshot->GetTrelConfig(config, "PCB"));
}

TEST_F(HandleTest, LayerAndConstraintOutliveTheirDesignAndCursor)
{
    const std::string path = WriteFourLayers();
    Oskel::ContainerT<const Oskel::ITrelLayer> layer;
    Oskel::ContainerT<const Oskel::ITrelConstraint> usage;
    {
        Oskel::OskelPI client;
        Oskel::IteratorT<const Oskel::ITrelLayer> cursor;
        ASSERT_TRUE(DesignOf(client, path)->GetIterLayers(cursor));
        layer = *cursor;
        ASSERT_TRUE(layer->GetConstraint(usage, "LAYER_USAGE"));
    }
    Oskel::String name;
    Oskel::String value;
    Oskel::EConstraintType type;
    EXPECT_TRUE(layer->GetName(name));
    EXPECT_STREQ(name.c_str(), "TOP");
    EXPECT_TRUE(usage->GetValueByString(value, type));
    EXPECT_STREQ(value.c_str(), "SIGNAL");
}

TEST_F(HandleTest, CursorWalksOnceAndStopsAtTheEnd)
{
    Oskel::OskelPI client;
    const auto design = DesignOf(client, WriteFourLayers());
    Oskel::IteratorT<const Oskel::ITrelLayer> cursor;
    ASSERT_TRUE(design->GetIterLayers(cursor));
    Oskel::IteratorT<const Oskel::ITrelLayer> copy = cursor;
    ++cursor;
    ++cursor;
    ++cursor;
    EXPECT_FALSE(cursor.IsValid());
    ++cursor;  // moving past the end stays at the end
    EXPECT_FALSE(cursor.IsValid());
    Oskel::ELayerType type;
    EXPECT_FALSE(cursor->GetType(type)) << "a cursor past the end gives the detached layer";

    EXPECT_TRUE(copy.IsValid()) << "a copy moves on its own";
    Oskel::String name;
    EXPECT_TRUE(copy->GetName(name));
    EXPECT_STREQ(name.c_str(), "TOP");
}

TEST_F(HandleTest, EmptyHandlesGiveObjectsThatFailEveryCall)
{
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    Oskel::ContainerT<const Oskel::ITrelDesign> design;
    Oskel::ContainerT<const Oskel::ITrelLayer> layer;
    Oskel::ContainerT<const Oskel::ITrelConstraint> constraint;
    Oskel::IteratorT<const Oskel::ITrelLayer> cursor;
    Oskel::String text;
    Oskel::EConstraintType valueType;
    Oskel::ELayerType layerType;
    int number;

    EXPECT_FALSE(snapshot->GetTrelConfig(config, "PCB"));
    EXPECT_FALSE(config->GetTrelDesign(design));
    EXPECT_FALSE(design->GetIterLayers(cursor));
    EXPECT_FALSE(cursor.IsValid());
    EXPECT_FALSE(layer->GetType(layerType));
    EXPECT_FALSE(layer->GetName(text));
    EXPECT_FALSE(layer->GetMetallicLayerNumber(number));
    EXPECT_FALSE(layer->GetConstraint(constraint, "LAYER_USAGE"));
    EXPECT_FALSE(constraint->GetValueByString(text, valueType));

    Oskel::MutableContainerT<Oskel::IBlock> blocks;
    Oskel::MutableContainerT<Oskel::IBlock> copy = blocks;
    EXPECT_TRUE(copy.IsEmpty());
}

TEST_F(HandleTest, CloseIsHarmlessInEveryState)
{
    const std::string path = WriteFourLayers();
    {
        Oskel::OskelPI neverOpened;
        neverOpened.CloseOskel();
        neverOpened.CloseOskel();
    }
    {
        Oskel::OskelPI failed;
        EXPECT_FALSE(Open(failed, WindowsPath("none")));
        failed.CloseOskel();
    }
    {
        Oskel::OskelPI twice;
        ASSERT_TRUE(Open(twice, path));
        twice.CloseOskel();
        twice.CloseOskel();
        Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
        EXPECT_FALSE(twice.GetSnapshotByName(snapshot, "PCB")) << "closed";
        ASSERT_TRUE(Open(twice, path)) << "a closed client opens again";
    }
    {
        // The destructor ends a connection nobody closed.
        Oskel::OskelPI abandoned;
        ASSERT_TRUE(Open(abandoned, path));
        EXPECT_EQ(OpenConnectionCount(), 1u);
    }
    EXPECT_EQ(OpenConnectionCount(), 0u);
}

}  // namespace
}  // namespace oskel_test
