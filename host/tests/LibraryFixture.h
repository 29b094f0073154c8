// Central libraries in a temporary folder, made with the writers of the two
// client libraries, for the tests that run the host program.
#pragma once

#include <testsupport/TempFolder.h>
#include <testsupport/TreeRecord.h>

#include <filesystem>
#include <map>
#include <string>

namespace ilt::test {

class LibraryFixture {
public:
    // The temporary folder; tests map drive D: to it.
    const std::filesystem::path& Root() const { return m_folder.Root(); }

    // A 2007 template of four conductor layers (TOP, GND, PWR, BOTTOM) with dielectrics.
    static void Make4L(const std::filesystem::path& folder);
    // A 2005 template of six layers: SIGNAL_1, PLANE_2, SIGNAL_3, SIGNAL_4, PLANE_5, SIGNAL_6.
    static void Make6L(const std::filesystem::path& folder);
    // A 2007 template of one conductor layer.
    static void MakeOneLayer(const std::filesystem::path& folder, const std::string& name, const std::string& usage);
    // A 2007 template whose design has no layers: it is listed but cannot be displayed.
    static void MakeLayerless(const std::filesystem::path& folder);

    // Everything under `folder` that a write would change (testsupport::RecordTree).
    static std::map<std::string, std::string> Snapshot(const std::filesystem::path& folder)
    {
        return testsupport::RecordTree(folder);
    }

    // The "rows" of the transcript's state event for each template.
    static const char k4LRows[];
    static const char k6LRows[];

private:
    testsupport::TempFolder m_folder{"ilt-host"};
};

}  // namespace ilt::test
