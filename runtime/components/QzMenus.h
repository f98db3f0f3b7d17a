#pragma once

// Menus: trees of menu items under a main menu, a popup menu or a panel menu. Items are
// components of the form the menu is on; the menu holds a root item whose sub-items are the
// top-level items, and a form file nests each item inside its parent (the menu for top-level
// items).

#include "QzControlBase.h"

class TQzCustomMenu;

namespace QzMenuTypes {
Q_NAMESPACE
// What an item does without a click handler of its own. The last one goes below a separator.
enum TQzMenuItemDefaultAction {
    daNone,
    daCalculator,
    daCalendar,
    daMemoEditor,
    daImageEditor,
    daRichEditor,
    daAbout,
};
Q_ENUM_NS(TQzMenuItemDefaultAction)
} // namespace QzMenuTypes

using QzMenuTypes::TQzMenuItemDefaultAction;
using enum QzMenuTypes::TQzMenuItemDefaultAction;

class TQzMenuItem : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER FCaption)
    Q_PROPERTY(TQzMemoryLabel* CaptionId READ CaptionId)
    Q_PROPERTY(TQzMemoryImage* Image READ Image)
    Q_PROPERTY(QzMenuTypes::TQzMenuItemDefaultAction DefaultAction READ DefaultAction WRITE
                   SetDefaultAction)
    Q_PROPERTY(bool Checked MEMBER FChecked)
    Q_PROPERTY(bool RadioItem MEMBER FRadioItem)
    Q_PROPERTY(int GroupIndex MEMBER FGroupIndex)
    Q_PROPERTY(bool Enabled MEMBER FEnabled)
    Q_PROPERTY(bool Visible MEMBER FVisible)
    Q_PROPERTY(int ShortCut MEMBER FShortCut)
    Q_PROPERTY(TQzPrivilege* Privilege READ Privilege)
    Q_PROPERTY(TNotifyEvent OnClick MEMBER FOnClick)
public:
    Q_INVOKABLE explicit TQzMenuItem(TComponent* owner = nullptr);
    ~TQzMenuItem() override;

    // The label's text when it is defined, else the caption.
    QString Text() const;
    TQzMemoryLabel* CaptionId() const { return FCaptionId; }
    TQzMemoryImage* Image() const { return FImage; }
    TQzPrivilege* Privilege() const { return FPrivilege; }
    TQzMenuItemDefaultAction DefaultAction() const { return FDefaultAction; }
    // Raises EQzError for a value outside the enumeration.
    void SetDefaultAction(TQzMenuItemDefaultAction action);
    bool IsLine() const { return FCaption == u"-"; }

    // Sub-items.
    int Count() const { return int(FItems.size()); }
    TQzMenuItem* Items(int index) const;
    int IndexOf(const TQzMenuItem* item) const;
    // Takes `item` from its former parent. Raises EQzError for the item itself or one of its
    // ancestors.
    void Add(TQzMenuItem* item);
    void Insert(int index, TQzMenuItem* item);
    void Remove(TQzMenuItem* item);
    // Frees every sub-item.
    void Clear();
    TQzMenuItem* Parent() const { return FParent; }
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    void SetMenuIndex(int index);
    // The menu whose tree holds this item, or none.
    TQzCustomMenu* GetParentMenu() const;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    QString FCaption;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FEnabled = true;
    bool FVisible = true;
    int FShortCut = 0;
    TNotifyEvent FOnClick;

private:
    friend class TQzCustomMenu;
    TQzMemoryLabel* FCaptionId;
    TQzMemoryImage* FImage;
    TQzPrivilege* FPrivilege;
    TQzMenuItemDefaultAction FDefaultAction = daNone;
    std::vector<TQzMenuItem*> FItems;
    TQzMenuItem* FParent = nullptr;
    // Set on the root item of a menu.
    TQzCustomMenu* FMenu = nullptr;
};

class TQzCustomMenu : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TQzMenuItem* Items READ Items STORED false)
    Q_PROPERTY(bool ImagesVisible MEMBER FImagesVisible)
    Q_PROPERTY(int ImageSize MEMBER FImageSize)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(TQzSetColor* SetColor READ ColorSet)
    Q_PROPERTY(TQzSetFont* SetFont READ FontSet)
    Q_PROPERTY(TQzSetBackGround* SetBackGround READ BackGroundSet)
public:
    Q_INVOKABLE explicit TQzCustomMenu(TComponent* owner = nullptr);

    // The root item: its sub-items are the menu's top-level items.
    TQzMenuItem* Items() const { return FItems; }
    TFont* Font() const { return FFont; }
    TQzSetColor* ColorSet() const { return FSetColor; }
    TQzSetFont* FontSet() const { return FSetFont; }
    TQzSetBackGround* BackGroundSet() const { return FSetBackGround; }
    // Whether `item` may serve as the windows list: an item of this menu's tree.
    bool ValidAssignWindowsList(const TQzMenuItem* item) const;
    // The component form files nest the top-level items in: the menu, or the control holding it.
    TComponent* StreamParent() const {
        return FStreamParent ? FStreamParent : const_cast<TQzCustomMenu*>(this);
    }
    void SetStreamParent(TComponent* parent) { FStreamParent = parent; }

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    bool FImagesVisible = false;
    int FImageSize = 16;

private:
    TQzMenuItem* FItems;
    TFont* FFont;
    TQzSetColor* FSetColor;
    TQzSetFont* FSetFont;
    TQzSetBackGround* FSetBackGround;
    TComponent* FStreamParent = nullptr;
};

// A menu with a windows list: the item under which the open windows are listed.
class TQzMainMenu : public TQzCustomMenu {
    Q_OBJECT
    Q_PROPERTY(TQzMenuItem* WindowsList READ WindowsList WRITE SetWindowsList)
public:
    Q_INVOKABLE explicit TQzMainMenu(TComponent* owner = nullptr) : TQzCustomMenu(owner) {}
    TQzMenuItem* WindowsList() const { return FWindowsList; }
    // Raises EQzError for an item that is not in this menu's tree.
    void SetWindowsList(TQzMenuItem* item);

private:
    QPointer<TQzMenuItem> FWindowsList;
};

class TQzPopupMenu : public TQzCustomMenu {
    Q_OBJECT
    Q_PROPERTY(bool AutoPopup MEMBER FAutoPopup)
    Q_PROPERTY(TNotifyEvent OnPopup MEMBER FOnPopup)
public:
    Q_INVOKABLE explicit TQzPopupMenu(TComponent* owner = nullptr) : TQzCustomMenu(owner) {}
    // Takes the application's display settings (image size, fonts and colours of its sets) for a
    // menu built outside a form.
    void ConfigApp();

    bool FAutoPopup = true;
    TNotifyEvent FOnPopup;
};

// A menu drawn as a panel on the form. Its items and windows list belong to an inner menu.
class TQzPanelMenu : public TQzWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzMenuItem* Items READ Items STORED false)
    Q_PROPERTY(TQzMenuItem* WindowsList READ WindowsList WRITE SetWindowsList)
    Q_PROPERTY(int ItemHeight MEMBER FItemHeight)
public:
    Q_INVOKABLE explicit TQzPanelMenu(TComponent* owner = nullptr);

    TQzMainMenu* Menu() const { return FMenu; }
    TQzMenuItem* Items() const { return FMenu->Items(); }
    TQzMenuItem* WindowsList() const { return FMenu->WindowsList(); }
    void SetWindowsList(TQzMenuItem* item) { FMenu->SetWindowsList(item); }

    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

    int FItemHeight = 22;

private:
    TQzMainMenu* FMenu;
};

// The root items of a menu component (a menu or a panel menu), or none.
TQzMenuItem* QzMenuItemsOf(TComponent* component);
