#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct DataMatrixSymbol;

namespace datamatrix_test {

// What ZXingReader reads from the image, or nullopt when it reads nothing (so an empty
// symbol cannot be told from none: decode only non-empty values).
std::optional<QByteArray> decodeWithZXing(const QImage& image);

// The symbol drawn with a quiet zone and several pixels per module, then decoded.
std::optional<QByteArray> decodeSymbol(const DataMatrixSymbol& symbol);

// The module rows of `zint -b 71 --vers=N --dump -d DATA`, top row first, as "0"/"1" strings.
std::vector<std::string> zintRows(int version, const std::string& data, int columns);

// Our grid in the same form: top row first.
std::vector<std::string> gridRows(const DataMatrixSymbol& symbol);

// A repeatable pseudo-random text of `length` bytes drawn from the alphabet.
std::string randomText(const std::string& alphabet, size_t length, uint32_t seed);

// Every byte value once, for Base 256 and ASCII payloads.
std::string allBytes();

} // namespace datamatrix_test
