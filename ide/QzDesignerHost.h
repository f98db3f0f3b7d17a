#pragma once

// The designer host: loads design packages, holds the open project and its modules (the project
// group, the project, units open in the form designer or the source editor) and offers them to
// design packages as the IDE's module services. One instance runs at a time; while it lives it
// is the global IDEServices.

#include "QzProjectFile.h"
#include "ToolsAPI.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class QLibrary;
class TQzFormDesigner;
class TQzHostModule;
class TQzProjectGroupModule;
class TQzProjectModule;
class TQzUnitModule;

class TQzDesignerHost : public QObject, public IIDEServices, public IOTAModuleServices {
    Q_OBJECT
public:
    explicit TQzDesignerHost(QObject* parent = nullptr);
    // Closes the project and unloads the packages.
    ~TQzDesignerHost() override;

    // ---- Design packages
    // Loads the shared library at `libraryPath`, runs its load entry and then its Register; the
    // registrations are credited to the package's name (the file's base name without "lib").
    // Raises EQzError when the library or one of its entries cannot be found, or when Register
    // raises (the package is then unloaded again).
    void LoadPackage(const QString& libraryPath);
    // Unloads the packages in reverse order of loading: each one's unload entry, then its
    // registrations are withdrawn and the library is released.
    void UnloadPackages();
    QStringList LoadedPackages() const;

    // ---- Projects
    // Opens the project (.dpr), closing the one that is open. Raises when it cannot be read.
    void OpenProject(const QString& dprFileName);
    // Closes every open unit (unsaved changes are lost) and the project.
    void CloseProject();
    const TQzProjectFile* Project() const;
    IOTAProject* ActiveProject() const;
    IOTAProjectGroup* ProjectGroup() const;

    // ---- Units and forms (a unit or its form file name; either finds the unit)
    // The designer of the unit's form, opening it when it is not open. Raises when the form
    // cannot be read.
    TQzFormDesigner* OpenForm(const QString& fileName);
    // Opens the form file as text in the source editor; its designer, when open, is closed
    // first (unsaved changes are lost).
    void OpenFormAsText(const QString& fileName);
    // Opens the unit in the source editor only (no form).
    void OpenUnit(const QString& fileName);
    TQzFormDesigner* FindFormDesigner(const QString& fileName) const;
    QList<TQzFormDesigner*> FormDesigners() const;
    // Closes the unit's module; false when it was not open.
    bool CloseUnit(const QString& fileName);
    // Saves every modified form.
    void SaveAll();

    // ---- IIDEServices
    IOTAModuleServices* ModuleServices() override;

    // ---- IOTAModuleServices: the project group, the project, then open units in opening order
    int ModuleCount() const override;
    IOTAModule* Modules(int index) const override;
    IOTAModule* FindModule(const QString& fileName) const override;

Q_SIGNALS:
    void ProjectOpened();
    void ProjectClosed();
    void FormOpened(TQzFormDesigner* designer);
    // Sent before the designer is destroyed.
    void FormClosing(TQzFormDesigner* designer);

private:
    TQzUnitModule* findUnit(const QString& unitFileName) const;
    TQzUnitModule* addUnit(const QString& unitFileName);
    // Tells everyone the unit's form is closing, then frees its designer.
    void closeDesigner(TQzUnitModule* module);
    void closeModule(std::size_t index);

    struct LoadedPackage;
    std::vector<std::unique_ptr<LoadedPackage>> FPackages;
    std::unique_ptr<TQzProjectFile> FProject;
    // The module services' modules: the group and the project first while a project is open.
    std::vector<std::unique_ptr<TQzHostModule>> FModules;
    TQzProjectGroupModule* FGroupModule = nullptr;
    TQzProjectModule* FProjectModule = nullptr;
};
