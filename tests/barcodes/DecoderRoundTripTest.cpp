// Each decodable kind rendered to PNG and read back by two independent decoders.
#include "BarcodeTestSupport.h"

#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/NKDBarcode.h"

#include <gtest/gtest.h>

using namespace barcodetest;

namespace {

struct Case
{
    const char* title;
    QByteArray content;
    QByteArray expected; // as the symbol carries it
    const char* zxingFormat;
    bool zbarReadsIt = true; // zbar reads no UPC-E of number system 1
};

// Codabar readers differ in whether they return the start and stop letters.
QByteArray withoutCodabarFrame(QByteArray text)
{
    if (text.size() >= 2 && text.front() >= 'A' && text.front() <= 'D' && text.back() >= 'A' && text.back() <= 'D')
        return text.mid(1, text.size() - 2);
    return text;
}

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.title << " \"" << c.content.toStdString() << "\"";
}

class DecoderRoundTrip : public ::testing::TestWithParam<Case>
{
protected:
    QImage render()
    {
        const Case& c = GetParam();
        barcode_ = createLinearBarcode(QString::fromLatin1(c.title), QString::fromLatin1(c.content), true);
        if (!barcode_)
            return {};
        EXPECT_TRUE(barcode_->isContentValid());
        BarcodeSettings settings;
        settings.value_font.setPointSize(8);
        barcode_->setCaptionFontSize(8, settings);
        return renderForDecoding(*barcode_, settings);
    }
    std::unique_ptr<NKDBarcode> barcode_;
};

TEST_P(DecoderRoundTrip, ZXingReadsTheValue)
{
    const Case& c = GetParam();
    const QImage image = render();
    ASSERT_FALSE(image.isNull());
    QByteArray read = zxingRead(image, QString::fromLatin1(c.zxingFormat));
    QByteArray expected = c.expected;
    if (QByteArray(c.zxingFormat) == "Codabar") {
        read = withoutCodabarFrame(read);
        expected = withoutCodabarFrame(expected);
    }
    EXPECT_EQ(read, expected);
}

TEST_P(DecoderRoundTrip, ZbarReadsTheValue)
{
    const Case& c = GetParam();
    if (!c.zbarReadsIt)
        GTEST_SKIP() << "zbar does not read this kind";
    const QImage image = render();
    ASSERT_FALSE(image.isNull());
    QStringList options;
    const QByteArray format(c.zxingFormat);
    if (format == "UPC-A")
        options << QStringLiteral("-Supca.enable");
    if (format == "UPC-E")
        options << QStringLiteral("-Supce.enable");
    QByteArray read = zbarRead(image, options);
    QByteArray expected = c.expected;
    if (format == "Codabar") {
        read = withoutCodabarFrame(read);
        expected = withoutCodabarFrame(expected);
    }
    EXPECT_EQ(read, expected);
}

const Case cases[] = {
    // Code 39: lower case is written in upper case; every punctuation mark of the set.
    { "Code 39", "A", "A", "Code39" },
    { "Code 39", "CODE39", "CODE39", "Code39" },
    { "Code 39", "abc-123", "ABC-123", "Code39" },
    { "Code 39", "HELLO WORLD. $/+%", "HELLO WORLD. $/+%", "Code39" },
    { "Code 39", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "Code39" },
    // Extended Code 39: both readers return the raw pairs.
    { "Extended Code 39", "Hello", "H+E+L+L+O", "Code39" },
    { "Extended Code 39", "a/b*c", "+A/O+B/J+C", "Code39" },
    { "Extended Code 39", "$%+!~", "/D/E/K/A%S", "Code39" },
    { "Extended Code 39", "x\ty", "+X$I+Y", "Code39" },
    // Code 128, automatic set: digits only go to set C, odd counts end in set B.
    { "Code 128", "Hello World", "Hello World", "Code128" },
    { "Code 128", "123456", "123456", "Code128" },
    { "Code 128", "12345", "12345", "Code128" },
    { "Code 128", "7", "7", "Code128" },
    { "Code 128", "A\x01\x02z", "A\x01\x02z", "Code128" },
    { "Code 128", "0123456789012345678901234567890123456789", "0123456789012345678901234567890123456789", "Code128" },
    // Set A: control characters, and lower case through SHIFT.
    { "Code 128 SET A", "ABC\t123", "ABC\t123", "Code128" },
    { "Code 128 SET A", "Mixed case", "Mixed case", "Code128" },
    { "Code 128 SET A", "DEL\x7f", "DEL\x7f", "Code128" },
    // Set B: the whole printable range, DEL, and control characters through SHIFT.
    { "Code 128 SET B", " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~", "Code128" },
    { "Code 128 SET B", "tab\there", "tab\there", "Code128" },
    { "Code 128 SET B", "x\x7fy", "x\x7fy", "Code128" },
    // Set C: even and odd digit counts.
    { "Code 128 SET C", "1234567890", "1234567890", "Code128" },
    { "Code 128 SET C", "123", "123", "Code128" },
    { "Code 128 SET C", "00", "00", "Code128" },
    // EAN and UPC: computed and given check digits.
    { "EAN-13", "400638133393", "4006381333931", "EAN-13" },
    { "EAN-13", "4006381333931", "4006381333931", "EAN-13" },
    { "EAN-13", "978020137962", "9780201379624", "EAN-13" },
    { "EAN-13", "000000000000", "0000000000000", "EAN-13" },
    { "EAN-8", "9638507", "96385074", "EAN-8" },
    { "EAN-8", "55123457", "55123457", "EAN-8" },
    { "UPCA", "03600029145", "036000291452", "UPC-A" },
    { "UPCA", "123456789012", "123456789012", "UPC-A" },
    { "UPCE", "0123456", "01234565", "UPC-E" },
    { "UPCE", "01234565", "01234565", "UPC-E" },
    { "UPCE", "0654321", "06543217", "UPC-E" },
    { "UPCE", "1123450", "11234502", "UPC-E", false },
    // Interleaved 2 of 5: odd lengths gain a leading zero.
    { "Interleaved 2 of 5", "123456", "123456", "ITF" },
    { "Interleaved 2 of 5", "0123456789", "0123456789", "ITF" },
    { "Interleaved 2 of 5", "1234567", "01234567", "ITF" },
    // Codabar: with its own start and stop letters, or framed by "A".
    { "Codabar", "A40156B", "A40156B", "Codabar" },
    { "Codabar", "C0123456789D", "C0123456789D", "Codabar" },
    { "Codabar", "123456", "A123456A", "Codabar" },
    { "Codabar", "-$:/.+12", "A-$:/.+12A", "Codabar" },
};

INSTANTIATE_TEST_SUITE_P(Symbols, DecoderRoundTrip, ::testing::ValuesIn(cases));

} // namespace
