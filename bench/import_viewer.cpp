// Imports a 100,000-row by 10-column workbook made by openpyxl into the spreadsheet table
// through the import window, as a person does (every column, titles in the first row), and
// shows it in the viewer: the time to the filled viewer, the peak memory, and the time of a
// repaint while scrolling through the whole table.
//   bench_import_viewer [ROWS]
#include "ResidentMemory.h"

#include "data/Data_From_Excel.h"
#include "imports/Import_Excel.h"
#include "imports/SheetChooser.h"
#include "imports/SheetColumnsModel.h"
#include "imports/SpreadsheetViewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const char* const makeWorkbook = R"(import sys, openpyxl
rows = int(sys.argv[2])
wb = openpyxl.Workbook()
ws = wb.active
ws.title = 'Data'
ws.append(['Name', 'Code', 'City', 'Amount', 'Ratio', 'Street', 'Count', 'Mail', 'Note', 'Flag'])
for i in range(rows):
    ws.append(['Guest %d' % i, '%08d' % (i * 7), 'City %d' % (i % 500), i * 3, i / 7.0,
               '%d Long Street Name' % i, i % 1000, 'guest%d@example.org' % i, 'note', i % 2 == 0])
wb.save(sys.argv[1])
)";

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = app.arguments().size() > 1 ? app.arguments()[1].toInt() : 100000;
    QTemporaryDir folder;
    const QString workbook = folder.filePath(QStringLiteral("guests.xlsx"));
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
        { QStringLiteral("-c"), QString::fromUtf8(makeWorkbook), workbook, QString::number(rows) });
    python.waitForFinished(-1);
    if (!QFile::exists(workbook)) {
        std::fprintf(stderr, "openpyxl could not make the workbook\n");
        return 1;
    }
    std::printf("workbook: %d rows x 10 columns, %.1f MB\n", rows, QFile(workbook).size() / 1e6);

    Data_From_Excel table;
    Data_From_Excel_Window = &table;
    const long before = residentKiB();
    QElapsedTimer timer;
    timer.start();
    Import_Excel window;
    window.open_mode = QStringLiteral("E");
    window.chooser->open(workbook);
    const double opened = timer.nsecsElapsed() / 1e9;
    window.chooser->Select_ALL_Pressed();
    window.OKPressed();
    const double imported = timer.nsecsElapsed() / 1e9;
    SpreadsheetViewer viewer(table);
    viewer.reload();
    viewer.show();
    viewer.ColList->viewport()->grab();
    const double shown = timer.nsecsElapsed() / 1e9;
    const long peak = peakResidentKiB();

    // Scrolling: 200 jumps spread over the whole table, each painted at once.
    QScrollBar* bar = viewer.ColList->verticalScrollBar();
    QElapsedTimer scroll;
    scroll.start();
    double slowest = 0;
    for (int step = 1; step <= 200; ++step) {
        QElapsedTimer frame;
        frame.start();
        bar->setValue(bar->maximum() * step / 200);
        viewer.ColList->viewport()->grab();
        slowest = std::max(slowest, frame.nsecsElapsed() / 1e6);
    }
    const double perFrame = scroll.nsecsElapsed() / 1e6 / 200;

    std::printf("table rows %lld, columns %lld\n", qlonglong(table.ListData.size()), qlonglong(table.ColList.size()));
    std::printf("open workbook and list columns  %6.2f s\n", opened);
    std::printf("read rows into the table        %6.2f s\n", imported - opened);
    std::printf("filled viewer shown             %6.2f s (total)\n", shown);
    std::printf("peak RSS %.1f MB (%.1f MB before the import)\n", peak / 1024.0, before / 1024.0);
    std::printf("scrolling, painting the view: %.2f ms a frame on average, slowest %.2f ms\n", perFrame, slowest);
    return table.ListData.size() == rows ? 0 : 1;
}
