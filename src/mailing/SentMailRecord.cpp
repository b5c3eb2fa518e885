#include "mailing/SentMailRecord.h"

#include "platform/CheckedWrite.h"
#include "platform/SafeRead.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace {
// Some hundred thousand mails; a larger file is not one of ours.
constexpr qint64 maxRecordBytes = qint64(16) * 1024 * 1024;
constexpr int keyBytes = 16;

const QString designField = QStringLiteral("design");
const QString doubtField = QStringLiteral("doubt");
const QString mailsField = QStringLiteral("mails");
} // namespace

QString SentMailRecord::fileFor(const QString& designPath)
{
    const QByteArray name = QCryptographicHash::hash(designPath.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Sent mails/")
        + QString::fromLatin1(name) + QStringLiteral(".json");
}

std::shared_ptr<SentMailRecord> SentMailRecord::forDesign(const QString& designPath)
{
    auto record = std::make_shared<SentMailRecord>();
    record->designPath_ = designPath;
    record->filePath_ = fileFor(designPath);
    record->load();
    return record;
}

std::shared_ptr<SentMailRecord> SentMailRecord::inMemory()
{
    return std::make_shared<SentMailRecord>();
}

void SentMailRecord::load()
{
    const QFileInfo info(filePath_);
    if (!info.exists() && !info.isSymLink())
        return;
    QByteArray bytes;
    QString why;
    if (SafeRead::readRegularFile(filePath_, maxRecordBytes, bytes, &why)) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
        const QJsonObject object = document.object();
        const QJsonValue mails = object.value(mailsField);
        if (error.error != QJsonParseError::NoError)
            why = error.errorString();
        else if (!document.isObject() || object.value(designField).toString() != designPath_ || !mails.isArray()
            || (object.contains(doubtField) && !object.value(doubtField).isString()))
            why = QStringLiteral("it is not a record of this design");
        for (const QJsonValue& mail : mails.toArray()) {
            const auto key
                = QByteArray::fromBase64Encoding(mail.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            if (!mail.isString() || !key || key.decoded.size() != keyBytes) {
                why = QStringLiteral("it holds a mail it cannot name");
                break;
            }
            keys_.insert(key.decoded);
        }
        if (why.isEmpty()) {
            doubt_ = object.value(doubtField).toString();
            return;
        }
    }
    // Whatever it held may have been sent: never taken for nothing.
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
    keys_.insert(key);
    save();
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
    if (keys_.isEmpty() && doubt_.isEmpty()) {
        QFile file(filePath_);
        if (file.exists() && !file.remove())
            why = file.errorString();
    } else {
        QJsonArray mails;
        for (const QByteArray& key : keys_)
            mails.append(QString::fromLatin1(key.toBase64()));
        QJsonObject object { { designField, designPath_ }, { mailsField, mails } };
        if (!doubt_.isEmpty())
            object.insert(doubtField, doubt_);
        const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Compact);
        if (makeFolderChecked(QFileInfo(filePath_).path(), &why))
            writeFileChecked(filePath_, bytes, &why, { .ownerOnly = true, .replaceLink = true });
    }
    if (!why.isEmpty()) {
        saveFailure_ = QStringLiteral("The record of the e-mails sent, %1, could not be saved: %2")
                           .arg(QDir::toNativeSeparators(filePath_), why);
        qWarning().noquote() << saveFailure_;
    }
}
