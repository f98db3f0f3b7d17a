#include "QzDraw.h"

#include "QzColors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

// ---------------------------------------------------------------------------------------------
// Geometry

// The part of `rect` the painter can show, so that a huge rectangle costs only what is seen.
QRect visiblePart(const QPainter& painter, const QRect& rect) {
    const QPaintDevice* device = painter.device();
    if (!device || rect.isEmpty())
        return {};
    bool invertible = false;
    const QTransform toLogical = painter.combinedTransform().inverted(&invertible);
    if (!invertible)
        return {};
    QRect visible =
        rect & toLogical.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
    if (painter.hasClipping())
        visible &= painter.clipBoundingRect().toAlignedRect();
    return visible;
}

class TClipTo {
public:
    TClipTo(QPainter& painter, const QRect& rect) : FPainter(painter) {
        FPainter.save();
        FPainter.setClipRect(rect, Qt::IntersectClip);
    }
    ~TClipTo() { FPainter.restore(); }
    TClipTo(const TClipTo&) = delete;
    TClipTo& operator=(const TClipTo&) = delete;

private:
    QPainter& FPainter;
};

// ---------------------------------------------------------------------------------------------
// Images

const TQzPkgImagesImage* findImage(const TQzMemoryImage& ref) {
    const int id = ref.ItemId();
    if (id < 0)
        return nullptr;
    const TQzPkgImages* pkg = QzFindPkgImages(ref.ItemPkgName());
    const TQzPkgImagesImage* image = pkg ? pkg->Images()->FindId(id) : nullptr;
    return image && !image->Empty() ? image : nullptr;
}

// The picture as it is painted: pixels outside the external mask and, when `transparent`, those
// of the bottom-left pixel's colour become fully transparent. Done before any scaling, so a
// stretched picture keeps its cut-outs where they belong.
QImage paintablePicture(const TQzPkgImagesImage& image, bool transparent) {
    QImage picture = image.Picture().convertToFormat(QImage::Format_ARGB32);
    if (transparent) {
        const QRgb key = picture.pixel(0, picture.height() - 1) & RGB_MASK;
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                if ((line[x] & RGB_MASK) == key)
                    line[x] = 0;
        }
    }
    if (const std::optional<QRegion> kept = image.CreateExternalRgn()) {
        QImage cut(picture.size(), QImage::Format_ARGB32);
        cut.fill(Qt::transparent);
        QPainter painter(&cut);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setClipRegion(*kept);
        painter.drawImage(0, 0, picture);
        painter.end();
        picture = std::move(cut);
    }
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Where the three parts of one axis begin and end, in the picture and in the target.
struct TSpans {
    std::array<int, 4> Source;
    std::array<int, 4> Target;
};

// The margins keep their size and the middle takes the rest. Margins that leave the picture no
// middle to stretch are ignored (the axis stretches whole); a target too small for both margins
// is shared between them in their proportion.
TSpans axisSpans(int source, int margin1, int margin2, int target) {
    if (qint64(margin1) + margin2 >= source)
        margin1 = margin2 = 0;
    int target1 = margin1;
    int target2 = margin2;
    if (margin1 + margin2 > target) {
        target1 = int(qint64(target) * margin1 / (margin1 + margin2));
        target2 = target - target1;
    }
    return {{0, margin1, source - margin2, source}, {0, target1, target - target2, target}};
}

// Nine-slice stretching. Each corner box has its own size; on each side the larger of the two
// corner boxes bounds the unscaled band, so all four stay unscaled (the extra part is edge,
// which looks the same unscaled). A sync flag makes the coupled margins one line, as the region
// designer shows them, whatever was stored for the second.
void drawStretched(QPainter& painter, const QRect& rect, const QImage& picture,
                   const TQzPkgImagesImage& image) {
    const int down1 = image.SyncVer() ? image.AdjustUp1() : image.AdjustDown1();
    const int down2 = image.SyncVer() ? image.AdjustUp2() : image.AdjustDown2();
    const int right1 = image.SyncHor() ? image.AdjustLeft1() : image.AdjustRight1();
    const int right2 = image.SyncHor() ? image.AdjustLeft2() : image.AdjustRight2();
    const TSpans columns = axisSpans(picture.width(), std::max(image.AdjustUp1(), down1),
                                     std::max(image.AdjustUp2(), down2), rect.width());
    const TSpans rows = axisSpans(picture.height(), std::max(image.AdjustLeft1(), right1),
                                  std::max(image.AdjustLeft2(), right2), rect.height());
    for (std::size_t j = 0; j < 3; ++j) {
        for (std::size_t i = 0; i < 3; ++i) {
            const QRect source(QPoint(columns.Source[i], rows.Source[j]),
                               QPoint(columns.Source[i + 1] - 1, rows.Source[j + 1] - 1));
            const QRect target(QPoint(rect.left() + columns.Target[i], rect.top() + rows.Target[j]),
                               QPoint(rect.left() + columns.Target[i + 1] - 1,
                                      rect.top() + rows.Target[j + 1] - 1));
            // A copy of each part, so that smooth scaling never blends in its neighbours.
            if (!source.isEmpty() && !target.isEmpty())
                painter.drawImage(target, picture.copy(source));
        }
    }
}

void drawPicture(QPainter& painter, const QRect& rect, const TQzPkgImagesImage& image, bool stretch,
                 bool transparent) {
    const QImage picture = paintablePicture(image, transparent);
    const TClipTo clip(painter, rect);
    if (stretch)
        drawStretched(painter, rect, picture, image);
    else
        painter.drawImage(rect.topLeft(), picture);
}

// ---------------------------------------------------------------------------------------------
// Backgrounds

// 0 at the first pixel, 1 at the last.
double ramp(double pos, int extent) {
    return extent > 1 ? pos / (extent - 1) : 0;
}

// -1 at the first pixel, 0 in the middle, 1 at the last.
double fromCentre(double pos, int extent) {
    return extent > 1 ? 2 * pos / (extent - 1) - 1 : 0;
}

// Out and back: 0 at both ends, 1 halfway.
double mirror(double t) {
    return 1 - std::abs(2 * t - 1);
}

// Bars a quarter of the extent thick, but between 4 and 24 pixels, each out and back.
double bars(double pos, int extent) {
    const double period = std::clamp(extent / 4.0, 4.0, 24.0);
    return mirror(std::fmod(pos, period) / period);
}

// How far from the start colour (0) towards the end colour (1) the pixel at x, y of a w x h
// gradient is.
double shade(TQzBackGroundStyle style, int x, int y, int w, int h) {
    switch (style) {
    case bgsHorizontal:
        return ramp(x, w);
    case bgsVertical:
        return ramp(y, h);
    case bgsHorizontalMirror:
        return mirror(ramp(x, w));
    case bgsVerticalMirror:
        return mirror(ramp(y, h));
    case bgsDiagonalDown:
        return (ramp(x, w) + ramp(y, h)) / 2;
    case bgsDiagonalUp:
        return (ramp(x, w) + 1 - ramp(y, h)) / 2;
    case bgsDiagonalDownMirror:
        return mirror((ramp(x, w) + ramp(y, h)) / 2);
    case bgsDiagonalUpMirror:
        return mirror((ramp(x, w) + 1 - ramp(y, h)) / 2);
    case bgsRectangle:
        return std::max(std::abs(fromCentre(x, w)), std::abs(fromCentre(y, h)));
    case bgsEllipse:
        return std::min(1.0, std::hypot(fromCentre(x, w), fromCentre(y, h)));
    case bgsCircle: {
        // Round whatever the rectangle's shape, reaching the end colour in the corners.
        const double radius = std::hypot((w - 1) / 2.0, (h - 1) / 2.0);
        return radius > 0 ? std::hypot(x - (w - 1) / 2.0, y - (h - 1) / 2.0) / radius : 0;
    }
    case bgsConical:
        // Swept both ways from the right, so there is no seam.
        return std::abs(std::atan2(y - (h - 1) / 2.0, x - (w - 1) / 2.0)) / std::numbers::pi;
    case bgsPyramid:
        return (std::abs(fromCentre(x, w)) + std::abs(fromCentre(y, h))) / 2;
    case bgsHorizontalBars:
        return bars(y, h);
    case bgsVerticalBars:
        return bars(x, w);
    default:
        return 0;
    }
}

int mix(int from, int to, double t) {
    return int(std::lround(from + (to - from) * t));
}

void paintShaded(QPainter& painter, const QRect& rect, TQzBackGroundStyle style,
                 const QColor& start, const QColor& end) {
    const QRect visible = visiblePart(painter, rect);
    if (visible.isEmpty())
        return;
    QImage shaded(visible.size(), QImage::Format_RGB32);
    const QPoint offset = visible.topLeft() - rect.topLeft();
    for (int row = 0; row < visible.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(shaded.scanLine(row));
        for (int col = 0; col < visible.width(); ++col) {
            const double t = std::clamp(
                shade(style, offset.x() + col, offset.y() + row, rect.width(), rect.height()), 0.0,
                1.0);
            line[col] = qRgb(mix(start.red(), end.red(), t), mix(start.green(), end.green(), t),
                             mix(start.blue(), end.blue(), t));
        }
    }
    painter.drawImage(visible.topLeft(), shaded);
}

void drawTiled(QPainter& painter, const QRect& rect, const QImage& picture) {
    const QRect visible = visiblePart(painter, rect);
    if (visible.isEmpty())
        return;
    const int w = picture.width();
    const int h = picture.height();
    const int firstX = rect.left() + (visible.left() - rect.left()) / w * w;
    const int firstY = rect.top() + (visible.top() - rect.top()) / h * h;
    for (qint64 y = firstY; y <= visible.bottom(); y += h)
        for (qint64 x = firstX; x <= visible.right(); x += w)
            painter.drawImage(QPoint(int(x), int(y)), picture);
}

void drawBackGroundImage(QPainter& painter, const QRect& rect, TQzBackGroundStyle style,
                         const TQzPkgImagesImage& image, bool transparent) {
    if (style == bgsImageStretch) {
        drawPicture(painter, rect, image, true, transparent);
        return;
    }
    const QImage picture = paintablePicture(image, transparent);
    const TClipTo clip(painter, rect);
    const QSize size = picture.size();
    switch (style) {
    case bgsImageTile:
        drawTiled(painter, rect, picture);
        break;
    case bgsImageCenter:
        painter.drawImage(rect.left() + (rect.width() - size.width()) / 2,
                          rect.top() + (rect.height() - size.height()) / 2, picture);
        break;
    case bgsImageProportional: {
        const QSize fitted = size.scaled(rect.size(), Qt::KeepAspectRatio).expandedTo({1, 1});
        painter.drawImage(QRect(QPoint(rect.left() + (rect.width() - fitted.width()) / 2,
                                       rect.top() + (rect.height() - fitted.height()) / 2),
                                fitted),
                          picture);
        break;
    }
    default: // bgsImageTopLeft
        painter.drawImage(rect.topLeft(), picture);
        break;
    }
}

} // namespace

QColor QzColorToQColor(int color) {
    if (color < 0)
        return QzSystemColor(color & 0xFF);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int QzQColorToColor(const QColor& color) {
    const QRgb rgb = color.rgb();
    return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
}

bool QzDrawImage(QPainter& painter, const QRect& rect, const TQzMemoryImage& image, bool stretch,
                 bool transparent) {
    const TQzPkgImagesImage* item = findImage(image);
    return item && QzDrawImage(painter, rect, *item, stretch, transparent);
}

bool QzDrawImage(QPainter& painter, const QRect& rect, const TQzPkgImagesImage& image, bool stretch,
                 bool transparent) {
    if (image.Empty())
        return false;
    if (!rect.isEmpty())
        drawPicture(painter, rect, image, stretch, transparent);
    return true;
}

void QzDrawGradient(QPainter& painter, const QRect& rect, TQzBackGroundStyle style, int startColor,
                    int endColor, int solidColor, const TQzMemoryImage* image, bool transparent) {
    if (rect.isEmpty())
        return;
    if (style >= bgsImageTile && style <= bgsImageProportional) {
        if (!transparent)
            painter.fillRect(rect, QzColorToQColor(solidColor));
        if (const TQzPkgImagesImage* item = image ? findImage(*image) : nullptr)
            drawBackGroundImage(painter, rect, style, *item, transparent);
    } else if (style > bgsSolid && style < bgsImageTile) {
        paintShaded(painter, rect, style, QzColorToQColor(startColor), QzColorToQColor(endColor));
    } else {
        // Solid, and what an out-of-range style falls back on.
        painter.fillRect(rect, QzColorToQColor(solidColor));
    }
}

bool QzPaintSkin(QPainter& painter, const QRect& rect, const TQzMemoryImage& skin) {
    return QzDrawImage(painter, rect, skin, true, false);
}

void QzDrawGridLines(QPainter& painter, const QRect& rect, int rowHeight, const QColor& color) {
    const QRect visible = visiblePart(painter, rect);
    if (rowHeight <= 0 || visible.isEmpty())
        return;
    // Row k (from 1) ends on line top + k * rowHeight - 1; start at the first one visible.
    const qint64 firstRow = (qint64(visible.top()) - rect.top() + rowHeight) / rowHeight;
    for (qint64 y = rect.top() + firstRow * rowHeight - 1; y <= visible.bottom(); y += rowHeight)
        painter.fillRect(QRect(visible.left(), int(y), visible.width(), 1), color);
}
