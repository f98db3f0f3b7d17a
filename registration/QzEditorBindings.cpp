#include "registration/QzEditorBindings.h"

#include "Controls.h"
#include "QzBars.h"
#include "QzButtons.h"
#include "QzComponents.h"
#include "QzContainers.h"
#include "QzEdits.h"
#include "QzGraphicsBase.h"
#include "QzImageControls.h"
#include "QzLabels.h"
#include "QzLists.h"
#include "QzMemos.h"
#include "QzMenus.h"
#include "QzMultiLine.h"
#include "QzNonVisual.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "QzRefs.h"
#include "QzSetEditors.h"
#include "editors/QzControlEditors.h"
#include "editors/QzDataFieldEditors.h"
#include "editors/QzMaskEditors.h"
#include "editors/QzPkgEditors.h"
#include "editors/QzPkgImagesEditors.h"
#include "editors/QzPkgVarsEditors.h"
#include "editors/QzReferenceEditors.h"
#include "editors/QzValueListEditors.h"
#include "editors/QzVariantEditors.h"

namespace {

using S = TQzBindingStep;
using TInitMode = TQzPkgInfo::TQzRegisterInitMode;

// `Editor` for the property `name` of type `Type` on `Component`; `typeName` names a type the
// designer tells apart from its C++ type.
template <typename Component, typename Type, typename Editor>
TQzEditorBinding property(S step, const char* name, const char* typeName = nullptr) {
    return {step, &Component::staticMetaObject, TypeInfoOf<Type>(typeName),
            QString::fromLatin1(name), PropertyEditorClassOf<Editor>()};
}

// `Editor` for every property of type `Type`, on any component.
template <typename Type, typename Editor>
TQzEditorBinding anyProperty(S step) {
    return {step, nullptr, TypeInfoOf<Type>(), QString(), PropertyEditorClassOf<Editor>()};
}

// `Editor` for the components of class `Component`.
template <typename Component, typename Editor>
TQzEditorBinding component(S step) {
    return {step,    &Component::staticMetaObject,    TTypeInfo(), QString(),
            nullptr, ComponentEditorClassOf<Editor>()};
}

} // namespace

const std::vector<TQzEditorBinding>& QzEditorBindings() {
    static const std::vector<TQzEditorBinding> rows{
        // Every multi-line text.
        anyProperty<TQzMultiLine, TQzMultiLinePropertyEditor>(S::Forms),
        // Every edit mask.
        anyProperty<TQzMask, TQzMaskPropertyEditor>(S::Forms),
        // References to package items, display sets and privileges, wherever they are.
        anyProperty<TQzMemoryImage, TQzMemoryImagePropertyEditor>(S::Forms),
        anyProperty<TQzMemoryLabel, TQzMemoryLabelPropertyEditor>(S::Forms),
        anyProperty<TQzMemoryMessage, TQzMemoryMessagePropertyEditor>(S::Forms),
        anyProperty<TQzMemoryText, TQzMemoryTextPropertyEditor>(S::Forms),
        anyProperty<TQzSetFont, TQzSetFontProperty>(S::Forms),
        anyProperty<TQzSetBackGround, TQzSetBackGroundProperty>(S::Forms),
        anyProperty<TQzSetColor, TQzSetColorProperty>(S::Forms),
        anyProperty<TQzPrivilege, TQzPrivilegeProperty>(S::Forms),
        // The pen's width; the application component's package and the form's buttons.
        property<TQzPen, int, TQzWideProperty>(S::Forms, "Width"),
        property<TQzCForm, QString, TQzPkgVarsPkgVarsProperty>(S::Forms, "PkgVars"),
        property<TQzCForm, TControl, TQzMainBtnPropertyEditor>(S::Forms, "BtnOk"),
        property<TQzCForm, TControl, TQzMainBtnPropertyEditor>(S::Forms, "BtnCancel"),
        property<TQzCForm, TCollection, TQzCollectionPropertyEditor>(S::Forms, "DataSources"),
        // The menus: their menus editor and item properties.
        component<TQzMainMenu, TQzMainMenuComponentEditor>(S::Menus),
        property<TQzMainMenu, TQzMenuItem, TQzMainMenuPropertyEditor>(S::Menus, "Items"),
        property<TQzMainMenu, TQzMenuItem, TQzMainMenuWindowsListEditor>(S::Menus, "WindowsList"),
        component<TQzPopupMenu, TQzPopupMenuComponentEditor>(S::Menus),
        property<TQzPopupMenu, TQzMenuItem, TQzPopupMenuPropertyEditor>(S::Menus, "Items"),
        component<TQzPanelMenu, TQzPanelMenuComponentEditor>(S::Menus),
        property<TQzPanelMenu, TQzMenuItem, TQzPanelMenuPropertyEditor>(S::Menus, "Items"),
        property<TQzPanelMenu, TQzMenuItem, TQzPanelMenuWindowsListEditor>(S::Menus, "WindowsList"),
        // Values of the standard controls.
        property<TQzLabel, QVariant, TQzLabelVariantPropertyEditor>(S::Edits, "Value"),
        property<TQzEdit, QVariant, TQzEditVariantPropertyEditor>(S::Edits, "Value"),
        property<TQzUpDownEx, QVariant, TQzUpDownExMaxVariantPropertyEditor>(S::Controls, "Max"),
        property<TQzUpDownEx, QVariant, TQzUpDownExMinVariantPropertyEditor>(S::Controls, "Min"),
        property<TQzUpDownEx, QVariant, TQzUpDownExPositionVariantPropertyEditor>(S::Controls,
                                                                                  "Position"),
        property<TQzComboBox, QVariant, TQzEditVariantPropertyEditor>(S::Controls, "Value"),
        property<TQzComboBox, TQzCollection, TQzCollectionPropertyEditor>(S::Controls, ""),
        property<TQzListBox, QVariant, TQzListBoxVariantPropertyEditor>(S::Controls, "Value"),
        property<TQzListBox, TQzCollection, TQzCollectionPropertyEditor>(S::Controls, ""),
        property<TQzRichEdit, TStrings, TQzRichEditPropertyEditor>(S::Controls, "Lines"),
        property<TQzImage, QString, TQzImageGraphicClassProperty>(S::Controls, "GraphicClass"),
        property<TQzFocusImage, QString, TQzImageGraphicClassProperty>(S::Controls, "GraphicClass"),
        property<TQzRadioGroup, QVariant, TQzRadioGroupVariantPropertyEditor>(S::Controls, "Value"),
        property<TQzRadioGroup, TQzCollection, TQzCollectionPropertyEditor>(S::Controls, ""),
        property<TQzCheckBox, QVariant, TQzCheckBoxVariantPropertyEditor>(S::Controls, "Value"),
        property<TQzRadioButton, QVariant, TQzRadioButtonVariantPropertyEditor>(S::Controls,
                                                                                "Value"),
        property<TQzBitBtn, int, TQzModalResultProperty>(S::Controls, "ModalResult",
                                                         "TModalResult"),
        property<TQzSpeedButton, int, TQzModalResultProperty>(S::Controls, "ModalResult",
                                                              "TModalResult"),
        property<TQzDbBitBtn, TQzCollection, TQzCollectionPropertyEditor>(S::Controls, ""),
        property<TQzDbSpeedButton, TQzCollection, TQzCollectionPropertyEditor>(S::Controls, ""),
        property<TQzDbPkgImage, QString, TQzImagePkgNameProperty>(S::Controls, "PkgName"),
        // The packages: their component editors, file names and init modes.
        component<TQzPkgImages, TQzPkgImagesComponentEditor>(S::Controls),
        property<TQzPkgImages, QString, TQzPkgImagesFileNameProperty>(S::Controls, "FileName"),
        property<TQzPkgImages, TInitMode, TQzPkgInitModeProperty>(S::Controls, "InitMode"),
        component<TQzPkgStrings, TQzPkgStringsComponentEditor>(S::Controls),
        property<TQzPkgStrings, QString, TQzPkgStringsFileNameProperty>(S::Controls, "FileName"),
        property<TQzPkgStrings, TInitMode, TQzPkgInitModeProperty>(S::Controls, "InitMode"),
        component<TQzPkgVars, TQzPkgVarsComponentEditor>(S::Controls),
        property<TQzPkgVars, QString, TQzPkgVarsFileNameProperty>(S::Controls, "FileName"),
        property<TQzPkgVars, TInitMode, TQzPkgInitModeProperty>(S::Controls, "InitMode"),
        // The page controls, status bar, data controls, image bar, set and colour editors and
        // the up-down's associate.
        component<TQzPageControl, TQzPageControlComponentEditor>(S::Pages),
        property<TQzPageControl, QVariant, TQzPageControlVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzPageControl, TQzCollection, TQzCollPageControlPropertyEditor>(S::Pages, ""),
        property<TQzStatusBarPanel, QVariant, TQzStatusBarVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzStatusBar, TQzCollection, TQzCollectionPropertyEditor>(S::Pages, ""),
        property<TQzDbLabel, QString, TQzDataFieldAggProperty>(S::Pages, "DataField"),
        property<TQzDbEdit, QString, TQzDataFieldAggProperty>(S::Pages, "DataField"),
        property<TQzDbComboBox, TQzCollection, TQzCollectionPropertyEditor>(S::Pages, ""),
        property<TQzDbListBox, TQzCollection, TQzCollectionPropertyEditor>(S::Pages, ""),
        property<TQzDbRadioGroup, TQzCollection, TQzCollectionPropertyEditor>(S::Pages, ""),
        property<TQzDbPageControl, TQzCollection, TQzCollectionPropertyEditor>(S::Pages, ""),
        property<TQzDbImage, QString, TQzImageGraphicClassProperty>(S::Pages, "GraphicClass"),
        property<TQzDbFocusImage, QString, TQzImageGraphicClassProperty>(S::Pages, "GraphicClass"),
        property<TQzDbPageControl, QVariant, TQzPageControlVariantPropertyEditor>(S::Pages,
                                                                                  "Value"),
        property<TQzImageBar, TComponent, TQzImageBarImagePropertyEditor>(S::Pages, "Image"),
        property<TQzSetsGroup, TQzCollection, TQzCollectionPropertyEditor>(S::Pages, ""),
        property<TQzLBSetsColor, QVariant, TQzListBoxVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzCBSetsColor, QVariant, TQzEditVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzLBSetsBackGround, QVariant, TQzListBoxVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzCBSetsBackGround, QVariant, TQzEditVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzLBSetsFont, QVariant, TQzListBoxVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzCBSetsFont, QVariant, TQzEditVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzLBPkgImages, QVariant, TQzListBoxVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzCBPkgImages, QVariant, TQzEditVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzLBColors, QVariant, TQzListBoxVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzCBColors, QVariant, TQzEditVariantPropertyEditor>(S::Pages, "Value"),
        property<TQzUpDown, TWinControl, TQzUpDownAssociatePropertyEditor>(S::Pages, "Associate"),
        // The font combo box's value.
        property<TQzFontComboBox, QVariant, TQzEditVariantPropertyEditor>(S::OutLookBar, "Value"),
    };
    return rows;
}
