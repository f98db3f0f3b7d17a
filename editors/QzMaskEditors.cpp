#include "editors/QzMaskEditors.h"

#include "controls/QzMaskDesigner.h"

TPropertyAttributes TQzMaskPropertyEditor::GetAttributes() {
    return paSubProperties | paDialog | paMultiSelect;
}

QString TQzMaskPropertyEditor::GetValue() {
    const TQzMask* mask = Value(0);
    return mask ? mask->Text() : QString();
}

void TQzMaskPropertyEditor::SetValue(const QString& value) {
    for (int i = 0; i < PropCount(); ++i)
        if (TQzMask* mask = Value(i))
            mask->SetText(value);
    Modified();
}

bool TQzMaskPropertyEditor::AllEqual() {
    const TQzMask* first = Value(0);
    for (int i = 1; i < PropCount(); ++i) {
        const TQzMask* mask = Value(i);
        if (!first || !mask || mask->Text().compare(first->Text(), Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

bool TQzMaskPropertyEditor::ExecuteDialog() {
    TQzMask* mask = Value(0);
    if (!mask)
        return false;
    TFrMask designer;
    designer.Mask = mask;
    designer.Designer = Designer();
    return designer.Execute();
}
