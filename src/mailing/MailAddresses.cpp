#include "mailing/MailAddresses.h"

#include <QList>
#include <QUrl>

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

bool hasControlCharacters(const QString& text)
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
    Kind kind;
    QString text;
};

bool isAtomCharacter(QChar c)
{
    if (c.unicode() >= 0x80) // names and addresses in any script
        return !c.isSpace() && c.category() != QChar::Other_Control && c.category() != QChar::Other_Format;
    static const QString others = QStringLiteral("!#$%&'*+-/=?^_`{|}~.");
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || others.contains(c);
}

// Index just past the quoted string or comment that starts at `from`; -1 when it is not closed.
qsizetype skipDelimited(const QString& text, qsizetype from)
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

std::optional<QList<Token>> tokensOf(const QString& text)
{
    QList<Token> tokens;
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == u'(' || c == u'"') {
            const qsizetype end = skipDelimited(text, i);
            if (end < 0)
                return std::nullopt;
            if (c == u'"')
                tokens.append({ Token::Kind::Quoted, text.mid(i, end - i) });
            i = end;
        } else if (isAtomCharacter(c)) {
            const qsizetype start = i;
            while (i < text.size() && isAtomCharacter(text.at(i)))
                ++i;
            tokens.append({ Token::Kind::Atom, text.mid(start, i - start) });
        } else {
            tokens.append({ Token::Kind::Special, QString(c) });
            ++i;
        }
    }
    return tokens;
}

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

// local-part "@" domain, from tokens [from, to); "" when they are not that.
QString addrSpec(const QList<Token>& tokens, qsizetype from, qsizetype to)
{
    if (to - from != 3)
        return {};
    const Token& local = tokens.at(from);
    const Token& at = tokens.at(from + 1);
    const Token& domain = tokens.at(from + 2);
    if (!(isDotAtom(local) || local.kind == Token::Kind::Quoted) || at.kind != Token::Kind::Special
        || at.text != QLatin1String("@") || domain.kind != Token::Kind::Atom || !isDomain(domain.text))
        return {};
    return local.text + u'@' + domain.text;
}

bool isSpecial(const Token& token, char16_t c)
{
    return token.kind == Token::Kind::Special && token.text.at(0) == c;
}
} // namespace

QString mailboxAddress(const QString& mailbox)
{
    // Most cells of a workbook are no address: they are passed over at once.
    if (!mailbox.contains(u'@') || hasControlCharacters(mailbox))
        return {};
    const std::optional<QList<Token>> tokens = tokensOf(mailbox);
    if (!tokens)
        return {};
    qsizetype open = 0;
    while (open < tokens->size() && !isSpecial(tokens->at(open), u'<'))
        ++open;
    QString address;
    if (open == tokens->size()) {
        address = addrSpec(*tokens, 0, tokens->size());
    } else {
        // A name before the angle brackets is words and quoted strings only; nothing after.
        for (qsizetype i = 0; i < open; ++i)
            if (tokens->at(i).kind == Token::Kind::Special)
                return {};
        if (!isSpecial(tokens->constLast(), u'>'))
            return {};
        address = addrSpec(*tokens, open + 1, tokens->size() - 1);
    }
    return isValidEmail(address) ? address : QString();
}

namespace {
// The pieces of a list parted where `isSeparator` says, except inside a quoted name, a comment
// or angle brackets.
template <typename Separator> QStringList listPieces(const QString& list, Separator isSeparator)
{
    QStringList pieces;
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
            pieces << list.mid(start, i - start);
            start = i + 1;
        }
    }
    pieces << list.mid(start);
    return pieces;
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == QChar(0x85) || c == QChar(0x2028)
        || c == QChar(0x2029);
}

// The address of a mail link: what stands before its "?" or "#", escapes decoded.
QString linkAddress(const QString& link)
{
    return QUrl(link).path(QUrl::FullyDecoded);
}

// The address of one piece of a cell: a mailbox, or a mail link to one, bare or in angle brackets.
QString pieceAddress(QString piece)
{
    piece = piece.trimmed();
    if (piece.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive)) {
        piece = linkAddress(piece);
    } else if (const qsizetype open = piece.indexOf(QLatin1String("<mailto:"), 0, Qt::CaseInsensitive); open >= 0) {
        const qsizetype close = piece.indexOf(u'>', open);
        if (close > open)
            piece = piece.left(open + 1) + linkAddress(piece.mid(open + 1, close - open - 1)) + piece.mid(close);
    }
    return mailboxAddress(piece);
}

// What may stand before the "@" of an address met in free text. A slash or a bar parts two
// addresses, a label's colon or a bracket ends at one; letters of any script belong.
bool isLocalCharacter(QChar c)
{
    if (c.unicode() >= 0x80)
        return c.isLetterOrNumber() || c.isMark();
    static const QString others = QStringLiteral("!#$%&'*+-=?^_`{}~.");
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || others.contains(c);
}

// Every address standing in a text, whatever parts the addresses or stands before them: spaces,
// bars, words, labels, brackets. A quoted name or a comment is passed over whole, an address-like
// text in it being part of the name. One pass over the text.
QStringList addressesInText(const QString& text)
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
        if (c != u'@') {
            if (!isLocalCharacter(c))
                localStart = i + 1;
            continue;
        }
        qsizetype domainEnd = i + 1;
        while (domainEnd < text.size() && isDomainCharacter(text.at(domainEnd)))
            ++domainEnd;
        QStringView local = QStringView(text).mid(localStart, i - localStart);
        QStringView domain = QStringView(text).mid(i + 1, domainEnd - i - 1);
        // Dots of the sentence around the address are no part of it.
        while (local.startsWith(u'.'))
            local = local.mid(1);
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

RecipientList parseRecipients(const QString& list)
{
    // A list pasted from a mail program or a column of addresses: commas, semicolons and line
    // breaks part the recipients, except inside a quoted name, a comment or an address.
    const QStringList pieces
        = listPieces(list, [](QChar c) { return c == u',' || c == u';' || c == u'\n' || c == u'\r'; });

    RecipientList result;
    for (QString piece : std::as_const(pieces)) {
        piece.replace(u'\t', u' ');
        piece = piece.trimmed();
        if (piece.isEmpty())
            continue;
        if (mailboxAddress(piece).isEmpty()) {
            result.notAnAddress = piece;
            return result;
        }
        result.recipients << piece;
    }
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
    for (const QString& piece : listPieces(text, isListSeparator)) {
        // A piece that is one mailbox keeps its own forms ("a/b@x.org", "\"a b\"@x.org"); any
        // other gives every address standing in it.
        if (const QString address = pieceAddress(piece); !address.isEmpty())
            addresses << address;
        else
            addresses << addressesInText(piece);
    }
    return addresses;
}
