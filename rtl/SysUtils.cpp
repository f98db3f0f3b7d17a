#include "SysUtils.h"

#include <clocale>
#include <cstring>

Exception::Exception(QString message, int line)
    : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()), FLine(line) {}

QString SysErrorMessage(int errorCode) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return QString::fromLocal8Bit(strerror_l(errorCode, cLocale));
}

bool IsValidIdent(const QString& ident) {
    if (ident.isEmpty())
        return false;
    for (qsizetype i = 0; i < ident.size(); ++i) {
        const QChar c = ident[i];
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
        const bool digit = c >= u'0' && c <= u'9';
        if (!letter && !(digit && i > 0))
            return false;
    }
    return true;
}

bool SameText(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
