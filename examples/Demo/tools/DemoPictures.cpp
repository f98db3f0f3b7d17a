#include "DemoPictures.h"

#include <QBuffer>
#include <QPainter>
#include <cmath>
#include <iterator>
#include <numbers>

namespace {

QImage canvas(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Pens and brushes in the demo's few colours; pictures read at 16 pixels.
QPen outline(const QColor& color, qreal width = 1.2) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QColor Ink(40, 48, 64);
const QColor Blue(48, 112, 192);
const QColor Green(40, 150, 60);
const QColor Red(200, 48, 40);
const QColor Yellow(240, 200, 64);
const QColor Paper(250, 250, 244);

void tick(QPainter& p) {
    p.setPen(outline(Green, 2.5));
    p.drawPolyline(QPolygonF{{3, 8.5}, {6.5, 12}, {13, 4}});
}

void cross(QPainter& p) {
    p.setPen(outline(Red, 2.5));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void disk(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 1.5, 1.5);
    p.setBrush(Paper);
    p.drawRect(QRectF(5, 2.5, 6, 4));
    p.setBrush(Ink);
    p.drawRect(QRectF(5.5, 9.5, 5, 4));
}

void bin(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(QColor(160, 168, 180));
    p.drawPolygon(QPolygonF{{4, 5}, {12, 5}, {11, 14}, {5, 14}});
    p.drawLine(QPointF(2.5, 4), QPointF(13.5, 4));
    p.drawLine(QPointF(6.5, 2.5), QPointF(9.5, 2.5));
    p.drawLine(QPointF(7, 7), QPointF(7, 12));
    p.drawLine(QPointF(9, 7), QPointF(9, 12));
}

void printer(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(150, 156, 168));
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
    p.setBrush(Paper);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
}

// A window frame: title bar over a light client area, stretched by the window's margins.
void windowSkin(QPainter& p) {
    p.setPen(outline(Ink, 1));
    p.setBrush(QColor(236, 240, 246));
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 3, 3);
    QLinearGradient title(0, 0, 0, 8);
    title.setColorAt(0, Blue.lighter(130));
    title.setColorAt(1, Blue);
    p.setBrush(title);
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 8), 3, 3);
}

void hintSkin(QPainter& p) {
    p.setPen(outline(QColor(160, 130, 40), 1));
    p.setBrush(QColor(255, 248, 200));
    p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
}

void scrollThumb(QPainter& p) {
    p.setPen(outline(Blue.darker(130), 1));
    p.setBrush(Blue.lighter(150));
    p.drawRoundedRect(QRectF(3.5, 0.5, 9, 15), 4, 4);
}

// Two overlapping sheets, a person's order and its parcel.
void logo(QPainter& p) {
    p.setPen(outline(Ink, 2));
    p.setBrush(Blue);
    p.drawRoundedRect(QRectF(4, 4, 28, 36), 4, 4);
    p.setBrush(Yellow);
    p.drawRoundedRect(QRectF(16, 12, 28, 32), 4, 4);
    p.setPen(outline(Ink, 2.5));
    p.drawPolyline(QPolygonF{{22, 28}, {28, 34}, {38, 20}});
}

void pattern(QPainter& p) {
    p.fillRect(QRect(0, 0, 16, 16), QColor(244, 246, 250));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 228, 240));
    p.drawEllipse(QPointF(4, 4), 2.5, 2.5);
    p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
}

void person(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(Yellow);
    p.drawEllipse(QPointF(8, 5), 3, 3);
    p.setBrush(Blue);
    p.drawChord(QRectF(2.5, 9, 11, 10), 0, 180 * 16);
}

void document(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(Paper);
    p.drawPolygon(QPolygonF{{3.5, 1.5}, {10, 1.5}, {12.5, 4}, {12.5, 14.5}, {3.5, 14.5}});
    for (qreal y : {6.0, 8.5, 11.0})
        p.drawLine(QPointF(5.5, y), QPointF(10.5, y));
}

void box(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(QColor(200, 150, 90));
    p.drawPolygon(QPolygonF{{2, 5}, {8, 2}, {14, 5}, {14, 12}, {8, 15}, {2, 12}});
    p.drawPolyline(QPolygonF{{2, 5}, {8, 8}, {14, 5}});
    p.drawLine(QPointF(8, 8), QPointF(8, 15));
}

void gear(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(QColor(150, 156, 168));
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(i * 45);
        p.drawRect(QRectF(-1.5, -7, 3, 3));
        p.restore();
    }
    p.drawEllipse(QPointF(8, 8), 5, 5);
    p.setBrush(Paper);
    p.drawEllipse(QPointF(8, 8), 2, 2);
}

void calendar(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(Paper);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.setBrush(Red);
    p.drawRect(QRectF(1.5, 2.5, 13, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(3 + col * 3, 7 + row * 2.5, 1.5, 1.5));
}

void star(QPainter& p) {
    QPolygonF points;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? 3 : 7;
        const qreal angle = std::numbers::pi / 5 * i - std::numbers::pi / 2;
        points << QPointF(8 + radius * std::cos(angle), 8.5 + radius * std::sin(angle));
    }
    p.setPen(outline(QColor(170, 120, 0)));
    p.setBrush(Yellow);
    p.drawPolygon(points);
}

void truck(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(Blue);
    p.drawRect(QRectF(1.5, 4.5, 8, 7));
    p.setBrush(Paper);
    p.drawPolygon(QPolygonF{{9.5, 6.5}, {12.5, 6.5}, {14.5, 9}, {14.5, 11.5}, {9.5, 11.5}});
    p.setBrush(Ink);
    p.drawEllipse(QPointF(4.5, 12.5), 1.6, 1.6);
    p.drawEllipse(QPointF(11.5, 12.5), 1.6, 1.6);
}

void gift(QPainter& p) {
    p.setPen(outline(Ink));
    p.setBrush(Red);
    p.drawRect(QRectF(2.5, 6.5, 11, 8));
    p.drawRect(QRectF(1.5, 4.5, 13, 3));
    p.setPen(outline(Yellow, 2));
    p.drawLine(QPointF(8, 4.5), QPointF(8, 14.5));
    p.drawArc(QRectF(4, 1, 4, 4), 0, 270 * 16);
    p.drawArc(QRectF(8, 1, 4, 4), -90 * 16, 270 * 16);
}

} // namespace

QImage DemoPicture(TDemoPicture picture) {
    struct Drawing {
        int Size;
        void (*Draw)(QPainter&);
    };
    static const Drawing drawings[] = {
        {16, tick},       {16, cross},    {16, disk},        {16, bin},  {16, printer},
        {32, windowSkin}, {24, hintSkin}, {16, scrollThumb}, {48, logo}, {16, pattern},
        {16, person},     {16, document}, {16, box},         {16, gear}, {16, calendar},
        {16, star},       {16, truck},    {16, gift},
    };
    static_assert(std::size(drawings) == std::size_t(TDemoPicture::Gift) + 1);
    const Drawing& drawing = drawings[int(picture)];
    QImage image = canvas(drawing.Size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.Draw(painter);
    painter.end();
    return image;
}

QByteArray DemoPicturePng(TDemoPicture picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    DemoPicture(picture).save(&buffer, "PNG");
    return bytes;
}
