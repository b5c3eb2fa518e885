// What a picture becomes in a PDF: text laid out beforehand into glyphs, and fills placed on
// the device's grid, must look as the picture does on pixels and keep its text as text.
#include "platform/GlyphCache.h"
#include "platform/Picture.h"
#include "support/PdfTextTools.h"
#include "support/Patience.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int dpi = 144;

// The box of the pixels whose colour is near the given one.
QRect inkBox(const QImage& image, QColor colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green())
                    + std::abs(pixel.blue() - colour.blue())
                < 120)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

void expectNear(const QRect& actual, const QRect& expected, int pixels, const char* what)
{
    ASSERT_FALSE(expected.isEmpty()) << what;
    EXPECT_NEAR(actual.left(), expected.left(), pixels) << what;
    EXPECT_NEAR(actual.top(), expected.top(), pixels) << what;
    EXPECT_NEAR(actual.right(), expected.right(), pixels) << what;
    EXPECT_NEAR(actual.bottom(), expected.bottom(), pixels) << what;
}

// The PDF's one page as poppler rasterises it; null when that cannot be done.
QImage rasterised(const QByteArray& pdf, QTemporaryDir& dir)
{
    QFile file(dir.filePath(QStringLiteral("picture.pdf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        return {};
    file.close();
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"),
        { QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), QStringLiteral("-singlefile"),
            file.fileName(), dir.filePath(QStringLiteral("page")) });
    if (!patience::finished(raster) || raster.exitCode() != 0)
        return {};
    return QImage(dir.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_RGB32);
}

// A caption drawn a character at a time under a transform, a word in another colour, and a
// word whose lower half a clip cuts away.
void paintTexts(QPainter& painter)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.save();
    painter.translate(5, 3);
    painter.scale(1.5, 1.2);
    // Each character after the one before, a little apart, measured as on the recording.
    QImage device72(1, 1, QImage::Format_RGB32);
    device72.setDotsPerMeterX(2835);
    device72.setDotsPerMeterY(2835);
    const QFontMetricsF metrics(font, &device72);
    double x = 4;
    for (const QChar c : QStringLiteral("INV-0042")) {
        Picture::drawText(painter, QPointF(x, 20), QString(c));
        x += metrics.horizontalAdvance(c) + 0.5;
    }
    painter.restore();
    painter.setPen(Qt::red);
    Picture::drawText(painter, QPointF(10, 60), QStringLiteral("Table 7"));
    painter.setClipRect(QRectF(0, 70, 200, 14));
    painter.setPen(Qt::blue);
    Picture::drawText(painter, QPointF(10, 90), QStringLiteral("HHHH"));
}

} // namespace

TEST(PictureInPdf, TextLaidOutBeforehandStaysWhereTextDrawingPutsIt)
{
    const Picture drawn = Picture::record(QSizeF(200, 100), paintTexts);
    GlyphCache cache;
    // Laid out twice through one cache: the second time from what the first one kept.
    for (int pass = 0; pass < 2; ++pass) {
        const Picture glyphs = drawn.withTextAsGlyphs(&cache);
        ASSERT_EQ(glyphs.size(), drawn.size());
        const QImage expected = drawn.toImage(dpi, Qt::white);
        const QImage actual = glyphs.toImage(dpi, Qt::white);
        expectNear(inkBox(actual, Qt::black), inkBox(expected, Qt::black), 2, "caption");
        expectNear(inkBox(actual, Qt::red), inkBox(expected, Qt::red), 2, "word");
        expectNear(inkBox(actual, Qt::blue), inkBox(expected, Qt::blue), 2, "clipped word");
        // The clip still cuts the word: its ink ends at the clip's edge (84 points down).
        EXPECT_LE(inkBox(actual, Qt::blue).bottom(), 84 * dpi / 72);
    }
}

TEST(PictureInPdf, TextLaidOutBeforehandIsTextInThePdfWhereThePictureShowsIt)
{
    if (!PdfTextTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const Picture drawn = Picture::record(QSizeF(200, 100), paintTexts);
    const QByteArray pdf = drawn.withTextAsGlyphs().toPdf();
    QTemporaryDir dir;
    const QImage page = rasterised(pdf, dir);
    ASSERT_FALSE(page.isNull());
    const QImage expected = drawn.toImage(dpi, Qt::white);
    expectNear(inkBox(page, Qt::black), inkBox(expected, Qt::black), 3, "caption");
    expectNear(inkBox(page, Qt::red), inkBox(expected, Qt::red), 3, "word");
    expectNear(inkBox(page, Qt::blue), inkBox(expected, Qt::blue), 3, "clipped word");

    const QString text = PdfTextTools::text(dir.filePath(QStringLiteral("picture.pdf")));
    EXPECT_TRUE(text.contains(QStringLiteral("INV-0042"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Table 7"))) << text.toStdString();
    for (const PdfTextTools::Font& font : PdfTextTools::fonts(dir.filePath(QStringLiteral("picture.pdf")))) {
        EXPECT_TRUE(font.embedded) << font.name.toStdString();
        EXPECT_TRUE(font.mapsToUnicode) << font.name.toStdString();
    }
}

TEST(PictureInPdf, PicturesWithoutTextAreLeftAsTheyAre)
{
    EXPECT_TRUE(Picture().withTextAsGlyphs().isNull());
    const Picture bars = Picture::record(QSizeF(40, 10), [](QPainter& p) { p.fillRect(5, 0, 3, 10, Qt::black); });
    EXPECT_EQ(bars.withTextAsGlyphs().toImage(72, Qt::white), bars.toImage(72, Qt::white));
}

// Fills of one colour along the axes go to the page on its own grid; other fills keep their
// transform. Both must land where the picture shows them.
TEST(PictureInPdf, FillsLandWhereThePictureShowsThem)
{
    if (!PdfTextTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const Picture picture = Picture::record(QSizeF(200, 120), [](QPainter& p) {
        p.translate(10.5, 7.25);
        p.scale(1.5, 2);
        for (int i = 0; i < 6; ++i) // a barcode's bars
            p.fillRect(QRectF(i * 4.0, 0, 2, 20), Qt::black);
        for (int i = 0; i < 5; ++i) { // a symbol's modules, each a fill of its own
            QPainterPath module;
            module.addRect(QRectF(30 + i * 6.0, i * 4.0, 4, 4));
            p.fillPath(module, QColor(0, 0, 160));
        }
        p.resetTransform();
        p.translate(150, 60);
        p.rotate(30); // not along the axes
        p.fillRect(QRectF(0, 0, 30, 10), Qt::darkGreen);
        p.resetTransform();
        p.setClipRect(QRectF(10, 80, 20, 20)); // half of the fill cut away
        p.fillRect(QRectF(10, 80, 40, 20), Qt::red);
    });
    QTemporaryDir dir;
    const QImage page = rasterised(picture.toPdf(), dir);
    ASSERT_FALSE(page.isNull());
    const QImage expected = picture.toImage(dpi, Qt::white);
    ASSERT_EQ(page.size(), expected.size());
    expectNear(inkBox(page, Qt::black), inkBox(expected, Qt::black), 1, "bars");
    expectNear(inkBox(page, QColor(0, 0, 160)), inkBox(expected, QColor(0, 0, 160)), 1, "modules");
    expectNear(inkBox(page, Qt::darkGreen), inkBox(expected, Qt::darkGreen), 1, "turned fill");
    expectNear(inkBox(page, Qt::red), inkBox(expected, Qt::red), 1, "clipped fill");
    // Between bars and between modules the paper shows.
    const double scale = dpi / 72.0;
    EXPECT_EQ(page.pixelColor(int((10.5 + 1.5 * 3) * scale), int((7.25 + 20) * scale)), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(int((10.5 + 1.5 * 35) * scale), int((7.25 + 2 * 10) * scale)), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(int((10.5 + 1.5 * 32) * scale), int((7.25 + 2 * 2) * scale)), QColor(0, 0, 160));
}
