// Batch export of the peer benchmark's invitation card (a title, a bound name, a bound table,
// a QR Code and a Code 128 of the row's id) as PNG at 300 dpi, one card per row, on one
// worker per core. Usage: bench_export_batch ROWS [WORKERS]. Prints the wall time, cards per
// second and the peak resident memory; run it for 1,000 and 10,000 rows to see that memory
// does not grow with the rows.
//
// bench_export_batch single [ROUNDS]: the card of row 1 exported alone as the export command
// does (on the kept worker, the progress sheet only for work that outlasts a moment) beside
// the same card written on the calling thread as the command did before it moved off it, in
// alternating rounds of ten cards. Prints the median milliseconds a card of each and their
// ratio. Runs offscreen unless QT_QPA_PLATFORM names a display.
//
// bench_export_batch folder ROWS: the look, before a run of ROWS rows of both sides, at which
// of its files a folder already holds, in a folder holding them all (the longest case), and
// the question made of them. Prints the milliseconds of each.
#include "PeerCard.h"
#include "ResidentMemory.h"

#include "barcodes/BarcodeCardFields.h"
#include "export/CardExporter.h"
#include "export/ExportHost.h"
#include "jobs/BatchExport.h"
#include "widgets/Send_Modeless.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

namespace {

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2)
                                          : QStringLiteral("?");
}

// The peer card's front with the name, table and id columns of a sheet of `rows` rows bound.
QList<SKTGraphicPtr> boundFront(SpreadsheetRows& sheet, int rows)
{
    const QList<SKTGraphicPtr> front = PeerCard::front();
    const int columns[] = { 0, 1, 2, 3, 3 };
    for (int i = 1; i < front.size(); ++i) {
        front[i]->data_source_type = DataBinding::spreadsheetSource;
        front[i]->excel_col_indx = columns[i];
    }
    sheet.reserve(rows);
    for (int i = 1; i <= rows; ++i)
        sheet << QStringList { QString::number(i), QStringLiteral("Guest %1").arg(i, 6, 10, QLatin1Char('0')),
            QStringLiteral("Table %1").arg((i - 1) / 8 + 1), QStringLiteral("INV-%1").arg(i, 6, 10, QLatin1Char('0')) };
    return front;
}

// A window holding the design as it stands, with the progress sheet over it.
class SingleCardHost : public ExportHost
{
public:
    QWidget* exportWindow() override { return &window; }
    CardSnapshot takeCardSnapshot() const override
    {
        return CardSnapshot::take(front, {}, *settings, *settings, 0, PeerCard::bounds());
    }
    bool twoSidedCard() const override { return false; }
    bool backShown() const override { return false; }
    SpreadsheetRows spreadsheetRows() const override { return {}; }
    DataBinding batchBinding(const CardSnapshot&) override { return {}; }
    void Show_One_By_One_Modeless() override { }
    void Hide_One_By_One_Modeless() override { }
    void Select_first_row_value_for_design(const DataBinding&) override { }
    void showExportDone(const QString&, const QString&, const QString&) override { }

    QWidget window;
    Send_Modeless sheet { &window };
    QList<SKTGraphicPtr> front;
    std::shared_ptr<Card_Property> settings = PeerCard::settings();
};

// The export of one card before it moved off the calling thread, as it was written then.
bool exportOnCallingThread(const ExportHost& host, const QString& path, const CardExportSettings& settings)
{
    const CardSnapshot card = host.takeCardSnapshot();
    const CardFiles files = renderCardFiles(card, settings, path);
    for (const auto& [file, bytes] : files) {
        QString error;
        if (!writeCardFile(file, bytes, &error))
            return false;
    }
    return true;
}

struct ShowCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Show;
        return false;
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int singleCard(int rounds)
{
    // The offscreen platform's word on every raised sheet would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { });
    SingleCardHost host;
    SpreadsheetRows sheet;
    host.front = boundFront(sheet, 1);
    DataBinding::Check_Series_Or_Excel_Use_or_not(host.front, {}, false, sheet).Assign_Batch_Values_To_Control(host.front, 0);
    host.window.resize(800, 600);
    host.window.show();
    CardExporter exporter(host);
    const CardExportSettings settings { QStringLiteral("png"), 300, QStringLiteral("F"), false };
    QTemporaryDir out;
    const QString before = out.filePath(QStringLiteral("before.png"));
    const QString now = out.filePath(QStringLiteral("now.png"));

    constexpr int cardsARound = 10;
    std::vector<double> beforeMs, nowMs;
    ShowCounter sheetShown;
    host.sheet.installEventFilter(&sheetShown);
    for (int round = 0; round <= rounds; ++round) {
        // Round 0 warms both up; the order alternates so that neither always runs first.
        for (int turn = 0; turn < 2; ++turn) {
            const bool old = (round + turn) % 2 == 0;
            QElapsedTimer clock;
            clock.start();
            for (int card = 0; card < cardsARound; ++card) {
                const bool written = old ? exportOnCallingThread(host, before, settings)
                                         : exporter.Export_Single_File(now, settings, false);
                if (!written)
                    return 1;
            }
            if (round > 0)
                (old ? beforeMs : nowMs).push_back(clock.nsecsElapsed() / 1e6 / cardsARound);
        }
    }
    QFile a(before), b(now);
    const bool sameBytes = a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll();
    const double was = median(beforeMs), is = median(nowMs);
    std::printf("one card, %d rounds of %d: on the calling thread %.2f ms (best %.2f), now %.2f ms (best %.2f), "
                "ratio %.3f, same bytes %s, %.1f KiB, sheet shown %d times, platform %s, load %s\n",
        rounds, cardsARound, was, *std::min_element(beforeMs.begin(), beforeMs.end()), is,
        *std::min_element(nowMs.begin(), nowMs.end()), is / was, sameBytes ? "yes" : "NO", b.size() / 1024.0,
        sheetShown.count, qPrintable(QGuiApplication::platformName()), qPrintable(loadAverage()));
    return sameBytes ? 0 : 1;
}

int folderCheck(int rows)
{
    QTemporaryDir out;
    const QString folder = batchExportFolder(out.path());
    QDir().mkpath(folder);
    const CardExportSettings settings { QStringLiteral("png"), 300, QStringLiteral("BOTH"), false };
    for (int row = 0; row < rows; ++row)
        for (const QString& path : cardFilePaths(settings, batchCardPath(folder, row, settings.extension))) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly))
                return 1;
        }
    std::atomic<bool> stop = false;
    QElapsedTimer clock;
    clock.start();
    const BatchFolderFiles found = batchFolderFiles(out.path(), settings, rows, stop);
    const double lookMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    const QString asked = found.replaced.question() + found.replaced.details();
    const double questionMs = clock.nsecsElapsed() / 1e6;
    std::printf("rows %d  files found %lld  look %.1f ms  question %.1f ms (%lld characters)\n", rows,
        qlonglong(found.replaced.size()), lookMs, questionMs, qlonglong(asked.size()));
    return found.replaced.size() == 2 * rows ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RowApplication::setBarcodeGenerator(&barcodeRowMaker);
    if (argc > 1 && std::strcmp(argv[1], "single") == 0)
        return singleCard(argc > 2 ? std::max(1, std::atoi(argv[2])) : 30);
    if (argc > 1 && std::strcmp(argv[1], "folder") == 0)
        return folderCheck(argc > 2 ? std::max(1, std::atoi(argv[2])) : 100000);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int workers = argc > 2 ? std::atoi(argv[2]) : int(std::thread::hardware_concurrency());

    SpreadsheetRows sheet;
    const QList<SKTGraphicPtr> front = boundFront(sheet, rows);
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
