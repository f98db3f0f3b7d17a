#pragma once

// Text of several lines kept in one string property, its lines broken by CR LF. Forms store it
// as a string; the designer tells it from a plain string and edits it as lines.

#include <QMetaType>
#include <QString>

struct TQzMultiLine : QString {
    TQzMultiLine() = default;
    TQzMultiLine(const QString& text) : QString(text) {}
};
Q_DECLARE_METATYPE(TQzMultiLine)
