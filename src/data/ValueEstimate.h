#pragma once

#include <QString>

// Counts the values a text file would give and what they would take in memory, before any is
// made, so that a file of bare separators is refused instead of becoming gigabytes of values.
class ValueEstimate
{
public:
    void add(qsizetype characters);
    // Many values of that many characters in all, at most one text apiece: what they take at
    // most, without measuring each.
    void addMany(qint64 count, qint64 characters);
    qint64 count() const { return count_; }
    qint64 bytes() const { return bytes_; }
    // "" when the values fit what a file of fileBytes may take; otherwise why not, naming the
    // file, the count and the most values of their length that are read.
    QString refusal(const QString& path, qint64 fileBytes) const;

private:
    qint64 count_ = 0;
    qint64 bytes_ = 0;
};
