#include "PaletteSketch.h"

#include <QLinearGradient>
#include <QPen>

#include <cmath>
#include <numbers>

namespace {

QColor lighter(QRgb colour) {
    return QColor((qRed(colour) + 255) / 2, (qGreen(colour) + 255) / 2, (qBlue(colour) + 255) / 2);
}

} // namespace

Sketch::Sketch(int size, bool deep)
    : image_(size, size, QImage::Format_RGB32), size_(size), deep_(deep) {
    image_.fill(Ink::Clear);
    painter_.begin(&image_);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

QImage Sketch::finish() {
    painter_.end();
    // The host reads the transparent colour from the lower-left pixel, whatever covers it.
    image_.setPixel(0, size_ - 1, Ink::Clear);
    return image_;
}

int Sketch::px(double u) const {
    return int(std::floor(u * size_ / 16.0 + 0.5));
}

QRect Sketch::cells(double x, double y, double w, double h) const {
    return QRect(QPoint(px(x), px(y)), QPoint(px(x + w) - 1, px(y + h) - 1));
}

QPointF Sketch::centre(QPointF p) const {
    return QPointF((p.x() + 0.5) * size_ / 16.0, (p.y() + 0.5) * size_ / 16.0);
}

void Sketch::stroke(QRgb colour, double weight) {
    QPen pen{QColor(colour)};
    pen.setWidthF(std::max(1.0, std::floor(weight * size_ / 16.0)));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
}

void Sketch::fillPixels(const QRect& r, QRgb colour) {
    painter_.fillRect(r, QColor(colour));
}

void Sketch::bevelPixels(const QRect& r, QRgb topLeft, QRgb bottomRight) {
    fillPixels(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    fillPixels(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    fillPixels(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    fillPixels(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

void Sketch::fill(double x, double y, double w, double h, QRgb colour) {
    fillPixels(cells(x, y, w, h), colour);
}

void Sketch::shade(double x, double y, double w, double h, QRgb colour) {
    const QRect r = cells(x, y, w, h);
    if (!deep_) {
        fillPixels(r, colour);
        return;
    }
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, lighter(colour));
    gradient.setColorAt(1, QColor(colour));
    painter_.fillRect(r, gradient);
}

void Sketch::frame(double x, double y, double w, double h, QRgb colour) {
    bevelPixels(cells(x, y, w, h), colour, colour);
}

void Sketch::box(double x, double y, double w, double h, QRgb inside, QRgb outline) {
    fill(x, y, w, h, inside);
    frame(x, y, w, h, outline);
}

void Sketch::bevel(double x, double y, double w, double h, QRgb topLeft, QRgb bottomRight) {
    bevelPixels(cells(x, y, w, h), topLeft, bottomRight);
}

void Sketch::dotted(double x, double y, double w, double h, QRgb colour) {
    const QRect r = cells(x, y, w, h);
    for (int i = r.left(); i <= r.right(); i += 2) {
        fillPixels(QRect(i, r.top(), 1, 1), colour);
        fillPixels(QRect(i, r.bottom(), 1, 1), colour);
    }
    for (int j = r.top(); j <= r.bottom(); j += 2) {
        fillPixels(QRect(r.left(), j, 1, 1), colour);
        fillPixels(QRect(r.right(), j, 1, 1), colour);
    }
}

void Sketch::hline(double x, double y, double w, QRgb colour) {
    fillPixels(QRect(px(x), px(y), px(x + w) - px(x), 1), colour);
}

void Sketch::vline(double x, double y, double h, QRgb colour) {
    fillPixels(QRect(px(x), px(y), 1, px(y + h) - px(y)), colour);
}

void Sketch::line(QPointF from, QPointF to, QRgb colour, double weight) {
    stroke(colour, weight);
    painter_.drawLine(centre(from), centre(to));
}

void Sketch::polyline(const QPolygonF& points, QRgb colour, double weight) {
    stroke(colour, weight);
    QPolygonF scaled;
    for (const QPointF& p : points)
        scaled.append(centre(p));
    painter_.drawPolyline(scaled);
}

void Sketch::arc(double x, double y, double w, double h, int startDegrees, int spanDegrees,
                 QRgb colour, double weight) {
    stroke(colour, weight);
    const QPointF topLeft = centre(QPointF(x, y));
    const QPointF bottomRight = centre(QPointF(x + w - 1, y + h - 1));
    painter_.drawArc(QRectF(topLeft, bottomRight), startDegrees * 16, spanDegrees * 16);
}

void Sketch::shape(const QPainterPath& path, QRgb inside, QRgb outline) {
    // Rasterise once into a mask, then colour it: the pixels of the mask that touch a pixel
    // outside it form the outline, so outlines are closed and one pixel wide at any size.
    QImage mask(size_, size_, QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter maskPainter(&mask);
        maskPainter.setRenderHint(QPainter::Antialiasing, false);
        maskPainter.setPen(Qt::NoPen);
        maskPainter.setBrush(Qt::white);
        maskPainter.drawPath(path);
    }
    const auto in = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size_ && y < size_ && mask.constScanLine(y)[x] != 0;
    };
    for (int y = 0; y < size_; ++y)
        for (int x = 0; x < size_; ++x) {
            if (!in(x, y))
                continue;
            const bool edge = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            fillPixels(QRect(x, y, 1, 1), edge && outline != 0 ? outline : inside);
        }
}

void Sketch::polygon(const QPolygonF& points, QRgb inside, QRgb outline) {
    const double k = size_ / 16.0;
    QPainterPath path;
    QPolygonF scaled;
    for (const QPointF& p : points)
        scaled.append(p * k);
    path.addPolygon(scaled);
    path.closeSubpath();
    shape(path, inside, outline);
}

void Sketch::ellipse(double x, double y, double w, double h, QRgb inside, QRgb outline) {
    const double k = size_ / 16.0;
    QPainterPath path;
    path.addEllipse(QRectF(x * k, y * k, w * k, h * k));
    shape(path, inside, outline);
}

void Sketch::field(double x, double y, double w, double h) {
    const QRect r = cells(x, y, w, h);
    fillPixels(r, Ink::White);
    bevelPixels(r, Ink::Gray, Ink::Silver);
    if (size_ >= 24 && r.width() >= 8 && r.height() >= 8)
        bevelPixels(r.adjusted(1, 1, -1, -1), Ink::Black, Ink::White);
}

void Sketch::button(double x, double y, double w, double h) {
    const QRect r = cells(x, y, w, h);
    if (deep_) {
        QLinearGradient gradient(r.topLeft(), r.bottomLeft());
        gradient.setColorAt(0, QColor(Ink::White));
        gradient.setColorAt(1, QColor(Ink::Silver));
        painter_.fillRect(r, gradient);
    } else {
        fillPixels(r, Ink::Silver);
    }
    // Small buttons get a soft edge, and a second bevel only where the face keeps room for a
    // glyph.
    const bool roomy = r.width() >= 8 && r.height() >= 8;
    bevelPixels(r, Ink::White, roomy ? Ink::Black : Ink::Gray);
    if (size_ >= 24 && roomy)
        bevelPixels(r.adjusted(1, 1, -1, -1), deep_ ? Ink::White : Ink::Silver, Ink::Gray);
}

void Sketch::raisedPanel(double x, double y, double w, double h) {
    const QRect r = cells(x, y, w, h);
    fillPixels(r, Ink::Silver);
    bevelPixels(r, Ink::White, Ink::Gray);
}

void Sketch::window(double x, double y, double w, double h) {
    const QRect r = cells(x, y, w, h);
    fillPixels(r, Ink::Silver);
    bevelPixels(r, Ink::Silver, Ink::Black);
    bevelPixels(r.adjusted(1, 1, -1, -1), Ink::White, Ink::Gray);
    const QRect title(r.left() + 2, r.top() + 2, r.width() - 4, px(y + 3) - px(y) - 1);
    QLinearGradient gradient(title.topLeft(), title.topRight());
    gradient.setColorAt(0, QColor(Ink::Navy));
    gradient.setColorAt(1, deep_ ? QColor(Ink::Blue) : QColor(Ink::Navy));
    painter_.fillRect(title, gradient);
    if (size_ >= 24) {
        const int side = title.height() - 2;
        const QRect close(title.right() - side, title.top() + 1, side, side);
        fillPixels(close, Ink::Silver);
        bevelPixels(close, Ink::White, Ink::Black);
    }
}

void Sketch::textBar(double x, double y, double w, QRgb colour) {
    fillPixels(QRect(px(x), px(y), px(x + w) - px(x), std::max(1, size_ / 16)), colour);
}

void Sketch::textLines(double x, double y, int count, double w) {
    const double lengths[] = {0.9, 0.65, 1.0, 0.5, 0.85, 0.6};
    for (int i = 0; i < count; ++i)
        textBar(x, y + 2 * i, w * lengths[i % 6]);
}

void Sketch::arrow(double cx, double cy, double length, Qt::ArrowType direction, QRgb colour) {
    // A solid head narrowing by two pixels a row, as scroll and combo buttons show them.
    const double k = size_ / 16.0;
    const int across = std::max(2, int(std::lround(length * k)));
    const int rows = (across + 1) / 2;
    const bool vertical = direction == Qt::UpArrow || direction == Qt::DownArrow;
    const int left = int(std::lround(cx * k - (vertical ? across : rows) / 2.0));
    const int top = int(std::lround(cy * k - (vertical ? rows : across) / 2.0));
    for (int i = 0; i < rows; ++i) {
        const int width = across - 2 * i;
        switch (direction) {
        case Qt::DownArrow:
            fillPixels(QRect(left + i, top + i, width, 1), colour);
            break;
        case Qt::UpArrow:
            fillPixels(QRect(left + i, top + rows - 1 - i, width, 1), colour);
            break;
        case Qt::RightArrow:
            fillPixels(QRect(left + i, top + i, 1, width), colour);
            break;
        default:
            fillPixels(QRect(left + rows - 1 - i, top + i, 1, width), colour);
            break;
        }
    }
}

void Sketch::comboButton(double x, double y, double w, double h) {
    button(x, y, w, h);
    arrow(x + w / 2, y + h / 2, w - 2, Qt::DownArrow);
}

// The dithered track of a scroll bar.
void Sketch::track(const QRect& r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            fillPixels(QRect(x, y, 1, 1), (x + y) % 2 ? Ink::White : Ink::Silver);
}

// The thumb is a third of the track long, so some track shows on either side of it. Thin bars
// have no room for bevelled end buttons: their arrows sit on the track.
void Sketch::scrollBar(double x, double y, double w, double h, double thumb) {
    const double length = std::max(2.0, (h - 2 * w) / 3);
    const double thumbY = y + w + thumb * (h - 2 * w - length);
    if (px(x + w) - px(x) < 6) {
        fill(x, y, w, h, Ink::Silver);
        arrow(x + w / 2, y + w / 2, w - 1, Qt::UpArrow);
        arrow(x + w / 2, y + h - w / 2, w - 1, Qt::DownArrow);
        raisedPanel(x, thumbY, w, length);
        return;
    }
    track(cells(x, y, w, h));
    button(x, y, w, w);
    arrow(x + w / 2, y + w / 2, w - 2, Qt::UpArrow);
    button(x, y + h - w, w, w);
    arrow(x + w / 2, y + h - w / 2, w - 2, Qt::DownArrow);
    button(x, thumbY, w, length);
}

void Sketch::hScrollBar(double x, double y, double w, double h, double thumb) {
    const double length = std::max(2.0, (w - 2 * h) / 3);
    const double thumbX = x + h + thumb * (w - 2 * h - length);
    if (px(y + h) - px(y) < 6) {
        fill(x, y, w, h, Ink::Silver);
        arrow(x + h / 2, y + h / 2, h - 1, Qt::LeftArrow);
        arrow(x + w - h / 2, y + h / 2, h - 1, Qt::RightArrow);
        raisedPanel(thumbX, y, length, h);
        return;
    }
    track(cells(x, y, w, h));
    button(x, y, h, h);
    arrow(x + h / 2, y + h / 2, h - 2, Qt::LeftArrow);
    button(x + w - h, y, h, h);
    arrow(x + w - h / 2, y + h / 2, h - 2, Qt::RightArrow);
    button(thumbX, y, length, h);
}

void Sketch::tab(double x, double y, double w, double h) {
    const QRect r = cells(x, y, w, h);
    fillPixels(r, Ink::Silver);
    fillPixels(QRect(r.left(), r.top(), r.width() - 1, 1), Ink::White);
    fillPixels(QRect(r.left(), r.top(), 1, r.height()), Ink::White);
    fillPixels(QRect(r.right(), r.top() + 1, 1, r.height() - 1), Ink::Black);
}

void Sketch::dot(double x, double y, QRgb colour) {
    fillPixels(QRect(std::min(px(x), size_ - 1), std::min(px(y), size_ - 1), 1, 1), colour);
}

void Sketch::groupFrame(double x, double y, double w, double h) {
    // An etched frame with its caption standing on the top edge.
    const QRect r = cells(x, y, w, h);
    bevelPixels(r, Ink::Gray, Ink::Gray);
    bevelPixels(r.adjusted(1, 1, -1, -1), Ink::White, Ink::White);
    const int thick = std::max(1, size_ / 16);
    const QRect caption(px(x + 2), r.top() + 1 - thick / 2, px(x + 7) - px(x + 2), thick);
    fillPixels(QRect(caption.left() - 1, r.top(), caption.width() + 2, 2), Ink::Clear);
    fillPixels(caption, Ink::Black);
}

void Sketch::picture(double x, double y, double w, double h) {
    const QRect r = cells(x, y, w, h);
    if (deep_) {
        QLinearGradient sky(r.topLeft(), r.bottomLeft());
        sky.setColorAt(0, QColor(0, 102, 255));
        sky.setColorAt(1, QColor(Ink::Aqua));
        painter_.fillRect(r, sky);
    } else {
        fillPixels(r, Ink::Aqua);
    }
    const double d = std::min(w, h) * 0.3;
    ellipse(x + w * 0.62, y + h * 0.1, d, d, Ink::Yellow, deep_ ? 0 : Ink::Olive);
    polygon({{x, y + h},
             {x, y + h * 0.7},
             {x + w * 0.3, y + h * 0.4},
             {x + w * 0.62, y + h * 0.78},
             {x + w * 0.8, y + h * 0.6},
             {x + w, y + h * 0.72},
             {x + w, y + h}},
            Ink::Green);
    frame(x, y, w, h, Ink::Black);
}

void Sketch::checkMark(double x, double y, double w, double h, QRgb colour) {
    // The classic tick: the largest pattern that fits, at a whole-pixel scale, centred.
    static const char* const large[] = {"......#", ".....##", "#...###", "##.###.",
                                        "#####..", ".###...", "..#...."};
    static const char* const medium[] = {"....#", "...##", "#.##.", "###..", ".#..."};
    static const char* const small[] = {"..#", "#.#", ".#."};
    const QRect r = cells(x, y, w, h);
    const int fit = std::min(r.width(), r.height());
    const char* const* tick = fit >= 7 ? large : fit >= 5 ? medium : small;
    const int n = fit >= 7 ? 7 : fit >= 5 ? 5 : 3;
    const int scale = std::max(1, fit / n);
    const int left = r.left() + (r.width() - n * scale) / 2;
    const int top = r.top() + (r.height() - n * scale) / 2;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            if (tick[j][i] == '#')
                fillPixels(QRect(left + i * scale, top + j * scale, scale, scale), colour);
}

void Sketch::cross(double x, double y, double w, double h, QRgb colour) {
    line({x, y}, {x + w - 1, y + h - 1}, colour, 1.5);
    line({x, y + h - 1}, {x + w - 1, y}, colour, 1.5);
}

void Sketch::plus(double x, double y, double w, double h, QRgb colour) {
    fill(x + w / 3, y, w / 3, h, colour);
    fill(x, y + h / 3, w, h / 3, colour);
}

void Sketch::letterA(double x, double y, double w, double h, QRgb colour) {
    const double right = x + w - 1;
    const double bottom = y + h - 1;
    polyline({{x, bottom}, {x + (w - 1) / 2, y}, {right, bottom}}, colour, 2);
    line({x + w * 0.22, y + h * 0.62}, {right - w * 0.22, y + h * 0.62}, colour, 1.5);
}

void Sketch::letterF(double x, double y, double w, double h, QRgb colour) {
    const double stroke = std::max(1.0, w * 0.3);
    fill(x, y, stroke, h, colour);
    fill(x, y, w, stroke, colour);
    fill(x, y + h * 0.45, w * 0.75, stroke, colour);
}

void Sketch::smallF(double x, double y, QRgb colour) {
    fill(x, y, 1, 4, colour);
    fill(x, y, 3, 1, colour);
    fill(x, y + 2, 2, 1, colour);
}

void Sketch::cylinder(double x, double y, double w, double h) {
    const double lid = std::max(2.0, h * 0.34);
    const QRgb body = Ink::Teal;
    ellipse(x, y + h - lid, w, lid, body, Ink::Black);
    const QRect side = cells(x, y + lid / 2, w, h - lid);
    if (deep_) {
        QLinearGradient gradient(side.topLeft(), side.topRight());
        gradient.setColorAt(0, QColor(0, 153, 153));
        gradient.setColorAt(0.4, QColor(Ink::Aqua));
        gradient.setColorAt(1, QColor(Ink::Teal));
        painter_.fillRect(side, gradient);
    } else {
        fillPixels(side, body);
    }
    fillPixels(QRect(side.left(), side.top(), 1, side.height()), Ink::Black);
    fillPixels(QRect(side.right(), side.top(), 1, side.height()), Ink::Black);
    ellipse(x, y, w, lid, Ink::Aqua, Ink::Black);
}

void Sketch::packageBox(double x, double y, double w, double h) {
    const double depth = w * 0.3;
    // The top, the side and the front of a closed carton.
    polygon({{x, y + depth}, {x + depth, y}, {x + w, y}, {x + w - depth, y + depth}}, Ink::Yellow,
            Ink::Olive);
    polygon(
        {{x + w - depth, y + depth}, {x + w, y}, {x + w, y + h - depth}, {x + w - depth, y + h}},
        Ink::Olive, Ink::Black);
    shade(x, y + depth, w - depth, h - depth, Ink::Olive);
    frame(x, y + depth, w - depth, h - depth, Ink::Black);
    fill(x + (w - depth) / 2 - 0.5, y + depth, 1, (h - depth) * 0.35, Ink::Yellow);
}

void Sketch::clock(double x, double y, double d) {
    ellipse(x, y, d, d, Ink::White, Ink::Black);
    const double c = x + d / 2 - 0.5;
    const double m = y + d / 2 - 0.5;
    fill(c, y + 1, 1, 1, Ink::Black);
    fill(c, y + d - 2, 1, 1, Ink::Black);
    fill(x + 1, m, 1, 1, Ink::Black);
    fill(x + d - 2, m, 1, 1, Ink::Black);
    line({c, m}, {c, y + d * 0.22}, Ink::Black, 1);
    line({c, m}, {x + d * 0.72, m}, Ink::Black, 1);
    line({c, m}, {x + d * 0.3, y + d * 0.7}, Ink::Red, 1);
}

void Sketch::gear(double cx, double cy, double r) {
    const double k = size_ / 16.0;
    QPolygonF teeth;
    constexpr int count = 6;
    for (int i = 0; i < count * 4; ++i) {
        const double angle = (i - 0.5) * std::numbers::pi / (count * 2);
        const double radius = (i % 4 < 2) ? r : r * 0.62;
        teeth.append(QPointF(cx + radius * std::cos(angle), cy + radius * std::sin(angle)) * k);
    }
    QPainterPath path;
    path.addPolygon(teeth);
    path.closeSubpath();
    const double hole = r * 0.3;
    path.addEllipse(QPointF(cx, cy) * k, hole * k, hole * k); // odd-even fill: a hole
    // Small gears have no room for an outline: a darker grey stands out alone.
    if (r * k >= 8)
        shape(path, Ink::Silver, Ink::Black);
    else
        shape(path, Ink::Gray, 0);
}

void Sketch::key(double x, double y, double w, double h) {
    const double ring = h;
    ellipse(x, y, ring, ring, Ink::Yellow, Ink::Olive);
    ellipse(x + ring * 0.35, y + ring * 0.35, ring * 0.3, ring * 0.3, Ink::Black);
    const double shaftY = y + ring / 2 - 0.5;
    fill(x + ring - 0.5, shaftY, w - ring + 0.5, 1, Ink::Olive);
    fill(x + w - 1, shaftY, 1, ring * 0.4 + 1, Ink::Olive);
    fill(x + w - 3, shaftY, 1, ring * 0.3 + 1, Ink::Olive);
}

void Sketch::printer(double x, double y, double w, double h) {
    box(x + w * 0.22, y, w * 0.56, h * 0.45, Ink::White, Ink::Black);
    textBar(x + w * 0.32, y + h * 0.15, w * 0.36, Ink::Gray);
    shade(x, y + h * 0.38, w, h * 0.42, Ink::Silver);
    bevel(x, y + h * 0.38, w, h * 0.42, Ink::White, Ink::Black);
    fill(x + w * 0.75, y + h * 0.5, 1, 1, Ink::Lime);
    box(x + w * 0.15, y + h * 0.7, w * 0.7, h * 0.3, Ink::White, Ink::Black);
}

void Sketch::swatch(double x, double y, double w, double h, QRgb colour) {
    box(x, y, w, h, colour, Ink::Black);
}

void Sketch::gradientSwatch(double x, double y, double w, double h, QRgb from, QRgb to) {
    const QRect r = cells(x, y, w, h);
    if (deep_) {
        QLinearGradient gradient(r.topLeft(), r.topRight());
        gradient.setColorAt(0, QColor(from));
        gradient.setColorAt(1, QColor(to));
        painter_.fillRect(r, gradient);
    } else {
        fill(x, y, w / 2, h, from);
        fill(x + w / 2, y, w / 2, h, to);
    }
    frame(x, y, w, h, Ink::Black);
}

void Sketch::page(double x, double y, double w, double h) {
    const double fold = w * 0.3;
    polygon({{x, y}, {x + w - fold, y}, {x + w, y + fold}, {x + w, y + h}, {x, y + h}}, Ink::White,
            Ink::Black);
    polygon({{x + w - fold, y}, {x + w - fold, y + fold}, {x + w, y + fold}}, Ink::Silver,
            Ink::Black);
}

void Sketch::grid(double x, double y, double w, double h, int columns, int rows) {
    fill(x, y, w, h, Ink::White);
    const double cw = w / columns;
    const double rh = h / rows;
    shade(x, y, w, rh, Ink::Silver);
    for (int c = 1; c < columns; ++c)
        vline(x + c * cw, y, h, Ink::Gray);
    for (int r = 1; r < rows; ++r)
        hline(x, y + r * rh, w, Ink::Gray);
    frame(x, y, w, h, Ink::Black);
}

void Sketch::navigatorBar() {
    // One raised bar with grooves leaves more room for the glyphs than four bevelled buttons.
    button(0, 0, 16, 7);
    for (int i = 1; i < 4; ++i)
        vline(4 * i, 1, 5, Ink::Gray);
}

void Sketch::toolBar(double x, double y, double w, double h, std::initializer_list<QRgb> buttons) {
    raisedPanel(x, y, w, h);
    double bx = x + 1;
    for (const QRgb colour : buttons) {
        box(bx, y + 1, h - 2, h - 2, colour, Ink::Black);
        bx += h - 1;
    }
}
