#include "barcodes/NKDModifiedPlesseyBarcode.h"

void NKDModifiedPlesseyBarcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content.toUpper(), printsCaption);
    generateChecksum();
    calculateWidth();
}

std::string NKDModifiedPlesseyBarcode::_encodeChar(char c) const
{
    if (c < '0' || c > '9')
        return {};
    const int value = c - '0';
    std::string modules;
    for (int bit = 3; bit >= 0; --bit)
        modules += (value >> bit) & 1 ? "110" : "100";
    return modules;
}

char NKDModifiedPlesseyBarcode::modulo10CheckDigit(const QByteArray& digits)
{
    if (digits.isEmpty())
        return '\0';
    // The rightmost digit and every second one to its left are doubled; doubling digit by
    // digit and adding the digits of each product gives the digit sum of the doubled number
    // without reading it as one (possibly huge) number.
    int sum = 0;
    bool doubled = true;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        const char c = digits[i];
        if (c < '0' || c > '9')
            return '\0';
        const int digit = c - '0';
        sum += doubled ? (2 * digit) / 10 + (2 * digit) % 10 : digit;
        doubled = !doubled;
    }
    return char('0' + (10 - sum % 10) % 10);
}

void NKDModifiedPlesseyBarcode::generateChecksum()
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return;
    const char check = modulo10CheckDigit(bytes);
    setCheckDigit(check == '\0' ? -1 : check);
}
