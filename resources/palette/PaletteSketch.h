#pragma once

// Drawing the palette pictures. A picture is drawn once on a 16 x 16 design grid and comes out
// at 16, 24 or 32 pixels: rectangles snap to whole pixels, frames stay one pixel wide, strokes
// grow with the size. Nothing is smoothed, so every pixel is a colour of the 16-colour table and
// the 4-bit pictures keep their drawing exactly; the 256-colour ones add shading.

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRgb>

#include <initializer_list>

namespace Ink {
inline constexpr QRgb Black = 0xFF000000;
inline constexpr QRgb Maroon = 0xFF800000;
inline constexpr QRgb Green = 0xFF008000;
inline constexpr QRgb Olive = 0xFF808000;
inline constexpr QRgb Navy = 0xFF000080;
inline constexpr QRgb Purple = 0xFF800080;
inline constexpr QRgb Teal = 0xFF008080;
inline constexpr QRgb Silver = 0xFFC0C0C0;
inline constexpr QRgb Gray = 0xFF808080;
inline constexpr QRgb Red = 0xFFFF0000;
inline constexpr QRgb Lime = 0xFF00FF00;
inline constexpr QRgb Yellow = 0xFFFFFF00;
inline constexpr QRgb Blue = 0xFF0000FF;
inline constexpr QRgb Aqua = 0xFF00FFFF;
inline constexpr QRgb White = 0xFFFFFFFF;
// The background: the palette takes the colour of the lower-left pixel as transparent, so
// only holes and gaps are drawn in it.
inline constexpr QRgb Clear = 0xFFFF00FF;
} // namespace Ink

class Sketch {
public:
    // `deep`: the picture is stored with 256 colours and may be shaded.
    Sketch(int size, bool deep);
    Sketch(const Sketch&) = delete;
    Sketch& operator=(const Sketch&) = delete;

    int size() const { return size_; }
    // The picture; its lower-left pixel is always the background.
    QImage finish();

    // Primitives; coordinates and lengths are in design units (16 across).
    void fill(double x, double y, double w, double h, QRgb colour);
    // A fill that, with 256 colours, runs from a lighter tone at the top down to `colour`.
    void shade(double x, double y, double w, double h, QRgb colour);
    // One-pixel outline of the area that fill() covers.
    void frame(double x, double y, double w, double h, QRgb colour);
    void box(double x, double y, double w, double h, QRgb inside, QRgb outline);
    // One-pixel edges: top and left in `topLeft`, bottom and right in `bottomRight`.
    void bevel(double x, double y, double w, double h, QRgb topLeft, QRgb bottomRight);
    void dotted(double x, double y, double w, double h, QRgb colour);
    // Rules one pixel thick at any size.
    void hline(double x, double y, double w, QRgb colour);
    void vline(double x, double y, double h, QRgb colour);
    // Strokes run through the centres of design cells; `weight` 1 is one cell wide.
    void line(QPointF from, QPointF to, QRgb colour, double weight = 1);
    void polyline(const QPolygonF& points, QRgb colour, double weight = 1);
    void arc(double x, double y, double w, double h, int startDegrees, int spanDegrees, QRgb colour,
             double weight = 1);
    // Filled shapes; vertices sit on cell corners. `outline` 0 draws none.
    void polygon(const QPolygonF& points, QRgb inside, QRgb outline = 0);
    void ellipse(double x, double y, double w, double h, QRgb inside, QRgb outline = 0);

    // Parts the pictures share.
    void field(double x, double y, double w, double h);  // sunken white box
    void button(double x, double y, double w, double h); // raised grey face
    void raisedPanel(double x, double y, double w, double h);
    void window(double x, double y, double w, double h); // frame, title bar, grey client
    void textBar(double x, double y, double w, QRgb colour = Ink::Black);
    // `count` ragged lines of text, every other row, none longer than `w`.
    void textLines(double x, double y, int count, double w);
    // A solid arrow head centred on the point (cx, cy), `length` across its base.
    void arrow(double cx, double cy, double length, Qt::ArrowType direction,
               QRgb colour = Ink::Black);
    void comboButton(double x, double y, double w, double h);
    // Scroll bars with the thumb at `thumb` (0 first, 1 last) along the track.
    void scrollBar(double x, double y, double w, double h, double thumb = 0);
    void hScrollBar(double x, double y, double w, double h, double thumb = 0);
    void groupFrame(double x, double y, double w, double h); // etched, with a caption
    // A raised tab standing on the line y + h, open at the bottom.
    void tab(double x, double y, double w, double h);
    void dot(double x, double y, QRgb colour);            // one pixel
    void picture(double x, double y, double w, double h); // sky, sun and a hill
    void checkMark(double x, double y, double w, double h, QRgb colour);
    void cross(double x, double y, double w, double h, QRgb colour);
    void plus(double x, double y, double w, double h, QRgb colour);
    void letterA(double x, double y, double w, double h, QRgb colour);
    void letterF(double x, double y, double w, double h, QRgb colour);
    void smallF(double x, double y, QRgb colour); // 3 x 4 cells
    void cylinder(double x, double y, double w, double h);
    void dataMark() { cylinder(9, 8, 7, 8); } // the database sign on data controls
    void packageBox(double x, double y, double w, double h);
    void clock(double x, double y, double d);
    void gear(double cx, double cy, double r);
    void key(double x, double y, double w, double h);
    void printer(double x, double y, double w, double h);
    void swatch(double x, double y, double w, double h, QRgb colour);
    void gradientSwatch(double x, double y, double w, double h, QRgb from, QRgb to);
    void page(double x, double y, double w, double h); // a sheet with a folded corner
    void grid(double x, double y, double w, double h, int columns, int rows);
    // A raised bar split into four buttons, as a data set navigator shows them.
    void navigatorBar();
    void toolBar(double x, double y, double w, double h, std::initializer_list<QRgb> buttons);

private:
    int px(double u) const;
    QRect cells(double x, double y, double w, double h) const;
    QPointF centre(QPointF p) const;
    void stroke(QRgb colour, double weight);
    void fillPixels(const QRect& r, QRgb colour);
    void shape(const QPainterPath& path, QRgb inside, QRgb outline);
    void track(const QRect& r);
    void bevelPixels(const QRect& r, QRgb topLeft, QRgb bottomRight);

    QImage image_;
    QPainter painter_;
    int size_;
    bool deep_;
};
