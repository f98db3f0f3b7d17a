#pragma once

// The variant values of the library's controls in the object inspector. A value is shown and
// typed as text whose form depends on the control's data type: numbers through the numeric
// formatter, dates as day/month/year and time, text as it is; "{NULL}" stands for null.

#include "QzRefs.h"
#include "StdEditors.h"

class TQzCustomPageControl;
class TQzStatusBarPanel;

// The text of `value` under `dataType`: "{NULL}" for null, "" for an unassigned value and for a
// data type without a text form (dtOther and above). Raises EQzError for a value the data type
// cannot read (a text that is no number under a number type).
QString VariantToString(TQzDataType dataType, const QVariant& value);
// The value `text` stands for under `dataType`: null for "{NULL}" (any case), unassigned for a
// data type without a text form. Raises EQzError for a text the number or date reader refuses.
QVariant StringToVariant(TQzDataType dataType, const QString& text);

// The value property of a control, typed by the control's data type. Shown only while one
// component is selected; the value set goes to every selected component.
class TQzControlVariantEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString& value) override;

protected:
    // The data type of the first selected component.
    virtual TQzDataType DataType() const = 0;
};

#define QZ_CONTROL_VARIANT_EDITOR(Name)                                                            \
    class Name : public TQzControlVariantEditor {                                                  \
    public:                                                                                        \
        using TQzControlVariantEditor::TQzControlVariantEditor;                                    \
                                                                                                   \
    protected:                                                                                     \
        TQzDataType DataType() const override;                                                     \
    }

// Edits and combo boxes, the set, image, colour and font combo boxes among them.
QZ_CONTROL_VARIANT_EDITOR(TQzEditVariantPropertyEditor);
// The limits and the position of an up-down over a data type.
QZ_CONTROL_VARIANT_EDITOR(TQzUpDownExMaxVariantPropertyEditor);
QZ_CONTROL_VARIANT_EDITOR(TQzUpDownExMinVariantPropertyEditor);
QZ_CONTROL_VARIANT_EDITOR(TQzUpDownExPositionVariantPropertyEditor);
QZ_CONTROL_VARIANT_EDITOR(TQzLabelVariantPropertyEditor);
// List boxes, the set, image and colour lists among them.
QZ_CONTROL_VARIANT_EDITOR(TQzListBoxVariantPropertyEditor);
QZ_CONTROL_VARIANT_EDITOR(TQzRadioGroupVariantPropertyEditor);
QZ_CONTROL_VARIANT_EDITOR(TQzCheckBoxVariantPropertyEditor);
QZ_CONTROL_VARIANT_EDITOR(TQzRadioButtonVariantPropertyEditor);

#undef QZ_CONTROL_VARIANT_EDITOR

// The value of a status bar panel. Panels are edited one at a time: the editor reads and writes
// the designer's selection only while that is exactly one panel.
class TQzStatusBarVariantPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override { return paRevertable; }
    QString GetValue() override;
    void SetValue(const QString& value) override;

private:
    TQzStatusBarPanel* SelectedPanel() const;
};

// The value of a page control, chosen among its tabs: each is offered as its value, followed by
// " - " and its description when it has one.
class TQzPageControlVariantPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override { return paValueList | paRevertable; }
    // "" when the value cannot be shown under the data type.
    QString GetValue() override;
    void GetValues(const TGetStrProc& proc) override;
    // Takes the text before the first "-" (the minus sign of a number excepted), so that a chosen
    // entry sets the value alone, and converts it under the page control's data type.
    void SetValue(const QString& value) override;

private:
    TQzCustomPageControl* PageControl() const;
};

// Any variant property, as text: "{NULL}" for null or unassigned values, anything else typed is
// stored as text.
class TQzVariantPropertyEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    QString GetValue() override;
    void SetValue(const QString& value) override;
    bool AllEqual() override;
};
