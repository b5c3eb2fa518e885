// The PDF417 view core: image states, the picture it hands out, its text encoding and its archive.
#include "Pdf417TestOracles.h"

#include "barcodes/pdf417Images.h"
#include "barcodes/pdf417View.h"

#include <QPainter>

#include <gtest/gtest.h>

using pdf417test::decodeWithZXing;

namespace {

// The view's picture rasterised at 72 dpi, framed by a white quiet zone.
QImage rasterWithQuietZone(const Picture& picture)
{
    const QImage symbol = picture.toImage(72, Qt::white);
    QImage framed(symbol.size() + QSize(40, 40), QImage::Format_RGB32);
    framed.fill(Qt::white);
    QPainter painter(&framed);
    painter.drawImage(20, 20, symbol);
    return framed;
}

std::optional<QByteArray> decodeBits(const pdf417View& view)
{
    return decodeWithZXing({pdf417ModuleImage(view.getBitImage(), 2, 6, 4)})[0];
}

} // namespace

TEST(Pdf417View, NewViewIsEmptyAtLevelTwo)
{
    const pdf417View view(QSizeF(200, 80));
    EXPECT_EQ(view.getImageState(), pdf417View::NoText);
    EXPECT_EQ(view.getErrorLevel(), 2);
    EXPECT_TRUE(view.getImage().isNull());
    EXPECT_FALSE(view.getTargetState());
    EXPECT_FALSE(view.getSourceState());
}

TEST(Pdf417View, PictureFillsTheFrameAndDecodes)
{
    pdf417View view;
    ASSERT_EQ(view.drawWithText(QStringLiteral("Galavite name badge 0042")), pdf417View::ImageReady);
    const QSize modules = view.getBitImage().size();
    ASSERT_FALSE(modules.isEmpty());
    // Two points a module and six a row: at 72 dpi every module is whole pixels.
    view.setFrameSize(QSizeF(modules.width() * 2, modules.height() * 6));
    ASSERT_EQ(view.drawWithText(QStringLiteral("Galavite name badge 0042")), pdf417View::ImageReady);
    const Picture picture = view.getImage();
    EXPECT_EQ(picture.size(), view.frameSize());
    const auto decoded = decodeWithZXing({rasterWithQuietZone(picture)});
    EXPECT_EQ(decoded[0].value_or("<not read>").toStdString(), "Galavite name badge 0042");
    EXPECT_EQ(view.encoding().aspectRatio, 1.0f);
}

TEST(Pdf417View, TextIsLatinOneWhenItFitsElseUtf8)
{
    pdf417View view(QSizeF(300, 100));
    ASSERT_EQ(view.drawWithText(QStringLiteral("Café für Zoë")), pdf417View::ImageReady);
    EXPECT_EQ(decodeBits(view).value_or("<not read>"), QByteArray("Caf\xe9 f\xfcr Zo\xeb"));

    const QString wide = QStringLiteral("Preis 5 € – 中文");
    ASSERT_EQ(view.drawWithText(wide), pdf417View::ImageReady);
    EXPECT_EQ(decodeBits(view).value_or("<not read>"), wide.toUtf8());
}

TEST(Pdf417View, EmptyOrFailedTextLeavesNoImage)
{
    pdf417View view(QSizeF(200, 80));
    ASSERT_EQ(view.drawWithText(QStringLiteral("first")), pdf417View::ImageReady);
    ASSERT_FALSE(view.getImage().isNull());

    EXPECT_EQ(view.drawWithText(QString()), pdf417View::NoText);
    EXPECT_TRUE(view.getImage().isNull());
    EXPECT_TRUE(view.getBitImage().isNull());

    ASSERT_EQ(view.drawWithText(QStringLiteral("second")), pdf417View::ImageReady);
    EXPECT_EQ(view.drawWithText(QString(5421, QLatin1Char('x'))), pdf417View::EncodingFailed);
    EXPECT_EQ(view.getImageState(), pdf417View::EncodingFailed);
    EXPECT_TRUE(view.getImage().isNull());
    EXPECT_TRUE(view.getBitImage().isNull());
}

TEST(Pdf417View, ChosenErrorLevelReachesTheEncoder)
{
    pdf417View view(QSizeF(200, 80));
    view.setErrorLevel(6);
    EXPECT_EQ(view.getErrorLevel(), 6);
    ASSERT_EQ(view.drawWithText(QStringLiteral("LEVEL SIX")), pdf417View::ImageReady);
    EXPECT_GE(view.encoding().errorLevel, 6);
    EXPECT_EQ(decodeBits(view).value_or("<not read>"), QByteArray("LEVEL SIX"));
}

TEST(Pdf417View, ArchiveKeepsSettingsStateAndImage)
{
    pdf417View view(QSizeF(240, 90));
    view.setErrorLevel(4);
    view.toggleTargetState();
    ASSERT_EQ(view.drawWithText(QStringLiteral("archived symbol")), pdf417View::ImageReady);

    QString error;
    const auto restored = pdf417View::initWithCoder(view.encodeWithCoder(), &error);
    ASSERT_TRUE(restored) << error.toStdString();
    EXPECT_EQ(restored->getErrorLevel(), 4);
    EXPECT_TRUE(restored->getTargetState());
    EXPECT_FALSE(restored->getSourceState());
    EXPECT_EQ(restored->getImageState(), pdf417View::ImageReady);
    EXPECT_EQ(restored->frameSize(), QSizeF(240, 90));
    EXPECT_EQ(restored->getBitImage(), view.getBitImage());
    EXPECT_EQ(restored->getImage().size(), QSizeF(240, 90));
    EXPECT_EQ(restored->getImage().toImage(144, Qt::white), view.getImage().toImage(144, Qt::white));

    pdf417View empty(QSizeF(10, 10));
    empty.toggleSourceState();
    const auto restoredEmpty = pdf417View::initWithCoder(empty.encodeWithCoder(), &error);
    ASSERT_TRUE(restoredEmpty) << error.toStdString();
    EXPECT_EQ(restoredEmpty->getImageState(), pdf417View::NoText);
    EXPECT_TRUE(restoredEmpty->getSourceState());
    EXPECT_TRUE(restoredEmpty->getImage().isNull());
}

TEST(Pdf417View, DamagedArchivesAreRefused)
{
    pdf417View view(QSizeF(240, 90));
    ASSERT_EQ(view.drawWithText(QStringLiteral("archived symbol")), pdf417View::ImageReady);
    const QByteArray archive = view.encodeWithCoder();

    QString error;
    for (int length = 0; length < archive.size(); ++length) {
        error.clear();
        EXPECT_FALSE(pdf417View::initWithCoder(archive.left(length), &error)) << "cut at " << length;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_FALSE(pdf417View::initWithCoder(archive + '\0', &error)) << "trailing data";

    // Offsets: tag 10, version 4, frame 16, level 4, flags 2, state 4, symbol width 4, height 4.
    const auto patched = [&](int offset, QByteArray bytes) {
        QByteArray copy = archive;
        copy.replace(offset, bytes.size(), bytes);
        return copy;
    };
    EXPECT_FALSE(pdf417View::initWithCoder(patched(0, "PDF417View"), &error)) << "tag";
    EXPECT_FALSE(pdf417View::initWithCoder(patched(10, QByteArray("\0\0\0\2", 4)), &error)) << "version";
    EXPECT_FALSE(pdf417View::initWithCoder(patched(14, QByteArray("\x7f\xf8\0\0\0\0\0\0", 8)), &error)) << "NaN width";
    EXPECT_FALSE(pdf417View::initWithCoder(patched(34, "\2"), &error)) << "drag flag";
    EXPECT_FALSE(pdf417View::initWithCoder(patched(36, QByteArray("\0\0\0\3", 4)), &error)) << "state";
    EXPECT_FALSE(pdf417View::initWithCoder(patched(36, QByteArray("\0\0\0\2", 4)), &error)) << "state without symbol";
    EXPECT_FALSE(pdf417View::initWithCoder(patched(40, QByteArray("\0\0\0\x79", 4)), &error)) << "symbol width";
    EXPECT_FALSE(pdf417View::initWithCoder(patched(44, QByteArray("\0\0\0\x5b", 4)), &error)) << "symbol rows";
    EXPECT_FALSE(pdf417View::initWithCoder(patched(40, QByteArray(8, '\xff')), &error)) << "negative size";
    // Widths at the ends of the integers, with a row count that passes, are refused without overflow.
    for (const char* width : { "\x80\0\0\0", "\x7f\xff\xff\xff", "\x80\0\0\x12" })
        EXPECT_FALSE(pdf417View::initWithCoder(patched(40, QByteArray(width, 4)), &error)) << "extreme symbol width";
    EXPECT_TRUE(pdf417View::initWithCoder(archive, &error));
}
