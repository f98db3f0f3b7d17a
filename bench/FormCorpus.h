#pragma once

// A generated corpus of form texts for the benchmarks: forms of the kinds a designer writes, with
// nested containers, every value kind and the occasional large picture. Generation uses its own
// PRNG and integer arithmetic only, so a seed gives the same bytes on every machine.

#include <QByteArray>
#include <cstdint>
#include <vector>

inline constexpr std::uint64_t DefaultCorpusSeed = 0x5EED'F0A4'2024'0001ull;

// The text of form number `index` of the corpus with `seed`.
QByteArray GenerateFormText(std::uint64_t seed, int index);

std::vector<QByteArray> GenerateFormCorpus(int count, std::uint64_t seed = DefaultCorpusSeed);
