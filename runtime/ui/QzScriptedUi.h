#pragma once

// A UI service that answers from a script, for tests. Each call must match the next expected
// one; an unexpected call, or a script left unfinished, is reported through the failure handler
// (tests make it fail the test).

#include "QzUi.h"

#include <deque>
#include <functional>

class TQzScriptedUi : public TQzUiService {
public:
    using FailureHandler = std::function<void(const QString& failure)>;

    // Installs itself for its lifetime; the destructor reports unconsumed expectations.
    explicit TQzScriptedUi(FailureHandler onFailure);
    ~TQzScriptedUi() override;

    // A dialog whose class (or object name) is `name`. `act` drives the real widgets, typically
    // ending with a button click or done(); the call returns the dialog's result afterwards.
    TQzScriptedUi& ExpectDialog(const QString& name, std::function<void(QDialog&)> act);
    TQzScriptedUi& ExpectMessage(std::function<TQzButtonKind(const TQzMessageRequest&)> answer);
    // A numbered message of the "System" strings (or of `package`), answered with `answer`.
    TQzScriptedUi& ExpectMessage(int messageId, TQzButtonKind answer,
                                 const QString& package = QStringLiteral("System"));
    TQzScriptedUi&
    ExpectFile(std::function<std::optional<QStringList>(const TQzFileRequest&)> answer);
    TQzScriptedUi& ExpectFolder(std::optional<QString> answer);
    TQzScriptedUi& ExpectColor(std::optional<QColor> answer);
    TQzScriptedUi& ExpectFont(std::optional<QFont> answer);
    TQzScriptedUi& ExpectPrinter(std::function<bool(QPrinter&)> answer);
    TQzScriptedUi& ExpectFind(std::optional<TQzFindRequest> answer);
    TQzScriptedUi& ExpectReplace(std::optional<TQzReplaceRequest> answer);

    bool Done() const { return FExpected.empty(); }
    // Every message shown so far, for assertions on wording.
    const QList<TQzMessageRequest>& Messages() const { return FMessages; }

    int ExecDialog(QDialog& dialog) override;
    TQzButtonKind Message(const TQzMessageRequest& request) override;
    std::optional<QStringList> FileDialog(const TQzFileRequest& request) override;
    std::optional<QString> FolderDialog(const QString& title, const QString& directory) override;
    std::optional<QColor> ColorDialog(const QColor& initial) override;
    std::optional<QFont> FontDialog(const QFont& initial) override;
    bool PrinterDialog(QPrinter& printer) override;
    std::optional<TQzFindRequest> FindDialog(const TQzFindRequest& initial) override;
    std::optional<TQzReplaceRequest> ReplaceDialog(const TQzReplaceRequest& initial) override;

private:
    enum class Kind { Dialog, Message, File, Folder, Color, Font, Printer, Find, Replace };
    struct Expectation {
        Kind kind = Kind::Dialog;
        QString Name;
        std::function<void(QDialog&)> Act;
        std::function<TQzButtonKind(const TQzMessageRequest&)> Answer;
        std::function<std::optional<QStringList>(const TQzFileRequest&)> Files;
        std::optional<QString> Folder;
        std::optional<QColor> Color;
        std::optional<QFont> Font;
        std::function<bool(QPrinter&)> Printer;
        std::optional<TQzFindRequest> Find;
        std::optional<TQzReplaceRequest> Replace;
    };
    Expectation& push(Kind kind, const QString& name);
    // The next expectation when it is of `kind`; otherwise the failure is reported.
    std::optional<Expectation> next(Kind kind, const QString& what);
    static QString kindName(Kind kind);

    FailureHandler FOnFailure;
    std::deque<Expectation> FExpected;
    QList<TQzMessageRequest> FMessages;
    TQzUiService* FPrevious;
};
