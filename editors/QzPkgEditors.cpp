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

TPropertyAttributes TQzPkgFileNameProperty::GetAttributes() {
    return paDialog | paReadOnly | paRevertable;
}

QString TQzPkgFileNameProperty::GetValue() {
    const auto* pkg = qobject_cast<const TQzPkgInfo*>(GetComponent(0));
    if (!pkg)
        return TStringProperty::GetValue();
    const QString file = pkg->FileName();
    return (file.isEmpty() ? QString() : file + u' ') +
           (pkg->IsFileStored() ? QStringLiteral("(FILE)") : QStringLiteral("(DFM)"));
}

bool TQzPkgStringsFileNameProperty::ExecuteDialog() {
    editStrings(qobject_cast<TQzPkgStrings*>(GetComponent(0)));
    return false;
}

void TQzPkgStringsComponentEditor::Edit() {
    QzCAppRequired();
    editStrings(qobject_cast<TQzPkgStrings*>(Component()));
}

int TQzPkgStringsComponentEditor::GetVerbCount() {
    return 1;
}

QString TQzPkgStringsComponentEditor::GetVerb(int index) {
    return index == 0 ? QStringLiteral("View &Package List") : QString();
}

// One window lists the strings packages; it is made on first use and kept by the runtime.
void TQzPkgStringsComponentEditor::ExecuteVerb(int index) {
    if (index != 0)
        return;
    auto* window = qobject_cast<TFrPkgActive*>(FrPkgStringsActive.data());
    if (!window) {
        window = new TFrPkgActive;
        FrPkgStringsActive = window;
    }
    window->Execute(Component());
}
