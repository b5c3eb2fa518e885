#include "barcodes/CQR_Encode.h"
#include "barcodes/QREncoder.h"

#include "QRTestTools.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <algorithm>
#include <atomic>
#include <string>
#include <memory>
#include <thread>

namespace {

constexpr int L = 0, M = 1, Q = 2, H = 3;

const uint8_t* bytesOf(const QByteArray& text)
{
    return reinterpret_cast<const uint8_t*>(text.constData());
}

std::unique_ptr<CQR_Encode> encode(const QByteArray& text, int level, int version, int mask = -1, bool autoExtent = true)
{
    auto encoder = std::make_unique<CQR_Encode>();
    if (!encoder->EncodeData(level, version, autoExtent, mask, bytesOf(text), text.size()))
        return nullptr;
    return encoder;
}

qrtest::Modules modulesOf(const CQR_Encode& encoder)
{
    const int size = static_cast<int>(encoder.m_nSymbleSize);
    qrtest::Modules modules(size, std::vector<bool>(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            modules[y][x] = encoder.m_byModuleData[x][y] == 1;
    return modules;
}

// Reads `count` bits of the data stream from bit `from`.
int streamBits(const CQR_Encode& encoder, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i)
        value = value << 1 | ((encoder.m_byDataCodeWord[i / 8] >> (7 - i % 8)) & 1);
    return value;
}

}  // namespace

TEST(CQR_EncodeTest, NumericVersionOneMediumGivesTheStandardCodewords)
{
    const auto encoder = encode("01234567", M, 0);
    ASSERT_TRUE(encoder);
    EXPECT_EQ(encoder->m_nVersion, 1);
    EXPECT_EQ(encoder->m_nSymbleSize, 21);
    ASSERT_EQ(encoder->m_ncDataBlock, 1);
    EXPECT_EQ(encoder->m_byBlockMode[0], CQR_Encode::QR_MODE_NUMERAL);

    const std::vector<int> data = {16, 32, 12, 86, 97, 128, 236, 17, 236, 17, 236, 17, 236, 17, 236, 17};
    const std::vector<int> check = {165, 36, 212, 193, 237, 54, 199, 135, 44, 85};
    std::vector<int> all(encoder->m_byAllCodeWord, encoder->m_byAllCodeWord + 26);
    EXPECT_EQ(std::vector<int>(all.begin(), all.begin() + 16), data);
    EXPECT_EQ(std::vector<int>(all.begin() + 16, all.end()), check);
}

TEST(CQR_EncodeTest, RequestedVersionIsKeptExtendedOrRefused)
{
    const QByteArray text(110, 'x');  // needs version 7 at level M

    EXPECT_FALSE(encode(text, M, 5, -1, false));
    const auto extended = encode(text, M, 5, -1, true);
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->m_nVersion, 7);

    const auto larger = encode("HELLO WORLD", M, 5, -1, false);
    ASSERT_TRUE(larger);
    EXPECT_EQ(larger->m_nVersion, 5);
    EXPECT_EQ(larger->m_nSymbleSize, 37);
    // 11 alphanumerics take 74 bits; the rest of version 5-M's 86 data codewords is padding.
    const int firstPad = (74 + 4 + 7) / 8;
    for (int i = firstPad; i < 86; ++i)
        EXPECT_EQ(larger->m_byDataCodeWord[i], (i - firstPad) % 2 == 0 ? 236 : 17) << i;
}

TEST(CQR_EncodeTest, AutomaticVersionIsTheSmallestThatHoldsTheBytes)
{
    // Byte capacities of the standard at levels L and H for a spread of versions; one byte
    // more needs the next version (or fits none after 40).
    struct Case { int version; int level; int bytes; };
    const Case cases[] = {{1, L, 17}, {1, H, 7}, {2, L, 32}, {6, M, 106}, {7, Q, 86}, {10, L, 271},
                          {10, H, 119}, {17, Q, 364}, {26, M, 1059}, {27, L, 1465}, {33, H, 898},
                          {39, Q, 1579}, {40, L, 2953}, {40, M, 2331}, {40, Q, 1663}, {40, H, 1273}};
    for (const Case& c : cases) {
        const auto fits = encode(QByteArray(c.bytes, 'a'), c.level, 0, 0);
        ASSERT_TRUE(fits) << c.version << "/" << c.level;
        EXPECT_EQ(fits->m_nVersion, c.version) << c.bytes;
        const auto more = encode(QByteArray(c.bytes + 1, 'a'), c.level, 0, 0);
        if (c.version == 40)
            EXPECT_FALSE(more);
        else
            ASSERT_TRUE(more && more->m_nVersion == c.version + 1) << c.bytes + 1;
    }
}

TEST(CQR_EncodeTest, UnencodableInputFailsAndKeepsThePreviousSymbol)
{
    CQR_Encode encoder;
    const QByteArray first = "KEEP ME";
    ASSERT_TRUE(encoder.EncodeData(Q, 0, true, 3, bytesOf(first), first.size()));
    const qrtest::Modules before = modulesOf(encoder);

    const QByteArray tooLong(2954, 'a');
    EXPECT_FALSE(encoder.EncodeData(L, 0, true, -1, bytesOf(tooLong), tooLong.size()));
    const QByteArray empty;
    EXPECT_FALSE(encoder.EncodeData(L, 0, true, -1, bytesOf(empty), 0));
    EXPECT_FALSE(encoder.EncodeData(4, 0, true, -1, bytesOf(first), first.size()));
    EXPECT_FALSE(encoder.EncodeData(L, 41, true, -1, bytesOf(first), first.size()));
    EXPECT_FALSE(encoder.EncodeData(L, 0, true, 8, bytesOf(first), first.size()));

    EXPECT_EQ(encoder.m_nSymbleSize, 21);
    EXPECT_EQ(encoder.m_nVersion, 1);
    EXPECT_EQ(modulesOf(encoder), before);
}

TEST(CQR_EncodeTest, ManyShortSegmentsDoNotOverrunTheSegmentTables)
{
    // Every position starts a new segment before joining: 7089 of them, the longest source
    // that could fit, and one byte more is refused outright.
    QByteArray alternating;
    for (int i = 0; i < 7089; ++i)
        alternating += (i % 2) ? '1' : 'a';
    EXPECT_FALSE(encode(alternating, L, 0));
    EXPECT_FALSE(encode(alternating + "1", L, 0));

    QByteArray digitsAndLetters;  // fits: joins into few segments
    for (int i = 0; i < 1000; ++i)
        digitsAndLetters += (i % 2) ? '1' : 'A';
    const auto fits = encode(digitsAndLetters, L, 0);
    ASSERT_TRUE(fits);
    EXPECT_EQ(fits->m_ncDataBlock, 1);
    EXPECT_EQ(fits->m_byBlockMode[0], CQR_Encode::QR_MODE_ALPHABET);
}

TEST(CQR_EncodeTest, SegmentsFollowTheCheaperModes)
{
    // A long digit run inside letters keeps its own numeric segment; a short one is joined.
    const auto longRun = encode("ABCDEF0123456789012345GHIJ", M, 0);
    ASSERT_TRUE(longRun);
    ASSERT_EQ(longRun->m_ncDataBlock, 3);
    EXPECT_EQ(longRun->m_byBlockMode[1], CQR_Encode::QR_MODE_NUMERAL);
    EXPECT_EQ(longRun->m_nBlockLength[1], 16);

    const auto shortRun = encode("ABCDEF01GHIJ", M, 0);
    ASSERT_TRUE(shortRun);
    ASSERT_EQ(shortRun->m_ncDataBlock, 1);
    EXPECT_EQ(shortRun->m_byBlockMode[0], CQR_Encode::QR_MODE_ALPHABET);

    // Lower-case text swallows a short number between its byte runs.
    const auto bytes = encode("abc12def", M, 0);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->m_ncDataBlock, 1);
    EXPECT_EQ(bytes->m_byBlockMode[0], CQR_Encode::QR_MODE_8BIT);
    EXPECT_EQ(bytes->m_nBlockLength[0], 8);
}

TEST(CQR_EncodeTest, ShiftJisPairIsOneKanjiCharacterUnlessKanjiIsOff)
{
    const QByteArray kanji("\x93\xFA");
    const auto encoder = encode(kanji, M, 0);
    ASSERT_TRUE(encoder);
    ASSERT_EQ(encoder->m_ncDataBlock, 1);
    EXPECT_EQ(encoder->m_byBlockMode[0], CQR_Encode::QR_MODE_KANJI);
    EXPECT_EQ(streamBits(*encoder, 0, 4), 8);         // mode indicator
    EXPECT_EQ(streamBits(*encoder, 4, 8), 1);         // one character
    EXPECT_EQ(streamBits(*encoder, 12, 13), 0x0E3A);  // (0x93FA - 0x8140): 0x12 * 0xC0 + 0xBA

    CQR_Encode bytesOnly;
    bytesOnly.m_bKanjiMode = false;
    ASSERT_TRUE(bytesOnly.EncodeData(M, 0, true, -1, bytesOf(kanji), kanji.size()));
    EXPECT_EQ(bytesOnly.m_byBlockMode[0], CQR_Encode::QR_MODE_8BIT);
    EXPECT_EQ(streamBits(bytesOnly, 0, 4), 4);
    EXPECT_EQ(streamBits(bytesOnly, 4, 8), 2);
    EXPECT_EQ(bytesOnly.Get_Encoding_Mode(bytesOf(kanji), 2), CQR_Encode::QR_MODE_8BIT);
    EXPECT_EQ(encoder->Get_Encoding_Mode(bytesOf(kanji), 2), CQR_Encode::QR_MODE_KANJI);
}

TEST(CQR_EncodeTest, EncodingModeOfAWholeText)
{
    CQR_Encode encoder;
    auto mode = [&](const QByteArray& text) { return encoder.Get_Encoding_Mode(bytesOf(text), text.size()); };
    EXPECT_EQ(mode("0123"), CQR_Encode::QR_MODE_NUMERAL);
    EXPECT_EQ(mode("01 AB:"), CQR_Encode::QR_MODE_ALPHABET);
    EXPECT_EQ(mode("01 AB:a"), CQR_Encode::QR_MODE_8BIT);
    EXPECT_EQ(mode(""), CQR_Encode::QR_MODE_8BIT);
}

TEST(CQR_EncodeTest, VersionInformationFromVersionSeven)
{
    // Version 7's 18-bit code is 000111 110010010100, least significant bit at the top left
    // of the 6 x 3 block next to the bottom-left finder.
    const auto seven = encode("V7", L, 7, 0);
    ASSERT_TRUE(seven);
    const int size = 45;
    const int code = 0x07C94;
    for (int i = 0; i < 18; ++i) {
        const bool bit = (code >> i) & 1;
        EXPECT_EQ(seven->m_byModuleData[i / 3][size - 11 + i % 3] == 1, bit) << i;  // bottom left
        EXPECT_EQ(seven->m_byModuleData[size - 11 + i % 3][i / 3] == 1, bit) << i;  // top right
    }

    // Version 6 has data there instead: with a blank mask pattern the area changes with the data.
    const auto sixA = encode(QByteArray(100, 'a'), L, 6, 0);
    const auto sixB = encode(QByteArray(100, 'b'), L, 6, 0);
    ASSERT_TRUE(sixA && sixB);
    bool differs = false;
    for (int i = 0; i < 18; ++i)
        differs |= sixA->m_byModuleData[i / 3][41 - 11 + i % 3] != sixB->m_byModuleData[i / 3][41 - 11 + i % 3];
    EXPECT_TRUE(differs);
}

TEST(CQR_EncodeTest, ModuleGridsEqualZint)
{
    // Forced version, level and mask over every version, level and mask; payloads whose
    // segmentation is unambiguous (one mode), so that both encoders build the same stream.
    struct Case { int version; int level; int mask; QByteArray data; };
    std::vector<Case> cases;
    const QByteArray kinds[3] = {"31415926535897932384626433832795028841971693993751",
                                 "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOG $%*+-./:",
                                 "the quick brown fox jumps over the lazy dog!"};
    for (int version = 1; version <= 40; ++version) {
        const int kind = version % 3;
        const int level = version % 4;
        static constexpr int kPercentOfCapacity[4] = {100, 75, 50, 90};
        const int64_t length = QREncoder::characterCapacity(kind, version, level) * kPercentOfCapacity[version % 4] / 100;
        QByteArray data = kinds[kind].repeated(1 + length / kinds[kind].size());
        data.truncate(length);
        cases.push_back({version, level, version % 8, data});
    }
    for (int mask = 0; mask < 8; ++mask)
        for (int level = L; level <= H; ++level)
            cases.push_back({2 + mask, level, mask, kinds[(mask + level) % 3].left(10 + level)});

    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "version " << c.version << " level " << c.level << " mask "
                                        << c.mask << " bytes " << c.data.size());
        const auto ours = encode(c.data, c.level, c.version, c.mask, false);
        ASSERT_TRUE(ours);
        const qrtest::Modules zint = qrtest::zintModules(c.data, c.version, c.level, c.mask);
        ASSERT_FALSE(zint.empty()) << "zint gave no symbol";
        EXPECT_EQ(modulesOf(*ours), zint);
    }
}

TEST(CQR_EncodeTest, SeparateEncodersOnSeveralThreadsAgree)
{
    std::vector<QByteArray> texts;
    for (int i = 0; i < 16; ++i)
        texts.push_back(QByteArray("thread safety ").repeated(1 + i * 4) + QByteArray::number(i));
    std::vector<qrtest::Modules> expected;
    for (size_t i = 0; i < texts.size(); ++i) {
        const auto encoder = encode(texts[i], int(i % 4), 0);
        ASSERT_TRUE(encoder);
        expected.push_back(modulesOf(*encoder));
    }

    std::atomic<int> mismatches = 0;
    auto work = [&](int offset) {
        for (int round = 0; round < 5; ++round)
            for (size_t k = 0; k < texts.size(); ++k) {
                const size_t i = (k + offset) % texts.size();
                const auto encoder = encode(texts[i], int(i % 4), 0);
                if (!encoder || modulesOf(*encoder) != expected[i])
                    ++mismatches;
            }
    };
    std::thread first(work, 0), second(work, 7), third(work, 11);
    first.join();
    second.join();
    third.join();
    EXPECT_EQ(mismatches, 0);
}

namespace {

// The mask penalty written out plainly from its four rules, to judge the encoder's choice.
int64_t penaltyOf(const qrtest::Modules& modules)
{
    const int size = static_cast<int>(modules.size());
    std::vector<std::string> lines;
    for (int i = 0; i < size; ++i) {
        std::string row, column;
        for (int k = 0; k < size; ++k) {
            row += modules[i][k] ? '1' : '0';
            column += modules[k][i] ? '1' : '0';
        }
        lines.push_back(row);
        lines.push_back(column);
    }
    int64_t penalty = 0;
    for (const std::string& line : lines) {
        for (size_t start = 0; start < line.size();) {
            size_t end = start;
            while (end < line.size() && line[end] == line[start])
                ++end;
            if (end - start >= 5)
                penalty += int64_t(end - start) - 2;
            start = end;
        }
        const std::string padded = "0000" + line + "0000";  // the edge counts as light
        for (size_t at = padded.find("1011101"); at != std::string::npos; at = padded.find("1011101", at + 1)) {
            if (padded[at - 1] != '0' || padded[at + 7] != '0')
                continue;
            if (padded.compare(at - 4, 4, "0000") == 0 || padded.compare(at + 7, 4, "0000") == 0)
                penalty += 40;
        }
    }
    int64_t light = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            light += !modules[y][x];
            if (y + 1 < size && x + 1 < size && modules[y][x] == modules[y][x + 1]
                && modules[y][x] == modules[y + 1][x] && modules[y][x] == modules[y + 1][x + 1])
                penalty += 3;
        }
    penalty += std::abs(50 - light * 100 / (size * size)) / 5 * 10;
    return penalty;
}

}  // namespace

TEST(CQR_EncodeTest, AutomaticMaskHasTheLowestPenaltyAndTiesKeepTheLowerNumber)
{
    // The first payload gives masks 3 and 6 the same lowest penalty.
    const QByteArray payloads[] = {"TIE 4", "01234567", "https://example.org/card?id=42",
                                   QByteArray("MIXED 123 text ").repeated(12)};
    for (const QByteArray& payload : payloads) {
        SCOPED_TRACE(payload.constData());
        std::vector<int64_t> penalties;
        std::vector<qrtest::Modules> masked;
        for (int mask = 0; mask < 8; ++mask) {
            const auto forced = encode(payload, Q, 0, mask);
            ASSERT_TRUE(forced);
            masked.push_back(modulesOf(*forced));
            penalties.push_back(penaltyOf(masked.back()));
        }
        const int best = int(std::min_element(penalties.begin(), penalties.end()) - penalties.begin());
        const auto automatic = encode(payload, Q, 0, -1);
        ASSERT_TRUE(automatic);
        EXPECT_EQ(automatic->m_nMaskingNo, best);
        EXPECT_EQ(modulesOf(*automatic), masked[best]);
        if (payload == "TIE 4") {
            EXPECT_EQ(penalties[3], penalties[6]);
            EXPECT_EQ(automatic->m_nMaskingNo, 3);
        }
    }
}
