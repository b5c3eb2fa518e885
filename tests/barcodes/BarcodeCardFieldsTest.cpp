// The barcode fields of a card object through the settings record and back.
#include "BarcodeTestSupport.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeGeneration.h"
#include "barcodes/BarcodeSymbologies.h"
#include "model/SKTBarcode.h"
#include "platform/PropertyList.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

void setEveryField(SKTGraphic& g)
{
    g.linear_or_2d = 1;
    g.barcode_font_index = 20;
    g.linear_font_val = "LINEAR";
    g.two_d_font_val = "two\nlines";
    g.header_val = "Head";
    g.footer_val = "Foot";
    g.show_hide_hdr = 1;
    g.show_hide_ftr = 1;
    g.show_hide_val = 1;
    g.show_val_on_top = 1;
    g.align_hdr_index = 2;
    g.align_ftr_index = 0;
    g.linear_height_val = 1.75f;
    g.linear_width_val = 13.5f;
    g.qr_size_val = 123;
    g.qr_version_index = 7;
    g.qr_ec_index = 3;
    g.pdf_hgt_val = 44;
    g.pdf_wdt_val = 222;
    g.pdf_ec_val = 5;
    g.dm_module_val = 4;
    g.dm_format_index = 26;
    g.dm_encoding_index = 2;
    g.hdr_margin_val = 0.2f;
    g.ftr_margin_val = 0.3f;
    g.val_margin_val = 0.4f;
    g.TB_marging_val = 0.5f;
    g.LR_margin_val = 0.6f;
    g.value_font_val = QFont("DejaVu Sans", 9);
    g.header_font_val = QFont("Liberation Serif", 14);
    g.footer_font_val = QFont("Liberation Sans", 7);
    g.barcode_hdr_clr_val = QColor(10, 20, 30);
    g.barcode_ftr_clr_val = QColor(40, 50, 60);
    g.barcode_val_clr_val = QColor(70, 80, 90);
    g.barcode_back_clr_val = QColor(250, 240, 230);
    g.barcode_clr_val = QColor(0, 0, 128);
    g.dpi_val_index = 6;
    g.dpi_custom_val = "450";
    g.kerning_value_state = 1;
}

TEST(BarcodeCardFields, EveryFieldSurvivesLoadAndStore)
{
    auto original = SKTGraphic::create<SKTBarcode>();
    setEveryField(*original);
    original->data_source_type = 1;
    original->batch_list_name = "Guests";
    original->batch_list_index = 3;

    const BarcodeGenSettings settings = loadBarcodeFields(*original);
    EXPECT_EQ(settings.USED_DPI_VALUE(), 450);
    EXPECT_EQ(settings.symbologyTitle(), "PDF417");
    auto copy = SKTGraphic::create<SKTBarcode>();
    storeBarcodeFields(settings, *copy);
    EXPECT_EQ(PropertyList::read(copy->archivedData()), PropertyList::read(original->archivedData()));
}

TEST(BarcodeCardFields, MissingFontsAndColoursKeepTheDefaults)
{
    auto bare = SKTGraphic::createBare<SKTBarcode>();
    const BarcodeGenSettings settings = loadBarcodeFields(*bare);
    const BarcodeGenSettings defaults;
    EXPECT_EQ(settings.value_font_val, defaults.value_font_val);
    EXPECT_EQ(settings.barcode_back_clr_val, QColor(Qt::white));
    EXPECT_EQ(settings.Measument_Unit_Is, 1);
}

TEST(BarcodeCardFields, StoredNumbersBeyondTheWindowsRangesAreBroughtInside)
{
    auto hostile = SKTGraphic::create<SKTBarcode>();
    hostile->linear_height_val = std::numeric_limits<float>::quiet_NaN();
    hostile->linear_width_val = 1e30f;
    hostile->LR_margin_val = -4;
    hostile->qr_size_val = 2'000'000'000;
    hostile->pdf_wdt_val = -7;
    hostile->dm_module_val = 100000;
    const BarcodeGenSettings s = loadBarcodeFields(*hostile);
    EXPECT_FLOAT_EQ(s.linear_height_val, BarcodeGenSettings().linear_height_val);
    EXPECT_FLOAT_EQ(s.linear_width_val, 200);
    EXPECT_FLOAT_EQ(s.LR_margin_val, 0);
    EXPECT_EQ(s.qr_size_val, 2000);
    EXPECT_EQ(s.pdf_wdt_val, 20);
    EXPECT_EQ(s.dm_module_val, 20);
    EXPECT_FALSE(barcodePictureFromFields(*hostile).isNull());
}

// What a batch row makes from a card object's default fields (20-mil bars, caption, margins)
// reads back as the row's value from the plain PNG of the picture.
TEST(BarcodeCardFields, RowMadeCode128FromDefaultFieldsReads)
{
    auto object = SKTGraphic::create<SKTBarcode>();
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String("Code 128"));
    settings.show_hide_hdr = settings.show_hide_ftr = 1;
    storeBarcodeFields(settings, *object);
    const auto make = barcodeRowMaker(*object);
    for (const QString& value : { QStringLiteral("INV-000991"), QStringLiteral("Guest 12"), QStringLiteral("4711") }) {
        const QImage png = QImage::fromData(make(value).toPng(300), "PNG");
        ASSERT_FALSE(png.isNull()) << qPrintable(value);
        EXPECT_EQ(barcodetest::zxingRead(png, QStringLiteral("Code128")), value.toLatin1());
    }
}

// The spread caption the window showed is the one every batch card gets.
TEST(BarcodeCardFields, TheSpreadCaptionIsKeptWithTheObjectAndDrawnOnEveryRow)
{
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String("Code 39"));
    settings.kerning_value_state = 1;
    auto spread = SKTGraphic::create<SKTBarcode>();
    storeBarcodeFields(settings, *spread);
    EXPECT_EQ(spread->kerning_value_state, 1);
    auto plain = SKTGraphic::create<SKTBarcode>();
    storeBarcodeFields(BarcodeGenSettings(settings), *plain);
    plain->kerning_value_state = 0;
    const QString value = QStringLiteral("AB12");
    const QImage asShown = Get_Image_From_Val(settings, value, settings.header_val, settings.footer_val).toImage(144);
    EXPECT_EQ(barcodeRowMaker(*spread)(value).toImage(144), asShown);
    EXPECT_NE(barcodeRowMaker(*plain)(value).toImage(144), asShown);
}

} // namespace
