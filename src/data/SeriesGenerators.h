#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// The rules behind the series generator window: typed numbers, padding, and the values of
// the sequential, constant and random generators. No widgets.

// An integer read from text the lenient way: leading white space skipped, an optional sign,
// digits up to the first other character ("12a" is 12), 0 when there are none.
int leadingInteger(const QString& text);

// Zeros put after any sign until the text is at least length long ("-9", 3 gives "-09").
QString PadZero(const QString& text, int length);

// A number from the system's random source between min and max, both included, every number
// equally likely.
uint32_t getRandomNumberBetween(uint32_t min, uint32_t max);

// What a typed field becomes; the text is returned unchanged when no rule applies.
// Counts: never empty or 0, at most five characters and 10000.
QString boundedCountText(const QString& text);
// The random length: one character, empty or 0 giving "1".
QString boundedLengthText(const QString& text);
// From and To: at most five characters and 10000.
QString boundedFromToText(const QString& text);

// From + k for k = 0 .. To - From between prefix and suffix; with keepDigits, numbers are padded
// to the longer of the two typed texts.
QStringList sequentialSeries(
    const QString& prefix, const QString& suffix, const QString& fromText, const QString& toText, bool keepDigits);
// The value as typed, count times (none for 0 or a negative count).
QStringList constantSeries(const QString& value, const QString& countText);
// count random numbers of lengthText digits ("1" to "9"; any other text gives the number 0).
QStringList randomSeries(
    const QString& prefix, const QString& suffix, const QString& lengthText, const QString& countText);
