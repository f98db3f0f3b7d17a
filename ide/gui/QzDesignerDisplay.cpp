#include "QzDesignerDisplay.h"

#include "QzMsg.h"
#include "QzPaletteBitmaps.h"
#include "SysUtils.h"

#include <QBitmap>
#include <QMetaProperty>

bool QzRunShowingErrors(const std::function<void()>& action) {
    QString message;
    try {
        action();
        return true;
    } catch (const Exception& e) {
        message = e.Message();
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    }
    QzMsg(TQzMessageType::mtError, message);
    return false;
}

QPixmap QzPalettePixmap(const QString& className) {
    const QImage image = QzPaletteBitmap(className.toUpper());
    if (image.isNull())
        return {};
    // The lower-left pixel carries the colour that is not drawn.
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setMask(pixmap.createMaskFromColor(image.pixelColor(0, image.height() - 1)));
    return pixmap;
}
