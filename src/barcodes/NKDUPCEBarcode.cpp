#include "barcodes/NKDUPCEBarcode.h"

namespace {

constexpr float guardBottomPoints = 3.6f;

// Even-parity positions (bit 5 = position 1) for number system 0, by check digit.
constexpr unsigned evenParity[10] = {
    0b111000,
    0b110100,
    0b110010,
    0b110001,
    0b101100,
    0b100110,
    0b100011,
    0b101010,
    0b101001,
    0b100101,
};

} // namespace

void NKDUPCEBarcode::initWithContent(const QString& content, bool printsCaption)
{
    NKDUPCABarcode::initWithContent(content, printsCaption);
    setContent(content);
    setCheckDigit(-1);
    QByteArray bytes;
    const bool ascii = asciiContent(bytes);
    if (bytes.size() == 11 && ascii) {
        // A UPC-A number: its compressed digits keep its number system and its check digit.
        const char check = modulo10CheckDigit(bytes);
        const QString compressed = check == '\0' ? QString() : UPCAToUPCE(content + QLatin1Char(check));
        if (!compressed.isEmpty()) {
            setContent(content.left(1) + compressed);
            setCheckDigit(check);
        }
    } else if (bytes.size() == symbolDigits + 1 && ascii) {
        setCheckDigit(bytes[symbolDigits]);
        setContent(content.left(symbolDigits));
    } else if (bytes.size() == symbolDigits && ascii) {
        const char check = modulo10CheckDigit(UPCEToUPCA(bytes));
        if (check != '\0' && !UPCEToUPCA(bytes).isEmpty())
            setCheckDigit(check);
    }
    calculateWidth();
}

QByteArray NKDUPCEBarcode::UPCEToUPCA(const QByteArray& upce)
{
    if (upce.size() != symbolDigits || !allDigits(upce))
        return {};
    const QByteArray d = upce.mid(1); // the six digits after the number system
    QByteArray product;
    switch (d[5]) {
    case '0':
    case '1':
    case '2':
        product = d.left(2) + d.mid(5, 1) + "0000" + d.mid(2, 3);
        break;
    case '3':
        product = d.left(3) + "00000" + d.mid(3, 2);
        break;
    case '4':
        product = d.left(4) + "00000" + d.mid(4, 1);
        break;
    default:
        product = d.left(5) + "0000" + d.mid(5, 1);
        break;
    }
    return upce.left(1) + product;
}

QString NKDUPCEBarcode::UPCAToUPCE(const QString& upca)
{
    if (upca.size() < 12)
        return {};
    const QString s = upca;
    // Each form drops zeros of the product code: where they are not zero the number has no
    // compressed form (dropping them would stand for another product).
    const auto zeros = [&s](int from, int count) { return s.mid(from, count) == QString(count, QLatin1Char('0')); };
    const QString s35 = s.mid(3, 3);
    if ((s35 == QLatin1String("000") || s35 == QLatin1String("100") || s35 == QLatin1String("200")) && zeros(6, 2))
        return s.mid(1, 2) + s.mid(8, 3) + s.at(3);
    if (zeros(4, 2) && zeros(6, 3))
        return s.mid(1, 3) + s.mid(9, 2) + QLatin1Char('3');
    if (s.at(5) == QLatin1Char('0') && zeros(6, 4))
        return s.mid(1, 4) + s.at(10) + QLatin1Char('4');
    if (zeros(6, 4) && s.at(10) >= QLatin1Char('5'))
        return s.mid(1, 5) + s.at(10);
    return {};
}

bool NKDUPCEBarcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.size() != symbolDigits || !allDigits(bytes))
        return false;
    if (bytes[0] != '0' && bytes[0] != '1')
        return false;
    return checkDigit() == modulo10CheckDigit(UPCEToUPCA(bytes));
}

bool NKDUPCEBarcode::parityForDigit(int position) const
{
    if (position < 1 || position > 6 || checkDigit() < '0' || checkDigit() > '9')
        return false;
    const bool even = (evenParity[checkDigit() - '0'] >> (6 - position)) & 1u;
    return content().startsWith(QLatin1Char('0')) ? even : !even;
}

std::string NKDUPCEBarcode::barcode() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return {};
    std::string modules;
    for (qsizetype i = 1; i < bytes.size() && i <= 6; ++i)
        modules += parityForDigit(int(i)) ? leftEvenPattern(bytes[i]) : leftOddPattern(bytes[i]);
    return modules;
}

QString NKDUPCEBarcode::caption() const
{
    return content().mid(1, 6);
}

float NKDUPCEBarcode::barBottom(int module, const BarcodeSettings&) const
{
    const int length = int(completeBarcode().size());
    return module < 7 || module > length - 4 ? guardBottomPoints : captionHeight() * 72.0f;
}
