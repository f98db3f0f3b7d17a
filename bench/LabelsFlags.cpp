#include "LabelsFlags.h"

#include "BenchReport.h"
#include "PkgCorpus.h"

#include <cstdio>
#include <string>
#include <vector>

bool StartLabelsBenchmark(int argc, char** argv, long long minLabels, TLabelsFlags& flags) {
    long long seed = static_cast<long long>(DefaultPkgSeed);
    std::vector<char*> args{argv[0]};
    static std::string defaults[] = {"--benchmark_repetitions=3", "--benchmark_min_time=0.2",
                                     "--benchmark_enable_random_interleaving=true"};
    for (auto& d : defaults)
        args.push_back(d.data());
    for (int i = 1; i < argc; ++i)
        if (!TakeFlag(argv[i], "--labels", flags.Labels) && !TakeFlag(argv[i], "--seed", seed))
            args.push_back(argv[i]);
    flags.Seed = static_cast<std::uint64_t>(seed);
    if (flags.Labels < minLabels || flags.Labels > 10'000'000) {
        std::fprintf(stderr, "usage: %s [--labels=N] [--seed=N] [benchmark flags]\n", argv[0]);
        return false;
    }
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    return !benchmark::ReportUnrecognizedArguments(count, args.data());
}
