#include "print/Printing_View.h"

#include "CupsQueue.h"
#include "PdfTools.h"
#include "PrintTestSheets.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QUuid>

#include <gtest/gtest.h>

using namespace PrintLayout;

TEST(CupsPrinting, AJobThroughARealQueueComesOutAsTheSheets)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const QString queue = CupsQueue::pdfQueue();
    if (queue.isEmpty())
        GTEST_SKIP() << CupsQueue::missingQueueReason();

    const PrintSettings s = twoByTwoOnA4(QSizeF(200, 100), 7);
    const Picture card = Picture::record(QSizeF(200, 100), [](QPainter& p) { p.fillRect(0, 0, 200, 100, Qt::blue); });
    const Printing_View job(s, [&](int) { return PrintCellCards { card, {} }; });

    const QString title = QStringLiteral("galavite%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    ASSERT_TRUE(printer.isValid());
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(title);
    ASSERT_TRUE(job.print(printer, false));

    const QString produced = CupsQueue::waitForJob(title);
    ASSERT_FALSE(produced.isEmpty()) << "no PDF from queue " << queue.toStdString() << " in "
                                     << CupsQueue::outputFolder().toStdString();
    EXPECT_EQ(PdfTools::pageCount(produced), 2);
    const QImage second = PdfTools::page(produced, 2, 72);
    const QColor firstCell = second.pixelColor(QPoint(20 + 100, 20 + 50));
    const QColor lastCell = second.pixelColor(QPoint(20 + 300, 20 + 150));
    EXPECT_GT(firstCell.blue(), 150);
    EXPECT_LT(firstCell.red(), 100);
    EXPECT_GT(lastCell.red(), 240) << "the fourth cell of sheet 2 stays empty";
    QFile::remove(produced);
}
