// UPC-E from each form a user may type: the 11 digits of a UPC-A number that compresses, the
// 7 compressed digits, and those with their check digit. A decoder judges the symbols.
#include "BarcodeTestSupport.h"

#include "barcodes/NKDUPCEBarcode.h"

#include <gtest/gtest.h>

using namespace barcodetest;

namespace {

struct Compression
{
    const char* upca; // without its check digit
    const char* upce; // number system, six digits, check digit
};

// One case for each rule of the published zero suppression, and number system 1.
constexpr Compression compressions[] = {
    { "01200000345", "01234505" }, // manufacturer ends in 000: last digit 0
    { "04210000526", "04252614" }, // ... in 100
    { "01220000456", "01245626" }, // ... in 200
    { "01230000045", "01234531" }, // ... in 00: last digit 3
    { "01234000005", "01234543" }, // ... in 0: last digit 4
    { "01234500007", "01234572" }, // product code 5 to 9: itself
    { "11234500007", "11234579" },
};

std::unique_ptr<NKDUPCEBarcode> upce(const QByteArray& content)
{
    return NKDBarcode::create<NKDUPCEBarcode>(QString::fromLatin1(content));
}

TEST(UPCECompression, EveryFormGivesTheSameReadableSymbol)
{
    for (const Compression& c : compressions) {
        const QByteArray symbol(c.upce);
        const auto fromUpca = upce(c.upca);
        SCOPED_TRACE(c.upca);
        ASSERT_TRUE(fromUpca->isContentValid());
        EXPECT_EQ(fromUpca->content().toLatin1(), symbol.left(7));
        EXPECT_EQ(fromUpca->checkDigit(), symbol.back());
        EXPECT_EQ(fromUpca->leftCaption().toLatin1(), symbol.left(1));
        EXPECT_EQ(fromUpca->caption().toLatin1(), symbol.mid(1, 6));
        EXPECT_EQ(fromUpca->rightCaption().toLatin1(), symbol.right(1));
        EXPECT_EQ(NKDUPCEBarcode::UPCEToUPCA(symbol.left(7)), QByteArray(c.upca));
        for (const QByteArray& other : { symbol, symbol.left(7) }) {
            const auto barcode = upce(other);
            EXPECT_TRUE(barcode->isContentValid()) << other.constData();
            EXPECT_EQ(barcode->completeBarcode(), fromUpca->completeBarcode()) << other.constData();
        }
        EXPECT_EQ(zxingRead(renderForDecoding(*fromUpca), QStringLiteral("UPC-E")), symbol);
    }
}

TEST(UPCECompression, NumbersWithoutACompressedFormAreRefused)
{
    // The dropped product-code digits would not be zero: another product would be read.
    for (const char* upca :
        { "01200012345", "01230000145", "01234000015", "01234500017", "01234500004", "01234567890", "21234500007" }) {
        SCOPED_TRACE(upca);
        EXPECT_FALSE(upce(upca)->isContentValid());
    }
    EXPECT_TRUE(NKDUPCEBarcode::UPCAToUPCE(QStringLiteral("012000123455")).isEmpty());
}

} // namespace
