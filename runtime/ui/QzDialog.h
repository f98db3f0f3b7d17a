#pragma once

// The base of every dialog of the library. What a caller may rely on:
// - ShowModal runs the dialog through the UI service (so tests can drive it) and returns the
//   modal result: 1 OK, 2 Cancel, or any other value the dialog defines. Escape and the window's
//   close box give Cancel.
// - The window comes back where the person left it: its bounds are saved whenever it is hidden
//   and restored before it is shown, in one record per dialog class for the life of the package
//   (a dialog that keeps them elsewhere, such as inside a package, overrides ResizeInfo).
// - OK and Cancel live in the layout's QDialogButtonBox; its buttons are named BtOk and BtCancel.
//   OK is enabled only while CanAccept() holds; a dialog calls InputChanged() when what CanAccept
//   reads changes. Pressing OK runs Accepting(): when it raises, the message is shown and the
//   dialog stays open with the input as typed.

#include <QDialog>

class QDialogButtonBox;
class QPushButton;
struct TQzResizeInfoDesigner;

enum TQzModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2 };

class TQzDialog : public QDialog {
    Q_OBJECT
public:
    explicit TQzDialog(QWidget* parent = nullptr);
    ~TQzDialog() override;

    int ModalResult() const { return result(); }
    // A non-zero result closes the dialog with it, as setting a form's modal result does.
    void SetModalResult(int modalResult);
    int ShowModal();

    // OK: closes with mrOk once the input is acceptable and Accepting() took it.
    void accept() override;
    // Escape, Cancel and the window's close box give mrCancel.
    void reject() override;
    void setVisible(bool visible) override;

    // The buttons of the layout's button box; none when the dialog has no such button.
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;

protected:
    // Whether OK may be pressed now.
    virtual bool CanAccept() const;
    // Takes the input when OK is pressed; raises Exception (shown to the person) to refuse it.
    virtual void Accepting();
    // Re-evaluates CanAccept for the OK button.
    void InputChanged();
    // Where the window's bounds are kept between openings.
    virtual TQzResizeInfoDesigner& ResizeInfo();

private:
    // The layout's button box, wired on first use; none when the dialog has none.
    QDialogButtonBox* buttonBox() const;

    mutable QDialogButtonBox* FButtons = nullptr;
    mutable bool FButtonsLooked = false;
};
