// The three stored forms of a form file and the conversions between them.

#include "BinaryForm.h"
#include "ObjectStreams.h"
#include "SysUtils.h"
#include "TextForm.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

// Every value kind, nested objects, collections and the header variants.
const char* const AllKinds = R"(object Form1: TForm1
  Left = 10
  Small = -128
  Medium = 32767
  Large = -2147483648
  Huge = 9223372036854775807
  Ratio = 0.1
  Tiny = 1.0E-300
  Single = 2.5s
  Money = -12.3456c
  When = 45000.25d
  Caption = 'It''s'#13#10'done'
  Unicode = 'caf'#233' '#8364' '#55357#56832
  Empty = ''
  Yes = True
  No = False
  Nothing = nil
  Unknown = Null
  Align = alClient
  Anchors = [akLeft, akTop]
  NoAnchors = []
  Data = {
    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
    FF}
  NoData = {}
  Lines.Strings = (
    'one'
    'two'
    (
      1
      2.5)
    [a]
    nil)
  NoLines = ()
  Items = <
    item
      Caption = 'first'
      Font.Name = 'Arial'
    end
    item [3]
      Nested = <
        item
        end>
    end>
  NoItems = <>
  OnClick = Form1Click
  FocusControl = Other.Button1
  object Panel1: TPanel
    object Label1: TLabel [2]
      Caption = 'x'
    end
  end
  inherited Base1: TBase
  end
  inline Frame1: TFrame1
  end
  object TTimer
  end
end
)";

TFormObject parse(const char* text) {
    return ReadTextForm(QByteArray(text));
}

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message().toStdString();
    }
    return "no error";
}

} // namespace

TEST(FormStreams, TextIsWrittenBackExactly) {
    // The writer's own output is a fixed point: parse and write give the same bytes.
    const QByteArray once = WriteTextForm(parse(AllKinds));
    EXPECT_EQ(once.toStdString(), std::string(AllKinds));
}

TEST(FormStreams, TextBinaryTextKeepsEveryValue) {
    const TFormObject tree = parse(AllKinds);
    const QByteArray binary = WriteBinaryForm(tree);
    ASSERT_TRUE(binary.startsWith("TPF0"));
    EXPECT_EQ(ReadBinaryForm(binary), tree);
    EXPECT_EQ(ObjectBinaryToText(ObjectTextToBinary(AllKinds)).toStdString(),
              std::string(AllKinds));
}

TEST(FormStreams, ValuesAreReadAsWritten) {
    const TFormObject tree = parse(AllKinds);
    auto value = [&](const char* name) {
        for (const auto& p : tree.Properties)
            if (p.Name == QLatin1String(name))
                return p.Value;
        ADD_FAILURE() << name;
        return TFormValue();
    };
    EXPECT_EQ(value("Huge").Int, Q_INT64_C(9223372036854775807));
    EXPECT_EQ(value("Caption").Str, QStringLiteral("It's\r\ndone"));
    EXPECT_EQ(value("Unicode").Str, QStringLiteral(u"café € \U0001F600"));
    EXPECT_EQ(value("Money").Int, -123456);
    EXPECT_EQ(value("Single").floatKind, TFormValue::Single);
    EXPECT_EQ(value("When").floatKind, TFormValue::Date);
    EXPECT_EQ(value("Ratio").Real, 0.1L);
    EXPECT_EQ(value("Data").Bytes.size(), 33);
    EXPECT_EQ(value("Unknown").kind, TFormValue::Null);
    EXPECT_EQ(value("FocusControl").Str, QStringLiteral("Other.Button1"));
    const TFormValue items = value("Items");
    ASSERT_EQ(items.Items.size(), 2u);
    EXPECT_TRUE(items.Items[1].HasOrder);
    EXPECT_EQ(items.Items[1].Order, 3);
    EXPECT_EQ(items.Items[0].Properties[1].Name, QStringLiteral("Font.Name"));

    ASSERT_EQ(tree.Children.size(), 4u);
    EXPECT_EQ(tree.Children[0].Children[0].ChildPos, 2);
    EXPECT_EQ(tree.Children[1].Flags, ffInherited);
    EXPECT_EQ(tree.Children[2].Flags, ffInline);
    EXPECT_TRUE(tree.Children[3].Name.isEmpty());
    EXPECT_EQ(tree.Children[3].ClassName, QStringLiteral("TTimer"));
}

TEST(FormStreams, LongStringsAreSplitAndJoined) {
    const QString longText = QString(150, u'x') + QStringLiteral(u"\u00e9") + QString(40, u'\'');
    TFormObject root;
    root.ClassName = QStringLiteral("TForm");
    root.Properties.push_back({QStringLiteral("Hint"), TFormValue::makeString(longText)});
    const QByteArray text = WriteTextForm(root);
    EXPECT_TRUE(text.contains("' +\n")) << text.toStdString();
    for (const QByteArray& line : text.split('\n'))
        EXPECT_LE(line.size(), 140);
    EXPECT_EQ(ReadTextForm(text).Properties[0].Value.Str, longText);
}

TEST(FormStreams, ExtendedPrecisionSurvivesText) {
    TFormObject root;
    root.ClassName = QStringLiteral("TForm");
    const long double third = 1.0L / 3.0L;
    root.Properties.push_back({QStringLiteral("X"), TFormValue::makeFloat(third)});
    root.Properties.push_back({QStringLiteral("Y"), TFormValue::makeFloat(3.0L)});
    const TFormObject back = ReadTextForm(WriteTextForm(root));
    EXPECT_EQ(back.Properties[0].Value.Real, third);
    EXPECT_EQ(back.Properties[1].Value.kind, TFormValue::Float);
}

TEST(FormStreams, ResourceFormCarriesHeader) {
    const QByteArray resource = ObjectTextToResource(QByteArray(AllKinds));
    ASSERT_TRUE(resource.startsWith(QByteArray("\xFF\x0A\x00", 3)));
    EXPECT_EQ(resource.mid(3, 7), QByteArray("TFORM1\0", 7));
    EXPECT_EQ(resource.mid(10, 2), QByteArray("\x30\x10", 2));
    quint32 size = 0;
    std::memcpy(&size, resource.constData() + 12, 4);
    EXPECT_EQ(qsizetype(size), resource.size() - 16);
    EXPECT_EQ(resource.mid(16, 4), QByteArray("TPF0"));
    EXPECT_EQ(ObjectResourceToText(resource).toStdString(), std::string(AllKinds));
}

TEST(FormStreams, DetectsTheStoredFormat) {
    EXPECT_EQ(DetectFormFileFormat(QByteArray(AllKinds)), TFormFileFormat::Text);
    EXPECT_EQ(DetectFormFileFormat("\xEF\xBB\xBF  inherited X: T\n"), TFormFileFormat::Text);
    EXPECT_EQ(DetectFormFileFormat(ObjectTextToBinary(AllKinds)), TFormFileFormat::Binary);
    EXPECT_EQ(DetectFormFileFormat(ObjectTextToResource(AllKinds)), TFormFileFormat::Resource);
    EXPECT_EQ(DetectFormFileFormat("objective"), TFormFileFormat::Unknown);
    EXPECT_EQ(DetectFormFileFormat(""), TFormFileFormat::Unknown);
    EXPECT_EQ(FormFileToText(ObjectTextToResource(AllKinds)).toStdString(), std::string(AllKinds));
    EXPECT_THROW(FormFileToText("hello"), EReadError);
}

TEST(FormStreams, DeviceConvertersReportTheFormat) {
    QBuffer text;
    text.setData(QByteArray(AllKinds));
    text.open(QIODevice::ReadOnly);
    QBuffer resource;
    resource.open(QIODevice::WriteOnly);
    TStreamOriginalFormat format = sofUnknown;
    ObjectTextToResource(text, resource, format);
    EXPECT_EQ(format, sofText);
    resource.close();
    resource.open(QIODevice::ReadOnly);
    QBuffer back;
    back.open(QIODevice::WriteOnly);
    ObjectResourceToText(resource, back, format);
    EXPECT_EQ(format, sofBinary);
    EXPECT_EQ(back.data().toStdString(), std::string(AllKinds));

    // A binary stream followed by other data leaves the device just past the object.
    QBuffer binary;
    binary.setData(ObjectTextToBinary("object A: TB\nend\n") + "tail");
    binary.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ObjectBinaryToText(binary, out);
    EXPECT_EQ(binary.readAll(), QByteArray("tail"));
}

TEST(FormStreams, BadTextNamesLineAndColumn) {
    const struct {
        const char* Text;
        const char* Problem; // after "Error in form text on line "
    } cases[] = {
        {"object A: TB\n  X = 'abc\nend\n", "2, column 7: Unterminated string"},
        {"object A: TB\n  X = #\nend\n", "2, column 7: Character code expected after '#'"},
        {"object A: TB\n  X = #70000\nend\n", "2, column 7: Character code out of range"},
        {"object A: TB\n  X = 99999999999999999999\nend\n", "2, column 7: Integer out of range"},
        {"object A: TB\n  X = {0A1}\nend\n",
         "2, column 7: Binary data has an odd number of hexadecimal digits"},
        {"object A: TB\n  X = {0G}\nend\n", "2, column 9: Invalid binary data"},
        {"object A: TB\n  X = (Null)\nend\n", "2, column 8: Null cannot stand in a list"},
        {"object A: TB\n  X = [a b]\nend\n", "2, column 10: ',' or ']' expected but 'b' found"},
        {"object A: TB\n  X = 1\n", "3, column 1: 'end' expected but end of text found"},
        {"X = 1\n", "1, column 1: 'object' expected but 'X' found"},
        {"object A: TB\nend\nend\n",
         "3, column 1: end of text expected after the root object but 'e' found"},
        {"object A: TB\n  X = <\n    thing\n  >\nend\n",
         "3, column 5: 'item' or '>' expected but 't' found"},
        {"object A: TB\n  X = 'a' +\nend\n",
         "3, column 1: String expected after '+' but 'e' found"},
        {"object A: TB\n  X = 12abc\nend\n", "2, column 7: Invalid number"},
        {"object A: TB\n  X = 1.23456c\nend\n",
         "2, column 7: Currency values have at most four decimals"},
        {"", "1, column 1: 'object' expected but end of text found"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf([&] { parse(c.Text); }),
                  std::string("Error in form text on line ") + c.Problem);
}

TEST(FormStreams, DeepNestingIsRefusedNotOverflowed) {
    QByteArray text;
    for (int i = 0; i < 5000; ++i)
        text += "object A: T\n";
    EXPECT_THROW(ReadTextForm(text), EParserError);
    QByteArray lists = "object A: T\n X = " + QByteArray(100000, '(');
    EXPECT_THROW(ReadTextForm(lists), EParserError);

    QByteArray binary("TPF0");
    for (int i = 0; i < 100000; ++i)
        binary += QByteArray("\x01T\x00\x00", 4);
    EXPECT_EQ(
        errorOf([&] { ReadBinaryForm(binary); }).rfind("Error reading object stream at byte", 0),
        0u);
}

TEST(FormStreams, BadBinaryNamesTheOffset) {
    const QByteArray good = ObjectTextToBinary("object A: TB\n  X = 'abc'\n  Y = {00}\nend\n");
    // Every truncation fails cleanly.
    for (qsizetype n = 0; n < good.size(); ++n)
        EXPECT_THROW(ReadBinaryForm(good.left(n)), EReadError) << n;

    // After the header "TPF0", class TB, name A and property X, a value of each bad kind.
    const QByteArray head("TPF0\x02TB\x01"
                          "A\x01X",
                          11);
    const struct {
        QByteArray Bytes;
        const char* Problem; // after "Error reading object stream at byte "
    } cases[] = {
        {"TPF1", "0: invalid stream format (no TPF0 signature)"},
        {head + "\x63", "11: unknown value type 99"},
        {head + QByteArray("\x0C\xFF\xFF\xFF\xFF", 5), "12: negative length -1"},
        {head + QByteArray("\x0A\xFF\xFF\xFF\x7F", 5),
         "12: length 2147483647 exceeds the 0 bytes left"},
        {head + QByteArray("\x12\xFF\xFF\xFF\x7F", 5), "12: bad wide string length 2147483647"},
        {QByteArray("TPF0\xF8TB\x01"
                    "A\x00\x00",
                    11),
         "5: unknown object flags 0xf8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(errorOf([&] { ReadBinaryForm(c.Bytes); }),
                  std::string("Error reading object stream at byte ") + c.Problem);
    EXPECT_THROW(ObjectResourceToText(QByteArray("\xFF\x0A\x00NAME", 7)), EReadError);
    EXPECT_THROW(ObjectResourceToText(QByteArray("\xFF\x0A\x00N\x00\x30\x10\xFF\xFF\x00\x00", 11)),
                 EReadError);
}

TEST(FormStreams, WriterRefusesWhatCannotBeReadBack) {
    TFormObject root;
    root.ClassName = QStringLiteral("TForm");
    TFormValue list;
    list.kind = TFormValue::List;
    list.Elements.push_back(TFormValue());
    root.Properties.push_back({QStringLiteral("X"), list});
    EXPECT_THROW(WriteBinaryForm(root), EWriteError);
    root.Properties[0] = {QStringLiteral("X"), TFormValue::makeSet({QString()})};
    EXPECT_THROW(WriteBinaryForm(root), EWriteError);
    root.Properties[0] = {QString(256, u'n'), TFormValue::makeInteger(1)};
    EXPECT_THROW(WriteBinaryForm(root), EWriteError);
    root.Properties.clear();
    root.ClassName.clear();
    EXPECT_THROW(WriteBinaryForm(root), EWriteError);
}

TEST(FormStreams, ReadsBinaryOfOtherWriters) {
    // Long ANSI, UTF-8 and double values that our writer does not produce itself.
    QByteArray b("TPF0\x02TB\x01"
                 "A",
                 9);
    b += QByteArray("\x01L\x0C\x03\x00\x00\x00"
                    "abc",
                    10);
    b += QByteArray("\x01U\x14\x02\x00\x00\x00\xC3\xA9", 9);
    b += QByteArray("\x01"
                    "D\x15",
                    3) +
         QByteArray("\x00\x00\x00\x00\x00\x00\xF8\x3F", 8);
    b += QByteArray("\x00\x00", 2);
    const TFormObject tree = ReadBinaryForm(b);
    ASSERT_EQ(tree.Properties.size(), 3u);
    EXPECT_EQ(tree.Properties[0].Value.Str, QStringLiteral("abc"));
    EXPECT_EQ(tree.Properties[1].Value.Str, QStringLiteral(u"\u00e9"));
    EXPECT_EQ(tree.Properties[2].Value.Real, 1.5L);
    // Written back and read again, the values stay.
    EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(tree)), tree);
}

namespace {

TFormObject formWith(std::vector<TFormProperty> properties) {
    TFormObject root;
    root.ClassName = QStringLiteral("TForm");
    root.Properties = std::move(properties);
    return root;
}

} // namespace

TEST(FormStreams, FloatsOfEveryKindSurviveText) {
    const long double inf = std::numeric_limits<long double>::infinity();
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    TFormValue minCurrency = TFormValue::makeFloat(0, TFormValue::Currency);
    minCurrency.Int = std::numeric_limits<qint64>::min();
    minCurrency.Real = static_cast<long double>(minCurrency.Int) / 10000;
    const TFormObject tree = formWith({
        {QStringLiteral("Single"), TFormValue::makeFloat(0.1f, TFormValue::Single)},
        {QStringLiteral("TinySingle"), TFormValue::makeFloat(9.1834e-41f, TFormValue::Single)},
        {QStringLiteral("Date"), TFormValue::makeFloat(44993.00007677078, TFormValue::Date)},
        {QStringLiteral("Subnormal"),
         TFormValue::makeFloat(std::numeric_limits<long double>::denorm_min() * 12345)},
        {QStringLiteral("NaN"), TFormValue::makeFloat(nan)},
        {QStringLiteral("SingleInf"), TFormValue::makeFloat(inf, TFormValue::Single)},
        {QStringLiteral("DateMinusInf"), TFormValue::makeFloat(-inf, TFormValue::Date)},
        {QStringLiteral("MinCurrency"), minCurrency},
    });
    const QByteArray text = WriteTextForm(tree);
    TFormObject back;
    ASSERT_NO_THROW(back = ReadTextForm(text)) << text.toStdString();
    EXPECT_EQ(back, tree) << text.toStdString();

    // Parsed singles and dates hold what the binary form can store, so binary keeps them.
    const TFormObject parsed = parse("object A: T\n  S = 0.1s\n  D = 44993.00007677078d\nend\n");
    EXPECT_EQ(parsed.Properties[0].Value.Real, 0.1f);
    EXPECT_EQ(parsed.Properties[1].Value.Real, 44993.00007677078);
    EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(parsed)), parsed);
    EXPECT_EQ(parse("object A: T\n  X = NaNx\nend\n").Properties[0].Value.kind, TFormValue::Ident);

    // Text reads a double as an extended; its digits must still round to the same double.
    const double awkward = -2.522923758208279e-228;
    const TFormObject doubles =
        formWith({{QStringLiteral("D"), TFormValue::makeFloat(awkward, TFormValue::Double)}});
    EXPECT_EQ(double(ReadTextForm(WriteTextForm(doubles)).Properties[0].Value.Real), awkward);
}

TEST(FormStreams, TextWriterRefusesWhatWouldReadBackDifferently) {
    auto refused = [](TFormObject root) {
        try {
            const QByteArray text = WriteTextForm(root);
            return "written as: " + text.toStdString();
        } catch (const EWriteError&) {
            return std::string("refused");
        }
    };
    auto withProperty = [](const QString& name, TFormValue value) {
        return formWith({{name, std::move(value)}});
    };
    const TFormValue one = TFormValue::makeInteger(1);
    EXPECT_EQ(refused(withProperty(QStringLiteral("A B"), one)), "refused");
    EXPECT_EQ(refused(withProperty(QStringLiteral("End"), one)), "refused");
    EXPECT_EQ(refused(withProperty(QStringLiteral("object.X"), one)), "refused");
    EXPECT_EQ(refused(withProperty(QStringLiteral("X."), one)), "refused");
    for (const char* word : {"true", "Nil", "NULL", "NaN", "Infd", "Inf.X", "a b"})
        EXPECT_EQ(refused(withProperty(QStringLiteral("X"),
                                       TFormValue::makeIdent(QString::fromLatin1(word)))),
                  "refused")
            << word;
    EXPECT_EQ(
        refused(withProperty(QStringLiteral("X"), TFormValue::makeSet({QStringLiteral("a.b")}))),
        "refused");

    TFormObject root = formWith({});
    root.Name = QStringLiteral("Form\x01");
    EXPECT_EQ(refused(root), "refused");
    root.Name = QStringLiteral("Form1");
    root.ClassName = QStringLiteral("TForm\n  Caption = 'x'");
    EXPECT_EQ(refused(root), "refused");
    root.ClassName = QStringLiteral("TForm");
    root.Flags = ffInherited | ffInline;
    EXPECT_EQ(refused(root), "refused");

    // Near misses stay writable.
    root.Flags = ffInline;
    root.Properties = {
        {QStringLiteral("Endless"), TFormValue::makeIdent(QStringLiteral("NaNa"))},
        {QStringLiteral("Items.Object"), TFormValue::makeIdent(QStringLiteral("Truely"))}};
    EXPECT_EQ(ReadTextForm(WriteTextForm(root)), root);

    // A binary form with such a name converts with an error rather than into other text.
    EXPECT_THROW(ObjectBinaryToText(QByteArray("TPF0\x01\x00\x00\x00\x00", 9)), EWriteError);
}

TEST(FormStreams, BinaryKeepsWhatTextCanHold) {
    // Item orders beyond 32 bits come back as Int64 values.
    const TFormObject items =
        parse("object A: T\n  Items = <\n    item [4294967296]\n    end>\nend\n");
    EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(items)), items);

    // A class name of 240 bytes or more is not mistaken for a flags prefix.
    TFormObject root;
    root.ClassName = QString(240, u'T');
    root.Children.push_back(root);
    root.Children[0].ClassName = QString(255, u'C');
    EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(root)), root);

    // Hexadecimal literals are bit patterns, negated as such.
    EXPECT_EQ(parse("object A: T\n  X = -$8000000000000000\nend\n").Properties[0].Value.Int,
              std::numeric_limits<qint64>::min());
}

TEST(FormStreams, EightBitStringsKeepEveryByte) {
    // A long 8-bit string, as other writers store text, with the given bytes.
    const auto withString = [](const QByteArray& bytes) {
        QByteArray b("TPF0\x02TB\x01"
                     "A\x01S\x0C",
                     12);
        const qint32 n = qint32(bytes.size());
        b.append(reinterpret_cast<const char*>(&n), 4);
        return b + bytes + QByteArray("\x00\x00", 2);
    };
    const struct {
        QByteArray Bytes;
        const char16_t* Text;
    } cases[] = {
        {"caf\xC3\xA9", u"caf\u00E9"},
        // UTF-8 beside bytes that are none: the code page, every byte.
        {"\xC3\xA9 \xE9 \x80", u"\u00C3\u00A9 \u00E9 \u20AC"},
        {"\xEF\xBF\xBD\xE9", u"\u00EF\u00BF\u00BD\u00E9"},
        // A byte order mark inside a value is a character of the value.
        {"\xEF\xBB\xBFx", u"\uFEFFx"},
    };
    for (const auto& c : cases) {
        const TFormObject tree = ReadBinaryForm(withString(c.Bytes));
        EXPECT_EQ(tree.Properties[0].Value.Str, QStringView(c.Text).toString())
            << c.Bytes.toHex().toStdString();
        EXPECT_EQ(ReadTextForm(WriteTextForm(tree)), tree);
        EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(tree)), tree);
    }
}

TEST(FormStreams, WhatFollowsTheRootObjectIsReportedNotDropped) {
    const QByteArray text("object A: TB\n  X = 1\nend\n");
    const QByteArray binary = ObjectTextToBinary(text);
    EXPECT_EQ(errorOf([&] { FormFileToText(binary + "xy"); }),
              "Error reading object stream at byte " + std::to_string(binary.size()) +
                  ": 2 bytes follow the root object");
    const QByteArray resource = ObjectTextToResource(text);
    EXPECT_EQ(errorOf([&] { FormFileToText(resource + "z"); }),
              "Error reading form resource at byte " + std::to_string(resource.size()) +
                  ": 1 bytes follow the object stream of " + std::to_string(binary.size()) +
                  " bytes");
    EXPECT_THROW(FormFileToText(text + "end\n"), EParserError);

    // Blank lines before the root, however many, are no reason to refuse a text form.
    const QByteArray blank = QByteArray(100, '\n') + QByteArray(100, ' ') + text;
    EXPECT_EQ(DetectFormFileFormat(blank), TFormFileFormat::Text);
    EXPECT_EQ(FormFileToText(blank), text);
}

namespace {

// Bytes behind a device that cannot seek, as a pipe.
class SequentialBytes : public QIODevice {
public:
    explicit SequentialBytes(QByteArray bytes) : FBytes(std::move(bytes)) { open(ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 size) override {
        const qint64 n = std::min<qint64>(size, FBytes.size() - FPos);
        std::memcpy(data, FBytes.constData() + FPos, std::size_t(n));
        FPos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray FBytes;
    qint64 FPos = 0;
};

QByteArray streamed(const QByteArray& input, TFormFileFormat to, bool sequential = false) {
    QBuffer file;
    file.setData(input);
    file.open(QIODevice::ReadOnly);
    SequentialBytes pipe(input);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    ConvertFormFile(sequential ? static_cast<QIODevice&>(pipe) : file, out, to);
    return out.data();
}

} // namespace

TEST(FormStreams, StreamedConversionsWriteWhatTheTreeWrites) {
    const QByteArray text(AllKinds);
    const QByteArray latin =
        "object A: TB\n  Caption = 'Caf\xE9 \x80'\n  Items = <\n    item\n      X = (\n"
        "        'a'\n        <\n          item\n          end>)\n    end>\nend\n";
    for (const QByteArray& form : {text, latin}) {
        for (const bool sequential : {false, true}) {
            SCOPED_TRACE(sequential ? "sequential" : "random access");
            for (const TFormFileFormat to :
                 {TFormFileFormat::Text, TFormFileFormat::Binary, TFormFileFormat::Resource}) {
                const QByteArray expected = TextToFormFile(FormFileToText(form), to);
                EXPECT_EQ(streamed(form, to, sequential), expected);
                // And back from every stored form.
                EXPECT_EQ(streamed(expected, TFormFileFormat::Text, sequential),
                          FormFileToText(form));
            }
        }
    }
    EXPECT_THROW(streamed("hello", TFormFileFormat::Text), EReadError);
    EXPECT_THROW(streamed(ObjectTextToBinary(text) + "x", TFormFileFormat::Text), EReadError);
    // However many blank lines come first.
    EXPECT_EQ(streamed(QByteArray(300000, '\n') + text, TFormFileFormat::Text), text);
}

TEST(FormStreams, AnErrorPastAWindowOfTheInputStillNamesItsColumn) {
    // A line longer than the reader keeps of it.
    const QByteArray value(1500000, 'a');
    const QByteArray form = "object A: TB\n  X = '" + value + "' ?\nend\n";
    EXPECT_EQ(errorOf([&] { streamed(form, TFormFileFormat::Binary); }),
              "Error in form text on line 2, column 1500010: Property name expected but '?' "
              "found");
    EXPECT_EQ(errorOf([&] { streamed("object A: TB\n  X = '" + value, TFormFileFormat::Binary); }),
              "Error in form text on line 2, column 7: Unterminated string");
    // The column counts characters, not bytes, in a UTF-8 text too.
    EXPECT_EQ(
        errorOf([&] { ReadTextForm("object A: TB\n  X = '\xC3\xA9\xF0\x9F\x98\x80' ?\nend\n"); }),
        "Error in form text on line 2, column 13: Property name expected but '?' found");
}
