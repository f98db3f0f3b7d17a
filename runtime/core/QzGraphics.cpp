#include "QzGraphics.h"

#include <QImageReader>
#include <QImageWriter>
#include <QRegularExpression>
#include <algorithm>

namespace {

struct KnownClass {
    const char* ClassName;
    const char* Description;
    std::initializer_list<const char*> Formats; // the first reads; all are aliases
    std::initializer_list<const char*> Extensions;
};

// The names are stored with pictures: change none of them.
const KnownClass Known[] = {
    {"TBitmap", "Bitmaps", {"bmp"}, {"bmp", "dib"}},
    {"TPngImage", "Portable Network Graphics", {"png"}, {"png"}},
    {"TJPEGImage", "JPEG Image File", {"jpeg", "jpg"}, {"jpg", "jpeg", "jpe", "jfif"}},
    {"TGIFImage", "GIF Image", {"gif"}, {"gif"}},
    {"TIcon", "Icons", {"ico"}, {"ico"}},
    {"TCursorImage", "Cursors", {"cur"}, {"cur"}},
    {"TPbmImage", "Portable Bitmap", {"pbm"}, {"pbm"}},
    {"TPgmImage", "Portable Graymap", {"pgm"}, {"pgm"}},
    {"TPpmImage", "Portable Pixmap", {"ppm"}, {"ppm"}},
    {"TXbmImage", "X Bitmap", {"xbm"}, {"xbm"}},
    {"TXpmImage", "X Pixmap", {"xpm"}, {"xpm"}},
    {"TSvgImage", "Scalable Vector Graphics", {"svg", "svgz"}, {"svg", "svgz"}},
    {"TTiffImage", "TIFF Image", {"tiff", "tif"}, {"tif", "tiff"}},
    {"TWebPImage", "WebP Image", {"webp"}, {"webp"}},
    {"TTgaImage", "Targa Image", {"tga"}, {"tga"}},
    {"TWbmpImage", "Wireless Bitmap", {"wbmp"}, {"wbmp"}},
    {"TIcnsImage", "Apple Icon Image", {"icns"}, {"icns"}},
};

TQzGraphicClass makeClass(QString className, QString description, QStringList extensions,
                          QByteArray format, const QList<QByteArray>& writable) {
    TQzGraphicClass cls;
    cls.ClassName = std::move(className);
    cls.Description = std::move(description);
    cls.Extensions = std::move(extensions);
    cls.DefaultExt = cls.Extensions.value(0);
    QStringList masks;
    for (const QString& ext : cls.Extensions)
        masks.push_back(QStringLiteral("*.") + ext);
    const QString mask = masks.join(u';');
    cls.Filter = cls.Description + QStringLiteral(" (") + mask + QStringLiteral(")|") + mask;
    cls.CanWrite = writable.contains(format);
    cls.Format = std::move(format);
    return cls;
}

QList<TQzGraphicClass> buildRegistry() {
    QList<QByteArray> readable = QImageReader::supportedImageFormats();
    const QList<QByteArray> writable = QImageWriter::supportedImageFormats();
    QList<TQzGraphicClass> classes;
    for (const KnownClass& known : Known) {
        QByteArray format;
        for (const char* alias : known.Formats) {
            if (readable.removeAll(QByteArray(alias)) > 0 && format.isEmpty())
                format = alias;
        }
        if (format.isEmpty())
            continue;
        QStringList extensions;
        for (const char* ext : known.Extensions)
            extensions.push_back(QString::fromLatin1(ext));
        classes.push_back(makeClass(QString::fromLatin1(known.ClassName),
                                    QString::fromLatin1(known.Description), extensions, format,
                                    writable));
    }
    // Formats added by plugins the table does not know get a class named after the format.
    std::sort(readable.begin(), readable.end());
    for (const QByteArray& format : readable) {
        const QString name = QString::fromLatin1(format).toLower();
        QString word = name;
        word.remove(QRegularExpression(QStringLiteral("[^a-z0-9]")));
        if (word.isEmpty())
            continue;
        word[0] = word[0].toUpper();
        classes.push_back(makeClass(QStringLiteral("T") + word + QStringLiteral("Image"),
                                    name.toUpper() + QStringLiteral(" Image"), {name}, format,
                                    writable));
    }
    return classes;
}

} // namespace

const QList<TQzGraphicClass>& QzGraphicClasses() {
    static const QList<TQzGraphicClass> classes = buildRegistry();
    return classes;
}

const TQzGraphicClass* QzFindGraphicClass(const QString& className) {
    for (const TQzGraphicClass& cls : QzGraphicClasses())
        if (cls.ClassName.compare(className, Qt::CaseInsensitive) == 0)
            return &cls;
    return nullptr;
}

const TQzGraphicClass* QzGraphicClassOfFormat(const QByteArray& format) {
    const QByteArray key = format.toLower();
    for (const KnownClass& known : Known)
        for (const char* alias : known.Formats)
            if (key == alias)
                return QzFindGraphicClass(QString::fromLatin1(known.ClassName));
    for (const TQzGraphicClass& cls : QzGraphicClasses())
        if (cls.Format == key)
            return &cls;
    return nullptr;
}

const TQzGraphicClass* QzGraphicClassOfExtension(const QString& extension) {
    const QString ext = extension.startsWith(u'.') ? extension.mid(1) : extension;
    if (ext.isEmpty())
        return nullptr;
    for (const TQzGraphicClass& cls : QzGraphicClasses())
        if (cls.Extensions.contains(ext, Qt::CaseInsensitive))
            return &cls;
    return nullptr;
}

void QzFormatGraphics(QStringList& list) {
    for (const TQzGraphicClass& cls : QzGraphicClasses())
        list.push_back(cls.ClassName);
}

QString QzFindGraphicDescription(const QString& className) {
    const TQzGraphicClass* cls = QzFindGraphicClass(className);
    return cls ? cls->Description : QString();
}

QString QzGraphicsFilter(const QString& extraFilter) {
    QStringList masks;
    QStringList filters;
    for (const TQzGraphicClass& cls : QzGraphicClasses()) {
        for (const QString& ext : cls.Extensions)
            masks.push_back(QStringLiteral("*.") + ext);
        filters.push_back(cls.Filter);
    }
    if (!extraFilter.isEmpty()) {
        masks.push_back(extraFilter.section(u'|', 1, 1));
        filters.push_back(extraFilter);
    }
    const QString all = masks.join(u';');
    filters.prepend(QStringLiteral("All pictures (") + all + QStringLiteral(")|") + all);
    return filters.join(u'|');
}
