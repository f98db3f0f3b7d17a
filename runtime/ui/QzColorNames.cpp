#include "QzColorNames.h"

#include <array>

namespace {

struct TColorName {
    int Color;
    const char* Name;
};

constexpr int systemColor(int index) {
    return int(0xFF000000u | unsigned(index));
}

// The system colours follow the indexes the painter maps onto the palette.
constexpr std::array<TColorName, 50> Names = {{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {systemColor(0), "clScrollBar"},
    {systemColor(1), "clBackground"},
    {systemColor(2), "clActiveCaption"},
    {systemColor(3), "clInactiveCaption"},
    {systemColor(4), "clMenu"},
    {systemColor(5), "clWindow"},
    {systemColor(6), "clWindowFrame"},
    {systemColor(7), "clMenuText"},
    {systemColor(8), "clWindowText"},
    {systemColor(9), "clCaptionText"},
    {systemColor(10), "clActiveBorder"},
    {systemColor(11), "clInactiveBorder"},
    {systemColor(12), "clAppWorkSpace"},
    {systemColor(13), "clHighlight"},
    {systemColor(14), "clHighlightText"},
    {systemColor(15), "clBtnFace"},
    {systemColor(16), "clBtnShadow"},
    {systemColor(17), "clGrayText"},
    {systemColor(18), "clBtnText"},
    {systemColor(19), "clInactiveCaptionText"},
    {systemColor(20), "clBtnHighlight"},
    {systemColor(21), "cl3DDkShadow"},
    {systemColor(22), "cl3DLight"},
    {systemColor(23), "clInfoText"},
    {systemColor(24), "clInfoBk"},
    {systemColor(26), "clHotLight"},
    {systemColor(27), "clGradientActiveCaption"},
    {systemColor(28), "clGradientInactiveCaption"},
    {systemColor(29), "clMenuHighlight"},
    {systemColor(30), "clMenuBar"},
}};

} // namespace

const QStringList& QzColorNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const TColorName& entry : Names)
            list << QString::fromLatin1(entry.Name);
        return list;
    }();
    return names;
}

QString QzColorToString(int color) {
    for (const TColorName& entry : Names)
        if (entry.Color == color)
            return QString::fromLatin1(entry.Name);
    return QStringLiteral("$%1").arg(quint32(color), 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<int> QzStringToColor(const QString& text) {
    const QString trimmed = text.trimmed();
    for (const TColorName& entry : Names)
        if (trimmed.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0)
            return entry.Color;
    bool ok = false;
    qint64 value = 0;
    if (trimmed.startsWith(u'$'))
        value = trimmed.mid(1).toLongLong(&ok, 16);
    else
        value = trimmed.toLongLong(&ok, 10);
    if (!ok || value < INT32_MIN || value > UINT32_MAX)
        return std::nullopt;
    return int(quint32(value));
}
