#pragma once

// What the benchmarks share: a console reporter that keeps every repetition's rate and ends with
// a table of medians, each set against a baseline measured in the same run, and the parsing of
// our own numeric flags.

#include <benchmark/benchmark.h>
#include <functional>
#include <map>
#include <string>
#include <vector>

// One line of the final table. A baseline has no Baseline of its own.
struct TBenchRow {
    const char* Label;
    const char* Benchmark;
    const char* Baseline;
};

// A column added to the right of the table; Cell gives the text for a row.
struct TBenchColumn {
    const char* Title;
    std::function<std::string(const TBenchRow&)> Cell;
};

// Shows each repetition with the median and spread on the console (no colour: the output ends
// up in logs), and keeps every repetition's rate for the table at the end.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    explicit TRatioReporter(std::vector<TBenchRow> rows);

    void ReportRuns(const std::vector<Run>& runs) override;

    // The table of medians; `ratioNote` says what a ratio compares.
    void printTable(const char* ratioNote, const std::vector<TBenchColumn>& extra = {}) const;

private:
    std::vector<TBenchRow> FRows;
    std::map<std::string, std::vector<double>> FRates;
};

// "--name=value" with a number; false when `arg` is another flag.
bool TakeFlag(const char* arg, const char* flag, long long& value);

// Starts the benchmark library on the shared defaults (three interleaved repetitions, short
// runs), which the command line may override, and every argument that `own` does not take as a
// flag of the benchmark's own. False, after the library's message, for a flag nobody knows.
bool StartBenchmarks(int argc, char** argv, const std::function<bool(const char*)>& own = {});
