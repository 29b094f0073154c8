// The command line of ilt_bench: the library sizes, the repetitions and what is measured; the
// arguments it does not know are left for Google Benchmark.
#pragma once

#include <vector>

namespace bench {

// The layers of each of the two templates the readers are timed on, and the size of the library
// whose start-up is always timed.
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
    std::vector<int> largeDesigns;  // --large-design: the layer counts, none when not asked
};

// Takes the options of ilt_bench out of argv (argc counts what stays).
Options ParseOptions(int& argc, char** argv);

// Start-up is measured on kStartUpSize templates, and on 10,000 when that library is made.
std::vector<int> StartUpSizes(const Options& options);

}  // namespace bench
