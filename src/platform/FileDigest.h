#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>

// What a file holds, as its size and a SHA-256 of its bytes: two files with the same digest hold
// the same bytes, whatever their times, names or folders.
struct FileDigest
{
    qint64 bytes = -1;
    QByteArray sha256; // raw, 32 bytes; empty when unknown

    bool isKnown() const { return bytes >= 0 && sha256.size() == 32; }
    bool operator==(const FileDigest&) const = default;

    // Read piece by piece, so a file of any size costs one buffer. Unknown when the file is not
    // a regular file, cannot be read to its end, or `stop` is set before it is.
    static FileDigest of(const QString& path, const std::atomic<bool>* stop = nullptr);
    // The same of the first `bytes` of a file held open, read where they lie (the descriptor's
    // position is left alone): the bytes of the file opened, whatever lies at its path now.
    static FileDigest ofOpenFile(int descriptor, qint64 bytes, const std::atomic<bool>* stop = nullptr);
    // Unknown unless `hex` is 64 hexadecimal digits and `bytes` a count of bytes.
    static FileDigest fromHex(qint64 bytes, const QString& hex);
};
