// The bounds of what one design may hold: past any of them the design's
// layers are unreadable (GetIterLayers fails). The layers' bound is tested as
// shipped; the others lowered through the seam, to be reached with small
// databases.

#include <optional>
#include <string>

#include "OskelFixture.h"
#include "standin/oskel.h"

namespace oskel_test {
namespace {

using namespace standin::oskel;

class BoundsTest : public OskelTest {
protected:
    void TearDown() override
    {
        SetDesignBounds(DesignBounds());
        OskelTest::TearDown();
    }

    // A template "t" whose design holds `layers` layers of kind 1 named D<position>.
    std::string WriteLayers(long long layers)
    {
        const std::string path = WriteTemplate("t", PcbDescription({}));
        ExecuteSql(DatabaseFile("t"), "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                                          std::to_string(layers) +
                                          ") INSERT INTO trel_layer (design_id, position, type, name)"
                                          " SELECT (SELECT id FROM trel_design), i, 1, 'D' || i FROM n");
        return path;
    }

    // The design's layers, or nothing when GetIterLayers fails.
    static std::optional<std::size_t> LayerCount(const std::string& path)
    {
        Oskel::OskelPI client;
        const auto design = DesignOf(client, path);
        Oskel::IteratorT<const Oskel::ITrelLayer> cursor;
        if (!design->GetIterLayers(cursor))
            return std::nullopt;
        std::size_t count = 0;
        for (; cursor.IsValid(); ++cursor)
            ++count;
        return count;
    }
};

TEST_F(BoundsTest, DesignOfMoreLayersThanTheBoundHasUnreadableLayers)
{
    const std::string path = WriteLayers(100001);
    EXPECT_EQ(LayerCount(path), std::nullopt);

    ExecuteSql(DatabaseFile("t"), "DELETE FROM trel_layer WHERE position = 100001");
    EXPECT_EQ(LayerCount(path), std::optional<std::size_t>(100000)) << "the bound itself is readable";
}

TEST_F(BoundsTest, DesignOfMoreConstraintsThanTheBoundHasUnreadableLayers)
{
    DesignBounds bounds;
    bounds.constraints = 20;
    SetDesignBounds(bounds);
    const std::string path = WriteLayers(2);
    ExecuteSql(DatabaseFile("t"),
               "WITH RECURSIVE k(j) AS (SELECT 1 UNION ALL SELECT j + 1 FROM k WHERE j < 10)"
               " INSERT INTO trel_constraint (layer_id, name, value) SELECT id, 'C' || j, 'v' FROM trel_layer, k;");
    EXPECT_EQ(LayerCount(path), std::optional<std::size_t>(2)) << "the bound itself is readable";

    // Constraints without a name count too: they are read before they are left out.
    ExecuteSql(DatabaseFile("t"),
               "ALTER TABLE trel_constraint RENAME TO c_rows;"
               "CREATE VIEW trel_constraint AS SELECT * FROM c_rows"
               " UNION ALL SELECT layer_id, NULL, value, value_type FROM c_rows WHERE name = 'C1'");
    EXPECT_EQ(LayerCount(path), std::nullopt);
}

TEST_F(BoundsTest, DesignOfMoreTextThanTheBoundHasUnreadableLayers)
{
    DesignBounds bounds;
    bounds.textBytes = 16;
    SetDesignBounds(bounds);
    // Names and values each with a terminator: "D1", "D2", "USAGE" and "abc" take 16 bytes.
    const std::string path = WriteLayers(2);
    ExecuteSql(DatabaseFile("t"), "INSERT INTO trel_constraint (layer_id, name, value) VALUES (1, 'USAGE', 'abc')");
    EXPECT_EQ(LayerCount(path), std::optional<std::size_t>(2)) << "the bound itself is readable";

    ExecuteSql(DatabaseFile("t"), "UPDATE trel_constraint SET value = 'abcd'");
    EXPECT_EQ(LayerCount(path), std::nullopt);
    ExecuteSql(DatabaseFile("t"),
               "DELETE FROM trel_constraint; UPDATE trel_layer SET name = 'D' || printf('%014d', 0)"
               " WHERE position = 2");
    EXPECT_EQ(LayerCount(path), std::nullopt) << "a layer's name alone";
}

TEST_F(BoundsTest, StreamedLayersKeepTheirValuesAndConstraintsApart)
{
    // Constraints inserted out of layer order, and two layers sharing a
    // constraint name: each layer answers its own.
    LayerDescription top = ConductorLayer(1, "TOP", 1, std::string("Signal"));
    LayerDescription core = OtherLayer(2, 1, "CORE");
    LayerDescription bottom = ConductorLayer(3, "BOTTOM", 2, std::string("Plane"));
    bottom.constraints.push_back(ConstraintDescription{"WIDTH", std::string("0.1"), 3});
    // Written bottom first: the ids run against the layer order.
    const std::string path = WriteTemplate("t", PcbDescription({bottom, core, top}));

    Oskel::OskelPI client;
    const auto layers = Layers(*DesignOf(client, path));
    ASSERT_EQ(layers.size(), 3u);
    std::vector<std::string> seen;
    for (const auto& layer : layers) {
        Oskel::String name;
        Oskel::String usage("none");
        Oskel::EConstraintType type = Oskel::eStringConstraint;
        Oskel::ContainerT<const Oskel::ITrelConstraint> constraint;
        EXPECT_TRUE(layer->GetName(name));
        if (layer->GetConstraint(constraint, "LAYER_USAGE")) {
            EXPECT_TRUE(constraint->GetValueByString(usage, type));
        }
        Oskel::ContainerT<const Oskel::ITrelConstraint> width;
        seen.push_back(std::string(name.c_str()) + "/" + usage.c_str() + "/" +
                       (layer->GetConstraint(width, "WIDTH") ? "width" : "-"));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"TOP/Signal/-", "CORE/none/-", "BOTTOM/Plane/width"}));
}

}  // namespace
}  // namespace oskel_test
