#include "platform/Picture.h"
#include "support/Patience.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <thread>

#include <gtest/gtest.h>

namespace {

QImage blankImage72(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    return image;
}

// Bounding box of the pixels darker than mid-grey.
QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}

QFont bigFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(40);
    return font;
}

void paintSample(QPainter& painter)
{
    painter.setFont(bigFont());
    painter.setPen(Qt::black);
    painter.drawText(QPointF(10, 60), QStringLiteral("HHHH"));
}

} // namespace

TEST(Picture, TextKeepsItsPointSizeAndPosition)
{
    QImage direct = blankImage72({ 300, 100 });
    {
        QPainter painter(&direct);
        paintSample(painter);
    }
    const Picture picture = Picture::record(QSizeF(300, 100), paintSample);
    const QImage replayed = picture.toImage(72, Qt::white);
    ASSERT_EQ(replayed.size(), QSize(300, 100));
    const QRect expected = inkBox(direct);
    const QRect actual = inkBox(replayed);
    EXPECT_NEAR(actual.top(), expected.top(), 1);
    EXPECT_NEAR(actual.bottom(), expected.bottom(), 1);
    EXPECT_NEAR(actual.left(), expected.left(), 1);
    EXPECT_NEAR(actual.right(), expected.right(), 2);
}

TEST(Picture, TextScalesWithTheGeometryOnAnyDeviceResolution)
{
    const Picture picture = Picture::record(QSizeF(300, 100), paintSample);
    // A 96-dpi device (as a screen is) must show the same layout scaled, not bigger text.
    QImage screen(QSize(300, 100), QImage::Format_ARGB32_Premultiplied);
    screen.setDotsPerMeterX(3780);
    screen.setDotsPerMeterY(3780);
    screen.fill(Qt::white);
    {
        QPainter painter(&screen);
        picture.draw(painter, QRectF(0, 0, 300, 100));
    }
    const QRect at72 = inkBox(picture.toImage(72, Qt::white));
    const QRect at96 = inkBox(screen);
    EXPECT_NEAR(at96.height(), at72.height(), 1);
    EXPECT_NEAR(at96.width(), at72.width(), 2);
}

// Text handed to a recording before it is laid out plays back as the painter's own text,
// in the painter's pen, font and transform at the time, smooth and crisp alike.
TEST(Picture, TextHandedOverWholePlaysLikeDrawnText)
{
    const auto paintWith = [](bool handedOver) {
        return [handedOver](QPainter& painter) {
            const auto text = [&](const QPointF& at, const QString& shown) {
                if (handedOver)
                    Picture::drawText(painter, at, shown);
                else
                    painter.drawText(at, shown);
            };
            painter.setFont(bigFont());
            painter.setPen(Qt::darkBlue);
            text(QPointF(10.3, 60.7), QStringLiteral("H"));
            painter.translate(70, 5);
            painter.scale(0.5, 0.8);
            painter.setPen(QColor(200, 30, 30));
            text(QPointF(20, 70), QStringLiteral("Wg 7"));
            text(QPointF(20, 90), QString());
        };
    };
    const Picture handedOver = Picture::record(QSizeF(300, 100), paintWith(true));
    const Picture drawn = Picture::record(QSizeF(300, 100), paintWith(false));
    for (const auto edges : { Picture::Edges::Smooth, Picture::Edges::Crisp }) {
        const QImage expected = drawn.toImage(300, Qt::white, edges);
        EXPECT_EQ(handedOver.toImage(300, Qt::white, edges), expected);
        EXPECT_GT(inkBox(expected).width(), 400);
    }
    // On any other painter it is drawn at once.
    QImage direct = blankImage72({ 300, 100 });
    QImage byPainter = blankImage72({ 300, 100 });
    {
        QPainter painter(&direct);
        paintWith(true)(painter);
    }
    {
        QPainter painter(&byPainter);
        paintWith(false)(painter);
    }
    EXPECT_EQ(direct, byPainter);
}

TEST(Picture, ScalesShapesToTheResolutionAsked)
{
    const Picture picture = Picture::record(
        QSizeF(72, 36), [](QPainter& painter) { painter.fillRect(QRectF(36, 0, 36, 36), Qt::black); });
    const QImage image = picture.toImage(300, Qt::white);
    EXPECT_EQ(image.size(), QSize(300, 150));
    EXPECT_EQ(inkBox(image), QRect(150, 0, 150, 150));
    EXPECT_EQ(image.dotsPerMeterX(), 11811);
}

TEST(Picture, ClipAndOpacityAreKept)
{
    const Picture picture = Picture::record(QSizeF(100, 100), [](QPainter& painter) {
        painter.setClipRect(QRectF(0, 0, 50, 100));
        painter.fillRect(QRectF(0, 0, 100, 100), Qt::black);
        painter.setClipping(false);
        painter.setOpacity(0.5);
        painter.fillRect(QRectF(60, 0, 40, 10), Qt::black);
    });
    const QImage image = picture.toImage(72, Qt::white);
    EXPECT_EQ(qGray(image.pixel(25, 50)), 0);
    EXPECT_EQ(qGray(image.pixel(55, 50)), 255);
    EXPECT_NEAR(qGray(image.pixel(80, 5)), 128, 2);
}

TEST(Picture, DrawsIntoAnyTargetRectangle)
{
    const Picture picture
        = Picture::record(QSizeF(10, 10), [](QPainter& painter) { painter.fillRect(QRectF(0, 0, 5, 10), Qt::black); });
    QImage image = blankImage72({ 100, 100 });
    {
        QPainter painter(&image);
        picture.draw(painter, QRectF(20, 30, 40, 20));
    }
    EXPECT_EQ(inkBox(image), QRect(20, 30, 20, 20));
}

TEST(Picture, WritesAOnePagePdfOfItsSize)
{
    const Picture picture = Picture::record(QSizeF(243, 154), paintSample);
    const QByteArray pdf = picture.toPdf();
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("p.pdf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), { file.fileName() });
    if (!patience::finished(info) || info.exitCode() != 0)
        GTEST_SKIP() << "pdfinfo is not available";
    const QString output = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(output.contains(QStringLiteral("243 x 154 pts"))) << output.toStdString();
    EXPECT_TRUE(output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\b"))));

    // Rasterised by an independent reader, the PDF shows the text where the PNG does.
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"),
        { QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
            file.fileName(), dir.filePath(QStringLiteral("p")) });
    ASSERT_TRUE(patience::finished(raster));
    const QImage fromPdf(dir.filePath(QStringLiteral("p.png")));
    ASSERT_FALSE(fromPdf.isNull());
    const QRect expected = inkBox(picture.toImage(72, Qt::white));
    const QRect actual = inkBox(fromPdf.convertToFormat(QImage::Format_ARGB32));
    EXPECT_NEAR(actual.top(), expected.top(), 2);
    EXPECT_NEAR(actual.height(), expected.height(), 2);
    EXPECT_NEAR(actual.width(), expected.width(), 3);
}

TEST(Picture, RecordsAndRendersOnAWorkerThread)
{
    QImage image;
    std::thread worker([&image] {
        const Picture picture = Picture::record(QSizeF(300, 100), paintSample);
        image = picture.toImage(150, Qt::white);
    });
    worker.join();
    EXPECT_FALSE(inkBox(image).isEmpty());
}

TEST(Picture, NullPicturesDrawNothing)
{
    const Picture empty;
    EXPECT_TRUE(empty.isNull());
    EXPECT_TRUE(empty.toImage(72).isNull());
    EXPECT_TRUE(empty.toPdf().isEmpty());
    EXPECT_TRUE(Picture::fromImage(QImage(), QSizeF(10, 10)).isNull());
    const QImage red = [] {
        QImage i(4, 4, QImage::Format_ARGB32);
        i.fill(Qt::red);
        return i;
    }();
    const QImage shown = Picture::fromImage(red, QSizeF(8, 8)).toImage(72);
    EXPECT_EQ(shown.size(), QSize(8, 8));
    EXPECT_EQ(QColor(shown.pixel(7, 7)), QColor(Qt::red));
}

namespace {

int colourCount(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

void paintBarsAndText(QPainter& painter)
{
    painter.fillRect(QRectF(0, 0, 100, 40), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 10; ++i)
        painter.fillRect(QRectF(3.3 + i * 7.7, 2.2, 2.6, 20.1), Qt::black);
    painter.setFont(bigFont());
    painter.setPen(Qt::black);
    painter.drawText(QPointF(5, 38), QStringLiteral("Ag"));
}

} // namespace

TEST(Picture, CrispEdgesKeepATwoColouredDrawingTwoColoured)
{
    const Picture picture = Picture::record(QSizeF(100, 40), paintBarsAndText);
    const QImage smooth = picture.toImage(300, Qt::white);
    const QImage crisp = picture.toImage(300, Qt::white, Picture::Edges::Crisp);
    EXPECT_GT(colourCount(smooth), 2); // the text is smoothed
    EXPECT_EQ(colourCount(crisp), 2);
    EXPECT_EQ(inkBox(crisp), inkBox(smooth));
    // Bars sit on whole pixels either way, at their place.
    const double scale = 300.0 / 72;
    for (int i = 0; i < 10; ++i) {
        const int middle = int((3.3 + i * 7.7 + 1.3) * scale);
        EXPECT_EQ(QColor(crisp.pixel(middle, 40)), QColor(Qt::black)) << i;
        EXPECT_EQ(QColor(crisp.pixel(int((3.3 + i * 7.7 + 4.5) * scale), 40)), QColor(Qt::white)) << i;
    }
}

TEST(Picture, RectanglesReplayInTheirOwnStateAndClip)
{
    const Picture picture = Picture::record(QSizeF(40, 10), [](QPainter& painter) {
        painter.fillRect(QRectF(0, 0, 10, 10), Qt::red);
        painter.fillRect(QRectF(10, 0, 10, 10), Qt::red);
        painter.setClipRect(QRectF(20, 0, 5, 10));
        painter.fillRect(QRectF(20, 0, 10, 10), Qt::green); // half of it clipped away
        painter.setClipping(false);
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::blue);
        painter.drawRect(QRectF(31, 1, 8, 8));
    });
    const QImage image = picture.toImage(72, Qt::white);
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(15, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(22, 5)), QColor(Qt::green));
    EXPECT_EQ(QColor(image.pixel(27, 5)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(35, 5)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(31, 5)), QColor(Qt::black));
}

// A clipped drawing that follows an unclipped one in the same state is drawn where its
// own transform puts it, on the raster and in a PDF alike.
TEST(Picture, AClippedDrawingAfterAnUnclippedOneKeepsItsPlace)
{
    const Picture picture = Picture::record(QSizeF(40, 10), [](QPainter& painter) {
        painter.translate(20, 0);
        QPainterPath triangle;
        triangle.moveTo(0, 0);
        triangle.lineTo(10, 0);
        triangle.lineTo(0, 10);
        painter.fillPath(triangle, Qt::red);
        painter.setClipRect(QRectF(10, 0, 10, 10));
        painter.fillPath(triangle.translated(10, 0), Qt::red);
    });
    const QImage image = picture.toImage(72, Qt::white);
    EXPECT_EQ(QColor(image.pixel(21, 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(31, 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(11, 2)), QColor(Qt::white));
}

// Text handed to a recording inside a save and restore leaves nothing of that state behind:
// what is drawn after the restore is drawn in the state restored.
TEST(Picture, DrawingAfterTextInASavedStateUsesTheRestoredState)
{
    const Picture picture = Picture::record(QSizeF(100, 40), [](QPainter& painter) {
        painter.setFont(bigFont());
        painter.save();
        painter.translate(60, 0);
        painter.setPen(Qt::red);
        Picture::drawText(painter, QPointF(0, 35), QStringLiteral("I"));
        painter.restore();
        painter.fillRect(QRectF(0, 0, 10, 10), Qt::blue);
        Picture::drawText(painter, QPointF(20, 35), QStringLiteral("I"));
    });
    const QImage image = picture.toImage(72, Qt::white);
    EXPECT_EQ(QColor(image.pixel(5, 5)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(65, 5)), QColor(Qt::white));
    // The second text is in the restored pen (black) at its own place.
    const QRect black = inkBox(image.copy(0, 11, 59, 29));
    EXPECT_FALSE(black.isEmpty());
    for (int y = 11; y < 40; ++y)
        for (int x = 0; x < 59; ++x)
            EXPECT_LT(qRed(image.pixel(x, y)) - qBlue(image.pixel(x, y)), 60) << x << "," << y;
}

TEST(Picture, PngKeepsTransparency)
{
    const Picture picture = Picture::record(
        QSizeF(20, 10), [](QPainter& painter) { painter.fillRect(QRectF(0, 0, 10, 10), QColor(255, 0, 0, 128)); });
    const QImage read = QImage::fromData(picture.toPng(72), "PNG").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(read.size(), QSize(20, 10));
    EXPECT_EQ(qAlpha(read.pixel(15, 5)), 0);
    EXPECT_NEAR(qAlpha(read.pixel(5, 5)), 128, 1);
    EXPECT_EQ(qRed(read.pixel(5, 5)), 255);
}
