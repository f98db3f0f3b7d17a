// The package file container on its own: header, description, checksum.

#include "PkgTestSupport.h"
#include "QzExcept.h"
#include "QzPkgFile.h"

TEST(PkgFile, HeaderAndContentRoundTrip) {
    TQzPkgFileHeader header;
    header.Kind = TQzPkgKind::Display;
    header.Description = QStringLiteral(u"Colours ✓");
    header.Name = QStringLiteral("Main");
    const QByteArray content("TPF0 anything", 13);
    const QByteArray file = QzBuildPkgFile(header, content);
    EXPECT_TRUE(file.startsWith("QZPK"));
    const TQzPkgFileContents back = QzParsePkgFile(file, QStringLiteral("x.dis"));
    EXPECT_EQ(back.Header.Kind, TQzPkgKind::Display);
    EXPECT_EQ(back.Header.Version, QzPkgFormatVersion);
    EXPECT_EQ(back.Header.Description, header.Description);
    EXPECT_EQ(back.Header.Name, QStringLiteral("Main"));
    EXPECT_EQ(back.Content, content);

    // Every truncation and any trailing byte is refused.
    for (qsizetype n = 0; n < file.size(); ++n)
        EXPECT_THROW(QzParsePkgFile(file.left(n), QStringLiteral("x.dis")), EQzError) << n;
    EXPECT_THROW(QzParsePkgFile(file + 'x', QStringLiteral("x.dis")), EQzError);
    QByteArray kind = file;
    kind[4] = 42;
    EXPECT_EQ(errorOf([&] { QzParsePkgFile(kind, QStringLiteral("x.dis")); }),
              "Cannot read package file \"x.dis\": unknown package kind 42");
    QByteArray absurd = file;
    absurd[7] = char(0xFF);
    absurd[8] = char(0xFF);
    absurd[9] = char(0xFF);
    absurd[10] = char(0x7F);
    EXPECT_EQ(errorOf([&] { QzParsePkgFile(absurd, QStringLiteral("x.dis")); }),
              "Cannot read package file \"x.dis\": the text length 2147483647 in the header "
              "is not plausible");
}

TEST(PkgFile, KindNames) {
    TQzPkgKind kind{};
    EXPECT_TRUE(QzPkgKindFromName(QStringLiteral("Privileges"), kind));
    EXPECT_EQ(kind, TQzPkgKind::Privileges);
    EXPECT_EQ(QzPkgKindName(TQzPkgKind::Setup), QStringLiteral("setup"));
    EXPECT_FALSE(QzPkgKindFromName(QStringLiteral("colours"), kind));
}

TEST(PkgFile, ChecksumIsTheStandardCrc32AtEveryLengthAndOffset) {
    EXPECT_EQ(QzCrc32(QByteArrayView("123456789")), 0xCBF43926u);
    EXPECT_EQ(QzCrc32(QByteArrayView()), 0u);
    // Against the sum a byte at a time, over lengths and starts that leave every tail.
    const auto bytewise = [](QByteArrayView data) {
        quint32 crc = 0xFFFFFFFFu;
        for (const char ch : data) {
            crc ^= static_cast<quint8>(ch);
            for (int k = 0; k < 8; ++k)
                crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
        }
        return crc ^ 0xFFFFFFFFu;
    };
    QByteArray bytes;
    for (int i = 0; i < 64; ++i)
        bytes += char(i * 37 + 11);
    for (qsizetype start = 0; start < 8; ++start)
        for (qsizetype length = 0; start + length <= bytes.size(); ++length) {
            const QByteArrayView part = QByteArrayView(bytes).sliced(start, length);
            ASSERT_EQ(QzCrc32(part), bytewise(part)) << start << ' ' << length;
        }
}
