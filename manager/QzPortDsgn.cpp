#include "manager/QzPortDsgn.h"

#include "Classes.h"
#include "ComponentStreams.h"
#include "DesignIntf.h"
#include "SysUtils.h"
#include "ToolsAPI.h"

#include <QBuffer>
#include <QFile>
#include <source_location>

namespace {

void check(bool condition, std::source_location where = std::source_location::current()) {
    if (!condition)
        throw EAssertionFailed(
            QStringLiteral("Assertion failure (QzPortDsgn.cpp, line %1)").arg(where.line()));
}

QString changeFileExt(const QString& fileName, const QString& ext) {
    const qsizetype slash = fileName.lastIndexOf(u'/');
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return (dot > slash ? fileName.left(dot) : fileName) + ext;
}

QString extractFileExt(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(u'/');
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot > slash ? fileName.mid(dot) : QString();
}

IOTAModuleServices* moduleServices() {
    IOTAModuleServices* services = IDEServices->ModuleServices();
    check(services != nullptr);
    return services;
}

IOTAProjectGroup* projectGroup() {
    IOTAModuleServices* services = moduleServices();
    IOTAProjectGroup* group = nullptr;
    for (int i = 0; i < services->ModuleCount() && !group; ++i)
        group = dynamic_cast<IOTAProjectGroup*>(services->Modules(i));
    check(group != nullptr);
    return group;
}

IOTAProject* currentProject() {
    if (!IDEServices)
        return nullptr;
    IOTAProjectGroup* group = projectGroup();
    return group ? group->ActiveProject() : nullptr;
}

// The open module of the unit `fileName` (unit or form file name); none outside the IDE.
IOTAModule* openModule(const QString& fileName) {
    if (!IDEServices)
        return nullptr;
    return moduleServices()->FindModule(changeFileExt(fileName, QStringLiteral(".pas")));
}

IOTAFormEditor* formEditorOf(IOTAModule* module) {
    IOTAFormEditor* formEditor = nullptr;
    for (int i = 0; i < module->GetModuleFileCount(); ++i) {
        if (auto* editor = dynamic_cast<IOTAFormEditor*>(module->GetModuleFileEditor(i))) {
            check(formEditor == nullptr);
            formEditor = editor;
        }
    }
    return formEditor;
}

TComponent* liveRoot(IOTAFormEditor* formEditor) {
    IOTAComponent* root = formEditor->GetRootComponent();
    return root ? root->GetComponentHandle() : nullptr;
}

// Every object line of the text must carry a name for the Manager to find it.
void nameUnnamedComponents(TComponent* root) {
    IDesigner* designer = DesignerOf(root);
    if (!designer)
        return;
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent* component = root->Components(i);
        if (component->Name().trimmed().isEmpty())
            component->SetName(designer->UniqueName(component->ClassName()));
    }
}

TFormFileText designFormToText(TComponent* root) {
    QBuffer binary;
    binary.open(QIODevice::WriteOnly);
    WriteComponent(binary, root);
    return TFormFileText::FromBytes(binary.data());
}

// Every stored form is read: a bare object stream, as other tools write it, is binary too.
bool formFileToText(const QString& fileName, TFormFileText& text) {
    const QString formFile = changeFileExt(fileName, QStringLiteral(".dfm"));
    if (!QFile::exists(formFile))
        return false;
    text = TFormFileText::FromFile(formFile);
    return true;
}

} // namespace

QString QzGetProjectName() {
    IOTAProject* project = currentProject();
    return project ? project->FileName() : QString();
}

int QzGetModuleCount() {
    IOTAProject* project = currentProject();
    return project ? project->GetModuleCount() : 0;
}

int QzGetFormCount() {
    IOTAProject* project = currentProject();
    int count = 0;
    for (int i = 0; project && i < project->GetModuleCount(); ++i)
        if (!project->GetModule(i)->FormName().isEmpty())
            ++count;
    return count;
}

void QzGetFormNames(QStringList& list) {
    IOTAProject* project = currentProject();
    for (int i = 0; project && i < project->GetModuleCount(); ++i) {
        IOTAModuleInfo* info = project->GetModule(i);
        if (!info->FormName().isEmpty())
            list << changeFileExt(info->FileName(), QStringLiteral(".dfm"));
    }
}

bool QzHostFormToFormText(const QString& fileName, TFormFileText& text) {
    IOTAModule* module = openModule(fileName);
    if (!module)
        return formFileToText(fileName, text);

    if (IOTAFormEditor* formEditor = formEditorOf(module)) {
        TComponent* root = liveRoot(formEditor);
        if (!root)
            return false;
        nameUnnamedComponents(root);
        text = designFormToText(root);
        return true;
    }

    // A form open as text in the source editor is read from its file once it is closed.
    for (int i = 0; i < module->GetModuleFileCount(); ++i) {
        auto* source = dynamic_cast<IOTASourceEditor*>(module->GetModuleFileEditor(i));
        if (!source)
            continue;
        if (extractFileExt(source->FileName()).toUpper() != QStringLiteral(".DFM"))
            break;
        // A module that stays open would be found again, over and over.
        if (!source->Module()->CloseModule(false))
            return false;
        return QzHostFormToFormText(fileName, text);
    }
    // Only the unit's source is open: its form file is as current as it gets. Skipping it would
    // hide the form's references from the Manager.
    return formFileToText(fileName, text);
}

bool QzHostFormTextToForm(const TFormFileText& text, const QString& fileName) {
    TFormFileText stored = text;
    if (stored.Format() != TFormFileFormat::Text)
        stored.SetFormat(TFormFileFormat::Resource);
    stored.WriteToFile(fileName);
    return true;
}

TComponent* QzHostDesignForm(const QString& fileName) {
    IOTAModule* module = openModule(fileName);
    IOTAFormEditor* formEditor = module ? formEditorOf(module) : nullptr;
    return formEditor ? liveRoot(formEditor) : nullptr;
}
