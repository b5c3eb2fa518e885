#pragma once

// The recipient check's judge as it was before it read quoted names, encoded words and letters
// beyond ASCII: kept to measure the check against, never used by the program.
#include <QString>
#include <QStringView>

namespace previous {
namespace detail {
// The longest line a mail header may hold, as the script counts it.
constexpr qsizetype longestRecipient = 998;
// A word of a name longer than a header line folds into a blank line, which ends the header.
constexpr qsizetype longestNameWord = 64;

inline bool isLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Words of the given characters, each 1 to longestWord long, one separator between two.
template <typename IsWordCharacter>
inline bool isWords(QStringView text, QChar separator, IsWordCharacter isWordCharacter, qsizetype longestWord)
{
    qsizetype word = 0;
    for (const QChar c : text) {
        if (c == separator) {
            if (word == 0)
                return false;
            word = 0;
        } else if (!isWordCharacter(c) || ++word > longestWord) {
            return false;
        }
    }
    return word > 0;
}

inline bool isPlainAddress(QStringView text)
{
    const qsizetype at = text.indexOf(u'@');
    if (at < 0)
        return false;
    const auto local
        = [](QChar c) { return isLetterOrDigit(c) || c == u'\'' || c == u'_' || c == u'%' || c == u'+' || c == u'-'; };
    const auto domain = [](QChar c) { return isLetterOrDigit(c) || c == u'-'; };
    return isWords(text.first(at), u'.', local, longestRecipient)
        && isWords(text.sliced(at + 1), u'.', domain, longestRecipient);
}

inline bool isPlainName(QStringView text)
{
    // Neither "=" nor "?": no word can start an encoded word.
    return isWords(
        text, u' ', [](QChar c) { return isLetterOrDigit(c) || c == u'\'' || c == u'_' || c == u'+' || c == u'-'; },
        longestNameWord);
}
} // namespace detail

inline bool isPlainRecipient(const QString& recipient, const QString& address)
{
    if (recipient.size() > detail::longestRecipient || !detail::isPlainAddress(address))
        return false;
    if (recipient.compare(address, Qt::CaseInsensitive) == 0)
        return true;
    // "Name <address>"
    const QStringView text(recipient);
    const qsizetype open = text.size() - address.size() - 2;
    return open >= 2 && text.back() == u'>' && text.at(open) == u'<' && text.at(open - 1) == u' '
        && text.sliced(open + 1, address.size()).compare(address, Qt::CaseInsensitive) == 0
        && detail::isPlainName(text.first(open - 1));
}
} // namespace previous
