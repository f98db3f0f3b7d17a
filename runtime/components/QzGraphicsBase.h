#pragma once

// What the library's controls draw with besides the host's font and colours (Graphics.h): a pen
// and a brush, and the small enumerations controls share.

#include "Classes.h"
#include "Graphics.h"

namespace QzCtrlTypes {
Q_NAMESPACE

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
Q_ENUM_NS(TScrollStyle)

enum TScrollBarKind { sbHorizontal, sbVertical };
Q_ENUM_NS(TScrollBarKind)

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
Q_ENUM_NS(TBevelCut)

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
Q_ENUM_NS(TTabPosition)

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList };
Q_ENUM_NS(TComboBoxStyle)

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
Q_ENUM_NS(TShapeType)

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
Q_ENUM_NS(TPenStyle)

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal };
Q_ENUM_NS(TBrushStyle)

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
Q_ENUM_NS(TAlign)

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
Q_ENUM_NS(TCheckBoxState)

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest };
Q_ENUM_NS(TThreadPriority)
} // namespace QzCtrlTypes

using namespace QzCtrlTypes;

class TQzPen : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Color MEMBER FColor)
    Q_PROPERTY(QzCtrlTypes::TPenStyle Style MEMBER FStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
public:
    Q_INVOKABLE explicit TQzPen(QObject* parent = nullptr) : TPersistent(parent) {}
    int Width() const { return FWidth; }
    // Raises EConvertError for a width below 1.
    void SetWidth(int width);
    void Assign(const TPersistent* source) override;

    int FColor = clBlack;
    TPenStyle FStyle = psSolid;

private:
    int FWidth = 1;
};

class TQzBrush : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Color MEMBER FColor)
    Q_PROPERTY(QzCtrlTypes::TBrushStyle Style MEMBER FStyle)
public:
    Q_INVOKABLE explicit TQzBrush(QObject* parent = nullptr) : TPersistent(parent) {}
    void Assign(const TPersistent* source) override;

    int FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};
