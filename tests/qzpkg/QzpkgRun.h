#pragma once

// Runs the built qzpkg as a person or a script would, in a scratch folder.

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

struct ToolRun {
    int Exit;
    QByteArray Out;
    QByteArray Err;
};

inline ToolRun qzpkg(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QZPKG_PATH), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// qzpkg reading `input` on its standard input, run in `folder`.
inline ToolRun qzpkgWithInput(const QStringList& args, const QByteArray& input,
                              const QString& folder) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(QStringLiteral(QZPKG_PATH), args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// qzpkg as a user whom file permissions bind: as itself, or under root as "nobody".
inline ToolRun qzpkgUnprivileged(const QStringList& args) {
    QProcess p;
    p.setChildProcessModifier([] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(127);
    });
    p.start(QStringLiteral(QZPKG_PATH), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// qzpkg unable to write files larger than `sizeLimit` bytes; with `stdoutFile` its standard
// output goes there.
inline ToolRun qzpkgWithFileSizeLimit(const QStringList& args, rlim_t sizeLimit,
                                      const QString& stdoutFile = QString()) {
    QProcess p;
    if (!stdoutFile.isEmpty())
        p.setStandardOutputFile(stdoutFile);
    p.setChildProcessModifier([sizeLimit] {
        const rlimit limit{sizeLimit, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    p.start(QStringLiteral(QZPKG_PATH), args);
    p.waitForFinished(30000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            stdoutFile.isEmpty() ? p.readAllStandardOutput() : QByteArray(),
            p.readAllStandardError()};
}

class QzpkgTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return Dir.filePath(name); }
    QByteArray read(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString& name, const QByteArray& data) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(data);
    }
    QTemporaryDir Dir;
};
