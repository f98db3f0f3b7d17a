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
