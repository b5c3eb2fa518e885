#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

struct CheckedWriteOptions
{
    // The file is made readable by its owner only before a byte is written (passwords).
    bool ownerOnly = false;
    // A link at the path is replaced by the new file instead of being followed.
    bool replaceLink = false;
    // The bytes are flushed to the disk before the rename, so that a crash leaves the old or
    // the new file whole. A batch of thousands of files skips it: waiting for the disk there
    // costs more than the work, and a full disk still fails the write itself.
    bool durable = true;
};

// Writes fill's output to path through a temporary file in the same folder and replaces the
// old file only when every byte reached the disk; otherwise the old file stays byte for byte,
// false is returned and reason gets why (the system's text, such as "No space left on device").
bool writeFileChecked(const QString& path, const std::function<bool(QIODevice&)>& fill, QString* reason = nullptr,
    CheckedWriteOptions options = {});
// The same for bytes already made.
bool writeFileChecked(
    const QString& path, const QByteArray& bytes, QString* reason = nullptr, CheckedWriteOptions options = {});
// The same for what an open source holds from where it stands (a file made elsewhere first),
// copied block by block; a failed read fails the write.
bool copyIntoFileChecked(
    QIODevice& source, const QString& path, QString* reason = nullptr, CheckedWriteOptions options = {});
// Makes the folder at path with any folders above it; false with the system's reason (such as
// "No space left on device") otherwise.
bool makeFolderChecked(const QString& path, QString* reason = nullptr);
