#pragma once

// How a form of the library looks when it runs: each control drawn by the routine of its
// family (labels, buttons, edits and lists, images, containers, bars), with its texts resolved
// through their references, its font, colour and background from the display sets, its pictures
// and items. The designer's surface and the form preview both paint through QzPaintControl.

#include <QList>
#include <QRect>
#include <QString>

class QPainter;
class TComponent;
class TControl;
class TQzCustomPageControl;
class TQzOutLookBar;
class TQzOutLookBarPage;
class TQzPkgDisplay;
class TQzTabSheet;

// A text that did not fit where it is drawn.
struct TQzPaintOverflow {
    const TComponent* Control = nullptr;
    QString Text;
};

struct TQzPaintContext {
    // At design time a control with nothing of its own to show keeps a light outline, and
    // data-aware controls name their field.
    bool Designing = false;
    // The display package whose sets are used; the application's when none.
    const TQzPkgDisplay* Display = nullptr;
    // When given, receives every text cut short.
    QList<TQzPaintOverflow>* Overflows = nullptr;
};

// The client area of the form `root`: its colour, or the background set of the library's form
// component on it.
void QzPaintFormClient(QPainter& painter, const QRect& client, const TComponent& root,
                       const TQzPaintContext& context);
// What the form's title bar shows: the caption of the library's form component on it when that
// resolves, else the form's own caption.
QString QzFormCaption(const TComponent& root);

// Paints `control` itself, not the controls on it, over `rect`, clipped to it.
void QzPaintControl(QPainter& painter, const QRect& rect, const TControl& control,
                    const TQzPaintContext& context);

// The page a page control or an outlook bar shows: its current tab's sheet, else its first.
TQzTabSheet* QzShownTabSheet(const TQzCustomPageControl& pages);
TQzOutLookBarPage* QzShownOutLookPage(const TQzOutLookBar& bar);
// The tab of a page control drawn at `point` (of the painter, the control drawn over `rect`);
// -1 for none.
int QzPageControlTabAt(const TQzCustomPageControl& pages, const QRect& rect, const QPoint& point);
// The page whose button an outlook bar draws at `point`; none for none.
TQzOutLookBarPage* QzOutLookBarPageAt(const TQzOutLookBar& bar, const QRect& rect,
                                      const QPoint& point);
