#include "barcodes/NKDCode128Barcode.h"

#include "common/Logging.h"

#include <QDataStream>

#include <algorithm>
#include <array>

namespace {

// Bar and space widths of the symbols 0 to 105 and of the stop (with its final bar).
constexpr std::array<const char*, 107> symbolWidths = {
    "212222",
    "222122",
    "222221",
    "121223",
    "121322",
    "131222",
    "122213",
    "122312",
    "132212",
    "221213",
    "221312",
    "231212",
    "112232",
    "122132",
    "122231",
    "113222",
    "123122",
    "123221",
    "223211",
    "221132",
    "221231",
    "213212",
    "223112",
    "312131",
    "311222",
    "321122",
    "321221",
    "312212",
    "322112",
    "322211",
    "212123",
    "212321",
    "232121",
    "111323",
    "131123",
    "131321",
    "112313",
    "132113",
    "132311",
    "211313",
    "231113",
    "231311",
    "112133",
    "112331",
    "132131",
    "113123",
    "113321",
    "133121",
    "313121",
    "211331",
    "231131",
    "213113",
    "213311",
    "213131",
    "311123",
    "311321",
    "331121",
    "312113",
    "312311",
    "332111",
    "314111",
    "221411",
    "431111",
    "111224",
    "111422",
    "121124",
    "121421",
    "141122",
    "141221",
    "112214",
    "112412",
    "122114",
    "122411",
    "142112",
    "142211",
    "241211",
    "221114",
    "413111",
    "241112",
    "134111",
    "111242",
    "121142",
    "121241",
    "114212",
    "124112",
    "124211",
    "411212",
    "421112",
    "421211",
    "212141",
    "214121",
    "412121",
    "111143",
    "111341",
    "131141",
    "114113",
    "114311",
    "411113",
    "411311",
    "113141",
    "114131",
    "311141",
    "411131",
    "211412",
    "211214",
    "211232",
    "2331112",
};

constexpr int shiftValue = 98;
constexpr int codeBValue = 100;
constexpr int startAValue = 103;
constexpr int stopValue = 106;
constexpr int checkModulus = 103;

// The value of a character in set A or B, or -1 when that set has no symbol for it.
int valueInSet(char c, int set)
{
    const auto code = static_cast<unsigned char>(c);
    if (set == NKDCode128Barcode::SetA) {
        if (code < 32)
            return code + 64;
        if (code < 96)
            return code - 32;
        return -1;
    }
    if (set == NKDCode128Barcode::SetB) {
        if (code >= 32 && code <= 127)
            return code - 32; // DEL is 95
        return -1;
    }
    return -1;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

std::unique_ptr<NKDCode128Barcode> NKDCode128Barcode::create(const QString& content, bool printsCaption, int codeSet)
{
    if (content.isNull())
        return nullptr;
    auto barcode = std::make_unique<NKDCode128Barcode>();
    barcode->setCodeSet(codeSet);
    barcode->initWithContent(content, printsCaption);
    return barcode;
}

void NKDCode128Barcode::encodeKindFields(QDataStream& out) const
{
    out << qint32(codeSet_);
}

std::function<void()> NKDCode128Barcode::decodeKindFields(QDataStream& in)
{
    qint32 set = -1;
    in >> set;
    if (in.status() != QDataStream::Ok || set < SetA || set > SetC)
        return {};
    return [this, set] { codeSet_ = set; };
}

std::string NKDCode128Barcode::symbolPattern(int value)
{
    if (value < 0 || value > stopValue)
        return {};
    std::string modules;
    modules.reserve(13);
    const char* widths = symbolWidths[size_t(value)];
    for (int element = 0; widths[element] != '\0'; ++element)
        modules.append(size_t(widths[element] - '0'), element % 2 == 0 ? '1' : '0');
    return modules;
}

void NKDCode128Barcode::initWithContent(const QString& content, bool printsCaption)
{
    // The set is chosen first, so that measuring the width during initialisation already
    // knows its start symbol.
    setContent(content);
    if (codeSet_ == Automatic)
        codeSet_ = _bestCodeSetForContent();
    NKDBarcode::initWithContent(content, printsCaption);
    generateChecksum();
    calculateWidth();
}

int NKDCode128Barcode::_bestCodeSetForContent() const
{
    int digits = 0;
    int controls = 0;
    int lowerCase = 0;
    for (const QChar c : content()) {
        const char16_t code = c.unicode();
        if (code >= '0' && code <= '9')
            ++digits;
        else if (code < 32 || code == 127)
            ++controls;
        else if (code >= 'a' && code <= 'z')
            ++lowerCase;
    }
    if (digits == content().size())
        return SetC;
    return controls > lowerCase ? SetA : SetB;
}

std::string NKDCode128Barcode::initiator() const
{
    if (codeSet_ < SetA || codeSet_ > SetC) {
        Show_NSLog_Message(QStringLiteral("Invalid codeSet value: %1").arg(codeSet_));
        return {};
    }
    return symbolPattern(startAValue + codeSet_);
}

std::string NKDCode128Barcode::terminator() const
{
    return symbolPattern(stopValue);
}

std::string NKDCode128Barcode::_encodeChar(char c, int set)
{
    // Set C is made of digit pairs; a single character is answered as in set A.
    const int value = valueInSet(c, set == SetC ? SetA : set);
    return value < 0 ? std::string() : symbolPattern(value);
}

std::string NKDCode128Barcode::_encodeChar(char c) const
{
    if (codeSet_ == SetC)
        return _encodeChar(c, SetC);
    std::string modules;
    for (const int value : symbolsForCharacter(c, codeSet_))
        modules += symbolPattern(value);
    return modules;
}

std::vector<int> NKDCode128Barcode::symbolsForCharacter(char c, int set)
{
    const int value = valueInSet(c, set);
    if (value >= 0)
        return { value };
    // The other set has it: SHIFT makes the next symbol count in that set.
    const int shifted = valueInSet(c, set == SetA ? SetB : SetA);
    if (shifted >= 0)
        return { shiftValue, shifted };
    return {};
}

std::string NKDCode128Barcode::_encodeNumberPair(const QByteArray& pair)
{
    int number = 0;
    for (const char c : pair) {
        if (!isDigit(c))
            break;
        number = number * 10 + (c - '0');
    }
    return number <= 102 ? symbolPattern(number) : std::string();
}

int NKDCode128Barcode::_valueForChar(char c)
{
    const int value = valueInSet(c, SetA);
    return value >= 0 ? value : valueInSet(c, SetB);
}

std::vector<int> NKDCode128Barcode::dataSymbols() const
{
    QByteArray bytes;
    if (!asciiContent(bytes))
        return {};
    std::vector<int> symbols;
    symbols.reserve(size_t(bytes.size()) + 2);
    if (codeSet_ == SetC) {
        for (const char c : bytes) {
            if (!isDigit(c))
                return {};
        }
        const qsizetype pairedLength = bytes.size() - bytes.size() % 2;
        for (qsizetype i = 0; i < pairedLength; i += 2)
            symbols.push_back((bytes[i] - '0') * 10 + (bytes[i + 1] - '0'));
        if (pairedLength < bytes.size()) {
            // An odd last digit goes into set B rather than gaining an invented zero.
            symbols.push_back(codeBValue);
            symbols.push_back(valueInSet(bytes.back(), SetB));
        }
        return symbols;
    }
    if (codeSet_ != SetA && codeSet_ != SetB)
        return {};
    for (const char c : bytes) {
        const std::vector<int> forCharacter = symbolsForCharacter(c, codeSet_);
        if (forCharacter.empty())
            return {};
        symbols.insert(symbols.end(), forCharacter.begin(), forCharacter.end());
    }
    return symbols;
}

bool NKDCode128Barcode::isContentValid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.isEmpty() || codeSet_ < SetA || codeSet_ > SetC)
        return false;
    const std::vector<int> symbols = dataSymbols();
    return !symbols.empty() && symbols.size() <= size_t(maximumDataSymbols);
}

QString NKDCode128Barcode::whyContentInvalid() const
{
    QByteArray bytes;
    if (!asciiContent(bytes) || bytes.isEmpty() || codeSet_ < SetA || codeSet_ > SetC)
        return {};
    const bool lineBreak = bytes.contains('\n') || bytes.contains('\r');
    if (codeSet_ == SetC && !std::all_of(bytes.cbegin(), bytes.cend(), isDigit))
        return lineBreak ? QStringLiteral("Code 128 SET C holds digits only, and the value has a line break.")
                         : QStringLiteral("Code 128 SET C holds digits only.");
    const size_t symbols = dataSymbols().size();
    if (symbols <= size_t(maximumDataSymbols))
        return {};
    QString why = QStringLiteral("The value is too long for Code 128: it takes %1 symbols, and at most %2 fit.")
                      .arg(symbols)
                      .arg(maximumDataSymbols);
    if (lineBreak)
        why += QStringLiteral(" Each line break takes one or two of them.");
    return why;
}

void NKDCode128Barcode::generateChecksum()
{
    if (codeSet_ < SetA || codeSet_ > SetC)
        return;
    int sum = startAValue + codeSet_;
    int position = 1;
    for (const int value : dataSymbols())
        sum = (sum + position++ * value) % checkModulus;
    setCheckDigit(sum % checkModulus);
}

std::string NKDCode128Barcode::barcode() const
{
    std::string modules;
    const std::vector<int> symbols = dataSymbols();
    modules.reserve(symbols.size() * 11 + 11);
    for (const int value : symbols)
        modules += symbolPattern(value);
    if (checkDigit() >= 0)
        modules += symbolPattern(checkDigit());
    return modules;
}
