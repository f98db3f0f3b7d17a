// Image controls: a picture kept in the form, an image of a package by reference, and shapes.

#include "QzDraw.h"
#include "QzGraphics.h"
#include "QzImageControls.h"
#include "QzPaintStyle.h"

#include <QHash>

namespace {

// Pictures kept in forms, read once rather than at every paint.
QImage storedPicture(const QByteArray& bytes, const QString& graphicClass) {
    static QHash<QByteArray, QImage> cache;
    if (bytes.isEmpty())
        return {};
    if (auto it = cache.constFind(bytes); it != cache.constEnd())
        return *it;
    const TQzGraphicClass* cls = QzFindGraphicClass(graphicClass);
    QImage image = QImage::fromData(bytes, cls ? cls->Format.constData() : nullptr);
    if (image.isNull())
        image = QImage::fromData(bytes);
    // A handful of forms hold pictures; a full cache means pictures that are gone.
    if (cache.size() > 64)
        cache.clear();
    cache.insert(bytes, image);
    return image;
}

// Where a picture of `size` goes in `rect`: stretched (keeping its proportions when asked),
// centred, or at the top left.
QRect placement(const QRect& rect, QSize size, bool stretch, bool center, bool proportional) {
    if (stretch) {
        if (!proportional)
            return rect;
        size.scale(rect.size(), Qt::KeepAspectRatio);
        center = true;
    }
    if (center)
        return {rect.center() - QPoint(size.width() / 2, size.height() / 2) + QPoint(1, 1), size};
    return {rect.topLeft(), size};
}

void paintPicture(TQzPainting& p, const QByteArray& bytes, const QString& graphicClass,
                  const TQzMemoryImage* image, bool stretch, bool center, bool proportional) {
    const QImage picture = storedPicture(bytes, graphicClass);
    if (!picture.isNull()) {
        p.Painter.save();
        p.Painter.setRenderHint(QPainter::SmoothPixmapTransform);
        p.Painter.drawImage(placement(p.Rect, picture.size(), stretch, center, proportional),
                            picture);
        p.Painter.restore();
        p.Shown = true;
        return;
    }
    if (!image || image->ItemId() < 0) {
        p.placeholderText(p.Rect.adjusted(2, 2, -2, -2), Qt::AlignCenter);
        return;
    }
    const TQzPkgImages* pkg = QzFindPkgImages(image->ItemPkgName());
    const TQzPkgImagesImage* item = pkg ? pkg->Images()->FindId(image->ItemId()) : nullptr;
    if (!item || item->Empty())
        return;
    // A stretched package image keeps its margins: the nine parts are scaled apart.
    const QRect target =
        placement(p.Rect, item->Picture().size(), stretch && !proportional, center, false);
    p.Shown = QzDrawImage(p.Painter, target, *item, stretch && !proportional, true) || p.Shown;
}

Qt::PenStyle penStyle(TPenStyle style) {
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle brushStyle(TBrushStyle style) {
    switch (style) {
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    default:
        return Qt::SolidPattern;
    }
}

void paintShape(TQzPainting& p, const TQzShape& shape) {
    const int width = shape.Pen()->Width();
    QRectF r = QRectF(p.Rect).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0);
    if (shape.FShape == stSquare || shape.FShape == stRoundSquare || shape.FShape == stCircle) {
        const double side = std::min(r.width(), r.height());
        r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    }
    p.Painter.save();
    p.Painter.setRenderHint(QPainter::Antialiasing);
    p.Painter.setPen(QPen(QzPaintColor(shape.Pen()->FColor), width, penStyle(shape.Pen()->FStyle)));
    p.Painter.setBrush(
        QBrush(QzPaintColor(shape.Brush()->FColor), brushStyle(shape.Brush()->FStyle)));
    switch (shape.FShape) {
    case stEllipse:
    case stCircle:
        p.Painter.drawEllipse(r);
        break;
    case stRoundRect:
    case stRoundSquare: {
        const double radius = std::min(r.width(), r.height()) / 8;
        p.Painter.drawRoundedRect(r, radius, radius);
        break;
    }
    default:
        p.Painter.drawRect(r);
        break;
    }
    p.Painter.restore();
    p.Shown = shape.Pen()->FStyle != psClear || shape.Brush()->FStyle != bsClear;
}

} // namespace

bool QzPaintImageFamily(TQzPainting& p) {
    const TControl& c = p.Control;
    if (auto* image = qobject_cast<const TQzCustomImage*>(&c)) {
        paintPicture(p, image->FPicture, image->FGraphicClass, image->Image(), image->FStretch,
                     image->FCenter, image->FProportional);
    } else if (auto* focus = qobject_cast<const TQzCustomFocusImage*>(&c)) {
        paintPicture(p, focus->FPicture, focus->FGraphicClass, focus->Image(), focus->FStretch,
                     focus->FCenter, focus->FProportional);
    } else if (auto* pkgImage = qobject_cast<const TQzPkgImage*>(&c)) {
        paintPicture(p, {}, {}, pkgImage->Image(), pkgImage->FStretch, pkgImage->FCenter, false);
    } else if (auto* shape = qobject_cast<const TQzShape*>(&c)) {
        paintShape(p, *shape);
    } else {
        return false;
    }
    return true;
}
