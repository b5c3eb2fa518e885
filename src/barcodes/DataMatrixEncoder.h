#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One encoded Data Matrix ECC 200 symbol, or the reason there is none.
struct DataMatrixSymbol {
    int width = 0;  // columns
    int height = 0; // rows
    std::vector<uint8_t> grid;      // width x height, row-major, row 0 at the bottom; 1 dark
    std::vector<uint8_t> codewords; // data codewords then check codewords
    std::string encoding;           // the scheme letter used for every byte
    int used = 0;                   // data codewords before the padding
    int capacity = 0;               // data codewords of the size
    int checkCodewords = 0;
    std::string error;              // the refusal when there is no grid

    bool isValid() const { return !grid.empty(); }
};

// Encodes the bytes (at least one) as a symbol of the given columns and rows, or of the
// smallest size that holds them when width is 0. Without an encoding string the encodations are chosen by cost;
// with one, each byte is encoded by its letter ("ACTXEB"). Safe to call on several threads.
DataMatrixSymbol encodeDataMatrix(std::string_view source, int width = 0, int height = 0,
                                  const std::optional<std::string>& encoding = std::nullopt);
