// Prints one after another from one print window, as a person makes them in a session.
#include "PrintWindowFixture.h"

#include "CupsQueue.h"
#include "PdfTools.h"

#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QUuid>

using namespace PrintLayout;

namespace {

// The top left corner of what is drawn on a page rasterised at 72 dpi: the first card.
QPoint firstInk(const QImage& page)
{
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixelColor(x, y).lightness() < 200) {
                int left = x;
                for (int below = y; below < std::min(page.height(), y + 20); ++below)
                    for (int across = 0; across < left; ++across)
                        if (page.pixelColor(across, below).lightness() < 200)
                            left = across;
                return { left, y };
            }
    return { -1, -1 };
}

QString uniqueTitle(const char* stem)
{
    return QString::fromLatin1(stem) + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

} // namespace

TEST(PrintWindowRuns, APrintToAPdfFileLeavesTheQueueItsOwnMarginsForTheNextPrint)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const QString queue = CupsQueue::pdfQueue();
    if (queue.isEmpty())
        GTEST_SKIP() << CupsQueue::missingQueueReason();
    QPrinter fresh(QPrinter::HighResolution);
    fresh.setPrinterName(queue);
    const QMarginsF own = fresh.pageLayout().margins(QPageLayout::Point);
    ASSERT_GT(own.left(), 1.0) << "the queue has no margins to lose";

    ScriptedDialogs scripted;
    QTemporaryDir dir;
    scripted->fileAnswers.push_back(dir.filePath(QStringLiteral("first.pdf")));
    CardHost host;
    host.name = uniqueTitle("margins");
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        w.Execute_Printing(false);
    });
    ASSERT_EQ(PdfTools::pageCount(dir.filePath(QStringLiteral("first.pdf"))), 1);

    QStringList shown;
    PrintSettings used;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, queue);
        // Chosen again after the file, the queue gives its margins once more.
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        choosePrinter(w, queue);
        for (const char* side : { "Left margin", "Top margin", "Right margin", "Bottom margin" })
            shown << field<QLabel>(w, QString::fromLatin1(side))->text();
        used = w.settings();
        w.Execute_Printing(false);
    });
    QStringList expected;
    for (const qreal points : { own.left(), own.top(), own.right(), own.bottom() })
        expected << QString::asprintf("%0.2f", points * 0.3527777777778);
    EXPECT_EQ(shown, expected);
    EXPECT_NEAR(used.Left_Mar, own.left(), 0.01);
    EXPECT_NEAR(used.Top_Mar, own.top(), 0.01);

    const QString produced = CupsQueue::waitForJob(host.name);
    ASSERT_FALSE(produced.isEmpty()) << "the queue " << queue.toStdString() << " got no job";
    const QPoint card = firstInk(PdfTools::page(produced, 1, 72));
    EXPECT_NEAR(card.x(), own.left(), 1.5) << "the first card is not at the queue's left margin";
    EXPECT_NEAR(card.y(), own.top(), 1.5) << "the first card is not at the queue's top margin";
    QFile::remove(produced);
}

