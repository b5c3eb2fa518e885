#include "data/SeriesGenerators.h"

#include "common/StringHelpers.h"

#include <limits>
#include <random>

namespace {

constexpr int maxTypedCount = 10000;
constexpr int maxTypedDigits = 5;

} // namespace

int leadingInteger(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    // Overlong numbers stop at the int range instead of wrapping around.
    long long value = 0;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i)
        value = std::min(value * 10 + (text.at(i).unicode() - '0'), (long long)std::numeric_limits<int>::max() + 1);
    if (negative)
        return int(std::max(-value, (long long)std::numeric_limits<int>::min()));
    return int(std::min(value, (long long)std::numeric_limits<int>::max()));
}

QString PadZero(const QString& text, int length)
{
    if (text.size() >= length)
        return text;
    const qsizetype signLength = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    QString padded = text;
    padded.insert(signLength, QString(length - text.size(), QLatin1Char('0')));
    return padded;
}

uint32_t getRandomNumberBetween(uint32_t min, uint32_t max)
{
    // The distribution rejects draws past the last whole range, so no number is favoured.
    static std::random_device source;
    return std::uniform_int_distribution<uint32_t>(min, max)(source);
}

QString boundedCountText(const QString& text)
{
    const QString trimmed = Trim_Str(text);
    QString field = text;
    if (trimmed.isEmpty() || leadingInteger(trimmed) == 0)
        field = QStringLiteral("1");
    if (trimmed.size() > maxTypedDigits)
        field = trimmed.left(maxTypedDigits);
    if (leadingInteger(field) > maxTypedCount)
        field = QString::number(maxTypedCount);
    return field;
}

QString boundedLengthText(const QString& text)
{
    const QString trimmed = Trim_Str(text);
    QString field = text;
    if (trimmed.isEmpty() || leadingInteger(trimmed) == 0)
        field = QStringLiteral("1");
    if (trimmed.size() > 1)
        field = trimmed.left(1);
    return field;
}

QString boundedFromToText(const QString& text)
{
    QString field = text.size() > maxTypedDigits ? text.left(maxTypedDigits) : text;
    if (leadingInteger(field) > maxTypedCount)
        field = QString::number(maxTypedCount);
    return field;
}

QStringList sequentialSeries(
    const QString& prefix, const QString& suffix, const QString& typedFrom, const QString& typedTo, bool keepDigits)
{
    // The typing rules bound the run; texts set by other means are held to them too.
    const QString fromText = boundedFromToText(typedFrom);
    const QString toText = boundedFromToText(typedTo);
    const long long from = leadingInteger(fromText);
    const long long to = leadingInteger(toText);
    const int digits = int(std::max(fromText.size(), toText.size()));
    QStringList values;
    if (to < from)
        return values;
    values.reserve(qsizetype(to - from + 1));
    for (long long number = from; number <= to; ++number) {
        QString text = QString::number(number);
        if (keepDigits)
            text = PadZero(text, digits);
        values.append(prefix + text + suffix);
    }
    return values;
}

QStringList constantSeries(const QString& value, const QString& countText)
{
    const int count = std::min(leadingInteger(countText), maxTypedCount);
    QStringList values;
    if (count > 0)
        values.fill(value, count);
    return values;
}

QStringList randomSeries(
    const QString& prefix, const QString& suffix, const QString& lengthText, const QString& countText)
{
    const int count = std::min(leadingInteger(countText), maxTypedCount);
    QStringList values;
    if (count <= 0)
        return values;
    int length = 0;
    if (lengthText.size() == 1 && lengthText.at(0) >= QLatin1Char('1') && lengthText.at(0) <= QLatin1Char('9'))
        length = lengthText.at(0).unicode() - '0';
    uint32_t low = 1;
    for (int i = 1; i < length; ++i)
        low *= 10;
    values.reserve(count);
    for (int i = 0; i < count; ++i) {
        const uint32_t number = length > 0 ? getRandomNumberBetween(low, low * 10 - 1) : 0;
        values.append(prefix + QString::number(number) + suffix);
    }
    return values;
}
