#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QFile;

// Readers of paths that a user or a design names: only regular files are read (links are
// followed), a FIFO or a device is refused without blocking, and a whole read stops at a size
// fit for the kind of file. A refusal is logged with its reason unless the caller takes the
// reason to tell it itself.
namespace SafeRead {

// Size caps for whole reads, by kind of file.
constexpr qint64 maxPictureBytes = qint64(256) * 1024 * 1024;
constexpr qint64 maxDesignBytes = qint64(512) * 1024 * 1024;
constexpr qint64 maxSettingsBytes = qint64(1) * 1024 * 1024;
constexpr qint64 maxTextBytes = qint64(512) * 1024 * 1024;
// A lock file lists the host and process of each program holding it: a larger one is not a lock
// and is not read.
constexpr qint64 maxLockBytes = 64 * 1024;

// Opens path read-only into file when it names a regular file; false with the reason otherwise.
bool openRegularFile(QFile& file, const QString& path, QString* reason = nullptr);
// The whole regular file at path when it holds at most maxBytes; false with the reason otherwise.
bool readRegularFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* reason = nullptr);
// Hands the regular file at path to take piece by piece as it is read, while it holds at most
// maxBytes. False with the reason when it cannot be read; false with no reason when take
// returned false, which stops the reading.
bool readRegularFileInPieces(
    const QString& path, qint64 maxBytes, const std::function<bool(const char*, qsizetype)>& take, QString* reason);

} // namespace SafeRead
