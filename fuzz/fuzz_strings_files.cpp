// The readers of the strings' own files on arbitrary bytes: the text files of a list, gettext PO
// files and XLIFF files. What a reader takes must come back the same through its writer; what it
// refuses changes nothing.

#include "QzExcept.h"
#include "QzPkgStrings.h"
#include "QzPkgStringsText.h"
#include "QzRuntime.h"
#include "packages/core/QzTranslationFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

QStringList describe(const TQzTranslationFile& file) {
    QStringList lines{file.PackageName};
    for (const TQzTranslationUnit& unit : file.Units)
        lines << unit.Context << unit.Source << unit.Target << QString::number(unit.Fuzzy);
    return lines;
}

// A text file either replaces the labels whole or leaves them as they were; what it gave is
// written and read back the same.
void checkText(const QByteArray& input) {
    TQzPkgStrings pkg;
    pkg.Labels()->Add(1, QStringLiteral("kept"));
    const QByteArray before = QzStringsExportText(*pkg.Labels());
    QList<TQzStringsTextItem> items;
    try {
        items = QzStringsImportText(*pkg.Labels(), input, QStringLiteral("fuzz"));
    } catch (const EQzError&) {
        if (QzStringsExportText(*pkg.Labels()) != before)
            broken("a refused text file changed the list");
        return;
    }
    QzReplaceStringsItems(*pkg.Labels(), items);
    const QByteArray written = QzStringsExportText(*pkg.Labels());
    TQzPkgStrings again;
    try {
        QzReplaceStringsItems(
            *again.Labels(), QzStringsImportText(*again.Labels(), written, QStringLiteral("fuzz")));
    } catch (const EQzError&) {
        broken("a written text file does not read");
    }
    if (QzStringsExportText(*again.Labels()) != written)
        broken("a written text file reads differently");
}

// A translation file that reads is written again and reads back: as the same units when the
// format could carry them all.
void checkTranslation(const QString& name, const QByteArray& input, const QTemporaryDir& dir) {
    const TQzTranslationFormat format = QzTranslationFormatOf(name);
    const QString path = dir.filePath(name);
    const auto write = [&](const QByteArray& bytes) {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(bytes) != bytes.size())
            broken("cannot write the scratch file");
    };
    write(input);
    TQzTranslationFile file;
    try {
        file = QzReadTranslationFile(path, format);
    } catch (const EQzError&) {
        return;
    }
    QStringList warnings;
    const QByteArray written = QzWriteTranslationFile(file, format, warnings);
    write(written);
    TQzTranslationFile back;
    try {
        back = QzReadTranslationFile(path, format);
    } catch (const EQzError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        broken("a written translation file does not read");
    }
    if (warnings.isEmpty() && describe(back) != describe(file))
        broken("a written translation file reads differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool registered = [] {
        QzRegisterRuntimeClasses();
        return true;
    }();
    (void)registered;
    static const QTemporaryDir dir;
    const QByteArray input =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    checkText(input);
    checkTranslation(QStringLiteral("fuzz.po"), input, dir);
    checkTranslation(QStringLiteral("fuzz.xlf"), input, dir);
    return 0;
}
