#include "barcodes/NKDEAN13Barcode.h"

namespace {

const std::string centreGuard = "01010";

// G positions (bit 5 = position 1) of digits 2 to 7, by first digit.
constexpr unsigned evenParity[10] = {
    0b000000,
    0b001011,
    0b001101,
    0b001110,
    0b010011,
    0b011001,
    0b011100,
    0b010101,
    0b010110,
    0b011010,
};

} // namespace

void NKDEAN13Barcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content, printsCaption);
    setContent(content);
    if (content.size() < dataDigits + 1) {
        generateChecksum();
    } else if (content.size() == dataDigits + 1) {
        takeGivenCheckDigit(content, dataDigits);
    }
    // Longer content stays whole, so that it is refused rather than cut.
    calculateWidth();
}

void NKDEAN13Barcode::generateChecksum()
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.size() != dataDigits)
        return;
    const char check = modulo10CheckDigit(bytes);
    if (check != '\0')
        setCheckDigit(check);
}

bool NKDEAN13Barcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.size() != dataDigits || !allDigits(bytes))
        return false;
    return checkDigit() == modulo10CheckDigit(bytes);
}

bool NKDEAN13Barcode::_parityForSystemDigit(char systemDigit, int position)
{
    if (systemDigit < '0' || systemDigit > '9' || position < 1 || position > 6)
        return false;
    return (evenParity[systemDigit - '0'] >> (6 - position)) & 1u;
}

std::string NKDEAN13Barcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.isEmpty())
        return {};
    std::string modules;
    for (qsizetype i = 1; i < bytes.size(); ++i) {
        if (i == 7)
            modules += centreGuard;
        if (i < 7)
            modules += _parityForSystemDigit(bytes[0], int(i)) ? leftEvenPattern(bytes[i]) : leftOddPattern(bytes[i]);
        else
            modules += rightPattern(bytes[i]);
    }
    if (checkDigit() >= 0)
        modules += rightPattern(char(checkDigit()));
    return modules;
}

QString NKDEAN13Barcode::caption() const
{
    const QString check = checkDigit() < 0 ? QString() : QString(QChar(char16_t(checkDigit())));
    return QStringLiteral("  ") + content().mid(1, 6) + QLatin1Char('\t') + content().mid(7, 5) + check;
}
