#include "controls/QzMaskOptions.h"

namespace {

const QString Alignments = QStringLiteral("<%>");
const QString NumberKeys = QStringLiteral("$*+-.0@kz");
const QString DateKeys = QStringLiteral("12DMadhmnosy");
const QString TextKeys = QStringLiteral("$*adflmstuw");

using O = TQzMaskOptions;

// Whether `options` hold one of `group` other than `except`.
bool anyOf(const QString& options, const QString& group, QChar except) {
    for (QChar c : group)
        if (c != except && options.contains(c))
            return true;
    return false;
}

TQzMaskCode flag(char16_t code, bool O::*field, const char* control) {
    return {QString(QChar(code)), field, nullptr, control};
}

TQzMaskCode choice(const char16_t* codes, int O::*field, const char* control) {
    return {QString::fromUtf16(codes), nullptr, field, control};
}

const QList<TQzMaskCode> NumberCodes = {
    choice(u"-+", &O::Negatives, "RGAcceptsNegatives"),
    flag(u'*', &O::SignRight, "CBSignRight"),
    flag(u'z', &O::NoZero, "CBNoZero"),
    flag(u'.', &O::Thousands, "CBThousands"),
    flag(u'&', &O::TrimDec, "CBTrimDec"),
    flag(u'k', &O::CheckRange, "CBCheckRange"),
    flag(u'$', &O::FillAllDigits, "CBFillAllDigits"),
    flag(u'0', &O::FillZeros, "CBFillZeros"),
    flag(u'@', &O::ShowCurrency, "CBShowCurrency"),
    choice(u"1234", &O::Scientific, "RGCientific"),
};

const QList<TQzMaskCode> DateCodes = {
    flag(u'd', &O::Day, "CBDay"),
    choice(u"D1", &O::DayName, "RGDay"),
    choice(u"mM2", &O::Month, "RGMonth"),
    choice(u"y", &O::Year, "RGYear"),
    flag(u'h', &O::Hour, "CBHour"),
    flag(u'n', &O::Minutes, "CBMinutes"),
    flag(u's', &O::Seconds, "CBSeconds"),
    flag(u'a', &O::AmPm, "CBAmPm"),
    flag(u'o', &O::Clock12, "CB12"),
    flag(u'k', &O::AutoAdjust12H, "CBAutoAdjust12H"),
    choice(u"zxcvbp", &O::Duration, "CBDuration"),
};

const QList<TQzMaskCode> TextCodes = {
    flag(u's', &O::AcceptsSymbols, "CBAcceptsSymbols"),
    flag(u'a', &O::AcceptsLetters, "CBAcceptsLetters"),
    flag(u'd', &O::AcceptsDigits, "CBAcceptsDigits"),
    flag(u'w', &O::AcceptsSpaces, "CBAcceptsSpaces"),
    flag(u't', &O::NoAutoTrim, "CBNoAutoTrim"),
    flag(u'$', &O::FillAllCharacters, "CBFillAllCharacters"),
    flag(u'm', &O::SaveMask, "CBSaveMask"),
    choice(u"ulf", &O::Case, "RGCase"),
    flag(u'*', &O::Password, "CBPassword"),
    flag(u'r', &O::DataAlignRight, "CBDataAlignRight"),
};

// The numeric day and the day name exclude each other though they are two controls.
const QString DayCodes = QStringLiteral("dD1");

void setCode(TQzMaskOptions& s, QChar c, TQzMaskKind kind) {
    if (Alignments.contains(c)) {
        s.Align = c;
        return;
    }
    for (const TQzMaskCode& code : QzMaskCodes(kind)) {
        const qsizetype at = code.Codes.indexOf(c);
        if (at < 0)
            continue;
        if (code.Flag)
            s.*code.Flag = true;
        else
            s.*code.Choice = int(at) + 1;
        if (kind == TQzMaskKind::DateTime && DayCodes.contains(c)) {
            if (c == u'd')
                s.DayName = 0;
            else
                s.Day = false;
        }
        return;
    }
}

} // namespace

const QList<TQzMaskCode>& QzMaskCodes(TQzMaskKind kind) {
    static const QList<TQzMaskCode> none;
    switch (kind) {
    case TQzMaskKind::Number:
        return NumberCodes;
    case TQzMaskKind::DateTime:
        return DateCodes;
    case TQzMaskKind::Text:
        return TextCodes;
    case TQzMaskKind::Other:
        break;
    }
    return none;
}

TQzMaskKind QzMaskKindOf(TQzDataType type) {
    switch (type) {
    case dtInteger:
    case dtFloat:
    case dtCurrency:
        return TQzMaskKind::Number;
    case dtString:
    case dtMemo:
        return TQzMaskKind::Text;
    case dtDateTime:
        return TQzMaskKind::DateTime;
    case dtOther:
        break;
    }
    return TQzMaskKind::Other;
}

QString QzDefaultMaskOptions(TQzDataType type) {
    switch (type) {
    case dtInteger:
        return QStringLiteral(">");
    case dtFloat:
    case dtCurrency:
        return QStringLiteral(">.-&");
    case dtString:
    case dtMemo:
        return QStringLiteral("<sadw");
    case dtDateTime:
        return QStringLiteral("<dmy");
    case dtOther:
        break;
    }
    return QString();
}

bool QzIsDefaultMask(const QString& options, TQzDataType type) {
    if (options.isEmpty())
        return true;
    const QString def = QzDefaultMaskOptions(type);
    if (options.size() != def.size())
        return false;
    for (QChar c : options)
        if (!def.contains(c))
            return false;
    return true;
}

void QzApplyMaskRules(TQzMaskOptions& s) {
    if (s.Day)
        s.DayName = 0;
    if (s.Duration > 0) {
        s.Day = false;
        s.DayName = 0;
        s.Month = 0;
        s.Year = 0;
        s.Clock12 = false;
    }
    if (s.Clock12)
        s.AmPm = true;
    else
        s.AutoAdjust12H = false;
}

TQzMaskOptions QzScanMaskOptions(const QString& options, TQzDataType type) {
    const TQzMaskKind kind = QzMaskKindOf(type);
    TQzMaskOptions s;
    if (QzIsDefaultMask(options, type)) {
        for (QChar c : QzDefaultMaskOptions(type))
            setCode(s, c, kind);
    } else if (kind != TQzMaskKind::Other) {
        // Every type starts from the left alignment, so that no other options come out empty,
        // which would read back as the default.
        s.Align = u'<';
    }
    for (QChar c : options)
        setCode(s, c, kind);
    QzApplyMaskRules(s);
    return s;
}

QString QzMakeMaskOptions(const TQzMaskOptions& s, TQzDataType type) {
    QString out;
    if (!s.Align.isNull())
        out += s.Align;
    for (const TQzMaskCode& code : QzMaskCodes(QzMaskKindOf(type))) {
        if (code.Flag && s.*code.Flag)
            out += code.Codes;
        else if (code.Choice && s.*code.Choice > 0)
            out += code.Codes.at(s.*code.Choice - 1);
    }
    return out;
}

bool QzMaskOptionsAcceptKey(const QString& options, QChar key, TQzDataType type) {
    if (options.contains(key))
        return false;
    if (Alignments.contains(key))
        return !anyOf(options, Alignments, key);
    const TQzMaskKind kind = QzMaskKindOf(type);
    const QString typeable = kind == TQzMaskKind::Number     ? NumberKeys
                             : kind == TQzMaskKind::DateTime ? DateKeys
                             : kind == TQzMaskKind::Text     ? TextKeys
                                                             : QString();
    if (!typeable.contains(key))
        return false;
    if (kind == TQzMaskKind::DateTime && DayCodes.contains(key))
        return !anyOf(options, DayCodes, key);
    for (const TQzMaskCode& code : QzMaskCodes(kind))
        if (code.Choice && code.Codes.contains(key))
            return !anyOf(options, code.Codes, key);
    return true;
}

TQzMaskTextParts QzSplitMaskText(const QString& text) {
    const QStringList parts = text.split(u';');
    return {parts.value(0), parts.value(1), parts.value(2),
            int(std::min<qsizetype>(parts.size(), 3))};
}

QString QzJoinMaskText(const QString& options, const QString& maskText, const QString& space,
                       TQzDataType type) {
    QString text = QzIsDefaultMask(options, type) ? QString() : options;
    if (QzMaskKindOf(type) == TQzMaskKind::Text && !maskText.trimmed().isEmpty()) {
        text = options + u';' + maskText;
        if (!space.trimmed().isEmpty())
            text += u';' + space;
    }
    return text;
}
