#pragma once

// How a designed form looks and where each of its components lies: the form's client area under
// a title bar with its caption, every control at its bounds inside its parent drawn as it will
// look at run time (QzPaintControl; of the pages of a page control or an outlook bar only the
// one shown), and, while designing, the non-visual components as icon boxes in a tray under the
// form and the alignment grid. Without designing (the preview) hidden controls stay hidden.

#include "Classes.h"
#include "QzPaint.h"

#include <QCoreApplication>
#include <QList>
#include <QRect>

class QPainter;
class QWidget;
class TWinControl;

struct TQzPlacedComponent {
    TComponent* Component;
    QRect Rect;
    QRect Clip; // what of it shows inside its parents
};

class TQzFormDrawing {
    Q_DECLARE_TR_FUNCTIONS(TQzFormDrawing)
public:
    explicit TQzFormDrawing(TComponent* root, TQzPaintContext context = designing());

    // The whole picture: the frame, the client area and the tray.
    QSize Size() const;
    // The client area of the form.
    QRect ClientRect() const;
    // Every component drawn: the controls, parents before what they hold, then the tray's.
    QList<TQzPlacedComponent> Placements() const;
    // Where `component` is drawn: the client area for the root; empty for one not drawn.
    QRect ComponentRect(const TComponent* component) const;
    // The topmost component drawn at `point`: a control, a box of the tray, else the root.
    TComponent* ComponentAt(const QPoint& point) const;
    // The innermost control at `point` that holds controls, else the root (when it can).
    TWinControl* ContainerAt(const QPoint& point) const;
    // Whether a control placed on `component` becomes its child: a control whose style says it
    // accepts controls (forms, frames, the library's panels, group and scroll boxes, tab sheets
    // and outlook pages).
    static bool AcceptsControls(const TComponent* component);

    // Paints everything with the palette and font of `widget` around the form.
    void Paint(QPainter& painter, const QWidget& widget) const;

private:
    static TQzPaintContext designing() {
        TQzPaintContext context;
        context.Designing = true;
        return context;
    }
    QSize clientSize() const;
    QPoint clientOrigin() const;
    QList<TComponent*> trayComponents() const;
    QRect trayRect() const;
    void placeChildren(TWinControl* parent, const QPoint& origin, const QRect& clip,
                       QList<TQzPlacedComponent>& out) const;

    void paintForm(QPainter& painter, const QWidget& widget) const;
    void paintTrayBox(QPainter& painter, const QWidget& widget,
                      const TQzPlacedComponent& placed) const;

    TComponent* FRoot;
    TQzPaintContext FContext;
};
