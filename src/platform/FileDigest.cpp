#include "platform/FileDigest.h"

#include "platform/SafeRead.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>

FileDigest FileDigest::of(const QString& path, const std::atomic<bool>* stop)
{
    QFile file;
    if (!SafeRead::openRegularFile(file, path))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray buffer(qsizetype(1) << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (stop && stop->load())
            return {};
        const qint64 got = file.read(buffer.data(), buffer.size());
        if (got < 0)
            return {};
        if (got == 0)
            break;
        hash.addData(QByteArrayView(buffer.constData(), got));
        total += got;
    }
    return { total, hash.result() };
}

FileDigest FileDigest::fromHex(qint64 bytes, const QString& hex)
{
    const bool isHex = hex.size() == 64 && std::all_of(hex.cbegin(), hex.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
    });
    if (bytes < 0 || !isHex)
        return {};
    return { bytes, QByteArray::fromHex(hex.toLatin1()) };
}
