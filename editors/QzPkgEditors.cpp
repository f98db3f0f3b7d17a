#include "editors/QzPkgEditors.h"

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgStrings.h"
#include "packages/QzPkgActive.h"
#include "packages/QzPkgStringsEditor.h"

namespace {

void editStrings(TQzPkgStrings* pkg) {
    if (!pkg)
        return;
    TFrPkgStrings editor;
    editor.Pkg = pkg;
    editor.Execute();
}

} // namespace

QString QzPkgFileNameValue(const TQzPkgInfo& pkg) {
    const QString mode = pkg.IsFileStored() ? QStringLiteral("(FILE)") : QStringLiteral("(DFM)");
    return pkg.FileName().isEmpty() ? mode : pkg.FileName() + u' ' + mode;
}

// ---------------------------------------------------------------------------------------------
// The package components

void TQzPkgComponentEditor::Edit() {
    QzCAppRequired();
    EditPackage();
}

// One list window of the kind for the life of the package, made on first use.
void TQzPkgComponentEditor::ExecuteVerb(int index) {
    if (index != 0)
        return;
    auto* window = qobject_cast<TFrPkgActive*>(ListWindow().data());
    if (!window) {
        window = new TFrPkgActive;
        ListWindow() = window;
    }
    window->Execute(Component());
}

QString TQzPkgComponentEditor::GetVerb(int index) {
    return index == 0 ? QStringLiteral("View &Package List") : QString();
}

int TQzPkgComponentEditor::GetVerbCount() {
    return 1;
}

TPropertyAttributes TQzPkgFileNameProperty::GetAttributes() {
    return paDialog | paReadOnly | paRevertable;
}

QString TQzPkgFileNameProperty::GetValue() {
    const auto* pkg = qobject_cast<const TQzPkgInfo*>(GetComponent(0));
    return pkg ? QzPkgFileNameValue(*pkg) : TStringProperty::GetValue();
}

// ---------------------------------------------------------------------------------------------
// Strings

void TQzPkgStringsComponentEditor::EditPackage() {
    editStrings(qobject_cast<TQzPkgStrings*>(Component()));
}

QPointer<QObject>& TQzPkgStringsComponentEditor::ListWindow() const {
    return FrPkgStringsActive;
}

bool TQzPkgStringsFileNameProperty::ExecuteDialog() {
    editStrings(qobject_cast<TQzPkgStrings*>(GetComponent(0)));
    return false;
}
