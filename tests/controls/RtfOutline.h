#pragma once

// What a rich text document holds, as text that two documents can be compared by: one line per
// paragraph (alignment, list style, then runs of characters sharing every attribute, each
// attribute resolved against the document's default font), pictures by size and pixels.
// Shared by the rich text tests and the fuzz target.

#include <QCryptographicHash>
#include <QFont>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

inline QString RtfRunAttributes(const QTextDocument& document, const QTextCharFormat& format) {
    const QFont base = document.defaultFont();
    const QStringList families = format.fontFamilies().toStringList();
    const double size =
        format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : base.pointSizeF();
    const bool bold = format.hasProperty(QTextFormat::FontWeight)
                          ? format.fontWeight() >= QFont::DemiBold
                          : base.bold();
    const auto brush = [&](QTextFormat::Property p) {
        return format.hasProperty(p) && format.brushProperty(p).style() != Qt::NoBrush
                   ? format.brushProperty(p).color().name()
                   : QStringLiteral("auto");
    };
    QString text =
        QStringLiteral("%1 %2%3%4%5%6 %7/%8")
            .arg(families.isEmpty() ? base.family() : families.first())
            .arg(size)
            .arg(bold ? QStringLiteral(" b") : QString())
            .arg(format.fontItalic() ? QStringLiteral(" i") : QString())
            .arg(format.fontUnderline() ? QStringLiteral(" u") : QString())
            .arg(format.fontStrikeOut() ? QStringLiteral(" s") : QString())
            .arg(brush(QTextFormat::ForegroundBrush), brush(QTextFormat::BackgroundBrush));
    if (format.isImageFormat()) {
        const QTextImageFormat image = format.toImageFormat();
        const QImage picture = document.resource(QTextDocument::ImageResource, QUrl(image.name()))
                                   .value<QImage>()
                                   .convertToFormat(QImage::Format_ARGB32);
        const QByteArray bits(reinterpret_cast<const char*>(picture.constBits()),
                              picture.sizeInBytes());
        text += QStringLiteral(" picture %1x%2 shown %3x%4 %5")
                    .arg(picture.width())
                    .arg(picture.height())
                    .arg(std::lround((image.width() > 0 ? image.width() : picture.width()) * 15))
                    .arg(std::lround((image.height() > 0 ? image.height() : picture.height()) * 15))
                    .arg(QString::fromLatin1(
                        QCryptographicHash::hash(bits, QCryptographicHash::Md5).toHex()));
    }
    return text;
}

inline QString RtfOutline(const QTextDocument& document) {
    QString outline;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        outline += align & Qt::AlignHCenter                       ? QStringLiteral("center")
                   : align & Qt::AlignJustify                     ? QStringLiteral("justify")
                   : align & (Qt::AlignRight | Qt::AlignTrailing) ? QStringLiteral("right")
                                                                  : QStringLiteral("left");
        if (const QTextList* list = block.textList()) {
            const QTextListFormat::Style style = list->format().style();
            const bool bullet = style == QTextListFormat::ListDisc ||
                                style == QTextListFormat::ListCircle ||
                                style == QTextListFormat::ListSquare;
            outline += bullet ? QStringLiteral(" bullet") : QStringLiteral(" list%1").arg(style);
        }
        outline += u' ';
        QString attributes;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString here = RtfRunAttributes(document, fragment.charFormat());
            if (here != attributes) {
                outline += QStringLiteral("[%1]").arg(here);
                attributes = here;
            }
            outline += fragment.text();
        }
        outline += u'\n';
    }
    return outline;
}
