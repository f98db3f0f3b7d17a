#include "Command.h"

#include "QzExcept.h"
#include "QzPkgInfo.h"
#include "QzRuntime.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
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
    std::unique_ptr<TQzPkgInfo> pkg(QzCreatePackage(header.Kind));
    pkg->LoadFromFile(file);
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
        c.out << QStringLiteral("%1%2\n").arg(name + u':', -16).arg(count);
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
    };
}
