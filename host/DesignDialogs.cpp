#include "DesignDialogs.h"

#include "DesignRegistry.h"

QList<TDesignDialogClass> DesignDialogs() {
    QList<TDesignDialogClass> dialogs;
    for (const TRegistration& entry : DesignRegistrations())
        if (entry.Kind == TRegistrationKind::Dialog)
            dialogs.push_back(entry.DialogClass);
    return dialogs;
}

TDesignDialogClass FindDesignDialog(const QString& className) {
    for (TDesignDialogClass dialog : DesignDialogs())
        if (dialog->ClassName == className)
            return dialog;
    return nullptr;
}

QList<TDesignDialogClass> FindObjectDialogs(const QObject* object) {
    QList<TDesignDialogClass> found;
    if (!object)
        return found;
    for (TDesignDialogClass dialog : DesignDialogs())
        if (dialog->ObjectClass && dialog->EditObject &&
            object->metaObject()->inherits(dialog->ObjectClass))
            found.push_back(dialog);
    return found;
}

QList<TDesignTool> DesignTools() {
    QList<TDesignTool> tools;
    for (const TRegistration& entry : DesignRegistrations())
        if (entry.Kind == TRegistrationKind::Tool)
            tools.push_back(entry.Tool);
    return tools;
}
