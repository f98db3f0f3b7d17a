#include "QzImageClipboard.h"

#include "QzExcept.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool QzClipboardHasImage() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && (mime->hasFormat(CF_QZIMAGE) || mime->hasImage());
}

void SaveToClipBoard(const TQzPkgImagesImage& image) {
    if (image.Empty())
        QzExcept(QStringLiteral("The image has no picture to copy"));
    auto mime = std::make_unique<QMimeData>();
    mime->setData(CF_QZIMAGE, image.SaveToImqz());
    mime->setImageData(image.Picture());
    QGuiApplication::clipboard()->setMimeData(mime.release());
}

void LoadFromClipBoard(TQzPkgImagesImage& image) {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime && mime->hasFormat(CF_QZIMAGE)) {
        image.LoadFromImqz(mime->data(CF_QZIMAGE), QStringLiteral("the image on the clipboard"));
        return;
    }
    const QImage picture =
        mime && mime->hasImage() ? qvariant_cast<QImage>(mime->imageData()) : QImage();
    if (picture.isNull())
        QzExcept(QStringLiteral("The clipboard holds no picture"));
    image.SetPicture(picture);
}
