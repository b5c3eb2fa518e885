#include "data/SSZipArchive.h"

#include "common/Logging.h"
#include "platform/SafeRead.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <minizip/unzip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int readBlockSize = 64 * 1024;
constexpr int storeBlockSize = 16384;
constexpr uLong utf8NameFlag = 1u << 11;

bool fail(ZipError* error, int code, const QString& message)
{
    if (error)
        *error = ZipError { SSZipArchive::errorDomain, code, message };
    return false;
}

// Closes the archive on every way out of the unpacking.
struct ReadHandle
{
    unzFile file = nullptr;
    ~ReadHandle()
    {
        if (file)
            unzClose(file);
    }
};

// The current entry's information and its name with "/" between components.
bool currentEntry(unzFile zip, unz_file_info64& info, QString& name)
{
    if (unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    std::vector<char> buffer(info.size_filename + 1, '\0');
    if (unzGetCurrentFileInfo64(zip, &info, buffer.data(), uLong(buffer.size()), nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    name = QString::fromUtf8(buffer.data(), qsizetype(info.size_filename));
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return true;
}

// A name that stays inside the destination: relative, no ".." component, no NUL.
bool isContainedName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QChar(0)))
        return false;
    if (name.size() >= 2 && name[1] == QLatin1Char(':')) // a drive letter
        return false;
    const QStringList parts = name.split(QLatin1Char('/'));
    return !parts.contains(QStringLiteral(".."));
}

// Calls visit() on each of the archive's count entries in order. minizip takes a count of
// 0xFFFF as "unknown" and reads past the last entry, so the walk ends by the count.
template <class Visit> bool forEachEntry(unzFile zip, quint64 count, ZipError* error, Visit visit)
{
    for (quint64 index = 0; index < count; ++index) {
        const int status = index == 0 ? unzGoToFirstFile(zip) : unzGoToNextFile(zip);
        if (status != UNZ_OK)
            return fail(error, SSZipArchive::DamagedEntry, QStringLiteral("damaged list of entries in zip file"));
        if (!visit())
            return false;
    }
    return true;
}

// Checks every name before anything is written, so a hostile archive leaves the destination
// untouched. Declared sizes are not trusted either way (ZIP64 entries may state none); the
// unpacking limit is enforced on the bytes actually written.
bool checkEntries(unzFile zip, quint64 count, ZipError* error)
{
    return forEachEntry(zip, count, error, [&] {
        unz_file_info64 info {};
        QString name;
        if (!currentEntry(zip, info, name))
            return fail(error, SSZipArchive::DamagedEntry, QStringLiteral("damaged entry in zip file"));
        if (!isContainedName(name))
            return fail(
                error, SSZipArchive::UnsafeEntryName, QStringLiteral("unsafe entry name in zip file: %1").arg(name));
        return true;
    });
}

QDateTime entryDate(const unz_file_info64& info)
{
    const tm_unz& t = info.tmu_date;
    const QDate day(int(t.tm_year), int(t.tm_mon) + 1, int(t.tm_mday));
    const QTime time(int(t.tm_hour), int(t.tm_min), int(t.tm_sec));
    return QDateTime(day, time, Qt::LocalTime);
}

// Copies the open entry into target; the file appears only when the entry was read whole and
// its check sum matched. No sync to disk: the unpacked files are work files, and a sync per
// entry makes a large archive take many seconds.
bool copyEntry(unzFile zip, const unz_file_info64& info, const QString& name, const QString& target, qint64& written,
    ZipError* error)
{
    const QString partial
        = target + QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    QFile out(partial);
    const auto discard = [&](int code, const QString& message) {
        out.close();
        QFile::remove(partial);
        return fail(error, code, message);
    };
    const QString cannotWrite = QStringLiteral("failed to write file: %1").arg(name);
    const QString damaged = QStringLiteral("damaged entry in zip file: %1").arg(name);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(error, SSZipArchive::CannotWriteEntry, cannotWrite);
    std::vector<char> buffer(readBlockSize);
    uLong crc = crc32(0, nullptr, 0);
    for (;;) {
        // Never inflate past the limit, whatever size the entry states.
        const qint64 room = SSZipArchive::maxUnpackedBytes - written;
        const int count = unzReadCurrentFile(zip, buffer.data(), unsigned(std::min<qint64>(readBlockSize, room + 1)));
        if (count < 0)
            return discard(SSZipArchive::DamagedEntry, damaged);
        if (count == 0)
            break;
        written += count;
        if (written > SSZipArchive::maxUnpackedBytes)
            return discard(SSZipArchive::ArchiveTooLarge, QStringLiteral("zip file unpacks to more than 1 GB"));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer.data()), uInt(count));
        if (out.write(buffer.data(), count) != count)
            return discard(SSZipArchive::CannotWriteEntry, cannotWrite);
    }
    // Checked here: minizip checks the sum only once the stated size was reached, which an
    // entry whose size it misreads (ZIP64) never does.
    if (crc != info.crc)
        return discard(SSZipArchive::DamagedEntry, damaged);
    if (!out.flush())
        return discard(SSZipArchive::CannotWriteEntry, cannotWrite);
    // Set on the open file, after the last write, to save opening it again.
    if (info.dosDate != 0) {
        const QDateTime date = entryDate(info);
        if (date.isValid())
            out.setFileTime(date, QFileDevice::FileModificationTime);
    }
    out.close();
    if (out.error() != QFileDevice::NoError
        || std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0)
        return discard(SSZipArchive::CannotWriteEntry, cannotWrite);
    return true;
}

QString joined(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

bool SSZipArchive::unzipFileAtPath(
    const QString& path, const QString& destination, bool overwrite, const QString& password, ZipError* error)
{
    // The archive library opens whatever the path names and would wait on a FIFO for good.
    QFile regular;
    QString reason;
    if (!SafeRead::openRegularFile(regular, path, &reason))
        return fail(error, CannotOpenArchive, QStringLiteral("failed to open zip file: %1").arg(reason));
    ReadHandle zip { unzOpen64(path.toUtf8().constData()) };
    if (!zip.file)
        return fail(error, CannotOpenArchive, QStringLiteral("failed to open zip file"));
    unz_global_info64 global {};
    if (unzGetGlobalInfo64(zip.file, &global) != UNZ_OK || unzGoToFirstFile(zip.file) != UNZ_OK)
        return fail(error, NoFirstEntry, QStringLiteral("failed to open first file in zip file"));
    if (global.number_entry > quint64(maxEntries))
        return fail(error, ArchiveTooLarge, QStringLiteral("zip file has too many entries"));
    if (!checkEntries(zip.file, global.number_entry, error))
        return false;

    const QByteArray passwordBytes = password.toLatin1();
    qint64 written = 0;
    return forEachEntry(zip.file, global.number_entry, error, [&] {
        const int opened = passwordBytes.isEmpty() ? unzOpenCurrentFile(zip.file)
                                                   : unzOpenCurrentFilePassword(zip.file, passwordBytes.constData());
        if (opened != UNZ_OK)
            return fail(error, DamagedEntry, QStringLiteral("failed to open an entry of the zip file"));
        unz_file_info64 info {};
        QString name;
        if (!currentEntry(zip.file, info, name)) {
            unzCloseCurrentFile(zip.file);
            return fail(error, DamagedEntry, QStringLiteral("damaged entry in zip file"));
        }
        const bool isFolder = name.endsWith(QLatin1Char('/'));
        const QString target = joined(destination, name);
        QDir().mkpath(isFolder ? target : QFileInfo(target).path());
        bool copied = true;
        if (!isFolder && (overwrite || !QFileInfo::exists(target)))
            copied = copyEntry(zip.file, info, name, target, written, error);
        unzCloseCurrentFile(zip.file);
        return copied;
    });
}

bool SSZipArchive::unzipFileAtPath(const QString& path, const QString& destination)
{
    return unzipFileAtPath(path, destination, true, QString(), nullptr);
}

bool SSZipArchive::createZipFileAtPath(const QString& path, const QStringList& paths)
{
    SSZipArchive archive(path);
    if (!archive.open())
        return false;
    bool everyPathStored = true;
    for (QString item : paths) {
        if (item.endsWith(QLatin1Char('/')))
            item.chop(1);
        const qsizetype slash = item.lastIndexOf(QLatin1Char('/'));
        const QString base = item.left(slash + 1);
        const QString name = item.mid(slash + 1);
        if (!archive.writeFile(name, base))
            everyPathStored = false;
    }
    return archive.close() && everyPathStored;
}

bool SSZipArchive::createZipFileAtPath(const QString& path, const QString& filePath)
{
    return createZipFileAtPath(path, QStringList { filePath });
}

SSZipArchive::SSZipArchive(const QString& path)
    : _path(path)
{ }

SSZipArchive::~SSZipArchive()
{
    if (_zip)
        zipClose(_zip, nullptr);
}

bool SSZipArchive::open()
{
    if (_zip) {
        Show_NSLog_Message(QStringLiteral("Attempting open an archive which is already open"));
        return false;
    }
    _zip = zipOpen64(_path.toUtf8().constData(), APPEND_STATUS_CREATE);
    return _zip != nullptr;
}

bool SSZipArchive::openEntry(const QString& entryName, const zip_fileinfo& info, bool large)
{
    const QByteArray name = entryName.toUtf8();
    bool ascii = true;
    for (char c : name)
        ascii = ascii && uchar(c) < 0x80;
    return zipOpenNewFileInZip4_64(_zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
               Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0,
               ascii ? 0 : utf8NameFlag, large ? 1 : 0)
        == ZIP_OK;
}

bool SSZipArchive::writeFile(const QString& entryName, const QString& basePath)
{
    if (!_zip) {
        Show_NSLog_Message(QStringLiteral("Attempting to write to an archive which was never opened"));
        return false;
    }
    const QString fullPath = joined(basePath, entryName);
    const QFileInfo info(fullPath);
    if (info.isDir()) {
        // A linked folder could lead back into itself.
        if (info.isSymLink())
            return false;
        const QStringList items = QDir(fullPath).entryList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        if (items.isEmpty()) {
            const zip_fileinfo none {};
            if (!openEntry(entryName + QLatin1Char('/'), none, false))
                return false;
            return zipCloseFileInZip(_zip) == ZIP_OK;
        }
        for (const QString& item : items) {
            if (!writeFile(entryName + QLatin1Char('/') + item, basePath))
                return false;
        }
        return true;
    }

    QFile in(fullPath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const zip_fileinfo none {};
    if (!openEntry(entryName, none, in.size() >= 0xffffffffLL))
        return false;
    std::vector<char> buffer(storeBlockSize);
    bool copied = true;
    for (;;) {
        const qint64 count = in.read(buffer.data(), qint64(buffer.size()));
        if (count < 0)
            copied = false;
        if (count <= 0)
            break;
        if (zipWriteInFileInZip(_zip, buffer.data(), unsigned(count)) != ZIP_OK) {
            copied = false;
            break;
        }
    }
    return zipCloseFileInZip(_zip) == ZIP_OK && copied;
}

bool SSZipArchive::writeData(const QByteArray& data, const QString& filename)
{
    if (!_zip || data.isNull())
        return false;
    zip_fileinfo info {};
    zipInfo_setDate(info, QDateTime::currentDateTime());
    if (!openEntry(filename, info, false))
        return false;
    const bool written = data.isEmpty() || zipWriteInFileInZip(_zip, data.constData(), unsigned(data.size())) == ZIP_OK;
    return zipCloseFileInZip(_zip) == ZIP_OK && written;
}

bool SSZipArchive::close()
{
    if (!_zip) {
        Show_NSLog_Message(QStringLiteral("Attempting to close an archive which was never opened"));
        return false;
    }
    const int result = zipClose(_zip, nullptr);
    _zip = nullptr;
    return result == ZIP_OK;
}

void SSZipArchive::zipInfo_setDate(zip_fileinfo& info, const QDateTime& date)
{
    const QDateTime local = date.toLocalTime();
    info.tmz_date.tm_sec = uInt(local.time().second());
    info.tmz_date.tm_min = uInt(local.time().minute());
    info.tmz_date.tm_hour = uInt(local.time().hour());
    info.tmz_date.tm_mday = uInt(local.date().day());
    info.tmz_date.tm_mon = uInt(local.date().month() - 1);
    info.tmz_date.tm_year = uInt(local.date().year());
    info.dosDate = 0;
}
