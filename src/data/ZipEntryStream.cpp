#include "data/ZipEntryStream.h"

#include <algorithm>
#include <climits>

namespace {

constexpr quint16 encryptedFlag = 1;
constexpr quint16 stored = 0;
constexpr quint16 deflated = 8;
constexpr qint64 blockSize = 256 * 1024;

} // namespace

ZipEntryStream::ZipEntryStream(const ZipReader& archive, const ZipReader::Entry& entry, qint64 limit)
    : archive_(archive)
    , entry_(entry)
    , limit_(limit)
{ }

ZipEntryStream::~ZipEntryStream()
{
    if (inflaterReady_)
        inflateEnd(&inflater_);
}

qint64 ZipEntryStream::fail(ZipReader::Status status)
{
    status_ = status;
    return -1;
}

bool ZipEntryStream::start()
{
    started_ = true;
    if ((entry_.flags & encryptedFlag) || (entry_.method != stored && entry_.method != deflated)) {
        fail(ZipReader::Status::Unsupported);
        return false;
    }
    offset_ = archive_.dataOffset(entry_);
    if (offset_ < 0) {
        fail(ZipReader::Status::Damaged);
        return false;
    }
    left_ = entry_.compressedSize;
    crc_ = crc32(0, nullptr, 0);
    if (entry_.method == deflated) {
        if (inflateInit2(&inflater_, -MAX_WBITS) != Z_OK) {
            fail(ZipReader::Status::Damaged);
            return false;
        }
        inflaterReady_ = true;
        in_.resize(blockSize);
    }
    return true;
}

// The next block of packed data for the inflater.
bool ZipEntryStream::refill()
{
    // The data ran out before the packed stream ended.
    if (left_ == 0) {
        fail(ZipReader::Status::Damaged);
        return false;
    }
    const qint64 count = qint64(std::min<quint64>(left_, quint64(in_.size())));
    if (!archive_.readAt(offset_, in_.data(), count)) {
        fail(ZipReader::Status::Damaged);
        return false;
    }
    offset_ += count;
    left_ -= quint64(count);
    inflater_.next_in = reinterpret_cast<Bytef*>(in_.data());
    inflater_.avail_in = uInt(count);
    return true;
}

qint64 ZipEntryStream::deliver(const char* data, qint64 count)
{
    written_ += quint64(count);
    if (written_ > quint64(limit_))
        return fail(ZipReader::Status::TooLarge);
    // More than the directory states is damage, whatever the limit allows.
    if (written_ > entry_.size)
        return fail(ZipReader::Status::Damaged);
    crc_ = crc32_z(crc_, reinterpret_cast<const Bytef*>(data), size_t(count));
    return count;
}

qint64 ZipEntryStream::read(char* data, qint64 max)
{
    if (status_ != ZipReader::Status::Ok || (!started_ && !start()))
        return -1;
    max = std::clamp<qint64>(max, 1, UINT_MAX);
    while (!ended_) {
        qint64 produced = 0;
        if (entry_.method == stored) {
            produced = qint64(std::min<quint64>(left_, quint64(max)));
            if (produced > 0 && !archive_.readAt(offset_, data, produced))
                return fail(ZipReader::Status::Damaged);
            offset_ += produced;
            left_ -= quint64(produced);
            ended_ = left_ == 0;
        } else {
            if (inflater_.avail_in == 0 && !refill())
                return -1;
            inflater_.next_out = reinterpret_cast<Bytef*>(data);
            inflater_.avail_out = uInt(max);
            const int result = inflate(&inflater_, Z_NO_FLUSH);
            produced = max - qint64(inflater_.avail_out);
            const bool stuck = result == Z_BUF_ERROR && produced == 0 && inflater_.avail_in > 0;
            if ((result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) || stuck)
                return fail(ZipReader::Status::Damaged);
            ended_ = result == Z_STREAM_END;
        }
        if (produced > 0)
            return deliver(data, produced);
    }
    if (written_ != entry_.size || crc_ != entry_.crc)
        return fail(ZipReader::Status::Damaged);
    return 0;
}
