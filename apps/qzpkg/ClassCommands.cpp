#include "Command.h"

#include "Classes.h"
#include "QzRuntime.h"
#include "SysUtils.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QMetaProperty>

namespace {

// The type as a form designer names it: the class of an object, the enumeration or set, the
// event type, or the basic type.
QString declaredType(const QMetaProperty& prop) {
    const QMetaType type = prop.metaType();
    if ((type.flags() & QMetaType::PointerToQObject) && type.metaObject())
        return QString::fromLatin1(type.metaObject()->className());
    if (prop.isEnumType())
        return QString::fromLatin1(prop.enumerator().name());
    switch (type.id()) {
    case QMetaType::Bool:
        return QStringLiteral("Boolean");
    case QMetaType::Int:
        return QStringLiteral("Integer");
    case QMetaType::LongLong:
        return QStringLiteral("Int64");
    case QMetaType::Double:
        return QStringLiteral("Double");
    case QMetaType::QString:
        return QStringLiteral("string");
    case QMetaType::QVariant:
        return QStringLiteral("Variant");
    case QMetaType::QDateTime:
        return QStringLiteral("TDateTime");
    case QMetaType::QByteArray:
        return QStringLiteral("TBytes");
    case QMetaType::QStringList:
        return QStringLiteral("TStringList");
    default:
        return QString::fromLatin1(type.name());
    }
}

QString parentClass(TClass cls) {
    const QMetaObject* super = cls->Meta->superClass();
    return super ? QString::fromLatin1(super->className()) : QString();
}

int runClasses(const QStringList& raw, CommandContext& c) {
    const ParsedArgs args = ParseArgs(raw, {}, {QStringLiteral("--json")});
    args.expectPositional(0, 1, "[CLASS]");
    const bool json = args.has(QStringLiteral("--json"));
    QList<TClass> shown = RegisteredClasses();
    if (!args.Positional.isEmpty()) {
        const QString name = args.Positional[0];
        shown.removeIf([&](TClass cls) { return !SameText(cls->ClassName(), name); });
        if (shown.isEmpty())
            throw UsageError{QStringLiteral("no class named %1 is registered; 'qzpkg classes' "
                                            "lists them")
                                 .arg(name)};
    }
    QJsonArray classes;
    for (TClass cls : shown) {
        const QMetaObject* meta = cls->Meta;
        QJsonArray properties;
        if (!json)
            c.out << cls->ClassName() << " (" << parentClass(cls) << ")\n";
        for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
            const QMetaProperty prop = meta->property(i);
            const QString name = QString::fromLatin1(prop.name());
            if (json) {
                QJsonObject p{{QStringLiteral("name"), name},
                              {QStringLiteral("type"), declaredType(prop)}};
                if (!prop.isWritable())
                    p.insert(QStringLiteral("readOnly"), true);
                if (!prop.isStored())
                    p.insert(QStringLiteral("stored"), false);
                properties.append(p);
            } else {
                c.out << "  " << name << ": " << declaredType(prop);
                if (!prop.isWritable())
                    c.out << " (read-only)";
                c.out << '\n';
            }
        }
        if (json)
            classes.append(QJsonObject{{QStringLiteral("class"), cls->ClassName()},
                                       {QStringLiteral("parent"), parentClass(cls)},
                                       {QStringLiteral("properties"), properties}});
    }
    if (json)
        c.out << QJsonDocument(args.Positional.isEmpty() ? QJsonDocument(classes)
                                                         : QJsonDocument(classes[0].toObject()))
                     .toJson(QJsonDocument::Indented);
    return ExitDone;
}

} // namespace

std::vector<Command> ClassCommands() {
    QzRegisterRuntimeClasses();
    return {
        {QStringLiteral("classes"),
         QStringLiteral("list the library's classes with their published properties"),
         QStringLiteral("Usage: qzpkg classes [CLASS] [--json]\n\n"
                        "Lists every class of the library that forms can hold, in palette order\n"
                        "and then the rest, or only CLASS (any case), each with its base class\n"
                        "and its published properties and their declared types: the class of an\n"
                        "object-valued property, the enumeration or set, the event type, or the\n"
                        "basic type. --json prints a JSON array of classes instead, or the one\n"
                        "class object for CLASS.\n"),
         runClasses},
    };
}
