#include "mailing/SentMailStore.h"

#include "mailing/OldSentMailFiles.h"
#include "platform/SafeRead.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QThread>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <numeric>

namespace {
constexpr int busyMs = 5000; // another copy's mark takes milliseconds: wait for it rather than fail
constexpr int busySliceMs = 20;
constexpr int schemaVersion = 1;
constexpr qint64 dayMs = qint64(24) * 3600 * 1000;
// A file of the earlier kind held at most about 2.7 million mails.
constexpr qint64 maxOldFileBytes = qint64(64) * 1024 * 1024;

const char* const schema = "CREATE TABLE mails(key BLOB PRIMARY KEY NOT NULL, state INTEGER NOT NULL, time INTEGER "
                           "NOT NULL, run INTEGER NOT NULL, owner TEXT NOT NULL, prev_state INTEGER, prev_time "
                           "INTEGER, prev_run INTEGER, prev_owner TEXT) WITHOUT ROWID;"
                           "CREATE INDEX mails_time ON mails(time);"
                           "CREATE TABLE imported(file TEXT PRIMARY KEY NOT NULL, changed INTEGER NOT NULL, doubt "
                           "TEXT);"
                           "CREATE TABLE opened(id INTEGER PRIMARY KEY CHECK (id = 1), time INTEGER NOT NULL);";

const char* const lookUpMark = "SELECT state, time, run, owner FROM mails WHERE key = ?";

// The result of the last step that failed on this thread: finalising its statement clears
// the connection's own message before the failure is told.
thread_local int failedStep = SQLITE_OK;

// One prepared statement, finalised when it goes.
class Statement
{
public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr); }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    explicit operator bool() const { return statement_ != nullptr; }
    void bind(int at, const QByteArray& blob)
    {
        // The caller's bytes outlive the step: not copied, as a lookup of many keys binds each.
        sqlite3_bind_blob(statement_, at, blob.data(), int(blob.size()), SQLITE_STATIC);
    }
    void bind(int at, qint64 value) { sqlite3_bind_int64(statement_, at, value); }
    void bind(int at, const QString& text)
    {
        const QByteArray utf8 = text.toUtf8();
        sqlite3_bind_text(statement_, at, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    // SQLITE_ROW, SQLITE_DONE or an error.
    int step()
    {
        const int result = sqlite3_step(statement_);
        if (result != SQLITE_ROW && result != SQLITE_DONE)
            failedStep = result;
        return result;
    }
    void reset()
    {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    qint64 integer(int column) const { return sqlite3_column_int64(statement_, column); }
    bool isNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }
    QString text(int column) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement_, column)),
            sqlite3_column_bytes(statement_, column));
    }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// Why path cannot be the record's file or one of its companions: only a regular file, or
// none yet, may be. A link would be written through, a FIFO would hold every reader.
QString notARegularFile(const QString& path)
{
    struct stat status
    {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT ? QString()
                               : QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), qt_error_string(errno));
    if (S_ISREG(status.st_mode))
        return {};
    const QString kind = S_ISLNK(status.st_mode)             ? QStringLiteral("a symbolic link")
        : S_ISFIFO(status.st_mode)                           ? QStringLiteral("a FIFO")
        : S_ISDIR(status.st_mode)                            ? QStringLiteral("a folder")
        : S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode) ? QStringLiteral("a device")
                                                             : QStringLiteral("a socket");
    return QStringLiteral("%1 is %2, not a regular file").arg(QDir::toNativeSeparators(path), kind);
}

std::optional<SentMailStore::Mark> markAt(const Statement& statement, int first)
{
    if (statement.isNull(first))
        return std::nullopt;
    SentMailStore::Mark mark;
    mark.state = statement.integer(first) == int(SentMailStore::State::Going) ? SentMailStore::State::Going
                                                                              : SentMailStore::State::Sent;
    mark.time = statement.integer(first + 1);
    mark.run = statement.integer(first + 2);
    mark.owner = statement.text(first + 3);
    return mark;
}
} // namespace

namespace {
QMutex pathMutex;
QString pathOverride;
} // namespace

QString SentMailStore::defaultPath()
{
    QMutexLocker lock(&pathMutex);
    if (!pathOverride.isEmpty())
        return pathOverride;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Sent mails.sqlite");
}

void SentMailStore::setDefaultPath(const QString& path)
{
    QMutexLocker lock(&pathMutex);
    pathOverride = path;
}

QString SentMailStore::defaultOldFilesFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Sent mails");
}

SentMailStore::SentMailStore(
    const QString& path, const QString& owner, const QString& oldFilesFolder, const std::atomic<bool>* stop)
    : path_(path)
    , owner_(owner)
    , stop_(stop)
{
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (open(now) && (oldFilesFolder.isEmpty() || readInOldFiles(oldFilesFolder, now)))
        readDoubts(now);
    // Each mark is on the disk before the mail is handed over: a crash or a power cut keeps it.
    if (problem_.isEmpty() && sqlite3_exec(db_, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) != SQLITE_OK)
        problem_ = failure(QString());
    // SQLite says only that it cannot open the file when its folder refuses the companions.
    const QByteArray folder = QFile::encodeName(QFileInfo(path_).path());
    if (!problem_.isEmpty() && ::access(folder.constData(), W_OK) != 0)
        problem_ += QStringLiteral(" (its folder cannot be written: %1)").arg(qt_error_string(errno));
    if (!problem_.isEmpty())
        qWarning().noquote() << problem_;
    stop_ = nullptr;
}

int SentMailStore::stopAsked(void* store)
{
    const auto* self = static_cast<const SentMailStore*>(store);
    return self->stop_ && *self->stop_ ? 1 : 0;
}

// A lock another copy holds is waited for in slices, so that Stop ends the wait.
int SentMailStore::waitForLock(void* store, int tries)
{
    if (stopAsked(store) || tries * busySliceMs >= busyMs)
        return 0;
    QThread::msleep(busySliceMs);
    return 1;
}

SentMailStore::~SentMailStore()
{
    sqlite3_close_v2(db_);
}

QString SentMailStore::failure(const QString& what) const
{
    const int code = db_ ? sqlite3_errcode(db_) : SQLITE_OK;
    const QString reason = code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE
        ? QString::fromUtf8(sqlite3_errmsg(db_))
        : failedStep != SQLITE_OK ? QString::fromUtf8(sqlite3_errstr(failedStep))
                                  : what;
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path_), reason);
}

bool SentMailStore::open(qint64 now)
{
    for (const QString& file :
        { path_, path_ + QStringLiteral("-wal"), path_ + QStringLiteral("-shm"), path_ + QStringLiteral("-journal") })
        if (const QString why = notARegularFile(file); !why.isEmpty()) {
            problem_ = why;
            return false;
        }
    if (!QDir().mkpath(QFileInfo(path_).path())) {
        problem_ = QStringLiteral("%1: its folder cannot be made").arg(QDir::toNativeSeparators(path_));
        return false;
    }
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(QFile::encodeName(path_).constData(), &db_, flags, nullptr) != SQLITE_OK) {
        problem_ = failure(QStringLiteral("it cannot be opened"));
        return false;
    }
    sqlite3_busy_handler(db_, &SentMailStore::waitForLock, this);
    // Reading in a large file of the earlier kind, or many keys, ends soon after Stop.
    sqlite3_progress_handler(db_, 10000, &SentMailStore::stopAsked, this);
    // A write-ahead log: copies read while another marks, and each mark is one small append.
    {
        Statement journal(db_, "PRAGMA journal_mode=WAL");
        if (!journal || journal.step() != SQLITE_ROW || journal.text(0).compare(u"wal", Qt::CaseInsensitive) != 0) {
            problem_ = journal
                ? QStringLiteral("%1: it cannot keep a write-ahead log").arg(QDir::toNativeSeparators(path_))
                : failure(QString());
            return false;
        }
    }
    // The opening's own writes need not wait for the disk: what they lose in a crash is done
    // again at the next opening. The marks do (FULL, once opened).
    if (sqlite3_exec(db_, "PRAGMA synchronous=NORMAL; PRAGMA cache_size=-32768", nullptr, nullptr, nullptr)
        != SQLITE_OK) {
        problem_ = failure(QString());
        return false;
    }
    // Written at every opening, so that a record that cannot take a mark is told before a run.
    QString why;
    const bool ready = inTransaction(
        [&] {
            Statement version(db_, "PRAGMA user_version");
            if (!version || version.step() != SQLITE_ROW)
                return false;
            const qint64 found = version.integer(0);
            if (found == 0) {
                const QByteArray setVersion = "PRAGMA user_version=" + QByteArray::number(schemaVersion);
                if (sqlite3_exec(db_, schema, nullptr, nullptr, nullptr) != SQLITE_OK
                    || sqlite3_exec(db_, setVersion.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
                    return false;
            } else if (found != schemaVersion) {
                why = QStringLiteral("%1: it was made by another version of Galavite")
                          .arg(QDir::toNativeSeparators(path_));
                return false;
            }
            Statement forget(db_, "DELETE FROM mails WHERE time < ?");
            Statement opened(db_, "INSERT OR REPLACE INTO opened(id, time) VALUES(1, ?)");
            if (!forget || !opened)
                return false;
            forget.bind(1, now - keepDays * dayMs);
            opened.bind(1, now);
            return forget.step() == SQLITE_DONE && opened.step() == SQLITE_DONE;
        },
        &why);
    if (!ready) {
        problem_ = why;
        return false;
    }
    return true;
}

void SentMailStore::readDoubts(qint64 now)
{
    Statement doubts(db_, "SELECT doubt FROM imported WHERE doubt IS NOT NULL AND changed >= ? ORDER BY file");
    if (!doubts) {
        problem_ = failure(QString());
        return;
    }
    doubts.bind(1, now - keepDays * dayMs);
    int step = SQLITE_ROW;
    while ((step = doubts.step()) == SQLITE_ROW)
        doubts_ << doubts.text(0);
    if (step != SQLITE_DONE)
        problem_ = failure(QString());
}

bool SentMailStore::usable(QString* why) const
{
    if (!problem_.isEmpty() && why)
        *why = problem_;
    return problem_.isEmpty();
}

bool SentMailStore::inTransaction(const std::function<bool()>& step, QString* why)
{
    failedStep = SQLITE_OK;
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK) {
        if (step() && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
            return true;
    }
    const QString failed = failure(QString());
    if (why && why->isEmpty())
        *why = failed;
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

// Each file is read in with its mails in one transaction, and named as read in there, so that
// it is read once whatever happens; the files themselves are left as they are.
bool SentMailStore::readInOldFiles(const QString& folder, qint64 now)
{
    const QFileInfoList files = QDir(folder).entryInfoList({ QStringLiteral("*.txt") }, QDir::Files | QDir::System);
    for (const QFileInfo& file : files) {
        Statement known(db_, "SELECT 1 FROM imported WHERE file = ?");
        known.bind(1, file.fileName());
        if (known && known.step() == SQLITE_ROW)
            continue;
        QByteArray bytes;
        QString why;
        OldSentMailFile read;
        if (SafeRead::readRegularFile(file.filePath(), maxOldFileBytes, bytes, &why))
            read = readOldSentMailFile(bytes);
        else
            read.why = why;
        QString doubt;
        if (!read.why.isEmpty()) {
            if (read.why.endsWith(u'.'))
                read.why.chop(1);
            doubt = QStringLiteral("The record of e-mails sent %1 cannot be read: %2.")
                        .arg(QDir::toNativeSeparators(file.filePath()), read.why);
        } else {
            doubt = read.doubt;
        }
        // Its mails were sent at the latest when it was last written.
        const qint64 changed = std::min(now, file.lastModified().toMSecsSinceEpoch());
        QString failed;
        inTransaction(
            [&] {
                // Another copy of the program may have read it in meanwhile.
                Statement again(db_, "SELECT 1 FROM imported WHERE file = ?");
                again.bind(1, file.fileName());
                if (!again || again.step() == SQLITE_ROW)
                    return bool(again);
                Statement add(db_, "INSERT OR IGNORE INTO mails(key, state, time, run, owner) VALUES(?, 2, ?, 0, '')");
                Statement named(db_, "INSERT INTO imported(file, changed, doubt) VALUES(?, ?, ?)");
                if (!add || !named)
                    return false;
                for (const QByteArray& key : read.keys) {
                    add.bind(1, key);
                    add.bind(2, changed);
                    if (add.step() != SQLITE_DONE)
                        return false;
                    add.reset();
                }
                named.bind(1, file.fileName());
                named.bind(2, changed);
                if (!doubt.isEmpty())
                    named.bind(3, doubt);
                return named.step() == SQLITE_DONE;
            },
            &failed);
        if (!failed.isEmpty()) {
            problem_ = failed;
            return false;
        }
    }
    return true;
}

QString SentMailStore::problem() const
{
    QMutexLocker lock(&mutex_);
    return problem_;
}

QString SentMailStore::doubt() const
{
    QMutexLocker lock(&mutex_);
    return doubts_.join(u' ');
}

std::optional<SentMailStore::Marks> SentMailStore::marks(
    const QList<QByteArray>& keys, QString* why, const std::atomic<bool>* stop) const
{
    QMutexLocker lock(&mutex_);
    stop_ = stop;
    const auto forgetStop = qScopeGuard([this] { stop_ = nullptr; });
    if (!usable(why))
        return std::nullopt;
    Statement look(db_, lookUpMark);
    Marks marks(keys.size());
    // In the keys' order, so that each lookup finds the index's pages where the last one left
    // them; in one read transaction, a consistent view.
    QList<qsizetype> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) { return keys.at(a) < keys.at(b); });
    sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
    failedStep = SQLITE_OK;
    bool read = bool(look);
    for (qsizetype i = 0; read && i < order.size(); ++i) {
        look.bind(1, keys.at(order.at(i)));
        const int step = look.step();
        if (step == SQLITE_ROW)
            marks[order.at(i)] = markAt(look, 0);
        read = step == SQLITE_ROW || step == SQLITE_DONE;
        look.reset();
    }
    if (!read && why)
        *why = failure(QString());
    sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    return read ? std::optional(marks) : std::nullopt;
}

SentMailStore::Going SentMailStore::markGoing(
    const QByteArray& key, const std::optional<Mark>& seen, qint64 run, QString* why)
{
    QMutexLocker lock(&mutex_);
    if (!usable(why))
        return Going::Failed;
    bool taken = false;
    const bool marked = inTransaction(
        [&] {
            Statement look(db_, lookUpMark);
            if (!look)
                return false;
            look.bind(1, key);
            const int step = look.step();
            if (step != SQLITE_ROW && step != SQLITE_DONE)
                return false;
            const std::optional<Mark> now = step == SQLITE_ROW ? markAt(look, 0) : std::nullopt;
            if (now != seen && !(now && now->run == run)) {
                taken = true;
                return false;
            }
            Statement mark(db_,
                "INSERT OR REPLACE INTO mails(key, state, time, run, owner, prev_state, prev_time, "
                "prev_run, prev_owner) VALUES(?, 1, ?, ?, ?, ?, ?, ?, ?)");
            if (!mark)
                return false;
            mark.bind(1, key);
            mark.bind(2, QDateTime::currentMSecsSinceEpoch());
            mark.bind(3, run);
            mark.bind(4, owner_);
            // What it was, to go back to when this mail is not sent after all.
            if (now && now->run != run) {
                mark.bind(5, qint64(now->state));
                mark.bind(6, now->time);
                mark.bind(7, now->run);
                mark.bind(8, now->owner);
            }
            return mark.step() == SQLITE_DONE;
        },
        taken ? nullptr : why);
    if (taken) {
        if (why)
            why->clear();
        return Going::TakenByAnother;
    }
    return marked ? Going::Marked : Going::Failed;
}

bool SentMailStore::markSent(const QByteArray& key, qint64 run, QString* why)
{
    QMutexLocker lock(&mutex_);
    if (!usable(why))
        return false;
    return inTransaction(
        [&] {
            Statement mark(db_,
                "UPDATE mails SET state = 2, time = ?, prev_state = NULL, prev_time = NULL, prev_run "
                "= NULL, prev_owner = NULL WHERE key = ? AND run = ?");
            if (!mark)
                return false;
            mark.bind(1, QDateTime::currentMSecsSinceEpoch());
            mark.bind(2, key);
            mark.bind(3, run);
            return mark.step() == SQLITE_DONE;
        },
        why);
}

bool SentMailStore::markNotSent(const QByteArray& key, qint64 run, QString* why)
{
    QMutexLocker lock(&mutex_);
    if (!usable(why))
        return false;
    return inTransaction(
        [&] {
            Statement back(db_,
                "UPDATE mails SET state = prev_state, time = prev_time, run = prev_run, owner = "
                "prev_owner, prev_state = NULL, prev_time = NULL, prev_run = NULL, prev_owner = NULL "
                "WHERE key = ? AND run = ? AND state = 1 AND prev_state IS NOT NULL");
            Statement drop(db_, "DELETE FROM mails WHERE key = ? AND run = ? AND state = 1 AND prev_state IS NULL");
            if (!back || !drop)
                return false;
            back.bind(1, key);
            back.bind(2, run);
            drop.bind(1, key);
            drop.bind(2, run);
            return back.step() == SQLITE_DONE && drop.step() == SQLITE_DONE;
        },
        why);
}
