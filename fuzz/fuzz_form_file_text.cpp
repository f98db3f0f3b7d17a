// Form files read as lines (TFormFileText) from arbitrary bytes. A text form that parses must come
// back byte for byte; one that does not parse must be refused as the form reader refuses it. A
// binary form must come back as the same lines. Only the last line may lack a line end, no line
// holds a line break, and removing or inserting a line leaves the others as they were.

#include "FormFileText.h"
#include "SysUtils.h"
#include "TextForm.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* rule, const QString& detail) {
    std::fprintf(stderr, "\n*** invariant broken: %s\n%s\n", rule, qPrintable(detail));
    std::abort();
}

void checkLines(const TFormFileText& text) {
    for (int i = 0; i < text.Count(); ++i) {
        if (text.Line(i).contains(u'\n') || text.Line(i).contains(u'\r'))
            broken("a line holds a line break", text.Line(i));
        if (text.LineEnd(i) == TLineEnd::None && i + 1 < text.Count())
            broken("a line before the last has no line end", QString::number(i));
    }
}

// Removing line `at` and inserting a line there leave every other line and its end as it was;
// only a last line without an end takes the end of the line before it along.
void checkEdits(const TFormFileText& text, int at) {
    TFormFileText removed = text;
    removed.RemoveLine(at);
    for (int i = 0; i < removed.Count(); ++i) {
        const int old = i < at ? i : i + 1;
        const bool handsOver =
            at == text.Count() - 1 && i == at - 1 && text.LineEnd(at) == TLineEnd::None;
        if (removed.Line(i) != text.Line(old) ||
            removed.LineEnd(i) != (handsOver ? text.LineEnd(at) : text.LineEnd(old)))
            broken("removing a line changes another", QString::number(i));
    }
    TFormFileText inserted = text;
    inserted.InsertLine(at, QStringLiteral("x"));
    for (int i = 0; i < text.Count(); ++i) {
        const int now = i < at ? i : i + 1;
        if (inserted.Line(now) != text.Line(i) || inserted.LineEnd(now) != text.LineEnd(i))
            broken("inserting a line changes another", QString::number(i));
    }
    checkLines(removed);
    checkLines(inserted);
}

bool parses(const QByteArray& bytes) {
    try {
        ReadTextForm(bytes);
        return true;
    } catch (const EParserError&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    TFormFileText text;
    try {
        text = TFormFileText::FromBytes(bytes);
    } catch (const Exception&) {
        return 0;
    }
    checkLines(text);

    if (text.Format() != TFormFileFormat::Text) {
        // What the converters wrote reads back as the same lines.
        const TFormFileText again = TFormFileText::FromBytes(text.ToBytes());
        if (again.Lines() != text.Lines())
            broken("a binary form does not come back as its lines", text.Lines().join(u'\n'));
        return 0;
    }

    const bool valid = parses(bytes);
    QByteArray written;
    try {
        written = text.ToBytes();
    } catch (const EParserError& e) {
        if (valid)
            broken("a form that parses is refused", e.Message());
        return 0;
    }
    if (!valid)
        broken("a form that does not parse is written", QString::fromUtf8(bytes.toHex()));
    if (written != bytes)
        broken("a text form does not come back byte for byte", QString::fromUtf8(bytes.toHex()));

    if (text.Count() > 0)
        checkEdits(text, int(size % std::size_t(text.Count())));
    return 0;
}
