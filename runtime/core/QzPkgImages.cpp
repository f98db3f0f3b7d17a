#include "QzPkgImages.h"

#include "BinaryForm.h"
#include "ComponentStreams.h"
#include "FileWrite.h"
#include "Filer.h"
#include "QzExcept.h"
#include "QzGraphics.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Pictures

// Decodes with the class's own format only, so bytes stored under a wrong class are refused.
QImage decodePicture(const QByteArray& bytes, const TQzGraphicClass& cls) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, cls.Format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

const TQzGraphicClass& registeredClass(const QString& className) {
    const TQzGraphicClass* cls = QzFindGraphicClass(className);
    if (!cls)
        QzExcept(QStringLiteral("the graphic class \"%1\" is not available").arg(className));
    return *cls;
}

QImage decodeOrRaise(const QByteArray& bytes, const TQzGraphicClass& cls) {
    if (bytes.isEmpty())
        QzExcept(QStringLiteral("the picture has no data"));
    QImage picture = decodePicture(bytes, cls);
    if (picture.isNull())
        QzExcept(QStringLiteral("the picture does not decode as %1").arg(cls.Description));
    return picture;
}

QByteArray encodePicture(const QImage& picture, const QByteArray& format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(picture))
        QzExcept(QStringLiteral("the picture cannot be written as %1: %2")
                     .arg(QString::fromLatin1(format), writer.errorString()));
    return bytes;
}

// ---------------------------------------------------------------------------------------------
// Little-endian fields, regions as rectangle lists

template <typename T>
void appendLE(QByteArray& out, T v) {
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

constexpr qsizetype RectBytes = 16;

void appendRects(QByteArray& out, const QRegion& region) {
    for (const QRect& r : region) {
        appendLE<qint32>(out, r.x());
        appendLE<qint32>(out, r.y());
        appendLE<qint32>(out, r.width());
        appendLE<qint32>(out, r.height());
    }
}

QByteArray regionBytes(const QRegion& region) {
    QByteArray out;
    appendRects(out, region);
    return out;
}

// Pairwise unions keep building a region from n rectangles at n log n.
QRegion uniteRects(const std::vector<QRect>& rects, std::size_t from, std::size_t to) {
    if (to - from == 1)
        return QRegion(rects[from]);
    const std::size_t mid = from + (to - from) / 2;
    return uniteRects(rects, from, mid).united(uniteRects(rects, mid, to));
}

QRegion regionFromRects(const char* data, qsizetype count, const char* which) {
    std::vector<QRect> rects;
    rects.reserve(std::size_t(count));
    for (qsizetype i = 0; i < count; ++i) {
        qint32 v[4];
        std::memcpy(v, data + i * RectBytes, sizeof v);
        const qint64 right = qint64(v[0]) + v[2];
        const qint64 bottom = qint64(v[1]) + v[3];
        if (v[0] < 0 || v[1] < 0 || v[2] <= 0 || v[3] <= 0 || right > INT_MAX || bottom > INT_MAX)
            QzExcept(QStringLiteral("the %1 mask holds an impossible rectangle").arg(which));
        rects.emplace_back(v[0], v[1], v[2], v[3]);
    }
    return rects.empty() ? QRegion() : uniteRects(rects, 0, rects.size());
}

QRegion regionFromBytes(const QByteArray& bytes, const char* which) {
    if (bytes.size() % RectBytes != 0)
        QzExcept(QStringLiteral("the %1 mask data is damaged").arg(which));
    return regionFromRects(bytes.constData(), bytes.size() / RectBytes, which);
}

// ---------------------------------------------------------------------------------------------
// The ".imqz" file: magic, version, flags, eight margins, graphic class, picture, both masks as
// rectangle lists and a checksum of everything before it.

constexpr char ImqzMagic[8] = {'\x89', 'Q', 'Z', 'I', 'M', 'G', '\r', '\n'};
constexpr quint16 ImqzVersion = 1;
constexpr quint32 MaxClassName = 255;

enum ImqzFlag : quint8 {
    ifAdjusts = 1,
    ifSyncHor = 2,
    ifSyncVer = 4,
    ifExternal = 8,
    ifInternal = 16,
    ifAll = 31,
};

class ImqzReader {
public:
    explicit ImqzReader(const QByteArray& bytes) : FBytes(bytes) {}

    const char* take(qsizetype n) {
        if (n < 0 || FBytes.size() - FPos < n)
            QzExcept(QStringLiteral("it is truncated"));
        const char* p = FBytes.constData() + FPos;
        FPos += n;
        return p;
    }
    template <typename T>
    T read() {
        T v;
        std::memcpy(&v, take(sizeof v), sizeof v);
        return v;
    }
    qsizetype pos() const { return FPos; }
    qsizetype left() const { return FBytes.size() - FPos; }

private:
    const QByteArray& FBytes;
    qsizetype FPos = 0;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Image

TQzPkgImagesImage::TQzPkgImagesImage(TCollection* collection) : TQzPkgItem(collection) {}

QByteArray TQzPkgImagesImage::ReadStream(bool asBitmap) const {
    if (Empty() || !asBitmap)
        return FPictureBytes;
    return encodePicture(FPicture, "bmp");
}

void TQzPkgImagesImage::SetPicture(const QByteArray& bytes, const QString& graphicClass) {
    const TQzGraphicClass& cls = registeredClass(graphicClass);
    QImage picture = decodeOrRaise(bytes, cls);
    FPictureBytes = bytes;
    FGraphicClass = cls.ClassName;
    FPicture = std::move(picture);
    FExternal.reset();
    FInternal.reset();
}

void TQzPkgImagesImage::SetPicture(const QImage& picture) {
    if (picture.isNull()) {
        Clear();
        return;
    }
    SetPicture(encodePicture(picture, "png"), QStringLiteral("TPngImage"));
}

void TQzPkgImagesImage::Clear() {
    FPictureBytes.clear();
    FGraphicClass.clear();
    FPicture = QImage();
    FExternal.reset();
    FInternal.reset();
}

void TQzPkgImagesImage::setMargin(int index, int value) {
    if (value < 0)
        QzExcept(QStringLiteral("A stretch margin cannot be negative (%1)").arg(value));
    FMargins[std::size_t(index)] = value;
}

void TQzPkgImagesImage::checkMask(const std::optional<QRegion>& region, const char* which) const {
    if (!region)
        return;
    const QString image =
        Id() >= 0 ? QStringLiteral("image %1").arg(Id()) : QStringLiteral("the image");
    if (Empty())
        QzExcept(QStringLiteral("The %1 mask of %2 has no picture to apply to")
                     .arg(QLatin1String(which), image));
    if (!region->isEmpty() && !QRect(0, 0, Width(), Height()).contains(region->boundingRect()))
        QzExcept(QStringLiteral("The %1 mask of %2 reaches outside its %3x%4 picture")
                     .arg(QLatin1String(which), image)
                     .arg(Width())
                     .arg(Height()));
}

void TQzPkgImagesImage::CreateExternalMask(const std::optional<QRegion>& region) {
    checkMask(region, "external");
    FExternal = region;
}

void TQzPkgImagesImage::CreateInternalMask(const std::optional<QRegion>& region) {
    checkMask(region, "internal");
    FInternal = region;
}

void TQzPkgImagesImage::Validate() const {
    checkMask(FExternal, "external");
    checkMask(FInternal, "internal");
}

void TQzPkgImagesImage::Assign(const TPersistent* source) {
    const auto* other = qobject_cast<const TQzPkgImagesImage*>(source);
    if (!other) {
        TQzPkgItem::Assign(source);
        return;
    }
    FPictureBytes = other->FPictureBytes;
    FGraphicClass = other->FGraphicClass;
    FPicture = other->FPicture;
    FExternal = other->FExternal;
    FInternal = other->FInternal;
    FAdjusts = other->FAdjusts;
    FSyncHor = other->FSyncHor;
    FSyncVer = other->FSyncVer;
    FMargins = other->FMargins;
    Protected = other->Protected;
}

void TQzPkgImagesImage::DefineProperties(TFiler& filer) {
    TQzPkgItem::DefineProperties(filer);
    // The class travels with the bytes; masks are checked against the picture once the whole
    // image has been read (Validate), whatever order the stream holds them in.
    filer.DefineProperty(
        QStringLiteral("Picture"),
        [this](TReader& reader) {
            reader.ReadListBegin();
            const QString className = reader.ReadString();
            const QByteArray bytes = reader.ReadBinary();
            reader.ReadListEnd();
            const TQzGraphicClass& cls = registeredClass(className);
            FPicture = decodeOrRaise(bytes, cls);
            FPictureBytes = bytes;
            FGraphicClass = cls.ClassName;
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            writer.WriteString(FGraphicClass);
            writer.WriteBinary(FPictureBytes);
            writer.WriteListEnd();
        },
        !Empty());
    filer.DefineBinaryProperty(
        QStringLiteral("ExternalMask"),
        [this](const QByteArray& bytes) { FExternal = regionFromBytes(bytes, "external"); },
        [this] { return regionBytes(*FExternal); }, FExternal.has_value());
    filer.DefineBinaryProperty(
        QStringLiteral("InternalMask"),
        [this](const QByteArray& bytes) { FInternal = regionFromBytes(bytes, "internal"); },
        [this] { return regionBytes(*FInternal); }, FInternal.has_value());
}

QByteArray TQzPkgImagesImage::SaveToImqz() const {
    QByteArray out(ImqzMagic, sizeof ImqzMagic);
    appendLE<quint16>(out, ImqzVersion);
    quint8 flags = 0;
    if (FAdjusts)
        flags |= ifAdjusts;
    if (FSyncHor)
        flags |= ifSyncHor;
    if (FSyncVer)
        flags |= ifSyncVer;
    if (FExternal)
        flags |= ifExternal;
    if (FInternal)
        flags |= ifInternal;
    out.append(char(flags));
    for (int margin : FMargins)
        appendLE<qint32>(out, margin);
    const QByteArray className = FGraphicClass.toUtf8();
    appendLE<quint16>(out, quint16(className.size()));
    out += className;
    appendLE<quint32>(out, quint32(FPictureBytes.size()));
    out += FPictureBytes;
    for (const auto* mask : {&FExternal, &FInternal}) {
        appendLE<quint32>(out, *mask ? quint32((*mask)->rectCount()) : 0u);
        if (*mask)
            appendRects(out, **mask);
    }
    appendLE<quint32>(out, QzCrc32(out));
    return out;
}

void TQzPkgImagesImage::LoadFromImqz(const QByteArray& bytes, const QString& origin) {
    // Everything is read into a loose image first; this one changes only when all is right.
    TQzPkgImagesImage staged;
    try {
        ImqzReader in(bytes);
        if (bytes.size() < qsizetype(sizeof ImqzMagic) ||
            std::memcmp(bytes.constData(), ImqzMagic, sizeof ImqzMagic) != 0)
            QzExcept(QStringLiteral("it is not an image file of this library"));
        in.take(sizeof ImqzMagic);
        const auto version = in.read<quint16>();
        if (version == 0 || version > ImqzVersion)
            QzExcept(QStringLiteral("format version %1 is not one this library reads (%2)")
                         .arg(version)
                         .arg(ImqzVersion));
        const auto flags = in.read<quint8>();
        if (flags & ~ifAll)
            QzExcept(QStringLiteral("it holds unknown flags (%1)").arg(flags));
        staged.FAdjusts = flags & ifAdjusts;
        staged.FSyncHor = flags & ifSyncHor;
        staged.FSyncVer = flags & ifSyncVer;
        for (int i = 0; i < 8; ++i)
            staged.setMargin(i, in.read<qint32>());
        const auto classLength = in.read<quint16>();
        if (classLength > MaxClassName)
            QzExcept(QStringLiteral("the graphic class name is %1 bytes long").arg(classLength));
        const QString className = QString::fromUtf8(in.take(classLength), classLength);
        const auto pictureLength = in.read<quint32>();
        if (qint64(pictureLength) > in.left())
            QzExcept(QStringLiteral("it is truncated"));
        const QByteArray picture(in.take(pictureLength), pictureLength);
        struct MaskData {
            std::optional<QRegion>* Mask;
            ImqzFlag Flag;
            const char* Which;
            const char* Rects = nullptr;
            quint32 Count = 0;
        };
        MaskData masks[] = {{&staged.FExternal, ifExternal, "external"},
                            {&staged.FInternal, ifInternal, "internal"}};
        for (MaskData& mask : masks) {
            mask.Count = in.read<quint32>();
            if (qint64(mask.Count) * RectBytes > in.left())
                QzExcept(QStringLiteral("it is truncated"));
            if (mask.Count > 0 && !(flags & mask.Flag))
                QzExcept(QStringLiteral("it holds %1 mask data without an %1 mask")
                             .arg(QLatin1String(mask.Which)));
            mask.Rects = in.take(qsizetype(mask.Count) * RectBytes);
        }
        // The checksum first: damage is reported as such, not as whatever it broke.
        const QByteArrayView checked(bytes.constData(), in.pos());
        if (in.read<quint32>() != QzCrc32(checked))
            QzExcept(QStringLiteral("it is damaged (checksum mismatch)"));
        if (in.left() > 0)
            QzExcept(QStringLiteral("it has %1 unexpected bytes at its end").arg(in.left()));
        if (!className.isEmpty() || !picture.isEmpty()) {
            const TQzGraphicClass& cls = registeredClass(className);
            staged.FPicture = decodeOrRaise(picture, cls);
            staged.FPictureBytes = picture;
            staged.FGraphicClass = cls.ClassName;
        }
        for (const MaskData& mask : masks)
            if (flags & mask.Flag)
                *mask.Mask = regionFromRects(mask.Rects, mask.Count, mask.Which);
        staged.Validate();
    } catch (const EQzError& e) {
        QzExcept(QStringLiteral("Cannot read %1: %2").arg(origin, e.Message()));
    }
    staged.Protected = Protected;
    Assign(&staged);
}

void TQzPkgImagesImage::LoadFromFile(const QString& fileName) {
    const QString origin = QStringLiteral("image file \"%1\"").arg(fileName);
    QFile file(fileName);
    if (!file.exists())
        QzExcept(QStringLiteral("Cannot read %1: the file does not exist").arg(origin));
    if (!file.open(QIODevice::ReadOnly))
        QzExcept(QStringLiteral("Cannot read %1: %2").arg(origin, file.errorString()));
    const QByteArray bytes = file.readAll();
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.compare(QLatin1String(QzImqzExtension), Qt::CaseInsensitive) == 0) {
        LoadFromImqz(bytes, origin);
        return;
    }
    // The content decides the class; the extension helps formats that carry no signature.
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QList<const TQzGraphicClass*> candidates{
        QzGraphicClassOfFormat(QImageReader::imageFormat(&buffer)),
        QzGraphicClassOfExtension(suffix)};
    for (const TQzGraphicClass* cls : candidates) {
        if (!cls)
            continue;
        QImage picture = decodePicture(bytes, *cls);
        if (picture.isNull())
            continue;
        FPictureBytes = bytes;
        FGraphicClass = cls->ClassName;
        FPicture = std::move(picture);
        FExternal.reset();
        FInternal.reset();
        return;
    }
    QzExcept(QStringLiteral("Cannot read %1: it is not a picture in a format this library reads")
                 .arg(origin));
}

void TQzPkgImagesImage::SaveToFile(const QString& fileName) const {
    const QString suffix = QFileInfo(fileName).suffix();
    QByteArray bytes;
    try {
        if (suffix.compare(QLatin1String(QzImqzExtension), Qt::CaseInsensitive) == 0) {
            bytes = SaveToImqz();
        } else {
            if (Empty())
                QzExcept(QStringLiteral("the image has no picture"));
            const TQzGraphicClass* target = QzGraphicClassOfExtension(suffix);
            const bool convert = target && target->CanWrite &&
                                 target->ClassName.compare(FGraphicClass, Qt::CaseInsensitive);
            bytes = convert ? encodePicture(FPicture, target->Format) : FPictureBytes;
        }
    } catch (const EQzError& e) {
        QzExcept(QStringLiteral("Cannot write image file \"%1\": %2").arg(fileName, e.Message()));
    }
    WriteFileAtomic(fileName, bytes);
}

// ---------------------------------------------------------------------------------------------
// List, content, package

TQzPkgImagesImages::TQzPkgImagesImages(TPersistent* owner)
    : TQzPkgItemList(ClassOf<TQzPkgImagesImage>(), owner, QStringLiteral("image")) {}

TQzPkgImagesImage* TQzPkgImagesImages::GetItems(int index) const {
    return static_cast<TQzPkgImagesImage*>(Items(index));
}

TQzPkgImagesImage* TQzPkgImagesImages::FindId(int id) const {
    return static_cast<TQzPkgImagesImage*>(TQzPkgItemList::FindId(id));
}

TQzPkgImagesImage* TQzPkgImagesImages::Add(int id) {
    return static_cast<TQzPkgImagesImage*>(AddWithId(id));
}

TQzPkgImagesData::TQzPkgImagesData(QObject* parent)
    : TQzPkgData(parent), FImages(new TQzPkgImagesImages(this)) {}

TQzRgnDesignerSettings TQzPkgImagesData::RgnSettings() const {
    return {FRgnLeft, FRgnTop,   FRgnWidth,    FRgnHeight,
            FRgnZoom, FRgnState, FRgnExternal, FRgnDiagonals};
}

void TQzPkgImagesData::SetRgnSettings(const TQzRgnDesignerSettings& s) {
    FRgnLeft = s.Left;
    FRgnTop = s.Top;
    FRgnWidth = s.Width;
    FRgnHeight = s.Height;
    FRgnZoom = s.Zoom;
    FRgnState = s.State;
    FRgnExternal = s.External;
    FRgnDiagonals = s.Diagonals;
}

void TQzPkgImagesData::Validate() const {
    TQzPkgData::Validate();
    for (int i = 0; i < FImages->Count(); ++i)
        FImages->GetItems(i)->Validate();
}

TQzPkgImages::TQzPkgImages(TComponent* owner)
    : TQzPkgInfo(owner, TQzPkgKind::Images, QStringLiteral("pim")) {
    InitData();
}

std::unique_ptr<TQzPkgData> TQzPkgImages::CreateData() const {
    return std::make_unique<TQzPkgImagesData>();
}

std::unique_ptr<TQzPkgImagesData> QzReadPkgImagesData(const QByteArray& content) {
    auto data = std::make_unique<TQzPkgImagesData>();
    QzReadPkgData(content, *data);
    return data;
}

TQzPkgImages* QzFindPkgImages(const QString& name) {
    return static_cast<TQzPkgImages*>(QzFindPackage(TQzPkgKind::Images, name));
}

void QzPkgImagesActives(QStringList& list) {
    list += QzPackageNames(TQzPkgKind::Images);
}

QList<TQzPkgImages*> QzPkgImagesAll() {
    QList<TQzPkgImages*> all;
    for (TQzPkgInfo* p : QzAllPackages())
        if (p->Kind() == TQzPkgKind::Images)
            all.push_back(static_cast<TQzPkgImages*>(p));
    return all;
}

QString QzImageFileFilter() {
    return QzGraphicsFilter(QzImqzFilter);
}
