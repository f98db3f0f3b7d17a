// The Packages Manager without a window: scan, count, replace and clear over the forms of a
// project file, for people at a terminal and for scripts and continuous integration.

#include "Command.h"

#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzProjectForms.h"
#include "manager/core/QzManagerFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <unistd.h>

namespace {

QString kindNames() {
    QStringList names;
    for (int k = 0; k < QzDlgManagerCount; ++k)
        names << QzDlgManagerName(TQzDlgManager(k));
    return names.join(QStringLiteral(", "));
}

TQzDlgManager kindOption(const ParsedArgs& args) {
    const QString name = args.value(QStringLiteral("--kind"));
    if (name.isEmpty())
        throw UsageError{QStringLiteral("--kind is required; kinds are %1").arg(kindNames())};
    const std::optional<TQzDlgManager> kind = QzDlgManagerFromName(name);
    if (!kind)
        throw UsageError{QStringLiteral("unknown kind '%1'; kinds are %2").arg(name, kindNames())};
    return *kind;
}

// The package an item is looked for in: --package, or "User" as the pickers assume. Sets and
// privileges have no package.
QString packageOption(const ParsedArgs& args, TQzDlgManager kind) {
    if (!QzDlgManagerHasPackage(kind)) {
        if (args.Values.contains(QStringLiteral("--package")))
            throw UsageError{QStringLiteral("%1 have no package; leave out --package")
                                 .arg(QzDlgManagerName(kind))};
        return QString();
    }
    return args.value(QStringLiteral("--package"), QStringLiteral("User"));
}

QString idOption(const ParsedArgs& args, const QString& option) {
    const QString id = args.value(option).trimmed();
    if (id.isEmpty())
        throw UsageError{QStringLiteral("%1 is required").arg(option)};
    return id;
}

// Reports a form of the project that cannot be read; the others still count.
TQzProjectForms::TFailure reportUnread(const QString& dprFile, const QString& command,
                                       CommandContext& c) {
    const QDir dir = QFileInfo(dprFile).absoluteDir();
    return [dir, command, &c](const QString& formFile, const QString& message) {
        c.err << "qzpkg " << command << ": " << dir.relativeFilePath(formFile)
              << ": its packages are not loaded: " << message << '\n';
    };
}

// ---------------------------------------------------------------------------------------------
// Feedback: messages to standard error, progress there too when it is a terminal

class TCliFeedback : public IQzManagerFeedback {
public:
    TCliFeedback(CommandContext& c, QString command)
        : FContext(c), FCommand(std::move(command)), FTerminal(isatty(STDERR_FILENO)) {}

    void Message(TQzManagerMessageType type, const QString& text) override {
        clearProgress();
        if (type != TQzManagerMessageType::Warning)
            ++Failures;
        Messages << text;
        FContext.err << "qzpkg " << FCommand << ": " << text << '\n';
        FContext.err.flush();
    }
    void ProgressOpen(const QString& caption) override {
        FCaption = caption;
        FText.clear();
        FClock.start();
    }
    void ProgressMaximum(int maximum) override {
        FMaximum = maximum;
        FPosition = 0;
    }
    void ProgressText(const QString& text) override { FText = QFileInfo(text).fileName(); }
    void ProgressStep() override {
        ++FPosition;
        if (FTerminal && FClock.elapsed() >= FLastShown + 100) {
            FLastShown = FClock.elapsed();
            const int percent = FMaximum > 0 ? std::min(100, 100 * FPosition / (FMaximum + 1)) : 0;
            FContext.err << '\r' << FCaption << ": " << percent << "% " << FText.left(50)
                         << "\x1b[K";
            FContext.err.flush();
            FShown = true;
        }
    }
    void ProgressClose() override { clearProgress(); }
    void Changed(const TQzManagerChange& change) override { Changes << change; }
    void PackageChanged(TQzPkgInfo* package) override {
        if (!Packages.contains(package))
            Packages << package;
    }

    int Failures = 0;
    QStringList Messages;
    QList<TQzManagerChange> Changes;
    QList<TQzPkgInfo*> Packages;

private:
    void clearProgress() {
        if (!FShown)
            return;
        FContext.err << "\r\x1b[K";
        FContext.err.flush();
        FShown = false;
    }

    CommandContext& FContext;
    QString FCommand;
    bool FTerminal;
    QString FCaption;
    QString FText;
    QElapsedTimer FClock;
    qint64 FLastShown = -1000;
    int FMaximum = 0;
    int FPosition = 0;
    bool FShown = false;
};

void printJson(CommandContext& c, const QJsonObject& object) {
    c.out << QJsonDocument(object).toJson(QJsonDocument::Indented);
}

QJsonArray messagesJson(const TCliFeedback& feedback) {
    return QJsonArray::fromStringList(feedback.Messages);
}

// ---------------------------------------------------------------------------------------------
// scan

int runScan(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(
        raw, {QStringLiteral("--kind"), QStringLiteral("--package"), QStringLiteral("--id")},
        {QStringLiteral("--json")});
    if (args.Positional.size() != 1)
        throw UsageError{QStringLiteral("expected PROJECT")};
    const TQzDlgManager kind = kindOption(args);
    const QString package = packageOption(args, kind);
    const QString id = idOption(args, QStringLiteral("--id"));

    const TQzProjectForms project(args.Positional[0],
                                  reportUnread(args.Positional[0], QStringLiteral("scan"), c));
    TQzManagerFileForms forms(project.FormFiles());
    TCliFeedback feedback(c, QStringLiteral("scan"));
    TQzManagerEngine engine(forms, feedback);
    engine.Scan(kind, package, id);

    QJsonArray references;
    for (const TQzManagerLine& line : engine.Lines()) {
        const TQzTokenRec1& rec = *line.Found();
        if (rec.NumLine < 0) {
            references << QJsonObject{{QStringLiteral("holder"), rec.NameUnit},
                                      {QStringLiteral("item"), rec.StrChange}};
            if (!args.has(QStringLiteral("--json")))
                c.out << line.Text << '\n';
            continue;
        }
        const QString form = project.Relative(rec.NameUnit);
        references << QJsonObject{{QStringLiteral("form"), form},
                                  {QStringLiteral("line"), rec.NumLine + 1},
                                  {QStringLiteral("path"), rec.StrChange},
                                  {QStringLiteral("text"), rec.StrLine.trimmed()}};
        if (!args.has(QStringLiteral("--json")))
            c.out << form << ':' << rec.NumLine + 1 << ": " << rec.StrChange << ": "
                  << rec.StrLine.trimmed() << '\n';
    }
    if (args.has(QStringLiteral("--json"))) {
        printJson(c, {{QStringLiteral("kind"), QzDlgManagerName(kind)},
                      {QStringLiteral("package"), package},
                      {QStringLiteral("id"), id},
                      {QStringLiteral("references"), references},
                      {QStringLiteral("messages"), messagesJson(feedback)}});
    } else {
        c.out << references.size() << " reference(s)\n";
    }
    return feedback.Failures > 0 ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// count

// The loaded packages of the kind but "System", as the Manager proposes them.
QStringList defaultPackages(TQzDlgManager kind) {
    QStringList names;
    if (kind == dlmImages)
        QzPkgImagesActives(names);
    else
        QzPkgStringsActives(names);
    names.removeIf([](const QString& name) {
        return name.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0;
    });
    return names;
}

int runCount(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {QStringLiteral("--kind"), QStringLiteral("--package")},
                                      {QStringLiteral("--json"), QStringLiteral("--fail-on-unused"),
                                       QStringLiteral("--fail-on-missing")});
    if (args.Positional.size() != 1)
        throw UsageError{QStringLiteral("expected PROJECT")};
    const TQzDlgManager kind = kindOption(args);
    if (!QzDlgManagerHasPackage(kind) && args.Values.contains(QStringLiteral("--package")))
        throw UsageError{
            QStringLiteral("%1 have no package; leave out --package").arg(QzDlgManagerName(kind))};

    const TQzProjectForms project(args.Positional[0],
                                  reportUnread(args.Positional[0], QStringLiteral("count"), c));
    const QStringList packages = !QzDlgManagerHasPackage(kind) ? QStringList()
                                 : args.Values.contains(QStringLiteral("--package"))
                                     ? args.Values[QStringLiteral("--package")]
                                     : defaultPackages(kind);
    TQzManagerFileForms forms(project.FormFiles());
    TCliFeedback feedback(c, QStringLiteral("count"));
    TQzManagerEngine engine(forms, feedback);
    engine.Counter(kind, packages);

    int unused = 0, missing = 0;
    QJsonArray items;
    for (const TQzManagerLine& line : engine.Lines()) {
        const TQzTokenRec2& rec = *line.Counted();
        const bool isUnused = rec.Counter == 0;
        const bool isMissing = !engine.FindItem(rec);
        unused += isUnused;
        missing += isMissing;
        QJsonObject item{{QStringLiteral("count"), rec.Counter},
                         {QStringLiteral("unused"), isUnused},
                         {QStringLiteral("nonexistent"), isMissing}};
        if (QzDlgManagerIsSet(kind)) {
            item.insert(QStringLiteral("name"), QzUnquote(rec.NameId));
        } else {
            item.insert(QStringLiteral("id"), rec.NameId);
            if (!rec.PkgName.isEmpty())
                item.insert(QStringLiteral("package"), QzUnquote(rec.PkgName));
        }
        items << item;
        if (!args.has(QStringLiteral("--json")))
            c.out << line.Text << (isUnused ? " ( Unused )" : "") << '\n';
    }
    if (args.has(QStringLiteral("--json"))) {
        printJson(c, {{QStringLiteral("kind"), QzDlgManagerName(kind)},
                      {QStringLiteral("packages"), QJsonArray::fromStringList(packages)},
                      {QStringLiteral("items"), items},
                      {QStringLiteral("unused"), unused},
                      {QStringLiteral("nonexistent"), missing},
                      {QStringLiteral("messages"), messagesJson(feedback)}});
    } else {
        c.out << items.size() << " item(s), " << unused << " never referenced, " << missing
              << " nonexistent\n";
    }
    const bool fail = feedback.Failures > 0 ||
                      (args.has(QStringLiteral("--fail-on-unused")) && unused > 0) ||
                      (args.has(QStringLiteral("--fail-on-missing")) && missing > 0);
    return fail ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// replace and clear

// Packages changed through their display sets or privileges are stored in their own files; a
// package kept inside a form cannot be written from here.
void savePackages(TCliFeedback& feedback, bool dryRun) {
    for (TQzPkgInfo* pkg : feedback.Packages) {
        if (!pkg->IsFileStored()) {
            feedback.Message(TQzManagerMessageType::Error,
                             QStringLiteral("the package \"%1\" is kept in a form, not in a file "
                                            "of its own; change it in the designer")
                                 .arg(pkg->GetPkgName()));
        } else if (!dryRun) {
            try {
                pkg->SaveFile();
            } catch (const Exception& e) {
                feedback.Message(TQzManagerMessageType::Error, e.Message());
            }
        }
    }
}

int runRewrite(const QStringList& raw, CommandContext& c, bool replacing) {
    const QString command = replacing ? QStringLiteral("replace") : QStringLiteral("clear");
    QStringList valueOptions = {QStringLiteral("--kind"), QStringLiteral("--package"),
                                QStringLiteral("--id")};
    if (replacing)
        valueOptions << QStringLiteral("--to-package") << QStringLiteral("--to-id");
    const ParsedArgs args = ParseArgs(raw, valueOptions,
                                      {QStringLiteral("--json"), QStringLiteral("--dry-run"),
                                       QStringLiteral("--sets-and-privileges")});
    if (args.Positional.size() != 1)
        throw UsageError{QStringLiteral("expected PROJECT")};
    const TQzDlgManager kind = kindOption(args);
    const QString package = packageOption(args, kind);
    const QString id = idOption(args, QStringLiteral("--id"));
    QString toPackage, toId;
    if (replacing) {
        toId = idOption(args, QStringLiteral("--to-id"));
        if (QzDlgManagerHasPackage(kind))
            toPackage = args.value(QStringLiteral("--to-package"), package);
        else if (args.Values.contains(QStringLiteral("--to-package")))
            throw UsageError{QStringLiteral("%1 have no package; leave out --to-package")
                                 .arg(QzDlgManagerName(kind))};
        if (kind >= dlmImages) {
            try {
                QzStrToInt(toId);
            } catch (const EConvertError& e) {
                throw UsageError{QStringLiteral("--to-id: %1").arg(e.Message())};
            }
        }
    }
    const bool dryRun = args.has(QStringLiteral("--dry-run"));

    const TQzProjectForms project(args.Positional[0], reportUnread(args.Positional[0], command, c));
    TQzManagerFileForms forms(project.FormFiles());
    forms.SetDryRun(dryRun);
    TCliFeedback feedback(c, command);
    TQzManagerEngine engine(forms, feedback);
    engine.Scan(kind, package, id);
    const bool holders = args.has(QStringLiteral("--sets-and-privileges"));
    for (int i = 0; i < int(engine.Lines().size()); ++i)
        engine.SetChecked(i, engine.Lines()[i].Found()->NumLine >= 0 || holders);
    if (replacing)
        engine.Replace(toPackage, toId);
    else
        engine.Clear(nullptr);
    savePackages(feedback, dryRun);

    QJsonArray changes;
    for (const TQzManagerChange& change : feedback.Changes) {
        if (change.kind == TQzManagerChange::Holder) {
            changes << QJsonObject{{QStringLiteral("holder"), change.NameUnit},
                                   {QStringLiteral("item"), change.Path}};
            if (!args.has(QStringLiteral("--json")))
                c.out << '(' << change.NameUnit << ") " << change.Path << ": "
                      << (replacing ? "changed" : "cleared") << '\n';
            continue;
        }
        const bool deleted = change.kind == TQzManagerChange::LineDeleted;
        const QString form = project.Relative(change.NameUnit);
        QJsonObject entry{{QStringLiteral("form"), form},
                          {QStringLiteral("line"), change.NumLine + 1},
                          {QStringLiteral("path"), change.Path},
                          {QStringLiteral("before"), change.Before.trimmed()}};
        if (!deleted)
            entry.insert(QStringLiteral("after"), change.After.trimmed());
        changes << entry;
        if (!args.has(QStringLiteral("--json"))) {
            c.out << form << ':' << change.NumLine + 1 << ": ";
            if (deleted)
                c.out << "deleted: " << change.Before.trimmed() << '\n';
            else
                c.out << change.Before.trimmed() << " -> " << change.After.trimmed() << '\n';
        }
    }
    QStringList written;
    for (const QString& file : forms.Written())
        written << project.Relative(file);
    if (args.has(QStringLiteral("--json"))) {
        printJson(c, {{QStringLiteral("kind"), QzDlgManagerName(kind)},
                      {QStringLiteral("dryRun"), dryRun},
                      {QStringLiteral("changes"), changes},
                      {QStringLiteral("forms"), QJsonArray::fromStringList(written)},
                      {QStringLiteral("messages"), messagesJson(feedback)}});
    } else {
        c.out << (dryRun ? "Would change " : "Changed ") << changes.size() << " line(s) in "
              << written.size() << " form(s)" << (dryRun ? "; nothing was written" : "") << '\n';
    }
    return feedback.Failures > 0 ? 1 : 0;
}

const QString CommonHelp = QStringLiteral(
    "PROJECT is a project file (.dpr); its forms are those of its uses clause. KIND is one of\n"
    "  %1\n"
    "in any case. Labels, texts, messages and images are found by package and id (--package\n"
    "defaults to User); sets by name (--id NAME) and privileges by id, without a package.\n\n"
    "The forms are also read into components, so that the application's display sets and\n"
    "privileges and the packages kept in forms or files are known. Warnings (a line whose\n"
    "component class is unknown) go to standard error, as does progress when it is a terminal.\n"
    "Lines are numbered from 1; in a binary form they are the lines of its text form, as\n"
    "qzpkg form-to-text prints it.\n");

const QString WriteHelp = QStringLiteral(
    "Each form is written back in the format it was read in: a text form stays text and keeps\n"
    "every line that was not changed byte for byte, so that forms kept under version control\n"
    "show only the lines that changed; binary and resource forms stay binary. A form whose new\n"
    "text would not parse is left as it was. A reference whose lines changed since they were\n"
    "read is left alone and reported.\n\n"
    "References held by the application's display sets and privileges (images and labels) are\n"
    "left alone unless --sets-and-privileges is given; their packages are then saved to their\n"
    "files. --dry-run prints what would change and writes nothing. --json prints one object:\n"
    "changes (form, line, path, before, after; or holder and item), forms, messages.\n\n"
    "Exit status: 0 when every reference was changed, 1 when some could not be (or a form or\n"
    "package could not be read or written), 2 for a usage error.\n");

} // namespace

std::vector<Command> ManagerCommands() {
    const QString common = CommonHelp.arg(kindNames());
    return {
        {QStringLiteral("scan"), QStringLiteral("list the references to a package item"),
         QStringLiteral(
             "Usage: qzpkg scan PROJECT --kind KIND [--package NAME] --id ID [--json]\n\n"
             "Lists where the item is referenced: form file, line, object path and the\n"
             "line itself; then the display sets and privileges that refer to it.\n"
             "--json prints one object with the references (form, line, path, text;\n"
             "or holder and item) and the messages.\n\n") +
             common +
             QStringLiteral("\nExit status: 0, or 1 when a form could not be read or scanned.\n"),
         runScan},
        {QStringLiteral("count"), QStringLiteral("count the references to every package item"),
         QStringLiteral(
             "Usage: qzpkg count PROJECT --kind KIND [--package NAME ...] [--json]\n"
             "                   [--fail-on-unused] [--fail-on-missing]\n\n"
             "Counts how often each item of the packages is referenced, lowest count first,\n"
             "and marks the items nobody references ( Unused ) and the referenced items their\n"
             "package lacks ( Nonexistent ). --package may be given several times; without it\n"
             "every loaded package of the kind but System is counted. References held by the\n"
             "display sets and privileges count whatever their package. --json prints the items\n"
             "(package, id or name, count, unused, nonexistent) and the totals.\n\n") +
             common +
             QStringLiteral(
                 "\nExit status: 0; 1 when a form could not be read or scanned, or with\n"
                 "--fail-on-unused when an item is never referenced, or with --fail-on-missing\n"
                 "when a referenced item does not exist.\n"),
         runCount},
        {QStringLiteral("replace"),
         QStringLiteral("point the references to an item at another one"),
         QStringLiteral("Usage: qzpkg replace PROJECT --kind KIND [--package NAME] --id ID\n"
                        "                    [--to-package NAME] --to-id ID [--dry-run] "
                        "[--json]\n"
                        "                    [--sets-and-privileges]\n\n"
                        "Rewrites every reference to the item to name --to-package (default: the\n"
                        "same package) and --to-id, a set name for sets.\n\n") +
             common + u'\n' + WriteHelp,
         [](const QStringList& args, CommandContext& c) {
             return runRewrite(args, c, true);
         }},
        {QStringLiteral("clear"), QStringLiteral("clear the references to a package item"),
         QStringLiteral(
             "Usage: qzpkg clear PROJECT --kind KIND [--package NAME] --id ID [--dry-run]\n"
             "                  [--json] [--sets-and-privileges]\n\n"
             "Deletes the lines that refer to the item, so that the properties return to their\n"
             "defaults when the form is read; display sets and privileges get no item.\n\n") +
             common + u'\n' + WriteHelp,
         [](const QStringList& args, CommandContext& c) {
             return runRewrite(args, c, false);
         }},
    };
}
