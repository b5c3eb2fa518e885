// Symbology rules that a decoder round trip does not show: validity, check characters,
// captions, widths and the published patterns.
#include "barcodes/BarcodeSettings.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDCodabarBarcode.h"
#include "barcodes/NKDCode128Barcode.h"
#include "barcodes/NKDEAN8Barcode.h"
#include "barcodes/NKDExtendedCode39Barcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"
#include "barcodes/NKDUPCEBarcode.h"

#include <gtest/gtest.h>

namespace {

template <class Kind> std::unique_ptr<Kind> make(const char* content)
{
    return NKDBarcode::create<Kind>(QString::fromLatin1(content));
}

std::unique_ptr<NKDCode128Barcode> code128(const char* content, int set)
{
    return NKDCode128Barcode::create(QString::fromLatin1(content), true, set);
}

TEST(Code39, ValidityAndCaption)
{
    const auto lower = make<NKDCode39Barcode>("abc");
    EXPECT_TRUE(lower->isContentValid());
    EXPECT_EQ(lower->caption(), QStringLiteral("ABC"));
    EXPECT_FALSE(make<NKDCode39Barcode>("A_B")->isContentValid());
    // The frame character inside the data would end the symbol early.
    EXPECT_FALSE(make<NKDCode39Barcode>("A*B")->isContentValid());
}

TEST(Code39, PatternsAndCheckCharacter)
{
    EXPECT_EQ(NKDCode39Barcode::code39Pattern('0'), "1010011011010");
    EXPECT_EQ(NKDCode39Barcode::code39Pattern('*'), "1001011011010");
    EXPECT_TRUE(NKDCode39Barcode::code39Pattern('a').empty());
    auto barcode = make<NKDCode39Barcode>("CODE39");
    barcode->generateChecksum();
    EXPECT_EQ(barcode->checkDigit(), 'W');
    EXPECT_EQ(barcode->completeBarcode().size(), 13u * 9);
}

TEST(ExtendedCode39, PairsForEverythingOutsideTheSet)
{
    const auto one = make<NKDExtendedCode39Barcode>("a");
    const std::string star = NKDCode39Barcode::code39Pattern('*');
    EXPECT_EQ(one->completeBarcode(),
        star + NKDCode39Barcode::code39Pattern('+') + NKDCode39Barcode::code39Pattern('A') + star);
    EXPECT_EQ(one->caption(), QStringLiteral("a"));
    EXPECT_EQ(NKDExtendedCode39Barcode::fullAsciiPair('*'), QByteArray("/J"));
    EXPECT_EQ(NKDExtendedCode39Barcode::fullAsciiPair('/'), QByteArray("/O"));
    EXPECT_EQ(NKDExtendedCode39Barcode::fullAsciiPair('$'), QByteArray("/D"));
    EXPECT_EQ(NKDExtendedCode39Barcode::fullAsciiPair('_'), QByteArray("%O"));
    EXPECT_EQ(NKDExtendedCode39Barcode::fullAsciiPair('-'), QByteArray("-"));
    EXPECT_TRUE(make<NKDExtendedCode39Barcode>("tab\there")->isContentValid());
    EXPECT_FALSE(make<NKDExtendedCode39Barcode>("cr\r")->isContentValid());
    EXPECT_FALSE(make<NKDExtendedCode39Barcode>("del\x7f")->isContentValid());
}

TEST(Code128, AutomaticSetChoice)
{
    EXPECT_EQ(code128("0123", NKDCode128Barcode::Automatic)->codeSet(), NKDCode128Barcode::SetC);
    EXPECT_EQ(code128("MixedCase", NKDCode128Barcode::Automatic)->codeSet(), NKDCode128Barcode::SetB);
    EXPECT_EQ(code128("A\x01\x02", NKDCode128Barcode::Automatic)->codeSet(), NKDCode128Barcode::SetA);
    EXPECT_EQ(code128("a\x01", NKDCode128Barcode::Automatic)->codeSet(), NKDCode128Barcode::SetB);
    const auto empty = code128("", NKDCode128Barcode::Automatic);
    EXPECT_EQ(empty->codeSet(), NKDCode128Barcode::SetC);
    EXPECT_EQ(empty->completeBarcode(),
        NKDCode128Barcode::symbolPattern(105) + NKDCode128Barcode::symbolPattern(2)
            + NKDCode128Barcode::symbolPattern(106));
}

TEST(Code128, CheckValues)
{
    EXPECT_EQ(code128("AB", NKDCode128Barcode::SetB)->checkDigit(), 102);
    EXPECT_EQ(code128("1234", NKDCode128Barcode::SetC)->checkDigit(), 82);
    // SHIFT and the shifted value both count, by their positions.
    const auto shifted = code128("a", NKDCode128Barcode::SetA);
    EXPECT_EQ(shifted->dataSymbols(), (std::vector<int> { 98, 65 }));
    EXPECT_EQ(shifted->checkDigit(), (103 + 98 + 2 * 65) % 103);
}

TEST(Code128, OddDigitCountEndsInSetB)
{
    const auto barcode = code128("12345", NKDCode128Barcode::SetC);
    EXPECT_EQ(barcode->dataSymbols(), (std::vector<int> { 12, 34, 100, 21 }));
    EXPECT_EQ(barcode->caption(), QStringLiteral("12345"));
    barcode->setBarWidth(1);
    barcode->calculateWidth();
    EXPECT_FLOAT_EQ(barcode->width(), 11 * 4 + 35);
}

TEST(Code128, SetRestrictions)
{
    EXPECT_FALSE(code128("12A4", NKDCode128Barcode::SetC)->isContentValid());
    EXPECT_TRUE(code128("abc", NKDCode128Barcode::SetA)->isContentValid());
    EXPECT_EQ(code128("\x7f", NKDCode128Barcode::SetB)->dataSymbols(), (std::vector<int> { 95 }));
    EXPECT_EQ(code128("\t", NKDCode128Barcode::SetB)->dataSymbols(), (std::vector<int> { 98, 73 }));
    EXPECT_EQ(NKDCode128Barcode::_valueForChar('\x7f'), 95);
    EXPECT_EQ(NKDCode128Barcode::_valueForChar('\0'), 64);
    EXPECT_EQ(NKDCode128Barcode::_encodeNumberPair("99"), NKDCode128Barcode::symbolPattern(99));
    EXPECT_TRUE(NKDCode128Barcode::_encodeNumberPair("103").empty());

    const auto broken = code128("1", 7);
    EXPECT_FALSE(broken->isContentValid());
    EXPECT_TRUE(broken->initiator().empty());
}

TEST(Code128, PublishedSymbolPatterns)
{
    EXPECT_EQ(NKDCode128Barcode::symbolPattern(0), "11011001100");
    EXPECT_EQ(NKDCode128Barcode::symbolPattern(103), "11010000100");
    EXPECT_EQ(NKDCode128Barcode::symbolPattern(104), "11010010000");
    EXPECT_EQ(NKDCode128Barcode::symbolPattern(105), "11010011100");
    EXPECT_EQ(NKDCode128Barcode::symbolPattern(106), "1100011101011");
}

TEST(UPCA, CheckDigitCaptionsAndWidth)
{
    auto barcode = make<NKDUPCABarcode>("03600029145");
    EXPECT_EQ(barcode->checkDigit(), '2');
    EXPECT_TRUE(barcode->isContentValid());
    EXPECT_EQ(barcode->caption(), QStringLiteral("36000\t29145"));
    EXPECT_EQ(barcode->leftCaption(), QStringLiteral("0"));
    EXPECT_EQ(barcode->rightCaption(), QStringLiteral("2"));
    EXPECT_EQ(barcode->completeBarcode().size(), 95u);
    EXPECT_FLOAT_EQ(barcode->width(), 95 * 1.2f * barcode->barWidth());
    EXPECT_FLOAT_EQ(barcode->firstBar(), barcode->width() * 0.1f);
    const BarcodeSettings settings;
    EXPECT_FLOAT_EQ(barcode->barBottom(0, settings), 3.6f);
    EXPECT_FLOAT_EQ(barcode->barBottom(47, settings), 3.6f);
    EXPECT_FLOAT_EQ(barcode->barBottom(20, settings), 0);
}

TEST(UPCA, GivenCheckDigitMustBeRightAndLongContentIsRefused)
{
    EXPECT_TRUE(make<NKDUPCABarcode>("036000291452")->isContentValid());
    EXPECT_FALSE(make<NKDUPCABarcode>("036000291453")->isContentValid());
    const auto longer = make<NKDUPCABarcode>("0360002914527");
    EXPECT_FALSE(longer->isContentValid());
    EXPECT_EQ(longer->content(), QStringLiteral("0360002914527"));
    EXPECT_FALSE(make<NKDUPCABarcode>("0360002914A")->isContentValid());
}

TEST(EAN13, CheckDigitAndParities)
{
    const auto barcode = make<NKDEAN13Barcode>("400638133393");
    EXPECT_EQ(barcode->checkDigit(), '1');
    ASSERT_TRUE(barcode->isContentValid());
    // First digit 4: digits 2 to 7 in L G L L G G.
    const std::string modules = barcode->completeBarcode();
    const char* digits = "006381";
    const bool even[] = { false, true, false, false, true, true };
    for (int i = 0; i < 6; ++i) {
        const std::string expected = even[i] ? NKDAbstractUPCEANBarcode::leftEvenPattern(digits[i])
                                             : NKDAbstractUPCEANBarcode::leftOddPattern(digits[i]);
        EXPECT_EQ(modules.substr(3 + 7 * size_t(i), 7), expected) << i;
    }
    EXPECT_EQ(barcode->caption(), QStringLiteral("  006381\t333931"));
    EXPECT_TRUE(barcode->rightCaption().isEmpty());
    EXPECT_FALSE(make<NKDEAN13Barcode>("4006381333932")->isContentValid());
    EXPECT_FALSE(make<NKDEAN13Barcode>("40063813339310")->isContentValid());
}

TEST(EAN8, CheckDigitLengthAndGivenCheck)
{
    const auto barcode = make<NKDEAN8Barcode>("9638507");
    EXPECT_EQ(barcode->checkDigit(), '4');
    EXPECT_EQ(barcode->completeBarcode().size(), 67u);
    EXPECT_EQ(barcode->caption(), QStringLiteral(" 9638\t5074"));
    EXPECT_TRUE(barcode->leftCaption().isEmpty());
    EXPECT_FALSE(make<NKDEAN8Barcode>("ABCDEFG")->isContentValid());
    EXPECT_TRUE(make<NKDEAN8Barcode>("96385074")->isContentValid());
    EXPECT_FALSE(make<NKDEAN8Barcode>("96385075")->isContentValid());
}

TEST(UPCE, ParitiesFollowTheCheckDigit)
{
    const auto barcode = make<NKDUPCEBarcode>("01234565");
    ASSERT_TRUE(barcode->isContentValid());
    const bool expected[] = { true, false, false, true, true, false };
    for (int position = 1; position <= 6; ++position)
        EXPECT_EQ(barcode->parityForDigit(position), expected[position - 1]) << position;
    EXPECT_EQ(barcode->completeBarcode().size(), 51u);
    EXPECT_EQ(barcode->caption(), QStringLiteral("123456"));
    EXPECT_EQ(barcode->leftCaption(), QStringLiteral("0"));
    EXPECT_EQ(barcode->rightCaption(), QStringLiteral("5"));
}

TEST(UPCE, SevenDigitsTakeTheirCheckDigitFromTheExpansion)
{
    const auto barcode = make<NKDUPCEBarcode>("0123456");
    EXPECT_EQ(NKDUPCEBarcode::UPCEToUPCA("0123456"), QByteArray("01234500006"));
    EXPECT_EQ(barcode->checkDigit(), '5');
    EXPECT_TRUE(barcode->isContentValid());
}

TEST(UPCE, InvalidContent)
{
    EXPECT_FALSE(make<NKDUPCEBarcode>("01234566")->isContentValid()); // wrong check digit
    EXPECT_FALSE(make<NKDUPCEBarcode>("01234a6")->isContentValid());
    EXPECT_FALSE(make<NKDUPCEBarcode>("2123456")->isContentValid());
    EXPECT_FALSE(make<NKDUPCEBarcode>("012345")->isContentValid());
    EXPECT_EQ(NKDUPCEBarcode::UPCAToUPCE(QStringLiteral("012000003455")), QStringLiteral("123450"));
    EXPECT_TRUE(NKDUPCEBarcode::UPCAToUPCE(QStringLiteral("01234")).isEmpty());
}

TEST(TwoOfFive, InterleavedPadsOddContent)
{
    const auto barcode = make<NKDInterleavedTwoOfFiveBarcode>("123");
    EXPECT_EQ(barcode->completeBarcode().size(), 45u);
    EXPECT_EQ(barcode->completeBarcode(), make<NKDInterleavedTwoOfFiveBarcode>("0123")->completeBarcode());
    EXPECT_FALSE(make<NKDInterleavedTwoOfFiveBarcode>("12A4")->isContentValid());
    const auto empty = make<NKDInterleavedTwoOfFiveBarcode>("");
    EXPECT_EQ(empty->completeBarcode(),
        "1010"
        "11101");
}

TEST(TwoOfFive, IndustrialUsesItsOwnStartStopAndNarrowSpaces)
{
    EXPECT_EQ(make<NKDIndustrialTwoOfFiveBarcode>("1")->completeBarcode(),
        "1110111010"
        "1110"
        "10"
        "10"
        "10"
        "1110"
        "111010111");
}

TEST(Codabar, StartAndStopLetters)
{
    const auto framed = make<NKDCodabarBarcode>("A123B");
    EXPECT_TRUE(framed->isContentValid());
    EXPECT_EQ(framed->symbolText(), QByteArray("A123B"));
    const auto bare = make<NKDCodabarBarcode>("123");
    EXPECT_TRUE(bare->isContentValid());
    EXPECT_EQ(bare->symbolText(), QByteArray("A123A"));
    EXPECT_EQ(bare->caption(), QStringLiteral("123"));
    EXPECT_FALSE(make<NKDCodabarBarcode>("1B2")->isContentValid());
    EXPECT_FALSE(make<NKDCodabarBarcode>("A123")->isContentValid());
    EXPECT_FALSE(make<NKDCodabarBarcode>("a123b")->isContentValid());
}

TEST(Codabar, PublishedPatternsWithGapsBetweenCharacters)
{
    const auto barcode = make<NKDCodabarBarcode>("");
    EXPECT_EQ(barcode->_encodeChar('B'), "1001001011");
    EXPECT_EQ(barcode->_encodeChar('C'), "1010010011");
    EXPECT_EQ(barcode->_encodeChar('+'), "1011011011");
    EXPECT_EQ(barcode->_encodeChar('0'), "101010011");
    EXPECT_EQ(make<NKDCodabarBarcode>("C1D")->completeBarcode(),
        "1010010011"
        "0"
        "101011001"
        "0"
        "1010011001");
}

TEST(Plessey, ModifiedPlesseyCheckDigit)
{
    const auto barcode = make<NKDModifiedPlesseyBarcode>("1234");
    EXPECT_EQ(barcode->checkDigit(), '4');
    EXPECT_EQ(barcode->completeBarcode().substr(0, 3 + 12),
        "110"
        "100100100110");
    // Long content: no overflow, and the same rule at any length.
    EXPECT_EQ(NKDModifiedPlesseyBarcode::modulo10CheckDigit(QByteArray(40, '9')),
        NKDModifiedPlesseyBarcode::modulo10CheckDigit(QByteArray(20, '9')));
    EXPECT_EQ(NKDModifiedPlesseyBarcode::modulo10CheckDigit("80523"), '4');
    EXPECT_FALSE(make<NKDModifiedPlesseyBarcode>("12A")->isContentValid());
}

TEST(Plessey, HexFormAcceptsLowerCaseHexOnly)
{
    EXPECT_TRUE(make<NKDModifiedPlesseyHexBarcode>("c0ffee")->isContentValid());
    EXPECT_FALSE(make<NKDModifiedPlesseyHexBarcode>("12G")->isContentValid());
    EXPECT_EQ(NKDModifiedPlesseyHexBarcode::plesseyCrc("12AB"), 0b11001000);
    EXPECT_EQ(NKDModifiedPlesseyHexBarcode::plesseyCrc("G"), -1);
}

TEST(Postal, PostnetCheckDigitBarsAndValidity)
{
    const auto barcode = make<NKDPostnetBarcode>("12345");
    EXPECT_EQ(barcode->checkDigit(), '5');
    const std::string modules = barcode->completeBarcode();
    EXPECT_EQ(std::count(modules.begin(), modules.end(), '1'), 2 + 6 * 5);
    EXPECT_FALSE(make<NKDPostnetBarcode>("1234")->isContentValid());
    EXPECT_TRUE(make<NKDPostnetBarcode>("12345678901")->isContentValid());
    EXPECT_FALSE(make<NKDPostnetBarcode>("1234A")->isContentValid());
}

TEST(Postal, PlanetSwapsFullAndHalfBars)
{
    const auto postnet = make<NKDPostnetBarcode>("12345");
    const auto planet = make<NKDPlanetBarcode>("12345");
    const BarcodeSettings settings;
    const std::string modules = postnet->completeBarcode();
    const int last = int(modules.size()) - 1;
    EXPECT_FLOAT_EQ(planet->barTop(0, settings), 9.0f);
    EXPECT_FLOAT_EQ(planet->barTop(last, settings), 9.0f);
    for (int i = 1; i < last; ++i) {
        if (modules[size_t(i)] != '1')
            continue;
        const bool postnetFull = postnet->barTop(i, settings) > 8.0f;
        const bool planetFull = planet->barTop(i, settings) > 8.0f;
        EXPECT_NE(postnetFull, planetFull) << i;
    }
}

TEST(Postal, RoyalMailFlagsCaseAndCharacters)
{
    const auto barcode = NKDBarcode::create<NKDRoyalMailBarcode>(QStringLiteral("sn34rd1a"), false);
    EXPECT_TRUE(barcode->printsCaption());
    EXPECT_EQ(barcode->content(), QStringLiteral("SN34RD1A"));
    EXPECT_TRUE(barcode->isContentValid());
    EXPECT_FALSE(make<NKDRoyalMailBarcode>("AB-1")->isContentValid());
    EXPECT_EQ(make<NKDRoyalMailBarcode>("")->checkDigit(), 'Z');
}

TEST(Postal, RoyalMailBarsSpanFromBottomToTop)
{
    const auto barcode = make<NKDRoyalMailBarcode>("0");
    const BarcodeSettings settings;
    const float mm = 72.0f / 25.4f;
    // Start bar: ascender; "0" is tracker, tracker, full, full.
    EXPECT_FLOAT_EQ(barcode->barTop(0, settings), 5.05f * mm);
    EXPECT_FLOAT_EQ(barcode->barBottom(0, settings), 1.9f * mm);
    EXPECT_FLOAT_EQ(barcode->barTop(2, settings), 3.15f * mm);
    EXPECT_FLOAT_EQ(barcode->barBottom(2, settings), 1.9f * mm);
    EXPECT_FLOAT_EQ(barcode->barTop(6, settings), 5.05f * mm);
    EXPECT_FLOAT_EQ(barcode->barBottom(6, settings), 0);
    EXPECT_TRUE(barcode->hasFourStateBars());
}

TEST(Postal, JapanPostConversionAndCheckCharacter)
{
    const auto barcode = make<JapanPostBarcode>("1050011-a1");
    EXPECT_EQ(barcode->japanpostContents(), QStringLiteral("1050011-:01========="));
    EXPECT_EQ(barcode->content(), QStringLiteral("1050011-A1"));
    EXPECT_EQ(barcode->checkDigit(), '>');
    EXPECT_EQ(barcode->completeBarcode().size(), 133u);
    EXPECT_TRUE(barcode->isContentValid());

    const auto cut = make<JapanPostBarcode>("0600002ABCDEFGHIJKLM");
    EXPECT_EQ(cut->japanpostContents(), QStringLiteral("0600002:0:1:2:3:4:5:"));
    EXPECT_EQ(cut->content(), QStringLiteral("0600002ABCDEF"));
    EXPECT_FALSE(make<JapanPostBarcode>("105-0011")->isContentValid());
    EXPECT_FALSE(make<JapanPostBarcode>("123456")->isContentValid());
}

TEST(Postal, JapanPostSymbolSizeIsApartFromPictureHeight)
{
    auto barcode = make<JapanPostBarcode>("1050011");
    const BarcodeSettings settings;
    barcode->setSymbolHeight(20);
    EXPECT_FLOAT_EQ(barcode->symbolHeight(), 11.5f);
    EXPECT_FLOAT_EQ(barcode->barWidth(), 11.5f / 6);
    barcode->setBarWidth(1);
    EXPECT_FLOAT_EQ(barcode->barWidth(), 1.3333334f);
    EXPECT_FLOAT_EQ(barcode->symbolHeight(), 8.0f);

    // A taller picture (caption, header, footer) keeps the bars at the symbol's size.
    barcode->setSymbolHeight(10);
    const float longTop = barcode->barTop(0, settings);
    barcode->setHeight(80);
    EXPECT_FLOAT_EQ(barcode->height(), 80);
    EXPECT_FLOAT_EQ(barcode->barTop(0, settings), longTop);
    EXPECT_NEAR(longTop, 3.6 / 0.3527777, 0.01);
    EXPECT_LT(longTop, barcode->height());
}

} // namespace
