#include "manager/core/QzManagerFiles.h"

#include "FileWrite.h"
#include "SysUtils.h"
#include "TextForm.h"

#include <QFile>
#include <QStringDecoder>

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

bool isUtf8(const QByteArray& data) {
    QStringDecoder decoder(QStringDecoder::Utf8);
    // The decoding is lazy: only the conversion to a string sets the error flag.
    const QString text = decoder(data);
    return !decoder.hasError();
}

} // namespace

TQzManagerFileForms::TQzManagerFileForms(QStringList formFiles)
    : FFormFiles(std::move(formFiles)) {}

TFormFileFormat TQzManagerFileForms::StoredFormat(const QString& fileName) const {
    return FStored.value(fileName).Format;
}

QStringList TQzManagerFileForms::FormNames() {
    return FFormFiles;
}

bool TQzManagerFileForms::ReadForm(const QString& fileName, QStringList& lines,
                                   TStreamOriginalFormat& format) {
    QFile file(fileName);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    QByteArray data = file.readAll();

    TStored stored;
    stored.Format = DetectFormFileFormat(data.left(64));
    QString text;
    if (stored.Format == TFormFileFormat::Text) {
        stored.Bom = data.startsWith(Bom);
        if (stored.Bom)
            data.remove(0, Bom.size());
        // Text that is not UTF-8 is kept byte for byte through Latin-1.
        stored.Utf8 = isUtf8(data);
        text = stored.Utf8 ? QString::fromUtf8(data) : QString::fromLatin1(data);
        stored.CrLf = text.contains(u"\r\n");
        format = sofText;
    } else {
        text = QString::fromUtf8(FormFileToText(data));
        format = sofBinary;
    }
    lines = text.split(u'\n');
    stored.FinalEol = lines.size() > 1 && lines.back().isEmpty();
    if (stored.FinalEol)
        lines.removeLast();
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    FStored.insert(fileName, stored);
    return true;
}

TComponent* TQzManagerFileForms::DesignForm(const QString&) {
    return nullptr;
}

void TQzManagerFileForms::WriteForm(const QStringList& lines, const QString& fileName,
                                    TStreamOriginalFormat) {
    const TStored stored = FStored.value(fileName);
    QString text = lines.join(stored.CrLf ? QStringLiteral("\r\n") : QStringLiteral("\n"));
    if (stored.FinalEol)
        text += stored.CrLf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QByteArray data;
    if (stored.Format == TFormFileFormat::Text) {
        data = stored.Utf8 ? text.toUtf8() : text.toLatin1();
        // Raises with the line and column of what does not parse; the file stays as it was.
        ReadTextForm(data);
        if (stored.Bom)
            data.prepend(Bom);
    } else {
        data = TextToFormFile(text.toUtf8(), stored.Format == TFormFileFormat::Unknown
                                                 ? TFormFileFormat::Resource
                                                 : stored.Format);
    }
    FWritten.push_back(fileName);
    if (FDryRun)
        return;
    WriteFileAtomic(fileName, data);
}
