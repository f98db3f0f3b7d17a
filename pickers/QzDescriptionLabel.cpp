#include "pickers/QzDescriptionLabel.h"

#include "QzDialog.h"
#include "QzRefs.h"
#include "pickers/QzMemoryLabel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

TQzDescriptionLabel::TQzDescriptionLabel(QLineEdit* description, QLineEdit* labelText,
                                         QLabel* refId, QAbstractButton* pick, bool showLabelText)
    : QObject(description), FDescription(description), FLabelText(labelText), FRefId(refId),
      FShowLabelText(showLabelText), FRef(new TQzMemoryLabel(this)) {
    FLabelText->setReadOnly(true);
    connect(pick, &QAbstractButton::clicked, this, &TQzDescriptionLabel::Pick);
}

TQzDescriptionLabel::~TQzDescriptionLabel() = default;

void TQzDescriptionLabel::SetReference(const TQzMemoryLabel* reference) {
    FRef->Assign(reference);
    UpdateLine();
}

void TQzDescriptionLabel::UpdateLine() {
    const bool linked = FRef->Defined();
    FRefId->setText(linked ? QStringLiteral("(%1,%2)").arg(FRef->Id()).arg(FRef->PkgName())
                           : QStringLiteral("(None)"));
    FLabelText->setText(linked ? FRef->Text() : QString());
    FDescription->setEnabled(!linked);
    if (linked && FShowLabelText)
        FDescription->setText(FRef->Text());
}

void TQzDescriptionLabel::Pick() {
    TQzMemoryLabel copy;
    copy.Assign(FRef);
    TFrMemoryLabel picker(FDescription->window());
    picker.SetReference(&copy);
    if (picker.Execute() == mrOk) {
        FRef->Assign(&copy);
        UpdateLine();
    }
}
