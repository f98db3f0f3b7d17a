#include "QzFormDrawing.h"

#include "Controls.h"
#include "QzContainers.h"
#include "QzDesignerDisplay.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace {

constexpr int Margin = 8;
constexpr int TitleHeight = 22;
constexpr int GridStep = 8;
constexpr int TrayGap = 8;
constexpr int TrayHeaderHeight = 18;
constexpr int TrayCellWidth = 80;
constexpr int TrayCellHeight = 54;
constexpr int TrayBoxSize = 32;
constexpr int DefaultClientWidth = 400;
constexpr int DefaultClientHeight = 300;

int intProperty(const QObject* object, const char* name) {
    return object->property(name).toInt();
}

// Pages other than the one their page control or outlook bar shows are not drawn, nor what
// they hold, since they all lie on top of each other.
bool hiddenPage(const TWinControl* parent, const TControl* child) {
    if (auto* pages = qobject_cast<const TQzCustomPageControl*>(parent))
        if (qobject_cast<const TQzTabSheet*>(child))
            return child != QzShownTabSheet(*pages);
    if (auto* bar = qobject_cast<const TQzOutLookBar*>(parent))
        if (qobject_cast<const TQzOutLookBarPage*>(child))
            return child != QzShownOutLookPage(*bar);
    return false;
}

} // namespace

TQzFormDrawing::TQzFormDrawing(TComponent* root, TQzPaintContext context)
    : FRoot(root), FContext(context) {}

bool TQzFormDrawing::AcceptsControls(const TComponent* component) {
    const auto* control = qobject_cast<const TControl*>(component);
    return control && (control->ControlStyle() & csAcceptsControls);
}

QRect TQzFormDrawing::ClientRect() const {
    return {clientOrigin(), clientSize()};
}

QSize TQzFormDrawing::clientSize() const {
    // A form stores its client size; a frame only its outer one; a data module neither.
    int width = intProperty(FRoot, "ClientWidth");
    int height = intProperty(FRoot, "ClientHeight");
    if (width <= 0)
        width = intProperty(FRoot, "Width");
    if (height <= 0)
        height = intProperty(FRoot, "Height");
    return {width > 0 ? width : DefaultClientWidth, height > 0 ? height : DefaultClientHeight};
}

QPoint TQzFormDrawing::clientOrigin() const {
    return {Margin, Margin + TitleHeight};
}

QSize TQzFormDrawing::Size() const {
    const QRect client = ClientRect();
    const QRect tray = trayRect();
    const int bottom = tray.isNull() ? client.bottom() + 1 : tray.bottom() + 1;
    return {client.width() + 2 * Margin, bottom + Margin};
}

QList<TComponent*> TQzFormDrawing::trayComponents() const {
    QList<TComponent*> tray;
    if (!FContext.Designing)
        return tray;
    for (TComponent* component : FRoot->ComponentList())
        if (!component->HasParent())
            tray << component;
    return tray;
}

QRect TQzFormDrawing::trayRect() const {
    const qsizetype count = trayComponents().size();
    if (count == 0)
        return {};
    const QSize client = clientSize();
    const int columns = std::max(1, client.width() / TrayCellWidth);
    const int rows = int((count + columns - 1) / columns);
    return {Margin, clientOrigin().y() + client.height() + TrayGap, client.width(),
            TrayHeaderHeight + rows * TrayCellHeight};
}

void TQzFormDrawing::placeChildren(TWinControl* parent, const QPoint& origin, const QRect& clip,
                                   QList<TQzPlacedComponent>& out) const {
    for (TControl* child : parent->ControlList()) {
        // While the form runs, hidden controls are not there; the designer shows them all.
        if (hiddenPage(parent, child) || (!FContext.Designing && !child->Visible()))
            continue;
        const QRect rect(origin + QPoint(child->Left(), child->Top()),
                         QSize(child->Width(), child->Height()));
        out.push_back({child, rect, clip});
        if (auto* windowed = qobject_cast<TWinControl*>(child))
            placeChildren(windowed, rect.topLeft(), clip & rect, out);
    }
}

QList<TQzPlacedComponent> TQzFormDrawing::Placements() const {
    QList<TQzPlacedComponent> out;
    const QRect client = ClientRect();
    if (auto* root = qobject_cast<TWinControl*>(FRoot))
        placeChildren(root, client.topLeft(), client, out);
    const QRect tray = trayRect();
    const int columns = std::max(1, tray.width() / TrayCellWidth);
    const QList<TComponent*> components = trayComponents();
    for (qsizetype i = 0; i < components.size(); ++i) {
        const QRect cell(tray.left() + int(i % columns) * TrayCellWidth,
                         tray.top() + TrayHeaderHeight + int(i / columns) * TrayCellHeight,
                         TrayCellWidth, TrayCellHeight);
        out.push_back({components[i], cell.adjusted(2, 2, -2, -2), tray});
    }
    return out;
}

QRect TQzFormDrawing::ComponentRect(const TComponent* component) const {
    if (component == FRoot)
        return ClientRect();
    for (const TQzPlacedComponent& placed : Placements())
        if (placed.Component == component)
            return placed.Rect;
    return {};
}

TComponent* TQzFormDrawing::ComponentAt(const QPoint& point) const {
    const QList<TQzPlacedComponent> placed = Placements();
    for (auto it = placed.rbegin(); it != placed.rend(); ++it)
        if (it->Rect.contains(point) && it->Clip.contains(point))
            return it->Component;
    return FRoot;
}

TWinControl* TQzFormDrawing::ContainerAt(const QPoint& point) const {
    const QList<TQzPlacedComponent> placed = Placements();
    for (auto it = placed.rbegin(); it != placed.rend(); ++it)
        if (it->Rect.contains(point) && it->Clip.contains(point) && AcceptsControls(it->Component))
            return qobject_cast<TWinControl*>(it->Component);
    return qobject_cast<TWinControl*>(FRoot);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TQzFormDrawing::Paint(QPainter& painter, const QWidget& widget) const {
    paintForm(painter, widget);
    for (const TQzPlacedComponent& placed : Placements()) {
        if (auto* control = qobject_cast<const TControl*>(placed.Component)) {
            painter.save();
            painter.setClipRect(placed.Clip);
            QzPaintControl(painter, placed.Rect, *control, FContext);
            painter.restore();
        } else {
            paintTrayBox(painter, widget, placed);
        }
    }
}

void TQzFormDrawing::paintForm(QPainter& painter, const QWidget& widget) const {
    painter.fillRect(QRect(QPoint(0, 0), Size()),
                     widget.palette().color(QPalette::Window).darker(115));
    const QRect client = ClientRect();

    // The window frame with the form's caption in its title bar.
    const QRect title(Margin, Margin, client.width(), TitleHeight);
    painter.fillRect(title.adjusted(-1, -1, 1, 0), QColor(0x3a, 0x6e, 0xa5));
    painter.setPen(Qt::white);
    QFont bold = widget.font();
    bold.setBold(true);
    painter.setFont(bold);
    QString caption = QzFormCaption(*FRoot);
    if (caption.isEmpty())
        caption = FRoot->Name();
    painter.drawText(title.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(bold).elidedText(caption, Qt::ElideRight, title.width() - 12));
    painter.setFont(widget.font());

    QzPaintFormClient(painter, client, *FRoot, FContext);
    if (FContext.Designing) {
        // The alignment grid, in a shade of what lies under it.
        QList<QPoint> dots;
        for (int y = client.top() + GridStep; y < client.bottom(); y += GridStep)
            for (int x = client.left() + GridStep; x < client.right(); x += GridStep)
                dots << QPoint(x, y);
        painter.setPen(QColor(0, 0, 0, 70));
        painter.drawPoints(dots.constData(), int(dots.size()));
    }
    painter.setPen(QColor(0x3a, 0x6e, 0xa5));
    painter.drawRect(client.adjusted(-1, -TitleHeight - 1, 0, 0));

    const QRect tray = trayRect();
    if (!tray.isNull()) {
        painter.fillRect(tray, widget.palette().color(QPalette::Base));
        painter.setPen(widget.palette().color(QPalette::Mid));
        painter.drawRect(tray.adjusted(0, 0, -1, -1));
        painter.setPen(widget.palette().color(QPalette::PlaceholderText));
        painter.drawText(
            tray.adjusted(6, 0, -6, 0)
                .intersected(QRect(tray.left(), tray.top(), tray.width(), TrayHeaderHeight)),
            Qt::AlignVCenter | Qt::AlignLeft, tr("Non-visual components"));
    }
}

void TQzFormDrawing::paintTrayBox(QPainter& painter, const QWidget& widget,
                                  const TQzPlacedComponent& placed) const {
    const QRect r = placed.Rect;
    painter.save();
    painter.setClipRect(placed.Clip);
    const QRect box(r.center().x() - TrayBoxSize / 2, r.top(), TrayBoxSize, TrayBoxSize);
    painter.fillRect(box, widget.palette().color(QPalette::Button));
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    const QPixmap icon = QzPalettePixmap(placed.Component->ClassName());
    if (!icon.isNull())
        painter.drawPixmap(box.center().x() - icon.width() / 2 + 1,
                           box.center().y() - icon.height() / 2 + 1, icon);
    const QFontMetrics fm(widget.font());
    painter.setPen(Qt::black);
    painter.drawText(QRect(r.left(), box.bottom() + 2, r.width(), fm.height()), Qt::AlignCenter,
                     fm.elidedText(placed.Component->Name(), Qt::ElideRight, r.width()));
    painter.restore();
}
