#pragma once

// The designer of one designed form: its root component read from the unit's form file with the
// designing flag set, the selection, the event handlers kept in the unit's source text, and
// saving. It is the IDesigner the root component carries.

#include "DesignIntf.h"
#include "ObjectStreams.h"
#include "TextEncoding.h"

#include <QObject>
#include <memory>

class TQzDesignerHost;

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
    // The unit's source text with the handlers added so far.
    QString UnitText() const { return FUnitText; }
    bool IsModified() const { return FModified; }
    // The handler the source editor shows last (ShowMethod); empty at first.
    QString ShownMethod() const { return FShownMethod; }
    // The form's class as its form file and unit name it ("TFrmMain"); the root component is an
    // instance of the nearest registered class.
    QString FormClassName() const { return FClassName; }

    // Writes the form file (in its stored format) and the unit text (in the encoding it was read
    // in), through temporary files; clears the modified flag. Raises when a file cannot be
    // written.
    void Save();

    // Deletes `components` (and what they own or parent) from the form; the root is never
    // deleted. Marks the form modified.
    void DeleteComponents(const QList<TComponent*>& components);
    void DeleteSelection();
    // The components whose visual parent is `parent` (the root for the top level) in z-order,
    // then the root's non-visual components when `parent` is the root.
    QList<TComponent*> ChildrenOf(TComponent* parent) const;

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
    // The design changed (Modified was called).
    void DesignModified();
    void SelectionChanged(const QList<TPersistent*>& selection);
    // ShowMethod asked the source editor to show `name`.
    void MethodShown(const QString& name);

private:
    TQzDesignerHost* FHost;
    QString FUnitFileName;
    TFormFileFormat FFormat = TFormFileFormat::Text;
    QString FUnitText;
    TTextEncoding FUnitEncoding = TTextEncoding::Utf8;
    bool FUnitChanged = false;
    QString FClassName;
    std::unique_ptr<TComponent> FRoot;
    QList<QPointer<TPersistent>> FSelection;
    bool FModified = false;
    QString FShownMethod;
};
