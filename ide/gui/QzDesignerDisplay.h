#pragma once

// How the designer shows components and reports failures: a component's palette icon, and the
// one place where what an editor raises reaches the person.

#include "Classes.h"

#include <QIcon>
#include <QPixmap>
#include <functional>

// Runs `action`; what it raises is shown as an error message box (through the UI service) and
// false is returned.
bool QzRunShowingErrors(const std::function<void()>& action);

// The palette bitmap of a class (by its upper-cased name) with its transparent colour taken
// out; a null pixmap for a class without one.
QPixmap QzPalettePixmap(const QString& className);
