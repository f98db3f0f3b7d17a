#include "pickers/QzImageGrid.h"

#include "QzDraw.h"
#include "QzGraphics.h"
#include "QzNumbers.h"
#include "QzPkgImages.h"

#include <QPainter>
#include <QResizeEvent>
#include <qdrawutil.h>

QString QzSizeText(qint64 bytes) {
    auto text = [](double value) {
        return QString::number(QzRoundDec(value, 1), 'g', 15);
    };
    const double b = double(bytes);
    if (b / 1024 < 1)
        return QStringLiteral("(%1 Bytes)").arg(text(b));
    if (b / 1048576 < 1)
        return QStringLiteral("(%1 KB)").arg(text(b / 1024));
    return QStringLiteral("(%1 MB)").arg(text(b / 1048576));
}

qint64 QzImagesSize(const TQzPkgImagesImages& images) {
    qint64 bytes = 0;
    for (int i = 0; i < images.Count(); ++i)
        bytes += images.GetItems(i)->GetSize();
    return bytes;
}

QString QzImagesSummary(const TQzPkgImagesImages& images) {
    return QStringLiteral("%1 %2 %3")
        .arg(images.Count())
        .arg(images.Count() == 1 ? QStringLiteral("Image") : QStringLiteral("Images"))
        .arg(QzSizeText(QzImagesSize(images)));
}

bool QzImageHasMask(const TQzPkgImagesImage& image) {
    return image.GetExternalMask() || image.GetInternalMask();
}

QString QzImageCellText(const TQzPkgImagesImage& image, TQzImageInfo info) {
    const bool mask = QzImageHasMask(image);
    QString type;
    if (image.Empty())
        type = QStringLiteral("None");
    else if (image.GraphicClass().isEmpty())
        type = QString::fromLatin1(image.metaObject()->className());
    else
        type = QzFindGraphicDescription(image.GraphicClass());
    QString text = QStringLiteral("%1\r%2%3%4")
                       .arg(image.Id())
                       .arg(QChar(mask ? u'<' : u'('))
                       .arg(type)
                       .arg(QChar(mask ? u'>' : u')'));
    if (image.Empty())
        return text;
    switch (info) {
    case TQzImageInfo::WidthHeight:
        return text + QStringLiteral("\r(%1x%2)").arg(image.Width()).arg(image.Height());
    case TQzImageInfo::Size:
        return text + u'\r' + QzSizeText(image.GetSize());
    case TQzImageInfo::Protected:
        return text + (image.Protected ? QStringLiteral("\r(Protected)") : QStringLiteral("\r-"));
    }
    return text;
}

namespace {

class TQzImageDelegate : public QStyledItemDelegate {
public:
    explicit TQzImageDelegate(TQzImageGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const auto* image =
            qobject_cast<const TQzPkgImagesImage*>(FGrid->Model()->Item(index.row()));
        if (!image)
            return;
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        const QRect r = option.rect;
        painter->save();
        painter->setClipRect(r);
        painter->fillRect(r, selected ? palette.highlight() : palette.base());
        QColor ink = selected ? palette.highlightedText().color() : palette.text().color();
        if (QzImageHasMask(*image) && !selected)
            ink = QColor(0, 128, 128);
        painter->setPen(ink);
        // One line each, shortened to the cell, so a long type name leaves room for the picture.
        const QFontMetrics metrics = painter->fontMetrics();
        const QStringList lines = QzImageCellText(*image, FGrid->ShownInfo()).split(u'\r');
        int top = r.top();
        for (const QString& line : lines) {
            painter->drawText(QRect(r.left() + 1, top, r.width() - 2, metrics.height()),
                              Qt::AlignHCenter | Qt::AlignTop,
                              metrics.elidedText(line, Qt::ElideRight, r.width() - 2));
            top += metrics.height();
        }
        const QRect frame(r.left() + 1, top + 2, r.width() - 2, r.bottom() - top - 3);
        if (frame.height() > 6 && frame.width() > 6) {
            qDrawShadePanel(painter, frame, palette, true, 2, &palette.button());
            const QRect inner = frame.adjusted(3, 3, -3, -3);
            if (!image->Empty() && !image->GraphicClass().isEmpty())
                painter->drawPixmap(inner.topLeft(), FGrid->Thumbnail(*image, inner.size()));
        }
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.rect = r;
            focus.state = option.state;
            focus.backgroundColor = palette.highlight().color();
            FGrid->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, FGrid);
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return FGrid->gridSize();
    }

private:
    TQzImageGrid* FGrid;
};

} // namespace

TQzImageGrid::TQzImageGrid(QWidget* parent) : QListView(parent), TQzPickerView(this) {
    setItemDelegate(new TQzImageDelegate(this));
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setUniformItemSizes(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // About 64 MB of scaled pictures.
    FThumbnails.setMaxCost(64 * 1024 * 1024);
    layoutCells();
}

void TQzImageGrid::SetStretch(bool stretch) {
    FStretch = stretch;
    InvalidateThumbnails();
}

void TQzImageGrid::SetTransparent(bool transparent) {
    FTransparent = transparent;
    InvalidateThumbnails();
}

void TQzImageGrid::SetInfo(TQzImageInfo info) {
    FInfo = info;
    viewport()->update();
}

TQzImageInfo TQzImageGrid::ShownInfo() const {
    return FInfo == TQzImageInfo::Protected && !FInfoProtected ? TQzImageInfo::WidthHeight : FInfo;
}

int TQzImageGrid::Columns() const {
    return std::max(1, viewport()->width() / 64);
}

QPixmap TQzImageGrid::Thumbnail(const TQzPkgImagesImage& image, const QSize& size) {
    // The picture's bytes identify its content: a changed picture gets new bytes.
    const QString key = QStringLiteral("%1/%2/%3/%4x%5")
                            .arg(quintptr(&image))
                            .arg(quintptr(image.PictureBytes().constData()))
                            .arg(image.GetSize())
                            .arg(size.width())
                            .arg(size.height());
    if (QPixmap* kept = FThumbnails.object(key))
        return *kept;
    QPixmap pixmap(size);
    pixmap.fill(palette().color(QPalette::Button));
    {
        QPainter painter(&pixmap);
        QzDrawImage(painter, QRect(QPoint(0, 0), size), image, FStretch, FTransparent);
    }
    FThumbnails.insert(key, new QPixmap(pixmap), size.width() * size.height() * 4);
    return pixmap;
}

void TQzImageGrid::InvalidateThumbnails() {
    FThumbnails.clear();
    viewport()->update();
}

QList<int> TQzImageGrid::SelectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

// The cells, without the columns of the strings lists.
void TQzImageGrid::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
}

void TQzImageGrid::resizeEvent(QResizeEvent* event) {
    QListView::resizeEvent(event);
    layoutCells();
}

void TQzImageGrid::layoutCells() {
    const QSize cell(std::max(viewport()->width() / Columns(), 1), CellHeight);
    if (cell != gridSize())
        setGridSize(cell);
}

void TQzImagePreview::SetImage(const TQzPkgImagesImage* image) {
    FImage = image;
    update();
}

void TQzImagePreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!FImage || FImage->Empty())
        return;
    QPainter painter(this);
    QzDrawImage(painter, contentsRect(), *FImage, true, false);
}
