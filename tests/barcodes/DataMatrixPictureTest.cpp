// The EPS text and the image drawn from a module grid.
#include "DataMatrixTestSupport.h"

#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/DataMatrixPicture.h"

#include <gtest/gtest.h>

using namespace datamatrix_test;

namespace {

QList<QByteArray> lines(const QByteArray& text)
{
    return text.split('\n');
}

// The hexadecimal body of our EPS read back into a grid (first row written = grid row 0).
std::vector<uint8_t> gridFromEps(const QByteArray& eps, int W, int H)
{
    const int start = eps.indexOf("{<\n") + 3;
    const int end = eps.indexOf(">}image");
    const QList<QByteArray> rows = eps.mid(start, end - start).simplified().split(' ');
    std::vector<uint8_t> grid;
    for (int y = 0; y < H && y < rows.size(); ++y) {
        const QByteArray bytes = QByteArray::fromHex(rows[y]);
        for (int x = 0; x < W; ++x)
            grid.push_back(((~bytes[x / 8] >> (7 - x % 8)) & 1) ? 1 : 0);
    }
    return grid;
}

} // namespace

TEST(DataMatrixEps, HeaderBoundingBoxAndImageOperator)
{
    const DataMatrixSymbol symbol = encodeDataMatrix("123456");
    const QByteArray eps = makeEPS_Data_Matrix("123456", symbol.width, symbol.height, symbol.grid);
    const QList<QByteArray> text = lines(eps);
    ASSERT_GE(text.size(), 14);
    EXPECT_EQ(text[0], "%!PS-Adobe-3.0 EPSF-3.0");
    EXPECT_EQ(text[1], "%%Creator: IEC16022 barcode/stamp generator");
    EXPECT_EQ(text[2], "%%BarcodeData: 123456");
    EXPECT_EQ(text[3], "%%BarcodeSize: 10x10");
    EXPECT_EQ(text[4], "%%BarcodeFormat: ECC200");
    EXPECT_EQ(text[5], "%%DocumentData: Clean7Bit");
    EXPECT_EQ(text[8], "%%BoundingBox: 0 0 12 12");
    EXPECT_EQ(text[9], "%%EndComments");
    EXPECT_EQ(text[11], "10 10 1[1 0 0 1 -1 -1]{<");
    // Ten rows of two bytes and a space stay on one line.
    EXPECT_EQ(text[12].size(), 50);
    EXPECT_TRUE(eps.endsWith("\n\n>}image\n"));
}

TEST(DataMatrixEps, RowsArePackedBitsWithDarkAsZero)
{
    std::vector<uint8_t> grid(100, 0);
    std::fill(grid.begin(), grid.begin() + 10, 1); // bottom row dark
    const QByteArray eps = makeEPS_Data_Matrix("x", 10, 10, grid);
    const QByteArray body = lines(eps)[12];
    EXPECT_TRUE(body.startsWith("003F FFFF FFFF ")) << body.constData(); // spare bits are light

    // 144 columns: 19 counted per row, so a line break follows the fifth row.
    const std::vector<uint8_t> wide(144 * 144, 0);
    const QList<QByteArray> wideLines = lines(makeEPS_Data_Matrix("x", 144, 144, wide));
    EXPECT_EQ(wideLines[12], QByteArray(QByteArray(36, 'F') + ' ').repeated(5));

    // Real symbols, with and without partial bytes, read back from their hex body.
    for (const auto& [width, height] : {std::pair{26, 12}, std::pair{48, 16}, std::pair{144, 144}}) {
        const DataMatrixSymbol symbol = encodeDataMatrix("Hello, world", width, height);
        ASSERT_TRUE(symbol.isValid());
        const QByteArray text = makeEPS_Data_Matrix("Hello, world", width, height, symbol.grid);
        EXPECT_EQ(gridFromEps(text, width, height), symbol.grid) << width << "x" << height;
    }
}

TEST(DataMatrixEps, ValueInTheCommentIsEscapedAndSevenBitClean)
{
    const QByteArray value("one\ntwo\r\\%%EOF\x01\xE2\x82\xAC");
    const std::vector<uint8_t> grid(100, 0);
    const QByteArray eps = makeEPS_Data_Matrix(value, 10, 10, grid);
    EXPECT_EQ(lines(eps)[2], "%%BarcodeData: one\\012two\\015\\134%%EOF\\001\\342\\202\\254");
    EXPECT_EQ(lines(eps)[3], "%%BarcodeSize: 10x10");
    for (char c : eps)
        EXPECT_LT(static_cast<unsigned char>(c), 128);
}

TEST(DataMatrixEps, GridOfTheWrongSizeGivesNothing)
{
    EXPECT_TRUE(makeEPS_Data_Matrix("x", 10, 10, std::vector<uint8_t>(99, 0)).isEmpty());
    EXPECT_TRUE(makeEPS_Data_Matrix("x", 0, 0, {}).isEmpty());
    EXPECT_TRUE(dataMatrixImage(std::vector<uint8_t>(99, 0), 10, 10, 4).isNull());
    EXPECT_TRUE(dataMatrixImage(std::vector<uint8_t>(100, 0), 10, 10, 0).isNull());
    EXPECT_TRUE(dataMatrixImage(std::vector<uint8_t>(100, 0), 10, 10, 4, -1).isNull());
}

TEST(DataMatrixImage, ModulesAreWholePixelSquaresInsideTheQuietZone)
{
    const DataMatrixSymbol symbol = encodeDataMatrix("1234567890", 18, 8);
    ASSERT_TRUE(symbol.isValid());
    const int side = 3;
    const int quiet = 2;
    const QImage image = dataMatrixImage(symbol.grid, 18, 8, side, quiet);
    ASSERT_EQ(image.width(), (18 + 2 * quiet) * side);
    ASSERT_EQ(image.height(), (8 + 2 * quiet) * side);
    EXPECT_EQ(qRound(image.dotsPerMeterX() * 0.0254), 72 * side);

    for (int py = 0; py < image.height(); ++py) {
        for (int px = 0; px < image.width(); ++px) {
            const int mx = px / side - quiet;
            const int myFromTop = py / side - quiet;
            bool dark = false;
            if (mx >= 0 && mx < 18 && myFromTop >= 0 && myFromTop < 8)
                dark = symbol.grid[static_cast<size_t>((7 - myFromTop) * 18 + mx)] != 0;
            ASSERT_EQ(qGray(image.pixel(px, py)) == 0, dark) << px << "," << py;
        }
    }
    // The solid finder edge is at the left and the bottom of the picture.
    EXPECT_EQ(qGray(image.pixel(quiet * side, image.height() - quiet * side - 1)), 0);
    EXPECT_EQ(qGray(image.pixel(image.width() - quiet * side - 1, image.height() - quiet * side - 1)), 0);
    EXPECT_EQ(qGray(image.pixel(image.width() - quiet * side - 1, quiet * side)), 255);
}

TEST(DataMatrixImage, OneModuleBorderOfTheEpsDrawingDecodes)
{
    for (const char* value : {"123456", "Galavite card designer", "\xC3\xA9t\xC3\xA9 2026"}) {
        const DataMatrixSymbol symbol = encodeDataMatrix(value);
        ASSERT_TRUE(symbol.isValid());
        EXPECT_EQ(decodeWithZXing(dataMatrixImage(symbol.grid, symbol.width, symbol.height, 5)), QByteArray(value));
    }
}
