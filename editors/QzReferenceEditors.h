#pragma once

// The inspector editors of the properties that name a package item, a display set or a
// privilege. Each shows a one-line summary of its reference and opens the picker of its kind;
// what they share (no application component, the picker made and freed within one Edit, the
// choice copied to every selected component, the designer told once) is TQzDialogProperty's.
//
//   TQzMemoryLabelPropertyEditor    "(12, System) Save - Saves the file"   TFrMemoryLabel
//   TQzMemoryMessagePropertyEditor  "(3, User) File not found"             TFrMemoryMessage
//   TQzMemoryTextPropertyEditor     "(1, Common) Line one"                 TFrMemoryText
//   TQzMemoryImagePropertyEditor    "(5, Icons)"                           TFrMemoryImage
//   TQzSetColorProperty, TQzSetFontProperty, TQzSetBackGroundProperty: the set's name, typed or
//       chosen in TFrSetColor, TFrSetFont, TFrSetBackGround
//   TQzPrivilegeProperty            "(7, R/W) Print"                       ShowPrivilege
// An id of -2 shows "(Default)", any other negative one "(None)".

#include "editors/QzDialogEditors.h"

class TFrMemoryImage;
class TFrMemoryLabel;
class TFrMemoryMessage;
class TFrMemoryText;
class TFrSetBackGround;
class TFrSetColor;
class TFrSetFont;
class TQzMemoryImage;
class TQzMemoryLabel;
class TQzMemoryMessage;
class TQzMemoryText;
class TQzPrivilege;
class TQzSetBackGround;
class TQzSetColor;
class TQzSetFont;

// An item reference: read-only text, "..." opens TPicker on the first component's reference.
template <typename TRef, typename TPicker>
class TQzMemoryRefProperty : public TQzObjectDialogProperty<TRef> {
public:
    using TQzObjectDialogProperty<TRef>::TQzObjectDialogProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;

protected:
    bool ExecuteDialog() override;
};

// A display set by name: typed (any name is taken) or chosen in TPicker.
template <typename TRef, typename TPicker>
class TQzSetRefProperty : public TQzObjectDialogProperty<TRef> {
public:
    using TQzObjectDialogProperty<TRef>::TQzObjectDialogProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString& value) override;
    // The names agree, ignoring case.
    bool AllEqual() override;

protected:
    bool ExecuteDialog() override;
    void CopyResult(int index) override;
};

class TQzMemoryLabelPropertyEditor : public TQzMemoryRefProperty<TQzMemoryLabel, TFrMemoryLabel> {
public:
    using TQzMemoryRefProperty::TQzMemoryRefProperty;
};

class TQzMemoryMessagePropertyEditor
    : public TQzMemoryRefProperty<TQzMemoryMessage, TFrMemoryMessage> {
public:
    using TQzMemoryRefProperty::TQzMemoryRefProperty;
};

class TQzMemoryTextPropertyEditor : public TQzMemoryRefProperty<TQzMemoryText, TFrMemoryText> {
public:
    using TQzMemoryRefProperty::TQzMemoryRefProperty;
};

class TQzMemoryImagePropertyEditor : public TQzMemoryRefProperty<TQzMemoryImage, TFrMemoryImage> {
public:
    using TQzMemoryRefProperty::TQzMemoryRefProperty;
};

class TQzSetColorProperty : public TQzSetRefProperty<TQzSetColor, TFrSetColor> {
public:
    using TQzSetRefProperty::TQzSetRefProperty;
};

class TQzSetFontProperty : public TQzSetRefProperty<TQzSetFont, TFrSetFont> {
public:
    using TQzSetRefProperty::TQzSetRefProperty;
};

class TQzSetBackGroundProperty : public TQzSetRefProperty<TQzSetBackGround, TFrSetBackGround> {
public:
    using TQzSetRefProperty::TQzSetRefProperty;
};

// A privilege by id; "..." runs the exported ShowPrivilege on the application's privileges.
class TQzPrivilegeProperty : public TQzObjectDialogProperty<TQzPrivilege> {
public:
    using TQzObjectDialogProperty::TQzObjectDialogProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // The ids agree.
    bool AllEqual() override;

protected:
    bool ExecuteDialog() override;
    void CopyResult(int index) override;
};

extern template class TQzMemoryRefProperty<TQzMemoryLabel, TFrMemoryLabel>;
extern template class TQzMemoryRefProperty<TQzMemoryMessage, TFrMemoryMessage>;
extern template class TQzMemoryRefProperty<TQzMemoryText, TFrMemoryText>;
extern template class TQzMemoryRefProperty<TQzMemoryImage, TFrMemoryImage>;
extern template class TQzSetRefProperty<TQzSetColor, TFrSetColor>;
extern template class TQzSetRefProperty<TQzSetFont, TFrSetFont>;
extern template class TQzSetRefProperty<TQzSetBackGround, TFrSetBackGround>;
