#include "barcodes/NKDEAN8Barcode.h"

namespace {

constexpr float guardBottomPoints = 3.6f;
const std::string centreGuard = "01010";

} // namespace

void NKDEAN8Barcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDEAN13Barcode::initWithContent(content, printsCaption);
    if (content.size() == dataDigits) {
        setContent(content);
        generateChecksum();
    } else if (content.size() == dataDigits + 1) {
        takeGivenCheckDigit(content, dataDigits);
    }
    calculateWidth();
}

void NKDEAN8Barcode::generateChecksum()
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.size() < dataDigits)
        return;
    const char check = modulo10CheckDigit(bytes.left(dataDigits));
    if (check != '\0')
        setCheckDigit(check);
}

bool NKDEAN8Barcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.size() != dataDigits || !allDigits(bytes))
        return false;
    return checkDigit() == modulo10CheckDigit(bytes);
}

std::string NKDEAN8Barcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return {};
    std::string modules;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i == 4)
            modules += centreGuard;
        modules += i < 4 ? leftOddPattern(bytes[i]) : rightPattern(bytes[i]);
    }
    if (checkDigit() >= 0)
        modules += rightPattern(char(checkDigit()));
    return modules;
}

QString NKDEAN8Barcode::caption() const
{
    const QString check = checkDigit() < 0 ? QString() : QString(QChar(char16_t(checkDigit())));
    return QStringLiteral(" ") + content().left(4) + QLatin1Char('\t') + content().mid(4, 3) + check;
}

float NKDEAN8Barcode::barBottom(int module, const BarcodeSettings&) const
{
    const int length = int(completeBarcode().size());
    const bool guard = module < 4 || module > length - 4 || (module >= 31 && module <= 35);
    return guard ? guardBottomPoints : captionHeight() * 72.0f;
}
