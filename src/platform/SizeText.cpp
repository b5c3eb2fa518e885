#include "platform/SizeText.h"

QString sizeText(qint64 bytes)
{
    constexpr qint64 kilobyte = 1024;
    constexpr qint64 megabyte = kilobyte * kilobyte;
    if (bytes >= megabyte)
        return QStringLiteral("%1 MB").arg(bytes / megabyte);
    if (bytes >= kilobyte)
        return QStringLiteral("%1 KB").arg(bytes / kilobyte);
    return bytes == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(bytes);
}
