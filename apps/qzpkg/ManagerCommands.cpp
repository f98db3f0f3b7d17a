// The Packages Manager without a window: scan, count, replace and clear over the forms of a
// project file, for people at a terminal and for scripts and continuous integration.

#include "Command.h"

#include "FileWrite.h"
#include "QzExcept.h"
#include "QzFields.h"
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
#include <memory>
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

// Items from Images on are numbered: their ids are read as numbers, as the forms store them.
QString idOption(const ParsedArgs& args, const QString& option, TQzDlgManager kind) {
    const QString id = args.value(option).trimmed();
    if (id.isEmpty())
        throw UsageError{QStringLiteral("%1 is required").arg(option)};
    if (kind < dlmImages)
        return id;
    try {
        return QString::number(QzStrToInt(id));
    } catch (const EConvertError& e) {
        throw UsageError{QStringLiteral("%1: %2").arg(option, e.Message())};
    }
}

// ---------------------------------------------------------------------------------------------
// Feedback: messages to the command's messages, progress to standard error when it is a terminal

class TCliFeedback : public IQzManagerFeedback {
public:
    explicit TCliFeedback(CommandContext& c) : FContext(c), FTerminal(isatty(STDERR_FILENO)) {}

    void Message(TQzManagerMessageType type, const QString& text) override {
        MessageAt(type, text, QString(), -1);
    }
    void MessageAt(TQzManagerMessageType type, const QString& text, const QString& file,
                   int line) override {
        clearProgress();
        FContext.Report(type == TQzManagerMessageType::Error ? TCliSeverity::Error
                                                             : TCliSeverity::Warning,
                        file, line + 1, text);
    }
    bool ShowsProgress() const override { return FTerminal; }
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
    bool FTerminal;
    QString FCaption;
    QString FText;
    QElapsedTimer FClock;
    qint64 FLastShown = -1000;
    int FMaximum = 0;
    int FPosition = 0;
    bool FShown = false;
};

// The project's forms in their files and, when a rewrite changed display sets or privileges,
// the package files that hold them: all written together or none.
class TCliForms : public TQzManagerFileForms {
public:
    TCliForms(const QStringList& formFiles, TCliFeedback& feedback)
        : TQzManagerFileForms(formFiles), FFeedback(feedback) {}

    void WriteForms(TFileTransaction& files) override {
        for (TQzPkgInfo* pkg : FFeedback.Packages) {
            // A package kept in a form is written with its form by the designer.
            if (!pkg->IsFileStored())
                QzExcept(QStringLiteral("the package \"%1\" is kept in a form, not in a file of "
                                        "its own; change it in the designer")
                             .arg(pkg->GetPkgName()));
            const QString file = pkg->GetFileName(pkg->FileName());
            files.Add(file, pkg->FileBytes());
            PackageFiles << file;
        }
        TQzManagerFileForms::WriteForms(files);
    }

    QStringList PackageFiles;

private:
    TCliFeedback& FFeedback;
};

// The project, and its forms read into components when the work needs them: `loaded` is false
// (after the failures were reported) when a form could not be read.
std::unique_ptr<TQzProjectForms> openProject(const QString& dpr, bool components, CommandContext& c,
                                             bool& loaded) {
    auto project = std::make_unique<TQzProjectForms>(dpr);
    loaded = true;
    if (components)
        project->LoadComponents([&](const QString& formFile, const QString& message, int line) {
            c.Report(TCliSeverity::Error, formFile, line, message);
            loaded = false;
        });
    return project;
}

// Images and labels are also referred to by the application's sets and privileges.
bool kindHasHolders(TQzDlgManager kind) {
    return kind == dlmImages || kind == dlmLabels;
}

QJsonObject placeJson(const TQzTokenRec1& place, const TQzProjectForms& project) {
    if (place.NumLine < 0)
        return {{QStringLiteral("holder"), place.NameUnit},
                {QStringLiteral("item"), place.StrChange}};
    return {{QStringLiteral("form"), project.Relative(place.NameUnit)},
            {QStringLiteral("line"), place.NumLine + 1}};
}

QString placeText(const TQzTokenRec1& place, const TQzProjectForms& project) {
    if (place.NumLine < 0)
        return u'(' + place.NameUnit + QStringLiteral(") ") + place.StrChange;
    return project.Relative(place.NameUnit) + u':' + QString::number(place.NumLine + 1);
}

void printJson(CommandContext& c, QJsonObject object) {
    object.insert(QStringLiteral("messages"), c.MessagesJson());
    c.out << QJsonDocument(object).toJson(QJsonDocument::Indented);
}

// ---------------------------------------------------------------------------------------------
// scan

int runScan(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(
        raw, {QStringLiteral("--kind"), QStringLiteral("--package"), QStringLiteral("--id")},
        {QStringLiteral("--json")});
    args.expectPositional(1, 1, "PROJECT");
    const TQzDlgManager kind = kindOption(args);
    const QString package = packageOption(args, kind);
    const QString id = idOption(args, QStringLiteral("--id"), kind);
    const bool json = args.has(QStringLiteral("--json"));

    bool loaded = false;
    const auto project = openProject(args.Positional[0], kindHasHolders(kind), c, loaded);
    QJsonArray references;
    if (loaded) {
        TQzManagerFileForms forms(project->FormFiles());
        TCliFeedback feedback(c);
        TQzManagerEngine engine(forms, feedback);
        engine.Scan(kind, package, id);
        for (const TQzManagerLine& line : engine.Lines()) {
            const TQzTokenRec1& rec = *line.Found();
            if (rec.NumLine < 0) {
                references << placeJson(rec, *project);
                if (!json)
                    c.out << line.Text << '\n';
                continue;
            }
            const QString form = project->Relative(rec.NameUnit);
            references << QJsonObject{{QStringLiteral("form"), form},
                                      {QStringLiteral("line"), rec.NumLine + 1},
                                      {QStringLiteral("path"), rec.StrChange},
                                      {QStringLiteral("text"), rec.StrLine.trimmed()}};
            if (!json)
                c.out << form << ':' << rec.NumLine + 1 << ": " << rec.StrChange << ": "
                      << rec.StrLine.trimmed() << '\n';
        }
    }
    if (json)
        printJson(c, {{QStringLiteral("kind"), QzDlgManagerName(kind)},
                      {QStringLiteral("package"), package},
                      {QStringLiteral("id"), id},
                      {QStringLiteral("references"), references}});
    else
        c.out << references.size() << " reference(s)"
              << (c.Errors() > 0 ? " in the forms that could be read" : "") << '\n';
    return c.Errors() > 0 ? ExitFailed : ExitDone;
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
    names.removeDuplicates();
    return names;
}

// The text of a strings item; empty for other items.
QString itemText(TCollectionItem* item) {
    if (auto* label = qobject_cast<TQzPkgStringsLabel*>(item))
        return label->Text();
    if (auto* text = qobject_cast<TQzPkgStringsText*>(item))
        return text->Text();
    return QString();
}

int runCount(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {QStringLiteral("--kind"), QStringLiteral("--package")},
                                      {QStringLiteral("--json"), QStringLiteral("--fail-on-unused"),
                                       QStringLiteral("--fail-on-missing")});
    args.expectPositional(1, 1, "PROJECT");
    const TQzDlgManager kind = kindOption(args);
    if (!QzDlgManagerHasPackage(kind) && args.Values.contains(QStringLiteral("--package")))
        throw UsageError{
            QStringLiteral("%1 have no package; leave out --package").arg(QzDlgManagerName(kind))};
    const bool json = args.has(QStringLiteral("--json"));

    bool loaded = false;
    const auto project = openProject(args.Positional[0], true, c, loaded);
    QStringList packages;
    if (QzDlgManagerHasPackage(kind)) {
        const QStringList loadedPackages = defaultPackages(kind);
        packages = args.Values.value(QStringLiteral("--package"), loadedPackages);
        for (const QString& name : packages) {
            const bool found = kind == dlmImages ? QzFindPkgImages(name) != nullptr
                                                 : QzFindPkgStrings(name) != nullptr;
            if (!found)
                c.Report(TCliSeverity::Error, args.Positional[0], 0,
                         QStringLiteral("no %1 package named \"%2\" is loaded; the project "
                                        "loads %3")
                             .arg(kind == dlmImages ? QStringLiteral("images")
                                                    : QStringLiteral("strings"),
                                  name,
                                  loadedPackages.isEmpty()
                                      ? QStringLiteral("none but System")
                                      : loadedPackages.join(QStringLiteral(", "))));
        }
    }

    int unused = 0, missing = 0;
    QJsonArray items;
    const bool counting = loaded && c.Errors() == 0;
    if (counting) {
        TQzManagerFileForms forms(project->FormFiles());
        TCliFeedback feedback(c);
        TQzManagerEngine engine(forms, feedback);
        engine.Counter(kind, packages);
        for (const TQzManagerLine& line : engine.Lines()) {
            const TQzTokenRec2& rec = *line.Counted();
            TCollectionItem* found = engine.FindItem(rec);
            const bool isUnused = rec.Counter == 0;
            unused += isUnused;
            missing += !found;
            QJsonObject item{{QStringLiteral("count"), rec.Counter},
                             {QStringLiteral("unused"), isUnused},
                             {QStringLiteral("nonexistent"), !found}};
            if (QzDlgManagerIsSet(kind)) {
                item.insert(QStringLiteral("name"), QzUnquote(rec.NameId));
            } else {
                item.insert(QStringLiteral("id"), rec.NameId);
                if (!rec.PkgName.isEmpty())
                    item.insert(QStringLiteral("package"), QzUnquote(rec.PkgName));
            }
            const QString text = found ? itemText(found) : QString();
            if (found && (kind == dlmLabels || kind == dlmTexts || kind == dlmMessages))
                item.insert(QStringLiteral("text"), text);
            QJsonArray places;
            if (!found)
                for (const TQzTokenRec1& place : line.Places)
                    places << placeJson(place, *project);
            if (!found)
                item.insert(QStringLiteral("references"), places);
            items << item;
            if (json)
                continue;
            c.out << line.Text << (isUnused ? " ( Unused )" : "");
            if (!text.isEmpty())
                c.out << "  " << QzTextFromStrings({text}, u',');
            c.out << '\n';
            if (!found)
                for (const TQzTokenRec1& place : line.Places)
                    c.out << "    referenced at " << placeText(place, *project) << '\n';
        }
    }
    if (json)
        printJson(c, {{QStringLiteral("kind"), QzDlgManagerName(kind)},
                      {QStringLiteral("packages"), QJsonArray::fromStringList(packages)},
                      {QStringLiteral("items"), items},
                      {QStringLiteral("unused"), unused},
                      {QStringLiteral("nonexistent"), missing}});
    else if (counting)
        // A count that did not happen is no count of nothing.
        c.out << items.size() << " item(s), " << unused << " never referenced, " << missing
              << " nonexistent\n";
    if (c.Errors() > 0)
        return ExitFailed;
    const bool findings = (args.has(QStringLiteral("--fail-on-unused")) && unused > 0) ||
                          (args.has(QStringLiteral("--fail-on-missing")) && missing > 0);
    return findings ? ExitFindings : ExitDone;
}

// ---------------------------------------------------------------------------------------------
// replace and clear

// Each line of a changed property, trimmed, joined by blanks: one line for the listing.
QString changeText(const QString& lines) {
    QStringList parts = lines.split(u'\n');
    for (QString& part : parts)
        part = part.trimmed();
    return parts.join(u' ');
}

int runRewrite(const QStringList& raw, CommandContext& c, bool replacing) {
    QStringList valueOptions = {QStringLiteral("--kind"), QStringLiteral("--package"),
                                QStringLiteral("--id")};
    QStringList switches = {QStringLiteral("--json"), QStringLiteral("--dry-run"),
                            QStringLiteral("--sets-and-privileges")};
    if (replacing) {
        valueOptions << QStringLiteral("--to-package") << QStringLiteral("--to-id");
        switches << QStringLiteral("--force");
    }
    const ParsedArgs args = ParseArgs(raw, valueOptions, switches);
    args.expectPositional(1, 1, "PROJECT");
    const TQzDlgManager kind = kindOption(args);
    const QString package = packageOption(args, kind);
    const QString id = idOption(args, QStringLiteral("--id"), kind);
    const bool json = args.has(QStringLiteral("--json"));
    QString toPackage, toId;
    if (replacing) {
        toId = idOption(args, QStringLiteral("--to-id"), kind);
        if (QzDlgManagerHasPackage(kind))
            toPackage = args.value(QStringLiteral("--to-package"), package);
        else if (args.Values.contains(QStringLiteral("--to-package")))
            throw UsageError{QStringLiteral("%1 have no package; leave out --to-package")
                                 .arg(QzDlgManagerName(kind))};
    }
    const bool dryRun = args.has(QStringLiteral("--dry-run"));
    const bool holders = args.has(QStringLiteral("--sets-and-privileges"));
    const bool checkTarget = replacing && !args.has(QStringLiteral("--force"));

    bool loaded = false;
    const auto project =
        openProject(args.Positional[0], kindHasHolders(kind) || checkTarget, c, loaded);
    QJsonArray changes;
    int skipped = 0;
    QStringList written, packageFiles;
    if (loaded) {
        TCliFeedback feedback(c);
        TCliForms forms(project->FormFiles(), feedback);
        forms.SetDryRun(dryRun);
        TQzManagerEngine engine(forms, feedback);
        engine.Scan(kind, package, id);
        if (checkTarget && !engine.FindItem(TQzTokenRec2{
                               QzDlgManagerHasPackage(kind) ? u'\'' + toPackage + u'\'' : QString(),
                               QzDlgManagerIsSet(kind) ? u'\'' + toId + u'\'' : toId, 0}))
            c.Report(TCliSeverity::Error, args.Positional[0], 0,
                     QzDlgManagerHasPackage(kind)
                         ? QStringLiteral("%1 %2 of the package \"%3\" does not exist in the "
                                          "loaded packages; give --force to refer to it anyway")
                               .arg(QzDlgManagerName(kind).chopped(1), toId, toPackage)
                         : QStringLiteral("%1 %2 does not exist; give --force to refer to it "
                                          "anyway")
                               .arg(QzDlgManagerName(kind).chopped(1), toId));
        for (int i = 0; i < int(engine.Lines().size()); ++i) {
            const bool holder = engine.Lines()[i].Found()->NumLine < 0;
            engine.SetChecked(i, !holder || holders);
            skipped += holder && !holders;
        }
        // A project that could not be read whole is not changed at all.
        if (c.Errors() == 0) {
            if (replacing)
                engine.Replace(toPackage, toId);
            else
                engine.Clear(nullptr);
        }
        for (const TQzManagerChange& change : feedback.Changes) {
            if (change.kind == TQzManagerChange::Holder) {
                changes << QJsonObject{{QStringLiteral("holder"), change.NameUnit},
                                       {QStringLiteral("item"), change.Path}};
                if (!json)
                    c.out << '(' << change.NameUnit << ") " << change.Path << ": "
                          << (replacing ? "changed" : "cleared") << '\n';
                continue;
            }
            const bool deleted = change.kind == TQzManagerChange::LineDeleted;
            const QString form = project->Relative(change.NameUnit);
            QJsonObject entry{{QStringLiteral("form"), form},
                              {QStringLiteral("line"), change.NumLine + 1},
                              {QStringLiteral("path"), change.Path},
                              {QStringLiteral("before"), changeText(change.Before)}};
            if (!deleted)
                entry.insert(QStringLiteral("after"), changeText(change.After));
            changes << entry;
            if (json)
                continue;
            c.out << form << ':' << change.NumLine + 1 << ": ";
            if (deleted)
                c.out << "deleted: " << changeText(change.Before) << '\n';
            else
                c.out << changeText(change.Before) << " -> " << changeText(change.After) << '\n';
        }
        for (const QString& file : forms.Written())
            if (!forms.PackageFiles.contains(file))
                written << project->Relative(file);
        for (const QString& file : forms.PackageFiles)
            packageFiles << project->Relative(file);
    }
    if (skipped > 0)
        c.Report(TCliSeverity::Note, QString(), 0,
                 QStringLiteral("%1 reference(s) held by the application's display sets or "
                                "privileges were left alone; --sets-and-privileges changes them")
                     .arg(skipped));
    if (json) {
        printJson(c, {{QStringLiteral("kind"), QzDlgManagerName(kind)},
                      {QStringLiteral("dryRun"), dryRun},
                      {QStringLiteral("changes"), changes},
                      {QStringLiteral("forms"), QJsonArray::fromStringList(written)},
                      {QStringLiteral("packages"), QJsonArray::fromStringList(packageFiles)}});
    } else {
        c.out << (dryRun ? "Would change " : "Changed ") << changes.size() << " line(s) in "
              << written.size() << " form(s)";
        if (!packageFiles.isEmpty())
            c.out << " and " << packageFiles.size() << " package file(s)";
        c.out << (dryRun ? "; nothing was written" : "") << '\n';
    }
    return c.Errors() > 0 ? ExitFailed : ExitDone;
}

const QString CommonHelp = QStringLiteral(
    "PROJECT is a project file (.dpr); its forms are those of its uses clause, each read once,\n"
    "found whatever the case of its extension. A form that is missing, cannot be read or does\n"
    "not parse is an error. KIND is one of\n"
    "  %1\n"
    "in any case. Labels, texts, messages and images are found by package and id (--package\n"
    "defaults to User); sets by name (--id NAME) and privileges by id, without a package.\n"
    "Package and set names are compared ignoring case, as the form text quotes them ('Bob''s',\n"
    "'D'#233'mo', a long name over several lines); ids as they are written.\n\n"
    "Forms are read one at a time. Where the work needs them (counting, images and labels\n"
    "held by the application's display sets and privileges, checking a replacement) the forms\n"
    "are also read into components, so that the packages kept in forms or files are known.\n"
    "Messages name the form and its line, counted from 1; in a binary form the lines are those\n"
    "of its text form, as qzpkg form-to-text prints it. Progress goes to standard error when it\n"
    "is a terminal.\n");

const QString WriteHelp = QStringLiteral(
    "Every changed form is prepared and checked to parse first; then all are written together:\n"
    "when one cannot be written, those already written get their old bytes back, so that a\n"
    "failure leaves the project as it was. A form that does not change is not written. Each\n"
    "form is written in the format it was read in: a text form stays text, in its encoding, and\n"
    "keeps every line that was not changed byte for byte, its line end too; binary and resource\n"
    "forms stay binary. Values are written as the form writer quotes them. A reference whose\n"
    "lines changed since they were read is left alone and reported.\n\n"
    "References held by the application's display sets and privileges (images and labels) are\n"
    "left alone unless --sets-and-privileges is given, and a note says how many; their package\n"
    "files are then written with the forms, all or none. --dry-run prints what would change and\n"
    "writes nothing. The listing and --json show only what was written: --json prints one\n"
    "object with changes (form, line, path, before, after; or holder and item) in file order,\n"
    "forms, packages and messages.\n");

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
             common,
         runScan},
        {QStringLiteral("count"), QStringLiteral("count the references to every package item"),
         QStringLiteral(
             "Usage: qzpkg count PROJECT --kind KIND [--package NAME ...] [--json]\n"
             "                   [--fail-on-unused] [--fail-on-missing]\n\n"
             "Counts how often each item of the packages is referenced, lowest count first,\n"
             "then by package and id (ids as numbers), with the text of labels, texts and\n"
             "messages; marks the items nobody references ( Unused ) and the referenced items\n"
             "their package lacks ( Nonexistent ), the latter with where they are referenced.\n"
             "--package may be given several times and must name a loaded package; without it\n"
             "every loaded package of the kind but System is counted. References held by the\n"
             "display sets and privileges count whatever their package. --json prints the items\n"
             "(package, id or name, count, unused, nonexistent, text, references) and the\n"
             "totals. --fail-on-unused and --fail-on-missing make such items end the command\n"
             "with exit status 3.\n\n") +
             common,
         runCount},
        {QStringLiteral("replace"),
         QStringLiteral("point the references to an item at another one"),
         QStringLiteral("Usage: qzpkg replace PROJECT --kind KIND [--package NAME] --id ID\n"
                        "                    [--to-package NAME] --to-id ID [--force] "
                        "[--dry-run]\n"
                        "                    [--json] [--sets-and-privileges]\n\n"
                        "Rewrites every reference to the item to name --to-package (default: the\n"
                        "same package) and --to-id, a set name for sets. An item that does not\n"
                        "exist in the loaded packages is refused unless --force is given.\n\n") +
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
