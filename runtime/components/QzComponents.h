#pragma once

// The library's component classes as the designer sees them: the four palette pages, the
// classes forms need without a palette entry, and the classes of the library this package keeps
// only so that forms holding them stream.

#include "Classes.h"

#include <QList>
#include <QString>

struct TQzPalettePage {
    QString Name;
    QList<TClass> Classes;
};

// Registers every class below for streaming: the palette classes in palette order, then the
// rest. Idempotent.
void QzRegisterComponentClasses();
// The four palette pages with their classes, in palette order.
const QList<TQzPalettePage>& QzPaletteClasses();
// The library's classes that are kept inert (registered, no palette entry).
const QList<TClass>& QzInertClasses();
// Every class QzRegisterComponentClasses registers, in its order: palette, the classes the
// palette's need (items, sheets, pages, bases, data, fonts, references, packages, form roots),
// then the inert ones.
const QList<TClass>& QzComponentClasses();
