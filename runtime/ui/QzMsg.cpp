#include "QzMsg.h"

#include "QzSystemStrings.h"

namespace {

// The message's own text, or none. An empty text counts as none: an empty box tells nothing.
QString ownText(const QString& package, int id) {
    if (TQzPkgStrings* strings = QzFindPkgStrings(package))
        if (TQzPkgStringsText* message = strings->Messages()->FindId(id))
            if (!message->Text().isEmpty())
                return message->Text();
    if (package.compare(QzSystemPackageName, Qt::CaseInsensitive) == 0)
        return QzSystemMessageText(id);
    return QString();
}

TQzButtonKind show(TQzMessageType type, const QString& text, const TQzButtons& buttons,
                   TQzButtonKind defaultButton, const QString& package = QString(), int id = -1) {
    TQzMessageRequest request;
    request.Type = type;
    request.Text = text;
    request.Buttons = buttons.isEmpty() ? TQzButtons{bkOk} : buttons;
    request.Default = request.Buttons.contains(defaultButton) ? defaultButton : bkNone;
    request.Package = package;
    request.MessageId = id;
    return QzUi().Message(request);
}

} // namespace

QString QzFormatArgs(const QString& format, const QVariantList& args) {
    QString text;
    text.reserve(format.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        const QChar directive = i + 1 < format.size() ? format[i + 1] : QChar();
        if (c != u'%' || (directive != u's' && directive != u'd' && directive != u'%')) {
            text += c;
            continue;
        }
        ++i;
        if (directive == u'%')
            text += u'%';
        else if (next < args.size())
            text += args[next++].toString();
        else
            text += QStringView(format).mid(i - 1, 2);
    }
    return text;
}

QString QzMsgPkgText(const QString& package, int id) {
    const QString text = ownText(package, id);
    if (!text.isEmpty())
        return text;
    return QStringLiteral("Message %1 of package %2").arg(id).arg(package);
}

bool QzMsgPkgExists(const QString& package, int id) {
    return !ownText(package, id).isEmpty();
}

TQzButtonKind QzMsg(TQzMessageType type, const QString& text, const TQzButtons& buttons,
                    TQzButtonKind defaultButton) {
    return show(type, text, buttons, defaultButton);
}

TQzButtonKind QzMsgArgs(TQzMessageType type, const QString& format, const QVariantList& args,
                        const TQzButtons& buttons, TQzButtonKind defaultButton) {
    return show(type, QzFormatArgs(format, args), buttons, defaultButton);
}

TQzButtonKind QzMsgPkg(TQzMessageType type, const QString& package, int id,
                       const TQzButtons& buttons, TQzButtonKind defaultButton) {
    return show(type, QzMsgPkgText(package, id), buttons, defaultButton, package, id);
}

TQzButtonKind QzMsgPkgArgs(TQzMessageType type, const QString& package, int id,
                           const QVariantList& args, const TQzButtons& buttons,
                           TQzButtonKind defaultButton) {
    QString text = ownText(package, id);
    if (!text.isEmpty()) {
        text = QzFormatArgs(text, args);
    } else {
        // Without its format the arguments are all there is to tell.
        QStringList shown;
        for (const QVariant& arg : args)
            shown << arg.toString();
        text = QzMsgPkgText(package, id);
        if (!shown.isEmpty())
            text += QStringLiteral(": ") + shown.join(QStringLiteral(", "));
    }
    return show(type, text, buttons, defaultButton, package, id);
}
