#pragma once

// Shared by the package tests: a scratch folder as the application path, file helpers.

#include "QzPkgInfo.h"
#include "QzRuntime.h"

#include <QFile>
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
