#pragma once

// The one place where the library waits for a person: modal dialogs, message boxes and the
// standard file, folder, colour, font, printer and find dialogs. The Qt implementation shows
// real windows; tests install a scripted one. Nothing else knows which one is installed.

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class QDialog;
class QPrinter;
class QWidget;

enum class TQzMessageType { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3 };

// Button kinds of message boxes; a message box returns the kind pressed.
enum TQzButtonKind : int {
    bkNone = 0,
    bkOk = 1,
    bkCancel = 2,
    bkAbort = 3,
    bkYes = 4,
    bkNo = 5,
    bkRetry = 6,
    bkIgnore = 7,
    bkAll = 8,
    bkNoToAll = 9,
    bkYesToAll = 10,
    bkClose = 11,
};
using TQzButtons = QList<TQzButtonKind>;

struct TQzMessageRequest {
    TQzMessageType Type = TQzMessageType::mtInformation;
    QString Text;
    TQzButtons Buttons;
    TQzButtonKind Default = bkNone;
    // For numbered messages: the strings package and message id the text came from.
    QString Package;
    int MessageId = -1;
};

struct TQzFileRequest {
    enum Mode { Open, OpenMany, Save };
    Mode mode = Open;
    QString Title;
    QString Directory;
    QString FileName;
    QString Filter; // "Text files (*.txt);;All files (*)"
    QString DefaultSuffix;
};

struct TQzFindRequest {
    QString Text;
    bool MatchCase = false;
    bool WholeWord = false;
    bool Down = true;
};

// What the replace dialog asks for: the texts and options, and which of its buttons was pressed.
struct TQzReplaceRequest {
    enum TAction { FindNext, Replace, ReplaceAll };
    QString Text;
    QString ReplaceWith;
    bool MatchCase = false;
    bool WholeWord = false;
    TAction Action = FindNext;
};

class TQzUiService {
public:
    virtual ~TQzUiService();

    // Runs `dialog` modally and returns its modal result (1 OK, 2 Cancel, ...).
    virtual int ExecDialog(QDialog& dialog) = 0;
    virtual TQzButtonKind Message(const TQzMessageRequest& request) = 0;
    // The chosen files, or none when cancelled.
    virtual std::optional<QStringList> FileDialog(const TQzFileRequest& request) = 0;
    virtual std::optional<QString> FolderDialog(const QString& title, const QString& directory) = 0;
    virtual std::optional<QColor> ColorDialog(const QColor& initial) = 0;
    virtual std::optional<QFont> FontDialog(const QFont& initial) = 0;
    // Lets the person choose printer and options; false when cancelled.
    virtual bool PrinterDialog(QPrinter& printer) = 0;
    virtual std::optional<TQzFindRequest> FindDialog(const TQzFindRequest& initial) = 0;
    // The replace dialog: one button press each call (the caller acts on it and asks again
    // while the person goes on); none when closed. A service without one closes it at once.
    virtual std::optional<TQzReplaceRequest> ReplaceDialog(const TQzReplaceRequest& initial);
};

// The service in use. The Qt one is installed until someone installs another.
TQzUiService& QzUi();
// Installs `service` (not owned) and returns the previous one; nullptr restores the Qt one.
TQzUiService* QzSetUi(TQzUiService* service);

// The Qt implementation: real windows.
class TQzQtUi : public TQzUiService {
public:
    int ExecDialog(QDialog& dialog) override;
    TQzButtonKind Message(const TQzMessageRequest& request) override;
    std::optional<QStringList> FileDialog(const TQzFileRequest& request) override;
    std::optional<QString> FolderDialog(const QString& title, const QString& directory) override;
    std::optional<QColor> ColorDialog(const QColor& initial) override;
    std::optional<QFont> FontDialog(const QFont& initial) override;
    bool PrinterDialog(QPrinter& printer) override;
    std::optional<TQzFindRequest> FindDialog(const TQzFindRequest& initial) override;
    std::optional<TQzReplaceRequest> ReplaceDialog(const TQzReplaceRequest& initial) override;
};
