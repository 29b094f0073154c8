// OpenOskel: what opens and every kind of file that must not.

#include <fstream>

#include "OskelFixture.h"
#include "standin/oskel.h"

namespace oskel_test {
namespace {

using standin::oskel::ConductorLayer;
using standin::oskel::PcbDescription;

class OpenTest : public OskelTest {
protected:
    // A template whose keyin.oskel holds only the marker; design.db is made by the test.
    fs::path MarkerOnly(const std::string& name)
    {
        const fs::path folder = m_root / name / "keyin.oskel";
        fs::create_directories(folder);
        std::ofstream(folder / "sids").flush();
        return folder / "design.db";
    }

    // Opening fails, leaves the client closed, and CloseOskel after it is harmless.
    void ExpectOpenFails(const std::string& windowsPath)
    {
        Oskel::OskelPI client;
        EXPECT_FALSE(Open(client, windowsPath));
        Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
        EXPECT_FALSE(client.GetSnapshotByName(snapshot, "PCB"));
        EXPECT_TRUE(snapshot.IsEmpty());
        EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
        client.CloseOskel();
        client.CloseOskel();
    }
};

TEST_F(OpenTest, ValidDatabaseOpensAndCloses)
{
    const std::string path = WriteTemplate("4L", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    Oskel::OskelPI client;
    ASSERT_TRUE(Open(client, path));
    EXPECT_EQ(standin::oskel::OpenConnectionCount(), 1u);
    EXPECT_TRUE(client.CloseOskel());
    EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
    // The library's own drive map is not needed for a native absolute path.
    EXPECT_TRUE(Open(client, (m_root / "4L" / "keyin.oskel").string()));
}

TEST_F(OpenTest, MissingOrEmptyOrForeignFilesDoNotOpen)
{
    const fs::path missing = MarkerOnly("missing");
    ExpectOpenFails(WindowsPath("missing"));
    EXPECT_FALSE(fs::exists(missing)) << "the open must not create the database";

    const fs::path empty = MarkerOnly("empty");
    std::ofstream(empty).flush();
    ExpectOpenFails(WindowsPath("empty"));
    EXPECT_EQ(fs::file_size(empty), 0u);

    const fs::path text = MarkerOnly("text");
    std::ofstream(text) << std::string(4096, 'x');
    ExpectOpenFails(WindowsPath("text"));

    // A truncated header: the first 16 bytes of an SQLite file, nothing else.
    const fs::path truncated = MarkerOnly("truncated");
    std::ofstream(truncated) << std::string("SQLite format 3") + '\0';
    ExpectOpenFails(WindowsPath("truncated"));

    const fs::path folder = MarkerOnly("folder");
    fs::create_directory(folder);
    ExpectOpenFails(WindowsPath("folder"));

    ExpectOpenFails("Q:\\unmapped\\keyin.oskel");
    ExpectOpenFails("");
}

TEST_F(OpenTest, ForeignApplicationIdOrOtherVersionDoesNotOpen)
{
    const auto description = PcbDescription({ConductorLayer(1, "TOP", 1)});
    WriteTemplate("foreign", description);
    ExecuteSql(DatabaseFile("foreign"), "PRAGMA application_id = 7");
    ExpectOpenFails(WindowsPath("foreign"));

    WriteTemplate("newer", description);
    ExecuteSql(DatabaseFile("newer"), "PRAGMA user_version = 2");
    ExpectOpenFails(WindowsPath("newer"));

    WriteTemplate("unversioned", description);
    ExecuteSql(DatabaseFile("unversioned"), "PRAGMA user_version = 0");
    ExpectOpenFails(WindowsPath("unversioned"));
}

TEST_F(OpenTest, MissingTableOrColumnDoesNotOpen)
{
    const auto description = PcbDescription({ConductorLayer(1, "TOP", 1)});
    for (const char* table : {"snapshot", "trel_config", "trel_design", "trel_layer", "trel_constraint"}) {
        SCOPED_TRACE(table);
        WriteTemplate(table, description);
        ExecuteSql(DatabaseFile(table), std::string("DROP TABLE ") + table);
        ExpectOpenFails(WindowsPath(table));
    }
    WriteTemplate("column", description);
    ExecuteSql(DatabaseFile("column"), "ALTER TABLE trel_layer DROP COLUMN metal_number");
    ExpectOpenFails(WindowsPath("column"));
    // Only a stack-up read asks for this column, yet the open already needs it.
    WriteTemplate("usage", description);
    ExecuteSql(DatabaseFile("usage"), "ALTER TABLE trel_constraint DROP COLUMN value_type");
    ExpectOpenFails(WindowsPath("usage"));
}

TEST_F(OpenTest, ViewInPlaceOfATableServesLikeTheTable)
{
    WriteTemplate("view", PcbDescription({ConductorLayer(1, "TOP", 1)}));
    ExecuteSql(DatabaseFile("view"),
               "ALTER TABLE trel_design RENAME TO design_rows;"
               "CREATE VIEW trel_design AS SELECT id, config_id FROM design_rows");
    Oskel::OskelPI client;
    ASSERT_TRUE(Open(client, WindowsPath("view")));
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    ASSERT_TRUE(client.GetSnapshotByName(snapshot, "PCB"));
    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    ASSERT_TRUE((*snapshot).GetTrelConfig(config, "PCB"));
    Oskel::ContainerT<const Oskel::ITrelDesign> design;
    EXPECT_TRUE((*config).GetTrelDesign(design));
}

TEST_F(OpenTest, UnfinishedWriteBesideTheDatabaseIsRefused)
{
    const auto description = PcbDescription({ConductorLayer(1, "TOP", 1)});
    // In WAL mode a non-empty WAL may hold committed pages the file lacks.
    WriteTemplate("wal", description);
    ExecuteSql(DatabaseFile("wal"), "PRAGMA journal_mode = WAL");
    std::ofstream(DatabaseFile("wal").string() + "-wal") << std::string(64, 'w');
    ExpectOpenFails(WindowsPath("wal"));

    // In rollback-journal mode a hot journal means a half-written file.
    WriteTemplate("hot", description);
    std::ofstream(DatabaseFile("hot").string() + "-journal") << std::string(64, '\xd9');
    ExpectOpenFails(WindowsPath("hot"));

    // A journal left zeroed by a finished transaction is not hot.
    WriteTemplate("cold", description);
    std::ofstream(DatabaseFile("cold").string() + "-journal") << std::string(64, '\0');
    Oskel::OskelPI client;
    EXPECT_TRUE(Open(client, WindowsPath("cold")));
}

TEST_F(OpenTest, OnlyTheFileOfTheDatabasesJournalModeIsLookedFor)
{
    // SQLite deletes the WAL before it turns a database back to rollback
    // mode, and a database turns to WAL mode by a transaction that changes
    // nothing but the mode: neither leftover can hold a write the file lacks.
    const auto description = PcbDescription({ConductorLayer(1, "TOP", 1)});
    WriteTemplate("stray-wal", description);
    std::ofstream(DatabaseFile("stray-wal").string() + "-wal") << std::string(64, 'w');
    WriteTemplate("stray-journal", description);
    ExecuteSql(DatabaseFile("stray-journal"), "PRAGMA journal_mode = WAL");
    std::ofstream(DatabaseFile("stray-journal").string() + "-journal") << std::string(64, '\xd9');
    for (const char* name : {"stray-wal", "stray-journal"}) {
        SCOPED_TRACE(name);
        Oskel::OskelPI client;
        EXPECT_TRUE(Open(client, WindowsPath(name)));
    }
}

TEST_F(OpenTest, ReopeningReplacesTheConnection)
{
    WriteTemplate("a", PcbDescription({ConductorLayer(1, "A", 1)}));
    WriteTemplate("b", PcbDescription({ConductorLayer(1, "B", 1)}));
    Oskel::OskelPI client;
    ASSERT_TRUE(Open(client, WindowsPath("a")));
    Oskel::ContainerT<const Oskel::ISnapshot> fromA;
    ASSERT_TRUE(client.GetSnapshotByName(fromA, "PCB"));

    ASSERT_TRUE(Open(client, WindowsPath("b")));
    EXPECT_EQ(standin::oskel::OpenConnectionCount(), 1u);
    // The first database is closed: its snapshot can no longer reach further.
    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    EXPECT_FALSE(fromA->GetTrelConfig(config, "PCB"));

    // A failed open leaves the client closed.
    EXPECT_FALSE(Open(client, WindowsPath("none")));
    EXPECT_EQ(standin::oskel::OpenConnectionCount(), 0u);
}

}  // namespace
}  // namespace oskel_test
