// The reporter of ilt_bench: collects the medians and counters of the benchmarks' repetitions for
// the table, and shows Google Benchmark's own report with --verbose (dots without).
#pragma once

#include <benchmark/benchmark.h>

#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// A benchmark that times part of each iteration itself reports that part's CPU seconds here.
inline constexpr char kCpuCounter[] = "cpu_s";

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
                cpu != run.counters.end() ? cpu->second.value
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

}  // namespace bench
