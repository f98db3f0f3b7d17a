#include "Command.h"

#include "FileWrite.h"
#include "FormFileText.h"
#include "ObjectStreams.h"
#include "QzExcept.h"
#include "QzPkgImages.h"
#include "QzPkgInfo.h"
#include "QzPkgLanguage.h"
#include "QzPkgStrings.h"
#include "QzPkgStringsText.h"
#include "QzProjectFile.h"
#include "QzProjectForms.h"
#include "QzRuntime.h"
#include "TextEncoding.h"
#include "TextForm.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
#include <algorithm>
#include <climits>
#include <memory>

namespace {

QString kindList() {
    QStringList names;
    for (int k = 1; k <= 7; ++k)
        names.push_back(QzPkgKindName(TQzPkgKind(k)));
    return names.join(QStringLiteral(", "));
}

// Item counts of every list of a package, nested packages prefixed with their name.
void countLists(const TQzPkgInfo& pkg, const QString& prefix, QList<QPair<QString, int>>& out) {
    const QMetaObject* meta = pkg.Data()->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        if (auto* list = qobject_cast<TCollection*>(prop.read(pkg.Data()).value<QObject*>()))
            out.push_back({prefix + QString::fromLatin1(prop.name()), list->Count()});
    }
    for (TComponent* child : pkg.ComponentList())
        if (auto* nested = qobject_cast<TQzPkgInfo*>(child))
            countLists(*nested, prefix + nested->GetPkgName() + u'.', out);
}

template <typename T>
std::unique_ptr<T> loadPackageOf(const QString& file, TQzPkgKind kind) {
    std::unique_ptr<TQzPkgInfo> pkg = ReadPackage(file);
    if (pkg->Kind() != kind)
        QzExcept(QStringLiteral("%1 holds %2, not %3")
                     .arg(file, QzPkgKindWithArticle(pkg->Kind()), QzPkgKindWithArticle(kind)));
    return std::unique_ptr<T>(static_cast<T*>(pkg.release()));
}

// Replaces the binary property `property` of the object `objectName` in a form's text with
// `bytes`, laid out as the form writer lays out binary data; every other line stays as it is.
void setBinaryProperty(TFormFileText& text, const QString& objectName, const QString& property,
                       const QByteArray& bytes) {
    const auto words = [](const QString& line) {
        return line.simplified().replace(u':', u' ').split(u' ', Qt::SkipEmptyParts);
    };
    int depth = -1;
    for (int i = 0; i < text.Count(); ++i) {
        const QStringList w = words(text.Line(i));
        const QString first = w.value(0).toLower();
        const bool object = first == u"object" || first == u"inherited" || first == u"inline";
        if (depth < 0) {
            if (object && SameText(w.value(1), objectName))
                depth = 0;
            continue;
        }
        if (object) {
            ++depth;
        } else if (first == u"end") {
            if (depth-- == 0)
                break;
        } else if (depth == 0 && SameText(text.Line(i).section(u'=', 0, 0).trimmed(), property)) {
            int last = i;
            while (last < text.Count() && !text.Line(last).contains(u'}'))
                ++last;
            if (last == text.Count())
                break;
            const QString line = text.Line(i);
            const QString indent = line.left(line.indexOf(line.trimmed()));
            QStringList lines{indent + property + QStringLiteral(" = {")};
            for (const QByteArray& row : FormBinaryRows(bytes))
                lines << indent + QStringLiteral("  ") + QString::fromLatin1(row);
            lines.last() += u'}';
            for (int n = last; n >= i; --n)
                text.RemoveLine(n);
            for (int n = 0; n < lines.size(); ++n)
                text.InsertLine(i + n, lines[n]);
            return;
        }
    }
    QzExcept(QStringLiteral("the form text holds no %1 of %2").arg(property, objectName));
}

// Where the strings a command works on live: a strings package file, the System or User strings
// of a language file (--part), or a strings package kept in a form (--package NAME).
class TStringsSource {
public:
    TStringsSource(const ParsedArgs& args, const QString& file) : FFile(file) {
        const QByteArray bytes = ReadInput(file);
        const QString part = args.value(QStringLiteral("--part"));
        const QString package = args.value(QStringLiteral("--package"));
        if (DetectFormFileFormat(bytes) != TFormFileFormat::Unknown) {
            if (package.isEmpty())
                throw UsageError{QStringLiteral("%1 is a form; name its strings package with "
                                                "--package NAME")
                                     .arg(file)};
            if (!part.isEmpty())
                throw UsageError{QStringLiteral("--part applies to language files")};
            openForm(bytes, package);
            return;
        }
        if (!package.isEmpty())
            throw UsageError{
                QStringLiteral("--package applies to forms; %1 is a package file").arg(file)};
        FPackage = PackageFromBytes(bytes, file);
        if (FPackage->Kind() == TQzPkgKind::Language) {
            auto* language = static_cast<TQzPkgLanguage*>(FPackage.get());
            if (SameText(part, QStringLiteral("System")))
                FStrings = language->SystemStrings();
            else if (SameText(part, QStringLiteral("User")))
                FStrings = language->UserStrings();
            else
                throw UsageError{QStringLiteral("%1 is a language file; name its strings with "
                                                "--part System or --part User")
                                     .arg(file)};
        } else if (FPackage->Kind() == TQzPkgKind::Strings) {
            if (!part.isEmpty())
                throw UsageError{QStringLiteral("--part applies to language files; %1 holds a "
                                                "strings package")
                                     .arg(file)};
            FStrings = static_cast<TQzPkgStrings*>(FPackage.get());
        } else {
            QzExcept(QStringLiteral("%1 holds %2, not strings")
                         .arg(file, QzPkgKindWithArticle(FPackage->Kind())));
        }
    }

    TQzPkgStrings& Strings() const { return *FStrings; }

    // The files that hold the strings after a change, with their new bytes.
    void Save(TFileTransaction& files) {
        if (!FRoot) {
            files.Add(FFile, FPackage->FileBytes());
        } else if (FStrings->IsFileStored()) {
            files.Add(FStrings->GetFileName(FStrings->FileName()), FStrings->FileBytes());
        } else {
            setBinaryProperty(FText, FStrings->Name(), QStringLiteral("PkgData"),
                              FStrings->ContentBytes());
            files.Add(FFile, FText.ToBytes());
        }
    }

private:
    void openForm(const QByteArray& bytes, const QString& package) {
        QzRegisterRuntimeClasses();
        const QString unit = QzChangeFileExt(FFile, QStringLiteral(".pas"));
        FText = TFormFileText::FromBytes(bytes);
        FRoot =
            QzReadFormRoot(bytes, QFile::exists(unit) ? QzReadUnitText(unit) : QString(), false);
        for (TComponent* component : FRoot->ComponentList()) {
            auto* strings = qobject_cast<TQzPkgStrings*>(component);
            if (strings && SameText(strings->GetPkgName(), package)) {
                FStrings = strings;
                return;
            }
        }
        QzExcept(QStringLiteral("%1 holds no strings package named %2").arg(FFile, package));
    }

    QString FFile;
    std::unique_ptr<TQzPkgInfo> FPackage;
    std::unique_ptr<TComponent> FRoot;
    TFormFileText FText;
    TQzPkgStrings* FStrings = nullptr;
};

// The strings list a --labels, --messages or --texts switch names.
TQzPkgItemList* chooseList(const ParsedArgs& args, TQzPkgStrings& pkg) {
    const bool labels = args.has(QStringLiteral("--labels"));
    const bool messages = args.has(QStringLiteral("--messages"));
    const bool texts = args.has(QStringLiteral("--texts"));
    if (int(labels) + int(messages) + int(texts) != 1)
        throw UsageError{QStringLiteral("name exactly one of --labels, --messages, --texts")};
    if (labels)
        return pkg.Labels();
    return messages ? pkg.Messages() : pkg.Texts();
}

const char* const StringsPlacesHelp =
    "FILE is a strings package file; or a language file, whose System or User strings --part\n"
    "names; or a form file, whose strings package --package NAME names (a package kept in its\n"
    "own file is read and written there).\n";

const QStringList StringsSwitches = {QStringLiteral("--labels"), QStringLiteral("--messages"),
                                     QStringLiteral("--texts")};
const QStringList StringsOptions = {QStringLiteral("--part"), QStringLiteral("--package")};

int runStringsExport(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, StringsOptions, StringsSwitches);
    args.expectPositional(2, 2, "FILE OUT.txt");
    const QString out = args.Positional[1];
    // The package itself would be overwritten with its own export.
    if (SameFile(args.Positional[0], out))
        throw UsageError{QStringLiteral("OUT.txt is FILE itself; name another file")};
    TStringsSource source(args, args.Positional[0]);
    TQzPkgItemList* const list = chooseList(args, source.Strings());
    WriteOutput(c, out, QzStringsExportText(*list));
    if (out != u"-")
        c.out << "Exported " << list->Count() << ' ' << list->What() << "(s) to " << out << '\n';
    return ExitDone;
}

int runStringsImport(const QStringList& raw, CommandContext& c) {
    constexpr int MaxReported = 100;
    QStringList switches = StringsSwitches;
    switches << QStringLiteral("--allow-empty");
    const ParsedArgs args = ParseArgs(raw, StringsOptions, switches);
    args.expectPositional(2, 2, "FILE IN.txt");
    ExpectChangedInPlace(args.Positional[0]);
    const QString file = args.Positional[0];
    const QString in = args.Positional[1];
    TStringsSource source(args, file);
    TQzPkgItemList* const list = chooseList(args, source.Strings());

    // Every line is read and checked before the list changes, so a bad line changes nothing.
    QList<TQzStringsTextProblem> problems;
    const QList<TQzStringsTextItem> entries = QzStringsReadText(*list, ReadInput(in), problems);
    for (const TQzStringsTextProblem& p :
         problems.first(std::min<qsizetype>(problems.size(), MaxReported)))
        c.Report(TCliSeverity::Error, in, p.Line, p.Text);
    if (problems.size() > MaxReported)
        c.Report(TCliSeverity::Error, in, 0,
                 QStringLiteral("%1 more bad lines").arg(problems.size() - MaxReported));
    if (!problems.isEmpty())
        QzExcept(
            QStringLiteral("%1 bad line(s); %2 is left as it was").arg(problems.size()).arg(file));
    if (entries.isEmpty() && !args.has(QStringLiteral("--allow-empty")))
        QzExcept(QStringLiteral("%1 holds no items; importing it would empty the list. Give "
                                "--allow-empty to do that; %2 is left as it was")
                     .arg(in, file));

    QzReplaceStringsItems(*list, entries);
    TFileTransaction files;
    source.Save(files);
    files.Commit();
    c.out << "Imported " << entries.size() << ' ' << list->What() << "(s) into " << file << '\n';
    return ExitDone;
}

int runImagesAdd(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {QStringLiteral("--first-id")}, {});
    args.expectPositional(2, INT_MAX, "FILE PICTURE...");
    ExpectChangedInPlace(args.Positional[0]);
    const QString file = args.Positional[0];
    auto pkg = loadPackageOf<TQzPkgImages>(file, TQzPkgKind::Images);
    int next = -1;
    if (args.Values.contains(QStringLiteral("--first-id"))) {
        bool ok = false;
        next = args.value(QStringLiteral("--first-id")).toInt(&ok);
        if (!ok || next < 0)
            throw UsageError{QStringLiteral("--first-id takes a whole number from 0")};
    }
    // Nothing is saved unless every picture was added.
    for (const QString& picture : args.Positional.mid(1)) {
        const int id = next >= 0 ? next++ : pkg->Images()->UniqueId();
        TQzPkgImagesImage* image = pkg->Images()->Add(id);
        try {
            image->LoadFromFile(picture);
        } catch (const EQzError& e) {
            QzExcept(QStringLiteral("%1; %2 is left as it was").arg(e.Message(), file));
        }
        c.out << QStringLiteral("%1  %2  %3x%4  %5\n")
                     .arg(id, 4)
                     .arg(image->GraphicClass())
                     .arg(image->Width())
                     .arg(image->Height())
                     .arg(picture);
    }
    pkg->SaveToFile(file);
    return ExitDone;
}

int runNew(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args =
        ParseArgs(raw, {QStringLiteral("--name"), QStringLiteral("--description")}, {});
    args.expectPositional(2, 2, "KIND FILE");
    TQzPkgKind kind{};
    if (!QzPkgKindFromName(args.Positional[0], kind))
        throw UsageError{
            QStringLiteral("unknown kind '%1'; kinds are %2").arg(args.Positional[0], kindList())};
    const QString file = args.Positional[1];
    const bool toOutput = file == u"-";
    if (!toOutput && QFileInfo::exists(file))
        QzExcept(QStringLiteral("%1 already exists; it is left as it is").arg(file));
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(kind));
    pkg->SetPkgName(args.value(QStringLiteral("--name"),
                               toOutput ? QString() : QFileInfo(file).completeBaseName()));
    pkg->SetDescription(args.value(QStringLiteral("--description")));
    WriteOutput(c, file, pkg->FileBytes());
    (toOutput ? c.err : c.out) << "Created " << QzPkgKindWithArticle(kind) << " '"
                               << pkg->GetPkgName() << "' in " << file << '\n';
    return ExitDone;
}

int runInfo(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {}, {QStringLiteral("--json")});
    args.expectPositional(1, 1, "FILE");
    const QString file = args.Positional[0];
    const TQzPkgFileContents contents = QzParsePkgFile(ReadInput(file), file);
    const TQzPkgFileHeader& header = contents.Header;
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(header.Kind));
    pkg->SetContentBytes(contents.Content);
    QList<QPair<QString, int>> counts;
    countLists(*pkg, QString(), counts);

    if (args.has(QStringLiteral("--json"))) {
        QJsonObject lists;
        for (const auto& [name, count] : counts)
            lists.insert(name, count);
        QJsonObject info{{QStringLiteral("file"), file},
                         {QStringLiteral("kind"), QzPkgKindName(header.Kind)},
                         {QStringLiteral("name"), header.Name},
                         {QStringLiteral("description"), header.Description},
                         {QStringLiteral("formatVersion"), header.Version},
                         {QStringLiteral("lists"), lists}};
        c.out << QJsonDocument(info).toJson(QJsonDocument::Indented);
        return ExitDone;
    }
    c.out << "File:           " << file << '\n'
          << "Kind:           " << QzPkgKindName(header.Kind) << '\n'
          << "Name:           " << header.Name << '\n'
          << "Description:    " << header.Description << '\n'
          << "Format version: " << header.Version << '\n';
    for (const auto& [name, count] : counts)
        c.out << QStringLiteral("%1 %2\n").arg(name + u':', -15).arg(count);
    return ExitDone;
}

} // namespace

std::vector<Command> PackageCommands() {
    QzRegisterRuntimeClasses();
    return {
        {QStringLiteral("new"), QStringLiteral("create an empty package file of a kind"),
         QStringLiteral("Usage: qzpkg new KIND FILE [--name N] [--description D]\n\n"
                        "Creates an empty package file. KIND is one of: %1.\n"
                        "The package name defaults to the file's base name. An existing FILE\n"
                        "is never overwritten.\n")
             .arg(kindList()),
         runNew},
        {QStringLiteral("info"), QStringLiteral("show what a package file holds"),
         QStringLiteral("Usage: qzpkg info FILE [--json]\n\n"
                        "Prints the kind, name, description and format version of a package\n"
                        "file and the number of items in each of its lists. The whole file is\n"
                        "read and checked; FILE may be \"-\" for standard input. --json prints\n"
                        "one JSON object instead.\n"),
         runInfo},
        {QStringLiteral("strings-export"),
         QStringLiteral("export the labels, messages or texts of a strings package"),
         QStringLiteral(
             "Usage: qzpkg strings-export FILE [--part System|User | --package NAME]\n"
             "                            --labels|--messages|--texts OUT.txt\n\n"
             "Writes every item of the list, by ascending id, one line each: the id, the text\n"
             "and (labels) the hint, separated by commas. Fields holding commas, quotes,\n"
             "line breaks or outer blanks are quoted, so every text comes back exactly.\n"
             "Trailing empty fields are left out. The protection flag is not exported.\n\n") +
             QLatin1String(StringsPlacesHelp) +
             QStringLiteral("OUT.txt may be \"-\" for standard output; it cannot be FILE.\n"),
         runStringsExport},
        {QStringLiteral("strings-import"),
         QStringLiteral("replace a list of a strings package from a text file"),
         QStringLiteral(
             "Usage: qzpkg strings-import FILE [--part System|User | --package NAME]\n"
             "                            --labels|--messages|--texts IN.txt [--allow-empty]\n\n"
             "Replaces the list with the items of IN.txt, in the format strings-export writes,\n"
             "read as UTF-8, else Windows-1252, with lines ending in LF, CR LF or CR. Blank\n"
             "lines are skipped. Every line is checked first: each bad line (not an id, an id\n"
             "twice, a broken quote; the first 100) is reported with its number and FILE is\n"
             "left untouched. A file without items would empty the list; it is refused unless\n"
             "--allow-empty is given. Imported items are not protected. IN.txt may be \"-\" for\n"
             "standard input.\n\n") +
             QLatin1String(StringsPlacesHelp),
         runStringsImport},
        {QStringLiteral("images-add"), QStringLiteral("add picture files to an images package"),
         QStringLiteral("Usage: qzpkg images-add FILE PICTURE... [--first-id N]\n\n"
                        "Adds each picture (any format the library reads, or an .imqz image\n"
                        "file) as a new image. Ids count up from N, or are the first free ones\n"
                        "without --first-id. A taken id or an unreadable picture stops the\n"
                        "command and FILE is left untouched.\n"),
         runImagesAdd},
    };
}
