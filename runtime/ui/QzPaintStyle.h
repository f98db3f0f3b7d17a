#pragma once

// What the painting routines of the control families share: a control's look resolved from its
// own font and colour and the display sets it names, faces and frames, texts that report when
// they do not fit, and item pictures. The object inspector and the designer read captions the
// same way (QzCaptionOf).

#include "QzPaint.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QVariant>

#include <optional>

class QObject;
class TQzMemoryImage;
class TQzPkgDisplaySetBackGround;
class TQzPkgImagesImage;

// The text a component or item shows as its caption: a menu item's label or caption, a label
// reference's text, or a plain caption; empty when it has none.
QString QzCaptionOf(const QObject* object);

// A control's look: the font and text colour of its font set (else its own font), the face
// colour of its colour set (else its own colour) and its background set.
struct TQzLook {
    QFont Font;
    QColor Text;
    QColor Face;
    const TQzPkgDisplaySetBackGround* BackGround = nullptr;
};

// One control being painted.
struct TQzPainting {
    TQzPainting(QPainter& painter, const QRect& rect, const TControl& control,
                const TQzPaintContext& context);

    QPainter& Painter;
    // Where the control is drawn: its bounds, or for a label that sizes itself, its text's.
    QRect Rect;
    const TControl& Control;
    const TQzPaintContext& Context;
    TQzLook Look;
    // Set by a routine that drew something a person sees; the others keep a design outline.
    bool Shown = false;

    // The control's face: its background set, else its colour.
    void face(const QRect& rect);
    // Text in `rect` with Qt alignment `flags`, elided at the end when it does not fit (and
    // reported as cut). An empty text draws nothing and shows nothing.
    void text(const QRect& rect, const QString& text, int flags, const QColor& color);
    void text(const QRect& rect, const QString& text, int flags) {
        this->text(rect, text, flags, Look.Text);
    }
    // A picture of an images package at the rectangle's centre (or stretched over it); false
    // when there is none.
    bool image(const QRect& rect, const TQzMemoryImage* image, bool stretch = false);
    // A published property of the control.
    QVariant property(const char* name) const;
    // What a data-aware control shows while it is designed: its field, as it has no data yet.
    QString placeholder() const;
    // The placeholder, drawn as such.
    void placeholderText(const QRect& rect, int flags);
};

// One entry a list or combo box offers.
struct TQzPaintEntry {
    QString Text;
    const TQzMemoryImage* Image = nullptr;
    QColor Swatch;
    std::optional<QFont> Font;
    QColor TextColor;
    const TQzPkgDisplaySetBackGround* Sample = nullptr;
    const TQzPkgImagesImage* Picture = nullptr;
    std::optional<bool> Check;
    // Shown at the right (a privilege's access).
    QString Note;
    QVariant Value;
};
// The entries of a list or combo box of the library, in order; none for other controls.
QList<TQzPaintEntry> QzPaintEntries(const TQzPainting& p);
// The entry holding the control's value; -1 for none.
qsizetype QzPaintSelectedEntry(const TQzPainting& p, const QList<TQzPaintEntry>& entries);
void QzPaintEntryIn(TQzPainting& p, const QRect& rect, const TQzPaintEntry& entry, bool selected);

// A value as a control shows it; empty for none.
QString QzPaintValueText(const QVariant& value);
// The square of a check box or the circle of a radio button, in `box`.
void QzPaintMark(QPainter& painter, const QRect& box, bool radio, Qt::CheckState state);
// A raised button with an arrow, as scroll bars and combo boxes have.
void QzPaintArrowButton(QPainter& painter, const QRect& rect, Qt::ArrowType direction);
// A group box's frame with its caption over the top line.
void QzPaintGroupFrame(TQzPainting& p);

// Frames as the platform draws 3D controls.
enum class TQzBevel { None, Raised, Lowered, Etched };
void QzPaintBevel(QPainter& painter, const QRect& rect, TQzBevel bevel, int width = 1);
// A colour value of a form (a system colour included) as painted.
QColor QzPaintColor(int color);
// The tabs of a page control and the page buttons of an outlook bar, where the hit tests of
// QzPaint.h find them.
void QzPaintPageTabs(TQzPainting& p, const TQzCustomPageControl& pages);
void QzPaintOutLookButtons(TQzPainting& p, const TQzOutLookBar& bar);

// Where a control draws: its bounds, or as far as its text reaches for a label that sizes
// itself to its text when the form runs.
QRect QzPaintExtent(const TQzPainting& p);

// The family routines; each returns false for a control not of its family.
bool QzPaintLabelFamily(TQzPainting& p);
bool QzPaintButtonFamily(TQzPainting& p);
bool QzPaintEditFamily(TQzPainting& p);
bool QzPaintListFamily(TQzPainting& p);
bool QzPaintImageFamily(TQzPainting& p);
bool QzPaintContainerFamily(TQzPainting& p);
bool QzPaintBarFamily(TQzPainting& p);
