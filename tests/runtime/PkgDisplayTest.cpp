// Display packages as the set editors, set pickers, the display dialogs and form files use them:
// named sets, system and user images inside the package, window and hint measures. Files and
// forms are tested with every kind.

#include "ComponentStreams.h"
#include "Controls.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgDisplay.h"
#include "QzPkgStrings.h"

#include <QMetaEnum>
#include <memory>

namespace {

class PkgDisplay : public PkgTest {};

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
    display.SetUserColors({1, 2, 3});
    EXPECT_EQ(display.UserColors().mid(2),
              (QList<int>{3} + QList<int>(13, TQzPkgDisplaySetColor::DefaultColor)));

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

TEST_F(PkgDisplay, NestedImagesAreNamedFoundAndClearedWithTheDisplay) {
    TForm form;
    form.SetName(QStringLiteral("Form1"));
    auto* display = new TQzPkgDisplay(&form);
    display->SetName(QStringLiteral("PkgDisplay1"));
    pkgKind(TQzPkgKind::Display).Fill(*display);
    // The images are part of the display's content, not components of the form.
    const QByteArray text = WriteComponentText(&form);
    EXPECT_FALSE(text.contains("SystemImages"));
    EXPECT_FALSE(text.contains("TQzPkgImages"));
    std::unique_ptr<TComponent> copy(ReadComponentText(text));
    auto* back = qobject_cast<TQzPkgDisplay*>(copy->FindComponent(QStringLiteral("PkgDisplay1")));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->SystemImages()->GetPkgName(), QStringLiteral("System"));
    EXPECT_EQ(back->UserImages()->GetPkgName(), QStringLiteral("User"));
    EXPECT_EQ(back->SystemImages()->Owner(), back);

    // The nested packages are found by their names like any images package.
    EXPECT_EQ(QzFindPkgImages(QStringLiteral("system")), display->SystemImages());
    QStringList names;
    QzPkgImagesActives(names);
    EXPECT_EQ(names, (QStringList{QStringLiteral("System"), QStringLiteral("User")}));
    EXPECT_EQ(QzPkgDisplayAll(), (QList<TQzPkgDisplay*>{display, back}));
    EXPECT_EQ(QzFindPkgDisplay(QStringLiteral("pkgdisplay1")), display);

    // Clear empties sets and images and keeps the measures and custom colours.
    back->Clear();
    EXPECT_EQ(back->SetsColor()->Count() + back->SetsFont()->Count() +
                  back->SetsBackGround()->Count(),
              0);
    EXPECT_EQ(back->SystemImages()->Images()->Count() + back->UserImages()->Images()->Count(), 0);
    EXPECT_TRUE(back->LastUpdateFile().isEmpty());
    EXPECT_FALSE(back->UpdateDateTime().isValid());
    EXPECT_EQ(back->CWTitleHeight(), 30);
    EXPECT_EQ(back->UserColors().first(), 1);
}
