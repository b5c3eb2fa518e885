#include "render/GeneratedImages.h"
#include "render/CardUnits.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(CardUnits, ConvertBetweenPointsAndMillimetres)
{
    EXPECT_NEAR(Points_to_MM_Convert(72.0f), 25.4f, 1e-4);
    EXPECT_NEAR(MM_to_Points_Convert(25.4f), 72.0f, 1e-4);
}

TEST(GeneratedImages, RaisedResolutionKeepsTheSizeInPointsAndSavesAsPng)
{
    QImage picture(100, 50, QImage::Format_ARGB32);
    picture.setDotsPerMeterX(2835);
    picture.setDotsPerMeterY(2835);
    picture.fill(Qt::red);
    const QImage raised = Increase_DPI(picture, 300);
    EXPECT_EQ(raised.size(), QSize(417, 209));
    EXPECT_TRUE(Increase_DPI(QImage(), 300).isNull());

    QTemporaryDir folder;
    const QString jpg = folder.filePath(QStringLiteral("card.jpg"));
    Save_gen_image(picture, jpg);
    QFile written(jpg);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(8).startsWith("\x89PNG"));
}
