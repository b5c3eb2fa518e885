#include "mailing/MailAddresses.h"

bool isValidEmail(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() < 6)
        return false;
    return trimmed.split(u'@').size() == 2 && trimmed.split(u'.').size() >= 2;
}

bool hasControlCharacters(const QString& text)
{
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (code < 0x20 || code == 0x7f || c.category() == QChar::Other_Control || code == 0x2028 || code == 0x2029)
            return true;
    }
    return false;
}

std::optional<QStringList> parseRecipients(const QString& list)
{
    QStringList recipients;
    for (const QString& piece : list.split(u',')) {
        const QString address = piece.trimmed();
        if (address.isEmpty())
            continue;
        if (!isValidEmail(address) || hasControlCharacters(address))
            return std::nullopt;
        recipients << address;
    }
    if (recipients.isEmpty())
        return std::nullopt;
    return recipients;
}
