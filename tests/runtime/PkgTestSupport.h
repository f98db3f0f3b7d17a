#pragma once

// Shared by the package tests: a scratch folder as the application path, file helpers, every
// package kind filled and described, and what reads a package's published values.

#include "BinaryForm.h"
#include "QzExcept.h"
#include "QzPkgFile.h"
#include "QzPkgInfo.h"
#include "QzRuntime.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QMetaProperty>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class PkgTest : public ::testing::Test {
protected:
    void SetUp() override {
        QzRegisterRuntimeClasses();
        ASSERT_TRUE(FDir.isValid());
        QzSetAppPath(FDir.path());
    }
    void TearDown() override { QzSetAppPath(QString()); }

    QString path(const QString& name) const { return FDir.filePath(name); }
    QByteArray readBytes(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeBytes(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir FDir;
};

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// The message of the EQzError `f` raises, or "no error".
template <typename F>
std::string errorOf(F&& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message().toStdString();
    }
    return "no error";
}

// The published values of `object`, its persistent sub-objects and collection items, one line
// each, read through the getters. Byte arrays are left out: they hold nested packages, which
// are described on their own.
inline void publish(const QObject* object, const QString& prefix, QStringList& lines) {
    if (auto* list = qobject_cast<const TCollection*>(object)) {
        for (int i = 0; i < list->Count(); ++i)
            publish(list->Items(i), prefix + QStringLiteral("%1.").arg(i), lines);
        return;
    }
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        const QString name = prefix + QLatin1String(p.name());
        const QVariant value = p.read(object);
        if (p.metaType().flags() & QMetaType::PointerToQObject) {
            auto* sub = qobject_cast<const TPersistent*>(value.value<QObject*>());
            if (sub && !qobject_cast<const TComponent*>(sub))
                publish(sub, name + u'.', lines);
        } else if (p.metaType() == QMetaType::fromType<QDateTime>()) {
            // The moment, whichever zone it is told in.
            lines << name + QStringLiteral(" = ") +
                         value.toDateTime().toUTC().toString(Qt::ISODate);
        } else if (p.metaType() != QMetaType::fromType<QByteArray>()) {
            QString text;
            QDebug(&text).noquote() << value;
            lines << name + QStringLiteral(" = ") + text;
        }
    }
}
inline QStringList published(const QObject* object) {
    QStringList lines;
    publish(object, QString(), lines);
    return lines;
}

// A package kind as the kind-independent tests take it.
struct PkgKind {
    TQzPkgKind Kind;
    const char* Ext;
    QString (*ReadDescription)(const QString& fileName);
    // Every part different from a new package's.
    void (*Fill)(TQzPkgInfo&);
    // A little content of another kind, for loads that must leave it alone.
    void (*Keep)(TQzPkgInfo&);
    // What a caller reads of the package, not through the streams.
    QStringList (*Describe)(TQzPkgInfo&);
};
inline void PrintTo(const PkgKind& kind, std::ostream* os) {
    *os << kind.Ext;
}
const std::vector<PkgKind>& pkgKinds();
const PkgKind& pkgKind(TQzPkgKind kind);
