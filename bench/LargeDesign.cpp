// Absurdly large templates, shown once each in a live dialog.
#include "LargeDesign.h"

#include <sqlite3.h>

#include <standin/corvane_writer.h>
#include <standin/crt.h>
#include <standin/oskel_writer.h>

#include <OskelPI.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>

#include "DialogCases.h"
#include "HeapCounter.h"
#include "Table.h"

namespace bench {
namespace {

const char kLibrary[] = "D:\\large";

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void Execute(sqlite3* connection, const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(connection, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string error = message != nullptr ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("large design: " + error);
    }
}

// A design of `layers` layers, every other one a conductor with a usage, as the writer would
// write it; the rows are made by SQL, which takes seconds where a description would take minutes.
// Each conductor gets `extraConstraints` constraints more, and names are padded to `nameLength`.
void WriteLarge2007(const fs::path& templateFolder, int layers, int extraConstraints = 0, int nameLength = 0)
{
    std::string error;
    const fs::path oskel = templateFolder / "keyin.oskel";
    if (!standin::oskel::WriteOskel(oskel.string(), standin::oskel::PcbDescription({}), &error))
        throw std::runtime_error("large design: " + error);
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2((oskel / "design.db").c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> connection(raw, sqlite3_close);
    if (opened != SQLITE_OK)
        throw std::runtime_error("large design: cannot open " + (oskel / "design.db").string());
    const std::string count = std::to_string(layers);
    Execute(connection.get(),
            "BEGIN;"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                count +
                ")"
                " INSERT INTO trel_layer (design_id, position, type, name, metal_number)"
                " SELECT (SELECT id FROM trel_design), i, CASE i % 2 WHEN 1 THEN 0 ELSE 1 END,"
                " printf('%-" +
                std::to_string(nameLength) +
                "s', CASE i % 2 WHEN 1 THEN 'L' || ((i + 1) / 2) ELSE 'D' || (i / 2) END),"
                " CASE i % 2 WHEN 1 THEN (i + 1) / 2 END FROM n;"
                "INSERT INTO trel_constraint (layer_id, name, value, value_type)"
                " SELECT id, 'LAYER_USAGE', CASE metal_number % 2 WHEN 1 THEN 'Signal' ELSE 'Plane' END, 0"
                " FROM trel_layer WHERE type = 0;"
                "WITH RECURSIVE k(j) AS (SELECT 1 UNION ALL SELECT j + 1 FROM k WHERE j < " +
                std::to_string(extraConstraints) +
                ")"
                " INSERT INTO trel_constraint (layer_id, name, value, value_type)"
                " SELECT id, 'C' || j, 'v', 0 FROM trel_layer, k WHERE type = 0 AND j <= " +
                std::to_string(extraConstraints) +
                ";"
                "COMMIT;");
}

void WriteLarge2005(const fs::path& templateFolder, int layers)
{
    const standin::corvane::Description description = Corvane(layers);
    std::string error;
    if (!standin::corvane::Write2005Template(templateFolder.string(), description, &error))
        throw std::runtime_error("large design: " + error);
}

struct Shown {
    double seconds = 0;
    double cpuSeconds = 0;
    int rows = -1;  // -1: the display failed
    std::size_t peakHeap = 0;
    std::string error;
};

// Shows templateName once in a live dialog, the start-up having shown the library's first
// template; with heap, counts the heap instead of taking the time.
Shown ShowOnce(const std::string& templateName, bool heap)
{
    Shown shown;
    shown.error = WithShownDialog(kLibrary, [&](const ShownDialog& dialog) {
        if (heap) {
            HeapWindow window;
            shown.rows = dialog.displayStackUp(templateName);
            shown.peakHeap = window.Stop().peak;
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuSeconds();
        shown.rows = dialog.displayStackUp(templateName);
        shown.cpuSeconds = ThreadCpuSeconds() - cpuStart;
        shown.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
    return shown;
}

// The client alone, as the 2007 reader calls it: open, snapshot, configuration, design, every
// layer's kind and, for a conductor, its name, number and usage; then the close.
Shown ReadThroughClient(const std::string& templateName, bool heap)
{
    Shown shown;
    std::optional<HeapWindow> window;
    if (heap)
        window.emplace();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    {
        Oskel::OskelPI client;
        Oskel::ProjectData project;
        project.m_databasePath =
            (std::string(kLibrary) + "\\Templates\\Layout\\" + templateName + "\\keyin.oskel").c_str();
        project.m_clientLabel = "Quillet_LT";
        Oskel::ContainerT<const Oskel::ISnapshot> snapshot;
        Oskel::ContainerT<const Oskel::ITrelConfig> config;
        Oskel::ContainerT<const Oskel::ITrelDesign> design;
        Oskel::IteratorT<const Oskel::ITrelLayer> layers;
        if (client.OpenOskel(project) && client.GetSnapshotByName(snapshot, "PCB") &&
            (*snapshot).GetTrelConfig(config, "PCB") && (*config).GetTrelDesign(design) &&
            (*design).GetIterLayers(layers)) {
            shown.rows = 0;
            for (; layers.IsValid(); ++layers) {
                const Oskel::ContainerT<const Oskel::ITrelLayer> layer = *layers;
                Oskel::ELayerType type = Oskel::eDielectricLayer;
                Oskel::String name;
                Oskel::String usage;
                Oskel::EConstraintType usageType = Oskel::eStringConstraint;
                int number = 0;
                Oskel::ContainerT<const Oskel::ITrelConstraint> constraint;
                if ((*layer).GetType(type) && type == Oskel::eConductorLayer && (*layer).GetName(name) &&
                    (*layer).GetMetallicLayerNumber(number)) {
                    if ((*layer).GetConstraint(constraint, "LAYER_USAGE"))
                        (*constraint).GetValueByString(usage, usageType);
                    ++shown.rows;
                }
            }
        }
        client.CloseOskel();
        shown.cpuSeconds = ThreadCpuSeconds() - cpuStart;
        shown.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (window)
            shown.peakHeap = window->Stop().peak;
    }
    return shown;
}

std::string Outcome(const Shown& shown)
{
    if (!shown.error.empty() && shown.error.rfind("message: ", 0) != 0)
        return shown.error;
    if (shown.rows < 0)
        return "failed" + (shown.error.empty() ? std::string() : " (" + shown.error.substr(9) + ")");
    return std::to_string(shown.rows) + " rows";
}

}  // namespace

int RunLargeDesignCases(FixtureRoot& root, const std::vector<int>& layerCounts)
{
    const fs::path folder = root.NativeLargeFolder();
    // Start-up shows the first template in the listing: a small one, with the listing in name
    // order.
    standin::SetListingOrder(standin::ListingOrder::Ascending);
    WriteLarge2007(folder / "a-small", 2);
    for (const int layers : layerCounts) {
        const auto start = std::chrono::steady_clock::now();
        WriteLarge2007(folder / ("huge2007-" + std::to_string(layers)), layers);
        WriteLarge2005(folder / ("huge2005-" + std::to_string(layers)), layers);
        std::fprintf(stderr, "templates of %d layers written in %.1f s (design.db: %.1f MiB)\n", layers,
                     std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                     static_cast<double>(
                         fs::file_size(folder / ("huge2007-" + std::to_string(layers)) / "keyin.oskel" / "design.db")) /
                         (1024.0 * 1024.0));
    }

    // A design at every bound of the client: 100,000 layers, 200,000 constraints and 15.4 MiB of
    // names and values.
    WriteLarge2007(folder / "bounds2007", 100000, 3, 140);

    std::printf("\n| one stack-up display, as a pick reaches it | outcome | wall | CPU | peak heap |\n");
    std::printf("|---|---|---:|---:|---:|\n");
    std::fflush(stdout);
    int status = 0;
    for (const int layers : layerCounts) {
        for (const char* format : {"2007", "2005"}) {
            // Each case in a process of its own, so that what one case leaves to the allocator
            // does not count in the next one's heap.
            const pid_t child = fork();
            if (child == 0) {
                const std::string name = std::string("huge") + format + "-" + std::to_string(layers);
                const Shown timed = ShowOnce(name, false);
                const Shown counted = ShowOnce(name, true);
                std::printf("| %s, %s layers | %s | %s | %s | %s |\n", format, Thousands(layers).c_str(),
                            Outcome(timed).c_str(), Time(timed.seconds).c_str(), Time(timed.cpuSeconds).c_str(),
                            Bytes(counted.peakHeap).c_str());
                if (std::string(format) == "2007") {
                    const Shown client = ReadThroughClient(name, false);
                    const Shown clientHeap = ReadThroughClient(name, true);
                    std::printf("| 2007, %s layers, the client alone | %s | %s | %s | %s |\n",
                                Thousands(layers).c_str(), Outcome(client).c_str(), Time(client.seconds).c_str(),
                                Time(client.cpuSeconds).c_str(), Bytes(clientHeap.peakHeap).c_str());
                }
                std::fflush(stdout);
                _exit(0);
            }
            int childStatus = 0;
            if (child < 0 || waitpid(child, &childStatus, 0) != child || !WIFEXITED(childStatus) ||
                WEXITSTATUS(childStatus) != 0) {
                std::fprintf(stderr, "ilt_bench: the case of %s, %d layers did not finish\n", format, layers);
                status = 1;
            }
        }
    }
    const pid_t child = fork();
    if (child == 0) {
        const Shown timed = ShowOnce("bounds2007", false);
        const Shown counted = ShowOnce("bounds2007", true);
        std::printf(
            "| 2007, at every bound: 100,000 layers, 200,000 constraints, 15.4 MiB of text | %s | %s | %s | %s |\n",
            Outcome(timed).c_str(), Time(timed.seconds).c_str(), Time(timed.cpuSeconds).c_str(),
            Bytes(counted.peakHeap).c_str());
        std::fflush(stdout);
        _exit(0);
    }
    int childStatus = 0;
    if (child < 0 || waitpid(child, &childStatus, 0) != child || !WIFEXITED(childStatus) ||
        WEXITSTATUS(childStatus) != 0)
        status = 1;
    return status;
}

}  // namespace bench
