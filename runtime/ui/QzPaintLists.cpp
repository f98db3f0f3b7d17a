// List boxes and what the list and combo boxes of the library offer: their items, the fonts of
// this machine, the privileges, the display sets, the images of a package and the colours.

#include "QzCApplication.h"
#include "QzColors.h"
#include "QzDraw.h"
#include "QzLists.h"
#include "QzPaintStyle.h"
#include "QzSetEditors.h"

#include <QFontDatabase>

namespace {

const TQzPkgDisplay* display(const TQzPainting& p) {
    if (p.Context.Display)
        return p.Context.Display;
    const TQzCApplication* app = QzCApp();
    return app ? app->PkgDisplay() : nullptr;
}

bool isOneOf(const TControl& c, std::initializer_list<const QMetaObject*> classes) {
    for (const QMetaObject* meta : classes)
        if (c.metaObject()->inherits(meta))
            return true;
    return false;
}

QString accessText(TQzAccess access) {
    switch (access) {
    case TQzPrivilege::acNone:
        return QStringLiteral("N");
    case TQzPrivilege::acRead:
        return QStringLiteral("R");
    default:
        return QStringLiteral("R/W");
    }
}

} // namespace

QList<TQzPaintEntry> QzPaintEntries(const TQzPainting& p) {
    QList<TQzPaintEntry> entries;
    const TControl& c = p.Control;
    const TQzPkgDisplay* sets = display(p);
    const QVariant itemsValue = p.property("Items");
    if (auto* items = qobject_cast<TQzCollection*>(itemsValue.value<QObject*>())) {
        for (int i = 0; i < items->Count(); ++i) {
            const TQzCollectionItem* item = items->GetItems(i);
            TQzPaintEntry entry;
            entry.Text = item->Caption()->Text();
            entry.Image = item->Image();
            entry.Value = item->Value();
            entries << entry;
        }
    } else if (isOneOf(c,
                       {&TQzFontListBox::staticMetaObject, &TQzFontComboBox::staticMetaObject})) {
        const bool sample = p.property("ShowSample").toBool();
        for (const QString& family : QFontDatabase::families()) {
            TQzPaintEntry entry;
            entry.Text = family;
            entry.Value = family;
            if (sample) {
                QFont font(family);
                font.setPixelSize(p.Look.Font.pixelSize());
                entry.Font = font;
            }
            entries << entry;
        }
    } else if (auto* privileges = qobject_cast<const TQzLBPrivileges*>(&c)) {
        const TQzCApplication* app = QzCApp();
        for (int i = 0; app && i < app->Privileges()->Count(); ++i) {
            const TQzPkgPrivilegesItem* item = app->Privileges()->GetItems(i);
            if (!item->Visible() && !privileges->FShowHidden)
                continue;
            TQzPaintEntry entry;
            entry.Text = item->DescriptionText();
            if (privileges->FShowAccess)
                entry.Note = accessText(item->Access());
            entry.Check = item->Access() != TQzPrivilege::acNone;
            entry.Value = item->Id();
            entries << entry;
        }
    } else if (sets &&
               isOneOf(c, {&TQzLBSetsColor::staticMetaObject, &TQzCBSetsColor::staticMetaObject})) {
        for (int i = 0; i < sets->SetsColor()->Count(); ++i) {
            const TQzPkgDisplaySetColor* set = sets->SetsColor()->GetItems(i);
            TQzPaintEntry entry;
            entry.Text = set->Name();
            entry.Swatch = QzPaintColor(set->Color());
            entry.Value = set->Name();
            entries << entry;
        }
    } else if (sets &&
               isOneOf(c, {&TQzLBSetsFont::staticMetaObject, &TQzCBSetsFont::staticMetaObject})) {
        for (int i = 0; i < sets->SetsFont()->Count(); ++i) {
            const TQzPkgDisplaySetFont* set = sets->SetsFont()->GetItems(i);
            TQzPaintEntry entry;
            entry.Text = set->Name();
            QFont font = set->GetQFont();
            font.setPixelSize(std::max(1, set->Size() * 96 / 72));
            entry.Font = font;
            entry.TextColor = QzPaintColor(set->Font()->Color());
            entry.Value = set->Name();
            entries << entry;
        }
    } else if (sets && isOneOf(c, {&TQzLBSetsBackGround::staticMetaObject,
                                   &TQzCBSetsBackGround::staticMetaObject})) {
        for (int i = 0; i < sets->SetsBackGround()->Count(); ++i) {
            const TQzPkgDisplaySetBackGround* set = sets->SetsBackGround()->GetItems(i);
            TQzPaintEntry entry;
            entry.Text = set->Name();
            entry.Sample = set;
            entry.Value = set->Name();
            entries << entry;
        }
    } else if (isOneOf(c, {&TQzLBPkgImages::staticMetaObject, &TQzCBPkgImages::staticMetaObject})) {
        const TQzPkgImages* pkg = QzFindPkgImages(p.property("PkgName").toString());
        for (int i = 0; pkg && i < pkg->Images()->Count(); ++i) {
            const TQzPkgImagesImage* image = pkg->Images()->GetItems(i);
            TQzPaintEntry entry;
            entry.Text = QString::number(image->Id());
            entry.Picture = image;
            entry.Value = image->Id();
            entries << entry;
        }
    } else if (isOneOf(c, {&TQzLBColors::staticMetaObject, &TQzCBColors::staticMetaObject})) {
        const bool system = p.property("SystemColors").toBool();
        for (const TQzColorName& color : QzColorNames()) {
            const bool isSystem = color.Value < 0;
            if ((isSystem && !system) || color.Value == clNone || color.Value == clDefault)
                continue;
            TQzPaintEntry entry;
            entry.Text = color.Name;
            entry.Swatch = QzPaintColor(color.Value);
            entry.Value = color.Value;
            entries << entry;
        }
    }
    return entries;
}

void QzPaintEntryIn(TQzPainting& p, const QRect& rect, const TQzPaintEntry& entry, bool selected) {
    const QColor text = selected                    ? QzPaintColor(clHighlightText)
                        : entry.TextColor.isValid() ? entry.TextColor
                                                    : p.Look.Text;
    if (selected)
        p.Painter.fillRect(rect, QzPaintColor(clHighlight));
    QRect content = rect.adjusted(2, 0, -2, 0);
    const QRect slot(content.left(), rect.center().y() - std::min(8, rect.height() / 2),
                     std::min(16, rect.height()), std::min(16, rect.height()));
    if (entry.Swatch.isValid()) {
        p.Painter.fillRect(slot.adjusted(0, 1, 0, -1), entry.Swatch);
        p.Painter.setPen(QzPaintColor(clBtnShadow));
        p.Painter.drawRect(slot.adjusted(0, 1, -1, -2));
        content.setLeft(slot.right() + 5);
    } else if (entry.Sample) {
        const QRect sample(slot.left(), slot.top(), 24, slot.height());
        QzDrawGradient(p.Painter, sample, entry.Sample->Style(), entry.Sample->StartGraColor(),
                       entry.Sample->EndGraColor(), entry.Sample->SolidColor(),
                       entry.Sample->Image(), false);
        content.setLeft(sample.right() + 5);
    } else if (entry.Picture) {
        QzDrawImage(p.Painter, slot, *entry.Picture,
                    entry.Picture->Picture().width() > slot.width(), true);
        content.setLeft(slot.right() + 5);
    } else if (entry.Check) {
        QzPaintMark(p.Painter, slot.adjusted(1, 1, -2, -2), false,
                    *entry.Check ? Qt::Checked : Qt::Unchecked);
        content.setLeft(slot.right() + 5);
    } else if (entry.Image && entry.Image->ItemId() >= 0) {
        p.image(slot, entry.Image);
        content.setLeft(slot.right() + 5);
    }
    if (!entry.Note.isEmpty()) {
        p.text(content, entry.Note, Qt::AlignRight | Qt::AlignVCenter, text);
        content.setRight(content.right() - QFontMetrics(p.Look.Font).horizontalAdvance(entry.Note) -
                         6);
    }
    if (entry.Font) {
        const QFont own = p.Look.Font;
        p.Look.Font = *entry.Font;
        p.text(content, entry.Text, Qt::AlignLeft | Qt::AlignVCenter, text);
        p.Look.Font = own;
    } else {
        p.text(content, entry.Text, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

// The entry that holds the control's value.
qsizetype QzPaintSelectedEntry(const TQzPainting& p, const QList<TQzPaintEntry>& entries) {
    const QVariant value = p.property("Value");
    if (!value.isValid() || value.isNull())
        return -1;
    for (qsizetype i = 0; i < entries.size(); ++i)
        if (entries[i].Value == value || (entries[i].Value.metaType() != value.metaType() &&
                                          entries[i].Value.toString() == value.toString()))
            return i;
    return -1;
}

bool QzPaintListFamily(TQzPainting& p) {
    const auto* list = qobject_cast<const TQzCustomListBox*>(&p.Control);
    if (!list)
        return false;
    p.face(p.Rect);
    QzPaintBevel(p.Painter, p.Rect, TQzBevel::Lowered, 2);
    p.Shown = true;
    const QRect inner = p.Rect.adjusted(2, 2, -2, -2);
    const QList<TQzPaintEntry> entries = QzPaintEntries(p);
    const qsizetype selected = QzPaintSelectedEntry(p, entries);
    const int rowHeight = std::max(list->FItemHeight, QFontMetrics(p.Look.Font).height() + 2);
    p.Painter.save();
    p.Painter.setClipRect(inner, Qt::IntersectClip);
    int y = inner.top();
    for (qsizetype i = 0; i < entries.size() && y <= inner.bottom(); ++i, y += rowHeight)
        QzPaintEntryIn(p, QRect(inner.left(), y, inner.width(), rowHeight), entries[i],
                       i == selected);
    // The rows are parted by lines where there are rows.
    const int rowsBottom =
        std::min(inner.bottom() + 1, inner.top() + int(entries.size()) * rowHeight);
    if (rowsBottom > inner.top())
        QzDrawGridLines(p.Painter,
                        QRect(inner.left(), inner.top(), inner.width(), rowsBottom - inner.top()),
                        rowHeight, QzPaintColor(cl3DLight));
    p.Painter.restore();
    if (entries.isEmpty())
        p.placeholderText(inner.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop);
    return true;
}
