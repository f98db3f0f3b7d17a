#pragma once

// Memos and rich edits: many lines of text, typed in the form or taken from a text of a strings
// package.

#include "QzData.h"
#include "QzEdits.h"
#include "Strings.h"

class TQzCustomMemo : public TQzCustomEdit {
    Q_OBJECT
    Q_PROPERTY(TStrings* Lines READ Lines)
    Q_PROPERTY(TQzMemoryText* Text READ Text)
    Q_PROPERTY(QzCtrlTypes::TScrollStyle ScrollBars MEMBER FScrollBars)
    Q_PROPERTY(bool WordWrap MEMBER FWordWrap)
    Q_PROPERTY(bool WantReturns MEMBER FWantReturns)
    Q_PROPERTY(bool WantTabs MEMBER FWantTabs)
public:
    Q_INVOKABLE explicit TQzCustomMemo(TComponent* owner = nullptr);
    TStrings* Lines() const { return FLines; }
    TQzMemoryText* Text() const { return FText; }

    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;

private:
    TStrings* FLines;
    TQzMemoryText* FText;
};

class TQzMemo : public TQzCustomMemo {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzMemo(TComponent* owner = nullptr) : TQzCustomMemo(owner) {}
};

class TQzDbMemo : public TQzCustomMemo {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbMemo(TComponent* owner = nullptr) : TQzCustomMemo(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

// A rich edit that can hold embedded objects. Its lines hold the text in rich text format unless
// PlainText is set.
class TQzCustomRichEditOle : public TQzCustomMemo {
    Q_OBJECT
    Q_PROPERTY(bool PlainText MEMBER FPlainText)
    Q_PROPERTY(int Zoom MEMBER FZoom)
    Q_PROPERTY(bool HideSelection MEMBER FHideSelection)
public:
    Q_INVOKABLE explicit TQzCustomRichEditOle(TComponent* owner = nullptr);

    bool FPlainText = false;
    int FZoom = 100;
    bool FHideSelection = true;
};

class TQzRichEdit : public TQzCustomRichEditOle {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzRichEdit(TComponent* owner = nullptr) : TQzCustomRichEditOle(owner) {}
};

class TQzDbRichEdit : public TQzCustomRichEditOle {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbRichEdit(TComponent* owner = nullptr) : TQzCustomRichEditOle(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};
