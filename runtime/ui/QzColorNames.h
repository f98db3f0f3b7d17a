#pragma once

// Colour values by name, as forms and colour combos write them: "clWhite", "clBtnFace", or a
// number ("$00FF8000" in hexadecimal, or decimal) for a colour that has no name.

#include <QString>
#include <QStringList>
#include <optional>

// Every colour name, in their usual order: the sixteen basic colours, four more, then the system
// colours by index.
const QStringList& QzColorNames();
// The colour's name, or "$" and its eight hexadecimal digits.
QString QzColorToString(int color);
// A name (any case) or a number; none for anything else.
std::optional<int> QzStringToColor(const QString& text);
