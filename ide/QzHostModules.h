#pragma once

// The modules the designer host offers through its module services: the project group, the
// project with one module info per unit of its uses clause, and the units opened so far, each
// with its file editors (the unit's source; the form in the designer, or the form file as text).

#include "QzProjectFile.h"
#include "ToolsAPI.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class TComponent;
class TQzDesignerHost;
class TQzFormDesigner;

// The absolute, clean form of a file name, as modules are compared by.
QString QzAbsoluteFileName(const QString& fileName);

// What every module of the host is; the host keeps them in the order of its module services.
class TQzHostModule {
public:
    virtual ~TQzHostModule();
    virtual IOTAModule* Interface() = 0;
};

class TQzProjectModule;

class TQzProjectGroupModule final : public TQzHostModule, public IOTAProjectGroup {
public:
    explicit TQzProjectGroupModule(TQzProjectModule* project) : FProject(project) {}
    IOTAModule* Interface() override { return this; }

    QString FileName() const override;
    int GetModuleFileCount() const override { return 0; }
    IOTAEditor* GetModuleFileEditor(int) const override { return nullptr; }
    // The group stays while its project is open.
    bool CloseModule(bool) override { return false; }
    IOTAProject* ActiveProject() const override;

private:
    TQzProjectModule* FProject;
};

class TQzModuleInfo final : public IOTAModuleInfo {
public:
    explicit TQzModuleInfo(TQzProjectUnit unit) : FUnit(std::move(unit)) {}
    QString FileName() const override { return FUnit.FileName; }
    QString FormName() const override { return FUnit.FormName; }
    QString Name() const override { return FUnit.Name; }

private:
    TQzProjectUnit FUnit;
};

class TQzProjectModule final : public TQzHostModule, public IOTAProject {
public:
    explicit TQzProjectModule(const TQzProjectFile& project);
    IOTAModule* Interface() override { return this; }

    QString FileName() const override { return FFileName; }
    int GetModuleFileCount() const override { return 0; }
    IOTAEditor* GetModuleFileEditor(int) const override { return nullptr; }
    // The project is closed through the host, with everything open in it.
    bool CloseModule(bool) override { return false; }
    int GetModuleCount() const override { return int(FUnits.size()); }
    IOTAModuleInfo* GetModule(int index) const override;

private:
    QString FFileName;
    std::vector<std::unique_ptr<TQzModuleInfo>> FUnits;
};

// A text in the source editor: the unit's source, or a form file opened as text.
class TQzSourceEditor final : public IOTASourceEditor {
public:
    TQzSourceEditor(IOTAModule* module, QString fileName, std::function<QString()> text)
        : FModule(module), FFileName(std::move(fileName)), FText(std::move(text)) {}
    QString FileName() const override { return FFileName; }
    IOTAModule* Module() const override { return FModule; }
    QString Text() const override { return FText(); }

private:
    IOTAModule* FModule;
    QString FFileName;
    std::function<QString()> FText;
};

// A component as the form editor hands it out; it lets go when the component is freed.
class TQzComponentHandle final : public IOTAComponent {
public:
    explicit TQzComponentHandle(TComponent* component);
    TComponent* GetComponentHandle() const override;
    void SetComponent(TComponent* component) { FComponent = component; }

private:
    QPointer<TComponent> FComponent;
};

class TQzFormEditor final : public IOTAFormEditor {
public:
    TQzFormEditor(IOTAModule* module, TQzFormDesigner* designer);
    QString FileName() const override;
    IOTAModule* Module() const override { return FModule; }
    IOTAComponent* GetRootComponent() override;
    void MarkModified() override;

private:
    IOTAModule* FModule;
    TQzFormDesigner* FDesigner;
    TQzComponentHandle FRoot;
};

// A unit open in the host: with its form in the designer (a source and a form editor), with
// its form file as text (that editor only), or with its source alone.
class TQzUnitModule final : public TQzHostModule, public IOTAModule {
public:
    TQzUnitModule(TQzDesignerHost* host, QString unitFileName);
    ~TQzUnitModule() override;
    IOTAModule* Interface() override { return this; }

    QString FileName() const override { return FFileName; }
    int GetModuleFileCount() const override { return int(FEditors.size()); }
    IOTAEditor* GetModuleFileEditor(int index) const override;
    // Closes the unit in the host; a modified form stays open unless `forceClosed`. The module
    // is gone when this returns true.
    bool CloseModule(bool forceClosed) override;

    TQzFormDesigner* Designer() const { return FDesigner.get(); }
    // The unit's source alone; `text` is what the file held. The host has closed the
    // designer before.
    void ShowSource(const QString& text);
    // The form in `designer` beside the unit's source.
    void ShowDesigner(std::unique_ptr<TQzFormDesigner> designer);
    // The form file as text; `text` is the form's text. The host has closed the designer
    // before.
    void ShowFormText(const QString& text);
    // Hands the designer over (to be closed) and leaves the module without editors.
    std::unique_ptr<TQzFormDesigner> TakeDesigner();

private:
    TQzDesignerHost* FHost;
    QString FFileName;
    std::unique_ptr<TQzFormDesigner> FDesigner;
    // After the designer, so they go before it: they refer to it.
    std::vector<std::unique_ptr<IOTAEditor>> FEditors;
    QString FText;
};
