#pragma once

// Edits and what is built on them: masked edits with a value, combo boxes, the edit buttons
// and the up-down controls that step an edit's value.

#include "QzCollection.h"
#include "QzControlBase.h"
#include "QzData.h"

#include <QVariant>

class TQzCustomEdit : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType READ DataType WRITE SetDataType STORED false)
    Q_PROPERTY(QVariant Value MEMBER FValue)
    Q_PROPERTY(TQzMask* Mask READ Mask)
    Q_PROPERTY(QzCtrlTypes::TAlignment Alignment MEMBER FAlignment)
    Q_PROPERTY(int MaxLength MEMBER FMaxLength)
    Q_PROPERTY(bool ReadOnly MEMBER FReadOnly)
    Q_PROPERTY(bool AutoSelect MEMBER FAutoSelect)
    Q_PROPERTY(QString PasswordChar MEMBER FPasswordChar)
public:
    Q_INVOKABLE explicit TQzCustomEdit(TComponent* owner = nullptr);

    // The data type is the mask's, which streams it.
    TQzDataType DataType() const { return FMask->DataType(); }
    void SetDataType(TQzDataType dataType) { FMask->SetDataType(dataType); }
    TQzDataType GetDataType() const { return DataType(); }
    const QVariant& GetValue() const { return FValue; }
    void SetValue(const QVariant& value) { FValue = value; }
    TQzMask* Mask() const { return FMask; }

    QVariant FValue;
    TAlignment FAlignment = taLeftJustify;
    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FAutoSelect = true;
    QString FPasswordChar;

protected:
    // For controls made for one kind of value.
    void FixDataType(TQzDataType dataType);

private:
    TQzMask* FMask;
};

class TQzEdit : public TQzCustomEdit {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzEdit(TComponent* owner = nullptr) : TQzCustomEdit(owner) {}
};

class TQzDbEdit : public TQzCustomEdit {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbEdit(TComponent* owner = nullptr) : TQzCustomEdit(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

// The buttons beside an edit (calendar, calculator, look-up, ...).
class TQzEditBtns : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzCustomEdit* Edit READ Edit WRITE SetEdit)
    Q_PROPERTY(int ButtonWidth MEMBER FButtonWidth)
    Q_PROPERTY(bool Flat MEMBER FFlat)
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
public:
    Q_INVOKABLE explicit TQzEditBtns(TComponent* owner = nullptr);
    TQzCustomEdit* Edit() const { return FEdit; }
    void SetEdit(TQzCustomEdit* edit) { QzFollow(this, FEdit, edit); }
    TQzMemoryImage* Image() const { return FImage; }

    int FButtonWidth = 21;
    bool FFlat = true;

private:
    QPointer<TQzCustomEdit> FEdit;
    TQzMemoryImage* FImage;
};

// ---------------------------------------------------------------------------------------------
// Combo boxes

class TQzCustomComboBox : public TQzCustomEdit {
    Q_OBJECT
    Q_PROPERTY(QzCtrlTypes::TComboBoxStyle Style MEMBER FStyle)
    Q_PROPERTY(int DropDownCount MEMBER FDropDownCount)
    Q_PROPERTY(int ItemHeight MEMBER FItemHeight)
public:
    Q_INVOKABLE explicit TQzCustomComboBox(TComponent* owner = nullptr);

    TComboBoxStyle FStyle = csDropDownList;
    int FDropDownCount = 8;
    int FItemHeight = 16;
};

// A combo box whose entries are its items: each shows a label and an image and stands for a
// value.
class TQzComboBox : public TQzCustomComboBox {
    Q_OBJECT
    Q_PROPERTY(TQzCollection* Items READ Items)
public:
    Q_INVOKABLE explicit TQzComboBox(TComponent* owner = nullptr);
    TQzCollection* Items() const { return FItems; }

private:
    TQzCollection* FItems;
};

class TQzDbComboBox : public TQzComboBox {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbComboBox(TComponent* owner = nullptr) : TQzComboBox(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

// The fonts of this machine; the value is a font name.
class TQzFontComboBox : public TQzCustomComboBox {
    Q_OBJECT
    Q_PROPERTY(bool ShowSample MEMBER FShowSample)
public:
    Q_INVOKABLE explicit TQzFontComboBox(TComponent* owner = nullptr);

    bool FShowSample = true;
};

// ---------------------------------------------------------------------------------------------
// Up-down controls

class TQzUpDown : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TWinControl* Associate READ Associate WRITE SetAssociate)
    Q_PROPERTY(int Min MEMBER FMin)
    Q_PROPERTY(int Max MEMBER FMax)
    Q_PROPERTY(int Position MEMBER FPosition)
    Q_PROPERTY(int Increment MEMBER FIncrement)
    Q_PROPERTY(QzCtrlTypes::TScrollBarKind Orientation MEMBER FOrientation)
    Q_PROPERTY(bool Wrap MEMBER FWrap)
public:
    Q_INVOKABLE explicit TQzUpDown(TComponent* owner = nullptr);
    TWinControl* Associate() const { return FAssociate; }
    // Only an edit of the library can be associated; anything else raises EQzError.
    void SetAssociate(TWinControl* control);

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TScrollBarKind FOrientation = sbVertical;
    bool FWrap = false;

private:
    QPointer<TWinControl> FAssociate;
};

// An up-down over values of a data type: numbers, dates or anything the mask can step.
class TQzUpDownEx : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType MEMBER FDataType)
    Q_PROPERTY(QVariant Min MEMBER FMin)
    Q_PROPERTY(QVariant Max MEMBER FMax)
    Q_PROPERTY(QVariant Position MEMBER FPosition)
    Q_PROPERTY(QVariant Increment MEMBER FIncrement)
    Q_PROPERTY(TWinControl* Associate READ Associate WRITE SetAssociate)
    Q_PROPERTY(QzCtrlTypes::TScrollBarKind Orientation MEMBER FOrientation)
    Q_PROPERTY(bool Wrap MEMBER FWrap)
public:
    Q_INVOKABLE explicit TQzUpDownEx(TComponent* owner = nullptr);
    TQzDataType GetDataType() const { return FDataType; }
    const QVariant& GetPosition() const { return FPosition; }
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* control);

    TQzDataType FDataType = dtInteger;
    QVariant FMin = 0;
    QVariant FMax = 100;
    QVariant FPosition = 0;
    QVariant FIncrement = 1;
    TScrollBarKind FOrientation = sbVertical;
    bool FWrap = false;

private:
    QPointer<TWinControl> FAssociate;
};
