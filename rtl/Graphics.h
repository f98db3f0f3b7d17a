#pragma once

// Colours and fonts as form files store them. A colour is a 32-bit value: 0x00BBGGRR, or a
// system colour with the high byte 0xFF and the system colour's index in the low byte.

#include "Classes.h"

inline constexpr int clWindowText = int(0xFF000008);
inline constexpr int clWindow = int(0xFF000005);
inline constexpr int clBtnFace = int(0xFF00000F);
inline constexpr int clBlack = 0x000000;
inline constexpr int clWhite = 0xFFFFFF;

// A font. Forms store its height in pixels at 96 pixels per inch (negative: the character
// height without leading, as other tools write it); Size in points follows from it.
class TFont : public TPersistent {
    Q_OBJECT
public:
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)
private:
    Q_PROPERTY(int Charset READ Charset WRITE SetCharset)
    Q_PROPERTY(int Color READ Color WRITE SetColor)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)

public:
    static constexpr int DefaultCharset = 1;
    static constexpr int PixelsPerInch = 96;

    Q_INVOKABLE explicit TFont(QObject* parent = nullptr) : TPersistent(parent) {}

    const QString& Name() const { return FName; }
    void SetName(const QString& name) { FName = name; }
    int Size() const { return FSize; }
    // Raises EConvertError for a size that is not positive.
    void SetSize(int size);
    int Height() const;
    // Raises EConvertError for a height of 0.
    void SetHeight(int height);
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
