// ilt_bench: speed and heap use of template discovery, the dialog's start-up and the two stack-up
// readers, each beside its floor, printed as one table.
//
// Usage: ilt_bench [--sizes=100,1000,10000] [--repetitions=N] [--verbose] [--no-heap]
//                  [Google Benchmark flags]
//        ilt_bench --file-system[=MICROSECONDS] [--repetitions=N]
//                  file-system calls per template and discovery on a slow share (0.5 ms a call
//                  unless given), through the shim libilt_fs_latency, which the program preloads
//                  by running itself again
//        ilt_bench --large-design[=LAYERS,...]
//                  one display each of a 2007 and a 2005 template of 1,000,000 and 100,000 layers
//                  (or the counts given): outcome, time and peak heap
#include "Cases.h"
#include "DialogCases.h"
#include "FileSystemCases.h"
#include "Fixtures.h"
#include "HeapCounter.h"
#include "LargeDesign.h"
#include "MedianCollector.h"
#include "Options.h"
#include "Table.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {
namespace {

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
    if (!options.largeDesigns.empty()) {
        FixtureRoot root;
        return RunLargeDesignCases(root, options.largeDesigns);
    }
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
        RegisterStartUp(root, n, options);
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
        heap[Name("startup", kStartUpSize)] =
            MeasureHeap([] { RunStartUp(FixtureRoot::CentralLibrary(kStartUpSize)); });
    for (const char* name :
         options.heap ? std::vector<const char*>{"big2007", "big2005"} : std::vector<const char*>()) {
        WithShownDialog(FixtureRoot::ReaderLibrary(), [&](const ShownDialog& dialog) {
            heap[name] = MeasureHeap([&] { dialog.displayStackUp(name); });
        });
    }

    PrintResults(options, collector, heap);
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
