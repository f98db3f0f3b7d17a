// The image picker as a person uses it: opened on an image reference, choosing on the thumbnail
// grid, Null and Default, adding through the add dialog, deleting, and the "System" package's
// protection, judged by the reference, the package and the broadcasts afterwards.

#include "QzCApplication.h"
#include "QzHooks.h"
#include "QzImageClipboard.h"
#include "QzPkgImages.h"
#include "QzRefs.h"
#include "QzScriptedUi.h"
#include "pickers/QzImageGrid.h"
#include "pickers/QzMemoryImage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

QImage solid(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QPushButton* button(QWidget& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    EXPECT_NE(b, nullptr) << name;
    return b;
}

TQzImageGrid* grid(QWidget& d) {
    return d.findChild<TQzImageGrid*>("Images");
}

class ImagePicker : public ::testing::Test {
protected:
    void SetUp() override {
        User.SetPkgName("User");
        User.Images()->Add(5)->SetPicture(solid(10, 10, qRgb(0, 0, 255)));
        User.Images()->Add(2)->SetPicture(solid(4, 6, qRgb(255, 0, 0)));
        System.SetPkgName("System");
        System.Images()->Add(1)->SetPicture(solid(3, 3, qRgb(0, 0, 0)));
        Listener = QzAddFormsListener([this](int code, QObject*) { Heard << code; });
    }
    void TearDown() override { QzRemoveFormsListener(Listener); }

    int run(TQzMemoryImage& ref, std::function<void(QDialog&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrMemoryImage"), std::move(act));
        TFrMemoryImage picker;
        picker.SetReference(&ref);
        return picker.Execute();
    }

    TQzPkgImages User;
    TQzPkgImages System;
    TQzCApplication App;
    QList<int> Heard;
    int Listener = 0;
    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
};

} // namespace

TEST_F(ImagePicker, OpensOnTheDefaultAndStoresNullDefaultOrTheImageChosen) {
    TQzMemoryImage ref;
    ref.SetDefault("User", 5);
    ref.PkgId("System", -2);
    EXPECT_EQ(run(ref,
                  [](QDialog& d) {
                      EXPECT_EQ(d.windowTitle(), "Images");
                      EXPECT_EQ(d.findChild<QComboBox*>("EdPkg")->currentText(), "User");
                      EXPECT_EQ(d.findChild<QLineEdit*>("EdId")->text(), "5");
                      EXPECT_EQ(grid(d)->CurrentRow(), 1);
                      EXPECT_EQ(d.findChild<QStatusBar*>("StatusBar1")->currentMessage().left(9),
                                "2 Images ");
                      static_cast<TQzDialog&>(d).OkButton()->click();
                  }),
              1);
    EXPECT_EQ(ref.Id(), -2);

    // A double click on an image closes with it.
    run(ref, [](QDialog& d) {
        TQzImageGrid* g = grid(d);
        const QRect cell = g->visualRect(g->Model()->index(0));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    });
    EXPECT_EQ(ref.PkgName(), "User");
    EXPECT_EQ(ref.Id(), 2);

    run(ref, [](QDialog& d) { button(d, "BtNull")->click(); });
    EXPECT_EQ(ref.Id(), -1);
    run(ref, [](QDialog& d) {
        d.findChild<QLineEdit*>("EdId")->clear();
        static_cast<TQzDialog&>(d).OkButton()->click();
    });
    EXPECT_EQ(ref.Id(), -2);
}

TEST_F(ImagePicker, AddsFromTheClipboardDeletesAndBroadcasts) {
    {
        TQzPkgImages source;
        TQzPkgImagesImage* image = source.Images()->Add(1);
        image->SetPicture(solid(7, 5, qRgb(0, 200, 0)));
        image->CreateInternalMask(QRegion(0, 0, 2, 2));
        SaveToClipBoard(*image);
    }
    TQzMemoryImage ref;
    ref.PkgId("User", 2);
    run(ref, [&](QDialog& d) {
        Ui.ExpectDialog("TFrMemoryImageAdd", [](QDialog& add) {
            EXPECT_EQ(add.findChild<QLineEdit*>("EdId")->text(), "6");
            auto* paste = add.findChild<QToolButton*>("BtPaste");
            ASSERT_TRUE(paste->isEnabled());
            paste->click();
            EXPECT_TRUE(add.findChild<QAbstractButton*>("LaMask")->isChecked());
            static_cast<TQzDialog&>(add).OkButton()->click();
        });
        button(d, "BtAdd")->click();
        EXPECT_EQ(d.findChild<QLineEdit*>("EdId")->text(), "6");
        EXPECT_EQ(grid(d)->CurrentRow(), 2);
        button(d, "BtDelete")->click(); // no question in the picker
        EXPECT_EQ(d.findChild<QLineEdit*>("EdId")->text(), "5");
        d.reject();
    });
    EXPECT_EQ(User.Images()->FindId(6), nullptr);
    EXPECT_EQ(Heard, (QList<int>{QzPerformImages, QzPerformImages}));
    EXPECT_EQ(ref.Id(), 2);

    // A clipboard without a picture leaves Paste off.
    QApplication::clipboard()->setText("words");
    EXPECT_FALSE(QzClipboardHasImage());
}

TEST_F(ImagePicker, TheSystemPackageShowsProtectionAndNeedsTheFlag) {
    TQzMemoryImage ref;
    ref.PkgId("System", 1);
    run(ref, [](QDialog& d) {
        EXPECT_FALSE(button(d, "BtAdd")->isEnabled());
        EXPECT_TRUE(d.findChild<QAction*>("MnProtected")->isVisible());
        EXPECT_FALSE(d.findChild<QAction*>("MnImport")->isEnabled());
        d.findChild<QAction*>("MnProtected")->trigger();
        EXPECT_EQ(grid(d)->Info(), TQzImageInfo::Protected);
        // To a package that is not "System": the protection line gives way.
        auto* pkg = d.findChild<QComboBox*>("EdPkg");
        pkg->setCurrentText("User");
        EXPECT_FALSE(d.findChild<QAction*>("MnProtected")->isVisible());
        EXPECT_EQ(grid(d)->Info(), TQzImageInfo::WidthHeight);
        EXPECT_TRUE(d.findChild<QAction*>("MnImport")->isEnabled());
        pkg->setCurrentText("Nowhere");
        EXPECT_EQ(d.findChild<QStatusBar*>("StatusBar1")->currentMessage(), "Package Unknown");
        EXPECT_FALSE(button(d, "BtAdd")->isEnabled());
        d.reject();
    });
}
