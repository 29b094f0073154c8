// The writer: the documented file form, and no clobbering.

#include <sqlite3.h>

#include <fstream>

#include "OskelFixture.h"

namespace oskel_test {
namespace {

using namespace standin::oskel;

class WriterTest : public OskelTest {
protected:
    static std::string QueryText(const fs::path& file, const char* sql)
    {
        sqlite3* connection = nullptr;
        std::string text;
        if (sqlite3_open_v2(file.u8string().c_str(), &connection, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* statement = nullptr;
            if (sqlite3_prepare_v2(connection, sql, -1, &statement, nullptr) == SQLITE_OK &&
                sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0) != nullptr)
                text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            sqlite3_finalize(statement);
        }
        sqlite3_close(connection);
        return text;
    }
};

TEST_F(WriterTest, WritesTheDocumentedForm)
{
    const fs::path folder = m_root / "deep" / "4L" / "keyin.oskel";
    std::string error;
    ASSERT_TRUE(WriteOskel(folder.string(), PcbDescription({ConductorLayer(1, "TOP", 1, std::string("S"))}), &error))
        << error;
    EXPECT_TRUE(fs::is_regular_file(folder / "sids"));
    EXPECT_EQ(fs::file_size(folder / "sids"), 0u);
    EXPECT_EQ(SideFiles(m_root), std::vector<std::string>{});

    const fs::path file = folder / "design.db";
    EXPECT_EQ(QueryText(file, "PRAGMA application_id"), "1330860876");
    EXPECT_EQ(QueryText(file, "PRAGMA user_version"), "1");
    EXPECT_EQ(QueryText(file, "PRAGMA journal_mode"), "delete");
    EXPECT_EQ(QueryText(file,
                        "SELECT group_concat(name, ',') FROM"
                        " (SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name)"),
              "snapshot,trel_config,trel_constraint,trel_design,trel_layer");
    EXPECT_EQ(QueryText(file,
                        "SELECT l.name || ':' || c.value FROM trel_layer l"
                        " JOIN trel_constraint c ON c.layer_id = l.id WHERE c.name = 'LAYER_USAGE'"),
              "TOP:S");
    EXPECT_EQ(QueryText(file, "SELECT count(*) FROM trel_layer WHERE metal_number IS NULL"), "0");
}

TEST_F(WriterTest, RefusesToOverwriteAndCleansUpAfterFailure)
{
    const std::string path = WriteTemplate("t", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    const TreeState before = RecordTree(m_root);
    std::string error;
    EXPECT_FALSE(WriteOskel((m_root / "t" / "keyin.oskel").string(), PcbDescription({}), &error));
    EXPECT_NE(error.find("exists"), std::string::npos) << error;
    EXPECT_EQ(RecordTree(m_root), before);

    // Two snapshots of one name break a table constraint half-way through.
    Description duplicate;
    duplicate.snapshots = {SnapshotDescription{"PCB", {}}, SnapshotDescription{"PCB", {}}};
    const fs::path folder = m_root / "dup" / "keyin.oskel";
    error.clear();
    EXPECT_FALSE(WriteOskel(folder.string(), duplicate, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(folder / "design.db"));
    EXPECT_EQ(SideFiles(m_root), std::vector<std::string>{});

    EXPECT_FALSE(WriteOskel("", PcbDescription({}), nullptr));

    // The reason comes with the path.
    std::ofstream(m_root / "plain").put('x');
    EXPECT_FALSE(WriteOskel((m_root / "plain" / "keyin.oskel").string(), PcbDescription({}), &error));
    EXPECT_EQ(error, "cannot create folder " + (m_root / "plain" / "keyin.oskel").string() + ": Not a directory");
}

}  // namespace
}  // namespace oskel_test
