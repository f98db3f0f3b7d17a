// The shared helpers as the editors use them: exported strings lines read back field for field,
// numbers and dates typed in the inspector read back as the value shown, and bad text refused.

#include "PkgTestSupport.h"
#include "QzCasts.h"
#include "QzDates.h"
#include "QzExcept.h"
#include "QzFields.h"
#include "QzNumbers.h"
#include "QzPaths.h"

#include <QDir>
#include <QFileInfo>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

namespace {

QStringList split(const QString& line, QChar separator = u',') {
    QStringList fields;
    QzTextToStrings(line, fields, separator);
    return fields;
}

bool hasLineBreak(const QString& line) {
    for (QChar c : line)
        if (c == u'\r' || c == u'\n' || c == u'\u0085' || c == u'\u2028' || c == u'\u2029' ||
            c == u'\v' || c == u'\f')
            return true;
    return false;
}

// Restores an environment variable when the test ends.
class EnvGuard {
public:
    explicit EnvGuard(const char* name)
        : FName(name), FOld(qgetenv(name)), FHad(qEnvironmentVariableIsSet(name)) {}
    ~EnvGuard() {
        if (FHad)
            qputenv(FName, FOld);
        else
            qunsetenv(FName);
    }

private:
    const char* FName;
    QByteArray FOld;
    bool FHad;
};

} // namespace

TEST(Utils, PathsAndExtensions) {
    EXPECT_EQ(QzAddPathBar(QStringLiteral("/data/pkgs")), QStringLiteral("/data/pkgs/"));
    EXPECT_EQ(QzAddPathBar(QStringLiteral("/data/pkgs/")), QStringLiteral("/data/pkgs/"));
    EXPECT_EQ(QzAddPathBar(QString()), QString()); // never the root folder
    EXPECT_EQ(QzAddPointExt(QStringLiteral("pim")), QStringLiteral(".pim"));
    EXPECT_EQ(QzAddPointExt(QStringLiteral(".pim")), QStringLiteral(".pim"));
    EXPECT_EQ(QzAddPointExt(QString()), QString());
}

TEST(Utils, InstalledPackagesFolder) {
    EnvGuard guard("QZ_INSTALL_DIR");
    qputenv("QZ_INSTALL_DIR", "/opt/qz/");
    EXPECT_EQ(QzGetInstallPackagesExists(), QStringLiteral("/opt/qz/packages/"));

    // Without the variable: next to the runtime library this test is linked with.
    qunsetenv("QZ_INSTALL_DIR");
    const QString folder = QzGetInstallPackagesExists();
    ASSERT_TRUE(folder.endsWith(QStringLiteral("/packages/"))) << folder.toStdString();
    const QDir install(QDir::cleanPath(folder + QStringLiteral("..")));
    EXPECT_FALSE(install.entryList({QStringLiteral("libQzCtrls_19.so*")}).isEmpty())
        << install.absolutePath().toStdString();
}

TEST(Utils, PlainFieldsStayReadable) {
    EXPECT_EQ(QzTextFromStrings({QStringLiteral("3"), QStringLiteral("Save")}),
              QStringLiteral("3,Save"));
    EXPECT_EQ(QzTextFromStrings({QStringLiteral("1"), QString(), QStringLiteral("h")}),
              QStringLiteral("1,,h"));
    EXPECT_EQ(QzTextFromStrings({QStringLiteral(R"(C:\dir\file)")}),
              QStringLiteral(R"(C:\dir\file)"));
    EXPECT_EQ(split(QStringLiteral("3,Save")),
              (QStringList{QStringLiteral("3"), QStringLiteral("Save")}));
    // A line read from a file written with CR LF line ends.
    EXPECT_EQ(split(QStringLiteral("3,Save\r\n")),
              (QStringList{QStringLiteral("3"), QStringLiteral("Save")}));
    EXPECT_TRUE(split(QString()).isEmpty());
}

TEST(Utils, NastyFieldsRoundTripOnOneLine) {
    const struct {
        QStringList Fields;
        QString Line;
    } cases[] = {
        {{QStringLiteral("a,b")}, QStringLiteral(R"("a,b")")},
        {{QStringLiteral(R"(say "hi")")}, QStringLiteral(R"("say ""hi""")")},
        {{QStringLiteral(" lead"), QStringLiteral("trail ")},
         QStringLiteral(R"(" lead","trail ")")},
        {{QStringLiteral("12"), QStringLiteral("two\r\nlines")},
         QStringLiteral(R"(12,"two\r\nlines")")},
        {{QStringLiteral("tab\there")}, QStringLiteral(R"("tab\there")")},
        {{QStringLiteral(R"(back\slash "q")")}, QStringLiteral(R"("back\\slash ""q""")")},
        {{QString()}, QStringLiteral(R"("")")},
        {{QString(), QString()}, QStringLiteral(",")},
        {{QStringLiteral("x"), QString()}, QStringLiteral("x,")},
        {{}, QString()},
        {{QString(QChar(u'\0')) + QStringLiteral("nul")}, QStringLiteral(R"("\u0000nul")")},
        {{QStringLiteral(u"para\u2029graph")}, QStringLiteral(R"("para\u2029graph")")},
    };
    for (const auto& c : cases) {
        const QString line = QzTextFromStrings(c.Fields);
        EXPECT_EQ(line, c.Line);
        EXPECT_EQ(split(line), c.Fields) << line.toStdString();
    }
}

TEST(Utils, RandomFieldsRoundTripOnOneLine) {
    // Characters that trouble field formats, plus ordinary ones and a surrogate pair.
    const QString alphabet = QStringLiteral(u",;\"\\ \t\r\naZ0é\u2028\u0085\u00a0\U0001F600") +
                             QChar(u'\0') + QChar(char16_t(0xD800)) + QChar(char16_t(0xDC00));
    const QChar separators[] = {u',', u';', u'\t', u' '};
    std::mt19937 random(20240611);
    for (int round = 0; round < 3000; ++round) {
        const QChar separator = separators[random() % 4];
        QStringList fields;
        const int count = int(random() % 6);
        for (int f = 0; f < count; ++f) {
            QString field;
            const int length = int(random() % 10);
            for (int i = 0; i < length; ++i)
                field += alphabet[qsizetype(random() % alphabet.size())];
            fields << field;
        }
        const QString line = QzTextFromStrings(fields, separator);
        ASSERT_FALSE(hasLineBreak(line)) << line.toStdString();
        // The line survives being saved and read as UTF-8, lone surrogates included.
        ASSERT_EQ(QString::fromUtf8(line.toUtf8()), line);
        ASSERT_EQ(split(line, separator), fields) << "round " << round;
    }
}

TEST(Utils, MalformedFieldsAreRefusedAndChangeNothing) {
    const QString bad[] = {
        QStringLiteral(R"(3,"abc)"), QStringLiteral(R"("a"b,c)"),   QStringLiteral(R"(a"b)"),
        QStringLiteral(R"("\q")"),   QStringLiteral(R"("\u12G4")"), QStringLiteral(R"("\u12")"),
        QStringLiteral(R"("abc\)"),  QStringLiteral(R"(1,"x" ,2)"),
    };
    for (const QString& line : bad) {
        QStringList fields{QStringLiteral("keep")};
        const std::string error = errorOf([&] { QzTextToStrings(line, fields, u','); });
        EXPECT_NE(error.find(line.toStdString()), std::string::npos) << error;
        EXPECT_EQ(fields, QStringList{QStringLiteral("keep")});
    }
    EXPECT_EQ(errorOf([] { QzTextFromStrings({QStringLiteral("a")}, u'"'); }),
              "U+0022 cannot separate fields");
    EXPECT_EQ(errorOf([] { QzTextFromStrings({QStringLiteral("a")}, u'\n'); }),
              "U+000A cannot separate fields");
}

TEST(Utils, PlainNumbersReadBackExactly) {
    std::mt19937_64 random(7);
    std::vector<double> values{
        0.1, 1.0 / 3, -1e-300, 1e300, DBL_MAX, DBL_TRUE_MIN, 1536, -2.5, 123456789012345678.0, 0.0};
    for (int i = 0; i < 2000; ++i) {
        const std::uint64_t bits = random();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (double value : values)
        EXPECT_EQ(QzCStrToNumeric(QzCNumericToStr(value)), value)
            << QzCNumericToStr(value).toStdString();

    EXPECT_EQ(QzCNumericToStr(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(QzCNumericToStr(1536), QStringLiteral("1536"));
    EXPECT_TRUE(std::isnan(QzCStrToNumeric(QzCNumericToStr(NAN))));
    EXPECT_EQ(QzCStrToNumeric(QzCNumericToStr(-INFINITY)), -INFINITY);
    EXPECT_EQ(QzCStrToNumeric(QStringLiteral(" +2.5 ")), 2.5);
    EXPECT_EQ(QzCStrToNumeric(QStringLiteral("1e3")), 1000);

    for (const char* text : {"", "abc", "1,5", "2.5x", "--1", "+-1", "0x10", "1 000"})
        EXPECT_EQ(errorOf([&] { QzCStrToNumeric(QString::fromLatin1(text)); }),
                  "\"" + std::string(text) + "\" is not a number");
    EXPECT_EQ(errorOf([] { QzCStrToNumeric(QStringLiteral(u"½")); }), "\"½\" is not a number");
    EXPECT_EQ(errorOf([] { QzCStrToNumeric(QStringLiteral("1e999")); }),
              "\"1e999\" is too large a number");
}

TEST(Utils, RoundingFollowsTheWrittenDigits) {
    EXPECT_EQ(QzRoundDec(1.005, 2), 1.01);
    EXPECT_EQ(QzRoundDec(2.675, 2), 2.68);
    EXPECT_EQ(QzRoundDec(1536 / 1024.0, 1), 1.5);
    EXPECT_EQ(QzRoundDec(-1.25, 1), -1.3);
    EXPECT_EQ(QzRoundDec(9.995, 2), 10.0);
    EXPECT_EQ(QzRoundDec(0.96, 0), 1.0);
    EXPECT_EQ(QzRoundDec(123.456, 0), 123.0);
    EXPECT_EQ(QzRoundDec(1234.5, -2), 1200.0);
    EXPECT_EQ(QzRoundDec(1e20, 2), 1e20);
    EXPECT_EQ(QzRoundDec(0.0004, 3), 0.0);
    EXPECT_FALSE(std::signbit(QzRoundDec(-0.0004, 3))); // no "-0" to show
}

TEST(Utils, MaskedNumbersFormatAndReadBack) {
    const struct {
        double Value;
        const char* Mask;
        int Size;
        int Decimals;
        const char* Text;
        double Back = NAN; // what the text reads back as, when not the value rounded
    } cases[] = {
        {1234.5, ">", 0, 2, "1234.50"},
        {1234.5, ">.-&", 0, 2, "1,234.5"},
        {-1234567.125, ">.", 0, 2, "-1,234,567.13"},
        {1234.5, "<", 10, 2, "1234.50   "},
        {1234.5, ">", 10, 2, "   1234.50"},
        {1234.5, "%", 11, 2, "  1234.50  "},
        {5, ">+", 0, 0, "+5"},
        {-2.5, ">*", 0, 1, "2.5-"},
        {-3.5, ">0", 8, 2, "-0003.50"},
        {1234.5, ">.0", 10, 1, "0001,234.5"},
        {12345.678, ">2", 0, 3, "1.235E+04", 12350},
        {0.000123, ">4", 0, 2, "1.23E-4", 0.000123},
        {1e-15, ">1", 0, 2, "1.00E-15", 1e-15},
        {7, ">&", 0, 8, "7"},
        {0.00000001, ">", 0, 8, "0.00000001"},
        {2, ">", 0, -1, "2"},
    };
    for (const auto& c : cases) {
        const QString text =
            QzANumericToStr(c.Value, QString::fromLatin1(c.Mask), c.Size, c.Decimals);
        EXPECT_EQ(text, QString::fromLatin1(c.Text)) << c.Mask;
        const int decimals = std::max(0, c.Decimals);
        if (std::isnan(c.Back))
            EXPECT_EQ(QzAStrToNumeric(text, decimals), QzRoundDec(c.Value, decimals)) << c.Text;
        else
            EXPECT_EQ(QzAStrToNumeric(text, -1), c.Back) << c.Text;
    }
    EXPECT_EQ(QzANumericToStr(0, QStringLiteral(">z"), 4, 2), QStringLiteral("    "));
    EXPECT_EQ(QzANumericToStr(-0.001, QStringLiteral(">"), 0, 2), QStringLiteral("0.00"));

    // What the inspector relies on: a value shown with eight decimals reads back as shown.
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 15);
    for (int i = 0; i < 2000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        const QString text = QzANumericToStr(value, QStringLiteral(">"), 0, 8);
        ASSERT_EQ(QzAStrToNumeric(text, 8), QzRoundDec(value, 8)) << text.toStdString();
    }
    EXPECT_TRUE(
        std::isinf(QzAStrToNumeric(QzANumericToStr(INFINITY, QStringLiteral(">"), 0, 8), 8)));
}

TEST(Utils, UnreadableMaskedNumbersAreRefused) {
    for (const char* text : {"", "abc", "1.2.3", "-5-", "1,23", "$5", "12 34", ".", "-"})
        EXPECT_EQ(errorOf([&] { QzAStrToNumeric(QString::fromLatin1(text), 8); }),
                  "\"" + std::string(text) + "\" is not a number");
}

TEST(Utils, DatesFormatAndReadBack) {
    const QDateTime t(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(QzADateTimeToStr(t, QStringLiteral("dmyhns"), dyFourDigits),
              QStringLiteral("05/03/2024 14:07:09"));
    EXPECT_EQ(QzADateTimeToStr(t, QStringLiteral("<dmy"), dyTwoDigits), QStringLiteral("05/03/24"));
    EXPECT_EQ(QzADateTimeToStr(t, QString(), dyAutomatic), QStringLiteral("05/03/24"));
    EXPECT_EQ(
        QzADateTimeToStr(QDateTime(QDate(1900, 1, 2), QTime()), QStringLiteral("dmy"), dyAutomatic),
        QStringLiteral("02/01/1900"));
    EXPECT_EQ(QzADateTimeToStr(t, QStringLiteral("dMy"), dyFourDigits),
              QStringLiteral("05 Mar 2024"));
    EXPECT_EQ(QzADateTimeToStr(t, QStringLiteral("12y"), dyFourDigits),
              QStringLiteral("Tuesday March 2024"));
    EXPECT_EQ(QzADateTimeToStr(t, QStringLiteral("hno"), dyFourDigits), QStringLiteral("02:07 PM"));
    EXPECT_EQ(
        QzADateTimeToStr(QDateTime(t.date(), QTime(0, 30)), QStringLiteral("hno"), dyFourDigits),
        QStringLiteral("12:30 AM"));
    EXPECT_EQ(QzADateTimeToStr(QDateTime(), QStringLiteral("dmy"), dyFourDigits), QString());

    // Every second shown by the inspector reads back as the same second.
    std::mt19937 random(5);
    const QDateTime start(QDate(1, 1, 1), QTime(0, 0));
    for (int i = 0; i < 2000; ++i) {
        // Half over the whole range of four-digit years, half around today.
        const qint64 seconds = i % 2 ? qint64(random()) * 73 : qint64(random() % 3'200'000'000u);
        const QDateTime value =
            (i % 2 ? start : QDateTime(QDate(1950, 1, 1), QTime(0, 0))).addSecs(seconds);
        const QString text = QzADateTimeToStr(value, QStringLiteral("dmyhns"), dyFourDigits);
        ASSERT_EQ(QzAStrToDate(text), value) << text.toStdString();
        // The short year reads back too while it is within the window.
        const QString shortYear = QzADateTimeToStr(value, QStringLiteral("dmyhns"), dyAutomatic);
        ASSERT_EQ(QzAStrToDate(shortYear), value) << shortYear.toStdString();
    }

    EXPECT_EQ(QzAStrToDate(QStringLiteral("2024-03-05T14:07:09")), t);
    EXPECT_EQ(QzAStrToDate(QStringLiteral(" 5.3.24 ")), QDateTime(QDate(2024, 3, 5), QTime(0, 0)));
    EXPECT_EQ(QzAStrToDate(QStringLiteral("05/03/2024 2:07:09 pm")), t);
    EXPECT_EQ(QzAStrToDate(QStringLiteral("14:07")), QDateTime(QDate(1899, 12, 30), QTime(14, 7)));
    EXPECT_EQ(QzAStrToDate(QStringLiteral("05-03-2024 14:07:09.5")), t.addMSecs(500));
}

TEST(Utils, UnreadableDatesAreRefused) {
    for (const char* text : {"", "31/02/2024", "2024-13-01", "25:00", "13:00 PM", "05/03",
                             "tomorrow", "05/03-2024", "05/03/2024 14", "0000-01-01"})
        EXPECT_EQ(errorOf([&] { QzAStrToDate(QString::fromLatin1(text)); }),
                  "\"" + std::string(text) + "\" is not a date");
}

TEST(Utils, DataCastConvertsToEachDataType) {
    EXPECT_EQ(QzDataCast(QStringLiteral("1,234.5"), dtFloat), QVariant(1234.5));
    EXPECT_EQ(QzDataCast(2.5, dtInteger), QVariant::fromValue<qint64>(3));
    EXPECT_EQ(QzDataCast(-2.5, dtInteger), QVariant::fromValue<qint64>(-3));
    EXPECT_EQ(QzDataCast(QStringLiteral("42"), dtInteger), QVariant::fromValue<qint64>(42));
    // Whole numbers keep every digit, beyond what a double holds.
    EXPECT_EQ(QzDataCast(QStringLiteral(" 9007199254740993"), dtInteger),
              QVariant::fromValue<qint64>(9007199254740993));
    EXPECT_EQ(QzDataCast(QVariant::fromValue<qint64>(9007199254740993), dtInteger),
              QVariant::fromValue<qint64>(9007199254740993));
    EXPECT_EQ(QzDataCast(3.14159, dtCurrency), QVariant(3.1416));
    EXPECT_EQ(QzDataCast(0.1, dtString), QVariant(QStringLiteral("0.1")));
    EXPECT_EQ(QzDataCast(7, dtMemo), QVariant(QStringLiteral("7")));
    EXPECT_EQ(QzDataCast(true, dtString), QVariant(QStringLiteral("True")));
    const QDateTime t(QDate(2024, 3, 5), QTime(14, 7, 9));
    EXPECT_EQ(QzDataCast(t, dtString), QVariant(QStringLiteral("05/03/2024 14:07:09")));
    EXPECT_EQ(QzDataCast(QStringLiteral("05/03/2024 14:07:09"), dtDateTime), QVariant(t));
    EXPECT_EQ(QzDataCast(QDate(2024, 3, 5), dtDateTime),
              QVariant(QDateTime(QDate(2024, 3, 5), QTime(0, 0))));
    EXPECT_EQ(QzDataCast(QVariant(5), dtOther), QVariant(5));

    // Null and unassigned stay what they are.
    EXPECT_FALSE(QzDataCast(QVariant(), dtString).isValid());
    const QVariant null = QVariant::fromValue(nullptr);
    EXPECT_TRUE(QzDataCast(null, dtInteger).isNull());

    EXPECT_EQ(errorOf([] { QzDataCast(QStringLiteral("x"), dtInteger); }), "\"x\" is not a number");
    EXPECT_EQ(errorOf([] { QzDataCast(1e30, dtInteger); }),
              "\"1e+30\" cannot be converted to a whole number");
    EXPECT_EQ(errorOf([] { QzDataCast(QVariant::fromValue<quint64>(1ULL << 63), dtInteger); }),
              "\"9223372036854775808\" cannot be converted to a whole number");
    EXPECT_EQ(errorOf([] { QzDataCast(3.0, dtDateTime); }), "\"3\" cannot be converted to a date");
    EXPECT_EQ(errorOf([] { QzDataCast(1, TQzDataType(7)); }), "7 is not a data type");
}

TEST(Utils, DateOrderOfLocales) {
    EXPECT_EQ(QzLocaleDateFormat(QLocale(QLocale::English, QLocale::UnitedStates)), dfMDY);
    EXPECT_EQ(QzLocaleDateFormat(QLocale(QLocale::German, QLocale::Germany)), dfDMY);
    EXPECT_EQ(QzLocaleDateFormat(QLocale(QLocale::Japanese, QLocale::Japan)), dfYMD);
}
