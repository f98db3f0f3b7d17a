#pragma once

// Labels: a caption, or a value shown through an edit mask, and the data-aware label that takes
// its value from a field.

#include "QzControlBase.h"
#include "QzData.h"

#include <QVariant>

class TQzBasicLabel : public TQzGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType READ DataType WRITE SetDataType STORED false)
    Q_PROPERTY(QVariant Value MEMBER FValue)
    Q_PROPERTY(TQzMask* Mask READ Mask)
    Q_PROPERTY(QzCtrlTypes::TAlignment Alignment MEMBER FAlignment)
    Q_PROPERTY(bool AutoSize MEMBER FAutoSize)
    Q_PROPERTY(bool WordWrap MEMBER FWordWrap)
    Q_PROPERTY(TWinControl* FocusControl READ FocusControl WRITE SetFocusControl)
public:
    Q_INVOKABLE explicit TQzBasicLabel(TComponent* owner = nullptr);

    // The data type is the mask's, which streams it.
    TQzDataType DataType() const { return FMask->DataType(); }
    void SetDataType(TQzDataType dataType) { FMask->SetDataType(dataType); }
    TQzDataType GetDataType() const { return DataType(); }
    const QVariant& GetValue() const { return FValue; }
    void SetValue(const QVariant& value) { FValue = value; }
    TQzMask* Mask() const { return FMask; }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* control);

    QVariant FValue;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FWordWrap = false;

private:
    TQzMask* FMask;
    QPointer<TWinControl> FFocusControl;
};

class TQzLabel : public TQzBasicLabel {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzLabel(TComponent* owner = nullptr) : TQzBasicLabel(owner) {}
};

class TQzDbLabel : public TQzBasicLabel {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbLabel(TComponent* owner = nullptr) : TQzBasicLabel(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};
