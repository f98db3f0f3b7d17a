#include "QzFormSurface.h"

#include "Controls.h"
#include "DesignRegistry.h"
#include "DesignWindows.h"
#include "QzContainers.h"
#include "QzDesignerDisplay.h"
#include "QzFormDesigner.h"
#include "QzPaint.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <algorithm>
#include <memory>

namespace {

constexpr int HandleSize = 6;
constexpr int MoveMergeKey = 1;
constexpr int SizeMergeKey = 2;

// True when `control` lies inside one of `controls` (other than itself).
bool insideAnyOf(const TControl* control, const QList<TControl*>& controls) {
    for (TWinControl* p = control->Parent(); p; p = p->Parent())
        if (controls.contains(p))
            return true;
    return false;
}

} // namespace

TQzFormSurface::TQzFormSurface(TQzFormDesigner* designer, QWidget* parent)
    : QWidget(parent), FDesigner(designer) {
    setObjectName(QStringLiteral("FormSurface"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    connect(designer, &TQzFormDesigner::DesignModified, this, [this] {
        UpdateLayout();
        update();
    });
    connect(designer, &TQzFormDesigner::SelectionChanged, this, qOverload<>(&QWidget::update));
    // The hovered component belongs to the root undo or redo replaced.
    connect(designer, &TQzFormDesigner::RootReplaced, this, [this] {
        FHovered = nullptr;
        UpdateLayout();
        update();
    });
    UpdateLayout();
}

void TQzFormSurface::setHovered(TComponent* component) {
    if (component == FHovered)
        return;
    FHovered = component;
    const QString text = component
                             ? component->Name() + QStringLiteral(": ") +
                                   (component == FDesigner->GetRoot() ? FDesigner->FormClassName()
                                                                      : component->ClassName())
                             : QString();
    setToolTip(text);
    Q_EMIT Hovered(text);
}

void TQzFormSurface::leaveEvent(QEvent* event) {
    setHovered(nullptr);
    QWidget::leaveEvent(event);
}

void TQzFormSurface::SetArmedClass(TClass cls) {
    FArmed = cls;
    setCursor(cls ? Qt::CrossCursor : Qt::ArrowCursor);
}

// ---------------------------------------------------------------------------------------------
// Geometry

TQzFormDrawing TQzFormSurface::drawing() const {
    return TQzFormDrawing(FDesigner->GetRoot());
}

void TQzFormSurface::UpdateLayout() {
    setFixedSize(drawing().Size());
}

QRect TQzFormSurface::ComponentRect(const TComponent* component) const {
    return drawing().ComponentRect(component);
}

TComponent* TQzFormSurface::ComponentAt(const QPoint& point) const {
    return drawing().ComponentAt(point);
}

QList<QRect> TQzFormSurface::handleRects(const QRect& rect) {
    const int l = rect.left();
    const int t = rect.top();
    const int r = rect.right() + 1;
    const int b = rect.bottom() + 1;
    const int cx = (l + r) / 2;
    const int cy = (t + b) / 2;
    QList<QRect> handles;
    for (const QPoint& p : {QPoint(l, t), QPoint(cx, t), QPoint(r, t), QPoint(r, cy), QPoint(r, b),
                            QPoint(cx, b), QPoint(l, b), QPoint(l, cy)})
        handles << QRect(p.x() - HandleSize / 2, p.y() - HandleSize / 2, HandleSize, HandleSize);
    return handles;
}

int TQzFormSurface::handleAt(const QPoint& point) const {
    TControl* control = singleSelectedControl();
    if (!control)
        return -1;
    const QList<QRect> handles = handleRects(ComponentRect(control));
    for (qsizetype i = 0; i < handles.size(); ++i)
        if (handles[i].adjusted(-1, -1, 1, 1).contains(point))
            return int(i);
    return -1;
}

QRect TQzFormSurface::resizedRect(const QRect& rect, const QPoint& delta) const {
    int l = rect.left();
    int t = rect.top();
    int r = rect.right() + 1;
    int b = rect.bottom() + 1;
    // Handles run clockwise from the top left: corners on even indexes, edges on odd ones.
    if (FHandle == 0 || FHandle == 6 || FHandle == 7)
        l += delta.x();
    if (FHandle == 2 || FHandle == 3 || FHandle == 4)
        r += delta.x();
    if (FHandle == 0 || FHandle == 1 || FHandle == 2)
        t += delta.y();
    if (FHandle == 4 || FHandle == 5 || FHandle == 6)
        b += delta.y();
    return QRect(QPoint(std::min(l, r), std::min(t, b)),
                 QSize(std::max(1, std::abs(r - l)), std::max(1, std::abs(b - t))));
}

// ---------------------------------------------------------------------------------------------
// Selection

QList<TComponent*> TQzFormSurface::selectedComponents() const {
    QList<TComponent*> components;
    for (TPersistent* selected : FDesigner->GetSelections())
        if (auto* component = qobject_cast<TComponent*>(selected))
            components << component;
    return components;
}

QList<TControl*> TQzFormSurface::selectedControls() const {
    QList<TControl*> controls;
    for (TComponent* component : selectedComponents())
        if (auto* control = qobject_cast<TControl*>(component);
            control && component != FDesigner->GetRoot() && !ComponentRect(control).isNull())
            controls << control;
    return controls;
}

TControl* TQzFormSurface::singleSelectedControl() const {
    const QList<TPersistent*> selection = FDesigner->GetSelections();
    const QList<TControl*> controls = selectedControls();
    return selection.size() == 1 && controls.size() == 1 ? controls.first() : nullptr;
}

// ---------------------------------------------------------------------------------------------
// Painting

void TQzFormSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const TQzFormDrawing form = drawing();
    form.Paint(painter, *this);
    const QList<TQzPlacedComponent> placed = form.Placements();
    paintSelection(painter, placed);
    paintDrag(painter);
}

void TQzFormSurface::paintSelection(QPainter& painter,
                                    const QList<TQzPlacedComponent>& placed) const {
    const QList<TComponent*> selected = selectedComponents();
    const bool single = FDesigner->GetSelections().size() == 1;
    for (const TQzPlacedComponent& item : placed) {
        if (!selected.contains(item.Component))
            continue;
        // One selected control can be resized by its black handles; several show grey corners.
        QList<QRect> handles = handleRects(item.Rect);
        const bool resizable = single && qobject_cast<TControl*>(item.Component);
        if (!resizable)
            handles = {handles[0], handles[2], handles[4], handles[6]};
        painter.setPen(Qt::NoPen);
        painter.setBrush(resizable ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80));
        for (const QRect& handle : handles)
            painter.drawRect(handle);
    }
}

void TQzFormSurface::paintDrag(QPainter& painter) const {
    const QPoint delta = FDragNow - FDragStart;
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    if (FDrag == Drag::Move) {
        const QList<TControl*> controls = selectedControls();
        for (TControl* control : controls)
            if (!insideAnyOf(control, controls))
                painter.drawRect(ComponentRect(control).translated(delta).adjusted(0, 0, -1, -1));
    } else if (FDrag == Drag::Resize) {
        if (TControl* control = singleSelectedControl())
            painter.drawRect(resizedRect(ComponentRect(control), delta).adjusted(0, 0, -1, -1));
    } else if (FDrag == Drag::Band) {
        painter.drawRect(QRect(FDragStart, FDragNow).normalized());
    }
}

// ---------------------------------------------------------------------------------------------
// Mouse and keyboard

void TQzFormSurface::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    FDragStart = FDragNow = point;
    if (FArmed) {
        createArmedAt(point);
        return;
    }
    FHandle = handleAt(point);
    if (FHandle >= 0) {
        FDrag = Drag::Resize;
        return;
    }
    TComponent* root = FDesigner->GetRoot();
    TComponent* hit = ComponentAt(point);
    if (event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) {
        // Adds to or takes from the selection; the form itself is never part of a group.
        if (hit == root)
            return;
        QList<TPersistent*> selection;
        for (TComponent* component : selectedComponents())
            if (component != root)
                selection << component;
        if (selection.contains(hit))
            selection.removeAll(hit);
        else
            selection << hit;
        if (selection.isEmpty())
            selection << root;
        FDesigner->SetSelections(selection);
        return;
    }
    if (hit == root) {
        FDesigner->SelectComponent(root);
        FDrag = Drag::Band;
        return;
    }
    if (!selectedComponents().contains(hit))
        FDesigner->SelectComponent(hit);
    // A click on a tab or a page button shows that page, as it will when the form runs.
    if (showPageAt(hit, point))
        return;
    if (qobject_cast<TControl*>(hit))
        FDrag = Drag::Pending;
}

bool TQzFormSurface::showPageAt(TComponent* hit, const QPoint& point) {
    const QRect rect = ComponentRect(hit);
    if (auto* pages = qobject_cast<TQzCustomPageControl*>(hit)) {
        const int tab = QzPageControlTabAt(*pages, rect, point);
        if (tab < 0)
            return false;
        if (tab != pages->FTabIndex) {
            const TQzDesignChange change(FDesigner, tr("Show Page"));
            pages->FTabIndex = tab;
            FDesigner->Modified();
        }
        return true;
    }
    if (auto* bar = qobject_cast<TQzOutLookBar*>(hit)) {
        TQzOutLookBarPage* page = QzOutLookBarPageAt(*bar, rect, point);
        if (!page)
            return false;
        if (page != QzShownOutLookPage(*bar)) {
            const TQzDesignChange change(FDesigner, tr("Show Page"));
            bar->SetActivePage(page);
            FDesigner->Modified();
        }
        return true;
    }
    return false;
}

void TQzFormSurface::mouseMoveEvent(QMouseEvent* event) {
    if (FDrag == Drag::None) {
        // Resize cursors over the handles of the selected control.
        static const Qt::CursorShape shapes[] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                                 Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        const int handle = FArmed ? -1 : handleAt(event->position().toPoint());
        setCursor(FArmed ? Qt::CrossCursor : handle >= 0 ? shapes[handle % 4] : Qt::ArrowCursor);
        setHovered(ComponentAt(event->position().toPoint()));
        return;
    }
    FDragNow = event->position().toPoint();
    if (FDrag == Drag::Pending &&
        (FDragNow - FDragStart).manhattanLength() >= QApplication::startDragDistance())
        FDrag = Drag::Move;
    update();
}

void TQzFormSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    FDragNow = event->position().toPoint();
    const Drag drag = FDrag;
    FDrag = Drag::None;
    const QPoint delta = FDragNow - FDragStart;
    if (drag == Drag::Move)
        finishMove(delta);
    else if (drag == Drag::Resize)
        finishResize(delta);
    else if (drag == Drag::Band)
        finishBand(QRect(FDragStart, FDragNow).normalized());
    update();
}

void TQzFormSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || FArmed)
        return;
    FDrag = Drag::None;
    TComponent* component = ComponentAt(event->position().toPoint());
    std::unique_ptr<TComponentEditor> editor = GetComponentEditor(component, FDesigner);
    const TQzDesignChange change(FDesigner, tr("Edit %1").arg(component->Name()));
    QzRunShowingErrors([&] { editor->Edit(); });
}

void TQzFormSurface::contextMenuEvent(QContextMenuEvent* event) {
    TComponent* component = ComponentAt(event->pos());
    if (!selectedComponents().contains(component))
        FDesigner->SelectComponent(component);
    std::unique_ptr<QMenu> menu(CreateContextMenu(component));
    menu->exec(event->globalPos());
}

void TQzFormSurface::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Delete) {
        DeleteSelection();
        return;
    }
    if (key == Qt::Key_Escape) {
        if (FArmed) {
            Q_EMIT ArmCancelled();
            return;
        }
        // Up to the parent of the selected control.
        if (TControl* control = singleSelectedControl())
            FDesigner->SelectComponent(control->Parent()
                                           ? static_cast<TComponent*>(control->Parent())
                                           : FDesigner->GetRoot());
        return;
    }
    static const QList<QPair<int, QPoint>> arrows = {{Qt::Key_Left, {-1, 0}},
                                                     {Qt::Key_Right, {1, 0}},
                                                     {Qt::Key_Up, {0, -1}},
                                                     {Qt::Key_Down, {0, 1}}};
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    for (const auto& [arrow, step] : arrows) {
        if (key != arrow || !(modifiers & (Qt::ControlModifier | Qt::ShiftModifier)))
            continue;
        // Ctrl moves the selection by a pixel, Shift resizes it.
        const QList<TControl*> controls = selectedControls();
        if (controls.isEmpty())
            return;
        // Nudges in a row are one step to undo.
        const TQzDesignChange change(FDesigner,
                                     modifiers & Qt::ShiftModifier ? tr("Size") : tr("Move"),
                                     modifiers & Qt::ShiftModifier ? SizeMergeKey : MoveMergeKey);
        for (TControl* control : controls) {
            if (modifiers & Qt::ShiftModifier)
                control->SetBounds(control->Left(), control->Top(),
                                   std::max(1, control->Width() + step.x()),
                                   std::max(1, control->Height() + step.y()));
            else if (!insideAnyOf(control, controls))
                control->SetBounds(control->Left() + step.x(), control->Top() + step.y(),
                                   control->Width(), control->Height());
        }
        FDesigner->Modified();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------------
// Changes

void TQzFormSurface::createArmedAt(const QPoint& point) {
    const TClass cls = FArmed;
    TComponent* parent = FDesigner->GetRoot();
    QPoint at(-1, -1);
    const QRect client = drawing().ClientRect();
    // Controls go into the container under the click, where it was clicked; other components
    // go to the form, where the designer puts them.
    if (cls->Meta->inherits(&TControl::staticMetaObject) && client.contains(point)) {
        if (TWinControl* container = drawing().ContainerAt(point)) {
            parent = container;
            at = point - ComponentRect(container).topLeft();
        }
    }
    TComponent* created = nullptr;
    const TQzDesignChange change(FDesigner, tr("Add %1").arg(cls->ClassName()));
    if (!QzRunShowingErrors(
            [&] { created = FDesigner->CreateComponent(cls, parent, at.x(), at.y(), -1, -1); }))
        return;
    if (!created)
        return;
    FDesigner->SelectComponent(created);
    UpdateLayout();
    update();
    Q_EMIT ComponentCreated(created);
}

void TQzFormSurface::setBounds(TControl* control, const QRect& bounds) {
    control->SetBounds(bounds.left(), bounds.top(), bounds.width(), bounds.height());
}

void TQzFormSurface::finishMove(const QPoint& delta) {
    if (delta.isNull())
        return;
    const TQzDesignChange change(FDesigner, tr("Move"));
    // What sits inside a moved container moves with it.
    const QList<TControl*> controls = selectedControls();
    for (TControl* control : controls)
        if (!insideAnyOf(control, controls))
            setBounds(control, QRect(control->Left() + delta.x(), control->Top() + delta.y(),
                                     control->Width(), control->Height()));
    FDesigner->Modified();
}

void TQzFormSurface::finishResize(const QPoint& delta) {
    TControl* control = singleSelectedControl();
    if (!control || delta.isNull())
        return;
    const TQzDesignChange change(FDesigner, tr("Size"));
    const QRect resized = resizedRect(ComponentRect(control), delta);
    const QRect parentRect =
        control->Parent() ? ComponentRect(control->Parent()) : drawing().ClientRect();
    setBounds(control, resized.translated(-parentRect.topLeft()));
    FDesigner->Modified();
}

void TQzFormSurface::finishBand(const QRect& band) {
    TComponent* root = FDesigner->GetRoot();
    QList<TPersistent*> selection;
    // The band picks what lies directly on the form and the components of the tray.
    for (const TQzPlacedComponent& placed : drawing().Placements()) {
        auto* control = qobject_cast<TControl*>(placed.Component);
        const bool topLevel = !control || control->Parent() == root;
        if (topLevel && band.intersects(placed.Rect))
            selection << placed.Component;
    }
    if (selection.isEmpty())
        selection << root;
    FDesigner->SetSelections(selection);
}

QMenu* TQzFormSurface::CreateContextMenu(TComponent* component) {
    auto* menu = new QMenu(this);
    TComponent* root = FDesigner->GetRoot();
    const QList<TComponent*> selected = selectedComponents();
    if (selected.size() <= 1) {
        // The editor lives as long as the menu's actions that run its verbs.
        std::shared_ptr<TComponentEditor> editor = GetComponentEditor(component, FDesigner);
        int verbs = 0;
        QzRunShowingErrors([&] { verbs = editor->GetVerbCount(); });
        for (int i = 0; i < verbs; ++i) {
            QString verb;
            QzRunShowingErrors([&] { verb = editor->GetVerb(i); });
            QAction* action = menu->addAction(verb);
            connect(action, &QAction::triggered, menu, [this, editor, i, verb] {
                const TQzDesignChange change(FDesigner, verb);
                QzRunShowingErrors([&] { editor->ExecuteVerb(i); });
            });
        }
        if (verbs > 0)
            menu->addSeparator();
    }
    const bool anyComponent =
        std::any_of(selected.begin(), selected.end(), [root](TComponent* c) { return c != root; });
    auto add = [&](const QString& text, void (TQzFormSurface::*command)(), bool enabled) {
        QAction* action = menu->addAction(text);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, command);
    };
    add(tr("Cut"), &TQzFormSurface::CutSelection, anyComponent);
    add(tr("Copy"), &TQzFormSurface::CopySelection, anyComponent);
    add(tr("Paste"), &TQzFormSurface::PasteComponents, TDesignWindow::ClipboardComponents());
    add(tr("Delete"), &TQzFormSurface::DeleteSelection, anyComponent);
    add(tr("Select All"), &TQzFormSurface::SelectAll, true);
    return menu;
}

void TQzFormSurface::DeleteSelection() {
    TComponent* root = FDesigner->GetRoot();
    QList<TComponent*> doomed;
    for (TComponent* component : selectedComponents())
        if (component != root)
            doomed << component;
    if (doomed.isEmpty())
        return;
    const TQzDesignChange change(FDesigner, tr("Delete"));
    FDesigner->DeleteComponents(doomed);
    FDesigner->SelectComponent(root);
    UpdateLayout();
    update();
}

void TQzFormSurface::CutSelection() {
    const TQzDesignChange change(FDesigner, tr("Cut"));
    CopySelection();
    DeleteSelection();
}

void TQzFormSurface::CopySelection() {
    TComponent* root = FDesigner->GetRoot();
    QList<TComponent*> components;
    for (TComponent* component : selectedComponents())
        if (component != root)
            components << component;
    if (!components.isEmpty())
        QzRunShowingErrors([&] { TDesignWindow::CopyComponents(root, components); });
}

void TQzFormSurface::PasteComponents() {
    TComponent* root = FDesigner->GetRoot();
    TComponent* parent = root;
    const QList<TComponent*> selected = selectedComponents();
    if (selected.size() == 1 && TQzFormDrawing::AcceptsControls(selected.first()))
        parent = selected.first();
    QList<TComponent*> pasted;
    const TQzDesignChange change(FDesigner, tr("Paste"));
    if (!QzRunShowingErrors([&] { pasted = TDesignWindow::PasteComponents(root, parent); }))
        return;
    if (pasted.isEmpty())
        return;
    QList<TPersistent*> selection;
    for (TComponent* component : pasted) {
        component->SetDesigning(true);
        selection << component;
    }
    FDesigner->Modified();
    FDesigner->SetSelections(selection);
}

void TQzFormSurface::SelectAll() {
    TComponent* root = FDesigner->GetRoot();
    QList<TPersistent*> selection;
    for (const TQzPlacedComponent& placed : drawing().Placements()) {
        auto* control = qobject_cast<TControl*>(placed.Component);
        if (!control || control->Parent() == root)
            selection << placed.Component;
    }
    if (selection.isEmpty())
        selection << root;
    FDesigner->SetSelections(selection);
}
