#include "platform/SharedImages.h"

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

// A picture of exactly bytes / 4 pixels (32 bits each) in one row.
QImage pictureOf(qint64 bytes)
{
    QImage image(int(bytes / 4), 1, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

} // namespace

TEST(SharedImages, EveryHolderOfOneKeySharesOnePicture)
{
    SharedImages images(1000);
    EXPECT_TRUE(images.find(QStringLiteral("a")).isNull());
    const QImage kept = images.keep(QStringLiteral("a"), pictureOf(400));
    // A second decoding of the same file gives way to the first.
    const QImage again = images.keep(QStringLiteral("a"), pictureOf(400));
    EXPECT_EQ(again.constBits(), kept.constBits());
    EXPECT_EQ(images.find(QStringLiteral("a")).constBits(), kept.constBits());
    EXPECT_EQ(images.bytesKept(), 400);
}

TEST(SharedImages, PicturesNobodyHoldsMakeRoomOldestFirst)
{
    SharedImages images(1000);
    images.keep(QStringLiteral("old"), pictureOf(400));
    images.keep(QStringLiteral("recent"), pictureOf(400));
    images.find(QStringLiteral("old")); // used again: now the more recent
    images.keep(QStringLiteral("new"), pictureOf(400));
    EXPECT_FALSE(images.find(QStringLiteral("old")).isNull());
    EXPECT_TRUE(images.find(QStringLiteral("recent")).isNull());
    EXPECT_LE(images.bytesKept(), 1000);
}

TEST(SharedImages, PicturesInUseAreKeptAndWhatCannotFitIsRefusedWithTheReason)
{
    SharedImages images(1000);
    const QImage held = images.keep(QStringLiteral("held"), pictureOf(800));
    QString error;
    EXPECT_TRUE(images.keep(QStringLiteral("more"), pictureOf(400), &error).isNull());
    EXPECT_TRUE(error.contains(QStringLiteral("limit"))) << error.toStdString();
    EXPECT_EQ(images.find(QStringLiteral("held")).constBits(), held.constBits());
    EXPECT_EQ(images.bytesKept(), 800);

    // One that could never fit says so, not what the others take.
    SharedImages pictures(qint64(5) * 1024 * 1024 / 2);
    EXPECT_TRUE(pictures.keep(QStringLiteral("large"), pictureOf(3 * 1024 * 1024), &error).isNull());
    EXPECT_EQ(error, QStringLiteral("This picture alone would take 3 MB once decoded, more than the limit of 2 MB."));
}

// Those that claim it to make it make it once, the others waiting for it; one that gives up
// leaves the claim to the next.
TEST(SharedImages, ManyThreadsAskingForOnePictureGetOneCopy)
{
    SharedImages images(1 << 20);
    std::vector<QImage> got(8);
    std::atomic<int> made { 0 };
    std::vector<std::thread> threads;
    for (QImage& result : got)
        threads.emplace_back([&] {
            for (int round = 0; round < 100; ++round) {
                QImage found = images.find(QStringLiteral("one"));
                result = found.isNull() ? images.keep(QStringLiteral("one"), pictureOf(4000)) : found;
                if (images.findOrClaim(QStringLiteral("claimed")).isNull()) {
                    // The first gives up; the next to claim it makes it.
                    if (made++ > 0)
                        images.keep(QStringLiteral("claimed"), pictureOf(400));
                    images.endClaim(QStringLiteral("claimed"));
                }
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    for (const QImage& result : got)
        EXPECT_EQ(result.constBits(), got.front().constBits());
    EXPECT_EQ(made.load(), 2);
    EXPECT_EQ(images.bytesKept(), 4400);
}
