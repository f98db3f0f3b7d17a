#pragma once

// The start of the benchmarks on generated strings packages (pickers, synchronizer): their own
// flags --labels=N and --seed=N, then the benchmark library's with the shared defaults (three
// interleaved repetitions, short runs).

#include <cstdint>

struct TLabelsFlags {
    long long Labels = 100000;
    std::uint64_t Seed = 0;
};

// Parses the command line and initialises the benchmark library; false, after the usage line,
// for a bad flag or fewer labels than `minLabels`.
bool StartLabelsBenchmark(int argc, char** argv, long long minLabels, TLabelsFlags& flags);
