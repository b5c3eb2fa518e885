// Barcode pictures as PNG at a printing resolution: crisp two-coloured pictures at one bit
// per pixel that a decoder reads, whatever the two colours are.
#include "BarcodeTestSupport.h"

#include "barcodes/BarcodePictures.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/QREncoder.h"
#include "barcodes/QRModuleGrid.h"

#include <gtest/gtest.h>

using namespace barcodetest;

namespace {

constexpr double dpi = 300;
// PNG colour types
constexpr int grey = 0;
constexpr int palette = 3;

// Bit depth and colour type from the PNG header.
std::pair<int, int> form(const QByteArray& png)
{
    return png.size() < 26 ? std::make_pair(-1, -1) : std::make_pair(int(uchar(png[24])), int(uchar(png[25])));
}

// A Code 128 with its caption, sized as the barcode window sizes one: 1 cm of bars.
QByteArray code128Png(const QString& value, const BarcodeSettings& settings)
{
    auto barcode = NKDCode128Barcode::create(value, true, NKDCode128Barcode::Automatic);
    barcode->setCaptionFontSize(10, settings);
    barcode->setHeight(28.35f + barcode->captionHeight() * 72 + 3 * settings.TB_margin);
    barcode->calculateWidth();
    barcode->setWidth(barcode->width() + 30);
    return barcodePng(imageFromBarcode(*barcode, settings), dpi);
}

TEST(BarcodePng, CaptionedCode128IsOneBitAndReads)
{
    const QByteArray png = code128Png(QStringLiteral("GALA-000042-7919"), BarcodeSettings());
    EXPECT_EQ(form(png), std::make_pair(1, palette));
    const QImage image = QImage::fromData(png, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.dotsPerMeterX(), qRound(dpi / 0.0254));
    EXPECT_EQ(zxingRead(image, QStringLiteral("Code128")), QByteArray("GALA-000042-7919"));
    EXPECT_EQ(zbarRead(image), QByteArray("GALA-000042-7919"));
}

TEST(BarcodePng, OtherColoursTakeATwoEntryPalette)
{
    BarcodeSettings settings;
    settings.barcode_clr = settings.bar_val_clr = QColor(0, 0, 128);
    settings.bar_back_clr = QColor(255, 255, 200);
    const QByteArray png = code128Png(QStringLiteral("Colour 1"), settings);
    EXPECT_EQ(form(png), std::make_pair(1, palette));
    const QImage image = QImage::fromData(png, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(255, 255, 200));
    EXPECT_EQ(zxingRead(image, QStringLiteral("Code128")), QByteArray("Colour 1"));
}

TEST(BarcodePng, QRSymbolIsOneBitAndReads)
{
    const auto grid = QREncoder::encodeWithECLevel(1, 0, QStringLiteral("https://example.org/badge?id=42"));
    ASSERT_NE(grid, nullptr);
    const int modules = grid->dimension();
    BarcodeSettings settings;
    settings.width = settings.height = float(modules + 8);
    settings.TB_margin = 4;
    settings.header_margin = 0;
    const QImage symbol = QREncoder::renderDataMatrix(grid.get(), modules * 4);
    const QByteArray png = barcodePng(imageFromBarcodeImage(symbol, QSizeF(modules, modules), settings), dpi);
    EXPECT_EQ(form(png), std::make_pair(1, grey));
    EXPECT_EQ(zxingRead(QImage::fromData(png, "PNG"), QStringLiteral("QRCode")),
        QByteArray("https://example.org/badge?id=42"));
}

} // namespace
