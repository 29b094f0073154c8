// Fixture of the discovery tests: a temporary folder (on Linux mapped as drive
// D:), with the layout-templates folder lib\Templates\Layout in it (on Linux
// D:\lib\Templates\Layout) and builders for valid and broken templates of
// both formats.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "standin/corvane_writer.h"
#include "standin/oskel_writer.h"
#include "testsupport/MappedFolder.h"
#include "testsupport/TreeRecord.h"

namespace discovery_test {

namespace fs = std::filesystem;

class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Native path of the layout-templates folder, or of one of its entries.
    fs::path Native(const std::string& relative = std::string()) const;
    // The system's path of an entry of the layout-templates folder.
    std::string Element(const std::string& name) const { return m_layoutFolder + "\\" + name; }

    // A 2007 template: keyin.oskel with the marker and a database of the description.
    void Make2007(const std::string& relative, const standin::oskel::Description& description);
    void Make2007(const std::string& relative);  // snapshot "PCB", configuration "PCB", two layers
    // A 2005 template: Layout\ with the four files, less those in missing.
    void Make2005(const std::string& relative, const std::vector<std::string>& missing = {});
    // A 2005 template whose Corvane.cvn is written from the description.
    void Make2005(const std::string& relative, const standin::corvane::Description& description);
    void MakeFile(const std::string& relative, const std::string& contents = std::string());

    // The entries of the layout-templates folder among names, in the order of its listing.
    std::vector<std::string> InListingOrder(const std::vector<std::string>& names) const;

    testsupport::MappedFolder m_folder{"discovery"};
    const fs::path m_root = m_folder.Native();
    // The layout-templates folder as the system names it.
    const std::string m_layoutFolder = m_folder.Path("lib/Templates/Layout");
};

// A 2005 template in the native folder: Layout\ with the four files, less those in missing.
void Make2005At(const fs::path& folder, const std::vector<std::string>& missing = {});

using testsupport::RecordTree;
using testsupport::SideFiles;

}  // namespace discovery_test
