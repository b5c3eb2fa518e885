// Batch print of cards that each show a large photo, rows naming the photos in turn, four
// cards to an A4 sheet, into a PDF through the print path, with the program's picture budget.
// Usage: bench_print_photos [ROWS [PHOTOS [OUT.pdf]]] (400 rows over 8 photos by default). The
// photos are flat colours of 6144 x 4096, small files of 96 MB each once decoded, written
// before the clock starts. Prints the wall time, the peak resident memory, the PDF's size and
// how many cards lack their photo (none should).
#include "ResidentMemory.h"

#include "jobs/DataBinding.h"
#include "jobs/PrintBatchCards.h"
#include "model/Card_Property.h"
#include "model/SKTImage.h"
#include "print/Printing_View.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

using namespace PrintLayout;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 400;
    const int photos = argc > 2 ? std::max(1, std::atoi(argv[2])) : 8;
    QTemporaryDir dir;
    const QString out = argc > 3 ? QString::fromLocal8Bit(argv[3]) : dir.filePath(QStringLiteral("photos.pdf"));

    SpreadsheetRows sheet;
    QStringList paths;
    for (int photo = 0; photo < photos; ++photo) {
        QImage flat(6144, 4096, QImage::Format_RGB32);
        flat.fill(QColor::fromHsv(photo * 360 / photos, 200, 220));
        paths << dir.filePath(QStringLiteral("photo%1.png").arg(photo));
        if (!flat.save(paths.back(), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(paths.back()));
            return 2;
        }
    }
    for (int row = 0; row < rows; ++row)
        sheet << QStringList { QString::number(row + 1), paths[row % photos] };

    const QSizeF card(MM_to_Points_Convert(85.6f), MM_to_Points_Convert(53.98f));
    auto photo = SKTGraphic::create<SKTImage>();
    photo->setBounds(QRectF(QPointF(), card));
    photo->data_source_type = DataBinding::spreadsheetSource;
    photo->excel_col_indx = 1;
    const QList<SKTGraphicPtr> front { photo };
    const auto binding
        = std::make_shared<DataBinding>(DataBinding::Check_Series_Or_Excel_Use_or_not(front, {}, false, sheet));
    const auto settings = Card_Property::create();
    const CardSnapshot snapshot = CardSnapshot::take(front, {}, *settings, *settings, 0, QRectF(QPointF(), card));
    const auto applyRow = [binding](CardSnapshot& clone, int row, const QString&) {
        return BoundSide(clone.front, *binding, clone.edge(), QStringLiteral("front")).apply(row);
    };

    PrintSettings layout;
    layout.Print_Card_Side = sideFront;
    layout.paper = QSizeF(595.276, 841.89);
    layout.Left_Mar = layout.Top_Mar = 20;
    layout.Print_Row = 2;
    layout.Print_Col = 2;
    layout.label_width = float(card.width());
    layout.label_hight = float(card.height());
    layout.horz_mar = layout.vert_mar = 10;
    layout.Total_Label = layout.Total_Label_Real = rows;

    QElapsedTimer clock;
    clock.start();
    auto problems = std::make_shared<CardProblems>();
    bool printed = false;
    {
        auto batch = std::make_shared<PrintBatchCards>(snapshot, rows, applyRow, sideFront, Picture(), problems);
        const Printing_View job(layout, PrintBatchCards::source(batch));
        printed = job.printToPdf(out);
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::printf("rows %d  photos %d  wall %.2f s  %.0f cards/s  peak RSS %ld MiB  PDF %.2f MB  without photo %d  %s\n",
        rows, photos, seconds, rows / seconds, peakResidentKiB() / 1024, QFileInfo(out).size() / 1e6,
        problems->summary().noBarcode.count, printed ? "ok" : "FAILED");
    return printed && problems->summary().noBarcode.count == 0 ? 0 : 1;
}
