#include "data/ValueEstimate.h"

#include "data/WorkbookMemory.h"

#include <algorithm>

void ValueEstimate::add(qsizetype characters)
{
    ++count_;
    bytes_ += WorkbookMemory::listedTextBytes(characters);
}

void ValueEstimate::addMany(qint64 count, qint64 characters)
{
    // Only a value with characters has a text of its own.
    const qint64 texts = std::min(count, characters);
    count_ += count;
    bytes_ += count * WorkbookMemory::listedTextBytes(0) + texts * WorkbookMemory::textBytes(0)
        + (WorkbookMemory::textBytes(characters) - WorkbookMemory::textBytes(0));
}

QString ValueEstimate::refusal(const QString& path, qint64 fileBytes) const
{
    const WorkbookMemory memory = WorkbookMemory::forTextFile(fileBytes);
    if (bytes_ <= memory.limit)
        return {};
    // Many short lines pass that memory without any dishonesty in the file: what is told is the
    // count, with the most values of their length that are read.
    const qint64 most = qint64(double(count_) * double(memory.limit) / double(bytes_));
    const bool byMachine = memory.limit
        < std::max(WorkbookMemory::minTextFileLimit, fileBytes * WorkbookMemory::maxTextFileAmplification);
    return (byMachine ? QStringLiteral("\"%1\" holds %2 values, more than this program reads on this computer: at most "
                                       "%3 values of their length, which take a quarter of its memory.")
                      : QStringLiteral("\"%1\" holds %2 values, more than this program reads from a file of its size: "
                                       "at most %3 values of their length."))
        .arg(path)
        .arg(count_)
        .arg(most);
}
