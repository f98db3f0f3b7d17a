#include "editors/QzPkgImagesEditors.h"

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzPkgImages.h"
#include "packages/QzPkgActive.h"
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

QString QzPkgFileNameValue(const TQzPkgInfo& pkg) {
    const QString mode = pkg.IsFileStored() ? QStringLiteral("(FILE)") : QStringLiteral("(DFM)");
    return pkg.FileName().isEmpty() ? mode : pkg.FileName() + u' ' + mode;
}

void TQzPkgImagesComponentEditor::Edit() {
    if (auto* pkg = qobject_cast<TQzPkgImages*>(Component()))
        editImages(pkg);
}

void TQzPkgImagesComponentEditor::ExecuteVerb(int index) {
    if (index != 0)
        return;
    // One list window for the life of the package, made on first use.
    auto* window = qobject_cast<TFrPkgActive*>(FrPkgImagesActive.data());
    if (!window) {
        window = new TFrPkgActive;
        FrPkgImagesActive = window;
    }
    window->Execute(Component());
}

QString TQzPkgImagesComponentEditor::GetVerb(int index) {
    return index == 0 ? QStringLiteral("View &Package List") : QString();
}

int TQzPkgImagesComponentEditor::GetVerbCount() {
    return 1;
}

TPropertyAttributes TQzPkgImagesFileNameProperty::GetAttributes() {
    return paDialog | paReadOnly | paRevertable;
}

QString TQzPkgImagesFileNameProperty::GetValue() {
    const auto* pkg = qobject_cast<const TQzPkgInfo*>(GetComponent(0));
    return pkg ? QzPkgFileNameValue(*pkg) : TStringProperty::GetValue();
}

bool TQzPkgImagesFileNameProperty::ExecuteDialog() {
    if (auto* pkg = qobject_cast<TQzPkgImages*>(GetComponent(0)))
        editImages(pkg);
    return false;
}
