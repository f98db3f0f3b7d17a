// The component clipboard of design windows: components copied from one designed form and
// pasted onto another keep their nesting, their references to each other and their handlers
// where the target form has them, and are renamed where their names are taken.

#include "Controls.h"
#include "DesignWindows.h"
#include "IdeTestSupport.h"
#include "QzButtons.h"
#include "QzContainers.h"
#include "QzEdits.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class Clipboard : public DemoCopy {
protected:
    void SetUp() override {
        DemoCopy::SetUp();
        QGuiApplication::clipboard()->clear();
        openProject();
        FMain = openForm("Main");
        FOrders = openForm("Orders");
    }
    void TearDown() override {
        QGuiApplication::clipboard()->clear();
        DemoCopy::TearDown();
    }

    QList<TComponent*> components(TQzFormDesigner* designer, const QStringList& names) {
        QList<TComponent*> found;
        for (const QString& name : names)
            found << designer->GetComponent(name);
        return found;
    }
    QString handlerOf(TComponent* component) {
        return component->property("OnClick").value<TNotifyEvent>().Name;
    }

    TQzFormDesigner* FMain = nullptr;
    TQzFormDesigner* FOrders = nullptr;
};

} // namespace

TEST_F(Clipboard, PastedComponentsKeepNestingAndReferencesAndAreRenamedWhenTaken) {
    EXPECT_FALSE(TDesignWindow::ClipboardComponents());
    TDesignWindow::CopyComponents(FOrders->GetRoot(),
                                  components(FOrders, {"EdQuantity", "UdQuantity"}));
    EXPECT_TRUE(TDesignWindow::ClipboardComponents());
    // Other programs get the form text.
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(
        QStringLiteral("object UdQuantity: TQzUpDown")));

    auto* header = qobject_cast<TQzPanel*>(FMain->GetComponent(QStringLiteral("PnHeader")));
    const QList<TComponent*> first = TDesignWindow::PasteComponents(FMain->GetRoot(), header);
    ASSERT_EQ(first.size(), 2);
    auto* edit = qobject_cast<TQzEdit*>(first[0]);
    auto* upDown = qobject_cast<TQzUpDown*>(first[1]);
    ASSERT_TRUE(edit && upDown);
    EXPECT_EQ(edit->Name(), QStringLiteral("EdQuantity"));
    EXPECT_EQ(edit->Owner(), FMain->GetRoot());
    EXPECT_EQ(edit->Parent(), header);
    EXPECT_TRUE(edit->IsDesigning());
    EXPECT_TRUE(upDown->IsDesigning());
    // The reference follows the copy, not the original on the other form.
    EXPECT_EQ(upDown->Associate(), edit);

    const QList<TComponent*> second = TDesignWindow::PasteComponents(FMain->GetRoot(), nullptr);
    ASSERT_EQ(second.size(), 2);
    EXPECT_EQ(second[0]->Name(), QStringLiteral("QzEdit1"));
    EXPECT_EQ(second[1]->Name(), QStringLiteral("QzUpDown1"));
    EXPECT_EQ(qobject_cast<TQzUpDown*>(second[1])->Associate(), second[0]);
    EXPECT_EQ(qobject_cast<TControl*>(second[0])->Parent(), FMain->GetRoot());
    EXPECT_EQ(upDown->Associate(), edit);
    // The originals stay where they were.
    EXPECT_EQ(
        qobject_cast<TQzUpDown*>(FOrders->GetComponent(QStringLiteral("UdQuantity")))->Associate(),
        FOrders->GetComponent(QStringLiteral("EdQuantity")));
}

TEST_F(Clipboard, ASelectedParentCarriesItsChildrenAndControlsLandInAWindowedControl) {
    TComponent* group = FOrders->GetComponent(QStringLiteral("GbDelivery"));
    // The radio button inside the copied group box travels inside it, not twice.
    TDesignWindow::CopyComponents(FOrders->GetRoot(),
                                  components(FOrders, {"RbExpress", "GbDelivery"}));
    auto* title = FMain->GetComponent(QStringLiteral("LbTitle"));
    const QList<TComponent*> pasted = TDesignWindow::PasteComponents(FMain->GetRoot(), title);
    ASSERT_EQ(pasted.size(), 1);
    auto* copy = qobject_cast<TWinControl*>(pasted[0]);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Name(), group->Name());
    // A label holds no controls: the copy goes into the label's panel.
    EXPECT_EQ(copy->Parent(), FMain->GetComponent(QStringLiteral("PnHeader")));
    ASSERT_EQ(copy->ControlCount(), qobject_cast<TWinControl*>(group)->ControlCount());
    auto* express = FMain->GetComponent(QStringLiteral("RbExpress"));
    ASSERT_NE(express, nullptr);
    EXPECT_EQ(qobject_cast<TControl*>(express)->Parent(), copy);
    EXPECT_EQ(express->Owner(), FMain->GetRoot());
}

TEST_F(Clipboard, HandlersStayOnlyWhereTheTargetUnitHasThem) {
    TComponent* button = FMain->GetComponent(QStringLiteral("SbCustomers"));
    ASSERT_EQ(handlerOf(button), QStringLiteral("SbCustomersClick"));
    TDesignWindow::CopyComponents(FMain->GetRoot(), {button});

    const QList<TComponent*> onOrders = TDesignWindow::PasteComponents(FOrders->GetRoot(), nullptr);
    ASSERT_EQ(onOrders.size(), 1);
    EXPECT_EQ(handlerOf(onOrders[0]), QString());

    const QList<TComponent*> onMain = TDesignWindow::PasteComponents(FMain->GetRoot(), nullptr);
    ASSERT_EQ(onMain.size(), 1);
    EXPECT_EQ(onMain[0]->Name(), QStringLiteral("QzSpeedButton1"));
    EXPECT_EQ(handlerOf(onMain[0]), QStringLiteral("SbCustomersClick"));
}

TEST_F(Clipboard, WithoutADesignerPastedComponentsStillGetFreeNames) {
    TDesignWindow::CopyComponents(FOrders->GetRoot(), components(FOrders, {"BtOk"}));
    TForm plain;
    auto* taken = new TQzBitBtn(&plain);
    taken->SetName(QStringLiteral("BtOk"));
    const QList<TComponent*> pasted = TDesignWindow::PasteComponents(&plain, nullptr);
    ASSERT_EQ(pasted.size(), 1);
    EXPECT_EQ(pasted[0]->Name(), QStringLiteral("QzBitBtn1"));
    EXPECT_EQ(qobject_cast<TControl*>(pasted[0])->Parent(), &plain);
    // No designer to ask: the handler is kept as it was.
    EXPECT_EQ(handlerOf(pasted[0]), QStringLiteral("BtOkClick"));
}

TEST_F(Clipboard, TextTheFormReaderRefusesPastesNothing) {
    auto* mime = new QMimeData;
    mime->setData(
        QStringLiteral("application/x-qz-components"),
        "object TForm\n  object A: TQzLabel\n  end\n  object B: TNoSuchClass\n  end\nend\n");
    QGuiApplication::clipboard()->setMimeData(mime);
    ASSERT_TRUE(TDesignWindow::ClipboardComponents());
    const int before = FMain->GetRoot()->ComponentCount();
    EXPECT_NE(errorOf([&] { TDesignWindow::PasteComponents(FMain->GetRoot(), nullptr); }),
              "no error");
    EXPECT_EQ(FMain->GetRoot()->ComponentCount(), before);

    QGuiApplication::clipboard()->setText(QStringLiteral("plain text"));
    EXPECT_FALSE(TDesignWindow::ClipboardComponents());
    EXPECT_TRUE(TDesignWindow::PasteComponents(FMain->GetRoot(), nullptr).isEmpty());
}
