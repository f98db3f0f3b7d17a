#pragma once

// The number texts of the inspector and the vars editor. Numbers are written and read the same
// way whatever the person's locale is, so a text always reads back as the value it was made
// from; unreadable text raises EQzError naming the text.

#include <QString>

// The shortest text that reads back as exactly `value` ("0.1", "1536", "1e+20", "nan", "inf").
QString QzCNumericToStr(double value);
// Reads what QzCNumericToStr writes: '.' as the decimal point, an optional sign and exponent.
double QzCStrToNumeric(const QString& text);
// `value` rounded half away from zero to `decimals` decimals as the number is written in
// decimal, so QzRoundDec(1.005, 2) == 1.01 and QzRoundDec(1536 / 1024.0, 1) == 1.5.
double QzRoundDec(double value, int decimals);

// Formats `value` by the options of a number mask: `mask` is the mask's options text (an
// alignment character '<', '%' or '>' and option codes; anything after a ';' is not used here).
// Codes that change the text: '+' shows the sign of positive numbers too, '*' puts the sign at
// the right, 'z' leaves zero blank, '.' groups thousands with ',', '&' drops trailing zeros of
// the decimals, '0' fills up to `size` characters with zeros instead of blanks, '1' to '3' write
// in scientific notation with that many exponent digits ('4' as many as needed). '-', 'k' and
// '$' only govern typing, and the currency of '@' is the control's to add (it knows the
// application's locale), so they leave the text alone. `decimals` is the number of
// decimals written (rounded as QzRoundDec does; below 0 counts as 0); `size` is the width the
// text is padded to by the alignment (0: no padding; a longer text is never cut).
QString QzANumericToStr(double value, const QString& mask, int size, int decimals);
// Reads any text QzANumericToStr writes (blanks around, sign at either end, thousands groups,
// leading zeros, exponent) and rounds it to `decimals` decimals (none when below 0).
double QzAStrToNumeric(const QString& text, int decimals);
