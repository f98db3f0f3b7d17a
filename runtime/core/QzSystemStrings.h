#pragma once

// The "System" strings the runtime ships: the numbered messages the editors ask and report with.
// They are the fallback whenever a design has no "System" strings package or its package lacks
// a message, so a numbered message always has a text.

#include "QzPkgStrings.h"

#include <memory>

// The name of the system strings package.
inline constexpr QStringView QzSystemPackageName = u"System";

// The built-in text of system message `id`, or an empty string for a number the runtime does not
// ship. Messages 49 and 51 hold one "%s" for a file name.
QString QzSystemMessageText(int id);
// The ids of the built-in messages, ascending.
QList<int> QzSystemMessageIds();
// Adds to `package` every built-in message it lacks, protected; messages it has are kept.
void QzFillSystemStrings(TQzPkgStrings& package);
// A strings package named "System" holding the built-in messages, owned by the caller.
std::unique_ptr<TQzPkgStrings> QzCreateSystemStrings();
