#pragma once

// Language packages: the application's "System" and "User" strings and the locale (separators,
// date order, names of months and days, currency), kept together in one ".lan" file or in the
// application's form.

#include "QzPkgStrings.h"
#include "QzRefs.h"

#include <QLocale>
#include <utility>

// How dates and numbers are written. With AutoLoad on, the values follow the platform's locale:
// switching it on and every load of the package refresh them. Setters refuse values out of range
// with EQzError and change nothing then.
class TQzPkgLanguageLocale : public TPersistent {
    Q_OBJECT
public:
    enum TQzStartOfWeek {
        swMonday,
        swTuesday,
        swWednesday,
        swThursday,
        swFriday,
        swSaturday,
        swSunday
    };
    Q_ENUM(TQzStartOfWeek)
    // Which week is the first of a year: the one holding January 1st, the first with four days
    // in the year, or the first wholly in it.
    enum TQzStartWeekYear { wyJanuaryFirst, wyFirstFourDays, wyFirstFullWeek };
    Q_ENUM(TQzStartWeekYear)

private:
    // AutoLoad comes first: reading it refreshes, and the stored values follow.
    Q_PROPERTY(bool AutoLoad READ AutoLoad WRITE SetAutoLoad)
    Q_PROPERTY(QString DateSeparator READ DateSeparatorText WRITE SetDateSeparatorText)
    Q_PROPERTY(QString TimeSeparator READ TimeSeparatorText WRITE SetTimeSeparatorText)
    Q_PROPERTY(QString NumericThousandSeparator READ NumericThousandSeparatorText WRITE
                   SetNumericThousandSeparatorText)
    Q_PROPERTY(QString NumericDecimalSeparator READ NumericDecimalSeparatorText WRITE
                   SetNumericDecimalSeparatorText)
    Q_PROPERTY(QzTypes::TQzDateFormat DateFormat READ DateFormat WRITE SetDateFormat)
    Q_PROPERTY(QzTypes::TQzDateYear MaskDateYear READ MaskDateYear WRITE SetMaskDateYear)
    Q_PROPERTY(TQzStartOfWeek StartOfWeek READ StartOfWeek WRITE SetStartOfWeek)
    Q_PROPERTY(TQzStartWeekYear StartWeekYear READ StartWeekYear WRITE SetStartWeekYear)
    Q_PROPERTY(int DateCentury READ DateCentury WRITE SetDateCentury)
    Q_PROPERTY(int DateYearFix READ DateYearFix WRITE SetDateYearFix)
    Q_PROPERTY(QString TimeAMString READ TimeAMString WRITE SetTimeAMString)
    Q_PROPERTY(QString TimePMString READ TimePMString WRITE SetTimePMString)
    Q_PROPERTY(
        QString NumericCurrencyString READ NumericCurrencyString WRITE SetNumericCurrencyString)
    Q_PROPERTY(int MaskDecimals READ MaskDecimals WRITE SetMaskDecimals)
    Q_PROPERTY(int NumericCurrencyFormat READ NumericCurrencyFormat WRITE SetNumericCurrencyFormat)
    Q_PROPERTY(QStringList MonthShortNames READ MonthShortNames WRITE SetMonthShortNames)
    Q_PROPERTY(QStringList MonthLongNames READ MonthLongNames WRITE SetMonthLongNames)
    Q_PROPERTY(QStringList DayShortNames READ DayShortNames WRITE SetDayShortNames)
    Q_PROPERTY(QStringList DayLongNames READ DayLongNames WRITE SetDayLongNames)

public:
    // A fresh locale follows the platform.
    Q_INVOKABLE explicit TQzPkgLanguageLocale(QObject* parent = nullptr);

    bool AutoLoad() const { return FAutoLoad; }
    // Switching it on takes every value from the platform at once.
    void SetAutoLoad(bool autoLoad);

    QChar DateSeparator() const { return FDateSeparator; }
    void SetDateSeparator(QChar separator) { FDateSeparator = separator; }
    QChar TimeSeparator() const { return FTimeSeparator; }
    void SetTimeSeparator(QChar separator) { FTimeSeparator = separator; }
    QChar NumericThousandSeparator() const { return FNumericThousandSeparator; }
    void SetNumericTrousandSeparator(QChar separator) { FNumericThousandSeparator = separator; }
    QChar NumericDecimalSeparator() const { return FNumericDecimalSeparator; }
    void SetNumericDecimalSeparator(QChar separator) { FNumericDecimalSeparator = separator; }

    TQzDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TQzDateFormat format);
    TQzDateYear MaskDateYear() const { return FMaskDateYear; }
    void SetMaskDateYear(TQzDateYear dateYear);
    TQzStartOfWeek StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(TQzStartOfWeek day);
    TQzStartWeekYear StartWeekYear() const { return FStartWeekYear; }
    void SetStartWeekYear(TQzStartWeekYear rule);

    // Two-digit years fall into the hundred years ending with this one: 2030 reads "31" as 1931.
    int DateCentury() const { return FDateCentury; }
    void SetDateCentury(int century);
    // Where a two-digit year typed in a mask goes: 0 into the century window above, any other
    // value is the year it is added to (2000 reads "31" as 2031).
    int DateYearFix() const { return FDateYearFix; }
    void SetDateYearFix(int year);

    const QString& TimeAMString() const { return FTimeAMString; }
    void SetTimeAMString(const QString& text) { FTimeAMString = text; }
    const QString& TimePMString() const { return FTimePMString; }
    void SetTimePMString(const QString& text) { FTimePMString = text; }
    const QString& NumericCurrencyString() const { return FNumericCurrencyString; }
    void SetNumericCurrencyString(const QString& text) { FNumericCurrencyString = text; }
    int MaskDecimals() const { return FMaskDecimals; }
    void SetMaskDecimals(int decimals);
    // Where the currency goes: 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
    int NumericCurrencyFormat() const { return FNumericCurrencyFormat; }
    void SetNumericCurrencyFormat(int format);

    // Twelve month names, January first; seven day names, Monday first.
    const QStringList& MonthShortNames() const { return FMonthShortNames; }
    void SetMonthShortNames(const QStringList& names);
    const QStringList& MonthLongNames() const { return FMonthLongNames; }
    void SetMonthLongNames(const QStringList& names);
    const QStringList& DayShortNames() const { return FDayShortNames; }
    void SetDayShortNames(const QStringList& names);
    const QStringList& DayLongNames() const { return FDayLongNames; }
    void SetDayLongNames(const QStringList& names);

    // Every value from the platform's locale (or from `locale`); AutoLoad stays as it is.
    void RestoreDefaults();
    void RestoreDefaults(const QLocale& locale);

    void Assign(const TPersistent* source) override;

private:
    // Separators stream as one-character strings.
    QString DateSeparatorText() const { return FDateSeparator; }
    void SetDateSeparatorText(const QString& text);
    QString TimeSeparatorText() const { return FTimeSeparator; }
    void SetTimeSeparatorText(const QString& text);
    QString NumericThousandSeparatorText() const { return FNumericThousandSeparator; }
    void SetNumericThousandSeparatorText(const QString& text);
    QString NumericDecimalSeparatorText() const { return FNumericDecimalSeparator; }
    void SetNumericDecimalSeparatorText(const QString& text);

    bool FAutoLoad = true;
    QChar FDateSeparator;
    QChar FTimeSeparator;
    QChar FNumericThousandSeparator;
    QChar FNumericDecimalSeparator;
    TQzDateFormat FDateFormat = dfDMY;
    TQzDateYear FMaskDateYear = dyTwoDigits;
    TQzStartOfWeek FStartOfWeek = swMonday;
    TQzStartWeekYear FStartWeekYear = wyFirstFourDays;
    int FDateCentury = 0;
    int FDateYearFix = 0;
    QString FTimeAMString;
    QString FTimePMString;
    QString FNumericCurrencyString;
    int FMaskDecimals = 2;
    int FNumericCurrencyFormat = 0;
    QStringList FMonthShortNames;
    QStringList FMonthLongNames;
    QStringList FDayShortNames;
    QStringList FDayLongNames;
};

// The content of a language package. The nested strings travel as their own content streams and
// are read and checked with the rest before anything is replaced.
class TQzPkgLanguageData : public TQzPkgData {
    Q_OBJECT
    Q_PROPERTY(QByteArray SystemStrings MEMBER FSystemStrings)
    Q_PROPERTY(QByteArray UserStrings MEMBER FUserStrings)
    Q_PROPERTY(TQzPkgLanguageLocale* Locale READ Locale)
    Q_PROPERTY(QString LastUpdateFile MEMBER FLastUpdateFile)
    Q_PROPERTY(QDateTime LastUpdateDate READ LastUpdateDate WRITE SetLastUpdateDate)
public:
    Q_INVOKABLE explicit TQzPkgLanguageData(QObject* parent = nullptr);
    ~TQzPkgLanguageData() override;

    TQzPkgLanguageLocale* Locale() const { return FLocale; }
    // Invalid until the system strings were first updated from a base file.
    const QDateTime& LastUpdateDate() const { return FLastUpdateDate; }
    void SetLastUpdateDate(const QDateTime& date);

    void Validate() const override;
    // The nested strings contents, read unless Validate has read them; raises EQzError naming
    // the part that is bad. The bytes go with them.
    std::pair<std::unique_ptr<TQzPkgStringsData>, std::unique_ptr<TQzPkgStringsData>>
    TakeNestedStrings();

    QByteArray FSystemStrings;
    QByteArray FUserStrings;
    QString FLastUpdateFile;

private:
    void readNested() const;

    TQzPkgLanguageLocale* FLocale;
    QDateTime FLastUpdateDate;
    mutable std::unique_ptr<TQzPkgStringsData> FSystemRead;
    mutable std::unique_ptr<TQzPkgStringsData> FUserRead;
};

class TQzPkgLanguageStrings;

// Owned by the application component. Its "System" and "User" strings are packages of their own
// (found by those names) whose content is part of the language's.
class TQzPkgLanguage : public TQzPkgInfo {
    Q_OBJECT
    Q_PROPERTY(TQzPkgStrings* SystemStrings READ SystemStrings STORED false)
    Q_PROPERTY(TQzPkgStrings* UserStrings READ UserStrings STORED false)
public:
    Q_INVOKABLE explicit TQzPkgLanguage(TComponent* owner = nullptr);

    TQzPkgStrings* SystemStrings() const;
    TQzPkgStrings* UserStrings() const;
    // Part of the content: a load brings a new locale object.
    TQzPkgLanguageLocale* Locale() const { return data()->Locale(); }

    // The base file the system strings were last updated from, and when.
    const QString& LastUpdateFile() const { return data()->FLastUpdateFile; }
    void SetLastUpdateFile(const QString& fileName) { data()->FLastUpdateFile = fileName; }
    const QDateTime& LastUpdateDate() const { return data()->LastUpdateDate(); }
    void SetLastUpdateDate(const QDateTime& date) { data()->SetLastUpdateDate(date); }

    // Empties both strings packages and forgets the last update; the locale stays.
    void Clear() override;

protected:
    std::unique_ptr<TQzPkgData> CreateData() const override;
    void CommitData(std::unique_ptr<TQzPkgData> data) override;
    void PrepareWrite(TQzPkgData& data) const override;
    void DataChanged() override;

private:
    TQzPkgLanguageData* data() const { return static_cast<TQzPkgLanguageData*>(Data()); }

    TQzPkgLanguageStrings* FSystemStrings;
    TQzPkgLanguageStrings* FUserStrings;
};
