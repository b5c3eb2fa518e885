#pragma once

#include <QString>

// How much memory the texts read from one workbook or text file may take, with the number
// formats a workbook's cells use (a code of a few bytes may compile to far more). An honest workbook's
// table takes tens of times its packed size, a zip bomb hundreds to a thousand times, so the
// limit follows the archive's size; the machine's memory caps it too, but never below what a
// full sheet (1,048,576 rows of a few short texts) needs. The values of an honest text file
// take a few times its size, while a file of bare separators takes dozens of times: its limit
// is a smaller multiple of its size, never below what a million short values need.
struct WorkbookMemory
{
    static constexpr qint64 maxAmplification = 100;
    static constexpr qint64 maxTextFileAmplification = 8;
    static constexpr qint64 minLimit = qint64(64) << 20;
    static constexpr qint64 minTextFileLimit = qint64(128) << 20;
    static constexpr qint64 minMachineLimit = qint64(1) << 30;

    qint64 limit = minLimit;
    QString reason; // why more is refused, to end a message with

    static WorkbookMemory forArchive(qint64 archiveBytes);
    static WorkbookMemory forTextFile(qint64 fileBytes);

    // The heap a text of that many characters takes beyond its place in a list: its own
    // allocation with header, terminator and the allocator's rounding.
    static constexpr qint64 textBytes(qsizetype characters) { return 32 + 2 * qint64(characters); }
    // A value in a list of texts: its place, and its text unless it is empty (empty texts share
    // no allocation).
    static constexpr qint64 listedTextBytes(qsizetype characters)
    {
        return qint64(sizeof(QString)) + (characters > 0 ? textBytes(characters) : 0);
    }

private:
    static WorkbookMemory forSource(qint64 sourceBytes, qint64 amplification, qint64 floor, const QString& sourceName);
};
