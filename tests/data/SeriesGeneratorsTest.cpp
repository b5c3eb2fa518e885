#include "data/SeriesGenerators.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(SeriesGenerators, LenientIntegers)
{
    EXPECT_EQ(leadingInteger(QStringLiteral("12a")), 12);
    EXPECT_EQ(leadingInteger(QStringLiteral("  -3x")), -3);
    EXPECT_EQ(leadingInteger(QStringLiteral("+7")), 7);
    EXPECT_EQ(leadingInteger(QStringLiteral("a12")), 0);
    EXPECT_EQ(leadingInteger(QString()), 0);
    EXPECT_EQ(leadingInteger(QStringLiteral("99999999999999999999")), 2147483647);
    EXPECT_EQ(leadingInteger(QStringLiteral("-99999999999999999999")), -2147483647 - 1);
}

TEST(SeriesGenerators, PadZeroPadsAfterTheSign)
{
    EXPECT_EQ(PadZero(QStringLiteral("7"), 3), QStringLiteral("007"));
    EXPECT_EQ(PadZero(QStringLiteral("-9"), 3), QStringLiteral("-09"));
    EXPECT_EQ(PadZero(QStringLiteral("1234"), 3), QStringLiteral("1234"));
}

TEST(SeriesGenerators, SequentialRuns)
{
    const QStringList padded = sequentialSeries({}, {}, QStringLiteral("1"), QStringLiteral("200"), true);
    ASSERT_EQ(padded.size(), 200);
    EXPECT_EQ(padded.first(), QStringLiteral("001"));
    EXPECT_EQ(padded.at(10), QStringLiteral("011"));
    EXPECT_EQ(padded.last(), QStringLiteral("200"));

    const QStringList typed = sequentialSeries({}, {}, QStringLiteral("001"), QStringLiteral("00200"), true);
    ASSERT_EQ(typed.size(), 200);
    EXPECT_EQ(typed.first(), QStringLiteral("00001"));
    EXPECT_EQ(typed.last(), QStringLiteral("00200"));

    const QStringList framed
        = sequentialSeries(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("1"), QStringLiteral("10"), false);
    EXPECT_EQ(framed.first(), QStringLiteral("A1B"));
    EXPECT_EQ(framed.at(8), QStringLiteral("A9B"));
    EXPECT_EQ(framed.last(), QStringLiteral("A10B"));

    EXPECT_EQ(sequentialSeries({}, {}, QStringLiteral("-2"), QStringLiteral("10"), true).first(), QStringLiteral("-2"));
    EXPECT_EQ(
        sequentialSeries({}, {}, QStringLiteral("12a"), QStringLiteral("13"), false), (QStringList { "12", "13" }));
}

TEST(SeriesGenerators, TypedCountsAndLengthsAreBounded)
{
    EXPECT_EQ(boundedCountText(QStringLiteral("123456")), QStringLiteral("10000"));
    EXPECT_EQ(boundedCountText(QStringLiteral("654321")), QStringLiteral("10000"));
    EXPECT_EQ(boundedCountText(QStringLiteral("99999")), QStringLiteral("10000"));
    EXPECT_EQ(boundedCountText(QStringLiteral("1234")), QStringLiteral("1234"));
    EXPECT_EQ(boundedCountText(QString()), QStringLiteral("1"));
    EXPECT_EQ(boundedCountText(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(boundedCountText(QStringLiteral("-3")), QStringLiteral("-3"));
    EXPECT_EQ(boundedLengthText(QStringLiteral("12")), QStringLiteral("1"));
    EXPECT_EQ(boundedLengthText(QStringLiteral("0")), QStringLiteral("1"));
    EXPECT_EQ(boundedLengthText(QStringLiteral("7")), QStringLiteral("7"));
    EXPECT_EQ(boundedFromToText(QStringLiteral("123456")), QStringLiteral("10000"));
    EXPECT_EQ(boundedFromToText(QStringLiteral("-12345")), QStringLiteral("-1234"));
    EXPECT_EQ(boundedFromToText(QString()), QString());
}

TEST(SeriesGenerators, ConstantAndRandomCounts)
{
    EXPECT_EQ(constantSeries(QStringLiteral("x"), QStringLiteral("3")), (QStringList { "x", "x", "x" }));
    EXPECT_TRUE(constantSeries(QStringLiteral("x"), QStringLiteral("-3")).isEmpty());
    EXPECT_TRUE(randomSeries({}, {}, QStringLiteral("4"), QStringLiteral("-3")).isEmpty());
    EXPECT_EQ(constantSeries(QStringLiteral("x"), QStringLiteral("99999999")).size(), 10000);
    EXPECT_EQ(randomSeries(QStringLiteral("P"), QStringLiteral("S"), QStringLiteral(" 4"), QStringLiteral("2")),
        (QStringList { "P0S", "P0S" }));
}

TEST(SeriesGenerators, RandomNumbersHaveTheirLength)
{
    std::set<QString> digits;
    for (const QString& value : randomSeries({}, {}, QStringLiteral("1"), QStringLiteral("2000")))
        digits.insert(value);
    EXPECT_EQ(digits, (std::set<QString> { "1", "2", "3", "4", "5", "6", "7", "8", "9" }));
    for (const QString& value : randomSeries({}, {}, QStringLiteral("9"), QStringLiteral("200"))) {
        const long number = value.toLong();
        EXPECT_GE(number, 100000000L);
        EXPECT_LE(number, 999999999L);
    }
}

} // namespace
