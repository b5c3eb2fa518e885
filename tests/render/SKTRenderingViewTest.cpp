#include "render/SKTRenderingView.h"

#include "model/Card_Property.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "support/Patience.h"

#include <QBuffer>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <future>

#include <gtest/gtest.h>

namespace {

const QRectF cardFrame(0, 0, 243, 154);

std::shared_ptr<Shape_Control> box(QRectF bounds, QColor fill)
{
    auto object = SKTGraphic::create<Shape_Control>();
    object->setBounds(bounds);
    object->_fillColor = fill;
    object->_isDrawingStroke = false;
    return object;
}

CardSideBase sideBase(QColor fill)
{
    auto settings = Card_Property::create();
    settings->Card_fill_chk = true;
    settings->Card_fill_clr = fill;
    return {settings, 0, cardFrame};
}

QImage png(const QList<SKTGraphicPtr>& graphics, const CardSideBase& base, double dpi = 72)
{
    const Picture picture = SKTRenderingView::image_From_Card_Graphics(graphics, false, base);
    QImage image;
    image.loadFromData(picture.toPng(dpi), "PNG");
    return image;
}

QImage fromTiff(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer, "tiff");
    return reader.read();
}

bool near(QRgb actual, QRgb expected, int tolerance = 8)
{
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance && std::abs(qGreen(actual) - qGreen(expected)) <= tolerance
        && std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

} // namespace

TEST(SKTRenderingViewTest, SidePictureHasTheCardSizeAndShowsTheBaseUnderTheObjects)
{
    const QImage empty = png({}, sideBase(Qt::yellow));
    EXPECT_EQ(empty.size(), QSize(243, 154));
    EXPECT_EQ(empty.pixel(120, 77), qRgb(255, 255, 0));

    const QImage hires = png({box({10, 10, 50, 50}, Qt::blue)}, sideBase(Qt::yellow), 300);
    EXPECT_EQ(hires.size(), QSize(1013, 642));
    EXPECT_EQ(hires.pixel(35 * 300 / 72, 35 * 300 / 72), qRgb(0, 0, 255));
    EXPECT_EQ(hires.pixel(100 * 300 / 72, 35 * 300 / 72), qRgb(255, 255, 0));
}

TEST(SKTRenderingViewTest, FrontMostObjectIsPaintedLastAndUnprintedObjectsAreLeftOut)
{
    auto front = box({20, 20, 40, 40}, Qt::red);
    auto back = box({40, 40, 40, 40}, Qt::blue);
    QImage image = png({front, back}, sideBase(Qt::white));
    EXPECT_EQ(image.pixel(50, 50), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(70, 70), qRgb(0, 0, 255));

    front->print_object = 1;
    image = png({front, back}, sideBase(Qt::white));
    EXPECT_EQ(image.pixel(50, 50), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(30, 30), qRgb(255, 255, 255));

    // The TIFF form shows every object: its area starts 4 points before the front one.
    int error = 0;
    const QImage tiff = fromTiff(SKTRenderingView::tiffDataWithGraphics({front, back}, &error));
    ASSERT_FALSE(tiff.isNull());
    EXPECT_EQ(error, 0);
    EXPECT_EQ(tiff.pixel(30 - 17, 30 - 17), qRgb(255, 0, 0));
    EXPECT_EQ(tiff.pixel(50 - 17, 50 - 17), qRgb(255, 0, 0));
}

TEST(SKTRenderingViewTest, TiffCoversTheObjectsAloneAndNeedsSome)
{
    int error = 0;
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, &error).isEmpty());
    EXPECT_EQ(error, SKTRenderingView::noObjectsError);
    EXPECT_TRUE(SKTRenderingView::tiffDataWithGraphics({}, nullptr).isEmpty());

    // Drawing bounds of (100, 100, 40, 30) without an outline: grown by 3 and then 1 more.
    auto object = box({100, 100, 40, 30}, Qt::red);
    error = 0;
    const QImage tiff = fromTiff(SKTRenderingView::tiffDataWithGraphics({object}, &error));
    ASSERT_FALSE(tiff.isNull());
    EXPECT_EQ(tiff.size(), QSize(47, 37));
    EXPECT_EQ(tiff.pixel(23, 18), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(tiff.pixel(1, 1)), 0);
}

TEST(SKTRenderingViewTest, PngPdfAndTiffShowTheSameCard)
{
    auto star = SKTGraphic::create<Shape_Control>();
    star->Set_Shape_Type(QStringLiteral("S"));
    star->setBounds({20, 20, 80, 80});
    star->_fillColor = QColor(Qt::red);
    star->_strokeColor = QColor(Qt::black);
    star->_strokeWidth = 3;
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QStringLiteral("CARD");
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(30);
    text->text_ctrl_font = font;
    text->txt_clr = QColor(Qt::blue);
    text->_isDrawingFill = false;
    text->_isDrawingStroke = false;
    text->setBounds({120, 40, 110, 50});
    const QList<SKTGraphicPtr> graphics{star, text, box({10, 110, 220, 30}, Qt::green)};
    const CardSideBase base = sideBase(Qt::white);

    const QImage fromPng = png(graphics, base, 72).convertToFormat(QImage::Format_RGB32);

    QTemporaryDir dir;
    const QString pdfPath = dir.filePath(QStringLiteral("side.pdf"));
    QFile pdf(pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write(SKTRenderingView::pdfDataWithGraphics_data(graphics, base));
    pdf.close();
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), pdfPath, dir.filePath(QStringLiteral("side"))});
    ASSERT_TRUE(patience::finished(pdftoppm));
    const QImage fromPdf = QImage(dir.filePath(QStringLiteral("side.png"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(fromPdf.size(), fromPng.size());

    int error = 0;
    const QImage fromTiffData =
        fromTiff(SKTRenderingView::tiffDataWithGraphics(graphics, &error)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(fromTiffData.isNull());
    // The objects' drawing bounds start at the box's x less 3 and the star's y less its outline.
    const QPoint tiffOrigin(10 - 3, 20 - 3);

    int differentPdf = 0, differentTiff = 0, compared = 0;
    for (int y = 0; y < fromPng.height(); ++y) {
        for (int x = 0; x < fromPng.width(); ++x) {
            ++compared;
            if (!near(fromPng.pixel(x, y), fromPdf.pixel(x, y), 40))
                ++differentPdf;
            const QPoint inTiff = QPoint(x, y) - tiffOrigin;
            if (fromTiffData.rect().contains(inTiff)) {
                // The TIFF has no base: put it on the white card to compare.
                const QRgb pixel = fromTiffData.pixel(inTiff);
                const int alpha = qAlpha(pixel);
                const QRgb onWhite = qRgb(qRed(pixel) + 255 - alpha, qGreen(pixel) + 255 - alpha, qBlue(pixel) + 255 - alpha);
                if (!near(fromPng.pixel(x, y), onWhite, 40))
                    ++differentTiff;
            }
        }
    }
    // Only antialiased edges may differ.
    EXPECT_LT(differentPdf, compared / 50);
    EXPECT_LT(differentTiff, compared / 50);
    // And the picture holds what was drawn.
    EXPECT_EQ(fromPng.pixel(60, 60), qRgb(255, 0, 0));
    EXPECT_TRUE(near(fromPdf.pixel(60, 60), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(fromPdf.pixel(120, 125), qRgb(0, 255, 0)));
}

TEST(SKTRenderingViewTest, WorkersRenderTheSameSideAtOnce)
{
    // Text too: each thread lays it out and draws its glyphs with font engines of its own.
    auto text = SKTGraphic::create<SKTText>();
    text->Text_Value = QStringLiteral("Anna Berg\nTable 12");
    text->setBounds({20, 70, 200, 60});
    const QList<SKTGraphicPtr> graphics{text, box({10, 10, 50, 50}, Qt::red), box({30, 30, 80, 40}, Qt::blue)};
    const CardSideBase base = sideBase(Qt::white);
    const QImage expected = png(graphics, base, 150);
    std::vector<std::future<bool>> workers;
    for (int worker = 0; worker < 4; ++worker) {
        workers.push_back(std::async(std::launch::async, [&] {
            for (int round = 0; round < 10; ++round) {
                if (png(graphics, base, 150) != expected)
                    return false;
            }
            return true;
        }));
    }
    for (auto& worker : workers)
        EXPECT_TRUE(worker.get());
}
