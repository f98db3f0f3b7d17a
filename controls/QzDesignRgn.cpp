#include "controls/QzDesignRgn.h"

#include "QzPkgImages.h"
#include "ui_TFrDesignRgn.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int Frame = 10;
const int Zooms[] = {1, 2, 3, 4, 6, 8};

bool validZoom(int zoom) {
    return std::find(std::begin(Zooms), std::end(Zooms), zoom) != std::end(Zooms);
}

TQzPkgImages* packageOf(const TQzPkgImagesImage* image) {
    const TCollection* list = image->Collection();
    const auto* data = list ? qobject_cast<const TQzPkgData*>(list->GetOwner()) : nullptr;
    return data ? qobject_cast<TQzPkgImages*>(data->Package()) : nullptr;
}

// Margins: Up1, Up2, Down1, Down2, Left1, Left2, Right1, Right2.
enum { Up1, Up2, Down1, Down2, Left1, Left2, Right1, Right2 };

// The margin a coupled one follows: Up with Down (vertical bars), Left with Right.
int partnerOf(int index) {
    return index < Left1 ? index ^ 2 : Left1 + ((index - Left1) ^ 2);
}

QPixmap hatchTile(const QColor& colour) {
    QImage tile(60, 60, QImage::Format_ARGB32);
    tile.fill(Qt::transparent);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            if ((x + y) % 3 == 0)
                tile.setPixel(x, y, colour.rgb());
    return QPixmap::fromImage(tile);
}

} // namespace

QCursor QzMagicCursor() {
    static const QCursor cursor(QPixmap(QStringLiteral(":/cursors/MAGIC")), 5, 5);
    return cursor;
}

// ---------------------------------------------------------------------------------------------
// The shape

namespace QzRgnDesigner {

TQzShape::TQzShape(TFrDesignRgn* owner) : QWidget(nullptr), FOwner(owner) {
    setObjectName(QStringLiteral("Shape"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QRect TQzShape::adjustLine(int handle) const {
    const int z = FOwner->Zoom();
    const int w = FOwner->Bitmap().width() * z;
    const int h = FOwner->Bitmap().height() * z;
    auto m = [this, z](int index) {
        return FOwner->Margin(index) * z;
    };
    auto vertical = [](int x, int y1, int y2) {
        return QRect(QPoint(x + Frame, y1 + Frame), QPoint(x + Frame, y2 + Frame));
    };
    auto horizontal = [](int y, int x1, int x2) {
        return QRect(QPoint(x1 + Frame, y + Frame), QPoint(x2 + Frame, y + Frame));
    };
    switch (handle) {
    case 1:
        return vertical(m(Up1), -Frame, m(Left1));
    case 2:
        return vertical(w - m(Up2) - 1, -Frame, m(Right1));
    case 3:
        return vertical(m(Down1), h - m(Left2), h + Frame);
    case 4:
        return vertical(w - m(Down2) - 1, h - m(Right2), h + Frame);
    case 5:
        return horizontal(m(Left1), -Frame, m(Up1));
    case 6:
        return horizontal(h - m(Left2) - 1, -Frame, m(Down1));
    case 7:
        return horizontal(m(Right1), w - m(Up2), w + Frame);
    case 8:
        return horizontal(h - m(Right2) - 1, w - m(Down2), w + Frame);
    default:
        return QRect();
    }
}

int TQzShape::GetAdjustToPoint(int x, int y) const {
    for (int handle = 1; handle <= 8; ++handle)
        if (adjustLine(handle).adjusted(-1, -1, 1, 1).contains(x, y))
            return handle;
    return 0;
}

std::optional<QPoint> TQzShape::pixelAt(const QPoint& at) const {
    if (at.x() < Frame || at.y() < Frame || at.x() >= width() - Frame || at.y() >= height() - Frame)
        return std::nullopt;
    const int z = FOwner->Zoom();
    return QPoint((at.x() - Frame) / z, (at.y() - Frame) / z);
}

void TQzShape::CreateGrids() {
    if (!FGrayTile.isNull())
        return;
    FGrayTile = hatchTile(QColor(128, 128, 128));
    FTealTile = hatchTile(QColor(0, 128, 128));
}

void TQzShape::paintEvent(QPaintEvent* event) {
    CreateGrids();
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, Qt::white);
    const QImage& bitmap = FOwner->Bitmap();
    const int z = FOwner->Zoom();
    const QRect area(Frame, Frame, bitmap.width() * z, bitmap.height() * z);
    const QRect target = area & exposed;
    if (!target.isEmpty()) {
        // Only the pixels under the exposed part are scaled, so a big picture at 8x stays quick.
        const int x1 = (target.left() - Frame) / z, y1 = (target.top() - Frame) / z;
        const int x2 = (target.right() - Frame) / z, y2 = (target.bottom() - Frame) / z;
        const QRect source(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
        painter.drawImage(
            QRect(Frame + x1 * z, Frame + y1 * z, source.width() * z, source.height() * z), bitmap,
            source);
        PaintGrid(painter, target);
    }
    if (FOwner->Adjusts())
        PaintAdjusts(painter);
}

void TQzShape::PaintGrid(QPainter& painter, const QRect& exposed) {
    auto hatch = [&](const std::optional<QRegion>& region, const QPixmap& tile) {
        if (!region)
            return;
        painter.save();
        painter.translate(Frame, Frame);
        const QRect inImage = exposed.translated(-Frame, -Frame);
        painter.setClipRegion(*region & inImage);
        painter.fillRect(inImage, QBrush(tile));
        painter.restore();
    };
    hatch(FOwner->ExternalRgn(), FGrayTile);
    hatch(FOwner->InternalRgn(), FTealTile);
}

void TQzShape::PaintAdjusts(QPainter& painter) {
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    for (int handle = 1; handle <= 8; ++handle) {
        const QRect line = adjustLine(handle);
        painter.drawLine(line.topLeft(), line.bottomRight());
    }
}

void TQzShape::mousePressEvent(QMouseEvent* event) {
    FAdjust = 0;
    FOffset = 0;
    const QPoint at = event->position().toPoint();
    const std::optional<QPoint> pixel = pixelAt(at);
    if (FOwner->findChild<QToolButton*>(QStringLiteral("BtBaseColor"))->isChecked()) {
        if (pixel)
            FOwner->PixelClick(*pixel);
        return;
    }
    if (FOwner->Adjusts()) {
        FAdjust = GetAdjustToPoint(at.x(), at.y());
        const int z = FOwner->Zoom();
        const int w = FOwner->Bitmap().width() * z;
        const int h = FOwner->Bitmap().height() * z;
        const int x = at.x() - Frame, y = at.y() - Frame;
        auto m = [this, z](int index) {
            return FOwner->Margin(index) * z;
        };
        switch (FAdjust) {
        case 1:
            FOffset = x - m(Up1);
            break;
        case 2:
            FOffset = x - (w - m(Up2));
            break;
        case 3:
            FOffset = x - m(Down1);
            break;
        case 4:
            FOffset = x - (w - m(Down2));
            break;
        case 5:
            FOffset = y - m(Left1);
            break;
        case 6:
            FOffset = y - (h - m(Left2));
            break;
        case 7:
            FOffset = y - m(Right1);
            break;
        case 8:
            FOffset = y - (h - m(Right2));
            break;
        default:
            break;
        }
        return;
    }
    if (pixel)
        FOwner->PixelClick(*pixel);
}

void TQzShape::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

void TQzShape::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    FOwner->ShowPixel(pixelAt(at));
    if (!FOwner->Adjusts()) {
        setCursor(QzMagicCursor());
        return;
    }
    if (FAdjust == 0) {
        const int handle = GetAdjustToPoint(at.x(), at.y());
        setCursor(handle == 0   ? Qt::CrossCursor
                  : handle <= 4 ? Qt::SplitHCursor
                                : Qt::SplitVCursor);
        return;
    }
    const int z = FOwner->Zoom();
    const int w = FOwner->Bitmap().width();
    const int h = FOwner->Bitmap().height();
    const int m = (FAdjust <= 4 ? at.x() : at.y()) - FOffset - Frame;
    static const int margins[] = {Up1, Up2, Down1, Down2, Left1, Left2, Right1, Right2};
    const int index = margins[FAdjust - 1];
    const bool second = index == Up2 || index == Down2 || index == Left2 || index == Right2;
    const int extent = index < Left1 ? w : h;
    int value = second ? (extent * z - m) / z : m / z;
    // The opposite margin of the same edge: Up1 and Up2, Down1 and Down2, ...
    const int opposite = FOwner->Margin(index ^ 1);
    value = std::clamp(value, 0, std::max(extent - opposite - 1, 0));
    switch (index) {
    case Up1:
        FOwner->SetAdjustUp1(value);
        break;
    case Up2:
        FOwner->SetAdjustUp2(value);
        break;
    case Down1:
        FOwner->SetAdjustDown1(value);
        break;
    case Down2:
        FOwner->SetAdjustDown2(value);
        break;
    case Left1:
        FOwner->SetAdjustLeft1(value);
        break;
    case Left2:
        FOwner->SetAdjustLeft2(value);
        break;
    case Right1:
        FOwner->SetAdjustRight1(value);
        break;
    default:
        FOwner->SetAdjustRight2(value);
        break;
    }
    FOwner->SetModified(true);
}

void TQzShape::mouseReleaseEvent(QMouseEvent*) {
    FAdjust = 0;
}

void TQzShape::leaveEvent(QEvent*) {
    FOwner->ShowPixel(std::nullopt);
}

} // namespace QzRgnDesigner

// ---------------------------------------------------------------------------------------------
// The dialog

TFrDesignRgn::TFrDesignRgn(QWidget* parent)
    : TQzDialog(parent), FUi(std::make_unique<Ui::TFrDesignRgn>()) {
    FUi->setupUi(this);
    setMinimumSize(size());
    FShape = new TQzRgnShape(this);
    FUi->DesignPanel->setWidget(FShape);
    FUi->DesignPanel->setBackgroundRole(QPalette::Button);
    FShape->setCursor(QzMagicCursor());

    FZoomGroup = new QButtonGroup(this);
    const QList<QToolButton*> zoomButtons = {FUi->BtZoom1, FUi->BtZoom2, FUi->BtZoom3,
                                             FUi->BtZoom4, FUi->BtZoom6, FUi->BtZoom8};
    for (int i = 0; i < zoomButtons.size(); ++i)
        FZoomGroup->addButton(zoomButtons[i], Zooms[i]);
    connect(FZoomGroup, &QButtonGroup::idClicked, this, &TFrDesignRgn::SetZoom);
    auto pair = [this](QToolButton* on, QToolButton* off, void (TFrDesignRgn::*set)(bool)) {
        auto* group = new QButtonGroup(this);
        group->addButton(on);
        group->addButton(off);
        connect(on, &QToolButton::clicked, this, [this, set] { (this->*set)(true); });
        connect(off, &QToolButton::clicked, this, [this, set] { (this->*set)(false); });
    };
    pair(FUi->BtResizing, FUi->BtTransparent, &TFrDesignRgn::SetAdjusts);
    pair(FUi->BtScanFull, FUi->BtScanSingle, &TFrDesignRgn::SetDiagonals);
    pair(FUi->BtExternal, FUi->BtInternal, &TFrDesignRgn::SetExternal);
    connect(FUi->BtSyncHor, &QToolButton::toggled, this, &TFrDesignRgn::SetSyncHor);
    connect(FUi->BtSyncVer, &QToolButton::toggled, this, &TFrDesignRgn::SetSyncVer);
    connect(FUi->BtBaseColor, &QToolButton::toggled, this, [this](bool down) {
        // Pressed, the button waits for the next click on the image to pick the colour.
        if (down)
            FBaseColor.reset();
        paintBaseColorButton();
    });
    connect(FUi->BtUndo, &QPushButton::clicked, this, &TFrDesignRgn::PopUndo);
    connect(FUi->BtRedo, &QPushButton::clicked, this, [this] { PushUndo(true); });

    PPMenu = new QMenu(this);
    PPMenu->setObjectName(QStringLiteral("PPMenu"));
    MnUndo = PPMenu->addAction(QStringLiteral("Undo"), this, &TFrDesignRgn::PopUndo);
    MnUndo->setObjectName(QStringLiteral("MnUndo"));
    MnUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    MnRedo = PPMenu->addAction(QStringLiteral("Redo"), this, [this] { PushUndo(true); });
    MnRedo->setObjectName(QStringLiteral("MnRedo"));
    MnRedo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    MnClear = PPMenu->addAction(QStringLiteral("Clear"), this, &TFrDesignRgn::MnClearClick);
    MnClear->setObjectName(QStringLiteral("MnClear"));
    addActions({MnUndo, MnRedo});
    ShowPixel(std::nullopt);
    paintBaseColorButton();
    updateUndoButtons();
}

TFrDesignRgn::~TFrDesignRgn() = default;

TQzResizeInfoDesigner& TFrDesignRgn::ResizeInfo() {
    return FResize;
}

void TFrDesignRgn::contextMenuEvent(QContextMenuEvent* event) {
    PPMenu->popup(event->globalPos());
}

bool TFrDesignRgn::Execute() {
    Q_ASSERT(Image);
    FPackage = packageOf(Image);
    TQzRgnDesignerSettings settings = FPackage ? FPackage->RgnSettings() : TQzRgnDesignerSettings{};
    UpdateState();
    readImage();

    if (settings.Left == QzNeverPlaced) {
        FResize = TQzResizeInfoDesigner{};
        QzCenterWindow(this);
    } else {
        FResize = {settings.Left,
                   settings.Top,
                   settings.Width,
                   settings.Height,
                   settings.State == 2 ? 2 : 0,
                   true};
    }
    SetExternal(settings.External);
    SetDiagonals(settings.Diagonals);
    SetAdjusts(Image->Adjusts());
    SetSyncHor(Image->SyncHor());
    SetSyncVer(Image->SyncVer());
    const int margins[] = {Image->AdjustUp1(),    Image->AdjustUp2(),   Image->AdjustDown1(),
                           Image->AdjustDown2(),  Image->AdjustLeft1(), Image->AdjustLeft2(),
                           Image->AdjustRight1(), Image->AdjustRight2()};
    for (int i = 0; i < 8; ++i)
        setMargin(i, margins[i]);
    if (FSyncHor) {
        FMargins[Right1] = FMargins[Left1];
        FMargins[Right2] = FMargins[Left2];
    }
    if (FSyncVer) {
        FMargins[Down1] = FMargins[Up1];
        FMargins[Down2] = FMargins[Up2];
    }

    FLoading = false;
    FUi->LaSize->setText(QStringLiteral("Size: %1x%2").arg(FBitmap.width()).arg(FBitmap.height()));
    FShape->setCursor(FAdjusts ? QCursor(Qt::CrossCursor) : QzMagicCursor());
    AdjustShape();
    SetZoom(validZoom(settings.Zoom) ? settings.Zoom : 1);
    FMasks.Start();
    SetModified(false);
    updateUndoButtons();

    const bool confirmed = ShowModal() == mrOk && FModified;
    if (confirmed)
        writeImage();

    if (FPackage) {
        settings.Left = FResize.Set ? FResize.Left : settings.Left;
        settings.Top = FResize.Top;
        settings.Width = FResize.Width;
        settings.Height = FResize.Height;
        settings.State = FResize.WindowState;
        settings.Zoom = FZoom;
        settings.External = FExternal;
        settings.Diagonals = FDiagonals;
        FPackage->SetRgnSettings(settings);
    }
    return confirmed;
}

void TFrDesignRgn::readImage() {
    FBitmap = Image->Picture().convertToFormat(QImage::Format_RGB32);
    FMasks.Reset(FBitmap.width(), FBitmap.height());
    // The image keeps the part of its picture that stays; the mask holds what is cut away.
    if (const std::optional<QRegion> kept = Image->CreateExternalRgn()) {
        FMasks.External = QzRgnToMask(*kept, FBitmap.width(), FBitmap.height());
        FMasks.External.Invert();
    }
    if (const std::optional<QRegion> inner = Image->CreateInternalRgn())
        FMasks.Internal = QzRgnToMask(*inner, FBitmap.width(), FBitmap.height());
    setExternalRgn(QzMaskToRgn(FMasks.External, 1));
    setInternalRgn(QzMaskToRgn(FMasks.Internal, 1));
}

void TFrDesignRgn::writeImage() {
    Image->SetAdjusts(FAdjusts);
    Image->SetSyncHor(FSyncHor);
    Image->SetSyncVer(FSyncVer);
    Image->SetAdjustUp1(FMargins[Up1]);
    Image->SetAdjustUp2(FMargins[Up2]);
    Image->SetAdjustDown1(FMargins[Down1]);
    Image->SetAdjustDown2(FMargins[Down2]);
    Image->SetAdjustLeft1(FMargins[Left1]);
    Image->SetAdjustLeft2(FMargins[Left2]);
    Image->SetAdjustRight1(FMargins[Right1]);
    Image->SetAdjustRight2(FMargins[Right2]);
    if (FMasks.External.Any()) {
        TQzBitMask kept = FMasks.External;
        kept.Invert();
        Image->CreateExternalMask(QzMaskToRgn(kept, 1).value_or(QRegion()));
    } else {
        Image->CreateExternalMask(std::nullopt);
    }
    Image->CreateInternalMask(QzMaskToRgn(FMasks.Internal, 1));
}

// ---------------------------------------------------------------------------------------------
// Setters

void TFrDesignRgn::SetZoom(int zoom) {
    if (zoom == FZoom || zoom <= 0)
        return;
    const int old = FZoom;
    FZoom = zoom;
    if (FLoading)
        return;
    QScrollBar* horizontal = FUi->DesignPanel->horizontalScrollBar();
    QScrollBar* vertical = FUi->DesignPanel->verticalScrollBar();
    const int sx = horizontal->value() / old;
    const int sy = vertical->value() / old;
    AdjustShape();
    // The scroll area takes the new size later; the ranges are set now so the origin fits.
    const QSize client = FUi->DesignPanel->viewport()->size();
    horizontal->setRange(0, std::max(FShape->width() - client.width(), 0));
    vertical->setRange(0, std::max(FShape->height() - client.height(), 0));
    if (FShape->width() > client.width())
        horizontal->setValue(sx * zoom);
    if (FShape->height() > client.height())
        vertical->setValue(sy * zoom);
    ExternalMaskToRgn(zoom);
    InternalMaskToRgn(zoom);
    UpdateState();
    RefreshDesignPanel();
}

void TFrDesignRgn::SetAdjusts(bool value) {
    if (value == FAdjusts)
        return;
    FAdjusts = value;
    if (FLoading)
        return;
    FShape->setCursor(value ? QCursor(Qt::CrossCursor) : QzMagicCursor());
    RefreshDesignPanel();
    SetModified(true);
}

void TFrDesignRgn::SetExternal(bool value) {
    if (value == FExternal)
        return;
    FExternal = value;
    if (!FLoading)
        SetModified(true);
}

void TFrDesignRgn::SetDiagonals(bool value) {
    if (value == FDiagonals)
        return;
    FDiagonals = value;
    if (!FLoading)
        SetModified(true);
}

void TFrDesignRgn::SetSyncVer(bool value) {
    if (value == FSyncVer)
        return;
    FSyncVer = value;
    if (FLoading)
        return;
    if (value && (FMargins[Up1] != FMargins[Down1] || FMargins[Up2] != FMargins[Down2])) {
        FMargins[Down1] = FMargins[Up1];
        FMargins[Down2] = FMargins[Up2];
        SetModified(true);
    }
    UpdateState();
    RefreshDesignPanel();
}

void TFrDesignRgn::SetSyncHor(bool value) {
    if (value == FSyncHor)
        return;
    FSyncHor = value;
    if (FLoading)
        return;
    if (value && (FMargins[Left1] != FMargins[Right1] || FMargins[Left2] != FMargins[Right2])) {
        FMargins[Right1] = FMargins[Left1];
        FMargins[Right2] = FMargins[Left2];
        SetModified(true);
    }
    UpdateState();
    RefreshDesignPanel();
}

void TFrDesignRgn::setMargin(int index, int value) {
    value = std::max(value, 0);
    if (FMargins[std::size_t(index)] == value)
        return;
    FMargins[std::size_t(index)] = value;
    if (FLoading)
        return;
    if ((index < Left1 && FSyncVer) || (index >= Left1 && FSyncHor))
        FMargins[std::size_t(partnerOf(index))] = value;
    SetModified(true);
    RefreshDesignPanel();
}

void TFrDesignRgn::SetAdjustUp1(int value) {
    setMargin(Up1, value);
}
void TFrDesignRgn::SetAdjustUp2(int value) {
    setMargin(Up2, value);
}
void TFrDesignRgn::SetAdjustDown1(int value) {
    setMargin(Down1, value);
}
void TFrDesignRgn::SetAdjustDown2(int value) {
    setMargin(Down2, value);
}
void TFrDesignRgn::SetAdjustLeft1(int value) {
    setMargin(Left1, value);
}
void TFrDesignRgn::SetAdjustLeft2(int value) {
    setMargin(Left2, value);
}
void TFrDesignRgn::SetAdjustRight1(int value) {
    setMargin(Right1, value);
}
void TFrDesignRgn::SetAdjustRight2(int value) {
    setMargin(Right2, value);
}

void TFrDesignRgn::SetModified(bool value) {
    FModified = value;
    UpdateState();
}

void TFrDesignRgn::setExternalRgn(std::optional<QRegion> region) {
    FExternalRgn = std::move(region);
}

void TFrDesignRgn::setInternalRgn(std::optional<QRegion> region) {
    FInternalRgn = std::move(region);
}

// ---------------------------------------------------------------------------------------------
// Masks

void TFrDesignRgn::ExternalMaskToRgn(int zoom) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setExternalRgn(QzMaskToRgn(FMasks.External, zoom));
    QApplication::restoreOverrideCursor();
}

void TFrDesignRgn::InternalMaskToRgn(int zoom) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setInternalRgn(QzMaskToRgn(FMasks.Internal, zoom));
    QApplication::restoreOverrideCursor();
}

void TFrDesignRgn::ScanRgn(int x, int y) {
    TQzScanOptions options;
    options.Diagonals = FDiagonals;
    if (FBaseColor)
        options.BaseColor = FBaseColor->rgb();
    TQzBitMask& target = FExternal ? FMasks.External : FMasks.Internal;
    const TQzBitMask& other = FExternal ? FMasks.Internal : FMasks.External;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const qint64 filled = QzScanFill(FBitmap, target, other, x, y, options);
    QApplication::restoreOverrideCursor();
    if (filled == 0)
        return;
    if (FExternal)
        ExternalMaskToRgn(FZoom);
    else
        InternalMaskToRgn(FZoom);
    SetModified(true);
    PushUndo(false);
    RefreshDesignPanel();
}

void TFrDesignRgn::PixelClick(const QPoint& pixel) {
    if (FUi->BtBaseColor->isChecked()) {
        FBaseColor = QColor(FBitmap.pixel(pixel));
        const QSignalBlocker quiet(FUi->BtBaseColor);
        FUi->BtBaseColor->setChecked(false);
        paintBaseColorButton();
        return;
    }
    ScanRgn(pixel.x(), pixel.y());
}

void TFrDesignRgn::PushUndo(bool redo) {
    if (!redo) {
        FMasks.Record(FExternal);
    } else {
        if (!FMasks.Redo())
            return;
        ExternalMaskToRgn(FZoom);
        InternalMaskToRgn(FZoom);
        RefreshDesignPanel();
    }
    updateUndoButtons();
    UpdateState();
}

void TFrDesignRgn::PopUndo() {
    if (!FMasks.Undo())
        return;
    ExternalMaskToRgn(FZoom);
    InternalMaskToRgn(FZoom);
    updateUndoButtons();
    UpdateState();
    RefreshDesignPanel();
}

void TFrDesignRgn::MnClearClick() {
    if (!FExternalRgn && !FInternalRgn)
        return;
    setExternalRgn(std::nullopt);
    setInternalRgn(std::nullopt);
    FMasks.External.Clear();
    FMasks.Internal.Clear();
    // Both masks went, so the snapshot holds both: undo and redo then bring back or empty both.
    FMasks.RecordBoth();
    updateUndoButtons();
    SetModified(true);
    RefreshDesignPanel();
}

void TFrDesignRgn::updateUndoButtons() {
    const bool undo = FMasks.CanUndo();
    const bool redo = FMasks.CanRedo();
    FUi->BtUndo->setEnabled(undo);
    MnUndo->setEnabled(undo);
    FUi->BtRedo->setEnabled(redo);
    MnRedo->setEnabled(redo);
}

// ---------------------------------------------------------------------------------------------
// Display

void TFrDesignRgn::AdjustShape() {
    FShape->resize(FBitmap.width() * FZoom + 2 * Frame, FBitmap.height() * FZoom + 2 * Frame);
}

void TFrDesignRgn::RefreshDesignPanel() {
    FShape->update();
}

void TFrDesignRgn::UpdateState() {
    if (QAbstractButton* zoom = FZoomGroup->button(validZoom(FZoom) ? FZoom : 1))
        zoom->setChecked(true);
    {
        const QSignalBlocker hor(FUi->BtSyncHor);
        const QSignalBlocker ver(FUi->BtSyncVer);
        FUi->BtSyncHor->setChecked(FSyncHor);
        FUi->BtSyncVer->setChecked(FSyncVer);
    }
    (FExternal ? FUi->BtExternal : FUi->BtInternal)->setChecked(true);
    (FDiagonals ? FUi->BtScanFull : FUi->BtScanSingle)->setChecked(true);
    (FAdjusts ? FUi->BtResizing : FUi->BtTransparent)->setChecked(true);
    MnClear->setEnabled(FExternalRgn || FInternalRgn);
}

void TFrDesignRgn::ShowPixel(const std::optional<QPoint>& pixel) {
    QColor colour(Qt::white);
    if (pixel && pixel->x() < FBitmap.width() && pixel->y() < FBitmap.height()) {
        colour = QColor(FBitmap.pixel(*pixel));
        FUi->LaPosX->setText(QString::number(pixel->x()));
        FUi->LaPosY->setText(QString::number(pixel->y()));
        FUi->LaRed->setText(QString::number(colour.red()));
        FUi->LaGreen->setText(QString::number(colour.green()));
        FUi->LaBlue->setText(QString::number(colour.blue()));
    } else {
        FUi->LaPosX->setText(QStringLiteral("----"));
        FUi->LaPosY->setText(QStringLiteral("----"));
        FUi->LaRed->setText(QStringLiteral("---"));
        FUi->LaGreen->setText(QStringLiteral("---"));
        FUi->LaBlue->setText(QStringLiteral("---"));
    }
    QPalette palette = FUi->Pixel->palette();
    palette.setColor(QPalette::Window, colour);
    FUi->Pixel->setPalette(palette);
}

void TFrDesignRgn::paintBaseColorButton() {
    QPixmap swatch(16, 16);
    if (FBaseColor) {
        swatch.fill(*FBaseColor);
    } else {
        swatch.fill(Qt::white);
        QPainter painter(&swatch);
        painter.setPen(QColor(128, 128, 128));
        for (int i = 0; i < 16; i += 4) {
            painter.drawLine(i, 0, i, 15);
            painter.drawLine(0, i, 15, i);
        }
    }
    FUi->BtBaseColor->setIcon(QIcon(swatch));
    FUi->BtBaseColor->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}
