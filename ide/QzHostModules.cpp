#include "QzHostModules.h"

#include "QzDesignerHost.h"
#include "QzFormDesigner.h"

#include <QDir>
#include <QFileInfo>

QString QzAbsoluteFileName(const QString& fileName) {
    return fileName.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
}

TQzHostModule::~TQzHostModule() = default;

QString TQzProjectGroupModule::FileName() const {
    return QzChangeFileExt(FProject->FileName(), QStringLiteral(".qzgroup"));
}

IOTAProject* TQzProjectGroupModule::ActiveProject() const {
    return FProject;
}

TQzProjectModule::TQzProjectModule(const TQzProjectFile& project) : FFileName(project.FileName) {
    for (const TQzProjectUnit& unit : project.Units)
        FUnits.push_back(std::make_unique<TQzModuleInfo>(unit));
}

IOTAModuleInfo* TQzProjectModule::GetModule(int index) const {
    return index >= 0 && index < GetModuleCount() ? FUnits[std::size_t(index)].get() : nullptr;
}

TQzComponentHandle::TQzComponentHandle(TComponent* component) : FComponent(component) {}

TComponent* TQzComponentHandle::GetComponentHandle() const {
    return FComponent.data();
}

TQzFormEditor::TQzFormEditor(IOTAModule* module, TQzFormDesigner* designer)
    : FModule(module), FDesigner(designer), FRoot(designer->GetRoot()) {}

QString TQzFormEditor::FileName() const {
    return FDesigner->FormFileName();
}

IOTAComponent* TQzFormEditor::GetRootComponent() {
    // Undo and redo give the form a new root.
    FRoot.SetComponent(FDesigner->GetRoot());
    return FRoot.GetComponentHandle() ? &FRoot : nullptr;
}

void TQzFormEditor::MarkModified() {
    FDesigner->Modified();
}

TQzUnitModule::TQzUnitModule(TQzDesignerHost* host, QString unitFileName)
    : FHost(host), FFileName(std::move(unitFileName)) {}

TQzUnitModule::~TQzUnitModule() = default;

IOTAEditor* TQzUnitModule::GetModuleFileEditor(int index) const {
    return index >= 0 && index < GetModuleFileCount() ? FEditors[std::size_t(index)].get()
                                                      : nullptr;
}

bool TQzUnitModule::CloseModule(bool forceClosed) {
    if (!forceClosed && FDesigner && FDesigner->IsModified())
        return false;
    // This module is freed on the way: nothing of it may be used after.
    const QString fileName = FFileName;
    return FHost->CloseUnit(fileName);
}

void TQzUnitModule::ShowSource(const QString& text) {
    Q_ASSERT(!FDesigner);
    FEditors.clear();
    FText = text;
    FEditors.push_back(
        std::make_unique<TQzSourceEditor>(this, FFileName, [this] { return FText; }));
}

void TQzUnitModule::ShowDesigner(std::unique_ptr<TQzFormDesigner> designer) {
    FEditors.clear();
    FDesigner = std::move(designer);
    FText.clear();
    TQzFormDesigner* d = FDesigner.get();
    FEditors.push_back(
        std::make_unique<TQzSourceEditor>(this, FFileName, [d] { return d->UnitText(); }));
    FEditors.push_back(std::make_unique<TQzFormEditor>(this, d));
}

void TQzUnitModule::ShowFormText(const QString& text) {
    Q_ASSERT(!FDesigner);
    FEditors.clear();
    FText = text;
    FEditors.push_back(std::make_unique<TQzSourceEditor>(
        this, QzChangeFileExt(FFileName, QStringLiteral(".dfm")), [this] { return FText; }));
}

std::unique_ptr<TQzFormDesigner> TQzUnitModule::TakeDesigner() {
    FEditors.clear();
    return std::move(FDesigner);
}
