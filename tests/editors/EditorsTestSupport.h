#pragma once

// Shared by the editor tests: a form open in the designer, the editors bound as the package
// binds them, and the object inspector's view of a selection.

#include "Controls.h"
#include "DesignRegistry.h"
#include "QzBars.h"
#include "QzButtons.h"
#include "QzContainers.h"
#include "QzEdits.h"
#include "QzFormDesigner.h"
#include "QzGraphicsBase.h"
#include "QzImageControls.h"
#include "QzLabels.h"
#include "QzLists.h"
#include "QzMenus.h"
#include "QzNonVisual.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzPkgVars.h"
#include "QzRuntime.h"
#include "QzSetEditors.h"
#include "editors/QzDataFieldEditors.h"
#include "editors/QzValueListEditors.h"
#include "editors/QzVariantEditors.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

class EditorsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    IDesigner* designer() const;
    TComponent* root() const;
    QString path(const QString& name) const { return FDir.filePath(name); }

    // A new component of the form, as dropped from the palette.
    template <typename T>
    T* add(const QString& name) {
        auto* component = new T(root());
        component->SetName(name);
        component->SetDesigning(true);
        return component;
    }

    // The editors the inspector shows for `selection` (made the designer's selection), by
    // property name.
    std::map<QString, std::unique_ptr<TPropertyEditor>>
    inspect(const QList<TPersistent*>& selection);
    // The inspector's editor of `property` for `selection`; none when the inspector does not
    // show it.
    std::unique_ptr<TPropertyEditor> editorOf(const QList<TPersistent*>& selection,
                                              const QString& property);
    // The editor's name and class, as the inspector lists them.
    static QString editorClass(TPropertyEditor* editor);
    // What the editor offers, in order.
    static QStringList valuesOf(TPropertyEditor* editor);
    // How often the design was reported modified since the test began.
    int modifiedCount() const { return FModified; }

private:
    QTemporaryDir FDir;
    std::unique_ptr<TQzFormDesigner> FDesigner;
    int FModified = 0;
};
