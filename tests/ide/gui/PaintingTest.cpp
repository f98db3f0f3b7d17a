// The forms of the example project drawn as they will look, checked on pixels: captions in the
// colour of their font set, the colour and background sets, pictures kept in the form and images
// stretched by their margins, the page a tab click shows, the outline of what shows nothing; and
// the preview in the project's second language, with the texts that do not fit.

#include "GuiTestSupport.h"

#include "ComponentStreams.h"
#include "DesignRegistry.h"
#include "Strings.h"

#include "QzContainers.h"
#include "QzFormDrawing.h"
#include "QzFormPreview.h"
#include "QzImageControls.h"
#include "QzLabels.h"
#include "QzPaint.h"
#include "QzPkgImages.h"
#include "QzPkgLanguage.h"
#include "QzRefs.h"

#include <QComboBox>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <functional>

namespace {

// `control` alone, drawn at the origin of an image of its size over white.
QImage paintedAlone(const TControl& control, bool designing = true) {
    QImage image(control.Width(), control.Height(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TQzPaintContext context;
    context.Designing = designing;
    QzPaintControl(painter, image.rect(), control, context);
    return image;
}

int pixelsOf(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).rgb() == color.rgb();
    return count;
}

bool near(const QColor& a, const QColor& b, int tolerance = 24) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

TEST_F(DesignerWindowTest, CaptionsAreDrawnInTheirFontSetsColour) {
    auto* title = control("LbTitle");
    // The "Title" font set: 14 points, bold, 0x00602000.
    const QColor setColor(0x00, 0x20, 0x60);
    const QImage withCaption = paintedAlone(*title);
    EXPECT_GT(pixelsOf(withCaption, setColor), 20);
    auto* caption = qobject_cast<TQzMemoryLabel*>(title->property("Caption").value<QObject*>());
    caption->PkgId(QString(), -1);
    EXPECT_EQ(pixelsOf(paintedAlone(*title), setColor), 0);
}

TEST_F(DesignerWindowTest, ColourAndBackgroundSetsAreUsed) {
    // The header's "Header" set runs from 0x00804000 at the left to 0x00F0C080 at the right.
    const QImage header = paintedAlone(*control("PnHeader"));
    EXPECT_TRUE(near(header.pixelColor(1, 28), QColor(0x00, 0x40, 0x80)));
    EXPECT_TRUE(near(header.pixelColor(header.width() - 2, 28), QColor(0x80, 0xC0, 0xF0)));

    openForm("Orders");
    // The amount edit's "Highlight" set is 0x00C07030.
    const QImage amount = paintedAlone(*control("EdAmount"));
    EXPECT_EQ(amount.pixelColor(8, amount.height() / 2), QColor(0x30, 0x70, 0xC0));
}

TEST_F(DesignerWindowTest, PicturesKeptInTheFormAndImagesByReferenceAppear) {
    openForm("About");
    auto* logo = qobject_cast<TQzImage*>(component("ImLogo"));
    ASSERT_NE(logo, nullptr);
    const QImage stored = QImage::fromData(logo->FPicture).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(stored.isNull());
    const QImage drawn = paintedAlone(*logo);
    // Centred at its own size: the picture's opaque pixels are where they are in the picture.
    int same = 0;
    int opaque = 0;
    const QImage source = QImage::fromData(logo->FPicture).convertToFormat(QImage::Format_ARGB32);
    // Centred as the painting centres: on the rectangle's middle pixel.
    const QPoint offset((logo->Width() - 1) / 2 - source.width() / 2 + 1,
                        (logo->Height() - 1) / 2 - source.height() / 2 + 1);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (qAlpha(source.pixel(x, y)) == 255) {
                ++opaque;
                same += drawn.pixel(x + offset.x(), y + offset.y()) ==
                        (source.pixel(x, y) | 0xFF000000);
            }
    ASSERT_GT(opaque, 100);
    EXPECT_GT(same, opaque * 9 / 10);

    // A skin image stretched over a large image control keeps its corners unscaled.
    auto image = std::make_unique<TQzPkgImage>();
    image->SetBounds(0, 0, 120, 90);
    image->Image()->PkgId(QStringLiteral("System"), 5);
    image->FStretch = true;
    const TQzPkgImagesImage* skin = QzFindPkgImages(QStringLiteral("System"))->Images()->FindId(5);
    ASSERT_NE(skin, nullptr);
    const QImage picture = skin->Picture().convertToFormat(QImage::Format_ARGB32);
    const QImage stretched = paintedAlone(*image);
    // The top-left box of the margins is drawn pixel for pixel.
    const QRgb key = picture.pixel(0, picture.height() - 1);
    int compared = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            if (qAlpha(picture.pixel(x, y)) == 255 && picture.pixel(x, y) != key) {
                ++compared;
                EXPECT_EQ(QColor(stretched.pixel(x, y)), QColor(picture.pixel(x, y)))
                    << x << "," << y;
            }
    EXPECT_GT(compared, 0);
    // The middle is stretched: the control is covered far beyond the picture's size.
    EXPECT_NE(QColor(stretched.pixel(100, 70)), QColor(Qt::white));
}

// While designing, a control with nothing to show keeps a light outline; the form as it runs
// shows nothing there. Names are never painted over the controls.
TEST_F(DesignerWindowTest, WhatShowsNothingKeepsAnOutlineOnlyWhileDesigning) {
    auto label = std::make_unique<TQzLabel>();
    label->SetBounds(0, 0, 60, 20);
    label->FTransparent = true;
    EXPECT_GT(pixelsOf(paintedAlone(*label, true), QColor(0xA0, 0xA0, 0xA0)), 20);
    EXPECT_EQ(pixelsOf(paintedAlone(*label, false), Qt::white), 60 * 20);

    // The surface tells the name of what is under the mouse instead.
    QSignalSpy hovered(surface(), &TQzFormSurface::Hovered);
    QTest::mouseMove(surface(), spotOf(component("MmWelcome")));
    ASSERT_FALSE(hovered.isEmpty());
    EXPECT_EQ(hovered.last().first().toString(), QStringLiteral("MmWelcome: TQzMemo"));
    EXPECT_EQ(surface()->toolTip(), QStringLiteral("MmWelcome: TQzMemo"));
}

TEST_F(DesignerWindowTest, AClickOnATabShowsItsPage) {
    openForm("Orders");
    EXPECT_TRUE(surface()->ComponentRect(component("GbDelivery")).isEmpty());
    auto* pages = qobject_cast<TQzCustomPageControl*>(component("PcOrder"));
    const QRect rect = surface()->ComponentRect(pages);
    QPoint second;
    for (int x = rect.left(); x < rect.right() && second.isNull(); ++x)
        if (QzPageControlTabAt(*pages, rect, QPoint(x, rect.top() + 10)) == 1)
            second = QPoint(x + 4, rect.top() + 10);
    ASSERT_FALSE(second.isNull());
    QTest::mouseClick(surface(), Qt::LeftButton, {}, second);
    settle();
    EXPECT_EQ(pages->FTabIndex, 1);
    EXPECT_FALSE(surface()->ComponentRect(component("GbDelivery")).isEmpty());
    EXPECT_TRUE(surface()->ComponentRect(component("LbDate")).isEmpty());
    EXPECT_EQ(selection(), QList<TPersistent*>{pages});
    FWindow->UndoForm();
    settle();
    EXPECT_TRUE(surface()->ComponentRect(component("GbDelivery")).isEmpty());

    // An outlook bar's button shows its page the same way.
    openForm("Main");
    auto* bar = qobject_cast<TQzOutLookBar*>(component("ObMain"));
    const QRect barRect = surface()->ComponentRect(bar);
    QTest::mouseClick(surface(), Qt::LeftButton, {},
                      QPoint(barRect.center().x(), barRect.bottom() - 5));
    settle();
    EXPECT_EQ(bar->ActivePage(), component("OpTools"));
    EXPECT_FALSE(surface()->ComponentRect(component("PmTools")).isEmpty());
}

TEST_F(DesignerWindowTest, ThePreviewShowsTheFormInEachLanguageItShipsIn) {
    TQzFormPreview* preview = FWindow->PreviewForm();
    ASSERT_NE(preview, nullptr);
    settle();
    const QString spanish = path(QStringLiteral("Spanish.lan"));
    EXPECT_EQ(preview->Languages(), (QStringList{QString(), spanish}));
    const QStringList englishOverflows = preview->Overflows();
    const QImage english = preview->Picture();

    ASSERT_TRUE(preview->SetLanguage(spanish));
    auto* caption =
        qobject_cast<TQzMemoryLabel*>(component("LbTitle")->property("Caption").value<QObject*>());
    EXPECT_EQ(caption->Text(), QStringLiteral("Clientes y pedidos pendientes de entrega"));
    EXPECT_NE(preview->Picture(), english);

    // A translation too long for where it is drawn shows at once: the outlook bar's button.
    {
        TQzPkgLanguage longer;
        longer.LoadFromFile(spanish);
        longer.UserStrings()->Labels()->FindId(7)->SetText(
            QStringLiteral("Herramientas y utilidades de la aplicación"));
        longer.SaveToFile(path(QStringLiteral("Longer.lan")));
    }
    ASSERT_TRUE(preview->SetLanguage(path(QStringLiteral("Longer.lan"))));
    EXPECT_TRUE(preview->Overflows().contains(
        QStringLiteral("ObMain: Herramientas y utilidades de la aplicación")))
        << preview->Overflows().join(u'|').toStdString();
    EXPECT_NE(preview->Overflows(), englishOverflows);
    // The form is not changed by looking at it.
    EXPECT_FALSE(designer()->IsModified());

    // Back in the application's language, and after the preview, the designer's texts are its.
    ASSERT_TRUE(preview->SetLanguage(QString()));
    EXPECT_EQ(caption->Text(), QStringLiteral("Customers and orders"));
    ASSERT_TRUE(preview->SetLanguage(spanish));
    // Escape closes it.
    const QPointer<TQzFormPreview> shown(preview);
    QTest::keyClick(preview->findChild<QComboBox*>(QStringLiteral("CbLanguage")), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    settle();
    EXPECT_TRUE(shown.isNull());
    EXPECT_EQ(caption->Text(), QStringLiteral("Customers and orders"));

    // A language file that cannot be read is reported and changes nothing.
    preview = FWindow->PreviewForm();
    QFile broken(path(QStringLiteral("Broken.lan")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("QZPK not really");
    broken.close();
    FUi.ExpectMessage([](const TQzMessageRequest& request) {
        EXPECT_EQ(request.Type, TQzMessageType::mtError);
        return bkOk;
    });
    EXPECT_FALSE(preview->SetLanguage(path(QStringLiteral("Broken.lan"))));
    EXPECT_TRUE(FUi.Done());
    EXPECT_EQ(caption->Text(), QStringLiteral("Customers and orders"));
}

// Each family's routine paints what its control holds: a change to it changes the picture.
TEST_F(DesignerWindowTest, EachFamilyPaintsWhatItsControlHolds) {
    const auto set = [this](const char* name, const char* value) {
        return [this, name, value](TComponent* c) {
            const QMetaProperty prop =
                FindPublishedProperty(c->metaObject(), QString::fromLatin1(name));
            CreatePropertyEditor(designer(), {c}, prop)->SetValue(QString::fromLatin1(value));
        };
    };
    const auto cleared = [](const char* name) {
        return [name](TComponent* c) {
            QObject* held = c->property(name).value<QObject*>();
            if (auto* collection = qobject_cast<TCollection*>(held))
                collection->Clear();
            else
                ADD_FAILURE() << name << " holds no items";
        };
    };
    struct Case {
        const char* Unit;
        const char* Control;
        std::function<void(TComponent*)> Change;
    };
    const Case cases[] = {
        {"Main", "SbMain", cleared("Panels")},
        {"Main", "MmWelcome",
         [](TComponent* c) {
             // Its text comes from a package; without it the memo shows its lines (the next case).
             qobject_cast<TQzMemoryText*>(c->property("Text").value<QObject*>())
                 ->PkgId(QString(), -1);
         }},
        {"Main", "MmWelcome",
         [](TComponent* c) {
             qobject_cast<TStrings*>(c->property("Lines").value<QObject*>())
                 ->Add(QStringLiteral("A line of its own"));
         }},
        {"Orders", "CkPriority", set("State", "cbChecked")},
        {"Orders", "PbFilled", set("Position", "90")},
        {"Orders", "LbxProducts", cleared("Items")},
        {"Orders", "RgWrapping", cleared("Items")},
        {"Orders", "CbStatus", cleared("Items")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Control);
        ASSERT_NE(openForm(c.Unit), nullptr);
        TControl* shown = control(c.Control);
        ASSERT_NE(shown, nullptr);
        const QImage before = paintedAlone(*shown);
        c.Change(shown);
        EXPECT_NE(paintedAlone(*shown), before);
    }
}
