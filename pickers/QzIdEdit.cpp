#include "pickers/QzIdEdit.h"

#include "QzExcept.h"

#include <QKeyEvent>
#include <QLineEdit>

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

void QzRestrictIdEdit(QLineEdit* edit) {
    edit->setMaxLength(4);
    edit->installEventFilter(new TQzIdKeyFilter(edit));
}

int QzTypedId(const QString& text) {
    bool ok = false;
    const int id = text.trimmed().toInt(&ok);
    if (!ok)
        QzExcept(QStringLiteral("'%1' is not a valid id").arg(text));
    return id;
}
