#include "model/SKTBarcode.h"

#include "DrawingTestSupport.h"
#include "common/Globals.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

Picture blackPicture(QSizeF size)
{
    return Picture::record(size, [&](QPainter& painter) { painter.fillRect(QRectF(QPointF(), size), Qt::black); });
}

} // namespace

TEST(SKTBarcodeDrawingTest, NewObjectIsCentredAtItsPictureSize)
{
    TempResources resources;
    QImage sample(150, 60, QImage::Format_RGB32);
    sample.fill(Qt::black);
    sample.setDotsPerMeterX(2835); // a file at 72 dpi: one point per pixel
    sample.setDotsPerMeterY(2835);
    ASSERT_TRUE(sample.save(Resource_File(QStringLiteral("barcode_sample.png"))));
    auto object = SKTGraphic::create<SKTBarcode>();
    object->initWithPosition({200, 100});
    EXPECT_EQ(object->bounds(), QRectF(125, 70, 150, 60));
    // The sample shows while there is no barcode picture.
    EXPECT_EQ(inkBox(drawObject(*object, {400, 200})), QRect(125, 70, 150, 60));
}

TEST(SKTBarcodeDrawingTest, NoSampleAndNoPictureGivesZeroSize)
{
    TempResources resources;
    auto object = SKTGraphic::create<SKTBarcode>();
    object->initWithPosition({20, 10});
    EXPECT_EQ(object->bounds().size(), QSizeF(0, 0));
    EXPECT_FALSE(inkBox(drawObject(*object, {40, 20})).isValid());
}

TEST(SKTBarcodeDrawingTest, PictureKeepsItsOwnSizeFromTheBoundsOrigin)
{
    TempResources resources;
    auto object = SKTGraphic::create<SKTBarcode>();
    object->setBounds({10, 10, 20, 20});
    object->Set_Barcode_image(blackPicture({50, 30}));
    object->_isDrawingFill = true;
    object->_fillColor = QColor(Qt::red);
    EXPECT_EQ(inkBox(drawObject(*object, {100, 100})), QRect(10, 10, 50, 30));
    // A new picture shows at the next drawing.
    object->Set_Barcode_image(blackPicture({5, 5}));
    EXPECT_EQ(inkBox(drawObject(*object, {100, 100})), QRect(10, 10, 5, 5));
    object->Set_Ctrl_Is_Visible(false);
    EXPECT_FALSE(inkBox(drawObject(*object, {100, 100})).isValid());
}
