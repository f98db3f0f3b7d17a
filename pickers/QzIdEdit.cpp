#include "pickers/QzIdEdit.h"

#include "QzExcept.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

class TQzIdKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace)
            return false;
        // Keys that type nothing (arrows, Tab, Enter, shortcuts) keep their work.
        const QString text = key->text();
        if (text.isEmpty() || !text[0].isPrint())
            return false;
        for (QChar c : text)
            if (c < u'0' || c > u'9')
                return true;
        return false;
    }
};

} // namespace

// The validator stops what no key brings, such as pasted or dropped text; the texts the
// program sets itself ("-1" for none) are not validated.
void QzRestrictIdEdit(QLineEdit* edit) {
    edit->setMaxLength(4);
    edit->installEventFilter(new TQzIdKeyFilter(edit));
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), edit));
}

// -1 and -2 stand for no item and the default one, so an item's id is never below 0.
int QzTypedId(const QString& text) {
    const QString digits = text.trimmed();
    bool ok = false;
    const int id = digits.toInt(&ok);
    if (!ok || id < 0 || digits.size() > 4)
        QzExcept(
            QStringLiteral("'%1' is not a valid id: an id is a number from 0 to 9999").arg(text));
    return id;
}
