// Batch print of a conference badge, 90 x 55 mm, 2 x 4 to a US Letter sheet, into a PDF
// through the print path: an event title, a bound Chinese or Japanese name, a bound
// organisation, an EAN-13 of the row's ticket number and a Data Matrix of its id. The name
// and organisation boxes run from edge to edge, as centred lines often do.
//
// First the badge on a rounded card, where no ink reaches past the rounded corners. Then a
// badge whose EAN-13 sits 3 mm from the left edge and 1.5 mm from the bottom, near a rounded
// corner but inside it, printed on a rounded and on a rectangular card in alternating runs:
// a rounded card should cost about what a rectangular one does when nothing needs cutting.
// Usage: bench_badge_print ROWS OUT.pdf [ROUNDS]. Prints the wall time, the processor time of
// the thread that writes the PDF and of the whole process (steadier than the wall time on a
// busy machine), the peak resident memory and the PDF's size; for the corner badge the
// medians of ROUNDS runs of each card shape and their ratios. The names want a CJK font
// (scripts/setup fonts-wqy-microhei); without one they print as empty boxes and the figures
// mean less.
#include "PeerCard.h"
#include "ProcessorTime.h"
#include "ResidentMemory.h"

#include "jobs/PrintBatchCards.h"
#include "jobs/RowApplication.h"
#include "print/Printing_View.h"
#include "support/LetterBadgeSheet.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontDatabase>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

using namespace PrintLayout;

namespace {

// The badge's fields in the order of the front's objects.
enum Field
{
    Name = 1,
    Organisation,
    Ticket,
    Id
};

QString cjkFamily()
{
    for (const QString& family : QFontDatabase::families(QFontDatabase::SimplifiedChinese)) {
        if (family.contains(QLatin1String("CJK")) || family.contains(QLatin1String("Hei")))
            return family;
    }
    return QStringLiteral("DejaVu Sans");
}

QList<SKTGraphicPtr> badgeFront(const QString& nameFamily, const QRectF& ticketBounds)
{
    using PeerCard::millimetres;
    const SKTGraphicPtr name = PeerCard::text(QString(), 20, true, millimetres(0, 13, 90, 11), true);
    if (auto* text = dynamic_cast<SKTText*>(name.get())) {
        QFont font(nameFamily, 20);
        font.setBold(true);
        text->text_ctrl_font = font;
        *text->Text_contents() = StyledText::plain(QString(), font, Qt::black);
    }
    return {
        PeerCard::text(
            QStringLiteral("Pacific Rim Materials Symposium 2026"), 10, true, millimetres(5, 4, 80, 6), true),
        name,
        PeerCard::text(QString(), 9, false, millimetres(0, 25, 90, 6), true),
        PeerCard::barcode("EAN-13", ticketBounds),
        PeerCard::barcode("DataMatrix", millimetres(64, 32, 20, 20)),
    };
}

// Row i (from 1): a name made of a family and a given name, an organisation, a ticket
// number of 12 digits (the symbol adds the 13th) and an id.
std::array<QString, 4> madeRow(int i)
{
    static const QStringList families { QStringLiteral("王"), QStringLiteral("李"), QStringLiteral("張"),
        QStringLiteral("佐藤"), QStringLiteral("鈴木"), QStringLiteral("高橋"), QStringLiteral("陳"),
        QStringLiteral("林") };
    static const QStringList givens { QStringLiteral("小明"), QStringLiteral("美玲"), QStringLiteral("健太"),
        QStringLiteral("直子"), QStringLiteral("志强"), QStringLiteral("翔"), QStringLiteral("雅婷") };
    static const QStringList organisations { QStringLiteral("Institute of Metals"),
        QStringLiteral("東京工業大学"), QStringLiteral("Shenzhen Polymer Lab"), QStringLiteral("國立臺灣大學") };
    return { families[i % families.size()] + givens[(i / families.size()) % givens.size()],
        organisations[i % organisations.size()], QStringLiteral("4006381%1").arg(i, 5, 10, QLatin1Char('0')),
        QStringLiteral("PRMS26-%1").arg(i, 6, 10, QLatin1Char('0')) };
}

struct Figures
{
    double wall = 0, writerCpu = 0, allCpu = 0, megabytes = 0;
    bool printed = false;
};

Figures printBadges(const QList<SKTGraphicPtr>& front, int cardShape, int rows, const QString& out)
{
    const QRectF card = PeerCard::millimetres(0, 0, 90, 55);
    const auto cardSettings = PeerCard::settings();
    const CardSnapshot snapshot = CardSnapshot::take(front, {}, *cardSettings, *cardSettings, cardShape, card);
    const auto applyRow = [](CardSnapshot& badge, int row, const QString&) {
        const std::array<QString, 4> values = madeRow(row + 1);
        for (const Field field : { Name, Organisation, Ticket, Id })
            RowApplication::applyValue(*badge.front[field], values[size_t(field - 1)]);
        return RowOutcome();
    };

    const PrintSettings sheet = badgesOnLetter(card.size(), rows);

    Figures figures;
    QElapsedTimer clock;
    clock.start();
    const double writerStart = processorSeconds(), processStart = processorSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const Picture plainFront = SKTRenderingView::image_From_Card_Graphics(snapshot.front, true, snapshot.frontBase());
    auto batch = std::make_shared<PrintBatchCards>(snapshot, rows, applyRow, sideFront, plainFront);
    const Printing_View job(sheet, PrintBatchCards::source(batch));
    figures.printed = job.printToPdf(out);
    figures.wall = clock.nsecsElapsed() / 1e9;
    figures.writerCpu = processorSeconds() - writerStart;
    figures.allCpu = processorSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart;
    figures.megabytes = QFileInfo(out).size() / 1e6;
    return figures;
}

// The EAN-13 3 mm from the card's left edge and 1.5 mm above its bottom edge: its picture's
// corner lies inside the rounded corner, though the room its handles take does not.
QRectF ticketNearTheCorner()
{
    const SKTGraphicPtr probe = PeerCard::barcode("EAN-13", QRectF());
    const QSizeF size = barcodeRowMaker(*probe)(madeRow(1)[Ticket - 1]).size();
    const QRectF card = PeerCard::millimetres(0, 0, 90, 55);
    const double left = MM_to_Points_Convert(3.0f), bottom = card.bottom() - MM_to_Points_Convert(1.5f);
    return QRectF(QPointF(left, bottom - size.height()), size);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000;
    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/tmp/badge-bench.pdf");
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    if (rows < 1 || rows > 99999 || rounds < 1 || rounds > 99) {
        std::fprintf(stderr, "rows: 1 to 99999, rounds: 1 to 99\n");
        return 2;
    }
    RowApplication::setBarcodeGenerator(&barcodeRowMaker);
    const QString nameFamily = cjkFamily();
    constexpr int rectangular = 0, rounded = 1;

    const Figures badge = printBadges(badgeFront(nameFamily, PeerCard::millimetres(5, 33, 48, 19)), rounded, rows, out);
    std::printf("rows %d  pages %d  wall %.2f s  %.0f cards/s  writer CPU %.2f s  all CPU %.2f s  peak RSS %ld MiB  "
                "PDF %.2f MB  names in %s  %s\n",
        rows, sheetCount(rows, 4, 2), badge.wall, rows / badge.wall, badge.writerCpu, badge.allCpu,
        peakResidentKiB() / 1024, badge.megabytes, qPrintable(nameFamily), badge.printed ? "ok" : "FAILED");

    // The corner badge on both shapes, each round starting with the other shape.
    const QRectF ticket = ticketNearTheCorner();
    std::array<std::vector<Figures>, 2> runs;
    bool printed = badge.printed;
    for (int round = 0; round < rounds; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            const int shape = (round + turn) % 2 == 0 ? rounded : rectangular;
            const QString file = QFileInfo(out).path()
                + QStringLiteral("/corner-%1-").arg(shape ? "rounded" : "rectangular") + QFileInfo(out).fileName();
            runs[size_t(shape)].push_back(printBadges(badgeFront(nameFamily, ticket), shape, rows, file));
            printed = printed && runs[size_t(shape)].back().printed;
        }
    }
    const auto medianOf = [&](int shape, double Figures::*field) {
        std::vector<double> values;
        for (const Figures& figures : runs[size_t(shape)])
            values.push_back(figures.*field);
        return median(values);
    };
    for (const int shape : { rounded, rectangular }) {
        std::printf("corner badge, %-11s  median of %d: wall %.2f s  writer CPU %.2f s  all CPU %.2f s  PDF %.2f MB\n",
            shape ? "rounded" : "rectangular", rounds, medianOf(shape, &Figures::wall),
            medianOf(shape, &Figures::writerCpu), medianOf(shape, &Figures::allCpu),
            medianOf(shape, &Figures::megabytes));
    }
    const auto ratio = [&](double Figures::*field) { return medianOf(rounded, field) / medianOf(rectangular, field); };
    std::printf("corner badge, rounded / rectangular: wall %.3f  writer CPU %.3f  all CPU %.3f  PDF %.3f  %s\n",
        ratio(&Figures::wall), ratio(&Figures::writerCpu), ratio(&Figures::allCpu), ratio(&Figures::megabytes),
        printed ? "ok" : "FAILED");
    return printed ? 0 : 1;
}
