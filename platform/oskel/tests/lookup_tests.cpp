// Lookups by name, layer order and the strict reading of column values.

#include <climits>

#include "OskelFixture.h"

namespace oskel_test {
namespace {

using namespace standin::oskel;

class LookupTest : public OskelTest {};

TEST_F(LookupTest, NamesMatchExactly)
{
    Description description;
    description.snapshots.push_back(
        SnapshotDescription{"PCB", {ConfigDescription{"PCB", DesignDescription{}}, ConfigDescription{"Alt", {}}}});
    description.snapshots.push_back(SnapshotDescription{"Other", {ConfigDescription{"Only", {}}}});
    const std::string path = WriteTemplate("t", description);

    Oskel::OskelPI client;
    ASSERT_TRUE(Open(client, path));
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    for (const char* wrong : {"pcb", "PCB ", " PCB", "PC", "", "PCB\n"}) {
        SCOPED_TRACE(wrong);
        EXPECT_FALSE(client.GetSnapshotByName(snapshot, wrong));
        EXPECT_TRUE(snapshot.IsEmpty()) << "a failed call leaves the handle as it was";
    }
    ASSERT_TRUE(client.GetSnapshotByName(snapshot, "PCB"));

    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    EXPECT_FALSE(snapshot->GetTrelConfig(config, "pcb"));
    EXPECT_FALSE(snapshot->GetTrelConfig(config, "Only")) << "a configuration of another snapshot";
    EXPECT_TRUE(config.IsEmpty());
    ASSERT_TRUE(snapshot->GetTrelConfig(config, "Alt"));

    Oskel::ContainerT<const Oskel::ITrelDesign> design;
    EXPECT_FALSE(config->GetTrelDesign(design)) << "configuration Alt has no design";
    ASSERT_TRUE(snapshot->GetTrelConfig(config, "PCB"));
    ASSERT_TRUE(config->GetTrelDesign(design));
    EXPECT_TRUE(Layers(*design).empty());
}

TEST_F(LookupTest, NamesComparedAsBytesEvenUnderACaseBlindColumn)
{
    const std::string path = WriteTemplate("t", PcbDescription({}));
    // A hand-made database may declare its own collation; the client still compares bytes.
    ExecuteSql(DatabaseFile("t"),
               "CREATE TABLE s2 (id INTEGER PRIMARY KEY, name TEXT NOT NULL COLLATE NOCASE UNIQUE);"
               "INSERT INTO s2 SELECT * FROM snapshot; DROP TABLE snapshot; ALTER TABLE s2 RENAME TO snapshot;");
    Oskel::OskelPI client;
    ASSERT_TRUE(Open(client, path));
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    EXPECT_FALSE(client.GetSnapshotByName(snapshot, "pcb"));
    EXPECT_TRUE(client.GetSnapshotByName(snapshot, "PCB"));
}

TEST_F(LookupTest, LayersComeInAscendingPosition)
{
    const std::string path = WriteTemplate("t", PcbDescription({ConductorLayer(30, "C", 3), OtherLayer(-5, 1, "A"),
                                                                ConductorLayer(7, "B", 1), OtherLayer(100, 2, "D")}));
    Oskel::OskelPI client;
    const auto design = DesignOf(client, path);
    std::vector<std::string> names;
    for (const auto& layer : Layers(*design)) {
        Oskel::String name;
        EXPECT_TRUE(layer->GetName(name));
        names.push_back(name.c_str());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST_F(LookupTest, LayerValuesAreReadStrictly)
{
    LayerDescription nulls;  // type, name and metal number all NULL
    nulls.position = 1;
    LayerDescription tooLarge = ConductorLayer(2, "big", static_cast<long long>(INT_MAX) + 1);
    tooLarge.type = static_cast<long long>(INT_MIN) - 1;
    LayerDescription extremes = ConductorLayer(3, "edges", INT_MIN);
    extremes.type = INT_MAX;
    LayerDescription textual = ConductorLayer(4, "text", 1);
    LayerDescription real = ConductorLayer(5, "real", 1);
    const std::string path = WriteTemplate("t", PcbDescription({nulls, tooLarge, extremes, textual, real}));
    ExecuteSql(DatabaseFile("t"),
               "UPDATE trel_layer SET type = 'zero', metal_number = '1x' WHERE position = 4;"
               "UPDATE trel_layer SET type = 0.5, metal_number = 2.25 WHERE position = 5;"
               "UPDATE trel_layer SET name = x'414243' WHERE position = 5;");

    Oskel::OskelPI client;
    const auto layers = Layers(*DesignOf(client, path));
    ASSERT_EQ(layers.size(), 5u);

    // A failed read leaves the out-value as it was.
    const auto expectUnreadable = [](const Oskel::ITrelLayer& layer, bool nameReadable) {
        Oskel::ELayerType type = Oskel::eSilkscreenLayer;
        int number = 42;
        Oskel::String name("kept");
        EXPECT_FALSE(layer.GetType(type));
        EXPECT_FALSE(layer.GetMetallicLayerNumber(number));
        EXPECT_EQ(type, Oskel::eSilkscreenLayer);
        EXPECT_EQ(number, 42);
        EXPECT_EQ(layer.GetName(name).IsSuccess(), nameReadable);
        if (!nameReadable) {
            EXPECT_STREQ(name.c_str(), "kept");
        }
    };
    {
        SCOPED_TRACE("NULL columns");
        expectUnreadable(*layers[0], false);
    }
    {
        SCOPED_TRACE("outside int");
        expectUnreadable(*layers[1], true);
    }
    {
        SCOPED_TRACE("text in integer columns");
        expectUnreadable(*layers[3], true);
    }
    {
        SCOPED_TRACE("reals and a blob name");
        expectUnreadable(*layers[4], false);
    }

    Oskel::ELayerType type = Oskel::eConductorLayer;
    int number = 0;
    EXPECT_TRUE(layers[2]->GetType(type));
    EXPECT_EQ(static_cast<int>(type), INT_MAX) << "any int kind is passed on";
    EXPECT_TRUE(layers[2]->GetMetallicLayerNumber(number));
    EXPECT_EQ(number, INT_MIN);
}

TEST_F(LookupTest, ConstraintsByExactName)
{
    LayerDescription layer = ConductorLayer(1, "TOP", 1, std::string("SIGNAL"));
    layer.constraints.push_back(ConstraintDescription{"layer_usage", std::string("lower"), 0});
    layer.constraints.push_back(ConstraintDescription{"NO_VALUE", std::nullopt, 1});
    layer.constraints.push_back(
        ConstraintDescription{"WIDE_TYPE", std::string("x"), static_cast<long long>(INT_MAX) + 1});
    layer.constraints.push_back(ConstraintDescription{"TYPED", std::string("0.2mm"), 3});
    const std::string path = WriteTemplate("t", PcbDescription({layer, ConductorLayer(2, "BOTTOM", 2)}));

    Oskel::OskelPI client;
    const auto layers = Layers(*DesignOf(client, path));
    ASSERT_EQ(layers.size(), 2u);

    Oskel::ContainerT<const Oskel::ITrelConstraint> constraint;
    Oskel::String value;
    Oskel::EConstraintType type = Oskel::eRealConstraint;
    ASSERT_TRUE(layers[0]->GetConstraint(constraint, "LAYER_USAGE"));
    ASSERT_TRUE(constraint->GetValueByString(value, type));
    EXPECT_STREQ(value.c_str(), "SIGNAL");
    EXPECT_EQ(type, Oskel::eStringConstraint);

    ASSERT_TRUE(layers[0]->GetConstraint(constraint, "TYPED"));
    ASSERT_TRUE(constraint->GetValueByString(value, type));
    EXPECT_STREQ(value.c_str(), "0.2mm");
    EXPECT_EQ(type, Oskel::eLengthConstraint);

    for (const char* unreadable : {"NO_VALUE", "WIDE_TYPE"}) {
        SCOPED_TRACE(unreadable);
        ASSERT_TRUE(layers[0]->GetConstraint(constraint, unreadable));
        Oskel::String kept("kept");
        EXPECT_FALSE(constraint->GetValueByString(kept, type));
        EXPECT_STREQ(kept.c_str(), "kept");
    }

    Oskel::ContainerT<const Oskel::ITrelConstraint> none;
    EXPECT_FALSE(layers[0]->GetConstraint(none, "LAYER_USAGE "));
    EXPECT_FALSE(layers[0]->GetConstraint(none, nullptr));
    EXPECT_FALSE(layers[1]->GetConstraint(none, "LAYER_USAGE")) << "constraints belong to their own layer";
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(LookupTest, UnreadableLayersFailOnlyTheCallThatNeedsThem)
{
    const std::string path = WriteTemplate("t", PcbDescription({ConductorLayer(1, "TOP", 1, std::string("S"))}));
    // A view that fails when a row is read stands in for damaged pages: abs()
    // of the smallest integer overflows.
    ExecuteSql(DatabaseFile("t"),
               "ALTER TABLE trel_constraint RENAME TO c_rows;"
               "CREATE VIEW trel_constraint AS SELECT layer_id, name, value, value_type FROM c_rows"
               " WHERE abs(-9223372036854775807 - 1 + 0 * layer_id) > 0;");
    Oskel::OskelPI client;
    const auto design = DesignOf(client, path);
    const auto layers = Layers(*design);
    ASSERT_EQ(layers.size(), 1u);
    Oskel::String name;
    EXPECT_TRUE(layers[0]->GetName(name));
    Oskel::ContainerT<const Oskel::ITrelConstraint> constraint;
    EXPECT_FALSE(layers[0]->GetConstraint(constraint, "LAYER_USAGE"));

    const std::string damaged = WriteTemplate("d", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    ExecuteSql(DatabaseFile("d"),
               "ALTER TABLE trel_layer RENAME TO l_rows;"
               "CREATE VIEW trel_layer AS SELECT id, design_id, position, type, name, metal_number FROM l_rows"
               " WHERE abs(-9223372036854775807 - 1 + 0 * id) > 0;");
    Oskel::OskelPI other;
    const auto unreadable = DesignOf(other, damaged);
    Oskel::IteratorT<const Oskel::ITrelLayer> cursor;
    EXPECT_FALSE(unreadable->GetIterLayers(cursor));
    EXPECT_FALSE(cursor.IsValid());
}

}  // namespace
}  // namespace oskel_test
