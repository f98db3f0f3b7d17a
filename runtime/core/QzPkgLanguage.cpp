#include "QzPkgLanguage.h"

#include "BinaryForm.h"
#include "ComponentStreams.h"
#include "QzDates.h"
#include "QzExcept.h"

#include <QDate>

// The language's own strings packages: their content is replaced as part of the language's, so
// the language hands them content it has already read and checked.
class TQzPkgLanguageStrings : public TQzPkgStrings {
public:
    TQzPkgLanguageStrings(TQzPkgLanguage* language, const QString& name) : TQzPkgStrings(language) {
        SetName(name);
        SetPkgName(name);
        SetSubComponent(true);
    }
    void Adopt(std::unique_ptr<TQzPkgData> data) { CommitData(std::move(data)); }
};

namespace {

void checkCount(const QStringList& names, int count, const QString& what) {
    if (names.size() != count)
        QzExcept(QStringLiteral("%1 need %2 lines, not %3").arg(what).arg(count).arg(names.size()));
}

// The first character of a date or time format that is not part of a field: "dd.MM.yyyy" -> '.'.
QChar separatorOf(const QString& format, QChar fallback) {
    for (QChar c : format)
        if (!c.isLetter() && c != u'\'' && !c.isSpace())
            return c;
    return fallback;
}

// 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $", from how the locale writes an amount.
int currencyFormatOf(const QLocale& locale) {
    const QString symbol = locale.currencySymbol();
    if (symbol.isEmpty())
        return 0;
    const QString amount = locale.toCurrencyString(1.0);
    const qsizetype at = amount.indexOf(symbol);
    if (at < 0)
        return 0;
    const bool before = at < amount.indexOf(locale.toString(1));
    const bool spaced =
        before ? at + symbol.size() < amount.size() && amount.at(at + symbol.size()).isSpace()
               : at > 0 && amount.at(at - 1).isSpace();
    return before ? (spaced ? 2 : 0) : (spaced ? 3 : 1);
}

std::unique_ptr<TQzPkgStringsData> readStrings(const QByteArray& bytes, const QString& part) {
    auto data = std::make_unique<TQzPkgStringsData>();
    if (bytes.isEmpty())
        return data;
    try {
        QzReadPkgData(bytes, *data);
    } catch (const Exception& e) {
        QzExcept(QStringLiteral("the %1 strings are unreadable: %2").arg(part, e.Message()));
    }
    return data;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Locale

TQzPkgLanguageLocale::TQzPkgLanguageLocale(QObject* parent) : TPersistent(parent) {
    RestoreDefaults();
}

void TQzPkgLanguageLocale::SetAutoLoad(bool autoLoad) {
    FAutoLoad = autoLoad;
    if (autoLoad)
        RestoreDefaults();
}

void TQzPkgLanguageLocale::SetDateSeparatorText(const QString& text) {
    FDateSeparator = QzOneCharacter(text, QStringLiteral("The date separator"));
}

void TQzPkgLanguageLocale::SetTimeSeparatorText(const QString& text) {
    FTimeSeparator = QzOneCharacter(text, QStringLiteral("The time separator"));
}

void TQzPkgLanguageLocale::SetNumericThousandSeparatorText(const QString& text) {
    FNumericThousandSeparator = QzOneCharacter(text, QStringLiteral("The thousand separator"));
}

void TQzPkgLanguageLocale::SetNumericDecimalSeparatorText(const QString& text) {
    FNumericDecimalSeparator = QzOneCharacter(text, QStringLiteral("The decimal separator"));
}

void TQzPkgLanguageLocale::SetDateFormat(TQzDateFormat format) {
    QzCheckRange(format, dfDMY, dfYMD, QStringLiteral("The date format"));
    FDateFormat = format;
}

void TQzPkgLanguageLocale::SetMaskDateYear(TQzDateYear dateYear) {
    QzCheckRange(dateYear, dyTwoDigits, dyFourDigits, QStringLiteral("The mask date-year rule"));
    FMaskDateYear = dateYear;
}

void TQzPkgLanguageLocale::SetStartOfWeek(TQzStartOfWeek day) {
    QzCheckRange(day, swMonday, swSunday, QStringLiteral("The start of the week"));
    FStartOfWeek = day;
}

void TQzPkgLanguageLocale::SetStartWeekYear(TQzStartWeekYear rule) {
    QzCheckRange(rule, wyJanuaryFirst, wyFirstFullWeek, QStringLiteral("The first week rule"));
    FStartWeekYear = rule;
}

void TQzPkgLanguageLocale::SetDateCentury(int century) {
    QzCheckRange(century, 100, 9999, QStringLiteral("The date century"));
    FDateCentury = century;
}

void TQzPkgLanguageLocale::SetDateYearFix(int year) {
    QzCheckRange(year, 0, 9999, QStringLiteral("The fixed date year"));
    FDateYearFix = year;
}

void TQzPkgLanguageLocale::SetMaskDecimals(int decimals) {
    QzCheckRange(decimals, 0, 9, QStringLiteral("The mask decimals"));
    FMaskDecimals = decimals;
}

void TQzPkgLanguageLocale::SetNumericCurrencyFormat(int format) {
    QzCheckRange(format, 0, 3, QStringLiteral("The currency format"));
    FNumericCurrencyFormat = format;
}

void TQzPkgLanguageLocale::SetMonthShortNames(const QStringList& names) {
    checkCount(names, 12, QStringLiteral("Short month names"));
    FMonthShortNames = names;
}

void TQzPkgLanguageLocale::SetMonthLongNames(const QStringList& names) {
    checkCount(names, 12, QStringLiteral("Long month names"));
    FMonthLongNames = names;
}

void TQzPkgLanguageLocale::SetDayShortNames(const QStringList& names) {
    checkCount(names, 7, QStringLiteral("Short day names"));
    FDayShortNames = names;
}

void TQzPkgLanguageLocale::SetDayLongNames(const QStringList& names) {
    checkCount(names, 7, QStringLiteral("Long day names"));
    FDayLongNames = names;
}

void TQzPkgLanguageLocale::RestoreDefaults() {
    RestoreDefaults(QLocale::system());
}

void TQzPkgLanguageLocale::RestoreDefaults(const QLocale& locale) {
    const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    FDateSeparator = separatorOf(dateFormat, u'/');
    FTimeSeparator = separatorOf(locale.timeFormat(QLocale::ShortFormat), u':');
    const QString group = locale.groupSeparator();
    FNumericThousandSeparator = group.isEmpty() ? QChar(u' ') : group.front();
    const QString point = locale.decimalPoint();
    FNumericDecimalSeparator = point.isEmpty() ? QChar(u'.') : point.front();
    FDateFormat = TQzDateFormat(QzLocaleDateFormat(locale));
    FMaskDateYear = dyTwoDigits;
    FStartOfWeek = TQzStartOfWeek(locale.firstDayOfWeek() - Qt::Monday);
    FStartWeekYear = wyFirstFourDays;
    FDateCentury = QDate::currentDate().year() + 20;
    FDateYearFix = 0;
    FTimeAMString = locale.amText();
    FTimePMString = locale.pmText();
    FNumericCurrencyString = locale.currencySymbol();
    FMaskDecimals = 2;
    FNumericCurrencyFormat = currencyFormatOf(locale);
    FMonthShortNames.clear();
    FMonthLongNames.clear();
    for (int month = 1; month <= 12; ++month) {
        FMonthShortNames.push_back(locale.monthName(month, QLocale::ShortFormat));
        FMonthLongNames.push_back(locale.monthName(month, QLocale::LongFormat));
    }
    FDayShortNames.clear();
    FDayLongNames.clear();
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
        FDayShortNames.push_back(locale.dayName(day, QLocale::ShortFormat));
        FDayLongNames.push_back(locale.dayName(day, QLocale::LongFormat));
    }
}

void TQzPkgLanguageLocale::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgLanguageLocale*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    FAutoLoad = other->FAutoLoad;
    FDateSeparator = other->FDateSeparator;
    FTimeSeparator = other->FTimeSeparator;
    FNumericThousandSeparator = other->FNumericThousandSeparator;
    FNumericDecimalSeparator = other->FNumericDecimalSeparator;
    FDateFormat = other->FDateFormat;
    FMaskDateYear = other->FMaskDateYear;
    FStartOfWeek = other->FStartOfWeek;
    FStartWeekYear = other->FStartWeekYear;
    FDateCentury = other->FDateCentury;
    FDateYearFix = other->FDateYearFix;
    FTimeAMString = other->FTimeAMString;
    FTimePMString = other->FTimePMString;
    FNumericCurrencyString = other->FNumericCurrencyString;
    FMaskDecimals = other->FMaskDecimals;
    FNumericCurrencyFormat = other->FNumericCurrencyFormat;
    FMonthShortNames = other->FMonthShortNames;
    FMonthLongNames = other->FMonthLongNames;
    FDayShortNames = other->FDayShortNames;
    FDayLongNames = other->FDayLongNames;
}

// ---------------------------------------------------------------------------------------------
// Content

TQzPkgLanguageData::TQzPkgLanguageData(QObject* parent)
    : TQzPkgData(parent), FLocale(new TQzPkgLanguageLocale(this)) {}

TQzPkgLanguageData::~TQzPkgLanguageData() = default;

void TQzPkgLanguageData::SetLastUpdateDate(const QDateTime& date) {
    FLastUpdateDate = date;
}

void TQzPkgLanguageData::readNested() const {
    if (FSystemRead && FUserRead)
        return;
    auto system = readStrings(FSystemStrings, QStringLiteral("System"));
    auto user = readStrings(FUserStrings, QStringLiteral("User"));
    FSystemRead = std::move(system);
    FUserRead = std::move(user);
}

void TQzPkgLanguageData::Validate() const {
    TQzPkgData::Validate();
    readNested();
}

std::pair<std::unique_ptr<TQzPkgStringsData>, std::unique_ptr<TQzPkgStringsData>>
TQzPkgLanguageData::TakeNestedStrings() {
    readNested();
    FSystemStrings.clear();
    FUserStrings.clear();
    return {std::move(FSystemRead), std::move(FUserRead)};
}

// ---------------------------------------------------------------------------------------------
// Package

TQzPkgLanguage::TQzPkgLanguage(TComponent* owner)
    : TQzPkgInfo(owner, TQzPkgKind::Language, QStringLiteral("lan")),
      FSystemStrings(new TQzPkgLanguageStrings(this, QStringLiteral("System"))),
      FUserStrings(new TQzPkgLanguageStrings(this, QStringLiteral("User"))) {
    InitData();
}

TQzPkgStrings* TQzPkgLanguage::SystemStrings() const {
    return FSystemStrings;
}

TQzPkgStrings* TQzPkgLanguage::UserStrings() const {
    return FUserStrings;
}

std::unique_ptr<TQzPkgData> TQzPkgLanguage::CreateData() const {
    return std::make_unique<TQzPkgLanguageData>();
}

void TQzPkgLanguage::CommitData(std::unique_ptr<TQzPkgData> data) {
    // Both parts are read before either is replaced; past this point nothing can fail.
    auto [system, user] = static_cast<TQzPkgLanguageData*>(data.get())->TakeNestedStrings();
    FSystemStrings->Adopt(std::move(system));
    FUserStrings->Adopt(std::move(user));
    TQzPkgInfo::CommitData(std::move(data));
}

void TQzPkgLanguage::PrepareWrite(TQzPkgData& data) const {
    auto& language = static_cast<TQzPkgLanguageData&>(data);
    language.FSystemStrings = FSystemStrings->ContentBytes();
    language.FUserStrings = FUserStrings->ContentBytes();
}

void TQzPkgLanguage::DataChanged() {
    // Values stored on another machine give way to this platform's.
    if (Locale()->AutoLoad())
        Locale()->RestoreDefaults();
}

void TQzPkgLanguage::Clear() {
    FSystemStrings->Clear();
    FUserStrings->Clear();
    SetLastUpdateFile(QString());
    SetLastUpdateDate(QDateTime());
}
