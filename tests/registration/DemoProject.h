#pragma once

// A copy of the example project in a scratch folder and a designer host to open it in.

#include "QzDesignerHost.h"
#include "QzFormDesigner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class DemoProject : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        const QDir demo(QStringLiteral(QZ_DEMO_DIR));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), path(name)));
        FHost = std::make_unique<TQzDesignerHost>();
    }
    void TearDown() override { FHost.reset(); }

    void openProject() { FHost->OpenProject(path(QStringLiteral("Demo.dpr"))); }
    // The package exactly as the designer loads it.
    void loadPackage() { FHost->LoadPackage(QStringLiteral(QZ_PACKAGE_FILE)); }

    QString path(const QString& name) const { return QDir::cleanPath(FDir.filePath(name)); }
    QByteArray read(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QTemporaryDir FDir;
    std::unique_ptr<TQzDesignerHost> FHost;
};
