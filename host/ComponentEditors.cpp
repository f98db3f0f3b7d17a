#include "ComponentEditors.h"
#include "StdEditors.h"

TComponentEditor::TComponentEditor(TComponent* component, IDesigner* designer)
    : FComponent(component), FDesigner(designer) {}

TComponentEditor::~TComponentEditor() = default;

void TComponentEditor::Edit() {
    if (GetVerbCount() > 0)
        ExecuteVerb(0);
}

void TComponentEditor::ExecuteVerb(int) {}

void TComponentEditor::Modified() {
    if (FDesigner)
        FDesigner->Modified();
}

QString TComponentEditor::GetVerb(int) {
    return {};
}

int TComponentEditor::GetVerbCount() {
    return 0;
}

void TDefaultEditor::Edit() {
    TComponent* component = Component();
    const QMetaObject* meta = component->metaObject();
    QMetaProperty first;
    for (const char* event : {"OnCreate", "OnChange", "OnClick"}) {
        const int index = meta->indexOfProperty(event);
        if (index < 0 || !IsEventType(meta->property(index).metaType()))
            continue;
        const QMetaProperty prop = meta->property(index);
        if (!first.isValid())
            first = prop;
        // A bound handler is shown rather than a new one made.
        if (!TMethodProperty(GetDesigner(), {component}, prop).GetValue().isEmpty()) {
            first = prop;
            break;
        }
    }
    if (!first.isValid())
        return;
    TMethodProperty(GetDesigner(), {component}, first).Edit();
}
