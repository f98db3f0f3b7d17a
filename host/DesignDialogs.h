#pragma once

// The dialogs a design package can show, registered by class name, each with what opens it on a
// fitting subject of the designs that are open. The designer lists them and opens any one to be
// looked at without a person (qzdesigner --list-dialogs, --dialog). Registrations go into the
// design journal, so unloading the package withdraws them.

#include <QList>
#include <QString>
#include <functional>

class QMetaObject;
class QObject;
class QWidget;
class TComponent;
class TPersistent;

// What a dialog may be opened on: the root components of the open designs, in project order.
struct TDesignDialogSubjects {
    QList<TComponent*> Roots;
};

struct TDesignDialogClassInfo {
    QString ClassName;
    // Opens the dialog on the first fitting subject. A modal dialog runs through the UI service
    // and is gone when this returns (nullptr); a window that stays open is returned, and belongs
    // to the caller. Raises EQzError when the designs hold nothing it can be opened on.
    std::function<QWidget*(const TDesignDialogSubjects& subjects)> Open;
};
using TDesignDialogClass = const TDesignDialogClassInfo*;

// Called from a package's Register; `dialog` lives as long as the package.
void RegisterDesignDialog(TDesignDialogClass dialog);

// Every registered dialog, in registration order.
QList<TDesignDialogClass> DesignDialogs();
// The dialog of that class name (case-sensitive), or none.
TDesignDialogClass FindDesignDialog(const QString& className);
