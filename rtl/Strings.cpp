#include "Strings.h"

#include "Filer.h"

QString TStrings::Text() const {
    QString text;
    for (const QString& line : FLines)
        text += line + QStringLiteral("\r\n");
    return text;
}

void TStrings::SetText(const QString& text) {
    FLines.clear();
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        FLines.push_back(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        FLines.push_back(text.mid(start));
}

void TStrings::Assign(const TPersistent* source) {
    if (const auto* other = qobject_cast<const TStrings*>(source)) {
        FLines = other->FLines;
        return;
    }
    TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        QStringLiteral("Strings"),
        [this](TReader& reader) {
            FLines.clear();
            reader.ReadListBegin();
            while (!reader.EndOfList())
                FLines.push_back(reader.ReadString());
            reader.ReadListEnd();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (const QString& line : FLines)
                writer.WriteString(line);
            writer.WriteListEnd();
        },
        !FLines.isEmpty());
}
