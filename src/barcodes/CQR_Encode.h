#pragma once

#include "barcodes/QRCodeTables.h"
#include "barcodes/QRMaskPenalty.h"

#include <cstdint>

// Encodes a byte string as a QR Code symbol (Model 2, versions 1-40, levels L, M, Q, H):
// mode segmentation, version choice, bit stream, Reed-Solomon check codewords, function
// patterns, codeword placement and masking. One instance encodes one symbol at a time and
// keeps all its working storage inside itself; instances on separate threads share nothing
// but read-only tables.
//
// The result fields are public: after a successful EncodeData, m_nVersion, m_nSymbleSize,
// m_nMaskingNo and m_byModuleData (1 = dark, 0 = light) describe the symbol.
class CQR_Encode
{
public:
    // Segment modes, as stored in m_byBlockMode.
    static constexpr uint8_t QR_MODE_NUMERAL = 0;
    static constexpr uint8_t QR_MODE_ALPHABET = 1;
    static constexpr uint8_t QR_MODE_8BIT = 2;
    static constexpr uint8_t QR_MODE_KANJI = 3;

    // The longest source that can fit any symbol (7089 digits at version 40-L); it also
    // bounds the number of segments before they are joined.
    static constexpr int64_t kMaxSourceLength = 7089;

    // level 0-3 (L, M, Q, H); version 0 (smallest that fits) or 1-40; mask -1 (lowest
    // penalty) or 0-7; a source length below 1 means "up to the terminating zero byte".
    // Returns false, leaving the previous symbol in place, when the data cannot be encoded.
    bool EncodeData(int64_t nLevel, int64_t nVersion, bool bAutoExtent, int64_t nMaskingNo,
                    const uint8_t* lpsSource, int64_t ncSource = 0);

    // Smallest version, starting at the group of the requested one, whose data capacity
    // holds the source at m_nLevel; 0 when none does.
    int64_t GetEncodeVersion(int64_t nVersion, const uint8_t* lpsSource, int64_t ncLength);

    // The single mode that can carry the whole text (see the mode constants); byte mode for
    // an empty text. Honours m_bKanjiMode.
    uint8_t Get_Encoding_Mode(const uint8_t* lpsSource, int64_t ncLength) const;

    static bool IsNumeralData(uint8_t c);
    static bool IsAlphabetData(uint8_t c);
    static bool IsKanjiData(uint8_t c1, uint8_t c2);
    static uint8_t AlphabetToBinaly(uint8_t c);
    static uint16_t KanjiToBinaly(uint16_t wc);

    // Bits a segment of the mode and length (bytes) needs, header included.
    static constexpr int64_t GetBitLength(uint8_t nMode, int64_t ncData, int nVerGroup)
    {
        switch (nMode) {
        case QR_MODE_NUMERAL:
            return 4 + qrtables::nIndicatorLenNumeral[nVerGroup] + 10 * (ncData / 3)
                 + (ncData % 3 == 0 ? 0 : ncData % 3 == 1 ? 4 : 7);
        case QR_MODE_ALPHABET:
            return 4 + qrtables::nIndicatorLenAlphabet[nVerGroup] + 11 * (ncData / 2) + 6 * (ncData % 2);
        case QR_MODE_8BIT:
            return 4 + qrtables::nIndicatorLen8Bit[nVerGroup] + 8 * ncData;
        default:
            return 4 + qrtables::nIndicatorLenKanji[nVerGroup] + 13 * (ncData / 2);
        }
    }

    // Shift JIS double-byte pairs become Kanji segments. Callers whose text is not Shift JIS
    // (UTF-8 in particular) turn this off, or multi-byte characters would be corrupted.
    bool m_bKanjiMode = true;

    // The buffers below are left uninitialised on construction (an encoder is made per
    // symbol): each is written before it is read, and only its used part.

    int64_t m_nLevel = 0;
    int64_t m_nVersion_pass = 0;
    int64_t m_nMaskingNo = -1;
    int64_t m_nVersion = 0;
    int64_t m_ncDataCodeWordBit = 0;
    uint8_t m_byDataCodeWord[qrtables::kMaxDataCodewords];
    int64_t m_ncAllCodeWord = 0;
    uint8_t m_byAllCodeWord[qrtables::kMaxAllCodewords];
    uint8_t m_byRSWork[qrtables::kMaxCheckCodewordsPerBlock];
    int64_t m_nSymbleSize = 0;
    int64_t m_ncDataBlock = 0;
    int64_t m_nBlockLength[kMaxSourceLength];
    uint8_t m_byBlockMode[kMaxSourceLength];
    // [x][y], x the column and y the row, (0, 0) top left.
    uint8_t m_byModuleData[qrtables::kMaxModules][qrtables::kMaxModules];

private:
    // Segmentation and bit stream for the version group; false when it overflows.
    bool EncodeSourceData(const uint8_t* lpsSource, int64_t ncLength, int nVerGroup);
    void ClassifySegments(const uint8_t* lpsSource, int64_t ncLength);
    void JoinNumeralAndAlphabetSegments(int nVerGroup);
    void JoinSegmentsIntoBytes(int nVerGroup);
    bool WriteSegments(const uint8_t* lpsSource, int nVerGroup);
    void RemoveSegment(int64_t index);
    // Appends the low ncData bits of wData, most significant first; -1 once it overflows.
    int64_t SetBitStream(int64_t nIndex, uint16_t wData, int64_t ncData);

    void PadDataCodewords(int64_t ncDataCodeWord, int64_t capacityBits);
    void InterleaveWithCheckCodewords();
    // Remainder of the block's data divided by the generator of degree ncRSCodeWord.
    void GetRSCodeWord(const uint8_t* data, int64_t ncDataCodeWord, int64_t ncRSCodeWord);

    void FormatModule();
    void SetFunctionModule();
    void SetFinderPattern(int x, int y);
    void SetAlignmentPattern(int x, int y);
    void SetVersionPattern();
    void SetCodeWordPattern();
    void SetMaskingPattern(int nPatternNo);
    void SetFormatInfoPattern(int nPatternNo);
    // Penalty of the matrix under the mask, with that mask's format information.
    int64_t CountPenalty(int nPatternNo);

    QRMaskPenalty m_penalty;
};
