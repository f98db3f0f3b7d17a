#pragma once

// Buttons, check boxes, radio buttons and radio groups, and the data navigator. Check boxes and
// radio controls stand for values of a data type; push buttons close a form with a modal result.

#include "QzCollection.h"
#include "QzControlBase.h"
#include "QzData.h"

#include <QVariant>

class TQzCheckBox : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType MEMBER FDataType)
    Q_PROPERTY(QVariant Value MEMBER FValue)
    Q_PROPERTY(QVariant ValueChecked MEMBER FValueChecked)
    Q_PROPERTY(QVariant ValueUnchecked MEMBER FValueUnchecked)
    Q_PROPERTY(QzCtrlTypes::TCheckBoxState State MEMBER FState)
    Q_PROPERTY(bool AllowGrayed MEMBER FAllowGrayed)
    Q_PROPERTY(QzCtrlTypes::TAlignment Alignment MEMBER FAlignment)
public:
    Q_INVOKABLE explicit TQzCheckBox(TComponent* owner = nullptr);
    TQzDataType GetDataType() const { return FDataType; }
    const QVariant& GetValue() const { return FValue; }

    TQzDataType FDataType = dtInteger;
    QVariant FValue;
    QVariant FValueChecked = 1;
    QVariant FValueUnchecked = 0;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    TAlignment FAlignment = taRightJustify;
};

class TQzDbCheckBox : public TQzCheckBox {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbCheckBox(TComponent* owner = nullptr) : TQzCheckBox(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

class TQzRadioButton : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType MEMBER FDataType)
    Q_PROPERTY(QVariant Value MEMBER FValue)
    Q_PROPERTY(bool Checked MEMBER FChecked)
    Q_PROPERTY(QzCtrlTypes::TAlignment Alignment MEMBER FAlignment)
public:
    Q_INVOKABLE explicit TQzRadioButton(TComponent* owner = nullptr);
    TQzDataType GetDataType() const { return FDataType; }
    const QVariant& GetValue() const { return FValue; }

    TQzDataType FDataType = dtInteger;
    QVariant FValue;
    bool FChecked = false;
    TAlignment FAlignment = taRightJustify;
};

// One button per item; the checked item's value is the group's.
class TQzRadioGroup : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType MEMBER FDataType)
    Q_PROPERTY(QVariant Value MEMBER FValue)
    Q_PROPERTY(TQzCollection* Items READ Items)
    Q_PROPERTY(int Columns MEMBER FColumns)
public:
    Q_INVOKABLE explicit TQzRadioGroup(TComponent* owner = nullptr);
    TQzDataType GetDataType() const { return FDataType; }
    const QVariant& GetValue() const { return FValue; }
    TQzCollection* Items() const { return FItems; }

    TQzDataType FDataType = dtInteger;
    QVariant FValue;
    int FColumns = 1;

private:
    TQzCollection* FItems;
};

class TQzDbRadioGroup : public TQzRadioGroup {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbRadioGroup(TComponent* owner = nullptr) : TQzRadioGroup(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

// ---------------------------------------------------------------------------------------------
// Push buttons. ModalResult is any integer; 1 is OK and 2 Cancel.

class TQzBitBtn : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(int ModalResult MEMBER FModalResult)
    Q_PROPERTY(bool Default MEMBER FDefault)
    Q_PROPERTY(bool Cancel MEMBER FCancel)
    Q_PROPERTY(QzCtrlTypes::TButtonLayout Layout MEMBER FLayout)
    Q_PROPERTY(int Spacing MEMBER FSpacing)
    Q_PROPERTY(int Margin MEMBER FMargin)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER FOnClick)
public:
    Q_INVOKABLE explicit TQzBitBtn(TComponent* owner = nullptr);
    TQzMemoryImage* Image() const { return FImage; }

    int FModalResult = 0;
    bool FDefault = false;
    bool FCancel = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
    TNotifyEvent FOnClick;

private:
    TQzMemoryImage* FImage;
};

class TQzSpeedButton : public TQzGraphicControl {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(int ModalResult MEMBER FModalResult)
    Q_PROPERTY(int GroupIndex MEMBER FGroupIndex)
    Q_PROPERTY(bool Down MEMBER FDown)
    Q_PROPERTY(bool AllowAllUp MEMBER FAllowAllUp)
    Q_PROPERTY(bool Flat MEMBER FFlat)
    Q_PROPERTY(QzCtrlTypes::TButtonLayout Layout MEMBER FLayout)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER FOnClick)
public:
    Q_INVOKABLE explicit TQzSpeedButton(TComponent* owner = nullptr);
    TQzMemoryImage* Image() const { return FImage; }

    int FModalResult = 0;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    TButtonLayout FLayout = blGlyphLeft;
    TNotifyEvent FOnClick;

private:
    TQzMemoryImage* FImage;
};

// Data buttons show a caption and an image per item of States, by the state of their data set
// (browse, edit, insert, ...).
class TQzDbBitBtn : public TQzBitBtn {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(TQzCollection* States READ States)
public:
    Q_INVOKABLE explicit TQzDbBitBtn(TComponent* owner = nullptr);
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }
    TQzCollection* States() const { return FStates; }

private:
    TQzDataLink FLink;
    TQzCollection* FStates;
};

class TQzDbSpeedButton : public TQzSpeedButton {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(TQzCollection* States READ States)
public:
    Q_INVOKABLE explicit TQzDbSpeedButton(TComponent* owner = nullptr);
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }
    TQzCollection* States() const { return FStates; }

private:
    TQzDataLink FLink;
    TQzCollection* FStates;
};

class TQzDbNavigator : public TQzWinControl {
    Q_OBJECT
public:
    enum TNavigateBtn {
        nbFirst = 0x1,
        nbPrior = 0x2,
        nbNext = 0x4,
        nbLast = 0x8,
        nbInsert = 0x10,
        nbDelete = 0x20,
        nbEdit = 0x40,
        nbPost = 0x80,
        nbCancel = 0x100,
        nbRefresh = 0x200,
    };
    Q_DECLARE_FLAGS(TButtonSet, TNavigateBtn)
    Q_FLAG(TButtonSet)
private:
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(TButtonSet VisibleButtons READ VisibleButtons WRITE SetVisibleButtons)
    Q_PROPERTY(bool ConfirmDelete MEMBER FConfirmDelete)
    Q_PROPERTY(TQzMemoryMessage* DeleteMessage READ DeleteMessage)
    Q_PROPERTY(bool Flat MEMBER FFlat)

public:
    Q_INVOKABLE explicit TQzDbNavigator(TComponent* owner = nullptr);
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }
    // Asked before a record is deleted.
    TQzMemoryMessage* DeleteMessage() const { return FDeleteMessage; }
    TButtonSet VisibleButtons() const { return FVisibleButtons; }
    void SetVisibleButtons(TButtonSet buttons) { FVisibleButtons = buttons; }

    TButtonSet FVisibleButtons;
    bool FConfirmDelete = true;
    bool FFlat = false;

private:
    TQzDataLink FLink;
    TQzMemoryMessage* FDeleteMessage;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TQzDbNavigator::TButtonSet)
