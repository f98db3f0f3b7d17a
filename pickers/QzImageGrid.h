#pragma once

// The thumbnail grid of the images package editor, the image picker and the image import: one
// cell 88 pixels high per image, as many columns as the list has 64 pixels of width. A cell shows
// the id, the picture's type ("<...>" for an image with a mask, drawn teal) and one line of
// information (width and height, size, or protection), and the picture in a sunken frame below.
// Only visible cells are drawn and their pictures are kept scaled, so thousands of images scroll
// without a pause. Rows are the package's own items (TQzPickerModel).

#include "pickers/QzPickerList.h"

#include <QListView>

#include <QCache>
#include <QFrame>
#include <QPixmap>

class TQzPkgImagesImage;
class TQzPkgImagesImages;

// What the third line of a cell says.
enum class TQzImageInfo { WidthHeight, Size, Protected };

// "(1023 Bytes)", "(1.5 KB)", "(2 MB)": the number rounded to one decimal.
QString QzSizeText(qint64 bytes);
// The bytes the pictures of a list take, and "3 Images (1.5 KB)" for it.
qint64 QzImagesSize(const TQzPkgImagesImages& images);
QString QzImagesSummary(const TQzPkgImagesImages& images);
// The cell's lines: id, type in brackets and, for a picture, the information line.
QString QzImageCellText(const TQzPkgImagesImage& image, TQzImageInfo info);
bool QzImageHasMask(const TQzPkgImagesImage& image);

class TQzImageGrid : public QListView, public TQzPickerView {
    Q_OBJECT
public:
    static constexpr int CellHeight = 88;
    explicit TQzImageGrid(QWidget* parent = nullptr);

    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent);
    TQzImageInfo Info() const { return FInfo; }
    void SetInfo(TQzImageInfo info);
    // Hides the protection line even when Info asks for it (the import's list).
    void SetShowInfoProtected(bool show) { FInfoProtected = show; }
    TQzImageInfo ShownInfo() const;

    int Columns() const;
    // The picture of a cell, drawn once at that size and kept.
    QPixmap Thumbnail(const TQzPkgImagesImage& image, const QSize& size);
    // Pictures changed: every kept thumbnail is dropped and the cells drawn again.
    void InvalidateThumbnails();
    // The rows selected, in list order.
    QList<int> SelectedRows() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutCells();

    bool FStretch = true;
    bool FTransparent = false;
    bool FInfoProtected = true;
    TQzImageInfo FInfo = TQzImageInfo::WidthHeight;
    QCache<QString, QPixmap> FThumbnails;
};

// An image's picture stretched over the widget with its margins and masks (the add dialog's
// preview); nothing without a picture.
class TQzImagePreview : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;
    void SetImage(const TQzPkgImagesImage* image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TQzPkgImagesImage* FImage = nullptr;
};
