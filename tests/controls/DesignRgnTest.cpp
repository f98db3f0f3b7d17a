// The region designer as a person uses it: opened on an image of a package, clicked on the
// shape's pixels in both masks, undone and redone, its margins dragged, and judged by the image
// and the package's designer settings afterwards.

#include "QzPkgImages.h"
#include "QzScriptedUi.h"
#include "controls/QzDesignRgn.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// 6 x 4: a white field split by a black column, a gray pixel beside its foot.
//   . . # . . .
//   . . # . . .
//   . . # . . .
//   . . # g . .
QImage testPicture() {
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 4; ++y)
        image.setPixel(2, y, qRgb(0, 0, 0));
    image.setPixel(3, 3, qRgb(128, 128, 128));
    return image;
}

void clickPixel(TFrDesignRgn& d, int x, int y) {
    const int z = d.Zoom();
    QTest::mouseClick(d.Shape(), Qt::LeftButton, {},
                      QPoint(10 + x * z + z / 2, 10 + y * z + z / 2));
}

void tool(QDialog& d, const char* name) {
    auto* button = d.findChild<QAbstractButton*>(QString::fromLatin1(name));
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    button->click();
}

void ok(QDialog& d) {
    static_cast<TQzDialog&>(d).OkButton()->click();
}

// The pixels of the mask as rows of 'x' and '.'.
std::vector<std::string> maskRows(const TFrDesignRgn& d, bool external) {
    std::vector<std::string> rows;
    for (int y = 0; y < d.Bitmap().height(); ++y) {
        std::string row;
        for (int x = 0; x < d.Bitmap().width(); ++x)
            row += (external ? d.GetExternalMask(x, y) : d.GetInternalMask(x, y)) ? 'x' : '.';
        rows.push_back(row);
    }
    return rows;
}

class DesignRgn : public ::testing::Test {
protected:
    void SetUp() override {
        Image = Pkg.Images()->Add(1);
        Image->SetPicture(testPicture());
    }

    bool run(std::function<void(TFrDesignRgn&)> act) {
        Ui.ExpectDialog(QStringLiteral("TFrDesignRgn"),
                        [act](QDialog& d) { act(static_cast<TFrDesignRgn&>(d)); });
        TFrDesignRgn designer;
        designer.Image = Image;
        return designer.Execute();
    }

    TQzScriptedUi Ui{[](const QString& failure) {
        ADD_FAILURE() << failure.toStdString();
    }};
    TQzPkgImages Pkg;
    TQzPkgImagesImage* Image = nullptr;
};

} // namespace

TEST_F(DesignRgn, FillsBothMasksUndoesRedoesAndWritesThemOnOk) {
    EXPECT_TRUE(run([](TFrDesignRgn& d) {
        EXPECT_EQ(d.windowTitle(), "Mask Editor");
        EXPECT_FALSE(d.findChild<QPushButton*>("BtUndo")->isEnabled());
        clickPixel(d, 0, 0); // external: the left field
        EXPECT_EQ(maskRows(d, true),
                  (std::vector<std::string>{"xx....", "xx....", "xx....", "xx...."}));
        tool(d, "BtInternal");
        clickPixel(d, 2, 1); // internal: the black column
        clickPixel(d, 0, 3); // already masked: nothing
        EXPECT_EQ(maskRows(d, false),
                  (std::vector<std::string>{"..x...", "..x...", "..x...", "..x..."}));
        tool(d, "BtExternal");
        tool(d, "BtScanSingle");
        clickPixel(d, 3, 0); // through the masked column to the left, round the gray
        EXPECT_EQ(maskRows(d, true),
                  (std::vector<std::string>{"xx.xxx", "xx.xxx", "xx.xxx", "xx..xx"}));

        tool(d, "BtUndo");
        EXPECT_EQ(maskRows(d, true),
                  (std::vector<std::string>{"xx....", "xx....", "xx....", "xx...."}));
        tool(d, "BtUndo");
        tool(d, "BtUndo");
        EXPECT_EQ(maskRows(d, true), (std::vector<std::string>(4, "......")));
        EXPECT_EQ(maskRows(d, false), (std::vector<std::string>(4, "......")));
        EXPECT_FALSE(d.findChild<QPushButton*>("BtUndo")->isEnabled());
        EXPECT_FALSE(d.findChild<QAction*>("MnUndo")->isEnabled());
        tool(d, "BtRedo");
        tool(d, "BtRedo");
        EXPECT_EQ(maskRows(d, false),
                  (std::vector<std::string>{"..x...", "..x...", "..x...", "..x..."}));
        EXPECT_TRUE(d.findChild<QAction*>("MnRedo")->isEnabled());
        ok(d);
    }));
    // The image keeps what is not cut away: the column.
    ASSERT_TRUE(Image->CreateExternalRgn().has_value());
    EXPECT_EQ(*Image->CreateExternalRgn(), QRegion(2, 0, 4, 4));
    ASSERT_TRUE(Image->CreateInternalRgn().has_value());
    EXPECT_EQ(*Image->CreateInternalRgn(), QRegion(2, 0, 1, 4));
    EXPECT_FALSE(Pkg.RgnSettings().Diagonals);
}

TEST_F(DesignRgn, CancelAndAnUnchangedOkLeaveTheImageButKeepTheSettings) {
    Image->CreateInternalMask(QRegion(0, 0, 1, 1));
    EXPECT_FALSE(run([](TFrDesignRgn& d) {
        tool(d, "BtZoom4");
        EXPECT_EQ(d.Zoom(), 4);
        EXPECT_EQ(d.Shape()->size(), QSize(6 * 4 + 20, 4 * 4 + 20));
        EXPECT_TRUE(d.GetInternalMask(0, 0));
        clickPixel(d, 4, 0);
        d.reject();
    }));
    EXPECT_FALSE(Image->GetExternalMask());
    EXPECT_EQ(*Image->CreateInternalRgn(), QRegion(0, 0, 1, 1));
    EXPECT_EQ(Pkg.RgnSettings().Zoom, 4);
    EXPECT_NE(Pkg.RgnSettings().Left, QzNeverPlaced);

    // Opened again at the kept zoom; Ok with nothing changed writes nothing.
    EXPECT_FALSE(run([](TFrDesignRgn& d) {
        EXPECT_EQ(d.Zoom(), 4);
        EXPECT_TRUE(d.findChild<QToolButton*>("BtZoom4")->isChecked());
        ok(d);
    }));
    EXPECT_EQ(*Image->CreateInternalRgn(), QRegion(0, 0, 1, 1));
}

TEST_F(DesignRgn, ClearEmptiesBothMasksAndOkRemovesThem) {
    Image->CreateExternalMask(QRegion(0, 0, 3, 4)); // the right half is cut away
    Image->CreateInternalMask(QRegion(0, 0, 1, 1));
    EXPECT_TRUE(run([](TFrDesignRgn& d) {
        EXPECT_EQ(maskRows(d, true), (std::vector<std::string>(4, "...xxx")));
        auto* clear = d.findChild<QAction*>("MnClear");
        ASSERT_TRUE(clear->isEnabled());
        clear->trigger();
        EXPECT_FALSE(clear->isEnabled());
        tool(d, "BtUndo"); // both come back
        EXPECT_EQ(maskRows(d, true), (std::vector<std::string>(4, "...xxx")));
        EXPECT_TRUE(d.GetInternalMask(0, 0));
        tool(d, "BtRedo"); // both go again
        EXPECT_FALSE(d.GetInternalMask(0, 0));
        EXPECT_FALSE(d.ExternalRgn().has_value());
        ok(d);
    }));
    EXPECT_FALSE(Image->GetExternalMask());
    EXPECT_FALSE(Image->GetInternalMask());
}

TEST_F(DesignRgn, ABaseColourWidensTheFillToTheRange) {
    EXPECT_TRUE(run([](TFrDesignRgn& d) {
        tool(d, "BtBaseColor");
        clickPixel(d, 2, 0); // picks black and releases the button
        EXPECT_FALSE(d.findChild<QToolButton*>("BtBaseColor")->isChecked());
        ASSERT_TRUE(d.BaseColor().has_value());
        EXPECT_EQ(d.BaseColor()->rgb(), qRgb(0, 0, 0));
        EXPECT_FALSE(d.GetExternalMask(2, 0));
        clickPixel(d, 3, 3); // gray: black to gray takes the gray and the column, not the white
        EXPECT_EQ(maskRows(d, true),
                  (std::vector<std::string>{"..x...", "..x...", "..x...", "..xx.."}));
        ok(d);
    }));
}

TEST_F(DesignRgn, DraggingAMarginMovesItsCoupledOne) {
    EXPECT_TRUE(run([](TFrDesignRgn& d) {
        tool(d, "BtZoom8");
        tool(d, "BtResizing");
        EXPECT_TRUE(d.Adjusts());
        // Handle 1 (Up1) sits at x = 10 at margin 0; dragged 3 image pixels right.
        TQzRgnShape* shape = d.Shape();
        EXPECT_EQ(shape->GetAdjustToPoint(10, 5), 1);
        QTest::mousePress(shape, Qt::LeftButton, {}, QPoint(10, 5));
        QTest::mouseMove(shape, QPoint(10 + 3 * 8 + 2, 5));
        QTest::mouseRelease(shape, Qt::LeftButton, {}, QPoint(10 + 3 * 8 + 2, 5));
        EXPECT_EQ(d.Margin(0), 3);
        EXPECT_EQ(d.Margin(2), 3); // Down1 follows with the vertical bars coupled
        // Held below the width less the opposite margin.
        QTest::mousePress(shape, Qt::LeftButton, {}, QPoint(10 + 3 * 8, 5));
        QTest::mouseMove(shape, QPoint(10 + 40 * 8, 5));
        QTest::mouseRelease(shape, Qt::LeftButton, {}, QPoint(10 + 40 * 8, 5));
        EXPECT_EQ(d.Margin(0), 5);
        tool(d, "BtSyncVer"); // uncoupled now
        d.SetAdjustUp1(1);
        EXPECT_EQ(d.Margin(2), 5);
        ok(d);
    }));
    EXPECT_TRUE(Image->Adjusts());
    EXPECT_FALSE(Image->SyncVer());
    EXPECT_EQ(Image->AdjustUp1(), 1);
    EXPECT_EQ(Image->AdjustDown1(), 5);
}

TEST_F(DesignRgn, ZoomKeepsTheImagePointAtTheScrollOrigin) {
    QImage big(400, 300, QImage::Format_RGB32);
    big.fill(Qt::white);
    Image->SetPicture(big);
    run([](TFrDesignRgn& d) {
        tool(d, "BtZoom3");
        QScrollBar* bar = d.findChild<QScrollArea*>("DesignPanel")->horizontalScrollBar();
        bar->setValue(150); // image x 50
        tool(d, "BtZoom6");
        EXPECT_EQ(bar->value(), 300);
        d.reject();
    });
}
