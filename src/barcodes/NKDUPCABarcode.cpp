#include "barcodes/NKDUPCABarcode.h"

namespace {

const std::string centreGuard = "01010";

} // namespace

void NKDUPCABarcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDBarcode::initWithContent(content, printsCaption);
    if (content.size() < dataDigits + 1) {
        generateChecksum();
    } else if (content.size() == dataDigits + 1) {
        setCheckDigit(content.at(dataDigits).unicode() < 128 ? content.at(dataDigits).unicode() : -1);
        setContent(content.left(dataDigits));
    }
    // Longer content stays whole, so that it is refused rather than cut.
    calculateWidth();
}

bool NKDUPCABarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.size() != dataDigits || !allDigits(bytes))
        return false;
    return checkDigit() == modulo10CheckDigit(bytes);
}

std::string NKDUPCABarcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return {};
    std::string modules;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i == 6)
            modules += centreGuard;
        modules += i < 6 ? leftOddPattern(bytes[i]) : rightPattern(bytes[i]);
    }
    if (checkDigit() >= 0)
        modules += rightPattern(char(checkDigit()));
    return modules;
}

QString NKDUPCABarcode::caption() const
{
    return content().mid(1, 5) + QLatin1Char('\t') + content().mid(6, 5);
}
