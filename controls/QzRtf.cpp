#include "controls/QzRtf.h"

#include "QzExcept.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>
#include <map>
#include <memory>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Code pages

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined stand for themselves, as
// elsewhere in the library.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromCp1252(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        const auto byte = uchar(b);
        text += byte >= 0x80 && byte < 0xA0 ? QChar(cp1252High[byte - 0x80]) : QChar(byte);
    }
    return text;
}

// The Windows-1252 byte of `c`, or -1.
int toCp1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (cp1252High[i] == c)
            return 0x80 + i;
    return -1;
}

// The code page a font's character set implies; `ansi` for the default set and unknown ones.
int codePageOfCharset(int charset, int ansi) {
    static const std::map<int, int> pages{
        {0, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
        {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {255, 437}};
    const auto it = pages.find(charset);
    return it == pages.end() ? ansi : it->second;
}

// Decoders of the code pages a text names, made on first use. Windows-1252 and any page the
// platform does not know are read as Windows-1252.
class TCodePages {
public:
    QString Decode(int codePage, QByteArrayView bytes) {
        if (codePage == 1252)
            return fromCp1252(bytes);
        auto it = FDecoders.find(codePage);
        if (it == FDecoders.end())
            it = FDecoders.emplace(codePage, makeDecoder(codePage)).first;
        if (!it->second)
            return fromCp1252(bytes);
        QString text = it->second->decode(bytes);
        it->second->resetState();
        return text;
    }

private:
    static std::unique_ptr<QStringDecoder> makeDecoder(int codePage) {
        const QByteArray number = QByteArray::number(codePage);
        QList<QByteArray> names{"windows-" + number, "cp" + number, "IBM" + number};
        if (codePage == 10000)
            names.prepend("macintosh");
        for (const QByteArray& name : names) {
            auto decoder = std::make_unique<QStringDecoder>(name.constData());
            if (decoder->isValid())
                return decoder;
        }
        return nullptr;
    }

    std::map<int, std::unique_ptr<QStringDecoder>> FDecoders;
};

// Unpaired halves of surrogate pairs become U+FFFD: a document must hold whole characters.
QString wholeCharacters(QString text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

// Text as a paragraph holds it: line ends and paragraph separators are line breaks inside it,
// other control characters and the characters a document keeps for its own structure (pictures,
// frames) are dropped.
QString documentText(const QString& text) {
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\r' || u == u'\n' || u == 0x2029)
            clean += QChar::LineSeparator;
        else if ((u >= 0x20 || u == u'\t') && u != QChar::ObjectReplacementCharacter &&
                 u != 0xFDD0 && u != 0xFDD1)
            clean += c;
    }
    return clean;
}

// ---------------------------------------------------------------------------------------------
// Reading

enum class TDest { Text, Skip, FontTable, ColorTable, Pict, Pn, ListTable, ListOverrides };

struct TChar {
    int Font = -1; // -1: the default font
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strike = false;
    int Color = 0; // colour table index; 0 and unknown ones are automatic
    int Highlight = 0;
    int Uc = 1; // fallback characters after \uN
    bool operator==(const TChar&) const = default;
};

struct TPara {
    Qt::Alignment Align = Qt::AlignLeft;
    QTextListFormat::Style List = QTextListFormat::ListStyleUndefined;
};

struct TGroup {
    TChar Char;
    TPara Para;
    TDest Dest = TDest::Text;
};

struct TFontEntry {
    QString Name;
    int CodePage = -1; // -1: the document's
};

struct TPicture {
    QByteArray Format; // "PNG", "JPG" or empty for kinds no image reader takes
    QByteArray Data;
    int Nibble = -1;
    int GoalWidth = 0; // twips
    int GoalHeight = 0;
    int ScaleX = 100;
    int ScaleY = 100;
};

// Groups nested deeper than this count only their braces, so that no input can make the reader
// hold more than this many states.
constexpr int maxDepth = 4096;

class TReader {
public:
    TReader(QByteArrayView data, QTextDocument& document)
        : FIn(data), FDocument(document), FCursor(&document) {}

    void Run() {
        while (FAt < FIn.size() && !FDone) {
            const char c = FIn[FAt++];
            // Nothing counts before the document's own group opens.
            if (FGroups.empty() && c != '{')
                continue;
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                escape();
                break;
            case '\r':
            case '\n':
                break;
            default:
                if (!consumeFallback())
                    textByte(uchar(c));
            }
        }
        finish();
    }

private:
    TGroup& top() { return FGroups.back(); }

    // ---- Groups

    void openGroup() {
        FSkip = 0;
        FStarred = false;
        if (FGroups.size() >= maxDepth) {
            ++FOverflow;
            return;
        }
        flushBytes();
        FGroups.push_back(FGroups.empty() ? TGroup{} : top());
    }

    void closeGroup() {
        FSkip = 0;
        FStarred = false;
        if (FOverflow > 0) {
            --FOverflow;
            return;
        }
        flushBytes();
        if (FGroups.empty())
            return;
        if (FGroups.size() == 1) {
            flushText();
            FGroups.pop_back();
            FDone = true;
            return;
        }
        const TGroup closed = FGroups.back();
        FGroups.pop_back();
        if (closed.Dest == TDest::FontTable)
            commitFont();
        if (closed.Dest == TDest::Pict && top().Dest != TDest::Pict)
            insertPicture();
    }

    // ---- Tokens

    void escape() {
        if (FAt >= FIn.size())
            return;
        const char c = FIn[FAt];
        if (isLetter(c)) {
            const qsizetype start = FAt;
            while (FAt < FIn.size() && isLetter(FIn[FAt]) && FAt - start < 32)
                ++FAt;
            const QByteArrayView word = FIn.sliced(start, FAt - start);
            bool hasParam = false;
            qint64 param = 0;
            bool negative = false;
            if (FAt < FIn.size() && FIn[FAt] == '-' && FAt + 1 < FIn.size() &&
                isDigit(FIn[FAt + 1])) {
                negative = true;
                ++FAt;
            }
            int digits = 0;
            while (FAt < FIn.size() && isDigit(FIn[FAt])) {
                hasParam = true;
                if (digits++ < 10)
                    param = param * 10 + (FIn[FAt] - '0');
                ++FAt;
            }
            if (FAt < FIn.size() && FIn[FAt] == ' ')
                ++FAt;
            if (negative)
                param = -param;
            if (consumeFallback())
                return;
            // Bytes before it are read in the code page they were written in.
            flushBytes();
            controlWord(word, hasParam, param);
            FStarred = false;
            return;
        }
        ++FAt;
        if (c == '\'') {
            const int high = FAt < FIn.size() ? hexValue(FIn[FAt]) : -1;
            const int low = FAt + 1 < FIn.size() ? hexValue(FIn[FAt + 1]) : -1;
            if (high < 0 || low < 0)
                return;
            FAt += 2;
            if (consumeFallback())
                return;
            if (top().Dest != TDest::Pict)
                FBytes += char(high * 16 + low);
            return;
        }
        if (consumeFallback())
            return;
        switch (c) {
        case '*':
            FStarred = true;
            return;
        case '\\':
        case '{':
        case '}':
            textByte(uchar(c));
            return;
        case '~':
            addText(QString(QChar(0x00A0)));
            return;
        case '_':
            addText(QString(QChar(0x2011)));
            return;
        case '\r':
        case '\n':
            paragraph();
            return;
        default:
            return; // \- optional hyphen, \| and \: formula and index marks
        }
    }

    // True when the token is a fallback character of a preceding \uN and must be dropped.
    bool consumeFallback() {
        if (FSkip <= 0)
            return false;
        --FSkip;
        return true;
    }

    void textByte(uchar byte) {
        switch (top().Dest) {
        case TDest::Pict:
            pictureNibble(hexValue(char(byte)));
            return;
        case TDest::ColorTable:
            if (byte == ';')
                commitColor();
            return;
        case TDest::Text:
        case TDest::FontTable:
            if (byte == '\t')
                addText(QStringLiteral("\t"));
            else if (byte >= 0x20)
                FBytes += char(byte);
            return;
        default:
            return;
        }
    }

    void controlWord(QByteArrayView word, bool hasParam, qint64 param) {
        const int value = int(std::clamp<qint64>(param, -2147483647LL, 2147483647LL));
        TGroup& g = top();
        if (destination(word))
            return;
        if (g.Dest == TDest::Skip)
            return;
        if (g.Dest == TDest::Pict) {
            pictureWord(word, value);
            return;
        }
        // Names beyond the code page come as \uN, as in text.
        if (g.Dest == TDest::FontTable && word != "u" && word != "uc") {
            fontTableWord(word, value);
            return;
        }
        if (g.Dest == TDest::ColorTable) {
            if (word == "red")
                FColor.setRed(std::clamp(value, 0, 255));
            else if (word == "green")
                FColor.setGreen(std::clamp(value, 0, 255));
            else if (word == "blue")
                FColor.setBlue(std::clamp(value, 0, 255));
            else
                return;
            FColorSet = true;
            return;
        }
        if (g.Dest == TDest::Pn) {
            pnWord(word);
            return;
        }
        if (g.Dest == TDest::ListTable) {
            if ((word == "levelnfc" || word == "levelnfcn") && FListNfc < 0)
                FListNfc = value;
            else if (word == "list")
                FListNfc = -1;
            else if (word == "listid")
                FListStyles[value] = FListNfc;
            return;
        }
        if (g.Dest == TDest::ListOverrides) {
            if (word == "listid")
                FOverrideList = value;
            else if (word == "ls")
                FOverrides[value] = FOverrideList;
            return;
        }
        textWord(word, hasParam, value);
    }

    // Destination words: what the rest of the group holds. True when `word` was one.
    bool destination(QByteArrayView word) {
        TGroup& g = top();
        if (g.Dest == TDest::Skip)
            return true;
        static const QList<QByteArrayView> skipped{
            "stylesheet", "info",    "revtbl",    "rsidtbl",           "pntext",     "listtext",
            "header",     "headerl", "headerr",   "headerf",           "footer",     "footerl",
            "footerr",    "footerf", "footnote",  "annotation",        "nonshppict", "xe",
            "tc",         "txe",     "fldinst",   "themedata",         "datastore",  "latentstyles",
            "pntxta",     "pntxtb",  "bkmkstart", "bkmkend",           "generator",  "xmlnstbl",
            "filetbl",    "objdata", "objclass",  "colorschememapping"};
        if (word == "fonttbl") {
            g.Dest = TDest::FontTable;
            FFont = {};
            FFontNumber = -1;
        } else if (word == "colortbl") {
            g.Dest = TDest::ColorTable;
            FColors.clear();
            FColor = QColor(0, 0, 0);
            FColorSet = false;
        } else if (word == "pict") {
            g.Dest = TDest::Pict;
            FPicture = {};
        } else if (word == "pn") {
            g.Dest = TDest::Pn;
            FPnOwner = int(FGroups.size()) - 2;
        } else if (word == "listtable") {
            g.Dest = TDest::ListTable;
        } else if (word == "listoverridetable") {
            g.Dest = TDest::ListOverrides;
        } else if (skipped.contains(word)) {
            g.Dest = TDest::Skip;
        } else if (FStarred && word != "shppict" && word != "ud" && word != "fldrslt") {
            // A destination marked ignorable that this reader does not know.
            g.Dest = TDest::Skip;
        } else {
            return false;
        }
        return true;
    }

    void textWord(QByteArrayView word, bool hasParam, int value) {
        TChar& ch = top().Char;
        TPara& para = top().Para;
        const bool on = !hasParam || value != 0;
        if (word == "par" || word == "sect" || word == "page" || word == "row") {
            paragraph();
        } else if (word == "pard") {
            para = TPara{};
        } else if (word == "plain") {
            const int uc = ch.Uc;
            ch = TChar{};
            ch.Uc = uc;
        } else if (word == "b") {
            ch.Bold = on;
        } else if (word == "i") {
            ch.Italic = on;
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" ||
                   word == "uldash" || word == "ulwave" || word == "ulth") {
            ch.Underline = on;
        } else if (word == "ulnone") {
            ch.Underline = false;
        } else if (word == "strike") {
            ch.Strike = on;
        } else if (word == "f") {
            ch.Font = value;
        } else if (word == "fs") {
            if (value > 0)
                ch.HalfPoints = std::min(value, 3276);
        } else if (word == "cf") {
            ch.Color = value;
        } else if (word == "highlight" || word == "cb") {
            ch.Highlight = value;
        } else if (word == "uc") {
            ch.Uc = std::clamp(value, 0, 16);
        } else if (word == "u") {
            const int code = value < 0 ? value + 65536 : value;
            addText(QString(QChar(char16_t(code >= 0 && code <= 0xFFFF ? code : 0xFFFD))));
            FSkip = ch.Uc;
        } else if (word == "ql") {
            para.Align = Qt::AlignLeft;
        } else if (word == "qc") {
            para.Align = Qt::AlignHCenter;
        } else if (word == "qr") {
            para.Align = Qt::AlignRight;
        } else if (word == "qj" || word == "qd") {
            para.Align = Qt::AlignJustify;
        } else if (word == "ls") {
            para.List = listStyle(value);
        } else if (word == "tab" || word == "cell") {
            addText(QStringLiteral("\t"));
        } else if (word == "line") {
            addText(QString(QChar::LineSeparator));
        } else if (word == "bin") {
            // Binary data outside a picture means nothing to a document.
            FAt += std::clamp<qsizetype>(value, 0, FIn.size() - FAt);
        } else if (word == "ansicpg") {
            FAnsiCodePage = value > 0 ? value : 1252;
        } else if (word == "mac") {
            FAnsiCodePage = 10000;
        } else if (word == "pc") {
            FAnsiCodePage = 437;
        } else if (word == "pca") {
            FAnsiCodePage = 850;
        } else if (word == "deff") {
            FDefaultFont = value;
        } else {
            static const struct {
                const char* Word;
                char16_t Char;
            } symbols[] = {{"emdash", 0x2014},    {"endash", 0x2013},  {"bullet", 0x2022},
                           {"lquote", 0x2018},    {"rquote", 0x2019},  {"ldblquote", 0x201C},
                           {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002},
                           {"qmspace", 0x2005},   {"zwj", 0x200D},     {"zwnj", 0x200C},
                           {"ltrmark", 0x200E},   {"rtlmark", 0x200F}};
            for (const auto& symbol : symbols)
                if (word == symbol.Word)
                    addText(QString(QChar(symbol.Char)));
        }
    }

    // ---- Lists

    // The list of a paragraph's \lsN: numbered when its list table says so, else bulleted.
    QTextListFormat::Style listStyle(int override) const {
        if (override <= 0)
            return QTextListFormat::ListStyleUndefined;
        const auto list = FOverrides.find(override);
        const auto style =
            list == FOverrides.end() ? FListStyles.end() : FListStyles.find(list->second);
        const int nfc = style == FListStyles.end() ? 23 : style->second;
        switch (nfc) {
        case 0:
            return QTextListFormat::ListDecimal;
        case 1:
            return QTextListFormat::ListUpperRoman;
        case 2:
            return QTextListFormat::ListLowerRoman;
        case 3:
            return QTextListFormat::ListUpperAlpha;
        case 4:
            return QTextListFormat::ListLowerAlpha;
        default:
            return QTextListFormat::ListDisc;
        }
    }

    // Paragraph numbering of the older kind: it belongs to the group around the \pn group.
    void pnWord(QByteArrayView word) {
        if (FPnOwner < 0 || FPnOwner >= int(FGroups.size()))
            return;
        QTextListFormat::Style& list = FGroups[std::size_t(FPnOwner)].Para.List;
        if (word == "pnlvlblt")
            list = QTextListFormat::ListDisc;
        else if (word == "pnlvlbody" || (word.startsWith("pnlvl") && word != "pnlvlcont"))
            list =
                list == QTextListFormat::ListStyleUndefined ? QTextListFormat::ListDecimal : list;
        else if (word == "pnlvlcont")
            list = QTextListFormat::ListStyleUndefined;
        else if (word == "pndec" && list != QTextListFormat::ListDisc)
            list = QTextListFormat::ListDecimal;
        else if (word == "pnlcltr" && list != QTextListFormat::ListDisc)
            list = QTextListFormat::ListLowerAlpha;
        else if (word == "pnucltr" && list != QTextListFormat::ListDisc)
            list = QTextListFormat::ListUpperAlpha;
        else if (word == "pnlcrm" && list != QTextListFormat::ListDisc)
            list = QTextListFormat::ListLowerRoman;
        else if (word == "pnucrm" && list != QTextListFormat::ListDisc)
            list = QTextListFormat::ListUpperRoman;
    }

    // ---- Fonts and colours

    void fontTableWord(QByteArrayView word, int value) {
        if (word == "f") {
            commitFont();
            FFontNumber = value;
        } else if (word == "fcharset") {
            FFont.CodePage = codePageOfCharset(value, -1);
        } else if (word == "cpg") {
            FFont.CodePage = value;
        }
    }

    void commitFont() {
        const QString name = FFont.Name.trimmed();
        if (FFontNumber >= 0 && !name.isEmpty() && !FFonts.count(FFontNumber))
            FFonts[FFontNumber] = {name, FFont.CodePage};
        FFont = {};
        FFontNumber = -1;
    }

    void commitColor() {
        FColors.push_back(FColorSet ? FColor : QColor());
        FColor = QColor(0, 0, 0);
        FColorSet = false;
    }

    int codePage() const {
        const int font = FGroups.back().Char.Font >= 0 ? FGroups.back().Char.Font : FDefaultFont;
        if (FGroups.back().Dest == TDest::FontTable)
            return FFont.CodePage > 0 ? FFont.CodePage : FAnsiCodePage;
        const auto it = FFonts.find(font);
        return it != FFonts.end() && it->second.CodePage > 0 ? it->second.CodePage : FAnsiCodePage;
    }

    // ---- Pictures

    void pictureWord(QByteArrayView word, int value) {
        if (word == "pngblip")
            FPicture.Format = "PNG";
        else if (word == "jpegblip")
            FPicture.Format = "JPG";
        else if (word == "wmetafile" || word == "emfblip" || word == "dibitmap" ||
                 word == "wbitmap" || word == "macpict" || word == "pmmetafile")
            FPicture.Format.clear();
        else if (word == "picwgoal")
            FPicture.GoalWidth = std::max(0, value);
        else if (word == "pichgoal")
            FPicture.GoalHeight = std::max(0, value);
        else if (word == "picscalex")
            FPicture.ScaleX = std::clamp(value, 1, 1000);
        else if (word == "picscaley")
            FPicture.ScaleY = std::clamp(value, 1, 1000);
        else if (word == "bin") {
            const qsizetype n = std::clamp<qsizetype>(value, 0, FIn.size() - FAt);
            FPicture.Data += FIn.sliced(FAt, n).toByteArray();
            FAt += n;
        }
    }

    void pictureNibble(int nibble) {
        if (nibble < 0)
            return;
        if (FPicture.Nibble < 0) {
            FPicture.Nibble = nibble;
            return;
        }
        FPicture.Data += char(FPicture.Nibble * 16 + nibble);
        FPicture.Nibble = -1;
    }

    void insertPicture() {
        if (FPicture.Format.isEmpty())
            return;
        QBuffer data(&FPicture.Data);
        QImageReader reader(&data, FPicture.Format);
        // A picture of a page or two; anything bigger is not worth the memory a bomb would take.
        reader.setAllocationLimit(64);
        const QImage image = reader.read();
        if (image.isNull())
            return;
        flushText();
        const QString name = QStringLiteral("rtfimage%1").arg(++FPictures);
        FDocument.addResource(QTextDocument::ImageResource, QUrl(name), image);
        QTextImageFormat format;
        format.merge(charFormat(top().Char));
        format.setName(name);
        // Twips at 96 pixels per inch.
        if (FPicture.GoalWidth > 0)
            format.setWidth(FPicture.GoalWidth * FPicture.ScaleX / 100.0 / 15.0);
        if (FPicture.GoalHeight > 0)
            format.setHeight(FPicture.GoalHeight * FPicture.ScaleY / 100.0 / 15.0);
        FCursor.insertImage(format);
        wrote();
    }

    // ---- Text and paragraphs

    void addText(const QString& text) {
        flushBytes();
        deliver(text);
    }

    void flushBytes() {
        if (FBytes.isEmpty())
            return;
        const QString text = FCodePages.Decode(codePage(), FBytes);
        FBytes.clear();
        deliver(text);
    }

    void deliver(const QString& raw) {
        const QString text = documentText(raw);
        // Nothing left (a \u0, a control character) must not count as the paragraph's text.
        if (text.isEmpty())
            return;
        switch (top().Dest) {
        case TDest::Text:
            if (!FText.isEmpty() && !(FTextChar == top().Char))
                flushText();
            FTextChar = top().Char;
            FText += text;
            wrote();
            return;
        case TDest::FontTable:
            // Line breaks and tabs have no place in a font's name.
            for (QChar c : text) {
                if (c == u';')
                    commitFont();
                else if (c != QChar::LineSeparator && c != u'\t')
                    FFont.Name += c;
            }
            return;
        default:
            return;
        }
    }

    void flushText() {
        if (FText.isEmpty())
            return;
        FCursor.insertText(wholeCharacters(FText), charFormat(FTextChar));
        FText.clear();
    }

    // Something went into the current paragraph, under the paragraph properties in force.
    void wrote() {
        FEndedWithPar = false;
        FLastPara = top().Para;
    }

    void paragraph() {
        flushBytes();
        flushText();
        finishBlock(top().Para);
        FCursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        FEndedWithPar = true;
    }

    void finishBlock(const TPara& para) {
        QTextBlockFormat format = FCursor.blockFormat();
        format.setAlignment(para.Align);
        FCursor.setBlockFormat(format);
        if (para.List == QTextListFormat::ListStyleUndefined) {
            FList = nullptr;
            return;
        }
        const int number = FCursor.block().blockNumber();
        if (FList && FListStyle == para.List && FListBlock == number - 1) {
            FList->add(FCursor.block());
        } else {
            QTextListFormat list;
            list.setStyle(para.List);
            FList = FCursor.createList(list);
            FListStyle = para.List;
        }
        FListBlock = number;
    }

    void finish() {
        if (!FGroups.empty())
            flushBytes();
        flushText();
        if (FEndedWithPar && FCursor.block().length() <= 1 && FCursor.block().blockNumber() > 0)
            FCursor.deletePreviousChar();
        else
            finishBlock(FLastPara);
    }

    QTextCharFormat charFormat(const TChar& c) const {
        QTextCharFormat format;
        const auto font = FFonts.find(c.Font >= 0 ? c.Font : FDefaultFont);
        if (font != FFonts.end())
            format.setFontFamilies(QStringList{font->second.Name});
        format.setFontPointSize(c.HalfPoints / 2.0);
        if (c.Bold)
            format.setFontWeight(QFont::Bold);
        if (c.Italic)
            format.setFontItalic(true);
        if (c.Underline)
            format.setFontUnderline(true);
        if (c.Strike)
            format.setFontStrikeOut(true);
        if (c.Color > 0 && c.Color < int(FColors.size()) && FColors[std::size_t(c.Color)].isValid())
            format.setForeground(FColors[std::size_t(c.Color)]);
        if (c.Highlight > 0 && c.Highlight < int(FColors.size()) &&
            FColors[std::size_t(c.Highlight)].isValid())
            format.setBackground(FColors[std::size_t(c.Highlight)]);
        return format;
    }

    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
    static int hexValue(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    QByteArrayView FIn;
    qsizetype FAt = 0;
    bool FDone = false;
    QTextDocument& FDocument;
    QTextCursor FCursor;
    std::vector<TGroup> FGroups;
    int FOverflow = 0;
    bool FStarred = false;
    int FSkip = 0;

    int FAnsiCodePage = 1252;
    int FDefaultFont = 0;
    TCodePages FCodePages;
    std::map<int, TFontEntry> FFonts;
    TFontEntry FFont;
    int FFontNumber = -1;
    std::vector<QColor> FColors;
    QColor FColor;
    bool FColorSet = false;

    std::map<int, int> FListStyles; // list id -> number format of its first level
    int FListNfc = -1;
    std::map<int, int> FOverrides; // \lsN -> list id
    int FOverrideList = 0;
    int FPnOwner = -1;

    TPicture FPicture;
    int FPictures = 0;

    QByteArray FBytes;
    QString FText;
    TChar FTextChar;
    TPara FLastPara;
    bool FEndedWithPar = false;
    QTextList* FList = nullptr;
    QTextListFormat::Style FListStyle = QTextListFormat::ListStyleUndefined;
    int FListBlock = -1;
};

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
                const int ansi = toCp1252(u);
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

bool QzIsRtf(QByteArrayView data) {
    qsizetype at = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        at = 3;
    while (at < data.size() &&
           (data[at] == ' ' || data[at] == '\t' || data[at] == '\r' || data[at] == '\n'))
        ++at;
    return data.sliced(at).startsWith("{\\rtf");
}

void QzRtfRead(QByteArrayView data, QTextDocument& document) {
    if (!QzIsRtf(data))
        QzExcept(QStringLiteral("The text is not in rich text format"));
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    TReader(data, document).Run();
    document.setUndoRedoEnabled(undo);
}

QByteArray QzRtfWrite(const QTextDocument& document) {
    return TWriter(document).Run();
}
