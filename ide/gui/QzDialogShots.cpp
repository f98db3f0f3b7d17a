#include "QzDialogShots.h"

#include "DesignDialogs.h"
#include "FileWrite.h"
#include "QzDesignerHost.h"
#include "QzFormDesigner.h"
#include "QzUi.h"
#include "SysUtils.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QPixmap>
#include <QPointer>
#include <memory>

namespace {

// Renders the first dialog run modally and cancels it; every other dialog is cancelled and every
// message takes the answer that changes nothing.
class TQzShotUi : public TQzUiService {
public:
    explicit TQzShotUi(QStringList& messages) : FMessages(messages) {}

    int ExecDialog(QDialog& dialog) override {
        if (!FShot) {
            dialog.show();
            Shoot(dialog);
        }
        dialog.done(2);
        return 2;
    }
    TQzButtonKind Message(const TQzMessageRequest& request) override {
        FMessages << request.Text;
        for (TQzButtonKind safe : {bkCancel, bkNo, bkOk})
            if (request.Buttons.contains(safe))
                return safe;
        return request.Buttons.isEmpty() ? bkOk : request.Buttons.first();
    }
    std::optional<QStringList> FileDialog(const TQzFileRequest&) override { return {}; }
    std::optional<QString> FolderDialog(const QString&, const QString&) override { return {}; }
    std::optional<QColor> ColorDialog(const QColor&) override { return {}; }
    std::optional<QFont> FontDialog(const QFont&) override { return {}; }
    bool PrinterDialog(QPrinter&) override { return false; }
    std::optional<TQzFindRequest> FindDialog(const TQzFindRequest&) override { return {}; }

    // The window laid out and painted as it would be on the screen.
    void Shoot(QWidget& window) {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents();
        }
        FShot = window.grab();
    }
    const std::optional<QPixmap>& Shot() const { return FShot; }

private:
    QStringList& FMessages;
    std::optional<QPixmap> FShot;
};

} // namespace

void QzWriteScreenshot(const QPixmap& shot, const QString& fileName) {
    QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
    if (format.isEmpty())
        format = "png";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!shot.save(&buffer, format.constData())) {
        EFileWriteError error(QStringLiteral("Cannot write \"%1\": no picture format \"%2\"")
                                  .arg(fileName, QString::fromLatin1(format)));
        error.SetFile(fileName);
        throw error;
    }
    WriteFileAtomic(fileName, bytes);
}

QString QzDialogListing() {
    QString text;
    for (TDesignDialogClass dialog : DesignDialogs())
        text += dialog->ClassName + u'\n';
    return text;
}

TQzDialogShotResult QzDialogScreenshot(TQzDesignerHost& host, const QString& project,
                                       const QString& className, const QString& pngFile,
                                       QStringList& messages, QString& error) {
    TDesignDialogClass dialog = FindDesignDialog(className);
    if (!dialog) {
        error = QStringLiteral("the design package has no dialog %1").arg(className);
        return TQzDialogShotResult::UnknownClass;
    }
    TQzShotUi ui(messages);
    TQzUiService* previous = QzSetUi(&ui);
    TDesignDialogSubjects subjects;
    try {
        host.OpenProject(project);
        for (const TQzProjectUnit& unit : host.Project()->Units)
            if (!unit.FormName.isEmpty())
                subjects.Roots << host.OpenForm(unit.FileName)->GetRoot();
        if (QPointer<QWidget> window = dialog->Open(subjects)) {
            window->show();
            ui.Shoot(*window);
            delete window.data();
        }
    } catch (const Exception& e) {
        error = e.Message();
    }
    QzSetUi(previous);
    if (!error.isEmpty())
        return TQzDialogShotResult::Failed;
    if (!ui.Shot()) {
        error = QStringLiteral("%1 showed no window").arg(className);
        return TQzDialogShotResult::Failed;
    }
    try {
        QzWriteScreenshot(*ui.Shot(), pngFile);
    } catch (const Exception& e) {
        error = e.Message();
        return TQzDialogShotResult::Failed;
    }
    return TQzDialogShotResult::Written;
}
