// Content every kind must refuse: nothing at all, and for the linear kinds more than their
// longest symbol. The longest accepted symbols must still be read by a decoder.
#include "BarcodeTestSupport.h"

#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/DataMatrixEncoder.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDBarcode.h"
#include "barcodes/QREncoder.h"
#include "barcodes/QRModuleGrid.h"
#include "barcodes/pdf417View.h"

#include <gtest/gtest.h>

using namespace barcodetest;

namespace {

struct Limit
{
    const char* title;
    QString longest; // accepted
    QString tooLong; // one character more, refused
    const char* zxingFormat = nullptr; // to read the longest back
    QByteArray read = {}; // what the reader returns, when not the content
};

QString repeated(char c, int count)
{
    return QString(count, QLatin1Char(c));
}

std::vector<Limit> limits()
{
    const QString ean13 = QStringLiteral("4006381333931");
    return {
        { "Code 39", repeated('A', 85), repeated('A', 86), "Code39" },
        // Pairs count twice: 42 pairs and one plain character fill 85 places.
        { "Extended Code 39", repeated('a', 42) + QLatin1Char('A'), repeated('a', 43), "Code39",
            QByteArray("+A").repeated(42) + 'A' },
        { "Interleaved 2 of 5", repeated('1', 90), repeated('1', 91), "ITF" },
        { "UPCA", QStringLiteral("036000291452"), QStringLiteral("0360002914520") },
        { "PostNet", QStringLiteral("12345678901"), QStringLiteral("123456789012") },
        { "Modified Plessey", repeated('7', 65), repeated('7', 66) },
        { "Modified Plessey (Hex)", repeated('F', 65), repeated('F', 66) },
        { "Industrial 2 of 5", repeated('3', 45), repeated('3', 46) },
        { "EAN-13", ean13, ean13 + QLatin1Char('1') },
        { "Code 128", repeated('A', 60), repeated('A', 61), "Code128" },
        { "Code 128", repeated('9', 120), repeated('9', 121), "Code128" },
        { "Code 128 SET A", repeated('Q', 60), repeated('Q', 59) + QLatin1Char('q'), "Code128" }, // SHIFT counts
        { "Code 128 SET B", repeated('q', 60), repeated('q', 61), "Code128" },
        { "Code 128 SET C", repeated('5', 120), repeated('5', 121), "Code128" },
        { "Codabar", repeated('1', 58), repeated('1', 59), "Codabar" },
        { "UPCE", QStringLiteral("04210000526"), QStringLiteral("042100005264") },
        { "EAN-8", QStringLiteral("96385074"), QStringLiteral("963850745") },
        { "Royal Mail Barcode (RM4SCC / CBC)", repeated('R', 50), repeated('R', 51) },
        { "Planet", QStringLiteral("12345678901"), QStringLiteral("123456789012") },
    };
}

std::unique_ptr<NKDBarcode> linear(const char* title, const QString& content)
{
    return createLinearBarcode(QString::fromLatin1(title), content, true);
}

TEST(ContentLimits, EmptyContentIsInvalidForEveryKind)
{
    for (int i = 0; i < LinearSymbologyCount; ++i) {
        SCOPED_TRACE(BarcodeSymbologyTitles[size_t(i)]);
        EXPECT_FALSE(linear(BarcodeSymbologyTitles[size_t(i)], QStringLiteral(""))->isContentValid());
    }
    // Start and stop letters alone carry nothing.
    EXPECT_FALSE(linear("Codabar", QStringLiteral("AB"))->isContentValid());

    EXPECT_EQ(QREncoder::encodeWithECLevel(1, 0, QStringLiteral("")), nullptr);
    EXPECT_FALSE(encodeDataMatrix("").isValid());
    pdf417View pdf417;
    EXPECT_EQ(pdf417.drawWithText(QStringLiteral("")), pdf417View::NoText);
}

TEST(ContentLimits, LongestIsAcceptedAndOneMoreRefused)
{
    for (const Limit& limit : limits()) {
        SCOPED_TRACE(std::string(limit.title) + " " + std::to_string(limit.longest.size()));
        EXPECT_TRUE(linear(limit.title, limit.longest)->isContentValid());
        EXPECT_FALSE(linear(limit.title, limit.tooLong)->isContentValid());
    }
    EXPECT_FALSE(linear("Code 128", repeated('x', 10000))->isContentValid());
}

TEST(ContentLimits, LongestSymbolsAreRead)
{
    for (const Limit& limit : limits()) {
        if (!limit.zxingFormat)
            continue;
        SCOPED_TRACE(std::string(limit.title) + " " + std::to_string(limit.longest.size()));
        auto barcode = linear(limit.title, limit.longest);
        QByteArray read = zxingRead(renderForDecoding(*barcode), QString::fromLatin1(limit.zxingFormat));
        if (QByteArray(limit.zxingFormat) == "Codabar" && read.startsWith('A') && read.endsWith('A'))
            read = read.mid(1, read.size() - 2); // the frame letters added to the digits
        EXPECT_EQ(read, limit.read.isEmpty() ? limit.longest.toLatin1() : limit.read);
    }
}

TEST(ContentLimits, JapanPostCutsLongAddressesToItsFixedSymbol)
{
    const auto barcode = linear("Japan Post Barcode", QStringLiteral("1050011") + repeated('9', 10000));
    EXPECT_TRUE(barcode->isContentValid());
    EXPECT_EQ(barcode->content().size(), JapanPostBarcode::symbolCharacters);
    EXPECT_EQ(barcode->completeBarcode().size(), 133u);
}

} // namespace
