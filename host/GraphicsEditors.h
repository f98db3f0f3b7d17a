#pragma once

// Editors for what the class library's graphics hold: colours by the names of its colour
// constants, with the colour dialog on "...", and fonts, with the font dialog on "...". The
// registry falls back on them for integer properties named "Color" (or ending so) and for fonts.

#include "StdEditors.h"

class TColorProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override;
    // "clBtnFace", or "$00BBGGRR" for a colour without a name.
    QString GetValue() override;
    // Takes a name, "$" and hexadecimal digits, or a number; raises EConvertError otherwise.
    void SetValue(const QString& value) override;
    // The named colours, plain ones first.
    void GetValues(const TGetStrProc& proc) override;
    // The colour dialog on the current colour; the chosen one goes to every selected component.
    void Edit() override;
};

class TFontProperty : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override;
    // The font dialog on the first component's font; name, size and style go to every selected
    // component's font, whose colour and character set stay.
    void Edit() override;
};

// A menu item's short cut: "Ctrl+S", "Shift+F5", or "" for none.
class TShortCutProperty : public TIntegerProperty {
public:
    using TIntegerProperty::TIntegerProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // Takes what GetValue shows (any case), "" or "(None)" for none, or the number itself;
    // raises EConvertError otherwise.
    void SetValue(const QString& value) override;
    // The usual short cuts: Ctrl with a letter, the function keys alone and with Shift or Ctrl,
    // and the editing keys.
    void GetValues(const TGetStrProc& proc) override;
};

// Short cuts as menus store them: the key's virtual key code in the low byte, and 0x2000 for
// Shift, 0x4000 for Ctrl, 0x8000 for Alt.
QString ShortCutToText(int shortCut);
// -1 for text that names no short cut.
int TextToShortCut(const QString& text);
