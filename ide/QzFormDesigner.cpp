#include "QzFormDesigner.h"

#include "ComponentStreams.h"
#include "Controls.h"
#include "DesignWindows.h"
#include "FileWrite.h"
#include "QzExcept.h"
#include "QzHostModules.h"
#include "QzProjectFile.h"
#include "QzProjectForms.h"
#include "QzUnitSource.h"
#include "TextForm.h"

#include <QFile>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr int UndoLimit = 256;

QByteArray readFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        QzExcept(QStringLiteral("Cannot open %1: %2").arg(fileName, file.errorString()));
    return file.readAll();
}

// Where a new control goes when nobody says: the first free step of a diagonal, so that
// controls dropped one after another do not hide each other.
int defaultPosition(const TWinControl* parent) {
    int at = 8;
    const auto taken = [&](int p) {
        if (!parent)
            return false;
        for (const TControl* c : parent->ControlList())
            if (c->Left() == p && c->Top() == p)
                return true;
        return false;
    };
    while (taken(at))
        at += 8;
    return at;
}

bool ownedWithin(const TComponent* component, const TComponent* root) {
    for (const TComponent* c = component; c; c = c->Owner())
        if (c->Owner() == root)
            return true;
    return false;
}

// The components that have a field in the form's unit: the named ones the root owns itself.
QList<TComponent*> fieldComponents(TComponent* root) {
    QList<TComponent*> components;
    for (TComponent* c : root->ComponentList())
        if (!c->Name().isEmpty() && !(c->ComponentState() & csSubComponent))
            components << c;
    return components;
}

// Calls `f` with every component of the form, the root first, and each event property it has.
void forEachEvent(TComponent* root,
                  const std::function<void(TComponent*, const QMetaProperty&)>& f) {
    const std::function<void(TComponent*)> visit = [&](TComponent* c) {
        const QMetaObject* meta = c->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i)
            if (IsEventType(meta->property(i).metaType()))
                f(c, meta->property(i));
        for (TComponent* owned : c->ComponentList())
            visit(owned);
    };
    visit(root);
}

QString methodNameOf(const QVariant& value) {
    QVariant converted = value;
    return converted.convert(QMetaType::fromType<TMethod>()) ? converted.value<TMethod>().Name
                                                             : QString();
}

} // namespace

// ---------------------------------------------------------------------------------------------
// An undo step: the design before and after it.

class TQzDesignCommand : public QUndoCommand {
public:
    TQzDesignCommand(TQzFormDesigner* designer, TQzDesignState before, TQzDesignState after,
                     const QString& label, int mergeKey)
        : QUndoCommand(label), FDesigner(designer), FBefore(std::move(before)),
          FAfter(std::move(after)), FMergeKey(mergeKey) {}

    int id() const override { return FMergeKey; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const TQzDesignCommand*>(other);
        if (next->text() != text())
            return false;
        FAfter = next->FAfter;
        return true;
    }
    // The first redo is the push: the design is in that state already.
    void redo() override {
        if (std::exchange(FPushed, false))
            return;
        Failure = FDesigner->restore(FAfter);
    }
    void undo() override { Failure = FDesigner->restore(FBefore); }

    QString Failure;

private:
    TQzFormDesigner* FDesigner;
    TQzDesignState FBefore;
    TQzDesignState FAfter;
    int FMergeKey;
    bool FPushed = true;
};

// ---------------------------------------------------------------------------------------------

TQzFormDesigner::TQzFormDesigner(TQzDesignerHost* host, const QString& unitFileName)
    : FHost(host),
      FUnitFileName(QzChangeFileExt(QzAbsoluteFileName(unitFileName), QStringLiteral(".pas"))),
      FUndo(new QUndoStack(this)) {
    const QString formFile = FormFileName();
    const QByteArray data = readFile(formFile);
    FFormat = DetectFormFileFormat(data);
    if (FFormat == TFormFileFormat::Unknown)
        QzExcept(QStringLiteral("%1 is not a form file").arg(formFile));
    if (QFile::exists(FUnitFileName))
        FUnitText = QzReadUnitText(FUnitFileName, &FUnitEncoding);
    FSavedUnitText = FUnitText;
    try {
        FRoot = QzReadFormRoot(data, FUnitText, true);
        FClassName = FRoot->StreamedClassName();
    } catch (const Exception& e) {
        QzExcept(QStringLiteral("Cannot read the form %1: %2").arg(formFile, e.Message()));
    }
    FRoot->SetDesigning(true);
    SetDesignerOf(FRoot.get(), this);
    FUndo->setUndoLimit(UndoLimit);
    FState = currentState();
    rememberFields();
}

TQzFormDesigner::~TQzFormDesigner() {
    // What the root's components do while they are freed must not reach a half-destroyed
    // designer.
    SetDesignerOf(FRoot.get(), nullptr);
    FRoot.reset();
}

QString TQzFormDesigner::FormFileName() const {
    return QzChangeFileExt(FUnitFileName, QStringLiteral(".dfm"));
}

QByteArray TQzFormDesigner::FormText() const {
    return WriteTextForm(ComponentToFormObject(FRoot.get()));
}

bool TQzFormDesigner::IsModified() const {
    return FPending || !FUndo->isClean() || FUnitText != FSavedUnitText;
}

void TQzFormDesigner::Save() {
    CommitChanges();
    WriteFileAtomic(FormFileName(), TextToFormFile(FormText(), FFormat));
    if (FUnitText != FSavedUnitText)
        WriteFileAtomic(FUnitFileName, EncodeText(FUnitText, FUnitEncoding));
    FSavedUnitText = FUnitText;
    FUndo->setClean();
}

void TQzFormDesigner::DeleteComponents(const QList<TComponent*>& components) {
    QList<TComponent*> requested;
    for (TComponent* c : components)
        // A sub-component lives and dies with the component that holds it.
        if (c && c != FRoot.get() && !(c->ComponentState() & csSubComponent) &&
            ownedWithin(c, FRoot.get()))
            requested << c;
    if (requested.isEmpty())
        return;
    // Controls placed inside a deleted control go with it, whoever owns them.
    QList<QPointer<TComponent>> doomed;
    for (TComponent* c : requested)
        doomed << c;
    for (TComponent* c : FRoot->ComponentList()) {
        auto* control = qobject_cast<TControl*>(c);
        if (!control || requested.contains(c))
            continue;
        for (TComponent* d : requested)
            if (auto* window = qobject_cast<TWinControl*>(d);
                window && window->ContainsControl(control)) {
                doomed << c;
                break;
            }
    }
    const int selected = int(GetSelections().size());
    // Innermost first; an owner frees what it owns, so some may be gone already.
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        delete it->data();
    if (GetSelections().size() != selected)
        SetSelections(GetSelections());
    Modified();
}

void TQzFormDesigner::DeleteSelection() {
    QList<TComponent*> components;
    for (TPersistent* p : GetSelections())
        if (auto* c = qobject_cast<TComponent*>(p))
            components << c;
    DeleteComponents(components);
}

QList<TComponent*> TQzFormDesigner::ChildrenOf(TComponent* parent) const {
    QList<TComponent*> children;
    if (auto* window = qobject_cast<TWinControl*>(parent))
        for (TControl* c : window->ControlList())
            children << c;
    if (parent == FRoot.get())
        for (TComponent* c : FRoot->ComponentList()) {
            auto* control = qobject_cast<TControl*>(c);
            if (!control || !control->Parent())
                children << c;
        }
    return children;
}

// ---------------------------------------------------------------------------------------------
// Steps

TQzDesignState TQzFormDesigner::currentState() {
    return {FormText(), FUnitText, selectionPaths()};
}

QStringList TQzFormDesigner::selectionPaths() {
    QStringList paths;
    for (TPersistent* p : GetSelections())
        paths << p->GetNamePath();
    return paths;
}

TPersistent* TQzFormDesigner::FindByNamePath(const QString& path) {
    static const QRegularExpression segment(QStringLiteral("^(\\w+)(?:\\[(\\d+)\\])?$"));
    const QStringList parts = path.split(u'.');
    TPersistent* object = GetComponent(parts.first());
    for (qsizetype i = 1; object && i < parts.size(); ++i) {
        const QRegularExpressionMatch match = segment.match(parts[i]);
        if (!match.hasMatch())
            return nullptr;
        const QMetaProperty prop = FindPublishedProperty(object->metaObject(), match.captured(1));
        if (!prop.isValid() || !(prop.metaType().flags() & QMetaType::PointerToQObject))
            return nullptr;
        object = qobject_cast<TPersistent*>(prop.read(object).value<QObject*>());
        if (object && match.hasCaptured(2)) {
            auto* collection = qobject_cast<TCollection*>(object);
            const int index = match.captured(2).toInt();
            object = collection && index < collection->Count() ? collection->Items(index) : nullptr;
        }
    }
    return object;
}

void TQzFormDesigner::BeginChange(const QString& label, int mergeKey) {
    if (FChangeDepth++ == 0) {
        // What was modified before belongs to the step before.
        if (FPending)
            commit();
        FChangeLabel = label;
        FMergeKey = mergeKey;
    }
}

void TQzFormDesigner::EndChange() {
    if (FChangeDepth == 0 || --FChangeDepth > 0)
        return;
    if (FPending)
        commit();
    FChangeLabel.clear();
    FMergeKey = -1;
}

void TQzFormDesigner::CommitChanges() {
    if (FPending && FChangeDepth == 0)
        commit();
}

void TQzFormDesigner::scheduleCommit() {
    if (FCommitQueued)
        return;
    FCommitQueued = true;
    QTimer::singleShot(0, this, [this] {
        FCommitQueued = false;
        CommitChanges();
    });
}

void TQzFormDesigner::commit() {
    FPending = false;
    syncUnit();
    TQzDesignState after;
    try {
        after = currentState();
    } catch (const Exception&) {
        // A form that cannot be written cannot be stepped back to either; what came before
        // stays reachable only through the file.
        FUndo->clear();
        return;
    }
    if (after.Form == FState.Form && after.Unit == FState.Unit) {
        FState.Selection = after.Selection;
        return;
    }
    const QString label = FChangeLabel.isEmpty() ? tr("Change") : FChangeLabel;
    FUndo->push(new TQzDesignCommand(this, FState, after, label, FMergeKey));
    FState = std::move(after);
}

bool TQzFormDesigner::CanUndo() {
    CommitChanges();
    return FUndo->canUndo();
}

bool TQzFormDesigner::CanRedo() {
    CommitChanges();
    return FUndo->canRedo();
}

void TQzFormDesigner::Undo() {
    step(false);
}

void TQzFormDesigner::Redo() {
    step(true);
}

void TQzFormDesigner::step(bool forward) {
    if (FChangeDepth > 0)
        return;
    CommitChanges();
    if (!(forward ? FUndo->canRedo() : FUndo->canUndo()))
        return;
    auto* command = static_cast<TQzDesignCommand*>(
        const_cast<QUndoCommand*>(FUndo->command(FUndo->index() - (forward ? 0 : 1))));
    if (forward)
        FUndo->redo();
    else
        FUndo->undo();
    if (!command->Failure.isEmpty())
        QzExcept(std::exchange(command->Failure, QString()));
}

QString TQzFormDesigner::restore(const TQzDesignState& state) {
    std::unique_ptr<TComponent> root;
    try {
        root = QzReadFormRoot(state.Form, state.Unit, true);
    } catch (const Exception& e) {
        return tr("Cannot read the form back: %1").arg(e.Message());
    }
    root->SetDesigning(true);
    // Nothing may keep pointing into the old form: the selection goes, design windows follow
    // their objects into the new form or let go.
    SetSelections({});
    SetDesignerOf(FRoot.get(), nullptr);
    std::swap(FRoot, root);
    SetDesignerOf(FRoot.get(), this);
    FUnitText = state.Unit;
    FState = state;
    rememberFields();
    NotifyFormReplaced(this, root.get(), FRoot.get());
    Q_EMIT RootReplaced();
    root.reset();

    QList<TPersistent*> selection;
    for (const QString& path : state.Selection)
        if (TPersistent* object = FindByNamePath(path))
            selection << object;
    if (selection.isEmpty())
        selection << FRoot.get();
    SetSelections(selection);
    Q_EMIT DesignModified();
    NotifyItemsModified(this);
    return {};
}

// ---------------------------------------------------------------------------------------------
// The unit in step with the form

void TQzFormDesigner::rememberFields() {
    FFields.clear();
    for (TComponent* c : fieldComponents(FRoot.get()))
        FFields.push_back({c, c->Name(), c->ClassName()});
}

void TQzFormDesigner::syncUnit() {
    const QList<TComponent*> now = fieldComponents(FRoot.get());
    if (!QzUnitDeclaresClass(FUnitText, FClassName)) {
        rememberFields();
        return;
    }
    QString unit = FUnitText;
    struct TRename {
        TComponent* Component;
        QString OldName;
        QString NewName;
        QString ClassName;
    };
    std::vector<TRename> renames;
    QList<TComponent*> known;
    for (const TQzFieldOf& field : FFields) {
        TComponent* c = field.Component.data();
        if (!c || !now.contains(c)) {
            unit = QzUnitRemoveField(unit, FClassName, field.Name);
            continue;
        }
        known << c;
        if (c->Name() != field.Name)
            renames.push_back({c, field.Name, c->Name(), c->ClassName()});
    }
    // In two passes through names of their own, so that two components may swap names.
    for (std::size_t i = 0; i < renames.size(); ++i)
        unit = QzUnitRenameField(unit, FClassName, renames[i].OldName,
                                 QStringLiteral("QzRenaming%1").arg(i), renames[i].ClassName);
    for (std::size_t i = 0; i < renames.size(); ++i)
        unit = QzUnitRenameField(unit, FClassName, QStringLiteral("QzRenaming%1").arg(i),
                                 renames[i].NewName, renames[i].ClassName);
    try {
        for (TComponent* c : now)
            if (!known.contains(c))
                unit = QzUnitAddField(unit, FClassName, c->Name(), c->ClassName());
    } catch (const EQzError&) {
        // A class the unit's reader cannot follow takes no new fields; the form keeps its
        // components and the unit stays as it was written.
        rememberFields();
        return;
    }
    FUnitText = unit;
    for (const TRename& rename : renames)
        renameHandlers(rename.Component, rename.OldName, rename.NewName);
    rememberFields();
}

// Handlers named after the component ("Button1Click") follow its new name, in the unit and in
// every event of the form bound to them.
void TQzFormDesigner::renameHandlers(TComponent* component, const QString& oldName,
                                     const QString& newName) {
    const QMetaObject* meta = component->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty prop = meta->property(i);
        if (!IsEventType(prop.metaType()))
            continue;
        QString event = QString::fromLatin1(prop.name());
        if (event.startsWith(u"On"))
            event = event.mid(2);
        const QString handler = methodNameOf(prop.read(component));
        if (handler.compare(oldName + event, Qt::CaseInsensitive) != 0 || !MethodExists(handler))
            continue;
        const QString renamed = newName + event;
        if (MethodExists(renamed))
            continue;
        FUnitText = QzUnitRenameMethod(FUnitText, FClassName, handler, renamed);
        forEachEvent(FRoot.get(), [&](TComponent* c, const QMetaProperty& p) {
            if (methodNameOf(p.read(c)).compare(handler, Qt::CaseInsensitive) != 0)
                return;
            QVariant value = QVariant::fromValue(TMethod{renamed});
            if (value.convert(p.metaType()))
                p.write(c, value);
        });
    }
}

// ---------------------------------------------------------------------------------------------
// IDesigner

void TQzFormDesigner::Modified() {
    FPending = true;
    Q_EMIT DesignModified();
    NotifyItemsModified(this);
    if (FChangeDepth == 0)
        scheduleCommit();
}

// Every event of the library is a notify event, so handlers get its parameter list whatever
// the event type says.
TMethod TQzFormDesigner::CreateMethod(const QString& name, QMetaType) {
    if (!IsValidIdent(name))
        QzExcept(QStringLiteral("'%1' is not a valid method name").arg(name));
    if (IsReservedWord(name))
        QzExcept(QStringLiteral("'%1' is a reserved word and cannot name a method").arg(name));
    const QString existing = GetMethodName(TMethod{name});
    if (!existing.isEmpty())
        return TMethod{existing};
    // The class declares a field for each component: a method of that name would clash with it.
    if (GetComponent(name))
        QzExcept(QStringLiteral("%1 names a component of the form; an event handler needs a name "
                                "of its own")
                     .arg(name));
    // Declared again in the published part, it would be declared twice.
    for (const TQzUnitMethod& m : QzUnitMethods(FUnitText, FClassName))
        if (SameText(m.Name, name))
            QzExcept(QStringLiteral("%1 is declared in the %2 part of %3; an event handler must "
                                    "be published")
                         .arg(m.Name, m.Visibility, FClassName));
    FUnitText = QzUnitAddMethod(FUnitText, FClassName, name, QStringLiteral("Sender: TObject"));
    FPending = true;
    if (FChangeDepth == 0)
        scheduleCommit();
    return TMethod{name};
}

QString TQzFormDesigner::GetMethodName(const TMethod& method) {
    if (method.Name.isEmpty())
        return {};
    for (const TQzUnitMethod& m : QzUnitPublishedMethods(FUnitText, FClassName))
        if (SameText(m.Name, method.Name))
            return m.Name;
    return {};
}

bool TQzFormDesigner::MethodExists(const QString& name) {
    return !GetMethodName(TMethod{name}).isEmpty();
}

void TQzFormDesigner::GetMethods(QMetaType eventType, const TGetStrProc& proc) {
    const bool notify = eventType == QMetaType::fromType<TNotifyEvent>();
    for (const TQzUnitMethod& m : QzUnitPublishedMethods(FUnitText, FClassName))
        if (!notify || QzIsNotifyParams(m.Params))
            proc(m.Name);
}

void TQzFormDesigner::ShowMethod(const QString& name) {
    FShownMethod = name;
    Q_EMIT MethodShown(name);
}

void TQzFormDesigner::SelectComponent(TPersistent* instance) {
    SetSelections(instance ? QList<TPersistent*>{instance} : QList<TPersistent*>{});
}

void TQzFormDesigner::SetSelections(const QList<TPersistent*>& selection) {
    FSelection.clear();
    for (TPersistent* p : selection)
        if (p && !FSelection.contains(p))
            FSelection << p;
    const QList<TPersistent*> current = GetSelections();
    // Undo brings back the selection a change started from.
    if (!FPending && FChangeDepth == 0)
        FState.Selection = selectionPaths();
    Q_EMIT SelectionChanged(current);
    NotifySelectionChanged(this, current);
}

QList<TPersistent*> TQzFormDesigner::GetSelections() {
    QList<TPersistent*> selection;
    for (const QPointer<TPersistent>& p : FSelection)
        if (p)
            selection << p.data();
    return selection;
}

void TQzFormDesigner::GetComponentNames(const QMetaObject* classType, const TGetStrProc& proc) {
    const auto fits = [&](const TComponent* c) {
        return !c->Name().isEmpty() && (!classType || c->metaObject()->inherits(classType));
    };
    if (fits(FRoot.get()))
        proc(FRoot->Name());
    for (TComponent* c : FRoot->ComponentList())
        if (fits(c))
            proc(c->Name());
}

TComponent* TQzFormDesigner::GetComponent(const QString& name) {
    if (name.isEmpty())
        return nullptr;
    if (SameText(name, FRoot->Name()))
        return FRoot.get();
    return FRoot->FindComponent(name);
}

QString TQzFormDesigner::GetComponentName(TComponent* component) {
    if (!component)
        return {};
    if (component == FRoot.get() || component->Owner() == FRoot.get() || !component->Owner())
        return component->Name();
    // A component of another root, as form files name it.
    return component->Owner()->Name() + u'.' + component->Name();
}

TComponent* TQzFormDesigner::GetRoot() {
    return FRoot.get();
}

TComponent* TQzFormDesigner::CreateComponent(TClass componentClass, TComponent* parent, int left,
                                             int top, int width, int height) {
    if (!componentClass)
        return nullptr;
    std::unique_ptr<TComponent> component(
        CreateComponentByName(componentClass->ClassName(), FRoot.get()));
    component->SetDesigning(true);
    component->SetName(UniqueName(component->ClassName()));
    if (auto* control = qobject_cast<TControl*>(component.get())) {
        // A control sits in a windowed control: the one asked for, the nearest windowed
        // control around it, or the form.
        TComponent* target = parent ? parent : FRoot.get();
        while (target && !qobject_cast<TWinControl*>(target)) {
            auto* inner = qobject_cast<TControl*>(target);
            target = inner ? inner->Parent() : nullptr;
        }
        auto* window = qobject_cast<TWinControl*>(target ? target : FRoot.get());
        control->SetParent(window);
        const int at = defaultPosition(window);
        control->SetBounds(left == -1 ? at : left, top == -1 ? at : top,
                           width == -1 ? control->Width() : width,
                           height == -1 ? control->Height() : height);
    }
    TComponent* created = component.release();
    // Modified first: the selection the step starts from is the one before the component.
    Modified();
    SelectComponent(created);
    return created;
}

QString TQzFormDesigner::UniqueName(const QString& baseName) {
    QString base = baseName;
    if (base.size() > 1 && (base[0] == u'T' || base[0] == u't'))
        base.remove(0, 1);
    if (!IsValidIdent(base))
        base = QStringLiteral("Component");
    // The field the new component gets must not clash with a method of the class either.
    const QList<TQzUnitMethod> methods = QzUnitMethods(FUnitText, FClassName);
    const auto isMethod = [&](const QString& name) {
        return std::any_of(methods.begin(), methods.end(),
                           [&](const TQzUnitMethod& m) { return SameText(m.Name, name); });
    };
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n);
        if (!GetComponent(name) && !isMethod(name))
            return name;
    }
}

// ---------------------------------------------------------------------------------------------

TQzDesignChange::TQzDesignChange(IDesigner* designer, const QString& label, int mergeKey)
    : FDesigner(dynamic_cast<TQzFormDesigner*>(designer)) {
    if (FDesigner)
        FDesigner->BeginChange(label, mergeKey);
}

TQzDesignChange::~TQzDesignChange() {
    if (FDesigner)
        FDesigner->EndChange();
}
