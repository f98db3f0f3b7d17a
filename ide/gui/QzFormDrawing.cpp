#include "QzFormDrawing.h"

#include "QzContainers.h"
#include "QzDesignerDisplay.h"
#include "QzDraw.h"

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
constexpr int DefaultTabHeight = 22;

int intProperty(const QObject* object, const char* name) {
    return object->property(name).toInt();
}

TQzTabSheet* activeSheet(const TQzCustomPageControl* pages) {
    const int index = pages->FTabIndex;
    if (index >= 0 && index < pages->Tabs()->Count())
        if (TQzTabSheet* sheet = pages->FindTabSheet(pages->GetTab(index)->PageId()))
            return sheet;
    const QList<TQzTabSheet*> sheets = pages->TabSheets();
    return sheets.isEmpty() ? nullptr : sheets.first();
}

TQzOutLookBarPage* activePage(const TQzOutLookBar* bar) {
    if (bar->ActivePage())
        return bar->ActivePage();
    const QList<TQzOutLookBarPage*> pages = bar->Pages();
    return pages.isEmpty() ? nullptr : pages.first();
}

// Pages other than the one their page control or outlook bar shows are not drawn, nor what
// they hold, since they all lie on top of each other.
bool hiddenPage(const TWinControl* parent, const TControl* child) {
    if (auto* pages = qobject_cast<const TQzCustomPageControl*>(parent))
        if (qobject_cast<const TQzTabSheet*>(child))
            return child != activeSheet(pages);
    if (auto* bar = qobject_cast<const TQzOutLookBar*>(parent))
        if (qobject_cast<const TQzOutLookBarPage*>(child))
            return child != activePage(bar);
    return false;
}

} // namespace

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
        if (hiddenPage(parent, child))
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
        if (qobject_cast<TControl*>(placed.Component))
            paintControl(painter, widget, placed);
        else
            paintTrayBox(painter, widget, placed);
    }
}

void TQzFormDrawing::paintForm(QPainter& painter, const QWidget& widget) const {
    painter.fillRect(QRect(QPoint(0, 0), Size()),
                     widget.palette().color(QPalette::Window).darker(115));
    const TComponent* root = FRoot;
    const QRect client = ClientRect();

    // The window frame with the form's caption in its title bar.
    const QRect title(Margin, Margin, client.width(), TitleHeight);
    painter.fillRect(title.adjusted(-1, -1, 1, 0), QColor(0x3a, 0x6e, 0xa5));
    painter.setPen(Qt::white);
    QFont bold = widget.font();
    bold.setBold(true);
    painter.setFont(bold);
    QString caption = QzComponentCaption(root);
    if (caption.isEmpty())
        caption = root->Name();
    painter.drawText(title.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(bold).elidedText(caption, Qt::ElideRight, title.width() - 12));
    painter.setFont(widget.font());

    const QVariant color = root->property("Color");
    const QColor face =
        color.isValid() ? QzColorToQColor(color.toInt()) : widget.palette().button().color();
    painter.fillRect(client, face);
    // The alignment grid.
    QList<QPoint> dots;
    for (int y = client.top() + GridStep; y < client.bottom(); y += GridStep)
        for (int x = client.left() + GridStep; x < client.right(); x += GridStep)
            dots << QPoint(x, y);
    painter.setPen(face.darker(140));
    painter.drawPoints(dots.constData(), int(dots.size()));
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

void TQzFormDrawing::paintControl(QPainter& painter, const QWidget& widget,
                                  const TQzPlacedComponent& placed) const {
    const TComponent* component = placed.Component;
    const QRect r = placed.Rect;
    painter.save();
    painter.setClipRect(placed.Clip);

    if (!component->property("Transparent").toBool()) {
        const QVariant color = component->property("Color");
        painter.fillRect(r, color.isValid() ? QzColorToQColor(color.toInt())
                                            : widget.palette().button().color());
    }
    const QString caption = QzComponentCaption(component);
    // A picture stands for the control when it has no caption to show.
    bool pictured = false;
    if (caption.isEmpty())
        if (auto* image =
                qobject_cast<TQzMemoryImage*>(component->property("Image").value<QObject*>()))
            pictured =
                QzDrawImage(painter, r, *image, component->property("Stretch").toBool(), true);

    // Windowed controls get a solid frame, graphic ones a dashed one, as their outline only.
    const bool windowed = qobject_cast<const TWinControl*>(component);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, windowed ? Qt::SolidLine : Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));

    // Text goes only where nothing lies over the control: its children, its tabs or buttons.
    QList<QRect> covered = paintPageDecorations(painter, widget, placed);
    if (auto* container = qobject_cast<const TWinControl*>(component))
        for (const TControl* child : container->ControlList())
            if (!hiddenPage(container, child))
                covered << QRect(r.topLeft() + QPoint(child->Left(), child->Top()),
                                 QSize(child->Width(), child->Height()));
    const auto isFree = [&covered](const QRect& spot) {
        return std::none_of(covered.begin(), covered.end(),
                            [&spot](const QRect& c) { return c.intersects(spot); });
    };

    const QString name = component->Name();
    const QFontMetrics fm(widget.font());
    const QRect inner = r.adjusted(3, 1, -3, -1);
    const QColor nameColor(0x60, 0x60, 0x60);
    const bool separateCaption = !caption.isEmpty() && caption != name;
    // Too low for a line of text (a divider, a thin bar): the outline is all it shows.
    if (inner.height() < fm.height() - 2) {
        painter.restore();
        return;
    }
    // Draws `text` in the line `line` of the control at the alignment's side, when it is free.
    const auto drawLine = [&](const QString& text, const QRect& line, Qt::Alignment side,
                              const QColor& color) {
        const QString shown = fm.elidedText(text, Qt::ElideRight, line.width());
        const int width = fm.horizontalAdvance(shown);
        const int left = side & Qt::AlignRight     ? line.right() + 1 - width
                         : side & Qt::AlignHCenter ? line.center().x() - width / 2
                                                   : line.left();
        const QRect spot(left, line.center().y() - fm.height() / 2, width, fm.height());
        if (shown.isEmpty() || !isFree(spot))
            return false;
        // Over a picture the text gets a backdrop, so that it stays readable.
        if (pictured)
            painter.fillRect(spot.adjusted(-1, 0, 1, 0), QColor(255, 255, 255, 200));
        painter.setPen(color);
        painter.drawText(spot, Qt::AlignLeft | Qt::AlignVCenter, shown);
        return true;
    };
    if (inner.height() >= 2 * fm.height()) {
        // The name in a top corner, the caption in the middle.
        const QRect top(inner.left(), inner.top(), inner.width(), fm.height());
        if (!drawLine(name, top, Qt::AlignLeft, nameColor))
            drawLine(name, top, Qt::AlignRight, nameColor);
        if (separateCaption) {
            const QRect middle = inner.adjusted(0, fm.height(), 0, 0);
            drawLine(caption,
                     QRect(middle.left(), middle.center().y() - fm.height() / 2, middle.width(),
                           fm.height()),
                     Qt::AlignHCenter, Qt::black);
        }
    } else if (!separateCaption) {
        drawLine(name, inner, Qt::AlignLeft, nameColor);
    } else {
        // One line: the caption, and the name after it where there is room.
        drawLine(caption, inner, Qt::AlignLeft, Qt::black);
        if (fm.horizontalAdvance(caption) + fm.horizontalAdvance(name) +
                2 * fm.averageCharWidth() <=
            inner.width())
            drawLine(name, inner, Qt::AlignRight, nameColor);
    }
    painter.restore();
}

// The tabs of a page control and the page buttons of an outlook bar.
QList<QRect> TQzFormDrawing::paintPageDecorations(QPainter& painter, const QWidget& widget,
                                                  const TQzPlacedComponent& placed) const {
    QList<QRect> drawn;
    const QRect r = placed.Rect;
    const QFontMetrics fm(widget.font());
    auto tabText = [](const TQzTabControl* tab) {
        const QString text = tab->Caption()->Text();
        return text.isEmpty() ? tab->DisplayName() : text;
    };
    if (auto* pages = qobject_cast<const TQzCustomPageControl*>(placed.Component)) {
        const TQzTabSheet* shown = activeSheet(pages);
        const int bottom = shown ? std::max(r.top() + fm.height(), r.top() + shown->Top())
                                 : r.top() + DefaultTabHeight;
        int x = r.left() + 2;
        for (int i = 0; i < pages->Tabs()->Count(); ++i) {
            const TQzTabControl* tab = pages->GetTab(i);
            if (!tab->FTabVisible)
                continue;
            const QString text = tabText(tab);
            const QRect tabRect(x, r.top() + 2, fm.horizontalAdvance(text) + 16,
                                bottom - r.top() - 2);
            const bool active = shown && shown->FPageId == tab->PageId();
            painter.fillRect(tabRect, active ? widget.palette().color(QPalette::Base)
                                             : widget.palette().color(QPalette::Button));
            painter.setPen(QColor(0x80, 0x80, 0x80));
            painter.drawRect(tabRect.adjusted(0, 0, -1, -1));
            painter.setPen(Qt::black);
            painter.drawText(tabRect, Qt::AlignCenter, text);
            drawn << tabRect;
            x += tabRect.width() + 1;
        }
    } else if (auto* bar = qobject_cast<const TQzOutLookBar*>(placed.Component)) {
        const QList<TQzOutLookBarPage*> barPages = bar->Pages();
        const int buttonHeight = std::max(fm.height() + 4, intProperty(bar, "ButtonHeight"));
        const qsizetype active = barPages.indexOf(activePage(bar));
        for (qsizetype i = 0; i < barPages.size(); ++i) {
            // Buttons up to the shown page stack at the top, the rest at the bottom.
            const int top = i <= active ? r.top() + int(i) * buttonHeight
                                        : r.bottom() + 1 - int(barPages.size() - i) * buttonHeight;
            const QRect button(r.left(), top, r.width(), buttonHeight);
            painter.fillRect(button, widget.palette().color(QPalette::Button));
            painter.setPen(QColor(0x80, 0x80, 0x80));
            painter.drawRect(button.adjusted(0, 0, -1, -1));
            painter.setPen(Qt::black);
            QString text = barPages[i]->Caption()->Text();
            if (text.isEmpty())
                text = barPages[i]->Name();
            painter.drawText(button, Qt::AlignCenter,
                             fm.elidedText(text, Qt::ElideRight, button.width() - 8));
            drawn << button;
        }
    }
    return drawn;
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
