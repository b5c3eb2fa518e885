#pragma once

#include <QByteArray>
#include <QImage>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

struct pdf417param;

// Independent judges of PDF417 symbols for the tests: ZXingReader decodes images, zint
// draws reference module rows.
namespace pdf417test {

// Decodes each image (one symbol per image) in a single ZXingReader run; nullopt where
// no PDF417 symbol was read.
std::vector<std::optional<QByteArray>> decodeWithZXing(const std::vector<QImage>& images);

// The record's symbol as a decoder wants it: whole pixels per module and a quiet zone.
QImage decodableImage(const pdf417param& param);

// Module rows of zint's PDF417 symbol as hexadecimal byte strings, one per row.
QStringList zintRows(const QByteArray& data, int columns, int level);
// The record's module rows in zint's --dump form (bars as set bits).
QStringList moduleRows(const pdf417param& param);

// Empty when the row lists are equal, else where and how they first differ.
std::string rowDifference(const QStringList& ours, const QStringList& reference);

// A record encoding the bytes with the given options (columns, level and so on set by
// the caller through the options), after paintCode().
pdf417param encode(const QByteArray& text, int options = 0, int columns = 0, int rows = 0, int level = 0);

} // namespace pdf417test
