#pragma once

// The two bases of the library's controls: a graphic control (no window of its own) and a
// windowed control. Both carry what every control of the library publishes: caption and hint
// as label references, the font, the colour, the display sets that restyle them and the
// privilege that restricts them.

#include "Controls.h"
#include "QzGraphicsBase.h"
#include "QzRefs.h"

#include <QPointer>

// Points `field` at `target` and follows it, so that it is cleared when the target is freed.
template <typename T>
void QzFollow(TComponent* self, QPointer<T>& field, T* target) {
    if (field)
        field->RemoveFreeNotification(self);
    field = target;
    if (target)
        target->FreeNotification(self);
}

// The references every control of the library owns; the two bases hand them out.
struct TQzControlRefs {
    explicit TQzControlRefs(QObject* owner);
    TQzMemoryLabel* Caption;
    TQzMemoryLabel* Hint;
    TFont* Font;
    TQzSetColor* SetColor;
    TQzSetFont* SetFont;
    TQzSetBackGround* SetBackGround;
    TQzPrivilege* Privilege;
};

// The message the designer's editors send a control of the library about one of its parts.
// QzShowItemMessage: `object`, an item of one of the control's collections, is being edited, so
// the control shows it.
inline constexpr int QzShowItemMessage = 36;
void QzMasterMessage(TControl* control, int code, TPersistent* object);

class TQzGraphicControl : public TControl {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryLabel* Caption READ Caption)
    Q_PROPERTY(TQzMemoryLabel* Hint READ Hint)
    Q_PROPERTY(bool ShowHint MEMBER FShowHint)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(int Color MEMBER FColor)
    Q_PROPERTY(bool Transparent MEMBER FTransparent)
    Q_PROPERTY(TQzSetColor* SetColor READ ColorSet)
    Q_PROPERTY(TQzSetFont* SetFont READ FontSet)
    Q_PROPERTY(TQzSetBackGround* SetBackGround READ BackGroundSet)
    Q_PROPERTY(TQzPrivilege* Privilege READ Privilege)
public:
    Q_INVOKABLE explicit TQzGraphicControl(TComponent* owner = nullptr);

    TQzMemoryLabel* Caption() const { return FRefs.Caption; }
    TQzMemoryLabel* Hint() const { return FRefs.Hint; }
    TFont* Font() const { return FRefs.Font; }
    TQzSetColor* ColorSet() const { return FRefs.SetColor; }
    TQzSetFont* FontSet() const { return FRefs.SetFont; }
    TQzSetBackGround* BackGroundSet() const { return FRefs.SetBackGround; }
    TQzPrivilege* Privilege() const { return FRefs.Privilege; }
    // What QzMasterMessage hands over; nothing by default.
    virtual void MasterMessage(int code, TPersistent* object);

    bool FShowHint = false;
    int FColor = clBtnFace;
    bool FTransparent = false;

private:
    TQzControlRefs FRefs;
};

class TQzWinControl : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(TQzMemoryLabel* Caption READ Caption)
    Q_PROPERTY(TQzMemoryLabel* Hint READ Hint)
    Q_PROPERTY(bool ShowHint MEMBER FShowHint)
    Q_PROPERTY(TFont* Font READ Font)
    Q_PROPERTY(int Color MEMBER FColor)
    Q_PROPERTY(TQzSetColor* SetColor READ ColorSet)
    Q_PROPERTY(TQzSetFont* SetFont READ FontSet)
    Q_PROPERTY(TQzSetBackGround* SetBackGround READ BackGroundSet)
    Q_PROPERTY(TQzPrivilege* Privilege READ Privilege)
    Q_PROPERTY(int TabOrder MEMBER FTabOrder)
    Q_PROPERTY(bool TabStop MEMBER FTabStop)
public:
    Q_INVOKABLE explicit TQzWinControl(TComponent* owner = nullptr);

    TQzMemoryLabel* Caption() const { return FRefs.Caption; }
    TQzMemoryLabel* Hint() const { return FRefs.Hint; }
    TFont* Font() const { return FRefs.Font; }
    TQzSetColor* ColorSet() const { return FRefs.SetColor; }
    TQzSetFont* FontSet() const { return FRefs.SetFont; }
    TQzSetBackGround* BackGroundSet() const { return FRefs.SetBackGround; }
    TQzPrivilege* Privilege() const { return FRefs.Privilege; }
    virtual void MasterMessage(int code, TPersistent* object);

    bool FShowHint = false;
    int FColor = clBtnFace;
    int FTabOrder = -1;
    bool FTabStop = false;

private:
    TQzControlRefs FRefs;
};
