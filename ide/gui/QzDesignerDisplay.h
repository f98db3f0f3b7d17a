#pragma once

// How the designer shows components and reports failures: the text a component is labelled
// with, its palette icon, and the one place where what an editor raises reaches the person.

#include "Classes.h"

#include <QIcon>
#include <QPixmap>
#include <functional>

// Runs `action`; what it raises is shown as an error message box (through the UI service) and
// false is returned.
bool QzRunShowingErrors(const std::function<void()>& action);

// The caption a component shows: its text caption, or the text of its label reference when that
// resolves; empty when it has none.
QString QzComponentCaption(const TComponent* component);

// The palette bitmap of a class (by its upper-cased name) with its transparent colour taken
// out; a null pixmap for a class without one.
QPixmap QzPalettePixmap(const QString& className);
