#include "mailing/EncodedWord.h"

#include <QByteArray>
#include <QStringDecoder>

namespace {
int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

std::optional<QByteArray> qDecoded(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f)
            return std::nullopt;
        if (c == u'_') {
            bytes += ' ';
        } else if (c == u'=') {
            const int high = i + 2 < text.size() ? hexValue(text.at(i + 1)) : -1;
            const int low = high >= 0 ? hexValue(text.at(i + 2)) : -1;
            if (low < 0)
                return std::nullopt;
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            bytes += char(c.unicode());
        }
    }
    return bytes;
}

bool isBase64Character(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'+' || c == u'/';
}

std::optional<QByteArray> bDecoded(QStringView text)
{
    // Padded to whole groups of four, "=" only at the end: every reader decodes it alike.
    if (text.size() % 4 != 0)
        return std::nullopt;
    qsizetype padding = 0;
    while (padding < 2 && padding < text.size() && text.at(text.size() - 1 - padding) == u'=')
        ++padding;
    for (const QChar c : text.first(text.size() - padding))
        if (!isBase64Character(c))
            return std::nullopt;
    return QByteArray::fromBase64(text.toLatin1());
}

std::optional<QString> inCharset(const QByteArray& bytes, QStringView charset)
{
    if (charset.compare(u"iso-8859-1", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(bytes);
    if (charset.compare(u"us-ascii", Qt::CaseInsensitive) == 0) {
        for (const char byte : bytes)
            if (byte & 0x80)
                return std::nullopt;
        return QString::fromLatin1(bytes);
    }
    if (charset.compare(u"utf-8", Qt::CaseInsensitive) == 0) {
        // A byte order mark stays a character, as the script's reader keeps it.
        QStringDecoder decoder(
            QStringConverter::Utf8, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        QString text = decoder.decode(bytes);
        if (decoder.hasError())
            return std::nullopt;
        return text;
    }
    return std::nullopt;
}
} // namespace

std::optional<QString> encodedWordText(QStringView word)
{
    if (word.size() < 8 || !word.startsWith(u"=?") || !word.endsWith(u"?="))
        return std::nullopt;
    const QStringView inner = word.sliced(2, word.size() - 4);
    const qsizetype first = inner.indexOf(u'?');
    const qsizetype second = first < 0 ? -1 : inner.indexOf(u'?', first + 1);
    if (second < 0 || second != first + 2 || inner.indexOf(u'?', second + 1) >= 0)
        return std::nullopt;
    const QStringView charset = inner.first(first);
    const QChar encoding = inner.at(first + 1).toLower();
    const QStringView text = inner.sliced(second + 1);
    const std::optional<QByteArray> bytes = encoding == u'q' ? qDecoded(text)
        : encoding == u'b'                                   ? bDecoded(text)
                                                             : std::nullopt;
    return bytes ? inCharset(*bytes, charset) : std::nullopt;
}
