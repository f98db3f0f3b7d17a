// The options grammar of edit masks as the designer reads, writes and types it: default masks,
// codes read with the meaning of the data type, codes that exclude each other, the typing rules,
// and the mask text around the options.

#include "controls/QzMaskOptions.h"

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

QString canonical(const QString& options, TQzDataType type) {
    return QzMakeMaskOptions(QzScanMaskOptions(options, type), type);
}

const TQzDataType AllTypes[] = {dtInteger,  dtFloat, dtCurrency, dtString,
                                dtDateTime, dtOther, dtMemo};

} // namespace

TEST(MaskOptions, DefaultMasksAreTheDefaultsCharactersInAnyOrder) {
    const struct {
        QString Options;
        TQzDataType Type;
        bool Default;
    } cases[] = {
        {"", dtString, true},       {"<sadw", dtString, true},   {"wdas<", dtMemo, true},
        {"<sad", dtString, false},  {"<sadwu", dtString, false}, {">", dtInteger, true},
        {"<", dtInteger, false},    {"&-.>", dtFloat, true},     {">.-&", dtCurrency, true},
        {">.-&", dtInteger, false}, {"ymd<", dtDateTime, true},  {"<dmy", dtString, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QzIsDefaultMask(c.Options, c.Type), c.Default)
            << c.Options.toStdString() << " " << int(c.Type);
}

TEST(MaskOptions, OptionsComeBackInTheirCanonicalOrderWithTheRulesApplied) {
    const struct {
        QString Options;
        TQzDataType Type;
        QString Canonical;
    } cases[] = {
        // Empty and default options give the default's settings.
        {"", dtString, "<sadw"},
        {"wdas<", dtString, "<sadw"},
        {"", dtCurrency, ">-.&"},
        {"", dtDateTime, "<dmy"},
        // Other options start from nothing but the left alignment, so that none come out empty
        // and read back as the default.
        {"-", dtInteger, "<-"},
        {"-", dtFloat, "<-"},
        {"#", dtCurrency, "<"},
        {"z%", dtFloat, "%z"},
        // A code means what it means for the type; codes of no meaning are dropped.
        {"<k", dtInteger, "<k"},
        {"<k", dtDateTime, "<"},
        {"<1", dtInteger, "<1"},
        {"<1", dtDateTime, "<1"},
        {"<s", dtDateTime, "<s"},
        {"<s#q!", dtString, "<s"},
        {"<r*", dtString, "<*r"},
        // Of codes that exclude each other the last counts.
        {"<+-", dtInteger, "<-"},
        {"<dD", dtDateTime, "<D"},
        {"<1d", dtDateTime, "<d"},
        {"<m2M", dtDateTime, "<M"},
        {"<uf", dtString, "<f"},
        {"<>", dtString, ">"},
        // The 12-hour clock shows AM/PM, auto-adjusting needs it, a duration has no date.
        {"<o", dtDateTime, "<ao"},
        {"<k", dtDateTime, "<"},
        {"<okh", dtDateTime, "<haok"},
        {"<dMyoz", dtDateTime, "<z"},
        {"<hnsb", dtDateTime, "<hnsb"},
        // Type 5 keeps only the alignment.
        {">sad", dtOther, ">"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(canonical(c.Options, c.Type), c.Canonical)
            << c.Options.toStdString() << " " << int(c.Type);
}

TEST(MaskOptions, TypingRefusesRepeatsClashesAndCodesOnlyTheControlsSet) {
    const struct {
        QString Options;
        QChar Key;
        TQzDataType Type;
        bool Accepted;
    } cases[] = {
        {"<", u'<', dtString, false},    {">", u'<', dtInteger, false},
        {"", u'%', dtFloat, true},       {"<", u'>', dtOther, false},
        {"", u'<', dtOther, true},       {"<", u's', dtOther, false},
        {">-", u'+', dtInteger, false},  {">+", u'-', dtFloat, false},
        {">", u'z', dtCurrency, true},   {">", u'&', dtFloat, false},
        {">", u'1', dtInteger, false},   {">z", u'z', dtInteger, false},
        {"<1", u'D', dtDateTime, false}, {"<d", u'1', dtDateTime, false},
        {"<D", u'd', dtDateTime, false}, {"<m", u'2', dtDateTime, false},
        {"<d", u'M', dtDateTime, true},  {"<", u'o', dtDateTime, true},
        {"<", u'k', dtDateTime, false},  {"<", u'z', dtDateTime, false},
        {"<u", u'l', dtString, false},   {"<u", u'w', dtMemo, true},
        {"<", u'r', dtString, false},    {"<", u'x', dtString, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QzMaskOptionsAcceptKey(c.Options, c.Key, c.Type), c.Accepted)
            << c.Options.toStdString() << " + " << QString(c.Key).toStdString() << " "
            << int(c.Type);
}

TEST(MaskOptions, MaskTextsSplitAtTheirSemicolonsAndJoinOnlyWhatIsKept) {
    const TQzMaskTextParts phone = QzSplitMaskText("<d;(###)###-####");
    EXPECT_EQ(phone.Options, "<d");
    EXPECT_EQ(phone.MaskText, "(###)###-####");
    EXPECT_EQ(phone.Space, "");
    EXPECT_EQ(phone.Parts, 2);
    EXPECT_EQ(QzSplitMaskText("<sadw").Parts, 1);
    const TQzMaskTextParts more = QzSplitMaskText("<a;##;*;rest");
    EXPECT_EQ(more.Space, "*");
    EXPECT_EQ(more.Parts, 3);

    const struct {
        QString Options, MaskText, Space;
        TQzDataType Type;
        QString Text;
    } cases[] = {
        {"<sadw", "", "_", dtString, ""},           {"<sadw", "(##)", "", dtString, "<sadw;(##)"},
        {"<d", "(###)", "_", dtMemo, "<d;(###);_"}, {"<d", "   ", "_", dtString, "<d"},
        {"<d", "##", " ", dtString, "<d;##"},       {">-", "##", "_", dtFloat, ">-"},
        {"<dmy", "", "", dtDateTime, ""},           {"<hn", "##:##", "_", dtDateTime, "<hn"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QzJoinMaskText(c.Options, c.MaskText, c.Space, c.Type), c.Text)
            << c.Text.toStdString();
}

// Every options text of up to three codes: the canonical text holds each code once, reads back
// as the same settings, and is its own canonical text.
TEST(MaskOptions, EveryShortOptionsTextHasAStableCanonicalForm) {
    const QString codes = QStringLiteral("<%>-+*z.&k$0@1234dDmM2yhnsaoxcvbpwtuflr;");
    QStringList texts{QString()};
    for (int length = 0; length < 3; ++length) {
        const QStringList shorter = texts;
        for (const QString& t : shorter)
            if (t.size() == length)
                for (QChar c : codes)
                    texts << t + c;
    }
    for (TQzDataType type : AllTypes)
        for (const QString& text : std::as_const(texts)) {
            const TQzMaskOptions settings = QzScanMaskOptions(text, type);
            const QString made = QzMakeMaskOptions(settings, type);
            ASSERT_EQ(QzScanMaskOptions(made, type), settings) << text.toStdString() << int(type);
            ASSERT_EQ(QzMakeMaskOptions(QzScanMaskOptions(made, type), type), made);
            for (QChar c : made)
                ASSERT_EQ(made.count(c), 1) << made.toStdString();
        }
}
