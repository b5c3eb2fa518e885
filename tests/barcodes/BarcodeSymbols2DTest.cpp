// Two-dimensional symbols drawn as vectors: the same modules, in the same places, as the
// module images they replace, at any resolution.
#include "BarcodeTestSupport.h"

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeSymbols2D.h"
#include "barcodes/QREncoder.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

QImage onWhite(const QImage& image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter(&flat).drawImage(0, 0, image);
    return flat;
}

} // namespace

TEST(BarcodeSymbols2D, QRModulesCoverTheWholePointsOfTheModuleImageAtAnySide)
{
    const QString value = QStringLiteral("INV-000042");
    BarcodeGenSettings settings;
    settings.qr_ec_index = 1;
    const auto grid = QREncoder::encodeWithECLevel(1, 0, value);
    ASSERT_TRUE(grid);
    // 21 modules: sides that divide evenly, leave a margin, or are smaller than the grid.
    for (int side : { 63, 57, 60, 10 }) {
        SCOPED_TRACE(side);
        settings.qr_size_val = side;
        const Picture picture = Draw_QR_Barcode(value, settings);
        const QImage expected = onWhite(QREncoder::renderDataMatrix(grid.get(), side));
        EXPECT_EQ(picture.size(), QSizeF(expected.size()));
        const QImage drawn = picture.toImage(72, Qt::white, Picture::Edges::Crisp);
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32), expected);
    }
}

TEST(BarcodeSymbols2D, DataMatrixModulesStretchWithTheirLightBorderOverTheModuleSize)
{
    const QByteArray value("1234");
    BarcodeGenSettings settings;
    settings.dm_format_index = 1; // 10 x 10
    settings.dm_module_val = 6; // 60 points: 5 points a module with the border
    const Picture picture = Draw_DataMatrix_Barcode(QString::fromLatin1(value), settings);
    ASSERT_EQ(picture.size(), QSizeF(60, 60));
    const QImage drawn = picture.toImage(72, Qt::white, Picture::Edges::Crisp);
    EXPECT_EQ(barcodetest::zxingRead(barcodetest::decodable(picture), QStringLiteral("DataMatrix")), value);
    for (int y = 0; y < 12; ++y) {
        EXPECT_EQ(qGray(drawn.pixel(2, 2 + 5 * y)), 255) << "left border, row " << y;
        EXPECT_EQ(qGray(drawn.pixel(2 + 5 * y, 57)), 255) << "bottom border, column " << y;
    }
    // The finder's solid left edge and bottom edge sit just inside the border.
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(qGray(drawn.pixel(7, 2 + 5 * i)), 0) << "finder column, module " << i;
        EXPECT_EQ(qGray(drawn.pixel(2 + 5 * i, 52)), 0) << "finder row, module " << i;
    }
}

TEST(BarcodeSymbols2D, SymbolsStayTwoColouredWhereModulesFallBetweenPixels)
{
    // As the module images did, scaled without smoothing: the canvas at any zoom and the
    // exported pictures show black and white only.
    BarcodeGenSettings settings;
    settings.qr_size_val = 57;
    settings.dm_module_val = 3;
    for (const Picture& picture : { Draw_QR_Barcode(QStringLiteral("INV-000042"), settings),
             Draw_DataMatrix_Barcode(QStringLiteral("INV-000042"), settings) }) {
        ASSERT_FALSE(picture.isNull());
        const QImage drawn = picture.toImage(97, Qt::white).convertToFormat(QImage::Format_RGB32);
        int dark = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb pixel = drawn.pixel(x, y);
                ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255)) << x << ", " << y;
                dark += pixel == qRgb(0, 0, 0);
            }
        }
        EXPECT_GT(dark, 100);
    }
}

TEST(BarcodeSymbols2D, DataMatrixRefusalLogsOneLineWithTheValueCut)
{
    // 3,000 characters over 120 lines, refused at a chosen size and at the automatic one.
    const QString value = QStringLiteral("Ann Lee, Room 4, North Building\nCode 12-34\n").repeated(70).left(3000);
    BarcodeGenSettings settings;
    testing::internal::CaptureStderr();
    for (int format : { 1, 0 }) {
        settings.dm_format_index = format;
        EXPECT_TRUE(Draw_DataMatrix_Barcode(value, settings).isNull()) << format;
    }
    const QStringList lines = QString::fromStdString(testing::internal::GetCapturedStderr()).split(u'\n');
    ASSERT_EQ(lines.size(), 3); // two lines and the end of the last
    const QString cut = QStringLiteral("\"Ann Lee, Room 4, North Building Code 12-34 Ann Lee, Room 4, …\"");
    EXPECT_TRUE(lines[0].contains(QStringLiteral("No barcode produced: Cannot make barcode fit 10x10")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].contains(QStringLiteral("No barcode produced: Cannot find suitable size")))
        << lines[1].toStdString();
    for (const QString& line : lines.first(2))
        EXPECT_TRUE(line.endsWith(cut)) << line.toStdString();
}
