// The cases ilt_bench times.
#include "Cases.h"

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <list>
#include <stdexcept>
#include <vector>

#include "DialogCases.h"
#include "FloorScan.h"
#include "MedianCollector.h"
#include "ReaderFloors.h"
#include "templates/TemplateDiscovery.h"

namespace bench {
namespace {

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

void Register(const std::string& name, std::function<void(benchmark::State&)> body, int n, const Options& options,
              bool manualTime = false)
{
    benchmark::internal::Benchmark* b =
        benchmark::RegisterBenchmark(name.c_str(), [body](benchmark::State& state) { body(state); });
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

}  // namespace

std::string Name(const char* what, int n) { return std::string(what) + "/" + std::to_string(n); }

int OurFind(int n)
{
    std::list<std::string> names;
    FindLayoutTemplates(FixtureRoot::TemplatesFolder(n), names);
    return static_cast<int>(names.size());
}

bool OurHas(int n) { return HasLayoutTemplates(FixtureRoot::TemplatesFolder(n)); }

int Floor(const FixtureRoot& root, int n, bool keepNames)
{
    std::vector<std::string> names;
    return FloorScan(root.NativeTemplatesFolder(n).string(), keepNames ? &names : nullptr);
}

// Runs f once and measures the heap it used.
HeapUse MeasureHeap(const std::function<void()>& f)
{
    HeapWindow window;
    f();
    return window.Stop();
}

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
                                 std::to_string(ours.size()) + " templates, the floor " + std::to_string(floor.size()) +
                                 ", expected " + std::to_string(expected));
    if (!HasLayoutTemplates(FixtureRoot::TemplatesFolder(n)))
        throw std::runtime_error("library of " + std::to_string(n) + ": HasLayoutTemplates is false");
}

void RegisterDiscovery(const FixtureRoot& root, int n, const Options& options)
{
    Register(
        Name("find", n),
        [n](benchmark::State& state) { TimedLoop(state, [n] { benchmark::DoNotOptimize(OurFind(n)); }); }, n, options);
    Register(
        Name("has", n),
        [n](benchmark::State& state) { TimedLoop(state, [n] { benchmark::DoNotOptimize(OurHas(n)); }); }, n, options);
    Register(
        Name("floor-find", n),
        [&root, n](benchmark::State& state) {
            TimedLoop(state, [&root, n] { benchmark::DoNotOptimize(Floor(root, n, true)); });
        },
        n, options);
    Register(
        Name("floor-has", n),
        [&root, n](benchmark::State& state) {
            TimedLoop(state, [&root, n] { benchmark::DoNotOptimize(Floor(root, n, false)); });
        },
        n, options);
}

void RegisterStartUp(const FixtureRoot& root, int n, const Options& options)
{
    Register(
        Name("startup", n),
        [n](benchmark::State& state) {
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
        },
        n, options, true);

    // One stack-up read: the template start-up shows first, displayed again in the shown dialog.
    Register(
        Name("first-read", n),
        [n](benchmark::State& state) {
            const std::string error = WithShownDialog(FixtureRoot::CentralLibrary(n), [&](const ShownDialog& dialog) {
                for (auto _ : state) {
                    if (dialog.displayStackUp(dialog.selectedTemplate) < 0) {
                        state.SkipWithError("the first template's stack-up cannot be shown");
                        break;
                    }
                }
            });
            if (!error.empty())
                state.SkipWithError(error.c_str());
        },
        100, options);

    // Its floor: the same template's rows read by the reader floors into the same list.
    Register(
        Name("floor-first-read", n),
        [&root, n](benchmark::State& state) {
            const std::string error = WithShownDialog(FixtureRoot::CentralLibrary(n), [&](const ShownDialog& dialog) {
                const fs::path folder = root.NativeTemplatesFolder(n) / dialog.selectedTemplate;
                const bool is2007 = fs::is_regular_file(folder / "keyin.oskel" / "sids");
                const std::string file = (folder / (is2007 ? "keyin.oskel/design.db" : "Layout/Corvane.cvn")).string();
                for (auto _ : state) {
                    const int rows =
                        is2007 ? Floor2007Read(file, dialog.stackupList) : Floor2005Read(file, dialog.stackupList);
                    if (rows < 0) {
                        state.SkipWithError("the first template's floor read failed");
                        break;
                    }
                }
            });
            if (!error.empty())
                state.SkipWithError(error.c_str());
        },
        100, options);
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
            Register(
                Name(name.c_str(), kReaderLayers),
                [=](benchmark::State& state) {
                    const std::string error =
                        WithShownDialog(FixtureRoot::ReaderLibrary(), [&](const ShownDialog& dialog) {
                            for (auto _ : state) {
                                const int rows = !floor   ? dialog.displayStackUp(templateName)
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
                },
                100, options);
        }
    }
}

}  // namespace bench
