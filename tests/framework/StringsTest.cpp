#include <gtest/gtest.h>

#include "framework/core/Convert.h"
#include "framework/core/Strings.h"

TEST(Convert, RoundsHalvesAwayFromZeroAndSaturates) {
    EXPECT_EQ(Int(1170.666), 1171);
    EXPECT_EQ(Int(877.9999999999999), 878);
    EXPECT_EQ(Int(2.5), 3);
    EXPECT_EQ(Int(-2.5), -3);
    EXPECT_EQ(Int(-0.4), 0);
    EXPECT_EQ(Int(1e12), 2147483647);
    EXPECT_EQ(Int(-1e12), -2147483647 - 1);
    EXPECT_EQ(Int(std::nan("")), 0);
}

TEST(Strings, CountCharactersNotUnits) {
    const QString s = QString::fromUtf8("a\xF0\x9F\x98\x80" "bé");  // a, emoji, b, é
    EXPECT_EQ(Len(s), 4);
    EXPECT_EQ(LenB(s), 1 + 4 + 1 + 2);
    EXPECT_EQ(Mid(s, 3, 1), QStringLiteral("b"));
    EXPECT_EQ(Left(s, 2), QString::fromUtf8("a\xF0\x9F\x98\x80"));
    EXPECT_EQ(Right(s, 2), QString::fromUtf8("bé"));
    EXPECT_EQ(Right(s, 10), s);
    EXPECT_EQ(Left(s, 0), QString());
    EXPECT_EQ(Mid(QStringLiteral("abc"), 2), QStringLiteral("bc"));
    EXPECT_EQ(Mid(QStringLiteral("abc"), 5, 2), QString());
}

TEST(Strings, FormatSignsEveryNumberAndStrIsPlain) {
    EXPECT_EQ(Format(3, QStringLiteral("+#0")), QStringLiteral("+3"));
    EXPECT_EQ(Format(-2, QStringLiteral("+#0")), QStringLiteral("-2"));
    EXPECT_EQ(Format(0, QStringLiteral("+#0")), QStringLiteral("+0"));
    EXPECT_EQ(Format(10, QStringLiteral("+#0")), QStringLiteral("+10"));
    EXPECT_EQ(Format(-10, QStringLiteral("#0")), QStringLiteral("-10"));
    EXPECT_EQ(Str(1920), QStringLiteral("1920"));
    EXPECT_EQ(Str(-5), QStringLiteral("-5"));
}

TEST(Strings, EqualityIgnoresCase) {
    EXPECT_TRUE(StringsEqual(QStringLiteral("ZentravelleDesktopPicture"), QStringLiteral("zentravelledesktoppicture")));
    EXPECT_TRUE(StringsEqual(QString::fromUtf8("ÉCRAN"), QString::fromUtf8("écran")));
    EXPECT_FALSE(StringsEqual(QStringLiteral("abc"), QStringLiteral("abd")));
    EXPECT_EQ(Uppercase(QStringLiteral("display")), QStringLiteral("DISPLAY"));
}
