#include "mailing/MailAddresses.h"

#include <QByteArray>

#include <algorithm>
#include <optional>

bool isValidEmail(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.size() < 6)
        return false;
    return trimmed.count(u'@') == 1 && trimmed.contains(u'.');
}

namespace {
bool isControlCharacter(QChar c)
{
    const ushort code = c.unicode();
    return code < 0x20 || code == 0x7f || c.category() == QChar::Other_Control || code == 0x2028 || code == 0x2029;
}
} // namespace

bool hasControlCharacters(QStringView text)
{
    return std::any_of(text.begin(), text.end(), isControlCharacter);
}

namespace {
// Longest piece quoted whole in a refusal.
constexpr int piecePreview = 80;

// The pieces of a mailbox, white space and comments left out.
struct Token
{
    enum class Kind
    {
        Atom, // letters, digits, the other characters an address may hold, and dots
        Quoted, // a quoted string, quotes and escapes as written
        Special // any other single character: < > @ : [ ] ...
    };
    Kind kind = Kind::Special;
    QStringView text;
};

bool isAtomCharacter(QChar c)
{
    if (c.unicode() >= 0x80) // names and addresses in any script
        return !c.isSpace() && c.category() != QChar::Other_Control && c.category() != QChar::Other_Format;
    static const QString others = QStringLiteral("!#$%&'*+-/=?^_`{|}~.");
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || others.contains(c);
}

// Index just past the quoted string or comment that starts at `from`; -1 when it is not closed.
qsizetype skipDelimited(QStringView text, qsizetype from)
{
    const bool comment = text.at(from) == u'(';
    int depth = 0;
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\') {
            ++i;
        } else if (comment && c == u'(') {
            ++depth;
        } else if (comment && c == u')') {
            if (--depth == 0)
                return i + 1;
        } else if (!comment && c == u'"' && i > from) {
            return i + 1;
        }
    }
    return -1;
}

// The tokens of a text one at a time: a mailbox is judged by its first few, and a text of
// millions of "@" costs no more to refuse than its first ones.
class Tokens
{
public:
    explicit Tokens(QStringView text)
        : text_(text)
    { }

    // The next token; none at the end of the text, or where a quote or comment is left open.
    std::optional<Token> next()
    {
        while (at_ < text_.size()) {
            const QChar c = text_.at(at_);
            const qsizetype start = at_;
            if (c.isSpace()) {
                ++at_;
            } else if (c == u'(' || c == u'"') {
                const qsizetype end = skipDelimited(text_, at_);
                if (end < 0) {
                    unclosed_ = true;
                    at_ = text_.size();
                    return std::nullopt;
                }
                at_ = end;
                if (c == u'"')
                    return Token { Token::Kind::Quoted, text_.mid(start, end - start) };
            } else if (isAtomCharacter(c)) {
                while (at_ < text_.size() && isAtomCharacter(text_.at(at_)))
                    ++at_;
                return Token { Token::Kind::Atom, text_.mid(start, at_ - start) };
            } else {
                ++at_;
                return Token { Token::Kind::Special, text_.mid(start, 1) };
            }
        }
        return std::nullopt;
    }
    bool unclosed() const { return unclosed_; }

private:
    QStringView text_;
    qsizetype at_ = 0;
    bool unclosed_ = false;
};

bool isDotAtom(QStringView text)
{
    return !text.isEmpty() && !text.startsWith(u'.') && !text.endsWith(u'.') && !text.contains(u"..");
}

bool isDotAtom(const Token& token)
{
    return token.kind == Token::Kind::Atom && isDotAtom(token.text);
}

// A domain holds letters, digits, hyphens and dots, nothing else: "x.org?body=x" is no domain.
bool isDomainCharacter(QChar c)
{
    if (c.unicode() >= 0x80) // names of any script
        return c.isLetterOrNumber() || c.isMark();
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
}

bool isDomain(QStringView text)
{
    return isDotAtom(text) && std::all_of(text.begin(), text.end(), isDomainCharacter);
}

// local-part "@" domain; "" when the tokens are not that.
QString addrSpec(const Token& local, const Token& at, const Token& domain)
{
    if (!(isDotAtom(local) || local.kind == Token::Kind::Quoted) || at.kind != Token::Kind::Special || at.text != u"@"
        || domain.kind != Token::Kind::Atom || !isDomain(domain.text))
        return {};
    return local.text.toString() + u'@' + domain.text.toString();
}

bool isSpecial(const Token& token, char16_t c)
{
    return token.kind == Token::Kind::Special && token.text.at(0) == c;
}
} // namespace

QString mailboxAddress(QStringView mailbox)
{
    // Most cells of a workbook are no address: they are passed over at once.
    if (!mailbox.contains(u'@') || hasControlCharacters(mailbox))
        return {};
    // Up to an angle bracket: the address alone, or a name of words and quoted strings.
    Tokens tokens(mailbox);
    Token first[3];
    qsizetype before = 0;
    bool nameOnly = true;
    std::optional<Token> token;
    while ((token = tokens.next()) && !isSpecial(*token, u'<')) {
        if (before < 3)
            first[before] = *token;
        nameOnly = nameOnly && token->kind != Token::Kind::Special;
        // Neither an address nor a name.
        if (++before > 3 && !nameOnly)
            return {};
    }
    QString address;
    if (!token) {
        if (tokens.unclosed() || before != 3)
            return {};
        address = addrSpec(first[0], first[1], first[2]);
    } else {
        if (!nameOnly)
            return {};
        // The address in the brackets, and nothing after them.
        Token inside[4];
        qsizetype count = 0;
        while ((token = tokens.next())) {
            if (count == 4)
                return {};
            inside[count++] = *token;
        }
        if (tokens.unclosed() || count != 4 || !isSpecial(inside[3], u'>'))
            return {};
        address = addrSpec(inside[0], inside[1], inside[2]);
    }
    return isValidEmail(address) ? address : QString();
}

namespace {
// Each piece of a list parted where `isSeparator` says, except inside a quoted name, a comment
// or angle brackets, handed to `take` until it returns false. The pieces are views of the list:
// a list of millions of pieces costs no more than its text.
template <typename Separator, typename Take> void forEachPiece(QStringView list, Separator isSeparator, Take take)
{
    qsizetype start = 0;
    bool angle = false;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QChar c = list.at(i);
        if (c == u'"' || c == u'(') {
            const qsizetype end = skipDelimited(list, i);
            if (end < 0)
                break; // the rest is one piece, which is no mailbox
            i = end - 1;
        } else if (c == u'<') {
            angle = true;
        } else if (c == u'>') {
            angle = false;
        } else if (!angle && isSeparator(c)) {
            if (!take(list.mid(start, i - start)))
                return;
            start = i + 1;
        }
    }
    take(list.mid(start));
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) || c == QChar(0x2028)
        || c == QChar(0x2029);
}

// The address of a mail link, given what follows its "mailto:": what stands before its "?" or
// "#", escapes decoded. An escaped line break or other control character ends it: an escape
// never makes a header or a second address.
QString linkAddress(QStringView link)
{
    qsizetype cut = link.size();
    for (const char16_t mark : { u'?', u'#' })
        if (const qsizetype at = link.indexOf(mark); at >= 0)
            cut = std::min(cut, at);
    link = link.left(cut);
    QString address
        = link.contains(u'%') ? QString::fromUtf8(QByteArray::fromPercentEncoding(link.toUtf8())) : link.toString();
    address.truncate(std::find_if(address.cbegin(), address.cend(), isControlCharacter) - address.cbegin());
    return address;
}

bool startsWithLink(QStringView text)
{
    return text.startsWith(u"mailto:", Qt::CaseInsensitive);
}
constexpr qsizetype linkSchemeLength = 7; // "mailto:"

// Where a mail link met in free text ends: at a space, a bracket or a quote.
bool endsLink(QChar c)
{
    return c.isSpace() || c == u'<' || c == u'>' || c == u'"' || c == u'(' || c == u')';
}

// The address of one piece of a cell: a mailbox, or a mail link to one, bare or in angle brackets.
QString pieceAddress(QStringView piece)
{
    piece = piece.trimmed();
    // A link followed by more text is read with that text: what follows is no part of its query.
    if (startsWithLink(piece) && std::none_of(piece.begin(), piece.end(), endsLink))
        return mailboxAddress(linkAddress(piece.mid(linkSchemeLength)));
    if (const qsizetype open = piece.indexOf(u"<mailto:", 0, Qt::CaseInsensitive); open >= 0) {
        const qsizetype close = piece.indexOf(u'>', open);
        if (close > open) {
            const qsizetype link = open + 1 + linkSchemeLength;
            return mailboxAddress(piece.left(open + 1).toString() + linkAddress(piece.mid(link, close - link))
                + piece.mid(close).toString());
        }
    }
    return mailboxAddress(piece);
}

// What may stand before the "@" of an address met in free text: what an address's atom holds,
// so "bob/smith@x.org" is read whole; a label's colon or a bracket ends at one; letters of any
// script belong.
bool isLocalCharacter(QChar c)
{
    if (c.unicode() >= 0x80)
        return c.isLetterOrNumber() || c.isMark();
    static const QString others = QStringLiteral("!#$%&'*+-/=?^_`{|}~.");
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || others.contains(c);
}

// What parts two addresses written one after the other, "a@x.org|b@y.org", or ends a sentence
// before one: no part of the address that follows.
bool isLeadingPunctuation(QChar c)
{
    return c == u'.' || c == u'/' || c == u'|';
}

// Every address standing in a text, whatever parts the addresses or stands before them: spaces,
// bars, words, labels, brackets. A quoted name or a comment is passed over whole, an address-like
// text in it being part of the name; a mail link gives the address before its "?" or "#" alone.
// One pass over the text.
QStringList addressesInText(QStringView text)
{
    QStringList found;
    qsizetype localStart = 0; // where the characters that may be a local part began
    bool delimited = true; // false once a quote or comment is left open: the rest is plain text
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (delimited && (c == u'"' || c == u'(')) {
            const qsizetype end = skipDelimited(text, i);
            if (end >= 0) {
                i = end - 1;
                localStart = end;
                continue;
            }
            delimited = false;
        }
        if (i == localStart && startsWithLink(text.mid(i))) {
            qsizetype end = i + linkSchemeLength;
            while (end < text.size() && !endsLink(text.at(end)))
                ++end;
            const qsizetype link = i + linkSchemeLength;
            if (const QString address = mailboxAddress(linkAddress(text.mid(link, end - link))); !address.isEmpty())
                found << address;
            i = end - 1;
            localStart = end;
            continue;
        }
        if (c != u'@') {
            if (!isLocalCharacter(c))
                localStart = i + 1;
            continue;
        }
        qsizetype domainEnd = i + 1;
        while (domainEnd < text.size() && isDomainCharacter(text.at(domainEnd)))
            ++domainEnd;
        QStringView local = text.mid(localStart, i - localStart);
        QStringView domain = text.mid(i + 1, domainEnd - i - 1);
        while (!local.isEmpty() && isLeadingPunctuation(local.front()))
            local = local.mid(1);
        // Dots of the sentence around the address are no part of it.
        while (domain.endsWith(u'.'))
            domain.chop(1);
        // "a@x.org@y.org" is no address: its second "@" leaves the first's domain unsure.
        const bool anotherAt = domainEnd < text.size() && text.at(domainEnd) == u'@';
        const QString address = local.toString() + u'@' + domain.toString();
        if (!anotherAt && isDotAtom(local) && isDomain(domain) && isValidEmail(address))
            found << address;
        i = domainEnd - 1;
        localStart = domainEnd;
    }
    return found;
}
} // namespace

RecipientList parseRecipients(QStringView list, const std::atomic<bool>* stop)
{
    // A list pasted from a mail program or a column of addresses: commas, semicolons and line
    // breaks part the recipients, except inside a quoted name, a comment or an address.
    RecipientList result;
    const auto isSeparator = [](QChar c) { return c == u',' || c == u';' || c == u'\n' || c == u'\r'; };
    forEachPiece(list, isSeparator, [&result, stop](QStringView written) {
        if (stop && *stop)
            return false;
        written = written.trimmed();
        if (written.isEmpty())
            return true;
        QString piece = written.toString();
        piece.replace(u'\t', u' ');
        if (mailboxAddress(piece).isEmpty()) {
            result.notAnAddress = piece;
            return false;
        }
        result.recipients << piece;
        return true;
    });
    return result;
}

QString notAnAddressReason(const QString& piece)
{
    QString shown = piece;
    for (QChar& c : shown)
        if (isControlCharacter(c))
            c = u' ';
    if (shown.size() > piecePreview)
        shown = shown.left(piecePreview - 1) + u'…';
    return QStringLiteral("\"%1\" is not an e-mail address. Write each recipient as name@example.org or as Name "
                          "<name@example.org>, separated by commas; a name that holds a comma goes in double quotes: "
                          "\"Last, First\" <name@example.org>.")
        .arg(shown);
}

QStringList cellAddresses(const QString& cell)
{
    // Most cells of a workbook hold no address: they are passed over at once.
    if (!cell.contains(u'@'))
        return {};
    // Most that do hold one mailbox; a cell of several is not read twice over.
    if (const QString address = cell.indexOf(u'@') == cell.lastIndexOf(u'@') ? mailboxAddress(cell) : QString();
        !address.isEmpty())
        return { address };
    // Invisible characters copied along with an address are no part of it; a tab is a space.
    QString text;
    text.reserve(cell.size());
    for (const QChar c : cell) {
        if (c.category() == QChar::Other_Format)
            continue;
        text += isLineEnd(c) ? QChar(u'\n') : isControlCharacter(c) ? QChar(u' ') : c;
    }
    QStringList addresses;
    const auto isListSeparator = [](QChar c) { return c == u',' || c == u';' || c == u'\n'; };
    forEachPiece(text, isListSeparator, [&addresses](QStringView piece) {
        // A piece that is one mailbox keeps its own forms ("a/b@x.org", "\"a b\"@x.org"); any
        // other gives every address standing in it.
        if (const QString address = pieceAddress(piece); !address.isEmpty())
            addresses << address;
        else
            addresses << addressesInText(piece);
        return true;
    });
    return addresses;
}
