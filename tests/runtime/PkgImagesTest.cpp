// Images packages and their images as editors, pickers, the region designer and form files use
// them: pictures in every format this machine reads, masks, margins, ".imqz" files. Package files
// and forms are tested with every kind.

#include "FileWrite.h"
#include "ImagesTestSupport.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzGraphics.h"
#include "QzPkgImages.h"

#include <QImageReader>
#include <array>
#include <cstring>

namespace {

class PkgImages : public PkgTest {};

// The stored checksum of an ".imqz" file, recomputed after a deliberate change.
QByteArray rechecked(QByteArray bytes) {
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < bytes.size() - 4; ++i)
        crc = table[(crc ^ static_cast<quint8>(bytes[i])) & 0xFF] ^ (crc >> 8);
    crc ^= 0xFFFFFFFFu;
    std::memcpy(bytes.data() + bytes.size() - 4, &crc, 4);
    return bytes;
}

void putInt(QByteArray& bytes, qsizetype at, qint32 value) {
    std::memcpy(bytes.data() + at, &value, 4);
}

void fill(TQzPkgImages& pkg) {
    pkgKind(TQzPkgKind::Images).Fill(pkg);
}

} // namespace

TEST_F(PkgImages, EveryFormatThisMachineReadsHasAGraphicClass) {
    QStringList names;
    QzFormatGraphics(names);
    for (const char* name : {"TBitmap", "TPngImage", "TJPEGImage", "TIcon"})
        EXPECT_TRUE(names.contains(QLatin1String(name))) << name;
    EXPECT_EQ(names.removeDuplicates(), 0);
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        EXPECT_NE(QzGraphicClassOfFormat(format), nullptr) << format.constData();

    const TQzGraphicClass* jpeg = QzFindGraphicClass(QStringLiteral("tjpegimage"));
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->ClassName, QStringLiteral("TJPEGImage"));
    EXPECT_EQ(jpeg->DefaultExt, QStringLiteral("jpg"));
    EXPECT_EQ(
        jpeg->Filter,
        QStringLiteral("JPEG Image File (*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif"));
    EXPECT_EQ(QzGraphicClassOfFormat("JPG"), jpeg);
    EXPECT_EQ(QzGraphicClassOfExtension(QStringLiteral(".JPEG")), jpeg);
    EXPECT_EQ(QzFindGraphicDescription(QStringLiteral("TPngImage")),
              QStringLiteral("Portable Network Graphics"));
    EXPECT_EQ(QzFindGraphicDescription(QStringLiteral("TNoSuchImage")), QString());

    const QString filter = QzImageFileFilter();
    EXPECT_TRUE(filter.startsWith(QStringLiteral("All pictures (*.bmp;*.dib;*.png;")))
        << filter.toStdString();
    EXPECT_TRUE(filter.endsWith(QStringLiteral("|ZaVazevazo Image Files lala(*.imqz)|*.IMQZ")));
    EXPECT_EQ(filter.count(u'|') % 2, 1);
}

TEST_F(PkgImages, ItemsRefuseDuplicateIdsMasksOutsideThePictureAndNegativeMargins) {
    TQzPkgImages pkg;
    fill(pkg);
    EXPECT_EQ(pkg.Images()->UniqueId(), 12);
    EXPECT_EQ(errorOf([&] { pkg.Images()->Add(10); }), "There is already an image with the id 10");
    EXPECT_EQ(errorOf([&] { pkg.Images()->FindId(3)->SetId(11); }),
              "There is already an image with the id 11");
    EXPECT_EQ(pkg.Images()->Count(), 3);

    TQzPkgImagesImage* image = pkg.Images()->FindId(3);
    const QByteArray before = image->SaveToImqz();
    EXPECT_EQ(errorOf([&] { image->CreateInternalMask(QRegion(10, 10, 7, 2)); }),
              "The internal mask of image 3 reaches outside its 16x12 picture");
    EXPECT_EQ(errorOf([&] { image->SetAdjustLeft2(-1); }),
              "A stretch margin cannot be negative (-1)");
    EXPECT_THROW(image->SetPicture(QByteArray("not a picture"), QStringLiteral("TPngImage")),
                 EQzError);
    EXPECT_EQ(errorOf([&] {
                  image->SetPicture(encoded(testPicture(2, 2), "png"), QStringLiteral("TBitmap"));
              }),
              "the picture does not decode as Bitmaps");
    EXPECT_EQ(errorOf([&] {
                  image->SetPicture(encoded(testPicture(2, 2), "png"), QStringLiteral("TFoo"));
              }),
              "the graphic class \"TFoo\" is not available");
    EXPECT_EQ(image->SaveToImqz(), before);
    EXPECT_EQ(errorOf([&] { pkg.Images()->FindId(11)->CreateExternalMask(QRegion(0, 0, 1, 1)); }),
              "The external mask of image 11 has no picture to apply to");

    // Removing a mask, a new picture dropping the old picture's masks, clearing.
    image->CreateExternalMask(std::nullopt);
    EXPECT_FALSE(image->GetExternalMask());
    EXPECT_TRUE(image->GetInternalMask());
    image->SetPicture(testPicture(30, 20));
    EXPECT_EQ(image->GraphicClass(), QStringLiteral("TPngImage"));
    EXPECT_EQ(image->Width(), 30);
    EXPECT_FALSE(image->GetInternalMask());
    EXPECT_EQ(image->AdjustRight2(), 8);
    image->Clear();
    EXPECT_TRUE(image->Empty());
    EXPECT_EQ(image->GetSize(), 0);
    EXPECT_EQ(image->Width(), 0);
}

TEST_F(PkgImages, AssignCopiesEverythingButTheId) {
    TQzPkgImages pkg;
    TQzPkgImagesImage* source = pkg.Images()->Add(1);
    fillImage(*source, 7);
    source->Protected = true;
    TQzPkgImagesImage* copy = pkg.Images()->Add(2);
    copy->Assign(source);
    expectSameImage(*copy, *source);
    EXPECT_TRUE(copy->Protected);
    EXPECT_EQ(copy->Id(), 2);
    EXPECT_EQ(pkg.Images()->FindId(2), copy);

    // The bitmap stream decodes to the same pixels.
    EXPECT_TRUE(QImage::fromData(copy->ReadStream(true), "BMP").size() == QSize(16, 12));
    EXPECT_TRUE(samePixels(QImage::fromData(copy->ReadStream(true), "BMP"), copy->Picture()));
    EXPECT_EQ(copy->ReadStream(false), copy->PictureBytes());
    EXPECT_EQ(copy->GetSize(), copy->PictureBytes().size());
}

TEST_F(PkgImages, LoadsPicturesWrittenByOtherProgramsByteForByte) {
    const QImage picture = testPicture(9, 6, 3);
    struct Case {
        const char* Format;
        const char* File;
        const char* ClassName;
        bool Lossless;
    };
    for (const Case& c :
         {Case{"png", "a.png", "TPngImage", true}, Case{"bmp", "a.bmp", "TBitmap", true},
          Case{"jpg", "a.jpeg", "TJPEGImage", false}, Case{"ppm", "a.ppm", "TPpmImage", true},
          // The content decides, not a misleading extension.
          Case{"png", "really-a-png.jpg", "TPngImage", true}}) {
        writeBytes(QString::fromLatin1(c.File), encoded(picture, c.Format));
        TQzPkgImagesImage image;
        fillImage(image);
        image.LoadFromFile(path(QString::fromLatin1(c.File)));
        EXPECT_EQ(image.GraphicClass(), QLatin1String(c.ClassName)) << c.File;
        EXPECT_EQ(image.PictureBytes(), readBytes(QString::fromLatin1(c.File))) << c.File;
        EXPECT_EQ(image.Picture().size(), QSize(9, 6)) << c.File;
        EXPECT_TRUE(!c.Lossless || samePixels(image.Picture(), picture)) << c.File;
        // The masks belonged to the previous picture; the margins are the image's own.
        EXPECT_FALSE(image.GetExternalMask());
        EXPECT_FALSE(image.GetInternalMask());
        EXPECT_EQ(image.AdjustUp1(), 1);
    }

    // Saved in its own format the bytes come back unchanged; another extension converts.
    TQzPkgImagesImage jpeg;
    jpeg.LoadFromFile(path(QStringLiteral("a.jpeg")));
    jpeg.SaveToFile(path(QStringLiteral("copy.jpg")));
    EXPECT_EQ(readBytes(QStringLiteral("copy.jpg")), jpeg.PictureBytes());
    jpeg.SaveToFile(path(QStringLiteral("converted.png")));
    EXPECT_TRUE(readBytes(QStringLiteral("converted.png")).startsWith("\x89PNG"));
    jpeg.SaveToFile(path(QStringLiteral("no-extension")));
    EXPECT_EQ(readBytes(QStringLiteral("no-extension")), jpeg.PictureBytes());

    // Refusals name the file and leave the image as it was.
    TQzPkgImagesImage image;
    fillImage(image);
    const QByteArray before = image.SaveToImqz();
    writeBytes(QStringLiteral("junk.png"), "definitely not a picture");
    EXPECT_EQ(errorOf([&] { image.LoadFromFile(path(QStringLiteral("junk.png"))); }),
              QStringLiteral("Cannot read image file \"%1\": it is not a picture in a format this "
                             "library reads")
                  .arg(path(QStringLiteral("junk.png")))
                  .toStdString());
    QByteArray cut = encoded(picture, "png");
    writeBytes(QStringLiteral("cut.png"), cut.left(cut.size() / 2));
    EXPECT_THROW(image.LoadFromFile(path(QStringLiteral("cut.png"))), EQzError);
    EXPECT_NE(errorOf([&] {
                  image.LoadFromFile(path(QStringLiteral("gone.png")));
              }).find("the file does not exist"),
              std::string::npos);
    EXPECT_EQ(image.SaveToImqz(), before);

    TQzPkgImagesImage empty;
    EXPECT_EQ(errorOf([&] { empty.SaveToFile(path(QStringLiteral("e.png"))); }),
              QStringLiteral("Cannot write image file \"%1\": the image has no picture")
                  .arg(path(QStringLiteral("e.png")))
                  .toStdString());
    EXPECT_THROW(jpeg.SaveToFile(path(QStringLiteral("no/such/folder/x.jpg"))), EFileWriteError);
}

TEST_F(PkgImages, ImqzFilesKeepPictureMasksFlagsAndMargins) {
    TQzPkgImagesImage image;
    fillImage(image, 5);
    image.Protected = true;
    image.SaveToFile(path(QStringLiteral("shape.IMQZ")));

    TQzPkgImagesImage back;
    back.LoadFromFile(path(QStringLiteral("shape.IMQZ")));
    expectSameImage(back, image);
    // Protected belongs to the package's item, not to the file.
    EXPECT_FALSE(back.Protected);

    // An empty image and an empty (fully cut away) external region survive too.
    TQzPkgImagesImage cutAway;
    cutAway.SetPicture(testPicture(4, 4));
    cutAway.CreateExternalMask(QRegion());
    TQzPkgImagesImage cutBack;
    cutBack.LoadFromImqz(cutAway.SaveToImqz(), QStringLiteral("memory"));
    EXPECT_TRUE(cutBack.GetExternalMask());
    EXPECT_TRUE(cutBack.CreateExternalRgn()->isEmpty());
    TQzPkgImagesImage blank;
    blank.SetSyncHor(false);
    fillImage(cutBack);
    cutBack.LoadFromImqz(blank.SaveToImqz(), QStringLiteral("memory"));
    EXPECT_TRUE(cutBack.Empty());
    EXPECT_FALSE(cutBack.GetInternalMask());
    EXPECT_FALSE(cutBack.SyncHor());
}

TEST_F(PkgImages, BadImqzFilesAreRefusedAndChangeNothing) {
    TQzPkgImagesImage source;
    fillImage(source);
    const QByteArray good = source.SaveToImqz();
    const qsizetype classAt = 45;
    const qsizetype pictureAt = classAt + 9 + 4; // "TPngImage", then the picture length
    const qsizetype firstRectAt = pictureAt + source.PictureBytes().size() + 4;

    TQzPkgImagesImage image;
    fillImage(image, 9);
    const QByteArray before = image.SaveToImqz();
    auto expectRefused = [&](const QByteArray& bytes, const std::string& problem) {
        writeBytes(QStringLiteral("bad.imqz"), bytes);
        const std::string message =
            errorOf([&] { image.LoadFromFile(path(QStringLiteral("bad.imqz"))); });
        EXPECT_EQ(message, QStringLiteral("Cannot read image file \"%1\": ")
                                   .arg(path(QStringLiteral("bad.imqz")))
                                   .toStdString() +
                               problem);
        EXPECT_EQ(image.SaveToImqz(), before);
    };
    expectRefused("hello", "it is not an image file of this library");
    for (qsizetype n : {qsizetype(9), qsizetype(20), classAt + 3, pictureAt + 10, firstRectAt + 5,
                        good.size() - 1})
        expectRefused(good.left(n), "it is truncated");
    expectRefused(good + "x", "it has 1 unexpected bytes at its end");

    QByteArray flipped = good;
    flipped[12] = char(flipped[12] ^ 1);
    expectRefused(flipped, "it is damaged (checksum mismatch)");

    QByteArray newer = good;
    newer[8] = 9;
    expectRefused(rechecked(newer), "format version 9 is not one this library reads (1)");
    QByteArray flags = good;
    flags[10] = char(flags[10] | 0x80);
    expectRefused(rechecked(flags),
                  "it holds unknown flags (" + std::to_string(quint8(flags[10])) + ")");
    QByteArray margin = good;
    putInt(margin, 11 + 4 * 5, -4);
    expectRefused(rechecked(margin), "A stretch margin cannot be negative (-4)");
    QByteArray unknown = good;
    unknown[classAt + 4] = 'X';
    expectRefused(rechecked(unknown), "the graphic class \"TPngXmage\" is not available");
    QByteArray corrupt = good;
    for (int i = 16; i < 40; ++i)
        corrupt[pictureAt + i] = char(0xFF);
    expectRefused(rechecked(corrupt), "the picture does not decode as Portable Network Graphics");
    QByteArray outside = good;
    putInt(outside, firstRectAt + 8, 100); // width of the first rectangle
    expectRefused(rechecked(outside),
                  "The external mask of the image reaches outside its 16x12 picture");
    QByteArray impossible = good;
    putInt(impossible, firstRectAt + 12, 0); // height
    expectRefused(rechecked(impossible), "the external mask holds an impossible rectangle");
}
