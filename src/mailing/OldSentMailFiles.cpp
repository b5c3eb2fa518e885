#include "mailing/OldSentMailFiles.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
constexpr int keyBytes = 16;
} // namespace

OldSentMailFile readOldSentMailFile(const QByteArray& bytes)
{
    OldSentMailFile read;
    const qsizetype headerEnd = bytes.indexOf('\n');
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(bytes.left(headerEnd), &error);
    const QJsonObject object = document.object();
    if (headerEnd < 0)
        read.why = QStringLiteral("it ends before its first line does");
    else if (error.error != QJsonParseError::NoError)
        read.why = error.errorString();
    else if (!document.isObject() || !object.value(QStringLiteral("design")).isString()
        || (object.contains(QStringLiteral("doubt")) && !object.value(QStringLiteral("doubt")).isString()))
        read.why = QStringLiteral("it is not a record of e-mails sent");
    for (qsizetype at = headerEnd + 1; read.why.isEmpty() && at < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', at);
        const auto key = QByteArray::fromBase64Encoding(
            bytes.mid(at, end < 0 ? -1 : end - at), QByteArray::AbortOnBase64DecodingErrors);
        if (end < 0 || !key || key.decoded.size() != keyBytes)
            read.why = QStringLiteral("it holds a mail it cannot name");
        else
            read.keys << key.decoded;
        at = end + 1;
    }
    if (read.why.isEmpty())
        read.doubt = object.value(QStringLiteral("doubt")).toString();
    else
        read.keys.clear();
    return read;
}
