#include "platform/OwnTemporaryFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A name no person gives a file: the tag, a random part, "~" and a check of what precedes
// the suffix and the suffix itself. A name of that form is still not proof enough: the
// owner, the mode and the file's state count too.
const QString tag = QStringLiteral(".galavite~");
constexpr int randomLength = 12;
constexpr int checkLength = 4;
constexpr int maxSuffixLength = 4;
const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";

bool isDigitOrLower(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z');
}

// A keyed FNV-1a hash of the random part and the suffix, written in base 36.
QString checkOf(QStringView random, QStringView suffix)
{
    quint64 hash = 0xcbf29ce484222325ULL;
    const auto mix = [&hash](QStringView text) {
        for (QChar c : text) {
            hash ^= c.unicode();
            hash *= 0x100000001b3ULL;
        }
    };
    mix(u"galavite temporary file\n");
    mix(random);
    mix(u"\n");
    mix(suffix);
    QString check(checkLength, u'0');
    for (int i = 0; i < checkLength; ++i) {
        check[i] = QLatin1Char(digits[hash % 36]);
        hash /= 36;
    }
    return check;
}

QString randomPart()
{
    QString part(randomLength, u'0');
    for (int i = 0; i < randomLength; ++i)
        part[i] = QLatin1Char(digits[QRandomGenerator::global()->bounded(36)]);
    return part;
}

// The process's umask, read without changing it: setting it to read it would let a file
// made by another thread meanwhile take the wrong permissions.
mode_t processUmask()
{
    static const mode_t mask = [] {
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly)) {
            for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
                if (line.startsWith("Umask:")) {
                    bool ok = false;
                    const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
                    if (ok)
                        return mode_t(value & 0777);
                }
            }
        }
        return mode_t(022); // the usual one, where the system does not tell
    }();
    return mask;
}

} // namespace

bool isOwnTemporaryName(const QString& name)
{
    if (!name.startsWith(tag))
        return false;
    const QStringView rest = QStringView(name).mid(tag.size());
    const qsizetype checkEnd = randomLength + 1 + checkLength;
    if (rest.size() < checkEnd || rest.at(randomLength) != u'~')
        return false;
    const QStringView random = rest.left(randomLength);
    const QStringView check = rest.mid(randomLength + 1, checkLength);
    const QStringView suffix = rest.mid(checkEnd);
    if (!std::all_of(random.begin(), random.end(), isDigitOrLower))
        return false;
    if (!suffix.isEmpty()
        && (suffix.size() < 2 || suffix.size() > 1 + maxSuffixLength || suffix.front() != u'.'
            || !std::all_of(suffix.begin() + 1, suffix.end(), [](QChar c) { return c >= u'a' && c <= u'z'; })))
        return false;
    return check == checkOf(random, suffix);
}

QString newOwnTemporaryName(const QString& suffix)
{
    const QString random = randomPart();
    return tag + random + u'~' + checkOf(random, suffix) + suffix;
}

OwnTemporaryFile::OwnTemporaryFile(const QString& folder, const QString& suffix, int mode)
    : finalMode_(mode_t(mode) & 07777 & ~processUmask())
{
    removeStaleTemporariesNow(folder);
    const QDir place(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = place.filePath(newOwnTemporaryName(suffix));
        native_ = QFile::encodeName(path_);
        fd_ = ::open(native_.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, privateMode);
        if (fd_ >= 0) {
            // A umask that takes the owner's bits away would hide the file from the sweep.
            if ((processUmask() & privateMode) != 0)
                ::fchmod(fd_, privateMode);
            return;
        }
        if (errno != EEXIST) {
            error_ = qt_error_string(errno);
            break;
        }
    }
    if (error_.isEmpty())
        error_ = QStringLiteral("No free name for a temporary file.");
    path_.clear();
    native_.clear();
}

OwnTemporaryFile::~OwnTemporaryFile()
{
    if (!native_.isEmpty() && !moved_)
        ::unlink(native_.constData());
    if (fd_ >= 0)
        ::close(fd_);
}

bool OwnTemporaryFile::close(QString* reason)
{
    if (fd_ < 0)
        return true;
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed == 0)
        return true;
    if (reason)
        *reason = qt_error_string(errno);
    return false;
}

bool OwnTemporaryFile::moveTo(const QString& target, QString* reason)
{
    if (native_.isEmpty())
        return false;
    // By name: a writer given the path may have put a file of its own there.
    if (::chmod(native_.constData(), finalMode_) != 0
        || ::rename(native_.constData(), QFile::encodeName(target).constData()) != 0) {
        if (reason)
            *reason = qt_error_string(errno);
        return false;
    }
    moved_ = true;
    return true;
}

bool replaceableOrWhy(const QString& path, QString* reason, bool followLinks)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info
    {
    };
    const int found = followLinks ? ::stat(native.constData(), &info) : ::lstat(native.constData(), &info);
    if (found != 0 || !S_ISREG(info.st_mode))
        return true;
    // Root may write anything: a file nobody may write is still read-only to the person.
    int refusal = (info.st_mode & 0222) == 0 ? EACCES : 0;
    if (refusal == 0 && ::access(native.constData(), W_OK) != 0 && errno != ENOENT)
        refusal = errno;
    if (refusal == 0)
        return true;
    if (reason)
        *reason = qt_error_string(refusal);
    return false;
}
