#include "barcodes/NKDExtendedCode39Barcode.h"

#include <cstring>

void NKDExtendedCode39Barcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDCode39Barcode::initWithContent(content, printsCaption);
    setContent(content);
}

QByteArray NKDExtendedCode39Barcode::fullAsciiPair(char c)
{
    // Characters that stand for themselves. "$ % + / *" are shift or frame characters in
    // Code 39, so they are written as pairs like every other punctuation mark.
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '-' || c == '.')
        return QByteArray(1, c);
    if (c == '\t')
        return "$I";
    if (c == '\n')
        return "$J";
    if (c >= 'a' && c <= 'z')
        return QByteArray("+") + char(c - 'a' + 'A');
    if ((c >= '!' && c <= ',') || c == '/')
        return QByteArray("/") + char(c - '!' + 'A'); // ! to , are /A to /L, "/" is /O
    if (c == ':')
        return "/Z";
    if (c >= ';' && c <= '?')
        return QByteArray("%") + char(c - ';' + 'F'); // %F to %J
    if (c == '@')
        return "%V";
    if (c >= '[' && c <= '_')
        return QByteArray("%") + char(c - '[' + 'K'); // %K to %O
    if (c == '`')
        return "%W";
    if (c >= '{' && c <= '~')
        return QByteArray("%") + char(c - '{' + 'P'); // %P to %S
    return {};
}

std::string NKDExtendedCode39Barcode::_encodeChar(char c) const
{
    std::string modules;
    for (const char part : fullAsciiPair(c))
        modules += code39Pattern(part);
    return modules;
}

bool NKDExtendedCode39Barcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.isEmpty())
        return false;
    // A pair takes the room of two characters in the symbol.
    qsizetype written = 0;
    for (const char c : bytes) {
        const qsizetype characters = fullAsciiPair(c).size();
        if (characters == 0)
            return false;
        written += characters;
    }
    return written <= maximumCharacters;
}

QString NKDExtendedCode39Barcode::getRequirementDescription() const
{
    return QStringLiteral("Character set: 0..9, A..Z, a..z, and  space, _, ., $, /, +, %, *, lenght = 7 + 1 check "
                          "digit (Calculated).");
}
