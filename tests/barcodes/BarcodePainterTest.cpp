// Painting of barcode pictures: bar runs, frame, caption placement, header and footer, four-
// state bars, two-dimensional framing and the picture made while printing.
#include "barcodes/BarcodePictures.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDBarcodeOffscreenView.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/PrintOperationScope.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <thread>

namespace {

constexpr int scale = 10; // pixels per point

// A barcode with a given bar string that notes the thread that paints it.
class ModuleBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(ModuleBarcode)

public:
    std::string modules = "1101";
    mutable std::thread::id paintingThread;

    std::string barcode() const override { return modules; }
    float barTop(int module, const BarcodeSettings& settings) const override
    {
        paintingThread = std::this_thread::get_id();
        return NKDBarcode::barTop(module, settings);
    }
};

BarcodeSettings plainSettings()
{
    BarcodeSettings settings;
    settings.value_margin = settings.header_margin = settings.footer_margin = 0;
    settings.LR_margin = settings.TB_margin = 0;
    return settings;
}

std::unique_ptr<ModuleBarcode> moduleBarcode(const std::string& modules)
{
    auto barcode = NKDBarcode::create<ModuleBarcode>(QStringLiteral("x"), false);
    barcode->modules = modules;
    barcode->setBarWidth(1);
    barcode->calculateWidth();
    barcode->setHeight(10);
    return barcode;
}

QImage render(const Picture& picture)
{
    return picture.toImage(72.0 * scale, Qt::white);
}

bool isDark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The columns of a pixel row, as '#' for dark and '.' for light, one character per point.
std::string row(const QImage& image, double yPoints)
{
    std::string text;
    const int y = int(yPoints * scale);
    for (int x = scale / 2; x < image.width(); x += scale)
        text += isDark(image, x, y) ? '#' : '.';
    return text;
}

// Leftmost and rightmost dark pixel columns inside a band of rows, in pixels; (-1, -1) if none.
std::pair<int, int> darkExtent(const QImage& image, int top, int bottom)
{
    int left = -1;
    int right = -1;
    for (int y = std::max(top, 0); y < std::min(bottom, image.height()); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!isDark(image, x, y))
                continue;
            if (left < 0 || x < left)
                left = x;
            right = std::max(right, x);
        }
    }
    return { left, right };
}

TEST(BarcodePainter, RunsOfBarModulesBecomeBars)
{
    const BarcodeSettings settings = plainSettings();
    EXPECT_EQ(row(render(imageFromBarcode(*moduleBarcode("1101"), settings)), 5), "##.#");
    EXPECT_EQ(row(render(imageFromBarcode(*moduleBarcode("01100"), settings)), 5), ".##..");
    EXPECT_EQ(row(render(imageFromBarcode(*moduleBarcode("1"), settings)), 5), "#");
}

TEST(BarcodePainter, ColoursComeFromTheSettings)
{
    BarcodeSettings settings = plainSettings();
    settings.bar_back_clr = Qt::yellow;
    settings.barcode_clr = Qt::blue;
    const QImage image = render(imageFromBarcode(*moduleBarcode("10"), settings));
    EXPECT_EQ(QColor(image.pixel(5, 50)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(15, 50)), QColor(Qt::yellow));
}

TEST(BarcodePainter, BarsAreCentredInTheFrame)
{
    auto barcode = moduleBarcode("11");
    barcode->setWidth(6);
    EXPECT_EQ(row(render(imageFromBarcode(*barcode, plainSettings())), 5), "..##..");
}

TEST(BarcodePainter, FrameIsTheWidestOfShownHeaderFooterAndBarcode)
{
    auto barcode = moduleBarcode("1");
    barcode->setWidth(150);
    barcode->setHeaderWidth(200);
    barcode->setFooterWidth(300);
    barcode->setPrintsHeader(true);
    const BarcodeSettings settings;
    EXPECT_DOUBLE_EQ(NKDBarcodeOffscreenView(*barcode, settings).bounds().width(), 200);
    barcode->setPrintsHeader(false);
    EXPECT_DOUBLE_EQ(NKDBarcodeOffscreenView(*barcode, settings).bounds().width(), 150);
    const Picture picture = imageFromBarcode(*barcode, settings);
    EXPECT_EQ(picture.size(), QSizeF(150, 10));
}

TEST(BarcodePainter, CaptionBelowOrOnTopOfTheBars)
{
    BarcodeSettings settings = plainSettings();
    auto barcode = NKDCode128Barcode::create(QStringLiteral("12"), true, NKDCode128Barcode::SetC);
    barcode->setBarWidth(1);
    barcode->calculateWidth();
    barcode->setHeight(40);
    barcode->setCaptionFontSize(10, settings);
    const double band = barcode->captionHeight() * 72.0;

    // Below: bars end the caption band above the bottom.
    QImage image = render(imageFromBarcode(*barcode, settings));
    EXPECT_EQ(row(image, 40 - band - 0.5).substr(0, 2), "##");
    EXPECT_EQ(row(image, 40 - band + 0.5).substr(0, 2), "..");
    EXPECT_GE(darkExtent(image, int((40 - band) * scale) + 2, 40 * scale).first, 0);

    // On top: bars reach the bottom line and the caption sits above the last bar.
    settings.showinTop_state = 1;
    const double barTop = barcode->barTop(0, settings);
    image = render(imageFromBarcode(*barcode, settings));
    EXPECT_EQ(row(image, 39.5).substr(0, 2), "##");
    EXPECT_LT(barTop, 40 - band + 0.01);
    EXPECT_GE(darkExtent(image, 0, int((40 - barTop) * scale) - 2).first, 0) << "caption above the bars";
}

TEST(BarcodePainter, EmptyCaptionPartsLeaveOtherPartsInPlace)
{
    class TwoPartBarcode : public NKDBarcode
    {
        NKD_BARCODE_KIND(TwoPartBarcode)
    };
    const BarcodeSettings settings = plainSettings();
    double band = 0;
    const auto draw = [&](const char* caption) {
        auto barcode = NKDBarcode::create<TwoPartBarcode>(QString::fromLatin1(caption), true);
        barcode->setBarWidth(1);
        barcode->setWidth(120);
        barcode->setHeight(40);
        barcode->setCaptionFontSize(10, settings);
        band = barcode->captionHeight() * 72;
        return render(imageFromBarcode(*barcode, settings));
    };
    const QImage both = draw("11\t22");
    const QImage rightOnly = draw("\t22");
    const QImage leftOnly = draw("11\t");
    const int captionTop = int((40 - band) * scale) + 2;
    // Each part alone draws exactly its own pixels of the two-part caption.
    int leftPixels = 0;
    int rightPixels = 0;
    int mismatches = 0;
    for (int y = captionTop; y < both.height(); ++y) {
        for (int x = 0; x < both.width(); ++x) {
            const bool left = isDark(leftOnly, x, y);
            const bool right = isDark(rightOnly, x, y);
            leftPixels += left;
            rightPixels += right;
            mismatches += isDark(both, x, y) != (left || right);
        }
    }
    EXPECT_GT(leftPixels, 100);
    EXPECT_GT(rightPixels, 100);
    EXPECT_EQ(mismatches, 0);
}

TEST(BarcodePainter, SpreadCaptionWidensASingleText)
{
    class WideBarcode : public NKDBarcode
    {
        NKD_BARCODE_KIND(WideBarcode)
    };
    BarcodeSettings settings = plainSettings();
    auto barcode = NKDBarcode::create<WideBarcode>(QStringLiteral("1234"), true);
    barcode->setBarWidth(1);
    barcode->setWidth(200);
    barcode->setHeight(40);
    barcode->setCaptionFontSize(10, settings);
    const int captionTop = int((40 - barcode->captionHeight() * 72) * scale) + 2;
    QImage image = render(imageFromBarcode(*barcode, settings));
    const auto normal = darkExtent(image, captionTop, image.height());
    settings.kerning_value_state = 1;
    image = render(imageFromBarcode(*barcode, settings));
    const auto spread = darkExtent(image, captionTop, image.height());
    EXPECT_GT(spread.second - spread.first, 3 * (normal.second - normal.first));
}

TEST(BarcodePainter, HeaderFollowsItsAlignmentWord)
{
    BarcodeSettings settings = plainSettings();
    auto barcode = moduleBarcode("1");
    barcode->setWidth(300);
    barcode->setHeight(60);
    barcode->setHeader(QStringLiteral("HEAD"));
    barcode->setPrintsHeader(true);
    barcode->setHeaderFontSize(10, settings);
    const auto headerExtent = [&](const QString& word) {
        settings.align_hdr_item = word;
        const QImage image = render(imageFromBarcode(*barcode, settings));
        return darkExtent(image, 0, int(barcode->headerHeight() * 72 * scale));
    };
    const auto left = headerExtent(QStringLiteral("Left"));
    const auto centre = headerExtent(QStringLiteral("Center"));
    const auto right = headerExtent(QStringLiteral("Right"));
    EXPECT_LT(left.first, 5 * scale);
    EXPECT_GT(right.second, 295 * scale);
    EXPECT_NEAR((centre.first + centre.second) / 2.0, 150 * scale, 4 * scale);
    EXPECT_EQ(headerExtent(QStringLiteral("Justified")), left);
}

TEST(BarcodePainter, FourStateBarsKeepTheirBottoms)
{
    auto barcode = NKDBarcode::create<NKDRoyalMailBarcode>(QStringLiteral("0"), false);
    const BarcodeSettings settings = plainSettings();
    barcode->setBarWidth(1);
    barcode->calculateWidth();
    const double height = barcode->height();
    const QImage image = render(imageFromBarcode(*barcode, settings));
    // The bars' bottom line lies under the (always shown) caption band.
    const double bottomLine = height - barcode->captionHeight() * 72;
    // Module 2 is a tracker: nothing at its foot, bar at its middle; module 6 is a full bar.
    EXPECT_EQ(row(image, bottomLine - 0.5)[2], '.');
    EXPECT_EQ(row(image, bottomLine - 7)[2], '#');
    EXPECT_EQ(row(image, bottomLine - 0.5)[6], '#');
}

TEST(BarcodePainter, JapanPostBarsStayInsideATallerPicture)
{
    auto barcode = NKDBarcode::create<JapanPostBarcode>(QStringLiteral("1050011"), true);
    BarcodeSettings settings = plainSettings();
    barcode->setCaptionFontSize(10, settings);
    barcode->setHeaderFontSize(10, settings);
    barcode->setFooterFontSize(10, settings);
    const double bands = (barcode->captionHeight() + barcode->headerHeight() + barcode->footerHeight()) * 72;
    barcode->setHeight(float(barcode->symbolHeight() + bands));
    for (int module = 0; module < int(barcode->completeBarcode().size()); ++module)
        EXPECT_LE(bands - barcode->footerHeight() * 72 + barcode->barTop(module, settings), barcode->height());
}

TEST(BarcodePainter, TwoDimensionalSymbolSitsUnderTheHeaderMargin)
{
    BarcodeSettings settings = plainSettings();
    settings.width = 30;
    settings.height = 40;
    settings.TB_margin = 2;
    settings.header_margin = 3;
    QImage symbol(10, 10, QImage::Format_RGB32);
    symbol.fill(Qt::black);
    const QImage image = render(imageFromBarcodeImage(symbol, QSizeF(10, 10), settings));
    EXPECT_EQ(image.size(), QSize(300, 400));
    // Header hidden: the top is at TB margin + header margin; centred across the width.
    EXPECT_EQ(darkExtent(image, 0, image.height()), std::make_pair(100, 199));
    EXPECT_FALSE(isDark(image, 150, 49));
    EXPECT_TRUE(isDark(image, 150, 50));
    EXPECT_TRUE(isDark(image, 150, 149));
    EXPECT_FALSE(isDark(image, 150, 150));
}

TEST(BarcodePainter, TwoDimensionalPictureHasHeaderAndFooter)
{
    BarcodeSettings settings = plainSettings();
    settings.width = 100;
    settings.height = 100;
    settings.header = QStringLiteral("TOP");
    settings.footer = QStringLiteral("END");
    settings.printsHeader = settings.printsFooter = true;
    settings.setHeaderFontSize(10);
    settings.setFooterFontSize(10);
    const Picture symbol
        = Picture::record(QSizeF(20, 20), [](QPainter& painter) { painter.fillRect(QRectF(0, 0, 20, 20), Qt::black); });
    const QImage image = render(imageFromBarcodeImage(symbol, settings));
    const int headerBand = int(settings.headerHeight * 72 * scale);
    EXPECT_GE(darkExtent(image, 0, headerBand).first, 0);
    EXPECT_GE(darkExtent(image, 90 * scale, 100 * scale).first, 0);
    EXPECT_TRUE(isDark(image, 500, headerBand + 100));
}

TEST(BarcodePictures, NullInputsGiveNullPictures)
{
    const BarcodeSettings settings;
    EXPECT_TRUE(imageFromBarcodeImage(QImage(), QSizeF(10, 10), settings).isNull());
    EXPECT_TRUE(imageFromBarcodeImage(Picture(), settings).isNull());
    auto barcode = moduleBarcode("");
    barcode->setWidth(0);
    EXPECT_TRUE(imageFromBarcode(*barcode, settings).isNull());
}

TEST(BarcodePictures, PdfHoldsOnePageOfThePicture)
{
    auto barcode = NKDCode128Barcode::create(QStringLiteral("Galavite"), true, NKDCode128Barcode::Automatic);
    const QByteArray pdf = pdfFromBarcode(*barcode, BarcodeSettings());
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page "), 1);
}

TEST(BarcodePictures, PaintedOnAWorkerWhilePrinting)
{
    auto barcode = moduleBarcode("101");
    const BarcodeSettings settings;
    const Picture outside = imageFromBarcode(*barcode, settings);
    EXPECT_EQ(barcode->paintingThread, std::this_thread::get_id());
    Picture printed;
    {
        PrintOperationScope printing;
        printed = imageFromBarcode(*barcode, settings);
    }
    EXPECT_NE(barcode->paintingThread, std::this_thread::get_id());
    EXPECT_FALSE(PrintOperationScope::isCurrent());
    EXPECT_EQ(render(printed), render(outside));
}

TEST(BarcodePictures, FailedPictureWhilePrintingIsNull)
{
    auto barcode = moduleBarcode("");
    barcode->setWidth(0);
    PrintOperationScope printing;
    EXPECT_TRUE(imageFromBarcode(*barcode, BarcodeSettings()).isNull());
}

} // namespace
