#include "print/Printing_View.h"

#include "PdfTools.h"
#include "PrintTestSheets.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QUuid>

#include <gtest/gtest.h>

using namespace PrintLayout;

namespace {

// The first CUPS queue that prints through the cups-pdf backend, from `lpstat -v`.
QString pdfQueue()
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), { QStringLiteral("-v") });
    if (!lpstat.waitForFinished(10000) || lpstat.exitCode() != 0)
        return {};
    static const QRegularExpression device(QStringLiteral("device for (\\S+): cups-pdf:/"));
    const QRegularExpressionMatch match = device.match(QString::fromUtf8(lpstat.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1) : QString();
}

// Where cups-pdf writes the jobs of this user (its "Out" setting).
QString outputFolder()
{
    QString folder = QDir::home().filePath(QStringLiteral("PDF"));
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        static const QRegularExpression out(QStringLiteral("^Out\\s+(\\S+)"), QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = out.match(QString::fromUtf8(conf.readAll()));
        if (match.hasMatch())
            folder = match.captured(1).replace(QStringLiteral("${HOME}"), QDir::homePath());
    }
    return folder;
}

} // namespace

TEST(CupsPrinting, AJobThroughARealQueueComesOutAsTheSheets)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const QString queue = pdfQueue();
    if (queue.isEmpty())
        GTEST_SKIP() << "no CUPS scheduler with a cups-pdf queue (as root: cupsd; lpadmin -p GalavitePDF -E -v "
                        "cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd)";

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

    // cups-pdf names its file after the job's title.
    QString produced;
    const QDeadlineTimer deadline(60000);
    while (produced.isEmpty() && !deadline.hasExpired()) {
        const QStringList found = QDir(outputFolder()).entryList({ title + QStringLiteral("*.pdf") }, QDir::Files);
        if (!found.isEmpty())
            produced = QDir(outputFolder()).filePath(found.first());
        else
            QThread::msleep(200);
    }
    ASSERT_FALSE(produced.isEmpty()) << "no PDF from queue " << queue.toStdString() << " in "
                                     << outputFolder().toStdString();
    QThread::msleep(500); // the backend may still be writing
    EXPECT_EQ(PdfTools::pageCount(produced), 2);
    const QImage second = PdfTools::page(produced, 2, 72);
    const QColor firstCell = second.pixelColor(QPoint(20 + 100, 20 + 50));
    const QColor lastCell = second.pixelColor(QPoint(20 + 300, 20 + 150));
    EXPECT_GT(firstCell.blue(), 150);
    EXPECT_LT(firstCell.red(), 100);
    EXPECT_GT(lastCell.red(), 240) << "the fourth cell of sheet 2 stays empty";
    QFile::remove(produced);
}
