#include "print/PdfFileReplacement.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// A PDF ends with its end-of-file marker; a write cut short (a full disk) loses it.
bool endsLikeAPdf(QFile& file)
{
    constexpr qint64 tail = 1024;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size <= 0 || !file.seek(std::max<qint64>(0, size - tail)))
        return false;
    const bool whole = file.read(tail).contains("%%EOF");
    file.close();
    return whole;
}

} // namespace

PdfFileReplacement::PdfFileReplacement(QString destination)
    : destination_(std::move(destination))
{ }

PdfFileReplacement::~PdfFileReplacement() = default;

bool PdfFileReplacement::prepare()
{
    const QFileInfo target(destination_);
    // Hidden and ending in ".pdf", so Qt's printer writes PDF into it.
    partial_ = std::make_unique<QTemporaryFile>(
        target.absoluteDir().filePath(QStringLiteral(".%1-XXXXXX.pdf").arg(target.completeBaseName())));
    if (!partial_->open()) {
        error_ = partial_->errorString();
        partial_.reset();
        return false;
    }
    partial_->close();
    return true;
}

QString PdfFileReplacement::partialPath() const
{
    return partial_ ? partial_->fileName() : QString();
}

bool PdfFileReplacement::commit()
{
    if (!partial_) {
        error_ = QStringLiteral("the file was not prepared.");
        return false;
    }
    if (!endsLikeAPdf(*partial_)) {
        error_ = QStringLiteral("the file is incomplete (is the disk full?).");
        return false;
    }
    // The new file keeps the permissions of the one it replaces; a new one is readable by all.
    const QFileInfo previous(destination_);
    partial_->setPermissions(previous.exists() && previous.isFile()
            ? previous.permissions()
            : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // rename() replaces the destination in one step: there is never a moment without a file.
    if (std::rename(QFile::encodeName(partial_->fileName()).constData(), QFile::encodeName(destination_).constData())
        != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    partial_->setAutoRemove(false);
    return true;
}
