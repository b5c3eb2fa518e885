// Image objects naming one picture file share its decoded pixels, and the effects made from it.
#include "model/PictureFile.h"
#include "model/SKTImage.h"

#include "DrawingTestSupport.h"
#include "model/ModelHooks.h"
#include "platform/ImageResolution.h"
#include "platform/SharedImages.h"
#include "support/HostilePictures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace drawing_test;

namespace {

// The peak resident memory of this process so far, in bytes.
qint64 peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toLongLong() * 1024;
    }
    return -1;
}

class InvertingEffects
{
public:
    InvertingEffects()
    {
        ModelHooks::setImageEffects([](const QImage& picture, const SKTGraphic&) {
            QImage result = picture.convertToFormat(QImage::Format_ARGB32);
            result.invertPixels();
            return result;
        });
    }
    ~InvertingEffects() { ModelHooks::setImageEffects({}); }
};

class BudgetOf
{
public:
    explicit BudgetOf(qint64 bytes) { PictureFile::decodedPictures().setBudget(bytes); }
    ~BudgetOf() { PictureFile::decodedPictures().setBudget(PictureFile::decodedBudget); }
};

} // namespace

TEST(SharedPictures, SixtyObjectsNamingOnePictureHoldItOnce)
{
    InvertingEffects effects;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("photo.png"));
    // A small file that decodes to 12 MB.
    QImage flat(2000, 1500, QImage::Format_RGB32);
    flat.fill(QColor(200, 120, 40));
    ASSERT_TRUE(HostilePictures::writeFile(path, HostilePictures::encoded(flat, "PNG")));
    const qint64 decoded = flat.sizeInBytes();

    const qint64 keptBefore = PictureFile::decodedPictures().bytesKept();
    const qint64 peakBefore = peakResidentBytes();
    std::vector<std::shared_ptr<SKTImage>> objects;
    for (int index = 0; index < 60; ++index) {
        auto object = SKTGraphic::create<SKTImage>();
        object->setFilePath(path);
        object->setBounds(QRectF(index, index, 40, 30));
        drawObject(*object, { 100, 100 });
        objects.push_back(object);
    }
    for (const auto& object : objects) {
        EXPECT_EQ(object->picture().constBits(), objects.front()->picture().constBits());
        EXPECT_EQ(object->processedPicture().constBits(), objects.front()->processedPicture().constBits());
    }
    EXPECT_EQ(PictureFile::decodedPictures().bytesKept() - keptBefore, decoded);
    // 60 copies of the picture and of its effects would take 1.4 GB; one of each takes 24 MB.
    if (peakBefore > 0) {
        EXPECT_LT(peakResidentBytes() - peakBefore, 10 * decoded);
    }
}

TEST(SharedPictures, AChangedFileIsReadAfresh)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("photo.png"));
    ASSERT_TRUE(HostilePictures::writeFile(path, HostilePictures::encoded(HostilePictures::detailed(30, 20), "PNG")));
    const QImage first = PictureFile::load(path);
    EXPECT_EQ(PictureFile::load(path).constBits(), first.constBits());
    ASSERT_TRUE(HostilePictures::writeFile(path, HostilePictures::encoded(HostilePictures::detailed(60, 20), "PNG")));
    EXPECT_EQ(PictureFile::load(path).size(), QSize(60, 20));
}

TEST(SharedPictures, PicturesPastTheBudgetAreRefusedWithAMessage)
{
    QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("first.png"));
    const QString second = folder.filePath(QStringLiteral("second.png"));
    ASSERT_TRUE(
        HostilePictures::writeFile(first, HostilePictures::encoded(HostilePictures::detailed(500, 500), "PNG")));
    ASSERT_TRUE(
        HostilePictures::writeFile(second, HostilePictures::encoded(HostilePictures::detailed(501, 500), "PNG")));
    PictureFile::decodedPictures().clear();
    BudgetOf budget(1500 * 1000);
    QImage held = PictureFile::load(first);
    ASSERT_FALSE(held.isNull());
    QString error;
    EXPECT_TRUE(PictureFile::load(second, &error).isNull());
    EXPECT_TRUE(error.contains(QStringLiteral("limit of 2 MB"))) << error.toStdString();
    auto object = SKTGraphic::create<SKTImage>();
    object->setFilePath(second);
    EXPECT_TRUE(object->picture().isNull());
    // Once nothing holds the first picture any more, the second takes its place.
    held = QImage();
    object->setFilePath(second);
    EXPECT_EQ(object->picture().size(), QSize(501, 500));

    // Whatever its form, a picture over the limit is refused by its size before it is decoded,
    // also where the readers' own limit would refuse it first: they count four bytes a pixel.
    constexpr qint64 limit = 10 * 1024 * 1024;
    BudgetOf smaller(limit);
    const struct ReaderLimit
    {
        ReaderLimit() { ImageResolution::setLargestDecoded(limit); }
        ~ReaderLimit() { ImageResolution::setLargestDecoded(PictureFile::decodedBudget); }
    } readers;
    const std::pair<QImage::Format, int> forms[]
        = { { QImage::Format_Grayscale8, 16 }, { QImage::Format_Grayscale16, 16 }, { QImage::Format_Indexed8, 16 },
              { QImage::Format_Mono, 16 }, { QImage::Format_RGB32, 16 }, { QImage::Format_RGBA64, 31 } };
    for (const auto& [form, megabytes] : forms) {
        QImage picture(2000, 2000, form);
        if (picture.depth() <= 8)
            picture.setColorTable({ qRgb(0, 0, 0), qRgb(200, 120, 40) });
        picture.fill(1);
        const QString path = folder.filePath(QStringLiteral("form%1.png").arg(int(form)));
        const QByteArray png = HostilePictures::encoded(picture, "PNG");
        ASSERT_TRUE(HostilePictures::writeFile(path, png));
        const QString expected
            = QStringLiteral("This picture alone would take %1 MB once decoded, more than the limit of 10 MB.")
                  .arg(megabytes);
        QString why;
        EXPECT_TRUE(PictureFile::load(path, &why).isNull()) << int(form);
        EXPECT_EQ(why, expected) << int(form);
        EXPECT_TRUE(ImageResolution::readImageData(png, &why).isNull()) << int(form);
        EXPECT_EQ(why, expected) << int(form);
    }
    QImage grey(1500, 1500, QImage::Format_Grayscale8); // 9 MB by that count
    grey.fill(1);
    const QString fits = folder.filePath(QStringLiteral("fits.png"));
    ASSERT_TRUE(HostilePictures::writeFile(fits, HostilePictures::encoded(grey, "PNG")));
    EXPECT_EQ(PictureFile::load(fits).format(), QImage::Format_Grayscale8);
}
