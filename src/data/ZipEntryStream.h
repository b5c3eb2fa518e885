#pragma once

#include "data/ZipReader.h"

#include <zlib.h>

#include <vector>

// The data of one zip entry, inflated piece by piece as a reader asks for them, so that a part
// is parsed straight from the archive without being unpacked anywhere. The same checks as a
// whole read hold while the data come: no more than the limit, no more than the stated size,
// and at the end exactly the stated size and check sum.
class ZipEntryStream
{
public:
    // archive must stay open while the stream is read.
    ZipEntryStream(const ZipReader& archive, const ZipReader::Entry& entry, qint64 limit);
    ~ZipEntryStream();
    ZipEntryStream(const ZipEntryStream&) = delete;
    ZipEntryStream& operator=(const ZipEntryStream&) = delete;

    // Up to max bytes of the entry into data: how many, 0 once the entry has ended whole, or
    // -1 when it cannot be read (see status()).
    qint64 read(char* data, qint64 max);
    ZipReader::Status status() const { return status_; }

private:
    qint64 fail(ZipReader::Status status);
    bool start();
    bool refill();
    qint64 deliver(const char* data, qint64 count);

    const ZipReader& archive_;
    const ZipReader::Entry entry_;
    const qint64 limit_;
    ZipReader::Status status_ = ZipReader::Status::Ok;
    bool started_ = false;
    bool ended_ = false;
    z_stream inflater_ {};
    bool inflaterReady_ = false;
    std::vector<char> in_;
    qint64 offset_ = 0; // of the next packed byte in the archive
    quint64 left_ = 0; // packed bytes not yet read
    quint64 written_ = 0;
    uLong crc_ = 0;
};
