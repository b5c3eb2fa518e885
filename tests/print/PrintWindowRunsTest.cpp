// Prints one after another from one print window, as a person makes them in a session.
#include "PrintWindowFixture.h"

#include "CupsQueue.h"
#include "PdfTools.h"
#include "print/StoppedPrintJob.h"
#include "support/Patience.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>

#include <atomic>

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

// Runs a CUPS administration command; whether it succeeded.
bool administer(const QString& command, const QStringList& arguments)
{
    QProcess tool;
    tool.start(command, arguments);
    return patience::finished(tool) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// A cups-pdf queue of the test's own, removed at the end of the test if it is still there.
class OwnQueue
{
public:
    OwnQueue()
        : name_(uniqueTitle(CupsQueue::ownQueuePrefix))
    {
        made_ = administer(QStringLiteral("lpadmin"),
            { QStringLiteral("-p"), name_, QStringLiteral("-E"), QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                QStringLiteral("-m"), QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_noopt.ppd") });
    }
    ~OwnQueue() { administer(QStringLiteral("lpadmin"), { QStringLiteral("-x"), name_ }); }
    bool made() const { return made_; }
    const QString& name() const { return name_; }

private:
    QString name_;
    bool made_ = false;
};

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

// A print ends saying where its cards went; one with cards to fix names a few and lists them
// all behind the message.
TEST(PrintWindowRuns, EveryPrintSaysWhereItsCardsWentAndListsTheCardsToFixBehindTheMessage)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain.pdf"));
    const QString rows = dir.filePath(QStringLiteral("rows.pdf"));
    const QString cut = dir.filePath(QStringLiteral("cut.pdf"));
    scripted->fileAnswers = { plain, cut, cut, rows };
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 2, 2, 6);
        titled<QLabel>(w, QStringLiteral("Copies:"))->buddy()->setProperty("value", 2);
        w.Execute_Printing(false);
    });
    EXPECT_EQ(PdfTools::pageCount(plain), 4);
    ASSERT_EQ(scripted->messages(),
        std::vector<QString> { QStringLiteral("6 cards went into the PDF file \"%1\" on 2 sheets, 2 copies of each.")
                                   .arg(plain) });
    EXPECT_EQ(scripted->asked().back().icon, MessageIcon::Information);
    EXPECT_EQ(scripted->lastDetails(), QString());

    // A typed text too large for its box is named as an export names it, when its side prints.
    auto greeting = SKTGraphic::create<SKTText>();
    greeting->setBounds(QRectF(10, 10, 90, 20));
    greeting->text_ctrl_font = QFont(QStringLiteral("Liberation Sans"), 14);
    greeting->Text_contents()->setString(QStringLiteral("Welcome to the annual members' evening"));
    host.front = { greeting };
    QString cutDetails;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 1, 1, 1);
        titled<QLabel>(w, QStringLiteral("Copies:"))->buddy()->setProperty("value", 1);
        w.Execute_Printing(false);
        EXPECT_EQ(scripted->asked().back().icon, MessageIcon::Warning);
        cutDetails = scripted->lastDetails();
        titled<QRadioButton>(w, QStringLiteral("Back only"))->click();
        w.Execute_Printing(false);
    });
    const QString oneCard = QStringLiteral("1 card went into the PDF file \"%1\" on one sheet.").arg(cut);
    const std::vector<QString> messages = scripted->messages();
    EXPECT_EQ(std::vector(messages.end() - 2, messages.end()),
        std::vector<QString>({ oneCard + QStringLiteral("\n\nThe card has text that does not fit its box."), oneCard }));
    EXPECT_EQ(cutDetails, QStringLiteral("Text \"Welcome to the annual me…\" on the front does not fit its box."));
    EXPECT_EQ(scripted->lastDetails(), QString()) << "the back has no text cut";
    host.front.clear();

    // Of nine rows, all but the first and the fifth name a picture file that is not there.
    numberedRows(host, 9);
    host.batch.applyRow = [numbered = host.batch.applyRow](CardSnapshot& card, int row, const QString& side) {
        RowOutcome outcome = numbered(card, row, side);
        if (row != 0 && row != 4) {
            outcome.picturesMade = false;
            outcome.faults.append({ CardFault::Kind::NoPicture, QStringLiteral("Picture on the front (series \"photos\")"),
                QStringLiteral("/photos/guest_%1.jpg").arg(row + 1), {} });
        }
        return outcome;
    };
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 3, 1, 9);
        titled<QLabel>(w, QStringLiteral("Copies:"))->buddy()->setProperty("value", 1);
        w.Execute_Printing(false);
    });
    EXPECT_EQ(PdfTools::pageCount(rows), 3);
    EXPECT_EQ(scripted->messages().back(),
        QStringLiteral("9 cards went into the PDF file \"%1\" on 3 sheets.\n\n7 cards lack a barcode or picture: "
                       "their rows give no valid barcode value or no readable picture file (rows 2, 3, 4, 6, 7 and 2 "
                       "more).")
            .arg(rows));
    EXPECT_EQ(scripted->asked().back().icon, MessageIcon::Warning);
    QStringList listed;
    for (const int row : { 2, 3, 4, 6, 7, 8, 9 })
        listed << QStringLiteral("Row %1: Picture on the front (series \"photos\"): no readable picture file at "
                                 "\"/photos/guest_%1.jpg\".")
                      .arg(row);
    EXPECT_EQ(scripted->lastDetails(), listed.join(u'\n'));
}

// A queue that is paused, stops taking jobs, or is removed while the print window is open: a
// paused one is named with the cards that wait in it; else the print says the cards were not
// printed and why, never that they went to the printer.
TEST(PrintWindowRuns, AJobThePrintServiceDoesNotTakeIsNotReportedAsPrinted)
{
    if (CupsQueue::pdfQueue().isEmpty())
        GTEST_SKIP() << CupsQueue::missingQueueReason();
    OwnQueue queue;
    if (!queue.made())
        GTEST_SKIP() << "this user may not add a CUPS queue";
    ScriptedDialogs scripted;
    CardHost host;
    Print_Wnd window;
    const auto printWhen = [&](const QString& command, const QStringList& arguments) {
        openWith(window, host, scripted, [&](Print_Wnd& w) {
            choosePrinter(w, queue.name());
            layOut(w, 2, 2, 4);
            ASSERT_TRUE(administer(command, arguments));
            w.Execute_Printing(false);
        });
    };

    printWhen(QStringLiteral("cupsdisable"), { queue.name() });
    ASSERT_FALSE(scripted->messages().empty());
    EXPECT_EQ(scripted->messages().back().toStdString(),
        QStringLiteral("4 cards went to the printer \"%1\" on one sheet. The printer \"%1\" is paused: the job waits "
                       "in its queue until the printer is resumed.")
            .arg(queue.name())
            .toStdString());

    printWhen(QStringLiteral("cupsreject"), { queue.name() });
    const QString refused = scripted->messages().back();
    EXPECT_TRUE(refused.startsWith(
        QStringLiteral("The cards could not be printed: the printer \"%1\" did not take the job (").arg(queue.name())))
        << refused.toStdString();
    EXPECT_FALSE(refused.contains(QStringLiteral("went to"))) << refused.toStdString();

    const size_t shown = scripted->messages().size();
    printWhen(QStringLiteral("lpadmin"), { QStringLiteral("-x"), queue.name() });
    ASSERT_EQ(scripted->messages().size(), shown + 1);
    const QString gone = scripted->messages().back();
    EXPECT_TRUE(gone.startsWith(QStringLiteral("The cards could not be printed"))) << gone.toStdString();
    EXPECT_FALSE(gone.contains(QStringLiteral("went to"))) << gone.toStdString();
}

TEST(PrintWindowRuns, AStoppedPrintReachesNoPrinterLeavesNoFileAndSaysSo)
{
    const QString queue = CupsQueue::pdfQueue();
    if (queue.isEmpty())
        GTEST_SKIP() << CupsQueue::missingQueueReason();
    ScriptedDialogs scripted;
    CardHost host;
    host.name = uniqueTitle("stopped");
    numberedRows(host, 1000);
    // Row 300 waits for the test's Stop: 29 sheets of 5 x 2 are painted by then.
    std::atomic<bool> reached { false }, released { false };
    host.batch.applyRow
        = [numbered = host.batch.applyRow, &reached, &released](CardSnapshot& card, int row, const QString& side) {
              if (row == 299) {
                  reached = true;
                  released.wait(false);
              }
              return numbered(card, row, side);
          };
    const auto printStoppedAtRow300 = [&](const QString& printer, std::function<void(QProgressDialog&)> stop) {
        reached = released = false;
        Print_Wnd window;
        openWith(window, host, scripted, [&](Print_Wnd& w) {
            choosePrinter(w, printer);
            layOut(w, 5, 2, 1000);
            QTimer press;
            QObject::connect(&press, &QTimer::timeout, [&] {
                if (QProgressDialog* sheet = w.findChild<QProgressDialog*>(); reached && sheet) {
                    press.stop();
                    stop(*sheet);
                    released = true;
                    released.notify_all();
                }
            });
            press.start(20);
            w.Execute_Printing(false);
        });
        released = true;
        released.notify_all();
    };

    printStoppedAtRow300(queue, [](QProgressDialog& sheet) { sheet.findChild<QPushButton*>()->click(); });
    ASSERT_FALSE(scripted->messages().empty()) << "a stopped print says nothing";
    EXPECT_EQ(scripted->messages().back(), QStringLiteral("Printing was stopped. No cards were printed."));
    EXPECT_EQ(scripted->asked().back().icon, MessageIcon::Information);
    const QString title = host.name + QStringLiteral(" - front, rows 1-1000");
    for (const CupsQueue::Job& job : CupsQueue::jobs(queue))
        EXPECT_FALSE(job.title == title && (job.active || job.completed)) << "the stopped job waits or was printed";
    EXPECT_EQ(QDir(CupsQueue::outputFolder()).entryList({ host.name + QStringLiteral("*") }), QStringList());

    // Stopped while the job was handed over, it is taken out of the queue it waits in.
    OwnQueue paused;
    if (paused.made() && administer(QStringLiteral("cupsdisable"), { paused.name() })) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(paused.name());
        printer.setDocName(host.name);
        const qint64 since = QDateTime::currentSecsSinceEpoch();
        QPainter painter(&printer);
        painter.drawText(100, 100, host.name);
        ASSERT_TRUE(painter.end());
        ASSERT_EQ(CupsQueue::jobs(paused.name()).size(), 1u);
        EXPECT_EQ(withdrawStoppedJob(paused.name(), host.name, since).printed, JobWithdrawal::Printed::None);
        EXPECT_FALSE(CupsQueue::jobs(paused.name()).at(0).active);
    }

    // Into a PDF file, stopped by the sheet's close button: an earlier file stays, a new one and
    // the temporary file are not left.
    QTemporaryDir dir, temporary;
    const QString earlier = dir.filePath(QStringLiteral("earlier.pdf")),
                  fresh = dir.filePath(QStringLiteral("new.pdf"));
    QFile kept(earlier);
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly) && kept.write("earlier sheets") > 0);
    kept.close();
    scripted->fileAnswers = { earlier, fresh };
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporary.path().toUtf8());
    for (const auto& [file, end] : { std::pair(earlier, QStringLiteral("was left as it was")),
             std::pair(fresh, QStringLiteral("was not written")) }) {
        printStoppedAtRow300(Print_Wnd::pdfFileEntry(), [](QProgressDialog& sheet) { sheet.close(); });
        EXPECT_EQ(scripted->messages().back(),
            QStringLiteral("Printing was stopped. No cards were printed: the PDF file \"%1\" %2.").arg(file, end));
    }
    qputenv("TMPDIR", tmpdir);
    EXPECT_EQ(contents(earlier), QByteArray("earlier sheets"));
    EXPECT_FALSE(QFile::exists(fresh));
    EXPECT_EQ(QDir(temporary.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}
