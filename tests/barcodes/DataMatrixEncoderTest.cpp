// Codeword-level behaviour of the Data Matrix encoder: sizes, encodations, the end of the
// data, padding and the refusals.
#include "DataMatrixTestSupport.h"

#include "barcodes/DataMatrixEncodation.h"
#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/DataMatrixSymbolSize.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace datamatrix_test;

namespace {

std::vector<int> dataCodewords(const DataMatrixSymbol& symbol)
{
    return {symbol.codewords.begin(), symbol.codewords.begin() + symbol.capacity};
}

// Undoes the 255-state randomising of the Base 256 codeword at 1-based position.
int base256Plain(const DataMatrixSymbol& symbol, int position)
{
    const int randomised = symbol.codewords[static_cast<size_t>(position - 1)];
    return (randomised - ((149 * position) % 255) - 1 + 512) % 256;
}

DataMatrixSymbol forced(const std::string& text, char letter, int width = 0, int height = 0)
{
    return encodeDataMatrix(text, width, height, std::string(text.size(), letter));
}

} // namespace

TEST(DataMatrixEncoder, WorkedExampleGivesTheStandardsCodewords)
{
    const DataMatrixSymbol symbol = encodeDataMatrix("123456");
    ASSERT_TRUE(symbol.isValid()) << symbol.error;
    EXPECT_EQ(symbol.width, 10);
    EXPECT_EQ(symbol.height, 10);
    EXPECT_EQ(symbol.encoding, "AAAAAA");
    EXPECT_EQ(symbol.used, 3);
    EXPECT_EQ(symbol.capacity, 3);
    EXPECT_EQ(symbol.checkCodewords, 5);
    EXPECT_EQ(symbol.codewords, (std::vector<uint8_t>{142, 164, 186, 114, 25, 5, 88, 102}));
}

TEST(DataMatrixEncoder, SizeTableHoldsEveryCodewordInItsMappingMatrix)
{
    ASSERT_EQ(ecc200matrix().size(), 30u);
    for (const DataMatrixSymbolSize& size : ecc200matrix()) {
        const int cells = size.mappingRows() * size.mappingColumns();
        const int bits = 8 * (size.dataCodewords + size.checkCodewords());
        // Only the fixed 2 x 2 corner may be left over.
        EXPECT_TRUE(cells == bits || cells == bits + 4) << size.rows << "x" << size.columns;
        EXPECT_EQ(findDataMatrixSize(size.columns, size.rows), &size);
    }
    const DataMatrixSymbolSize* largest = findDataMatrixSize(144, 144);
    ASSERT_NE(largest, nullptr);
    EXPECT_EQ(largest->blockCount(), 10);
    EXPECT_EQ(largest->checkCodewords(), 620);
    EXPECT_EQ(findDataMatrixSize(18, 8)->dataCodewords, 5);
    EXPECT_EQ(findDataMatrixSize(8, 18), nullptr); // columns first: 8 x 18 is 18 columns
}

TEST(DataMatrixEncoder, AutomaticSizeIsTheFirstThatHoldsTheData)
{
    EXPECT_EQ(encodeDataMatrix("12345678").width, 12); // four codewords: 12 x 12 before 8 x 18
    const DataMatrixSymbol full = encodeDataMatrix(std::string(3116, '7'));
    ASSERT_TRUE(full.isValid()) << full.error;
    EXPECT_EQ(full.width, 144);
    EXPECT_EQ(full.used, 1558);
    EXPECT_EQ(encodeDataMatrix(std::string(3117, '7')).error, "Cannot find suitable size, barcode too long");
    EXPECT_EQ(encodeDataMatrix(std::string(1700, '\xE9')).error, "Cannot find suitable size, barcode too long");
}

TEST(DataMatrixEncoder, ChosenSizesAndTheirRefusals)
{
    const DataMatrixSymbol rectangle = encodeDataMatrix("ABC", 18, 8);
    ASSERT_TRUE(rectangle.isValid()) << rectangle.error;
    EXPECT_EQ(rectangle.width, 18);
    EXPECT_EQ(rectangle.height, 8);
    EXPECT_EQ(rectangle.grid.size(), 144u);

    EXPECT_EQ(encodeDataMatrix("ABC", 11, 11).error, "Invalid size 11x11");
    EXPECT_EQ(encodeDataMatrix("12345678", 10, 10).error, "Cannot make barcode fit 10x10");
    EXPECT_EQ(forced("12345678", 'A', 10, 10).error, "Barcode too long for 10x10");
}

TEST(DataMatrixEncoder, PaddingFollowsTheLastDataCodeword)
{
    // Exactly full: no pad at all.
    EXPECT_EQ(dataCodewords(encodeDataMatrix("123456")), (std::vector<int>{142, 164, 186}));
    // One codeword short: only the plain pad 129.
    EXPECT_EQ(dataCodewords(encodeDataMatrix("1234")), (std::vector<int>{142, 164, 129}));
    // Further pads are randomised and never repeat 129.
    const std::vector<int> padded = dataCodewords(encodeDataMatrix("1", 12, 12));
    EXPECT_EQ(padded[0], '1' + 1);
    EXPECT_EQ(padded[1], 129);
    for (size_t i = 2; i < padded.size(); ++i)
        EXPECT_NE(padded[i], 129);
}

TEST(DataMatrixEncoder, Base256LengthTakesTwoCodewordsFrom250Bytes)
{
    const std::string bytes = randomText(allBytes(), 300, 7);
    const DataMatrixSymbol longRun = forced(bytes, 'B');
    ASSERT_TRUE(longRun.isValid()) << longRun.error;
    EXPECT_EQ(longRun.codewords[0], 231);
    EXPECT_EQ(base256Plain(longRun, 2), 250); // 300 / 250 + 249
    EXPECT_EQ(base256Plain(longRun, 3), 50);  // 300 mod 250
    EXPECT_EQ(base256Plain(longRun, 4), static_cast<uint8_t>(bytes[0]));

    const DataMatrixSymbol shortRun = forced(bytes.substr(0, 249), 'B');
    EXPECT_EQ(base256Plain(shortRun, 2), 249);
    EXPECT_EQ(base256Plain(shortRun, 3), static_cast<uint8_t>(bytes[0]));

    // Latch, two length codewords and 1555 bytes fill the largest symbol exactly.
    const std::string largest = randomText(allBytes(), 1555, 8);
    const DataMatrixSymbol full = forced(largest, 'B', 144, 144);
    ASSERT_TRUE(full.isValid()) << full.error;
    EXPECT_EQ(full.used, 1558);
    EXPECT_EQ(base256Plain(full, 2), 255);
    EXPECT_EQ(base256Plain(full, 3), 55);
    EXPECT_EQ(decodeSymbol(full), QByteArray::fromStdString(largest));
}

TEST(DataMatrixEncoder, Base256ToTheEndOfTheSymbolFillsTheLargestSize)
{
    // Latch, length 0 ("to the end") and 1556 bytes: the published binary maximum.
    const std::string largest = randomText(allBytes(), 1556, 9);
    for (const DataMatrixSymbol& symbol :
        { encodeDataMatrix(largest), encodeDataMatrix(largest, 144, 144), forced(largest, 'B', 144, 144) }) {
        ASSERT_TRUE(symbol.isValid()) << symbol.error;
        EXPECT_EQ(symbol.width, 144);
        EXPECT_EQ(symbol.used, 1558);
        EXPECT_EQ(decodeSymbol(symbol), QByteArray::fromStdString(largest));
    }
    EXPECT_EQ(base256Plain(forced(largest, 'B', 144, 144), 2), 0);
    EXPECT_FALSE(encodeDataMatrix(largest + "x").isValid());
    // With room after it the run keeps its length, or the padding would be read as data.
    const DataMatrixSymbol shorter = forced(largest.substr(0, 1300), 'B', 144, 144);
    ASSERT_TRUE(shorter.isValid());
    EXPECT_EQ(base256Plain(shorter, 2), 1300 / 250 + 249);
}

TEST(DataMatrixEncoder, EncodingStringsAreCheckedBeforeUse)
{
    EXPECT_EQ(encodeDataMatrix("ABC", 0, 0, std::string("AQA")).error, "Unknown encoding Q");
    EXPECT_EQ(encodeDataMatrix("ABC", 0, 0, std::string("AA")).error, "Encoding string too short");
    EXPECT_EQ(forced("AB+", 'X').error, "Cannot encode char 0x2B in X12");
    EXPECT_EQ(forced("ABc", 'E').error, "Cannot encode 0x63 in EDIFACT");
    // Letters in either case; letters beyond the text are ignored.
    const DataMatrixSymbol lower = encodeDataMatrix("ABCDEF", 0, 0, std::string("ccccccQQ"));
    ASSERT_TRUE(lower.isValid()) << lower.error;
    EXPECT_EQ(lower.codewords, forced("ABCDEF", 'C').codewords);
}

TEST(DataMatrixEncoder, TripletRunWithTwoCodewordsLeftUnlatchesBeforeAscii)
{
    // X12 "ABC" fills a triple; "D" is left with two codewords of room. An ASCII "D" without
    // the unlatch would be read as half of another X12 triple.
    const DataMatrixSymbol symbol = forced("ABCD", 'X', 12, 12);
    ASSERT_TRUE(symbol.isValid()) << symbol.error;
    const std::vector<int> data = dataCodewords(symbol);
    EXPECT_EQ(data[0], 238);
    EXPECT_EQ(data[3], 254);
    EXPECT_EQ(data[4], 'D' + 1);
    EXPECT_EQ(decodeSymbol(symbol), QByteArray("ABCD"));
}

TEST(DataMatrixEncoder, OnlyOneCodewordLeftIsAnImplicitReturnToAscii)
{
    // Latch and three C40 triples take 7 of 14 x 14's 8 codewords; "J" fills the last one.
    const DataMatrixSymbol symbol = forced("ABCDEFGHIJ", 'C', 14, 14);
    ASSERT_TRUE(symbol.isValid()) << symbol.error;
    const std::vector<int> data = dataCodewords(symbol);
    EXPECT_EQ(std::count(data.begin(), data.end(), 254), 0);
    EXPECT_EQ(data[7], 'J' + 1);
    EXPECT_EQ(decodeSymbol(symbol), QByteArray("ABCDEFGHIJ"));
}

TEST(DataMatrixEncoder, CharactersPendingAtTheEndOfATripletRunAreKept)
{
    // Two C40 values at the end are completed by a shift 1 pad value: 1600 x 14 + 40 x 15 + 0 + 1.
    EXPECT_EQ(dataCodewords(forced("AB", 'C', 10, 10)), (std::vector<int>{230, 89, 217}));

    // One and two values left over, single and shifted characters, in every triplet scheme.
    const std::string texts[] = {"A", "AB", "ABCD", "ABCDE", "AB!", "A!", "ABC\xC1", "12345"};
    for (char letter : {'C', 'T', 'X'}) {
        for (const std::string& text : texts) {
            if (letter == 'X' && text.find_first_of("!\xC1") != std::string::npos)
                continue;
            const DataMatrixSymbol symbol = forced(text, letter);
            ASSERT_TRUE(symbol.isValid()) << letter << " " << text << ": " << symbol.error;
            EXPECT_EQ(decodeSymbol(symbol), QByteArray::fromStdString(text)) << letter << " " << text;
        }
    }
}

TEST(DataMatrixEncoder, AutomaticEncodationBeatsPlainAscii)
{
    struct Case {
        std::string text;
        char expected; // the scheme that should carry most of the text
    };
    const Case cases[] = {
        {"THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG", 'C'},
        {"the quick brown fox jumps over the lazy dog", 'T'},
        {"ABC*DEF>GHI\rJKL*MNO>PQR\rSTU*VWX>YZ0\r", 'X'},
        {std::string("\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"), 'B'},
        {"0123456789012345678901234567890123456789", 'A'},
    };
    for (const Case& c : cases) {
        const DataMatrixSymbol automatic = encodeDataMatrix(c.text);
        const DataMatrixSymbol ascii = forced(c.text, 'A');
        ASSERT_TRUE(automatic.isValid()) << c.text;
        EXPECT_LE(automatic.used, ascii.used) << c.text;
        const auto count = std::count(automatic.encoding.begin(), automatic.encoding.end(), c.expected);
        EXPECT_GT(count, static_cast<long>(c.text.size() / 2)) << automatic.encoding;
        EXPECT_EQ(decodeSymbol(automatic), QByteArray::fromStdString(c.text)) << c.text;
    }
    // An EDIFACT plan for punctuation-heavy upper-case text.
    const std::optional<DataMatrixPlan> plan = encmake("A.B/C;D:E=F?G@H[I]J^K-L,M.N/O", false);
    ASSERT_TRUE(plan);
    EXPECT_NE(plan->encoding.find('E'), std::string::npos) << plan->encoding;
}

TEST(DataMatrixEncoder, EmptyTextHasAnEmptyPlanButNoSymbol)
{
    const std::optional<DataMatrixPlan> empty = encmake("", true);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->encoding, "");
    EXPECT_EQ(empty->codewords, 0);
    EXPECT_FALSE(encmake(std::string(3117, '1'), true));

    // An empty value is not a barcode.
    const DataMatrixSymbol blank = encodeDataMatrix("");
    EXPECT_FALSE(blank.isValid());
    EXPECT_FALSE(blank.error.empty());
}
