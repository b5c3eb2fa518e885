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
    for (const QString& value : parseSeriesText(bytes))
        if (value.isEmpty() || value.contains(QLatin1Char('\n')))
            __builtin_trap();
    QFile file(seriesFilePath(QStringLiteral("fuzz")));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
        file.close();
        readSeriesValues(QStringLiteral("fuzz"));
        firstSeriesValue(QStringLiteral("fuzz"));
    }
    return 0;
}
