#include "EditorsTestSupport.h"

#include "QzPkgInfo.h"
#include "registration/QzRegister.h"

#include <QFile>

void EditorsTest::SetUp() {
    QzRegisterRuntimeClasses();
    QzCreateModalResultNames();
    BeginModuleRegistration(QStringLiteral("test"));
    // The package's own bindings, as the designer gets them.
    Register();
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
