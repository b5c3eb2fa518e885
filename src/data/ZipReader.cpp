#include "data/ZipReader.h"

#include "platform/SafeRead.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr quint32 endSignature = 0x06054b50;
constexpr quint32 zip64EndSignature = 0x06064b50;
constexpr quint32 zip64LocatorSignature = 0x07064b50;
constexpr quint32 centralSignature = 0x02014b50;
constexpr quint32 localSignature = 0x04034b50;
constexpr qint64 endSize = 22;
constexpr qint64 zip64LocatorSize = 20;
constexpr qint64 zip64EndSize = 56;
constexpr qint64 centralSize = 46;
constexpr qint64 localSize = 30;
constexpr qint64 maxCommentSize = 0xffff;
constexpr quint16 zip64ExtraId = 0x0001;
constexpr quint16 encryptedFlag = 1;
constexpr quint16 stored = 0;
constexpr quint16 deflated = 8;
constexpr quint32 marker32 = 0xffffffff;
// A workbook's directory takes kilobytes; more than this is not an archive we can mean to read.
constexpr qint64 maxDirectorySize = qint64(64) << 20;
constexpr qint64 blockSize = 64 * 1024;

quint16 u16(const char* p)
{
    return quint16(uchar(p[0]) | uchar(p[1]) << 8);
}

quint32 u32(const char* p)
{
    return quint32(u16(p)) | quint32(u16(p + 2)) << 16;
}

quint64 u64(const char* p)
{
    return quint64(u32(p)) | quint64(u32(p + 4)) << 32;
}

// Replaces the 32-bit fields that hold the ZIP64 marker by the values of the ZIP64 extra field,
// which lists them in this fixed order. False when a marked field has no value there.
bool applyZip64Extra(const char* extra, qint64 extraSize, ZipReader::Entry& entry, bool sizeMarked,
    bool compressedMarked, bool offsetMarked)
{
    for (qint64 at = 0; at + 4 <= extraSize;) {
        const quint16 id = u16(extra + at);
        const qint64 length = u16(extra + at + 2);
        const char* field = extra + at + 4;
        if (at + 4 + length > extraSize)
            break;
        if (id == zip64ExtraId) {
            qint64 used = 0;
            const auto take = [&](quint64& value) {
                if (used + 8 > length)
                    return false;
                value = u64(field + used);
                used += 8;
                return true;
            };
            return (!sizeMarked || take(entry.size)) && (!compressedMarked || take(entry.compressedSize))
                && (!offsetMarked || take(entry.localHeaderOffset));
        }
        at += 4 + length;
    }
    return !sizeMarked && !compressedMarked && !offsetMarked;
}

// Releases the inflater on every way out of a read.
struct Inflater
{
    z_stream stream {};
    bool ready = false;
    ~Inflater()
    {
        if (ready)
            inflateEnd(&stream);
    }
};

} // namespace

ZipReader::ZipReader(const QString& path)
    : file_(path)
{ }

bool ZipReader::fail(const QString& message)
{
    error_ = message;
    entries_.clear();
    return false;
}

bool ZipReader::readAt(qint64 offset, char* data, qint64 size)
{
    return offset >= 0 && size >= 0 && offset <= size_ - size && file_.seek(offset) && file_.read(data, size) == size;
}

bool ZipReader::open()
{
    // A FIFO or a device would block the reader or never end.
    if (!SafeRead::openRegularFile(file_, file_.fileName()))
        return fail(QStringLiteral("the file cannot be read"));
    size_ = file_.size();
    qint64 offset = 0;
    qint64 size = 0;
    quint64 count = 0;
    return locateDirectory(offset, size, count) && readDirectory(offset, size, count);
}

bool ZipReader::locateDirectory(qint64& offset, qint64& size, quint64& count)
{
    // The end record is the last thing in the file but for a comment of up to 64 KiB.
    const qint64 tailSize = std::min(size_, endSize + maxCommentSize);
    std::vector<char> tail(size_t(tailSize), '\0');
    if (tailSize < endSize || !readAt(size_ - tailSize, tail.data(), tailSize))
        return fail(QStringLiteral("the file is not a zip archive"));
    qint64 end = -1;
    for (qint64 at = tailSize - endSize; at >= 0; --at) {
        if (u32(tail.data() + at) == endSignature && at + endSize + u16(tail.data() + at + 20) <= tailSize) {
            end = at;
            break;
        }
    }
    if (end < 0)
        return fail(QStringLiteral("the file is not a zip archive"));
    const char* record = tail.data() + end;
    const qint64 endOffset = size_ - tailSize + end;
    count = u16(record + 10);
    size = u32(record + 12);
    offset = u32(record + 16);
    qint64 directoryEnd = endOffset;

    char locator[zip64LocatorSize];
    if (endOffset >= zip64LocatorSize && readAt(endOffset - zip64LocatorSize, locator, zip64LocatorSize)
        && u32(locator) == zip64LocatorSignature) {
        const quint64 zip64EndOffset = u64(locator + 8);
        char zip64End[zip64EndSize];
        if (zip64EndOffset > quint64(endOffset - zip64LocatorSize - zip64EndSize)
            || !readAt(qint64(zip64EndOffset), zip64End, zip64EndSize) || u32(zip64End) != zip64EndSignature)
            return fail(QStringLiteral("the ZIP64 end record is damaged"));
        count = u64(zip64End + 32);
        const quint64 size64 = u64(zip64End + 40);
        const quint64 offset64 = u64(zip64End + 48);
        if (size64 > quint64(size_) || offset64 > quint64(size_))
            return fail(QStringLiteral("the ZIP64 end record is damaged"));
        size = qint64(size64);
        offset = qint64(offset64);
        directoryEnd = qint64(zip64EndOffset);
    }
    if (offset > directoryEnd - size || size > maxDirectorySize || count > quint64(size / centralSize))
        return fail(QStringLiteral("the list of entries is damaged"));
    return true;
}

bool ZipReader::readDirectory(qint64 offset, qint64 size, quint64 count)
{
    std::vector<char> directory(size_t(size), '\0');
    if (!readAt(offset, directory.data(), size))
        return fail(QStringLiteral("the list of entries cannot be read"));
    entries_.reserve(qsizetype(count));
    qint64 at = 0;
    for (quint64 index = 0; index < count; ++index) {
        const char* record = directory.data() + at;
        if (at + centralSize > size || u32(record) != centralSignature)
            return fail(QStringLiteral("the list of entries is damaged"));
        const qint64 nameSize = u16(record + 28);
        const qint64 extraSize = u16(record + 30);
        const qint64 commentSize = u16(record + 32);
        if (at + centralSize + nameSize + extraSize + commentSize > size)
            return fail(QStringLiteral("the list of entries is damaged"));
        Entry entry;
        entry.flags = u16(record + 8);
        entry.method = u16(record + 10);
        entry.dosDateTime = u32(record + 12);
        entry.crc = u32(record + 16);
        entry.compressedSize = u32(record + 20);
        entry.size = u32(record + 24);
        entry.localHeaderOffset = u32(record + 42);
        entry.name = QString::fromUtf8(record + centralSize, nameSize);
        if (!applyZip64Extra(record + centralSize + nameSize, extraSize, entry, entry.size == marker32,
                entry.compressedSize == marker32, entry.localHeaderOffset == marker32))
            return fail(QStringLiteral("the ZIP64 sizes of %1 are missing").arg(entry.name));
        if (entry.localHeaderOffset > quint64(offset) || entry.compressedSize > quint64(offset))
            return fail(QStringLiteral("the entry %1 lies outside the archive").arg(entry.name));
        entries_.append(entry);
        at += centralSize + nameSize + extraSize + commentSize;
    }
    return true;
}

ZipReader::Status ZipReader::read(const Entry& entry, qint64 limit, const Sink& write)
{
    if ((entry.flags & encryptedFlag) || (entry.method != stored && entry.method != deflated))
        return Status::Unsupported;
    char local[localSize];
    if (!readAt(qint64(entry.localHeaderOffset), local, localSize) || u32(local) != localSignature)
        return Status::Damaged;
    const qint64 dataOffset = qint64(entry.localHeaderOffset) + localSize + u16(local + 26) + u16(local + 28);
    if (dataOffset > size_ - qint64(entry.compressedSize) || !file_.seek(dataOffset))
        return Status::Damaged;

    Inflater inflater;
    if (entry.method == deflated) {
        if (inflateInit2(&inflater.stream, -MAX_WBITS) != Z_OK)
            return Status::Damaged;
        inflater.ready = true;
    }
    std::vector<char> in(blockSize);
    std::vector<char> out(blockSize);
    quint64 left = entry.compressedSize;
    quint64 written = 0;
    uLong crc = crc32(0, nullptr, 0);
    const auto deliver = [&](const char* data, qint64 count) {
        written += quint64(count);
        if (written > quint64(limit))
            return Status::TooLarge;
        // More than the directory states is damage, whatever the limit allows.
        if (written > entry.size)
            return Status::Damaged;
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data), uInt(count));
        return write(data, count) ? Status::Ok : Status::WriteFailed;
    };
    bool ended = entry.method == stored && left == 0;
    while (!ended) {
        if (left == 0)
            return Status::Damaged; // the data ran out before the stream ended
        const qint64 count = file_.read(in.data(), qint64(std::min<quint64>(left, blockSize)));
        if (count <= 0)
            return Status::Damaged;
        left -= quint64(count);
        if (entry.method == stored) {
            if (const Status status = deliver(in.data(), count); status != Status::Ok)
                return status;
            ended = left == 0;
            continue;
        }
        inflater.stream.next_in = reinterpret_cast<Bytef*>(in.data());
        inflater.stream.avail_in = uInt(count);
        do {
            inflater.stream.next_out = reinterpret_cast<Bytef*>(out.data());
            inflater.stream.avail_out = uInt(out.size());
            const int result = inflate(&inflater.stream, Z_NO_FLUSH);
            if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
                return Status::Damaged;
            const qint64 produced = qint64(out.size()) - inflater.stream.avail_out;
            if (produced > 0) {
                if (const Status status = deliver(out.data(), produced); status != Status::Ok)
                    return status;
            }
            if (result == Z_STREAM_END) {
                ended = true;
                break;
            }
            if (result == Z_BUF_ERROR && produced == 0)
                break;
        } while (inflater.stream.avail_in > 0 || inflater.stream.avail_out == 0);
    }
    return written == entry.size && crc == entry.crc ? Status::Ok : Status::Damaged;
}
