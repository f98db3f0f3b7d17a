#pragma once

// The base of every dialog of the library: a modal result (1 OK, 2 Cancel, any other value the
// dialog defines) and ShowModal through the UI service, so tests can drive it.

#include <QDialog>

enum TQzModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TQzDialog : public QDialog {
    Q_OBJECT
public:
    explicit TQzDialog(QWidget* parent = nullptr);

    int ModalResult() const { return result(); }
    // A non-zero result closes the dialog with it, as setting a form's modal result does.
    void SetModalResult(int modalResult);
    int ShowModal();

    void accept() override;
    // Escape and the window's close box give Cancel.
    void reject() override;
};
