// Kinds that no decoder here reads, compared module for module (or bar for bar, for the
// height-coded postal kinds) with the module rows that zint dumps.
#include "BarcodeTestSupport.h"

#include "barcodes/BarcodeSettings.h"
#include "barcodes/JapanPostBarcode.h"
#include "barcodes/NKDIndustrialTwoOfFiveBarcode.h"
#include "barcodes/NKDModifiedPlesseyHexBarcode.h"
#include "barcodes/NKDPlanetBarcode.h"
#include "barcodes/NKDRoyalMailBarcode.h"

#include <gtest/gtest.h>

using namespace barcodetest;

namespace {

constexpr int zintIndustrial = 7;
constexpr int zintPostnet = 40;
constexpr int zintMsi = 47;
constexpr int zintRoyalMail = 70;
constexpr int zintJapanPost = 76;
constexpr int zintPlanet = 82;
constexpr int zintPlessey = 86;

// A dumped row holds whole nibbles: the modules, then zero padding.
void expectSameModules(const std::string& ours, QString row)
{
    ASSERT_GE(row.size(), qsizetype(ours.size()));
    EXPECT_FALSE(row.mid(qsizetype(ours.size())).contains(QLatin1Char('1')));
    row.truncate(qsizetype(ours.size()));
    EXPECT_EQ(ours, row.toStdString());
}

// Bars of a four-state or height-coded symbol as letters: F full, A ascender, D descender,
// T tracker (short), read from zint's rows (top, [middle,] bottom).
std::string zintBarStates(const QStringList& rows)
{
    std::string states;
    if (rows.size() != 2 && rows.size() != 3)
        return "(zint made no symbol)";
    const QString& middle = rows[1];
    for (qsizetype i = 0; i < middle.size(); ++i) {
        if (middle[i] != QLatin1Char('1'))
            continue;
        const bool up = rows[0][i] == QLatin1Char('1');
        const bool down = rows.size() == 3 ? rows[2][i] == QLatin1Char('1') : true;
        states += up && down ? 'F' : up ? 'A' : down ? 'D' : 'T';
    }
    return states;
}

std::string ourBarStates(const NKDBarcode& barcode, float fullTop, float fullBottom)
{
    const BarcodeSettings settings;
    const std::string modules = barcode.completeBarcode();
    std::string states;
    for (size_t i = 0; i < modules.size(); ++i) {
        if (modules[i] != '1')
            continue;
        const bool up = barcode.barTop(int(i), settings) >= fullTop - 0.01f;
        const bool down = barcode.barBottom(int(i), settings) <= fullBottom + 0.01f;
        states += up && down ? 'F' : up ? 'A' : down ? 'D' : 'T';
    }
    return states;
}

TEST(ZintOracle, IndustrialTwoOfFiveMatchesModuleForModule)
{
    for (const char* value : { "1", "0123456789", "20260105", "999" }) {
        SCOPED_TRACE(value);
        const auto barcode = NKDBarcode::create<NKDIndustrialTwoOfFiveBarcode>(QString::fromLatin1(value));
        ASSERT_TRUE(barcode->isContentValid());
        expectSameModules(barcode->completeBarcode(), zintDump(zintIndustrial, value).value(0));
    }
}

TEST(ZintOracle, ModifiedPlesseyIsMsiWithModulo10Check)
{
    for (const char* value : { "1234", "0", "80523", "9999999999999999999999999" }) {
        SCOPED_TRACE(value);
        const auto barcode = NKDBarcode::create<NKDModifiedPlesseyBarcode>(QString::fromLatin1(value));
        ASSERT_TRUE(barcode->isContentValid());
        expectSameModules(
            barcode->completeBarcode(), zintDump(zintMsi, value, { QStringLiteral("--vers=1") }).value(0));
    }
}

TEST(ZintOracle, PlesseyHexFormCarriesItsCrc)
{
    for (const char* value : { "12AB", "0", "FFFF", "0123456789ABCDEF", "c0ffee" }) {
        SCOPED_TRACE(value);
        const auto barcode = NKDBarcode::create<NKDModifiedPlesseyHexBarcode>(QString::fromLatin1(value));
        ASSERT_TRUE(barcode->isContentValid());
        expectSameModules(barcode->completeBarcode(), zintDump(zintPlessey, QByteArray(value).toUpper()).value(0));
    }
}

TEST(ZintOracle, PostnetAndPlanetBarHeights)
{
    for (const char* value : { "12345", "123456789", "55555666667" }) {
        SCOPED_TRACE(value);
        const auto postnet = NKDBarcode::create<NKDPostnetBarcode>(QString::fromLatin1(value));
        const auto planet = NKDBarcode::create<NKDPlanetBarcode>(QString::fromLatin1(value));
        ASSERT_TRUE(postnet->isContentValid());
        // Full bars as ascenders over a common bottom: only their height differs.
        EXPECT_EQ(ourBarStates(*postnet, 9.0f, 0.0f), zintBarStates(zintDump(zintPostnet, value)));
        EXPECT_EQ(ourBarStates(*planet, 9.0f, 0.0f), zintBarStates(zintDump(zintPlanet, value)));
    }
}

TEST(ZintOracle, RoyalMailFourStates)
{
    const float ascenderTop = 5.05f * 72.0f / 25.4f;
    for (const char* value : { "ABC1", "SN34RD1A", "0123456789", "zz9" }) {
        SCOPED_TRACE(value);
        const auto barcode = NKDBarcode::create<NKDRoyalMailBarcode>(QString::fromLatin1(value));
        ASSERT_TRUE(barcode->isContentValid());
        EXPECT_EQ(ourBarStates(*barcode, ascenderTop, 0.0f),
            zintBarStates(zintDump(zintRoyalMail, QByteArray(value).toUpper())));
    }
}

TEST(ZintOracle, JapanPostFourStates)
{
    for (const char* value : { "1050011-A1", "15400233-16-4-205", "1234567UVWXYZ", "9876543" }) {
        SCOPED_TRACE(value);
        const auto barcode = NKDBarcode::create<JapanPostBarcode>(QString::fromLatin1(value));
        ASSERT_TRUE(barcode->isContentValid());
        const float longTop = 3.6f * barcode->symbolHeight() / 10.0f / 0.3527777777777777f;
        EXPECT_EQ(ourBarStates(*barcode, longTop, 0.0f), zintBarStates(zintDump(zintJapanPost, value)));
    }
}

} // namespace
