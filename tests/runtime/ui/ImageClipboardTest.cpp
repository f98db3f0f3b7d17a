// Copy and paste of package images: between images of this library everything travels; other
// programs get and give a plain picture.

#include "ImagesTestSupport.h"
#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzImageClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class ImageClipboard : public ::testing::Test {
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    void TearDown() override { QGuiApplication::clipboard()->clear(); }
};

} // namespace

TEST_F(ImageClipboard, CopyAndPasteBetweenImagesKeepsEverything) {
    EXPECT_FALSE(QzClipboardHasImage());
    TQzPkgImagesImage source;
    fillImage(source, 3);
    SaveToClipBoard(source);
    EXPECT_TRUE(QzClipboardHasImage());

    // Other programs see an ordinary picture.
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime);
    EXPECT_TRUE(mime->hasFormat(CF_QZIMAGE));
    EXPECT_TRUE(samePixels(qvariant_cast<QImage>(mime->imageData()), source.Picture()));

    TQzPkgImages pkg;
    TQzPkgImagesImage* target = pkg.Images()->Add(9);
    target->Protected = true;
    LoadFromClipBoard(*target);
    expectSameImage(*target, source);
    EXPECT_EQ(target->Id(), 9);
    EXPECT_TRUE(target->Protected);

    TQzPkgImagesImage empty;
    EXPECT_EQ(errorOf([&] { SaveToClipBoard(empty); }), "The image has no picture to copy");
}

TEST_F(ImageClipboard, PicturesFromOtherProgramsArePastedAsPng) {
    const QImage picture = testPicture(7, 5, 11);
    QGuiApplication::clipboard()->setImage(picture);
    EXPECT_TRUE(QzClipboardHasImage());

    TQzPkgImagesImage image;
    fillImage(image);
    LoadFromClipBoard(image);
    EXPECT_EQ(image.GraphicClass(), QStringLiteral("TPngImage"));
    EXPECT_TRUE(samePixels(image.Picture(), picture));
    EXPECT_FALSE(image.GetExternalMask());
    EXPECT_FALSE(image.GetInternalMask());
}

TEST_F(ImageClipboard, NothingUsableLeavesTheImageAsItWas) {
    TQzPkgImagesImage image;
    fillImage(image);
    const QByteArray before = image.SaveToImqz();

    QGuiApplication::clipboard()->setText(QStringLiteral("just text"));
    EXPECT_FALSE(QzClipboardHasImage());
    EXPECT_EQ(errorOf([&] { LoadFromClipBoard(image); }), "The clipboard holds no picture");

    // The library's own format wins over the picture beside it, and damage is reported.
    auto* mime = new QMimeData;
    QByteArray damaged = before;
    damaged[20] = char(damaged[20] ^ 0x10);
    mime->setData(CF_QZIMAGE, damaged);
    mime->setImageData(testPicture(3, 3));
    QGuiApplication::clipboard()->setMimeData(mime);
    EXPECT_EQ(errorOf([&] { LoadFromClipBoard(image); }),
              "Cannot read the image on the clipboard: it is damaged (checksum mismatch)");
    EXPECT_EQ(image.SaveToImqz(), before);
}
