// The steps every dialog-backed editor shares, on a label caption of three selected labels and a
// dialog that picks a label: nothing opens without an application component, a cancelled
// dialog changes nothing, and OK gives every selected label the first one's choice and tells the
// designer once.

#include "EditorsTestSupport.h"
#include "QzCApplication.h"
#include "QzDialog.h"
#include "QzExcept.h"
#include "QzScriptedUi.h"
#include "editors/QzDialogEditors.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

class TFrPickLabel : public TQzDialog {
    Q_OBJECT
public:
    TFrPickLabel() {
        (new QVBoxLayout(this))
            ->addWidget(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
    }
    // Chooses label 7 of "Common" in `label` when OK is pressed.
    bool Execute(TQzMemoryLabel* label) {
        FLabel = label;
        return ShowModal() == mrOk;
    }

protected:
    void Accepting() override { FLabel->PkgId(u"Common"_s, 7); }

private:
    TQzMemoryLabel* FLabel = nullptr;
};

class TTestLabelProperty : public TQzObjectDialogProperty<TQzMemoryLabel> {
public:
    using TQzObjectDialogProperty::TQzObjectDialogProperty;

protected:
    bool ExecuteDialog() override {
        TFrPickLabel picker;
        return picker.Execute(Value(0));
    }
};

class DialogEditors : public EditorsTest {
protected:
    void SetUp() override {
        EditorsTest::SetUp();
        for (const QString& name : {u"Label1"_s, u"Label2"_s, u"Label3"_s}) {
            auto* label = add<TQzLabel>(name);
            label->Caption()->PkgId(u"User"_s, 1);
            FLabels << label;
        }
    }
    TTestLabelProperty editor() {
        const QMetaObject* meta = &TQzLabel::staticMetaObject;
        return TTestLabelProperty(designer(), FLabels,
                                  meta->property(meta->indexOfProperty("Caption")));
    }
    QStringList captions() const {
        QStringList texts;
        for (TPersistent* label : FLabels) {
            const TQzMemoryLabel* caption = static_cast<TQzLabel*>(label)->Caption();
            texts << u"%1/%2"_s.arg(caption->PkgName()).arg(caption->Id());
        }
        return texts;
    }

    QList<TPersistent*> FLabels;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(DialogEditors, NothingOpensWithoutAnApplicationComponent) {
    TTestLabelProperty property = editor();
    EXPECT_TRUE(property.GetAttributes() & paDialog);
    try {
        property.Edit();
        ADD_FAILURE() << "Edit opened without an application component";
    } catch (const EQzError& e) {
        EXPECT_EQ(e.Message(), u"Component TQzCApplication not found"_s);
    }
    EXPECT_EQ(captions(), QStringList(3, u"User/1"_s));
    EXPECT_EQ(modifiedCount(), 0);
}

TEST_F(DialogEditors, OkCopiesTheFirstChoiceToEverySelectedComponentAndTellsTheDesignerOnce) {
    add<TQzCApplication>(u"CApp"_s);
    const int before = modifiedCount();

    Ui.ExpectDialog(u"TFrPickLabel"_s, [](QDialog& d) { d.reject(); });
    editor().Edit();
    EXPECT_EQ(captions(), QStringList(3, u"User/1"_s));
    EXPECT_EQ(modifiedCount(), before);

    Ui.ExpectDialog(u"TFrPickLabel"_s, [](QDialog& d) { d.accept(); });
    editor().Edit();
    EXPECT_EQ(captions(), QStringList(3, u"Common/7"_s));
    EXPECT_EQ(modifiedCount(), before + 1);
    EXPECT_TRUE(Ui.Done());
}

#include "DialogEditorsTest.moc"
