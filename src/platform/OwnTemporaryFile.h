#pragma once

#include <QByteArray>
#include <QString>

// A temporary file of this program, made in the folder of the file it will become. Its name
// is a fixed prefix and a random part, never the final name, so it fits wherever the final
// name fits. A program killed while writing leaves it behind: the next start, or a later
// write in that folder, removes it once it is over a minute old and no running program
// holds it (each holds a lock on its file while the file is open).
class OwnTemporaryFile
{
public:
    // Creates the file in folder with the permissions given (less the umask) and the suffix
    // given (".pdf" where a writer goes by it). isOpen() tells whether that worked; error() why not.
    explicit OwnTemporaryFile(const QString& folder, const QString& suffix = {}, int mode = 0666);
    ~OwnTemporaryFile(); // removes the file unless it was moved into place
    OwnTemporaryFile(const OwnTemporaryFile&) = delete;
    OwnTemporaryFile& operator=(const OwnTemporaryFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    const QString& path() const { return path_; }
    const QByteArray& nativePath() const { return native_; }
    QString error() const { return error_; }

    // Closes the descriptor; false with the system's reason when it reports a failed write.
    bool close(QString* reason);
    // Renames the file to target, replacing what is there (ask replaceableOrWhy first); false
    // with the reason.
    bool moveTo(const QString& target, QString* reason);

private:
    QString path_;
    QByteArray native_;
    QString error_;
    int fd_ = -1;
    bool moved_ = false;
};

// Whether name has the form of this program's temporary files.
bool isOwnTemporaryName(const QString& name);
// Removes this program's temporary files in folder that are over a minute old and that no
// running program holds. Nothing else is touched.
void removeStaleTemporaries(const QString& folder);
// The same, unless this program looked in folder within the last minute: what a writer calls
// before each write.
void removeStaleTemporariesNow(const QString& folder);

// False with the system's words ("Permission denied") when path names a file that must not
// be replaced because it is read-only: no write permission for anyone, or none for us. A
// missing file is replaceable; followLinks judges the file a link names, not the link.
bool replaceableOrWhy(const QString& path, QString* reason, bool followLinks = true);
