// Batch export of the peer benchmark's invitation card (a title, a bound name, a bound table,
// a QR Code and a Code 128 of the row's id) as PNG at 300 dpi, one card per row, on one
// worker per core. Usage: bench_export_batch ROWS [WORKERS]. Prints the wall time, cards per
// second and the peak resident memory; run it for 1,000 and 10,000 rows to see that memory
// does not grow with the rows.
#include "PeerCard.h"
#include "ResidentMemory.h"

#include "barcodes/BarcodeCardFields.h"
#include "jobs/BatchExport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <thread>

namespace {

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2)
                                          : QStringLiteral("?");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int workers = argc > 2 ? std::atoi(argv[2]) : int(std::thread::hardware_concurrency());
    RowApplication::setBarcodeGenerator(&barcodeRowMaker);

    // The name, table and id columns of the sheet below fill the card.
    const QList<SKTGraphicPtr> front = PeerCard::front();
    const int columns[] = { 0, 1, 2, 3, 3 };
    for (int i = 1; i < front.size(); ++i) {
        front[i]->data_source_type = DataBinding::spreadsheetSource;
        front[i]->excel_col_indx = columns[i];
    }
    SpreadsheetRows sheet;
    sheet.reserve(rows);
    for (int i = 1; i <= rows; ++i)
        sheet << QStringList { QString::number(i), QStringLiteral("Guest %1").arg(i, 6, 10, QLatin1Char('0')),
            QStringLiteral("Table %1").arg((i - 1) / 8 + 1), QStringLiteral("INV-%1").arg(i, 6, 10, QLatin1Char('0')) };
    const auto settings = PeerCard::settings();

    QTemporaryDir out;
    BatchExportRequest request;
    request.snapshot = CardSnapshot::take(front, {}, *settings, *settings, 0, PeerCard::bounds());
    request.binding
        = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, sheet));
    request.settings = { QStringLiteral("png"), 300, QStringLiteral("F"), false };
    request.folder = out.path();
    request.workers = workers;

    const QString loadBefore = loadAverage();
    JobProgress progress;
    QElapsedTimer clock;
    clock.start();
    const BatchExportResult result = Export_Batch_File(request, progress);
    const double seconds = clock.nsecsElapsed() / 1e9;
    qint64 bytes = 0;
    for (const QFileInfo& file : QDir(result.exportFolder).entryInfoList(QDir::Files))
        bytes += file.size();
    std::printf("rows %d  workers %d  written %d  wall %.2f s  %.1f cards/s  peak RSS %ld MiB  %.1f KiB a card  load "
                "before %s after %s\n",
        rows, workers, result.cardsWritten, seconds, result.cardsWritten / seconds, peakResidentKiB() / 1024,
        result.cardsWritten > 0 ? double(bytes) / 1024 / result.cardsWritten : 0.0, qPrintable(loadBefore),
        qPrintable(loadAverage()));
    return result.outcome == BatchExportResult::Outcome::Finished ? 0 : 1;
}
