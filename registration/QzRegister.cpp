#include "registration/QzRegister.h"

#include "Controls.h"
#include "DesignRegistry.h"
#include "QzBars.h"
#include "QzButtons.h"
#include "QzComponents.h"
#include "QzContainers.h"
#include "QzEdits.h"
#include "QzGraphicsBase.h"
#include "QzImageControls.h"
#include "QzLabels.h"
#include "QzLists.h"
#include "QzMenus.h"
#include "QzNonVisual.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "QzSetEditors.h"
#include "editors/QzDataFieldEditors.h"
#include "editors/QzValueListEditors.h"
#include "editors/QzVariantEditors.h"

// The order matters to the designer: a later binding of the same rank wins, and every component
// editor comes before the property bindings of its class.
void Register() {
    // 1. The palette: four pages, each in its order.
    for (const TQzPalettePage& page : QzPaletteClasses())
        RegisterComponents(page.Name, page.Classes);

    // 2. Editors of the reference and set types on any component, then the pen's width.
    RegisterPropertyEditor(TypeInfoOf<int>(), &TQzPen::staticMetaObject, "Width",
                           PropertyEditorClassOf<TQzWideProperty>());

    // 3. The application component's editor, its package and path properties, and the form's.
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzCForm::staticMetaObject, "PkgVars",
                           PropertyEditorClassOf<TQzPkgVarsPkgVarsProperty>());
    RegisterPropertyEditor(TypeInfoOf<TControl>(), &TQzCForm::staticMetaObject, "BtnOk",
                           PropertyEditorClassOf<TQzMainBtnPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<TControl>(), &TQzCForm::staticMetaObject, "BtnCancel",
                           PropertyEditorClassOf<TQzMainBtnPropertyEditor>());

    // 4. Menu items live inside menus: no palette place, but forms holding them must stream.
    RegisterNoIcon({ClassOf<TQzMenuItem>()});
    RegisterDesignClass(ClassOf<TQzMenuItem>());

    // 5. The menus' component editors and their item properties.
    RegisterPropertyEditor(TypeInfoOf<TQzMenuItem>(), &TQzMainMenu::staticMetaObject, "WindowsList",
                           PropertyEditorClassOf<TQzMainMenuWindowsListEditor>());
    RegisterPropertyEditor(TypeInfoOf<TQzMenuItem>(), &TQzPanelMenu::staticMetaObject,
                           "WindowsList", PropertyEditorClassOf<TQzPanelMenuWindowsListEditor>());

    // 6. Menu items go wherever controls go.
    GroupDescendentsWith(ClassOf<TQzMenuItem>(), &TControl::staticMetaObject);

    // 7. Values of the standard controls; the edit buttons go wherever controls go.
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzLabel::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzLabelVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzEdit::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzEditVariantPropertyEditor>());
    GroupDescendentsWith(ClassOf<TQzEditBtns>(), &TControl::staticMetaObject);
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzUpDownEx::staticMetaObject, "Max",
                           PropertyEditorClassOf<TQzUpDownExMaxVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzUpDownEx::staticMetaObject, "Min",
                           PropertyEditorClassOf<TQzUpDownExMinVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzUpDownEx::staticMetaObject, "Position",
                           PropertyEditorClassOf<TQzUpDownExPositionVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzComboBox::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzEditVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzListBox::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzListBoxVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzImage::staticMetaObject, "GraphicClass",
                           PropertyEditorClassOf<TQzImageGraphicClassProperty>());
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzFocusImage::staticMetaObject, "GraphicClass",
                           PropertyEditorClassOf<TQzImageGraphicClassProperty>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzRadioGroup::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzRadioGroupVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzCheckBox::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzCheckBoxVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzRadioButton::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzRadioButtonVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<int>("TModalResult"), &TQzBitBtn::staticMetaObject,
                           "ModalResult", PropertyEditorClassOf<TQzModalResultProperty>());
    RegisterPropertyEditor(TypeInfoOf<int>("TModalResult"), &TQzSpeedButton::staticMetaObject,
                           "ModalResult", PropertyEditorClassOf<TQzModalResultProperty>());
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzDbPkgImage::staticMetaObject, "PkgName",
                           PropertyEditorClassOf<TQzImagePkgNameProperty>());

    // 8. The packages' component editors, file names and init modes.
    RegisterPropertyEditor(TypeInfoOf<TQzPkgInfo::TQzRegisterInitMode>(),
                           &TQzPkgImages::staticMetaObject, "InitMode",
                           PropertyEditorClassOf<TQzPkgInitModeProperty>());
    RegisterPropertyEditor(TypeInfoOf<TQzPkgInfo::TQzRegisterInitMode>(),
                           &TQzPkgStrings::staticMetaObject, "InitMode",
                           PropertyEditorClassOf<TQzPkgInitModeProperty>());
    RegisterPropertyEditor(TypeInfoOf<TQzPkgInfo::TQzRegisterInitMode>(),
                           &TQzPkgVars::staticMetaObject, "InitMode",
                           PropertyEditorClassOf<TQzPkgInitModeProperty>());

    // 9. Tab sheets stream with their page control; then the page controls, status bar, data
    // controls, image bar, set and colour editors and the up-down's associate.
    RegisterDesignClasses({ClassOf<TQzTabSheet>()});
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzPageControl::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzPageControlVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzStatusBarPanel::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzStatusBarVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzDbLabel::staticMetaObject, "DataField",
                           PropertyEditorClassOf<TQzDataFieldAggProperty>());
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzDbEdit::staticMetaObject, "DataField",
                           PropertyEditorClassOf<TQzDataFieldAggProperty>());
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzDbImage::staticMetaObject, "GraphicClass",
                           PropertyEditorClassOf<TQzImageGraphicClassProperty>());
    RegisterPropertyEditor(TypeInfoOf<QString>(), &TQzDbFocusImage::staticMetaObject,
                           "GraphicClass", PropertyEditorClassOf<TQzImageGraphicClassProperty>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzDbPageControl::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzPageControlVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<TComponent>(), &TQzImageBar::staticMetaObject, "Image",
                           PropertyEditorClassOf<TQzImageBarImagePropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzLBSetsColor::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzListBoxVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzCBSetsColor::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzEditVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzLBSetsBackGround::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzListBoxVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzCBSetsBackGround::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzEditVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzLBSetsFont::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzListBoxVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzCBSetsFont::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzEditVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzLBPkgImages::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzListBoxVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzCBPkgImages::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzEditVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzLBColors::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzListBoxVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzCBColors::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzEditVariantPropertyEditor>());
    RegisterPropertyEditor(TypeInfoOf<TWinControl>(), &TQzUpDown::staticMetaObject, "Associate",
                           PropertyEditorClassOf<TQzUpDownAssociatePropertyEditor>());

    // 10. Outlook bar pages stream with their bar; then the bar's and the page's editors and the
    // font combo box's value.
    RegisterDesignClasses({ClassOf<TQzOutLookBarPage>()});
    RegisterPropertyEditor(TypeInfoOf<QVariant>(), &TQzFontComboBox::staticMetaObject, "Value",
                           PropertyEditorClassOf<TQzEditVariantPropertyEditor>());
}
