#include "QzProjectForms.h"

#include "ComponentStreams.h"
#include "Controls.h"
#include "ObjectStreams.h"
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

TQzProjectForms::TQzProjectForms(const QString& dprFile, const TFailure& failure)
    : FProject(TQzProjectFile::Load(dprFile)) {
    QzRegisterRuntimeClasses();
    QzSetAppPath(QFileInfo(FProject.FileName).absolutePath() + u'/');
    for (const TQzProjectUnit& unit : FProject.Units) {
        if (unit.FormName.isEmpty())
            continue;
        try {
            QFile file(unit.FormFileName());
            if (!file.open(QIODevice::ReadOnly))
                QzExcept(QStringLiteral("cannot open it: %1").arg(file.errorString()));
            const QString unitText =
                QFile::exists(unit.FileName) ? QzReadUnitText(unit.FileName) : QString();
            FRoots.push_back(QzReadFormRoot(file.readAll(), unitText, false));
        } catch (const Exception& e) {
            failure(unit.FormFileName(), e.Message());
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
