// Fixture of the OskelPI tests: a temporary folder (on Linux mapped as drive
// D:), design databases written into it, raw SQL to damage them, and a record
// of the folder tree to prove that reading changed nothing.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <OskelPI.h>
#include "standin/oskel_writer.h"
#include "testsupport/MappedFolder.h"
#include "testsupport/TreeRecord.h"

namespace oskel_test {

namespace fs = std::filesystem;

using testsupport::RecordTree;
using testsupport::SideFiles;
using TreeState = std::map<std::string, std::string>;

void ExecuteSql(const fs::path& databaseFile, const std::string& sql);

class OskelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes <root>/<name>/keyin.oskel and answers the system's path of it (D:\<name>\keyin.oskel
    // on Linux).
    std::string WriteTemplate(const std::string& name, const standin::oskel::Description& description);
    // The native design.db of template name.
    fs::path DatabaseFile(const std::string& name) const;
    std::string WindowsPath(const std::string& name) const { return m_folder.Path(name + "/keyin.oskel"); }
    // The native path of the keyin.oskel folder of template name, as the writer takes it.
    std::string NativeFolder(const std::string& name) const;

    // Opens the template's database with a fresh ProjectData.
    static Oskel::Result Open(Oskel::OskelPI& client, const std::string& windowsPath);
    // Opens and walks to the design of snapshot and configuration "PCB".
    static Oskel::ContainerT<const Oskel::ITrelDesign> DesignOf(Oskel::OskelPI& client, const std::string& windowsPath);
    // The design's layers in iteration order.
    static std::vector<Oskel::ContainerT<const Oskel::ITrelLayer>> Layers(const Oskel::ITrelDesign& design);

    testsupport::MappedFolder m_folder{"oskel"};
    const fs::path m_root = m_folder.Native();
};

}  // namespace oskel_test
