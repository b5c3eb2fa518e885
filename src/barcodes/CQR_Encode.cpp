#include "barcodes/CQR_Encode.h"

#include <algorithm>
#include <array>
#include <cstring>

using namespace qrtables;

namespace {

// Alphanumeric value of each byte, or -1: digits 0-9, letters 10-35, then space $ % * + - . / :
constexpr std::array<int8_t, 256> makeAlphabetValues()
{
    std::array<int8_t, 256> values{};
    values.fill(-1);
    for (int c = '0'; c <= '9'; ++c)
        values[c] = static_cast<int8_t>(c - '0');
    for (int c = 'A'; c <= 'Z'; ++c)
        values[c] = static_cast<int8_t>(c - 'A' + 10);
    const char symbols[] = " $%*+-./:";
    for (int i = 0; i < 9; ++i)
        values[static_cast<uint8_t>(symbols[i])] = static_cast<int8_t>(36 + i);
    return values;
}

constexpr std::array<int8_t, 256> kAlphabetValues = makeAlphabetValues();

}  // namespace

bool CQR_Encode::IsNumeralData(uint8_t c)
{
    return c >= '0' && c <= '9';
}

bool CQR_Encode::IsAlphabetData(uint8_t c)
{
    return kAlphabetValues[c] >= 0;
}

bool CQR_Encode::IsKanjiData(uint8_t c1, uint8_t c2)
{
    if (((c1 >= 0x81 && c1 <= 0x9F) || (c1 >= 0xE0 && c1 <= 0xEB)) && c2 >= 0x40) {
        if ((c1 == 0x9F && c2 > 0xFC) || (c1 == 0xEB && c2 > 0xBF))
            return false;
        return true;
    }
    return false;
}

uint8_t CQR_Encode::AlphabetToBinaly(uint8_t c)
{
    return kAlphabetValues[c] >= 0 ? static_cast<uint8_t>(kAlphabetValues[c]) : 0;
}

uint16_t CQR_Encode::KanjiToBinaly(uint16_t wc)
{
    wc = static_cast<uint16_t>(wc >= 0x8140 && wc <= 0x9FFC ? wc - 0x8140 : wc - 0xC140);
    return static_cast<uint16_t>(((wc >> 8) * 0xC0) + (wc & 0xFF));
}

uint8_t CQR_Encode::Get_Encoding_Mode(const uint8_t* lpsSource, int64_t ncLength) const
{
    bool anyKanji = false, anyAlphabet = false, anyNumeral = false;
    for (int64_t i = 0; i < ncLength; ++i) {
        const uint8_t c = lpsSource[i];
        if (m_bKanjiMode && i + 1 < ncLength && IsKanjiData(c, lpsSource[i + 1])) {
            anyKanji = true;
            ++i;
        } else if (IsNumeralData(c)) {
            anyNumeral = true;
        } else if (IsAlphabetData(c)) {
            anyAlphabet = true;
        } else {
            return QR_MODE_8BIT;
        }
    }
    if (anyKanji)
        return QR_MODE_KANJI;
    if (anyAlphabet)
        return QR_MODE_ALPHABET;
    if (anyNumeral)
        return QR_MODE_NUMERAL;
    return QR_MODE_8BIT;
}

bool CQR_Encode::EncodeData(int64_t nLevel, int64_t nVersion, bool bAutoExtent, int64_t nMaskingNo,
                            const uint8_t* lpsSource, int64_t ncSource)
{
    if (nLevel < 0 || nLevel >= kLevelCount || nVersion < 0 || nVersion > kMaxVersion || nMaskingNo < -1
        || nMaskingNo > 7 || lpsSource == nullptr)
        return false;

    m_nLevel = nLevel;
    m_nVersion_pass = nVersion == 0 ? 1 : nVersion;
    m_nMaskingNo = nMaskingNo;

    const int64_t ncLength = ncSource > 0 ? ncSource : static_cast<int64_t>(std::strlen(reinterpret_cast<const char*>(lpsSource)));
    if (ncLength == 0 || ncLength > kMaxSourceLength)
        return false;

    const int64_t nEncodeVersion = GetEncodeVersion(nVersion, lpsSource, ncLength);
    if (nEncodeVersion == 0)
        return false;

    int64_t nChosenVersion = nVersion;
    if (nVersion == 0 || (nEncodeVersion > nVersion && bAutoExtent))
        nChosenVersion = nEncodeVersion;
    else if (nEncodeVersion > nVersion)
        return false;

    // A requested version above the found one lies in the same group (the search starts at
    // the requested group), so the stream just built is the one to finish.
    const QR_VERSIONINFO& info = QR_VersonInfo[nChosenVersion];
    const int64_t ncDataCodeWord = info.ncDataCodeWord[m_nLevel];
    const int64_t capacityBits = ncDataCodeWord * 8;
    if (m_ncDataCodeWordBit < 0 || m_ncDataCodeWordBit > capacityBits)
        return false;

    m_nVersion = nChosenVersion;
    PadDataCodewords(ncDataCodeWord, capacityBits);
    m_ncAllCodeWord = info.ncAllCodeWord;
    InterleaveWithCheckCodewords();

    m_nSymbleSize = m_nVersion * 4 + 17;
    FormatModule();
    return true;
}

int64_t CQR_Encode::GetEncodeVersion(int64_t nVersion, const uint8_t* lpsSource, int64_t ncLength)
{
    static constexpr int kGroupFirst[3] = {1, 10, 27};
    static constexpr int kGroupLast[3] = {9, 26, 40};

    for (int group = versionGroup(nVersion); group < 3; ++group) {
        if (!EncodeSourceData(lpsSource, ncLength, group))
            continue;
        const int64_t ncCodeWord = (m_ncDataCodeWordBit + 7) / 8;
        for (int version = kGroupFirst[group]; version <= kGroupLast[group]; ++version)
            if (QR_VersonInfo[version].ncDataCodeWord[m_nLevel] >= ncCodeWord)
                return version;
    }
    return 0;
}

void CQR_Encode::PadDataCodewords(int64_t ncDataCodeWord, int64_t capacityBits)
{
    // Terminator (up to four zero bits), then zeros to the byte boundary: the buffer is
    // already zero beyond the written bits.
    const int64_t ncTerminator = std::min<int64_t>(4, capacityBits - m_ncDataCodeWordBit);
    if (ncTerminator > 0)
        m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, 0, ncTerminator);

    for (int64_t i = (m_ncDataCodeWordBit + 7) / 8; i < ncDataCodeWord; ++i)
        m_byDataCodeWord[i] = ((i - (m_ncDataCodeWordBit + 7) / 8) % 2 == 0) ? 236 : 17;
}

void CQR_Encode::InterleaveWithCheckCodewords()
{
    const QR_VERSIONINFO& info = QR_VersonInfo[m_nVersion];
    const RS_BLOCKINFO& group1 = info.RS_BlockInfo1[m_nLevel];
    const RS_BLOCKINFO& group2 = info.RS_BlockInfo2[m_nLevel];
    const int64_t ncBlocks = group1.ncRSBlock + group2.ncRSBlock;
    const int64_t ncDataCodeWord = info.ncDataCodeWord[m_nLevel];
    const int64_t ncRSCodeWord = group1.ncAllCodeWord - group1.ncDataCodeWord;

    int64_t nDataOffset = 0;
    for (int64_t block = 0; block < ncBlocks; ++block) {
        const bool second = block >= group1.ncRSBlock;
        const int64_t ncBlockData = second ? group2.ncDataCodeWord : group1.ncDataCodeWord;
        const uint8_t* data = m_byDataCodeWord + nDataOffset;

        for (int64_t j = 0; j < ncBlockData; ++j) {
            // The extra last codeword of a long block follows all the shorter columns.
            const int64_t position = j < group1.ncDataCodeWord
                                         ? j * ncBlocks + block
                                         : ncBlocks * group1.ncDataCodeWord + (block - group1.ncRSBlock);
            m_byAllCodeWord[position] = data[j];
        }

        GetRSCodeWord(data, ncBlockData, ncRSCodeWord);
        for (int64_t j = 0; j < ncRSCodeWord; ++j)
            m_byAllCodeWord[ncDataCodeWord + j * ncBlocks + block] = m_byRSWork[j];

        nDataOffset += ncBlockData;
    }
}

void CQR_Encode::GetRSCodeWord(const uint8_t* data, int64_t ncDataCodeWord, int64_t ncRSCodeWord)
{
    const uint8_t* generator = kGenerators.byRSExp[ncRSCodeWord];
    std::memset(m_byRSWork, 0, sizeof m_byRSWork);
    for (int64_t i = 0; i < ncDataCodeWord; ++i) {
        const uint8_t factor = static_cast<uint8_t>(data[i] ^ m_byRSWork[0]);
        std::memmove(m_byRSWork, m_byRSWork + 1, static_cast<size_t>(ncRSCodeWord - 1));
        m_byRSWork[ncRSCodeWord - 1] = 0;
        if (factor == 0)
            continue;
        const int nExpFactor = byIntToExp[factor];
        for (int64_t j = 0; j < ncRSCodeWord; ++j)
            m_byRSWork[j] ^= byExpToIntWide[generator[j] + nExpFactor];
    }
}
