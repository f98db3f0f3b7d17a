#pragma once

// What the engine's read passes (QzManagerScan.cpp) and rewrite passes (QzManagerRewrite.cpp)
// share: where the application keeps the items a kind names, and how results name files,
// quote texts and report errors.

#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzPkgPrivileges.h"
#include "QzPkgStrings.h"
#include "manager/core/QzFormScanner.h"

#include <exception>

namespace qzmanager {

QString fileNameOf(const QString& path);
QString quoted(const QString& text);
QString errorText(const std::exception& e);
TQzPkgDisplay* display();
TQzPkgPrivileges* privileges();
// The display set list of a set kind.
TQzPkgDisplaySets* setList(TQzDlgManager kind);
// The package list of items of a kind in the package `name`: images or a strings list.
TQzPkgItemList* itemList(TQzDlgManager kind, const QString& name);

} // namespace qzmanager
