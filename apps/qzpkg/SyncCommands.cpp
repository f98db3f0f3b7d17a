// The package synchronizer without a window: a package file brought into line with another one,
// or other files brought into line with it, by item key only.

#include "Command.h"

#include "QzExcept.h"
#include "QzPkgInfo.h"
#include "QzRuntime.h"
#include "manager/core/QzPkgSync.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>

namespace {

const char* const SyncHelp =
    "Usage: qzpkg sync PACKAGE FILE... (--from|--to) [--add] [--delete] [--system] [--user]\n"
    "                  [--sets] [--dry-run] [--json]\n"
    "\n"
    "Brings package files into line by item key only (the id, or the name of a display set);\n"
    "an item both sides have is never changed. Images, strings, display and language packages.\n"
    "\n"
    "  --from      PACKAGE is brought into line with the one FILE\n"
    "  --to        each FILE is brought into line with PACKAGE\n"
    "  --add       add the items only the source has\n"
    "  --delete    delete the items the source lacks\n"
    "  --system    display and language packages: their System images or strings\n"
    "  --user      display and language packages: their User images or strings\n"
    "  --sets      display packages: the font, colour and background sets\n"
    "  --dry-run   list what would be added and deleted, write nothing\n"
    "  --json      the result as a JSON object\n"
    "\n"
    "Every file is written through a temporary file; a file that cannot be read or written is\n"
    "left as it was and reported, and the other files are still done.\n"
    "Exit status: 0 when every file was done, 1 when any failed, 2 for a usage error.\n";

struct TFileResult {
    QString File;
    TQzSyncReport Report;
    QString Error;
};

bool sameFile(const QString& a, const QString& b) {
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

QJsonArray changesJson(const TQzSyncReport& report, bool added) {
    QJsonArray changes;
    for (const TQzSyncChange& change : report.Changes)
        if (change.Added == added)
            changes.push_back(QJsonObject{{"list", change.List}, {"key", change.Key}});
    return changes;
}

void printText(CommandContext& c, const QList<TFileResult>& results, bool dryRun) {
    for (const TFileResult& r : results) {
        if (!r.Error.isEmpty()) {
            c.err << "qzpkg sync: " << r.Error << '\n';
            continue;
        }
        c.out << r.File << ": " << (dryRun ? "would add " : "added ") << r.Report.AddedCount()
              << ", " << (dryRun ? "would delete " : "deleted ") << r.Report.DeletedCount() << '\n';
        if (dryRun)
            for (const TQzSyncChange& change : r.Report.Changes)
                c.out << "  " << (change.Added ? '+' : '-') << ' ' << change.List << ' '
                      << change.Key << '\n';
    }
}

void printJson(CommandContext& c, const QString& package, bool from, bool dryRun,
               const QList<TFileResult>& results) {
    QJsonArray files;
    for (const TFileResult& r : results) {
        QJsonObject file{{"file", r.File}, {"ok", r.Error.isEmpty()}};
        if (r.Error.isEmpty()) {
            file["added"] = changesJson(r.Report, true);
            file["deleted"] = changesJson(r.Report, false);
        } else {
            file["error"] = r.Error;
        }
        files.push_back(file);
    }
    const QJsonObject result{{"package", package},
                             {"direction", from ? "from" : "to"},
                             {"dryRun", dryRun},
                             {"files", files}};
    c.out << QJsonDocument(result).toJson(QJsonDocument::Indented);
}

int runSync(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(
        raw, {},
        {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--add"),
         QStringLiteral("--delete"), QStringLiteral("--system"), QStringLiteral("--user"),
         QStringLiteral("--sets"), QStringLiteral("--dry-run"), QStringLiteral("--json")});
    const bool from = args.has(QStringLiteral("--from"));
    if (from == args.has(QStringLiteral("--to")))
        throw UsageError{QStringLiteral("name exactly one of --from, --to")};
    if (args.Positional.size() < 2)
        throw UsageError{QStringLiteral("expected PACKAGE FILE...")};
    if (from && args.Positional.size() != 2)
        throw UsageError{QStringLiteral("--from takes one FILE")};
    const QString package = args.Positional[0];
    const QStringList files = args.Positional.mid(1);
    for (const QString& file : files)
        if (sameFile(file, package))
            throw UsageError{QStringLiteral("%1 is PACKAGE itself").arg(file)};
    for (qsizetype i = 0; i < files.size(); ++i)
        for (qsizetype j = i + 1; j < files.size(); ++j)
            if (sameFile(files[i], files[j]))
                throw UsageError{QStringLiteral("%1 is named twice").arg(files[j])};

    TQzSyncOptions options;
    options.AddItems = args.has(QStringLiteral("--add"));
    options.DeleteItems = args.has(QStringLiteral("--delete"));
    options.SyncSystem = args.has(QStringLiteral("--system"));
    options.SyncUser = args.has(QStringLiteral("--user"));
    options.SyncSets = args.has(QStringLiteral("--sets"));
    const bool dryRun = args.has(QStringLiteral("--dry-run"));

    QzRegisterRuntimeClasses();
    const std::unique_ptr<TQzPkgInfo> pkg = QzSyncLoadFile(package);
    const TQzPkgKind kind = pkg->Kind();
    if (!QzSyncHandlesKind(kind))
        QzExcept(QStringLiteral("%1 holds a %2 package; only images, strings, display and "
                                "language packages can be synchronized")
                     .arg(package, QzPkgKindName(kind)));
    const bool nested = kind == TQzPkgKind::Display || kind == TQzPkgKind::Language;
    if (!nested && (options.SyncSystem || options.SyncUser))
        throw UsageError{QStringLiteral("--system and --user apply to display and language "
                                        "packages; %1 holds a %2 package")
                             .arg(package, QzPkgKindName(kind))};
    if (kind != TQzPkgKind::Display && options.SyncSets)
        throw UsageError{QStringLiteral("--sets applies to display packages; %1 holds a %2 "
                                        "package")
                             .arg(package, QzPkgKindName(kind))};

    QList<TFileResult> results;
    if (from) {
        TFileResult result{package, {}, {}};
        try {
            if (!dryRun)
                QzSyncRequireWritable(package);
            result.Report = QzSyncFromFile(*pkg, files[0], options);
            if (!dryRun)
                pkg->SaveToFile(package);
        } catch (const Exception& e) {
            result.Error = e.Message();
        }
        results.push_back(result);
    } else {
        for (const QString& file : files) {
            TFileResult result{file, {}, {}};
            try {
                result.Report = QzSyncToFile(*pkg, file, options, dryRun);
            } catch (const Exception& e) {
                result.Error = e.Message();
            }
            results.push_back(result);
        }
    }

    if (args.has(QStringLiteral("--json")))
        printJson(c, package, from, dryRun, results);
    else
        printText(c, results, dryRun);
    const bool failed = std::any_of(results.begin(), results.end(),
                                    [](const TFileResult& r) { return !r.Error.isEmpty(); });
    return failed ? 1 : 0;
}

} // namespace

std::vector<Command> SyncCommands() {
    return {{QStringLiteral("sync"), QStringLiteral("bring package files into line by item key"),
             QString::fromLatin1(SyncHelp), runSync}};
}
