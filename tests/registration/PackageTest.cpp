// Loading the design package into the designer host: what it puts on the palette and makes
// streamable, in which order, the hooks it plugs into the runtime, and how unloading takes all of
// it back.

#include "Controls.h"
#include "DemoProject.h"
#include "DesignRegistry.h"
#include "QzHooks.h"
#include "QzLabels.h"
#include "QzPaletteBitmaps.h"
#include "registration/QzPackage.h"

#include <string>
#include <vector>

namespace {

const QString PackageName = QStringLiteral("dclQzCtrls_19");

std::string names(const QList<TClass>& classes) {
    QStringList list;
    for (TClass cls : classes)
        list << cls->ClassName();
    return list.join(QStringLiteral(", ")).toStdString();
}

// The package's registrations, one line each; editor bindings only when asked.
std::vector<std::string> packageRegistrations(bool withBindings = false) {
    std::vector<std::string> lines;
    for (const TRegistration& r : DesignRegistrations()) {
        if (r.Module != PackageName)
            continue;
        switch (r.Kind) {
        case TRegistrationKind::Components:
            lines.push_back(r.Page.toStdString() + ": " + names(r.Classes));
            break;
        case TRegistrationKind::NoIcon:
            lines.push_back("no icon: " + names(r.Classes));
            break;
        case TRegistrationKind::Class:
            lines.push_back("class: " + names(r.Classes));
            break;
        case TRegistrationKind::GroupDescendents:
            lines.push_back("group: " + names(r.Classes) + " with " + r.GroupClass->className());
            break;
        case TRegistrationKind::PropertyEditor:
            if (withBindings)
                lines.push_back(r.PropertyType.Name.toStdString() + " " +
                                (r.ComponentClass ? r.ComponentClass->className() : "any") + "." +
                                (r.PropertyName.isEmpty() ? "any" : r.PropertyName.toStdString()) +
                                " " + r.PropertyEditorClass->ClassName.toStdString());
            break;
        case TRegistrationKind::ComponentEditor:
            if (withBindings)
                lines.push_back(std::string("component editor ") + r.ComponentClass->className() +
                                " " + r.ComponentEditorClass->ClassName.toStdString());
            break;
        }
    }
    return lines;
}

} // namespace

using Package = DemoProject;

TEST_F(Package, RegistersThePaletteAndTheClassesFormsNeedInOrder) {
    loadPackage();
    EXPECT_EQ(FHost->LoadedPackages(), QStringList{PackageName});

    const std::vector<std::string> expected{
        "Qz Standard: TQzCApplication, TQzCForm, TQzMainMenu, TQzPopupMenu, TQzLabel, TQzEdit, "
        "TQzComboBox, TQzListBox, TQzMemo, TQzRichEdit, TQzImage, TQzFocusImage, TQzCheckBox, "
        "TQzRadioButton, TQzGroupBox, TQzRadioGroup, TQzPanel, TQzScrollBox, TQzPageControl, "
        "TQzBitBtn, TQzSpeedButton, TQzPkgImage, TQzShape, TQzUpDown, TQzUpDownEx",
        "Qz Additional: TQzPkgImages, TQzPkgStrings, TQzPkgVars, TQzMemoBar, TQzRichEditBar, "
        "TQzImageBar, TQzStatusBar, TQzSplitter, TQzProgressBar, TQzTimer, TQzThreadTimer, "
        "TQzImageForm, TQzMoveForm, TQzPanelMenu, TQzOutLookBar, TQzPkgPrivileges, "
        "TQzLBPrivileges, TQzSetsGroup, TQzRuler, TQzCBuffer, TQzFontComboBox, TQzFontListBox, "
        "TQzExtScrollBar, TQzCFrame",
        "Qz Data Controls: TQzDbLabel, TQzDbEdit, TQzDbComboBox, TQzDbListBox, TQzDbMemo, "
        "TQzDbRichEdit, TQzDbImage, TQzDbFocusImage, TQzDbCheckBox, TQzDbRadioGroup, "
        "TQzDbPageControl, TQzDbNavigator, TQzDbBitBtn, TQzDbSpeedButton, TQzDbPkgImage",
        "Qz Editors: TQzLBSetsColor, TQzCBSetsColor, TQzLBSetsBackGround, TQzCBSetsBackGround, "
        "TQzLBSetsFont, TQzCBSetsFont, TQzLBPkgImages, TQzCBPkgImages, TQzLBColors, TQzCBColors, "
        "TQzCBPrinters, TQzPkgImagesAdd, TQzPkgImagesDesignRgn",
        "no icon: TQzMenuItem",
        "class: TQzMenuItem",
        "group: TQzMenuItem with TControl",
        "group: TQzEditBtns with TControl",
        "class: TQzTabSheet",
        "class: TQzOutLookBarPage",
    };
    EXPECT_EQ(packageRegistrations(), expected);

    for (const QString& name : {QStringLiteral("TQzMenuItem"), QStringLiteral("TQzTabSheet"),
                                QStringLiteral("TQzOutLookBarPage"), QStringLiteral("TQzLabel")})
        EXPECT_NE(GetClass(name), nullptr) << name.toStdString();
}

// Each binding sits in its place among the other registrations: later bindings of the same rank
// win, so the order is part of what the package tells the designer.
TEST_F(Package, BindsEditorsInTheirPlacesAmongTheRegistrations) {
    loadPackage();
    std::vector<std::string> all = packageRegistrations(true);
    std::erase_if(all, [](const std::string& line) { return line.find("Qz ") == 0; });
    const std::vector<std::string> expected{
        "Integer TQzPen.Width TQzWideProperty",
        "string TQzCForm.PkgVars TQzPkgVarsPkgVarsProperty",
        "TControl TQzCForm.BtnOk TQzMainBtnPropertyEditor",
        "TControl TQzCForm.BtnCancel TQzMainBtnPropertyEditor",
        "no icon: TQzMenuItem",
        "class: TQzMenuItem",
        "TQzMenuItem TQzMainMenu.WindowsList TQzMainMenuWindowsListEditor",
        "TQzMenuItem TQzPanelMenu.WindowsList TQzPanelMenuWindowsListEditor",
        "group: TQzMenuItem with TControl",
        "Variant TQzLabel.Value TQzLabelVariantPropertyEditor",
        "Variant TQzEdit.Value TQzEditVariantPropertyEditor",
        "group: TQzEditBtns with TControl",
        "Variant TQzUpDownEx.Max TQzUpDownExMaxVariantPropertyEditor",
        "Variant TQzUpDownEx.Min TQzUpDownExMinVariantPropertyEditor",
        "Variant TQzUpDownEx.Position TQzUpDownExPositionVariantPropertyEditor",
        "Variant TQzComboBox.Value TQzEditVariantPropertyEditor",
        "Variant TQzListBox.Value TQzListBoxVariantPropertyEditor",
        "string TQzImage.GraphicClass TQzImageGraphicClassProperty",
        "string TQzFocusImage.GraphicClass TQzImageGraphicClassProperty",
        "Variant TQzRadioGroup.Value TQzRadioGroupVariantPropertyEditor",
        "Variant TQzCheckBox.Value TQzCheckBoxVariantPropertyEditor",
        "Variant TQzRadioButton.Value TQzRadioButtonVariantPropertyEditor",
        "TModalResult TQzBitBtn.ModalResult TQzModalResultProperty",
        "TModalResult TQzSpeedButton.ModalResult TQzModalResultProperty",
        "string TQzDbPkgImage.PkgName TQzImagePkgNameProperty",
        "TQzRegisterInitMode TQzPkgImages.InitMode TQzPkgInitModeProperty",
        "TQzRegisterInitMode TQzPkgStrings.InitMode TQzPkgInitModeProperty",
        "TQzRegisterInitMode TQzPkgVars.InitMode TQzPkgInitModeProperty",
        "class: TQzTabSheet",
        "Variant TQzPageControl.Value TQzPageControlVariantPropertyEditor",
        "Variant TQzStatusBarPanel.Value TQzStatusBarVariantPropertyEditor",
        "string TQzDbLabel.DataField TQzDataFieldAggProperty",
        "string TQzDbEdit.DataField TQzDataFieldAggProperty",
        "string TQzDbImage.GraphicClass TQzImageGraphicClassProperty",
        "string TQzDbFocusImage.GraphicClass TQzImageGraphicClassProperty",
        "Variant TQzDbPageControl.Value TQzPageControlVariantPropertyEditor",
        "TComponent TQzImageBar.Image TQzImageBarImagePropertyEditor",
        "Variant TQzLBSetsColor.Value TQzListBoxVariantPropertyEditor",
        "Variant TQzCBSetsColor.Value TQzEditVariantPropertyEditor",
        "Variant TQzLBSetsBackGround.Value TQzListBoxVariantPropertyEditor",
        "Variant TQzCBSetsBackGround.Value TQzEditVariantPropertyEditor",
        "Variant TQzLBSetsFont.Value TQzListBoxVariantPropertyEditor",
        "Variant TQzCBSetsFont.Value TQzEditVariantPropertyEditor",
        "Variant TQzLBPkgImages.Value TQzListBoxVariantPropertyEditor",
        "Variant TQzCBPkgImages.Value TQzEditVariantPropertyEditor",
        "Variant TQzLBColors.Value TQzListBoxVariantPropertyEditor",
        "Variant TQzCBColors.Value TQzEditVariantPropertyEditor",
        "TWinControl TQzUpDown.Associate TQzUpDownAssociatePropertyEditor",
        "class: TQzOutLookBarPage",
        "Variant TQzFontComboBox.Value TQzEditVariantPropertyEditor",
    };
    EXPECT_EQ(all, expected);
}

TEST_F(Package, EveryPaletteClassHasItsBitmapInThreeSizes) {
    loadPackage();
    int classes = 0;
    for (const auto& page : PalettePages()) {
        for (TClass cls : page.second) {
            ++classes;
            const QString name = cls->ClassName().toUpper();
            EXPECT_EQ(QzPaletteBitmap(name).size(), QSize(24, 24)) << name.toStdString();
            EXPECT_EQ(QzPaletteBitmap(name + QStringLiteral("16")).size(), QSize(16, 16))
                << name.toStdString();
            EXPECT_EQ(QzPaletteBitmap(name + QStringLiteral("32")).size(), QSize(32, 32))
                << name.toStdString();
        }
    }
    EXPECT_EQ(classes, 77);
}

TEST_F(Package, LoadPlugsTheDesignerInAndUnloadTakesItOut) {
    openProject();
    loadPackage();
    TQzFormDesigner* designer = FHost->OpenForm(path(QStringLiteral("Main.pas")));
    TComponent* root = designer->GetRoot();

    EXPECT_TRUE(QzDesignMode);
    EXPECT_EQ(QzDsgnGetProyectName(), FDir.path() + u'/');
    auto* label = new TQzLabel(root);
    QzDsgnCreateUniqueName(label);
    EXPECT_FALSE(label->Name().isEmpty());
    // Nothing opens privileges until the editor and the picker exist.
    EXPECT_FALSE(ShowPrivileges);
    EXPECT_FALSE(ShowPrivilege);

    FHost->UnloadPackages();
    EXPECT_TRUE(FHost->LoadedPackages().isEmpty());
    EXPECT_TRUE(packageRegistrations().empty());
    EXPECT_TRUE(PalettePages().isEmpty());

    // The runtime is back to working as outside the designer.
    EXPECT_FALSE(QzDesignMode);
    EXPECT_EQ(QzDsgnGetProyectName(), QString());
    auto* other = new TQzLabel(root);
    QzDsgnCreateUniqueName(other);
    EXPECT_TRUE(other->Name().isEmpty());
    QzDsgnModified(root);
    EXPECT_FALSE(designer->IsModified());
    EXPECT_EQ(QzDsgnCreateComponent(root, ClassOf<TQzLabel>(), root), nullptr);
    EXPECT_FALSE(QzDsgnSelectComponent);
    EXPECT_FALSE(QzDsgnCreateMethodMenuClick);
}
