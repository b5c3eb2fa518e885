#include "print/Printing_View.h"

#include "BarcodeTestSupport.h"
#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeGeneration.h"
#include "barcodes/BarcodeSymbologies.h"

#include <QPainter>
#include <QTemporaryDir>

#include <string_view>

#include <gtest/gtest.h>

using namespace PrintLayout;

namespace {

Picture barcodeCard(const char* kind, const QString& value)
{
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String(kind));
    settings.linear_or_2d = settings.barcode_font_index >= LinearSymbologyCount ? 1 : 0;
    settings.show_hide_hdr = settings.show_hide_ftr = 1;
    const Picture symbol = Get_Image_From_Val(settings, value, {}, {});
    return Picture::record(QSizeF(240, 150), [&](QPainter& painter) {
        painter.fillRect(QRectF(0, 0, 240, 150), Qt::white);
        const QSizeF size = symbol.size().scaled(QSizeF(200, 110), Qt::KeepAspectRatio);
        symbol.draw(painter, QRectF(QPointF(20, 20), size));
    });
}

} // namespace

TEST(PrintedBarcodes, EachCellsBarcodeDecodesToItsCardFromA300DpiRendering)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const PrintSettings s = twoByTwoOnA4(QSizeF(250, 160), 4);
    const auto value = [](int index) { return QStringLiteral("INV-%1").arg(index + 1, 6, 10, QLatin1Char('0')); };
    for (const auto& [kind, format] : { std::pair { "QR Code", "QRCode" }, std::pair { "Code 128", "Code128" } }) {
        SCOPED_TRACE(kind);
        const Printing_View job(s, [&, kind = kind](int index) {
            return PrintCellCards { barcodeCard(kind, value(index)), {} };
        });
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("codes.pdf"));
        ASSERT_TRUE(job.printToPdf(pdf));
        const QImage page = PdfTools::page(pdf, 1, 300);
        ASSERT_FALSE(page.isNull());
        const double scale = 300.0 / 72;
        for (int row = 1; row <= 2; ++row) {
            for (int column = 1; column <= 2; ++column) {
                const QRectF cell = placeCell(s, row, column, QSizeF(240, 150)).cell;
                const QRect pixels(
                    QPointF(cell.topLeft() * scale).toPoint(), QPointF(cell.bottomRight() * scale).toPoint());
                // ZXingReader's multi-line check asserts on short linear bars; zbar reads those.
                const QImage crop = page.copy(pixels);
                const QByteArray read = std::string_view(format) == "QRCode"
                    ? barcodetest::zxingRead(crop, QString::fromLatin1(format))
                    : barcodetest::zbarRead(crop);
                EXPECT_EQ(QString::fromLatin1(read), value(cardIndex(s, 0, row, column)));
            }
        }
    }
}

TEST(PrintedBarcodes, TwoDimensionalSymbolsPrintAsCrispVectorsWithoutImages)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const PrintSettings s = twoByTwoOnA4(QSizeF(250, 160), 4);
    for (const char* kind : { "QR Code", "DataMatrix" }) {
        SCOPED_TRACE(kind);
        const Printing_View job(s, [&](int) {
            return PrintCellCards { barcodeCard(kind, QStringLiteral("INV-000042")), {} };
        });
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("symbols.pdf"));
        ASSERT_TRUE(job.printToPdf(pdf));
        EXPECT_TRUE(PdfTools::imageObjects(pdf).isEmpty());
        // Every module is a rectangle of its own, which renderers snap to whole pixels: the
        // symbol keeps two colours, where one fill of all modules leaves grey edges that page
        // scanners misread.
        const QImage page = PdfTools::page(pdf, 1, 300);
        ASSERT_FALSE(page.isNull());
        const double scale = 300.0 / 72;
        const QRectF cell = placeCell(s, 1, 1, QSizeF(240, 150)).cell;
        const QRect symbol
            = QRectF(cell.topLeft() * scale, QSizeF(240, 150) * scale).toRect().adjusted(60, 60, -60, -60);
        int dark = 0, grey = 0;
        for (int y = symbol.top(); y <= symbol.bottom(); ++y) {
            for (int x = symbol.left(); x <= symbol.right(); ++x) {
                const int value = qGray(page.pixel(x, y));
                dark += value == 0;
                grey += value != 0 && value != 255;
            }
        }
        EXPECT_GT(dark, 1000);
        EXPECT_EQ(grey, 0);
    }
}

TEST(PrintedBarcodes, CaptionWordsWithLigaturesAreFoundLetterByLetter)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String("Code 128"));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    settings.header_font_val = font;
    settings.footer_font_val = font;
    const Picture symbol
        = Get_Image_From_Val(settings, QStringLiteral("office"), QStringLiteral("Pacific"), QStringLiteral("Waffle"));
    const Printing_View job(twoByTwoOnA4(symbol.size(), 1), [&](int) { return PrintCellCards { symbol, {} }; });
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("caption.pdf"));
    ASSERT_TRUE(job.printToPdf(pdf));
    const QString text = PdfTools::text(pdf, 1);
    for (const QString& word : { QStringLiteral("Pacific"), QStringLiteral("Waffle"), QStringLiteral("office") })
        EXPECT_TRUE(text.contains(word)) << word.toStdString() << " in " << text.toStdString();
}
