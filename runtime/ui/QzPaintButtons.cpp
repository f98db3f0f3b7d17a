// Labels, push buttons, check boxes, radio buttons and groups, the set group, the edit buttons
// and the data navigator.

#include "QzButtons.h"
#include "QzColors.h"
#include "QzContainers.h"
#include "QzEdits.h"
#include "QzLabels.h"
#include "QzPaintStyle.h"

#include <QPainterPath>

namespace {

Qt::Alignment horizontal(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

void QzPaintMark(QPainter& painter, const QRect& box, bool radio, Qt::CheckState state) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, radio);
    painter.setPen(QzPaintColor(clBtnShadow));
    painter.setBrush(QzPaintColor(clWindow));
    if (radio)
        painter.drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    else
        painter.drawRect(box.adjusted(0, 0, -1, -1));
    painter.setBrush(QzPaintColor(clWindowText));
    painter.setPen(QPen(QzPaintColor(clWindowText), 2));
    if (state == Qt::Checked && radio) {
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(box).adjusted(3.5, 3.5, -3.5, -3.5));
    } else if (state == Qt::Checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + 3, box.center().y());
        tick.lineTo(box.left() + box.width() * 0.42, box.bottom() - 3);
        tick.lineTo(box.right() - 2, box.top() + 3);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    } else if (state == Qt::PartiallyChecked) {
        painter.fillRect(box.adjusted(3, 3, -3, -3), QzPaintColor(clGrayText));
    }
    painter.restore();
}

namespace {

// A mark and its caption across the control, the mark on the side the alignment leaves free.
void paintMarked(TQzPainting& p, const QRect& rect, bool radio, Qt::CheckState state,
                 const QString& caption, TAlignment alignment,
                 const TQzMemoryImage* image = nullptr) {
    const int size = std::min(13, rect.height());
    const bool markLeft = alignment != taLeftJustify;
    const QRect box(markLeft ? rect.left() : rect.right() + 1 - size, rect.center().y() - size / 2,
                    size, size);
    QzPaintMark(p.Painter, box, radio, state);
    p.Shown = true;
    QRect textRect =
        markLeft ? rect.adjusted(size + 4, 0, 0, 0) : rect.adjusted(0, 0, -size - 4, 0);
    if (p.image(QRect(textRect.left(), rect.center().y() - 8, 16, 16), image))
        textRect.setLeft(textRect.left() + 20);
    p.text(textRect, caption, Qt::AlignVCenter | Qt::AlignLeft);
}

// A push button: the frame, and its picture beside its caption as the layout puts them.
void paintPush(TQzPainting& p, const TQzMemoryImage* image, TButtonLayout layout, int spacing,
               bool isDefault, bool flat, bool down) {
    if (!flat || down || p.Look.BackGround)
        p.face(p.Rect);
    QRect inner = p.Rect;
    if (isDefault) {
        p.Painter.setPen(QzPaintColor(cl3DDkShadow));
        p.Painter.drawRect(p.Rect.adjusted(0, 0, -1, -1));
        inner.adjust(1, 1, -1, -1);
    }
    if (!flat || down) {
        QzPaintBevel(p.Painter, inner, down ? TQzBevel::Lowered : TQzBevel::Raised, 2);
        p.Shown = true;
    }
    const QString caption = QzCaptionOf(&p.Control);
    const QFontMetrics fm(p.Look.Font);
    const bool hasImage = image && image->ItemId() >= 0;
    const QSize glyph = hasImage ? QSize(16, 16) : QSize();
    const int textWidth = caption.isEmpty() ? 0 : fm.horizontalAdvance(caption);
    const int gap = hasImage && !caption.isEmpty() ? spacing : 0;
    const QRect content = inner.adjusted(4, 3, -4, -3).translated(down ? 1 : 0, down ? 1 : 0);
    const bool across = layout == blGlyphLeft || layout == blGlyphRight;
    if (across) {
        const int width = std::min(content.width(), glyph.width() + gap + textWidth);
        int x = content.center().x() - width / 2 + 1;
        QRect glyphRect, textRect;
        if (layout == blGlyphLeft) {
            glyphRect = QRect(x, content.center().y() - 8, glyph.width(), 16);
            textRect = QRect(x + glyph.width() + gap, content.top(),
                             content.right() + 1 - (x + glyph.width() + gap), content.height());
        } else {
            textRect = QRect(content.left(), content.top(),
                             x + width - glyph.width() - gap - content.left(), content.height());
            glyphRect =
                QRect(x + width - glyph.width(), content.center().y() - 8, glyph.width(), 16);
        }
        if (hasImage)
            p.image(glyphRect, image);
        p.text(textRect, caption,
               Qt::AlignVCenter | (layout == blGlyphLeft ? Qt::AlignLeft : Qt::AlignRight));
        return;
    }
    const int height = glyph.height() + gap + (caption.isEmpty() ? 0 : fm.height());
    const int y = content.center().y() - height / 2;
    const QRect glyphRect(content.center().x() - 8,
                          layout == blGlyphTop ? y : y + height - glyph.height(), 16, 16);
    const QRect textRect(content.left(), layout == blGlyphTop ? y + glyph.height() + gap : y,
                         content.width(), fm.height());
    if (hasImage)
        p.image(glyphRect, image);
    p.text(textRect, caption, Qt::AlignCenter);
}

// The radio buttons of a group over the group's items, the checked one holding its value.
void paintItems(TQzPainting& p, const TQzCollection& items, int columns, const QVariant& value) {
    const QRect area = p.Rect.adjusted(8, QFontMetrics(p.Look.Font).height() + 2, -8, -4);
    const int count = items.Count();
    if (count == 0)
        return;
    columns = std::clamp(columns, 1, count);
    const int rows = (count + columns - 1) / columns;
    const int rowHeight = std::max(1, area.height() / rows);
    const int columnWidth = area.width() / columns;
    for (int i = 0; i < count; ++i) {
        const TQzCollectionItem* item = items.GetItems(i);
        const QRect cell(area.left() + (i / rows) * columnWidth,
                         area.top() + (i % rows) * rowHeight, columnWidth, rowHeight);
        const bool checked = value.isValid() && !value.isNull() && item->Value() == value;
        paintMarked(p, cell, true, checked ? Qt::Checked : Qt::Unchecked, item->Caption()->Text(),
                    taRightJustify, item->Image());
    }
}

// A group's frame with its caption over the top line.
void paintGroupFrame(TQzPainting& p) {
    p.face(p.Rect);
    const QFontMetrics fm(p.Look.Font);
    const QString caption = QzCaptionOf(&p.Control);
    const QRect frame = p.Rect.adjusted(0, fm.height() / 2, 0, 0);
    QzPaintBevel(p.Painter, frame, TQzBevel::Etched);
    p.Shown = true;
    if (caption.isEmpty())
        return;
    const int width = std::min(fm.horizontalAdvance(caption) + 6, p.Rect.width() - 12);
    const QRect label(p.Rect.left() + 8, p.Rect.top(), width, fm.height());
    if (p.Look.BackGround)
        p.face(label);
    else
        p.Painter.fillRect(label, p.Look.Face);
    p.text(label.adjusted(3, 0, 0, 0), caption, Qt::AlignLeft | Qt::AlignVCenter);
}

// The navigator's buttons, each with the symbol of what it does.
void paintNavigator(TQzPainting& p, const TQzDbNavigator& navigator) {
    using B = TQzDbNavigator;
    const B::TNavigateBtn order[] = {B::nbFirst,  B::nbPrior, B::nbNext, B::nbLast,   B::nbInsert,
                                     B::nbDelete, B::nbEdit,  B::nbPost, B::nbCancel, B::nbRefresh};
    QList<B::TNavigateBtn> shown;
    for (B::TNavigateBtn button : order)
        if (navigator.VisibleButtons().testFlag(button))
            shown << button;
    if (shown.isEmpty())
        return;
    const int width = p.Rect.width() / int(shown.size());
    p.Painter.save();
    p.Painter.setRenderHint(QPainter::Antialiasing);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QRect button(p.Rect.left() + int(i) * width, p.Rect.top(), width, p.Rect.height());
        p.face(button);
        if (!navigator.FFlat)
            QzPaintBevel(p.Painter, button, TQzBevel::Raised);
        const QPointF c = QRectF(button).center();
        const double s = std::min(button.width(), button.height()) / 5.0;
        p.Painter.setPen(QPen(QzPaintColor(clBtnText), 1.5));
        p.Painter.setBrush(QzPaintColor(clBtnText));
        const auto triangle = [&](double dx, double dir) {
            const QPointF points[] = {{c.x() + dx - dir * s, c.y()},
                                      {c.x() + dx + dir * s, c.y() - s},
                                      {c.x() + dx + dir * s, c.y() + s}};
            p.Painter.drawPolygon(points, 3);
        };
        switch (shown[i]) {
        case B::nbFirst:
            triangle(s * 0.5, 1);
            p.Painter.drawLine(QPointF(c.x() - s, c.y() - s), QPointF(c.x() - s, c.y() + s));
            break;
        case B::nbPrior:
            triangle(0, 1);
            break;
        case B::nbNext:
            triangle(0, -1);
            break;
        case B::nbLast:
            triangle(-s * 0.5, -1);
            p.Painter.drawLine(QPointF(c.x() + s, c.y() - s), QPointF(c.x() + s, c.y() + s));
            break;
        case B::nbInsert:
            p.Painter.drawLine(QPointF(c.x() - s, c.y()), QPointF(c.x() + s, c.y()));
            p.Painter.drawLine(QPointF(c.x(), c.y() - s), QPointF(c.x(), c.y() + s));
            break;
        case B::nbDelete:
            p.Painter.drawLine(QPointF(c.x() - s, c.y()), QPointF(c.x() + s, c.y()));
            break;
        case B::nbEdit:
            p.Painter.drawLine(QPointF(c.x() - s, c.y() + s), QPointF(c.x() + s, c.y() - s));
            break;
        case B::nbPost:
            p.Painter.setBrush(Qt::NoBrush);
            p.Painter.drawPolyline(QPolygonF{{c.x() - s, c.y()},
                                             {c.x() - s / 3, c.y() + s * 0.7},
                                             {c.x() + s, c.y() - s * 0.8}});
            break;
        case B::nbCancel:
            p.Painter.drawLine(QPointF(c.x() - s, c.y() - s), QPointF(c.x() + s, c.y() + s));
            p.Painter.drawLine(QPointF(c.x() - s, c.y() + s), QPointF(c.x() + s, c.y() - s));
            break;
        case B::nbRefresh:
            p.Painter.setBrush(Qt::NoBrush);
            p.Painter.drawArc(QRectF(c.x() - s, c.y() - s, 2 * s, 2 * s), 30 * 16, 300 * 16);
            break;
        }
    }
    p.Painter.restore();
    p.Shown = true;
}

} // namespace

namespace {

QString labelText(const TQzPainting& p, const TQzBasicLabel& label) {
    QString text = QzCaptionOf(&label);
    if (text.isEmpty())
        text = QzPaintValueText(label.FValue);
    if (text.isEmpty())
        text = p.placeholder();
    return text;
}

} // namespace

QRect QzPaintExtent(const TQzPainting& p) {
    const auto* label = qobject_cast<const TQzBasicLabel*>(&p.Control);
    if (!label || !label->FAutoSize || label->FWordWrap)
        return p.Rect;
    const QFontMetrics fm(p.Look.Font);
    const QStringList lines = labelText(p, *label).split(u'\n');
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    QRect r = p.Rect;
    // The label grows away from the side its text is aligned to.
    if (width > r.width()) {
        const int grow = width - r.width();
        if (label->FAlignment == taRightJustify)
            r.setLeft(r.left() - grow);
        else if (label->FAlignment == taCenter)
            r.adjust(-grow / 2, 0, grow - grow / 2, 0);
        else
            r.setWidth(width);
    }
    r.setHeight(std::max(r.height(), int(lines.size()) * fm.lineSpacing()));
    return r;
}

bool QzPaintLabelFamily(TQzPainting& p) {
    const auto* label = qobject_cast<const TQzBasicLabel*>(&p.Control);
    if (!label)
        return false;
    if (!label->FTransparent) {
        p.face(p.Rect);
        p.Shown = p.Shown || p.Look.BackGround;
    }
    const int flags = horizontal(label->FAlignment) | Qt::AlignTop |
                      (label->FWordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    const QString text = labelText(p, *label);
    if (text == p.placeholder())
        p.placeholderText(p.Rect, flags);
    else
        p.text(p.Rect, text, flags);
    return true;
}

bool QzPaintButtonFamily(TQzPainting& p) {
    const TControl& c = p.Control;
    if (auto* button = qobject_cast<const TQzBitBtn*>(&c)) {
        paintPush(p, button->Image(), button->FLayout, button->FSpacing, button->FDefault, false,
                  false);
    } else if (auto* speed = qobject_cast<const TQzSpeedButton*>(&c)) {
        paintPush(p, speed->Image(), speed->FLayout, 4, false, speed->FFlat, speed->FDown);
    } else if (auto* check = qobject_cast<const TQzCheckBox*>(&c)) {
        p.face(p.Rect);
        const Qt::CheckState state = check->FState == cbChecked  ? Qt::Checked
                                     : check->FState == cbGrayed ? Qt::PartiallyChecked
                                                                 : Qt::Unchecked;
        paintMarked(p, p.Rect, false, state, QzCaptionOf(check), check->FAlignment);
    } else if (auto* radio = qobject_cast<const TQzRadioButton*>(&c)) {
        p.face(p.Rect);
        paintMarked(p, p.Rect, true, radio->FChecked ? Qt::Checked : Qt::Unchecked,
                    QzCaptionOf(radio), radio->FAlignment);
    } else if (auto* group = qobject_cast<const TQzRadioGroup*>(&c)) {
        paintGroupFrame(p);
        paintItems(p, *group->Items(), group->FColumns, group->FValue);
    } else if (auto* sets = qobject_cast<const TQzSetsGroup*>(&c)) {
        paintGroupFrame(p);
        paintItems(p, *sets->Items(), sets->FColumns, QVariant());
    } else if (auto* navigator = qobject_cast<const TQzDbNavigator*>(&c)) {
        paintNavigator(p, *navigator);
    } else if (auto* buttons = qobject_cast<const TQzEditBtns*>(&c)) {
        p.face(p.Rect);
        if (!buttons->FFlat)
            QzPaintBevel(p.Painter, p.Rect, TQzBevel::Raised);
        if (!p.image(p.Rect, buttons->Image()))
            p.text(p.Rect, QStringLiteral("..."), Qt::AlignCenter);
        p.Shown = true;
    } else {
        return false;
    }
    return true;
}

// The group frame is shared with the containers.
void QzPaintGroupFrame(TQzPainting& p) {
    paintGroupFrame(p);
}
