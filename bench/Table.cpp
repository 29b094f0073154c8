// The table ilt_bench prints.
#include "Table.h"

#include <algorithm>
#include <cstdio>

#include "Cases.h"

namespace bench {
namespace {

std::string Ratio(std::optional<double> ours, std::optional<double> floor)
{
    if (!ours || !floor || *floor <= 0)
        return "-";
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", *ours / *floor);
    return text;
}

}  // namespace

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

std::string Thousands(int n)
{
    std::string digits = std::to_string(n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3)
        digits.insert(static_cast<std::size_t>(i), ",");
    return digits;
}

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

void PrintResults(const Options& options, const MedianCollector& collector, const std::map<std::string, HeapUse>& heap)
{
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
        const auto sum = [](std::optional<double> a, std::optional<double> b) -> std::optional<double> {
            if (!a || !b)
                return std::nullopt;
            return *a + *b;
        };
        rows.push_back({"start-up to first stack-up, " + Thousands(n) + " templates (floor: discovery's + a read's)",
                        collector.Median(Name("startup", n)),
                        sum(collector.Median(Name("floor-find", n)), collector.Median(Name("floor-first-read", n))),
                        peakOf(Name("startup", n))});
        rows.push_back({"one stack-up read, the template start-up shows, " + Thousands(n) + " templates",
                        collector.Median(Name("first-read", n)), collector.Median(Name("floor-first-read", n)),
                        std::nullopt});
    }
    rows.push_back({"2007 reader, " + Thousands(kReaderLayers) + " layers",
                    collector.Median(Name("read2007", kReaderLayers)),
                    collector.Median(Name("floor-read2007", kReaderLayers)), peakOf("big2007")});
    rows.push_back({"2005 reader, " + Thousands(kReaderLayers) + " layers",
                    collector.Median(Name("read2005", kReaderLayers)),
                    collector.Median(Name("floor-read2005", kReaderLayers)), peakOf("big2005")});

    std::printf("\n");
    PrintTable(rows);

    std::printf("\nStart-up against discovery plus one read (ours; the target is 1.1):");
    for (const int n : StartUpSizes(options)) {
        const auto startUp = collector.Median(Name("startup", n));
        const auto find = collector.Median(Name("find", n));
        const auto firstRead = collector.Median(Name("first-read", n));
        if (startUp && find && firstRead)
            std::printf("  %s: %.2f", Thousands(n).c_str(), *startUp / (*find + *firstRead));
    }
    std::printf("\n");

    std::printf("Time per template (FindLayoutTemplates / floor):");
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
            const HeapUse& h = heap.at(Name("find", n));
            std::printf("  %s: %s; %s", Thousands(n).c_str(), Bytes(h.peak).c_str(), Bytes(h.retained).c_str());
        }
        std::printf("\n");
        const auto small = heap.find(Name("find", 1000));
        const auto large = heap.find(Name("find", 10000));
        if (small != heap.end() && large != heap.end() && small->second.peak > 0)
            std::printf("Peak heap growth 1,000 -> 10,000 templates: x%.2f\n",
                        static_cast<double>(large->second.peak) / small->second.peak);
    }
}

}  // namespace bench
