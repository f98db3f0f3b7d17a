#include "LabelsFlags.h"

#include "BenchReport.h"
#include "PkgCorpus.h"

#include <cstdio>
#include <string>
#include <vector>

bool StartLabelsBenchmark(int argc, char** argv, long long minLabels, TLabelsFlags& flags) {
    long long seed = static_cast<long long>(DefaultPkgSeed);
    const bool started = StartBenchmarks(argc, argv, [&](const char* arg) {
        return TakeFlag(arg, "--labels", flags.Labels) || TakeFlag(arg, "--seed", seed);
    });
    flags.Seed = static_cast<std::uint64_t>(seed);
    if (flags.Labels < minLabels || flags.Labels > 10'000'000) {
        std::fprintf(stderr, "usage: %s [--labels=N] [--seed=N] [benchmark flags]\n", argv[0]);
        return false;
    }
    return started;
}
