#include "manager/QzPortDsgn.h"

#include "Classes.h"
#include "ComponentStreams.h"
#include "DesignIntf.h"
#include "FileWrite.h"
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

// Lines of a text as a string list reads them: a line ends at CR, LF or CR LF, and a final line
// break adds no empty line.
QStringList textToLines(const QByteArray& data) {
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QByteArray linesToText(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + '\n';
    return text;
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

QStringList designFormToText(TComponent* root, TStreamOriginalFormat& format) {
    QBuffer binary;
    binary.open(QIODevice::ReadWrite);
    WriteComponent(binary, root);
    binary.seek(0);
    QBuffer text;
    text.open(QIODevice::ReadWrite);
    ObjectBinaryToText(binary, text, format);
    return textToLines(text.data());
}

bool formFileToText(const QString& fileName, QStringList& lines, TStreamOriginalFormat& format) {
    const QString formFile = changeFileExt(fileName, QStringLiteral(".dfm"));
    QFile file(formFile);
    if (!file.exists())
        return false;
    if (!file.open(QIODevice::ReadOnly))
        throw EStreamError(
            QStringLiteral("Cannot open file \"%1\": %2").arg(formFile, file.errorString()));
    const QByteArray head = file.peek(4);
    QBuffer text;
    text.open(QIODevice::ReadWrite);
    switch (DetectFormFileFormat(head)) {
    case TFormFileFormat::Resource:
        ObjectResourceToText(file, text, format);
        lines = textToLines(text.data());
        break;
    // A bare object stream, as other tools write it, is binary too; read as text it would be
    // nothing but noise.
    case TFormFileFormat::Binary:
        ObjectBinaryToText(file, text, format);
        lines = textToLines(text.data());
        break;
    default:
        format = sofText;
        lines = textToLines(file.readAll());
        break;
    }
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

bool QzHostFormToFormText(const QString& fileName, QStringList& lines,
                          TStreamOriginalFormat& format) {
    format = sofUnknown;
    IOTAModule* module = openModule(fileName);
    if (!module)
        return formFileToText(fileName, lines, format);

    if (IOTAFormEditor* formEditor = formEditorOf(module)) {
        TComponent* root = liveRoot(formEditor);
        if (!root)
            return false;
        nameUnnamedComponents(root);
        lines = designFormToText(root, format);
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
        return QzHostFormToFormText(fileName, lines, format);
    }
    // Only the unit's source is open: its form file is as current as it gets. Skipping it would
    // hide the form's references from the Manager.
    return formFileToText(fileName, lines, format);
}

bool QzHostFormTextToForm(const QStringList& lines, const QString& fileName,
                          TStreamOriginalFormat format) {
    QBuffer text;
    text.setData(linesToText(lines));
    text.open(QIODevice::ReadOnly);
    QBuffer resource;
    resource.open(QIODevice::WriteOnly);
    // Converted before the file is touched, so malformed text leaves the form file as it was.
    ObjectTextToResource(text, resource, format, QString());
    WriteFileAtomic(fileName, resource.data());
    return true;
}

TComponent* QzHostDesignForm(const QString& fileName) {
    IOTAModule* module = openModule(fileName);
    IOTAFormEditor* formEditor = module ? formEditorOf(module) : nullptr;
    return formEditor ? liveRoot(formEditor) : nullptr;
}
