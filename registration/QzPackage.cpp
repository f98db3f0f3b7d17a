#include "registration/QzPackage.h"

#include "Controls.h"
#include "DesignIntf.h"
#include "QzCApplication.h"
#include "QzMenus.h"
#include "editors/QzValueListEditors.h"
#include "manager/QzPortDsgn.h"
#include "packages/QzPrivilegesEditor.h"
#include "pickers/QzPrivilege.h"

#include <QVariant>

void DefShowPrivileges() {
    ShowPrivileges = [](TQzPkgPrivileges* privileges) {
        if (!privileges)
            return;
        TFrPrivileges editor;
        editor.Pkg = privileges;
        editor.Execute();
    };
    ShowPrivilege = [](TQzPkgPrivileges* privileges, TQzPrivilege* privilege) {
        TQzCApplication& app = QzCAppRequired();
        // Another package may call with no reference: there is nothing to pick into.
        if (!privilege)
            return false;
        TFrPrivilege picker;
        picker.Pkg = privileges ? privileges : app.Privileges();
        picker.SetReference(privilege);
        return picker.Execute() == mrOk;
    };
}

namespace {

// The designer of the form `component` is designed on: up the owner chain through designing
// components only, to a designing root. None for anything made at run time.
IDesigner* designerOf(TComponent* component) {
    TComponent* top = component;
    while (top && top->Owner()) {
        if (!top->IsDesigning())
            return nullptr;
        top = top->Owner();
    }
    return top && top->IsDesigning() ? DesignerOf(top) : nullptr;
}

// Components dropped on a windowed control are named after their class; elsewhere (a data module,
// say) the designer's own name stays.
void createUniqueName(TComponent* component) {
    if (!component || !qobject_cast<TWinControl*>(component->Owner()))
        return;
    if (IDesigner* designer = designerOf(component))
        component->SetName(designer->UniqueName(component->ClassName()));
}

// Double-clicking a menu item in the menus editor: go to its click handler, making one first when
// it has none.
void createMethodMenuClick(TComponent* menuItem) {
    auto* item = qobject_cast<TQzMenuItem*>(menuItem);
    auto* form = item ? qobject_cast<TCustomForm*>(item->Owner()) : nullptr;
    IDesigner* designer = DesignerOf(form);
    if (!designer)
        return;
    QString name = designer->GetMethodName(item->property("OnClick").value<TNotifyEvent>());
    if (name.isEmpty()) {
        name = item->Name() + QStringLiteral("Click");
        TNotifyEvent handler;
        handler.Name = designer->CreateMethod(name, QMetaType::fromType<TNotifyEvent>()).Name;
        item->setProperty("OnClick", QVariant::fromValue(handler));
    }
    designer->SelectComponent(item);
    designer->ShowMethod(name);
    designer->Modified();
}

QString projectDirectory() {
    const QString project = QzGetProjectName();
    return project.left(project.lastIndexOf(u'/') + 1);
}

void selectComponent(TComponent* component, TPersistent* instance) {
    if (IDesigner* designer = designerOf(component))
        designer->SelectComponent(instance);
}

TComponent* createComponent(TComponent* component, TClass componentClass, TComponent* parent) {
    IDesigner* designer = designerOf(component);
    return designer ? designer->CreateComponent(componentClass, parent, -1, -1, -1, -1) : nullptr;
}

void modified(TComponent* component) {
    if (IDesigner* designer = designerOf(component))
        designer->Modified();
}

} // namespace

void QzPackageInit() {
    QzAssignDgnCreateUniqueName(createUniqueName);
    QzDsgnCreateMethodMenuClick = createMethodMenuClick;
    QzDesignMode = true;
    QzDsgnGetProyectName = projectDirectory;
    QzDsgnSelectComponent = selectComponent;
    QzDsgnCreateComponent = createComponent;
    QzDsgnModified = modified;
    DefShowPrivileges();
    QzCreateModalResultNames();
}

void QzPackageFinal() {
    QzFreeModalResultNames();
    ShowPrivilege = nullptr;
    ShowPrivileges = nullptr;
    QzDsgnModified = nullptr;
    QzDsgnCreateComponent = nullptr;
    QzDsgnSelectComponent = nullptr;
    QzDsgnGetProyectName = nullptr;
    QzDesignMode = false;
    QzDsgnCreateMethodMenuClick = nullptr;
    QzAssignDgnCreateUniqueName(nullptr);
}
