#pragma once

// What the host class library gives every control to draw with: a font, a pen and a brush,
// and the small enumerations controls share. Colours are 32-bit colour values: 0x00BBGGRR, or a
// system colour with the high byte 0xFF.

#include "Classes.h"

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

// System colours, as forms store them.
inline constexpr int clWindowText = int(0xFF000008);
inline constexpr int clWindow = int(0xFF000005);
inline constexpr int clBtnFace = int(0xFF00000F);
inline constexpr int clBlack = 0x000000;
inline constexpr int clWhite = 0xFFFFFF;

class TFont : public TPersistent {
    Q_OBJECT
public:
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)
private:
    Q_PROPERTY(int Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)

public:
    static constexpr int DefaultCharset = 1;

    Q_INVOKABLE explicit TFont(QObject* parent = nullptr) : TPersistent(parent) {}

    const QString& Name() const { return FName; }
    void SetName(const QString& name) { FName = name; }
    int Size() const { return FSize; }
    // Raises EConvertError for a size that is not positive.
    void SetSize(int size);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style) { FStyle = style; }
    int Color() const { return FColor; }
    void SetColor(int color) { FColor = color; }
    int Charset() const { return FCharset; }
    // Raises EConvertError outside 0..255.
    void SetCharset(int charset);

    void Assign(const TPersistent* source) override;

private:
    QString FName = QStringLiteral("Sans Serif");
    int FSize = 8;
    TFontStyles FStyle;
    int FColor = clWindowText;
    int FCharset = DefaultCharset;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)

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
