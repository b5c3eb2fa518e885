#include "mailing/PlainRecipient.h"

#include "mailing/EncodedWord.h"

#include <QStringView>

#include <optional>

namespace {
// The longest line a mail header may hold, as the script counts it.
constexpr qsizetype longestRecipient = 998;
// A word of a name longer than a header line may fold into a blank line, which ends the header.
constexpr qsizetype longestNameWord = 64;
// A header line as the script's mail library folds it (78), less a margin for white space it
// may write otherwise.
constexpr qsizetype longestFirstLine = 76;

// A set of ASCII characters, looked up at once: names are read a character at a time for every
// recipient of a long list.
struct AsciiSet
{
    quint64 low = 0;
    quint64 high = 0;
    constexpr bool contains(QChar c) const
    {
        const char16_t code = c.unicode();
        return code < 64 ? (low >> code) & 1 : code < 128 && (high >> (code - 64)) & 1;
    }
};

constexpr AsciiSet asciiSet(const char* characters)
{
    AsciiSet set;
    for (; *characters; ++characters)
        (*characters < 64 ? set.low : set.high) |= quint64(1) << (*characters % 64);
    return set;
}

// What mail's atoms hold besides letters and digits, and dots for initials.
constexpr AsciiSet atomSigns = asciiSet("!#$%&'*+-/=?^_`{|}~.");
// What the script's mail library quotes a name for.
constexpr AsciiSet quotedFor = asciiSet("()<>@,:;.\\\"[]");

bool isLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// Words of the given characters, each 1 to longestWord long, one separator between two.
template <typename IsWordCharacter>
bool isWords(QStringView text, QChar separator, IsWordCharacter isWordCharacter, qsizetype longestWord)
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

bool isPlainAddress(QStringView text)
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

// A character of an unquoted word of a name: what mail calls an atom's, the dots of initials,
// and any letter or sign beyond ASCII.
bool isNameWordCharacter(QChar c)
{
    return c.unicode() >= 0x80 || isLetterOrDigit(c) || atomSigns.contains(c);
}

// The name a mail reader decodes from a display name written as words, quoted strings and
// encoded words, one or more spaces apart; nullopt for anything else (comments, specials,
// words run together), which the script alone can judge.
std::optional<QString> decodedName(QStringView written)
{
    QString name;
    name.reserve(written.size());
    qsizetype i = 0;
    while (i < written.size()) {
        const QChar c = written.at(i);
        if (c == u' ') {
            name += c;
            ++i;
        } else if (c == u'"') {
            for (++i; i < written.size() && written.at(i) != u'"'; ++i) {
                if (written.at(i) == u'\\' && ++i == written.size())
                    return std::nullopt;
                name += written.at(i);
            }
            if (i == written.size() || (++i < written.size() && written.at(i) != u' '))
                return std::nullopt; // unclosed, or a word runs on
        } else {
            const qsizetype end = written.indexOf(u' ', i);
            const QStringView word = written.sliced(i, (end < 0 ? written.size() : end) - i);
            if (word.startsWith(u"=?")) {
                const std::optional<QString> text = encodedWordText(word);
                if (!text)
                    return std::nullopt;
                name += *text;
            } else {
                for (const QChar w : word)
                    if (!isNameWordCharacter(w))
                        return std::nullopt;
                name += word;
            }
            i += word.size();
        }
    }
    return name;
}

// The script rewrites the name into the header and reads it back. It must come back as it went:
// no line break from an encoded word, no surrogate without its other half (it has no UTF-8
// form), nothing that reads as an encoded word once white space folds away, no word too long to
// fold. A name the library must quote or encode loses its quotes or breaks an encoded word where
// it folds: such a name must fit on the header's first line, written as the library writes it
// at the longest.
bool isSafeName(QStringView name)
{
    qsizetype word = 0;
    qsizetype escapes = 0;
    qsizetype utf8Bytes = 0;
    bool ascii = true;
    bool quoted = false;
    QChar lastBlack;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7f && code <= 0x9f) || code == 0x2028 || code == 0x2029)
            return false;
        if ((c.isHighSurrogate() && !(i + 1 < name.size() && name.at(i + 1).isLowSurrogate()))
            || (c.isLowSurrogate() && !(i > 0 && name.at(i - 1).isHighSurrogate())))
            return false;
        word = code == u' ' ? 0 : word + 1;
        if (word > longestNameWord)
            return false;
        if (!c.isSpace()) {
            if (lastBlack == u'=' && code == u'?')
                return false;
            lastBlack = c;
        }
        ascii = ascii && code < 0x80;
        quoted = quoted || quotedFor.contains(c);
        escapes += code == u'"' || code == u'\\';
        utf8Bytes += code < 0x80 ? 1 : code < 0x800 || c.isSurrogate() ? 2 : 3;
    }
    if (lastBlack.isNull())
        return false;
    if (ascii && !quoted)
        return true;
    // "To: " and the name, quoted, or else as encoded words at the longest: base64 in whole
    // groups of four, its five characters of leeway, "=?utf-8?b?" and "?=".
    const qsizetype written = ascii ? name.size() + 2 + escapes : 21 + (utf8Bytes + 2) / 3 * 4;
    return 4 + written <= longestFirstLine;
}
} // namespace

bool isPlainRecipient(const QString& recipient, const QString& address)
{
    if (recipient.size() > longestRecipient || !isPlainAddress(address))
        return false;
    if (recipient.compare(address, Qt::CaseInsensitive) == 0)
        return true;
    // "Name <address>", a space at least between; a name starting with a dot, or one touching the
    // "<" with a dot, puts the script's reader out.
    const QStringView text(recipient);
    const qsizetype open = text.size() - address.size() - 2;
    if (open < 2 || text.back() != u'>' || text.at(open) != u'<' || text.at(open - 1) != u' ' || text.front() == u' '
        || text.front() == u'.' || text.sliced(open + 1, address.size()).compare(address, Qt::CaseInsensitive) != 0)
        return false;
    const std::optional<QString> name = decodedName(text.first(open));
    return name && isSafeName(*name);
}
