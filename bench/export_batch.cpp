// Batch export of the peer benchmark's invitation card (a title, a bound name, a bound table,
// a QR Code and a Code 128 of the row's id) as PNG at 300 dpi, one card per row, on one
// worker per core. Usage: bench_export_batch ROWS [WORKERS]. Prints the wall time, cards per
// second and the peak resident memory; run it for 1,000 and 10,000 rows to see that memory
// does not grow with the rows.
#include "ResidentMemory.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeSymbologies.h"
#include "jobs/BatchExport.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"
#include "render/CardUnits.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <thread>

namespace {

QRectF millimetres(double x, double y, double w, double h)
{
    return QRectF(MM_to_Points_Convert(float(x)), MM_to_Points_Convert(float(y)), MM_to_Points_Convert(float(w)),
        MM_to_Points_Convert(float(h)));
}

SKTGraphicPtr text(const QString& shown, int points, bool bold, const QRectF& bounds, int column)
{
    auto object = SKTGraphic::create<SKTText>();
    QFont font(QStringLiteral("DejaVu Sans"), points);
    font.setBold(bold);
    *object->Text_contents() = StyledText::plain(shown, font, Qt::black);
    object->setBounds(bounds);
    if (column > 0) {
        object->data_source_type = DataBinding::spreadsheetSource;
        object->excel_col_indx = column;
    }
    return object;
}

SKTGraphicPtr barcode(const char* kind, const QRectF& bounds, int column)
{
    auto object = SKTGraphic::create<SKTBarcode>();
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String(kind));
    settings.linear_or_2d = settings.barcode_font_index >= LinearSymbologyCount ? 1 : 0;
    settings.show_hide_hdr = settings.show_hide_ftr = 1;
    settings.qr_ec_index = 1; // M
    storeBarcodeFields(settings, *object);
    object->setBounds(bounds);
    object->data_source_type = DataBinding::spreadsheetSource;
    object->excel_col_indx = column;
    return object;
}

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

    const QList<SKTGraphicPtr> front {
        text(QStringLiteral("You're invited!"), 16, true, millimetres(3, 2.5, 79.6, 8), 0),
        text(QString(), 12, true, millimetres(4, 12, 52, 7), 1),
        text(QString(), 10, false, millimetres(4, 19.5, 52, 6), 2),
        barcode("QR Code", millimetres(61.6, 14, 20, 20), 3),
        barcode("Code 128", millimetres(4, 30, 52, 18), 3),
    };
    SpreadsheetRows sheet;
    sheet.reserve(rows);
    for (int i = 1; i <= rows; ++i)
        sheet << QStringList { QString::number(i), QStringLiteral("Guest %1").arg(i, 6, 10, QLatin1Char('0')),
            QStringLiteral("Table %1").arg((i - 1) / 8 + 1), QStringLiteral("INV-%1").arg(i, 6, 10, QLatin1Char('0')) };
    const auto settings = Card_Property::create();
    settings->setCard_fill_chk(true);
    settings->setCard_fill_clr(Qt::white);

    QTemporaryDir out;
    BatchExportRequest request;
    request.snapshot = CardSnapshot::take(front, {}, *settings, *settings, 0, millimetres(0, 0, 85.6, 53.98));
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
    std::printf(
        "rows %d  workers %d  written %d  wall %.2f s  %.1f cards/s  peak RSS %ld MiB  load before %s after %s\n", rows,
        workers, result.cardsWritten, seconds, result.cardsWritten / seconds, peakResidentKiB() / 1024,
        qPrintable(loadBefore), qPrintable(loadAverage()));
    return result.outcome == BatchExportResult::Outcome::Finished ? 0 : 1;
}
