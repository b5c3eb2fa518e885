#include "data/SSZipArchive.h"

#include "common/Logging.h"
#include "data/ZipReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int storeBlockSize = 16384;
constexpr uLong utf8NameFlag = 1u << 11;

bool fail(ZipError* error, int code, const QString& message)
{
    if (error)
        *error = ZipError { SSZipArchive::errorDomain, code, message };
    return false;
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

QString slashed(const QString& name)
{
    QString result = name;
    return result.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QDateTime entryDate(quint32 dosDateTime)
{
    const quint32 date = dosDateTime >> 16;
    const quint32 time = dosDateTime & 0xffff;
    const QDate day(int(date >> 9) + 1980, int((date >> 5) & 15), int(date & 31));
    const QTime clock(int(time >> 11), int((time >> 5) & 63), int(time & 31) * 2);
    return QDateTime(day, clock, Qt::LocalTime);
}

// Copies the entry into target; the file appears only when the entry was read whole and its
// check sum matched. No sync to disk: the unpacked files are work files, and a sync per entry
// makes a large archive take many seconds.
bool copyEntry(const ZipReader& zip, const ZipReader::Entry& entry, const QString& name, const QString& target,
    qint64& room, ZipError* error)
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
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(error, SSZipArchive::CannotWriteEntry, cannotWrite);
    qint64 copied = 0;
    const ZipReader::Status status = zip.read(entry, room, [&](const char* data, qint64 size) {
        copied += size;
        return out.write(data, size) == size;
    });
    room -= copied;
    if (status != ZipReader::Status::Ok) {
        const ZipError failure = SSZipArchive::readFailure(status, name);
        return discard(failure.code, failure.message);
    }
    if (!out.flush())
        return discard(SSZipArchive::CannotWriteEntry, cannotWrite);
    // Set on the open file, after the last write, to save opening it again.
    if (entry.dosDateTime != 0) {
        const QDateTime date = entryDate(entry.dosDateTime);
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

qint64 SSZipArchive::unpackLimit(qint64 archiveBytes)
{
    return std::max(minUnpackLimit, archiveBytes * maxAmplification);
}

bool SSZipArchive::openForReading(ZipReader& zip, ZipError* error)
{
    if (!zip.open())
        return fail(error, CannotOpenArchive, QStringLiteral("failed to open zip file"));
    const QList<ZipReader::Entry>& entries = zip.entries();
    if (entries.isEmpty())
        return fail(error, NoFirstEntry, QStringLiteral("failed to open first file in zip file"));
    if (entries.size() > maxEntries)
        return fail(error, ArchiveTooLarge, QStringLiteral("zip file has too many entries"));
    // Every name is checked before anything is written, so a hostile archive leaves the
    // destination untouched.
    for (const ZipReader::Entry& entry : entries) {
        if (!isContainedName(slashed(entry.name)))
            return fail(error, UnsafeEntryName, QStringLiteral("unsafe entry name in zip file: %1").arg(entry.name));
    }
    return true;
}

ZipError SSZipArchive::readFailure(ZipReader::Status status, const QString& name)
{
    switch (status) {
    case ZipReader::Status::TooLarge:
        return { errorDomain, ArchiveTooLarge,
            QStringLiteral("zip file unpacks to far more than its size could honestly hold") };
    case ZipReader::Status::Unsupported:
        return { errorDomain, DamagedEntry,
            QStringLiteral("entry of the zip file is encrypted or packed in an unknown way: %1").arg(name) };
    case ZipReader::Status::WriteFailed:
        return { errorDomain, CannotWriteEntry, QStringLiteral("failed to write file: %1").arg(name) };
    case ZipReader::Status::Ok:
    case ZipReader::Status::Damaged:
        break;
    }
    return { errorDomain, DamagedEntry, QStringLiteral("damaged entry in zip file: %1").arg(name) };
}

bool SSZipArchive::unzipFileAtPath(
    const QString& path, const QString& destination, bool overwrite, const QString& password, ZipError* error)
{
    // Encrypted entries are refused whatever the password: no caller has one to give.
    Q_UNUSED(password);
    ZipReader zip(path);
    if (!openForReading(zip, error))
        return false;
    // Declared sizes are not trusted: the limit holds on the bytes actually unpacked.
    qint64 room = unpackLimit(zip.archiveSize());
    for (const ZipReader::Entry& entry : zip.entries()) {
        const QString name = slashed(entry.name);
        const bool isFolder = name.endsWith(QLatin1Char('/'));
        const QString target = joined(destination, name);
        QDir().mkpath(isFolder ? target : QFileInfo(target).path());
        if (!isFolder && (overwrite || !QFileInfo::exists(target)) && !copyEntry(zip, entry, name, target, room, error))
            return false;
    }
    return true;
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
