// Language packages: nested system and user strings, the locale and its platform defaults. Files,
// forms and damaged parts are tested with every kind.

#include "ComponentStreams.h"
#include "Controls.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgLanguage.h"

#include <QMetaEnum>
#include <memory>

// Holds its language package the way the application component does: as a sub-component.
class TLanguageTestApp : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TQzPkgLanguage* PkgLanguage READ PkgLanguage)
public:
    Q_INVOKABLE explicit TLanguageTestApp(TComponent* owner = nullptr)
        : TComponent(owner), FPkgLanguage(new TQzPkgLanguage(this)) {
        FPkgLanguage->SetName(QStringLiteral("PkgLanguage"));
        FPkgLanguage->SetSubComponent(true);
    }
    TQzPkgLanguage* PkgLanguage() const { return FPkgLanguage; }
    // Sub-components are not told that their holder was read; a file-stored package reads its
    // file only when told.
    void Loaded() override {
        TComponent::Loaded();
        FPkgLanguage->Loaded();
    }

private:
    TQzPkgLanguage* FPkgLanguage;
};

namespace {

void fill(TQzPkgLanguage& language) {
    pkgKind(TQzPkgKind::Language).Fill(language);
}

QStringList describe(TQzPkgLanguage& language) {
    return pkgKind(TQzPkgKind::Language).Describe(language);
}

class PkgLanguage : public PkgTest {};

} // namespace

TEST_F(PkgLanguage, NestedStringsAreNamedAndFoundAndTheLastUpdateMayBeNone) {
    TQzPkgLanguage language;
    fill(language);
    language.SaveToFile(path(QStringLiteral("english.lan")));
    TQzPkgLanguage copy;
    copy.LoadFromFile(path(QStringLiteral("english.lan")));
    EXPECT_EQ(copy.SystemStrings()->GetPkgName(), QStringLiteral("System"));
    EXPECT_EQ(copy.UserStrings()->GetPkgName(), QStringLiteral("User"));
    EXPECT_EQ(copy.SystemStrings()->Owner(), &copy);
    copy.SystemStrings()->SetActive(true);
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("system")), copy.SystemStrings());

    TQzPkgLanguage().SaveToFile(path(QStringLiteral("fresh.lan")));
    copy.LoadFromFile(path(QStringLiteral("fresh.lan")));
    EXPECT_FALSE(copy.LastUpdateDate().isValid());
    EXPECT_EQ(copy.SystemStrings()->Labels()->Count(), 0);
}

// The application component holds its language as a sub-component.
TEST_F(PkgLanguage, ContentTravelsInTheApplicationsForm) {
    RegisterClasses<TLanguageTestApp>();
    TForm form;
    form.SetName(QStringLiteral("Form1"));
    auto* app = new TLanguageTestApp(&form);
    app->SetName(QStringLiteral("App1"));
    fill(*app->PkgLanguage());

    const QByteArray text = WriteComponentText(&form);
    // One block of content; the nested packages write nothing of their own.
    EXPECT_EQ(text.count("PkgData = {"), 1) << text.toStdString();
    EXPECT_TRUE(text.contains("PkgLanguage.PkgData = {"));
    EXPECT_FALSE(text.contains("SystemStrings"));
    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    auto* back = qobject_cast<TLanguageTestApp*>(copy->FindComponent(QStringLiteral("App1")));
    ASSERT_TRUE(back);
    EXPECT_EQ(describe(*back->PkgLanguage()), describe(*app->PkgLanguage()));

    // A language kept in its own file leaves only the file name in the form.
    app->PkgLanguage()->SaveFileEx(QStringLiteral("app"), TQzPkgInfo::imFILE);
    const QByteArray fileText = WriteComponentText(&form);
    EXPECT_FALSE(fileText.contains("PkgData"));
    std::unique_ptr<TComponent> fromFile(ReadComponentText(fileText));
    auto* loaded = qobject_cast<TLanguageTestApp*>(fromFile->FindComponent(QStringLiteral("App1")));
    EXPECT_EQ(describe(*loaded->PkgLanguage()), describe(*app->PkgLanguage()));
}

TEST_F(PkgLanguage, LocaleFollowsThePlatformWhenAskedTo) {
    TQzPkgLanguageLocale locale;
    locale.SetAutoLoad(false);
    locale.RestoreDefaults(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(locale.DateSeparator(), u'.');
    EXPECT_EQ(locale.TimeSeparator(), u':');
    EXPECT_EQ(locale.NumericThousandSeparator(), u'.');
    EXPECT_EQ(locale.NumericDecimalSeparator(), u',');
    EXPECT_EQ(locale.DateFormat(), dfDMY);
    EXPECT_EQ(locale.StartOfWeek(), TQzPkgLanguageLocale::swMonday);
    EXPECT_EQ(locale.MonthLongNames().value(2), QStringLiteral(u"März"));
    EXPECT_EQ(locale.DayLongNames().value(0), QStringLiteral("Montag"));
    EXPECT_EQ(locale.NumericCurrencyString(), QStringLiteral(u"€"));
    EXPECT_EQ(locale.NumericCurrencyFormat(), 3); // "1 €"
    EXPECT_FALSE(locale.AutoLoad());

    locale.RestoreDefaults(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(locale.DateSeparator(), u'/');
    EXPECT_EQ(locale.NumericThousandSeparator(), u',');
    EXPECT_EQ(locale.NumericDecimalSeparator(), u'.');
    EXPECT_EQ(locale.DateFormat(), dfMDY);
    EXPECT_EQ(locale.StartOfWeek(), TQzPkgLanguageLocale::swSunday);
    EXPECT_EQ(locale.TimeAMString(), QStringLiteral("AM"));
    EXPECT_EQ(locale.NumericCurrencyFormat(), 0); // "$1"
    EXPECT_EQ(locale.MonthShortNames().size(), 12);
    EXPECT_EQ(locale.DayShortNames().size(), 7);
    // The century window puts two-digit years within a lifetime of today.
    EXPECT_GT(locale.DateCentury(), QDate::currentDate().year());
    EXPECT_LT(locale.DateCentury() - 99, QDate::currentDate().year());

    // AutoLoad on takes the platform's values at once and again on every load.
    TQzPkgLanguageLocale platform;
    platform.SetAutoLoad(false);
    platform.RestoreDefaults(QLocale::system());
    locale.SetDateSeparator(u'#');
    locale.SetAutoLoad(true);
    EXPECT_EQ(locale.DateSeparator(), platform.DateSeparator());
    EXPECT_EQ(locale.MonthLongNames(), platform.MonthLongNames());

    TQzPkgLanguage language;
    EXPECT_TRUE(language.Locale()->AutoLoad());
    language.Locale()->SetDateSeparator(u'#'); // as another machine might have stored
    language.SaveToFile(path(QStringLiteral("auto.lan")));
    TQzPkgLanguage copy;
    copy.LoadFromFile(path(QStringLiteral("auto.lan")));
    EXPECT_TRUE(copy.Locale()->AutoLoad());
    EXPECT_EQ(copy.Locale()->DateSeparator(), platform.DateSeparator());
}

TEST_F(PkgLanguage, LocaleRefusesValuesOutOfRange) {
    TQzPkgLanguageLocale locale;
    locale.SetAutoLoad(false);
    locale.SetDateCentury(2030);
    EXPECT_EQ(errorOf([&] { locale.SetDateCentury(99); }),
              "The date century must be between 100 and 9999, not 99");
    EXPECT_THROW(locale.SetNumericCurrencyFormat(4), EQzError);
    EXPECT_THROW(locale.SetMaskDecimals(10), EQzError);
    EXPECT_THROW(locale.SetDateFormat(TQzDateFormat(3)), EQzError);
    EXPECT_THROW(locale.SetStartOfWeek(TQzPkgLanguageLocale::TQzStartOfWeek(7)), EQzError);
    EXPECT_THROW(locale.SetDateYearFix(-1), EQzError);
    EXPECT_EQ(errorOf([&] { locale.SetMonthLongNames({"January"}); }),
              "Long month names need 12 lines, not 1");
    EXPECT_THROW(locale.SetDayShortNames(QStringList(8, QStringLiteral("x"))), EQzError);
    EXPECT_EQ(locale.DateCentury(), 2030);
    EXPECT_EQ(locale.MonthLongNames().size(), 12);

    // The locale dialog lists these by their type information.
    EXPECT_EQ(QMetaEnum::fromType<TQzPkgLanguageLocale::TQzStartOfWeek>().keyCount(), 7);
    EXPECT_EQ(QMetaEnum::fromType<TQzPkgLanguageLocale::TQzStartWeekYear>().keyCount(), 3);
}

TEST_F(PkgLanguage, ClearEmptiesTheStringsAndKeepsTheLocale) {
    TQzPkgLanguage language;
    fill(language);
    TQzPkgStrings* system = language.SystemStrings();
    language.Clear();
    EXPECT_EQ(language.SystemStrings(), system);
    EXPECT_EQ(system->Labels()->Count(), 0);
    EXPECT_EQ(language.UserStrings()->Texts()->Count(), 0);
    EXPECT_TRUE(language.LastUpdateFile().isEmpty());
    EXPECT_FALSE(language.LastUpdateDate().isValid());
    EXPECT_EQ(language.Locale()->DateSeparator(), u'-');
}

#include "PkgLanguageTest.moc"
