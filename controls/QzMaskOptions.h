#pragma once

// The options text of an edit mask, without widgets: the mask designer and the tests read and
// write it only through these functions.
//
// A mask text is "options[;mask text[;space]]". The options are an alignment character ('<',
// '%' or '>') followed by option codes, each at most once; what a code means depends on the
// data type (numbers 0-2, text 3 and 6, date and time 4; 5 has the alignment only). Some codes
// exclude each other ('-' and '+'; the day codes 'd', 'D', '1'; the month codes 'm', 'M', '2';
// the case codes 'u', 'l', 'f'), a 12-hour clock shows AM/PM, auto-adjusting needs the 12-hour
// clock, and a duration shows no day, month, year nor 12-hour clock. Empty options stand for the
// default options of the data type.

#include "QzRefs.h"

#include <QString>

enum class TQzMaskKind { Number, Text, DateTime, Other };

TQzMaskKind QzMaskKindOf(TQzDataType type);

// What the options say, one field per control of the designer. The fields of other kinds than
// the data type's stay at their defaults.
struct TQzMaskOptions {
    QChar Align; // '<', '%', '>', or none

    // Numbers
    int Negatives = 0; // 0 refused, 1 '-', 2 '+'
    bool SignRight = false;
    bool NoZero = false;
    bool Thousands = false;
    bool TrimDec = false;
    bool CheckRange = false;
    bool FillAllDigits = false;
    bool FillZeros = false;
    bool ShowCurrency = false;
    int Scientific = 0; // 0 none, 1-3 exponent digits, 4 automatic

    // Date and time
    bool Day = false;
    int DayName = 0; // 0 none, 1 short 'D', 2 long '1'
    int Month = 0;   // 0 none, 1 numeric 'm', 2 short name 'M', 3 long name '2'
    int Year = 0;    // 0 none, 1 'y'
    bool Hour = false;
    bool Minutes = false;
    bool Seconds = false;
    bool AmPm = false;
    bool Clock12 = false;
    bool AutoAdjust12H = false;
    int Duration = 0; // 0 none, 1-6

    // Text
    bool AcceptsSymbols = false;
    bool AcceptsLetters = false;
    bool AcceptsDigits = false;
    bool AcceptsSpaces = false;
    bool NoAutoTrim = false;
    bool FillAllCharacters = false;
    bool SaveMask = false;
    int Case = 0; // 0 as typed, 1 upper 'u', 2 lower 'l', 3 first upper 'f'
    bool Password = false;
    bool DataAlignRight = false;

    bool operator==(const TQzMaskOptions&) const = default;
};

// One code, or a group of codes of which one is chosen, of a kind of data type: the field of
// TQzMaskOptions it sets (a flag, or a choice numbered from 1 in the order of the codes), and
// the designer's control for it. In the order the codes are written.
struct TQzMaskCode {
    QString Codes;
    bool TQzMaskOptions::*Flag = nullptr;
    int TQzMaskOptions::*Choice = nullptr;
    const char* Control = nullptr;
};
const QList<TQzMaskCode>& QzMaskCodes(TQzMaskKind kind);

// The default options of a data type: ">" for 0, ">.-&" for 1 and 2, "<sadw" for 3 and 6,
// "<dmy" for 4; none for 5.
QString QzDefaultMaskOptions(TQzDataType type);
// Whether `options` stand for the default of the data type: as long as the default, and every
// character one of the default's (in any order). Empty options are the default too.
bool QzIsDefaultMask(const QString& options, TQzDataType type);

// The options as controls: empty and default options give the default's settings; other
// options start from nothing chosen but the left alignment (none for type 5) and each character
// sets what it means for the type. Characters without a meaning are ignored;
// of codes that exclude each other the last one counts; the rules between codes are applied.
TQzMaskOptions QzScanMaskOptions(const QString& options, TQzDataType type);
// The options of `settings` in their canonical order: the alignment, then the codes of the type.
QString QzMakeMaskOptions(const TQzMaskOptions& settings, TQzDataType type);
// Applies the rules between codes: the 12-hour clock shows AM/PM, auto-adjusting needs it, a
// duration clears the day, day name, month, year and 12-hour clock, and the numeric day
// excludes the day name.
void QzApplyMaskRules(TQzMaskOptions& settings);

// Whether typing `key` after `options` is accepted: not when it is already there, when it is an
// alignment character and another one is there, when the type has no such code that can be
// typed, or when a code that excludes it is there.
bool QzMaskOptionsAcceptKey(const QString& options, QChar key, TQzDataType type);

// A mask text cut at its first two semicolons: options, mask text, space; and how many parts it
// had (1 when there was no semicolon). Anything after a third semicolon is not part of it.
struct TQzMaskTextParts {
    QString Options;
    QString MaskText;
    QString Space;
    int Parts = 1;
};
TQzMaskTextParts QzSplitMaskText(const QString& text);
// The text a mask stores for canonical `options`: empty for the default options; for the text
// types a mask text that is not blank follows after ";", and a space that is not blank after
// another ";".
QString QzJoinMaskText(const QString& options, const QString& maskText, const QString& space,
                       TQzDataType type);
