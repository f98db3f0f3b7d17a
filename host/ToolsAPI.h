#pragma once

// The IDE's module services: the open modules (project group, projects, units), their file
// editors, and the forms the designer holds. The designer host implements them; the form bridge
// reads the project through them.

#include <QString>

class TComponent;
class IOTAModule;

// A file open in the IDE: a form in the designer or a text in the source editor.
class IOTAEditor {
public:
    virtual ~IOTAEditor();
    virtual QString FileName() const = 0;
    virtual IOTAModule* Module() const = 0;
};

// A component of a form as the form editor hands it out.
class IOTAComponent {
public:
    virtual ~IOTAComponent();
    // The live component; none once it is gone.
    virtual TComponent* GetComponentHandle() const = 0;
};

// A form open in the form designer.
class IOTAFormEditor : public IOTAEditor {
public:
    // The form's root component; none when the form holds none.
    virtual IOTAComponent* GetRootComponent() = 0;
    virtual void MarkModified() = 0;
};

// A text file open in the source editor (a unit, or a form opened as text).
class IOTASourceEditor : public IOTAEditor {
public:
    virtual QString Text() const = 0;
};

class IOTAModule {
public:
    virtual ~IOTAModule();
    virtual QString FileName() const = 0;
    virtual int GetModuleFileCount() const = 0;
    virtual IOTAEditor* GetModuleFileEditor(int index) const = 0;
    // Closes the module's editors; false when it stays open. Unsaved changes are dropped
    // when `forceClosed` is set.
    virtual bool CloseModule(bool forceClosed) = 0;
};

// One entry of a project's uses clause.
class IOTAModuleInfo {
public:
    virtual ~IOTAModuleInfo();
    virtual QString FileName() const = 0;
    // The form of the unit ("FrmMain"); empty for a unit without a form.
    virtual QString FormName() const = 0;
    virtual QString Name() const = 0;
};

class IOTAProject : public IOTAModule {
public:
    virtual int GetModuleCount() const = 0;
    virtual IOTAModuleInfo* GetModule(int index) const = 0;
};

class IOTAProjectGroup : public IOTAModule {
public:
    virtual IOTAProject* ActiveProject() const = 0;
};

class IOTAModuleServices {
public:
    virtual ~IOTAModuleServices();
    virtual int ModuleCount() const = 0;
    virtual IOTAModule* Modules(int index) const = 0;
    // The open module of `fileName` (compared as absolute paths); none when it is not open.
    virtual IOTAModule* FindModule(const QString& fileName) const = 0;
};

// The IDE's services; the module services are one of them.
class IIDEServices {
public:
    virtual ~IIDEServices();
    // None when the IDE offers no module services.
    virtual IOTAModuleServices* ModuleServices() = 0;
};

// Set by the designer host while it runs; none outside the IDE.
extern IIDEServices* IDEServices;
