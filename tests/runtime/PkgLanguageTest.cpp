// Language packages: system and user strings and the locale travel together through files and
// forms, and a bad part refuses the whole load.

#include "BinaryForm.h"
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

const QDateTime updated(QDate(2024, 3, 5), QTime(14, 7, 9), Qt::UTC);

// A language whose every part differs from a fresh one.
void fill(TQzPkgLanguage& language) {
    language.SystemStrings()->Labels()->Add(5, QStringLiteral("OK"), QStringLiteral("Accept"));
    language.SystemStrings()->Messages()->Add(48, QStringLiteral("Clear everything?"));
    language.SystemStrings()->Labels()->FindId(5)->Protected = true;
    language.UserStrings()->Texts()->Add(3, QStringLiteral(u"Grüße\r\nzwei"));
    language.UserStrings()->Data()->FEditorLeft = 120;
    TQzPkgLanguageLocale* locale = language.Locale();
    locale->SetAutoLoad(false);
    locale->SetDateSeparator(u'-');
    locale->SetTimeSeparator(u'.');
    locale->SetNumericTrousandSeparator(u' ');
    locale->SetNumericDecimalSeparator(u',');
    locale->SetDateFormat(dfYMD);
    locale->SetMaskDateYear(dyFourDigits);
    locale->SetStartOfWeek(TQzPkgLanguageLocale::swSaturday);
    locale->SetStartWeekYear(TQzPkgLanguageLocale::wyFirstFullWeek);
    locale->SetDateCentury(2030);
    locale->SetDateYearFix(1900);
    locale->SetTimeAMString(QStringLiteral("vorm."));
    locale->SetTimePMString(QStringLiteral("nachm."));
    locale->SetNumericCurrencyString(QStringLiteral("EUR"));
    locale->SetMaskDecimals(4);
    locale->SetNumericCurrencyFormat(3);
    QStringList months;
    for (int i = 1; i <= 12; ++i)
        months.push_back(QStringLiteral("M%1").arg(i));
    locale->SetMonthShortNames(months);
    locale->SetDayLongNames({"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"});
    language.SetLastUpdateFile(QStringLiteral("/base/Standard.lan"));
    language.SetLastUpdateDate(updated);
}

void expectFilled(const TQzPkgLanguage& language) {
    const TQzPkgStringsLabel* ok = language.SystemStrings()->Labels()->FindId(5);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->Text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->Hint(), QStringLiteral("Accept"));
    EXPECT_TRUE(ok->Protected);
    EXPECT_EQ(language.SystemStrings()->Messages()->FindId(48)->Text(),
              QStringLiteral("Clear everything?"));
    EXPECT_EQ(language.UserStrings()->Texts()->FindId(3)->Text(), QStringLiteral(u"Grüße\r\nzwei"));
    EXPECT_EQ(language.UserStrings()->Data()->FEditorLeft, 120);
    EXPECT_EQ(language.UserStrings()->Labels()->Count(), 0);
    const TQzPkgLanguageLocale* locale = language.Locale();
    EXPECT_FALSE(locale->AutoLoad());
    EXPECT_EQ(locale->DateSeparator(), u'-');
    EXPECT_EQ(locale->TimeSeparator(), u'.');
    EXPECT_EQ(locale->NumericThousandSeparator(), u' ');
    EXPECT_EQ(locale->NumericDecimalSeparator(), u',');
    EXPECT_EQ(locale->DateFormat(), dfYMD);
    EXPECT_EQ(locale->MaskDateYear(), dyFourDigits);
    EXPECT_EQ(locale->StartOfWeek(), TQzPkgLanguageLocale::swSaturday);
    EXPECT_EQ(locale->StartWeekYear(), TQzPkgLanguageLocale::wyFirstFullWeek);
    EXPECT_EQ(locale->DateCentury(), 2030);
    EXPECT_EQ(locale->DateYearFix(), 1900);
    EXPECT_EQ(locale->TimeAMString(), QStringLiteral("vorm."));
    EXPECT_EQ(locale->TimePMString(), QStringLiteral("nachm."));
    EXPECT_EQ(locale->NumericCurrencyString(), QStringLiteral("EUR"));
    EXPECT_EQ(locale->MaskDecimals(), 4);
    EXPECT_EQ(locale->NumericCurrencyFormat(), 3);
    EXPECT_EQ(locale->MonthShortNames().value(11), QStringLiteral("M12"));
    EXPECT_EQ(locale->DayLongNames().value(6), QStringLiteral("So"));
    EXPECT_EQ(language.LastUpdateFile(), QStringLiteral("/base/Standard.lan"));
    EXPECT_EQ(language.LastUpdateDate(), updated);
}

// A language file whose content is `data` as written, for damaging one part of it.
QByteArray languageFile(TQzPkgLanguageData& data) {
    TQzPkgFileHeader header;
    header.Kind = TQzPkgKind::Language;
    return QzBuildPkgFile(header, WriteBinaryForm(PersistentToFormObject(&data)));
}

class PkgLanguage : public PkgTest {};

} // namespace

TEST_F(PkgLanguage, FileRoundTripKeepsStringsLocaleAndLastUpdate) {
    TQzPkgLanguage language;
    fill(language);
    language.SetDescription(QStringLiteral("English"));
    language.SaveToFile(path(QStringLiteral("english.lan")));
    EXPECT_EQ(QzReadPkgLanguageDescription(path(QStringLiteral("english.lan"))),
              QStringLiteral("English"));

    TQzPkgLanguage copy;
    copy.LoadFromFile(path(QStringLiteral("english.lan")));
    expectFilled(copy);
    EXPECT_EQ(copy.ContentBytes(), language.ContentBytes());
    EXPECT_EQ(copy.Description(), QStringLiteral("English"));

    // The nested packages keep their names and are what references find.
    EXPECT_EQ(copy.SystemStrings()->GetPkgName(), QStringLiteral("System"));
    EXPECT_EQ(copy.UserStrings()->GetPkgName(), QStringLiteral("User"));
    EXPECT_EQ(copy.SystemStrings()->Owner(), &copy);
    copy.SystemStrings()->SetActive(true);
    EXPECT_EQ(QzFindPkgStrings(QStringLiteral("system")), copy.SystemStrings());

    // A language that was never updated reads back as never updated.
    TQzPkgLanguage fresh;
    fresh.SaveFileEx(QStringLiteral("fresh"), TQzPkgInfo::imFILE);
    EXPECT_EQ(fresh.FileName(), path(QStringLiteral("fresh.lan")));
    copy.LoadFromFile(fresh.FileName());
    EXPECT_FALSE(copy.LastUpdateDate().isValid());
    EXPECT_EQ(copy.SystemStrings()->Labels()->Count(), 0);

    // A strings file is not a language file.
    language.SystemStrings()->SaveToFile(path(QStringLiteral("system.pst")));
    EXPECT_NE(errorOf([&] {
                  copy.LoadFromFile(path(QStringLiteral("system.pst")));
              }).find("not a language package"),
              std::string::npos);
}

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
    expectFilled(*back->PkgLanguage());

    // A language kept in its own file leaves only the file name in the form.
    app->PkgLanguage()->SaveFileEx(QStringLiteral("app"), TQzPkgInfo::imFILE);
    const QByteArray fileText = WriteComponentText(&form);
    EXPECT_FALSE(fileText.contains("PkgData"));
    std::unique_ptr<TComponent> fromFile(ReadComponentText(fileText));
    auto* loaded = qobject_cast<TLanguageTestApp*>(fromFile->FindComponent(QStringLiteral("App1")));
    expectFilled(*loaded->PkgLanguage());
}

TEST_F(PkgLanguage, ABadNestedPartRefusesTheWholeLoad) {
    TQzPkgLanguage good;
    fill(good);
    TQzPkgLanguage language;
    language.SystemStrings()->Labels()->Add(1, QStringLiteral("keep"));
    language.UserStrings()->Messages()->Add(2, QStringLiteral("keep too"));
    language.Locale()->SetAutoLoad(false);
    language.Locale()->SetDateSeparator(u'#');
    const QByteArray before = language.ContentBytes();
    auto expectRefused = [&](const QByteArray& file, const std::string& problem) {
        writeBytes(QStringLiteral("bad.lan"), file);
        const std::string message =
            errorOf([&] { language.LoadFromFile(path(QStringLiteral("bad.lan"))); });
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_NE(message.find("bad.lan"), std::string::npos) << message;
        EXPECT_EQ(language.ContentBytes(), before);
        EXPECT_EQ(language.SystemStrings()->Labels()->FindId(1)->Text(), QStringLiteral("keep"));
        EXPECT_EQ(language.Locale()->DateSeparator(), u'#');
    };

    // The user strings repeat an id; the system strings before them are fine.
    TQzPkgStrings twice;
    twice.Labels()->Add(1, QStringLiteral("a"));
    twice.Labels()->Add(2, QStringLiteral("b"));
    QByteArray repeated = twice.ContentBytes();
    repeated.replace(QByteArray("\x02Id\x02\x02", 5), QByteArray("\x02Id\x02\x01", 5));
    TQzPkgLanguageData data;
    data.FSystemStrings = good.SystemStrings()->ContentBytes();
    data.FUserStrings = repeated;
    expectRefused(languageFile(data), "the User strings are unreadable");
    expectRefused(languageFile(data), "There is already a label with the id 1");

    // Damaged bytes, and content of another kind, in the system part.
    data.FUserStrings.clear();
    data.FSystemStrings = good.SystemStrings()->ContentBytes().left(20);
    expectRefused(languageFile(data), "the System strings are unreadable");
    data.FSystemStrings = WriteBinaryForm(PersistentToFormObject(good.Locale()));
    expectRefused(languageFile(data), "not a TQzPkgStringsData");

    // A separator of two characters in the locale.
    TQzPkgLanguageData separator;
    TFormObject object = PersistentToFormObject(&separator);
    for (TFormProperty& p : object.Properties)
        if (p.Name == QStringLiteral("Locale.DateSeparator"))
            p.Value = TFormValue::makeString(QStringLiteral("--"));
    TQzPkgFileHeader header;
    header.Kind = TQzPkgKind::Language;
    expectRefused(QzBuildPkgFile(header, WriteBinaryForm(object)),
                  "The date separator must be one character");

    // The same through a form's content.
    EXPECT_THROW(language.SetContentBytes(WriteBinaryForm(object)), Exception);
    EXPECT_EQ(language.ContentBytes(), before);
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
