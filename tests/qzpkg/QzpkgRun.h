#pragma once

// Runs the built qzpkg as a person or a script would.

#include <QProcess>
#include <QStringList>

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
