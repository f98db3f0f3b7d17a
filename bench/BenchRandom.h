#pragma once

// splitmix64: tiny, fast and the same everywhere, unlike the standard distributions, so a seed
// gives the same corpus on every machine.

#include <cstddef>
#include <cstdint>

class TBenchRandom {
public:
    explicit TBenchRandom(std::uint64_t seed) : FState(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }
    int range(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(int(N))];
    }

private:
    std::uint64_t FState;
};
