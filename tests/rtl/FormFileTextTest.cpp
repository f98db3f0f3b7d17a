// Form files as lines: every byte that was not edited comes back, whatever the encoding and the
// line ends, and nothing that does not parse or cannot be encoded is ever written.

#include "FormFileText.h"
#include "FileWrite.h"
#include "TextForm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using enum TLineEnd;

struct StoredText {
    const char* what;
    QByteArray bytes;
    TTextEncoding encoding;
    QList<TLineEnd> ends;
    QString caption; // the text of line 1
};

const StoredText StoredTexts[] = {
    {"UTF-8, LF",
     "object A: TForm\n  Caption = 'caf\xC3\xA9'\nend\n",
     TTextEncoding::Utf8,
     {Lf, Lf, Lf},
     QStringLiteral("  Caption = 'caf\u00E9'")},
    {"byte order mark, CR LF",
     "\xEF\xBB\xBFobject A: TForm\r\n  Caption = 'x'\r\nend\r\n",
     TTextEncoding::Utf8Bom,
     {CrLf, CrLf, CrLf},
     QStringLiteral("  Caption = 'x'")},
    {"mixed ends, no final break",
     "object A: TForm\r\n  Caption = 'x'\n  Left = 1\r\nend",
     TTextEncoding::Utf8,
     {CrLf, Lf, CrLf, None},
     QStringLiteral("  Caption = 'x'")},
    {"CR alone",
     "object A: TForm\r  Caption = 'x'\rend\r",
     TTextEncoding::Utf8,
     {Cr, Cr, Cr},
     QStringLiteral("  Caption = 'x'")},
    {"empty lines at the end",
     "object A: TForm\n  Caption = 'x'\nend\n\n\r\n",
     TTextEncoding::Utf8,
     {Lf, Lf, Lf, Lf, CrLf},
     QStringLiteral("  Caption = 'x'")},
    // Every byte the code page defines and the five it leaves undefined.
    {"Windows-1252",
     "object A: TForm\n  Caption = 'T\xE9st \x80\x9F\xFF \x81\x8D\x8F\x90\x9D'\nend\n",
     TTextEncoding::Windows1252,
     {Lf, Lf, Lf},
     QStringLiteral("  Caption = 'T\u00E9st \u20AC\u0178\u00FF \u0081\u008D\u008F\u0090\u009D'")},
    {"a mark that is not UTF-8",
     "\xEF\xBB\xBFobject A: TForm\n  Caption = '\xE9'\nend\n",
     TTextEncoding::Windows1252,
     {Lf, Lf, Lf},
     QStringLiteral("  Caption = '\u00E9'")},
};

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(FormFileText, TextFormsComeBackByteForByte) {
    for (const StoredText& t : StoredTexts) {
        SCOPED_TRACE(t.what);
        const TFormFileText text = TFormFileText::FromBytes(t.bytes);
        EXPECT_EQ(text.Format(), TFormFileFormat::Text);
        EXPECT_EQ(text.Encoding(), t.encoding);
        ASSERT_EQ(text.Count(), t.ends.size());
        for (int i = 0; i < text.Count(); ++i)
            EXPECT_EQ(text.LineEnd(i), t.ends[i]) << "line " << i;
        EXPECT_EQ(text.Line(1), t.caption);
        EXPECT_EQ(text.ToBytes(), t.bytes);
    }
}

TEST(FormFileText, EditsKeepEveryOtherLineAndItsEnd) {
    struct Edit {
        const char* what;
        QByteArray before;
        std::function<void(TFormFileText&)> edit;
        QByteArray after;
    };
    const Edit edits[] = {
        {"replace in a mixed text", "object A: TForm\r\n  Left = 1\n  Top = 2\r\nend",
         [](TFormFileText& t) { t.SetLine(1, QStringLiteral("  Left = 10")); },
         "object A: TForm\r\n  Left = 10\n  Top = 2\r\nend"},
        {"remove a middle line", "object A: TForm\r\n  Left = 1\n  Top = 2\r\nend",
         [](TFormFileText& t) { t.RemoveLine(2); }, "object A: TForm\r\n  Left = 1\nend"},
        {"remove the last line without a break", "object A: TForm\r\nend\r\n  \r\nend",
         [](TFormFileText& t) { t.RemoveLine(3); }, "object A: TForm\r\nend\r\n  "},
        {"insert into a CR text", "object A: TForm\rend\r",
         [](TFormFileText& t) { t.InsertLine(1, QStringLiteral("  Left = 1")); },
         "object A: TForm\r  Left = 1\rend\r"},
        {"append after a last line without a break", "object A: TForm\r\n  Left = 1",
         [](TFormFileText& t) { t.InsertLine(2, QStringLiteral("end")); },
         "object A: TForm\r\n  Left = 1\r\nend"},
        {"replace keeps Windows-1252", "object A: TForm\n  Caption = '\xE9'\n  Left = 1\nend\n",
         [](TFormFileText& t) { t.SetLine(2, QStringLiteral("  Left = 2")); },
         "object A: TForm\n  Caption = '\xE9'\n  Left = 2\nend\n"},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        TFormFileText text = TFormFileText::FromBytes(e.before);
        e.edit(text);
        EXPECT_EQ(text.ToBytes(), e.after);
    }
}

TEST(FormFileText, BinaryFormsGoBackInTheFormTheyWereStoredIn) {
    const QByteArray source = "object A: TForm\n  Caption = 'caf'#233\n  Left = 1\nend\n";
    for (const TFormFileFormat format : {TFormFileFormat::Binary, TFormFileFormat::Resource}) {
        SCOPED_TRACE(int(format));
        TFormFileText text = TFormFileText::FromBytes(TextToFormFile(source, format));
        EXPECT_EQ(text.Format(), format);
        EXPECT_EQ(text.Lines(), QString::fromUtf8(source).split(u'\n', Qt::SkipEmptyParts));
        text.SetLine(2, QStringLiteral("  Left = 2"));
        const QByteArray bytes = text.ToBytes();
        EXPECT_EQ(DetectFormFileFormat(bytes), format);
        EXPECT_EQ(FormFileToText(bytes), QByteArray(source).replace("Left = 1", "Left = 2"));
        text.SetFormat(TFormFileFormat::Resource);
        EXPECT_EQ(DetectFormFileFormat(text.ToBytes()), TFormFileFormat::Resource);
    }
}

TEST(FormFileText, WhatCannotBeStoredIsRefusedAndTheFileKept) {
    QTemporaryDir dir;
    const QString file = QDir(dir.path()).filePath(QStringLiteral("Form.dfm"));
    struct Bad {
        const char* what;
        QByteArray bytes;
        std::function<void(TFormFileText&)> edit;
        QString error;
    };
    const Bad bads[] = {
        {"does not parse", "object A: TForm\r\n  Caption = 'x'\r\nend\r\n",
         [](TFormFileText& t) { t.SetLine(1, QStringLiteral("  Caption = 'O'Brien'")); },
         QStringLiteral("Error in form text on line 2, column 21: '=' expected but ''' found")},
        {"beyond Windows-1252", "object A: TForm\n  Caption = '\xE9'\nend\n",
         [](TFormFileText& t) { t.SetLine(1, QStringLiteral("  Caption = '\u00E9\u0142'")); },
         QStringLiteral("Line 2, column 15 of the form text holds U+0142, which Windows-1252 "
                        "cannot hold")},
        {"half a surrogate pair", "object A: TForm\nend\n",
         [](TFormFileText& t) { t.InsertLine(1, QString(QChar(0xD800))); },
         QStringLiteral("Line 2, column 1 of the form text holds U+D800, which UTF-8 cannot "
                        "hold")},
    };
    for (const Bad& b : bads) {
        SCOPED_TRACE(b.what);
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(b.bytes);
        out.close();
        TFormFileText text = TFormFileText::FromFile(file);
        b.edit(text);
        QString error;
        try {
            text.WriteToFile(file);
        } catch (const Exception& e) {
            error = e.Message();
        }
        EXPECT_EQ(error, b.error) << error.toStdString();
        EXPECT_EQ(readBytes(file), b.bytes);
    }
    EXPECT_THROW(TFormFileText::FromBytes("Form1 = TForm"), EReadError);
    EXPECT_THROW(TFormFileText::FromBytes(QByteArray("\xFF\x0A\x00TFORM\x00\x30\x10", 9)),
                 EReadError);
    EXPECT_THROW(TFormFileText::FromFile(QDir(dir.path()).filePath(QStringLiteral("None.dfm"))),
                 EStreamError);
}

TEST(FormFileText, EncodingsReadAndWriteEveryCharacterTheyHold) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    TTextEncoding encoding = TTextEncoding::Utf8;
    const QString text = DecodeText(all, &encoding);
    EXPECT_EQ(encoding, TTextEncoding::Windows1252);
    EXPECT_EQ(EncodeText(text, encoding), all);
    // U+0080 has no byte of its own: 0x80 is the euro sign.
    EXPECT_THROW(EncodeText(u"\u0080", TTextEncoding::Windows1252), EConvertError);
    EXPECT_EQ(EncodeText(u"\U0001F600", TTextEncoding::Utf8Bom), "\xEF\xBB\xBF\xF0\x9F\x98\x80");

    // A second mark is text.
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF\xEF\xBB\xBFx", &encoding), QStringLiteral("\uFEFFx"));
    EXPECT_EQ(encoding, TTextEncoding::Utf8Bom);

    // The form reader reads a Windows-1252 form as the tool that wrote it meant it.
    const TFormObject form = ReadTextForm("object A: TForm\n  Caption = 'T\xE9st \x80'\nend\n");
    EXPECT_EQ(form.Properties.at(0).Value.Str, QStringLiteral("T\u00E9st \u20AC"));
}
