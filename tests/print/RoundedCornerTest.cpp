#include "print/Printing_View.h"

#include "PdfTools.h"
#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeGeneration.h"
#include "barcodes/BarcodeSymbologies.h"
#include "jobs/CardExport.h"
#include "model/Card_Property.h"
#include "model/SKTBarcode.h"
#include "model/Shape_Control.h"
#include "render/CardUnits.h"
#include "render/SKTRenderingView.h"
#include "support/LetterBadgeSheet.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace PrintLayout;

namespace {

constexpr int rectangular = 0;
constexpr int rounded = 1;

double mm(double millimetres)
{
    return MM_to_Points_Convert(float(millimetres));
}

// A 90 x 55 mm name badge.
const QRectF badge(0, 0, mm(90), mm(55));

// An EAN-13 on yellow, its picture's bottom-left corner at the given point.
SKTGraphicPtr ticket(QPointF bottomLeft)
{
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String("EAN-13"));
    settings.show_hide_hdr = settings.show_hide_ftr = 1;
    settings.barcode_back_clr_val = Qt::yellow;
    auto barcode = SKTGraphic::create<SKTBarcode>();
    storeBarcodeFields(settings, *barcode);
    const Picture picture = Get_Image_From_Val(settings, QStringLiteral("400638100001"), {}, {});
    barcode->Set_Barcode_image(picture);
    barcode->setBounds(QRectF(bottomLeft - QPointF(0, picture.size().height()), picture.size()));
    return barcode;
}

SKTGraphicPtr greenBar(const QRectF& bounds)
{
    auto shape = SKTGraphic::create<Shape_Control>();
    shape->setBounds(bounds);
    shape->_fillColor = Qt::green;
    shape->_isDrawingStroke = false;
    return shape;
}

Picture side(const QList<SKTGraphicPtr>& objects, int cardShape)
{
    auto settings = Card_Property::create();
    settings->Card_fill_chk = true;
    settings->Card_fill_style = QStringLiteral("S");
    settings->Card_fill_clr = Qt::white;
    return SKTRenderingView::image_From_Card_Graphics(objects, true, { settings, cardShape, badge });
}

// Objects whose ink stays inside the rounded corners, though the room their handles take does
// not: the barcode 3 mm from the left and 1.5 mm from the bottom, a bar on the bottom edge.
QList<SKTGraphicPtr> nearTheCorner()
{
    return { ticket(QPointF(mm(3), badge.bottom() - mm(1.5))),
        greenBar(QRectF(mm(45), badge.bottom() - mm(3), mm(40), mm(3))) };
}

// A bar over the top left corner and the barcode over the bottom left one.
QList<SKTGraphicPtr> pastTheCorners()
{
    return { ticket(badge.bottomLeft()), greenBar(QRectF(0, 0, 60, 30)) };
}

// Eight badges, 2 x 4 on US Letter, 5 mm apart.
PrintSettings eightBadges()
{
    return badgesOnLetter(badge.size(), 8);
}

struct Printed
{
    int clipPaths = -1;
    QImage page;
};

Printed printed(const Picture& card, double dpi)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("badges.pdf"));
    const Printing_View job(eightBadges(), [&](int) { return PrintCellCards { card, {} }; });
    if (!job.printToPdf(pdf))
        return {};
    return { PdfTools::clipPathsOnFirstPage(pdf), PdfTools::page(pdf, 1, int(dpi)) };
}

QImage exportedPng(const Picture& card, double dpi)
{
    return QImage::fromData(encodeCardPicture(card, dpi, QStringLiteral("png")), "PNG");
}

bool near(QRgb pixel, QColor colour)
{
    return std::abs(qRed(pixel) - colour.red()) < 40 && std::abs(qGreen(pixel) - colour.green()) < 40
        && std::abs(qBlue(pixel) - colour.blue()) < 40;
}

} // namespace

// Whether an object crosses a rounded card's outline is judged by its ink, not by the room
// its handles take; one that does is cut to the card once, not once for each bar it draws.
TEST(RoundedCorners, OnlyInkPastTheCornerIsCutAndACutObjectClipsOnce)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    constexpr double dpi = 144;
    const double scale = dpi / 72;
    const auto pixel = [&](const QImage& image, QPointF origin, QPointF point) {
        return image.pixel(((origin + point) * scale).toPoint());
    };

    // Nothing is clipped near the corner: the rounded card's page sets no more clips than the
    // rectangular one's, and the barcode is whole to its corner.
    const Printed nearRounded = printed(side(nearTheCorner(), rounded), dpi);
    const Printed nearRectangular = printed(side(nearTheCorner(), rectangular), dpi);
    ASSERT_GE(nearRectangular.clipPaths, 0);
    EXPECT_EQ(nearRounded.clipPaths, nearRectangular.clipPaths);
    const QPointF firstCard = placeCell(eightBadges(), 1, 1, badge.size()).front.topLeft();
    const QPointF barcodeCorner(mm(3) + 0.75, badge.bottom() - mm(1.5) - 0.75);
    EXPECT_TRUE(near(pixel(nearRounded.page, firstCard, barcodeCorner), Qt::yellow));
    const QImage nearPng = exportedPng(side(nearTheCorner(), rounded), dpi);
    EXPECT_TRUE(near(pixel(nearPng, {}, barcodeCorner), Qt::yellow));

    // Objects past the corners are cut there, under one clip on each badge that both objects,
    // drawn one after the other, share: not one for every bar of the barcode.
    const Printed past = printed(side(pastTheCorners(), rounded), dpi);
    EXPECT_EQ(past.clipPaths - nearRectangular.clipPaths, 8);
    const QImage pastPng = exportedPng(side(pastTheCorners(), rounded), dpi);
    const QPointF offTopLeft(1, 1), offBottomLeft(1, badge.bottom() - 1);
    const QPointF onBar(20, 15), onBarcode(12, badge.bottom() - 12);
    EXPECT_TRUE(near(pixel(past.page, firstCard, offTopLeft), Qt::white));
    EXPECT_TRUE(near(pixel(past.page, firstCard, offBottomLeft), Qt::white));
    EXPECT_TRUE(near(pixel(past.page, firstCard, onBar), Qt::green));
    EXPECT_FALSE(near(pixel(past.page, firstCard, onBarcode), Qt::white));
    EXPECT_EQ(qAlpha(pixel(pastPng, {}, offTopLeft)), 0);
    EXPECT_EQ(qAlpha(pixel(pastPng, {}, offBottomLeft)), 0);
    EXPECT_TRUE(near(pixel(pastPng, {}, onBar), Qt::green));
    EXPECT_EQ(qAlpha(pixel(pastPng, {}, onBarcode)), 255);
}
