// Generated central libraries for the benchmarks, in a temporary folder mapped as drive D:.
//
// A library of size n holds, in <root>/lib-<n>/Templates/Layout, n valid templates (every other one
// a 2007 template, the rest 2005 ones), n/20 invalid folders of four kinds and n/20 plain files.
// Every 2007 template's design.db is a copy of one database written once with the client's writer;
// every 2005 template is written with the job-preferences writer.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <standin/corvane_writer.h>
#include <testsupport/TempDrive.h>

namespace bench {

namespace fs = std::filesystem;

struct LibraryCounts {
    int valid2007 = 0;
    int valid2005 = 0;
    int invalidFolders = 0;
    int plainFiles = 0;
};

// A 2005 description of `layers` layers: every other one a conductor (signal, plane in turn).
standin::corvane::Description Corvane(int layers);

class FixtureRoot {
public:
    // In a fresh folder under $TMPDIR (or /tmp) mapped as drive D:, which goes with the root.
    FixtureRoot();

    // Writes the library of n templates; returns what it holds.
    LibraryCounts MakeLibrary(int n);
    // Writes the library `name` with n valid templates of one format only; returns its
    // layout-templates folder ("D:\<name>\Templates\Layout").
    std::string MakeUniformLibrary(const std::string& name, int n, bool format2007);
    // Writes the library "readers" with two templates of `layers` layers each: "big2007" and
    // "big2005". Every other layer is a conductor (signal or plane), the rest dielectric.
    void MakeReaderLibrary(int layers);

    // "D:\lib-<n>" and its layout-templates folder "D:\lib-<n>\Templates\Layout".
    static std::string CentralLibrary(int n);
    static std::string TemplatesFolder(int n);
    static std::string ReaderLibrary() { return "D:\\readers"; }

    // The native path of a layout-templates folder.
    fs::path NativeTemplatesFolder(int n) const;
    // The native layout-templates folder of the library "readers".
    fs::path NativeReaderFolder() const { return m_root / "readers" / "Templates" / "Layout"; }
    // The native layout-templates folder of the library "large" (D:\large), made empty.
    fs::path NativeLargeFolder() const;

private:
    void WriteMasters();

    testsupport::TempDrive m_drive{'D', "ilt-bench"};
    const fs::path m_root = m_drive.Root();
    fs::path m_master2007;      // design.db of a valid 2007 template
    fs::path m_masterNoConfig;  // design.db with snapshot "PCB" but no configuration "PCB"
};

}  // namespace bench
