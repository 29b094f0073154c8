// Fixture of the OskelPI tests.

#include "OskelFixture.h"

#include <sqlite3.h>

#include "standin/oskel.h"

namespace oskel_test {

void ExecuteSql(const fs::path& databaseFile, const std::string& sql)
{
    sqlite3* connection = nullptr;
    ASSERT_EQ(sqlite3_open_v2(databaseFile.u8string().c_str(), &connection, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    char* message = nullptr;
    const int result = sqlite3_exec(connection, sql.c_str(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(connection);
    ASSERT_EQ(result, SQLITE_OK) << sql << ": " << error;
}

void OskelTest::SetUp()
{
    standin::oskel::ClearFailures();
    standin::oskel::ResetCallLog();
}

void OskelTest::TearDown() { standin::oskel::ClearFailures(); }

std::string OskelTest::WriteTemplate(const std::string& name, const standin::oskel::Description& description)
{
    std::string error;
    EXPECT_TRUE(standin::oskel::WriteOskel(NativeFolder(name), description, &error)) << error;
    return WindowsPath(name);
}

std::string OskelTest::NativeFolder(const std::string& name) const
{
    return testsupport::AnsiPath(m_folder.Native(name + "/keyin.oskel"));
}

fs::path OskelTest::DatabaseFile(const std::string& name) const { return m_root / name / "keyin.oskel" / "design.db"; }

Oskel::Result OskelTest::Open(Oskel::OskelPI& client, const std::string& windowsPath)
{
    Oskel::ProjectData project;
    project.m_databasePath = windowsPath.c_str();
    project.m_clientLabel = "Quillet_LT";
    return client.OpenOskel(project);
}

Oskel::ContainerT<const Oskel::ITrelDesign> OskelTest::DesignOf(Oskel::OskelPI& client, const std::string& windowsPath)
{
    Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
    Oskel::ContainerT<const Oskel::ITrelConfig> config;
    Oskel::ContainerT<const Oskel::ITrelDesign> design;
    EXPECT_TRUE(Open(client, windowsPath));
    EXPECT_TRUE(client.GetSnapshotByName(snapshot, "PCB"));
    EXPECT_TRUE(snapshot->GetTrelConfig(config, "PCB"));
    EXPECT_TRUE(config->GetTrelDesign(design));
    return design;
}

std::vector<Oskel::ContainerT<const Oskel::ITrelLayer>> OskelTest::Layers(const Oskel::ITrelDesign& design)
{
    std::vector<Oskel::ContainerT<const Oskel::ITrelLayer>> layers;
    Oskel::IteratorT<const Oskel::ITrelLayer> cursor;
    EXPECT_TRUE(design.GetIterLayers(cursor));
    for (; cursor.IsValid(); ++cursor)
        layers.push_back(*cursor);
    return layers;
}

}  // namespace oskel_test
