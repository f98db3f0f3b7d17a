#include "Command.h"

#include "FileWrite.h"
#include "QzExcept.h"
#include "QzPkgImages.h"
#include "QzPkgInfo.h"
#include "QzPkgStrings.h"
#include "QzPkgStringsText.h"
#include "QzRuntime.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
#include <algorithm>
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

// A package file read whole, keeping the name it was saved under for the next save.
std::unique_ptr<TQzPkgInfo> loadPackage(const QString& file) {
    const TQzPkgFileHeader header = QzReadPkgFileHeader(file);
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(header.Kind));
    pkg->LoadFromFile(file);
    pkg->SetPkgName(header.Name);
    return pkg;
}

template <typename T>
std::unique_ptr<T> loadPackageOf(const QString& file, TQzPkgKind kind) {
    std::unique_ptr<TQzPkgInfo> pkg = loadPackage(file);
    if (pkg->Kind() != kind)
        QzExcept(QStringLiteral("%1 holds a %2 package, not a %3 package")
                     .arg(file, QzPkgKindName(pkg->Kind()), QzPkgKindName(kind)));
    return std::unique_ptr<T>(static_cast<T*>(pkg.release()));
}

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

int runStringsExport(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(
        raw, {},
        {QStringLiteral("--labels"), QStringLiteral("--messages"), QStringLiteral("--texts")});
    if (args.Positional.size() != 2)
        throw UsageError{QStringLiteral("expected FILE OUT.txt")};
    auto pkg = loadPackageOf<TQzPkgStrings>(args.Positional[0], TQzPkgKind::Strings);
    TQzPkgItemList* list = chooseList(args, *pkg);
    WriteFileAtomic(args.Positional[1], QzStringsExportText(*list));
    c.out << "Exported " << list->Count() << ' ' << list->What() << "(s) to " << args.Positional[1]
          << '\n';
    return 0;
}

int runStringsImport(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(
        raw, {},
        {QStringLiteral("--labels"), QStringLiteral("--messages"), QStringLiteral("--texts")});
    if (args.Positional.size() != 2)
        throw UsageError{QStringLiteral("expected FILE IN.txt")};
    const QString file = args.Positional[0];
    auto pkg = loadPackageOf<TQzPkgStrings>(file, TQzPkgKind::Strings);
    TQzPkgItemList* list = chooseList(args, *pkg);

    QFile in(args.Positional[1]);
    if (!in.open(QIODevice::ReadOnly))
        QzExcept(QStringLiteral("Cannot open %1: %2").arg(args.Positional[1], in.errorString()));
    const QList<TQzStringsTextItem> items =
        QzStringsImportText(*list, in.readAll(), args.Positional[1]);
    QzReplaceStringsItems(*list, items);
    pkg->SaveToFile(file);
    c.out << "Imported " << items.size() << ' ' << list->What() << "(s) into " << file << '\n';
    return 0;
}

int runImagesAdd(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {QStringLiteral("--first-id")}, {});
    if (args.Positional.size() < 2)
        throw UsageError{QStringLiteral("expected FILE PICTURE...")};
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
    return 0;
}

int runNew(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args =
        ParseArgs(raw, {QStringLiteral("--name"), QStringLiteral("--description")}, {});
    if (args.Positional.size() != 2)
        throw UsageError{QStringLiteral("expected KIND FILE")};
    TQzPkgKind kind{};
    if (!QzPkgKindFromName(args.Positional[0], kind))
        throw UsageError{
            QStringLiteral("unknown kind '%1'; kinds are %2").arg(args.Positional[0], kindList())};
    const QString file = args.Positional[1];
    if (QFileInfo::exists(file))
        QzExcept(QStringLiteral("%1 already exists; it is left as it is").arg(file));
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(kind));
    pkg->SetPkgName(args.value(QStringLiteral("--name"), QFileInfo(file).completeBaseName()));
    pkg->SetDescription(args.value(QStringLiteral("--description")));
    pkg->SaveToFile(file);
    c.out << "Created " << QzPkgKindName(kind) << " package '" << pkg->GetPkgName() << "' in "
          << file << '\n';
    return 0;
}

int runInfo(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {}, {QStringLiteral("--json")});
    if (args.Positional.size() != 1)
        throw UsageError{QStringLiteral("expected FILE")};
    const QString file = args.Positional[0];
    const TQzPkgFileHeader header = QzReadPkgFileHeader(file);
    const std::unique_ptr<TQzPkgInfo> pkg = loadPackage(file);
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
        return 0;
    }
    c.out << "File:           " << file << '\n'
          << "Kind:           " << QzPkgKindName(header.Kind) << '\n'
          << "Name:           " << header.Name << '\n'
          << "Description:    " << header.Description << '\n'
          << "Format version: " << header.Version << '\n';
    for (const auto& [name, count] : counts)
        c.out << QStringLiteral("%1 %2\n").arg(name + u':', -15).arg(count);
    return 0;
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
                        "read and checked. --json prints one JSON object instead.\n"),
         runInfo},
        {QStringLiteral("strings-export"),
         QStringLiteral("export the labels, messages or texts of a strings package"),
         QStringLiteral(
             "Usage: qzpkg strings-export FILE --labels|--messages|--texts OUT.txt\n\n"
             "Writes every item of the list, by ascending id, one line each: the id, the text\n"
             "and (labels) the hint, separated by commas. Fields holding commas, quotes,\n"
             "line breaks or outer blanks are quoted, so every text comes back exactly.\n"
             "Trailing empty fields are left out. The protection flag is not exported.\n"),
         runStringsExport},
        {QStringLiteral("strings-import"),
         QStringLiteral("replace a list of a strings package from a text file"),
         QStringLiteral("Usage: qzpkg strings-import FILE --labels|--messages|--texts IN.txt\n\n"
                        "Replaces the list with the items of IN.txt, in the format strings-export\n"
                        "writes. Blank lines are skipped. Every line is checked first: a bad line\n"
                        "(not an id, an id twice, a broken quote) is reported with its number and\n"
                        "FILE is left untouched. Imported items are not protected.\n"),
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
