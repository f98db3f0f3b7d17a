// A form's unit as the designer edits it, on arbitrary text (UTF-8, or else Windows-1252): the
// readers never fail, and a field added is found (and, added after other fields, removed again
// to give back the text it was added to), a handler added is found among the published methods, and
// a rename of a field or handler that was there finds it under its new name. Edits raise only
// EQzError, which is how an addition the reader would not find again is refused.

#include "QzExcept.h"
#include "QzUnitSource.h"
#include "TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QString Class = QStringLiteral("TFrmFuzz");

[[noreturn]] void broken(const char* rule, const QString& text) {
    std::fprintf(stderr, "\n*** invariant broken: %s\n%s\n", rule, qPrintable(text));
    std::abort();
}

bool hasField(const QString& text, const QString& name) {
    for (const TQzUnitField& field : QzUnitPublishedFields(text, Class))
        if (field.Name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool hasMethod(const QString& text, const QString& name) {
    for (const TQzUnitMethod& method : QzUnitPublishedMethods(text, Class))
        if (method.Name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        DecodeText(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    QzUnitClassAncestor(text, Class);
    QzUnitMethods(text, Class);
    const QList<TQzUnitField> fields = QzUnitPublishedFields(text, Class);
    if (!QzUnitDeclaresClass(text, Class))
        return 0;

    QString added;
    try {
        added =
            QzUnitAddField(text, Class, QStringLiteral("QzFuzzField"), QStringLiteral("TQzLabel"));
    } catch (const EQzError&) {
        // Refused: a class written so that the field would not be found again.
        added = text;
    }
    if (added != text) {
        if (!hasField(added, QStringLiteral("QzFuzzField")))
            broken("an added field is found", added);
        // A field goes on a line of its own after the last one, and goes again with that line.
        if (!fields.isEmpty() &&
            QzUnitRemoveField(added, Class, QStringLiteral("QzFuzzField")) != text)
            broken("a field added after others and removed gives back the text", added);
    }
    if (!fields.isEmpty()) {
        const QString renamed =
            QzUnitRenameField(text, Class, fields.first().Name, QStringLiteral("QzFuzzRenamed"),
                              fields.first().TypeName);
        if (!hasField(renamed, QStringLiteral("QzFuzzRenamed")))
            broken("a renamed field is found by its new name", renamed);
    }
    try {
        const QString withHandler = QzUnitAddMethod(text, Class, QStringLiteral("QzFuzzClick"),
                                                    QStringLiteral("Sender: TObject"));
        if (!hasMethod(withHandler, QStringLiteral("QzFuzzClick")))
            broken("an added handler is published", withHandler);
        const QString renamed = QzUnitRenameMethod(
            withHandler, Class, QStringLiteral("QzFuzzClick"), QStringLiteral("QzFuzzPress"));
        if (!hasMethod(renamed, QStringLiteral("QzFuzzPress")))
            broken("a renamed handler is found by its new name", renamed);
    } catch (const EQzError&) {
        // A unit without an end takes no handler.
    }
    return 0;
}
