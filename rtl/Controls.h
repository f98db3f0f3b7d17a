#pragma once

// The visual parent/child structure that designed forms stream by: a control has a parent
// window, a windowed control has child controls, and a form, frame or data module is the root
// that owns everything on it, with the form properties form files carry. These hold data only;
// the designer draws them.

#include "Classes.h"
#include "Graphics.h"

class TWinControl;

// What a control allows the designer: with csAcceptsControls other controls may be placed on it.
// A class whose instances hold child controls sets it in its constructor.
enum TControlStyleFlag {
    csAcceptsControls = 0x1,
};
using TControlStyle = int;

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    Q_PROPERTY(int Top READ Top WRITE SetTop)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
public:
    Q_INVOKABLE explicit TControl(TComponent* owner = nullptr);
    ~TControl() override;

    int Left() const { return FLeft; }
    void SetLeft(int value) { FLeft = value; }
    int Top() const { return FTop; }
    void SetTop(int value) { FTop = value; }
    int Width() const { return FWidth; }
    void SetWidth(int value) { FWidth = value; }
    int Height() const { return FHeight; }
    void SetHeight(int value) { FHeight = value; }
    void SetBounds(int left, int top, int width, int height);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }

    TControlStyle ControlStyle() const { return FControlStyle; }

    TWinControl* Parent() const { return FParent; }
    // Raises EComponentError when the parent would become a child of this control.
    void SetParent(TWinControl* parent);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

protected:
    TControlStyle FControlStyle = 0;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;

private:
    friend class TWinControl;
    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
};

class TWinControl : public TControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TWinControl(TComponent* owner = nullptr);
    ~TWinControl() override;

    int ControlCount() const { return int(FControls.size()); }
    TControl* Controls(int index) const;
    const std::vector<TControl*>& ControlList() const { return FControls; }
    // True when `control` is this one or sits anywhere inside it.
    bool ContainsControl(const TControl* control) const;

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

private:
    friend class TControl;
    std::vector<TControl*> FControls;
};

// A root that owns what is on it; its non-visual components stream after its controls.
class TScrollingWinControl : public TWinControl {
    Q_OBJECT
public:
    using TWinControl::TWinControl;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
};

class TCustomForm : public TScrollingWinControl {
    Q_OBJECT
public:
    enum TPosition {
        poDesigned,
        poDefault,
        poDefaultPosOnly,
        poDefaultSizeOnly,
        poScreenCenter,
        poDesktopCenter,
        poMainFormCenter,
        poOwnerFormCenter
    };
    Q_ENUM(TPosition)
    enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
    Q_ENUM(TFormBorderStyle)
private:
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int ClientWidth MEMBER FClientWidth)
    Q_PROPERTY(int ClientHeight MEMBER FClientHeight)
    Q_PROPERTY(int Color MEMBER FColor)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(TFormBorderStyle BorderStyle MEMBER FBorderStyle)
    Q_PROPERTY(TPosition Position MEMBER FPosition)
    Q_PROPERTY(bool OldCreateOrder MEMBER FOldCreateOrder)
    Q_PROPERTY(int PixelsPerInch MEMBER FPixelsPerInch)
    Q_PROPERTY(int TextHeight MEMBER FTextHeight)
    Q_PROPERTY(TNotifyEvent OnCreate MEMBER FOnCreate)
    Q_PROPERTY(TNotifyEvent OnDestroy MEMBER FOnDestroy)
    Q_PROPERTY(TNotifyEvent OnShow MEMBER FOnShow)

public:
    Q_INVOKABLE explicit TCustomForm(TComponent* owner = nullptr);
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& value) { FCaption = value; }
    TFont* Font() const { return FFont; }

    int FClientWidth = 0;
    int FClientHeight = 0;
    int FColor = clBtnFace;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TPosition FPosition = poDesigned;
    bool FOldCreateOrder = false;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
    TNotifyEvent FOnCreate;
    TNotifyEvent FOnDestroy;
    TNotifyEvent FOnShow;

private:
    QString FCaption;
    TFont* FFont;
};

class TForm : public TCustomForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TForm(TComponent* owner = nullptr) : TCustomForm(owner) {}
};

class TFrame : public TScrollingWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TFrame(TComponent* owner = nullptr);
};

class TDataModule : public TComponent {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TDataModule(TComponent* owner = nullptr) : TComponent(owner) {}
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
};

// Registers the classes above and the rtl's event types for streaming. Idempotent.
void RegisterRtlClasses();
