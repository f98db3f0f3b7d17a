#include "QzDesignerHost.h"

#include "DesignRegistry.h"
#include "DesignWindows.h"
#include "ObjectStreams.h"
#include "QzExcept.h"
#include "QzFormDesigner.h"
#include "QzHostModules.h"
#include "QzPkgInfo.h"
#include "QzProjectForms.h"
#include "QzRuntime.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>

using TQzPackageEntry = void (*)();

struct TQzDesignerHost::LoadedPackage {
    QString Name;
    std::unique_ptr<QLibrary> Library;
    TQzPackageEntry Final = nullptr;
};

namespace {

// "libQzDemo.so" and "QzDemo.so.1" are the package "QzDemo".
QString packageName(const QString& libraryPath) {
    QString name = QFileInfo(libraryPath).fileName();
    if (name.startsWith(QStringLiteral("lib")) && name.size() > 3)
        name.remove(0, 3);
    return name.section(u'.', 0, 0);
}

QString messageOf(const std::exception& e) {
    if (const auto* error = dynamic_cast<const Exception*>(&e))
        return error->Message();
    return QString::fromLocal8Bit(e.what());
}

// A unit named by its unit or its form file.
QString unitFileOf(const QString& fileName) {
    return QzChangeFileExt(QzAbsoluteFileName(fileName), QStringLiteral(".pas"));
}

// A form is its unit's .dfm; any other name would open that one instead of the file named.
QString formUnitFileOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix();
    if (!suffix.isEmpty() && suffix.compare(u"dfm", Qt::CaseInsensitive) != 0 &&
        suffix.compare(u"pas", Qt::CaseInsensitive) != 0)
        QzExcept(QStringLiteral("Cannot open %1 as a form: a form is the .dfm file of its unit")
                     .arg(fileName));
    return unitFileOf(fileName);
}

} // namespace

TQzDesignerHost::TQzDesignerHost(QObject* parent) : QObject(parent) {
    // The signals carry designers, also through queued connections.
    qRegisterMetaType<TQzFormDesigner*>();
    QzRegisterRuntimeClasses();
    IDEServices = this;
}

TQzDesignerHost::~TQzDesignerHost() {
    CloseProject();
    while (!FModules.empty())
        closeModule(FModules.size() - 1);
    try {
        UnloadPackages();
    } catch (const std::exception&) {
        // A package that fails to finalise is still released; nobody is left to tell.
    }
    if (IDEServices == this)
        IDEServices = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Design packages

void TQzDesignerHost::LoadPackage(const QString& libraryPath) {
    const QString name = packageName(libraryPath);
    for (const auto& package : FPackages)
        if (SameText(package->Name, name))
            QzExcept(QStringLiteral("The package %1 is already loaded").arg(name));

    auto library = std::make_unique<QLibrary>(libraryPath);
    if (!library->load())
        QzExcept(QStringLiteral("Cannot load the package %1: %2")
                     .arg(libraryPath, library->errorString()));
    const auto entry = [&](const char* symbol) {
        const QFunctionPointer function = library->resolve(symbol);
        if (!function) {
            library->unload();
            QzExcept(QStringLiteral("The package %1 has no entry %2")
                         .arg(name, QString::fromLatin1(symbol)));
        }
        return function;
    };
    const TQzPackageEntry init = entry("QzPackageInit");
    const TQzPackageEntry registerEntry = entry("Register");
    const TQzPackageEntry finalEntry = entry("QzPackageFinal");

    // Messages are built inside the handlers and the library unloaded only after them: the
    // exception, and the text it holds, may live in the library.
    QString failure;
    try {
        init();
    } catch (const std::exception& e) {
        failure = QStringLiteral("The package %1 failed to load: %2").arg(name, messageOf(e));
    }
    if (!failure.isEmpty()) {
        library->unload();
        QzExcept(failure);
    }
    BeginModuleRegistration(name);
    try {
        registerEntry();
    } catch (const std::exception& e) {
        failure = QStringLiteral("Register of the package %1 failed: %2").arg(name, messageOf(e));
    }
    if (!failure.isEmpty()) {
        // Undo the load: what Register managed to register goes, the package finalises.
        BeginModuleRegistration(QString());
        UnregisterModule(name);
        try {
            finalEntry();
        } catch (const std::exception&) {
            // The registration error is the one worth reporting.
        }
        library->unload();
        QzExcept(failure);
    }
    BeginModuleRegistration(QString());

    auto package = std::make_unique<LoadedPackage>();
    package->Name = name;
    package->Library = std::move(library);
    package->Final = finalEntry;
    FPackages.push_back(std::move(package));
}

void TQzDesignerHost::UnloadPackages() {
    QString failure;
    while (!FPackages.empty()) {
        std::unique_ptr<LoadedPackage> package = std::move(FPackages.back());
        FPackages.pop_back();
        try {
            package->Final();
        } catch (const std::exception& e) {
            if (failure.isEmpty())
                failure = QStringLiteral("The package %1 failed to unload: %2")
                              .arg(package->Name, messageOf(e));
        }
        UnregisterModule(package->Name);
        package->Library->unload();
    }
    if (!failure.isEmpty())
        QzExcept(failure);
}

QStringList TQzDesignerHost::LoadedPackages() const {
    QStringList names;
    for (const auto& package : FPackages)
        names << package->Name;
    return names;
}

// ---------------------------------------------------------------------------------------------
// Projects

void TQzDesignerHost::OpenProject(const QString& dprFileName) {
    auto project = std::make_unique<TQzProjectFile>(TQzProjectFile::Load(dprFileName));
    CloseProject();
    FProject = std::move(project);
    auto projectModule = std::make_unique<TQzProjectModule>(*FProject);
    auto group = std::make_unique<TQzProjectGroupModule>(projectModule.get());
    FProjectModule = projectModule.get();
    FGroupModule = group.get();
    FModules.insert(FModules.begin(), std::move(projectModule));
    FModules.insert(FModules.begin(), std::move(group));
    // The project's forms find their file-stored packages beside the project.
    QzSetAppPath(QFileInfo(FProject->FileName).absolutePath());
    Q_EMIT ProjectOpened();
}

void TQzDesignerHost::CloseProject() {
    if (!FProject)
        return;
    for (std::size_t i = FModules.size(); i-- > 0;)
        if (FModules[i].get() != FGroupModule && FModules[i].get() != FProjectModule)
            closeModule(i);
    FModules.clear();
    FGroupModule = nullptr;
    FProjectModule = nullptr;
    FProject.reset();
    QzSetAppPath(QString());
    Q_EMIT ProjectClosed();
}

const TQzProjectFile* TQzDesignerHost::Project() const {
    return FProject.get();
}

IOTAProject* TQzDesignerHost::ActiveProject() const {
    return FProjectModule;
}

IOTAProjectGroup* TQzDesignerHost::ProjectGroup() const {
    return FGroupModule;
}

// ---------------------------------------------------------------------------------------------
// Units and forms

TQzUnitModule* TQzDesignerHost::findUnit(const QString& unitFileName) const {
    for (const auto& module : FModules)
        if (auto* unit = dynamic_cast<TQzUnitModule*>(module.get());
            unit && unit->FileName() == unitFileName)
            return unit;
    return nullptr;
}

TQzUnitModule* TQzDesignerHost::addUnit(const QString& unitFileName) {
    FModules.push_back(std::make_unique<TQzUnitModule>(this, unitFileName));
    return static_cast<TQzUnitModule*>(FModules.back().get());
}

void TQzDesignerHost::closeDesigner(TQzUnitModule* module) {
    if (!module->Designer())
        return;
    TQzFormDesigner* designer = module->Designer();
    Q_EMIT FormClosing(designer);
    NotifyDesignerClosed(designer);
    module->TakeDesigner();
}

void TQzDesignerHost::closeModule(std::size_t index) {
    auto* unit = dynamic_cast<TQzUnitModule*>(FModules[index].get());
    if (unit)
        closeDesigner(unit);
    FModules.erase(FModules.begin() + std::ptrdiff_t(index));
}

TQzFormDesigner* TQzDesignerHost::OpenForm(const QString& fileName) {
    const QString unitFile = formUnitFileOf(fileName);
    TQzUnitModule* module = findUnit(unitFile);
    if (module && module->Designer())
        return module->Designer();
    auto designer = std::make_unique<TQzFormDesigner>(this, unitFile);
    if (!module)
        module = addUnit(unitFile);
    TQzFormDesigner* opened = designer.get();
    module->ShowDesigner(std::move(designer));
    Q_EMIT FormOpened(opened);
    return opened;
}

void TQzDesignerHost::OpenFormAsText(const QString& fileName) {
    const QString unitFile = formUnitFileOf(fileName);
    const QString formFile = QzChangeFileExt(unitFile, QStringLiteral(".dfm"));
    QFile file(formFile);
    if (!file.open(QIODevice::ReadOnly))
        QzExcept(QStringLiteral("Cannot open the form %1: %2").arg(formFile, file.errorString()));
    QString text;
    try {
        text = QString::fromUtf8(FormFileToText(file.readAll()));
    } catch (const Exception& e) {
        QzExcept(QStringLiteral("Cannot read the form %1: %2").arg(formFile, e.Message()));
    }
    TQzUnitModule* module = findUnit(unitFile);
    if (!module)
        module = addUnit(unitFile);
    closeDesigner(module);
    module->ShowFormText(text);
}

void TQzDesignerHost::OpenUnit(const QString& fileName) {
    const QString unitFile = unitFileOf(fileName);
    if (findUnit(unitFile))
        return;
    const QString text = QzReadUnitText(unitFile);
    addUnit(unitFile)->ShowSource(text);
}

TQzFormDesigner* TQzDesignerHost::FindFormDesigner(const QString& fileName) const {
    TQzUnitModule* module = findUnit(unitFileOf(fileName));
    return module ? module->Designer() : nullptr;
}

QList<TQzFormDesigner*> TQzDesignerHost::FormDesigners() const {
    QList<TQzFormDesigner*> designers;
    for (const auto& module : FModules)
        if (auto* unit = dynamic_cast<TQzUnitModule*>(module.get()); unit && unit->Designer())
            designers << unit->Designer();
    return designers;
}

bool TQzDesignerHost::CloseUnit(const QString& fileName) {
    TQzUnitModule* module = findUnit(unitFileOf(fileName));
    if (!module)
        return false;
    for (std::size_t i = 0; i < FModules.size(); ++i)
        if (FModules[i].get() == module) {
            closeModule(i);
            break;
        }
    return true;
}

void TQzDesignerHost::SaveAll() {
    for (TQzFormDesigner* designer : FormDesigners())
        if (designer->IsModified())
            designer->Save();
}

// ---------------------------------------------------------------------------------------------
// Module services

IOTAModuleServices* TQzDesignerHost::ModuleServices() {
    return this;
}

int TQzDesignerHost::ModuleCount() const {
    return int(FModules.size());
}

IOTAModule* TQzDesignerHost::Modules(int index) const {
    return index >= 0 && index < ModuleCount() ? FModules[std::size_t(index)]->Interface()
                                               : nullptr;
}

IOTAModule* TQzDesignerHost::FindModule(const QString& fileName) const {
    const QString wanted = QzAbsoluteFileName(fileName);
    if (wanted.isEmpty())
        return nullptr;
    for (const auto& module : FModules) {
        IOTAModule* m = module->Interface();
        if (m->FileName() == wanted)
            return m;
    }
    // A unit is found by its form file too.
    if (wanted.endsWith(QStringLiteral(".dfm"), Qt::CaseInsensitive))
        return findUnit(unitFileOf(wanted));
    return nullptr;
}
