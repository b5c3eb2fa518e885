#include "data/ZipReader.h"

#include "data/ZipEntryStream.h"
#include "platform/FileIdentity.h"
#include "platform/SafeRead.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

bool ZipReader::readAt(qint64 offset, char* data, qint64 size) const
{
    if (offset < 0 || size < 0 || offset > size_ - size)
        return false;
    // pread keeps no position, so parts may be read on other threads while this one reads.
    while (size > 0) {
        const ssize_t count = ::pread(file_.handle(), data, size_t(size), off_t(offset));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        data += count;
        offset += count;
        size -= count;
    }
    return true;
}

FileDigest ZipReader::digest(const std::atomic<bool>* stop) const
{
    if (!unchanged())
        return {};
    const FileDigest content = FileDigest::ofOpenFile(file_.handle(), size_, stop);
    // Rewritten while it was read: the digest may be of no state the file ever had.
    return unchanged() ? content : FileDigest();
}

bool ZipReader::unchanged() const
{
    return file_.isOpen() && openFileUnchanged(file_.handle(), identity_);
}

bool ZipReader::open()
{
    // A FIFO or a device would block the reader or never end.
    if (!SafeRead::openRegularFile(file_, file_.fileName()))
        return fail(QStringLiteral("the file cannot be read"));
    identity_ = openFileIdentity(file_.handle());
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

ZipReader::Status ZipReader::read(const Entry& entry, qint64 limit, const Sink& write) const
{
    ZipEntryStream stream(*this, entry, limit);
    std::vector<char> block(blockSize);
    for (;;) {
        const qint64 count = stream.read(block.data(), blockSize);
        if (count < 0)
            return stream.status();
        if (count == 0)
            return Status::Ok;
        if (!write(block.data(), count))
            return Status::WriteFailed;
    }
}

qint64 ZipReader::dataOffset(const Entry& entry) const
{
    char local[localSize];
    if (!readAt(qint64(entry.localHeaderOffset), local, localSize) || u32(local) != localSignature)
        return -1;
    const qint64 offset = qint64(entry.localHeaderOffset) + localSize + u16(local + 26) + u16(local + 28);
    return offset > size_ - qint64(entry.compressedSize) ? -1 : offset;
}

const ZipReader::Entry* ZipReader::find(const QString& name) const
{
    for (const Entry& entry : entries_) {
        if (entry.name.size() == name.size() && QString(entry.name).replace(u'\\', u'/') == name)
            return &entry;
    }
    return nullptr;
}
