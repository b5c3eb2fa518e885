#include "platform/SettingsStreamedValues.h"

#include <QByteArray>

namespace {

int digitValue(char c, bool hex)
{
    if (c >= '0' && c <= (hex ? '9' : '7'))
        return c - '0';
    if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

// The characters Qt reads out of the text: quotes dropped, continued lines joined, escapes
// turned into what they stand for (a number takes every digit that follows, wrapping at 16 bits;
// an unknown escape stands for nothing). Characters past ASCII stand as a control character,
// which is no part of a prefix.
QByteArray unescaped(QByteArrayView text)
{
    static const QByteArrayView named = "abfnrtv\"?'\\";
    static const QByteArrayView meaning = "\a\b\f\n\r\t\v\"?'\\";
    QByteArray plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            continue;
        if (c != '\\') {
            plain += c;
            continue;
        }
        if (++i == text.size())
            break;
        const char escaped = text[i];
        if (const qsizetype at = named.indexOf(escaped); at >= 0) {
            plain += meaning[at];
            continue;
        }
        const bool hex = escaped == 'x';
        if (!hex && digitValue(escaped, false) < 0)
            continue; // a continued line, or an escape Qt skips
        unsigned value = hex ? 0 : unsigned(digitValue(escaped, false));
        bool digits = !hex;
        while (i + 1 < text.size() && digitValue(text[i + 1], hex) >= 0) {
            value = ((value << (hex ? 4 : 3)) + unsigned(digitValue(text[++i], hex))) & 0xFFFF;
            digits = true;
        }
        if (digits)
            plain += value < 0x80 ? char(value) : '\x01';
    }
    return plain;
}

} // namespace

bool holdsStreamedValue(QByteArrayView text)
{
    const QByteArray plain = unescaped(text);
    // A value, or an item of a list, is decoded only when it starts so: after the "=" or a comma,
    // and the spaces Qt skips there ("@@" is the writer's escape of a plain "@", and "@String("
    // keeps the rest as it is).
    const auto startsValue = [&plain](qsizetype at) {
        while (at > 0 && (plain[at - 1] == ' ' || plain[at - 1] == '\t'))
            --at;
        return at == 0 || QByteArrayView("=,\n\r").contains(plain[at - 1]);
    };
    for (const QByteArrayView prefix : { QByteArrayView("@Variant("), QByteArrayView("@DateTime(") }) {
        for (qsizetype at = plain.indexOf(prefix); at >= 0; at = plain.indexOf(prefix, at + 1))
            if (startsValue(at))
                return true;
    }
    return false;
}
