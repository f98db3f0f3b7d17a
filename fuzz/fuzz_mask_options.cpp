// The options grammar of edit masks on arbitrary text: the first byte picks the data type, the
// rest is a mask text as a form may hold it.

#include "controls/QzMaskOptions.h"

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void checkOptions(const QString& options, TQzDataType type) {
    const TQzMaskOptions settings = QzScanMaskOptions(options, type);
    TQzMaskOptions ruled = settings;
    QzApplyMaskRules(ruled);
    if (!(ruled == settings))
        broken("scanned settings break the rules between codes");
    const QString made = QzMakeMaskOptions(settings, type);
    if (!(QzScanMaskOptions(made, type) == settings))
        broken("canonical options read back as other settings");
    if (QzMakeMaskOptions(QzScanMaskOptions(made, type), type) != made)
        broken("canonical options are not their own canonical form");
    for (QChar c : made)
        if (made.count(c) != 1)
            broken("a code occurs twice in canonical options");
    if (QzIsDefaultMask(made, type) != (settings == QzScanMaskOptions(QString(), type)) &&
        !made.isEmpty())
        broken("the default mask test disagrees with the default settings");
}

// Typing the text key by key: what gets through never holds a code twice, two alignments or
// codes that exclude each other.
void checkTyping(const QString& text, TQzDataType type) {
    QString typed;
    for (QChar key : text)
        if (QzMaskOptionsAcceptKey(typed, key, type))
            typed += key;
    int alignments = 0;
    for (QChar c : typed) {
        if (typed.count(c) != 1)
            broken("typing let a code in twice");
        alignments += QStringLiteral("<%>").contains(c);
    }
    if (alignments > 1)
        broken("typing let in two alignments");
    const TQzMaskKind kind = QzMaskKindOf(type);
    const auto both = [&](const char* group) {
        int n = 0;
        for (const char* c = group; *c; ++c)
            n += typed.contains(QLatin1Char(*c));
        return n > 1;
    };
    if ((kind == TQzMaskKind::Number && both("+-")) ||
        (kind == TQzMaskKind::DateTime && (both("dD1") || both("mM2"))) ||
        (kind == TQzMaskKind::Text && both("ulf")))
        broken("typing let in codes that exclude each other");
}

// A mask text split, its options made canonical and joined again reads back the same.
void checkMaskText(const QString& text, TQzDataType type) {
    const TQzMaskTextParts parts = QzSplitMaskText(text);
    const QString options = QzMakeMaskOptions(QzScanMaskOptions(parts.Options, type), type);
    const QString joined = QzJoinMaskText(options, parts.MaskText, parts.Space.left(1), type);
    const TQzMaskTextParts again = QzSplitMaskText(joined);
    if (QzMakeMaskOptions(QzScanMaskOptions(again.Options, type), type) != options)
        broken("joined options read back differently");
    if (QzMaskKindOf(type) != TQzMaskKind::Text || parts.MaskText.trimmed().isEmpty()) {
        if (again.Parts != 1)
            broken("a mask text was kept where it is not");
        return;
    }
    if (again.MaskText != parts.MaskText)
        broken("the mask text did not come back");
    if (again.Space != (parts.Space.left(1).trimmed().isEmpty() ? QString() : parts.Space.left(1)))
        broken("the space did not come back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto type = TQzDataType(data[0] % (dtMemo + 1));
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    checkOptions(QzSplitMaskText(text).Options, type);
    checkTyping(text, type);
    checkMaskText(text, type);
    return 0;
}
