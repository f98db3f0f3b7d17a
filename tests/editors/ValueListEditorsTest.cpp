// Editors that drop down a list of names: what each offers on a real form, and what choosing or
// typing a name stores.

#include "EditorsTestSupport.h"

#include "QzGraphics.h"
#include "SysUtils.h"

using namespace Qt::StringLiterals;

namespace {

using ValueLists = EditorsTest;

QStringList packageNames(void (*actives)(QStringList&)) {
    QStringList names;
    actives(names);
    return names;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Modal results

TEST_F(ValueLists, ModalResultsShowTheirNameAndOtherValuesAsNumbers) {
    auto* button = add<TQzBitBtn>(u"BtOk"_s);
    auto editor = editorOf({button}, u"ModalResult"_s);
    ASSERT_EQ(editorClass(editor.get()), u"TQzModalResultProperty");
    EXPECT_EQ(editor->GetAttributes(),
              TPropertyAttributes(paValueList | paMultiSelect | paSortList | paRevertable));
    const std::pair<int, const char*> shown[] = {
        {0, "mrNone"},    {1, "mrOk"},     {8, "mrClose"}, {9, "mrHelp"}, {17, "mrHelp"},
        {18, "mrDetail"}, {19, "mrClose"}, {20, "20"},     {-1, "-1"},    {1000, "1000"},
    };
    for (const auto& [value, text] : shown) {
        button->FModalResult = value;
        EXPECT_EQ(editor->GetValue(), QString::fromLatin1(text)) << value;
    }
}

TEST_F(ValueLists, ModalResultNamesAndNumbersAreTakenBack) {
    auto* bitBtn = add<TQzBitBtn>(u"BtSave"_s);
    auto* speedBtn = add<TQzSpeedButton>(u"SbSave"_s);
    // Both kinds of button share the line while selected together.
    auto editor = editorOf({bitBtn, speedBtn}, u"ModalResult"_s);
    ASSERT_EQ(editorClass(editor.get()), u"TQzModalResultProperty");

    // The two values that share a name are offered under it once.
    const QStringList names = valuesOf(editor.get());
    ASSERT_EQ(names.size(), 18);
    EXPECT_EQ(names.front(), u"mrNone");
    EXPECT_EQ(names[9], u"mrHelp");
    EXPECT_EQ(names.back(), u"mrDetail");
    EXPECT_EQ(names.count(u"mrHelp"_s), 1);
    EXPECT_EQ(names.count(u"mrClose"_s), 1);

    const std::pair<const char*, int> typed[] = {
        {"mrCancel", 2}, {"MRYESTOALL", 14}, {"mrHelp", 9}, {"mrClose", 8}, {"mrDetail", 18},
        {"", 0},         {"17", 17},         {" -5 ", -5},
    };
    for (const auto& [text, value] : typed) {
        editor->SetValue(QString::fromLatin1(text));
        EXPECT_EQ(bitBtn->FModalResult, value) << text;
        EXPECT_EQ(speedBtn->FModalResult, value) << text;
    }
    EXPECT_THROW(editor->SetValue(u"mrMaybe"_s), EConvertError);
    EXPECT_EQ(bitBtn->FModalResult, -5);
}

// ---------------------------------------------------------------------------------------------
// Pen widths

TEST_F(ValueLists, PenWidthsAreOfferedFromOneToTwenty) {
    auto* shape = add<TQzShape>(u"Shape1"_s);
    auto pen = editorOf({shape}, u"Pen"_s);
    ASSERT_TRUE(pen);
    std::unique_ptr<TPropertyEditor> width;
    pen->GetProperties([&](std::unique_ptr<TPropertyEditor> sub) {
        if (sub->GetName() == u"Width")
            width = std::move(sub);
    });
    ASSERT_EQ(editorClass(width.get()), u"TQzWideProperty");
    EXPECT_EQ(width->GetAttributes(),
              TPropertyAttributes(paValueList | paMultiSelect | paRevertable));
    QStringList expected;
    for (int i = 1; i <= 20; ++i)
        expected << QString::number(i);
    EXPECT_EQ(valuesOf(width.get()), expected);
    width->SetValue(u"12"_s);
    EXPECT_EQ(shape->Pen()->Width(), 12);
    EXPECT_EQ(width->GetValue(), u"12");
    EXPECT_THROW(width->SetValue(u"wide"_s), EConvertError);
}

// ---------------------------------------------------------------------------------------------
// Picture formats, packages and init modes

TEST_F(ValueLists, GraphicClassesAreThePictureFormatsThisMachineReads) {
    auto* image = add<TQzImage>(u"Image1"_s);
    auto* dbFocus = add<TQzDbFocusImage>(u"DbFocusImage1"_s);
    QStringList formats;
    QzFormatGraphics(formats);
    ASSERT_TRUE(formats.contains(u"TPngImage"));
    for (TPersistent* control : QList<TPersistent*>{image, dbFocus}) {
        auto editor = editorOf({control}, u"GraphicClass"_s);
        ASSERT_EQ(editorClass(editor.get()), u"TQzImageGraphicClassProperty");
        EXPECT_TRUE(editor->GetAttributes() & paSortList);
        EXPECT_EQ(valuesOf(editor.get()), formats);
    }
    auto editor = editorOf({image}, u"GraphicClass"_s);
    editor->SetValue(u"TPngImage"_s);
    EXPECT_EQ(image->FGraphicClass, u"TPngImage");
}

TEST_F(ValueLists, PackageNamesAreThoseOfTheLoadedPackages) {
    const QStringList imagesBefore = packageNames(QzPkgImagesActives);
    const QStringList varsBefore = packageNames(QzPkgVarsActives);
    auto* icons = add<TQzPkgImages>(u"Icons"_s);
    auto* photos = add<TQzPkgImages>(u"PkgPhotos"_s);
    photos->SetPkgName(u"Photos"_s);
    add<TQzPkgVars>(u"Settings"_s);
    auto* dbImage = add<TQzDbPkgImage>(u"DbPkgImage1"_s);
    auto* cform = add<TQzCForm>(u"QzCForm1"_s);

    auto pkgName = editorOf({dbImage}, u"PkgName"_s);
    ASSERT_EQ(editorClass(pkgName.get()), u"TQzImagePkgNameProperty");
    EXPECT_EQ(pkgName->GetAttributes(),
              TPropertyAttributes(paValueList | paMultiSelect | paRevertable));
    EXPECT_EQ(valuesOf(pkgName.get()), imagesBefore + QStringList({u"Icons"_s, u"Photos"_s}));
    pkgName->SetValue(u"Photos"_s);
    EXPECT_EQ(dbImage->FPkgName, u"Photos");

    auto pkgVars = editorOf({cform}, u"PkgVars"_s);
    ASSERT_EQ(editorClass(pkgVars.get()), u"TQzPkgVarsPkgVarsProperty");
    EXPECT_EQ(pkgVars->GetAttributes(),
              TPropertyAttributes(paValueList | paMultiSelect | paSortList));
    EXPECT_EQ(valuesOf(pkgVars.get()), varsBefore + QStringList({u"Settings"_s}));

    // A package that is gone is no longer offered.
    delete icons;
    EXPECT_EQ(valuesOf(pkgName.get()), imagesBefore + QStringList({u"Photos"_s}));
}

TEST_F(ValueLists, InitModeIsShownButNotChangedFromTheInspector) {
    auto* strings = add<TQzPkgStrings>(u"Texts"_s);
    auto* images = add<TQzPkgImages>(u"Pictures"_s);
    auto* vars = add<TQzPkgVars>(u"Values"_s);
    images->SetInitMode(TQzPkgInfo::imFILE);
    for (TQzPkgInfo* package : {static_cast<TQzPkgInfo*>(strings), static_cast<TQzPkgInfo*>(images),
                                static_cast<TQzPkgInfo*>(vars)}) {
        SCOPED_TRACE(package->Name().toStdString());
        auto editor = editorOf({package}, u"InitMode"_s);
        ASSERT_EQ(editorClass(editor.get()), u"TQzPkgInitModeProperty");
        EXPECT_EQ(editor->GetAttributes(), TPropertyAttributes(paValueList | paReadOnly));
        EXPECT_EQ(valuesOf(editor.get()), QStringList({u"imDFM"_s, u"imFILE"_s}));
        const auto mode = package->InitMode();
        EXPECT_EQ(editor->GetValue(), mode == TQzPkgInfo::imFILE ? u"imFILE" : u"imDFM");
        editor->SetValue(mode == TQzPkgInfo::imFILE ? u"imDFM"_s : u"imFILE"_s);
        editor->Edit();
        EXPECT_EQ(package->InitMode(), mode);
    }
    EXPECT_FALSE(inspect({strings, images}).count(u"InitMode"_s));
}

// ---------------------------------------------------------------------------------------------
// Components of the form

TEST_F(ValueLists, CloseButtonsAreBitButtonsThenSpeedButtons) {
    auto* speed = add<TQzSpeedButton>(u"SbCancel"_s);
    auto* bit = add<TQzBitBtn>(u"BtOk"_s);
    add<TQzDbBitBtn>(u"BtPost"_s);
    add<TQzEdit>(u"EdName"_s);
    auto* cform = add<TQzCForm>(u"QzCForm1"_s);

    auto editors = inspect({cform});
    for (const QString& name : {u"BtnOk"_s, u"BtnCancel"_s}) {
        SCOPED_TRACE(name.toStdString());
        TPropertyEditor* editor = editors[name].get();
        ASSERT_EQ(editorClass(editor), u"TQzMainBtnPropertyEditor");
        EXPECT_EQ(valuesOf(editor), QStringList({u"BtOk"_s, u"BtPost"_s, u"SbCancel"_s}));
    }
    editors[u"BtnOk"_s]->SetValue(u"BtOk"_s);
    editors[u"BtnCancel"_s]->SetValue(u"SbCancel"_s);
    EXPECT_EQ(cform->BtnOk(), bit);
    EXPECT_EQ(cform->BtnCancel(), speed);
    EXPECT_EQ(editors[u"BtnOk"_s]->GetValue(), u"BtOk");
}

TEST_F(ValueLists, ImageBarsAndUpDownsOfferTheirKindOfControl) {
    add<TQzFocusImage>(u"FocusImage1"_s);
    auto* image = add<TQzImage>(u"Image1"_s);
    add<TQzDbImage>(u"DbImage1"_s);
    auto* edit = add<TQzEdit>(u"Edit1"_s);
    add<TQzComboBox>(u"Combo1"_s);
    add<TQzPanel>(u"Panel1"_s);
    auto* bar = add<TQzImageBar>(u"ImageBar1"_s);
    auto* upDown = add<TQzUpDown>(u"UpDown1"_s);

    auto imageEditor = editorOf({bar}, u"Image"_s);
    ASSERT_EQ(editorClass(imageEditor.get()), u"TQzImageBarImagePropertyEditor");
    EXPECT_EQ(valuesOf(imageEditor.get()),
              QStringList({u"Image1"_s, u"DbImage1"_s, u"FocusImage1"_s}));
    imageEditor->SetValue(u"Image1"_s);
    EXPECT_EQ(bar->Image(), image);

    auto associate = editorOf({upDown}, u"Associate"_s);
    ASSERT_EQ(editorClass(associate.get()), u"TQzUpDownAssociatePropertyEditor");
    EXPECT_EQ(valuesOf(associate.get()), QStringList({u"Edit1"_s, u"Combo1"_s}));
    associate->SetValue(u"Edit1"_s);
    EXPECT_EQ(upDown->Associate(), edit);
}

// ---------------------------------------------------------------------------------------------
// Windows lists

class WindowsList : public EditorsTest {
protected:
    TQzMenuItem* item(TQzMenuItem* parent, const QString& name) {
        auto* created = add<TQzMenuItem>(name);
        parent->Add(created);
        return created;
    }
};

TEST_F(WindowsList, OffersTheMenuItemsOfTheMenuItself) {
    auto* menu = add<TQzMainMenu>(u"MainMenu1"_s);
    auto* popup = add<TQzPopupMenu>(u"PopupMenu1"_s);
    TQzMenuItem* file = item(menu->Items(), u"MnFile"_s);
    item(file, u"MnExit"_s);
    item(popup->Items(), u"PpCopy"_s);
    TQzMenuItem* windows = item(menu->Items(), u"MnWindows"_s);

    auto editor = editorOf({menu}, u"WindowsList"_s);
    ASSERT_EQ(editorClass(editor.get()), u"TQzMainMenuWindowsListEditor");
    EXPECT_EQ(editor->GetAttributes(),
              TPropertyAttributes(paValueList | paSortList | paRevertable));
    EXPECT_EQ(valuesOf(editor.get()), QStringList({u"MnFile"_s, u"MnExit"_s, u"MnWindows"_s}));
    EXPECT_EQ(editor->GetValue(), u"");

    editor->SetValue(u"mnwindows"_s);
    EXPECT_EQ(menu->WindowsList(), windows);
    EXPECT_EQ(editor->GetValue(), u"MnWindows");
    editor->SetValue(QString());
    EXPECT_EQ(menu->WindowsList(), nullptr);
}

TEST_F(WindowsList, RefusesWhatIsNotAMenuItemOfTheMenu) {
    auto* menu = add<TQzMainMenu>(u"MainMenu1"_s);
    auto* popup = add<TQzPopupMenu>(u"PopupMenu1"_s);
    TQzMenuItem* windows = item(menu->Items(), u"MnWindows"_s);
    item(popup->Items(), u"PpCopy"_s);
    auto editor = editorOf({menu}, u"WindowsList"_s);
    editor->SetValue(u"MnWindows"_s);

    EXPECT_THROW(editor->SetValue(u"PopupMenu1"_s), EConvertError);
    EXPECT_THROW(editor->SetValue(u"Form1"_s), EConvertError);
    EXPECT_THROW(editor->SetValue(u"MnMissing"_s), EConvertError);
    EXPECT_THROW(editor->SetValue(u"PpCopy"_s), Exception);
    EXPECT_EQ(menu->WindowsList(), windows);
}

TEST_F(WindowsList, APanelMenuOffersTheItemsOfItsInnerMenu) {
    auto* panel = add<TQzPanelMenu>(u"PanelMenu1"_s);
    auto* menu = add<TQzMainMenu>(u"MainMenu1"_s);
    item(menu->Items(), u"MnHelp"_s);
    TQzMenuItem* windows = item(panel->Items(), u"PmWindows"_s);
    item(windows, u"PmCascade"_s);

    auto editor = editorOf({panel}, u"WindowsList"_s);
    ASSERT_EQ(editorClass(editor.get()), u"TQzPanelMenuWindowsListEditor");
    EXPECT_EQ(valuesOf(editor.get()), QStringList({u"PmWindows"_s, u"PmCascade"_s}));
    editor->SetValue(u"PmWindows"_s);
    EXPECT_EQ(panel->WindowsList(), windows);
    EXPECT_EQ(editor->GetValue(), u"PmWindows");
}
