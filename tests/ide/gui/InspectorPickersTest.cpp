// The object inspector's context menu on a label reference: it offers the label picker, which
// changes the first selected component's reference, copies the choice to the other selected
// components and marks the form; a cancelled picker changes nothing, and a property that holds
// no reference offers no menu.

#include "GuiTestSupport.h"

#include "QzDialog.h"
#include "QzRefs.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace {

TQzMemoryLabel* captionOf(TComponent* component) {
    return qobject_cast<TQzMemoryLabel*>(component->property("Caption").value<QObject*>());
}

} // namespace

class InspectorPickers : public DesignerWindowTest {
protected:
    // Opens the context menu on the row of `path` and picks the entry `choice` while it is up;
    // returns the entries it showed (none when no menu came up).
    QStringList contextMenu(const QString& path, int choice) {
        QTreeWidgetItem* row = inspector()->FindRow(path);
        EXPECT_NE(row, nullptr) << path.toStdString();
        if (!row)
            return {};
        QStringList shown;
        bool popped = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            popped = true;
            for (QAction* action : menu->actions())
                shown << action->text();
            menu->setActiveAction(menu->actions().value(choice));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QTreeWidget* tree = inspector()->Tree();
        tree->scrollToItem(row);
        Q_EMIT tree->customContextMenuRequested(tree->visualItemRect(row).center());
        settle();
        if (!popped)
            QCoreApplication::processEvents();
        return shown;
    }
};

TEST_F(InspectorPickers, TheLabelPickerChangesEverySelectedReferenceOnOkOnly) {
    // A speed button and a label, both with a label caption; the button is the first selected.
    click(component("SbCustomers"));
    click(component("LbTitle"), Qt::ControlModifier);
    ASSERT_EQ(selection().size(), 2);

    // Cancel: nothing changes.
    FUi.ExpectDialog(QStringLiteral("TFrMemoryLabel"),
                     [](QDialog& d) { static_cast<TQzDialog&>(d).CancelButton()->click(); });
    EXPECT_EQ(contextMenu(QStringLiteral("Caption"), 0),
              QStringList({QStringLiteral("Open TFrMemoryLabel...")}));
    EXPECT_TRUE(FUi.Done());
    EXPECT_EQ(captionOf(component("SbCustomers"))->Id(), 5);
    EXPECT_EQ(captionOf(component("LbTitle"))->Id(), 2);
    EXPECT_FALSE(designer()->IsModified());

    // Ok on label 4 of "User": the picker opened on the first selected component's reference.
    FUi.ExpectDialog(QStringLiteral("TFrMemoryLabel"), [](QDialog& d) {
        auto* id = d.findChild<QLineEdit*>(QStringLiteral("EdId"));
        EXPECT_EQ(id->text(), QStringLiteral("5"));
        id->setFocus();
        id->selectAll();
        QTest::keyClicks(id, QStringLiteral("4"));
        static_cast<TQzDialog&>(d).OkButton()->click();
    });
    contextMenu(QStringLiteral("Caption"), 0);
    EXPECT_TRUE(FUi.Done());
    for (const char* name : {"SbCustomers", "LbTitle"}) {
        EXPECT_EQ(captionOf(component(name))->PkgName(), QStringLiteral("User")) << name;
        EXPECT_EQ(captionOf(component(name))->Id(), 4) << name;
    }
    EXPECT_TRUE(designer()->IsModified());

    // A property that holds no reference has no menu.
    EXPECT_EQ(contextMenu(QStringLiteral("Left"), 0), QStringList());
}
