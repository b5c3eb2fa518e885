#include "barcodes/DataMatrixReedSolomon.h"

#include <array>

namespace {

struct GaloisTables {
    std::array<uint8_t, 255> antilog{}; // alpha^i
    std::array<uint8_t, 256> log{};
};

constexpr GaloisTables makeTables()
{
    GaloisTables tables;
    int value = 1;
    for (int i = 0; i < 255; ++i) {
        tables.antilog[i] = static_cast<uint8_t>(value);
        tables.log[value] = static_cast<uint8_t>(i);
        value <<= 1;
        if (value & 0x100)
            value ^= 0x12D;
    }
    return tables;
}

constexpr GaloisTables field = makeTables();

uint8_t multiply(uint8_t a, uint8_t b)
{
    if (a == 0 || b == 0)
        return 0;
    return field.antilog[(field.log[a] + field.log[b]) % 255];
}

} // namespace

DataMatrixReedSolomon::DataMatrixReedSolomon(int checkCount)
    : generator(static_cast<size_t>(checkCount), 0)
{
    // Product of (x + alpha^k) for k = 1..n, kept monic: generator[i] is the coefficient of x^i.
    std::vector<uint8_t> poly{1};
    for (int k = 1; k <= checkCount; ++k) {
        const uint8_t root = field.antilog[k % 255];
        std::vector<uint8_t> next(poly.size() + 1, 0);
        for (size_t i = 0; i < poly.size(); ++i) {
            next[i + 1] ^= poly[i];
            next[i] ^= multiply(poly[i], root);
        }
        poly.swap(next);
    }
    for (int i = 0; i < checkCount; ++i)
        generator[static_cast<size_t>(i)] = poly[static_cast<size_t>(i)];
}

std::vector<uint8_t> DataMatrixReedSolomon::rs_encode(std::span<const uint8_t> data) const
{
    const size_t n = generator.size();
    if (n == 0)
        return {};
    // Shift register holding the remainder; register[n-1] is the highest-degree term.
    std::vector<uint8_t> remainder(n, 0);
    for (uint8_t byte : data) {
        const uint8_t feedback = byte ^ remainder[n - 1];
        for (size_t i = n - 1; i > 0; --i)
            remainder[i] = remainder[i - 1] ^ multiply(feedback, generator[i]);
        remainder[0] = multiply(feedback, generator[0]);
    }
    // Highest degree first is the order of transmission.
    return {remainder.rbegin(), remainder.rend()};
}

std::vector<uint8_t> ecc200(std::span<const uint8_t> data, int dataPerBlock, int checkPerBlock)
{
    const int dataCount = static_cast<int>(data.size());
    const int blocks = (dataCount + 2) / dataPerBlock;
    std::vector<uint8_t> codewords(data.begin(), data.end());
    codewords.resize(static_cast<size_t>(dataCount + blocks * checkPerBlock), 0);
    const DataMatrixReedSolomon coder(checkPerBlock);
    std::vector<uint8_t> block;
    for (int b = 0; b < blocks; ++b) {
        block.clear();
        for (int i = b; i < dataCount; i += blocks)
            block.push_back(data[static_cast<size_t>(i)]);
        const std::vector<uint8_t> check = coder.rs_encode(block);
        // The blocks take turns through the whole stream: where the data ends inside a round
        // (only in 144 x 144), the check codewords continue that round, not a new one.
        const int first = ((b - dataCount) % blocks + blocks) % blocks;
        for (int i = 0; i < checkPerBlock; ++i)
            codewords[static_cast<size_t>(dataCount + first + i * blocks)] = check[static_cast<size_t>(i)];
    }
    return codewords;
}
