#include "DesignWindows.h"

#include "ComponentStreams.h"
#include "Controls.h"
#include "TextForm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QSet>

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
        if (!child.Name.isEmpty() && names.contains(child.Name, Qt::CaseInsensitive))
            out.push_back(child);
        else
            collect(child, names, out);
    }
}

// The class name without its leading "T" and the first number no component of `owner` has.
QString freeName(const TComponent* owner, const QString& className) {
    const QString base =
        className.size() > 1 && className.startsWith(u'T') ? className.mid(1) : className;
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n);
        if (!owner->FindComponent(name) && !SameText(owner->Name(), name))
            return name;
    }
}

// A pasted component's handlers that the target form's unit does not have are unbound: the form
// would otherwise name methods that do not exist. Sub-objects and collection items included.
void dropMissingHandlers(QObject* object, IDesigner* designer, QSet<QObject*>& seen) {
    if (!object || seen.contains(object))
        return;
    seen.insert(object);
    const QMetaObject* meta = object->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        const QMetaType type = prop.metaType();
        if (IsEventType(type)) {
            QVariant method = prop.read(object);
            if (!method.convert(QMetaType::fromType<TMethod>()))
                continue;
            const QString name = method.value<TMethod>().Name;
            if (name.isEmpty() || designer->MethodExists(name))
                continue;
            QVariant none = QVariant::fromValue(TMethod{});
            if (none.convert(type))
                prop.write(object, none);
            continue;
        }
        if (!(type.flags() & QMetaType::PointerToQObject))
            continue;
        QObject* held = prop.read(object).value<QObject*>();
        auto* component = qobject_cast<TComponent*>(held);
        // References to other components are theirs to clean; parts of this one are walked.
        if (component && !(component->ComponentState() & csSubComponent))
            continue;
        if (auto* collection = qobject_cast<TCollection*>(held))
            for (int item = 0; item < collection->Count(); ++item)
                dropMissingHandlers(collection->Items(item), designer, seen);
        else if (held && held->parent() == object)
            dropMissingHandlers(held, designer, seen);
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

void TDesignWindow::FormReplaced(IDesigner* designer, TComponent*, TComponent*) {
    DesignerClosed(designer);
}

TComponent* TDesignWindow::CounterpartOf(const TComponent* old, const TComponent* oldRoot,
                                         TComponent* newRoot) {
    if (!old || !oldRoot || !newRoot)
        return nullptr;
    TComponent* found = old == oldRoot            ? newRoot
                        : old->Owner() == oldRoot ? newRoot->FindComponent(old->Name())
                                                  : nullptr;
    return found && found->metaObject() == old->metaObject() ? found : nullptr;
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
    // Controls go into a windowed control: the parent asked for, or the one around it.
    TComponent* target = parent ? parent : owner;
    while (target && !qobject_cast<TWinControl*>(target)) {
        auto* inner = qobject_cast<TControl*>(target);
        target = inner ? inner->Parent() : nullptr;
    }
    auto* parentControl = qobject_cast<TWinControl*>(target ? target : owner);
    QList<TComponent*> result;
    QSet<QObject*> walked;
    // The scratch form is on its way out: its components leave it without the removal notices
    // that would make their siblings drop their references to each other.
    scratch.SetState(csDestroying);
    for (TComponent* component : pasted) {
        auto* control = qobject_cast<TControl*>(component);
        const bool topLevel = !control || control->Parent() == &scratch;
        scratch.RemoveComponent(component);
        if (owner->FindComponent(component->Name()) || SameText(owner->Name(), component->Name()))
            component->SetName(designer ? designer->UniqueName(component->ClassName())
                                        : freeName(owner, component->ClassName()));
        if (designer)
            dropMissingHandlers(component, designer, walked);
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

namespace {

// A window may free itself or another one while it is told; those freed are skipped.
template <typename F>
void notifyAll(F&& tell) {
    for (TDesignWindow* window : QList<TDesignWindow*>(windows()))
        if (windows().contains(window))
            tell(window);
}

} // namespace

void NotifyItemsModified(IDesigner* designer) {
    notifyAll([&](TDesignWindow* window) { window->ItemsModified(designer); });
}

void NotifySelectionChanged(IDesigner* designer, const QList<TPersistent*>& selection) {
    notifyAll([&](TDesignWindow* window) { window->SelectionChanged(designer, selection); });
}

void NotifyDesignerClosed(IDesigner* designer) {
    notifyAll([&](TDesignWindow* window) { window->DesignerClosed(designer); });
}

void NotifyFormReplaced(IDesigner* designer, TComponent* oldRoot, TComponent* newRoot) {
    notifyAll([&](TDesignWindow* window) { window->FormReplaced(designer, oldRoot, newRoot); });
}

QList<TDesignWindow*> DesignWindows() {
    return windows();
}
