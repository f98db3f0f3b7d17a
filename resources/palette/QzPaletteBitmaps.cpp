#include "QzPaletteBitmaps.h"

#include <QDir>
#include <QFile>

namespace {

// Names are letters and digits only, so no name reaches outside the palette's resources.
QString resourcePath(const QString& resourceName) {
    if (resourceName.isEmpty())
        return QString();
    for (const QChar c : resourceName)
        if (c > QChar(0x7F) || !c.isLetterOrNumber())
            return QString();
    return QStringLiteral(":/qzpalette/%1.bmp").arg(resourceName.toUpper());
}

} // namespace

QImage QzPaletteBitmap(const QString& resourceName) {
    const QString path = resourcePath(resourceName);
    return path.isEmpty() ? QImage() : QImage(path, "BMP");
}

QByteArray QzPaletteBitmapData(const QString& resourceName) {
    const QString path = resourcePath(resourceName);
    if (path.isEmpty())
        return QByteArray();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList QzPaletteBitmapNames() {
    QStringList names = QDir(QStringLiteral(":/qzpalette"))
                            .entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    for (QString& name : names)
        name.chop(4);
    return names;
}
