#include "mailing/SentMailRecord.h"

#include "platform/CheckedWrite.h"
#include "platform/SafeRead.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <utility>

namespace {
// About 2.7 million mails of 25 bytes a line; a larger file is not one of ours.
constexpr qint64 maxRecordBytes = qint64(64) * 1024 * 1024;
constexpr int keyBytes = 16;

const QString designField = QStringLiteral("design");
const QString doubtField = QStringLiteral("doubt");
} // namespace

QString SentMailRecord::fileFor(const QString& designPath)
{
    const QByteArray name = QCryptographicHash::hash(designPath.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Sent mails/")
        + QString::fromLatin1(name) + QStringLiteral(".txt");
}

std::shared_ptr<SentMailRecord> SentMailRecord::forDesign(const QString& designPath)
{
    // A record whose file could not be written still knows its mails: it stays for the session
    // rather than being read again from a file that lacks them.
    static QMutex sessionMutex;
    static QHash<QString, std::shared_ptr<SentMailRecord>> session;
    QMutexLocker lock(&sessionMutex);
    if (const std::shared_ptr<SentMailRecord> kept = session.value(designPath); kept && kept->saveAgainIfFailed())
        return kept;
    auto record = std::make_shared<SentMailRecord>();
    record->designPath_ = designPath;
    record->filePath_ = fileFor(designPath);
    record->load();
    session.insert(designPath, record);
    return record;
}

bool SentMailRecord::saveAgainIfFailed()
{
    QMutexLocker lock(&mutex_);
    if (saveFailure_.isEmpty())
        return false;
    saveFailure_.clear();
    save();
    return true;
}

std::shared_ptr<SentMailRecord> SentMailRecord::inMemory()
{
    return std::make_shared<SentMailRecord>();
}

// The file is a header line (a JSON object naming the design and any doubt), then one line a
// mail: its key in Base64. Mails are appended as they are sent, so a run of many mails writes
// each once; a line cut short by a crash makes the record doubtful, never empty.
void SentMailRecord::load()
{
    const QFileInfo info(filePath_);
    if (!info.exists() && !info.isSymLink())
        return;
    QByteArray bytes;
    QString why;
    if (SafeRead::readRegularFile(filePath_, maxRecordBytes, bytes, &why)) {
        const qsizetype headerEnd = bytes.indexOf('\n');
        QJsonParseError error {};
        const QJsonDocument document = QJsonDocument::fromJson(bytes.left(headerEnd), &error);
        const QJsonObject object = document.object();
        if (headerEnd < 0)
            why = QStringLiteral("it ends before its first line does");
        else if (error.error != QJsonParseError::NoError)
            why = error.errorString();
        else if (!document.isObject() || object.value(designField).toString() != designPath_
            || (object.contains(doubtField) && !object.value(doubtField).isString()))
            why = QStringLiteral("it is not a record of this design");
        for (qsizetype at = headerEnd + 1; why.isEmpty() && at < bytes.size();) {
            const qsizetype end = bytes.indexOf('\n', at);
            const auto key = QByteArray::fromBase64Encoding(
                bytes.mid(at, end < 0 ? -1 : end - at), QByteArray::AbortOnBase64DecodingErrors);
            if (end < 0 || !key || key.decoded.size() != keyBytes)
                why = QStringLiteral("it holds a mail it cannot name");
            else
                keys_.insert(key.decoded);
            at = end + 1;
        }
        if (why.isEmpty()) {
            doubt_ = object.value(doubtField).toString();
            appendable_ = true;
            return;
        }
    }
    // Whatever it held may have been sent: never taken for nothing. Some readers' reasons end
    // their own sentence.
    if (why.endsWith(u'.'))
        why.chop(1);
    doubt_ = QStringLiteral("The record of the e-mails sent with this design, %1, cannot be read: %2.")
                 .arg(QDir::toNativeSeparators(filePath_), why);
    qWarning().noquote() << doubt_;
}

bool SentMailRecord::contains(const QByteArray& key) const
{
    QMutexLocker lock(&mutex_);
    return keys_.contains(key);
}

QString SentMailRecord::doubt() const
{
    QMutexLocker lock(&mutex_);
    return doubt_;
}

QString SentMailRecord::saveFailure() const
{
    QMutexLocker lock(&mutex_);
    return saveFailure_;
}

void SentMailRecord::add(const QByteArray& key)
{
    QMutexLocker lock(&mutex_);
    if (keys_.contains(key))
        return;
    keys_.insert(key);
    if (!appendable_) {
        save();
        return;
    }
    // Flushed at once: a crash or a kill later in the run forgets none.
    QFile file(filePath_);
    const QByteArray line = key.toBase64() + '\n';
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(line) != line.size() || !file.flush())
        noteSaveFailure(file.errorString());
}

void SentMailRecord::forget(const QList<QByteArray>& keys)
{
    QMutexLocker lock(&mutex_);
    for (const QByteArray& key : keys)
        keys_.remove(key);
    doubt_.clear();
    save();
}

void SentMailRecord::takeOver(const SentMailRecord& unsaved)
{
    QMutexLocker lock(&mutex_);
    if (unsaved.keys_.isEmpty() && unsaved.doubt_.isEmpty())
        return;
    keys_.unite(unsaved.keys_);
    if (doubt_.isEmpty())
        doubt_ = unsaved.doubt_;
    save();
}

void SentMailRecord::save()
{
    if (filePath_.isEmpty())
        return;
    QString why;
    appendable_ = false;
    if (keys_.isEmpty() && doubt_.isEmpty()) {
        QFile file(filePath_);
        if (file.exists() && !file.remove())
            why = file.errorString();
    } else {
        QJsonObject header { { designField, designPath_ } };
        if (!doubt_.isEmpty())
            header.insert(doubtField, doubt_);
        QByteArray bytes = QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n';
        for (const QByteArray& key : keys_)
            bytes += key.toBase64() + '\n';
        appendable_ = makeFolderChecked(QFileInfo(filePath_).path(), &why)
            && writeFileChecked(filePath_, bytes, &why, { .ownerOnly = true, .replaceLink = true });
    }
    if (!why.isEmpty())
        noteSaveFailure(why);
}

void SentMailRecord::noteSaveFailure(const QString& why)
{
    const QString failure = QStringLiteral("The record of the e-mails sent, %1, could not be saved: %2")
                                .arg(QDir::toNativeSeparators(filePath_), why);
    // Told once, not for every mail of a long run.
    if (std::exchange(saveFailure_, failure) != failure)
        qWarning().noquote() << saveFailure_;
}
