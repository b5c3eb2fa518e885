#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// A temporary file of this program, made in the folder of the file it will become. Its name
// is a fixed tag, a random part and a check of that part, never the final name, so it fits
// wherever the final name fits. A program killed while writing leaves it behind: the next
// start, or a later write in that folder, removes it once it is over a minute old and nothing
// has it open. Until it is moved into place it is readable and writable by its owner alone,
// which is one of the marks a leftover is known by.
class OwnTemporaryFile
{
public:
    // Its permissions until it is moved into place.
    static constexpr mode_t privateMode = 0600;
    // A writer touches its file at every write: one left alone this long was left by a
    // program that ended while writing.
    static constexpr int staleSeconds = 60;

    // Creates the file in folder with the suffix given (".pdf" where a writer goes by it).
    // mode is what the file gets when it is moved into place, less the umask. isOpen() tells
    // whether that worked; error() why not.
    explicit OwnTemporaryFile(const QString& folder, const QString& suffix = {}, int mode = 0666);
    ~OwnTemporaryFile(); // removes the file unless it was moved into place
    OwnTemporaryFile(const OwnTemporaryFile&) = delete;
    OwnTemporaryFile& operator=(const OwnTemporaryFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    const QString& path() const { return path_; }
    const QByteArray& nativePath() const { return native_; }
    QString error() const { return error_; }

    // The file takes exactly these permissions when it is moved into place (those of the
    // file it replaces), the umask aside.
    void keepPermissions(mode_t exact) { finalMode_ = exact & 07777; }

    // Closes the descriptor; false with the system's reason when it reports a failed write.
    bool close(QString* reason);
    // Gives the file its final permissions and renames it to target, replacing what is there
    // (ask replaceableOrWhy first); false with the reason.
    bool moveTo(const QString& target, QString* reason);

private:
    QString path_;
    QByteArray native_;
    QString error_;
    int fd_ = -1;
    mode_t finalMode_ = 0;
    bool moved_ = false;
};

// Whether name has the form of this program's temporary files: the tag, the random part and
// a check of it that matches.
bool isOwnTemporaryName(const QString& name);
// A fresh name of that form, ending in suffix.
QString newOwnTemporaryName(const QString& suffix = {});
// Removes this program's leftovers in folder: files of its temporary name form and mode,
// owned by the user running it, over a minute old, that no program has open. Nothing else
// is touched, and a file another program opens meanwhile never ends this one. On network
// and user-space file systems, where openers elsewhere cannot be seen, leftovers are kept.
void removeStaleTemporaries(const QString& folder);
// The same, unless this program looked in folder within the last minute: what the start
// and a writer call.
void removeStaleTemporariesNow(const QString& folder);

// False with the system's words ("Permission denied") when path names a file that must not
// be replaced because it is read-only: no write permission for anyone, or none for us. A
// missing file is replaceable; followLinks judges the file a link names, not the link.
bool replaceableOrWhy(const QString& path, QString* reason, bool followLinks = true);
