// XLIFF 1.2: one <file> whose "original" names the package, one <trans-unit> a unit with the
// context as its id, the package's text as <source> and the translation as <target>. A target
// whose state asks for work ("new", "needs-...") is fuzzy.

#include "packages/core/QzTranslationFiles.h"

#include "packages/core/QzTranslationFormats.h"

#include "QzExcept.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString Namespace = QStringLiteral("urn:oasis:names:tc:xliff:document:1.2");
const QString Translated = QStringLiteral("translated");
const QString NeedsReview = QStringLiteral("needs-review-translation");

// XML readers turn a raw carriage return into a line feed; a character reference keeps it.
void writeText(QXmlStreamWriter& xml, const QString& element, const QString& text,
               const QString& state = QString()) {
    xml.writeStartElement(element);
    if (!state.isEmpty())
        xml.writeAttribute(QStringLiteral("state"), state);
    const QStringList parts = text.split(u'\r');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            xml.writeEntityReference(QStringLiteral("#13"));
        xml.writeCharacters(parts[i]);
    }
    xml.writeEndElement();
}

bool isFuzzyState(QStringView state) {
    return state == u"new" || state.startsWith(u"needs-");
}

class TQzXliffReader {
public:
    TQzXliffReader(QByteArrayView bytes, const QString& fileName)
        : FXml(bytes.toByteArray()), FFileName(fileName) {}

    TQzTranslationFile Read() {
        if (!FXml.readNextStartElement())
            fail(QStringLiteral("no XLIFF document"));
        if (FXml.name() != u"xliff")
            fail(QStringLiteral("<%1> where <xliff> was expected").arg(FXml.name()));
        const QStringView version = FXml.attributes().value(QStringLiteral("version"));
        if (!version.startsWith(u"1."))
            fail(QStringLiteral("XLIFF version \"%1\"; version 1.2 is read").arg(version));
        while (FXml.readNextStartElement()) {
            if (FXml.name() == u"file")
                readFile();
            else
                FXml.skipCurrentElement();
        }
        if (FXml.hasError())
            fail(FXml.errorString());
        return FFile;
    }

private:
    [[noreturn]] void fail(const QString& problem) {
        QzExcept(QStringLiteral("%1 is damaged, line %2: %3; nothing was read")
                     .arg(FFileName)
                     .arg(FXml.lineNumber())
                     .arg(problem));
    }

    void readFile() {
        const QXmlStreamAttributes attributes = FXml.attributes();
        if (FFile.PackageName.isEmpty()) {
            FFile.PackageName = attributes.value(QStringLiteral("original")).toString();
            FFile.SourceLanguage = attributes.value(QStringLiteral("source-language")).toString();
            FFile.TargetLanguage = attributes.value(QStringLiteral("target-language")).toString();
        }
        readUnits();
    }

    // The units of a <file>, its <body> and any <group> inside, in document order.
    void readUnits() {
        while (FXml.readNextStartElement()) {
            if (FXml.name() == u"trans-unit")
                readUnit();
            else if (FXml.name() == u"body" || FXml.name() == u"group")
                readUnits();
            else
                FXml.skipCurrentElement();
        }
    }

    void readUnit() {
        TQzTranslationUnit unit;
        unit.Line = FXml.lineNumber();
        unit.Context = FXml.attributes().value(QStringLiteral("id")).toString();
        if (unit.Context.isEmpty())
            fail(QStringLiteral("a <trans-unit> without an id"));
        bool hasSource = false;
        while (FXml.readNextStartElement()) {
            if (FXml.name() == u"source") {
                unit.Source = readText();
                hasSource = true;
            } else if (FXml.name() == u"target") {
                unit.Fuzzy = isFuzzyState(FXml.attributes().value(QStringLiteral("state")));
                unit.Target = readText();
            } else {
                FXml.skipCurrentElement();
            }
        }
        if (FXml.hasError())
            fail(FXml.errorString());
        if (!hasSource)
            fail(QStringLiteral("the <trans-unit> \"%1\" has no <source>").arg(unit.Context));
        FFile.Units.push_back(unit);
    }

    // The text of <source> or <target>; markup inside would be lost, so it is refused.
    QString readText() {
        const QString element = FXml.name().toString();
        QString text;
        while (!FXml.atEnd()) {
            switch (FXml.readNext()) {
            case QXmlStreamReader::Characters:
                text += FXml.text();
                break;
            case QXmlStreamReader::StartElement:
                fail(QStringLiteral("<%1> inside <%2>: markup in a text is not read")
                         .arg(FXml.name(), element));
            case QXmlStreamReader::EndElement:
                return text;
            case QXmlStreamReader::Invalid:
                fail(FXml.errorString());
            default:
                break;
            }
        }
        fail(QStringLiteral("the file ends inside <%1>").arg(element));
    }

    QXmlStreamReader FXml;
    QString FFileName;
    TQzTranslationFile FFile;
};

} // namespace

QByteArray QzWriteXliff(const TQzTranslationFile& file, QStringList& warnings) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(Namespace);
    xml.writeStartElement(Namespace, QStringLiteral("xliff"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    xml.writeStartElement(QStringLiteral("file"));
    xml.writeAttribute(QStringLiteral("original"), file.PackageName);
    // "und": the language of the package's own texts is not recorded anywhere.
    xml.writeAttribute(QStringLiteral("source-language"),
                       file.SourceLanguage.isEmpty() ? QStringLiteral("und") : file.SourceLanguage);
    if (!file.TargetLanguage.isEmpty())
        xml.writeAttribute(QStringLiteral("target-language"), file.TargetLanguage);
    xml.writeAttribute(QStringLiteral("datatype"), QStringLiteral("plaintext"));
    xml.writeStartElement(QStringLiteral("body"));
    for (const TQzTranslationUnit& unit : file.Units) {
        if (!QzUnitCarried(unit, true, warnings))
            continue;
        xml.writeStartElement(QStringLiteral("trans-unit"));
        xml.writeAttribute(QStringLiteral("id"), unit.Context);
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        writeText(xml, QStringLiteral("source"), unit.Source);
        if (!unit.Target.isEmpty())
            writeText(xml, QStringLiteral("target"), unit.Target,
                      unit.Fuzzy ? NeedsReview : Translated);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    if (xml.hasError())
        QzExcept(QStringLiteral("Cannot write the XLIFF file"));
    return bytes;
}

TQzTranslationFile QzReadXliff(QByteArrayView bytes, const QString& fileName) {
    return TQzXliffReader(bytes, fileName).Read();
}
