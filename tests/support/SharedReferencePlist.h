#pragma once

// Binary property lists that refer to one object from many places, as a hostile file does:
// a few bytes that a parser copying each shared object expands enormously.

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <initializer_list>

namespace sharedplist {

// The bytes given, as written.
inline QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes += char(value);
    return bytes;
}

inline void appendBigEndian(QByteArray& bytes, uint64_t value, int width)
{
    for (int i = width - 1; i >= 0; --i)
        bytes += char((value >> (8 * i)) & 0xFF);
}

// A binary list of the given objects (each already encoded, references one byte wide), its
// top object the first.
inline QByteArray binaryList(const QList<QByteArray>& objects)
{
    QByteArray bytes("bplist00");
    QList<uint64_t> offsets;
    for (const QByteArray& object : objects) {
        offsets.append(uint64_t(bytes.size()));
        bytes += object;
    }
    const uint64_t offsetTable = uint64_t(bytes.size());
    for (const uint64_t offset : offsets)
        appendBigEndian(bytes, offset, 4);
    bytes += QByteArray(6, '\0');
    bytes += char(4); // offset size
    bytes += char(1); // reference size
    appendBigEndian(bytes, uint64_t(objects.size()), 8);
    appendBigEndian(bytes, 0, 8);
    appendBigEndian(bytes, offsetTable, 8);
    return bytes;
}

// Arrays each holding the next twice, `levels` deep, down to one short string: about 30 bytes
// plus 7 a level, and 2^(levels+1) - 1 values once expanded.
inline QByteArray doublingArrays(int levels)
{
    QList<QByteArray> objects;
    for (int level = 0; level < levels; ++level)
        objects.append(bytesOf({ 0xA2, level + 1, level + 1 }));
    objects.append(bytesOf({ 0x51, 'x' }));
    return binaryList(objects);
}

// An array of `count` references to one data object (count < 2^16 or a wider array marker).
inline QByteArray repeatedData(const QByteArray& data, int count)
{
    QByteArray array = bytesOf({ 0xAF, 0x12 });
    appendBigEndian(array, uint64_t(count), 4);
    array += QByteArray(count, char(1));
    QByteArray object = bytesOf({ 0x4F, 0x12 });
    appendBigEndian(object, uint64_t(data.size()), 4);
    object += data;
    return binaryList({ array, object });
}

} // namespace sharedplist
