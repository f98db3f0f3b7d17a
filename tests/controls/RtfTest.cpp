// Rich text read and written: documents survive a round trip with every attribute, text from
// other programs reads as they wrote it, a reader of another program reads ours back to the same
// text, and bad input ends in the text there is or a clear refusal.

#include "QzExcept.h"
#include "RtfOutline.h"
#include "controls/QzRtf.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <functional>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

QTextDocument* roundTrip(const QTextDocument& document, QTextDocument& into) {
    QzRtfRead(QzRtfWrite(document), into);
    return &into;
}

QString readOutline(const QByteArray& rtf) {
    QTextDocument document;
    QzRtfRead(rtf, document);
    return RtfOutline(document);
}

// The paragraphs as they hold their text, one a line (no characters replaced for display).
QString textOf(const QTextDocument& document) {
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    return paragraphs.join(u'\n');
}

QString readText(const QByteArray& rtf) {
    QTextDocument document;
    QzRtfRead(rtf, document);
    return textOf(document);
}

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(QZ_RTF_DIR "/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QTextCharFormat format(std::function<void(QTextCharFormat&)> set) {
    QTextCharFormat f;
    set(f);
    return f;
}

QImage picture(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgba(x * 20, y * 30, 200, x == y ? 128 : 255));
    return image;
}

struct TDocCase {
    const char* Name;
    std::function<void(QTextCursor&)> Build;
};

} // namespace

class RtfRoundTrip : public ::testing::TestWithParam<TDocCase> {};

TEST_P(RtfRoundTrip, KeepsEveryAttribute) {
    QTextDocument original;
    QTextCursor cursor(&original);
    GetParam().Build(cursor);
    QTextDocument read;
    roundTrip(original, read);
    EXPECT_EQ(RtfOutline(read).toStdString(), RtfOutline(original).toStdString());
    // What was read once writes the same rich text again.
    EXPECT_EQ(QzRtfWrite(read).toStdString(), QzRtfWrite(original).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Documents, RtfRoundTrip,
    ::testing::Values(
        TDocCase{"Empty",
                 [](QTextCursor&) {
                 }},
        TDocCase{"ParagraphsTabsAndBreaks",
                 [](QTextCursor& c) {
                     c.insertText(QStringLiteral("First\tcolumn\ttwo"));
                     c.insertBlock();
                     c.insertBlock();
                     c.insertText(QStringLiteral("after an empty one") + QChar::LineSeparator +
                                  QStringLiteral("same paragraph, next line"));
                     c.insertBlock();
                 }},
        TDocCase{"FontsAndSizes",
                 [](QTextCursor& c) {
                     c.insertText("Serif 14 ", format([](QTextCharFormat& f) {
                                      f.setFontFamilies({"DejaVu Serif"});
                                      f.setFontPointSize(14);
                                  }));
                     c.insertText("Mono 8.5 ", format([](QTextCharFormat& f) {
                                      f.setFontFamilies({"DejaVu Sans Mono"});
                                      f.setFontPointSize(8.5);
                                  }));
                     c.insertText("default", QTextCharFormat());
                 }},
        // Font names beyond the ANSI code page go as \uN in the font table.
        TDocCase{"FontNamesBeyondAnsi",
                 [](QTextCursor& c) {
                     c.insertText("Mincho ", format([](QTextCharFormat& f) {
                                      f.setFontFamilies({QStringLiteral("MS \u660e\u671d")});
                                  }));
                     c.insertText("control", format([](QTextCharFormat& f) {
                                      f.setFontFamilies({QStringLiteral("\u0098Arial")});
                                  }));
                 }},
        TDocCase{"Styles",
                 [](QTextCursor& c) {
                     c.insertText("bold ", format([](auto& f) { f.setFontWeight(QFont::Bold); }));
                     c.insertText("italic ", format([](auto& f) { f.setFontItalic(true); }));
                     c.insertText("under ", format([](auto& f) { f.setFontUnderline(true); }));
                     c.insertText("struck ", format([](auto& f) { f.setFontStrikeOut(true); }));
                     c.insertText("all", format([](auto& f) {
                                      f.setFontWeight(QFont::Bold);
                                      f.setFontItalic(true);
                                      f.setFontUnderline(true);
                                      f.setFontStrikeOut(true);
                                  }));
                 }},
        TDocCase{"Colours",
                 [](QTextCursor& c) {
                     c.insertText("red ",
                                  format([](auto& f) { f.setForeground(QColor(255, 0, 0)); }));
                     c.insertText("blue on yellow ", format([](auto& f) {
                                      f.setForeground(QColor(0, 0, 255));
                                      f.setBackground(QColor(255, 255, 0));
                                  }));
                     c.insertText("red again",
                                  format([](auto& f) { f.setForeground(QColor(255, 0, 0)); }));
                 }},
        TDocCase{"Alignment",
                 [](QTextCursor& c) {
                     const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter,
                                                     Qt::AlignRight, Qt::AlignJustify};
                     for (Qt::Alignment align : aligns) {
                         QTextBlockFormat block;
                         block.setAlignment(align);
                         c.insertBlock(block);
                         c.insertText(QStringLiteral("aligned %1").arg(int(align)));
                     }
                 }},
        TDocCase{"BulletsAndNumbers",
                 [](QTextCursor& c) {
                     c.insertText("Before");
                     c.insertBlock();
                     c.createList(QTextListFormat::ListDisc);
                     c.insertText("one");
                     c.insertBlock();
                     c.insertText("two");
                     c.insertBlock(QTextBlockFormat());
                     c.insertText("between");
                     c.insertBlock();
                     c.createList(QTextListFormat::ListDecimal);
                     c.insertText("first");
                     c.insertBlock();
                     c.insertText("second");
                 }},
        TDocCase{"Unicode",
                 [](QTextCursor& c) {
                     c.insertText(
                         QStringLiteral(u"caf\u00e9 \u20ac \u00a3 \u00a0nbsp "
                                        u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac "
                                        u"\u65e5\u672c\u8a9e \U0001F600 \\{braces} "
                                        u"\u2011 \u0081"));
                 }},
        TDocCase{"Pictures",
                 [](QTextCursor& c) {
                     QTextDocument* document = c.document();
                     document->addResource(QTextDocument::ImageResource, QUrl("one"),
                                           picture(7, 5));
                     document->addResource(QTextDocument::ImageResource, QUrl("two"),
                                           picture(3, 9));
                     c.insertText("before ");
                     c.insertImage(QStringLiteral("one"));
                     QTextImageFormat sized;
                     sized.setName(QStringLiteral("two"));
                     sized.setWidth(30);
                     sized.setHeight(90);
                     c.insertImage(sized);
                     c.insertText(" after");
                 }}),
    [](const ::testing::TestParamInfo<TDocCase>& info) { return std::string(info.param.Name); });

// ---- Reading what others write

struct TReadCase {
    const char* Name;
    const char* Rtf;
    const char* Text;
};

class RtfReading : public ::testing::TestWithParam<TReadCase> {};

TEST_P(RtfReading, GivesTheText) {
    EXPECT_EQ(readText(GetParam().Rtf).toStdString(),
              QString::fromUtf8(GetParam().Text).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Snippets, RtfReading,
    ::testing::Values(
        TReadCase{"UnicodeWithFallback", R"({\rtf1\ansi caf\u233\'e9 \u8364?!})", "café €!"},
        TReadCase{"UnicodeWithoutFallback", R"({\rtf1\uc0 caf\u233 s})", "cafés"},
        TReadCase{"LongerFallback", R"({\rtf1\uc2 x\u8364\'80\'80y})", "x€y"},
        TReadCase{"FallbackEndsAtAGroup", R"({\rtf1\uc3 \u8364{a}b})", "€ab"},
        TReadCase{"SurrogatePair", R"({\rtf1 \u-10179?\u-8704?})", "😀"},
        TReadCase{"LoneSurrogate", R"({\rtf1 a\u-10179?b})",
                  "a\xEF\xBF\xBD"
                  "b"},
        TReadCase{"AnsiCodePage", R"({\rtf1\ansi\ansicpg1251 \'c0\'e1})", "Аб"},
        TReadCase{"FontCharset",
                  R"({\rtf1\ansi{\fonttbl{\f0 Arial;}{\f1\fcharset161 Greek;}}\f1 \'e1\f0 \'e1})",
                  "αá"},
        TReadCase{"Escapes", R"({\rtf1 a\\b\{c\}d\tab e\~f\_g\emdash h})",
                  "a\\b{c}d\te\xC2\xA0"
                  "f\xE2\x80\x91g\xE2\x80\x94h"},
        TReadCase{"UnknownStarredGroupIsSkipped",
                  R"({\rtf1 keep{\*\unknownthing hidden {\b deep}}this})", "keepthis"},
        TReadCase{"UnknownGroupKeepsItsText", R"({\rtf1 keep{\unknownword visible} this})",
                  "keepvisible this"},
        TReadCase{"KnownDestinationsAreNotText",
                  R"({\rtf1{\info{\title T}{\author A}}{\stylesheet{\s0 Normal;}}body})", "body"},
        TReadCase{"FieldShowsItsResult",
                  R"({\rtf1 see {\field{\*\fldinst HYPERLINK "x"}{\fldrslt site}} now})",
                  "see site now"},
        TReadCase{"NumberingTextIsNotText",
                  R"({\rtf1{\pntext\'b7\tab}{\*\pn\pnlvlblt{\pntxtb\'b7}}item\par})", "item"},
        TReadCase{"ParagraphsAndLines", R"({\rtf1 one\par two\line three\par\par})",
                  "one\ntwo\xE2\x80\xA8three\n"},
        TReadCase{"CutShort", R"({\rtf1 {\b all of thi)", "all of thi"},
        TReadCase{"TextAfterTheDocument", R"({\rtf1 in} out)", "in"},
        TReadCase{"BinaryOutsideAPicture", "{\\rtf1 a\\bin3 {}}b}", "ab"},
        TReadCase{"HugeBinaryLength", R"({\rtf1 a\bin99999999999 b})", "a"},
        TReadCase{"ControlCharacters",
                  "{\\rtf1 a\\u7?b\\u13?c\x01"
                  "d}",
                  "ab\xE2\x80\xA8"
                  "cd"},
        TReadCase{"LeadingWhiteSpace", "\xEF\xBB\xBF \r\n{\\rtf1 text}", "text"}),
    [](const ::testing::TestParamInfo<TReadCase>& info) { return std::string(info.param.Name); });

TEST(RtfRead, AttributesOfTheKindsOthersWrite) {
    const QString outline = readOutline(
        R"({\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}})"
        R"({\colortbl;\red255\green0\blue0;\red0\green128\blue0;})"
        R"(\pard\qc\f1\fs28 Title\par)"
        R"(\pard\qr\f0\fs20 plain {\b bold}{\i\ul both}\ulnone  {\cf1 red}{\highlight2 green}\par)"
        R"({\*\listtable{\list{\listlevel\levelnfc0{\leveltext\'02\'00.;}}\listid7}})"
        R"({\*\listoverridetable{\listoverride\listid7\ls1}})"
        R"(\pard\ls1 one\par two\par\pard\plain after})");
    EXPECT_EQ(outline.toStdString(),
              "center [Times New Roman 14 auto/auto]Title\n"
              "right [Arial 10 auto/auto]plain [Arial 10 b auto/auto]bold"
              "[Arial 10 i u auto/auto]both[Arial 10 auto/auto] [Arial 10 #ff0000/auto]red"
              "[Arial 10 auto/#008000]green\n"
              "left list-4 [Arial 10 auto/auto]one\n"
              "left list-4 [Arial 10 auto/auto]two\n"
              "left [Arial 12 auto/auto]after\n");
}

TEST(RtfRead, PicturesInTheirKindsOfGroup) {
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    const QByteArray hex = png.toHex();
    // A picture kept for readers that know it, with a metafile for those that do not; an
    // embedded object shows its result; a picture of a kind no reader here takes is left out.
    const QByteArray rtf = "{\\rtf1 a{\\*\\shppict{\\pict\\pngblip\\picwgoal600\\pichgoal450 " +
                           hex + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}b" +
                           "{\\object\\objemb{\\*\\objdata 0102}{\\result{\\pict\\pngblip\\bin" +
                           QByteArray::number(png.size()) + " " + png + "}}}c" +
                           "{\\pict\\emfblip 0102}{\\pict\\pngblip 00zz}d}";
    QTextDocument document;
    QzRtfRead(rtf, document);
    EXPECT_EQ(textOf(document), QStringLiteral(u"a\ufffcb\ufffccd"));
    const QString outline = RtfOutline(document);
    EXPECT_TRUE(outline.contains("picture 4x3 shown 600x450")) << outline.toStdString();
    EXPECT_TRUE(outline.contains("picture 4x3 shown 60x45")) << outline.toStdString();
}

TEST(RtfRead, TextThatIsNotRichTextIsRefusedAndTheDocumentKept) {
    QTextDocument document;
    document.setPlainText(QStringLiteral("kept"));
    for (const QByteArray& bad :
         {QByteArray(), QByteArray("plain text"), QByteArray("{\\rt"), QByteArray("\\rtf1{}")}) {
        EXPECT_THROW(QzRtfRead(bad, document), EQzError) << bad.constData();
        EXPECT_EQ(document.toPlainText(), QStringLiteral("kept"));
    }
    EXPECT_FALSE(QzIsRtf("{\\rtx"));
    EXPECT_TRUE(QzIsRtf("  {\\rtf1}"));
}

// Text that leaves nothing in the document (a \u0, a control character) does not open the last
// paragraph: it read as a justified empty paragraph that came back left-aligned.
TEST(RtfRead, CharactersDroppedFromTheTextLeaveTheParagraphsAsTheyWere) {
    for (const QByteArray& dropped : {QByteArray("\\u0 "), QByteArray("\\u"), QByteArray("\x01")}) {
        const QByteArray rtf = "{\\rtf1 a\\par\\pard\\qj" + dropped + "}";
        EXPECT_EQ(readOutline(rtf), readOutline("{\\rtf1 a\\par\\pard\\qj}")) << rtf.constData();
        QTextDocument first;
        QzRtfRead(rtf, first);
        QTextDocument second;
        EXPECT_EQ(RtfOutline(*roundTrip(first, second)), RtfOutline(first)) << rtf.constData();
    }
}

TEST(RtfRead, DeepNestingReadsWithoutExhaustingAnything) {
    const QByteArray deep =
        "{\\rtf1 a" + QByteArray(200000, '{') + "b" + QByteArray(200000, '}') + "c}";
    EXPECT_EQ(readText(deep), QStringLiteral("abc"));
}

// ---- Files written by other programs (see rtf/README.md)

TEST(RtfRead, ADocumentConverterFile) {
    QTextDocument document;
    QzRtfRead(fixture("pandoc-notes.rtf"), document);
    const QString text = textOf(document);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Delivery terms\nPayment is due within 30 days;")))
        << text.toStdString();
    EXPECT_TRUE(
        text.contains(QStringLiteral(u"Prices in \u20ac and \u00a3, caf\u00e9 cr\u00e8me, "
                                     u"na\u00efve fa\u00e7ade, \u0395\u03bb\u03bb\u03b7\u03bd"
                                     u"\u03b9\u03ba\u03ac, \u0420\u0443\u0441\u0441\u043a"
                                     u"\u0438\u0439, \u65e5\u672c\u8a9e and \U0001F600.")));
    EXPECT_TRUE(text.contains(QStringLiteral(u"\u2022\tGoods remain ours until paid in full.")));
    EXPECT_TRUE(text.contains(QStringLiteral("2.\tDeliver")));
    EXPECT_TRUE(text.contains(QStringLiteral("Contact: sales@example.com or our site.")));
    const QString outline = RtfOutline(document);
    EXPECT_TRUE(outline.contains(QStringLiteral("[Helvetica 18 b auto/auto]Delivery terms")))
        << outline.toStdString();
    EXPECT_TRUE(outline.contains(QStringLiteral("[Helvetica 12 b auto/auto]30 days")));
    EXPECT_TRUE(outline.contains(QStringLiteral("[Courier 12 auto/auto]sales@example.com")));
    EXPECT_TRUE(outline.contains(QStringLiteral("picture 12x8 shown 240x160")));
    EXPECT_TRUE(outline.contains(QStringLiteral("[Helvetica 12 u auto/auto]our site")));
}

TEST(RtfRead, ASourcePrinterFile) {
    QTextDocument document;
    QzRtfRead(fixture("enscript-sample.rtf"), document);
    QFile source(QStringLiteral(QZ_RTF_DIR "/sample.c"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    // It breaks lines inside one paragraph.
    EXPECT_EQ(textOf(document).replace(QChar::LineSeparator, u'\n').trimmed(),
              QString::fromUtf8(source.readAll()).trimmed());
    const QString outline = RtfOutline(document);
    // Comments in italic and colour, keywords in bold.
    EXPECT_TRUE(outline.contains(QStringLiteral("[Courier New 12 i #b22222/auto]/* Totals")))
        << outline.toStdString();
    EXPECT_TRUE(outline.contains(QStringLiteral(" b ")));
}

// ---- Ours read by another program

TEST(RtfWrite, AnotherReaderFindsTheSameText) {
    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    ASSERT_FALSE(unrtf.isEmpty()) << "unrtf is needed (make deps installs it)";
    QTextDocument document;
    QTextCursor c(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat red;
    red.setForeground(Qt::red);
    red.setFontPointSize(18);
    c.insertText(QStringLiteral(u"Terms: caf\u00e9 cr\u00e8me, 5 \u20ac, "));
    c.insertText(QStringLiteral(u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac"), bold);
    c.insertText(QStringLiteral(u" \u65e5\u672c\u8a9e {braces} back\\slash"), red);
    c.insertBlock();
    c.createList(QTextListFormat::ListDisc);
    c.insertText(QStringLiteral("first point"));
    c.insertBlock();
    c.insertText(QStringLiteral("second\tpoint"));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    c.insertBlock(centred);
    c.insertText(QStringLiteral("the end"));

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("ours.rtf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QzRtfWrite(document));
    file.close();
    QProcess process;
    process.start(unrtf, {QStringLiteral("--html"), file.fileName()});
    ASSERT_TRUE(process.waitForFinished(30000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
    QTextDocument html;
    html.setHtml(QString::fromUtf8(process.readAllStandardOutput()));
    // Both read as words: the other reader shows tabs as spaces and bullets as text of its own.
    const auto words = [](const QString& text) {
        QStringList list =
            text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        list.removeAll(QStringLiteral(u"\u2022"));
        return list;
    };
    EXPECT_EQ(words(html.toPlainText()), words(document.toPlainText()));
}
