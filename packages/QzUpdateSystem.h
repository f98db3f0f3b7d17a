#pragma once

// "Update System Strings" and "Update System Images": the base file (a language or a display
// file) from which the application component brings its "System" strings or images up to date.
// A name that is empty or names no file is refused with "Invalidate FileName" and the dialog
// stays open, so it can be corrected.

#include "QzDialog.h"

#include <memory>

namespace Ui {
class TFrUpdateSystemStrings;
class TFrUpdateSystemImages;
} // namespace Ui
class QLineEdit;
class TQzCApplication;

class TQzUpdateSystemDialog : public TQzDialog {
    Q_OBJECT
public:
    // The application whose system packages are updated; set before Execute.
    TQzCApplication* App = nullptr;

    // True when the update ran.
    bool Execute();
    void SpeedButton1Click();

protected:
    TQzUpdateSystemDialog(QWidget* parent, QString filter);
    void BindEdit(QLineEdit* edit);
    // The file the dialog starts with.
    virtual QString StartFile() const = 0;
    virtual void Update(const QString& fileName) = 0;
    // BtOkClick: checks the name and updates.
    void Accepting() override;

private:
    QString FFilter;
    QLineEdit* FEdit = nullptr;
};

class TFrUpdateSystemStrings : public TQzUpdateSystemDialog {
    Q_OBJECT
public:
    explicit TFrUpdateSystemStrings(QWidget* parent = nullptr);
    ~TFrUpdateSystemStrings() override;

protected:
    QString StartFile() const override;
    void Update(const QString& fileName) override;

private:
    std::unique_ptr<Ui::TFrUpdateSystemStrings> FUi;
};

class TFrUpdateSystemImages : public TQzUpdateSystemDialog {
    Q_OBJECT
public:
    explicit TFrUpdateSystemImages(QWidget* parent = nullptr);
    ~TFrUpdateSystemImages() override;

protected:
    QString StartFile() const override;
    void Update(const QString& fileName) override;

private:
    std::unique_ptr<Ui::TFrUpdateSystemImages> FUi;
};
