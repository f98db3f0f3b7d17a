#include "manager/QzManagerProgress.h"

#include "QzWindows.h"
#include "ui_TFrManagerProgress.h"

#include <QCloseEvent>
#include <QCoreApplication>

QPointer<TFrManagerProgress> FrManagerProgress;

TFrManagerProgress::TFrManagerProgress(QWidget* manager, const QString& caption)
    : QWidget(manager, Qt::Tool), FUi(std::make_unique<Ui::TFrManagerProgress>()),
      FManager(manager) {
    FUi->setupUi(this);
    setWindowTitle(caption);
    connect(FUi->BtCancel, &QPushButton::clicked, this, &TFrManagerProgress::BtCancelClick);
    if (FManager)
        FManager->setEnabled(false);
    // The window is enabled although its parent is not.
    setEnabled(true);
    FrManagerProgress = this;
    QzCenterWindow(this);
    show();
}

TFrManagerProgress::~TFrManagerProgress() {
    if (FManager) {
        FManager->setEnabled(true);
        FManager->raise();
        FManager->activateWindow();
    }
}

void TFrManagerProgress::SetMaximum(int maximum) {
    FUi->pb->setRange(0, std::max(maximum, 0));
    FUi->pb->setValue(0);
}

void TFrManagerProgress::SetText(const QString& text) {
    FText = text;
    showText();
}

int TFrManagerProgress::Position() const {
    return FUi->pb->value();
}

void TFrManagerProgress::Step() {
    FUi->pb->setValue(std::min(FUi->pb->value() + 1, FUi->pb->maximum()));
    FUi->pb->repaint();
    raise();
    QCoreApplication::processEvents();
}

void TFrManagerProgress::BtCancelClick() {
    FCancelled = true;
    if (FManager)
        FManager->setEnabled(true);
}

void TFrManagerProgress::closeEvent(QCloseEvent* event) {
    // Closing the window is cancelling; the command closes it when it stops.
    BtCancelClick();
    event->ignore();
}

void TFrManagerProgress::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showText();
}

// Long paths lose their middle, so that the file name stays readable.
void TFrManagerProgress::showText() {
    FUi->LbText->setText(
        FUi->LbText->fontMetrics().elidedText(FText, Qt::ElideMiddle, FUi->LbText->width()));
    FUi->LbText->setToolTip(FText);
}
