// The display sets as a person edits and picks them: the list editors with their add dialogs
// and the set pickers, judged by the reference, the display package and what the dialogs show.

#include "DialogDriving.h"
#include "Graphics.h"
#include "QzCApplication.h"
#include "QzPkgDisplay.h"
#include "QzPkgImages.h"
#include "QzPkgStrings.h"
#include "QzRefs.h"
#include "QzScriptedUi.h"
#include "manager/core/QzFormScanner.h"
#include "packages/QzSetsEditors.h"
#include "pickers/QzSetPickers.h"
#include "pickers/QzSetsAdd.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TQzSetsList* colors(QWidget& d) {
    return d.findChild<TQzSetsList*>(QStringLiteral("Colors"));
}

QString status(QWidget& d) {
    return d.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->currentMessage();
}

// The names of the list's entries, in list order.
QStringList names(QWidget& d) {
    QStringList out;
    TQzSetsList* list = colors(d);
    for (int row = 0; row < list->count(); ++row)
        out << list->Set(row)->Name();
    return out;
}

QString selectedName(QWidget& d) {
    const TQzPkgDisplaySet* set = colors(d)->Selected();
    return set ? set->Name() : QString();
}

class Sets : public ::testing::Test {
protected:
    void SetUp() override {
        App.SetName(QStringLiteral("CApp"));
        for (const char* name : {"Warning", "Window", "Highlight"})
            App.PkgDisplay()->SetsColor()->Add(QString::fromLatin1(name))->SetColor(0x3070C0);
        Strings.SetPkgName(QStringLiteral("Notes"));
        Strings.Labels()->Add(4, QStringLiteral("Warnings"));
    }

    int pick(TQzSetColor& ref, std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrSetColor"), std::move(act));
        TFrSetColor picker;
        picker.SetReference(&ref);
        return picker.Execute();
    }
    void runEditor(std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrSetsColor"), std::move(act));
        TFrSetsColor editor;
        editor.SetApplication(&App);
        editor.Execute();
    }
    TQzPkgDisplaySetsColor* sets() const { return App.PkgDisplay()->SetsColor(); }

    TQzCApplication App;
    TQzPkgStrings Strings;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(Sets, ThePickerStoresTheChosenNameNullOrDefault) {
    TQzSetColor ref;
    ref.SetDefaultSet(QStringLiteral("Window"));
    ref.SetName(QStringLiteral("<Default>"));

    // "<Default>" opens on the default set; Ok without a change keeps the marker.
    EXPECT_EQ(pick(ref,
                   [](QDialog& d) {
                       EXPECT_EQ(d.windowTitle(), "SetsColor (CApp)");
                       EXPECT_EQ(names(d), QStringList({"Highlight", "Warning", "Window"}));
                       EXPECT_EQ(selectedName(d), "Window");
                       EXPECT_EQ(edit(d, "EdDescrip")->text(), "Window");
                       EXPECT_EQ(status(d), "3 SetsColor");
                       ok(d);
                   }),
              mrOk);
    EXPECT_EQ(ref.Name(), "<Default>");

    struct Case {
        const char* Step;
        std::function<void(QDialog&)> Act;
        int Result;
        QString Stored;
    };
    const Case cases[] = {
        {"a click on another entry, then Ok",
         [](QDialog& d) {
             TQzSetsList* list = colors(d);
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                               list->visualItemRect(list->item(0)).center());
             EXPECT_EQ(edit(d, "EdDescrip")->text(), "Highlight");
             ok(d);
         },
         mrOk, "Highlight"},
        // Pasted, the marker leaves the selection where it was.
        {"\"<default>\" pasted",
         [](QDialog& d) {
             QLineEdit* box = edit(d, "EdDescrip");
             box->setText(QStringLiteral("<default>"));
             Q_EMIT box->textEdited(box->text());
             EXPECT_EQ(selectedName(d), "Warning");
             ok(d);
         },
         mrOk, "<default>"},
        {"Null", [](QDialog& d) { button(d, "BtNull")->click(); }, mrOk, ""},
        {"Default", [](QDialog& d) { button(d, "BtDefault")->click(); }, mrOk, "<Default>"},
        // The default set's own entry is stored as the marker.
        {"the default set's entry, double-clicked",
         [](QDialog& d) {
             TQzSetsList* list = colors(d);
             const QPoint at = list->visualItemRect(list->item(2)).center();
             QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
             QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
         },
         mrOk, "<Default>"},
        {"a typed name, cancelled",
         [](QDialog& d) {
             type(edit(d, "EdDescrip"), "Warn");
             EXPECT_EQ(selectedName(d), "Warning");
             static_cast<TQzDialog&>(d).CancelButton()->click();
         },
         mrCancel, "<Default>"},
    };
    for (const Case& c : cases) {
        ref.SetName(QStringLiteral("Warning"));
        if (c.Result == mrCancel)
            ref.SetName(QStringLiteral("<Default>"));
        EXPECT_EQ(pick(ref, c.Act), c.Result) << c.Step;
        EXPECT_EQ(ref.Name(), c.Stored) << c.Step;
    }
    EXPECT_TRUE(Ui.Done());
}

TEST_F(Sets, APickerOnAMissingSetSelectsNothingAndKeepsSetsAddedWhenCancelled) {
    TQzSetColor ref;
    ref.SetName(QStringLiteral("Gone"));
    pick(ref, [this](QDialog& d) {
        EXPECT_EQ(colors(d)->Selected(), nullptr);
        EXPECT_EQ(edit(d, "EdDescrip")->text(), QString());
        EXPECT_FALSE(button(d, "BtModify")->isEnabled());
        // Add proposes the first free name; the new set is selected by its name.
        Ui.ExpectDialog(QStringLiteral("TFrSetsColorAdd"), [](QDialog& add) {
            EXPECT_EQ(add.windowTitle(), "Add Color");
            EXPECT_EQ(edit(add, "EdName")->text(), "sc1");
            ok(add);
        });
        button(d, "BtAdd")->click();
        EXPECT_EQ(selectedName(d), "sc1");
        EXPECT_EQ(status(d), "4 SetsColor");
        static_cast<TQzDialog&>(d).CancelButton()->click();
    });
    EXPECT_EQ(ref.Name(), "Gone");
    ASSERT_NE(sets()->Find(QStringLiteral("sc1")), nullptr);
    EXPECT_EQ(sets()->Find(QStringLiteral("sc1"))->Color(), 0xFFFFFF);
    EXPECT_TRUE(Ui.Done());
}

TEST_F(Sets, TheAddDialogProposesAFreeNameRefusesATakenOneAndKeepsWhatWasTyped) {
    struct Case {
        QStringList Existing;
        QString Proposed;
    };
    const Case cases[] = {
        {{"sc1", "sc2"}, "sc3"},
        {{"sc2"}, "sc1"},
    };
    for (const Case& c : cases) {
        TQzCApplication app;
        for (const QString& name : c.Existing)
            app.PkgDisplay()->SetsColor()->Add(name);
        Ui.ExpectDialog(QStringLiteral("TFrSetsColorAdd"), [&](QDialog& d) {
            EXPECT_EQ(edit(d, "EdName")->text(), c.Proposed);
            EXPECT_EQ(d.findChild<QComboBox*>("CBSolidC")->currentText(), "clWhite");
            static_cast<TQzDialog&>(d).CancelButton()->click();
        });
        TFrSetsColorAdd dialog;
        dialog.App = &app;
        EXPECT_EQ(dialog.Execute(), mrCancel);
        EXPECT_EQ(app.PkgDisplay()->SetsColor()->Count(), c.Existing.size());
    }

    // A taken name: the error is shown, the dialog stays with the input, and nothing is added.
    Ui.ExpectDialog(QStringLiteral("TFrSetsColorAdd"), [this](QDialog& d) {
        type(edit(d, "EdName"), "Window");
        type(edit(d, "EdDescrip"), "Kept");
        auto* combo = d.findChild<QComboBox*>("CBSolidC");
        type(combo->lineEdit(), "nocolour");
        EXPECT_EQ(d.findChild<TQzColorShape*>("ShapeColor")->Color(), 0);
        type(combo->lineEdit(), "$00102030");
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_TRUE(r.Text.contains("Window")) << r.Text.toStdString();
            return bkOk;
        });
        ok(d);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(edit(d, "EdDescrip")->text(), "Kept");
        EXPECT_EQ(sets()->Count(), 3);
        type(edit(d, "EdName"), "Accent");
        ok(d);
    });
    TFrSetsColorAdd dialog;
    dialog.App = &App;
    EXPECT_EQ(dialog.Execute(), mrOk);
    const TQzPkgDisplaySetColor* added = sets()->Find(QStringLiteral("Accent"));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Description(), "Kept");
    EXPECT_EQ(added->Color(), 0x00102030);
    EXPECT_TRUE(Ui.Done());
}

TEST_F(Sets, ALinkedDescriptionComesFromItsLabelAndTheColourDialogKeepsCustomColours) {
    TQzPkgDisplaySetColor* warning = sets()->Find(QStringLiteral("Warning"));
    Ui.ExpectDialog(QStringLiteral("TFrSetsColorAdd"), [this](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>("LabRefID")->text(), "(None)");
        EXPECT_TRUE(edit(d, "EdDescrip")->isEnabled());
        Ui.ExpectDialog(QStringLiteral("TFrMemoryLabel"), [](QDialog& picker) {
            picker.findChild<QComboBox*>("EdPkg")->setCurrentText("Notes");
            type(edit(picker, "EdId"), "4");
            ok(picker);
        });
        d.findChild<QToolButton*>("SpeedButton5")->click();
        EXPECT_EQ(d.findChild<QLabel*>("LabRefID")->text(), "(4,Notes)");
        EXPECT_EQ(edit(d, "EdDescripID")->text(), "Warnings");
        EXPECT_FALSE(edit(d, "EdDescrip")->isEnabled());
        EXPECT_EQ(edit(d, "EdDescrip")->text(), "Warnings");

        Ui.ExpectColor(QColor(255, 0, 0));
        d.findChild<QToolButton*>("SpeedButton3")->click();
        EXPECT_EQ(d.findChild<QComboBox*>("CBSolidC")->currentText(), "clRed");
        ok(d);
    });
    TFrSetsColorAdd dialog;
    dialog.App = &App;
    dialog.ModifyMode = true;
    dialog.Item = warning;
    EXPECT_EQ(dialog.Execute(), mrOk);
    EXPECT_EQ(warning->Color(), 0x0000FF);
    EXPECT_EQ(warning->DescriptionId()->Id(), 4);
    EXPECT_EQ(warning->DescriptionText(), "Warnings");
    EXPECT_TRUE(Ui.Done());
}

TEST_F(Sets, TheEditorSearchesRenamesAndDeletesWithTheNeighbourSelected) {
    runEditor([this](QDialog& d) {
        QLineEdit* search = edit(d, "EdDescrip");
        // Between the first and the second name: the second; after every name: unchanged.
        type(search, "I");
        EXPECT_EQ(selectedName(d), "Warning");
        type(search, "zz");
        EXPECT_EQ(selectedName(d), "Warning");

        // A rename keeps the set selected under its new name.
        Ui.ExpectDialog(QStringLiteral("TFrSetsColorAdd"), [](QDialog& add) {
            EXPECT_EQ(add.windowTitle(), "Modify Color");
            EXPECT_EQ(edit(add, "EdName")->text(), "Warning");
            type(edit(add, "EdName"), "Alert");
            ok(add);
        });
        button(d, "BtModify")->click();
        EXPECT_EQ(names(d), QStringList({"Alert", "Highlight", "Window"}));
        EXPECT_EQ(selectedName(d), "Alert");
        EXPECT_EQ(search->text(), "Alert");

        // Deleting the last entry selects the new last one; the only one, nothing.
        colors(d)->SelectRow(2);
        button(d, "BtDelete")->click();
        EXPECT_EQ(selectedName(d), "Highlight");
        EXPECT_EQ(search->text(), "Highlight");
        button(d, "BtDelete")->click();
        button(d, "BtDelete")->click();
        EXPECT_EQ(colors(d)->count(), 0);
        EXPECT_EQ(colors(d)->Selected(), nullptr);
        EXPECT_EQ(status(d), "0 SetsColor");
        EXPECT_FALSE(button(d, "BtModify")->isEnabled());
        EXPECT_FALSE(button(d, "BtDelete")->isEnabled());
        ok(d);
    });
    EXPECT_EQ(sets()->Count(), 0);

    // Without an application nothing can be added.
    Ui.ExpectDialog(QStringLiteral("TFrSetsColor"), [](QDialog& d) {
        EXPECT_FALSE(button(d, "BtAdd")->isEnabled());
        ok(d);
    });
    TFrSetsColor editor;
    editor.Execute();
    EXPECT_TRUE(Ui.Done());
}

// A display package kept in its own file: read again when the file changed on disk, written
// back only when the picker changed a set, and a write that fails is reported without losing
// the choice.
TEST_F(Sets, APickerReadsAChangedDisplayFileAndWritesOnlyWhatItChanged) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Demo.dis"));
    TQzPkgDisplay* display = App.PkgDisplay();
    display->SetInitMode(TQzPkgInfo::imFILE);
    display->SetFileName(file);
    display->SaveFile();

    // Another program adds a set to the file.
    {
        TQzPkgDisplay other;
        other.LoadFromFile(file);
        other.SetsColor()->Add(QStringLiteral("Accent"));
        QTest::qWait(20);
        other.SaveToFile(file);
    }
    const QDateTime written = QFileInfo(file).lastModified();
    TQzSetColor ref;
    pick(ref, [](QDialog& d) {
        EXPECT_EQ(names(d), QStringList({"Accent", "Highlight", "Warning", "Window"}));
        type(edit(d, "EdDescrip"), "Window");
        ok(d);
    });
    EXPECT_EQ(ref.Name(), "Window");
    EXPECT_EQ(QFileInfo(file).lastModified(), written);

    // A set added, and the file cannot be written: the error shows, the choice stays.
    display->SetFileName(dir.filePath(QStringLiteral("gone/Demo.dis")));
    pick(ref, [this](QDialog& d) {
        Ui.ExpectDialog(QStringLiteral("TFrSetsColorAdd"), [](QDialog& add) { ok(add); });
        button(d, "BtAdd")->click();
        Ui.ExpectMessage([](const TQzMessageRequest& r) {
            EXPECT_EQ(r.Type, TQzMessageType::mtError);
            return bkOk;
        });
        ok(d);
    });
    EXPECT_EQ(ref.Name(), "sc1");
    EXPECT_NE(sets()->Find(QStringLiteral("sc1")), nullptr);
    EXPECT_TRUE(Ui.Done());
}

// The font and background add dialogs: the font dialog's choice with its size, and a background
// with its style, colours and a picture chosen in the image picker.
TEST_F(Sets, FontAndBackGroundSetsTakeTheirValuesFromTheirDialogs) {
    Ui.ExpectDialog(QStringLiteral("TFrSetsFontAdd"), [this](QDialog& d) {
        EXPECT_EQ(edit(d, "EdName")->text(), "sf1");
        EXPECT_TRUE(d.findChild<QLabel*>("LabSize")->text().startsWith("Font ( Size : 8 ) ( "));
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSize(14);
        chosen.setBold(true);
        Ui.ExpectFont(chosen);
        d.findChild<QToolButton*>("SpeedButton3")->click();
        EXPECT_EQ(d.findChild<QLabel*>("LabSize")->text(), "Font ( Size : 14 ) ( DejaVu Serif )");
        ok(d);
    });
    TFrSetsFontAdd font;
    font.App = &App;
    ASSERT_EQ(font.Execute(), mrOk);
    const TQzPkgDisplaySetFont* added = App.PkgDisplay()->SetsFont()->Find(QStringLiteral("sf1"));
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->Size(), 14);
    EXPECT_EQ(added->Font()->Name(), "DejaVu Serif");

    TQzPkgImages icons;
    icons.SetPkgName(QStringLiteral("Icons"));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    icons.Images()->Add(2)->SetPicture(picture);
    Ui.ExpectDialog(QStringLiteral("TFrSetsBackGroundAdd"), [this](QDialog& d) {
        EXPECT_EQ(edit(d, "EdName")->text(), "sb1");
        auto* style = d.findChild<QComboBox*>("CBStyle");
        EXPECT_EQ(style->currentIndex(), 0);
        EXPECT_EQ(style->count(), 21);
        EXPECT_EQ(d.findChild<QComboBox*>("CBStartC")->currentText(), "clBtnFace");
        EXPECT_EQ(d.findChild<QLabel*>("LabPkg")->text(), "(None)");
        style->setCurrentIndex(3);
        type(d.findChild<QComboBox*>("CBEndC")->lineEdit(), "clNavy");
        Ui.ExpectDialog(QStringLiteral("TFrMemoryImage"), [](QDialog& picker) {
            picker.findChild<QComboBox*>("EdPkg")->setCurrentText("Icons");
            type(edit(picker, "EdId"), "2");
            ok(picker);
        });
        d.findChild<QToolButton*>("SpeedButton4")->click();
        EXPECT_EQ(d.findChild<QLabel*>("LabPkg")->text(), "Icons");
        EXPECT_EQ(d.findChild<QLabel*>("LabPkgID")->text(), "2");
        d.findChild<QCheckBox*>("EdTransparent")->setChecked(true);
        ok(d);
    });
    TFrSetsBackGroundAdd back;
    back.App = &App;
    ASSERT_EQ(back.Execute(), mrOk);
    const auto* set = App.PkgDisplay()->SetsBackGround()->Find(QStringLiteral("sb1"));
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(int(set->Style()), 3);
    EXPECT_EQ(set->StartGraColor(), clBtnFace);
    EXPECT_EQ(set->EndGraColor(), 0x800000);
    EXPECT_EQ(set->Image()->PkgName(), "Icons");
    EXPECT_EQ(set->Image()->Id(), 2);
    EXPECT_TRUE(set->Transparent());
    EXPECT_TRUE(Ui.Done());
}

// The Manager opens on the kind of the list and the name in the box.
TEST_F(Sets, TheManagerOpensOnTheKindAndTheNameShown) {
    runEditor([this](QDialog& d) {
        type(edit(d, "EdDescrip"), "Warn");
        Ui.ExpectDialog(QStringLiteral("TFrManager"), [](QDialog& manager) {
            EXPECT_EQ(manager.windowTitle(),
                      QStringLiteral("Packages Manager (%1)").arg(QzDlgManagerName(dlmSetsColor)));
            EXPECT_EQ(edit(manager, "EdId")->text(), "Warn");
            manager.reject();
        });
        button(d, "BtManager")->click();
        ok(d);
    });
    EXPECT_TRUE(Ui.Done());
}
