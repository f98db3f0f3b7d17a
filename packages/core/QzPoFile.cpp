// gettext PO files through libgettextpo: the library reads and writes the syntax, this file maps
// its messages to translation units. The msgctxt of a message is the unit's context, the msgid
// its source text and the msgstr its translation.

#include "packages/core/QzTranslationFiles.h"

#include "packages/core/QzTranslationFormats.h"

#include "QzExcept.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <csetjmp>
#include <cstdlib>
#include <gettext-po.h>

namespace {

const char* const PackageField = "X-Qz-Package";

// What libgettextpo reported while reading or writing one file. The library calls back without a
// context pointer, so the collector of the call under way is kept here.
struct TQzPoErrors {
    QStringList Errors;
    std::jmp_buf Fatal;
};
thread_local TQzPoErrors* CurrentErrors = nullptr;

void record(int severity, const char* fileName, size_t line, const char* text) {
    if (severity == PO_SEVERITY_WARNING || !CurrentErrors)
        return;
    QString where = QString::fromLocal8Bit(fileName ? fileName : "");
    if (fileName && line != size_t(-1))
        where += QStringLiteral(", line %1").arg(qulonglong(line));
    CurrentErrors->Errors << (where.isEmpty() ? QString() : where + QStringLiteral(": ")) +
                                 QString::fromLocal8Bit(text).trimmed();
}

// A fatal error must not return into the library: the read or write under way is abandoned
// (what the library held for it is lost).
void xerror(int severity, po_message_t, const char* fileName, size_t line, size_t, int,
            const char* text) {
    record(severity, fileName, line, text);
    if (severity == PO_SEVERITY_FATAL_ERROR)
        std::longjmp(CurrentErrors->Fatal, 1);
}

void xerror2(int severity, po_message_t, const char* fileName, size_t line, size_t, int,
             const char* text, po_message_t, const char*, size_t, size_t, int, const char*) {
    xerror(severity, nullptr, fileName, line, 0, 0, text);
}

const po_xerror_handler Handler{xerror, xerror2};

// Only plain data lives between the jump point and the library's calls.
po_file_t readFile(const char* fileName, TQzPoErrors& errors) {
    if (setjmp(errors.Fatal) != 0)
        return nullptr;
    return po_file_read(fileName, &Handler);
}

bool writeFile(po_file_t file, const char* fileName, TQzPoErrors& errors) {
    if (setjmp(errors.Fatal) != 0)
        return false;
    po_file_write(file, fileName, &Handler);
    return true;
}

// Installs a collector for one call into the library.
class TQzPoCall {
public:
    TQzPoCall() : FPrevious(CurrentErrors) { CurrentErrors = &FErrors; }
    ~TQzPoCall() { CurrentErrors = FPrevious; }
    TQzPoCall(const TQzPoCall&) = delete;
    TQzPoCall& operator=(const TQzPoCall&) = delete;
    TQzPoErrors& Errors() { return FErrors; }

private:
    TQzPoErrors FErrors;
    TQzPoErrors* FPrevious;
};

struct TQzPoFree {
    void operator()(po_file_t file) const { po_file_free(file); }
    void operator()(po_message_iterator_t iterator) const { po_message_iterator_free(iterator); }
};
using TQzPoFilePtr = std::unique_ptr<std::remove_pointer_t<po_file_t>, TQzPoFree>;
using TQzPoIteratorPtr = std::unique_ptr<std::remove_pointer_t<po_message_iterator_t>, TQzPoFree>;

// A header value on one line.
QString headerValue(QString value) {
    return value.replace(u'\n', u' ').replace(u'\r', u' ');
}

// A header field's bytes, or none.
QByteArray headerField(const char* header, const char* field) {
    if (!header)
        return QByteArray();
    char* value = po_header_field(header, field);
    const QByteArray bytes = QByteArray(value ? value : "").trimmed();
    std::free(value);
    return bytes;
}

QString charsetOf(const char* header) {
    const QString type = QString::fromLatin1(headerField(header, "Content-Type"));
    const qsizetype at = type.indexOf(QStringLiteral("charset="), 0, Qt::CaseInsensitive);
    if (at < 0)
        return QStringLiteral("UTF-8");
    const QString charset = type.mid(at + 8).section(u';', 0, 0).trimmed();
    // A template's placeholder means the file was never given one; its texts are ASCII or UTF-8.
    return charset.isEmpty() || charset == u"CHARSET" ? QStringLiteral("UTF-8") : charset;
}

} // namespace

QByteArray QzWritePo(const TQzTranslationFile& file, QStringList& warnings) {
    const TQzPoFilePtr po(po_file_create());
    TQzPoIteratorPtr iterator(po_message_iterator(po.get(), nullptr));
    const QString header = QStringLiteral("Project-Id-Version: %1\n"
                                          "PO-Revision-Date: YEAR-MO-DA HO:MI+ZONE\n"
                                          "Last-Translator: \n"
                                          "Language-Team: \n"
                                          "Language: %2\n"
                                          "MIME-Version: 1.0\n"
                                          "Content-Type: text/plain; charset=UTF-8\n"
                                          "Content-Transfer-Encoding: 8bit\n"
                                          "%3: %1\n")
                               .arg(headerValue(file.PackageName), headerValue(file.TargetLanguage),
                                    QString::fromLatin1(PackageField));
    const auto insert = [&](const QString* context, const QString& id, const QString& str,
                            bool fuzzy) {
        po_message_t message = po_message_create();
        if (context)
            po_message_set_msgctxt(message, context->toUtf8().constData());
        po_message_set_msgid(message, id.toUtf8().constData());
        po_message_set_msgstr(message, str.toUtf8().constData());
        po_message_set_fuzzy(message, fuzzy);
        po_message_insert(iterator.get(), message);
    };
    insert(nullptr, QString(), header, false);
    for (const TQzTranslationUnit& unit : file.Units)
        if (QzUnitCarried(unit, false, warnings))
            insert(&unit.Context, unit.Source, unit.Target, unit.Fuzzy);
    iterator.reset();

    // The library writes to a file name only; the bytes are handed back for an all-or-nothing
    // write by the caller.
    QTemporaryDir dir;
    if (!dir.isValid())
        QzExcept(QStringLiteral("Cannot make a temporary folder: %1").arg(dir.errorString()));
    const QString name = dir.filePath(QStringLiteral("out.po"));
    TQzPoCall call;
    if (!writeFile(po.get(), QFile::encodeName(name).constData(), call.Errors()) ||
        !call.Errors().Errors.isEmpty())
        QzExcept(QStringLiteral("Cannot write the PO file: %1")
                     .arg(call.Errors().Errors.join(QStringLiteral("; "))));
    QFile out(name);
    if (!out.open(QIODevice::ReadOnly))
        QzExcept(QStringLiteral("Cannot write the PO file: %1").arg(out.errorString()));
    return out.readAll();
}

TQzTranslationFile QzReadPo(const QString& fileName) {
    if (fileName != u"-" && !QFile::exists(fileName))
        QzExcept(QStringLiteral("Cannot read %1: the file does not exist").arg(fileName));
    TQzPoCall call;
    const TQzPoFilePtr po(readFile(QFile::encodeName(fileName).constData(), call.Errors()));
    const QStringList& errors = call.Errors().Errors;
    if (!errors.isEmpty())
        QzExcept(QStringLiteral("%1 is damaged; nothing was read from it:\n%2")
                     .arg(fileName, errors.join(u'\n')));
    if (!po)
        QzExcept(QStringLiteral("Cannot read %1").arg(fileName));

    TQzTranslationFile file;
    const char* header = po_file_domain_header(po.get(), nullptr);
    const QString charset = charsetOf(header);
    // Stateless: a text cut off inside a character is an error, not carried into the next one.
    QStringDecoder decoder(charset.toLatin1().constData(), QStringDecoder::Flag::Stateless);
    if (!decoder.isValid())
        QzExcept(QStringLiteral("%1 is written in the character set \"%2\", which cannot be read")
                     .arg(fileName, charset));
    const auto text = [&](QByteArrayView bytes, const QString& context) {
        const QString decoded = decoder.decode(bytes);
        if (decoder.hasError())
            QzExcept(QStringLiteral("%1: %2 holds bytes that are not %3; nothing was read")
                         .arg(fileName, context.isEmpty() ? QStringLiteral("the header") : context,
                              charset));
        return decoded;
    };
    file.PackageName = text(headerField(header, PackageField), QString());
    file.TargetLanguage = text(headerField(header, "Language"), QString());

    for (const char* const* domain = po_file_domains(po.get()); domain && *domain; ++domain) {
        const TQzPoIteratorPtr iterator(po_message_iterator(po.get(), *domain));
        while (po_message_t message = po_next_message(iterator.get())) {
            const char* context = po_message_msgctxt(message);
            if (po_message_is_obsolete(message) || (!context && !*po_message_msgid(message)))
                continue;
            TQzTranslationUnit unit;
            unit.Context = text(context ? context : "", QString());
            unit.Source = text(po_message_msgid(message), unit.Context);
            if (po_message_msgid_plural(message))
                QzExcept(QStringLiteral("%1: \"%2\" has plural forms, which strings packages do "
                                        "not use; nothing was read")
                             .arg(fileName, unit.Context.isEmpty() ? unit.Source : unit.Context));
            unit.Target = text(po_message_msgstr(message), unit.Context);
            unit.Fuzzy = po_message_is_fuzzy(message);
            file.Units.push_back(unit);
        }
    }
    return file;
}
