// Feeds arbitrary bytes to the series reader, as text and as a stored series file.
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
        firstSeriesValue(QStringLiteral("fuzz"));
        // Saving what was read keeps every value on its row.
        if (writeSeriesFile(seriesFilePath(QStringLiteral("fuzz")), values, true)
            && readSeriesValues(QStringLiteral("fuzz")).size() != values.size())
            __builtin_trap();
    }
    return 0;
}
