#include "GraphicsEditors.h"

#include "Graphics.h"
#include "QzColors.h"
#include "QzDraw.h"
#include "QzUi.h"

#include <QFont>

// ---------------------------------------------------------------------------------------------
// Colours

TPropertyAttributes TColorProperty::GetAttributes() {
    return paMultiSelect | paDialog | paValueList | paRevertable;
}

QString TColorProperty::GetValue() {
    return QzColorToIdent(int(GetOrdValue()));
}

void TColorProperty::SetValue(const QString& value) {
    const std::optional<int> color = QzIdentToColor(value);
    if (!color)
        throw EConvertError(QStringLiteral("'%1' is not a valid colour").arg(value));
    SetOrdValue(*color);
}

void TColorProperty::GetValues(const TGetStrProc& proc) {
    for (const TQzColorName& entry : QzColorNames())
        proc(entry.Name);
}

void TColorProperty::Edit() {
    if (const std::optional<QColor> chosen =
            QzUi().ColorDialog(QzColorToQColor(int(GetOrdValue()))))
        SetOrdValue(QzQColorToColor(*chosen));
}

// ---------------------------------------------------------------------------------------------
// Fonts

TPropertyAttributes TFontProperty::GetAttributes() {
    return TClassProperty::GetAttributes() | paDialog;
}

void TFontProperty::Edit() {
    auto* first = qobject_cast<TFont*>(GetObjectValue());
    if (!first)
        return;
    QFont initial(first->Name(), first->Size());
    initial.setBold(first->Style().testFlag(TFont::fsBold));
    initial.setItalic(first->Style().testFlag(TFont::fsItalic));
    initial.setUnderline(first->Style().testFlag(TFont::fsUnderline));
    initial.setStrikeOut(first->Style().testFlag(TFont::fsStrikeOut));
    const std::optional<QFont> chosen = QzUi().FontDialog(initial);
    if (!chosen)
        return;
    TFont::TFontStyles style;
    style.setFlag(TFont::fsBold, chosen->bold());
    style.setFlag(TFont::fsItalic, chosen->italic());
    style.setFlag(TFont::fsUnderline, chosen->underline());
    style.setFlag(TFont::fsStrikeOut, chosen->strikeOut());
    const int size = chosen->pointSize() > 0 ? chosen->pointSize() : first->Size();
    for (int i = 0; i < PropCount(); ++i)
        if (auto* font = qobject_cast<TFont*>(GetObjectValueAt(i))) {
            font->SetName(chosen->family());
            font->SetSize(size);
            font->SetStyle(style);
        }
    Modified();
}

// ---------------------------------------------------------------------------------------------
// Short cuts

namespace {

constexpr int scShift = 0x2000;
constexpr int scCtrl = 0x4000;
constexpr int scAlt = 0x8000;

// Keys by virtual key code that are not a letter, a digit or a function key.
constexpr std::pair<int, const char*> NamedKeys[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

QString keyName(int key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return QString(QChar(key));
    if (key >= 0x70 && key <= 0x87)
        return QStringLiteral("F%1").arg(key - 0x6F);
    for (const auto& [code, name] : NamedKeys)
        if (code == key)
            return QString::fromLatin1(name);
    return {};
}

int keyOf(const QString& name) {
    for (int key = 1; key < 0x100; ++key)
        if (const QString known = keyName(key);
            !known.isEmpty() && known.compare(name, Qt::CaseInsensitive) == 0)
            return key;
    return -1;
}

} // namespace

QString ShortCutToText(int shortCut) {
    const QString key = keyName(shortCut & 0xFF);
    if (shortCut == 0 || key.isEmpty())
        return {};
    QString text;
    if (shortCut & scShift)
        text += QStringLiteral("Shift+");
    if (shortCut & scCtrl)
        text += QStringLiteral("Ctrl+");
    if (shortCut & scAlt)
        text += QStringLiteral("Alt+");
    return text + key;
}

int TextToShortCut(const QString& text) {
    QString rest = text.trimmed();
    if (rest.isEmpty() || rest.compare(u"(None)", Qt::CaseInsensitive) == 0)
        return 0;
    int modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const auto& [word, bit] : {std::pair{u"Shift+", scShift}, std::pair{u"Ctrl+", scCtrl},
                                        std::pair{u"Alt+", scAlt}})
            if (rest.startsWith(QStringView(word), Qt::CaseInsensitive) &&
                rest.size() > QStringView(word).size()) {
                modifiers |= bit;
                rest = rest.mid(QStringView(word).size());
                found = true;
            }
    }
    const int key = keyOf(rest);
    return key < 0 ? -1 : modifiers | key;
}

TPropertyAttributes TShortCutProperty::GetAttributes() {
    return paMultiSelect | paValueList | paRevertable;
}

QString TShortCutProperty::GetValue() {
    const int value = int(GetOrdValue());
    if (value == 0)
        return QStringLiteral("(None)");
    const QString text = ShortCutToText(value);
    return text.isEmpty() ? QString::number(value) : text;
}

void TShortCutProperty::SetValue(const QString& value) {
    const int shortCut = TextToShortCut(value);
    if (shortCut >= 0)
        return SetOrdValue(shortCut);
    bool number = false;
    value.trimmed().toInt(&number);
    if (!number)
        throw EConvertError(QStringLiteral("'%1' is not a valid short cut").arg(value));
    TIntegerProperty::SetValue(value);
}

void TShortCutProperty::GetValues(const TGetStrProc& proc) {
    proc(QStringLiteral("(None)"));
    for (int modifiers : {scCtrl, scCtrl | scAlt})
        for (int key = 'A'; key <= 'Z'; ++key)
            proc(ShortCutToText(modifiers | key));
    for (int modifiers : {0, scCtrl, scShift, scShift | scCtrl})
        for (int key = 0x70; key <= 0x7B; ++key)
            proc(ShortCutToText(modifiers | key));
    for (int modifiers : {0, scShift, scCtrl})
        proc(ShortCutToText(modifiers | 0x2D));
    for (int modifiers : {0, scShift, scCtrl})
        proc(ShortCutToText(modifiers | 0x2E));
    proc(ShortCutToText(scAlt | 0x08));
    proc(ShortCutToText(scShift | scAlt | 0x08));
}
