#pragma once

// Image controls: a picture kept in the form (with the graphic class it is stored as) or an image
// of an images package, the focusable variants, their data-aware forms, and the shape.

#include "QzControlBase.h"
#include "QzData.h"

class TQzCustomImage : public TQzGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(QString GraphicClass MEMBER FGraphicClass)
    Q_PROPERTY(QByteArray Picture MEMBER FPicture)
    Q_PROPERTY(bool Stretch MEMBER FStretch)
    Q_PROPERTY(bool Center MEMBER FCenter)
    Q_PROPERTY(bool Proportional MEMBER FProportional)
public:
    Q_INVOKABLE explicit TQzCustomImage(TComponent* owner = nullptr);
    TQzMemoryImage* Image() const { return FImage; }

    // The class name of the picture's format ("TPngImage"); empty for none.
    QString FGraphicClass;
    QByteArray FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;

private:
    TQzMemoryImage* FImage;
};

class TQzImage : public TQzCustomImage {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzImage(TComponent* owner = nullptr) : TQzCustomImage(owner) {}
};

class TQzDbImage : public TQzCustomImage {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbImage(TComponent* owner = nullptr) : TQzCustomImage(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

// An image that takes the focus and shows a frame while it has it.
class TQzCustomFocusImage : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(QString GraphicClass MEMBER FGraphicClass)
    Q_PROPERTY(QByteArray Picture MEMBER FPicture)
    Q_PROPERTY(bool Stretch MEMBER FStretch)
    Q_PROPERTY(bool Center MEMBER FCenter)
    Q_PROPERTY(bool Proportional MEMBER FProportional)
    Q_PROPERTY(int FocusColor MEMBER FFocusColor)
public:
    Q_INVOKABLE explicit TQzCustomFocusImage(TComponent* owner = nullptr);
    TQzMemoryImage* Image() const { return FImage; }

    QString FGraphicClass;
    QByteArray FPicture;
    bool FStretch = false;
    bool FCenter = false;
    bool FProportional = false;
    int FFocusColor = clBlack;

private:
    TQzMemoryImage* FImage;
};

class TQzFocusImage : public TQzCustomFocusImage {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzFocusImage(TComponent* owner = nullptr) : TQzCustomFocusImage(owner) {}
};

class TQzDbFocusImage : public TQzCustomFocusImage {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbFocusImage(TComponent* owner = nullptr)
        : TQzCustomFocusImage(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

// An image of an images package, by reference.
class TQzPkgImage : public TQzGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(bool Stretch MEMBER FStretch)
    Q_PROPERTY(bool Center MEMBER FCenter)
public:
    Q_INVOKABLE explicit TQzPkgImage(TComponent* owner = nullptr);
    TQzMemoryImage* Image() const { return FImage; }

    bool FStretch = false;
    bool FCenter = false;

private:
    TQzMemoryImage* FImage;
};

// The image of the images package PkgName whose id the field holds.
class TQzDbPkgImage : public TQzPkgImage {
    Q_OBJECT
    Q_PROPERTY(QString PkgName MEMBER FPkgName)
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbPkgImage(TComponent* owner = nullptr) : TQzPkgImage(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FPkgName;
    QString FDataField;

private:
    TQzDataLink FLink;
};

class TQzShape : public TQzGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QzCtrlTypes::TShapeType Shape MEMBER FShape)
    Q_PROPERTY(TQzPen* Pen READ Pen)
    Q_PROPERTY(TQzBrush* Brush READ Brush)
public:
    Q_INVOKABLE explicit TQzShape(TComponent* owner = nullptr);
    TQzPen* Pen() const { return FPen; }
    TQzBrush* Brush() const { return FBrush; }

    TShapeType FShape = stRectangle;

private:
    TQzPen* FPen;
    TQzBrush* FBrush;
};
