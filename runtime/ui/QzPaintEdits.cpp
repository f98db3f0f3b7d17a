// Edits, combo boxes, memos and rich edits, and the up-down controls beside them.

#include "QzColors.h"
#include "QzEdits.h"
#include "QzMemos.h"
#include "QzPaintStyle.h"

namespace {

// What an empty masked edit shows: the mask's blanks where characters go, its literals as they
// stand. Mask text is "options;mask;blank".
QString maskPicture(const TQzMask& mask) {
    const QStringList parts = mask.Text().split(u';');
    if (parts.size() < 2)
        return {};
    const QChar blank = parts.size() > 2 && !parts[2].isEmpty() ? parts[2][0] : QChar(u'_');
    QString picture;
    const QString& pattern = parts[1];
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'!' || c == u'>' || c == u'<')
            continue;
        if (c == u'\\' && i + 1 < pattern.size())
            picture += pattern[++i];
        else if (QStringLiteral("09#LlAaCc").contains(c))
            picture += blank;
        else
            picture += c;
    }
    return picture;
}

QString editText(const TQzCustomEdit& edit) {
    QString text;
    const QVariant& value = edit.FValue;
    if (value.isValid() && !value.isNull()) {
        const TQzDataType type = edit.Mask()->DataType();
        bool number = false;
        const double amount = value.toDouble(&number);
        text = (type == dtFloat || type == dtCurrency) && number
                   ? QString::number(amount, 'f', edit.Mask()->Decimals())
                   : QzPaintValueText(value);
    }
    if (text.isEmpty())
        text = maskPicture(*edit.Mask());
    if (!edit.FPasswordChar.isEmpty() && !text.isEmpty())
        text = QString(text.size(), edit.FPasswordChar.front());
    return text;
}

void paintArrow(QPainter& painter, const QRect& rect, Qt::ArrowType direction) {
    const QPointF c = QRectF(rect).center();
    const double s = std::max(2.0, std::min(rect.width(), rect.height()) / 4.0);
    QPolygonF arrow;
    switch (direction) {
    case Qt::UpArrow:
        arrow << QPointF(c.x() - s, c.y() + s / 2) << QPointF(c.x() + s, c.y() + s / 2)
              << QPointF(c.x(), c.y() - s / 2);
        break;
    case Qt::DownArrow:
        arrow << QPointF(c.x() - s, c.y() - s / 2) << QPointF(c.x() + s, c.y() - s / 2)
              << QPointF(c.x(), c.y() + s / 2);
        break;
    case Qt::LeftArrow:
        arrow << QPointF(c.x() + s / 2, c.y() - s) << QPointF(c.x() + s / 2, c.y() + s)
              << QPointF(c.x() - s / 2, c.y());
        break;
    default:
        arrow << QPointF(c.x() - s / 2, c.y() - s) << QPointF(c.x() - s / 2, c.y() + s)
              << QPointF(c.x() + s / 2, c.y());
        break;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QzPaintColor(clBtnText));
    painter.drawPolygon(arrow);
    painter.restore();
}

void paintArrowButton(QPainter& painter, const QRect& rect, Qt::ArrowType direction) {
    painter.fillRect(rect, QzPaintColor(clBtnFace));
    QzPaintBevel(painter, rect, TQzBevel::Raised);
    paintArrow(painter, rect, direction);
}

void paintUpDown(TQzPainting& p, bool horizontal) {
    const QRect r = p.Rect;
    if (horizontal) {
        paintArrowButton(p.Painter, QRect(r.left(), r.top(), r.width() / 2, r.height()),
                         Qt::LeftArrow);
        paintArrowButton(
            p.Painter,
            QRect(r.left() + r.width() / 2, r.top(), r.width() - r.width() / 2, r.height()),
            Qt::RightArrow);
    } else {
        paintArrowButton(p.Painter, QRect(r.left(), r.top(), r.width(), r.height() / 2),
                         Qt::UpArrow);
        paintArrowButton(
            p.Painter,
            QRect(r.left(), r.top() + r.height() / 2, r.width(), r.height() - r.height() / 2),
            Qt::DownArrow);
    }
    p.Shown = true;
}

void paintCombo(TQzPainting& p, const TQzCustomComboBox& combo) {
    p.face(p.Rect);
    QzPaintBevel(p.Painter, p.Rect, TQzBevel::Lowered, 2);
    p.Shown = true;
    const QRect inner = p.Rect.adjusted(2, 2, -2, -2);
    const int buttonWidth = std::min(17, inner.width() / 2);
    paintArrowButton(
        p.Painter, QRect(inner.right() + 1 - buttonWidth, inner.top(), buttonWidth, inner.height()),
        Qt::DownArrow);
    const QRect field = inner.adjusted(1, 0, -buttonWidth - 1, 0);
    const QList<TQzPaintEntry> entries = QzPaintEntries(p);
    const qsizetype selected = QzPaintSelectedEntry(p, entries);
    if (selected >= 0) {
        QzPaintEntryIn(p, field, entries[selected], false);
        return;
    }
    if (const QString text = editText(combo); !text.isEmpty())
        p.text(field.adjusted(2, 0, 0, 0), text, Qt::AlignVCenter | Qt::AlignLeft);
    else
        p.placeholderText(field.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft);
}

// A scroll bar strip along the side of a memo.
void paintScrollStrip(QPainter& painter, const QRect& strip, bool vertical) {
    painter.fillRect(strip, QzPaintColor(clScrollBar));
    const int size = vertical ? strip.width() : strip.height();
    const QRect first(strip.topLeft(), QSize(size, size));
    const QRect last = vertical ? QRect(strip.left(), strip.bottom() + 1 - size, size, size)
                                : QRect(strip.right() + 1 - size, strip.top(), size, size);
    paintArrowButton(painter, first, vertical ? Qt::UpArrow : Qt::LeftArrow);
    paintArrowButton(painter, last, vertical ? Qt::DownArrow : Qt::RightArrow);
}

void paintMemo(TQzPainting& p, const TQzCustomMemo& memo) {
    p.face(p.Rect);
    QzPaintBevel(p.Painter, p.Rect, TQzBevel::Lowered, 2);
    p.Shown = true;
    QRect inner = p.Rect.adjusted(2, 2, -2, -2);
    const int bar = 16;
    const bool vertical = memo.FScrollBars == ssVertical || memo.FScrollBars == ssBoth;
    const bool horizontal = memo.FScrollBars == ssHorizontal || memo.FScrollBars == ssBoth;
    if (vertical)
        paintScrollStrip(p.Painter,
                         QRect(inner.right() + 1 - bar, inner.top(), bar,
                               inner.height() - (horizontal ? bar : 0)),
                         true);
    if (horizontal)
        paintScrollStrip(p.Painter,
                         QRect(inner.left(), inner.bottom() + 1 - bar,
                               inner.width() - (vertical ? bar : 0), bar),
                         false);
    inner.adjust(2, 1, vertical ? -bar : 0, horizontal ? -bar : 0);
    QString text = memo.Text()->Text();
    if (text.isEmpty())
        text = memo.Lines()->Text();
    // The lines' text ends with a line break of its own.
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.isEmpty()) {
        p.placeholderText(inner, Qt::AlignLeft | Qt::AlignTop);
        return;
    }
    // A memo scrolls: lines below its end are not cut short, only hidden.
    QList<TQzPaintOverflow>* overflows = p.Context.Overflows;
    const qsizetype before = overflows ? overflows->size() : 0;
    p.text(inner, text, Qt::AlignLeft | Qt::AlignTop | (memo.FWordWrap ? Qt::TextWordWrap : 0));
    if (overflows && memo.FWordWrap)
        overflows->resize(before);
}

} // namespace

bool QzPaintEditFamily(TQzPainting& p) {
    const TControl& c = p.Control;
    if (auto* combo = qobject_cast<const TQzCustomComboBox*>(&c)) {
        paintCombo(p, *combo);
    } else if (auto* memo = qobject_cast<const TQzCustomMemo*>(&c)) {
        paintMemo(p, *memo);
    } else if (auto* edit = qobject_cast<const TQzCustomEdit*>(&c)) {
        p.face(p.Rect);
        QzPaintBevel(p.Painter, p.Rect, TQzBevel::Lowered, 2);
        p.Shown = true;
        const QRect field = p.Rect.adjusted(4, 2, -4, -2);
        const int flags = Qt::AlignVCenter | (edit->FAlignment == taRightJustify ? Qt::AlignRight
                                              : edit->FAlignment == taCenter     ? Qt::AlignHCenter
                                                                                 : Qt::AlignLeft);
        if (const QString text = editText(*edit); !text.isEmpty())
            p.text(field, text, flags);
        else
            p.placeholderText(field, flags);
    } else if (auto* upDown = qobject_cast<const TQzUpDown*>(&c)) {
        paintUpDown(p, upDown->FOrientation == sbHorizontal);
    } else if (auto* upDownEx = qobject_cast<const TQzUpDownEx*>(&c)) {
        paintUpDown(p, upDownEx->FOrientation == sbHorizontal);
    } else {
        return false;
    }
    return true;
}

void QzPaintArrowButton(QPainter& painter, const QRect& rect, Qt::ArrowType direction) {
    paintArrowButton(painter, rect, direction);
}
