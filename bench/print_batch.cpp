// Batch print of the peer benchmark's invitation card (a title, a bound name, a bound table,
// a QR Code and a Code 128 of the row's id), 10 to an A4 sheet, into a PDF through the print
// path. Usage: bench_print_batch ROWS OUT.pdf [DATA.csv]: the rows come from the peer's data
// file (header name,table,id) when one is given, else they are made as its make-data.py makes
// them. Prints the wall time, the processor time of the thread that writes the PDF (which
// sets the pace; on a busy machine it varies less than the wall time), the peak resident
// memory and the PDF's size; run it for 1,000
// and 10,000 rows to see that memory does not grow with the rows, and check the sheets with
// the peer folder's check-page.py (bench/print_peer.sh does all of it side by side).
#include "PeerCard.h"
#include "ProcessorTime.h"
#include "ResidentMemory.h"

#include "jobs/PrintBatchCards.h"
#include "jobs/RowApplication.h"
#include "print/Printing_View.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <vector>

using namespace PrintLayout;

namespace {

QString padded(int number)
{
    return QStringLiteral("%1").arg(number, 6, 10, QLatin1Char('0'));
}

// One row of the peer's data.
struct PeerRow
{
    QString name;
    QString table;
    QString id;
};

// Row i (from 1) as the peer's make-data.py makes it.
PeerRow madeRow(int i)
{
    return { QStringLiteral("Guest %1").arg(padded(i)), QString::number((i - 1) / 8 + 1),
        QStringLiteral("INV-%1").arg(padded(i)) };
}

// The rows of a data file of the peer's form (plain cells, no quoting); none when it cannot
// be read or lacks a column.
std::optional<std::vector<PeerRow>> readRows(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    const QStringList header = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char(','));
    const qsizetype name = header.indexOf(QStringLiteral("name")), table = header.indexOf(QStringLiteral("table")),
                    id = header.indexOf(QStringLiteral("id"));
    if (name < 0 || table < 0 || id < 0)
        return std::nullopt;
    std::vector<PeerRow> rows;
    while (!file.atEnd()) {
        const QStringList cells = QString::fromUtf8(file.readLine()).trimmed().split(QLatin1Char(','));
        if (cells.size() == header.size())
            rows.push_back({ cells[name], cells[table], cells[id] });
    }
    return rows;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;
    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/tmp/print-bench.pdf");
    std::vector<PeerRow> data;
    if (argc > 3) {
        const auto read = readRows(QString::fromLocal8Bit(argv[3]));
        if (!read || int(read->size()) < rows) {
            std::fprintf(stderr, "%s: not a data file of name,table,id with %d rows\n", argv[3], rows);
            return 2;
        }
        data = *read;
    } else {
        for (int i = 1; i <= rows; ++i)
            data.push_back(madeRow(i));
    }
    RowApplication::setBarcodeGenerator(&barcodeRowMaker);

    const QList<SKTGraphicPtr> front = PeerCard::front();
    const auto cardSettings = PeerCard::settings();
    const CardSnapshot snapshot = CardSnapshot::take(front, {}, *cardSettings, *cardSettings, 0, PeerCard::bounds());
    const auto applyRow = [&data](CardSnapshot& card, int row, const QString&) {
        const PeerRow& values = data[size_t(row)];
        RowApplication::applyValue(*card.front[1], values.name);
        RowApplication::applyValue(*card.front[2], QStringLiteral("Table ") + values.table);
        RowApplication::applyValue(*card.front[3], values.id);
        RowApplication::applyValue(*card.front[4], values.id);
        return RowOutcome();
    };

    // The peer's sheet: A4, 2 x 5 cells from 14.40 mm / 13.55 mm, columns 95.60 mm apart.
    PrintSettings sheet;
    sheet.Print_Card_Side = sideFront;
    sheet.paper = QSizeF(595.276, 841.89);
    sheet.Left_Mar = MM_to_Points_Convert(14.40f);
    sheet.Top_Mar = MM_to_Points_Convert(13.55f);
    sheet.Print_Row = 5;
    sheet.Print_Col = 2;
    sheet.label_width = MM_to_Points_Convert(85.6f);
    sheet.label_hight = MM_to_Points_Convert(53.98f);
    sheet.horz_mar = MM_to_Points_Convert(10.0f);
    sheet.Total_Label = sheet.Total_Label_Real = rows;

    QElapsedTimer clock;
    clock.start();
    const double writerStart = processorSeconds();
    const Picture plainFront = SKTRenderingView::image_From_Card_Graphics(snapshot.front, true, snapshot.frontBase());
    auto batch = std::make_shared<PrintBatchCards>(snapshot, rows, applyRow, sideFront, plainFront);
    const Printing_View job(sheet, PrintBatchCards::source(batch));
    const bool printed = job.printToPdf(out);
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double writerSeconds = processorSeconds() - writerStart;
    std::printf("rows %d  pages %d  wall %.2f s  %.0f cards/s  writer CPU %.2f s  peak RSS %ld MiB  PDF %.2f MB  %s\n",
        rows, sheetCount(rows, 5, 2), seconds, rows / seconds, writerSeconds, peakResidentKiB() / 1024,
        QFileInfo(out).size() / 1e6, printed ? "ok" : "FAILED");
    return printed ? 0 : 1;
}
