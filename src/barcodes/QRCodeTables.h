#pragma once

// Constant tables of QR Code (Model 2): error correction characteristics, alignment pattern
// positions, data capacities and the GF(256) arithmetic of its Reed-Solomon code.
// Everything is derived at compile time from the compact per-version figures of the
// standard, so the tables are read-only and safe to share between threads.

#include <array>
#include <cstdint>

namespace qrtables {

constexpr int kMaxVersion = 40;
constexpr int kMaxModules = 177;            // 4 x 40 + 17
constexpr int kMaxDataCodewords = 2956;     // version 40-L
constexpr int kMaxAllCodewords = 3706;      // version 40
constexpr int kMaxCheckCodewordsPerBlock = 30;
constexpr int kMaxBitStream = kMaxDataCodewords * 8;

// Levels in the order the program numbers them: 0 = L, 1 = M, 2 = Q, 3 = H.
constexpr int kLevelCount = 4;

struct RS_BLOCKINFO
{
    int64_t ncRSBlock = 0;       // number of blocks of this group
    int64_t ncAllCodeWord = 0;   // codewords per block, data and check
    int64_t ncDataCodeWord = 0;  // data codewords per block
};

struct QR_VERSIONINFO
{
    int64_t nVersionNo = 0;
    int64_t ncAllCodeWord = 0;
    int64_t ncDataCodeWord[kLevelCount] = {};
    int64_t ncAlignPoint = 0;                 // alignment coordinates other than 6
    int64_t nAlignPoint[6] = {};
    RS_BLOCKINFO RS_BlockInfo1[kLevelCount] = {};
    RS_BLOCKINFO RS_BlockInfo2[kLevelCount] = {};
};

namespace detail {

// Check codewords per block, by level and version (index 0 unused).
constexpr int8_t kCheckPerBlock[kLevelCount][kMaxVersion + 1] = {
    {0, 7, 10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0, 10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {0, 13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {0, 17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};

// Number of Reed-Solomon blocks, by level and version (index 0 unused).
constexpr int8_t kBlockCount[kLevelCount][kMaxVersion + 1] = {
    {0, 1, 1, 1, 1, 1, 2, 2, 2, 2, 4, 4, 4, 4, 4, 6, 6, 6, 6, 7, 8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {0, 1, 1, 1, 2, 2, 4, 4, 4, 5, 5, 5, 8, 9, 9, 10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {0, 1, 1, 2, 2, 4, 4, 6, 6, 8, 8, 8, 10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {0, 1, 1, 2, 4, 4, 4, 5, 6, 8, 8, 11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

// Modules that carry codewords (and remainder bits) in a symbol of the version.
constexpr int rawDataModules(int version)
{
    int modules = (16 * version + 128) * version + 64;
    if (version >= 2) {
        const int alignCount = version / 7 + 2;
        modules -= (25 * alignCount - 10) * alignCount - 55;
        if (version >= 7)
            modules -= 36;  // the two version information blocks
    }
    return modules;
}

constexpr QR_VERSIONINFO makeVersionInfo(int version)
{
    QR_VERSIONINFO info;
    info.nVersionNo = version;
    if (version == 0)
        return info;
    const int size = 4 * version + 17;
    info.ncAllCodeWord = rawDataModules(version) / 8;

    // Alignment centres: 6, then evenly spaced (by an even step) up to size - 7.
    if (version >= 2) {
        const int alignCount = version / 7 + 2;
        const int step = version == 32 ? 26
                                       : (version * 4 + alignCount * 2 + 1) / (alignCount * 2 - 2) * 2;
        info.ncAlignPoint = alignCount - 1;
        for (int i = 0; i < alignCount - 1; ++i)
            info.nAlignPoint[alignCount - 2 - i] = size - 7 - i * step;
    }

    for (int level = 0; level < kLevelCount; ++level) {
        const int blocks = kBlockCount[level][version];
        const int check = kCheckPerBlock[level][version];
        const int total = static_cast<int>(info.ncAllCodeWord);
        const int longBlocks = total % blocks;
        const int shortBlocks = blocks - longBlocks;
        const int shortLength = total / blocks;
        info.ncDataCodeWord[level] = total - check * blocks;
        info.RS_BlockInfo1[level] = {shortBlocks, shortLength, shortLength - check};
        if (longBlocks > 0)
            info.RS_BlockInfo2[level] = {longBlocks, shortLength + 1, shortLength + 1 - check};
    }
    return info;
}

constexpr std::array<QR_VERSIONINFO, kMaxVersion + 1> makeVersionTable()
{
    std::array<QR_VERSIONINFO, kMaxVersion + 1> table{};
    for (int version = 0; version <= kMaxVersion; ++version)
        table[version] = makeVersionInfo(version);
    return table;
}

struct GaloisTables
{
    uint8_t byExpToInt[256] = {};
    uint8_t byIntToExp[256] = {};
    uint8_t byExpToIntWide[510] = {};  // a^e for e up to 2 x 254: sums of two exponents
};

// GF(256) with the primitive polynomial x^8 + x^4 + x^3 + x^2 + 1.
constexpr GaloisTables makeGaloisTables()
{
    GaloisTables tables;
    int value = 1;
    for (int exponent = 0; exponent < 255; ++exponent) {
        tables.byExpToInt[exponent] = static_cast<uint8_t>(value);
        tables.byIntToExp[value] = static_cast<uint8_t>(exponent);
        value <<= 1;
        if (value & 0x100)
            value ^= 0x11D;
    }
    tables.byExpToInt[255] = 1;
    for (int exponent = 0; exponent < 510; ++exponent)
        tables.byExpToIntWide[exponent] = tables.byExpToInt[exponent % 255];
    return tables;
}

inline constexpr GaloisTables kGalois = makeGaloisTables();

constexpr uint8_t gfMultiply(uint8_t a, uint8_t b)
{
    if (a == 0 || b == 0)
        return 0;
    return kGalois.byExpToInt[(kGalois.byIntToExp[a] + kGalois.byIntToExp[b]) % 255];
}

struct GeneratorTable
{
    // byRSExp[n][i]: exponent of the coefficient of x^(n-1-i) of the monic generator of
    // degree n (the leading 1 is implied), so division needs no logarithm look-ups.
    uint8_t byRSExp[kMaxCheckCodewordsPerBlock + 1][kMaxCheckCodewordsPerBlock] = {};
};

// g_n(x) = (x - a^0)(x - a^1)...(x - a^(n-1)).
constexpr GeneratorTable makeGenerators()
{
    GeneratorTable table;
    for (int degree = 1; degree <= kMaxCheckCodewordsPerBlock; ++degree) {
        uint8_t coefficients[kMaxCheckCodewordsPerBlock + 1] = {1};  // highest power first
        for (int root = 0; root < degree; ++root) {
            const uint8_t factor = kGalois.byExpToInt[root];
            for (int i = root + 1; i >= 1; --i)
                coefficients[i] = static_cast<uint8_t>(coefficients[i] ^ gfMultiply(coefficients[i - 1], factor));
        }
        for (int i = 0; i < degree; ++i)
            table.byRSExp[degree][i] = kGalois.byIntToExp[coefficients[i + 1]];
    }
    return table;
}

}  // namespace detail

inline constexpr std::array<QR_VERSIONINFO, kMaxVersion + 1> QR_VersonInfo = detail::makeVersionTable();
inline constexpr const uint8_t (&byExpToInt)[256] = detail::kGalois.byExpToInt;
inline constexpr const uint8_t (&byIntToExp)[256] = detail::kGalois.byIntToExp;
inline constexpr const uint8_t (&byExpToIntWide)[510] = detail::kGalois.byExpToIntWide;
inline constexpr detail::GeneratorTable kGenerators = detail::makeGenerators();

// Data capacity in bits, indexed [(version - 1) * 4 + level].
constexpr std::array<int64_t, kMaxVersion * kLevelCount> makeDataBitSizes()
{
    std::array<int64_t, kMaxVersion * kLevelCount> sizes{};
    for (int version = 1; version <= kMaxVersion; ++version)
        for (int level = 0; level < kLevelCount; ++level)
            sizes[(version - 1) * kLevelCount + level] = QR_VersonInfo[version].ncDataCodeWord[level] * 8;
    return sizes;
}
inline constexpr std::array<int64_t, kMaxVersion * kLevelCount> data_bit_size_array = makeDataBitSizes();

// Character count indicator lengths by version group (1-9, 10-26, 27-40).
inline constexpr int nIndicatorLenNumeral[3] = {10, 12, 14};
inline constexpr int nIndicatorLenAlphabet[3] = {9, 11, 13};
inline constexpr int nIndicatorLen8Bit[3] = {8, 16, 16};
inline constexpr int nIndicatorLenKanji[3] = {8, 10, 12};

constexpr int versionGroup(int64_t version)
{
    return version >= 27 ? 2 : version >= 10 ? 1 : 0;
}

// Format information: level bits (L = 01, M = 00, Q = 11, H = 10) and mask number, a
// BCH(15,5) code with generator 0x537, XOR 0x5412.
constexpr int formatInfoBits(int64_t level, int mask)
{
    constexpr int kLevelBits[kLevelCount] = {1, 0, 3, 2};
    const int data = kLevelBits[level] << 3 | mask;
    int remainder = data;
    for (int i = 0; i < 10; ++i)
        remainder = (remainder << 1) ^ ((remainder >> 9) * 0x537);
    return (data << 10 | remainder) ^ 0x5412;
}

struct ModulePosition
{
    int x = 0;  // column
    int y = 0;  // row
};

// Where bit `bit` (0 = least significant) of the format information goes in copy 0 (around
// the top-left finder) and copy 1 (split between the other two finders).
constexpr ModulePosition formatInfoModule(int copy, int bit, int size)
{
    if (copy == 0) {
        if (bit <= 5)
            return {8, bit};
        if (bit <= 7)
            return {8, bit + 1};  // row 6 is the timing line
        if (bit == 8)
            return {7, 8};
        return {14 - bit, 8};
    }
    if (bit <= 7)
        return {size - 1 - bit, 8};
    return {8, size - 15 + bit};
}

// The module next to the bottom-left finder that is always dark.
constexpr ModulePosition darkModule(int size)
{
    return {8, size - 8};
}

static_assert(formatInfoBits(1, 0) == 0x5412 && formatInfoBits(0, 0) == 0x77C4);

// Sanity checks against figures of the standard.
static_assert(QR_VersonInfo[1].ncAllCodeWord == 26 && QR_VersonInfo[40].ncAllCodeWord == 3706);
static_assert(QR_VersonInfo[1].ncDataCodeWord[1] == 16 && QR_VersonInfo[40].ncDataCodeWord[0] == 2956);
static_assert(QR_VersonInfo[40].ncDataCodeWord[3] == 1276);
static_assert(QR_VersonInfo[5].RS_BlockInfo1[2].ncRSBlock == 2 && QR_VersonInfo[5].RS_BlockInfo2[2].ncDataCodeWord == 16);
static_assert(QR_VersonInfo[7].nAlignPoint[0] == 22 && QR_VersonInfo[32].nAlignPoint[0] == 34);
static_assert(QR_VersonInfo[40].nAlignPoint[5] == 170 && QR_VersonInfo[40].nAlignPoint[0] == 30);

}  // namespace qrtables
