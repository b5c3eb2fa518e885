#include "barcodes/DataMatrixReedSolomon.h"

#include <algorithm>
#include <array>

namespace {

constexpr int logOfZero = 512;

struct GaloisTables {
    // alpha^i twice over, so that a sum of two logarithms needs no modulo, then zeros: the
    // logarithm given to 0 points there, so products with 0 need no test.
    std::array<uint8_t, 1024> antilog{};
    std::array<int, 256> log{};
};

constexpr GaloisTables makeTables()
{
    GaloisTables tables;
    tables.log[0] = logOfZero;
    int value = 1;
    for (int i = 0; i < 255; ++i) {
        tables.antilog[static_cast<size_t>(i)] = static_cast<uint8_t>(value);
        tables.antilog[static_cast<size_t>(i + 255)] = static_cast<uint8_t>(value);
        tables.log[static_cast<size_t>(value)] = i;
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
    return field.antilog[static_cast<size_t>(field.log[a] + field.log[b])];
}

} // namespace

DataMatrixReedSolomon::DataMatrixReedSolomon(int checkCount)
{
    // Product of (x + alpha^k) for k = 1..n; poly[i] is the coefficient of x^i.
    std::vector<uint8_t> poly{1};
    for (int k = 1; k <= checkCount; ++k) {
        const uint8_t root = field.antilog[static_cast<size_t>(k % 255)];
        std::vector<uint8_t> next(poly.size() + 1, 0);
        for (size_t i = 0; i < poly.size(); ++i) {
            next[i + 1] ^= poly[i];
            next[i] ^= multiply(poly[i], root);
        }
        poly.swap(next);
    }
    generatorLog.resize(static_cast<size_t>(checkCount));
    for (int i = 0; i < checkCount; ++i)
        generatorLog[static_cast<size_t>(i)] = field.log[poly[static_cast<size_t>(i)]];
}

std::vector<uint8_t> DataMatrixReedSolomon::rs_encode(std::span<const uint8_t> data) const
{
    const size_t n = generatorLog.size();
    if (n == 0)
        return {};
    // Shift register holding the remainder; remainder[n-1] is the highest-degree term.
    std::vector<uint8_t> remainder(n, 0);
    for (uint8_t byte : data) {
        const uint8_t feedback = byte ^ remainder[n - 1];
        if (feedback == 0) {
            std::copy_backward(remainder.begin(), remainder.end() - 1, remainder.end());
            remainder[0] = 0;
            continue;
        }
        const int feedbackLog = field.log[feedback];
        for (size_t i = n - 1; i > 0; --i)
            remainder[i] = remainder[i - 1] ^ field.antilog[static_cast<size_t>(feedbackLog + generatorLog[i])];
        remainder[0] = field.antilog[static_cast<size_t>(feedbackLog + generatorLog[0])];
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
