// Module grids of chosen sizes compared with zint's for digit payloads: the size attributes,
// ASCII digit pairs, padding, Reed-Solomon blocks, placement and the finder pattern at once.
#include "DataMatrixTestSupport.h"

#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/DataMatrixSymbolSize.h"

#include <gtest/gtest.h>

using namespace datamatrix_test;

namespace {

// zint's --vers numbers: the 24 square sizes, then the 6 rectangles.
int zintVersion(const DataMatrixSymbolSize& size)
{
    static const int rectangles[][2] = {{8, 18}, {8, 32}, {12, 26}, {12, 36}, {16, 36}, {16, 48}};
    static const int squares[] = {10, 12, 14, 16, 18, 20, 22, 24, 26, 32, 36, 40,
                                  44, 48, 52, 64, 72, 80, 88, 96, 104, 120, 132, 144};
    for (int i = 0; i < 6; ++i)
        if (size.rows == rectangles[i][0] && size.columns == rectangles[i][1])
            return 25 + i;
    for (int i = 0; i < 24; ++i)
        if (size.rows == squares[i] && size.columns == squares[i])
            return 1 + i;
    return 0;
}

} // namespace

TEST(DataMatrixZint, DigitGridsEqualZintsInEverySize)
{
    for (const DataMatrixSymbolSize& size : ecc200matrix()) {
        const int version = zintVersion(size);
        ASSERT_NE(version, 0);
        const size_t full = static_cast<size_t>(size.dataCodewords) * 2;
        const std::string digits = randomText("0123456789", full, static_cast<uint32_t>(version));
        // Short, odd, one pad short, exactly full.
        for (size_t length : {size_t{1}, full / 2 + 1, full - 3, full}) {
            const std::string value = digits.substr(0, length);
            const DataMatrixSymbol symbol = encodeDataMatrix(value, size.columns, size.rows);
            ASSERT_TRUE(symbol.isValid()) << symbol.error;
            EXPECT_EQ(gridRows(symbol), zintRows(version, value, size.columns))
                << size.rows << "x" << size.columns << " with " << length << " digits";
        }
    }
}
