// Bars: the status bar and its panels, the progress bar, the ruler, the tool bars of memos, rich
// edits and images, and the library's scroll bar.

#include "QzBars.h"
#include "QzColors.h"
#include "QzContainers.h"
#include "QzPaintStyle.h"

namespace {

TQzBevel bevelOf(TBevelCut cut) {
    return cut == bvRaised    ? TQzBevel::Raised
           : cut == bvLowered ? TQzBevel::Lowered
                              : TQzBevel::None;
}

void paintStatusBar(TQzPainting& p, const TQzStatusBar& bar) {
    p.face(p.Rect);
    p.Shown = true;
    const QRect inner = p.Rect.adjusted(0, 2, 0, 0);
    int x = inner.left();
    const int count = bar.FSimplePanel ? std::min(1, bar.Panels()->Count()) : bar.Panels()->Count();
    for (int i = 0; i < count; ++i) {
        const TQzStatusBarPanel* panel = bar.GetPanel(i);
        // The last panel takes what is left.
        const int width = i + 1 == count ? inner.right() + 1 - x : panel->FWidth;
        const QRect cell(x, inner.top(), width - 2, inner.height());
        QzPaintBevel(p.Painter, cell, bevelOf(panel->FBevel));
        QRect content = cell.adjusted(3, 1, -3, -1);
        if (p.image(QRect(content.left(), content.center().y() - 8, 16, 16), panel->Image()))
            content.setLeft(content.left() + 20);
        QString text = panel->Caption()->Text();
        if (const QString value = QzPaintValueText(panel->Value()); !value.isEmpty())
            text = text.isEmpty() ? value : text + QStringLiteral(": ") + value;
        const Qt::Alignment side = panel->FAlignment == taRightJustify ? Qt::AlignRight
                                   : panel->FAlignment == taCenter     ? Qt::AlignHCenter
                                                                       : Qt::AlignLeft;
        p.text(content, text, side | Qt::AlignVCenter);
        x += width;
    }
    if (bar.FSizeGrip) {
        p.Painter.save();
        for (int i = 0; i < 3; ++i) {
            const int d = 4 + i * 4;
            p.Painter.setPen(QzPaintColor(clBtnShadow));
            p.Painter.drawLine(p.Rect.right() - d, p.Rect.bottom() - 1, p.Rect.right() - 1,
                               p.Rect.bottom() - d);
        }
        p.Painter.restore();
    }
}

void paintProgress(TQzPainting& p, const TQzProgressBar& bar) {
    p.Painter.fillRect(p.Rect, QzPaintColor(clBtnFace));
    QzPaintBevel(p.Painter, p.Rect, TQzBevel::Lowered);
    p.Shown = true;
    const QRect inner = p.Rect.adjusted(2, 2, -2, -2);
    const int range = std::max(1, bar.FMax - bar.FMin);
    const double done = std::clamp(double(bar.FPosition - bar.FMin) / range, 0.0, 1.0);
    const bool vertical = bar.FOrientation == sbVertical;
    const int length = int((vertical ? inner.height() : inner.width()) * done);
    const QRect filled =
        vertical ? QRect(inner.left(), inner.bottom() + 1 - length, inner.width(), length)
                 : QRect(inner.left(), inner.top(), length, inner.height());
    const QColor color = QzPaintColor(clHighlight);
    if (bar.FSmooth) {
        p.Painter.fillRect(filled, color);
    } else {
        // Blocks with a gap between them.
        const int block = std::max(4, (vertical ? inner.width() : inner.height()) * 2 / 3);
        for (int at = 0; at + 1 < length; at += block + 2) {
            const int size = std::min(block, length - at);
            p.Painter.fillRect(
                vertical
                    ? QRect(filled.left(), filled.bottom() + 1 - at - size, filled.width(), size)
                    : QRect(filled.left() + at, filled.top(), size, filled.height()),
                color);
        }
    }
    if (bar.FShowText)
        p.text(inner, QStringLiteral("%1%").arg(int(done * 100 + 0.5)), Qt::AlignCenter);
}

void paintRuler(TQzPainting& p, const TQzRuler& ruler) {
    p.face(p.Rect);
    QzPaintBevel(p.Painter, p.Rect, TQzBevel::Raised);
    p.Shown = true;
    // Pixels between ticks of each unit, at the ruler's zoom.
    const double unit = ruler.FUnits == TQzRuler::ruPixels        ? 10
                        : ruler.FUnits == TQzRuler::ruMillimeters ? 96 / 25.4
                        : ruler.FUnits == TQzRuler::ruInches      ? 96 / 8.0
                                                                  : 96 / 2.54 / 2;
    const double step = unit * std::max(1, ruler.FZoom) / 100.0;
    const bool vertical = ruler.FOrientation == sbVertical;
    const int length = vertical ? p.Rect.height() : p.Rect.width();
    const int depth = vertical ? p.Rect.width() : p.Rect.height();
    p.Painter.save();
    p.Painter.setPen(p.Look.Text);
    int tick = 0;
    for (double at = -ruler.FOffset; at < length; at += step, ++tick) {
        if (at < 0)
            continue;
        const int size = tick % 10 == 0 ? depth / 2 : tick % 5 == 0 ? depth / 3 : depth / 5;
        if (vertical)
            p.Painter.drawLine(p.Rect.right() - size, p.Rect.top() + int(at), p.Rect.right(),
                               p.Rect.top() + int(at));
        else
            p.Painter.drawLine(p.Rect.left() + int(at), p.Rect.bottom() - size,
                               p.Rect.left() + int(at), p.Rect.bottom());
    }
    p.Painter.restore();
}

// A tool bar's buttons, each a short symbol of what it does.
void paintToolBar(TQzPainting& p, const QStringList& symbols, bool flat) {
    p.face(p.Rect);
    p.Shown = true;
    const int size = std::min(p.Rect.height(), std::max(16, p.Rect.width() / int(symbols.size())));
    QFont font = p.Look.Font;
    font.setBold(true);
    const QFont own = p.Look.Font;
    p.Look.Font = font;
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        const QRect button(p.Rect.left() + int(i) * size, p.Rect.top(), size, p.Rect.height());
        if (button.left() > p.Rect.right())
            break;
        if (!flat)
            QzPaintBevel(p.Painter, button, TQzBevel::Raised);
        p.text(button, symbols[i], Qt::AlignCenter, QzPaintColor(clBtnText));
    }
    p.Look.Font = own;
}

// The image bar's buttons: open, save, copy and paste a picture, drawn as small symbols.
void paintImageBar(TQzPainting& p, bool flat) {
    p.face(p.Rect);
    p.Shown = true;
    const int size = std::min(p.Rect.height(), std::max(16, p.Rect.width() / 4));
    QPainter& painter = p.Painter;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QzPaintColor(clBtnText), 1));
    for (int i = 0; i < 4; ++i) {
        const QRect button(p.Rect.left() + i * size, p.Rect.top(), size, p.Rect.height());
        if (button.left() > p.Rect.right())
            break;
        if (!flat)
            QzPaintBevel(painter, button, TQzBevel::Raised);
        const QRectF box(button.center().x() - 6.5, button.center().y() - 6.5, 13, 13);
        switch (i) {
        case 0: // a folder
            painter.setBrush(QColor(0xF0, 0xD0, 0x60));
            painter.drawPolygon(QPolygonF{
                box.bottomLeft(), box.topLeft() + QPointF(0, 2), box.topLeft() + QPointF(5, 2),
                box.topLeft() + QPointF(6, 4), box.topRight() + QPointF(0, 4), box.bottomRight()});
            break;
        case 1: // a disk
            painter.setBrush(QColor(0x40, 0x60, 0xA0));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.setBrush(Qt::white);
            painter.drawRect(QRectF(box.left() + 3, box.top(), box.width() - 7, 4));
            break;
        case 2: // two sheets
            painter.setBrush(Qt::white);
            painter.drawRect(QRectF(box.left(), box.top(), 8, 9));
            painter.drawRect(QRectF(box.left() + 4, box.top() + 4, 8, 9));
            break;
        default: // a clipboard
            painter.setBrush(QColor(0xC0, 0x90, 0x50));
            painter.drawRect(box.adjusted(1, 1, -2, -1));
            painter.setBrush(Qt::white);
            painter.drawRect(box.adjusted(3, 3, -4, -3));
            break;
        }
    }
    painter.restore();
}

void paintScrollBar(TQzPainting& p, const TQzExtScrollBar& bar) {
    const bool vertical = bar.FKind == sbVertical;
    const TQzScrollBarSettings& settings = *bar.Settings();
    p.Painter.fillRect(p.Rect, QzPaintColor(settings.FColor));
    p.Shown = true;
    const int button =
        std::min(settings.FButtonSize, (vertical ? p.Rect.height() : p.Rect.width()) / 2);
    const QRect first = vertical ? QRect(p.Rect.left(), p.Rect.top(), p.Rect.width(), button)
                                 : QRect(p.Rect.left(), p.Rect.top(), button, p.Rect.height());
    const QRect last =
        vertical ? QRect(p.Rect.left(), p.Rect.bottom() + 1 - button, p.Rect.width(), button)
                 : QRect(p.Rect.right() + 1 - button, p.Rect.top(), button, p.Rect.height());
    QzPaintArrowButton(p.Painter, first, vertical ? Qt::UpArrow : Qt::LeftArrow);
    QzPaintArrowButton(p.Painter, last, vertical ? Qt::DownArrow : Qt::RightArrow);
    const int track = (vertical ? p.Rect.height() : p.Rect.width()) - 2 * button;
    const int range = std::max(1, bar.FMax - bar.FMin);
    const int thumb = std::max(8, bar.FPageSize > 0 ? track * bar.FPageSize / (range + 1) : button);
    const int at =
        button + (track - thumb) * std::clamp(bar.FPosition - bar.FMin, 0, range) / range;
    const QRect thumbRect = vertical
                                ? QRect(p.Rect.left(), p.Rect.top() + at, p.Rect.width(), thumb)
                                : QRect(p.Rect.left() + at, p.Rect.top(), thumb, p.Rect.height());
    p.Painter.fillRect(thumbRect, QzPaintColor(settings.FThumbColor));
    if (!settings.FFlat)
        QzPaintBevel(p.Painter, thumbRect, TQzBevel::Raised);
}

} // namespace

bool QzPaintBarFamily(TQzPainting& p) {
    const TControl& c = p.Control;
    if (auto* status = qobject_cast<const TQzStatusBar*>(&c)) {
        paintStatusBar(p, *status);
    } else if (auto* progress = qobject_cast<const TQzProgressBar*>(&c)) {
        paintProgress(p, *progress);
    } else if (auto* ruler = qobject_cast<const TQzRuler*>(&c)) {
        paintRuler(p, *ruler);
    } else if (auto* memoBar = qobject_cast<const TQzMemoBar*>(&c)) {
        paintToolBar(p,
                     {QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U"),
                      QStringLiteral("\u2261"), QStringLiteral("\u2702")},
                     memoBar->FFlat);
    } else if (auto* richBar = qobject_cast<const TQzRichEditBar*>(&c)) {
        paintToolBar(p,
                     {QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U"),
                      QStringLiteral("\u2261"), QStringLiteral("A"), QStringLiteral("\u2022")},
                     richBar->FFlat);
    } else if (auto* imageBar = qobject_cast<const TQzImageBar*>(&c)) {
        paintImageBar(p, imageBar->FFlat);
    } else if (auto* scroll = qobject_cast<const TQzExtScrollBar*>(&c)) {
        paintScrollBar(p, *scroll);
    } else {
        return false;
    }
    return true;
}
