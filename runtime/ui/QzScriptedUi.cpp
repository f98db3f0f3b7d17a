#include "QzScriptedUi.h"

#include <QDialog>

TQzScriptedUi::TQzScriptedUi(FailureHandler onFailure)
    : FOnFailure(std::move(onFailure)), FPrevious(QzSetUi(this)) {}

TQzScriptedUi::~TQzScriptedUi() {
    QzSetUi(FPrevious);
    if (!FExpected.empty())
        FOnFailure(QStringLiteral("%1 expected UI call(s) never came; the next was a %2 %3")
                       .arg(FExpected.size())
                       .arg(kindName(FExpected.front().kind), FExpected.front().Name));
}

QString TQzScriptedUi::kindName(Kind kind) {
    switch (kind) {
    case Kind::Dialog:
        return QStringLiteral("dialog");
    case Kind::Message:
        return QStringLiteral("message box");
    case Kind::File:
        return QStringLiteral("file dialog");
    case Kind::Folder:
        return QStringLiteral("folder dialog");
    case Kind::Color:
        return QStringLiteral("colour dialog");
    case Kind::Font:
        return QStringLiteral("font dialog");
    case Kind::Printer:
        return QStringLiteral("printer dialog");
    case Kind::Find:
        return QStringLiteral("find dialog");
    case Kind::Replace:
        return QStringLiteral("replace dialog");
    }
    return QString();
}

std::optional<TQzScriptedUi::Expectation> TQzScriptedUi::next(Kind kind, const QString& what) {
    if (FExpected.empty()) {
        FOnFailure(QStringLiteral("Unexpected %1 %2").arg(kindName(kind), what));
        return std::nullopt;
    }
    if (FExpected.front().kind != kind) {
        FOnFailure(QStringLiteral("Expected a %1 %2 but got a %3 %4")
                       .arg(kindName(FExpected.front().kind), FExpected.front().Name,
                            kindName(kind), what));
        return std::nullopt;
    }
    Expectation e = std::move(FExpected.front());
    FExpected.pop_front();
    return e;
}

TQzScriptedUi::Expectation& TQzScriptedUi::push(Kind kind, const QString& name) {
    FExpected.push_back(Expectation{});
    FExpected.back().kind = kind;
    FExpected.back().Name = name;
    return FExpected.back();
}

TQzScriptedUi& TQzScriptedUi::ExpectDialog(const QString& name, std::function<void(QDialog&)> act) {
    push(Kind::Dialog, name).Act = std::move(act);
    return *this;
}

TQzScriptedUi&
TQzScriptedUi::ExpectMessage(std::function<TQzButtonKind(const TQzMessageRequest&)> answer) {
    push(Kind::Message, QString()).Answer = std::move(answer);
    return *this;
}

TQzScriptedUi& TQzScriptedUi::ExpectMessage(int messageId, TQzButtonKind answer,
                                            const QString& package) {
    const QString name = QStringLiteral("%1 #%2").arg(package).arg(messageId);
    push(Kind::Message, name).Answer = [this, messageId, answer,
                                        package](const TQzMessageRequest& r) {
        if (r.MessageId != messageId || r.Package.compare(package, Qt::CaseInsensitive) != 0)
            FOnFailure(QStringLiteral("Expected message %1 #%2 but got %3 #%4: %5")
                           .arg(package)
                           .arg(messageId)
                           .arg(r.Package)
                           .arg(r.MessageId)
                           .arg(r.Text));
        return answer;
    };
    return *this;
}

TQzScriptedUi&
TQzScriptedUi::ExpectFile(std::function<std::optional<QStringList>(const TQzFileRequest&)> answer) {
    push(Kind::File, QString()).Files = std::move(answer);
    return *this;
}

TQzScriptedUi& TQzScriptedUi::ExpectFolder(std::optional<QString> answer) {
    push(Kind::Folder, QString()).Folder = std::move(answer);
    return *this;
}

TQzScriptedUi& TQzScriptedUi::ExpectColor(std::optional<QColor> answer) {
    push(Kind::Color, QString()).Color = answer;
    return *this;
}

TQzScriptedUi& TQzScriptedUi::ExpectFont(std::optional<QFont> answer) {
    push(Kind::Font, QString()).Font = std::move(answer);
    return *this;
}

TQzScriptedUi& TQzScriptedUi::ExpectPrinter(std::function<bool(QPrinter&)> answer) {
    push(Kind::Printer, QString()).Printer = std::move(answer);
    return *this;
}

TQzScriptedUi& TQzScriptedUi::ExpectFind(std::optional<TQzFindRequest> answer) {
    push(Kind::Find, QString()).Find = std::move(answer);
    return *this;
}

TQzScriptedUi& TQzScriptedUi::ExpectReplace(std::optional<TQzReplaceRequest> answer) {
    push(Kind::Replace, QString()).Replace = std::move(answer);
    return *this;
}

int TQzScriptedUi::ExecDialog(QDialog& dialog) {
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    auto e = next(Kind::Dialog, className);
    if (!e)
        return 2;
    if (e->Name != className && e->Name != dialog.objectName()) {
        FOnFailure(QStringLiteral("Expected dialog %1 but got %2").arg(e->Name, className));
        return 2;
    }
    // Shown like a modal window so that focus, visibility and layouts behave as for a person.
    dialog.setResult(0);
    dialog.show();
    if (e->Act)
        e->Act(dialog);
    if (dialog.isVisible()) {
        FOnFailure(QStringLiteral("The script left dialog %1 open").arg(className));
        dialog.done(2);
    }
    return dialog.result();
}

TQzButtonKind TQzScriptedUi::Message(const TQzMessageRequest& request) {
    FMessages.push_back(request);
    auto e = next(Kind::Message, request.Text);
    return e && e->Answer ? e->Answer(request) : bkCancel;
}

std::optional<QStringList> TQzScriptedUi::FileDialog(const TQzFileRequest& request) {
    auto e = next(Kind::File, request.Title);
    return e && e->Files ? e->Files(request) : std::nullopt;
}

std::optional<QString> TQzScriptedUi::FolderDialog(const QString& title, const QString&) {
    auto e = next(Kind::Folder, title);
    return e ? e->Folder : std::nullopt;
}

std::optional<QColor> TQzScriptedUi::ColorDialog(const QColor& initial) {
    auto e = next(Kind::Color, initial.name());
    return e ? e->Color : std::nullopt;
}

std::optional<QFont> TQzScriptedUi::FontDialog(const QFont& initial) {
    auto e = next(Kind::Font, initial.family());
    return e ? e->Font : std::nullopt;
}

bool TQzScriptedUi::PrinterDialog(QPrinter& printer) {
    auto e = next(Kind::Printer, QString());
    return e && e->Printer ? e->Printer(printer) : false;
}

std::optional<TQzFindRequest> TQzScriptedUi::FindDialog(const TQzFindRequest& initial) {
    auto e = next(Kind::Find, initial.Text);
    return e ? e->Find : std::nullopt;
}

std::optional<TQzReplaceRequest> TQzScriptedUi::ReplaceDialog(const TQzReplaceRequest& initial) {
    auto e = next(Kind::Replace, initial.Text);
    return e ? e->Replace : std::nullopt;
}
