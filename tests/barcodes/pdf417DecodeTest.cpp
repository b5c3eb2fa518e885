// Our PDF417 symbols read back by an independent decoder (ZXingReader).
#include "Pdf417TestOracles.h"

#include "barcodes/pdf417param.h"

#include <gtest/gtest.h>

#include <vector>

using pdf417test::decodableImage;
using pdf417test::decodeWithZXing;
using pdf417test::encode;

namespace {

// Encodes every text with the options, decodes all in one reader run, and reports each
// text that failed to encode or did not read back as itself.
void expectRoundTrips(const std::vector<QByteArray>& texts, int options = 0, int columns = 0, int level = 0)
{
    std::vector<QImage> images;
    for (const QByteArray& text : texts) {
        const pdf417param param = encode(text, options, columns, 0, level);
        ASSERT_EQ(param.error, PDF417_ERROR_NONE) << text.toHex().constData();
        images.push_back(decodableImage(param));
    }
    const auto decoded = decodeWithZXing(images);
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_TRUE(decoded[i].has_value()) << "not read: " << texts[i].toHex(' ').constData();
        if (decoded[i]) {
            EXPECT_EQ(decoded[i]->toHex(' ').toStdString(), texts[i].toHex(' ').toStdString());
        }
    }
}

} // namespace

TEST(Pdf417Decoding, EveryColumnCountAtEveryLevel)
{
    std::vector<QImage> images;
    std::vector<QByteArray> texts;
    for (int columns = 1; columns <= 30; ++columns) {
        for (int level = 0; level <= 8; ++level) {
            const QByteArray text = QByteArray("Galavite ") + QByteArray::number(columns) + "/" + QByteArray::number(level)
                + " card #" + QByteArray(columns * 3, char('a' + level)) + "; 4170000000000001";
            const pdf417param param = encode(text, PDF417_FIXED_COLUMNS | PDF417_USE_ERROR_LEVEL, columns, 0, level);
            ASSERT_EQ(param.error, PDF417_ERROR_NONE);
            EXPECT_GE(param.errorLevel, level);
            // One column cannot hold the higher levels in 90 rows; there the columns grow.
            if (param.codewords[0] + (2 << level) <= 90 * columns) {
                EXPECT_EQ(param.codeColumns, columns) << "level " << level;
            }
            texts.push_back(text);
            images.push_back(decodableImage(param));
        }
    }
    const auto decoded = decodeWithZXing(images);
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(decoded[i].value_or("<not read>").toStdString(), texts[i].toStdString());
}

TEST(Pdf417Decoding, TextSubModeSwitches)
{
    expectRoundTrips({
        "ABC", "abc", "Abc", "aBc", "abCDEf", "abCDE", "ABcdEF",     // alpha, lower, one-capital shift, latch back
        "AB12CD", "ab12cd", "12ab", "12AB", "A&B", "a\tb\rc",        // mixed from alpha, lower; back to lower, alpha
        "A!B", "a!b", "1!2", "A!?;B", "a!?;b", "1!?;2", "!?;",       // punctuation shift and latch from each sub-mode
        "A!?; b", "a!?;B", "x{}~@", "line\nbreak", "\n\n\n",          // leaving punctuation; line feed only in punctuation
        "Mix: 12 ab, CD; ef!", "A B c d 1 2 ! ?", "a.b-c/d$e",       // spaces in every sub-mode
        "end with punctuation!", "end with two!!", "Odd", "Even",    // padding of the last codeword
        "~`'\"|(){}[]<>@_\\^*=+%#", "All printable: !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~",
    });
}

TEST(Pdf417Decoding, DigitRuns)
{
    expectRoundTrips({
        "abc123456789012abc", "abc1234567890123abc", "123456789012", "1234567890123", "1234567",
        "12345678", "0000000000000", "0012345678901234", QByteArray(44, '7'), QByteArray(45, '8'),
        QByteArray(88, '9'), QByteArray(89, '1'), "x" + QByteArray(300, '5') + "y",
        "Invoice 4417000000000000 paid 12.50 on 2026-12-07",
    });
}

TEST(Pdf417Decoding, ByteRuns)
{
    const QByteArray bytes("\x80\xff\x00\x01\xfe\x7f\x90\xa0\xb0\xc0\xd0\xe0\xf0", 13);
    std::vector<QByteArray> texts;
    for (int length = 1; length <= 13; ++length) {
        texts.push_back(bytes.left(length));
        texts.push_back("Text " + bytes.left(length) + " more text");
        texts.push_back("ab" + bytes.left(length) + "cd");
    }
    QByteArray every;
    for (int c = 0; c < 256; ++c)
        every += char(c);
    texts.push_back(every);
    texts.push_back(QByteArray::fromHex("c3a9e282ace4b8ad") + "caf\xc3\xa9");
    expectRoundTrips(texts);
}

TEST(Pdf417Decoding, ByteShiftsInsideTextKeepTheFollowingCharacter)
{
    // One byte between text runs stays in text compaction as a shift; before it an odd number
    // of pending text values needs a pad in every sub-mode.
    expectRoundTrips({
        "HELLO\x80WORLD", "HELL\x80WORLD", "hello\x80world", "hell\x80world", "Hell\xe9World",
        "ab12\x80" "cdef", "ab123\x80" "cdef", "ab123\x80" "456", "ab!!!\x80" "cdef", "ab!!!!\x80" "cdef", "ab!!!!\x80!!!x",
        "ABCDE\x80!", "abcde\x80;x", "Caf\xe9 au lait", "na\xefve fa\xe7" "ade", QByteArray(40, 'a') + "\xff" + QByteArray(40, 'B'),
    });
}

TEST(Pdf417Decoding, CheckCodewordOfZeroStaysZero)
{
    // Search raw text codewords (two capitals each) until a check codeword comes out 0.
    for (int first = 0; first < 26 * 30; first += 1) {
        if (first % 30 >= 26)
            continue;
        for (int second = 0; second < 26 * 30; second += 30) {
            pdf417param param;
            pdf417init(param);
            param.options = PDF417_USE_RAW_CODEWORDS | PDF417_USE_ROWS_AND_COLUMNS | PDF417_USE_ERROR_LEVEL;
            param.errorLevel = 0;
            param.codeColumns = 1;
            param.codeRows = 5;
            param.codewords[0] = 3;
            param.codewords[1] = first;
            param.codewords[2] = second;
            param.lenCodewords = 3;
            paintCode(param);
            ASSERT_EQ(param.error, PDF417_ERROR_NONE);
            ASSERT_EQ(param.errorLevel, 0);
            if (param.codewords[3] != 0 && param.codewords[4] != 0)
                continue;
            QByteArray text;
            text += char('A' + first / 30);
            text += char('A' + first % 30);
            text += char('A' + second / 30);
            text += 'A';
            const auto decoded = decodeWithZXing({decodableImage(param)});
            EXPECT_EQ(decoded[0].value_or("<not read>").toStdString(), text.toStdString());
            // zint draws the same five-row symbol for these capitals.
            EXPECT_EQ(pdf417test::rowDifference(pdf417test::moduleRows(param), pdf417test::zintRows(text, 1, 0)), "");
            return;
        }
    }
    FAIL() << "no symbol with a zero check codeword found";
}
