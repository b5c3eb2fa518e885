#include "barcodes/NKDModifiedPlesseyHexBarcode.h"

#include <vector>

namespace {

// x^8 + x^7 + x^6 + x^5 + x^3 + 1, highest power first.
constexpr int generator[9] = { 1, 1, 1, 1, 0, 1, 0, 0, 1 };
constexpr int crcBits = 8;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string bitModules(int value, int bits)
{
    std::string modules;
    for (int bit = 0; bit < bits; ++bit)
        modules += (value >> bit) & 1 ? "1110" : "1000";
    return modules;
}

} // namespace

std::string NKDModifiedPlesseyHexBarcode::_encodeChar(char c) const
{
    const int value = hexValue(c);
    return value < 0 ? std::string() : bitModules(value, 4);
}

std::string NKDModifiedPlesseyHexBarcode::initiator() const
{
    return bitModules(0xB, 4); // start bits 1, 1, 0, 1
}

std::string NKDModifiedPlesseyHexBarcode::terminator() const
{
    return "1110001000101110111";
}

int NKDModifiedPlesseyHexBarcode::plesseyCrc(const QByteArray& hexDigits)
{
    std::vector<int> bits;
    bits.reserve(size_t(hexDigits.size()) * 4 + crcBits);
    for (const char c : hexDigits) {
        const int value = hexValue(c);
        if (value < 0)
            return -1;
        for (int bit = 0; bit < 4; ++bit)
            bits.push_back((value >> bit) & 1);
    }
    const size_t dataBits = bits.size();
    bits.resize(dataBits + crcBits, 0);
    // Polynomial division over GF(2); the remainder is the check.
    for (size_t i = 0; i < dataBits; ++i) {
        if (bits[i]) {
            for (int j = 0; j < 9; ++j)
                bits[i + size_t(j)] ^= generator[j];
        }
    }
    int crc = 0;
    for (int bit = 0; bit < crcBits; ++bit)
        crc |= bits[dataBits + size_t(bit)] << bit;
    return crc;
}

std::string NKDModifiedPlesseyHexBarcode::barcode() const
{
    std::string modules = NKDBarcode::barcode();
    QByteArray bytes;
    const int crc = asciiContent(bytes) ? plesseyCrc(bytes) : -1;
    if (crc >= 0)
        modules += bitModules(crc, crcBits);
    return modules;
}
