// Reading a design database changes nothing on disk: no file is created,
// written or touched, in rollback-journal mode and in WAL mode alike.

#include <fstream>

#include "OskelFixture.h"
#include "standin/oskel.h"

namespace oskel_test {
namespace {

using namespace standin::oskel;

class ReadOnlyTest : public OskelTest {
protected:
    // Everything a client can be asked, with the connection checked while still open.
    void ReadEverything(const std::string& path)
    {
        Oskel::OskelPI client;
        const auto design = DesignOf(client, path);
        for (const auto& layer : Layers(*design)) {
            Oskel::ELayerType type;
            Oskel::String text;
            Oskel::EConstraintType valueType;
            int number;
            Oskel::ContainerT<const Oskel::ITrelConstraint> constraint;
            EXPECT_TRUE(layer->GetType(type));
            EXPECT_TRUE(layer->GetName(text));
            EXPECT_TRUE(layer->GetMetallicLayerNumber(number));
            if (layer->GetConstraint(constraint, "LAYER_USAGE")) {
                EXPECT_TRUE(constraint->GetValueByString(text, valueType));
            }
        }
        Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
        EXPECT_FALSE(client.GetSnapshotByName(snapshot, "missing"));
        EXPECT_EQ(SideFiles(m_root), std::vector<std::string>{}) << "while the connection is open";
        client.CloseOskel();
    }

    std::string WriteBoard()
    {
        return WriteTemplate(
            "4L", PcbDescription({ConductorLayer(1, "TOP", 1, std::string("SIGNAL")), ConductorLayer(2, "BOTTOM", 2)}));
    }
};

TEST_F(ReadOnlyTest, ReadingLeavesTheTreeAsItWas)
{
    const std::string path = WriteBoard();
    const TreeState before = RecordTree(m_root);
    ReadEverything(path);
    {
        Oskel::OskelPI abandoned;  // destroyed while open
        ASSERT_TRUE(Open(abandoned, path));
    }
    EXPECT_EQ(RecordTree(m_root), before);
    EXPECT_EQ(SideFiles(m_root), std::vector<std::string>{});
}

TEST_F(ReadOnlyTest, WalModeDatabaseGetsNoSharedMemoryOrWalFile)
{
    const std::string path = WriteBoard();
    ExecuteSql(DatabaseFile("4L"), "PRAGMA journal_mode = WAL");
    ASSERT_EQ(SideFiles(m_root), std::vector<std::string>{}) << "the last writer's close removes them";
    {
        std::ifstream file(DatabaseFile("4L"), std::ios::binary);
        char header[20] = {};
        file.read(header, sizeof header);
        ASSERT_EQ(header[18], 2) << "the file is in WAL mode";
    }

    const TreeState before = RecordTree(m_root);
    ReadEverything(path);
    EXPECT_EQ(RecordTree(m_root), before);
    EXPECT_EQ(SideFiles(m_root), std::vector<std::string>{});
}

}  // namespace
}  // namespace oskel_test
