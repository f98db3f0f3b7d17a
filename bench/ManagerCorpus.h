#pragma once

// A generated project for the Packages Manager benchmark: text forms made of the library's
// components with references of every kind (labels, texts, messages, images, colour, font and
// background sets, privileges), collections, and now and then a component of a class nobody
// registered, written as files into a folder. The same seed gives the same bytes everywhere.

#include <QString>
#include <QStringList>
#include <cstdint>

inline constexpr std::uint64_t DefaultManagerSeed = 0x5EED'3A9A'2024'0002ull;

// Ids the corpus draws from: every package has fewer items than that, so some references name
// items that do not exist, and some items are referenced by nobody.
inline constexpr int CorpusLabelIds = 400;
inline constexpr int CorpusImageIds = 120;
inline constexpr int CorpusPrivilegeIds = 40;
inline const QStringList CorpusSets = {"Header", "Body", "Footer", "Title", "Small", "Blue"};

struct TManagerCorpus {
    QStringList Files;
    qint64 Lines = 0;
    qint64 Bytes = 0;
    qint64 References = 0;
    qint64 UnknownObjects = 0;
};

// Writes `forms` form files into `dir`.
TManagerCorpus WriteManagerCorpus(const QString& dir, int forms, std::uint64_t seed);
