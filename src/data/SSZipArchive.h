#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include "data/ZipReader.h"

#include <minizip/zip.h>

// Why an unpacking failed: the domain, a code and a message that can be shown as it is.
struct ZipError
{
    QString domain;
    int code = 0;
    QString message;
};

// Whole-archive zip operations over minizip: unpack every entry of an archive into a folder,
// or pack files and folders into a new archive (entries deflated at the default level).
// Every call opens and closes its own archive handle; nothing is shared between calls.
class SSZipArchive
{
public:
    static inline const QString errorDomain = QStringLiteral("SSZipArchiveErrorDomain");

    enum ErrorCode
    {
        CannotOpenArchive = -1, // "failed to open zip file"
        NoFirstEntry = -2, // "failed to open first file in zip file"
        UnsafeEntryName = -3, // an entry would land outside the destination folder
        DamagedEntry = -4, // an entry cannot be opened, read or fails its check sum
        CannotWriteEntry = -5, // the unpacked file cannot be written whole
        ArchiveTooLarge = -6, // more than unpackLimit() or maxEntries
    };

    // An honest workbook unpacks to tens of times its size; a zip bomb to hundreds or a
    // thousand. Small archives may unpack to minUnpackLimit whatever their ratio.
    static constexpr qint64 maxAmplification = 200;
    static constexpr qint64 minUnpackLimit = qint64(256) << 20;
    static constexpr qint64 maxEntries = 65535;
    // How many bytes an archive of archiveBytes may unpack to, all entries together.
    static qint64 unpackLimit(qint64 archiveBytes);

    // Unpacks every entry under destination. Entries whose names are absolute or contain ".."
    // refuse the whole archive before anything is written. A damaged or encrypted entry fails
    // the unpacking and leaves no truncated file behind. The password is not used.
    static bool unzipFileAtPath(
        const QString& path, const QString& destination, bool overwrite, const QString& password, ZipError* error);
    static bool unzipFileAtPath(const QString& path, const QString& destination);
    // Opens the archive for reading its entries where they lie, refusing what unpacking
    // refuses before anything is read: no zip, no entries, too many, or a name that would
    // leave the destination.
    static bool openForReading(ZipReader& zip, ZipError* error);
    // Why reading an entry failed, as unpacking reports it.
    static ZipError readFailure(ZipReader::Status status, const QString& name);

    // Creates the archive at path holding each given file or folder under its own last name
    // (a folder with its contents); paths that cannot be read are left out. True when the
    // archive was created and closed.
    static bool createZipFileAtPath(const QString& path, const QStringList& paths);
    static bool createZipFileAtPath(const QString& path, const QString& filePath);

    explicit SSZipArchive(const QString& path);
    ~SSZipArchive();
    SSZipArchive(const SSZipArchive&) = delete;
    SSZipArchive& operator=(const SSZipArchive&) = delete;

    // Creates the archive file; true when the handle is open.
    bool open();
    // Stores the file or folder at basePath + entryName under entryName (recursively for a
    // folder, one "name/" entry for an empty folder).
    bool writeFile(const QString& entryName, const QString& basePath);
    // Stores the bytes as one entry dated now.
    bool writeData(const QByteArray& data, const QString& filename);
    // Writes the central directory; true when the archive was completed.
    bool close();

    static void zipInfo_setDate(zip_fileinfo& info, const QDateTime& date);

private:
    bool openEntry(const QString& entryName, const zip_fileinfo& info, bool large);

    QString _path;
    zipFile _zip = nullptr;
};
