#pragma once

// Lists and combo boxes that pick something of the application: a colour, font or background
// set of its display package, an image of an images package, a colour, or a printer. Their
// value is what was picked.

#include "QzEdits.h"
#include "QzLists.h"

class TQzLBSetsColor : public TQzCustomListBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzLBSetsColor(TComponent* owner = nullptr);
};

class TQzCBSetsColor : public TQzCustomComboBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzCBSetsColor(TComponent* owner = nullptr);
};

class TQzLBSetsBackGround : public TQzCustomListBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzLBSetsBackGround(TComponent* owner = nullptr);
};

class TQzCBSetsBackGround : public TQzCustomComboBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzCBSetsBackGround(TComponent* owner = nullptr);
};

class TQzLBSetsFont : public TQzCustomListBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzLBSetsFont(TComponent* owner = nullptr);
};

class TQzCBSetsFont : public TQzCustomComboBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzCBSetsFont(TComponent* owner = nullptr);
};

// The images of the images package PkgName; the value is an image id.
class TQzLBPkgImages : public TQzCustomListBox {
    Q_OBJECT
    Q_PROPERTY(QString PkgName MEMBER FPkgName)
    Q_PROPERTY(int ImageSize MEMBER FImageSize)
public:
    Q_INVOKABLE explicit TQzLBPkgImages(TComponent* owner = nullptr) : TQzCustomListBox(owner) {}

    QString FPkgName;
    int FImageSize = 16;
};

class TQzCBPkgImages : public TQzCustomComboBox {
    Q_OBJECT
    Q_PROPERTY(QString PkgName MEMBER FPkgName)
    Q_PROPERTY(int ImageSize MEMBER FImageSize)
public:
    Q_INVOKABLE explicit TQzCBPkgImages(TComponent* owner = nullptr);

    QString FPkgName;
    int FImageSize = 16;
};

// Colours; the value is a colour value.
class TQzLBColors : public TQzCustomListBox {
    Q_OBJECT
    Q_PROPERTY(bool SystemColors MEMBER FSystemColors)
public:
    Q_INVOKABLE explicit TQzLBColors(TComponent* owner = nullptr) : TQzCustomListBox(owner) {}

    bool FSystemColors = true;
};

class TQzCBColors : public TQzCustomComboBox {
    Q_OBJECT
    Q_PROPERTY(bool SystemColors MEMBER FSystemColors)
public:
    Q_INVOKABLE explicit TQzCBColors(TComponent* owner = nullptr);

    bool FSystemColors = true;
};

// The printers of this machine; the value is a printer name.
class TQzCBPrinters : public TQzCustomComboBox {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzCBPrinters(TComponent* owner = nullptr);
};

// Adds picture files to the images package PkgName, asking for them in a dialog.
class TQzPkgImagesAdd : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString PkgName MEMBER FPkgName)
    Q_PROPERTY(TQzMemoryLabel* Title READ Title)
    Q_PROPERTY(bool Protect MEMBER FProtect)
public:
    Q_INVOKABLE explicit TQzPkgImagesAdd(TComponent* owner = nullptr);
    TQzMemoryLabel* Title() const { return FTitle; }

    QString FPkgName;
    bool FProtect = false;

private:
    TQzMemoryLabel* FTitle;
};

// Designs the region (the shape) of an image of the images package PkgName.
class TQzPkgImagesDesignRgn : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString PkgName MEMBER FPkgName)
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(int Zoom MEMBER FZoom)
public:
    Q_INVOKABLE explicit TQzPkgImagesDesignRgn(TComponent* owner = nullptr);
    TQzMemoryImage* Image() const { return FImage; }

    QString FPkgName;
    int FZoom = 1;

private:
    TQzMemoryImage* FImage;
};
