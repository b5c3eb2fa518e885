// Feeds arbitrary bytes to the series reader, as text, as a stored series file and as the
// note of the folder a series was imported from.
#include "../support/SeriesReference.h"
#include "common/Globals.h"
#include "data/SeriesStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    Data_Folder_Path = folder.path();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList values = parseSeriesText(bytes);
    for (const QString& value : values)
        if (value.contains(QLatin1Char('\n')))
            __builtin_trap();
    QFile file(seriesFilePath(QStringLiteral("fuzz")));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
        file.close();
        if (readSeriesValues(QStringLiteral("fuzz")) != values)
            __builtin_trap();
        // A run reads it a line at a time to the same rows; none is too long in so short a file
        // (UTF-16 takes up to half as much again as UTF-8).
        const std::optional<SeriesRows> rows = readSeriesFile(QStringLiteral("fuzz"));
        if (bytes.size() <= maxSeriesValueBytes / 2
            && (rows.has_value() != parseSeriesBytes(bytes).has_value()
                || (rows && (rows->values != values || !rows->tooLong.isEmpty()))))
            __builtin_trap();
        // The first card reads a series only up to its first value: the same value.
        const std::optional<SeriesHead> head = readSeriesHead(QStringLiteral("fuzz"));
        if (head && head->holdsAValue && !values.isEmpty() && !values.contains(head->firstValue))
            __builtin_trap();
        // Saving what was read keeps every value on its row.
        if (writeSeriesFile(seriesFilePath(QStringLiteral("fuzz")), values, true)
            && readSeriesValues(QStringLiteral("fuzz")).size() != values.size())
            __builtin_trap();
    }
    const QString origins = QDir::cleanPath(Data_Folder_Path) + QStringLiteral(" Origins");
    QFile origin(QDir(origins).filePath(QStringLiteral("fuzz.txt")));
    if (QDir().mkpath(origins) && origin.open(QIODevice::WriteOnly)) {
        origin.write(bytes);
        origin.close();
        const QString folderRead = seriesOrigin(QStringLiteral("fuzz"));
        if (!folderRead.isEmpty() && !QDir::isAbsolutePath(folderRead))
            __builtin_trap();
    }
    return 0;
}
