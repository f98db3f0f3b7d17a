#include "editors/QzPkgVarsEditors.h"

#include "QzHooks.h"
#include "QzPkgVars.h"
#include "packages/QzPkgVarsEditor.h"

namespace {

void editVars(TQzPkgVars* pkg) {
    if (!pkg)
        return;
    TFrPkgVars editor;
    editor.Pkg = pkg;
    editor.Execute();
}

} // namespace

void TQzPkgVarsComponentEditor::EditPackage() {
    editVars(qobject_cast<TQzPkgVars*>(Component()));
}

QPointer<QObject>& TQzPkgVarsComponentEditor::ListWindow() const {
    return FrPkgVarsActive;
}

bool TQzPkgVarsFileNameProperty::ExecuteDialog() {
    editVars(qobject_cast<TQzPkgVars*>(GetComponent(0)));
    return false;
}
