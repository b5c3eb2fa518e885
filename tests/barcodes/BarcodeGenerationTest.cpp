// The generation function over the settings record: sizes, symbols that decode, and rows on
// several threads at once.
#include "BarcodeTestSupport.h"

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeGeneration.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/BarcodeSymbols2D.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

BarcodeGenSettings settingsFor(const char* title)
{
    BarcodeGenSettings s;
    s.barcode_font_index = indexOfBarcodeSymbology(QLatin1String(title));
    s.linear_or_2d = s.barcode_font_index >= LinearSymbologyCount ? 1 : 0;
    return s;
}

TEST(BarcodeGeneration, LinearAndTwoDimensionalPicturesDecodeToTheirValue)
{
    const struct
    {
        const char* title;
        const char* value;
        const char* format;
    } cases[] = {
        { "Code 128", "Card-0042", "Code128" },
        { "QR Code", "https://example.org/guest/17", "QRCode" },
        { "DataMatrix", "Guest 17", "DataMatrix" },
        { "PDF417", "Guest 17, table 4", "PDF417" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        BarcodeGenSettings s = settingsFor(c.title);
        s.pdf_wdt_val = 300;
        s.pdf_hgt_val = 90;
        const Picture picture = Get_Image_From_Val(s, QLatin1String(c.value), "HEADER", "FOOTER");
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(
            barcodetest::zxingRead(barcodetest::decodable(picture), QLatin1String(c.format)), QByteArray(c.value));
    }
}

TEST(BarcodeGeneration, NothingForEmptyOrRefusedValuesOrUndrawnKinds)
{
    EXPECT_TRUE(Get_Image_From_Val(settingsFor("Code 128"), "", "H", "F").isNull());
    EXPECT_TRUE(Get_Image_From_Val(settingsFor("QR Code"), "", "H", "F").isNull());
    EXPECT_TRUE(Get_Image_From_Val(settingsFor("EAN-13"), "12AB", "H", "F").isNull());
    BarcodeGenSettings qr = settingsFor("QR Code");
    qr.qr_version_index = 1;
    qr.qr_ec_index = 3;
    EXPECT_TRUE(Get_Image_From_Val(qr, QString(40, QLatin1Char('x')), "H", "F").isNull()) << "does not fit 1-H";
    BarcodeGenSettings mismatched = settingsFor("Code 39");
    mismatched.linear_or_2d = 1;
    EXPECT_TRUE(Get_Image_From_Val(mismatched, "ABC", "H", "F").isNull());
}

TEST(BarcodeGeneration, TwoDimensionalPictureIsFramedByItsOwnSymbol)
{
    BarcodeGenSettings s = settingsFor("QR Code");
    s.show_hide_hdr = 1;
    s.show_hide_ftr = 1;
    s.LR_margin_val = 0;
    s.TB_marging_val = 0;
    s.qr_size_val = 90;
    EXPECT_EQ(Get_Image_From_Val(s, "first", "", "").size(), QSizeF(90, 90));
    s.qr_size_val = 40;
    EXPECT_EQ(Get_Image_From_Val(s, "second", "", "").size(), QSizeF(40, 40));

    s.LR_margin_val = 0.1f;
    const float side = Unit_To_Points(0.1f, 1);
    EXPECT_NEAR(Get_Image_From_Val(s, "third", "", "").size().width(), 40 + 2 * side + 15, 1e-3);

    BarcodeGenSettings dm = settingsFor("DataMatrix");
    dm.show_hide_hdr = dm.show_hide_ftr = 1;
    dm.LR_margin_val = dm.TB_marging_val = 0;
    dm.dm_format_index = 1; // C10X10
    dm.dm_module_val = 3;
    EXPECT_EQ(Get_Image_From_Val(dm, "1234", "", "").size(), QSizeF(30, 30));
}

TEST(BarcodeGeneration, RowsOfTwoKindsOnFourThreadsEachDecodeToTheirOwnValue)
{
    BarcodeGenSettings linear = settingsFor("Code 128");
    BarcodeGenSettings qr = settingsFor("QR Code");
    qr.qr_size_val = 80;
    constexpr int rowsPerThread = 6;
    std::vector<std::vector<std::pair<QString, Picture>>> results(4);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int row = 0; row < rowsPerThread; ++row) {
                const bool useQr = (row + t) % 2 == 0;
                const QString value = QStringLiteral("T%1-row%2").arg(t).arg(row);
                results[size_t(t)].emplace_back(value, Get_Image_From_Val(useQr ? qr : linear, value, "H", "F"));
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < 4; ++t) {
        for (int row = 0; row < rowsPerThread; ++row) {
            const auto& [value, picture] = results[size_t(t)][size_t(row)];
            const bool useQr = (row + t) % 2 == 0;
            ASSERT_FALSE(picture.isNull()) << value.toStdString();
            EXPECT_EQ(
                barcodetest::zxingRead(barcodetest::decodable(picture), useQr ? "QRCode" : "Code128"), value.toUtf8());
            if (useQr) {
                EXPECT_EQ(picture.size().height(), Get_Image_From_Val(qr, value, "H", "F").size().height());
            }
        }
    }
}

} // namespace
