#include "data/SeriesKeptLines.h"

#include "data/SeriesLines.h"
#include "platform/SafeRead.h"

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

} // namespace

SeriesKeptLines::SeriesKeptLines(const QString& path, std::unique_ptr<QFile> file, const struct stat& state)
    : path_(path)
    , file_(std::move(file))
    , state_(state)
{ }

SeriesKeptLines::~SeriesKeptLines() = default;

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
    if (!unchanged())
        return changed();
    // Lines asked for in ascending order are read on from the last one copied; else from the top.
    if (!lines_ || line < nextLine_) {
        if (!file_->seek(0))
            return fail(reason, QStringLiteral("\"%1\" cannot be read: %2").arg(path, file_->errorString()));
        lines_ = std::make_unique<SeriesLines>(*file_, maxSeriesValueBytes);
        nextLine_ = 0;
    }
    for (;;) {
        const SeriesLines::Read read = lines_->next();
        if (read == SeriesLines::Read::End)
            return changed(); // fewer lines than when it was read
        if (read == SeriesLines::Read::Failed)
            return fail(reason, QStringLiteral("\"%1\" cannot be read: %2").arg(path, lines_->why()));
        if (nextLine_++ < line)
            continue;
        // The line as a run reads it, in UTF-8: as it is in a UTF-8 file, without its line end.
        const auto write
            = [&out](QByteArrayView piece) { return out.write(piece.data(), piece.size()) == piece.size(); };
        const bool copied = read == SeriesLines::Read::TooLong ? lines_->copyTooLong(write) : write(lines_->line());
        if (!copied) {
            const QString why = lines_->why().isEmpty() ? out.errorString() : lines_->why();
            lines_.reset();
            return fail(reason, why);
        }
        break;
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
