#pragma once

// Controls that hold other controls: group box, panel, scroll box and its scroll bars, splitter,
// the group of set editors, page controls with their tabs and tab sheets, and the outlook bar
// with its pages.

#include "QzCollection.h"
#include "QzControlBase.h"
#include "QzData.h"

#include <QVariant>

class TQzGroupBox : public TQzWinControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzGroupBox(TComponent* owner = nullptr);
};

class TQzPanel : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzCtrlTypes::TAlignment Alignment MEMBER FAlignment)
    Q_PROPERTY(QzCtrlTypes::TBevelCut BevelInner MEMBER FBevelInner)
    Q_PROPERTY(QzCtrlTypes::TBevelCut BevelOuter MEMBER FBevelOuter)
    Q_PROPERTY(int BevelWidth MEMBER FBevelWidth)
    Q_PROPERTY(int BorderWidth MEMBER FBorderWidth)
public:
    Q_INVOKABLE explicit TQzPanel(TComponent* owner = nullptr);

    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
};

// How the library's scroll bars look; the application holds the settings its windows use.
class TQzScrollBarSettings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(int Size MEMBER FSize)
    Q_PROPERTY(int ButtonSize MEMBER FButtonSize)
    Q_PROPERTY(bool Flat MEMBER FFlat)
    Q_PROPERTY(int Color MEMBER FColor)
    Q_PROPERTY(int ThumbColor MEMBER FThumbColor)
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
public:
    Q_INVOKABLE explicit TQzScrollBarSettings(QObject* parent = nullptr);
    TQzMemoryImage* Image() const { return FImage; }
    void Assign(const TPersistent* source) override;

    int FSize = 16;
    int FButtonSize = 16;
    bool FFlat = false;
    int FColor = clBtnFace;
    int FThumbColor = clBtnFace;

private:
    TQzMemoryImage* FImage;
};

class TQzScrollBox : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzScrollBarSettings* ScrollBars READ ScrollBars)
    Q_PROPERTY(bool AutoScroll MEMBER FAutoScroll)
public:
    Q_INVOKABLE explicit TQzScrollBox(TComponent* owner = nullptr);
    TQzScrollBarSettings* ScrollBars() const { return FScrollBars; }

    bool FAutoScroll = true;

private:
    TQzScrollBarSettings* FScrollBars;
};

class TQzExtScrollBar : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzCtrlTypes::TScrollBarKind Kind MEMBER FKind)
    Q_PROPERTY(int Min MEMBER FMin)
    Q_PROPERTY(int Max MEMBER FMax)
    Q_PROPERTY(int Position MEMBER FPosition)
    Q_PROPERTY(int SmallChange MEMBER FSmallChange)
    Q_PROPERTY(int LargeChange MEMBER FLargeChange)
    Q_PROPERTY(int PageSize MEMBER FPageSize)
    Q_PROPERTY(TQzScrollBarSettings* Settings READ Settings)
public:
    Q_INVOKABLE explicit TQzExtScrollBar(TComponent* owner = nullptr);
    TQzScrollBarSettings* Settings() const { return FSettings; }

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
    int FPageSize = 0;

private:
    TQzScrollBarSettings* FSettings;
};

class TQzSplitter : public TQzGraphicControl {
    Q_OBJECT
    Q_PROPERTY(QzCtrlTypes::TAlign Align MEMBER FAlign)
    Q_PROPERTY(int MinSize MEMBER FMinSize)
    Q_PROPERTY(bool Beveled MEMBER FBeveled)
public:
    Q_INVOKABLE explicit TQzSplitter(TComponent* owner = nullptr);

    TAlign FAlign = alLeft;
    int FMinSize = 30;
    bool FBeveled = false;
};

// A group whose items each stand for a display set the user picks.
class TQzSetsGroup : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzCollection* Items READ Items)
    Q_PROPERTY(int Columns MEMBER FColumns)
public:
    Q_INVOKABLE explicit TQzSetsGroup(TComponent* owner = nullptr);
    TQzCollection* Items() const { return FItems; }

    int FColumns = 1;

private:
    TQzCollection* FItems;
};

// ---------------------------------------------------------------------------------------------
// Page controls

class TQzCustomPageControl;
class TQzTabSheet;

// A tab of a page control: it shows the tab sheet with its page id and stands for a value.
class TQzTabControl : public TQzCollectionItem {
    Q_OBJECT
    Q_PROPERTY(int PageId READ PageId WRITE SetPageId)
    Q_PROPERTY(QString Description MEMBER FDescription)
    Q_PROPERTY(bool TabVisible MEMBER FTabVisible)
public:
    Q_INVOKABLE explicit TQzTabControl(TCollection* collection = nullptr)
        : TQzCollectionItem(collection) {}

    int PageId() const { return FPageId; }
    // Raises EQzError for a negative id, or one other than 0 (no sheet) that another tab of the
    // page control has (while the form is read, ids are taken as they come).
    void SetPageId(int pageId);
    const QVariant& GetValue() const { return Value(); }
    const QString& GetDescription() const { return FDescription; }
    TQzCustomPageControl* PageControl() const;
    void Assign(const TPersistent* source) override;

    QString FDescription;
    bool FTabVisible = true;

private:
    int FPageId = 0;
};

class TQzCustomPageControl : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(QzTypes::TQzDataType DataType MEMBER FDataType)
    Q_PROPERTY(QVariant Value MEMBER FValue)
    Q_PROPERTY(TQzCollection* Tabs READ Tabs)
    Q_PROPERTY(int TabIndex MEMBER FTabIndex)
    Q_PROPERTY(QzCtrlTypes::TTabPosition TabPosition MEMBER FTabPosition)
    Q_PROPERTY(int TabHeight MEMBER FTabHeight)
    Q_PROPERTY(TNotifyEvent OnChange MEMBER FOnChange)
public:
    Q_INVOKABLE explicit TQzCustomPageControl(TComponent* owner = nullptr);

    TQzDataType GetDataType() const { return FDataType; }
    const QVariant& GetValue() const { return FValue; }
    TQzCollection* Tabs() const { return FTabs; }
    TQzTabControl* GetTab(int index) const {
        return static_cast<TQzTabControl*>(FTabs->Items(index));
    }
    // A new tab with a page id no other tab has.
    TQzTabControl* AddTab();
    TQzTabControl* FindTab(int pageId) const;
    // The tab sheets on this page control, in the order they sit on it.
    QList<TQzTabSheet*> TabSheets() const;
    TQzTabSheet* FindTabSheet(int pageId) const;
    // A tab sheet for `tab`, owned by this control's owner and named by the designer.
    TQzTabSheet* CreateTabSheet(TQzTabControl* tab);
    // A tab being edited becomes the one shown.
    void MasterMessage(int code, TPersistent* object) override;

    TQzDataType FDataType = dtInteger;
    QVariant FValue;
    int FTabIndex = -1;
    TTabPosition FTabPosition = tpTop;
    int FTabHeight = 0;
    TNotifyEvent FOnChange;

private:
    TQzCollection* FTabs;
};

class TQzPageControl : public TQzCustomPageControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TQzPageControl(TComponent* owner = nullptr)
        : TQzCustomPageControl(owner) {}
};

class TQzDbPageControl : public TQzCustomPageControl {
    Q_OBJECT
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(QString DataField MEMBER FDataField)
public:
    Q_INVOKABLE explicit TQzDbPageControl(TComponent* owner = nullptr)
        : TQzCustomPageControl(owner) {}
    TDataSource* DataSource() const { return FLink.Source(); }
    void SetDataSource(TDataSource* source) { FLink.SetSource(this, source); }

    QString FDataField;

private:
    TQzDataLink FLink;
};

// The page of a page control that its tab with the same page id shows.
class TQzTabSheet : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(int PageId MEMBER FPageId)
public:
    Q_INVOKABLE explicit TQzTabSheet(TComponent* owner = nullptr);
    TQzCustomPageControl* PageControl() const;
    // The tab of the page control with this sheet's page id, or none.
    TQzTabControl* GetTab() const;

    int FPageId = 0;
};

// ---------------------------------------------------------------------------------------------
// Outlook bar

class TQzOutLookBar;

class TQzOutLookBarPage : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER FOnClick)
public:
    Q_INVOKABLE explicit TQzOutLookBarPage(TComponent* owner = nullptr);
    TQzMemoryImage* Image() const { return FImage; }
    TQzOutLookBar* OutLook() const;
    // Puts the page on `bar` (its parent), or takes it off with none.
    void SetOutLook(TQzOutLookBar* bar);

    TNotifyEvent FOnClick;

private:
    TQzMemoryImage* FImage;
};

class TQzOutLookBar : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzOutLookBarPage* ActivePage READ ActivePage WRITE SetActivePage)
    Q_PROPERTY(int ButtonHeight MEMBER FButtonHeight)
    Q_PROPERTY(bool Animated MEMBER FAnimated)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER FOnClick)
    Q_PROPERTY(TNotifyEvent OnChange MEMBER FOnChange)
public:
    Q_INVOKABLE explicit TQzOutLookBar(TComponent* owner = nullptr);

    // The pages on the bar, in the order they sit on it.
    QList<TQzOutLookBarPage*> Pages() const;
    TQzOutLookBarPage* ActivePage() const { return FActivePage; }
    // Raises EQzError for a page that is not on this bar; none shows no page.
    void SetActivePage(TQzOutLookBarPage* page);
    // Activates the next visible page (the previous one when not `forward`), wrapping around;
    // without an active page the first (or last) one.
    void SelectNextPage(bool forward);

    int FButtonHeight = 24;
    // Pages slide in when activated.
    bool FAnimated = true;
    TNotifyEvent FOnClick;
    TNotifyEvent FOnChange;

private:
    QPointer<TQzOutLookBarPage> FActivePage;
};
