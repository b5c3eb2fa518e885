// Codewords, layout and failures of the PDF417 encoder, checked at the codeword level.
#include "Pdf417TestOracles.h"

#include "barcodes/pdf417param.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using pdf417test::encode;

namespace {

// Codewords after the length descriptor, padding included.
std::vector<int> dataCodewords(const pdf417param& param)
{
    return {param.codewords.begin() + 1, param.codewords.begin() + param.codewords[0]};
}

bool contains(const std::vector<int>& codewords, int value)
{
    return std::find(codewords.begin(), codewords.end(), value) != codewords.end();
}

QByteArray capitals(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += char('A' + i % 26);
    return text;
}

} // namespace

TEST(Pdf417Encoder, AbcIsOneTextSegmentWithPaddedLastPair)
{
    const pdf417param param = encode("ABC");
    ASSERT_EQ(param.error, PDF417_ERROR_NONE);
    const std::vector<int> data = dataCodewords(param);
    ASSERT_GE(data.size(), 2u);
    EXPECT_EQ(data[0], 1);  // A=0, B=1
    EXPECT_EQ(data[1], 89); // C=2, pad 29
    for (size_t i = 2; i < data.size(); ++i)
        EXPECT_EQ(data[i], 900) << "padding at " << i;
    EXPECT_EQ(param.lenCodewords, param.codeRows * param.codeColumns);
    EXPECT_EQ(param.lenCodewords - param.codewords[0], 2 << param.errorLevel);
}

TEST(Pdf417Encoder, DigitRunsSwitchToNumericFromThirteenDigits)
{
    EXPECT_FALSE(contains(dataCodewords(encode("abc123456789012abc")), 902)) << "12 digits stay text";
    const std::vector<int> thirteen = dataCodewords(encode("abc1234567890123abc"));
    ASSERT_TRUE(contains(thirteen, 902));
    EXPECT_TRUE(contains({std::find(thirteen.begin(), thirteen.end(), 902), thirteen.end()}, 900))
        << "text after the digits latches back";

    for (int length = 8; length <= 12; ++length)
        EXPECT_EQ(dataCodewords(encode(QByteArray("123456789012").left(length)))[0], 902) << length << " digits";
    EXPECT_NE(dataCodewords(encode("1234567"))[0], 902) << "7 digits are text";
    // A leading 1 keeps leading zeros: 13 zeros are "10000000000000" in base 900.
    const std::vector<int> zeros = dataCodewords(encode("0000000000000"));
    const std::vector<int> expected{902, 15, 217, 379, 11, 100}; // 10^13 in base 900
    ASSERT_GE(zeros.size(), expected.size());
    EXPECT_EQ(std::vector<int>(zeros.begin(), zeros.begin() + 6), expected);
}

TEST(Pdf417Encoder, ByteRunsLatchBySixesOrNot)
{
    const QByteArray six("\x80\x81\x82\x83\x84\x85", 6);
    const std::vector<int> sixCodewords = dataCodewords(encode(six));
    ASSERT_GE(sixCodewords.size(), 6u);
    EXPECT_EQ(sixCodewords[0], 924);
    uint64_t value = 0;
    for (int i = 1; i <= 5; ++i)
        value = value * 900 + uint64_t(sixCodewords[size_t(i)]);
    EXPECT_EQ(value, 0x808182838485ull);

    const std::vector<int> seven = dataCodewords(encode(six + '\x86'));
    ASSERT_GE(seven.size(), 7u);
    EXPECT_EQ(seven[0], 901);
    EXPECT_EQ(std::vector<int>(seven.begin() + 1, seven.begin() + 6), std::vector<int>(sixCodewords.begin() + 1, sixCodewords.begin() + 6));
    EXPECT_EQ(seven[6], 0x86);

    const std::vector<int> five = dataCodewords(encode(six.left(5)));
    EXPECT_EQ(std::vector<int>(five.begin(), five.begin() + 6), (std::vector<int>{901, 0x80, 0x81, 0x82, 0x83, 0x84}));
}

TEST(Pdf417Encoder, ShortRunsMergeWithTheirNeighbours)
{
    const std::vector<int> shifted = dataCodewords(encode("ab\x80" "cd"));
    EXPECT_TRUE(contains(shifted, 913)) << "one byte between texts is a shift";
    EXPECT_FALSE(contains(shifted, 901));

    const std::vector<int> tiny = dataCodewords(encode("a\x80" "b"));
    EXPECT_EQ(std::vector<int>(tiny.begin(), tiny.begin() + 4), (std::vector<int>{901, 'a', 0x80, 'b'}))
        << "texts too short for a shift join the bytes";

    const std::vector<int> six = dataCodewords(encode("\x80\x81" "ab\x82\x83"));
    EXPECT_EQ(six[0], 924) << "a short text between bytes becomes bytes";

    const std::vector<int> split = dataCodewords(encode("\x80\x81" "abcde\x82"));
    ASSERT_GE(split.size(), 5u);
    EXPECT_EQ(std::vector<int>(split.begin(), split.begin() + 4), (std::vector<int>{901, 0x80, 0x81, 900}))
        << "a long text keeps text compaction and takes the single byte after it";
    EXPECT_TRUE(contains(split, 913));
}

TEST(Pdf417Encoder, DefaultLevelFollowsDataSizeAndFinalLevelFillsTheSymbol)
{
    // One column: the rows are exactly the data plus the check codewords of the default level.
    struct Case { int characters; int dataCodewords; int level; };
    for (const Case& c : {Case{78, 40, 2}, Case{80, 41, 3}, Case{318, 160, 3}, Case{320, 161, 4}}) {
        const pdf417param param = encode(capitals(c.characters), PDF417_FIXED_COLUMNS, 30);
        ASSERT_EQ(param.error, PDF417_ERROR_NONE);
        const int needed = c.dataCodewords + (2 << c.level);
        EXPECT_EQ(param.codeRows, std::max(3, (needed + 29) / 30)) << c.characters;
        const int room = param.codeRows * param.codeColumns - c.dataCodewords;
        EXPECT_LE(2 << param.errorLevel, room);
        EXPECT_TRUE(param.errorLevel == 8 || (4 << param.errorLevel) > room) << "level " << param.errorLevel;
    }
    const pdf417param forty = encode(capitals(78), PDF417_FIXED_COLUMNS, 1);
    EXPECT_EQ(forty.codeRows, 48);
    EXPECT_EQ(forty.errorLevel, 2);
}

TEST(Pdf417Encoder, ChosenLevelIsKeptOrRaisedNeverLowered)
{
    for (int level = 0; level <= 8; ++level) {
        const pdf417param param = encode("HELLO", PDF417_USE_ERROR_LEVEL | PDF417_FIXED_COLUMNS, 10, 0, level);
        ASSERT_EQ(param.error, PDF417_ERROR_NONE);
        EXPECT_GE(param.errorLevel, level);
    }
    // Too high for the room left: lowered to what fits.
    const pdf417param full = encode(capitals(1600), PDF417_USE_ERROR_LEVEL, 0, 0, 8);
    ASSERT_EQ(full.error, PDF417_ERROR_NONE);
    EXPECT_LE(full.lenCodewords, 928);
    EXPECT_LT(full.errorLevel, 8);
    EXPECT_EQ(encode("A", PDF417_USE_ERROR_LEVEL, 0, 0, -5).error, PDF417_ERROR_NONE);
}

TEST(Pdf417Encoder, LayoutOptions)
{
    const pdf417param fixed = encode("HELLO WORLD", PDF417_USE_ROWS_AND_COLUMNS, 5, 10);
    EXPECT_EQ(fixed.codeColumns, 5);
    EXPECT_EQ(fixed.codeRows, 10);
    EXPECT_EQ(fixed.lenCodewords, 50);

    const pdf417param tooSmall = encode(capitals(200), PDF417_USE_ROWS_AND_COLUMNS, 2, 3);
    ASSERT_EQ(tooSmall.error, PDF417_ERROR_NONE);
    EXPECT_GE(tooSmall.codeRows * tooSmall.codeColumns, 101 + 2);

    const pdf417param huge = encode("A", PDF417_USE_ROWS_AND_COLUMNS, 30, 90);
    EXPECT_EQ(huge.codeColumns, 29);
    EXPECT_EQ(huge.codeRows, 32);
    const pdf417param hugeNarrow = encode("A", PDF417_USE_ROWS_AND_COLUMNS, 20, 90);
    EXPECT_EQ(hugeNarrow.codeColumns, 16);
    EXPECT_EQ(hugeNarrow.codeRows, 58);

    const pdf417param keepRows = encode(capitals(100), PDF417_FIXED_ROWS, 0, 4);
    EXPECT_EQ(keepRows.codeRows, 4);
    EXPECT_EQ(keepRows.codeColumns, (51 + 16 - 1) / 4 + 1); // 51 codewords: level 3
    const pdf417param rowsOverflow = encode(capitals(400), PDF417_FIXED_ROWS, 0, 3);
    EXPECT_EQ(rowsOverflow.codeColumns, 30);
    EXPECT_GE(rowsOverflow.codeRows * 30, 201);

    const pdf417param clamped = encode("HELLO", PDF417_FIXED_COLUMNS, 99);
    EXPECT_EQ(clamped.codeColumns, 30);
    EXPECT_EQ(clamped.codeRows, 3);
    EXPECT_EQ(clamped.bitColumns, 17 * 33 + 18);
}

TEST(Pdf417Encoder, AutomaticLayoutSurvivesNonsenseShapes)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const float ratio : {nan, inf, -inf, -1.0f, 0.0f, 1e-9f, 1e9f, 1.0f}) {
        for (const float height : {nan, inf, -inf, -1e30f, 0.0f, 1e30f, 3.0f}) {
            pdf417param param;
            pdf417init(param);
            param.text = capitals(300);
            param.aspectRatio = ratio;
            param.yHeight = height;
            paintCode(param);
            ASSERT_EQ(param.error, PDF417_ERROR_NONE);
            EXPECT_GE(param.codeColumns, 1);
            EXPECT_LE(param.codeColumns, 30);
            EXPECT_GE(param.codeRows, 3);
            EXPECT_LE(param.codeRows, 90);
        }
    }
}

TEST(Pdf417Encoder, TextLengthAndZeroByte)
{
    pdf417param param;
    pdf417init(param);
    param.text = QByteArray("AB\0CD", 5); // lenText -1: up to the zero byte
    paintCode(param);
    ASSERT_EQ(param.error, PDF417_ERROR_NONE);
    EXPECT_EQ(param.lenText, 2);
    EXPECT_EQ(dataCodewords(param)[0], 1);

    param.text = "ABC";
    param.lenText = 4; // more than there is
    paintCode(param);
    EXPECT_EQ(param.error, PDF417_ERROR_INVALID_PARAMS);
    EXPECT_TRUE(param.outBits.empty());
}

TEST(Pdf417Encoder, FailuresLeaveNoImage)
{
    pdf417param param = encode("A first symbol");
    ASSERT_EQ(param.error, PDF417_ERROR_NONE);
    ASSERT_FALSE(param.outBits.empty());

    param.text = QByteArray(5421, 'A');
    param.lenText = -1;
    paintCode(param);
    EXPECT_EQ(param.error, PDF417_ERROR_TEXT_TOO_BIG);
    EXPECT_TRUE(param.outBits.empty());
    EXPECT_EQ(param.lenBits, 0);

    EXPECT_EQ(encode(QByteArray(1200, '\xff')).error, PDF417_ERROR_TEXT_TOO_BIG) << "1000 codewords of bytes";
    EXPECT_EQ(encode(QByteArray(1860, 'A')).error, PDF417_ERROR_TEXT_TOO_BIG) << "930 codewords of text";
    EXPECT_EQ(encode(QByteArray(1850, 'A')).error, PDF417_ERROR_NONE) << "926 codewords of text";
}

TEST(Pdf417Encoder, ByteShiftsInsideTextCountTwoCodewords)
{
    // "AB" and one byte: one text codeword, then 913 and the byte.
    const auto repeated = [](int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += "AB\x80";
        return text;
    };
    const pdf417param fits = encode(repeated(308));
    ASSERT_EQ(fits.error, PDF417_ERROR_NONE);
    const std::vector<int> data = dataCodewords(fits);
    EXPECT_EQ(std::vector<int>(data.begin(), data.begin() + 3), (std::vector<int>{1, 913, 0x80}));
    EXPECT_EQ(encode(repeated(309)).error, PDF417_ERROR_TEXT_TOO_BIG);
    EXPECT_EQ(encode(repeated(320)).error, PDF417_ERROR_TEXT_TOO_BIG);
}

TEST(Pdf417Encoder, RawCodewordsAreChecked)
{
    pdf417param param;
    pdf417init(param);
    param.options = PDF417_USE_RAW_CODEWORDS;
    param.codewords[0] = 3;
    param.codewords[1] = 1;
    param.codewords[2] = 89;
    param.lenCodewords = 3;
    paintCode(param);
    ASSERT_EQ(param.error, PDF417_ERROR_NONE);
    EXPECT_EQ(dataCodewords(param)[0], 1);

    const auto rawError = [](int length, int first, int bad) {
        pdf417param raw;
        pdf417init(raw);
        raw.options = PDF417_USE_RAW_CODEWORDS;
        raw.codewords.fill(1);
        raw.codewords[0] = first;
        raw.codewords[1] = bad;
        raw.lenCodewords = length;
        paintCode(raw);
        return raw.error;
    };
    EXPECT_EQ(rawError(0, 0, 1), PDF417_ERROR_INVALID_PARAMS);
    EXPECT_EQ(rawError(927, 927, 1), PDF417_ERROR_INVALID_PARAMS);
    EXPECT_EQ(rawError(926, 926, 1), PDF417_ERROR_NONE);
    EXPECT_EQ(rawError(3, 4, 1), PDF417_ERROR_INVALID_PARAMS);
    EXPECT_EQ(rawError(3, 3, 929), PDF417_ERROR_INVALID_PARAMS);
    EXPECT_EQ(rawError(3, 3, -1), PDF417_ERROR_INVALID_PARAMS);
}

TEST(Pdf417Encoder, BitImageLayoutAndInversion)
{
    const pdf417param plain = encode("INVERT ME", PDF417_FIXED_COLUMNS, 3);
    const pdf417param inverted = encode("INVERT ME", PDF417_FIXED_COLUMNS | PDF417_INVERT_BITMAP, 3);
    ASSERT_EQ(plain.bitColumns, 17 * 6 + 18);
    const int bytesPerRow = (plain.bitColumns - 1) / 8 + 1;
    EXPECT_EQ(plain.lenBits, bytesPerRow * plain.codeRows);
    ASSERT_EQ(plain.outBits.size(), inverted.outBits.size());
    for (size_t i = 0; i < plain.outBits.size(); ++i)
        ASSERT_EQ(uint8_t(~plain.outBits[i]), inverted.outBits[i]) << i;
    // Every row starts with the start pattern and ends with the stop pattern.
    for (int row = 0; row < plain.codeRows; ++row) {
        const uint8_t* bits = plain.outBits.data() + row * bytesPerRow;
        QByteArray modules;
        for (int x = 0; x < plain.bitColumns; ++x)
            modules += (bits[x / 8] & (0x80 >> (x % 8))) ? '1' : '0';
        EXPECT_TRUE(modules.startsWith("11111111010101000")) << modules.constData();
        EXPECT_TRUE(modules.endsWith("111111101000101001")) << modules.constData();
    }
}
