#include "QzMsgHlp.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

QString QzSystemHelpText(int id) {
    switch (id) {
    case 1:
        return QStringLiteral(
            "Mask text\n"
            "\n"
            "A text mask may carry a mask text after its options, and a space character after "
            "that, each after a semicolon:\n"
            "\n"
            "    <d;(###)###-####;_\n"
            "\n"
            "In the mask text every # stands for one character the person types; what the "
            "options accept decides which characters those are (digits only for \"<d\"). Every "
            "other character of the mask text is shown as it stands and cannot be typed over.\n"
            "\n"
            "The space character fills the places not typed yet; \"_\" when the mask has none. "
            "A mask text that is blank is not kept, and neither is a blank space character. "
            "The mask text cannot hold a semicolon.");
    default:
        return QString();
    }
}

TFrMsgHlp::TFrMsgHlp(QWidget* parent) : TQzDialog(parent), FText(new QPlainTextEdit) {
    setObjectName(QStringLiteral("TFrMsgHlp"));
    setWindowTitle(QStringLiteral("Help"));
    FText->setObjectName(QStringLiteral("MemoHelp"));
    FText->setReadOnly(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FText);
    layout->addWidget(buttons);
    resize(440, 300);
}

int TFrMsgHlp::Execute(const QString& package, int id) {
    QString text;
    if (package.compare(QStringLiteral("System"), Qt::CaseInsensitive) == 0)
        text = QzSystemHelpText(id);
    if (text.isEmpty())
        text =
            QStringLiteral("There is no help entry %1 in the package \"%2\".").arg(id).arg(package);
    FText->setPlainText(text);
    return ShowModal();
}

QString TFrMsgHlp::Text() const {
    return FText->toPlainText();
}
