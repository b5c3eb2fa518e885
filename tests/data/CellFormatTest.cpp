#include "data/CellFormat.h"
#include "data/CellStyles.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>

namespace {

QString shown(const char16_t* code, double value, bool date1904 = false)
{
    return CellFormat::fromCode(QStringView(code)).format(value, date1904);
}

QString builtIn(int id, double value)
{
    return CellFormat::builtIn(id).format(value, false);
}

// 2024-03-05 in the 1900 date system, a Tuesday.
constexpr double march5th2024 = 45356;
constexpr double halfPastNine = 0.3958333333333333;

} // namespace

TEST(CellFormatTest, GeneralShowsAtMostFifteenDigitsWithoutBinaryNoise)
{
    EXPECT_EQ(generalNumberText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(generalNumberText(1.0 / 3), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(generalNumberText(march5th2024), QStringLiteral("45356"));
    EXPECT_EQ(generalNumberText(-7), QStringLiteral("-7"));
    EXPECT_EQ(generalNumberText(-0.0), QStringLiteral("0"));
    EXPECT_EQ(generalNumberText(123456789012345.0), QStringLiteral("123456789012345"));
    EXPECT_EQ(generalNumberText(1234567890123456.0), QStringLiteral("1.23456789012346E+15"));
    EXPECT_EQ(generalNumberText(1e20), QStringLiteral("1E+20"));
    EXPECT_EQ(generalNumberText(0.0001), QStringLiteral("0.0001"));
    EXPECT_EQ(generalNumberText(0.00001), QStringLiteral("1E-05"));
}

TEST(CellFormatTest, StoredNumbersShowAsGeneralWhetherTakenAsTheyAreOrConverted)
{
    EXPECT_EQ(generalCellText("0.30000000000000004"), QStringLiteral("0.3"));
    EXPECT_EQ(generalCellText("0.3333333333333333"), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(generalCellText("1e3"), QStringLiteral("1000"));
    EXPECT_EQ(generalCellText("2.50"), QStringLiteral("2.5"));
    EXPECT_EQ(generalCellText("-0"), QStringLiteral("0"));
    EXPECT_EQ(generalCellText(" 42 "), QStringLiteral("42"));
    EXPECT_EQ(generalCellText("+5"), QStringLiteral("5"));
    EXPECT_EQ(generalCellText("0.00001"), QStringLiteral("1E-05"));
    // Not a number: the stored text, escapes decoded.
    EXPECT_EQ(generalCellText("#N/A"), QStringLiteral("#N/A"));
    EXPECT_EQ(generalCellText("inf"), QStringLiteral("inf"));
    EXPECT_EQ(generalCellText("a_x0042_"), QStringLiteral("aB"));

    // Every value as a writer stores it (shortest round trip) shows as its conversion does:
    // the texts taken as they are must not differ from the converted ones.
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> exponent(-12, 18);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> decimals(0, 6);
    for (int i = 0; i < 20000; ++i) {
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        if (i % 2 == 0) // short decimals, the usual case
            value = std::round(value * std::pow(10.0, decimals(random))) / std::pow(10.0, decimals(random));
        char buffer[40];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
        const std::string_view stored(buffer, size_t(end - buffer));
        ASSERT_EQ(generalCellText(stored), generalNumberText(value)) << stored;
    }
}

TEST(CellFormatTest, DateAndTimeCodesFollowTheirTokens)
{
    EXPECT_EQ(shown(u"yyyy-mm-dd", march5th2024), QStringLiteral("2024-03-05"));
    EXPECT_EQ(shown(u"d-mmm-yy", march5th2024), QStringLiteral("5-Mar-24"));
    EXPECT_EQ(shown(u"dddd, mmmm d, yyyy", march5th2024), QStringLiteral("Tuesday, March 5, 2024"));
    EXPECT_EQ(shown(u"ddd dd/mm/yy mmmmm", march5th2024), QStringLiteral("Tue 05/03/24 M"));
    EXPECT_EQ(shown(u"h:mm", halfPastNine), QStringLiteral("9:30"));
    EXPECT_EQ(shown(u"hh:mm:ss", halfPastNine), QStringLiteral("09:30:00"));
    EXPECT_EQ(shown(u"h:mm AM/PM", 0.8), QStringLiteral("7:12 PM"));
    EXPECT_EQ(shown(u"hh:mm a/p", 0.0), QStringLiteral("12:00 a"));
    EXPECT_EQ(shown(u"yyyy-mm-dd hh:mm:ss", march5th2024 + 0.5), QStringLiteral("2024-03-05 12:00:00"));
    // "m" is the minute after an hour or before a second, the month elsewhere.
    EXPECT_EQ(shown(u"m/d h:m", march5th2024 + halfPastNine + 5.0 / 1440), QStringLiteral("3/5 9:35"));
    EXPECT_EQ(shown(u"mm:ss", 0.5 / 1440 + 7.0 / 1440), QStringLiteral("07:30"));
    // Elapsed time and fractions of a second.
    EXPECT_EQ(shown(u"[h]:mm:ss", 1.5), QStringLiteral("36:00:00"));
    EXPECT_EQ(shown(u"[mm]:ss", 1.0 / 24), QStringLiteral("60:00"));
    EXPECT_EQ(shown(u"mm:ss.00", 61.25 / 86400), QStringLiteral("01:01.25"));
    // Literals, escapes, locale and colour sections.
    EXPECT_EQ(shown(u"yyyy\"年\"m\"月\"d\"日\"", march5th2024), QStringLiteral("2024年3月5日"));
    EXPECT_EQ(shown(u"dd\\.mm\\.yyyy", march5th2024), QStringLiteral("05.03.2024"));
    EXPECT_EQ(shown(u"[$-409]mmmm d, yyyy;@", march5th2024), QStringLiteral("March 5, 2024"));
    EXPECT_EQ(shown(u"[Red]yyyy_)", march5th2024), QStringLiteral("2024 "));
    // A time is rounded to the second shown, and may carry into the next day.
    EXPECT_EQ(shown(u"yyyy-mm-dd hh:mm:ss", march5th2024 + 0.9999999), QStringLiteral("2024-03-06 00:00:00"));
}

TEST(CellFormatTest, DaysFollowTheWorkbooksDateSystem)
{
    // The 1900 system counts a 29 February 1900 that never was.
    EXPECT_EQ(shown(u"yyyy-mm-dd dddd", 1), QStringLiteral("1900-01-01 Sunday"));
    EXPECT_EQ(shown(u"yyyy-mm-dd", 59), QStringLiteral("1900-02-28"));
    EXPECT_EQ(shown(u"yyyy-mm-dd", 60), QStringLiteral("1900-02-29"));
    EXPECT_EQ(shown(u"yyyy-mm-dd dddd", 61), QStringLiteral("1900-03-01 Thursday"));
    EXPECT_EQ(shown(u"yyyy-mm-dd hh:mm", 0.25), QStringLiteral("1900-01-00 06:00"));
    EXPECT_EQ(shown(u"yyyy-mm-dd dddd", 0, true), QStringLiteral("1904-01-01 Friday"));
    EXPECT_EQ(shown(u"yyyy-mm-dd", march5th2024 - 1462, true), QStringLiteral("2024-03-05"));
    EXPECT_EQ(shown(u"yyyy-mm-dd", 2958465), QStringLiteral("9999-12-31"));
    // No calendar has these: the number is what is known.
    EXPECT_EQ(shown(u"yyyy-mm-dd", -1), QStringLiteral("-1"));
    EXPECT_EQ(shown(u"yyyy-mm-dd", 2958466), QStringLiteral("2958466"));

    EXPECT_EQ(isoDateText(march5th2024, false), QStringLiteral("2024-03-05"));
    EXPECT_EQ(isoDateText(halfPastNine, false), QStringLiteral("09:30"));
    EXPECT_EQ(isoDateText(march5th2024 + 0.5 + 1.0 / 86400, false), QStringLiteral("2024-03-05 12:00:01"));
    EXPECT_EQ(isoDateText(0, true), QStringLiteral("1904-01-01"));
    EXPECT_EQ(isoDateText(-2, false), QString());
}

TEST(CellFormatTest, TheLastMomentsOfTheCalendarAreRoundedBeforeTheirYearIsJudged)
{
    // 9999-12-31 23:59:59.991, the last day either date system shows.
    const double lastSecond = 2958465 + 86399.991 / 86400;
    EXPECT_EQ(shown(u"yyyy-mm-dd hh:mm:ss.000", lastSecond), QStringLiteral("9999-12-31 23:59:59.991"));
    EXPECT_EQ(shown(u"yyyy-mm-dd hh:mm:ss.00", lastSecond), QStringLiteral("9999-12-31 23:59:59.99"));
    EXPECT_EQ(shown(u"yyyy-mm-dd", lastSecond), QStringLiteral("9999-12-31"));
    EXPECT_EQ(shown(u"[$-F800]dddd, mmmm dd, yyyy", 2958465.9999999), QStringLiteral("Friday, December 31, 9999"));
    EXPECT_EQ(shown(u"yyyy-mm-dd", 2957003.9999999, true), QStringLiteral("9999-12-31"));
    // A date alone is the day the moment falls in, on any day.
    EXPECT_EQ(shown(u"yyyy-mm-dd", march5th2024 + 0.9999999), QStringLiteral("2024-03-05"));
    // Rounded to the second shown, it would be a moment of year 10000: the number is shown.
    EXPECT_EQ(shown(u"yyyy-mm-dd hh:mm:ss", lastSecond), generalNumberText(lastSecond));
    EXPECT_EQ(shown(u"hh:mm", 2958465.9999999), generalNumberText(2958465.9999999));
    EXPECT_EQ(shown(u"yyyy-mm-dd hh:mm", 2957003.9999999, true), generalNumberText(2957003.9999999));
    EXPECT_EQ(isoDateText(lastSecond, false), QString());
    EXPECT_EQ(isoDateText(2958465.5, false), QStringLiteral("9999-12-31 12:00"));
}

TEST(CellFormatTest, BuiltInFormatsNeedNoCode)
{
    // The locale's short date and its East Asian kin are shown in ISO 8601.
    EXPECT_EQ(builtIn(14, march5th2024), QStringLiteral("2024-03-05"));
    EXPECT_EQ(builtIn(30, march5th2024), QStringLiteral("2024-03-05"));
    EXPECT_EQ(builtIn(22, march5th2024 + halfPastNine), QStringLiteral("2024-03-05 09:30"));
    EXPECT_EQ(builtIn(15, march5th2024), QStringLiteral("5-Mar-24"));
    EXPECT_EQ(builtIn(18, halfPastNine), QStringLiteral("9:30 AM"));
    EXPECT_EQ(builtIn(21, halfPastNine), QStringLiteral("9:30:00"));
    EXPECT_EQ(builtIn(46, 1.25), QStringLiteral("30:00:00"));
    EXPECT_EQ(builtIn(2, 1.0 / 3), QStringLiteral("0.33"));
    EXPECT_EQ(builtIn(4, 1234.5), QStringLiteral("1,234.50"));
    EXPECT_EQ(builtIn(9, 0.256), QStringLiteral("26%"));
    EXPECT_EQ(builtIn(37, -5), QStringLiteral("(5)"));
    EXPECT_TRUE(CellFormat::builtIn(0).isGeneral());
    EXPECT_TRUE(CellFormat::builtIn(49).isGeneral());
    EXPECT_TRUE(CellFormat::builtIn(14).isDate());
    EXPECT_FALSE(CellFormat::builtIn(4).isDate());
}

TEST(CellFormatTest, NumberCodesAreFollowedExactlyOrNotAtAll)
{
    // Rounded on the 15-digit decimal value, half away from zero.
    EXPECT_EQ(shown(u"0.00", 2.675), QStringLiteral("2.68"));
    EXPECT_EQ(shown(u"0.00", -2.675), QStringLiteral("-2.68"));
    EXPECT_EQ(shown(u"0", 0.5), QStringLiteral("1"));
    EXPECT_EQ(shown(u"0.00", 0.004), QStringLiteral("0.00"));
    EXPECT_EQ(shown(u"0.00", 99.995), QStringLiteral("100.00"));
    EXPECT_EQ(shown(u"#,##0", 1234567.5), QStringLiteral("1,234,568"));
    EXPECT_EQ(shown(u"#,##0", 12), QStringLiteral("12"));
    EXPECT_EQ(shown(u"0.0%", 0.1234), QStringLiteral("12.3%"));
    EXPECT_EQ(shown(u"#,##0.00;[Red]-#,##0.00", -1234.5), QStringLiteral("-1,234.50"));
    EXPECT_EQ(shown(u"0;(0);\"zero\"", 0), QStringLiteral("zero"));
    EXPECT_EQ(shown(u"000-00-0000", 123456789), QStringLiteral("123-45-6789"));
    EXPECT_EQ(shown(u"00000", 501), QStringLiteral("00501"));
    EXPECT_EQ(shown(u"#.##", 0.5), QStringLiteral(".5"));
    EXPECT_EQ(shown(u"0.0#", 1.5), QStringLiteral("1.5"));
    EXPECT_EQ(shown(u"0.0#", 1.25), QStringLiteral("1.25"));
    EXPECT_EQ(shown(u"$#,##0.00", 1234.5), QStringLiteral("$1,234.50"));
    EXPECT_EQ(shown(u"[$€-407] #,##0.00", 1234.5), QStringLiteral("€ 1,234.50"));
    EXPECT_EQ(shown(u"0.00\" kg\"", 3), QStringLiteral("3.00 kg"));
    EXPECT_EQ(shown(u"#,##0,", 1234567), QStringLiteral("1,235"));
    EXPECT_EQ(shown(u"General\" pcs\"", 0.1 + 0.2), QStringLiteral("0.3 pcs"));
    // What cannot be followed exactly shows as General.
    EXPECT_TRUE(CellFormat::fromCode(u"0.00E+00").isGeneral());
    EXPECT_TRUE(CellFormat::fromCode(u"# ?/?").isGeneral());
    EXPECT_TRUE(CellFormat::fromCode(u"[>100]0;0").isGeneral());
    EXPECT_TRUE(CellFormat::fromCode(u"[Red").isGeneral());
    EXPECT_TRUE(CellFormat::fromCode(u"").isGeneral());
    EXPECT_TRUE(CellFormat::fromCode(u"General").isGeneral());
    EXPECT_EQ(shown(u"@", 1.0 / 3), QStringLiteral("0.333333333333333"));
}

TEST(CellFormatTest, LongPlaceholderRunsFillAndGroupAsSinglePlaceholdersDo)
{
    EXPECT_EQ(shown(u"0,000,000", 12), QStringLiteral("0,000,012"));
    EXPECT_EQ(shown(u"#,##0", 1234567890123.0), QStringLiteral("1,234,567,890,123"));
    EXPECT_EQ(shown(u"00000000000000000000", 42), QStringLiteral("00000000000000000042"));
    EXPECT_EQ(shown(u"?,??0.0?", 5.25), QStringLiteral("   5.25"));
    EXPECT_EQ(shown(u"000.000", -0.0005), QStringLiteral("-000.001"));
    // A code of the longest kind a workbook holds stays one placeholder run, however many digits.
    const QString zeros(255, u'0');
    const CellFormat longest = CellFormat::fromCode(zeros);
    EXPECT_EQ(longest.format(7, false), QString(254, u'0') + u'7');
    EXPECT_LT(longest.memoryBytes(), 1024);
    // The reused buffer gives the same text as a fresh one, whatever was written before.
    std::u16string buffer = u"left over from the cell before";
    CellFormat::fromCode(u"d-mmm-yy").format(march5th2024, false, buffer);
    EXPECT_EQ(buffer, u"5-Mar-24");
}

TEST(CellStylesTest, FormatsAreCompiledWhenCellsUseThemOnceAndWithinTheirMemoryLimit)
{
    const QString dateCode = QStringLiteral("yyyy-mm-dd");
    // Many tokens: digits and literals in turn.
    const QString busyCode = QStringLiteral("0\"a\"").repeated(63);
    CellStyles styles;
    styles.addStyle(164, &dateCode);
    styles.addStyle(165, &busyCode);
    styles.addStyle(164, &dateCode);
    styles.addStyle(3, nullptr);
    ASSERT_EQ(styles.count(), 4);
    EXPECT_EQ(styles.compiledBytes(), 0);
    EXPECT_EQ(styles.format(0).format(march5th2024, false), QStringLiteral("2024-03-05"));
    const qint64 oneFormat = styles.compiledBytes();
    EXPECT_GT(oneFormat, 0);
    // The style sharing the first's format compiles nothing more.
    EXPECT_EQ(&styles.format(2), &styles.format(0));
    EXPECT_EQ(styles.compiledBytes(), oneFormat);
    EXPECT_EQ(styles.format(3).format(1234.4, false), QStringLiteral("1,234"));

    // A format that would pass the limit is not compiled: General stands in, and it is told.
    const qint64 before = styles.compiledBytes();
    styles.setMemoryLimit(before + 1024);
    EXPECT_FALSE(styles.exceeded());
    EXPECT_TRUE(styles.format(1).isGeneral());
    EXPECT_TRUE(styles.exceeded());
    EXPECT_EQ(styles.compiledBytes(), before);

    styles.clear();
    EXPECT_TRUE(styles.isEmpty());
    EXPECT_FALSE(styles.exceeded());
    EXPECT_EQ(styles.compiledBytes(), 0);
}
