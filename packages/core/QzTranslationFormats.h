#pragma once

// Shared by the PO and XLIFF writers.

#include <QString>
#include <QStringList>

struct TQzTranslationUnit;

// Whether a writer can carry every character of `unit`: never a NUL or half a surrogate pair,
// and in XML none of the control characters it forbids. A unit it cannot carry is named in
// `warnings`.
bool QzUnitCarried(const TQzTranslationUnit& unit, bool xml, QStringList& warnings);
