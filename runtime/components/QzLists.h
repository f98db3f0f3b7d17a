#pragma once

// List boxes: a list whose selected entry is the control's value; the entries are the control's
// items, the fonts of this machine, or the privileges of the application.

#include "QzCollection.h"
#include "QzControlBase.h"
#include "QzData.h"

#include <QVariant>

class TQzCustomListBox : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType MEMBER FDataType)
    Q_PROPERTY(QVariant Value MEMBER FValue)
    Q_PROPERTY(int ItemHeight MEMBER FItemHeight)
    Q_PROPERTY(int Columns MEMBER FColumns)
    Q_PROPERTY(bool MultiSelect MEMBER FMultiSelect)
    Q_PROPERTY(bool Sorted MEMBER FSorted)
public:
    Q_INVOKABLE explicit TQzCustomListBox(TComponent* owner = nullptr);
    TQzDataType GetDataType() const { return FDataType; }
    const QVariant& GetValue() const { return FValue; }

    TQzDataType FDataType = dtInteger;
    QVariant FValue;
    int FItemHeight = 16;
    int FColumns = 0;
    bool FMultiSelect = false;
    bool FSorted = false;
};

class TQzListBox : public TQzCustomListBox {
    Q_OBJECT
    Q_PROPERTY(TQzCollection* Items READ Items)
public:
    Q_INVOKABLE explicit TQzListBox(TComponent* owner = nullptr);
    TQzCollection* Items() const { return FItems; }

private:
    TQzCollection* FItems;
};

class TQzDbListBox : public TQzListBox {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbListBox(TComponent* owner = nullptr) : TQzListBox(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

class TQzFontListBox : public TQzCustomListBox {
    Q_OBJECT
    Q_PROPERTY(bool ShowSample MEMBER FShowSample)
public:
    Q_INVOKABLE explicit TQzFontListBox(TComponent* owner = nullptr);

    bool FShowSample = true;
};

// The privileges of the application's privileges package, with their access levels.
class TQzLBPrivileges : public TQzCustomListBox {
    Q_OBJECT
    Q_PROPERTY(bool ShowAccess MEMBER FShowAccess)
    Q_PROPERTY(bool ShowHidden MEMBER FShowHidden)
public:
    Q_INVOKABLE explicit TQzLBPrivileges(TComponent* owner = nullptr) : TQzCustomListBox(owner) {}

    bool FShowAccess = true;
    bool FShowHidden = false;
};
