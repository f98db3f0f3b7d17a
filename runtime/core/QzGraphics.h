#pragma once

// The graphic classes pictures are kept as: one per picture format this machine reads. A class
// name is stored with every picture, so the names are fixed per format and never renumbered.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct TQzGraphicClass {
    QString ClassName;      // "TPngImage"
    QString Description;    // "Portable Network Graphics"
    QStringList Extensions; // without the point; the first is the default
    QString DefaultExt;     // "png"
    QString Filter;         // "Portable Network Graphics (*.png)|*.png"
    QByteArray Format;      // the image format that reads (and, when CanWrite, writes) it
    bool CanWrite = false;
};

// Every registered class: the well-known formats first, then any other format this machine has.
const QList<TQzGraphicClass>& QzGraphicClasses();
// The class of that name (case-insensitive), or none.
const TQzGraphicClass* QzFindGraphicClass(const QString& className);
// The class that reads an image format ("jpeg", "jpg", ...), or none.
const TQzGraphicClass* QzGraphicClassOfFormat(const QByteArray& format);
// The class a file extension belongs to ("PNG", ".png"), or none.
const TQzGraphicClass* QzGraphicClassOfExtension(const QString& extension);

// Appends the registered class names to `list`.
void QzFormatGraphics(QStringList& list);
// The description of a graphic class, or "" for one that is not registered.
QString QzFindGraphicDescription(const QString& className);
// An open-dialog filter over every registered format: all of them first, then one per class,
// then `extraFilter` ("Description|*.ext") when given, which "all" includes too.
QString QzGraphicsFilter(const QString& extraFilter = QString());
