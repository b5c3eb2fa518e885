// Mode segmentation and the data bit stream.
#include "barcodes/CQR_Encode.h"

#include <algorithm>
#include <cstring>

using namespace qrtables;

namespace {

constexpr uint16_t kModeIndicator[4] = {1, 2, 4, 8};

int countIndicatorLength(uint8_t mode, int group)
{
    switch (mode) {
    case CQR_Encode::QR_MODE_NUMERAL: return nIndicatorLenNumeral[group];
    case CQR_Encode::QR_MODE_ALPHABET: return nIndicatorLenAlphabet[group];
    case CQR_Encode::QR_MODE_8BIT: return nIndicatorLen8Bit[group];
    default: return nIndicatorLenKanji[group];
    }
}

bool isNumeralOrAlphabetPair(uint8_t a, uint8_t b)
{
    return (a == CQR_Encode::QR_MODE_NUMERAL && b == CQR_Encode::QR_MODE_ALPHABET)
        || (a == CQR_Encode::QR_MODE_ALPHABET && b == CQR_Encode::QR_MODE_NUMERAL);
}

}  // namespace

bool CQR_Encode::EncodeSourceData(const uint8_t* lpsSource, int64_t ncLength, int nVerGroup)
{
    ClassifySegments(lpsSource, ncLength);
    JoinNumeralAndAlphabetSegments(nVerGroup);
    JoinSegmentsIntoBytes(nVerGroup);
    return WriteSegments(lpsSource, nVerGroup);
}

void CQR_Encode::ClassifySegments(const uint8_t* lpsSource, int64_t ncLength)
{
    m_ncDataBlock = 0;
    for (int64_t i = 0; i < ncLength; ++i) {
        uint8_t mode;
        int64_t width = 1;
        if (m_bKanjiMode && i + 1 < ncLength && IsKanjiData(lpsSource[i], lpsSource[i + 1])) {
            mode = QR_MODE_KANJI;
            width = 2;
        } else if (IsNumeralData(lpsSource[i])) {
            mode = QR_MODE_NUMERAL;
        } else if (IsAlphabetData(lpsSource[i])) {
            mode = QR_MODE_ALPHABET;
        } else {
            mode = QR_MODE_8BIT;
        }

        if (m_ncDataBlock == 0 || m_byBlockMode[m_ncDataBlock - 1] != mode) {
            m_byBlockMode[m_ncDataBlock] = mode;
            m_nBlockLength[m_ncDataBlock] = 0;
            ++m_ncDataBlock;
        }
        m_nBlockLength[m_ncDataBlock - 1] += width;
        i += width - 1;
    }
}

void CQR_Encode::RemoveSegment(int64_t index)
{
    const size_t count = static_cast<size_t>(m_ncDataBlock - index - 1);
    std::memmove(m_nBlockLength + index, m_nBlockLength + index + 1, count * sizeof m_nBlockLength[0]);
    std::memmove(m_byBlockMode + index, m_byBlockMode + index + 1, count);
    --m_ncDataBlock;
}

// A numeric segment next to an alphanumeric one is often cheaper as one alphanumeric
// segment, or as part of a neighbouring byte segment.
void CQR_Encode::JoinNumeralAndAlphabetSegments(int nVerGroup)
{
    int64_t i = 0;
    while (i < m_ncDataBlock - 1) {
        if (!isNumeralOrAlphabetPair(m_byBlockMode[i], m_byBlockMode[i + 1])) {
            ++i;
            continue;
        }
        const int64_t nSrcBits = GetBitLength(m_byBlockMode[i], m_nBlockLength[i], nVerGroup)
                               + GetBitLength(m_byBlockMode[i + 1], m_nBlockLength[i + 1], nVerGroup);
        const int64_t nDstBits = GetBitLength(QR_MODE_ALPHABET, m_nBlockLength[i] + m_nBlockLength[i + 1], nVerGroup);
        if (nSrcBits <= nDstBits) {
            ++i;
            continue;
        }

        int64_t nJoinFront = 0;
        if (i > 0 && m_byBlockMode[i - 1] == QR_MODE_8BIT) {
            nJoinFront = GetBitLength(QR_MODE_8BIT, m_nBlockLength[i - 1] + m_nBlockLength[i], nVerGroup)
                       + GetBitLength(m_byBlockMode[i + 1], m_nBlockLength[i + 1], nVerGroup);
            if (nJoinFront > nDstBits + GetBitLength(QR_MODE_8BIT, m_nBlockLength[i - 1], nVerGroup))
                nJoinFront = 0;
        }
        int64_t nJoinBehind = 0;
        if (i + 2 < m_ncDataBlock && m_byBlockMode[i + 2] == QR_MODE_8BIT) {
            nJoinBehind = GetBitLength(m_byBlockMode[i], m_nBlockLength[i], nVerGroup)
                        + GetBitLength(QR_MODE_8BIT, m_nBlockLength[i + 1] + m_nBlockLength[i + 2], nVerGroup);
            if (nJoinBehind > nDstBits + GetBitLength(QR_MODE_8BIT, m_nBlockLength[i + 2], nVerGroup))
                nJoinBehind = 0;
        }
        if (nJoinFront != 0 && nJoinBehind != 0) {
            if (nJoinFront < nJoinBehind)
                nJoinBehind = 0;
            else
                nJoinFront = 0;
        }

        if (nJoinFront != 0) {
            m_nBlockLength[i - 1] += m_nBlockLength[i];
            RemoveSegment(i);
        } else if (nJoinBehind != 0) {
            m_byBlockMode[i + 1] = QR_MODE_8BIT;
            m_nBlockLength[i + 1] += m_nBlockLength[i + 2];
            RemoveSegment(i + 2);
        } else {
            if (i + 2 < m_ncDataBlock && m_byBlockMode[i + 2] == QR_MODE_ALPHABET) {
                m_nBlockLength[i + 1] += m_nBlockLength[i + 2];
                RemoveSegment(i + 2);
            }
            m_byBlockMode[i] = QR_MODE_ALPHABET;
            m_nBlockLength[i] += m_nBlockLength[i + 1];
            RemoveSegment(i + 1);
            if (i > 0 && m_byBlockMode[i - 1] == QR_MODE_ALPHABET) {
                m_nBlockLength[i - 1] += m_nBlockLength[i];
                RemoveSegment(i);
            }
        }
        // Every change removes a segment, so looking at the same position again ends.
    }
}

// Short segments between byte segments cost more in headers than as bytes.
void CQR_Encode::JoinSegmentsIntoBytes(int nVerGroup)
{
    const int64_t nHeaderBits = nIndicatorLen8Bit[nVerGroup] + 4;
    int64_t i = 0;
    while (i < m_ncDataBlock - 1) {
        const int64_t nSrcBits = GetBitLength(m_byBlockMode[i], m_nBlockLength[i], nVerGroup)
                               + GetBitLength(m_byBlockMode[i + 1], m_nBlockLength[i + 1], nVerGroup);
        int64_t nDstBits = GetBitLength(QR_MODE_8BIT, m_nBlockLength[i] + m_nBlockLength[i + 1], nVerGroup);
        if (i > 0 && m_byBlockMode[i - 1] == QR_MODE_8BIT)
            nDstBits -= nHeaderBits;
        if (i + 2 < m_ncDataBlock && m_byBlockMode[i + 2] == QR_MODE_8BIT)
            nDstBits -= nHeaderBits;
        if (nSrcBits <= nDstBits) {
            ++i;
            continue;
        }

        if (i > 0 && m_byBlockMode[i - 1] == QR_MODE_8BIT) {
            m_nBlockLength[i - 1] += m_nBlockLength[i];
            RemoveSegment(i);
            --i;
        }
        if (i + 2 < m_ncDataBlock && m_byBlockMode[i + 2] == QR_MODE_8BIT) {
            m_nBlockLength[i + 1] += m_nBlockLength[i + 2];
            RemoveSegment(i + 2);
        }
        m_byBlockMode[i] = QR_MODE_8BIT;
        m_nBlockLength[i] += m_nBlockLength[i + 1];
        RemoveSegment(i + 1);
        if (i > 0)
            --i;
    }
}

bool CQR_Encode::WriteSegments(const uint8_t* lpsSource, int nVerGroup)
{
    std::memset(m_byDataCodeWord, 0, sizeof m_byDataCodeWord);
    m_ncDataCodeWordBit = 0;

    int64_t nSource = 0;
    for (int64_t block = 0; block < m_ncDataBlock && m_ncDataCodeWordBit >= 0; ++block) {
        const uint8_t mode = m_byBlockMode[block];
        const int64_t length = m_nBlockLength[block];
        const uint8_t* text = lpsSource + nSource;
        nSource += length;

        const int countBits = countIndicatorLength(mode, nVerGroup);
        const int64_t count = mode == QR_MODE_KANJI ? length / 2 : length;
        if (count >= (int64_t{1} << countBits))
            return false;  // cannot fit this group's versions anyway
        m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, kModeIndicator[mode], 4);
        m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, static_cast<uint16_t>(count), countBits);

        switch (mode) {
        case QR_MODE_NUMERAL:
            for (int64_t j = 0; j < length && m_ncDataCodeWordBit >= 0; j += 3) {
                const int64_t digits = std::min<int64_t>(3, length - j);
                uint16_t value = 0;
                for (int64_t k = 0; k < digits; ++k)
                    value = static_cast<uint16_t>(value * 10 + (text[j + k] - '0'));
                m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, value, digits * 3 + 1);
            }
            break;
        case QR_MODE_ALPHABET:
            for (int64_t j = 0; j < length && m_ncDataCodeWordBit >= 0; j += 2) {
                if (j + 1 < length) {
                    const uint16_t value = static_cast<uint16_t>(AlphabetToBinaly(text[j]) * 45 + AlphabetToBinaly(text[j + 1]));
                    m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, value, 11);
                } else {
                    m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, AlphabetToBinaly(text[j]), 6);
                }
            }
            break;
        case QR_MODE_8BIT:
            for (int64_t j = 0; j < length && m_ncDataCodeWordBit >= 0; ++j)
                m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, text[j], 8);
            break;
        default:
            for (int64_t j = 0; j + 1 < length && m_ncDataCodeWordBit >= 0; j += 2) {
                const uint16_t pair = static_cast<uint16_t>((text[j] << 8) | text[j + 1]);
                m_ncDataCodeWordBit = SetBitStream(m_ncDataCodeWordBit, KanjiToBinaly(pair), 13);
            }
            break;
        }
    }
    return m_ncDataCodeWordBit >= 0;
}

int64_t CQR_Encode::SetBitStream(int64_t nIndex, uint16_t wData, int64_t ncData)
{
    if (nIndex < 0 || nIndex + ncData > kMaxBitStream)
        return -1;
    // The buffer is clear beyond nIndex, so bits are ORed in, as many per byte as fit.
    int64_t remaining = ncData;
    int64_t at = nIndex;
    while (remaining > 0) {
        const int64_t room = 8 - at % 8;
        const int64_t take = remaining < room ? remaining : room;
        const unsigned chunk = (wData >> (remaining - take)) & ((1u << take) - 1);
        m_byDataCodeWord[at / 8] |= static_cast<uint8_t>(chunk << (room - take));
        at += take;
        remaining -= take;
    }
    return nIndex + ncData;
}
