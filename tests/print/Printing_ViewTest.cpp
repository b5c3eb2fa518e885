#include "print/Printing_View.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"
#include "jobs/JobProgress.h"
#include "support/ScriptedDialogService.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace PrintLayout;

namespace {

const QSizeF cardSize(200, 100);

// A card filled in one colour with its label as text.
Picture card(const QColor& colour, const QString& label)
{
    return Picture::record(cardSize, [&](QPainter& painter) {
        painter.fillRect(QRectF(QPointF(0, 0), cardSize), colour);
        QFont font;
        font.setPointSize(14);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(QPointF(0, 0), cardSize), Qt::AlignCenter, label);
    });
}

PrintSettings twoByTwo(int total)
{
    return twoByTwoOnA4(cardSize, total);
}

// The colour inside a cell's card, clear of its centred label, on a page rasterised at 72 dpi.
QColor centreOf(const QImage& page, const PrintSettings& s, int row, int column)
{
    const QPointF inside = placeCell(s, row, column, cardSize).front.topLeft() + QPointF(10, 10);
    return page.pixelColor(inside.toPoint());
}

bool isBlue(const QColor& c)
{
    return c.blue() > 200 && c.red() < 60 && c.green() < 60;
}

bool isWhite(const QColor& c)
{
    return c.red() > 245 && c.green() > 245 && c.blue() > 245;
}

class PrintingViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!PdfTools::available())
            GTEST_SKIP() << "poppler's pdfinfo, pdftoppm and pdftotext are not installed";
    }
    QString pdf() const { return dir_.filePath(QStringLiteral("job.pdf")); }

private:
    QTemporaryDir dir_;
};

} // namespace

TEST_F(PrintingViewTest, SevenCardsOnTwoByTwoFillOneSheetAndThreeCellsOfTheNext)
{
    const PrintSettings s = twoByTwo(7);
    const Printing_View job(s, [](int) { return PrintCellCards { card(Qt::blue, QStringLiteral("Card")), {} }; });
    ASSERT_TRUE(job.printToPdf(pdf()));
    ASSERT_EQ(PdfTools::pageCount(pdf()), 2);

    const QImage first = PdfTools::page(pdf(), 1, 72);
    const QImage second = PdfTools::page(pdf(), 2, 72);
    ASSERT_EQ(first.size(), QSize(595, 842));
    for (int row = 1; row <= 2; ++row)
        for (int column = 1; column <= 2; ++column)
            EXPECT_TRUE(isBlue(centreOf(first, s, row, column))) << row << "," << column;
    EXPECT_TRUE(isBlue(centreOf(second, s, 1, 1)));
    EXPECT_TRUE(isBlue(centreOf(second, s, 1, 2)));
    EXPECT_TRUE(isBlue(centreOf(second, s, 2, 1)));
    EXPECT_TRUE(isWhite(centreOf(second, s, 2, 2)));
    // No cell outlines on paper: between the cells the sheet stays white.
    EXPECT_TRUE(isWhite(first.pixelColor(300, 400)));
}

TEST_F(PrintingViewTest, EachCellShowsTheCardOfItsOwnIndexAsText)
{
    // A batch of 5 rows printed 8 times: sheet 2 holds row 4 alone.
    PrintSettings s = twoByTwo(8);
    const Printing_View job(s, [](int index) -> std::optional<PrintCellCards> {
        if (index >= 5)
            return std::nullopt;
        return PrintCellCards { card(Qt::yellow, QStringLiteral("Row%1").arg(index)), {} };
    });
    ASSERT_TRUE(job.printToPdf(pdf()));
    ASSERT_EQ(PdfTools::pageCount(pdf()), 2);
    const QString first = PdfTools::text(pdf(), 1);
    const QString second = PdfTools::text(pdf(), 2);
    for (int row = 0; row < 4; ++row)
        EXPECT_TRUE(first.contains(QStringLiteral("Row%1").arg(row))) << first.toStdString();
    EXPECT_TRUE(second.contains(QStringLiteral("Row4"))) << second.toStdString();
    EXPECT_FALSE(second.contains(QStringLiteral("Row5")));
    EXPECT_TRUE(isWhite(centreOf(PdfTools::page(pdf(), 2, 72), s, 1, 2)));
}

TEST_F(PrintingViewTest, BothSidesPrintTheBackBelowTheFront)
{
    PrintSettings s = twoByTwo(1);
    s.Print_Card_Side = sideBoth;
    s.label_hight = 200;
    const Printing_View job(s, [](int) {
        return PrintCellCards { card(Qt::blue, QStringLiteral("F")), card(Qt::red, QStringLiteral("B")) };
    });
    ASSERT_TRUE(job.printToPdf(pdf()));
    const QImage page = PdfTools::page(pdf(), 1, 72);
    const CellPlacement placed = placeCell(s, 1, 1, cardSize);
    EXPECT_TRUE(isBlue(page.pixelColor(placed.front.topLeft().toPoint() + QPoint(5, 5))));
    const QColor back = page.pixelColor(placed.back->topLeft().toPoint() + QPoint(5, 5));
    EXPECT_TRUE(back.red() > 200 && back.blue() < 60) << back.name().toStdString();

    // Side "B" prints the back where the front would go.
    s.Print_Card_Side = sideBack;
    s.label_hight = 100;
    const Printing_View backs(s, [](int) {
        return PrintCellCards { card(Qt::blue, QStringLiteral("F")), card(Qt::red, QStringLiteral("B")) };
    });
    ASSERT_TRUE(backs.printToPdf(pdf()));
    EXPECT_GT(centreOf(PdfTools::page(pdf(), 1, 72), s, 1, 1).red(), 200);
}

TEST_F(PrintingViewTest, PreviewStopsAtFiftySheetsWithItsMessagePrintingDoesNot)
{
    ScriptedDialogs scripted;
    PrintSettings s = twoByTwo(51 * 4);
    const Printing_View job(s, [](int) { return PrintCellCards { card(Qt::blue, {}), {} }; });
    QPrinter printer(QPrinter::HighResolution);
    EXPECT_EQ(job.sheetRange(printer, true), std::pair(0, 49));
    EXPECT_EQ(scripted->messages(), std::vector<QString> { Printing_View::previewLimitMessage() });
    EXPECT_EQ(job.sheetRange(printer, false), std::pair(0, 50));
    EXPECT_EQ(job.numberOfPages(), 51);
    // Counted from the first sheet chosen: a range from sheet 51 still shows.
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(51, 51);
    EXPECT_EQ(job.sheetRange(printer, true), std::pair(50, 50));
    printer.setPrintRange(QPrinter::AllPages);
    s.Total_Label_Real = 50 * 4;
    EXPECT_EQ(Printing_View(s, {}).sheetRange(printer, true), std::pair(0, 49));
    EXPECT_EQ(scripted->messages().size(), 1u);
}

TEST_F(PrintingViewTest, AStoppedJobEndsBetweenSheets)
{
    JobProgress progress;
    progress.stopRequested = true;
    const Printing_View job(twoByTwo(8), [](int) { return PrintCellCards { card(Qt::blue, {}), {} }; });
    EXPECT_FALSE(job.printToPdf(pdf(), &progress));
    EXPECT_EQ(progress.done, 0);
}

TEST_F(PrintingViewTest, ARangeOfSheetsPrintsThoseAloneAndARangePastTheEndPrintsNothing)
{
    const Printing_View job(twoByTwo(24), [](int index) {
        return PrintCellCards { card(Qt::yellow, QStringLiteral("Row%1").arg(index)), {} };
    });
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf());
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(3, 4);
    ASSERT_TRUE(job.print(printer, false));
    ASSERT_EQ(PdfTools::pageCount(pdf()), 2);
    EXPECT_TRUE(PdfTools::text(pdf(), 1).contains(QStringLiteral("Row8")));
    EXPECT_FALSE(PdfTools::text(pdf(), 1).contains(QStringLiteral("Row7")));
    EXPECT_TRUE(PdfTools::text(pdf(), 2).contains(QStringLiteral("Row15")));
    EXPECT_FALSE(PdfTools::text(pdf(), 2).contains(QStringLiteral("Row16")));

    QFile::remove(pdf());
    printer.setFromTo(7, 9);
    EXPECT_FALSE(job.print(printer, false)) << "a blank page is not a printed sheet";
    EXPECT_FALSE(QFile::exists(pdf()));
}
