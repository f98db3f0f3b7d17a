#pragma once

// The progress window of the Packages Manager's long commands: a text line (long file names
// shortened in the middle), a bar and Cancel. It is shown beside the Manager, not modally, and
// keeps the Manager disabled while it exists, so that only Cancel acts; every step lets pending
// window events run.

#include <QPointer>
#include <QWidget>
#include <memory>

namespace Ui {
class TFrManagerProgress;
}

class TFrManagerProgress : public QWidget {
    Q_OBJECT
public:
    // `manager` is disabled until the window closes or is cancelled.
    TFrManagerProgress(QWidget* manager, const QString& caption);
    ~TFrManagerProgress() override;

    void SetMaximum(int maximum);
    void SetText(const QString& text);
    QString Text() const { return FText; }
    int Position() const;
    // One step of the bar; repaints, comes to the front and runs pending events.
    void Step();
    bool Cancelled() const { return FCancelled; }

    void BtCancelClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showText();

    std::unique_ptr<Ui::TFrManagerProgress> FUi;
    QPointer<QWidget> FManager;
    QString FText;
    bool FCancelled = false;
};

// The one progress window of the Manager, while a command runs.
extern QPointer<TFrManagerProgress> FrManagerProgress;
