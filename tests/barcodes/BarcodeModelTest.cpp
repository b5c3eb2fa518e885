// The shared barcode model: bar string assembly, sizes, captions, font measuring, copies and
// archives, and the symbology list.
#include "barcodes/BarcodeSettings.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDCode39Barcode.h"

#include <QBuffer>
#include <QDataStream>

#include <gtest/gtest.h>

namespace {

class PlainBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(PlainBarcode)
};

class FramedCaptionBarcode : public NKDBarcode
{
    NKD_BARCODE_KIND(FramedCaptionBarcode)

public:
    int digitsToLeft() const override { return 1; }
    int digitsToRight() const override { return 1; }
};

TEST(BarcodeModel, NullContentMakesNoObject)
{
    EXPECT_EQ(NKDBarcode::create<PlainBarcode>(QString()), nullptr);
    EXPECT_EQ(NKDCode128Barcode::create(QString(), true, NKDCode128Barcode::Automatic), nullptr);
    EXPECT_EQ(NKDBarcode::create<JapanPostBarcode>(QString()), nullptr);
    EXPECT_NE(NKDBarcode::create<PlainBarcode>(QStringLiteral("")), nullptr);
}

TEST(BarcodeModel, BarStringAndWidthFollowTheModules)
{
    auto barcode = NKDBarcode::create<PlainBarcode>(QStringLiteral("AB"));
    EXPECT_EQ(barcode->completeBarcode(), "10101010");
    barcode->setBarWidth(2);
    barcode->calculateWidth();
    EXPECT_FLOAT_EQ(barcode->width(), 16);
    EXPECT_FLOAT_EQ(barcode->lastBar(), 14);
    EXPECT_EQ(barcode->checkDigit(), -1);
    EXPECT_FALSE(barcode->printsHeader());
}

TEST(BarcodeModel, ContentWithoutAsciiFormIsInvalidAndEncodesToNothing)
{
    const auto barcode = NKDBarcode::create<NKDCode39Barcode>(QStringLiteral("AB\u00c9"));
    EXPECT_FALSE(barcode->isContentValid());
    EXPECT_TRUE(barcode->completeBarcode().empty());
    EXPECT_FLOAT_EQ(barcode->width(), 0);
}

TEST(BarcodeModel, CaptionsSplitTheContent)
{
    const auto framed = NKDBarcode::create<FramedCaptionBarcode>(QStringLiteral("123456"));
    EXPECT_EQ(framed->caption(), QStringLiteral("2345"));
    EXPECT_EQ(framed->leftCaption(), QStringLiteral("1"));
    EXPECT_EQ(framed->rightCaption(), QStringLiteral("6"));
    const auto plain = NKDBarcode::create<PlainBarcode>(QStringLiteral("123456"));
    EXPECT_EQ(plain->caption(), QStringLiteral("123456"));
    EXPECT_TRUE(plain->leftCaption().isEmpty());
    EXPECT_TRUE(plain->rightCaption().isEmpty());
}

TEST(BarcodeModel, BarTopLeavesRoomForShownBandsAndMargins)
{
    auto barcode = NKDBarcode::create<PlainBarcode>(QStringLiteral("1"), false);
    barcode->setHeight(100);
    BarcodeSettings settings;
    settings.TB_margin = 5;
    EXPECT_FLOAT_EQ(barcode->barTop(0, settings), 90);

    settings.value_margin = 2;
    settings.header_margin = 3;
    barcode->setCaptionHeight(0.25f);
    barcode->setHeaderHeight(0.5f);
    barcode->setFooterHeight(1.0f);
    barcode->setPrintsCaption(true);
    barcode->setPrintsHeader(true);
    EXPECT_FLOAT_EQ(barcode->barTop(0, settings), 100 - (18 + 2) - (36 + 3) - 10);
    EXPECT_FLOAT_EQ(barcode->barBottom(0, settings), 18 + 36);
}

TEST(BarcodeModel, FontSizeSettersMeasureTheSettingsFontNotTheArgument)
{
    BarcodeSettings settings;
    auto barcode = NKDBarcode::create<PlainBarcode>(QStringLiteral("1"));
    barcode->setCaptionFontSize(6, settings);
    const float height = barcode->captionHeight();
    barcode->setCaptionFontSize(30, settings);
    EXPECT_FLOAT_EQ(barcode->captionHeight(), height);
    EXPECT_FLOAT_EQ(barcode->caption_fontSize(), 30);
    EXPECT_GT(height, 0.05f); // about 1.35 cap heights of a 10-point font, in inches
    EXPECT_LT(height, 0.2f);

    settings.value_font.setPointSize(20);
    barcode->setCaptionFontSize(6, settings);
    EXPECT_NEAR(barcode->captionHeight(), 2 * height, 0.02);
}

TEST(BarcodeModel, HeaderAndFooterWidthsAreMeasuredFromTheirTexts)
{
    BarcodeSettings settings;
    auto barcode = NKDBarcode::create<PlainBarcode>(QStringLiteral("1"));
    barcode->setHeaderFontSize(10, settings);
    EXPECT_FLOAT_EQ(barcode->headerWidth(), 0);
    EXPECT_GT(barcode->headerHeight(), 0);
    barcode->setHeader(QStringLiteral("HEADER"));
    barcode->setFooter(QStringLiteral("A much longer footer"));
    barcode->setHeaderFontSize(10, settings);
    barcode->setFooterFontSize(10, settings);
    EXPECT_GT(barcode->headerWidth(), 20);
    EXPECT_GT(barcode->footerWidth(), 2 * barcode->headerWidth());
}

TEST(BarcodeModel, SettingsRecordMeasuresTheTwoDimensionalTexts)
{
    BarcodeSettings settings;
    EXPECT_TRUE(settings.caption().isNull());
    EXPECT_TRUE(settings.header.isEmpty());
    settings.setHeaderFontSize(12);
    EXPECT_FLOAT_EQ(settings.headerWidth, 0);
    EXPECT_GT(settings.headerHeight, 0);
    settings.footer = QStringLiteral("FOOTER");
    settings.setFooterFontSize(12);
    EXPECT_GT(settings.footerWidth, 20);
    EXPECT_FLOAT_EQ(settings.footer_fontSize, 12);
}

TEST(BarcodeModel, CopyKeepsKindCodeSetAndSizesButNotHeaders)
{
    auto original = NKDCode128Barcode::create(QStringLiteral("ABC"), true, NKDCode128Barcode::SetA);
    original->setBarWidth(2);
    original->calculateWidth();
    original->setHeight(50);
    original->setHeader(QStringLiteral("H"));
    original->setPrintsHeader(true);
    const std::unique_ptr<NKDBarcode> copy = original->copy();
    EXPECT_EQ(copy->className(), QStringLiteral("NKDCode128Barcode"));
    EXPECT_EQ(copy->completeBarcode(), original->completeBarcode());
    EXPECT_FLOAT_EQ(copy->width(), original->width());
    EXPECT_FLOAT_EQ(copy->height(), 50);
    EXPECT_TRUE(copy->header().isEmpty());
    EXPECT_FALSE(copy->printsHeader());
    EXPECT_TRUE(copy->isEqual(*original));
}

TEST(BarcodeModel, ArchiveKeepsContentSizesAndCheckDigit)
{
    auto original = NKDBarcode::create<NKDCode39Barcode>(QStringLiteral("CODE39"), false);
    original->generateChecksum();
    original->setCaptionHeight(0.3f);
    original->setHeader(QStringLiteral("not archived"));
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        original->encodeWithCoder(out);
    }
    NKDCode39Barcode restored;
    QDataStream in(bytes);
    ASSERT_TRUE(restored.initWithCoder(in));
    EXPECT_EQ(restored.content(), QStringLiteral("CODE39"));
    EXPECT_FALSE(restored.printsCaption());
    EXPECT_FLOAT_EQ(restored.barWidth(), original->barWidth());
    EXPECT_FLOAT_EQ(restored.width(), original->width());
    EXPECT_FLOAT_EQ(restored.height(), original->height());
    EXPECT_FLOAT_EQ(restored.caption_fontSize(), original->caption_fontSize());
    EXPECT_FLOAT_EQ(restored.captionHeight(), 0.3f);
    EXPECT_EQ(restored.checkDigit(), 'W');
    EXPECT_TRUE(restored.header().isEmpty());
}

TEST(BarcodeModel, TruncatedArchiveIsRefused)
{
    auto original = NKDBarcode::create<NKDCode39Barcode>(QStringLiteral("ABC"));
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        original->encodeWithCoder(out);
    }
    bytes.chop(3);
    NKDCode39Barcode restored;
    QDataStream in(bytes);
    EXPECT_FALSE(restored.initWithCoder(in));
    EXPECT_TRUE(restored.content().isEmpty());
}

TEST(BarcodeModel, DescriptionNamesClassAndContent)
{
    const auto barcode = NKDBarcode::create<NKDCode39Barcode>(QStringLiteral("%1x"));
    const QString description = barcode->description();
    EXPECT_TRUE(description.contains(QStringLiteral("Barcode Class: NKDCode39Barcode")));
    EXPECT_TRUE(description.contains(QStringLiteral("Content: %1X")));
}

TEST(SymbologyList, TitlesKeepTheirStoredOrder)
{
    ASSERT_EQ(BarcodeSymbologyTitles.size(), 22u);
    EXPECT_EQ(indexOfBarcodeSymbology(QStringLiteral("Code 39")), 0);
    EXPECT_EQ(indexOfBarcodeSymbology(QStringLiteral("Code 128")), 9);
    EXPECT_EQ(indexOfBarcodeSymbology(QStringLiteral("Japan Post Barcode")), 18);
    EXPECT_EQ(indexOfBarcodeSymbology(QStringLiteral("QR Code")), 19);
    EXPECT_EQ(indexOfBarcodeSymbology(QStringLiteral("PDF417")), 20);
    EXPECT_EQ(indexOfBarcodeSymbology(QStringLiteral("DataMatrix")), 21);
    EXPECT_EQ(indexOfBarcodeSymbology(QStringLiteral("AZTEC")), -1);
}

TEST(SymbologyList, EveryLinearTitleMakesItsKind)
{
    for (int i = 0; i < LinearSymbologyCount; ++i) {
        const QString title = QString::fromLatin1(BarcodeSymbologyTitles[size_t(i)]);
        SCOPED_TRACE(title.toStdString());
        const auto barcode = createLinearBarcode(title, QStringLiteral("1234567"), true);
        ASSERT_NE(barcode, nullptr);
        EXPECT_FALSE(barcode->completeBarcode().empty());
    }
    EXPECT_EQ(createLinearBarcode(QStringLiteral("QR Code"), QStringLiteral("1"), true), nullptr);
    EXPECT_EQ(createLinearBarcode(QStringLiteral("Code 39"), QString(), true), nullptr);

    const auto setC = createLinearBarcode(QStringLiteral("Code 128 SET C"), QStringLiteral("12"), true);
    EXPECT_EQ(static_cast<NKDCode128Barcode&>(*setC).codeSet(), NKDCode128Barcode::SetC);
    const auto automatic = createLinearBarcode(QStringLiteral("Code 128"), QStringLiteral("ab"), true);
    EXPECT_EQ(static_cast<NKDCode128Barcode&>(*automatic).codeSet(), NKDCode128Barcode::SetB);
}

} // namespace
