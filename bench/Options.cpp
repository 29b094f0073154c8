// The command line of ilt_bench.
#include "Options.h"

#include <algorithm>
#include <sstream>
#include <string>

namespace bench {

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
        } else if (arg.rfind("--large-design", 0) == 0) {
            // The design of the report (1,000,000 layers, 40 MB) and one at the readers' bound.
            options.largeDesigns = {1000000, 100000};
            if (arg.size() > 15 && arg[14] == '=') {
                options.largeDesigns.clear();
                std::stringstream list(arg.substr(15));
                for (std::string layers; std::getline(list, layers, ',');)
                    options.largeDesigns.push_back(std::stoi(layers));
            }
        } else if (arg == "--no-heap") {
            options.heap = false;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return options;
}

std::vector<int> StartUpSizes(const Options& options)
{
    std::vector<int> sizes = {kStartUpSize};
    if (std::find(options.sizes.begin(), options.sizes.end(), 10000) != options.sizes.end())
        sizes.push_back(10000);
    return sizes;
}

}  // namespace bench
