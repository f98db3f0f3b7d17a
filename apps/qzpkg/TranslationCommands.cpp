// po-export, po-import, xliff-export, xliff-import: the strings of a package in the files
// translators' tools read, and their translations back into a strings package or language file.

#include "Command.h"

#include "FileWrite.h"
#include "QzExcept.h"
#include "QzPkgFile.h"
#include "QzPkgStrings.h"
#include "QzRuntime.h"
#include "packages/core/QzTranslationFiles.h"

#include <memory>

namespace {

// A strings package file ("-": standard input), named as it was saved.
std::unique_ptr<TQzTranslationTarget> loadSource(const QString& fileName) {
    std::unique_ptr<TQzPkgInfo> pkg = ReadPackage(fileName);
    if (pkg->Kind() != TQzPkgKind::Strings)
        QzExcept(QStringLiteral("%1 holds %2, not a strings package")
                     .arg(fileName, QzPkgKindWithArticle(pkg->Kind())));
    const QString name = pkg->GetPkgName();
    return std::make_unique<TQzTranslationTarget>(fileName, std::move(pkg), name);
}

int runExport(const QStringList& raw, CommandContext& c, TQzTranslationFormat format) {
    const ParsedArgs args = ParseArgs(raw,
                                      {QStringLiteral("--language"), QStringLiteral("--out"),
                                       QStringLiteral("--lang"), QStringLiteral("--source-lang")},
                                      {});
    args.expectPositional(1, 1, "PACKAGE");
    const QString out = args.value(QStringLiteral("--out"));
    if (out.isEmpty())
        throw UsageError{QStringLiteral("--out FILE is needed (- for standard output)")};
    if (out != u"-" && QzTranslationFormatOf(out) != format)
        throw UsageError{QStringLiteral("%1 does not end as a %2 file does")
                             .arg(out, format == TQzTranslationFormat::Po
                                           ? QStringLiteral("PO (.po)")
                                           : QStringLiteral("XLIFF (.xlf)"))};
    // A package the export reads would be overwritten with it.
    for (const QString& read : {args.Positional[0], args.value(QStringLiteral("--language"))})
        if (!read.isEmpty() && SameFile(read, out))
            throw UsageError{QStringLiteral("--out is %1 itself; name another file").arg(read)};
    const auto source = loadSource(args.Positional[0]);
    std::unique_ptr<TQzTranslationTarget> translation;
    if (args.Values.contains(QStringLiteral("--language")))
        translation = std::make_unique<TQzTranslationTarget>(
            args.value(QStringLiteral("--language")),
            ReadPackage(args.value(QStringLiteral("--language"))), source->Strings().GetPkgName());

    QStringList warnings;
    TQzTranslationFile file = QzTranslationUnits(
        source->Strings(), translation ? &translation->Strings() : nullptr, warnings);
    file.TargetLanguage = args.value(QStringLiteral("--lang"));
    file.SourceLanguage = args.value(QStringLiteral("--source-lang"));
    const QByteArray bytes = QzWriteTranslationFile(file, format, warnings);
    WriteOutput(c, out, bytes);
    for (const QString& warning : warnings)
        c.Report(TCliSeverity::Warning, args.Positional[0], 0, warning);
    qsizetype translated = 0;
    for (const TQzTranslationUnit& unit : file.Units)
        translated += unit.Target.isEmpty() ? 0 : 1;
    (out == u"-" ? c.err : c.out) << "Exported " << file.Units.size() << " texts of package '"
                                  << file.PackageName << "' (" << translated << " translated) to "
                                  << out << '\n';
    return ExitDone;
}

int runImport(const QStringList& raw, CommandContext& c, TQzTranslationFormat format) {
    const ParsedArgs args =
        ParseArgs(raw, {QStringLiteral("--package")},
                  {QStringLiteral("--accept-fuzzy"), QStringLiteral("--dry-run")});
    args.expectPositional(2, 2, "PACKAGE_OR_LAN and a translation file");
    ExpectChangedInPlace(args.Positional[0]);
    const QString targetFile = args.Positional[0];
    const QString input = args.Positional[1];
    if (input != u"-" && QzTranslationFormatOf(input) != format)
        throw UsageError{QStringLiteral("%1 is not a %2 file")
                             .arg(input, format == TQzTranslationFormat::Po
                                             ? QStringLiteral("PO (.po)")
                                             : QStringLiteral("XLIFF (.xlf)"))};
    const TQzPkgFileHeader header = QzReadPkgFileHeader(targetFile);
    std::unique_ptr<TQzTranslationTarget> source;
    if (args.Values.contains(QStringLiteral("--package")))
        source = loadSource(args.value(QStringLiteral("--package")));
    else if (header.Kind == TQzPkgKind::Language)
        throw UsageError{QStringLiteral("a language file needs --package PACKAGE, the strings "
                                        "package the translations are for")};
    TQzTranslationTarget target(targetFile, source ? source->Strings().GetPkgName() : header.Name);
    // Without --package the package is translated in place: it is its own source.
    const TQzPkgStrings& sourceStrings = source ? source->Strings() : target.Strings();

    const TQzTranslationFile file = QzReadTranslationFile(input, format);
    const TQzTranslationImport result = QzApplyTranslations(
        file, sourceStrings, target.Strings(), args.has(QStringLiteral("--accept-fuzzy")));
    for (const TQzTranslationIssue& issue : result.Issues)
        c.Report(TCliSeverity::Warning, input, int(issue.Line),
                 issue.Context + QStringLiteral(": ") + issue.Text);
    const bool dryRun = args.has(QStringLiteral("--dry-run"));
    if (result.Applied > 0 && !dryRun)
        target.Save();
    c.out << (dryRun ? "Would apply " : "Applied ") << result.Applied << " translations to "
          << targetFile << " (" << result.Unchanged << " unchanged, " << result.Untranslated
          << " untranslated, " << result.Issues.size() << " not applied)\n";
    return ExitDone;
}

QString exportHelp(const QString& name, const QString& ext, const QString& extra) {
    return QStringLiteral(
               "Usage: qzpkg %1 PACKAGE [--language FILE] --out FILE.%2 [--lang CODE]%3\n\n"
               "Writes every text of the strings package PACKAGE to translate: each label's\n"
               "text and hint, each message and each text, by ascending id, with the context\n"
               "\"Labels/12\", \"Labels/12/Hint\", \"Messages/3\" or \"Texts/5\" and the "
               "package's\n"
               "text as the source. With --language, the translations come from FILE: a\n"
               "language file (its \"System\" strings for the \"System\" package, else its\n"
               "\"User\" strings) or another strings package file. Empty texts are left out;\n"
               "line breaks are written as single line feeds. --lang gives the translation's\n"
               "language code. --out - writes to standard output.\n")
        .arg(name, ext, extra);
}

QString importHelp(const QString& name, const QString& ext) {
    return QStringLiteral(
               "Usage: qzpkg %1 PACKAGE_OR_LAN FILE.%2 [--package PACKAGE] [--accept-fuzzy]\n"
               "       [--dry-run]\n\n"
               "Writes the translations of FILE.%2 into a language file (with --package, the\n"
               "strings package they translate) or into a strings package file. Without\n"
               "--package, a strings package is translated in place. Every unit is checked\n"
               "against the package first: a context that names nothing in it, a source text\n"
               "that has changed since the file was made and a fuzzy unit (without\n"
               "--accept-fuzzy) are reported on standard error and not applied; units without a\n"
               "translation are passed over. A damaged file, or one made from another package,\n"
               "changes nothing. The package's own texts are never changed by an import into a\n"
               "language file. --dry-run reports and writes nothing. FILE - reads standard\n"
               "input.\n")
        .arg(name, ext);
}

} // namespace

std::vector<Command> TranslationCommands() {
    QzRegisterRuntimeClasses();
    using F = TQzTranslationFormat;
    return {
        {QStringLiteral("po-export"),
         QStringLiteral("write the texts of a strings package as a gettext PO file"),
         exportHelp(QStringLiteral("po-export"), QStringLiteral("po"), QString()),
         [](const QStringList& args, CommandContext& c) {
             return runExport(args, c, F::Po);
         }},
        {QStringLiteral("po-import"),
         QStringLiteral("take translations from a PO file into a package or language file"),
         importHelp(QStringLiteral("po-import"), QStringLiteral("po")),
         [](const QStringList& args, CommandContext& c) {
             return runImport(args, c, F::Po);
         }},
        {QStringLiteral("xliff-export"),
         QStringLiteral("write the texts of a strings package as an XLIFF 1.2 file"),
         exportHelp(QStringLiteral("xliff-export"), QStringLiteral("xlf"),
                    QStringLiteral(" [--source-lang CODE]")),
         [](const QStringList& args, CommandContext& c) {
             return runExport(args, c, F::Xliff);
         }},
        {QStringLiteral("xliff-import"),
         QStringLiteral("take translations from an XLIFF file into a package or language file"),
         importHelp(QStringLiteral("xliff-import"), QStringLiteral("xlf")),
         [](const QStringList& args, CommandContext& c) {
             return runImport(args, c, F::Xliff);
         }},
    };
}
