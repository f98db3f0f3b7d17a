#pragma once

// Helpers the editors share: paths, the one-line field format of exported strings, and the
// number and date texts of the inspector and the vars editor. Numbers and dates are written and
// read the same way whatever the person's locale is, so a text always reads back as the value
// it was made from; unreadable text raises EQzError naming the text.

#include "QzRefs.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVariant>

// ---------------------------------------------------------------------------------------------
// Paths

// `path` ending with '/'. An empty path stays empty: it must not turn into the root folder.
QString QzAddPathBar(const QString& path);
// ".pim" for "pim" and for ".pim"; an empty extension stays empty.
QString QzAddPointExt(const QString& ext);
// The folder of the library's installed packages (the shipped "Standard.dis" and base language
// files), ending with '/': the "packages" folder of the installation. The installation is the
// folder named by the environment variable QZ_INSTALL_DIR when it is set, else the folder the
// runtime library was loaded from. The folder is not created and need not exist.
QString QzGetInstallPackagesExists();

// ---------------------------------------------------------------------------------------------
// Fields of one line (strings export and import)

// Joins `fields` with `separator` into one physical line that QzTextToStrings splits back into
// exactly the same fields. A field is written as it is (`3,Save` stays `3,Save`) unless it holds
// the separator, a quote, a control character (line breaks and tabs among them), a line or
// paragraph separator or half a surrogate pair, starts or ends with a blank, or is the only field
// and empty; then it is quoted. Inside quotes a quote is doubled and a backslash starts an
// escape: "\\", "\r", "\n", "\t", and "\uXXXX" for the other characters named above, so the
// line never breaks and survives being saved as UTF-8. Raises EQzError for a separator that
// cannot work: a quote, a backslash, a control character other than tab, a line or paragraph
// separator or half a surrogate pair.
QString QzTextFromStrings(const QStringList& fields, QChar separator = u',');
// Splits `line` into `fields` (replacing its content). An empty line has no fields; a line
// ending in a line break has it ignored. Raises EQzError, leaving `fields` alone, for malformed
// text: an unterminated quote, text after a closing quote, a quote inside an unquoted field or
// an unknown escape.
void QzTextToStrings(const QString& line, QStringList& fields, QChar separator = u',');

// ---------------------------------------------------------------------------------------------
// Numbers

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

// ---------------------------------------------------------------------------------------------
// Dates and times

// Formats the date and time fields of `value` as the date/time codes of `format` ask:
// 'd' day, 'D'/'1' short/long weekday name, 'm' month, 'M'/'2' short/long month name, 'y' year,
// 'h' hours, 'n' minutes, 's' seconds, 'o' 12-hour clock, 'a' AM/PM. The date is written day,
// month, year with '/' (blanks when a name is part of it), the time with ':', both separated by a
// blank: "dmyhns" gives "05/03/2024 14:07:09". Names are English. Alignment characters and the
// codes that only govern typing (the duration letters and 'k') are not used here; an empty
// format counts as "dmy". `dateYear`: dyTwoDigits, dyAutomatic (two digits when they read back as
// the same year, that is within 50 years of today, else four) or dyFourDigits. An invalid value
// gives "".
QString QzADateTimeToStr(const QDateTime& value, const QString& format, TQzDateYear dateYear);
// Reads a date and time written day/month/year (separators '/', '-' or '.') or year-month-day
// with a four-digit year first, optionally followed by hours:minutes[:seconds[.milliseconds]]
// and AM/PM; a time alone is the time on 30/12/1899, day zero of the library's date values. A
// year of one or two digits is the one within 50 years of today. Local time.
QDateTime QzAStrToDate(const QString& text);

// ---------------------------------------------------------------------------------------------
// Variants of the data types of masks and values

// Converts `value` to the variant of a data type: dtInteger a whole number (qint64; numbers are
// rounded half away from zero), dtFloat a double, dtCurrency a double with four decimals,
// dtString and dtMemo text, dtDateTime a date and time, dtOther unchanged. Null and unassigned
// values stay as they are. Text is read, and numbers and dates are written, by the functions
// above (dates as "dmyhns" with four-digit years). Raises EQzError when the value cannot be
// converted or the data type is unknown.
QVariant QzDataCast(const QVariant& value, TQzDataType dataType);

// The order of day, month and year in `locale`'s short date format.
TQzDateFormat QzLocaleDateFormat(const QLocale& locale);
// The date order of the platform's locale.
TQzDateFormat QzSystemDateFormat();
