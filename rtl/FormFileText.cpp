#include "FormFileText.h"

#include "FileWrite.h"
#include "SysUtils.h"
#include "TextForm.h"

#include <QFile>

TFormFileText::TFormFileText(const QStringList& lines)
    : FLines(lines), FEnds(lines.size(), TLineEnd::Lf) {}

TFormFileText TFormFileText::FromBytes(const QByteArray& data) {
    TFormFileText form;
    form.FFormat = DetectFormFileFormat(data);
    // The converters raise for bytes that are no form file.
    const QString text = form.FFormat == TFormFileFormat::Text
                             ? DecodeText(data, &form.FEncoding)
                             : QString::fromUtf8(FormFileToText(data));
    const QChar* const begin = text.constData();
    const QChar* const end = begin + text.size();
    const QChar* start = begin;
    for (const QChar* at = begin; at != end; ++at) {
        if (*at != u'\n' && *at != u'\r')
            continue;
        form.FLines.append(QString(start, at - start));
        if (*at == u'\n') {
            form.FEnds.append(TLineEnd::Lf);
        } else if (at + 1 != end && at[1] == u'\n') {
            form.FEnds.append(TLineEnd::CrLf);
            ++at;
        } else {
            form.FEnds.append(TLineEnd::Cr);
        }
        start = at + 1;
    }
    if (start != end) {
        form.FLines.append(QString(start, end - start));
        form.FEnds.append(TLineEnd::None);
    }
    return form;
}

TFormFileText TFormFileText::FromFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        EStreamError error(
            QStringLiteral("Cannot open \"%1\": %2").arg(fileName, file.errorString()));
        error.SetFile(fileName);
        throw error;
    }
    try {
        return FromBytes(file.readAll());
    } catch (Exception& e) {
        e.SetFile(fileName);
        throw;
    }
}

void TFormFileText::SetLine(int index, const QString& text) {
    FLines[index] = text;
}

// The end of the nearest line before or after `index` that has one; LF in a text without any.
TLineEnd TFormFileText::usualEnd(int index) const {
    if (index > 0 && FEnds[index - 1] != TLineEnd::None)
        return FEnds[index - 1];
    if (index < Count() && FEnds[index] != TLineEnd::None)
        return FEnds[index];
    for (const TLineEnd end : FEnds)
        if (end != TLineEnd::None)
            return end;
    return TLineEnd::Lf;
}

void TFormFileText::InsertLine(int index, const QString& text) {
    const TLineEnd end = usualEnd(index);
    if (index == Count() && index > 0 && FEnds[index - 1] == TLineEnd::None) {
        FEnds[index - 1] = end;
        FLines.append(text);
        FEnds.append(TLineEnd::None);
        return;
    }
    FLines.insert(index, text);
    FEnds.insert(index, end);
}

void TFormFileText::RemoveLine(int index) {
    if (index == Count() - 1 && index > 0 && FEnds[index] == TLineEnd::None)
        FEnds[index - 1] = TLineEnd::None;
    FLines.removeAt(index);
    FEnds.removeAt(index);
}

QString TFormFileText::text() const {
    qsizetype size = 0;
    for (const QString& line : FLines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (int i = 0; i < Count(); ++i) {
        text += FLines[i];
        switch (FEnds[i]) {
        case TLineEnd::Lf:
            text += u'\n';
            break;
        case TLineEnd::CrLf:
            text += u"\r\n";
            break;
        case TLineEnd::Cr:
            text += u'\r';
            break;
        case TLineEnd::None:
            break;
        }
    }
    return text;
}

QByteArray TFormFileText::ToBytes() const {
    // The converters read UTF-8.
    const bool isText = FFormat == TFormFileFormat::Text;
    const TTextEncoding encoding = isText ? FEncoding : TTextEncoding::Utf8;
    // Named by its line, so that the person can find what to change.
    for (int i = 0; i < Count(); ++i)
        if (const qsizetype at = FindUnencodable(FLines[i], encoding); at >= 0)
            throw EConvertError(
                QStringLiteral("Line %1, column %2 of the form text holds %3, which %4 cannot hold")
                    .arg(i + 1)
                    .arg(at + 1)
                    .arg(CodePointName(FLines[i], at), encoding == TTextEncoding::Windows1252
                                                           ? QStringLiteral("Windows-1252")
                                                           : QStringLiteral("UTF-8")),
                i + 1);
    const QByteArray bytes = EncodeText(text(), encoding);
    if (!isText)
        return TextToFormFile(bytes, FFormat);
    // Raises with the line and column of what does not parse.
    ReadTextForm(bytes);
    return bytes;
}

void TFormFileText::WriteToFile(const QString& fileName) const {
    WriteFileAtomic(fileName, ToBytes());
}
