#include "QzUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

TQzUiService::~TQzUiService() = default;

std::optional<TQzReplaceRequest> TQzUiService::ReplaceDialog(const TQzReplaceRequest&) {
    return std::nullopt;
}

namespace {
TQzQtUi& qtUi() {
    static TQzQtUi ui;
    return ui;
}
TQzUiService* installed = nullptr;

QWidget* activeParent() {
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

QMessageBox::StandardButton standardButton(TQzButtonKind kind) {
    switch (kind) {
    case bkOk:
        return QMessageBox::Ok;
    case bkCancel:
        return QMessageBox::Cancel;
    case bkAbort:
        return QMessageBox::Abort;
    case bkYes:
        return QMessageBox::Yes;
    case bkNo:
        return QMessageBox::No;
    case bkRetry:
        return QMessageBox::Retry;
    case bkIgnore:
        return QMessageBox::Ignore;
    case bkAll:
        return QMessageBox::YesToAll;
    case bkNoToAll:
        return QMessageBox::NoToAll;
    case bkYesToAll:
        return QMessageBox::YesToAll;
    case bkClose:
        return QMessageBox::Close;
    case bkNone:
        break;
    }
    return QMessageBox::NoButton;
}
} // namespace

TQzUiService& QzUi() {
    return installed ? *installed : qtUi();
}

TQzUiService* QzSetUi(TQzUiService* service) {
    TQzUiService* previous = installed;
    installed = service;
    return previous;
}

int TQzQtUi::ExecDialog(QDialog& dialog) {
    // The dialog may be deleted by what runs inside exec(); never touch it afterwards then.
    QPointer<QDialog> guard(&dialog);
    const int result = dialog.exec();
    return guard ? guard->result() : result;
}

TQzButtonKind TQzQtUi::Message(const TQzMessageRequest& request) {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = QStringLiteral("Information");
    switch (request.Type) {
    case TQzMessageType::mtWarning:
        icon = QMessageBox::Warning;
        title = QStringLiteral("Warning");
        break;
    case TQzMessageType::mtError:
        icon = QMessageBox::Critical;
        title = QStringLiteral("Error");
        break;
    case TQzMessageType::mtInformation:
        break;
    case TQzMessageType::mtConfirmation:
        icon = QMessageBox::Question;
        title = QStringLiteral("Confirm");
        break;
    }
    QMessageBox box(icon, title, request.Text, QMessageBox::NoButton, activeParent());
    QList<std::pair<QAbstractButton*, TQzButtonKind>> buttons;
    const TQzButtons kinds = request.Buttons.isEmpty() ? TQzButtons{bkOk} : request.Buttons;
    for (TQzButtonKind kind : kinds) {
        QAbstractButton* button = box.addButton(standardButton(kind));
        buttons.push_back({button, kind});
        if (kind == request.Default)
            box.setDefaultButton(static_cast<QPushButton*>(button));
    }
    box.exec();
    for (const auto& [button, kind] : buttons)
        if (box.clickedButton() == button)
            return kind;
    // Escape: the cancel-like button, as a person closing the box would mean.
    for (TQzButtonKind kind : {bkCancel, bkNo, bkClose, bkOk})
        if (kinds.contains(kind))
            return kind;
    return kinds.front();
}

std::optional<QStringList> TQzQtUi::FileDialog(const TQzFileRequest& request) {
    QFileDialog dialog(activeParent(), request.Title, request.Directory, request.Filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    switch (request.mode) {
    case TQzFileRequest::Open:
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case TQzFileRequest::OpenMany:
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    case TQzFileRequest::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    }
    if (!request.DefaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFiles();
}

std::optional<QString> TQzQtUi::FolderDialog(const QString& title, const QString& directory) {
    const QString folder = QFileDialog::getExistingDirectory(activeParent(), title, directory,
                                                             QFileDialog::ShowDirsOnly |
                                                                 QFileDialog::DontUseNativeDialog);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

std::optional<QColor> TQzQtUi::ColorDialog(const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, activeParent(), QString(),
                                                QColorDialog::DontUseNativeDialog);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

std::optional<QFont> TQzQtUi::FontDialog(const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, activeParent(), QString(),
                                            QFontDialog::DontUseNativeDialog);
    if (!ok)
        return std::nullopt;
    return font;
}

bool TQzQtUi::PrinterDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, activeParent());
    return dialog.exec() == QDialog::Accepted;
}

std::optional<TQzFindRequest> TQzQtUi::FindDialog(const TQzFindRequest& initial) {
    QDialog dialog(activeParent());
    dialog.setWindowTitle(QStringLiteral("Find"));
    auto* text = new QLineEdit(initial.Text);
    auto* matchCase = new QCheckBox(QStringLiteral("Match &case"));
    matchCase->setChecked(initial.MatchCase);
    auto* wholeWord = new QCheckBox(QStringLiteral("Match &whole word only"));
    wholeWord->setChecked(initial.WholeWord);
    auto* down = new QRadioButton(QStringLiteral("&Down"));
    auto* up = new QRadioButton(QStringLiteral("&Up"));
    (initial.Down ? down : up)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Find Next"));
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("Fi&nd what:"), text);
    layout->addRow(matchCase);
    layout->addRow(wholeWord);
    layout->addRow(up);
    layout->addRow(down);
    layout->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(text, &QLineEdit::textChanged, &dialog, [buttons](const QString& t) {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!t.isEmpty());
    });
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!initial.Text.isEmpty());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return TQzFindRequest{text->text(), matchCase->isChecked(), wholeWord->isChecked(),
                          down->isChecked()};
}

std::optional<TQzReplaceRequest> TQzQtUi::ReplaceDialog(const TQzReplaceRequest& initial) {
    QDialog dialog(activeParent());
    dialog.setWindowTitle(QStringLiteral("Replace"));
    auto* text = new QLineEdit(initial.Text);
    auto* with = new QLineEdit(initial.ReplaceWith);
    auto* matchCase = new QCheckBox(QStringLiteral("Match &case"));
    matchCase->setChecked(initial.MatchCase);
    auto* wholeWord = new QCheckBox(QStringLiteral("Match &whole word only"));
    wholeWord->setChecked(initial.WholeWord);
    auto* buttons = new QDialogButtonBox;
    QPushButton* next =
        buttons->addButton(QStringLiteral("&Find Next"), QDialogButtonBox::ActionRole);
    QPushButton* replace =
        buttons->addButton(QStringLiteral("&Replace"), QDialogButtonBox::ActionRole);
    QPushButton* all =
        buttons->addButton(QStringLiteral("Replace &All"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    next->setDefault(true);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("Fi&nd what:"), text);
    layout->addRow(QStringLiteral("Re&place with:"), with);
    layout->addRow(matchCase);
    layout->addRow(wholeWord);
    layout->addRow(buttons);
    TQzReplaceRequest::TAction action = TQzReplaceRequest::FindNext;
    const auto press = [&](TQzReplaceRequest::TAction pressed) {
        action = pressed;
        dialog.accept();
    };
    QObject::connect(next, &QPushButton::clicked, &dialog,
                     [&] { press(TQzReplaceRequest::FindNext); });
    QObject::connect(replace, &QPushButton::clicked, &dialog,
                     [&] { press(TQzReplaceRequest::Replace); });
    QObject::connect(all, &QPushButton::clicked, &dialog,
                     [&] { press(TQzReplaceRequest::ReplaceAll); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const auto enable = [&] {
        for (QPushButton* b : {next, replace, all})
            b->setEnabled(!text->text().isEmpty());
    };
    QObject::connect(text, &QLineEdit::textChanged, &dialog, enable);
    enable();
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return TQzReplaceRequest{text->text(), with->text(), matchCase->isChecked(),
                             wholeWord->isChecked(), action};
}
