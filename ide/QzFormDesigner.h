#pragma once

// The designer of one designed form: its root component read from the unit's form file with the
// designing flag set, the selection, the event handlers and component fields kept in the unit's
// source text, the undo stack, and saving. It is the IDesigner the root component carries.
//
// Every change reaches the designer through Modified, whoever made it (the surface, the object
// inspector, a property or component editor, a design window). The designer records the form's
// text and the unit's text after each change as one step of its undo stack: the changes made
// while a change is open (BeginChange .. EndChange) make one step, and so do those made in one
// pass of the event loop otherwise. Undo and redo read the form back from its recorded text, so
// every component is then a new object: views let go of the old ones on RootReplaced.

#include "DesignIntf.h"
#include "ObjectStreams.h"
#include "TextEncoding.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

class QUndoStack;
class TQzDesignerHost;

// What an undo step returns to.
struct TQzDesignState {
    QByteArray Form;
    QString Unit;
    // The selected objects by their name paths ("SbMain.Panels[1]").
    QStringList Selection;
};

class TQzFormDesigner : public QObject, public IDesigner {
    Q_OBJECT
public:
    // Reads the form file beside `unitFileName` (".pas" -> ".dfm", text, binary or resource) and
    // the unit's text (empty when the unit file is missing). Raises when the form cannot be
    // read, having created nothing.
    TQzFormDesigner(TQzDesignerHost* host, const QString& unitFileName);
    ~TQzFormDesigner() override;

    TQzDesignerHost* Host() const { return FHost; }
    QString UnitFileName() const { return FUnitFileName; }
    QString FormFileName() const;
    // How the form file was stored when it was read; Save keeps it.
    TFormFileFormat StoredFormat() const { return FFormat; }
    // The unit's source text with the changes made so far.
    QString UnitText() const { return FUnitText; }
    // Whether the form or its unit differ from what was last saved.
    bool IsModified() const;
    // The handler the source editor shows last (ShowMethod); empty at first.
    QString ShownMethod() const { return FShownMethod; }
    // The form's class as its form file and unit name it ("TFrmMain"); the root component is an
    // instance of the nearest registered class.
    QString FormClassName() const { return FClassName; }
    // The form as Save writes it, in text.
    QByteArray FormText() const;

    // Writes the form file (in its stored format) and the unit text (in the encoding it was read
    // in), through temporary files; the undo stack's clean state moves here. Raises when a file
    // cannot be written.
    void Save();

    // Deletes `components` (and what they own or parent) from the form; the root is never
    // deleted. Marks the form modified.
    void DeleteComponents(const QList<TComponent*>& components);
    void DeleteSelection();
    // The components whose visual parent is `parent` (the root for the top level) in z-order,
    // then the root's non-visual components when `parent` is the root.
    QList<TComponent*> ChildrenOf(TComponent* parent) const;

    // ---- Undo
    QUndoStack* UndoStack() const { return FUndo; }
    // Opens a change: what is modified until the matching EndChange becomes one undo step
    // named `label` ("Move"). Changes may nest; the outermost names the step. Steps with the
    // same `mergeKey` (not -1) that follow each other become one (a control nudged by keys).
    void BeginChange(const QString& label, int mergeKey = -1);
    void EndChange();
    bool IsChanging() const { return FChangeDepth > 0; }
    // Records what changed since the last step now instead of from the event loop.
    void CommitChanges();
    bool CanUndo();
    bool CanRedo();
    // Go back or forward one step; nothing while a change is open. Raises when the recorded
    // form cannot be read back.
    void Undo();
    void Redo();

    // The object of the form with that name path (a component's name, "SbMain.Panels[1]",
    // "LbTitle.Font"); none when there is none.
    TPersistent* FindByNamePath(const QString& path);

    // IDesigner
    void Modified() override;
    TMethod CreateMethod(const QString& name, QMetaType eventType) override;
    QString GetMethodName(const TMethod& method) override;
    bool MethodExists(const QString& name) override;
    void GetMethods(QMetaType eventType, const TGetStrProc& proc) override;
    void ShowMethod(const QString& name) override;
    void SelectComponent(TPersistent* instance) override;
    void SetSelections(const QList<TPersistent*>& selection) override;
    QList<TPersistent*> GetSelections() override;
    void GetComponentNames(const QMetaObject* classType, const TGetStrProc& proc) override;
    TComponent* GetComponent(const QString& name) override;
    QString GetComponentName(TComponent* component) override;
    TComponent* GetRoot() override;
    TComponent* CreateComponent(TClass componentClass, TComponent* parent, int left, int top,
                                int width, int height) override;
    QString UniqueName(const QString& baseName) override;

Q_SIGNALS:
    // The design changed (Modified was called, or a step was undone or redone).
    void DesignModified();
    void SelectionChanged(const QList<TPersistent*>& selection);
    // ShowMethod asked the source editor to show `name`.
    void MethodShown(const QString& name);
    // Undo or redo made a new root; the old one and its components are freed when this returns.
    void RootReplaced();

private:
    friend class TQzDesignCommand;

    // A component of the form with a field in the unit, as it was at the last step.
    struct TQzFieldOf {
        QPointer<TComponent> Component;
        QString Name;
        QString ClassName;
    };

    TQzDesignState currentState();
    QStringList selectionPaths();
    void scheduleCommit();
    // Undo (back) or redo (forward) one step.
    void step(bool forward);
    void commit();
    // Brings the unit's fields and handler names in line with the components.
    void syncUnit();
    void renameHandlers(TComponent* component, const QString& oldName, const QString& newName);
    void rememberFields();
    // Reads `state` back; keeps the old form and returns the reason when that fails.
    QString restore(const TQzDesignState& state);

    TQzDesignerHost* FHost;
    QString FUnitFileName;
    TFormFileFormat FFormat = TFormFileFormat::Text;
    QString FUnitText;
    QString FSavedUnitText;
    TTextEncoding FUnitEncoding = TTextEncoding::Utf8;
    QString FClassName;
    std::unique_ptr<TComponent> FRoot;
    QList<QPointer<TPersistent>> FSelection;
    QString FShownMethod;

    QUndoStack* FUndo;
    TQzDesignState FState;
    std::vector<TQzFieldOf> FFields;
    bool FPending = false;
    bool FCommitQueued = false;
    int FChangeDepth = 0;
    QString FChangeLabel;
    int FMergeKey = -1;
};

// A change open for the life of the object (TQzFormDesigner::BeginChange / EndChange); none
// when the designer is not a form designer.
class TQzDesignChange {
public:
    TQzDesignChange(IDesigner* designer, const QString& label, int mergeKey = -1);
    ~TQzDesignChange();
    TQzDesignChange(const TQzDesignChange&) = delete;
    TQzDesignChange& operator=(const TQzDesignChange&) = delete;

private:
    QPointer<TQzFormDesigner> FDesigner;
};
