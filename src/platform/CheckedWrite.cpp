#include "platform/CheckedWrite.h"

#include "platform/OwnTemporaryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fail(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

bool failWithErrno(QString* reason)
{
    return fail(reason, qt_error_string(errno));
}

struct Target
{
    QString path;
    bool keepMode = false; // an old file whose permissions the new one takes over
    mode_t mode = 0;
};

// Finds the file that is replaced: path itself, or the file a link at path names.
bool resolveTarget(const QString& path, const CheckedWriteOptions& options, Target& target, QString* reason)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info
    {
    };
    const int found = options.replaceLink ? ::lstat(native.constData(), &info) : ::stat(native.constData(), &info);
    target.path = path;
    if (found != 0) {
        // A missing file is created; a link to nothing is replaced.
        return errno == ENOENT ? true : failWithErrno(reason);
    }
    if (S_ISLNK(info.st_mode))
        return true;
    if (!S_ISREG(info.st_mode))
        return fail(reason, QStringLiteral("It is not a regular file."));
    // Replacing by rename needs no write permission on the file: ask for it as a write in place would.
    if (!replaceableOrWhy(path, reason, !options.replaceLink))
        return false;
    target.keepMode = true;
    target.mode = info.st_mode & 07777;
    if (!options.replaceLink) {
        char* real = ::realpath(native.constData(), nullptr);
        if (!real)
            return failWithErrno(reason);
        target.path = QFile::decodeName(real);
        std::free(real);
    }
    return true;
}

// Writes to a descriptor through its own buffer and keeps the first failure with the system's
// reason: QFile loses a failure of its last flush and reports a short write without one.
class CheckedDevice : public QIODevice
{
public:
    explicit CheckedDevice(int fd)
        : fd_(fd)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    // Writes out what is buffered; false when any write failed.
    bool drain()
    {
        writeAll(pending_.constData(), pending_.size());
        pending_.clear();
        return failure_ == 0;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        // Large pieces (whole pictures) go straight out rather than through a copy.
        if (size >= bufferBytes) {
            drain();
            writeAll(data, qsizetype(size));
        } else {
            pending_.append(data, qsizetype(size));
            if (pending_.size() >= bufferBytes)
                drain();
        }
        return failure_ == 0 ? size : -1;
    }

private:
    static constexpr qsizetype bufferBytes = 64 * 1024;
    int fd_;
    int failure_ = 0;
    QByteArray pending_;

    void writeAll(const char* data, qsizetype size)
    {
        qsizetype done = 0;
        while (failure_ == 0 && done < size) {
            const ssize_t count = ::write(fd_, data + done, size_t(size - done));
            if (count > 0)
                done += count;
            else if (count < 0 && errno != EINTR)
                failure_ = errno;
            else if (count == 0)
                failure_ = EIO;
        }
        if (failure_ != 0)
            setErrorString(qt_error_string(failure_));
    }
};

// Fills the open temporary file and makes sure every byte is on the disk.
bool fillTemporary(int fd, const std::function<bool(QIODevice&)>& fill, bool durable, QString* reason)
{
    CheckedDevice device(fd);
    const bool filled = fill(device);
    if (!device.drain())
        return fail(reason, device.errorString());
    if (!filled)
        return fail(reason, QStringLiteral("The data could not be made."));
    // A filesystem that cannot sync says EINVAL; any other failure may mean lost bytes.
    if (durable && ::fsync(fd) != 0 && errno != EINVAL)
        return failWithErrno(reason);
    return true;
}

} // namespace

bool writeFileChecked(
    const QString& path, const std::function<bool(QIODevice&)>& fill, QString* reason, CheckedWriteOptions options)
{
    Target target;
    if (!resolveTarget(path, options, target, reason))
        return false;
    // Only its owner may read it until it is in place, so a password never sits where others can read it.
    OwnTemporaryFile temporary(QFileInfo(target.path).path());
    if (!temporary.isOpen())
        return fail(reason, temporary.error());
    if (options.ownerOnly || target.keepMode)
        temporary.keepPermissions(options.ownerOnly ? 0600 : target.mode);
    bool written = fillTemporary(temporary.descriptor(), fill, options.durable, reason);
    QString closeFailure;
    if (!temporary.close(&closeFailure) && written)
        written = fail(reason, closeFailure);
    return written && temporary.moveTo(target.path, reason);
}

bool writeFileChecked(const QString& path, const QByteArray& bytes, QString* reason, CheckedWriteOptions options)
{
    return writeFileChecked(
        path, [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); }, reason, options);
}

bool copyIntoFileChecked(QIODevice& source, const QString& path, QString* reason, CheckedWriteOptions options)
{
    return writeFileChecked(
        path,
        [&source](QIODevice& device) {
            std::array<char, 1 << 16> block;
            for (;;) {
                const qint64 count = source.read(block.data(), qint64(block.size()));
                if (count <= 0)
                    return count == 0;
                if (device.write(block.data(), count) != count)
                    return false;
            }
        },
        reason, options);
}

bool makeFolderChecked(const QString& path, QString* reason)
{
    errno = 0;
    if (QDir().mkpath(path))
        return true;
    if (reason)
        *reason = errno ? qt_error_string(errno) : QStringLiteral("The folder %1 cannot be made.").arg(path);
    return false;
}
