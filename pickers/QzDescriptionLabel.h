#pragma once

// The description of a display set or a privilege in its add dialog: plain text typed in the
// description edit, or a label of a strings package chosen with the label picker, whose text
// then stands in for it. While a label is linked, the read-only edit shows its text, the label
// beside it "(id,package)" (else "(None)"), and the description edit is disabled.

#include <QObject>

class QAbstractButton;
class QLabel;
class QLineEdit;
class TQzMemoryLabel;

class TQzDescriptionLabel : public QObject {
    Q_OBJECT
public:
    // `showLabelText`: the disabled description edit shows the label's text too.
    TQzDescriptionLabel(QLineEdit* description, QLineEdit* labelText, QLabel* refId,
                        QAbstractButton* pick, bool showLabelText);
    ~TQzDescriptionLabel() override;

    // The dialog's own reference, changed only through SetReference and the picker.
    const TQzMemoryLabel* Reference() const { return FRef; }
    void SetReference(const TQzMemoryLabel* reference);
    // Shows the reference's state in the controls.
    void UpdateLine();
    // The label picker on a copy of the reference; OK takes the label picked.
    void Pick();

private:
    QLineEdit* FDescription;
    QLineEdit* FLabelText;
    QLabel* FRefId;
    bool FShowLabelText;
    TQzMemoryLabel* FRef;
};
