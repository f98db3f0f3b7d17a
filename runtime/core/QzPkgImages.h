#pragma once

// Images packages: pictures found by id, each with the shape masks and stretch margins the
// region designer edits. A picture is kept as the bytes it was loaded from together with its
// graphic class, so nothing is lost by re-encoding; it is decoded once to check and draw it.

#include "QzPkgInfo.h"

#include <QImage>
#include <QRegion>
#include <array>
#include <optional>

// The library's own image file: picture, masks, design flags and margins in one file.
inline constexpr char QzImqzExtension[] = "imqz";
inline const QString QzImqzFilter = QStringLiteral("ZaVazevazo Image Files lala(*.imqz)|*.IMQZ");

class TQzPkgImagesImage : public TQzPkgItem {
    Q_OBJECT
    Q_PROPERTY(bool Adjusts READ Adjusts WRITE SetAdjusts)
    Q_PROPERTY(bool SyncHor READ SyncHor WRITE SetSyncHor)
    Q_PROPERTY(bool SyncVer READ SyncVer WRITE SetSyncVer)
    Q_PROPERTY(int AdjustUp1 READ AdjustUp1 WRITE SetAdjustUp1)
    Q_PROPERTY(int AdjustUp2 READ AdjustUp2 WRITE SetAdjustUp2)
    Q_PROPERTY(int AdjustDown1 READ AdjustDown1 WRITE SetAdjustDown1)
    Q_PROPERTY(int AdjustDown2 READ AdjustDown2 WRITE SetAdjustDown2)
    Q_PROPERTY(int AdjustLeft1 READ AdjustLeft1 WRITE SetAdjustLeft1)
    Q_PROPERTY(int AdjustLeft2 READ AdjustLeft2 WRITE SetAdjustLeft2)
    Q_PROPERTY(int AdjustRight1 READ AdjustRight1 WRITE SetAdjustRight1)
    Q_PROPERTY(int AdjustRight2 READ AdjustRight2 WRITE SetAdjustRight2)
public:
    Q_INVOKABLE explicit TQzPkgImagesImage(TCollection* collection = nullptr);

    // The picture.
    bool Empty() const { return FPictureBytes.isEmpty(); }
    // "TPngImage", ...; empty without a picture.
    const QString& GraphicClass() const { return FGraphicClass; }
    int Width() const { return FPicture.width(); }
    int Height() const { return FPicture.height(); }
    // Bytes the stored picture takes.
    qint64 GetSize() const { return FPictureBytes.size(); }
    QImage Picture() const { return FPicture; }
    const QByteArray& PictureBytes() const { return FPictureBytes; }
    // The picture as an uncompressed bitmap file, or as the stored bytes.
    QByteArray ReadStream(bool asBitmap = true) const;
    // Takes encoded bytes of a registered graphic class; raises EQzError when they do not
    // decode. The masks belong to the old picture and are dropped.
    void SetPicture(const QByteArray& bytes, const QString& graphicClass);
    // Takes a decoded picture, kept as PNG so that it stays lossless; a null one empties.
    void SetPicture(const QImage& picture);
    // Empties the picture and its masks; flags and margins stay.
    void Clear();

    // Design flags and stretch margins (image pixels, never negative).
    bool Adjusts() const { return FAdjusts; }
    void SetAdjusts(bool value) { FAdjusts = value; }
    bool SyncHor() const { return FSyncHor; }
    void SetSyncHor(bool value) { FSyncHor = value; }
    bool SyncVer() const { return FSyncVer; }
    void SetSyncVer(bool value) { FSyncVer = value; }
    int AdjustUp1() const { return FMargins[0]; }
    void SetAdjustUp1(int value) { setMargin(0, value); }
    int AdjustUp2() const { return FMargins[1]; }
    void SetAdjustUp2(int value) { setMargin(1, value); }
    int AdjustDown1() const { return FMargins[2]; }
    void SetAdjustDown1(int value) { setMargin(2, value); }
    int AdjustDown2() const { return FMargins[3]; }
    void SetAdjustDown2(int value) { setMargin(3, value); }
    int AdjustLeft1() const { return FMargins[4]; }
    void SetAdjustLeft1(int value) { setMargin(4, value); }
    int AdjustLeft2() const { return FMargins[5]; }
    void SetAdjustLeft2(int value) { setMargin(5, value); }
    int AdjustRight1() const { return FMargins[6]; }
    void SetAdjustRight1(int value) { setMargin(6, value); }
    int AdjustRight2() const { return FMargins[7]; }
    void SetAdjustRight2(int value) { setMargin(7, value); }

    // Masks, in image pixels. The external region is the part of the picture that is kept (the
    // complement of the pixels cut away); the internal region is the image's inner area. None
    // means the image has no such mask. Storing a region outside the picture raises EQzError.
    bool GetExternalMask() const { return FExternal.has_value(); }
    bool GetInternalMask() const { return FInternal.has_value(); }
    std::optional<QRegion> CreateExternalRgn() const { return FExternal; }
    std::optional<QRegion> CreateInternalRgn() const { return FInternal; }
    void CreateExternalMask(const std::optional<QRegion>& region);
    void CreateInternalMask(const std::optional<QRegion>& region);

    // Copies everything but the id: picture, masks, design flags, margins and Protected.
    void Assign(const TPersistent* source) override;

    // Any registered picture format, or the library's own ".imqz" file.
    void LoadFromFile(const QString& fileName);
    // ".imqz" by extension; another registered format by extension is converted; anything else
    // gets the stored bytes in the picture's own format.
    void SaveToFile(const QString& fileName) const;
    // The ".imqz" form of this image, and back. `origin` names the source in messages
    // ("image file \"a.imqz\""); a bad source raises EQzError and changes nothing.
    QByteArray SaveToImqz() const;
    void LoadFromImqz(const QByteArray& bytes, const QString& origin);

    // Raises EQzError when a mask reaches outside the picture or exists without one.
    void Validate() const;

    void DefineProperties(TFiler& filer) override;

private:
    void setMargin(int index, int value);
    void checkMask(const std::optional<QRegion>& region, const char* which) const;

    QByteArray FPictureBytes;
    QString FGraphicClass;
    QImage FPicture;
    std::optional<QRegion> FExternal;
    std::optional<QRegion> FInternal;
    bool FAdjusts = false;
    bool FSyncHor = true;
    bool FSyncVer = true;
    std::array<int, 8> FMargins{};
};

class TQzPkgImagesImages : public TQzPkgItemList {
    Q_OBJECT
public:
    explicit TQzPkgImagesImages(TPersistent* owner);
    TQzPkgImagesImage* GetItems(int index) const;
    TQzPkgImagesImage* FindId(int id) const;
    // A new empty image; raises EQzError when the id is taken.
    TQzPkgImagesImage* Add(int id);
    using TCollection::Add;
};

// What the region designer remembers for the images of a package.
struct TQzRgnDesignerSettings {
    int Left = QzNeverPlaced;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Zoom = 1;
    int State = 0; // 2 = maximised
    bool External = true;
    bool Diagonals = true;
    bool operator==(const TQzRgnDesignerSettings&) const = default;
};

class TQzPkgImagesData : public TQzPkgData {
    Q_OBJECT
    Q_PROPERTY(TCollection* Images READ Images)
    Q_PROPERTY(int RgnLeft MEMBER FRgnLeft)
    Q_PROPERTY(int RgnTop MEMBER FRgnTop)
    Q_PROPERTY(int RgnWidth MEMBER FRgnWidth)
    Q_PROPERTY(int RgnHeight MEMBER FRgnHeight)
    Q_PROPERTY(int RgnZoom MEMBER FRgnZoom)
    Q_PROPERTY(int RgnState MEMBER FRgnState)
    Q_PROPERTY(bool RgnExternal MEMBER FRgnExternal)
    Q_PROPERTY(bool RgnDiagonals MEMBER FRgnDiagonals)
public:
    Q_INVOKABLE explicit TQzPkgImagesData(QObject* parent = nullptr);
    TQzPkgImagesImages* Images() const { return FImages; }
    TQzRgnDesignerSettings RgnSettings() const;
    void SetRgnSettings(const TQzRgnDesignerSettings& settings);
    void Validate() const override;

private:
    TQzPkgImagesImages* FImages;
    int FRgnLeft = QzNeverPlaced;
    int FRgnTop = 0;
    int FRgnWidth = 0;
    int FRgnHeight = 0;
    int FRgnZoom = 1;
    int FRgnState = 0;
    bool FRgnExternal = true;
    bool FRgnDiagonals = true;
};

class TQzPkgImages : public TQzPkgInfo {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzPkgImages(TComponent* owner = nullptr);

    TQzPkgImagesImages* Images() const { return data()->Images(); }
    TQzRgnDesignerSettings RgnSettings() const { return data()->RgnSettings(); }
    void SetRgnSettings(const TQzRgnDesignerSettings& settings) {
        data()->SetRgnSettings(settings);
    }

protected:
    std::unique_ptr<TQzPkgData> CreateData() const override;

private:
    TQzPkgImagesData* data() const { return static_cast<TQzPkgImagesData*>(Data()); }
};

// Reads and validates images content (an object stream of a TQzPkgImagesData), as packages that
// hold images packages do before they replace anything; raises.
std::unique_ptr<TQzPkgImagesData> QzReadPkgImagesData(const QByteArray& content);

// The loaded images package of that name (the active one first), or none.
TQzPkgImages* QzFindPkgImages(const QString& name);
// Fills `list` with the names of the loaded images packages.
void QzPkgImagesActives(QStringList& list);
// Every images package alive, with its owner, in creation order.
QList<TQzPkgImages*> QzPkgImagesAll();
// The open-dialog filter for images: every registered picture format and ".imqz".
QString QzImageFileFilter();
