#pragma once

// The colour constants of the class library by name, in one table: the plain colours
// (clBlack .. clWhite and the four extra ones), the system colours (clScrollBar .. clMenuBar,
// a system colour being 0xFF000000 plus its index) with the palette colour they are painted in
// here, and clNone and clDefault. The object inspector shows and takes colours by these names;
// painting turns the system colours into the application palette's.

#include <QColor>
#include <QList>
#include <QString>
#include <optional>

#include "Graphics.h"

inline constexpr int clNone = 0x1FFFFFFF;
inline constexpr int clDefault = 0x20000000;
// The system colours painting uses besides those of Graphics.h.
inline constexpr int clScrollBar = int(0xFF000000);
inline constexpr int clHighlight = int(0xFF00000D);
inline constexpr int clHighlightText = int(0xFF00000E);
inline constexpr int clBtnShadow = int(0xFF000010);
inline constexpr int clGrayText = int(0xFF000011);
inline constexpr int clBtnText = int(0xFF000012);
inline constexpr int cl3DDkShadow = int(0xFF000015);
inline constexpr int cl3DLight = int(0xFF000016);

struct TQzColorName {
    QString Name;
    int Value;
};

// Every named colour: the plain ones first, then the system ones by index, then clNone and
// clDefault.
const QList<TQzColorName>& QzColorNames();

// The name of a colour value ("clBtnFace"); for a value without one, "$00BBGGRR" as form
// designers write it.
QString QzColorToIdent(int color);
// A colour from its name (any case), "$" followed by up to eight hexadecimal digits, or a decimal
// number; none for anything else.
std::optional<int> QzIdentToColor(const QString& text);

// The palette colour a system colour index is painted in; black for an index without one.
QColor QzSystemColor(int index);
