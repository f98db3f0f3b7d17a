// What every dialog gets from its base, driven through the scripted UI seam: OK and Cancel in the
// button box under the library's names, OK only while the input is acceptable, a refused input
// shown with the dialog kept open, and the window back where the person left it.

#include "QzDialog.h"
#include "QzExcept.h"
#include "QzScriptedUi.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A dialog asking for a number: OK waits for digits, and 13 is refused when OK is pressed.
class TFrAskNumber : public TQzDialog {
    Q_OBJECT
public:
    TFrAskNumber() {
        auto* layout = new QVBoxLayout(this);
        Edit = new QLineEdit(this);
        layout->addWidget(Edit);
        layout->addWidget(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
        connect(Edit, &QLineEdit::textChanged, this, &TFrAskNumber::InputChanged);
    }
    QLineEdit* Edit;
    int Taken = -1;

protected:
    bool CanAccept() const override {
        bool number = false;
        Edit->text().toInt(&number);
        return number;
    }
    void Accepting() override {
        if (Edit->text() == QStringLiteral("13"))
            QzExcept(QStringLiteral("13 is taken"));
        Taken = Edit->text().toInt();
    }
};

// Another class, so its windows keep a record of their own.
class TFrOther : public TQzDialog {
    Q_OBJECT
};

void fail(const QString& failure) {
    ADD_FAILURE() << failure.toStdString();
}

} // namespace

TEST(Dialog, OkWaitsForAcceptableInputAndARefusalKeepsTheDialogOpen) {
    TQzScriptedUi ui(fail);
    ui.ExpectDialog("TFrAskNumber", [&ui](QDialog& d) {
        auto& dialog = static_cast<TFrAskNumber&>(d);
        QPushButton* ok = d.findChild<QPushButton*>("BtOk");
        QPushButton* cancel = d.findChild<QPushButton*>("BtCancel");
        ASSERT_TRUE(ok && cancel);
        EXPECT_EQ(ok->text(), "Ok");
        EXPECT_EQ(cancel->text(), "Cancel");
        EXPECT_FALSE(ok->isEnabled());
        dialog.Edit->setText("x");
        EXPECT_FALSE(ok->isEnabled());
        dialog.Edit->setText("13");
        ASSERT_TRUE(ok->isEnabled());
        ui.ExpectMessage([](const TQzMessageRequest& m) {
            EXPECT_EQ(m.Type, TQzMessageType::mtError);
            EXPECT_EQ(m.Text, "13 is taken");
            return bkOk;
        });
        ok->click();
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(dialog.Edit->text(), "13");
        dialog.Edit->setText("12");
        ok->click();
    });
    TFrAskNumber dialog;
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_EQ(dialog.Taken, 12);

    // Escape is Cancel, and nothing is taken.
    ui.ExpectDialog("TFrAskNumber", [](QDialog& d) {
        static_cast<TFrAskNumber&>(d).Edit->setText("7");
        d.reject();
    });
    TFrAskNumber again;
    EXPECT_EQ(again.ShowModal(), mrCancel);
    EXPECT_EQ(again.Taken, -1);
    EXPECT_TRUE(ui.Done());
}

TEST(Dialog, EachDialogClassComesBackWhereItWasLeft) {
    TQzScriptedUi ui(fail);
    ui.ExpectDialog("TFrAskNumber", [](QDialog& d) {
        d.setGeometry(120, 90, 333, 222);
        d.reject();
    });
    ui.ExpectDialog("TFrOther", [](QDialog& d) {
        d.setGeometry(30, 40, 250, 150);
        d.reject();
    });
    ui.ExpectDialog("TFrAskNumber", [](QDialog& d) {
        EXPECT_EQ(d.geometry(), QRect(120, 90, 333, 222));
        d.reject();
    });
    ui.ExpectDialog("TFrOther", [](QDialog& d) {
        EXPECT_EQ(d.geometry(), QRect(30, 40, 250, 150));
        d.reject();
    });
    for (int round = 0; round < 2; ++round) {
        TFrAskNumber ask;
        ask.ShowModal();
        TFrOther other;
        other.ShowModal();
    }
    EXPECT_TRUE(ui.Done());
}

#include "DialogTest.moc"
