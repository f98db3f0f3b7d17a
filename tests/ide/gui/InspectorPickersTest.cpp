// The object inspector on a label reference: a double-click on its value opens the label picker,
// which changes the first selected component's reference, copies the choice to the other
// selected components and marks the form; a cancelled picker changes nothing.

#include "GuiTestSupport.h"

#include "QzDialog.h"
#include "QzRefs.h"

#include <QPushButton>

namespace {

TQzMemoryLabel* captionOf(TComponent* component) {
    return qobject_cast<TQzMemoryLabel*>(component->property("Caption").value<QObject*>());
}

} // namespace

class InspectorPickers : public DesignerWindowTest {
protected:
    void openPicker(const QString& path) {
        QTreeWidgetItem* row = inspector()->FindRow(path);
        ASSERT_NE(row, nullptr) << path.toStdString();
        inspector()->Tree()->scrollToItem(row);
        doubleClickCell(inspector()->Tree(), row, 1);
        settle();
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
    openPicker(QStringLiteral("Caption"));
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
    openPicker(QStringLiteral("Caption"));
    EXPECT_TRUE(FUi.Done());
    for (const char* name : {"SbCustomers", "LbTitle"}) {
        EXPECT_EQ(captionOf(component(name))->PkgName(), QStringLiteral("User")) << name;
        EXPECT_EQ(captionOf(component(name))->Id(), 4) << name;
    }
    EXPECT_TRUE(designer()->IsModified());
    EXPECT_EQ(shownValue(QStringLiteral("Caption")), QString());
    designer()->SelectComponent(component("SbCustomers"));
    settle();
    EXPECT_TRUE(shownValue(QStringLiteral("Caption")).startsWith(QStringLiteral("(4, User) ")))
        << shownValue(QStringLiteral("Caption")).toStdString();
}
