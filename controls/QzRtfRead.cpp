#include "controls/QzRtf.h"
#include "controls/QzRtfCodePage.h"

#include "QzExcept.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>
#include <map>
#include <vector>

namespace {

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
            FFont.CodePage = QzRtfCodePageOfCharset(value, -1);
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
    TQzRtfCodePages FCodePages;
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
