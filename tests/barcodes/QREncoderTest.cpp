#include "barcodes/QREncoder.h"

#include "barcodes/CQR_Encode.h"

#include <gtest/gtest.h>

#include <QColor>

namespace {

constexpr int L = 0, M = 1, Q = 2, H = 3;

QImage render21(int side)
{
    const auto grid = QREncoder::encodeWithECLevel(M, 1, QStringLiteral("01234567"));
    return grid ? QREncoder::renderDataMatrix(grid.get(), side) : QImage();
}

bool isClear(QRgb pixel) { return qAlpha(pixel) == 0; }
bool isDark(QRgb pixel) { return pixel == qRgba(0, 0, 0, 255); }
bool isLight(QRgb pixel) { return pixel == qRgba(255, 255, 255, 255); }

}  // namespace

TEST(QREncoderTest, ChosenVersionRefusesTextsOverItsCapacity)
{
    EXPECT_TRUE(QREncoder::encodeWithECLevel(L, 1, QString(41, QLatin1Char('7'))));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(L, 1, QString(42, QLatin1Char('7'))));

    const auto fourteen = QREncoder::encodeWithECLevel(H, 2, QString(14, QLatin1Char('q')));
    ASSERT_TRUE(fourteen);
    EXPECT_EQ(fourteen->dimension(), 25);
    EXPECT_FALSE(QREncoder::encodeWithECLevel(H, 2, QString(15, QLatin1Char('q'))));

    // A short text in a larger chosen version keeps that version.
    const auto roomy = QREncoder::encodeWithECLevel(Q, 12, QStringLiteral("A"));
    ASSERT_TRUE(roomy);
    EXPECT_EQ(roomy->dimension(), 65);
}

TEST(QREncoderTest, AutomaticVersionChoosesAmongAllForty)
{
    const auto digits = QREncoder::encodeWithECLevel(L, 0, QString(42, QLatin1Char('7')));
    ASSERT_TRUE(digits);
    EXPECT_EQ(digits->dimension(), 25);

    const auto eighteen = QREncoder::encodeWithECLevel(L, 0, QString(18, QLatin1Char('x')));
    ASSERT_TRUE(eighteen);
    EXPECT_EQ(eighteen->dimension(), 25);

    const auto largest = QREncoder::encodeWithECLevel(L, 0, QString(2953, QLatin1Char('x')));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest->dimension(), 177);
    EXPECT_FALSE(QREncoder::encodeWithECLevel(L, 0, QString(2954, QLatin1Char('x'))));
}

TEST(QREncoderTest, NothingToEncodeGivesNoGridAndNoImage)
{
    EXPECT_FALSE(QREncoder::encodeWithECLevel(M, 0, QString()));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(-1, 0, QStringLiteral("A")));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(4, 0, QStringLiteral("A")));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(M, 41, QStringLiteral("A")));
    EXPECT_FALSE(QREncoder::encodeWithECLevel(M, -1, QStringLiteral("A")));

    EXPECT_TRUE(QREncoder::renderDataMatrix(nullptr, 100).isNull());
    const QRModuleGrid empty(0);
    EXPECT_TRUE(QREncoder::renderDataMatrix(&empty, 100).isNull());
}

TEST(QREncoderTest, EveryByteIsEncodedAndUtf8IsNotTakenForKanji)
{
    const auto withZero = QREncoder::encodeCStringWithECLevel(M, 0, QByteArray("ab\0cd", 5));
    const auto cut = QREncoder::encodeCStringWithECLevel(M, 0, QByteArray("ab"));
    ASSERT_TRUE(withZero && cut);
    EXPECT_NE(withZero->description(), cut->description());

    // "中" in UTF-8 (E4 B8 AD) starts with a Shift JIS lead byte; the front end must still
    // encode the three bytes, which a Kanji reading would have turned into other text.
    const QByteArray utf8 = QStringLiteral("中").toUtf8();
    const auto front = QREncoder::encodeWithECLevel(M, 0, QStringLiteral("中"));
    ASSERT_TRUE(front);
    CQR_Encode bytes;
    bytes.m_bKanjiMode = false;
    ASSERT_TRUE(bytes.EncodeData(M, 0, true, -1, reinterpret_cast<const uint8_t*>(utf8.constData()), utf8.size()));
    for (int x = 0; x < 21; ++x)
        for (int y = 0; y < 21; ++y)
            ASSERT_EQ(front->valueAt(x, y), bytes.m_byModuleData[x][y]);
}

TEST(QREncoderTest, CharacterCapacitiesOfTheStandard)
{
    const int64_t versionOne[4][4] = {{41, 34, 27, 17}, {25, 20, 16, 10}, {17, 14, 11, 7}, {10, 8, 7, 4}};
    for (int mode = 0; mode < 4; ++mode)
        for (int level = L; level <= H; ++level)
            EXPECT_EQ(QREncoder::characterCapacity(mode, 1, level), versionOne[mode][level]) << mode << level;
    EXPECT_EQ(QREncoder::characterCapacity(0, 40, L), 7089);
    EXPECT_EQ(QREncoder::characterCapacity(1, 40, L), 4296);
    EXPECT_EQ(QREncoder::characterCapacity(2, 40, L), 2953);
    EXPECT_EQ(QREncoder::characterCapacity(3, 40, L), 1817);
    EXPECT_EQ(QREncoder::characterCapacity(2, 10, M), 213);
    EXPECT_EQ(QREncoder::characterCapacity(2, 0, L), 0);
}

TEST(QREncoderTest, ImageHasWholePixelsPerModuleAndTransparentMargins)
{
    // 60 pixels for 21 modules: 2 pixels each, 42 in all, margins of 9.
    const QImage sixty = render21(60);
    ASSERT_EQ(sixty.size(), QSize(60, 60));
    EXPECT_TRUE(isClear(sixty.pixel(8, 8)));
    EXPECT_TRUE(isDark(sixty.pixel(9, 9)));     // finder corner
    EXPECT_TRUE(isDark(sixty.pixel(10, 10)));
    EXPECT_TRUE(isLight(sixty.pixel(11, 11)));  // the finder's light ring
    EXPECT_TRUE(isDark(sixty.pixel(9, 50)));    // bottom-left finder's last row
    EXPECT_TRUE(isClear(sixty.pixel(9, 51)));
    EXPECT_TRUE(isDark(sixty.pixel(50, 9)));    // top-right finder's last column
    EXPECT_TRUE(isClear(sixty.pixel(51, 9)));
    EXPECT_TRUE(isClear(sixty.pixel(59, 30)));
    EXPECT_TRUE(isClear(sixty.pixel(30, 0)));

    // 64 pixels: 3 each, 63 in all, no margin before and one pixel after.
    const QImage sixtyFour = render21(64);
    EXPECT_TRUE(isDark(sixtyFour.pixel(0, 0)));
    EXPECT_TRUE(isDark(sixtyFour.pixel(62, 2)) != isClear(sixtyFour.pixel(62, 2)));
    EXPECT_TRUE(isClear(sixtyFour.pixel(63, 10)));
    EXPECT_TRUE(isClear(sixtyFour.pixel(10, 63)));

    // 72 dpi: the size in points equals the size in pixels.
    EXPECT_EQ(sixty.dotsPerMeterX(), 2835);
    EXPECT_EQ(sixty.format(), QImage::Format_RGBA8888);
}

TEST(QREncoderTest, SideBelowTheModuleCountGrowsToOnePixelPerModule)
{
    const auto grid = QREncoder::encodeWithECLevel(L, 0, QString(500, QLatin1Char('x')));
    ASSERT_TRUE(grid);
    const int modules = grid->dimension();
    const QImage image = QREncoder::renderDataMatrix(grid.get(), 40);
    ASSERT_EQ(image.size(), QSize(modules, modules));
    for (int y = 0; y < modules; ++y)
        for (int x = 0; x < modules; ++x)
            ASSERT_EQ(isDark(image.pixel(x, y)), grid->valueAt(x, y) == 1) << x << "," << y;
    EXPECT_EQ(QREncoder::renderDataMatrix(grid.get(), 0).size(), QSize(modules, modules));
}

TEST(QREncoderTest, GridDescriptionAndCells)
{
    const auto grid = QREncoder::encodeWithECLevel(M, 1, QStringLiteral("01234567"));
    ASSERT_TRUE(grid);
    const QStringList lines = grid->description().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 22);  // 21 lines, each ended by a line break
    EXPECT_TRUE(lines.last().isEmpty());
    for (int y = 0; y < 21; ++y) {
        ASSERT_EQ(lines[y].size(), 21);
        for (int x = 0; x < 21; ++x)
            ASSERT_EQ(lines[y][x], grid->valueAt(x, y) ? QLatin1Char('1') : QLatin1Char('0'));
    }
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("1111111")));

    QRModuleGrid small(2);
    small.set(1, 1, 0);
    small.set(1, 5, 5);  // outside: ignored
    EXPECT_EQ(small.description(), QStringLiteral("01\n00\n"));
    EXPECT_EQ(small.valueAt(-1, 0), 0);
}

TEST(QREncoderTest, ColourAsHexadecimalValue)
{
    EXPECT_EQ(QREncoder::hexadecimalValueOfColor(QColor(255, 0, 0)), 0xFFFF0000u);
    EXPECT_EQ(QREncoder::hexadecimalValueOfColor(QColor::fromRgbF(0.5f, 0.25f, 1.0f, 0.5f)), 0x7F7F3FFFu);
    EXPECT_EQ(QREncoder::hexadecimalValueOfColor(QColor(Qt::transparent)), 0x00000000u);
}
