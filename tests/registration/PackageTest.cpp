// Loading the design package into the designer host: what it puts on the palette and makes
// streamable, in which order, the hooks it plugs into the runtime, and how unloading takes all of
// it back.

#include "ComponentStreams.h"
#include "Controls.h"
#include "DemoProject.h"
#include "DesignRegistry.h"
#include "QzHooks.h"
#include "QzLabels.h"
#include "QzPaletteBitmaps.h"
#include "registration/QzEditorBindings.h"
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

// The package's registrations other than editor bindings, one line each.
std::vector<std::string> packageRegistrations() {
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
        default:
            break;
        }
    }
    return lines;
}

std::string describe(const QMetaObject* component, const TTypeInfo& type, const QString& name,
                     TPropertyEditorClass property, TComponentEditorClass editor) {
    const std::string owner = component ? component->className() : "any";
    if (editor)
        return std::string("component editor ") + component->className() + " " +
               editor->ClassName.toStdString();
    return type.Name.toStdString() + " " + (component ? component->className() : "any") + "." +
           name.toStdString() + " " + property->ClassName.toStdString();
}

// Where a binding for every property of a type shows: the first registered class with such a
// property, and that property.
std::pair<const QMetaObject*, QMetaProperty> anyPropertyOf(const TTypeInfo& type) {
    for (TClass cls : RegisteredClasses())
        for (int i = 0; i < cls->Meta->propertyCount(); ++i) {
            const QMetaProperty prop = cls->Meta->property(i);
            const QMetaObject* held = prop.metaType().metaObject();
            if (type.Class ? held && held->inherits(type.Class) : prop.metaType() == type.Type)
                return {cls->Meta, prop};
        }
    return {nullptr, QMetaProperty()};
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

// The designer lets later bindings of the same rank win, so the registry must hold the table's
// rows exactly and in order, and each row must reach a property its editor then edits.
TEST_F(Package, BindsTheEditorsOfItsTableInOrder) {
    loadPackage();
    std::vector<std::string> registered, expected;
    for (const TRegistration& r : DesignRegistrations())
        if (r.Module == PackageName && (r.Kind == TRegistrationKind::PropertyEditor ||
                                        r.Kind == TRegistrationKind::ComponentEditor))
            registered.push_back(describe(r.ComponentClass, r.PropertyType, r.PropertyName,
                                          r.PropertyEditorClass, r.ComponentEditorClass));
    for (const TQzEditorBinding& row : QzEditorBindings()) {
        const std::string line = describe(row.ComponentClass, row.PropertyType, row.PropertyName,
                                          row.PropertyEditor, row.ComponentEditor);
        expected.push_back(line);
        if (row.ComponentEditor) {
            EXPECT_EQ(FindComponentEditorClass(row.ComponentClass), row.ComponentEditor) << line;
            continue;
        }
        auto [cls, prop] =
            row.ComponentClass
                ? std::pair(row.ComponentClass,
                            FindPublishedProperty(row.ComponentClass, row.PropertyName))
                : anyPropertyOf(row.PropertyType);
        // A row for any property of a type is checked on the component's property of that type.
        for (int i = 0; row.ComponentClass && row.PropertyName.isEmpty() &&
                        i < row.ComponentClass->propertyCount();
             ++i) {
            const QMetaObject* held = row.ComponentClass->property(i).metaType().metaObject();
            if (held && row.PropertyType.Class && held->inherits(row.PropertyType.Class))
                prop = row.ComponentClass->property(i);
        }
        ASSERT_TRUE(prop.isValid()) << line;
        EXPECT_EQ(FindPropertyEditorClass(cls, prop), row.PropertyEditor) << line;
    }
    EXPECT_EQ(registered, expected);
    EXPECT_EQ(expected.size(), 81u);
}

// The bitmaps are made from a table of their own; every class the package registers needs them.
TEST_F(Package, EveryPaletteClassHasItsBitmapInThreeSizes) {
    loadPackage();
    for (const auto& page : PalettePages())
        for (TClass cls : page.second)
            for (const char* size : {"", "16", "32"})
                EXPECT_FALSE(
                    QzPaletteBitmap(cls->ClassName().toUpper() + QLatin1String(size)).isNull())
                    << cls->ClassName().toStdString() << size;
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
    // The privileges editor and picker open through the exported variables.
    EXPECT_TRUE(ShowPrivileges);
    EXPECT_TRUE(ShowPrivilege);

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
    EXPECT_FALSE(ShowPrivileges);
    EXPECT_FALSE(ShowPrivilege);
}
