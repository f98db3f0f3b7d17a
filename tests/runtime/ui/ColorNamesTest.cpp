// Colour values by name and by number, as colour combos and forms write them: every name reads
// back as its value, any other value as "$" and eight hex digits, and text that is no colour is
// refused.

#include "QzColorNames.h"

#include <gtest/gtest.h>

TEST(ColorNames, NamesAndNumbersGoBothWays) {
    const QStringList& names = QzColorNames();
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.first(), "clBlack");
    EXPECT_TRUE(names.contains("clWhite"));
    EXPECT_TRUE(names.contains("clBtnFace"));
    QStringList unique = names;
    EXPECT_EQ(unique.removeDuplicates(), 0);
    for (const QString& name : names) {
        const std::optional<int> color = QzStringToColor(name);
        ASSERT_TRUE(color) << name.toStdString();
        EXPECT_EQ(QzColorToString(*color), name);
    }

    struct Case {
        const char* Text;
        std::optional<int> Color;
    };
    const Case cases[] = {
        {"clwhite", 0xFFFFFF},       {" clBtnFace ", int(0xFF00000F)},
        {"$00C07030", 0x00C07030},   {"$ff00000f", int(0xFF00000F)},
        {"12611632", 0x00C07030},    {"-16777201", int(0xFF00000F)},
        {"", std::nullopt},          {"$", std::nullopt},
        {"clNothing", std::nullopt}, {"$1FFFFFFFF", std::nullopt},
        {"12 34", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QzStringToColor(QString::fromLatin1(c.Text)), c.Color) << c.Text;

    EXPECT_EQ(QzColorToString(0x00C07030), "$00C07030");
    EXPECT_EQ(QzColorToString(int(0xFF000019)), "$FF000019");
}
