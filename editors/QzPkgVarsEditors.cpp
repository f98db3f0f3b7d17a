#include "editors/QzPkgVarsEditors.h"

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgVars.h"
#include "packages/QzPkgActive.h"
#include "packages/QzPkgVarsEditor.h"

QString QzPkgFileValue(const TQzPkgInfo* pkg) {
    if (!pkg)
        return QString();
    const QString storage =
        pkg->IsFileStored() ? QStringLiteral("(FILE)") : QStringLiteral("(DFM)");
    return pkg->FileName().isEmpty() ? storage : pkg->FileName() + u' ' + storage;
}

void TQzPkgVarsComponentEditor::Edit() {
    QzCAppRequired();
    TFrPkgVars editor;
    editor.Pkg = static_cast<TQzPkgVars*>(Component());
    editor.Execute();
}

void TQzPkgVarsComponentEditor::ExecuteVerb(int index) {
    if (index != 0)
        return;
    // One list window for every vars package, made on first use.
    auto* window = qobject_cast<TFrPkgActive*>(FrPkgVarsActive.data());
    if (!window) {
        window = new TFrPkgActive;
        FrPkgVarsActive = window;
    }
    window->Execute(Component());
}

QString TQzPkgVarsComponentEditor::GetVerb(int index) {
    return index == 0 ? QStringLiteral("View &Package List") : QString();
}

int TQzPkgVarsComponentEditor::GetVerbCount() {
    return 1;
}

TPropertyAttributes TQzPkgVarsFileNameProperty::GetAttributes() {
    return paDialog | paReadOnly | paRevertable;
}

QString TQzPkgVarsFileNameProperty::GetValue() {
    return QzPkgFileValue(qobject_cast<TQzPkgInfo*>(GetComponent(0)));
}

bool TQzPkgVarsFileNameProperty::ExecuteDialog() {
    auto* pkg = qobject_cast<TQzPkgVars*>(GetComponent(0));
    if (!pkg)
        return false;
    TFrPkgVars editor;
    editor.Pkg = pkg;
    editor.Execute();
    return false;
}
