// The editors the inspector falls back on for colours, short cuts and fonts, and for what a
// property holds: a collection's items and a menu's items, each with its own properties.

#include "CollectionEditors.h"
#include "ComponentStreams.h"
#include "DesignRegistry.h"
#include "GraphicsEditors.h"
#include "IdeTestSupport.h"
#include "QzBars.h"
#include "QzColors.h"
#include "QzLabels.h"
#include "QzMenus.h"
#include "QzScriptedUi.h"

namespace {

std::unique_ptr<TPropertyEditor> editorOf(TQzFormDesigner* designer, TPersistent* object,
                                          const char* name) {
    return CreatePropertyEditor(
        designer, {object}, FindPublishedProperty(object->metaObject(), QString::fromLatin1(name)));
}

QStringList valuesOf(TPropertyEditor* editor) {
    QStringList values;
    editor->GetValues([&](const QString& v) { values << v; });
    return values;
}

QStringList subRows(TPropertyEditor* editor) {
    QStringList rows;
    editor->GetProperties([&](std::unique_ptr<TPropertyEditor> child) {
        rows << child->GetName() + u'=' + child->GetValue();
    });
    return rows;
}

void fail(const QString& failure) {
    ADD_FAILURE() << failure.toStdString();
}

} // namespace

using ValueEditors = DemoCopy;

TEST_F(ValueEditors, ColoursGoByTheNamesOfTheColourConstants) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    TComponent* title = main->GetComponent(QStringLiteral("LbTitle"));
    auto color = editorOf(main, title, "Color");
    ASSERT_NE(dynamic_cast<TColorProperty*>(color.get()), nullptr);
    EXPECT_EQ(color->GetValue(), QStringLiteral("clBtnFace"));
    EXPECT_TRUE(color->GetAttributes() & paDialog);
    const QStringList names = valuesOf(color.get());
    EXPECT_EQ(names.first(), QStringLiteral("clBlack"));
    EXPECT_TRUE(names.contains(QStringLiteral("clWindow")));
    EXPECT_TRUE(names.contains(QStringLiteral("clInfoBk")));

    const std::pair<const char*, const char*> typed[] = {
        {"clred", "clRed"}, {"$00FF0000", "clBlue"},  {"$123456", "$00123456"},
        {"255", "clRed"},   {"clWindow", "clWindow"}, {"-16777201", "clBtnFace"},
    };
    for (const auto& [text, shown] : typed) {
        color->SetValue(QString::fromLatin1(text));
        EXPECT_EQ(color->GetValue(), QString::fromLatin1(shown)) << text;
    }
    EXPECT_THROW(color->SetValue(QStringLiteral("reddish")), EConvertError);
    EXPECT_THROW(color->SetValue(QStringLiteral("$1234567890")), EConvertError);

    // "..." opens the colour dialog on the colour and takes what is chosen.
    TQzScriptedUi ui(fail);
    ui.ExpectColor(QColor(0x12, 0x34, 0x56));
    color->Edit();
    EXPECT_EQ(title->property("Color").toInt(), 0x563412);
    // Sub-objects' colours are colours too.
    auto* font = qobject_cast<TPersistent*>(title->property("Font").value<QObject*>());
    EXPECT_EQ(editorOf(main, font, "Color")->GetValue(), QStringLiteral("clWindowText"));
}

TEST_F(ValueEditors, ShortCutsReadAsTheKeysThatMakeThem) {
    const std::pair<int, const char*> shortCuts[] = {
        {0x4053, "Ctrl+S"},  {0x2074, "Shift+F5"}, {0x6041, "Shift+Ctrl+A"},
        {0x802E, "Alt+Del"}, {0x0D, "Enter"},      {0xC041, "Ctrl+Alt+A"},
    };
    for (const auto& [value, text] : shortCuts) {
        EXPECT_EQ(ShortCutToText(value), QString::fromLatin1(text));
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(text)), value);
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(text).toLower()), value);
    }
    EXPECT_EQ(TextToShortCut(QStringLiteral("(None)")), 0);
    EXPECT_EQ(TextToShortCut(QStringLiteral("Ctrl+")), -1);
    EXPECT_EQ(TextToShortCut(QStringLiteral("Hyper+S")), -1);

    openProject();
    TQzFormDesigner* main = openForm("Main");
    TComponent* save = main->GetComponent(QStringLiteral("MnSave"));
    auto shortCut = editorOf(main, save, "ShortCut");
    ASSERT_NE(dynamic_cast<TShortCutProperty*>(shortCut.get()), nullptr);
    EXPECT_EQ(shortCut->GetValue(), QStringLiteral("Ctrl+S"));
    QStringList offered = valuesOf(shortCut.get());
    EXPECT_EQ(offered.first(), QStringLiteral("(None)"));
    EXPECT_TRUE(offered.contains(QStringLiteral("Shift+Ctrl+F12")));
    EXPECT_EQ(offered.removeDuplicates(), 0);
    shortCut->SetValue(QStringLiteral("ctrl+alt+p"));
    EXPECT_EQ(save->property("ShortCut").toInt(), 0xC050);
    shortCut->SetValue(QString());
    EXPECT_EQ(shortCut->GetValue(), QStringLiteral("(None)"));
    EXPECT_THROW(shortCut->SetValue(QStringLiteral("Ctrl+Moon")), EConvertError);
}

TEST_F(ValueEditors, FontsOpenTheFontDialogForEverySelectedComponent) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    TComponent* title = main->GetComponent(QStringLiteral("LbTitle"));
    TComponent* welcome = main->GetComponent(QStringLiteral("MmWelcome"));
    auto font = CreatePropertyEditor(
        main, {title, welcome}, FindPublishedProperty(title->metaObject(), QStringLiteral("Font")));
    ASSERT_NE(dynamic_cast<TFontProperty*>(font.get()), nullptr);
    EXPECT_TRUE(font->GetAttributes() & paDialog);
    TQzScriptedUi ui(fail);
    QFont chosen(QStringLiteral("Serif"), 12);
    chosen.setBold(true);
    ui.ExpectFont(chosen);
    font->Edit();
    for (TComponent* c : {title, welcome}) {
        auto* f = qobject_cast<TFont*>(c->property("Font").value<QObject*>());
        EXPECT_EQ(f->Name(), QStringLiteral("Serif"));
        EXPECT_EQ(f->Size(), 12);
        EXPECT_EQ(f->Style(), TFont::TFontStyles(TFont::fsBold));
    }
    EXPECT_TRUE(main->IsModified());
}

// A collection opens up to its items and a menu's Items to the menu's items, each with its own
// properties; menu items hold their sub-items in menu order.
TEST_F(ValueEditors, CollectionsAndMenusOpenUpToTheirItems) {
    openProject();
    TQzFormDesigner* main = openForm("Main");
    TComponent* bar = main->GetComponent(QStringLiteral("SbMain"));
    auto panels = editorOf(main, bar, "Panels");
    ASSERT_NE(dynamic_cast<TCollectionProperty*>(panels.get()), nullptr);
    EXPECT_EQ(panels->GetValue(), QStringLiteral("(3 items)"));
    EXPECT_EQ(subRows(panels.get()), (QStringList{"[0]=User", "[1]=Date", "[2]=Records"}));

    // An item's own properties edit the item.
    std::unique_ptr<TPropertyEditor> second;
    panels->GetProperties([&](std::unique_ptr<TPropertyEditor> child) {
        if (child->GetName() == u"[1]")
            second = std::move(child);
    });
    ASSERT_NE(second, nullptr);
    std::unique_ptr<TPropertyEditor> width;
    second->GetProperties([&](std::unique_ptr<TPropertyEditor> child) {
        if (child->GetName() == u"Width")
            width = std::move(child);
    });
    ASSERT_NE(width, nullptr);
    width->SetValue(QStringLiteral("150"));
    auto* collection = qobject_cast<TCollection*>(bar->property("Panels").value<QObject*>());
    EXPECT_EQ(collection->Items(1)->property("Width").toInt(), 150);

    TComponent* menu = main->GetComponent(QStringLiteral("MmMain"));
    auto items = editorOf(main, menu, "Items");
    ASSERT_NE(dynamic_cast<TComponentPartProperty*>(items.get()), nullptr);
    EXPECT_EQ(items->GetValue(), QStringLiteral("MnFile, MnView, MnWindow, MnHelp"));
    std::unique_ptr<TPropertyEditor> file;
    items->GetProperties([&](std::unique_ptr<TPropertyEditor> child) {
        if (child->GetName() == u"MnFile")
            file = std::move(child);
    });
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->GetValue(), QStringLiteral("File"));
    QStringList held;
    file->GetProperties([&](std::unique_ptr<TPropertyEditor> child) {
        if (dynamic_cast<TNestedObjectProperty*>(child.get()))
            held << child->GetName();
    });
    EXPECT_EQ(held, (QStringList{"MnNew", "MnSave", "MnPrint", "MnFileLine", "MnExit"}));
}
