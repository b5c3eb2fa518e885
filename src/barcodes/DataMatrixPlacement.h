#pragma once

#include "barcodes/DataMatrixSymbolSize.h"

#include <cstdint>
#include <span>
#include <vector>

// Numbers the cells of an nrow x ncol mapping matrix (row 0 at the top) by the ECC 200
// placement: codeword * 8 + bit, codewords counted from 1 and bit 7 the most significant.
// When the placement leaves the bottom-right 2 x 2 corner unused, its fixed dark cells hold 1
// and its light ones 0.
std::vector<int> ecc200placement(int nrow, int ncol);

// The module grid of a symbol holding these codewords (data and check): columns x rows
// cells, row-major, row 0 the bottom row, 1 dark and 0 light.
std::vector<uint8_t> dataMatrixGrid(const DataMatrixSymbolSize& size, std::span<const uint8_t> codewords);
