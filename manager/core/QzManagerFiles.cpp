#include "manager/core/QzManagerFiles.h"

#include "FileWrite.h"
#include "TextForm.h"

#include <QFile>

TQzManagerFileForms::TQzManagerFileForms(QStringList formFiles)
    : FFormFiles(std::move(formFiles)) {}

QStringList TQzManagerFileForms::FormNames() {
    return FFormFiles;
}

bool TQzManagerFileForms::ReadForm(const QString& fileName, TFormFileText& text) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        EStreamError error(
            QStringLiteral("Cannot open \"%1\": %2").arg(fileName, file.errorString()));
        error.SetFile(fileName);
        throw error;
    }
    const QByteArray bytes = file.readAll();
    try {
        // A binary form is parsed on its way to text; a text form must parse too, or it is no
        // form whose references can be trusted.
        if (DetectFormFileFormat(bytes) == TFormFileFormat::Text)
            CheckTextForm(bytes);
        text = TFormFileText::FromBytes(bytes);
    } catch (Exception& e) {
        e.SetFile(fileName);
        throw;
    }
    return true;
}

TComponent* TQzManagerFileForms::DesignForm(const QString&) {
    return nullptr;
}

void TQzManagerFileForms::WriteForms(TFileTransaction& files) {
    if (!FDryRun)
        files.Commit();
    FWritten += files.FileNames();
}
