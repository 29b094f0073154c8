#include "FileSystemCases.h"

#include "FloorScan.h"
#include "templates/TemplateDiscovery.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <list>
#include <vector>

namespace bench {
namespace {

// The shim's controls (FsLatencyShim.cpp).
struct Shim {
    void (*set)(long microseconds, int count) = nullptr;
    unsigned long (*calls)() = nullptr;
    void (*reset)() = nullptr;
    int (*kinds)() = nullptr;
    const char* (*kindName)(int kind) = nullptr;
    unsigned long (*kindCalls)(int kind) = nullptr;
};

template <typename Function>
Function Find(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

Shim FindShim()
{
    Shim shim;
    shim.set = Find<void (*)(long, int)>("ilt_fs_shim_set");
    shim.calls = Find<unsigned long (*)()>("ilt_fs_shim_calls");
    shim.reset = Find<void (*)()>("ilt_fs_shim_reset");
    shim.kinds = Find<int (*)()>("ilt_fs_shim_kinds");
    shim.kindName = Find<const char* (*)(int)>("ilt_fs_shim_kind_name");
    shim.kindCalls = Find<unsigned long (*)(int)>("ilt_fs_shim_kind_calls");
    return shim;
}

// The least calls any discovery makes, per entry of the layout-templates folder: the entry's
// status; for a folder the marker's; for a 2005 folder the four files' (up to the first missing
// one); for a 2007 folder what reading a database of up to 64 KiB takes at the least: one open,
// one read (the header, the schema and the pages of both lookups) and the close.
constexpr int kFloor2005 = 6;
constexpr int kFloor2007 = 5;

unsigned long FloorOfLibrary(const LibraryCounts& counts)
{
    // Invalid folders, in the four kinds of the fixture: empty (entry, marker, first 2005 file),
    // 2005 without its fourth file, 2007 without configuration "PCB", 2007 marker beside a file
    // that is no database (entry, marker, open, one read, close).
    const int perKind[4] = {3, kFloor2005, kFloor2007, 5};
    // The folder's status twice (the walk's query of its start, then whether it is a folder);
    // the listing's open and close.
    unsigned long floor = 2 + 2;
    for (int i = 0; i < counts.invalidFolders; ++i)
        floor += static_cast<unsigned long>(perKind[i % 4]);
    return floor + static_cast<unsigned long>(counts.valid2007) * kFloor2007 +
           static_cast<unsigned long>(counts.valid2005) * kFloor2005 + static_cast<unsigned long>(counts.plainFiles);
}

struct Measured {
    unsigned long calls = 0;
    double seconds = 0;
    std::vector<unsigned long> byKind;
};

// Runs scan through the shim at `latency` a call.
Measured Through(const Shim& shim, long latency, const std::function<void()>& scan)
{
    shim.reset();
    shim.set(latency, 1);
    const auto start = std::chrono::steady_clock::now();
    scan();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    shim.set(0, 0);
    Measured measured{shim.calls(), seconds, {}};
    for (int kind = 0; kind < shim.kinds(); ++kind)
        measured.byKind.push_back(shim.kindCalls(kind));
    return measured;
}

Measured Discover(const Shim& shim, const std::string& folder, long latency)
{
    return Through(shim, latency, [&folder] {
        std::list<std::string> names;
        FindLayoutTemplates(folder, names);
    });
}

// The discovery floor's scan (FloorScan.h), which makes the least calls but the folder's own
// status queries, which the walk prescribes and the scan does not make.
Measured FloorDiscover(const Shim& shim, const std::string& nativeFolder, long latency)
{
    return Through(shim, latency, [&nativeFolder] {
        std::vector<std::string> names;
        FloorScan(nativeFolder, &names);
    });
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

bool FileSystemShimLoaded()
{
    const Shim shim = FindShim();
    return shim.set != nullptr && shim.calls != nullptr && shim.reset != nullptr && shim.kinds != nullptr &&
           shim.kindName != nullptr && shim.kindCalls != nullptr;
}

int RunFileSystemCases(FixtureRoot& root, long latencyMicroseconds, int repetitions)
{
    const Shim shim = FindShim();
    if (!FileSystemShimLoaded()) {
        std::fprintf(stderr, "ilt_bench: the file-system shim is not preloaded\n");
        return 1;
    }

    // Calls per template: a library of 101 less a library of 1, over 100; in all and by kind.
    double perTemplate[2] = {0, 0};
    std::vector<double> perTemplateByKind[2];
    for (const bool format2007 : {true, false}) {
        const std::string format = format2007 ? "2007" : "2005";
        const std::string one = root.MakeUniformLibrary("fs-" + format + "-1", 1, format2007);
        const std::string many = root.MakeUniformLibrary("fs-" + format + "-101", 101, format2007);
        Discover(shim, many, 0);  // warms the page cache
        const Measured ofMany = Discover(shim, many, 0);
        const Measured ofOne = Discover(shim, one, 0);
        const int index = format2007 ? 0 : 1;
        perTemplate[index] = (static_cast<double>(ofMany.calls) - static_cast<double>(ofOne.calls)) / 100;
        for (std::size_t kind = 0; kind < ofMany.byKind.size(); ++kind)
            perTemplateByKind[index].push_back(
                (static_cast<double>(ofMany.byKind[kind]) - static_cast<double>(ofOne.byKind[kind])) / 100);
    }

    constexpr int kSize = 1000;
    const LibraryCounts counts = root.MakeLibrary(kSize);
    const std::string nativeFolder = root.NativeTemplatesFolder(kSize).string();
    Discover(shim, FixtureRoot::TemplatesFolder(kSize), 0);
    // Ours and the floor's scan taken in turn, so that both see the machine's load alike.
    std::vector<double> seconds;
    std::vector<double> scanSeconds;
    unsigned long calls = 0;
    unsigned long scanCalls = 0;
    for (int i = 0; i < std::max(1, repetitions); ++i) {
        const Measured measured = Discover(shim, FixtureRoot::TemplatesFolder(kSize), latencyMicroseconds);
        seconds.push_back(measured.seconds);
        calls = measured.calls;
        const Measured scan = FloorDiscover(shim, nativeFolder, latencyMicroseconds);
        scanSeconds.push_back(scan.seconds);
        scanCalls = scan.calls;
    }
    const unsigned long floorCalls = FloorOfLibrary(counts);
    const double latency = static_cast<double>(latencyMicroseconds) * 1e-6;

    std::printf(
        "\n| file-system round trips (through the shim)                          |       ours |      floor |\n");
    std::printf("|---------------------------------------------------------------------|-----------:|-----------:|\n");
    std::printf("| calls per 2007 template                                             | %10.1f | %10d |\n",
                perTemplate[0], kFloor2007);
    std::printf("| calls per 2005 template                                             | %10.1f | %10d |\n",
                perTemplate[1], kFloor2005);
    std::printf("| calls of FindLayoutTemplates, 1,000 templates                       | %10lu | %10lu |\n", calls,
                floorCalls);
    std::printf("| FindLayoutTemplates, 1,000 templates, %.2f ms a call (wall, median) | %8.2f s | %8.2f s |\n",
                latency * 1e3, Median(seconds), static_cast<double>(floorCalls) * latency);
    std::printf("| the floor's scan, 1,000 templates: calls                            | %10s | %10lu |\n", "",
                scanCalls);
    std::printf("| the floor's scan, 1,000 templates, %.2f ms a call (wall, median)    | %10s | %8.2f s |\n",
                latency * 1e3, "", Median(scanSeconds));
    std::printf(
        "The floor's time is its calls times the latency; its scan (FloorScan.h), which leaves out the\n"
        "folder's two status queries, runs through the shim like discovery. A listing's reads are not\n"
        "counted.\n");

    std::printf(
        "\n| calls per template, by kind                                         |       2007 |       2005 |\n");
    std::printf("|---------------------------------------------------------------------|-----------:|-----------:|\n");
    for (int kind = 0; kind < shim.kinds(); ++kind) {
        const double of2007 = perTemplateByKind[0][static_cast<std::size_t>(kind)];
        const double of2005 = perTemplateByKind[1][static_cast<std::size_t>(kind)];
        if (of2007 != 0 || of2005 != 0)
            std::printf("| %-67s | %10.1f | %10.1f |\n", shim.kindName(kind), of2007, of2005);
    }
    std::fflush(stdout);
    return 0;
}

}  // namespace bench
