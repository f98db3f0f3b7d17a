#pragma once

// The designer as a person meets it: the main window with the design package loaded and a copy
// of the example project open, driven through its widgets. Every message box goes through the
// scripted UI, so one the test did not expect fails it instead of waiting for a click.

#include "Controls.h"
#include "QzDesignerHost.h"
#include "QzDesignerWindow.h"
#include "QzFormDesigner.h"
#include "QzFormSurface.h"
#include "QzObjectInspector.h"
#include "QzScriptedUi.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class DesignerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FDir.isValid());
        const QDir demo(QStringLiteral(QZ_DEMO_DIR));
        for (const QString& name : demo.entryList(QDir::Files))
            ASSERT_TRUE(QFile::copy(demo.filePath(name), FDir.filePath(name)));
        FHost = std::make_unique<TQzDesignerHost>();
        FHost->LoadPackage(QStringLiteral(QZ_DESIGN_PACKAGE));
        FWindow = std::make_unique<TQzDesignerWindow>(FHost.get());
        FWindow->show();
        ASSERT_TRUE(FWindow->OpenProject(FDir.filePath(QStringLiteral("Demo.dpr"))));
        settle();
    }
    void TearDown() override {
        FWindow.reset();
        FHost.reset();
    }

    static void fail(const QString& failure) { ADD_FAILURE() << failure.toStdString(); }
    // Lets queued work (the inspector's refresh, layouts, paints) run.
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    QString path(const QString& name) const { return FDir.filePath(name); }
    QString readText(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    TQzFormDesigner* designer() const { return FWindow->ActiveDesigner(); }
    TQzFormSurface* surface() const { return FWindow->ActiveSurface(); }
    TQzObjectInspector* inspector() const { return FWindow->Inspector(); }
    TComponent* component(const char* name) const {
        return designer()->GetComponent(QString::fromLatin1(name));
    }
    TControl* control(const char* name) const { return qobject_cast<TControl*>(component(name)); }
    TQzFormDesigner* openForm(const char* unit) {
        return FWindow->OpenForm(path(QString::fromLatin1(unit) + QStringLiteral(".pas")));
    }

    // A point of the surface where `c` itself is hit, not something on top of it.
    QPoint spotOf(const TComponent* c) const {
        const QRect rect = surface()->ComponentRect(c);
        for (const QPoint& p : {rect.center(), rect.topLeft() + QPoint(2, 2),
                                rect.bottomRight() - QPoint(2, 2), rect.topRight() + QPoint(-2, 2)})
            if (surface()->ComponentAt(p) == c)
                return p;
        ADD_FAILURE() << "no free spot on " << c->Name().toStdString();
        return rect.center();
    }
    void click(const TComponent* c, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(surface(), Qt::LeftButton, modifiers, spotOf(c));
        settle();
    }
    void drag(const QPoint& from, const QPoint& to) {
        QTest::mousePress(surface(), Qt::LeftButton, {}, from);
        QTest::mouseMove(surface(), (from + to) / 2);
        QTest::mouseMove(surface(), to);
        QTest::mouseRelease(surface(), Qt::LeftButton, {}, to);
        settle();
    }
    QList<TPersistent*> selection() const { return designer()->GetSelections(); }
    // A double-click on a cell of a tree, preceded by the click a person's first press makes.
    static void doubleClickCell(QTreeWidget* tree, QTreeWidgetItem* row, int column) {
        tree->scrollToItem(row);
        const QPoint at(tree->columnViewportPosition(column) + 10,
                        tree->visualItemRect(row).center().y());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        settle();
    }

    // The inspector's row text for a property path; fails when the row is not there.
    QString shownValue(const QString& path) {
        QTreeWidgetItem* row = inspector()->FindRow(path);
        EXPECT_NE(row, nullptr) << path.toStdString();
        return row ? row->text(1) : QString();
    }
    // Makes the row current and gives the widget that edits its value.
    template <typename W>
    W* valueEditor(const QString& path) {
        QTreeWidgetItem* row = inspector()->FindRow(path);
        EXPECT_NE(row, nullptr) << path.toStdString();
        if (!row)
            return nullptr;
        inspector()->Tree()->setCurrentItem(row, 1);
        QWidget* cell = inspector()->ValueEditor();
        return cell ? cell->findChild<W*>() : nullptr;
    }
    // Types `text` over the value of the row and presses Enter, as a person does.
    void typeValue(const QString& path, const QString& text) {
        auto* edit = valueEditor<QLineEdit>(path);
        ASSERT_NE(edit, nullptr) << path.toStdString();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        settle();
    }

    QTemporaryDir FDir;
    TQzScriptedUi FUi{fail};
    std::unique_ptr<TQzDesignerHost> FHost;
    std::unique_ptr<TQzDesignerWindow> FWindow;
};
