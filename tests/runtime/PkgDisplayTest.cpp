// Display packages as the set editors, set pickers, the display dialogs and form files use them:
// named sets, system and user images inside the package, window and hint measures.

#include "ComponentStreams.h"
#include "Controls.h"
#include "ImagesTestSupport.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgDisplay.h"
#include "QzPkgStrings.h"

#include <QMetaEnum>
#include <functional>
#include <memory>

namespace {

class PkgDisplay : public PkgTest {};

void fill(TQzPkgDisplay& display) {
    TQzPkgDisplaySetColor* color = display.SetsColor()->Add(QStringLiteral("sc1"));
    color->SetColor(0x00336699);
    color->SetDescription(QStringLiteral("Warnings"));
    color->DescriptionId()->PkgId(QStringLiteral("User"), 17);
    display.SetsColor()->Add(QStringLiteral(u"Ärger"))->SetColor(int(0xFF000005));

    TQzPkgDisplaySetFont* font = display.SetsFont()->Add(QStringLiteral("sf1"));
    font->Font()->SetName(QStringLiteral("DejaVu Serif"));
    font->Font()->SetStyle(TQzPkgDisplayFont::fsBold | TQzPkgDisplayFont::fsStrikeOut);
    font->Font()->SetColor(0x000000FF);
    font->Font()->SetCharset(238);
    font->SetSize(14);

    TQzPkgDisplaySetBackGround* back = display.SetsBackGround()->Add(QStringLiteral("sb1"));
    back->SetStyle(bgsEllipse);
    back->SetStartGraColor(0x00102030);
    back->SetEndGraColor(0x00405060);
    back->SetSolidColor(0x00708090);
    back->SetTransparent(true);
    back->Image()->PkgId(QStringLiteral("System"), 48);
    back->SetDescription(QStringLiteral("Main window"));

    display.SetCWTitleHeight(30);
    display.SetCWWinRgn(6);
    display.SetHiMarginBottom(9);
    display.SetUserColors({1, 2, 3});
    display.SetLastUpdateFile(QStringLiteral("/opt/base/Standard.dis"));
    display.SetUpdateDateTime(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));

    fillImage(*display.SystemImages()->Images()->Add(48));
    display.SystemImages()->Images()->FindId(48)->Protected = true;
    display.UserImages()->Images()->Add(1)->SetPicture(testPicture(8, 8, 2));
}

void expectFilled(TQzPkgDisplay& display, const TQzPkgDisplay& original) {
    ASSERT_EQ(display.SetsColor()->Count(), 2);
    const TQzPkgDisplaySetColor* color = display.SetsColor()->Find(QStringLiteral("SC1"));
    ASSERT_TRUE(color);
    EXPECT_EQ(color->Color(), 0x00336699);
    EXPECT_EQ(color->Description(), QStringLiteral("Warnings"));
    EXPECT_EQ(color->DescriptionId()->PkgName(), QStringLiteral("User"));
    EXPECT_EQ(color->DescriptionId()->Id(), 17);
    EXPECT_EQ(display.SetsColor()->Find(QStringLiteral(u"ärger"))->Color(), int(0xFF000005));

    const TQzPkgDisplaySetFont* font = display.SetsFont()->Find(QStringLiteral("sf1"));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Font()->Name(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(font->Font()->Style(), TQzPkgDisplayFont::fsBold | TQzPkgDisplayFont::fsStrikeOut);
    EXPECT_EQ(font->Font()->Color(), 0x000000FF);
    EXPECT_EQ(font->Font()->Charset(), 238);
    EXPECT_EQ(font->Size(), 14);

    const TQzPkgDisplaySetBackGround* back = display.SetsBackGround()->GetSetBackGround(0);
    EXPECT_EQ(back->Name(), QStringLiteral("sb1"));
    EXPECT_EQ(back->Style(), bgsEllipse);
    EXPECT_EQ(back->StartGraColor(), 0x00102030);
    EXPECT_EQ(back->EndGraColor(), 0x00405060);
    EXPECT_EQ(back->SolidColor(), 0x00708090);
    EXPECT_TRUE(back->Transparent());
    EXPECT_EQ(back->Image()->PkgName(), QStringLiteral("System"));
    EXPECT_EQ(back->Image()->Id(), 48);
    EXPECT_EQ(back->Description(), QStringLiteral("Main window"));

    EXPECT_EQ(display.CWTitleHeight(), 30);
    EXPECT_EQ(display.CWWinRgn(), 6);
    EXPECT_EQ(display.HiMarginBottom(), 9);
    EXPECT_EQ(display.CWButtonsWidth(), TQzPkgDisplay().CWButtonsWidth());
    EXPECT_EQ(display.UserColors().mid(0, 4),
              (QList<int>{1, 2, 3, TQzPkgDisplaySetColor::DefaultColor}));
    EXPECT_EQ(display.UserColors().size(), 16);
    EXPECT_EQ(display.LastUpdateFile(), QStringLiteral("/opt/base/Standard.dis"));
    EXPECT_EQ(display.UpdateDateTime(), QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));

    ASSERT_EQ(display.SystemImages()->Images()->Count(), 1);
    expectSameImage(*display.SystemImages()->Images()->FindId(48),
                    *original.SystemImages()->Images()->FindId(48));
    EXPECT_TRUE(display.SystemImages()->Images()->FindId(48)->Protected);
    expectSameImage(*display.UserImages()->Images()->FindId(1),
                    *original.UserImages()->Images()->FindId(1));
    EXPECT_EQ(display.ContentBytes(), original.ContentBytes());
}

} // namespace

TEST_F(PkgDisplay, SetNamesAreUniqueIgnoringCase) {
    TQzPkgDisplay display;
    TQzPkgDisplaySetsColor* colors = display.SetsColor();
    TQzPkgDisplaySetColor* sc1 = colors->Add(QStringLiteral("sc1"));
    colors->Add(QStringLiteral("Red"));
    EXPECT_EQ(sc1->Color(), TQzPkgDisplaySetColor::DefaultColor);
    EXPECT_EQ(colors->Find(QStringLiteral("RED")), colors->GetSetColor(1));
    EXPECT_EQ(colors->Find(QStringLiteral("blue")), nullptr);
    EXPECT_EQ(colors->Find(QString()), nullptr);

    EXPECT_EQ(errorOf([&] { colors->Add(QStringLiteral("red")); }),
              "There is already a colour set named \"Red\"");
    EXPECT_EQ(errorOf([&] { sc1->SetName(QStringLiteral("RED")); }),
              "There is already a colour set named \"Red\"");
    EXPECT_EQ(errorOf([&] { colors->Add(QStringLiteral("  ")); }), "A colour set needs a name");
    EXPECT_EQ(errorOf([&] { display.SetsFont()->Add(QStringLiteral("<default>")); }),
              "\"<default>\" is reserved for the default set");
    EXPECT_EQ(colors->Count(), 2);
    EXPECT_EQ(display.SetsFont()->Count(), 0);
    EXPECT_EQ(sc1->Name(), QStringLiteral("sc1"));

    // A set keeps its name under another case; the same name is free in the other lists.
    sc1->SetName(QStringLiteral("SC1"));
    EXPECT_EQ(sc1->Name(), QStringLiteral("SC1"));
    display.SetsBackGround()->Add(QStringLiteral("Red"));
    delete colors->Find(QStringLiteral("red"));
    EXPECT_EQ(colors->Count(), 1);
    colors->Add(QStringLiteral("red"));

    // A described set shows its label's text once the reference is defined.
    TQzPkgStrings strings;
    strings.SetPkgName(QStringLiteral("Texts"));
    strings.Labels()->Add(4, QStringLiteral("From the label"));
    sc1->SetDescription(QStringLiteral("typed"));
    EXPECT_EQ(sc1->DescriptionText(), QStringLiteral("typed"));
    TQzMemoryLabel label;
    label.PkgId(QStringLiteral("Texts"), 4);
    sc1->SetDescriptionId(&label);
    EXPECT_EQ(sc1->DescriptionText(), QStringLiteral("From the label"));
}

TEST_F(PkgDisplay, ValuesAreCheckedAndDefaultsAreThoseOfANewSet) {
    TQzPkgDisplay display;
    TQzPkgDisplaySetFont* font = display.SetsFont()->Add(QStringLiteral("sf1"));
    EXPECT_EQ(font->Size(), 8);
    EXPECT_THROW(font->SetSize(0), EQzError);
    EXPECT_THROW(font->Font()->SetCharset(256), EQzError);
    EXPECT_EQ(font->Size(), 8);

    TQzPkgDisplaySetBackGround* back = display.SetsBackGround()->Add(QStringLiteral("sb1"));
    EXPECT_EQ(back->Style(), bgsSolid);
    EXPECT_EQ(back->SolidColor(), TQzPkgDisplaySetBackGround::DefaultColor);
    EXPECT_EQ(back->StartGraColor(), TQzPkgDisplaySetBackGround::DefaultColor);
    EXPECT_FALSE(back->Image()->Defined());
    EXPECT_THROW(back->SetStyle(TQzBackGroundStyle(21)), EQzError);
    EXPECT_EQ(back->Style(), bgsSolid);

    EXPECT_EQ(errorOf([&] { display.SetHiWinRgn(-1); }),
              "A window or hint measure cannot be negative (-1)");
    EXPECT_EQ(display.HiWinRgn(), 0);
    EXPECT_THROW(display.SetUserColors(QList<int>(17, 0)), EQzError);
    EXPECT_EQ(display.UserColors(), QList<int>(16, TQzPkgDisplaySetColor::DefaultColor));

    // Editors list the styles by name without their three-letter prefix.
    const QMetaEnum styles = QMetaEnum::fromType<TQzBackGroundStyle>();
    ASSERT_EQ(styles.keyCount(), 21);
    EXPECT_STREQ(styles.key(0), "bgsSolid");
    for (int i = 0; i < styles.keyCount(); ++i) {
        EXPECT_EQ(styles.value(i), i);
        EXPECT_EQ(QByteArray(styles.key(i)).left(3), "bgs");
    }

    // The font dialog's font comes back with its size; colour and character set stay.
    font->Font()->SetCharset(204);
    QFont chosen(QStringLiteral("DejaVu Sans Mono"));
    chosen.setPointSize(11);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    font->SetQFont(chosen);
    EXPECT_EQ(font->Size(), 11);
    EXPECT_EQ(font->Font()->Style(), TQzPkgDisplayFont::fsItalic | TQzPkgDisplayFont::fsUnderline);
    EXPECT_EQ(font->Font()->Charset(), 204);
    const QFont shown = font->GetQFont();
    EXPECT_EQ(shown.family(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(shown.pointSize(), 11);
    EXPECT_TRUE(shown.italic() && shown.underline() && !shown.bold());
}

TEST_F(PkgDisplay, FileRoundTripKeepsEveryMemberAndTheNestedImages) {
    TQzPkgDisplay display;
    fill(display);
    display.SetDescription(QStringLiteral("Standard look"));
    display.SaveToFile(path(QStringLiteral("look.dis")));
    EXPECT_EQ(QzReadPkgDisplayDescription(path(QStringLiteral("look.dis"))),
              QStringLiteral("Standard look"));

    TQzPkgDisplay back;
    back.SystemImages()->Images()->Add(5); // replaced by the load
    back.LoadFromFile(path(QStringLiteral("look.dis")));
    expectFilled(back, display);
    EXPECT_EQ(back.SystemImages()->Images()->FindId(5), nullptr);
    EXPECT_EQ(back.SystemImages()->GetPkgName(), QStringLiteral("System"));
    EXPECT_EQ(back.UserImages()->GetPkgName(), QStringLiteral("User"));
    EXPECT_EQ(back.SystemImages()->Owner(), &back);

    // Clear empties sets and images and keeps the measures and custom colours.
    back.Clear();
    EXPECT_EQ(back.SetsColor()->Count() + back.SetsFont()->Count() + back.SetsBackGround()->Count(),
              0);
    EXPECT_EQ(back.SystemImages()->Images()->Count() + back.UserImages()->Images()->Count(), 0);
    EXPECT_TRUE(back.LastUpdateFile().isEmpty());
    EXPECT_FALSE(back.UpdateDateTime().isValid());
    EXPECT_EQ(back.CWTitleHeight(), 30);
    EXPECT_EQ(back.UserColors().first(), 1);
}

TEST_F(PkgDisplay, FormStoredDisplayTravelsInTheForm) {
    TForm form;
    form.SetName(QStringLiteral("Form1"));
    auto* display = new TQzPkgDisplay(&form);
    display->SetName(QStringLiteral("PkgDisplay1"));
    fill(*display);
    const QByteArray text = WriteComponentText(&form);
    EXPECT_TRUE(text.contains("PkgData = {"));
    // The images are part of the display's content, not components of the form.
    EXPECT_FALSE(text.contains("SystemImages"));
    EXPECT_FALSE(text.contains("TQzPkgImages"));

    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    auto* back = qobject_cast<TQzPkgDisplay*>(copy->FindComponent(QStringLiteral("PkgDisplay1")));
    ASSERT_TRUE(back);
    expectFilled(*back, *display);

    // The nested packages are found by their names like any images package.
    EXPECT_EQ(QzFindPkgImages(QStringLiteral("system")), display->SystemImages());
    QStringList names;
    QzPkgImagesActives(names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("System"), QStringLiteral("User")}));
    EXPECT_EQ(QzPkgDisplayAll(), (QList<TQzPkgDisplay*>{display, back}));
    EXPECT_EQ(QzFindPkgDisplay(QStringLiteral("pkgdisplay1")), display);
}

TEST_F(PkgDisplay, DamagedContentRefusesTheWholeLoad) {
    TQzPkgDisplay good;
    fill(good);
    TQzPkgDisplay display;
    display.SetsColor()->Add(QStringLiteral("keep"));
    display.SystemImages()->Images()->Add(2)->SetPicture(testPicture(2, 2));
    display.UserImages()->Images()->Add(3);
    const QByteArray before = display.ContentBytes();
    const QByteArray systemBefore = display.SystemImages()->ContentBytes();
    const QByteArray userBefore = display.UserImages()->ContentBytes();

    auto expectRefused = [&](const std::function<void(TFormObject&)>& edit,
                             const std::string& problem) {
        TFormObject object = ReadBinaryForm(good.ContentBytes());
        edit(object);
        const QByteArray content = WriteBinaryForm(object);
        TQzPkgFileHeader header;
        header.Kind = TQzPkgKind::Display;
        writeBytes(QStringLiteral("bad.dis"), QzBuildPkgFile(header, content));
        const std::string message =
            errorOf([&] { display.LoadFromFile(path(QStringLiteral("bad.dis"))); });
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_THROW(display.SetContentBytes(content), Exception);
        EXPECT_EQ(display.ContentBytes(), before);
        EXPECT_EQ(display.SystemImages()->ContentBytes(), systemBefore);
        EXPECT_EQ(display.UserImages()->ContentBytes(), userBefore);
    };

    // The user images are read after the system images: a bad user part must not leave new
    // system images behind.
    expectRefused(
        [](TFormObject& object) {
            QByteArray& user =
                propertyOf(object.Properties, QStringLiteral("UserImages")).Value.Bytes;
            TFormObject images = ReadBinaryForm(user);
            TFormValue& picture = propertyOf(propertyOf(images.Properties, QStringLiteral("Images"))
                                                 .Value.Items[0]
                                                 .Properties,
                                             QStringLiteral("Picture"))
                                      .Value;
            picture.Elements[1].Bytes.truncate(30);
            user = WriteBinaryForm(images);
        },
        "the User images are unreadable");
    expectRefused(
        [](TFormObject& object) {
            propertyOf(object.Properties, QStringLiteral("SystemImages")).Value.Bytes.chop(1);
        },
        "the System images are unreadable");
    expectRefused(
        [](TFormObject& object) {
            auto& items = propertyOf(object.Properties, QStringLiteral("SetsColor")).Value.Items;
            propertyOf(items[1].Properties, QStringLiteral("Name")).Value =
                TFormValue::makeString(QStringLiteral("SC1"));
        },
        "There is already a colour set named \"sc1\"");
    expectRefused(
        [](TFormObject& object) {
            auto& items = propertyOf(object.Properties, QStringLiteral("SetsFont")).Value.Items;
            propertyOf(items[0].Properties, QStringLiteral("Size")).Value =
                TFormValue::makeInteger(-3);
        },
        "A font size must be between 1 and 1638, not -3");
    expectRefused(
        [](TFormObject& object) {
            propertyOf(object.Properties, QStringLiteral("CWTitleHeight")).Value =
                TFormValue::makeInteger(-1);
        },
        "CWTitleHeight cannot be negative (-1)");
    expectRefused(
        [](TFormObject& object) {
            propertyOf(object.Properties, QStringLiteral("UserColors")).Value.Elements.pop_back();
        },
        "15 custom colours are stored, not 16");
}
