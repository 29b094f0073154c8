#include "FileSystemCases.h"

#include "templates/TemplateDiscovery.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <list>
#include <vector>

namespace bench {
namespace {

// The shim's controls (FsLatencyShim.cpp).
struct Shim {
    void (*set)(long microseconds, int count) = nullptr;
    unsigned long (*calls)() = nullptr;
    void (*reset)() = nullptr;
};

Shim FindShim()
{
    Shim shim;
    shim.set = reinterpret_cast<void (*)(long, int)>(dlsym(RTLD_DEFAULT, "ilt_fs_shim_set"));
    shim.calls = reinterpret_cast<unsigned long (*)()>(dlsym(RTLD_DEFAULT, "ilt_fs_shim_calls"));
    shim.reset = reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, "ilt_fs_shim_reset"));
    return shim;
}

// The least calls any discovery makes, per entry of the layout-templates folder: the entry's
// status; for a folder the marker's; for a 2005 folder the four files' (up to the first missing
// one); for a 2007 folder one open, the pages its two lookups read (the header's page, the
// snapshot table's and the configuration table's) and the close.
constexpr int kFloor2005 = 6;
constexpr int kFloor2007 = 7;

unsigned long FloorOfLibrary(const LibraryCounts& counts)
{
    // Invalid folders, in the four kinds of the fixture: empty (entry, marker, first 2005 file),
    // 2005 without its fourth file, 2007 without configuration "PCB", 2007 marker beside a file
    // that is no database (entry, marker, open, one read, close).
    const int perKind[4] = {3, kFloor2005, kFloor2007, 5};
    unsigned long floor = 1 + 2;  // the folder's status; the listing's open and close
    for (int i = 0; i < counts.invalidFolders; ++i)
        floor += static_cast<unsigned long>(perKind[i % 4]);
    return floor + static_cast<unsigned long>(counts.valid2007) * kFloor2007 +
           static_cast<unsigned long>(counts.valid2005) * kFloor2005 + static_cast<unsigned long>(counts.plainFiles);
}

struct Measured {
    unsigned long calls = 0;
    double seconds = 0;
};

Measured Discover(const Shim& shim, const std::string& folder, long latency)
{
    shim.reset();
    shim.set(latency, 1);
    const auto start = std::chrono::steady_clock::now();
    std::list<std::string> names;
    FindLayoutTemplates(folder, names);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    shim.set(0, 0);
    return {shim.calls(), seconds};
}

}  // namespace

bool FileSystemShimLoaded()
{
    const Shim shim = FindShim();
    return shim.set != nullptr && shim.calls != nullptr && shim.reset != nullptr;
}

int RunFileSystemCases(FixtureRoot& root, long latencyMicroseconds, int repetitions)
{
    const Shim shim = FindShim();
    if (!FileSystemShimLoaded()) {
        std::fprintf(stderr, "ilt_bench: the file-system shim is not preloaded\n");
        return 1;
    }

    // Calls per template: a library of 101 less a library of 1, over 100.
    double perTemplate[2] = {0, 0};
    for (const bool format2007 : {true, false}) {
        const std::string format = format2007 ? "2007" : "2005";
        const std::string one = root.MakeUniformLibrary("fs-" + format + "-1", 1, format2007);
        const std::string many = root.MakeUniformLibrary("fs-" + format + "-101", 101, format2007);
        Discover(shim, many, 0);  // warms the page cache
        const double calls =
            static_cast<double>(Discover(shim, many, 0).calls) - static_cast<double>(Discover(shim, one, 0).calls);
        perTemplate[format2007 ? 0 : 1] = calls / 100;
    }

    constexpr int kSize = 1000;
    const LibraryCounts counts = root.MakeLibrary(kSize);
    Discover(shim, FixtureRoot::TemplatesFolder(kSize), 0);
    std::vector<double> seconds;
    unsigned long calls = 0;
    for (int i = 0; i < std::max(1, repetitions); ++i) {
        const Measured measured = Discover(shim, FixtureRoot::TemplatesFolder(kSize), latencyMicroseconds);
        seconds.push_back(measured.seconds);
        calls = measured.calls;
    }
    std::sort(seconds.begin(), seconds.end());
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
                latency * 1e3, seconds[seconds.size() / 2], static_cast<double>(floorCalls) * latency);
    std::printf("The floor's time is its calls times the latency. A listing's reads are not counted.\n");
    std::fflush(stdout);
    return 0;
}

}  // namespace bench
