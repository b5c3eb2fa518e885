#include "barcodes/NKDAbstractUPCEANBarcode.h"

#include "barcodes/BarcodeSettings.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<const char*, 10> leftOdd = {
    "0001101",
    "0011001",
    "0010011",
    "0111101",
    "0100011",
    "0110001",
    "0101111",
    "0111011",
    "0110111",
    "0001011",
};

constexpr float quietZoneFactor = 1.2f;
constexpr float guardBottomPoints = 3.6f;
constexpr int centreGuardModules = 5;

} // namespace

std::string NKDAbstractUPCEANBarcode::leftOddPattern(char digit)
{
    if (digit < '0' || digit > '9')
        return {};
    return leftOdd[size_t(digit - '0')];
}

std::string NKDAbstractUPCEANBarcode::swapHandedness(const std::string& modules)
{
    std::string swapped(modules.size(), '0');
    for (size_t i = 0; i < modules.size(); ++i) {
        if (modules[i] == '0')
            swapped[i] = '1';
    }
    return swapped;
}

std::string NKDAbstractUPCEANBarcode::swapParity(const std::string& modules)
{
    std::string swapped = swapHandedness(modules);
    std::reverse(swapped.begin(), swapped.end());
    return swapped;
}

bool NKDAbstractUPCEANBarcode::allDigits(const QByteArray& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

char NKDAbstractUPCEANBarcode::modulo10CheckDigit(const QByteArray& digits)
{
    if (!allDigits(digits))
        return '\0';
    int sum = 0;
    int weight = 3;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += weight * (digits[i] - '0');
        weight = 4 - weight;
    }
    return char('0' + (10 - sum % 10) % 10);
}

std::string NKDAbstractUPCEANBarcode::_encodeChar(char c) const
{
    return leftOddPattern(c);
}

void NKDAbstractUPCEANBarcode::calculateWidth()
{
    // The extra fifth is the quiet zone, split over both sides.
    setWidth(content().isEmpty() ? 0 : float(completeBarcode().size()) * barWidth() * quietZoneFactor);
}

QString NKDAbstractUPCEANBarcode::rightCaption() const
{
    return checkDigit() < 0 ? QString() : QString(QChar(char16_t(checkDigit())));
}

void NKDAbstractUPCEANBarcode::generateChecksum()
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.size() != 11)
        return;
    const char check = modulo10CheckDigit(bytes);
    if (check != '\0')
        setCheckDigit(check);
}

bool NKDAbstractUPCEANBarcode::isGuardModule(int module, int length) const
{
    const int guards = endGuardModules();
    const int centre = centreGuardStart();
    return module < guards || module > length - guards || (module >= centre && module < centre + centreGuardModules);
}

float NKDAbstractUPCEANBarcode::barBottom(int module, const BarcodeSettings&) const
{
    const int length = int(completeBarcode().size());
    return isGuardModule(module, length) ? guardBottomPoints : captionHeight() * 72.0f;
}
