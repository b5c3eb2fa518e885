// Card files: pixels as before where a card fills whole pixels, no transparency an opaque card
// does not need, barcodes that still read, and buffers reused from card to card that leave
// no trace of the card before.
#include "JobsTestSupport.h"
#include "jobs/CardExport.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeSymbologies.h"
#include "jobs/CardSnapshot.h"
#include "jobs/RowApplication.h"
#include "model/Card_Property.h"
#include "render/SKTRenderingView.h"
#include "support/Patience.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double dpi = 300;
constexpr int pngColourTypeGrey = 0;

SKTGraphicPtr caption(const QString& shown, const QRectF& bounds)
{
    auto text = SKTGraphic::create<SKTText>();
    text->setDrawingStroke(false);
    text->Text_contents()->setString(shown);
    text->setBounds(bounds);
    return text;
}

SKTGraphicPtr barcode(const char* kind, const QString& value, const QRectF& bounds)
{
    auto object = SKTGraphic::create<SKTBarcode>();
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String(kind));
    settings.linear_or_2d = settings.barcode_font_index >= LinearSymbologyCount ? 1 : 0;
    settings.show_hide_hdr = settings.show_hide_ftr = 1;
    settings.linear_width_val = 10; // mils: the symbol fits its box
    storeBarcodeFields(settings, *object);
    object->setBounds(bounds);
    RowApplication::applyValue(*object, value);
    return object;
}

// A card of the given size in points over a solid fill, with a caption, a Code 128 and a QR
// Code; the barcodes' boxes are returned for reading them one at a time.
struct TestCard
{
    Picture picture;
    QRectF code128;
    QRectF qr;
};

TestCard card(const QSizeF& size, const QColor& fill)
{
    RowApplication::setBarcodeGenerator(&barcodeRowMaker);
    TestCard made;
    made.code128 = QRectF(10, 40, 160, 60);
    made.qr = QRectF(180, 40, 60, 60);
    const QList<SKTGraphicPtr> front { caption(QStringLiteral("You're invited"), QRectF(10, 8, 200, 24)),
        barcode("Code 128", QStringLiteral("INV-000123"), made.code128),
        barcode("QR Code", QStringLiteral("INV-000123"), made.qr) };
    auto settings = Card_Property::create();
    settings->setCard_fill_chk(true);
    settings->setCard_fill_clr(fill);
    const CardSnapshot snapshot = CardSnapshot::take(front, {}, *settings, *settings, 0, QRectF(QPointF(0, 0), size));
    made.picture = SKTRenderingView::image_From_Card_Graphics(snapshot.front, false, snapshot.frontBase());
    return made;
}

QImage decoded(const QByteArray& png)
{
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_ARGB32);
}

int pngColourType(const QByteArray& png)
{
    return png.size() > 25 ? int(uchar(png[25])) : -1;
}

bool allOpaque(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) != 255)
                return false;
        }
    }
    return true;
}

// What ZXingReader reads in one box of the image (in points), with a quiet margin around it.
QByteArray readBarcode(const QImage& image, const QRectF& box, const QString& format)
{
    const double scale = dpi / 72;
    const QRect pixels = QRectF(box.topLeft() * scale, box.size() * scale).toAlignedRect().adjusted(-20, -20, 20, 20);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("symbol.png"));
    if (!image.copy(pixels).save(path))
        return {};
    QProcess reader;
    reader.start(QStringLiteral("ZXingReader"), { QStringLiteral("-format"), format, QStringLiteral("-bytes"), path });
    patience::finished(reader);
    return reader.readAllStandardOutput().trimmed();
}

TEST(CardEncoding, ACardOnWholePixelsComesOutAsBeforeAndItsBarcodesRead)
{
    // 246 x 144 points are 1025 x 600 pixels at 300 dpi.
    const TestCard made = card(QSizeF(246, 144), QColor(250, 240, 200));
    const QByteArray png = encodeCardPicture(made.picture, dpi, QStringLiteral("png"));
    const QImage written = decoded(png);
    const QImage before = made.picture.toImage(dpi).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(written.size(), QSize(1025, 600));
    EXPECT_TRUE(written == before);
#ifndef RUNS_UNDER_THREAD_SANITIZER
    EXPECT_EQ(readBarcode(written, made.code128, QStringLiteral("Code128")), QByteArray("INV-000123"));
    EXPECT_EQ(readBarcode(written, made.qr, QStringLiteral("QRCode")), QByteArray("INV-000123"));
#endif
}

TEST(CardEncoding, AnOpaqueCardWithPartlyCoveredEdgesIsWrittenOpaqueOnWholePixels)
{
    // A plastic card, 242.65 x 153.01 points: 1010.6 x 637.5 pixels at 300 dpi.
    const QSizeF plasticCard(242.65, 153.01);
    const TestCard grey = card(plasticCard, QColor(230, 230, 230));
    ASSERT_FALSE(allOpaque(grey.picture.toImage(dpi))); // the edges the old way: half covered

    const QByteArray png = encodeCardPicture(grey.picture, dpi, QStringLiteral("png"));
    const QImage written = decoded(png);
    EXPECT_EQ(written.size(), QSize(1011, 638));
    EXPECT_TRUE(allOpaque(written));
    // Nothing but grey and opaque: one byte a pixel, not four.
    EXPECT_EQ(pngColourType(png), pngColourTypeGrey);
#ifndef RUNS_UNDER_THREAD_SANITIZER
    EXPECT_EQ(readBarcode(written, grey.code128, QStringLiteral("Code128")), QByteArray("INV-000123"));
#endif

    // Formats without transparency get the same whole pixels.
    const QImage jpeg = QImage::fromData(encodeCardPicture(grey.picture, dpi, QStringLiteral("jpg")), "JPEG");
    EXPECT_EQ(jpeg.size(), QSize(1011, 638));
}

TEST(CardEncoding, BuffersKeptFromCardToCardLeaveNoTraceOfTheCardBefore)
{
    const Picture colour = card(QSizeF(246, 144), QColor(200, 40, 40)).picture;
    const Picture grey = card(QSizeF(242.65, 153.01), QColor(128, 128, 128)).picture;
    const Picture twoColours = Picture::record(QSizeF(100, 50), [](QPainter& painter) {
        painter.fillRect(QRectF(0, 0, 100, 50), Qt::white);
        painter.fillRect(QRectF(10, 0, 12, 50), Qt::black);
    });
    struct Encoding
    {
        const Picture* picture;
        double dpi;
        const char* extension;
    };
    const Encoding sequence[] = { { &colour, 300, "png" }, { &twoColours, 150, "png" }, { &grey, 300, "png" },
        { &colour, 300, "tiff" }, { &grey, 72, "png" }, { &colour, 300, "png" } };
    CardEncodingBuffers buffers;
    for (const Encoding& encoding : sequence) {
        const QString extension = QString::fromLatin1(encoding.extension);
        EXPECT_EQ(encodeCardPicture(*encoding.picture, encoding.dpi, extension, &buffers),
            encodeCardPicture(*encoding.picture, encoding.dpi, extension))
            << encoding.extension << " at " << encoding.dpi;
    }
}

} // namespace
