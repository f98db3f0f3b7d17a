#pragma once

// The date texts of the inspector and the vars editor, and the date order of locales. Dates are
// written and read the same way whatever the person's locale is; unreadable text raises EQzError
// naming the text.

#include "QzRefs.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

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

// Day zero of the library's date values: 30/12/1899.
QDate QzDayZero();

// The order of day, month and year in `locale`'s short date format.
TQzDateFormat QzLocaleDateFormat(const QLocale& locale);
// The date order of the platform's locale.
TQzDateFormat QzSystemDateFormat();
