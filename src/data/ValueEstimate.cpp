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
    return QStringLiteral("\"%1\" holds %2 values, too many to read: %3.").arg(path).arg(count_).arg(memory.reason);
}
