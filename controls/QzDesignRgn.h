#pragma once

// "Mask Editor": edits the two shape masks of one image of an images package (the pixels cut away
// from its shape, and its inner area) by flood fills that click takes into the mask chosen, with
// undo and redo, and the eight stretch margins of the image by dragging their lines. Zoom,
// the mask switches and the window's place are kept in the image's package for all its images.
// The image changes only on Ok, and only when something was changed.

#include "QzDialog.h"
#include "QzWindows.h"
#include "controls/core/QzRgnMasks.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

namespace Ui {
class TFrDesignRgn;
}
class QAction;
class QButtonGroup;
class QMenu;
class TFrDesignRgn;
class TQzPkgImages;
class TQzPkgImagesImage;

// The magic-wand cursor of the mask mode (the resource "MAGIC").
QCursor QzMagicCursor();

// The runtime's shape component has the same name, so the designer's own lives in a namespace.
namespace QzRgnDesigner {

// The drawing surface: the zoomed image in a 10-pixel white frame, the masks hatched over it and,
// in resizing mode, the stretch lines, which are dragged by their handles 1 to 8.
class TQzShape : public QWidget {
    Q_OBJECT
public:
    explicit TQzShape(TFrDesignRgn* owner);

    // The handle whose line (grown by one pixel) holds the point, 1 to 8, or 0.
    int GetAdjustToPoint(int x, int y) const;
    int Dragged() const { return FAdjust; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void CreateGrids();
    void PaintGrid(QPainter& painter, const QRect& exposed);
    void PaintAdjusts(QPainter& painter);
    // The line of a handle, in shape coordinates.
    QRect adjustLine(int handle) const;
    // The image pixel under a point of the image area, or none outside it.
    std::optional<QPoint> pixelAt(const QPoint& at) const;

    TFrDesignRgn* FOwner;
    QPixmap FGrayTile;
    QPixmap FTealTile;
    int FAdjust = 0;
    int FOffset = 0;
};

} // namespace QzRgnDesigner

using TQzRgnShape = QzRgnDesigner::TQzShape;

class TFrDesignRgn : public TQzDialog {
    Q_OBJECT
public:
    explicit TFrDesignRgn(QWidget* parent = nullptr);
    ~TFrDesignRgn() override;

    // The image edited; set before Execute.
    TQzPkgImagesImage* Image = nullptr;

    // True when Ok was pressed and something changed: the image then holds the new masks, flags
    // and margins. The package's designer settings are written either way.
    bool Execute();

    // Setters: while loading they only store.
    void SetZoom(int zoom);
    void SetAdjusts(bool value);
    void SetExternal(bool value);
    void SetDiagonals(bool value);
    void SetSyncHor(bool value);
    void SetSyncVer(bool value);
    void SetAdjustUp1(int value);
    void SetAdjustUp2(int value);
    void SetAdjustDown1(int value);
    void SetAdjustDown2(int value);
    void SetAdjustLeft1(int value);
    void SetAdjustLeft2(int value);
    void SetAdjustRight1(int value);
    void SetAdjustRight2(int value);
    void SetModified(bool value);

    int Zoom() const { return FZoom; }
    bool Adjusts() const { return FAdjusts; }
    bool External() const { return FExternal; }
    bool Diagonals() const { return FDiagonals; }
    bool SyncHor() const { return FSyncHor; }
    bool SyncVer() const { return FSyncVer; }
    bool Modified() const { return FModified; }
    const std::optional<QColor>& BaseColor() const { return FBaseColor; }
    // Margins in the order Up1, Up2, Down1, Down2, Left1, Left2, Right1, Right2.
    int Margin(int index) const { return FMargins[std::size_t(index)]; }

    bool GetExternalMask(int x, int y) const { return FMasks.External.Get(x, y); }
    void SetExternalMask(int x, int y, bool value) { FMasks.External.Set(x, y, value); }
    bool GetInternalMask(int x, int y) const { return FMasks.Internal.Get(x, y); }
    void SetInternalMask(int x, int y, bool value) { FMasks.Internal.Set(x, y, value); }
    const std::optional<QRegion>& ExternalRgn() const { return FExternalRgn; }
    const std::optional<QRegion>& InternalRgn() const { return FInternalRgn; }
    const QImage& Bitmap() const { return FBitmap; }
    TQzRgnShape* Shape() const { return FShape; }

    // The flood fill from a pixel into the mask chosen by External.
    void ScanRgn(int x, int y);
    void ExternalMaskToRgn(int zoom);
    void InternalMaskToRgn(int zoom);
    // Record (false) after a change, or Redo (true).
    void PushUndo(bool redo);
    void PopUndo();
    void MnClearClick();
    void AdjustShape();
    void RefreshDesignPanel();
    void UpdateState();

    // The pixel under the mouse for the status panel; none clears it.
    void ShowPixel(const std::optional<QPoint>& pixel);
    // A click of the shape on a pixel: picks the base colour when that button is down, else fills.
    void PixelClick(const QPoint& pixel);

protected:
    TQzResizeInfoDesigner& ResizeInfo() override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void setMargin(int index, int value);
    void setExternalRgn(std::optional<QRegion> region);
    void setInternalRgn(std::optional<QRegion> region);
    void readImage();
    void writeImage();
    void updateUndoButtons();
    void paintBaseColorButton();

    std::unique_ptr<Ui::TFrDesignRgn> FUi;
    TQzRgnShape* FShape = nullptr;
    QButtonGroup* FZoomGroup = nullptr;
    QMenu* PPMenu = nullptr;
    QAction* MnUndo = nullptr;
    QAction* MnRedo = nullptr;
    QAction* MnClear = nullptr;

    TQzPkgImages* FPackage = nullptr;
    QImage FBitmap;
    TQzRgnMasks FMasks;
    std::optional<QRegion> FExternalRgn;
    std::optional<QRegion> FInternalRgn;
    int FZoom = 1;
    bool FExternal = true;
    bool FDiagonals = true;
    bool FAdjusts = false;
    bool FSyncVer = true;
    bool FSyncHor = true;
    std::optional<QColor> FBaseColor;
    std::array<int, 8> FMargins{};
    bool FModified = false;
    bool FLoading = true;
    TQzResizeInfoDesigner FResize;
};
