#include "controls/QzRtf.h"
#include "controls/QzRtfCodePage.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>

namespace {

// ---------------------------------------------------------------------------------------------
// Writing

// What a run of text looks like once the document's default font fills in what it leaves open.
struct TRun {
    int Font = 0;
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    int Color = 0;
    int Highlight = 0;
    bool operator==(const TRun&) const = default;
};

class TWriter {
public:
    explicit TWriter(const QTextDocument& document) : FDocument(document) {
        FFonts << document.defaultFont().family();
    }

    QByteArray Run() {
        QByteArray body;
        for (QTextBlock block = FDocument.begin(); block.isValid(); block = block.next())
            writeBlock(body, block);
        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
        for (qsizetype i = 0; i < FFonts.size(); ++i) {
            out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
            QString name = FFonts[i];
            appendText(out, name.remove(u';'));
            out += ";}";
        }
        out += "}\n{\\colortbl;";
        for (const QColor& color : FColors)
            out += "\\red" + QByteArray::number(color.red()) + "\\green" +
                   QByteArray::number(color.green()) + "\\blue" + QByteArray::number(color.blue()) +
                   ';';
        out += "}\n\\viewkind4\n" + body + "}\n";
        return out;
    }

private:
    void writeBlock(QByteArray& out, const QTextBlock& block) {
        out += "\\pard";
        const Qt::Alignment align = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            out += "\\qc";
        else if (align & Qt::AlignJustify)
            out += "\\qj";
        else if (align & (Qt::AlignRight | Qt::AlignTrailing))
            out += "\\qr";
        else
            out += "\\ql";
        if (const QTextList* list = block.textList())
            writeNumbering(out, list, block);
        out += ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat format = fragment.charFormat();
            writeRun(out, runOf(format));
            if (format.isImageFormat())
                writeImage(out, format.toImageFormat(), fragment.length());
            else
                appendText(out, fragment.text());
        }
        out += "\\par\n";
        FLine = 0;
    }

    // Numbering as the older paragraph numbering, which every reader of the format knows, with
    // the number text in front for those that show it as it stands.
    void writeNumbering(QByteArray& out, const QTextList* list, const QTextBlock& block) {
        const QTextListFormat::Style style = list->format().style();
        const bool bullet = style == QTextListFormat::ListDisc ||
                            style == QTextListFormat::ListCircle ||
                            style == QTextListFormat::ListSquare;
        if (bullet) {
            out += "{\\pntext\\bullet\\tab}{\\*\\pn\\pnlvlblt\\pnindent0{\\pntxtb\\bullet}}";
        } else {
            const char* kind = "\\pndec";
            switch (style) {
            case QTextListFormat::ListLowerAlpha:
                kind = "\\pnlcltr";
                break;
            case QTextListFormat::ListUpperAlpha:
                kind = "\\pnucltr";
                break;
            case QTextListFormat::ListLowerRoman:
                kind = "\\pnlcrm";
                break;
            case QTextListFormat::ListUpperRoman:
                kind = "\\pnucrm";
                break;
            default:
                break;
            }
            out += "{\\pntext ";
            appendText(out, list->itemText(block));
            out += "\\tab}{\\*\\pn\\pnlvlbody" + QByteArray(kind) +
                   "\\pnstart1\\pnindent0{\\pntxta.}}";
        }
        out += "\\fi-360\\li360";
    }

    TRun runOf(const QTextCharFormat& format) {
        const QFont base = FDocument.defaultFont();
        TRun run;
        const QStringList families = format.fontFamilies().toStringList();
        const QString family = families.isEmpty() ? base.family() : families.first();
        run.Font = int(FFonts.indexOf(family));
        if (run.Font < 0) {
            run.Font = int(FFonts.size());
            FFonts << family;
        }
        double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                       : base.pointSizeF();
        if (points <= 0)
            points = base.pixelSize() > 0 ? base.pixelSize() * 0.75 : 12;
        run.HalfPoints = std::clamp(int(std::lround(points * 2)), 1, 3276);
        run.Bold = format.hasProperty(QTextFormat::FontWeight)
                       ? format.fontWeight() >= QFont::DemiBold
                       : base.bold();
        run.Italic =
            format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : base.italic();
        run.Underline = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                                format.hasProperty(QTextFormat::FontUnderline)
                            ? format.fontUnderline()
                            : base.underline();
        run.Strike = format.hasProperty(QTextFormat::FontStrikeOut) ? format.fontStrikeOut()
                                                                    : base.strikeOut();
        run.Color = colorIndex(format, QTextFormat::ForegroundBrush);
        run.Highlight = colorIndex(format, QTextFormat::BackgroundBrush);
        return run;
    }

    int colorIndex(const QTextCharFormat& format, QTextFormat::Property property) {
        if (!format.hasProperty(property))
            return 0;
        const QBrush brush = format.brushProperty(property);
        if (brush.style() == Qt::NoBrush)
            return 0;
        const QColor color = brush.color().toRgb();
        for (qsizetype i = 0; i < FColors.size(); ++i)
            if (FColors[i].rgb() == color.rgb())
                return int(i) + 1;
        FColors << color;
        return int(FColors.size());
    }

    void writeRun(QByteArray& out, const TRun& run) {
        if (FRunWritten && run == FRun)
            return;
        FRun = run;
        FRunWritten = true;
        out += "\\plain\\f" + QByteArray::number(run.Font) + "\\fs" +
               QByteArray::number(run.HalfPoints);
        if (run.Bold)
            out += "\\b";
        if (run.Italic)
            out += "\\i";
        if (run.Underline)
            out += "\\ul";
        if (run.Strike)
            out += "\\strike";
        if (run.Color)
            out += "\\cf" + QByteArray::number(run.Color);
        if (run.Highlight)
            out += "\\highlight" + QByteArray::number(run.Highlight);
        out += ' ';
    }

    void writeImage(QByteArray& out, const QTextImageFormat& format, int count) {
        const QVariant resource =
            FDocument.resource(QTextDocument::ImageResource, QUrl(format.name()));
        QImage image;
        if (resource.canConvert<QImage>())
            image = resource.value<QImage>();
        else if (resource.typeId() == QMetaType::QByteArray)
            image.loadFromData(resource.toByteArray());
        if (image.isNull())
            return;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        const double width = format.width() > 0 ? format.width() : image.width();
        const double height = format.height() > 0 ? format.height() : image.height();
        QByteArray picture = "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) +
                             "\\pich" + QByteArray::number(image.height()) + "\\picwgoal" +
                             QByteArray::number(std::lround(width * 15)) + "\\pichgoal" +
                             QByteArray::number(std::lround(height * 15)) + '\n';
        const QByteArray hex = png.toHex();
        for (qsizetype at = 0; at < hex.size(); at += 128)
            picture += hex.mid(at, 128) + '\n';
        picture += '}';
        for (int i = 0; i < count; ++i)
            out += picture;
    }

    // Text with the format's escapes; characters beyond 7 bits as \uN with the Windows-1252
    // byte (or "?") for readers that know no Unicode.
    void appendText(QByteArray& out, QStringView text) {
        for (const QChar c : text) {
            if (FLine > 200) {
                out += '\n';
                FLine = 0;
            }
            const qsizetype before = out.size();
            const char16_t u = c.unicode();
            if (u == u'\\' || u == u'{' || u == u'}') {
                out += '\\';
                out += char(u);
            } else if (u == u'\t') {
                out += "\\tab ";
            } else if (u == 0x2028 || u == 0x2029 || u == u'\n' || u == u'\r') {
                out += "\\line ";
            } else if (u == 0x00A0) {
                out += "\\~";
            } else if (u == QChar::ObjectReplacementCharacter || u < 0x20) {
                // Pictures are written from their format; other control characters are nothing.
            } else if (u < 0x80) {
                out += char(u);
            } else {
                out += "\\u" + QByteArray::number(int(qint16(u)));
                const int ansi = QzRtfToCp1252(u);
                if (ansi >= 0)
                    out += "\\'" + QByteArray::number(ansi, 16).rightJustified(2, '0');
                else
                    out += '?';
            }
            FLine += int(out.size() - before);
        }
    }

    const QTextDocument& FDocument;
    QStringList FFonts;
    QList<QColor> FColors;
    TRun FRun;
    bool FRunWritten = false;
    int FLine = 0;
};

} // namespace

QByteArray QzRtfWrite(const QTextDocument& document) {
    return TWriter(document).Run();
}
