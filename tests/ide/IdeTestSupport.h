#pragma once

// Shared by the designer host tests: a copy of the example project in a scratch folder, a host
// with it open, and small helpers to read what the host wrote.

#include "QzDesignerHost.h"
#include "QzFormDesigner.h"
#include "SysUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class DemoCopy : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        const QDir demo(QStringLiteral(QZ_DEMO_DIR));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), path(name))) << name.toStdString();
        FHost = std::make_unique<TQzDesignerHost>();
    }
    void TearDown() override { FHost.reset(); }

    QString path(const QString& name) const { return FDir.filePath(name); }
    QByteArray readBytes(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString readText(const QString& name) const { return QString::fromUtf8(readBytes(name)); }
    void writeBytes(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    void openProject() { FHost->OpenProject(path(QStringLiteral("Demo.dpr"))); }
    TQzFormDesigner* openForm(const char* unit) {
        return FHost->OpenForm(path(QString::fromLatin1(unit) + QStringLiteral(".pas")));
    }

    QTemporaryDir FDir;
    std::unique_ptr<TQzDesignerHost> FHost;
};

// The message of the exception `f` raises, or "no error".
template <typename F>
std::string errorOf(F&& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message().toStdString();
    }
    return "no error";
}
