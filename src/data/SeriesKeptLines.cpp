#include "data/SeriesKeptLines.h"

#include "platform/SafeRead.h"

#include <cstring>

namespace {

bool sameState(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size
        && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec
        && a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

bool fail(QString* reason, const QString& why)
{
    if (reason)
        *reason = why;
    return false;
}

constexpr qint64 blockBytes = 1 << 20;

} // namespace

SeriesKeptLines::SeriesKeptLines(const QString& path, std::unique_ptr<QFile> file, const struct stat& state)
    : path_(path)
    , file_(std::move(file))
    , state_(state)
{ }

bool SeriesKeptLines::unchanged() const
{
    struct stat now
    {
    };
    if (::fstat(file_->handle(), &now) != 0)
        return false;
    // Removing the file's last name, as renaming another file over it does, changes its change
    // time but not a byte of it.
    if (now.st_nlink == 0)
        now.st_ctim = state_.st_ctim;
    return sameState(now, state_);
}

bool SeriesKeptLines::copyLine(qint64 line, QIODevice& out, QString* reason)
{
    const QString& path = path_;
    const auto changed = [&] {
        return fail(reason,
            QStringLiteral("\"%1\" was changed by another program since the series was opened, so its line %2, too "
                           "long to show, cannot be kept")
                .arg(path)
                .arg(line + 1));
    };
    const auto unreadable
        = [&] { return fail(reason, QStringLiteral("\"%1\" cannot be read: %2").arg(path, file_->errorString())); };
    if (!unchanged())
        return changed();
    // Where the line asked for starts: from the end of the last line copied, or else from the top.
    qint64 current = line < nextLine_ ? 0 : nextLine_;
    qint64 start = line < nextLine_ ? 0 : nextLineAt_;
    QByteArray block(blockBytes, Qt::Uninitialized);
    if (!file_->seek(start))
        return unreadable();
    for (qint64 blockAt = start; current < line;) {
        const qint64 read = file_->read(block.data(), block.size());
        if (read < 0)
            return unreadable();
        if (read == 0)
            return changed(); // fewer lines than when it was read
        const char* at = block.constData();
        const char* const end = at + read;
        while (current < line) {
            const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', size_t(end - at)));
            if (!lineEnd)
                break;
            at = lineEnd + 1;
            ++current;
            start = blockAt + (at - block.constData());
        }
        blockAt += read;
    }
    if (start == 0) {
        // The file's own byte-order mark is not the line's: a run's read drops it too.
        const qint64 read = file_->seek(0) ? file_->read(block.data(), 3) : -1;
        if (read < 0)
            return unreadable();
        if (read == 3 && std::memcmp(block.constData(), "\xEF\xBB\xBF", 3) == 0)
            start = 3;
    }
    if (!file_->seek(start))
        return unreadable();
    for (qint64 at = start;;) {
        const qint64 read = file_->read(block.data(), block.size());
        if (read < 0)
            return unreadable();
        const char* lineEnd = static_cast<const char*>(std::memchr(block.constData(), '\n', size_t(read)));
        const qint64 part = lineEnd ? lineEnd - block.constData() : read;
        if (out.write(block.constData(), part) != part)
            return fail(reason, out.errorString());
        at += part;
        if (lineEnd || read == 0) {
            nextLine_ = line + 1;
            nextLineAt_ = at + (lineEnd ? 1 : 0);
            break;
        }
    }
    // Rewritten in place while it was copied: what was copied may be another line's.
    return unchanged() || changed();
}

std::optional<EditedSeries> openSeriesForEditing(const QString& name, QString* reason)
{
    if (!isSeriesNameSafe(name)) {
        fail(reason, QStringLiteral("\"%1\" is not a series name").arg(name));
        return std::nullopt;
    }
    const QString path = seriesFilePath(name);
    // The rows must be those of the file held, opened before them: a program that replaced or
    // rewrote it while it was read gets it read again, once.
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto file = std::make_unique<QFile>();
        struct stat before
        {
        };
        if (!SafeRead::openRegularFile(*file, path) || ::fstat(file->handle(), &before) != 0) {
            fail(reason, QStringLiteral("\"%1\" cannot be read").arg(path));
            return std::nullopt;
        }
        std::optional<SeriesRows> rows = readSeriesFile(name, reason);
        if (!rows)
            return std::nullopt;
        EditedSeries series { std::move(*rows), {} };
        if (series.rows.tooLong.isEmpty())
            return series;
        struct stat after
        {
        };
        struct stat atPath
        {
        };
        if (::fstat(file->handle(), &after) == 0 && ::stat(QFile::encodeName(path).constData(), &atPath) == 0
            && sameState(before, after) && sameState(before, atPath)) {
            series.keptLines = std::make_shared<SeriesKeptLines>(path, std::move(file), before);
            return series;
        }
    }
    fail(reason, QStringLiteral("\"%1\" kept changing while it was read").arg(path));
    return std::nullopt;
}
