#include "platform/ImageResolution.h"
#include "support/Patience.h"

#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

QString shippedResource(const char* name)
{
    return QStringLiteral(GALAVITE_SOURCE_DIR "/resources/") + QString::fromLatin1(name);
}

struct Sample
{
    const char* file;
    QSizeF points; // the size the new object takes from its picture
};

TEST(SamplePictures, LoadAtTheirSizesInPoints)
{
    for (const Sample& sample : {Sample{"no.png", {100, 100}}, Sample{"sign_sample.png", {100, 50}},
                                 Sample{"fingerprints.png", {50, 50}}, Sample{"barcode_sample.png", {120, 60}}}) {
        QString error;
        const QImage image = ImageResolution::readImageFile(shippedResource(sample.file), &error);
        ASSERT_FALSE(image.isNull()) << sample.file << ": " << error.toStdString();
        EXPECT_EQ(ImageResolution::pointSize(image), sample.points) << sample.file;
    }
}

TEST(SamplePictures, SignatureAndFingerprintShowInkOnAClearBackground)
{
    for (const char* file : {"sign_sample.png", "fingerprints.png"}) {
        const QImage image = ImageResolution::readImageFile(shippedResource(file)).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << file;
        qsizetype inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(inked, image.width() * image.height() / 20) << file;
    }
}

TEST(SamplePictures, BarcodeSampleIsAReadableBarcode)
{
    const QString reader = QStandardPaths::findExecutable(QStringLiteral("ZXingReader"));
    if (reader.isEmpty())
        GTEST_SKIP() << "ZXingReader is not installed";
    QProcess decode;
    decode.start(reader, {shippedResource("barcode_sample.png")});
    ASSERT_TRUE(patience::finished(decode));
    const QString output = QString::fromUtf8(decode.readAllStandardOutput());
    EXPECT_TRUE(output.contains(QStringLiteral("\"1234567890128\""))) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("EAN-13"))) << output.toStdString();
}

} // namespace
