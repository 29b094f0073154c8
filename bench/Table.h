// The table ilt_bench prints: each case's median beside its floor's, their ratio and the peak
// heap, in Markdown; and how times and sizes are written in it.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "HeapCounter.h"
#include "MedianCollector.h"
#include "Options.h"

namespace bench {

struct Row {
    std::string label;
    std::optional<double> ours;
    std::optional<double> floor;
    std::optional<std::size_t> peak;
};

void PrintTable(const std::vector<Row>& rows);

// The table of every case that ran, and below it the time, CPU split and heap per template of
// discovery. `heap` holds the heap use of the cases that were measured for it, by case name.
void PrintResults(const Options& options, const MedianCollector& collector, const std::map<std::string, HeapUse>& heap);

// "1.234 s", "12.34 ms" or "123.4 us"; "failed" for none.
std::string Time(std::optional<double> seconds);
// "1.23 MiB" or "12.3 KiB"; "n/a" for none or when the heap is not counted.
std::string Bytes(std::optional<std::size_t> bytes);
// 10000 as "10,000".
std::string Thousands(int n);

}  // namespace bench
