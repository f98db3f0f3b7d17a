// The vars package commands: the tree as text or JSON, the whole content replaced from JSON, and
// one variable set. A package file is read whole and written through a temporary file, so a
// refused input or a failed write leaves it as it was.

#include "Command.h"

#include "QzExcept.h"
#include "QzPkgVarsText.h"
#include "QzRuntime.h"

#include <QFileInfo>
#include <functional>
#include <memory>

namespace {

// A vars package file, read whole, keeping the name it was saved under.
std::unique_ptr<TQzPkgVars> loadVars(const QString& file) {
    std::unique_ptr<TQzPkgInfo> pkg = ReadPackage(file);
    if (pkg->Kind() != TQzPkgKind::Vars)
        QzExcept(QStringLiteral("%1 holds a %2 package, not a vars package")
                     .arg(file, QzPkgKindName(pkg->Kind())));
    return std::unique_ptr<TQzPkgVars>(static_cast<TQzPkgVars*>(pkg.release()));
}

// A file that may not be written is left alone, though its folder would let it be replaced.
void requireWritable(const QString& file) {
    if (!QFileInfo(file).isWritable())
        QzExcept(QStringLiteral("%1 is read-only; it is left as it was").arg(file));
}

int runExport(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {}, {QStringLiteral("--json")});
    args.expectPositional(1, 1, "FILE");
    const std::unique_ptr<TQzPkgVars> pkg = loadVars(args.Positional[0]);
    if (args.has(QStringLiteral("--json")))
        c.out << QString::fromUtf8(QzPkgVarsToJson(*pkg));
    else
        c.out << QzPkgVarsListing(*pkg);
    return ExitDone;
}

int runImport(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {}, {});
    args.expectPositional(2, 2, "FILE JSON");
    ExpectChangedInPlace(args.Positional[0]);
    const QString file = args.Positional[0];
    const QString source = args.Positional[1];
    const std::unique_ptr<TQzPkgVars> pkg = loadVars(file);
    requireWritable(file);
    try {
        QzPkgVarsFromJson(*pkg, ReadInput(source), source);
    } catch (const EQzError& e) {
        QzExcept(QStringLiteral("%1; %2 is left as it was").arg(e.Message(), file));
    }
    pkg->SaveToFile(file);
    int count = 0;
    std::function<void(const TQzPkgVarsItems*)> countItems = [&](const TQzPkgVarsItems* items) {
        count += items->Count();
        for (int i = 0; i < items->Count(); ++i)
            if (items->GetItems(i)->Children())
                countItems(items->GetItems(i)->Children());
    };
    countItems(pkg->Items());
    c.out << "Imported " << count << " item(s) into " << file << '\n';
    return ExitDone;
}

int runSet(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {}, {});
    args.expectPositional(4, 4, "FILE PATH TYPE VALUE");
    ExpectChangedInPlace(args.Positional[0]);
    const QString file = args.Positional[0];
    const QString path = args.Positional[1];
    TQzPkgVarsItemType type{};
    if (!QzPkgVarsTypeFromName(args.Positional[2], type) || type == TQzPkgVarsItem::vtFolder)
        throw UsageError{QStringLiteral("TYPE is one of Boolean, Integer, Float, String")};
    const QString value = args.Positional[3];
    if (!QzPkgVarsValueTextValid(type, value))
        QzExcept(QStringLiteral("\"%1\" is not a value of type %2; %3 is left as it was")
                     .arg(value, QzPkgVarsTypeName(type), file));

    const std::unique_ptr<TQzPkgVars> pkg = loadVars(file);
    requireWritable(file);
    TQzPkgVarsItem* item = pkg->Find(path);
    const bool created = !item;
    try {
        if (!item) {
            item = pkg->Add(path, type);
        } else if (item->IsFolder()) {
            QzExcept(QStringLiteral("\"%1\" is a folder, not a variable").arg(item->Path()));
        } else {
            item->SetItemType(type);
        }
        QzPkgVarsSetValueText(item, value);
    } catch (const EQzError& e) {
        QzExcept(QStringLiteral("%1; %2 is left as it was").arg(e.Message(), file));
    }
    pkg->SaveToFile(file);
    c.out << (created ? "Added " : "Set ") << QzPkgVarsListingLine(item) << '\n';
    return ExitDone;
}

} // namespace

std::vector<Command> VarsCommands() {
    QzRegisterRuntimeClasses();
    return {
        {QStringLiteral("vars-export"),
         QStringLiteral("print the folders and variables of a vars package"),
         QStringLiteral(
             "Usage: qzpkg vars-export FILE [--json]\n\n"
             "Prints every folder and variable of a vars package file in package order, a\n"
             "folder before what it holds: one line each of the path (names separated by \"\\\"),\n"
             "the type (Folder, Boolean, Integer, Float, String) and the value, separated by\n"
             "tabs. Strings are quoted, with \\\" \\\\ \\n \\r \\t and \\uXXXX escapes.\n\n"
             "--json prints one object instead: {\"items\": [{\"path\", \"type\", \"value\"}, "
             "...],\n"
             "\"name\"}, keys sorted. Floats are JSON numbers that read back as exactly the same\n"
             "value; -0, nan, inf and -inf are strings.\n"),
         runExport},
        {QStringLiteral("vars-import"),
         QStringLiteral("replace the content of a vars package from JSON"),
         QStringLiteral(
             "Usage: qzpkg vars-import FILE JSON\n\n"
             "Replaces every folder and variable of the vars package file with the items of\n"
             "JSON, in the form vars-export --json writes (\"name\" is not read). Each item is\n"
             "{\"path\": \"Folder\\\\Name\", \"type\": \"Integer\", \"value\": 3}; a folder has no "
             "value,\n"
             "and comes before what it holds. Types are read in any case; a Float value may be\n"
             "a number or a text such as \"0.1\" or \"nan\". The whole file is checked first: a "
             "bad\n"
             "entry is reported with its number and path, and FILE is left untouched.\n"),
         runImport},
        {QStringLiteral("vars-set"), QStringLiteral("set one variable of a vars package"),
         QStringLiteral(
             "Usage: qzpkg vars-set FILE PATH TYPE VALUE\n\n"
             "Gives the variable at PATH (names separated by \"\\\") the type and the value. A\n"
             "variable that does not exist is added; the folders before its name must exist.\n"
             "TYPE is Boolean, Integer, Float or String, in any case. VALUE is read as the\n"
             "vars package editor reads it: true or false, a decimal integer, a number with\n"
             "'.' as the decimal point (nan and inf too), or any text. A value that does not\n"
             "read, a PATH naming a folder or a missing folder leave FILE untouched.\n"),
         runSet},
    };
}
