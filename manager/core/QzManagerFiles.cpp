#include "manager/core/QzManagerFiles.h"

#include "FileWrite.h"

#include <QFile>

TQzManagerFileForms::TQzManagerFileForms(QStringList formFiles)
    : FFormFiles(std::move(formFiles)) {}

QStringList TQzManagerFileForms::FormNames() {
    return FFormFiles;
}

bool TQzManagerFileForms::ReadForm(const QString& fileName, TFormFileText& text) {
    if (!QFile::exists(fileName))
        return false;
    text = TFormFileText::FromFile(fileName);
    return true;
}

TComponent* TQzManagerFileForms::DesignForm(const QString&) {
    return nullptr;
}

void TQzManagerFileForms::WriteForm(const TFormFileText& text, const QString& fileName) {
    // Raises with the line and column of what does not parse; the file stays as it was.
    const QByteArray data = text.ToBytes();
    FWritten.push_back(fileName);
    if (!FDryRun)
        WriteFileAtomic(fileName, data);
}
