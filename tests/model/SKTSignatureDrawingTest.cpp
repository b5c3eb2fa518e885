#include "model/SKTSignature.h"

#include "DrawingTestSupport.h"
#include "common/Globals.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

void savePlain(const QString& path, QColor colour)
{
    QImage image(30, 10, QImage::Format_RGB32);
    image.fill(colour);
    image.setDotsPerMeterX(2835); // a file at 72 dpi: one point per pixel
    image.setDotsPerMeterY(2835);
    ASSERT_TRUE(image.save(path));
}

class SKTSignatureDrawingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savePlain(Resource_File(QStringLiteral("sign_sample.png")), Qt::red);
        savePlain(Resource_File(QStringLiteral("fingerprints.png")), Qt::blue);
        savePlain(Resource_File(QStringLiteral("no.png")), Qt::green);
        savePlain(Resource_File(QStringLiteral("other.png")), Qt::black);
    }

    std::shared_ptr<SKTSignature> signature(const QString& kind)
    {
        auto object = SKTGraphic::create<SKTSignature>();
        object->Set_Sign_Or_FP(kind);
        object->_isDrawingStroke = false;
        object->setBounds({0, 0, 60, 20});
        return object;
    }

    TempResources resources;
};

} // namespace

TEST_F(SKTSignatureDrawingTest, DefaultStandsForTheSampleOfItsKind)
{
    auto fingerprint = signature(QStringLiteral("F"));
    fingerprint->Set_Control_File_path(QStringLiteral("Default"));
    EXPECT_TRUE(near(drawObject(*fingerprint, {60, 20}).pixel(30, 10), Qt::blue));
    EXPECT_EQ(fingerprint->FilePath(), Resource_File(QStringLiteral("fingerprints.png")));

    auto sign = signature(QStringLiteral("S"));
    sign->Set_Control_File_path(QStringLiteral("Default"));
    EXPECT_TRUE(near(drawObject(*sign, {60, 20}).pixel(30, 10), Qt::red));
    EXPECT_EQ(sign->FilePath(), Resource_File(QStringLiteral("sign_sample.png")));
}

TEST_F(SKTSignatureDrawingTest, ANewSignatureKeepsShowingItsSample)
{
    auto object = SKTGraphic::create<SKTSignature>();
    QImage sample(30, 10, QImage::Format_RGB32);
    sample.setDotsPerMeterX(2835); // 72 dpi, as a loaded sample picture reads
    sample.setDotsPerMeterY(2835);
    sample.fill(Qt::red);
    object->initWithPosition({100, 50}, sample, QStringLiteral("S"));
    EXPECT_EQ(object->bounds(), QRectF(85, 45, 30, 10));
    EXPECT_EQ(object->FilePath(), Resource_File(QStringLiteral("sign_sample.png")));
    object->_isDrawingStroke = false;
    const QImage image = drawObject(*object, {200, 100});
    EXPECT_TRUE(near(image.pixel(100, 50), Qt::red)); // not the green "no.png"
}

TEST_F(SKTSignatureDrawingTest, AChangedPathShowsAtTheNextDrawingUnlessHidden)
{
    auto object = signature(QStringLiteral("S"));
    object->setFilePath(Resource_File(QStringLiteral("sign_sample.png")));
    object->Set_Control_File_path(Resource_File(QStringLiteral("other.png")));
    object->Set_Ctrl_Is_Visible(false);
    drawObject(*object, {60, 20});
    object->Set_Ctrl_Is_Visible(true);
    // Stretched over the unchanged bounds.
    const QImage image = drawObject(*object, {60, 20});
    EXPECT_TRUE(isInk(image.pixel(2, 2)));
    EXPECT_TRUE(isInk(image.pixel(57, 17)));
}

TEST_F(SKTSignatureDrawingTest, UnreadablePictureLeavesTheDashedBorder)
{
    auto object = signature(QStringLiteral("S"));
    object->Set_Control_File_path(QStringLiteral("/nonexistent.png"));
    object->_isDrawingStroke = true;
    object->_strokeColor = QColor(Qt::black);
    object->_strokeWidth = 2.0;
    object->_stroke_border_type = QStringLiteral("DO");
    object->setBounds({0, 5, 60, 10});
    const QImage image = drawObject(*object, {60, 20});
    EXPECT_EQ(runsAlongRow(image, 5, 0, 40).mid(0, 4), (QList<int>{4, 6, 4, 6}));
    EXPECT_FALSE(isInk(image.pixel(30, 10)));
}
