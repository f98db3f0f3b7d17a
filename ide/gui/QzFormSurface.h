#pragma once

// The form surface: shows a designed form as TQzFormDrawing draws it, with the selection's
// handles, and edits it with the mouse and keyboard: click, ctrl-click and rubber-band selection,
// dragging to move, handles to resize, creating the class the palette armed, the component
// editor on double-click and in the context menu, the edit commands, and a click on a tab or
// page button to show that page. Each change is one step of the designer's undo stack. The
// component under the mouse is named in a tool tip and by Hovered.

#include "QzFormDrawing.h"

#include <QWidget>

class QMenu;
class TControl;
class TQzFormDesigner;

class TQzFormSurface : public QWidget {
    Q_OBJECT
public:
    explicit TQzFormSurface(TQzFormDesigner* designer, QWidget* parent = nullptr);

    TQzFormDesigner* Designer() const { return FDesigner; }

    // The class the next click creates; none to go back to selecting.
    void SetArmedClass(TClass cls);
    TClass ArmedClass() const { return FArmed; }

    // Where `component` is drawn, in this widget's coordinates: the client area for the root;
    // empty for a component not drawn (one on a page not shown, a menu item).
    QRect ComponentRect(const TComponent* component) const;
    // The topmost component drawn at `point`: a control, a box of the tray, else the root.
    TComponent* ComponentAt(const QPoint& point) const;

    // The context menu for `component`: its component editor's verbs, then the edit commands.
    // The caller owns it.
    QMenu* CreateContextMenu(TComponent* component);

    // Edit commands on the selection, each one step to undo.
    void DeleteSelection();
    void CutSelection();
    void CopySelection();
    // Pastes the clipboard's components into the selected container (else the form) and selects
    // them.
    void PasteComponents();
    void SelectAll();

    // Takes the size of the form as it is now.
    void UpdateLayout();

Q_SIGNALS:
    // A component of the armed class was placed; the palette goes back to selecting.
    void ComponentCreated(TComponent* component);
    // Escape was pressed while a class was armed.
    void ArmCancelled();
    // The mouse is over a component ("LbTitle: TQzLabel"), or over none ("").
    void Hovered(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum class Drag { None, Pending, Move, Resize, Band };

    TQzFormDrawing drawing() const;

    void paintSelection(QPainter& painter, const QList<TQzPlacedComponent>& placed) const;
    void paintDrag(QPainter& painter) const;

    QList<TComponent*> selectedComponents() const;
    QList<TControl*> selectedControls() const;
    // The one selected control, when exactly one is selected.
    TControl* singleSelectedControl() const;
    // The resize handles of `rect`: corners and edge middles, clockwise from the top left.
    static QList<QRect> handleRects(const QRect& rect);
    int handleAt(const QPoint& point) const;
    QRect resizedRect(const QRect& rect, const QPoint& delta) const;

    void createArmedAt(const QPoint& point);
    // Shows the page of the tab or page button at `point` of `hit`; false when there is none.
    bool showPageAt(TComponent* hit, const QPoint& point);
    void setHovered(TComponent* component);
    void finishMove(const QPoint& delta);
    void finishResize(const QPoint& delta);
    void finishBand(const QRect& band);
    void setBounds(TControl* control, const QRect& bounds);

    TQzFormDesigner* FDesigner;
    TClass FArmed = nullptr;
    Drag FDrag = Drag::None;
    QPoint FDragStart;
    QPoint FDragNow;
    int FHandle = -1;
    TComponent* FHovered = nullptr;
};
