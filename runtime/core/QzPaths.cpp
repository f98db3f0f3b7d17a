#include "QzPaths.h"

#include <QDir>
#include <QFileInfo>
#include <dlfcn.h>

QString QzAddPathBar(const QString& path) {
    if (path.isEmpty() || path.endsWith(u'/'))
        return path;
    return path + u'/';
}

QString QzAddPointExt(const QString& ext) {
    if (ext.isEmpty() || ext.startsWith(u'.'))
        return ext;
    return u'.' + ext;
}

namespace {
// Any object of this library: its address tells which file the library was loaded from.
const int libraryAnchor = 0;
} // namespace

QString QzGetInstallPackagesExists() {
    QString install = qEnvironmentVariable("QZ_INSTALL_DIR");
    if (install.isEmpty()) {
        Dl_info info{};
        if (dladdr(&libraryAnchor, &info) != 0 && info.dli_fname)
            install = QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absolutePath();
        else
            install = QDir::currentPath();
    }
    return QzAddPathBar(
        QDir::cleanPath(QDir(install).absoluteFilePath(QStringLiteral("packages"))));
}

QString QzDialogFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList names;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        names << parts[i];
    return names.join(QStringLiteral(";;"));
}
