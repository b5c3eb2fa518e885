// The comparison Send makes of a run's rows with every stored series that no object is bound
// to: the series of as many values as the run has rows are looked at for the recipients'
// addresses. The earlier way read every series file whole once its size allowed that many
// lines; the present one counts lines and stops one past the run's rows. Both run here over
// the same folder, one after the other, each twice (the folder is in the page cache for both).
//   bench_mail_series [LONG_LINES]   (120 series, 20 of them LONG_LINES long, 1,000,000 by
//                                     default; the others 500 to 9,500 lines, 5 of exactly
//                                     10,000; the run has 10,000 rows)
#include "common/Globals.h"
#include "data/SeriesOfLength.h"
#include "data/SeriesStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace {

constexpr int runRows = 10000;

// The earlier comparison, as it stood.
QList<QStringList> seriesOfLengthReadWhole(int rows, const QStringList& except)
{
    QList<QStringList> found;
    for (const QString& name : seriesNames()) {
        if (except.contains(name) || QFileInfo(seriesFilePath(name)).size() < rows - 1)
            continue;
        std::optional<SeriesRows> series = readSeriesFile(name);
        if (series && series->values.size() == rows)
            found << std::move(series->values);
    }
    return found;
}

bool writeLines(const QString& name, int lines)
{
    QFile file(seriesFilePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    for (int i = 0; i < lines; ++i) {
        block += "m" + QByteArray::number(1000000 + i) + "@club.example\n";
        if (block.size() > (1 << 20) || i + 1 == lines) {
            if (file.write(block) != block.size())
                return false;
            block.clear();
        }
    }
    return true;
}

template<typename Compare>
void measure(const char* label, Compare compare)
{
    for (int round = 1; round <= 2; ++round) {
        QElapsedTimer timer;
        timer.start();
        const QList<QStringList> found = compare(runRows, QStringList());
        std::printf("%-28s round %d: %7.3f s, %lld series of %d values\n", label, round, timer.nsecsElapsed() / 1e9,
            static_cast<long long>(found.size()), runRows);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int longLines = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QTemporaryDir folder;
    Data_Folder_Path = folder.path();
    for (int i = 0; i < 120; ++i) {
        const int lines = i < 20 ? longLines : i < 25 ? runRows : 500 + (i - 25) * 95;
        if (!writeLines(QStringLiteral("series-%1").arg(i, 3, 10, QLatin1Char('0')), lines)) {
            std::fprintf(stderr, "cannot write the series in %s\n", qPrintable(folder.path()));
            return 1;
        }
    }
    std::printf("120 series (20 of %d lines), a run of %d rows\n", longLines, runRows);
    measure("read whole (earlier)", seriesOfLengthReadWhole);
    measure("lines counted (now)", seriesOfLength);
    return 0;
}
