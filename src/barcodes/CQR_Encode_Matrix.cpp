// Function patterns, codeword placement, masking and the mask penalty.
#include "barcodes/CQR_Encode.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace qrtables;

namespace {

// Module flags while the matrix is built: a light function module is 0x20, a dark one 0x30.
constexpr uint8_t kFunction = QRMaskPenalty::kFunction;
constexpr uint8_t kFunctionDark = QRMaskPenalty::kFunctionDark;
constexpr uint8_t kDataDark = QRMaskPenalty::kDataDark;
constexpr uint8_t kMaskedDark = 0x01;
constexpr uint8_t kDarkFlags = kFunctionDark | kMaskedDark;

}  // namespace

void CQR_Encode::FormatModule()
{
    std::memset(m_byModuleData, 0, sizeof m_byModuleData[0] * m_nSymbleSize);
    SetFunctionModule();
    SetCodeWordPattern();

    if (m_nMaskingNo == -1) {
        m_penalty.load(m_byModuleData, static_cast<int>(m_nSymbleSize));
        int64_t nMinPenalty = -1;
        int nBest = 0;
        for (int pattern = 0; pattern < 8; ++pattern) {
            const int64_t penalty = CountPenalty(pattern);
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
        const QRMaskPenalty::Line& inverted = QRMaskPenalty::maskColumn(nPatternNo, x);
        for (int y = 0; y < size; ++y) {
            uint8_t& module = m_byModuleData[x][y];
            if (module & kFunction)
                continue;
            const bool dark = ((module & kDataDark) != 0) != inverted.test(y);
            module = static_cast<uint8_t>((module & ~kMaskedDark) | (dark ? kMaskedDark : 0));
        }
    }
}

void CQR_Encode::SetFormatInfoPattern(int nPatternNo)
{
    const int bits = formatInfoBits(m_nLevel, nPatternNo);
    const int size = static_cast<int>(m_nSymbleSize);
    for (int copy = 0; copy < 2; ++copy) {
        for (int bit = 0; bit < 15; ++bit) {
            const ModulePosition at = formatInfoModule(copy, bit, size);
            m_byModuleData[at.x][at.y] = ((bits >> bit) & 1) ? (kFunction | kFunctionDark) : kFunction;
        }
    }
    const ModulePosition dark = darkModule(size);
    m_byModuleData[dark.x][dark.y] = kFunction | kFunctionDark;
}

int64_t CQR_Encode::CountPenalty(int nPatternNo)
{
    return m_penalty.penalty(nPatternNo, m_nLevel);
}
