// The window's arithmetic: units, overall heights and widths, QR minimum, re-rasterising.
#include "barcodes/BarcodeSizing.h"
#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeOptionItems.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/BarcodeSymbols2D.h"
#include "barcodes/NKDBarcode.h"
#include "render/GeneratedImages.h"

#include <gtest/gtest.h>

namespace {

constexpr float tenthCm = 0.1f * 0.393701f * 72.0f; // 2.835 points

std::unique_ptr<NKDBarcode> code39(bool caption, bool header, bool footer)
{
    auto barcode = createLinearBarcode("Code 39", "ABC", caption);
    barcode->setPrintsHeader(header);
    barcode->setPrintsFooter(footer);
    barcode->setCaptionHeight(0.2f);
    barcode->setHeaderHeight(0.3f);
    barcode->setFooterHeight(0.3f);
    return barcode;
}

TEST(BarcodeSizing, UnitsBecomePoints)
{
    EXPECT_FLOAT_EQ(Unit_To_Points(1, 0), 72);
    EXPECT_NEAR(Unit_To_Points(1, 1), 28.3465, 1e-3);
    EXPECT_NEAR(Unit_To_Points(10, 2), 28.3465, 1e-3);
    EXPECT_FLOAT_EQ(Mils_To_Points(1000), 72);
}

TEST(BarcodeSizing, LinearHeightCountsOnlyShownParts)
{
    BarcodeGenSettings s;
    s.linear_height_val = 1;
    s.val_margin_val = 0.1f;
    s.TB_marging_val = 0.1f;
    s.show_hide_hdr = s.show_hide_ftr = 1;
    auto barcode = code39(true, false, false);
    Set_Barcode_Height(*barcode, s);
    EXPECT_NEAR(barcode->height(), 51.25, 0.01);

    // A hidden caption drops its band and its margin.
    s.show_hide_val = 1;
    auto noCaption = code39(false, false, false);
    Set_Barcode_Height(*noCaption, s);
    EXPECT_NEAR(noCaption->height(), 28.346 + 2 * tenthCm, 0.01);

    // A shown header adds its band and margin; hiding it in the settings drops both.
    s.show_hide_hdr = 0;
    auto withHeader = code39(false, true, false);
    Set_Barcode_Height(*withHeader, s);
    EXPECT_NEAR(withHeader->height() - noCaption->height(), 0.3f * 72 + tenthCm, 0.01);
}

TEST(BarcodeSizing, SideMarginsAddFifteenPoints)
{
    BarcodeGenSettings s;
    auto barcode = code39(true, true, true);
    barcode->setWidth(100);
    barcode->setHeaderWidth(120);
    barcode->setFooterWidth(80);
    s.LR_margin_val = 0;
    EXPECT_FLOAT_EQ(Set_Linear_Barcode_Width(*barcode, s), 120);
    s.show_hide_hdr = 1;
    EXPECT_FLOAT_EQ(Set_Linear_Barcode_Width(*barcode, s), 100) << "a hidden header is not measured";
    s.LR_margin_val = 0.1f;
    EXPECT_NEAR(Set_Linear_Barcode_Width(*barcode, s), 100 + 2 * tenthCm + 15, 1e-3);
}

TEST(BarcodeSizing, TwoDimensionalSizeHasNoCaptionBand)
{
    BarcodeGenSettings s;
    s.TB_marging_val = s.LR_margin_val = 0;
    s.show_hide_ftr = 1;
    BarcodeSettings render = s.renderSettings();
    render.headerHeight = 0.25f;
    render.footerHeight = 0.5f;
    render.headerWidth = 10;
    Set_2d_Barcode_Size(QSizeF(60, 60), s, render);
    EXPECT_NEAR(render.height, 60 + 18 + tenthCm, 1e-3);
    EXPECT_FLOAT_EQ(render.width, 60);
}

TEST(BarcodeSizing, QrMinimumFollowsTheVersion)
{
    EXPECT_EQ(Check_And_Set_QR_size_Acc_Version(0), 21);
    EXPECT_EQ(Check_And_Set_QR_size_Acc_Version(1), 21);
    EXPECT_EQ(Check_And_Set_QR_size_Acc_Version(10), 57);
    EXPECT_EQ(Check_And_Set_QR_size_Acc_Version(40), 177);
}

TEST(BarcodeSizing, IncreaseDpiRoundsUpWithoutSmoothing)
{
    QImage image(10, 10, QImage::Format_ARGB32);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    for (int y = 0; y < 10; ++y)
        image.setPixel(0, y, qRgb(0, 0, 0));
    const QImage raised = Increase_DPI(image, 600);
    ASSERT_EQ(raised.size(), QSize(84, 84));
    EXPECT_NEAR(raised.width() / (raised.dotsPerMeterX() * 0.0254) * 72, 10.08, 0.01);
    for (int x = 0; x < 16; ++x) {
        const QRgb pixel = raised.pixel(x, 40);
        EXPECT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255)) << "smoothed at " << x;
    }
    EXPECT_TRUE(Increase_DPI(image, 0).isNull());
    EXPECT_TRUE(Increase_DPI(image, -5).isNull());
    EXPECT_TRUE(Increase_DPI(QImage(), 600).isNull());
    QImage huge(3000, 3000, QImage::Format_Grayscale8);
    EXPECT_TRUE(Increase_DPI(huge, 2400).isNull()) << "beyond the pixel budget";
}

TEST(BarcodeSizing, ResolutionChoice)
{
    BarcodeGenSettings s;
    EXPECT_EQ(s.USED_DPI_VALUE(), 600) << "Auto";
    s.dpi_val_index = 3;
    EXPECT_EQ(s.USED_DPI_VALUE(), 300);
    s.dpi_val_index = int(BarcodeDpiItems.size()) - 1; // Custom
    s.dpi_custom_val = "450";
    EXPECT_EQ(s.USED_DPI_VALUE(), 450);
    s.dpi_custom_val = "999999";
    EXPECT_EQ(s.USED_DPI_VALUE(), BarcodeMaximumDpi);
    s.dpi_custom_val = "0";
    EXPECT_EQ(s.USED_DPI_VALUE(), BarcodeMinimumDpi);
    s.dpi_val_index = 99;
    EXPECT_EQ(s.USED_DPI_VALUE(), 600);
}

TEST(BarcodeSizing, DataMatrixFormatAndEncodingRequests)
{
    const DataMatrixSize rectangle = dataMatrixFormatSize("C8X18");
    EXPECT_EQ(rectangle.columns, 18);
    EXPECT_EQ(rectangle.rows, 8);
    EXPECT_EQ(dataMatrixFormatSize("C144X144").columns, 144);
    EXPECT_EQ(dataMatrixFormatSize("Auto").columns, 0);
    EXPECT_EQ(dataMatrixFormatSize("C12").rows, 0);
    EXPECT_EQ(dataMatrixEncodingString(3, 4), std::optional<std::string>("TTTT"));
    EXPECT_EQ(dataMatrixEncodingString(0, 4), std::nullopt);
}

} // namespace
