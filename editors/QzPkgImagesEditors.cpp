#include "editors/QzPkgImagesEditors.h"

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgImages.h"
#include "packages/QzPkgImagesEditor.h"

namespace {

// The images package editor on `pkg`, for one call; it tells the designer itself.
void editImages(TQzPkgImages* pkg) {
    QzCAppRequired();
    TFrPkgImages editor;
    editor.Package = pkg;
    editor.Execute();
}

} // namespace

void TQzPkgImagesComponentEditor::EditPackage() {
    if (auto* pkg = qobject_cast<TQzPkgImages*>(Component()))
        editImages(pkg);
}

QPointer<QObject>& TQzPkgImagesComponentEditor::ListWindow() const {
    return FrPkgImagesActive;
}

bool TQzPkgImagesFileNameProperty::ExecuteDialog() {
    if (auto* pkg = qobject_cast<TQzPkgImages*>(GetComponent(0)))
        editImages(pkg);
    return false;
}
