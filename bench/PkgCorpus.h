#pragma once

// Generated packages for the package benchmark: the strings of a large translated application
// and a library of small pictures. Generation uses its own PRNG and integer arithmetic only, so
// a seed gives the same content on every machine (the PNG bytes depend on the image library).

#include <cstdint>

class TQzPkgImages;
class TQzPkgStrings;

inline constexpr std::uint64_t DefaultPkgSeed = 0x5EED'9C6A'2024'0002ull;

// Fills an empty package with `labels` labels, a twentieth as many messages and a hundredth as
// many texts.
void FillStringsPackage(TQzPkgStrings& package, int labels, std::uint64_t seed = DefaultPkgSeed);

// Fills an empty package with `images` pictures of 16 to 48 pixels a side, stored as PNG; some
// have masks, design flags and stretch margins.
void FillImagesPackage(TQzPkgImages& package, int images, std::uint64_t seed = DefaultPkgSeed);
