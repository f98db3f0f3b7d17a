// The mask designer as a person uses it: opened on a mask, its options typed and clicked, the
// examples and the help opened, and judged by what the mask holds afterwards.

#include "QzMsgHlp.h"
#include "QzRefs.h"
#include "QzRuntime.h"
#include "QzScriptedUi.h"
#include "controls/QzMaskDesigner.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

template <typename T>
T* child(QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString options(QDialog& d) {
    return child<QLineEdit>(d, "EdOptions")->text();
}

QString info(QDialog& d) {
    return child<QLabel>(d, "LabelInfo")->text();
}

// Types into the options as a person would, at the end of the text.
void typeOptions(QDialog& d, const QString& keys) {
    auto* edit = child<QLineEdit>(d, "EdOptions");
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, keys);
}

QCheckBox* box(QDialog& d, const char* name) {
    return child<QCheckBox>(d, name);
}

// The radio button of item `index` of a radio group.
QRadioButton* item(QDialog& d, const char* group, int index) {
    return child<QGroupBox>(d, group)->findChildren<QRadioButton*>().value(index);
}

// The item of a radio group that is checked, or -1.
int chosen(QDialog& d, const char* group) {
    const QList<QRadioButton*> items = child<QGroupBox>(d, group)->findChildren<QRadioButton*>();
    for (int i = 0; i < items.size(); ++i)
        if (items[i]->isChecked())
            return i;
    return -1;
}

void ok(QDialog& d) {
    static_cast<TQzDialog&>(d).OkButton()->click();
}

class MaskDesigner : public ::testing::Test {
protected:
    void SetUp() override { QzRegisterRuntimeClasses(); }

    // Runs the designer on Mask with `act` driving it; whether it reported OK.
    bool run(std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrMask"), std::move(act));
        TFrMask designer;
        designer.Mask = &Mask;
        return designer.Execute();
    }

    TQzMask Mask;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(MaskDesigner, OpensOnTheMaskAndStoresDefaultOptionsAsAnEmptyText) {
    Mask.SetDataType(dtString);
    Mask.SetText("wdas<");
    Mask.SetSize(12);
    Mask.SetTake(mtText);
    EXPECT_TRUE(run([](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Mask");
        EXPECT_EQ(child<QComboBox>(d, "CBDataType")->currentText(), "dtString");
        EXPECT_EQ(child<QComboBox>(d, "CBDataType")->count(), 6);
        EXPECT_EQ(child<QComboBox>(d, "CBTake")->currentText(), "mtText");
        EXPECT_EQ(child<QLineEdit>(d, "EdSize")->text(), "12");
        // The precision and date-year apply only when the value is taken.
        EXPECT_FALSE(child<QComboBox>(d, "CBDecimals")->isEnabled());
        EXPECT_FALSE(child<QComboBox>(d, "CBDateYear")->isEnabled());
        EXPECT_EQ(options(d), "<sadw");
        EXPECT_EQ(info(d), "<Default Mask>");
        EXPECT_EQ(child<QStackedWidget>(d, "Pages")->currentWidget()->objectName(), "PageText");
        EXPECT_TRUE(box(d, "CBAcceptsDigits")->isChecked());
        // A mask text of options only shows the space "_".
        EXPECT_EQ(child<QLineEdit>(d, "EdSpace")->text(), "_");
        ok(d);
    }));
    EXPECT_EQ(Mask.Text(), "");
    EXPECT_EQ(Mask.Size(), 12);
    EXPECT_EQ(Mask.Take(), mtText);

    // Masks of types 5 and 6 are not opened: no dialog is shown.
    for (TQzDataType type : {dtOther, dtMemo}) {
        TQzMask other;
        other.SetDataType(type);
        TFrMask designer;
        designer.Mask = &other;
        EXPECT_FALSE(designer.Execute());
    }
}

TEST_F(MaskDesigner, TypedOptionsAndTheControlsFollowEachOther) {
    Mask.SetDataType(dtInteger);
    Mask.SetText(">-");
    EXPECT_TRUE(run([](QDialog& d) {
        EXPECT_EQ(options(d), ">-");
        EXPECT_EQ(info(d), "<Custom Mask>");
        EXPECT_EQ(chosen(d, "RGAcceptsNegatives"), 1);
        // "+" after "-" and "<" after ">" do not get through; "z" does and checks its box.
        typeOptions(d, "+<z");
        EXPECT_EQ(options(d), ">-z");
        EXPECT_TRUE(box(d, "CBNoZero")->isChecked());
        // Backspace always passes.
        QTest::keyClick(child<QLineEdit>(d, "EdOptions"), Qt::Key_Backspace);
        EXPECT_FALSE(box(d, "CBNoZero")->isChecked());
        // A control writes the options in their order.
        box(d, "CBFillZeros")->click();
        item(d, "RGAcceptsNegatives", 2)->click();
        item(d, "RGCientific", 4)->click();
        EXPECT_EQ(options(d), ">+04");
        item(d, "RGAlign", 1)->click();
        EXPECT_EQ(options(d), "%+04");
        ok(d);
    }));
    EXPECT_EQ(Mask.Text(), "%+04");

    Mask.SetDataType(dtDateTime);
    Mask.SetText("<1");
    run([](QDialog& d) {
        EXPECT_EQ(child<QStackedWidget>(d, "Pages")->currentWidget()->objectName(), "PageDateTime");
        // "D" after "1" and "d" after "1" are refused; "y" is taken.
        typeOptions(d, "Dy");
        EXPECT_EQ(options(d), "<1y");
        EXPECT_EQ(chosen(d, "RGDay"), 2);
        // The numeric day and the day name exclude each other through the controls too.
        box(d, "CBDay")->click();
        EXPECT_EQ(chosen(d, "RGDay"), 0);
        EXPECT_EQ(options(d), "<dy");
        typeOptions(d, "1");
        EXPECT_EQ(options(d), "<dy");
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(Mask.Text(), "<1");
}

TEST_F(MaskDesigner, TheTwelveHourClockAndDurationsRuleTheirNeighbours) {
    Mask.SetDataType(dtDateTime);
    Mask.SetText("<dMyh");
    EXPECT_TRUE(run([](QDialog& d) {
        auto* duration = child<QComboBox>(d, "CBDuration");
        EXPECT_FALSE(box(d, "CBAutoAdjust12H")->isEnabled());
        box(d, "CB12")->click();
        EXPECT_TRUE(box(d, "CBAmPm")->isChecked());
        EXPECT_FALSE(box(d, "CBAmPm")->isEnabled());
        EXPECT_TRUE(box(d, "CBAutoAdjust12H")->isEnabled());
        box(d, "CBAutoAdjust12H")->click();
        EXPECT_EQ(options(d), "<dMyhaok");
        box(d, "CB12")->click();
        EXPECT_FALSE(box(d, "CBAutoAdjust12H")->isChecked());
        EXPECT_FALSE(box(d, "CBAutoAdjust12H")->isEnabled());
        EXPECT_TRUE(box(d, "CBAmPm")->isEnabled());
        EXPECT_EQ(options(d), "<dMyha");

        // A duration clears and disables the day, month and year, and gives them back after.
        duration->setCurrentIndex(3);
        EXPECT_EQ(options(d), "<hac");
        for (const char* name : {"CBDay", "CB12", "CBAmPm"})
            EXPECT_FALSE(box(d, name)->isEnabled()) << name;
        for (const char* group : {"RGDay", "RGMonth", "RGYear"}) {
            EXPECT_FALSE(child<QGroupBox>(d, group)->isEnabled()) << group;
            EXPECT_EQ(chosen(d, group), 0) << group;
        }
        EXPECT_FALSE(box(d, "CBDay")->isChecked());
        duration->setCurrentIndex(6);
        EXPECT_EQ(options(d), "<hap");
        duration->setCurrentIndex(0);
        EXPECT_EQ(options(d), "<dMyha");
        EXPECT_TRUE(box(d, "CBDay")->isEnabled());
        EXPECT_TRUE(box(d, "CBAmPm")->isEnabled());
        EXPECT_EQ(chosen(d, "RGMonth"), 2);
        ok(d);
    }));
    EXPECT_EQ(Mask.Text(), "<dMyha");
}

TEST_F(MaskDesigner, EachDataTypeRemembersItsOwnOptions) {
    Mask.SetDataType(dtString);
    Mask.SetText("<sadwu");
    EXPECT_TRUE(run([](QDialog& d) {
        auto* types = child<QComboBox>(d, "CBDataType");
        auto* designer = static_cast<TFrMask*>(&d);
        designer->SetDataType(dtInteger);
        EXPECT_EQ(options(d), ">");
        EXPECT_EQ(info(d), "<Default Mask>");
        typeOptions(d, "z");
        designer->SetDataType(dtCurrency);
        EXPECT_EQ(options(d), ">-.&");
        designer->SetDataType(dtMemo);
        EXPECT_EQ(options(d), "<sadwu");
        designer->SetDataType(dtInteger);
        EXPECT_EQ(options(d), ">z");
        // Choosing in the combo does the same.
        types->setFocus();
        types->setCurrentIndex(types->findText("dtString"));
        Q_EMIT types->activated(types->currentIndex());
        EXPECT_EQ(options(d), "<sadwu");
        EXPECT_EQ(designer->GetDataType(), dtString);
        ok(d);
    }));
    EXPECT_EQ(Mask.DataType(), dtString);
    EXPECT_EQ(Mask.Text(), "<sadwu");
}

TEST_F(MaskDesigner, ExamplesFillTheDesignerAndTheMaskTextIsKeptForTextOnly) {
    Mask.SetDataType(dtString);
    EXPECT_TRUE(run([&](QDialog& d) {
        Ui.ExpectDialog("TFrMaskExamples", [](QDialog& e) {
            EXPECT_EQ(e.windowTitle(), "Mask Examples");
            auto* list = child<QListWidget>(e, "LbExamples");
            EXPECT_EQ(list->count(), 9);
            EXPECT_EQ(list->currentRow(), 0);
            list->setCurrentRow(1);
            EXPECT_EQ(list->currentItem()->text(), "Telephone");
            ok(e);
        });
        child<QToolButton>(d, "SBExamples")->click();
        EXPECT_EQ(options(d), "<d");
        EXPECT_EQ(child<QLineEdit>(d, "EdMaskText")->text(), "(###)###-####");
        // The semicolon separates the parts and cannot be typed into them.
        QTest::keyClicks(child<QLineEdit>(d, "EdMaskText"), ";x");
        EXPECT_EQ(child<QLineEdit>(d, "EdMaskText")->text(), "(###)###-####x");
        QTest::keyClick(child<QLineEdit>(d, "EdMaskText"), Qt::Key_Backspace);
        ok(d);
    }));
    // The example has no space: none is kept.
    EXPECT_EQ(Mask.Text(), "<d;(###)###-####");

    EXPECT_TRUE(run([&](QDialog& d) {
        Ui.ExpectDialog("TFrMaskExamples", [](QDialog& e) {
            auto* list = child<QListWidget>(e, "LbExamples");
            list->setCurrentRow(5);
            Q_EMIT list->itemDoubleClicked(list->currentItem());
        });
        child<QToolButton>(d, "SBExamples")->click();
        EXPECT_EQ(child<QComboBox>(d, "CBDataType")->currentText(), "dtFloat");
        EXPECT_EQ(child<QStackedWidget>(d, "Pages")->currentWidget()->objectName(), "PageNumber");
        EXPECT_EQ(child<QLineEdit>(d, "EdSize")->text(), "19");
        EXPECT_EQ(child<QComboBox>(d, "CBDecimals")->currentText(), "2");
        EXPECT_EQ(options(d), ">-.");
        EXPECT_EQ(child<QLineEdit>(d, "EdSpace")->text(), "_");
        // A cancelled example list changes nothing.
        Ui.ExpectDialog("TFrMaskExamples", [](QDialog& e) { QTest::keyClick(&e, Qt::Key_Escape); });
        child<QToolButton>(d, "SBExamples")->click();
        EXPECT_EQ(options(d), ">-.");
        ok(d);
    }));
    EXPECT_EQ(Mask.DataType(), dtFloat);
    EXPECT_EQ(Mask.Size(), 19);
    EXPECT_EQ(Mask.Decimals(), 2);
    EXPECT_EQ(Mask.Text(), ">-.");
}

TEST_F(MaskDesigner, AnEmptySizeKeepsTheDesignerOpenAndTheMaskUntouched) {
    Mask.SetDataType(dtInteger);
    Mask.SetSize(4);
    Mask.SetText(">0");
    EXPECT_FALSE(run([&](QDialog& d) {
        auto* size = child<QLineEdit>(d, "EdSize");
        size->setFocus();
        size->selectAll();
        QTest::keyClicks(size, "12a345678");
        EXPECT_EQ(size->text(), "1234567");
        size->clear();
        auto* types = child<QComboBox>(d, "CBDataType");
        types->setCurrentIndex(types->findText("dtFloat"));
        Q_EMIT types->activated(types->currentIndex());
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.Text, "'' is not a valid integer value");
            return bkOk;
        });
        ok(d);
        EXPECT_TRUE(d.isVisible());
        QTest::keyClick(&d, Qt::Key_Escape);
    }));
    EXPECT_EQ(Mask.DataType(), dtInteger);
    EXPECT_EQ(Mask.Size(), 4);
    EXPECT_EQ(Mask.Text(), ">0");
}

TEST_F(MaskDesigner, AFixedDataTypeRefusesOtherExamplesAndTheHelpExplainsTheMaskText) {
    Mask.SetDataType(dtString);
    Mask.SetDataTypeEditable(false);
    EXPECT_TRUE(run([&](QDialog& d) {
        EXPECT_FALSE(child<QComboBox>(d, "CBDataType")->isEnabled());
        Ui.ExpectDialog("TFrMaskExamples", [](QDialog& e) {
            child<QListWidget>(e, "LbExamples")->setCurrentRow(2);
            ok(e);
        });
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("cannot be changed"));
            return bkOk;
        });
        child<QToolButton>(d, "SBExamples")->click();
        EXPECT_EQ(options(d), "<sadw");

        Ui.ExpectDialog("TFrMsgHlp", [](QDialog& h) {
            EXPECT_TRUE(
                child<QPlainTextEdit>(h, "MemoHelp")->toPlainText().startsWith("Mask text"));
            ok(h);
        });
        child<QToolButton>(d, "SpeedButton1")->click();
        typeOptions(d, "u");
        ok(d);
    }));
    EXPECT_EQ(Mask.DataType(), dtString);
    EXPECT_EQ(Mask.Text(), "<sadwu");
}
