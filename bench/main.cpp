// ilt_bench: speed and heap use of template discovery, the dialog's start-up and the two stack-up
// readers, each beside its floor, printed as one table.
//
// Usage: ilt_bench [--sizes=100,1000,10000] [--repetitions=N] [--verbose] [--no-heap]
//                  [Google Benchmark flags]
//        ilt_bench --file-system[=MICROSECONDS] [--repetitions=N]
//                  file-system calls per template and discovery on a slow share (0.5 ms a call
//                  unless given), through the shim libilt_fs_latency, which the program preloads
//                  by running itself again
#include "DialogCases.h"
#include "FileSystemCases.h"
#include "Fixtures.h"
#include "FloorScan.h"
#include "HeapCounter.h"
#include "ReaderFloors.h"

#include "templates/TemplateDiscovery.h"


#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <iostream>
#include <list>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench {
namespace {

constexpr int kReaderLayers = 1000;
constexpr int kStartUpSize = 1000;

struct Options {
    std::vector<int> sizes = {100, 1000, 10000};
    int repetitions = 9;
    bool verbose = false;
    bool heap = true;
    bool fileSystem = false;
    long latencyMicroseconds = 500;
    bool repetitionsGiven = false;
};

// A benchmark that times part of each iteration itself reports that part's CPU seconds here.
const char kCpuCounter[] = "cpu_s";

// Medians of the benchmarks' CPU times (user and system time of the thread), in seconds, by
// benchmark name.
class MedianCollector : public benchmark::BenchmarkReporter {
public:
    explicit MedianCollector(bool verbose) : m_verbose(verbose) {}

    bool ReportContext(const Context& context) override
    {
        if (m_verbose)
            m_console.ReportContext(context);
        return true;
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                m_errors[run.run_name.function_name] = run.error_message;
                continue;
            }
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median")
                continue;
            for (const auto& [counter, value] : run.counters)
                m_counters[run.run_name.function_name][counter] = value.value;
            const auto cpu = run.counters.find(kCpuCounter);
            m_medians[run.run_name.function_name] =
                cpu != run.counters.end()
                    ? cpu->second.value
                    : run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
        if (m_verbose)
            m_console.ReportRuns(runs);
        else
            std::cerr << '.' << std::flush;
    }

    void Finalize() override
    {
        if (m_verbose)
            m_console.Finalize();
        else
            std::cerr << '\n';
    }

    std::optional<double> Median(const std::string& name) const
    {
        const auto found = m_medians.find(name);
        return found == m_medians.end() ? std::nullopt : std::optional<double>(found->second);
    }
    std::optional<double> Counter(const std::string& name, const std::string& counter) const
    {
        const auto found = m_counters.find(name);
        if (found == m_counters.end() || found->second.count(counter) == 0)
            return std::nullopt;
        return found->second.at(counter);
    }
    const std::map<std::string, std::string>& Errors() const { return m_errors; }

private:
    bool m_verbose;
    benchmark::ConsoleReporter m_console;
    std::map<std::string, double> m_medians;
    std::map<std::string, std::map<std::string, double>> m_counters;
    std::map<std::string, std::string> m_errors;
};

// Runs f once and measures the heap it used.
HeapUse MeasureHeap(const std::function<void()>& f)
{
    HeapWindow window;
    f();
    return window.Stop();
}

// User and system CPU seconds of the calling thread.
struct CpuSplit {
    double user = 0;
    double system = 0;
    double minorFaults = 0;
};

CpuSplit ThreadCpu()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return {seconds(usage.ru_utime), seconds(usage.ru_stime), static_cast<double>(usage.ru_minflt)};
}

// Runs the benchmark loop over body and reports the user and system parts of its CPU time.
template <class Body>
void TimedLoop(benchmark::State& state, Body body)
{
    const CpuSplit before = ThreadCpu();
    for (auto _ : state)
        body();
    const CpuSplit after = ThreadCpu();
    state.counters["user_s"] = benchmark::Counter(after.user - before.user, benchmark::Counter::kAvgIterations);
    state.counters["sys_s"] = benchmark::Counter(after.system - before.system, benchmark::Counter::kAvgIterations);
    state.counters["faults"] =
        benchmark::Counter(after.minorFaults - before.minorFaults, benchmark::Counter::kAvgIterations);
}

std::string Name(const char* what, int n)
{
    return std::string(what) + "/" + std::to_string(n);
}

// ---- what is measured -------------------------------------------------------------------------

int OurFind(int n)
{
    std::list<std::string> names;
    FindLayoutTemplates(FixtureRoot::TemplatesFolder(n), names);
    return static_cast<int>(names.size());
}

bool OurHas(int n)
{
    return HasLayoutTemplates(FixtureRoot::TemplatesFolder(n));
}

int Floor(const FixtureRoot& root, int n, bool keepNames)
{
    std::vector<std::string> names;
    return FloorScan(root.NativeTemplatesFolder(n).string(), keepNames ? &names : nullptr);
}

// ---- checks before timing ---------------------------------------------------------------------

// Discovery and the floor must agree on what a library holds, name for name and in order.
void CheckLibrary(const FixtureRoot& root, int n, const LibraryCounts& counts)
{
    std::list<std::string> ours;
    FindLayoutTemplates(FixtureRoot::TemplatesFolder(n), ours);
    std::vector<std::string> floor;
    FloorScan(root.NativeTemplatesFolder(n).string(), &floor);
    const std::size_t expected = static_cast<std::size_t>(counts.valid2007 + counts.valid2005);
    if (ours.size() != expected || !std::equal(ours.begin(), ours.end(), floor.begin(), floor.end()))
        throw std::runtime_error("library of " + std::to_string(n) + ": discovery found " +
                                 std::to_string(ours.size()) + " templates, the floor " +
                                 std::to_string(floor.size()) + ", expected " + std::to_string(expected));
    if (!HasLayoutTemplates(FixtureRoot::TemplatesFolder(n)))
        throw std::runtime_error("library of " + std::to_string(n) + ": HasLayoutTemplates is false");
}

// ---- registration -----------------------------------------------------------------------------

void Register(const std::string& name, std::function<void(benchmark::State&)> body, int n,
              const Options& options, bool manualTime = false)
{
    benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(name.c_str(), [body](benchmark::State& state) {
        body(state);
    });
    b->Unit(benchmark::kMillisecond)->Repetitions(options.repetitions);
    if (manualTime)
        b->UseManualTime();
    else
        b->UseRealTime();
    if (n >= 10000)
        b->Iterations(1);
    else if (n >= 1000)
        b->Iterations(2);
    else
        b->MinTime(0.05);
}

void RegisterDiscovery(const FixtureRoot& root, int n, const Options& options)
{
    Register(Name("find", n), [n](benchmark::State& state) {
        TimedLoop(state, [n] { benchmark::DoNotOptimize(OurFind(n)); });
    }, n, options);
    Register(Name("has", n), [n](benchmark::State& state) {
        TimedLoop(state, [n] { benchmark::DoNotOptimize(OurHas(n)); });
    }, n, options);
    Register(Name("floor-find", n), [&root, n](benchmark::State& state) {
        TimedLoop(state, [&root, n] { benchmark::DoNotOptimize(Floor(root, n, true)); });
    }, n, options);
    Register(Name("floor-has", n), [&root, n](benchmark::State& state) {
        TimedLoop(state, [&root, n] { benchmark::DoNotOptimize(Floor(root, n, false)); });
    }, n, options);
}

void RegisterStartUp(int n, const Options& options)
{
    Register(Name("startup", n), [n](benchmark::State& state) {
        double cpuSeconds = 0;
        for (auto _ : state) {
            const StartUpRun run = RunStartUp(FixtureRoot::CentralLibrary(n));
            if (!run.error.empty()) {
                state.SkipWithError(run.error.c_str());
                break;
            }
            state.SetIterationTime(run.seconds);
            cpuSeconds += run.cpuSeconds;
        }
        state.counters[kCpuCounter] = benchmark::Counter(cpuSeconds, benchmark::Counter::kAvgIterations);
    }, n, options, true);

    // One stack-up read: the template start-up shows first, displayed again in the shown dialog.
    Register(Name("first-read", n), [n](benchmark::State& state) {
        const std::string error = WithShownDialog(FixtureRoot::CentralLibrary(n),
                                                  [&](const ShownDialog& dialog) {
            for (auto _ : state) {
                if (dialog.displayStackUp(dialog.selectedTemplate) < 0) {
                    state.SkipWithError("the first template's stack-up cannot be shown");
                    break;
                }
            }
        });
        if (!error.empty())
            state.SkipWithError(error.c_str());
    }, 100, options);
}

void RegisterReaders(const FixtureRoot& root, const Options& options)
{
    for (const char* templateName : {"big2007", "big2005"}) {
        const bool is2007 = std::strcmp(templateName, "big2007") == 0;
        const std::string file =
            (root.NativeReaderFolder() / templateName / (is2007 ? "keyin.oskel/design.db" : "Layout/Corvane.cvn"))
                .string();
        for (const bool floor : {false, true}) {
            const std::string name = std::string(floor ? "floor-" : "") + (is2007 ? "read2007" : "read2005");
            Register(Name(name.c_str(), kReaderLayers), [=](benchmark::State& state) {
                const std::string error = WithShownDialog(FixtureRoot::ReaderLibrary(), [&](const ShownDialog& dialog) {
                    for (auto _ : state) {
                        const int rows = !floor ? dialog.displayStackUp(templateName)
                                         : is2007 ? Floor2007Read(file, dialog.stackupList)
                                                  : Floor2005Read(file, dialog.stackupList);
                        if (rows != kReaderLayers / 2) {
                            state.SkipWithError(("unexpected rows: " + std::to_string(rows)).c_str());
                            break;
                        }
                    }
                });
                if (!error.empty())
                    state.SkipWithError(error.c_str());
            }, 100, options);
        }
    }
}

// Start-up is measured on 1,000 templates, and on 10,000 when that library is made.
std::vector<int> StartUpSizes(const Options& options)
{
    std::vector<int> sizes = {kStartUpSize};
    if (std::find(options.sizes.begin(), options.sizes.end(), 10000) != options.sizes.end())
        sizes.push_back(10000);
    return sizes;
}

// ---- the table --------------------------------------------------------------------------------

std::string Time(std::optional<double> seconds)
{
    if (!seconds)
        return "failed";
    char text[32];
    if (*seconds >= 1)
        std::snprintf(text, sizeof text, "%.3f s", *seconds);
    else if (*seconds >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", *seconds * 1e3);
    else
        std::snprintf(text, sizeof text, "%.1f us", *seconds * 1e6);
    return text;
}

std::string Bytes(std::optional<std::size_t> bytes)
{
    if (!bytes || !HeapCounted())
        return "n/a";
    char text[32];
    if (*bytes >= 1024 * 1024)
        std::snprintf(text, sizeof text, "%.2f MiB", *bytes / (1024.0 * 1024.0));
    else
        std::snprintf(text, sizeof text, "%.1f KiB", *bytes / 1024.0);
    return text;
}

std::string Ratio(std::optional<double> ours, std::optional<double> floor)
{
    if (!ours || !floor || *floor <= 0)
        return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", *ours / *floor);
    return text;
}

std::string Thousands(int n)
{
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

struct Row {
    std::string label;
    std::optional<double> ours;
    std::optional<double> floor;
    std::optional<std::size_t> peak;
};

void PrintTable(const std::vector<Row>& rows)
{
    std::size_t width = 4;
    for (const Row& row : rows)
        width = std::max(width, row.label.size());
    std::printf("| %-*s | %10s | %10s | %5s | %10s |\n", static_cast<int>(width), "case", "ours", "floor", "ratio",
                "peak heap");
    std::printf("|%s|-----------:|-----------:|------:|-----------:|\n", std::string(width + 2, '-').c_str());
    for (const Row& row : rows)
        std::printf("| %-*s | %10s | %10s | %5s | %10s |\n", static_cast<int>(width), row.label.c_str(),
                    Time(row.ours).c_str(), row.floor ? Time(row.floor).c_str() : "-",
                    Ratio(row.ours, row.floor).c_str(), Bytes(row.peak).c_str());
}

Options ParseOptions(int& argc, char** argv)
{
    Options options;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--sizes=", 0) == 0) {
            options.sizes.clear();
            std::stringstream list(arg.substr(8));
            for (std::string size; std::getline(list, size, ',');)
                options.sizes.push_back(std::stoi(size));
        } else if (arg.rfind("--repetitions=", 0) == 0) {
            options.repetitions = std::stoi(arg.substr(14));
            options.repetitionsGiven = true;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg.rfind("--file-system", 0) == 0) {
            options.fileSystem = true;
            if (arg.size() > 14 && arg[13] == '=')
                options.latencyMicroseconds = std::stol(arg.substr(14));
        } else if (arg == "--no-heap") {
            options.heap = false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return options;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The file-system cases, in this process once the shim is preloaded, otherwise in this program
// run again with it.
int RunFileSystem(const Options& options, char** argv)
{
    if (!FileSystemShimLoaded()) {
        setenv("LD_PRELOAD", ILT_FS_SHIM_PATH, 1);
        execv("/proc/self/exe", argv);
        std::perror("ilt_bench: cannot run itself with the file-system shim");
        return 1;
    }
    unsetenv("LD_PRELOAD");  // not for what the program may start
    FixtureRoot root;
    return RunFileSystemCases(root, options.latencyMicroseconds, options.repetitionsGiven ? options.repetitions : 3);
}

int Run(int argc, char** argv)
{
    std::vector<char*> original(argv, argv + argc + 1);
    const Options options = ParseOptions(argc, argv);
    if (options.fileSystem)
        return RunFileSystem(options, original.data());
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    int benchArgc = static_cast<int>(args.size());
    benchmark::Initialize(&benchArgc, args.data());

    FixtureRoot root;
    std::map<int, LibraryCounts> libraries;
    const bool startUpSizeMissing =
        std::find(options.sizes.begin(), options.sizes.end(), kStartUpSize) == options.sizes.end();
    std::vector<int> toMake = options.sizes;
    if (startUpSizeMissing)
        toMake.push_back(kStartUpSize);
    for (const int n : toMake) {
        const auto start = std::chrono::steady_clock::now();
        libraries[n] = root.MakeLibrary(n);
        CheckLibrary(root, n, libraries[n]);  // also warms the page cache
        std::fprintf(stderr, "library of %d templates written and checked in %.1f s\n", n, Seconds(start));
    }
    root.MakeReaderLibrary(kReaderLayers);

    for (const int n : options.sizes)
        RegisterDiscovery(root, n, options);
    for (const int n : StartUpSizes(options))
        RegisterStartUp(n, options);
    RegisterReaders(root, options);

    MedianCollector collector(options.verbose);
    const auto start = std::chrono::steady_clock::now();
    benchmark::RunSpecifiedBenchmarks(&collector);
    std::fprintf(stderr, "benchmarks ran in %.1f s\n", Seconds(start));
    for (const auto& [name, message] : collector.Errors())
        std::fprintf(stderr, "%s failed: %s\n", name.c_str(), message.c_str());

    // Heap, each case once more on its own, as in a host: the client stand-ins' call logs, which
    // only tests turn on, stay off.
    std::map<std::string, HeapUse> heap;
    for (const int n : options.heap ? options.sizes : std::vector<int>()) {
        heap[Name("find", n)] = MeasureHeap([n] { OurFind(n); });
        heap[Name("has", n)] = MeasureHeap([n] { OurHas(n); });
        heap[Name("floor-find", n)] = MeasureHeap([&root, n] { Floor(root, n, true); });
    }
    if (options.heap)
        heap[Name("startup", kStartUpSize)] = MeasureHeap([] { RunStartUp(FixtureRoot::CentralLibrary(kStartUpSize)); });
    for (const char* name : options.heap ? std::vector<const char*>{"big2007", "big2005"} : std::vector<const char*>()) {
        WithShownDialog(FixtureRoot::ReaderLibrary(), [&](const ShownDialog& dialog) {
            heap[name] = MeasureHeap([&] { dialog.displayStackUp(name); });
        });
    }

    const auto peakOf = [&heap](const std::string& key) -> std::optional<std::size_t> {
        const auto found = heap.find(key);
        return found == heap.end() ? std::nullopt : std::optional<std::size_t>(found->second.peak);
    };
    std::vector<Row> rows;
    for (const int n : options.sizes) {
        const std::string size = Thousands(n);
        rows.push_back({"FindLayoutTemplates, " + size + " templates", collector.Median(Name("find", n)),
                        collector.Median(Name("floor-find", n)), peakOf(Name("find", n))});
    }
    for (const int n : options.sizes) {
        const std::string size = Thousands(n);
        rows.push_back({"HasLayoutTemplates, " + size + " templates", collector.Median(Name("has", n)),
                        collector.Median(Name("floor-has", n)), peakOf(Name("has", n))});
    }
    for (const int n : StartUpSizes(options)) {
        std::optional<double> startUpFloor;
        const auto find = collector.Median(Name("find", n));
        const auto firstRead = collector.Median(Name("first-read", n));
        if (find && firstRead)
            startUpFloor = *find + *firstRead;
        rows.push_back({"start-up to first stack-up, " + Thousands(n) + " templates (floor: find + one read)",
                        collector.Median(Name("startup", n)), startUpFloor, peakOf(Name("startup", n))});
        rows.push_back({"one stack-up read, the template start-up shows, " + Thousands(n) + " templates", firstRead,
                        std::nullopt, std::nullopt});
    }
    rows.push_back({"2007 reader, " + Thousands(kReaderLayers) + " layers", collector.Median(Name("read2007", kReaderLayers)),
                    collector.Median(Name("floor-read2007", kReaderLayers)), peakOf("big2007")});
    rows.push_back({"2005 reader, " + Thousands(kReaderLayers) + " layers", collector.Median(Name("read2005", kReaderLayers)),
                    collector.Median(Name("floor-read2005", kReaderLayers)), peakOf("big2005")});

    std::printf("\n");
    PrintTable(rows);

    std::printf("\nTime per template (FindLayoutTemplates / floor):");
    for (const int n : options.sizes) {
        const auto ours = collector.Median(Name("find", n));
        const auto floor = collector.Median(Name("floor-find", n));
        if (ours && floor)
            std::printf("  %s: %.1f / %.1f us", Thousands(n).c_str(), *ours / n * 1e6, *floor / n * 1e6);
    }
    std::printf("\n");
    std::printf("User / system CPU time per FindLayoutTemplates (floor in brackets):");
    for (const int n : options.sizes) {
        const auto user = collector.Counter(Name("find", n), "user_s");
        const auto system = collector.Counter(Name("find", n), "sys_s");
        const auto floorUser = collector.Counter(Name("floor-find", n), "user_s");
        const auto floorSystem = collector.Counter(Name("floor-find", n), "sys_s");
        if (user && system && floorUser && floorSystem)
            std::printf("  %s: %s / %s (%s / %s)", Thousands(n).c_str(), Time(user).c_str(), Time(system).c_str(),
                        Time(floorUser).c_str(), Time(floorSystem).c_str());
    }
    std::printf("\n");
    if (HeapCounted() && options.heap) {
        std::printf("Heap of FindLayoutTemplates (peak; left once it returned and its names were freed):\n ");
        for (const int n : options.sizes) {
            const HeapUse& h = heap[Name("find", n)];
            std::printf("  %s: %s; %s", Thousands(n).c_str(), Bytes(h.peak).c_str(), Bytes(h.retained).c_str());
        }
        std::printf("\n");
        const auto small = heap.find(Name("find", 1000));
        const auto large = heap.find(Name("find", 10000));
        if (small != heap.end() && large != heap.end() && small->second.peak > 0)
            std::printf("Peak heap growth 1,000 -> 10,000 templates: x%.2f\n",
                        static_cast<double>(large->second.peak) / small->second.peak);
    }
    std::fflush(stdout);
    return collector.Errors().empty() ? 0 : 1;
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv)
{
    try {
        return bench::Run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "ilt_bench: %s\n", e.what());
        return 1;
    }
}
