#include "QzProjectForms.h"

#include "ComponentStreams.h"
#include "Controls.h"
#include "ObjectStreams.h"
#include "QzCApplication.h"
#include "QzExcept.h"
#include "QzPkgInfo.h"
#include "QzRuntime.h"
#include "QzUnitSource.h"
#include "TextForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString QzReadUnitText(const QString& fileName, TTextEncoding* encoding) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        QzExcept(QStringLiteral("Cannot open the unit %1: %2").arg(fileName, file.errorString()));
    return DecodeText(file.readAll(), encoding);
}

TClass QzFormRootClass(const QString& formClass, const QString& unitText) {
    for (const QString& name : {formClass, QzUnitClassAncestor(unitText, formClass)}) {
        TClass cls = name.isEmpty() ? nullptr : GetClass(name);
        if (cls && cls->Meta->inherits(&TComponent::staticMetaObject))
            return cls;
    }
    return ClassOf<TForm>();
}

std::unique_ptr<TComponent> QzReadFormRoot(const QByteArray& formData, const QString& unitText,
                                           bool designing) {
    const TFormObject object = ReadTextForm(FormFileToText(formData));
    std::unique_ptr<TComponent> root(
        static_cast<TComponent*>(QzFormRootClass(object.ClassName, unitText)->Create(nullptr)));
    // The root may be an instance of a registered ancestor; what it streams keeps the form's own
    // class.
    root->SetStreamedClassName(object.ClassName);
    if (designing)
        root->SetDesigning(true);
    ReadComponent(object, root.get());
    return root;
}

namespace {

// Whether the root holds what the Manager counts and checks against.
bool holdsPackages(const TComponent* root) {
    for (const TComponent* component : root->ComponentList())
        if (qobject_cast<const TQzPkgInfo*>(component) ||
            qobject_cast<const TQzCApplication*>(component) || holdsPackages(component))
            return true;
    return false;
}

} // namespace

TQzProjectForms::TQzProjectForms(const QString& dprFile) : FProject(TQzProjectFile::Load(dprFile)) {
    QzRegisterRuntimeClasses();
    QzSetAppPath(QFileInfo(FProject.FileName).absolutePath() + u'/');
}

TQzProjectForms::TQzProjectForms(const QString& dprFile, const TFailure& failure)
    : TQzProjectForms(dprFile) {
    LoadComponents(failure);
}

void TQzProjectForms::LoadComponents(const TFailure& failure) {
    QStringList done;
    for (const TQzProjectUnit& unit : FProject.Units) {
        const QString formFile = unit.FormFileName();
        if (formFile.isEmpty() || done.contains(formFile))
            continue;
        done << formFile;
        try {
            QFile file(formFile);
            if (!file.open(QIODevice::ReadOnly))
                QzExcept(QStringLiteral("cannot open it: %1").arg(file.errorString()));
            const QString unitText =
                QFile::exists(unit.FileName) ? QzReadUnitText(unit.FileName) : QString();
            std::unique_ptr<TComponent> root = QzReadFormRoot(file.readAll(), unitText, false);
            if (holdsPackages(root.get()))
                FRoots.push_back(std::move(root));
        } catch (const Exception& e) {
            failure(formFile, e.Message(), e.Line());
        }
    }
}

TQzProjectForms::~TQzProjectForms() {
    // The main form owns the application: it goes last.
    while (!FRoots.empty())
        FRoots.pop_back();
    QzSetAppPath(QString());
}

QString TQzProjectForms::Relative(const QString& file) const {
    return QDir(QFileInfo(FProject.FileName).absolutePath()).relativeFilePath(file);
}
