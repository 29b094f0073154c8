// Generated central libraries for the benchmarks.
#include "Fixtures.h"

#include <standin/corvane_writer.h>
#include <standin/crt.h>
#include <standin/oskel_writer.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace bench {
namespace {

using standin::oskel::ConductorLayer;
using standin::oskel::OtherLayer;

// A six-layer board: conductors with a usage, dielectrics between them.
std::vector<standin::oskel::LayerDescription> SixLayerBoard()
{
    const char* const names[] = {"TOP", "GND", "SIG1", "SIG2", "PWR", "BOTTOM"};
    const char* const usages[] = {"Signal", "Plane", "Signal", "Signal", "Plane", "Signal"};
    std::vector<standin::oskel::LayerDescription> layers;
    long long position = 0;
    for (int i = 0; i < 6; ++i) {
        if (i > 0)
            layers.push_back(OtherLayer(++position, 1, "DIELECTRIC_" + std::to_string(i)));
        layers.push_back(ConductorLayer(++position, names[i], i + 1, std::string(usages[i])));
    }
    return layers;
}

void Check(bool ok, const std::string& what, const std::string& error)
{
    if (!ok)
        throw std::runtime_error(what + ": " + error);
}

void WriteFile(const fs::path& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary);
    out << contents;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// A 2007 template whose design.db is a copy of `database`.
void Copy2007(const fs::path& templateFolder, const fs::path& database)
{
    const fs::path oskel = templateFolder / "keyin.oskel";
    fs::create_directories(oskel);
    WriteFile(oskel / "sids", "");
    fs::copy_file(database, oskel / "design.db");
}

void Write2005(const fs::path& templateFolder, const standin::corvane::Description& description)
{
    std::string error;
    Check(standin::corvane::Write2005Template(templateFolder.string(), description, &error),
          "2005 template " + templateFolder.string(), error);
}

std::string Numbered(const char* prefix, int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s%05d", prefix, i);
    return name;
}

}  // namespace

standin::corvane::Description Corvane(int layers)
{
    standin::corvane::Description description;
    int number = 0;
    for (int i = 0; i < layers; ++i) {
        if (i % 2 == 0)
            description.layers.push_back({(i / 2) % 2 == 0 ? 1 : 0, ++number, false});
        else
            description.layers.push_back({2, std::nullopt, false});
    }
    return description;
}

FixtureRoot::FixtureRoot() { WriteMasters(); }

void FixtureRoot::WriteMasters()
{
    const fs::path masters = m_root / "masters";
    std::string error;
    Check(standin::oskel::WriteOskel((masters / "valid" / "keyin.oskel").string(),
                                     standin::oskel::PcbDescription(SixLayerBoard()), &error),
          "master 2007 database", error);
    m_master2007 = masters / "valid" / "keyin.oskel" / "design.db";

    standin::oskel::Description noConfig = standin::oskel::PcbDescription(SixLayerBoard());
    noConfig.snapshots.front().configs.front().name = "ALT";
    Check(standin::oskel::WriteOskel((masters / "noconfig" / "keyin.oskel").string(), noConfig, &error),
          "master 2007 database without configuration PCB", error);
    m_masterNoConfig = masters / "noconfig" / "keyin.oskel" / "design.db";
}

std::string FixtureRoot::CentralLibrary(int n) { return "D:\\lib-" + std::to_string(n); }

std::string FixtureRoot::TemplatesFolder(int n) { return CentralLibrary(n) + "\\Templates\\Layout"; }

fs::path FixtureRoot::NativeTemplatesFolder(int n) const
{
    return m_root / ("lib-" + std::to_string(n)) / "Templates" / "Layout";
}

LibraryCounts FixtureRoot::MakeLibrary(int n)
{
    const fs::path folder = NativeTemplatesFolder(n);
    fs::create_directories(folder);
    const standin::corvane::Description board = Corvane(11);

    LibraryCounts counts;
    for (int i = 0; i < n; ++i) {
        if (i % 2 == 0) {
            Copy2007(folder / Numbered("board-2007-", i), m_master2007);
            ++counts.valid2007;
        } else {
            Write2005(folder / Numbered("board-2005-", i), board);
            ++counts.valid2005;
        }
    }

    // Folders that look like templates but are not, one kind after another.
    for (int i = 0; i < n / 20; ++i) {
        const fs::path invalid = folder / Numbered("invalid-", i);
        switch (i % 4) {
        case 0:  // empty
            fs::create_directories(invalid);
            break;
        case 1:  // 2005 without its fourth file
            Write2005(invalid, board);
            fs::remove(invalid / "Layout" / "Dunmere.dnm");
            break;
        case 2:  // 2007 without configuration "PCB"
            Copy2007(invalid, m_masterNoConfig);
            break;
        case 3:  // 2007 marker beside a file that is no database
            fs::create_directories(invalid / "keyin.oskel");
            WriteFile(invalid / "keyin.oskel" / "sids", "");
            WriteFile(invalid / "keyin.oskel" / "design.db", "not a database\n");
            break;
        }
        ++counts.invalidFolders;
    }
    for (int i = 0; i < n / 20; ++i) {
        WriteFile(folder / Numbered("notes-", i) += ".txt", "not a template\n");
        ++counts.plainFiles;
    }
    return counts;
}

std::string FixtureRoot::MakeUniformLibrary(const std::string& name, int n, bool format2007)
{
    const fs::path folder = m_root / name / "Templates" / "Layout";
    fs::create_directories(folder);
    const standin::corvane::Description board = Corvane(11);
    for (int i = 0; i < n; ++i) {
        if (format2007)
            Copy2007(folder / Numbered("board-", i), m_master2007);
        else
            Write2005(folder / Numbered("board-", i), board);
    }
    return "D:\\" + name + "\\Templates\\Layout";
}

fs::path FixtureRoot::NativeLargeFolder() const
{
    const fs::path folder = m_root / "large" / "Templates" / "Layout";
    fs::create_directories(folder);
    return folder;
}

void FixtureRoot::MakeReaderLibrary(int layers)
{
    const fs::path folder = NativeReaderFolder();
    fs::create_directories(folder);

    std::vector<standin::oskel::LayerDescription> stack;
    int number = 0;
    for (int i = 0; i < layers; ++i) {
        if (i % 2 == 0) {
            ++number;
            stack.push_back(ConductorLayer(i + 1, "L" + std::to_string(number), number,
                                           std::string(number % 2 == 1 ? "Signal" : "Plane")));
        } else {
            stack.push_back(OtherLayer(i + 1, 1, "D" + std::to_string(i)));
        }
    }
    std::string error;
    Check(standin::oskel::WriteOskel((folder / "big2007" / "keyin.oskel").string(),
                                     standin::oskel::PcbDescription(std::move(stack)), &error),
          "2007 template of " + std::to_string(layers) + " layers", error);
    Write2005(folder / "big2005", Corvane(layers));
}

}  // namespace bench
