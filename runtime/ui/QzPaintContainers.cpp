// Controls that hold other controls: panels, group and scroll boxes, splitters, page controls
// and their tab sheets, the outlook bar and its pages, and the panel menu.

#include "QzColors.h"
#include "QzContainers.h"
#include "QzMenus.h"
#include "QzPaintStyle.h"

namespace {

TQzBevel bevelOf(TBevelCut cut) {
    switch (cut) {
    case bvLowered:
        return TQzBevel::Lowered;
    case bvRaised:
        return TQzBevel::Raised;
    default:
        return TQzBevel::None;
    }
}

void paintPanel(TQzPainting& p, const TQzPanel& panel) {
    p.face(p.Rect);
    QRect r = p.Rect;
    const int width = std::max(1, panel.FBevelWidth);
    if (panel.FBevelOuter != bvNone) {
        QzPaintBevel(p.Painter, r, bevelOf(panel.FBevelOuter), width);
        p.Shown = true;
    }
    r.adjust(width + panel.FBorderWidth, width + panel.FBorderWidth, -width - panel.FBorderWidth,
             -width - panel.FBorderWidth);
    if (panel.FBevelInner != bvNone) {
        QzPaintBevel(p.Painter, r, bevelOf(panel.FBevelInner), width);
        p.Shown = true;
    }
    p.Shown = p.Shown || p.Look.BackGround;
    const Qt::Alignment side = panel.FAlignment == taLeftJustify    ? Qt::AlignLeft
                               : panel.FAlignment == taRightJustify ? Qt::AlignRight
                                                                    : Qt::AlignHCenter;
    p.text(r.adjusted(2, 0, -2, 0), QzCaptionOf(&panel), side | Qt::AlignVCenter);
}

// The items of a panel menu, one row each: picture, caption, a check mark for a checked item,
// an arrow for one with sub-items, a line for "-".
void paintPanelMenu(TQzPainting& p, const TQzPanelMenu& menu) {
    p.face(p.Rect);
    QzPaintBevel(p.Painter, p.Rect, TQzBevel::Lowered);
    p.Shown = true;
    const TQzMenuItem* root = menu.Items();
    const int height = std::max(menu.FItemHeight, QFontMetrics(p.Look.Font).height() + 4);
    const QRect inner = p.Rect.adjusted(2, 2, -2, -2);
    int y = inner.top();
    for (int i = 0; i < root->Count() && y <= inner.bottom(); ++i) {
        const TQzMenuItem* item = root->Items(i);
        if (!item->FVisible)
            continue;
        const QRect row(inner.left(), y, inner.width(), height);
        y += height;
        if (item->IsLine()) {
            QzPaintBevel(p.Painter, QRect(row.left() + 4, row.center().y(), row.width() - 8, 2),
                         TQzBevel::Lowered);
            continue;
        }
        const QRect slot(row.left() + 4, row.center().y() - 8, 16, 16);
        if (item->FChecked)
            QzPaintMark(p.Painter, slot.adjusted(1, 1, -2, -2), item->FRadioItem, Qt::Checked);
        else
            p.image(slot, item->Image());
        QRect text = row.adjusted(26, 0, -16, 0);
        const QColor color = item->FEnabled ? p.Look.Text : QzPaintColor(clGrayText);
        p.text(text, item->Text(), Qt::AlignLeft | Qt::AlignVCenter, color);
        if (item->Count() > 0)
            QzPaintArrowButton(p.Painter, QRect(row.right() - 12, row.center().y() - 6, 12, 12),
                               Qt::RightArrow);
    }
}

} // namespace

bool QzPaintContainerFamily(TQzPainting& p) {
    const TControl& c = p.Control;
    if (auto* panel = qobject_cast<const TQzPanel*>(&c)) {
        paintPanel(p, *panel);
    } else if (qobject_cast<const TQzGroupBox*>(&c)) {
        QzPaintGroupFrame(p);
    } else if (qobject_cast<const TQzScrollBox*>(&c)) {
        p.face(p.Rect);
        QzPaintBevel(p.Painter, p.Rect, TQzBevel::Lowered);
        p.Shown = true;
    } else if (auto* splitter = qobject_cast<const TQzSplitter*>(&c)) {
        p.face(p.Rect);
        if (splitter->FBeveled) {
            QzPaintBevel(p.Painter, p.Rect, TQzBevel::Raised);
            p.Shown = true;
        }
    } else if (auto* pages = qobject_cast<const TQzCustomPageControl*>(&c)) {
        QzPaintPageTabs(p, *pages);
    } else if (qobject_cast<const TQzTabSheet*>(&c)) {
        p.face(p.Rect);
        p.Shown = true;
    } else if (auto* bar = qobject_cast<const TQzOutLookBar*>(&c)) {
        p.face(p.Rect);
        QzPaintOutLookButtons(p, *bar);
    } else if (qobject_cast<const TQzOutLookBarPage*>(&c)) {
        // The page shows the bar's background through it unless it has a look of its own.
        if (p.Look.BackGround)
            p.face(p.Rect);
        p.Shown = true;
    } else if (auto* menu = qobject_cast<const TQzPanelMenu*>(&c)) {
        paintPanelMenu(p, *menu);
    } else {
        return false;
    }
    return true;
}
