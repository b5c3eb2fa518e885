#pragma once

#include "platform/FileDigest.h"

#include <QFile>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>

// Reads a zip archive through its central directory and inflates its entries with zlib. ZIP64
// is read in every form writers use, also the one of streaming writers (every size and offset
// only in the ZIP64 extra field, with or without data descriptors), which minizip's reader
// misreads on 64-bit systems. Nothing in the archive is trusted: every count, offset and size
// is checked against the file before it is used, and an entry must inflate to exactly its
// stated size and check sum.
class ZipReader
{
public:
    struct Entry
    {
        QString name; // as stored, decoded as UTF-8
        quint16 flags = 0;
        quint16 method = 0;
        quint32 crc = 0;
        quint32 dosDateTime = 0; // MS-DOS date in the high half, time in the low half; 0 for none
        quint64 compressedSize = 0;
        quint64 size = 0;
        quint64 localHeaderOffset = 0;
    };

    enum class Status
    {
        Ok,
        Damaged, // the entry's data do not inflate to what the directory states
        Unsupported, // encrypted, or packed with a method other than stored or deflated
        TooLarge, // the data would go past the limit given
        WriteFailed, // the sink refused the data
    };

    explicit ZipReader(const QString& path);

    // Reads the central directory; false with errorString() when the file is not a readable
    // zip archive or its directory is damaged.
    bool open();
    QString errorString() const { return error_; }
    const QList<Entry>& entries() const { return entries_; }
    qint64 archiveSize() const { return size_; }
    // The file's identity when it was opened (see fileIdentity). What is read comes from that
    // file even when another is renamed over its path meanwhile.
    const QString& identity() const { return identity_; }
    // The size and digest of the bytes of the file opened; unknown when `stop` ends the reading
    // or the file was changed since it was opened, as its entries may then not be those read.
    FileDigest digest(const std::atomic<bool>* stop = nullptr) const;
    // Whether the file opened still holds what it held then.
    bool unchanged() const;

    // Hands the entry's data to write in pieces, stopping with TooLarge before more than limit
    // bytes have been handed on. write returns false to stop with WriteFailed.
    using Sink = std::function<bool(const char* data, qint64 size)>;
    Status read(const Entry& entry, qint64 limit, const Sink& write) const;

    // The entry of that name, its backslashes read as slashes, or nullptr.
    const Entry* find(const QString& name) const;
    // Reads size bytes at offset of the archive; safe from several threads at once.
    bool readAt(qint64 offset, char* data, qint64 size) const;
    // Where the entry's packed data start, or -1 when its local header is damaged.
    qint64 dataOffset(const Entry& entry) const;

private:
    bool fail(const QString& message);
    bool locateDirectory(qint64& offset, qint64& size, quint64& count);
    bool readDirectory(qint64 offset, qint64 size, quint64 count);

    QFile file_;
    qint64 size_ = 0;
    QString identity_;
    QList<Entry> entries_;
    QString error_;
};
