// Form streams against Free Pascal's converters (fpcconv, built from fpcconv.pas): each form in
// forms/ goes through both sides, and whatever one side writes must read on the other as the
// same tree.
//
// Kept out of the corpus because fpc 3.2.2 reads them differently or not at all:
//  - Null values: fpc parses Null as an identifier and rejects value type 0 when reading.
//  - '#$41' character codes, '+42' and '-$10' literals: fpc's parser rejects them.
//  - Hexadecimal literals with the top bit of 32 bits set: we read $FFFFFFFF as the 32-bit
//    pattern -1, fpc as 4294967295.
//  - A child position on an unnamed object ("object TTimer [5]"): fpc writes it but cannot
//    parse it back.
//  - Child positions beyond 32 bits: fpc reads them as 32-bit values.

#include "BinaryForm.h"
#include "SysUtils.h"
#include "TextForm.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

#ifdef QZ_FPCCONV
const char* const FpcConv = QZ_FPCCONV;
#else
const char* const FpcConv = nullptr;
#endif

const QString FormsDir = QStringLiteral(QZ_INTEROP_FORMS);

// Forms on which the two sides are known to part, and why. A case is skipped only when fpc fails
// with one of the listed messages, or for bytesDiffer when the streams differ, so an entry
// cannot hide another fault.
struct KnownDifference {
    const char* form;
    const char* why;
    std::vector<std::string> fpcErrors;
    bool bytesDiffer;
};

const KnownDifference KnownDifferences[] = {
    // fpc turns the s, c and d suffixes into extended values, and its reader rejects value
    // types 15, 16 and 17 (single, currency, date) that we write for them.
    {"TypedFloats",
     "fpc writes single, currency and date literals as extended and cannot read value types 15-17",
     {"Invalid property type from streamed property: 15"},
     true},
    // fpc copies raw UTF-8 text into a short or long string as it stands; we write wide strings
    // for anything beyond ASCII. Both read back as the same characters.
    {"RawUtf8Text", "fpc stores raw UTF-8 text as 8-bit string bytes, we store UTF-16", {}, true},
    // fpc's parser has no "item [n]", and its binary reader, after an item's order, takes the
    // list marker that follows for the length of a property name.
    {"CollectionItemOrder",
     "fpc 3.2.2 neither parses nor reads collection item order",
     {"Symbol expected but [ found", "Invalid property type from streamed property"},
     false},
};

const KnownDifference* knownDifference(const std::string& form) {
    for (const auto& k : KnownDifferences)
        if (form == k.form)
            return &k;
    return nullptr;
}

std::vector<std::string> formNames() {
    std::vector<std::string> names;
    for (const QString& name :
         QStringLiteral(QZ_INTEROP_FORM_NAMES).split(u',', Qt::SkipEmptyParts))
        names.push_back(name.toStdString());
    return names;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// ---------------------------------------------------------------------------------------------
// Tree comparison

// The trees as text, which shows every value, float kinds included.
std::string asText(const TFormObject& tree) {
    return WriteTextForm(tree).toStdString();
}

// The peer writes every float as extended at its literal's precision; ours keep what the binary
// form of their kind holds. A value of theirs that is ours at that precision becomes ours.
void alignFloats(const TFormValue& ours, TFormValue& theirs);
void alignFloats(const std::vector<TFormProperty>& ours, std::vector<TFormProperty>& theirs) {
    for (std::size_t i = 0; i < std::min(ours.size(), theirs.size()); ++i)
        alignFloats(ours[i].Value, theirs[i].Value);
}
void alignFloats(const TFormValue& ours, TFormValue& theirs) {
    if (ours.kind == TFormValue::Float && theirs.kind == TFormValue::Float &&
        theirs.floatKind == TFormValue::Extended) {
        long double value = theirs.Real;
        if (ours.floatKind == TFormValue::Single)
            value = float(value);
        else if (ours.floatKind == TFormValue::Date || ours.floatKind == TFormValue::Double)
            value = double(value);
        if ((std::isnan(value) && std::isnan(ours.Real)) ||
            (value == ours.Real && std::signbit(value) == std::signbit(ours.Real)))
            theirs = ours;
    }
    for (std::size_t i = 0; i < std::min(ours.Elements.size(), theirs.Elements.size()); ++i)
        alignFloats(ours.Elements[i], theirs.Elements[i]);
    for (std::size_t i = 0; i < std::min(ours.Items.size(), theirs.Items.size()); ++i)
        alignFloats(ours.Items[i].Properties, theirs.Items[i].Properties);
}
std::string asTextLike(const TFormObject& ours, TFormObject theirs) {
    std::function<void(const TFormObject&, TFormObject&)> align = [&](const TFormObject& a,
                                                                      TFormObject& b) {
        alignFloats(a.Properties, b.Properties);
        for (std::size_t i = 0; i < std::min(a.Children.size(), b.Children.size()); ++i)
            align(a.Children[i], b.Children[i]);
    };
    align(ours, theirs);
    return asText(theirs);
}

// The offset of the first differing byte with a few bytes of each side around it.
std::string byteDifference(const QByteArray& ours, const QByteArray& theirs) {
    qsizetype i = 0;
    while (i < ours.size() && i < theirs.size() && ours[i] == theirs[i])
        ++i;
    if (i == ours.size() && i == theirs.size())
        return {};
    const qsizetype from = std::max<qsizetype>(0, i - 8);
    return QStringLiteral(
               "first difference at byte %1 (sizes %2 and %3)\n  ours:   %4\n  fpc's:  %5")
        .arg(i)
        .arg(ours.size())
        .arg(theirs.size())
        .arg(QString::fromLatin1(ours.mid(from, 24).toHex(' ')),
             QString::fromLatin1(theirs.mid(from, 24).toHex(' ')))
        .toStdString();
}

// ---------------------------------------------------------------------------------------------
// The peer

struct PeerResult {
    bool ok = false;
    QByteArray output;
    std::string error;
};

// Runs "fpcconv MODE" on `input` inside `dir`.
PeerResult runFpc(const char* mode, const QByteArray& input, const QTemporaryDir& dir) {
    PeerResult r;
    const QString in = dir.filePath(QStringLiteral("in"));
    const QString out = dir.filePath(QStringLiteral("out"));
    QFile::remove(out);
    if (!writeFile(in, input)) {
        r.error = "cannot write the converter's input";
        return r;
    }
    QProcess p;
    p.start(QString::fromUtf8(FpcConv), {QString::fromLatin1(mode), in, out});
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        r.error = "fpcconv did not finish";
        return r;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        r.error = QString::fromLocal8Bit(p.readAllStandardError()).trimmed().toStdString();
        if (r.error.empty())
            r.error = "fpcconv failed with exit code " + std::to_string(p.exitCode());
        return r;
    }
    r.ok = true;
    r.output = readFile(out);
    return r;
}

class FpcInterop : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (!FpcConv)
            GTEST_SKIP() << "fpc was not found when the build was configured";
        ASSERT_TRUE(FDir.isValid());
        FText = readFile(FormsDir + QLatin1Char('/') + QString::fromStdString(GetParam()) +
                         QStringLiteral(".dfm"));
        ASSERT_FALSE(FText.isEmpty()) << GetParam();
        try {
            FTree = ReadTextForm(FText);
        } catch (const Exception& e) {
            FAIL() << "our parser rejects the form: " << e.Message().toStdString();
        }
    }

    // Runs the peer into `output`. A failure skips a form with a known difference and fails any
    // other; callers return when done() says so.
    void peer(const char* mode, const QByteArray& input, QByteArray& output) {
        const PeerResult r = runFpc(mode, input, FDir);
        if (r.ok) {
            output = r.output;
            return;
        }
        if (const KnownDifference* known = knownDifference(GetParam()))
            for (const std::string& expected : known->fpcErrors)
                if (r.error.find(expected) != std::string::npos)
                    GTEST_SKIP() << known->why << " (" << r.error << ")";
        FAIL() << "fpcconv " << mode << " failed: " << r.error;
    }

    static bool done() { return IsSkipped() || HasFatalFailure(); }

    TFormObject readBinary(const QByteArray& binary) {
        qsizetype pos = 0;
        try {
            TFormObject tree = ReadBinaryForm(binary, pos);
            EXPECT_EQ(pos, binary.size()) << "bytes left after the root object";
            return tree;
        } catch (const Exception& e) {
            ADD_FAILURE() << "our reader rejects fpc's binary: " << e.Message().toStdString();
        }
        return {};
    }

    QTemporaryDir FDir;
    QByteArray FText;
    TFormObject FTree;
};

TEST(FpcInteropCorpus, FormsArePresent) {
    // An empty list would leave every parameterised case out without a word.
    EXPECT_GE(formNames().size(), 15u) << FormsDir.toStdString();
}

// Our binary, written to text by fpc, parses to the tree we started from.
TEST_P(FpcInterop, OurBinaryThroughFpcTextKeepsTheTree) {
    QByteArray text;
    peer("totext", WriteBinaryForm(FTree), text);
    if (done())
        return;
    TFormObject back;
    try {
        back = ReadTextForm(text);
    } catch (const Exception& e) {
        FAIL() << "our parser rejects fpc's text: " << e.Message().toStdString() << "\n"
               << text.left(2000).toStdString();
    }
    EXPECT_EQ(asText(back), asText(FTree));
}

// fpc's binary of the form reads as the tree our parser makes of the same text.
TEST_P(FpcInterop, FpcBinaryReadsAsTheText) {
    QByteArray binary;
    peer("tobin", FText, binary);
    if (done())
        return;
    const TFormObject theirs = readBinary(binary);
    EXPECT_EQ(asTextLike(FTree, theirs), asText(FTree));
}

// Our text, parsed by fpc, gives back the same tree: what our writer emits is ordinary text.
TEST_P(FpcInterop, FpcParsesOurText) {
    QByteArray binary;
    peer("tobin", WriteTextForm(FTree), binary);
    if (done())
        return;
    const TFormObject theirs = readBinary(binary);
    EXPECT_EQ(asTextLike(FTree, theirs), asText(FTree));
}

// Both sides pick the same value types and string forms, so the streams are byte-identical
// apart from the forms with a known difference.
TEST_P(FpcInterop, BinaryIsByteIdentical) {
    QByteArray theirs;
    peer("tobin", FText, theirs);
    if (done())
        return;
    const QByteArray ours = WriteBinaryForm(FTree);
    const std::string difference = byteDifference(ours, theirs);
    const KnownDifference* known = knownDifference(GetParam());
    if (!difference.empty() && known && known->bytesDiffer)
        GTEST_SKIP() << "not byte-identical as expected: " << known->why << "; " << difference;
    EXPECT_EQ(difference, "");
}

INSTANTIATE_TEST_SUITE_P(Forms, FpcInterop, testing::ValuesIn(formNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

// Subnormal extended values: fpc writes them out as plain numbers ("3.64519953188247460253E-4951")
// and reads them back; so must we.
TEST(FpcInteropValues, SubnormalExtendedThroughFpcText) {
    if (!FpcConv)
        GTEST_SKIP() << "fpc was not found when the build was configured";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TFormObject tree;
    tree.ClassName = QStringLiteral("TForm");
    tree.Properties.push_back({QStringLiteral("Smallest"), TFormValue::makeFloat(LDBL_TRUE_MIN)});
    tree.Properties.push_back({QStringLiteral("Below"), TFormValue::makeFloat(-LDBL_MIN / 3)});
    const PeerResult text = runFpc("totext", WriteBinaryForm(tree), dir);
    ASSERT_TRUE(text.ok) << text.error;
    try {
        EXPECT_EQ(asText(ReadTextForm(text.output)), asText(tree));
    } catch (const Exception& e) {
        FAIL() << e.Message().toStdString() << "\n" << text.output.toStdString();
    }
}

} // namespace
