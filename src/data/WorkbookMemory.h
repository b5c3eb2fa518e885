#pragma once

#include <QString>

// How much memory the texts read from one workbook may take. An honest workbook's table takes
// tens of times its packed size, a zip bomb hundreds to a thousand times, so the limit follows
// the archive's size; the machine's memory caps it too, but never below what a full sheet
// (1,048,576 rows of a few short texts) needs.
struct WorkbookMemory
{
    static constexpr qint64 maxAmplification = 100;
    static constexpr qint64 minLimit = qint64(64) << 20;
    static constexpr qint64 minMachineLimit = qint64(1) << 30;

    qint64 limit = minLimit;
    QString reason; // why more is refused, to end a message with

    static WorkbookMemory forArchive(qint64 archiveBytes);

    // The heap a text of that many characters takes beyond its place in a list: its own
    // allocation with header, terminator and the allocator's rounding.
    static constexpr qint64 textBytes(qsizetype characters) { return 32 + 2 * qint64(characters); }
};
