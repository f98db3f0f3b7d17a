#include "QzDates.h"

#include "QzExcept.h"

#include <QRegularExpression>

namespace {

// The year a one- or two-digit year stands for: the one within 50 years of today.
int windowYear(int shortYear) {
    const int now = QDate::currentDate().year();
    int year = now - now % 100 + shortYear;
    if (year > now + 49)
        year -= 100;
    else if (year <= now - 51)
        year += 100;
    return year;
}

QString yearText(int year, TQzDateYear dateYear) {
    const bool twoDigits = dateYear == dyTwoDigits ||
                           (dateYear == dyAutomatic && year >= 0 && windowYear(year % 100) == year);
    if (twoDigits)
        return QStringLiteral("%1").arg(((year % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

[[noreturn]] void notADate(const QString& text) {
    QzExcept(QStringLiteral("\"%1\" is not a date").arg(text));
}

} // namespace

QDate QzDayZero() {
    return QDate(1899, 12, 30);
}

QString QzADateTimeToStr(const QDateTime& value, const QString& format, TQzDateYear dateYear) {
    if (!value.isValid())
        return QString();
    QString options = format.section(u';', 0, 0);
    if (options.remove(u'<').remove(u'>').remove(u'%').isEmpty())
        options = QStringLiteral("dmy");
    const QLocale english = QLocale::c();
    const QDate date = value.date();
    const QTime time = value.time();

    QStringList dateParts;
    bool named = false;
    if (options.contains(u'd'))
        dateParts << QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
    else if (options.contains(u'D') || options.contains(u'1')) {
        dateParts << english.dayName(
            date.dayOfWeek(), options.contains(u'D') ? QLocale::ShortFormat : QLocale::LongFormat);
        named = true;
    }
    if (options.contains(u'm'))
        dateParts << QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0'));
    else if (options.contains(u'M') || options.contains(u'2')) {
        dateParts << english.monthName(date.month(), options.contains(u'M') ? QLocale::ShortFormat
                                                                            : QLocale::LongFormat);
        named = true;
    }
    if (options.contains(u'y'))
        dateParts << yearText(date.year(), dateYear);

    QStringList timeParts;
    const bool twelve = options.contains(u'o');
    if (options.contains(u'h')) {
        int hour = time.hour();
        if (twelve)
            hour = hour % 12 == 0 ? 12 : hour % 12;
        timeParts << QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0'));
    }
    if (options.contains(u'n'))
        timeParts << QStringLiteral("%1").arg(time.minute(), 2, 10, QLatin1Char('0'));
    if (options.contains(u's'))
        timeParts << QStringLiteral("%1").arg(time.second(), 2, 10, QLatin1Char('0'));
    QString timeText = timeParts.join(u':');
    if (twelve || options.contains(u'a')) {
        const QString meridiem = time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        timeText = timeText.isEmpty() ? meridiem : timeText + u' ' + meridiem;
    }

    QString text = dateParts.join(named ? u' ' : u'/');
    if (!timeText.isEmpty())
        text = text.isEmpty() ? timeText : text + u' ' + timeText;
    return text;
}

QDateTime QzAStrToDate(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral(
            R"(^(?:(?:([0-9]{4})-([0-9]{1,2})-([0-9]{1,2}))|)"
            R"((?:([0-9]{1,2})([/.-])([0-9]{1,2})\5([0-9]{1,4})))?)"
            R"((?:(?:^|\s+|T)([0-9]{1,2}):([0-9]{1,2})(?::([0-9]{1,2})(?:\.([0-9]{1,3}))?)?)"
            R"((?:\s*(AM|PM))?)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QString s = text.trimmed();
    const QRegularExpressionMatch m = pattern.match(s);
    const bool hasDate = m.hasMatch() && (m.capturedLength(1) > 0 || m.capturedLength(4) > 0);
    const bool hasTime = m.hasMatch() && m.capturedLength(8) > 0;
    if (!hasDate && !hasTime)
        notADate(text);

    QDate date = QzDayZero();
    if (m.capturedLength(1) > 0) {
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    } else if (hasDate) {
        int year = m.captured(7).toInt();
        if (m.capturedLength(7) <= 2)
            year = windowYear(year);
        date = QDate(year, m.captured(6).toInt(), m.captured(4).toInt());
    }
    QTime time(0, 0);
    if (hasTime) {
        int hour = m.captured(8).toInt();
        const QString meridiem = m.captured(12).toUpper();
        if (!meridiem.isEmpty()) {
            if (hour < 1 || hour > 12)
                notADate(text);
            hour = hour % 12 + (meridiem == u"PM" ? 12 : 0);
        }
        const QString millis = m.captured(11);
        const int ms = millis.isEmpty() ? 0 : (millis + QStringLiteral("00")).left(3).toInt();
        time = QTime(hour, m.captured(9).toInt(), m.captured(10).toInt(), ms);
    }
    if (!date.isValid() || !time.isValid())
        notADate(text);
    return QDateTime(date, time);
}

TQzDateFormat QzLocaleDateFormat(const QLocale& locale) {
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf(u'd');
    const qsizetype month = format.indexOf(u'M');
    const qsizetype year = format.indexOf(u'y');
    if (year >= 0 && (day < 0 || year < day) && (month < 0 || year < month))
        return dfYMD;
    if (month >= 0 && day >= 0 && month < day)
        return dfMDY;
    return dfDMY;
}

TQzDateFormat QzSystemDateFormat() {
    return QzLocaleDateFormat(QLocale::system());
}
