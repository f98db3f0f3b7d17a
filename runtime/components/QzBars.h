#pragma once

// Bars: the status bar with its panels, the tool bars that work on a memo, a rich edit or an
// image, the progress bar and the ruler.

#include "QzCollection.h"
#include "QzControlBase.h"
#include "QzMemos.h"

#include <QVariant>

// A panel of the status bar shows its value through the data type.
class TQzStatusBarPanel : public TQzCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType MEMBER FDataType)
    Q_PROPERTY(int Width MEMBER FWidth)
    Q_PROPERTY(QzCtrlTypes::TAlignment Alignment MEMBER FAlignment)
    Q_PROPERTY(QzCtrlTypes::TBevelCut Bevel MEMBER FBevel)
public:
    Q_INVOKABLE explicit TQzStatusBarPanel(TCollection* collection = nullptr)
        : TQzCollectionItem(collection) {}
    TQzDataType GetDataType() const { return FDataType; }
    const QVariant& GetValue() const { return Value(); }
    void Assign(const TPersistent* source) override;

    TQzDataType FDataType = dtString;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    TBevelCut FBevel = bvLowered;
};

class TQzStatusBar : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzCollection* Panels READ Panels)
    Q_PROPERTY(bool SimplePanel MEMBER FSimplePanel)
    Q_PROPERTY(bool SizeGrip MEMBER FSizeGrip)
public:
    Q_INVOKABLE explicit TQzStatusBar(TComponent* owner = nullptr);
    TQzCollection* Panels() const { return FPanels; }
    TQzStatusBarPanel* GetPanel(int index) const {
        return static_cast<TQzStatusBarPanel*>(FPanels->Items(index));
    }

    bool FSimplePanel = false;
    bool FSizeGrip = true;

private:
    TQzCollection* FPanels;
};

// The formatting buttons of a memo.
class TQzMemoBar : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzCustomMemo* Memo READ Memo WRITE SetMemo)
    Q_PROPERTY(bool Flat MEMBER FFlat)
public:
    Q_INVOKABLE explicit TQzMemoBar(TComponent* owner = nullptr);
    TQzCustomMemo* Memo() const { return FMemo; }
    void SetMemo(TQzCustomMemo* memo);

    bool FFlat = true;

private:
    QPointer<TQzCustomMemo> FMemo;
};

class TQzRichEditBar : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzCustomRichEditOle* RichEdit READ RichEdit WRITE SetRichEdit)
    Q_PROPERTY(bool Flat MEMBER FFlat)
public:
    Q_INVOKABLE explicit TQzRichEditBar(TComponent* owner = nullptr);
    TQzCustomRichEditOle* RichEdit() const { return FRichEdit; }
    void SetRichEdit(TQzCustomRichEditOle* richEdit);

    bool FFlat = true;

private:
    QPointer<TQzCustomRichEditOle> FRichEdit;
};

// The buttons that load, save, copy and paste the picture of an image control.
class TQzImageBar : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TComponent* Image READ Image WRITE SetImage)
    Q_PROPERTY(bool Flat MEMBER FFlat)
public:
    Q_INVOKABLE explicit TQzImageBar(TComponent* owner = nullptr);
    TComponent* Image() const { return FImage; }
    // Takes an image or a focus image of the library; anything else raises EQzError.
    void SetImage(TComponent* image);

    bool FFlat = true;

private:
    QPointer<TComponent> FImage;
};

class TQzProgressBar : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(int Min MEMBER FMin)
    Q_PROPERTY(int Max MEMBER FMax)
    Q_PROPERTY(int Position MEMBER FPosition)
    Q_PROPERTY(int Step MEMBER FStep)
    Q_PROPERTY(QzCtrlTypes::TScrollBarKind Orientation MEMBER FOrientation)
    Q_PROPERTY(bool Smooth MEMBER FSmooth)
    Q_PROPERTY(bool ShowText MEMBER FShowText)
public:
    Q_INVOKABLE explicit TQzProgressBar(TComponent* owner = nullptr);

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    TScrollBarKind FOrientation = sbHorizontal;
    bool FSmooth = false;
    bool FShowText = false;
};

class TQzRuler : public TQzGraphicControl {
    Q_OBJECT
public:
    enum TQzRulerUnits { ruPixels, ruMillimeters, ruCentimeters, ruInches };
    Q_ENUM(TQzRulerUnits)
private:
    Q_PROPERTY(QzCtrlTypes::TScrollBarKind Orientation MEMBER FOrientation)
    Q_PROPERTY(TQzRulerUnits Units MEMBER FUnits)
    Q_PROPERTY(int Zoom MEMBER FZoom)
    Q_PROPERTY(int Offset MEMBER FOffset)

public:
    Q_INVOKABLE explicit TQzRuler(TComponent* owner = nullptr);

    TScrollBarKind FOrientation = sbHorizontal;
    TQzRulerUnits FUnits = ruCentimeters;
    int FZoom = 100;
    int FOffset = 0;
};
