#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Reed-Solomon check codewords over GF(256) with the field polynomial 0x12D and the
// generator roots alpha^1 .. alpha^n, as ECC 200 uses them. The field tables are constant
// and each coder owns its generator, so coders on different threads share nothing mutable.
class DataMatrixReedSolomon {
public:
    explicit DataMatrixReedSolomon(int checkCount);

    // The check codewords of one block, in the order they are transmitted.
    std::vector<uint8_t> rs_encode(std::span<const uint8_t> data) const;

private:
    std::vector<int> generatorLog; // logarithms of the coefficients of x^0 .. x^(n-1); x^n has 1
};

// Appends the check codewords of every interleaved block to the data codewords.
// Codeword n of the whole stream, data and check alike, belongs to block n mod blocks.
std::vector<uint8_t> ecc200(std::span<const uint8_t> data, int dataPerBlock, int checkPerBlock);
