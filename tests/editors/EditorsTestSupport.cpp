#include "EditorsTestSupport.h"

#include "QzPkgInfo.h"

#include <QFile>

void EditorsTest::SetUp() {
    QzRegisterRuntimeClasses();
    QzCreateModalResultNames();
    BeginModuleRegistration(QStringLiteral("test"));
    RegisterEditorBindings();
    BeginModuleRegistration(QString());

    ASSERT_TRUE(FDir.isValid());
    QzSetAppPath(FDir.path());
    QFile form(path(QStringLiteral("Unit1.dfm")));
    ASSERT_TRUE(form.open(QIODevice::WriteOnly));
    form.write("object Form1: TForm\n  Width = 400\n  Height = 300\nend\n");
    form.close();
    FDesigner = std::make_unique<TQzFormDesigner>(nullptr, path(QStringLiteral("Unit1.pas")));
    QObject::connect(FDesigner.get(), &TQzFormDesigner::DesignModified, [this] { ++FModified; });
}

void EditorsTest::TearDown() {
    FDesigner.reset();
    QzSetAppPath(QString());
    UnregisterModule(QStringLiteral("test"));
    QzFreeModalResultNames();
}

IDesigner* EditorsTest::designer() const {
    return FDesigner.get();
}

TComponent* EditorsTest::root() const {
    return FDesigner->GetRoot();
}

std::map<QString, std::unique_ptr<TPropertyEditor>>
EditorsTest::inspect(const QList<TPersistent*>& selection) {
    designer()->SetSelections(selection);
    std::map<QString, std::unique_ptr<TPropertyEditor>> editors;
    GetComponentProperties(designer(), selection, [&](std::unique_ptr<TPropertyEditor> editor) {
        const QString name = editor->GetName();
        editors[name] = std::move(editor);
    });
    return editors;
}

std::unique_ptr<TPropertyEditor> EditorsTest::editorOf(const QList<TPersistent*>& selection,
                                                       const QString& property) {
    auto editors = inspect(selection);
    const auto found = editors.find(property);
    return found == editors.end() ? nullptr : std::move(found->second);
}

QString EditorsTest::editorClass(TPropertyEditor* editor) {
    return editor ? DemangledClassName(typeid(*editor)) : QStringLiteral("(none)");
}

QStringList EditorsTest::valuesOf(TPropertyEditor* editor) {
    QStringList values;
    editor->GetValues([&](const QString& value) { values << value; });
    return values;
}

namespace {

template <typename Editor>
void bind(const TTypeInfo& type, const QMetaObject& componentClass, const char* property) {
    RegisterPropertyEditor(type, &componentClass, QString::fromLatin1(property),
                           PropertyEditorClassOf<Editor>());
}

} // namespace

void RegisterEditorBindings() {
    const TTypeInfo integer = TypeInfoOf<int>();
    const TTypeInfo string = TypeInfoOf<QString>();
    const TTypeInfo variant = TypeInfoOf<QVariant>();
    const TTypeInfo control = TypeInfoOf<TControl>();
    const TTypeInfo menuItem = TypeInfoOf<TQzMenuItem>();
    const TTypeInfo modalResult = TypeInfoOf<int>("TModalResult");
    const TTypeInfo initMode = TypeInfoOf<TQzPkgInfo::TQzRegisterInitMode>();

    bind<TQzWideProperty>(integer, TQzPen::staticMetaObject, "Width");
    bind<TQzPkgVarsPkgVarsProperty>(string, TQzCForm::staticMetaObject, "PkgVars");
    bind<TQzMainBtnPropertyEditor>(control, TQzCForm::staticMetaObject, "BtnOk");
    bind<TQzMainBtnPropertyEditor>(control, TQzCForm::staticMetaObject, "BtnCancel");
    bind<TQzMainMenuWindowsListEditor>(menuItem, TQzMainMenu::staticMetaObject, "WindowsList");
    bind<TQzPanelMenuWindowsListEditor>(menuItem, TQzPanelMenu::staticMetaObject, "WindowsList");
    bind<TQzLabelVariantPropertyEditor>(variant, TQzLabel::staticMetaObject, "Value");
    bind<TQzEditVariantPropertyEditor>(variant, TQzEdit::staticMetaObject, "Value");
    bind<TQzUpDownExMaxVariantPropertyEditor>(variant, TQzUpDownEx::staticMetaObject, "Max");
    bind<TQzUpDownExMinVariantPropertyEditor>(variant, TQzUpDownEx::staticMetaObject, "Min");
    bind<TQzUpDownExPositionVariantPropertyEditor>(variant, TQzUpDownEx::staticMetaObject,
                                                   "Position");
    bind<TQzEditVariantPropertyEditor>(variant, TQzComboBox::staticMetaObject, "Value");
    bind<TQzListBoxVariantPropertyEditor>(variant, TQzListBox::staticMetaObject, "Value");
    bind<TQzImageGraphicClassProperty>(string, TQzImage::staticMetaObject, "GraphicClass");
    bind<TQzImageGraphicClassProperty>(string, TQzFocusImage::staticMetaObject, "GraphicClass");
    bind<TQzRadioGroupVariantPropertyEditor>(variant, TQzRadioGroup::staticMetaObject, "Value");
    bind<TQzCheckBoxVariantPropertyEditor>(variant, TQzCheckBox::staticMetaObject, "Value");
    bind<TQzRadioButtonVariantPropertyEditor>(variant, TQzRadioButton::staticMetaObject, "Value");
    bind<TQzModalResultProperty>(modalResult, TQzBitBtn::staticMetaObject, "ModalResult");
    bind<TQzModalResultProperty>(modalResult, TQzSpeedButton::staticMetaObject, "ModalResult");
    bind<TQzImagePkgNameProperty>(string, TQzDbPkgImage::staticMetaObject, "PkgName");
    bind<TQzPkgInitModeProperty>(initMode, TQzPkgImages::staticMetaObject, "InitMode");
    bind<TQzPkgInitModeProperty>(initMode, TQzPkgStrings::staticMetaObject, "InitMode");
    bind<TQzPkgInitModeProperty>(initMode, TQzPkgVars::staticMetaObject, "InitMode");
    bind<TQzPageControlVariantPropertyEditor>(variant, TQzPageControl::staticMetaObject, "Value");
    bind<TQzStatusBarVariantPropertyEditor>(variant, TQzStatusBarPanel::staticMetaObject, "Value");
    bind<TQzDataFieldAggProperty>(string, TQzDbLabel::staticMetaObject, "DataField");
    bind<TQzDataFieldAggProperty>(string, TQzDbEdit::staticMetaObject, "DataField");
    bind<TQzImageGraphicClassProperty>(string, TQzDbImage::staticMetaObject, "GraphicClass");
    bind<TQzImageGraphicClassProperty>(string, TQzDbFocusImage::staticMetaObject, "GraphicClass");
    bind<TQzPageControlVariantPropertyEditor>(variant, TQzDbPageControl::staticMetaObject, "Value");
    bind<TQzImageBarImagePropertyEditor>(TypeInfoOf<TComponent>(), TQzImageBar::staticMetaObject,
                                         "Image");
    bind<TQzListBoxVariantPropertyEditor>(variant, TQzLBSetsColor::staticMetaObject, "Value");
    bind<TQzEditVariantPropertyEditor>(variant, TQzCBSetsColor::staticMetaObject, "Value");
    bind<TQzListBoxVariantPropertyEditor>(variant, TQzLBSetsBackGround::staticMetaObject, "Value");
    bind<TQzEditVariantPropertyEditor>(variant, TQzCBSetsBackGround::staticMetaObject, "Value");
    bind<TQzListBoxVariantPropertyEditor>(variant, TQzLBSetsFont::staticMetaObject, "Value");
    bind<TQzEditVariantPropertyEditor>(variant, TQzCBSetsFont::staticMetaObject, "Value");
    bind<TQzListBoxVariantPropertyEditor>(variant, TQzLBPkgImages::staticMetaObject, "Value");
    bind<TQzEditVariantPropertyEditor>(variant, TQzCBPkgImages::staticMetaObject, "Value");
    bind<TQzListBoxVariantPropertyEditor>(variant, TQzLBColors::staticMetaObject, "Value");
    bind<TQzEditVariantPropertyEditor>(variant, TQzCBColors::staticMetaObject, "Value");
    bind<TQzUpDownAssociatePropertyEditor>(TypeInfoOf<TWinControl>(), TQzUpDown::staticMetaObject,
                                           "Associate");
    bind<TQzEditVariantPropertyEditor>(variant, TQzFontComboBox::staticMetaObject, "Value");
}
