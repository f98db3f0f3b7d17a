#pragma once

// Components without a place on the form's surface: the form and frame components of the
// library, timers, the skin and move helpers of a form, and the value buffer.

#include "QzControlBase.h"
#include "QzData.h"

// A data source the form opens and closes with itself.
class TQzCFormDataSource : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(bool AutoOpen MEMBER FAutoOpen)
public:
    Q_INVOKABLE explicit TQzCFormDataSource(TCollection* collection = nullptr)
        : TCollectionItem(collection) {}
    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* source) { FDataSource = source; }
    QString DisplayName() const override;
    void Assign(const TPersistent* source) override;

    bool FAutoOpen = true;

private:
    QPointer<TDataSource> FDataSource;
};

// What the library adds to a form or frame it is dropped on: the buttons that close it, the
// vars package it reads, the data sources it opens, and its caption and display sets.
class TQzCCustomForm : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryLabel* Caption READ Caption)
    Q_PROPERTY(QString PkgVars MEMBER FPkgVars)
    Q_PROPERTY(TControl* BtnOk READ BtnOk WRITE SetBtnOk)
    Q_PROPERTY(TControl* BtnCancel READ BtnCancel WRITE SetBtnCancel)
    Q_PROPERTY(TCollection* DataSources READ DataSources)
    Q_PROPERTY(TQzSetColor* SetColor READ ColorSet)
    Q_PROPERTY(TQzSetFont* SetFont READ FontSet)
    Q_PROPERTY(TQzSetBackGround* SetBackGround READ BackGroundSet)
    Q_PROPERTY(TQzPrivilege* Privilege READ Privilege)
    Q_PROPERTY(bool KeyPreview MEMBER FKeyPreview)
public:
    Q_INVOKABLE explicit TQzCCustomForm(TComponent* owner = nullptr);

    TQzMemoryLabel* Caption() const { return FCaption; }
    TControl* BtnOk() const { return FBtnOk; }
    void SetBtnOk(TControl* button) { QzFollow(this, FBtnOk, button); }
    TControl* BtnCancel() const { return FBtnCancel; }
    void SetBtnCancel(TControl* button) { QzFollow(this, FBtnCancel, button); }
    TCollection* DataSources() const { return FDataSources; }
    TQzSetColor* ColorSet() const { return FSetColor; }
    TQzSetFont* FontSet() const { return FSetFont; }
    TQzSetBackGround* BackGroundSet() const { return FSetBackGround; }
    TQzPrivilege* Privilege() const { return FPrivilege; }

    // The name of the vars package the form reads its variables from.
    QString FPkgVars;
    bool FKeyPreview = true;

private:
    TQzMemoryLabel* FCaption;
    QPointer<TControl> FBtnOk;
    QPointer<TControl> FBtnCancel;
    TCollection* FDataSources;
    TQzSetColor* FSetColor;
    TQzSetFont* FSetFont;
    TQzSetBackGround* FSetBackGround;
    TQzPrivilege* FPrivilege;
};

class TQzCForm : public TQzCCustomForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzCForm(TComponent* owner = nullptr) : TQzCCustomForm(owner) {}
};

class TQzCFrame : public TQzCCustomForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzCFrame(TComponent* owner = nullptr) : TQzCCustomForm(owner) {}
};

class TQzTimer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled MEMBER FEnabled)
    Q_PROPERTY(int Interval MEMBER FInterval)
    Q_PROPERTY(TNotifyEvent OnTimer MEMBER FOnTimer)
public:
    Q_INVOKABLE explicit TQzTimer(TComponent* owner = nullptr) : TComponent(owner) {}

    bool FEnabled = true;
    int FInterval = 1000;
    TNotifyEvent FOnTimer;
};

// A timer that ticks on a thread of its own.
class TQzThreadTimer : public TQzTimer {
    Q_OBJECT
    Q_PROPERTY(QzCtrlTypes::TThreadPriority Priority MEMBER FPriority)
public:
    Q_INVOKABLE explicit TQzThreadTimer(TComponent* owner = nullptr) : TQzTimer(owner) {}

    TThreadPriority FPriority = tpNormal;
};

// Gives its form the shape and picture of an image: the form's skin.
class TQzImageForm : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(bool Active MEMBER FActive)
    Q_PROPERTY(bool Stretch MEMBER FStretch)
    Q_PROPERTY(bool UseRegion MEMBER FUseRegion)
public:
    Q_INVOKABLE explicit TQzImageForm(TComponent* owner = nullptr);
    TQzMemoryImage* Image() const { return FImage; }

    bool FActive = true;
    bool FStretch = false;
    bool FUseRegion = true;

private:
    TQzMemoryImage* FImage;
};

// Lets the user move the form by dragging a control (the form itself without one).
class TQzMoveForm : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TControl* Control READ Control WRITE SetControl)
    Q_PROPERTY(bool Active MEMBER FActive)
public:
    Q_INVOKABLE explicit TQzMoveForm(TComponent* owner = nullptr) : TComponent(owner) {}
    TControl* Control() const { return FControl; }
    void SetControl(TControl* control) { QzFollow(this, FControl, control); }

    bool FActive = true;

private:
    QPointer<TControl> FControl;
};

// A buffer of values the forms of an application share (copy and paste of records).
class TQzCBuffer : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Capacity READ Capacity WRITE SetCapacity)
    Q_PROPERTY(bool ClearOnPaste MEMBER FClearOnPaste)
public:
    Q_INVOKABLE explicit TQzCBuffer(TComponent* owner = nullptr) : TComponent(owner) {}
    int Capacity() const { return FCapacity; }
    // Raises EQzError below 1.
    void SetCapacity(int capacity);

    bool FClearOnPaste = false;

private:
    int FCapacity = 1;
};
