#include "DesignWindows.h"

#include "ComponentStreams.h"
#include "Controls.h"
#include "TextForm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

QList<TDesignWindow*>& windows() {
    static QList<TDesignWindow*> list;
    return list;
}

const QString componentsMime = QStringLiteral("application/x-qz-components");

// The objects of `tree` named in `names`, outermost only (a selected child travels inside its
// selected parent anyway).
void collect(const TFormObject& tree, const QStringList& names, std::vector<TFormObject>& out) {
    for (const TFormObject& child : tree.Children) {
        if (names.contains(child.Name, Qt::CaseInsensitive))
            out.push_back(child);
        else
            collect(child, names, out);
    }
}

} // namespace

TDesignWindow::TDesignWindow(QWidget* parent) : TQzDialog(parent) {
    setModal(false);
    windows().push_back(this);
}

TDesignWindow::~TDesignWindow() {
    windows().removeOne(this);
}

void TDesignWindow::SetDesigner(IDesigner* designer) {
    FDesigner = designer;
}

void TDesignWindow::SetSelection(const QList<TPersistent*>& components) {
    if (FDesigner)
        FDesigner->SetSelections(components);
}

void TDesignWindow::ItemsModified(IDesigner*) {}

void TDesignWindow::SelectionChanged(IDesigner*, const QList<TPersistent*>&) {}

void TDesignWindow::DesignerClosed(IDesigner* designer) {
    if (designer == FDesigner) {
        FDesigner = nullptr;
        close();
    }
}

void TDesignWindow::EditAction(TEditAction) {}

TDesignWindow::TEditState TDesignWindow::GetEditState() {
    return 0;
}

void TDesignWindow::CopyComponents(TComponent* root, const QList<TComponent*>& components) {
    QStringList names;
    for (TComponent* component : components)
        names << component->Name();
    TFormObject clip;
    clip.ClassName = QStringLiteral("TForm");
    collect(ComponentToFormObject(root), names, clip.Children);
    const QByteArray text = WriteTextForm(clip);
    auto* mime = new QMimeData;
    mime->setData(componentsMime, text);
    mime->setText(QString::fromUtf8(text));
    QGuiApplication::clipboard()->setMimeData(mime);
}

bool TDesignWindow::ClipboardComponents() {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime && mime->hasFormat(componentsMime);
}

QList<TComponent*> TDesignWindow::PasteComponents(TComponent* owner, TComponent* parent) {
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (!mime || !mime->hasFormat(componentsMime))
        return {};
    // Read into a scratch form first, so a refused text creates nothing on the real one.
    TForm scratch;
    ReadComponent(ReadTextForm(mime->data(componentsMime)), &scratch);
    const std::vector<TComponent*> pasted = scratch.ComponentList();
    IDesigner* designer = DesignerOf(owner);
    auto* parentControl = qobject_cast<TWinControl*>(parent ? parent : owner);
    QList<TComponent*> result;
    for (TComponent* component : pasted) {
        auto* control = qobject_cast<TControl*>(component);
        const bool topLevel = !control || control->Parent() == &scratch;
        scratch.RemoveComponent(component);
        if (owner->FindComponent(component->Name()))
            component->SetName(designer ? designer->UniqueName(component->ClassName()) : QString());
        owner->InsertComponent(component);
        if (owner->IsDesigning())
            component->SetDesigning(true, false);
        if (control && topLevel)
            control->SetParent(parentControl);
        if (topLevel)
            result << component;
    }
    return result;
}

void NotifyItemsModified(IDesigner* designer) {
    for (TDesignWindow* window : QList<TDesignWindow*>(windows()))
        window->ItemsModified(designer);
}

void NotifySelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection) {
    for (TDesignWindow* window : QList<TDesignWindow*>(windows()))
        window->SelectionChanged(designer, selection);
}

void NotifyDesignerClosed(IDesigner* designer) {
    for (TDesignWindow* window : QList<TDesignWindow*>(windows()))
        window->DesignerClosed(designer);
}

QList<TDesignWindow*> DesignWindows() {
    return windows();
}
