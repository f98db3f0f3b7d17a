#include "QzComponentPalette.h"

#include "DesignRegistry.h"
#include "QzDesignerDisplay.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace {

constexpr int IconSize = 24;

// The selection arrow of the pointer button.
QIcon pointerIcon() {
    QPixmap pixmap(IconSize, IconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPolygon(
        QPolygonF({{7, 3}, {7, 19}, {11, 15}, {14, 21}, {16.5, 20}, {13.5, 14}, {19, 14}}));
    return QIcon(pixmap);
}

} // namespace

TQzComponentPalette::TQzComponentPalette(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("Palette"));
    setDocumentMode(true);
    FPointer = new QToolButton(this);
    FPointer->setObjectName(QStringLiteral("SBPointer"));
    FPointer->setIcon(pointerIcon());
    FPointer->setIconSize(QSize(IconSize, IconSize));
    FPointer->setToolTip(tr("Select (no component armed)"));
    FPointer->setAutoRaise(true);
    FPointer->setCheckable(true);
    FPointer->setChecked(true);
    connect(FPointer, &QToolButton::clicked, this, &TQzComponentPalette::Disarm);
    setCornerWidget(FPointer, Qt::TopLeftCorner);
    Reload();
}

void TQzComponentPalette::Reload() {
    Disarm();
    FButtons.clear();
    while (count() > 0) {
        QWidget* page = widget(0);
        removeTab(0);
        delete page;
    }
    for (const auto& [pageName, classes] : PalettePages()) {
        auto* strip = new QWidget;
        auto* layout = new QHBoxLayout(strip);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(1);
        for (TClass cls : classes) {
            auto* button = new QToolButton(strip);
            button->setObjectName(cls->ClassName());
            button->setIcon(QIcon(QzPalettePixmap(cls->ClassName())));
            button->setIconSize(QSize(IconSize, IconSize));
            button->setToolTip(cls->ClassName());
            button->setAutoRaise(true);
            button->setCheckable(true);
            connect(button, &QToolButton::clicked, this,
                    [this, button, cls = cls] { buttonClicked(button, cls); });
            layout->addWidget(button);
            FButtons.push_back({button, cls});
        }
        layout->addStretch(1);
        // A page wider than the window scrolls rather than squeezing its buttons.
        auto* scroll = new QScrollArea;
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(strip);
        scroll->setWidgetResizable(true);
        scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll->setFixedHeight(strip->sizeHint().height() +
                               scroll->horizontalScrollBar()->sizeHint().height());
        addTab(scroll, pageName);
    }
}

void TQzComponentPalette::Disarm() {
    for (const auto& [button, cls] : FButtons)
        button->setChecked(false);
    FPointer->setChecked(true);
    if (FArmed) {
        FArmed = nullptr;
        Q_EMIT ClassArmed(nullptr);
    }
}

QToolButton* TQzComponentPalette::ClassButton(const QString& className) const {
    for (const auto& [button, cls] : FButtons)
        if (cls->ClassName() == className)
            return button;
    return nullptr;
}

void TQzComponentPalette::buttonClicked(QToolButton* button, TClass cls) {
    if (FArmed == cls) {
        Disarm();
        return;
    }
    for (const auto& [other, otherClass] : FButtons)
        other->setChecked(other == button);
    FPointer->setChecked(false);
    FArmed = cls;
    Q_EMIT ClassArmed(cls);
}
