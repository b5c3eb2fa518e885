#include "print/PdfFileReplacement.h"

#include "platform/CheckedWrite.h"
#include "platform/OwnTemporaryFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <unistd.h>

namespace {

constexpr qint64 nearlyFull = 64 * 1024;

// A PDF ends with its end-of-file marker; a write cut short (a full disk) loses it.
bool endsLikeAPdf(QFile& file)
{
    constexpr qint64 tail = 1024;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    const bool whole = size > 0 && file.seek(std::max<qint64>(0, size - tail)) && file.read(tail).contains("%%EOF");
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
    // Say so before a long print, not after it.
    const QByteArray folder = QFile::encodeName(QFileInfo(destination_).absolutePath());
    if (::access(folder.constData(), W_OK) != 0) {
        error_ = qt_error_string(errno);
        return false;
    }
    if (!replaceableOrWhy(destination_, &error_))
        return false;
    // Ending in ".pdf", so Qt's printer writes PDF into it.
    partial_ = std::make_unique<OwnTemporaryFile>(QDir::tempPath(), QStringLiteral(".pdf"), 0600);
    if (!partial_->isOpen()) {
        error_ = partial_->error();
        partial_.reset();
        return false;
    }
    return true;
}

void PdfFileReplacement::discard()
{
    partial_.reset();
}

QString PdfFileReplacement::partialPath() const
{
    return partial_ ? partial_->path() : QString();
}

bool PdfFileReplacement::commit()
{
    if (!partial_) {
        error_ = QStringLiteral("The file was not prepared.");
        return false;
    }
    QFile printed(partial_->path());
    if (!endsLikeAPdf(printed)) {
        // The printer reports no failed write: a temporary folder left full names the cause.
        const bool full = QStorageInfo(QDir::temp()).bytesAvailable() < nearlyFull;
        error_ = full ? qt_error_string(ENOSPC) : QStringLiteral("The printed file is incomplete.");
        return false;
    }
    if (!printed.open(QIODevice::ReadOnly)) {
        error_ = printed.errorString();
        return false;
    }
    return copyIntoFileChecked(printed, destination_, &error_);
}
