#include "QzColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <limits>

namespace {

constexpr int SystemBase = int(0xFF000000);

struct TSystemColor {
    const char* Name;
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// By system colour index; the unused index has no name and is painted black.
constexpr std::array<TSystemColor, 31> SystemColors = {{
    {"clScrollBar", QPalette::Active, QPalette::Midlight},
    {"clBackground", QPalette::Active, QPalette::Dark},
    {"clActiveCaption", QPalette::Active, QPalette::Highlight},
    {"clInactiveCaption", QPalette::Inactive, QPalette::Highlight},
    {"clMenu", QPalette::Active, QPalette::Window},
    {"clWindow", QPalette::Active, QPalette::Base},
    {"clWindowFrame", QPalette::Active, QPalette::Shadow},
    {"clMenuText", QPalette::Active, QPalette::WindowText},
    {"clWindowText", QPalette::Active, QPalette::Text},
    {"clCaptionText", QPalette::Active, QPalette::HighlightedText},
    {"clActiveBorder", QPalette::Active, QPalette::Window},
    {"clInactiveBorder", QPalette::Inactive, QPalette::Window},
    {"clAppWorkSpace", QPalette::Active, QPalette::Mid},
    {"clHighlight", QPalette::Active, QPalette::Highlight},
    {"clHighlightText", QPalette::Active, QPalette::HighlightedText},
    {"clBtnFace", QPalette::Active, QPalette::Button},
    {"clBtnShadow", QPalette::Active, QPalette::Dark},
    {"clGrayText", QPalette::Disabled, QPalette::Text},
    {"clBtnText", QPalette::Active, QPalette::ButtonText},
    {"clInactiveCaptionText", QPalette::Inactive, QPalette::HighlightedText},
    {"clBtnHighlight", QPalette::Active, QPalette::Light},
    {"cl3DDkShadow", QPalette::Active, QPalette::Shadow},
    {"cl3DLight", QPalette::Active, QPalette::Midlight},
    {"clInfoText", QPalette::Active, QPalette::ToolTipText},
    {"clInfoBk", QPalette::Active, QPalette::ToolTipBase},
    {nullptr, QPalette::Active, QPalette::NoRole},
    {"clHotLight", QPalette::Active, QPalette::Link},
    {"clGradientActiveCaption", QPalette::Active, QPalette::Highlight},
    {"clGradientInactiveCaption", QPalette::Inactive, QPalette::Highlight},
    {"clMenuHighlight", QPalette::Active, QPalette::Highlight},
    {"clMenuBar", QPalette::Active, QPalette::Window},
}};

// Plain colours as 0x00BBGGRR.
constexpr std::pair<const char*, int> PlainColors[] = {
    {"clBlack", 0x000000}, {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},  {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},   {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
};

} // namespace

const QList<TQzColorName>& QzColorNames() {
    static const QList<TQzColorName> names = [] {
        QList<TQzColorName> list;
        for (const auto& [name, value] : PlainColors)
            list.push_back({QString::fromLatin1(name), value});
        for (std::size_t i = 0; i < SystemColors.size(); ++i)
            if (SystemColors[i].Name)
                list.push_back({QString::fromLatin1(SystemColors[i].Name), SystemBase | int(i)});
        list.push_back({QStringLiteral("clNone"), clNone});
        list.push_back({QStringLiteral("clDefault"), clDefault});
        return list;
    }();
    return names;
}

QString QzColorToIdent(int color) {
    for (const TQzColorName& entry : QzColorNames())
        if (entry.Value == color)
            return entry.Name;
    return u'$' + QStringLiteral("%1").arg(quint32(color), 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<int> QzIdentToColor(const QString& text) {
    const QString trimmed = text.trimmed();
    for (const TQzColorName& entry : QzColorNames())
        if (trimmed.compare(entry.Name, Qt::CaseInsensitive) == 0)
            return entry.Value;
    bool ok = false;
    if (trimmed.startsWith(u'$')) {
        const quint32 value = trimmed.mid(1).toUInt(&ok, 16);
        if (ok && trimmed.size() <= 9)
            return int(value);
        return std::nullopt;
    }
    const qint64 value = trimmed.toLongLong(&ok);
    if (ok && value >= std::numeric_limits<qint32>::min() &&
        value <= std::numeric_limits<quint32>::max())
        return int(quint32(value));
    return std::nullopt;
}

QColor QzSystemColor(int index) {
    if (index < 0 || index >= int(SystemColors.size()) ||
        SystemColors[std::size_t(index)].Role == QPalette::NoRole)
        return QColor(Qt::black);
    const TSystemColor& c = SystemColors[std::size_t(index)];
    return QGuiApplication::palette().color(c.Group, c.Role);
}
