#pragma once

#include "mailing/RunOwner.h"

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <optional>

struct sqlite3;

// The record of the e-mails this person sent, by mail (see mailKeys), whatever design, file
// or copy of the program sent them: one SQLite database in the user's data folder. A mail is
// marked as going, durably, before it is handed to the mail script, and as sent once the
// server took it; each mark is its own transaction, so two copies of the program share the
// record mark by mark and lose none of each other's. Marks are kept 90 days. A record that
// cannot be opened, read or written says why (problem()) and is never taken for an empty one.
// Thread-safe: looked up behind the please-wait sheet, marked from the run's worker.
class SentMailStore
{
public:
    enum class State
    {
        Going = 1, // handed, or about to be handed, to the mail script
        Sent = 2 // the server took it
    };
    struct Mark
    {
        State state = State::Sent;
        qint64 time = 0; // of the mark, in milliseconds since 1970 (UTC)
        qint64 run = 0; // the run that wrote it
        QString owner; // the copy of the program that wrote it (RunOwner), "" when read in
        bool operator==(const Mark&) const = default;
    };
    using Marks = QList<std::optional<Mark>>;
    enum class Going
    {
        Marked,
        TakenByAnother, // marked by another run since it was looked up: not to be sent
        Failed // the mark cannot be written: the mail must not go
    };
    static constexpr int keepDays = 90;

    // Opens the record at path, making it when there is none, and reads in the record files of
    // the earlier kind in oldFilesFolder once. owner names this copy of the program. Setting
    // stop ends the opening, a wait for another copy's lock among it, with a problem.
    explicit SentMailStore(const QString& path = defaultPath(), const QString& owner = thisProcessOwner(),
        const QString& oldFilesFolder = defaultOldFilesFolder(), const std::atomic<bool>* stop = nullptr);
    ~SentMailStore();
    SentMailStore(const SentMailStore&) = delete;
    SentMailStore& operator=(const SentMailStore&) = delete;

    // The user's record, in the data folder; tests that run beside others give each its own.
    static QString defaultPath();
    static void setDefaultPath(const QString& path); // "": the data folder's again
    static QString defaultOldFilesFolder();

    QString path() const { return path_; }
    QString owner() const { return owner_; }
    // Why the record cannot be used, naming its file; "" when it can.
    QString problem() const;
    // Why mails sent before may be missing from it (a record file of the earlier kind that
    // could not be read in), a sentence each; "" when none may be.
    QString doubt() const;

    // The mark of each key, in order; nullopt (and why) when the record cannot be read or stop
    // was set.
    std::optional<Marks> marks(
        const QList<QByteArray>& keys, QString* why = nullptr, const std::atomic<bool>* stop = nullptr) const;
    // Marks the mail going for run, unless its mark is no longer the one seen when it was
    // looked up (another run marked it since); a mark of the same run does not count.
    Going markGoing(const QByteArray& key, const std::optional<Mark>& seen, qint64 run, QString* why = nullptr);
    // The server took the mail that run marked going.
    bool markSent(const QByteArray& key, qint64 run, QString* why = nullptr);
    // The mail that run marked going was not sent for sure: its mark goes back to what it was.
    bool markNotSent(const QByteArray& key, qint64 run, QString* why = nullptr);

private:
    bool open(qint64 now);
    bool readInOldFiles(const QString& folder, qint64 now);
    void readDoubts(qint64 now);
    // False, with why the store cannot be used, once it could not be opened.
    bool usable(QString* why) const;
    // Runs step inside one write transaction; false (and why) when it or the commit failed.
    bool inTransaction(const std::function<bool()>& step, QString* why);
    QString failure(const QString& what) const;

    static int stopAsked(void* store);
    static int waitForLock(void* store, int tries);

    mutable QMutex mutex_;
    QString path_, owner_;
    sqlite3* db_ = nullptr;
    QString problem_;
    QStringList doubts_;
    mutable const std::atomic<bool>* stop_ = nullptr; // while a caller may stop the work
};
