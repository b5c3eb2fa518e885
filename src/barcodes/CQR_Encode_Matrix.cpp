// Function patterns, codeword placement, masking and the mask penalty.
#include "barcodes/CQR_Encode.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace qrtables;

namespace {

// Module flags while the matrix is built.
constexpr uint8_t kFunction = 0x20;
constexpr uint8_t kFunctionDark = 0x10;
constexpr uint8_t kDataDark = 0x02;
constexpr uint8_t kMaskedDark = 0x01;
constexpr uint8_t kDarkFlags = kFunctionDark | kMaskedDark;

// Format level bits: L = 01, M = 00, Q = 11, H = 10.
constexpr int kFormatLevelBits[4] = {1, 0, 3, 2};

bool maskCondition(int pattern, int i, int j)  // i the row, j the column
{
    switch (pattern) {
    case 0: return (i + j) % 2 == 0;
    case 1: return i % 2 == 0;
    case 2: return j % 3 == 0;
    case 3: return (i + j) % 3 == 0;
    case 4: return (i / 2 + j / 3) % 2 == 0;
    case 5: return (i * j) % 2 + (i * j) % 3 == 0;
    case 6: return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default: return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
    }
}

// Rules 1 and 3 of the penalty along one row or column (stride steps between modules).
int64_t linePenalty(const uint8_t* line, int size, int stride)
{
    int64_t penalty = 0;
    int run = 1;
    for (int k = 1; k <= size; ++k) {
        if (k < size && line[k * stride] == line[(k - 1) * stride]) {
            ++run;
            continue;
        }
        if (run >= 5)
            penalty += run - 2;
        run = 1;
    }

    auto lightOrOutside = [&](int k) { return k < 0 || k >= size || line[k * stride] == 0; };
    auto lightSpan = [&](int from) {
        for (int k = from; k < from + 4; ++k)
            if (!lightOrOutside(k))
                return false;
        return true;
    };
    static constexpr uint8_t kFinderLike[7] = {1, 0, 1, 1, 1, 0, 1};
    for (int k = 0; k + 7 <= size; ++k) {
        bool match = true;
        for (int m = 0; m < 7 && match; ++m)
            match = line[(k + m) * stride] == kFinderLike[m];
        if (!match || !lightOrOutside(k - 1) || !lightOrOutside(k + 7))
            continue;
        if (lightSpan(k - 4) || lightSpan(k + 7))
            penalty += 40;
    }
    return penalty;
}

}  // namespace

void CQR_Encode::FormatModule()
{
    std::memset(m_byModuleData, 0, sizeof m_byModuleData);
    SetFunctionModule();
    SetCodeWordPattern();

    if (m_nMaskingNo == -1) {
        int64_t nMinPenalty = -1;
        int nBest = 0;
        for (int pattern = 0; pattern < 8; ++pattern) {
            SetMaskingPattern(pattern);
            SetFormatInfoPattern(pattern);
            const int64_t penalty = CountPenalty();
            if (nMinPenalty < 0 || penalty < nMinPenalty) {
                nMinPenalty = penalty;
                nBest = pattern;
            }
        }
        m_nMaskingNo = nBest;
    }
    SetMaskingPattern(static_cast<int>(m_nMaskingNo));
    SetFormatInfoPattern(static_cast<int>(m_nMaskingNo));

    for (int x = 0; x < m_nSymbleSize; ++x)
        for (int y = 0; y < m_nSymbleSize; ++y)
            m_byModuleData[x][y] = (m_byModuleData[x][y] & kDarkFlags) ? 1 : 0;
}

void CQR_Encode::SetFunctionModule()
{
    const int size = static_cast<int>(m_nSymbleSize);

    SetFinderPattern(0, 0);
    SetFinderPattern(size - 7, 0);
    SetFinderPattern(0, size - 7);
    // Light separators around the finders.
    for (int i = 0; i < 8; ++i) {
        m_byModuleData[i][7] = m_byModuleData[7][i] = kFunction;
        m_byModuleData[size - 8][i] = m_byModuleData[size - 8 + i][7] = kFunction;
        m_byModuleData[i][size - 8] = m_byModuleData[7][size - 8 + i] = kFunction;
    }
    // Format information areas, filled in when the mask is known.
    for (int i = 0; i < 9; ++i)
        m_byModuleData[i][8] = m_byModuleData[8][i] = kFunction;
    for (int i = 0; i < 8; ++i)
        m_byModuleData[size - 8 + i][8] = m_byModuleData[8][size - 8 + i] = kFunction;

    SetVersionPattern();

    // Alignment patterns before the timing lines: a centre that is already a function
    // module (inside a finder corner) means the pattern is left out.
    const QR_VERSIONINFO& info = QR_VersonInfo[m_nVersion];
    for (int64_t i = 0; i < info.ncAlignPoint; ++i) {
        const int c = static_cast<int>(info.nAlignPoint[i]);
        SetAlignmentPattern(c, 6);
        SetAlignmentPattern(6, c);
        for (int64_t j = 0; j < info.ncAlignPoint; ++j)
            SetAlignmentPattern(c, static_cast<int>(info.nAlignPoint[j]));
    }

    for (int i = 8; i <= size - 9; ++i) {
        const uint8_t module = (i % 2 == 0) ? (kFunction | kFunctionDark) : kFunction;
        m_byModuleData[i][6] = module;
        m_byModuleData[6][i] = module;
    }
}

void CQR_Encode::SetFinderPattern(int x, int y)
{
    for (int i = 0; i < 7; ++i) {
        for (int j = 0; j < 7; ++j) {
            const int ring = std::max(std::abs(i - 3), std::abs(j - 3));
            m_byModuleData[x + j][y + i] = ring == 2 ? kFunction : (kFunction | kFunctionDark);
        }
    }
}

void CQR_Encode::SetAlignmentPattern(int x, int y)
{
    if (m_byModuleData[x][y] & kFunction)
        return;
    for (int i = -2; i <= 2; ++i) {
        for (int j = -2; j <= 2; ++j) {
            const int ring = std::max(std::abs(i), std::abs(j));
            m_byModuleData[x + j][y + i] = ring == 1 ? kFunction : (kFunction | kFunctionDark);
        }
    }
}

void CQR_Encode::SetVersionPattern()
{
    if (m_nVersion < 7)
        return;
    // 18-bit BCH code: the version in six bits and a remainder by 0x1F25.
    int remainder = static_cast<int>(m_nVersion);
    for (int i = 0; i < 12; ++i)
        remainder = (remainder << 1) ^ ((remainder >> 11) * 0x1F25);
    const int bits = static_cast<int>(m_nVersion) << 12 | remainder;

    const int size = static_cast<int>(m_nSymbleSize);
    for (int i = 0; i < 18; ++i) {
        const uint8_t module = ((bits >> i) & 1) ? (kFunction | kFunctionDark) : kFunction;
        const int a = size - 11 + i % 3;
        const int b = i / 3;
        m_byModuleData[a][b] = module;
        m_byModuleData[b][a] = module;
    }
}

void CQR_Encode::SetCodeWordPattern()
{
    const int size = static_cast<int>(m_nSymbleSize);
    const int64_t ncBits = m_ncAllCodeWord * 8;
    int64_t nBit = 0;
    for (int right = size - 1; right >= 1; right -= 2) {
        if (right == 6)
            right = 5;  // the vertical timing line is no part of any column pair
        const bool upward = ((right + 1) & 2) == 0;
        for (int vert = 0; vert < size; ++vert) {
            const int y = upward ? size - 1 - vert : vert;
            for (int j = 0; j < 2; ++j) {
                const int x = right - j;
                if (m_byModuleData[x][y] & kFunction)
                    continue;
                if (nBit < ncBits && (m_byAllCodeWord[nBit / 8] & (0x80 >> (nBit % 8))))
                    m_byModuleData[x][y] = kDataDark;
                ++nBit;
            }
        }
    }
}

void CQR_Encode::SetMaskingPattern(int nPatternNo)
{
    const int size = static_cast<int>(m_nSymbleSize);
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            uint8_t& module = m_byModuleData[x][y];
            if (module & kFunction)
                continue;
            const bool dark = ((module & kDataDark) != 0) != maskCondition(nPatternNo, y, x);
            module = static_cast<uint8_t>((module & ~kMaskedDark) | (dark ? kMaskedDark : 0));
        }
    }
}

void CQR_Encode::SetFormatInfoPattern(int nPatternNo)
{
    const int data = kFormatLevelBits[m_nLevel] << 3 | nPatternNo;
    int remainder = data;
    for (int i = 0; i < 10; ++i)
        remainder = (remainder << 1) ^ ((remainder >> 9) * 0x537);
    const int bits = (data << 10 | remainder) ^ 0x5412;

    const int size = static_cast<int>(m_nSymbleSize);
    auto set = [&](int x, int y, int bit) {
        m_byModuleData[x][y] = ((bits >> bit) & 1) ? (kFunction | kFunctionDark) : kFunction;
    };
    for (int i = 0; i <= 5; ++i)
        set(8, i, i);
    set(8, 7, 6);
    set(8, 8, 7);
    set(7, 8, 8);
    for (int i = 9; i < 15; ++i)
        set(14 - i, 8, i);

    for (int i = 0; i < 8; ++i)
        set(size - 1 - i, 8, i);
    for (int i = 8; i < 15; ++i)
        set(8, size - 15 + i, i);
    m_byModuleData[8][size - 8] = kFunction | kFunctionDark;
}

int64_t CQR_Encode::CountPenalty()
{
    const int size = static_cast<int>(m_nSymbleSize);
    uint8_t* work = m_byPenaltyWork;
    int64_t nLight = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const uint8_t dark = (m_byModuleData[x][y] & kDarkFlags) ? 1 : 0;
            work[y * size + x] = dark;
            nLight += 1 - dark;
        }
    }

    int64_t penalty = 0;
    for (int i = 0; i < size; ++i) {
        penalty += linePenalty(work + i * size, size, 1);  // row i
        penalty += linePenalty(work + i, size, size);      // column i
    }

    for (int y = 0; y + 1 < size; ++y) {
        const uint8_t* row = work + y * size;
        const uint8_t* next = row + size;
        for (int x = 0; x + 1 < size; ++x) {
            const uint8_t c = row[x];
            if (row[x + 1] == c && next[x] == c && next[x + 1] == c)
                penalty += 3;
        }
    }

    const int64_t percentLight = nLight * 100 / (int64_t{size} * size);
    penalty += std::llabs(50 - percentLight) / 5 * 10;
    return penalty;
}
