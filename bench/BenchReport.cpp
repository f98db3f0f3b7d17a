#include "BenchReport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

TRatioReporter::TRatioReporter(std::vector<TBenchRow> rows)
    : ConsoleReporter(OO_Tabular), FRows(std::move(rows)) {}

void TRatioReporter::ReportRuns(const std::vector<Run>& runs) {
    std::vector<Run> shown;
    for (const Run& run : runs) {
        if (run.run_type == Run::RT_Aggregate) {
            if (run.aggregate_name == "median" || run.aggregate_name == "cv")
                shown.push_back(run);
            continue;
        }
        shown.push_back(run);
        if (run.error_occurred)
            continue;
        const auto rate = run.counters.find("bytes_per_second");
        if (rate != run.counters.end())
            FRates[run.run_name.function_name].push_back(rate->second.value / 1e6);
    }
    ConsoleReporter::ReportRuns(shown);
}

void TRatioReporter::printTable(const char* ratioNote,
                                const std::vector<TBenchColumn>& extra) const {
    std::printf("\n%-20s %10s %19s %12s", "", "MB/s", "(min - max)", "x baseline");
    for (const TBenchColumn& column : extra)
        std::printf(" %12s", column.Title);
    std::printf("\n");
    for (const TBenchRow& row : FRows) {
        const auto rates = FRates.find(row.Benchmark);
        if (rates == FRates.end())
            continue;
        std::printf("%-20s %10.1f (%7.1f - %7.1f)", row.Label, median(rates->second),
                    *std::min_element(rates->second.begin(), rates->second.end()),
                    *std::max_element(rates->second.begin(), rates->second.end()));
        const auto base = row.Baseline ? FRates.find(row.Baseline) : FRates.end();
        if (base != FRates.end())
            std::printf(" %12.4f", median(rates->second) / median(base->second));
        else if (!extra.empty())
            std::printf(" %12s", "");
        for (const TBenchColumn& column : extra)
            std::printf(" %12s", column.Cell(row).c_str());
        std::printf("\n");
    }
    std::printf("MB = 10^6 bytes of input (the lines above count M as 2^20); median of %zu "
                "repetitions, CPU time.\n%s\n",
                FRates.empty() ? std::size_t(0) : FRates.begin()->second.size(), ratioNote);
}

bool TakeFlag(const char* arg, const char* flag, long long& value) {
    const std::size_t n = std::strlen(flag);
    if (std::strncmp(arg, flag, n) != 0 || arg[n] != '=')
        return false;
    value = std::strtoll(arg + n + 1, nullptr, 0);
    return true;
}

bool StartBenchmarks(int argc, char** argv, const std::function<bool(const char*)>& own) {
    static std::string defaults[] = {"--benchmark_repetitions=3", "--benchmark_min_time=0.2",
                                     "--benchmark_enable_random_interleaving=true"};
    std::vector<char*> args{argv[0]};
    for (auto& d : defaults)
        args.push_back(d.data());
    for (int i = 1; i < argc; ++i)
        if (!own || !own(argv[i]))
            args.push_back(argv[i]);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}
