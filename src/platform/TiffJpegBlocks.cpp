#include "platform/TiffJpegBlocks.h"

#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <optional>

namespace TiffJpegBlocks {

namespace {

enum Tag : quint16
{
    ImageWidth = 256,
    ImageLength = 257,
    Compression = 259,
    StripOffsets = 273,
    RowsPerStrip = 278,
    StripByteCounts = 279,
    TileWidth = 322,
    TileLength = 323,
    TileOffsets = 324,
    TileByteCounts = 325,
    JpegInterchangeFormat = 513,
    JpegInterchangeFormatLength = 514,
};

constexpr quint64 oldStyleJpeg = 6;
constexpr quint64 jpeg = 7;

// Reads the first directory of a classic or a big TIFF, in either byte order.
class Directory
{
public:
    explicit Directory(const QByteArray& data)
        : data_(data)
        , little_(data.startsWith("II"))
    {
        if (data.size() < 16)
            return;
        const quint16 version = u16(2);
        big_ = version == 43;
        if (version != 42 && !(big_ && u16(4) == 8))
            return;
        quint64 at = big_ ? u64(8) : u32(4);
        const quint64 entryCount = big_ ? (fits(at, 8) ? u64(at) : 0) : (fits(at, 2) ? u16(at) : 0);
        const quint64 entrySize = big_ ? 20 : 12;
        at += big_ ? 8 : 2;
        if (entryCount > 4096 || !fits(at, entryCount * entrySize))
            return;
        for (quint64 entry = 0; entry < entryCount; ++entry, at += entrySize)
            entries_.insert(u16(at), at);
        valid_ = true;
    }

    bool valid() const { return valid_; }

    // The tag's whole numbers; empty when it is missing, not of a whole-number type, or
    // points outside the file.
    std::vector<quint64> values(quint16 tag) const
    {
        const auto found = entries_.find(tag);
        if (found == entries_.end())
            return {};
        const quint64 at = *found;
        const quint16 type = u16(at + 2);
        const quint64 count = big_ ? u64(at + 4) : u32(at + 4);
        const int size = type == 3 ? 2 : type == 4 || type == 13 ? 4 : type == 16 || type == 18 ? 8 : 0;
        if (size == 0 || count > quint64(data_.size()) / quint64(size))
            return {};
        const quint64 field = at + (big_ ? 12 : 8);
        const quint64 fieldSize = big_ ? 8 : 4;
        const quint64 start = count * quint64(size) <= fieldSize ? field : (big_ ? u64(field) : u32(field));
        if (!fits(start, count * quint64(size)))
            return {};
        std::vector<quint64> result;
        result.reserve(count);
        for (quint64 i = 0; i < count; ++i) {
            const quint64 where = start + i * quint64(size);
            result.push_back(size == 2 ? u16(where) : size == 4 ? u32(where) : u64(where));
        }
        return result;
    }

    std::optional<quint64> value(quint16 tag) const
    {
        const std::vector<quint64> all = values(tag);
        return all.empty() ? std::nullopt : std::optional(all.front());
    }

private:
    bool fits(quint64 at, quint64 length) const
    {
        const auto size = quint64(data_.size());
        return at <= size && length <= size - at;
    }
    const uchar* at(quint64 offset) const { return reinterpret_cast<const uchar*>(data_.constData()) + offset; }
    quint16 u16(quint64 o) const
    {
        return little_ ? qFromLittleEndian<quint16>(at(o)) : qFromBigEndian<quint16>(at(o));
    }
    quint32 u32(quint64 o) const
    {
        return little_ ? qFromLittleEndian<quint32>(at(o)) : qFromBigEndian<quint32>(at(o));
    }
    quint64 u64(quint64 o) const
    {
        return little_ ? qFromLittleEndian<quint64>(at(o)) : qFromBigEndian<quint64>(at(o));
    }

    const QByteArray& data_;
    bool little_;
    bool big_ = false;
    bool valid_ = false;
    QHash<quint16, quint64> entries_; // tag to where its entry starts
};

// The blocks at the offsets, cut to the file, each decoding to the given pixels.
void appendBlocks(std::vector<Block>& blocks, const std::vector<quint64>& offsets, const std::vector<quint64>& lengths,
    qint64 pixels, qsizetype fileSize)
{
    for (size_t i = 0; i < std::min(offsets.size(), lengths.size()); ++i) {
        if (offsets[i] >= quint64(fileSize))
            continue;
        const auto offset = qsizetype(offsets[i]);
        blocks.push_back({ offset, qsizetype(std::min<quint64>(lengths[i], quint64(fileSize - offset))), pixels });
    }
}

} // namespace

bool isTiff(const QByteArray& data)
{
    return data.startsWith(QByteArray("II*\0", 4)) || data.startsWith(QByteArray("MM\0*", 4))
        || data.startsWith(QByteArray("II+\0", 4)) || data.startsWith(QByteArray("MM\0+", 4));
}

std::vector<Block> blocks(const QByteArray& data)
{
    if (!isTiff(data))
        return {};
    const Directory directory(data);
    const std::optional<quint64> compression = directory.value(Compression);
    if (!directory.valid() || (compression != jpeg && compression != oldStyleJpeg))
        return {};
    // Sizes are capped at 2^24 a side, far past what any reader accepts, so products stay exact.
    const auto side = [&](quint16 tag) { return qint64(std::min<quint64>(directory.value(tag).value_or(0), 1 << 24)); };
    const qint64 width = side(ImageWidth);
    const qint64 height = side(ImageLength);
    std::vector<Block> found;
    if (directory.value(TileWidth)) {
        appendBlocks(found, directory.values(TileOffsets), directory.values(TileByteCounts),
            side(TileWidth) * side(TileLength), data.size());
    } else {
        const qint64 rows = std::min(height, side(RowsPerStrip) > 0 ? side(RowsPerStrip) : height);
        appendBlocks(
            found, directory.values(StripOffsets), directory.values(StripByteCounts), width * rows, data.size());
    }
    if (const auto start = directory.value(JpegInterchangeFormat)) {
        const quint64 length = directory.value(JpegInterchangeFormatLength).value_or(quint64(data.size()));
        appendBlocks(found, { *start }, { length }, width * height, data.size());
    }
    return found;
}

} // namespace TiffJpegBlocks
