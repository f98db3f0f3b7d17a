// The package synchronizer without a window: a package file brought into line with another one,
// or other files brought into line with it, by item key only.

#include "Command.h"

#include "FileWrite.h"
#include "QzExcept.h"
#include "QzPkgInfo.h"
#include "QzRuntime.h"
#include "manager/core/QzPkgSync.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <climits>
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
    "Every file is read and merged first; then the files that change are written together,\n"
    "all or none: when one cannot be read or written, it is reported and every file is left\n"
    "as it was. A file that does not change is not written.\n";

struct TFileResult {
    QString File;
    TQzSyncReport Report;
    QString Error;
};

QJsonArray changesJson(const TQzSyncReport& report, bool added) {
    QJsonArray changes;
    for (const TQzSyncChange& change : report.Changes)
        if (change.Added == added)
            changes.push_back(QJsonObject{{"list", change.List}, {"key", change.Key}});
    return changes;
}

void printText(CommandContext& c, const QList<TFileResult>& results, bool dryRun) {
    for (const TFileResult& r : results) {
        if (!r.Error.isEmpty())
            continue;
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
                             {"files", files},
                             {"messages", c.MessagesJson()}};
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
    args.expectPositional(2, from ? 2 : INT_MAX, from ? "PACKAGE FILE" : "PACKAGE FILE...");
    const QString package = args.Positional[0];
    const QStringList files = args.Positional.mid(1);
    for (const QString& file : files)
        if (SameFile(file, package))
            throw UsageError{QStringLiteral("%1 is PACKAGE itself").arg(file)};
    for (qsizetype i = 0; i < files.size(); ++i)
        for (qsizetype j = i + 1; j < files.size(); ++j)
            if (SameFile(files[i], files[j]))
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
        QzExcept(QStringLiteral("%1 holds %2; only images, strings, display and language "
                                "packages can be synchronized")
                     .arg(package, QzPkgKindWithArticle(kind)));
    const bool nested = kind == TQzPkgKind::Display || kind == TQzPkgKind::Language;
    if (!nested && (options.SyncSystem || options.SyncUser))
        throw UsageError{QStringLiteral("--system and --user apply to display and language "
                                        "packages; %1 holds %2")
                             .arg(package, QzPkgKindWithArticle(kind))};
    if (kind != TQzPkgKind::Display && options.SyncSets)
        throw UsageError{QStringLiteral("--sets applies to display packages; %1 holds %2")
                             .arg(package, QzPkgKindWithArticle(kind))};

    // Every file is read and merged before any is written.
    QList<TFileResult> results;
    TFileTransaction writes;
    if (from) {
        TFileResult result{package, {}, {}};
        try {
            if (!dryRun)
                QzSyncRequireWritable(package);
            result.Report = QzSyncFromFile(*pkg, files[0], options);
            if (!dryRun && !result.Report.Changes.isEmpty())
                writes.Add(package, pkg->FileBytes());
        } catch (const Exception& e) {
            result.Error = e.Message();
            c.Report(TCliSeverity::Error, e.File().isEmpty() ? files[0] : e.File(), 0, e.Message());
        }
        results.push_back(result);
    } else {
        for (const QString& file : files) {
            TFileResult result{file, {}, {}};
            try {
                const std::unique_ptr<TQzPkgInfo> target = QzSyncLoadFile(file, kind);
                result.Report = QzSyncPackages(*pkg, *target, options);
                if (!dryRun && !result.Report.Changes.isEmpty())
                    writes.Add(file, target->FileBytes());
            } catch (const Exception& e) {
                result.Error = e.Message();
                c.Report(TCliSeverity::Error, file, 0, e.Message());
            }
            results.push_back(result);
        }
    }
    if (c.Errors() == 0 && !dryRun) {
        try {
            writes.Commit();
        } catch (const EFileWriteError& e) {
            c.Report(TCliSeverity::Error, e.File(), 0, e.Message());
            for (TFileResult& r : results)
                if (SameFile(r.File, e.File()))
                    r.Error = e.Message();
        }
    }
    if (c.Errors() > 0 && !dryRun)
        c.Report(TCliSeverity::Note, QString(), 0, QStringLiteral("no file was changed"));

    if (args.has(QStringLiteral("--json")))
        printJson(c, package, from, dryRun, results);
    else if (c.Errors() == 0)
        printText(c, results, dryRun);
    return c.Errors() > 0 ? ExitFailed : ExitDone;
}

} // namespace

std::vector<Command> SyncCommands() {
    return {{QStringLiteral("sync"), QStringLiteral("bring package files into line by item key"),
             QString::fromLatin1(SyncHelp), runSync}};
}
