#include "PrintWindowFixture.h"

#include "CupsQueue.h"
#include "PdfTools.h"
#include "model/Card_Property.h"
#include "model/SKTText.h"
#include "print/Printing_View.h"
#include "support/Patience.h"
#include "support/ScriptedDialogService.h"
#include "support/TempSettings.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUuid>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>

using namespace PrintLayout;

TEST(PrintWindow, OpeningResetsTheLayoutAndListsAPdfFile)
{
    ScriptedDialogs scripted;
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [](Print_Wnd& w) {
        const PrintSettings& s = w.settings();
        EXPECT_EQ(s.Print_Card_Side, sideFront);
        EXPECT_EQ(s.Print_Card_Algn, backBelow);
        EXPECT_EQ(s.Print_Row, 1);
        EXPECT_EQ(s.Print_Col, 1);
        EXPECT_EQ(s.horz_mar, 0);
        EXPECT_EQ(s.label_align_val, 1);
        EXPECT_TRUE(s.Show_margin_rect);
        EXPECT_FALSE(s.auto_center_flag);
        EXPECT_NEAR(Points_to_MM_Convert(s.label_width), 85.6, 0.01);
        const QList<QComboBox*> combos = w.findChildren<QComboBox*>();
        const auto printers = std::find_if(
            combos.begin(), combos.end(), [](QComboBox* c) { return c->findText(Print_Wnd::pdfFileEntry()) >= 0; });
        ASSERT_NE(printers, combos.end());
        EXPECT_EQ((*printers)->itemText((*printers)->count() - 1), Print_Wnd::pdfFileEntry());
        const QList<QSpinBox*> numbers = counts(w);
        // Cards to print: 1, up to 999999 without a binding.
        const auto total
            = std::find_if(numbers.begin(), numbers.end(), [](QSpinBox* b) { return b->maximum() == 999999; });
        ASSERT_NE(total, numbers.end());
        EXPECT_EQ((*total)->value(), 1);

        if (qEnvironmentVariableIsSet("GALAVITE_PRINT_SHOT")) {
            QTest::qWait(1000);
            QProcess::execute(QStringLiteral("import"),
                { QStringLiteral("-window"), QStringLiteral("root"), qEnvironmentVariable("GALAVITE_PRINT_SHOT") });
        }
    });
}

TEST(PrintWindow, GridChangesRefitAndPrintToAPdfFile)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    // The name chosen links to a file of the person's: asked about as that file, No keeps it.
    const QString pdf = dir.filePath(QStringLiteral("cards.pdf")), mine = dir.filePath(QStringLiteral("mine.pdf"));
    QFile own(mine);
    ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("mine") == 4);
    own.close();
    ASSERT_TRUE(QFile::link(mine, pdf));
    scripted->fileAnswers = { pdf, pdf };
    scripted->choiceAnswers = { 1, 0 };
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        QComboBox* printers = w.findChildren<QComboBox*>().first();
        printers->setCurrentIndex(printers->findText(Print_Wnd::pdfFileEntry()));
        QList<QSpinBox*> numbers = counts(w);
        // Rows and columns are the first two count fields; a change refits and fills one sheet.
        numbers[0]->setValue(2);
        numbers[1]->setValue(2);
        EXPECT_EQ(w.settings().Total_Label, 4);
        const auto total
            = std::find_if(numbers.begin(), numbers.end(), [](QSpinBox* b) { return b->maximum() == 999999; });
        (*total)->setValue(7);
        w.Execute_Printing(false);
        EXPECT_EQ(contents(mine), QByteArray("mine"));
        w.Execute_Printing(false);
    });
    QStringList questions;
    for (const ScriptedDialogService::Asked& asked : scripted->asked())
        if (asked.kind == QStringLiteral("choice"))
            questions << asked.text + u'|' + asked.details;
    const QString question = QStringLiteral("\"cards.pdf\" already exists. Do you want to replace it?|cards.pdf (a "
                                            "link to %1)")
                                 .arg(QFileInfo(mine).canonicalFilePath());
    EXPECT_EQ(questions, QStringList({ question, question }));
    EXPECT_EQ(PdfTools::pageCount(mine), 2);
}

TEST(PrintWindow, NoCardsToPrintIsSaidAndNothingPrints)
{
    ScriptedDialogs scripted;
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        const QList<QSpinBox*> numbers = counts(w);
        const auto total
            = std::find_if(numbers.begin(), numbers.end(), [](QSpinBox* b) { return b->maximum() == 999999; });
        (*total)->setValue(0);
        w.Execute_Printing(false);
    });
    EXPECT_EQ(scripted->messages(), std::vector<QString> { QStringLiteral("There is no barcode to print.") });
}

TEST(PrintWindow, ABoundBatchWithoutRowsSaysSoAndABatchSetsTheTotal)
{
    ScriptedDialogs scripted;
    CardHost host;
    host.batch.Use_Data_Sheet_Values = true;
    Print_Wnd window;
    window.Open_Print_Wnd(host);
    EXPECT_EQ(scripted->messages(), std::vector<QString> { QStringLiteral("List is empty.") });

    host.batch.Total_Batch_Excel_Card = 12;
    host.batch.applyRow = [](CardSnapshot&, int, const QString&) { return RowOutcome(); };
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        EXPECT_EQ(w.settings().Total_Label, 12);
        QCheckBox* series = nullptr;
        for (QCheckBox* box : w.findChildren<QCheckBox*>())
            if (box->isEnabled() && box->isChecked() && box->text().contains(QStringLiteral("series")))
                series = box;
        ASSERT_TRUE(series);
        series->setChecked(false);
        EXPECT_EQ(w.settings().Total_Label, 1);
    });
}

TEST(PrintWindow, AutoCentredFrontsAndBacksLeaveEqualRoomAboveAndBelow)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("both.pdf"));
    scripted->fileAnswers.push_back(pdf);
    CardHost host;
    Print_Wnd window;
    PrintSettings used;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        QComboBox* printers = w.findChildren<QComboBox*>().first();
        printers->setCurrentIndex(printers->findText(Print_Wnd::pdfFileEntry()));
        titled<QCheckBox>(w, QStringLiteral("Auto-centre"))->setChecked(true);
        // Three rows of fronts fit; of fronts with their backs only two do.
        QList<QSpinBox*> numbers = counts(w);
        numbers[0]->setValue(3);
        numbers[1]->setValue(2);
        titled<QRadioButton>(w, QStringLiteral("Front and back"))->setChecked(true);
        used = w.settings();
        w.Execute_Printing(false);
    });
    ASSERT_EQ(used.Print_Row, 2);
    ASSERT_EQ(used.Print_Col, 2);
    const QImage page = PdfTools::page(pdf, 1, 72);
    ASSERT_FALSE(page.isNull());
    int top = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (page.pixelColor(x, y).lightness() < 200) {
                if (top < 0)
                    top = y;
                bottom = y;
                break;
            }
        }
    }
    ASSERT_GE(top, 0) << "nothing printed";
    const double above = top - used.Top_Mar;
    const double below = page.height() - 1 - bottom - used.Bot_Mar;
    EXPECT_NEAR(above, below, 2.0) << "top " << top << " bottom " << bottom;
    EXPECT_GT(above, 10.0);
}

TEST(PrintWindow, APrinterChosenAfterAPdfGetsTheJobAndThePdfStaysAsItWas)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const QString queue = CupsQueue::pdfQueue();
    if (queue.isEmpty())
        GTEST_SKIP() << CupsQueue::missingQueueReason();
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("first.pdf"));
    scripted->fileAnswers.push_back(pdf);
    CardHost host;
    // The design's name titles the job, which names the queue's file.
    const QString title = QStringLiteral("galavite%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    host.name = title;
    Print_Wnd window;
    QByteArray written;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 2, 2, 5);
        w.Execute_Printing(false);
        written = contents(pdf);
        choosePrinter(w, queue);
        layOut(w, 1, 1, 4);
        onlySheets(w, 2, 4); // the queue gets the chosen sheets alone, not a range of them again
        w.Execute_Printing(false);
    });
    ASSERT_FALSE(written.isEmpty());
    EXPECT_EQ(PdfTools::pageCount(pdf), 2);
    const QString produced = CupsQueue::waitForJob(title);
    ASSERT_FALSE(produced.isEmpty()) << "the queue " << queue.toStdString() << " got no job";
    EXPECT_EQ(PdfTools::pageCount(produced), 3);
    EXPECT_EQ(contents(pdf), written) << "the earlier PDF was written over";
    EXPECT_EQ(fileQuestions(scripted), 1) << "a printer asks for no file";
    EXPECT_EQ(scripted->messages(),
        std::vector<QString>({ QStringLiteral("5 cards went into the PDF file \"%1\" on 2 sheets.").arg(pdf),
            QStringLiteral("3 cards went to the printer \"%1\" on 3 sheets.").arg(queue) }));
    QFile::remove(produced);
}

TEST(PrintWindow, SheetsThreeToFourOfSixPrintAloneAndSheetsPastTheEndAreRefused)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("again.pdf"));
    scripted->fileAnswers = { pdf, pdf };
    CardHost host;
    numberedRows(host, 6);
    Print_Wnd window;
    QByteArray written;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        onlySheets(w, 3, 4);
        w.Execute_Printing(false);
        written = contents(pdf);
        onlySheets(w, 5, 7);
        w.Execute_Printing(false);
    });
    ASSERT_EQ(PdfTools::pageCount(pdf), 2);
    EXPECT_EQ(PdfTools::text(pdf, 1).simplified(), QStringLiteral("Card 3"));
    EXPECT_EQ(PdfTools::text(pdf, 2).simplified(), QStringLiteral("Card 4"));
    ASSERT_EQ(scripted->messages().size(), 2u);
    EXPECT_EQ(
        scripted->messages().front(), QStringLiteral("2 cards went into the PDF file \"%1\" on 2 sheets.").arg(pdf));
    EXPECT_TRUE(scripted->messages().back().contains(QStringLiteral("has 6 sheets")))
        << scripted->messages().back().toStdString();
    EXPECT_EQ(fileQuestions(scripted), 1) << "a range that cannot print asks for no file";
    EXPECT_EQ(contents(pdf), written);
}

// The preview shows what will print: with "Only sheets" the chosen sheets alone.
TEST(PrintWindow, ThePreviewShowsOnlyTheChosenSheets)
{
    ScriptedDialogs scripted;
    CardHost host;
    numberedRows(host, 3);
    Print_Wnd window;
    std::vector<int> shown;
    scripted->modalHandler = [&](QDialog& dialog) {
        if (&dialog == &window) {
            window.show();
            choosePrinter(window, Print_Wnd::pdfFileEntry());
            window.Execute_Printing(true);
            onlySheets(window, 2, 2);
            window.Execute_Printing(true);
            onlySheets(window, 4, 4); // past the last sheet: said, and nothing is previewed
            window.Execute_Printing(true);
        } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
            auto* sheets = preview->findChild<QPrintPreviewWidget*>();
            EXPECT_TRUE(sheets);
            if (sheets) {
                sheets->updatePreview();
                shown.push_back(sheets->pageCount());
            }
            return int(QDialog::Rejected);
        }
        return 0;
    };
    window.Open_Print_Wnd(host);
    EXPECT_EQ(shown, (std::vector<int> { 3, 1 }));
    ASSERT_EQ(scripted->messages().size(), 1u);
    EXPECT_TRUE(scripted->messages().front().contains(QStringLiteral("has 3 sheets")));
}

// Rows and columns change only when the user types them: a cell too large for a while (both
// sides, the back beside the front) takes cells away only while it does not fit.
TEST(PrintWindow, TheTypedGridComesBackWhenItsCellsFitAgain)
{
    ScriptedDialogs scripted;
    CardHost host;
    numberedRows(host, 8);
    Print_Wnd window;
    openWith(window, host, scripted, [](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        QList<QSpinBox*> numbers = counts(w);
        numbers[0]->setValue(4);
        numbers[1]->setValue(2);
        const PrintSettings& s = w.settings();
        ASSERT_EQ(std::pair(s.Print_Row, s.Print_Col), std::pair(4, 2));
        QComboBox* backPlace = nullptr;
        for (QComboBox* combo : w.findChildren<QComboBox*>())
            if (combo->toolTip() == QStringLiteral("Where the back goes when both sides print"))
                backPlace = combo;
        ASSERT_TRUE(backPlace);

        titled<QRadioButton>(w, QStringLiteral("Front and back"))->click();
        EXPECT_EQ(std::pair(s.Print_Row, s.Print_Col), std::pair(2, 2)) << "backs below: cells twice as high";
        backPlace->setCurrentIndex(1);
        EXPECT_EQ(std::pair(s.Print_Row, s.Print_Col), std::pair(4, 1)) << "backs beside: cells twice as wide";
        EXPECT_EQ(std::pair(numbers[0]->value(), numbers[1]->value()), std::pair(4, 1)) << "the fields show the grid";
        titled<QRadioButton>(w, QStringLiteral("Front only"))->click();
        EXPECT_EQ(std::pair(s.Print_Row, s.Print_Col), std::pair(4, 2));
        EXPECT_EQ(std::pair(numbers[0]->value(), numbers[1]->value()), std::pair(4, 2));
        EXPECT_EQ(sheetCount(s.Total_Label, s.Print_Row, s.Print_Col), 1) << "8 rows stay on one sheet";

        // A typed count that does not fit is cut to what fits, and stays so.
        numbers[0]->setValue(99);
        const int fitting = s.Print_Row;
        EXPECT_LT(fitting, 99);
        EXPECT_EQ(numbers[0]->value(), fitting);
        titled<QRadioButton>(w, QStringLiteral("Front and back"))->click();
        titled<QRadioButton>(w, QStringLiteral("Front only"))->click();
        EXPECT_EQ(s.Print_Row, fitting);
    });
}

// The grid chosen for a design comes back with its rows, or a hurried Print sends one card a sheet:
// in this run and the next, for that design's file alone.
TEST(PrintWindow, TheGridChosenForADesignComesBackWhenTheWindowOpensAgain)
{
    TempSettings settings;
    ScriptedDialogs scripted;
    CardHost host;
    host.name = QStringLiteral("Club badges");
    host.file = QStringLiteral("/designs/club.dcard");
    numberedRows(host, 250);
    auto window = std::make_unique<Print_Wnd>();
    const auto grid = [&](int rows = 0, int columns = 0) {
        std::pair<int, int> shown, used;
        openWith(*window, host, scripted, [&](Print_Wnd& w) {
            if (rows)
                layOut(w, rows, columns, 250);
            shown = { counts(w)[0]->value(), counts(w)[1]->value() };
            used = { w.settings().Print_Row, w.settings().Print_Col };
        });
        EXPECT_EQ(shown, used) << "the fields show the grid that prints";
        return used;
    };
    const auto openDesign = [&](const QString& name, const QString& file) {
        host.name = name;
        host.file = file;
        ++host.serial;
    };
    EXPECT_EQ(grid(), std::pair(1, 1));
    grid(4, 2);
    EXPECT_EQ(grid(), std::pair(4, 2));
    host.name = QStringLiteral("Club\tbadges 2027");
    EXPECT_EQ(grid(), std::pair(4, 2)) << "renaming the card keeps its design's grid";
    openDesign(QStringLiteral("Menu cards"), QStringLiteral("/designs/menu.dcard"));
    EXPECT_EQ(grid(), std::pair(1, 1)) << "another design starts at its own grid";
    grid(3, 1);
    openDesign(QStringLiteral("Club\tbadges 2027"), QStringLiteral("/designs/old club.dcard"));
    EXPECT_EQ(grid(), std::pair(1, 1)) << "another design of the same card name starts at its own grid";
    openDesign(QStringLiteral("Club\tbadges 2027"), QString());
    EXPECT_EQ(grid(), std::pair(1, 1)) << "a new design starts at its own grid";

    // The next run reads the settings afresh, into a new window.
    settings.reread();
    window = std::make_unique<Print_Wnd>();
    openDesign(QStringLiteral("Club\tbadges 2027"), QStringLiteral("/designs/club.dcard"));
    EXPECT_EQ(grid(), std::pair(4, 2));
    openDesign(QStringLiteral("Menu cards"), QStringLiteral("/designs/menu.dcard"));
    EXPECT_EQ(grid(), std::pair(3, 1));
}

TEST(PrintWindow, ThePreviewsPrintButtonPrintsEverySheetNotOnlyThePreviewed)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("all.pdf"));
    scripted->fileAnswers.push_back(pdf);
    CardHost host;
    Print_Wnd window;
    bool previewed = false;
    scripted->modalHandler = [&](QDialog& dialog) {
        if (&dialog == &window) {
            window.show();
            choosePrinter(window, Print_Wnd::pdfFileEntry());
            layOut(window, 1, 1, 120);
            window.Execute_Printing(true);
        } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
            previewed = true;
            preview->show();
            QTest::qWait(50);
            QAction* print = titled<QAction>(*preview, QStringLiteral("Print"));
            EXPECT_TRUE(print && print->isVisible()) << "the preview shows its Print button";
            // A file chooser or print dialog of Qt's own would wait for a person: close it.
            QTimer::singleShot(5000, preview, [] {
                if (QWidget* stray = QApplication::activeModalWidget(); stray && !qobject_cast<Print_Wnd*>(stray))
                    stray->close();
            });
            if (print)
                print->trigger();
            return preview->result();
        }
        return 0;
    };
    window.Open_Print_Wnd(host);
    EXPECT_TRUE(previewed);
    EXPECT_EQ(PdfTools::pageCount(pdf), 120);
    EXPECT_EQ(scripted->messages(),
        std::vector<QString>({ Printing_View::previewLimitMessage(),
            QStringLiteral("120 cards went into the PDF file \"%1\" on 120 sheets.").arg(pdf) }));
}

TEST(PrintWindow, APageSetupInThePreviewLaysTheSheetsItShowsOutAgain)
{
    ScriptedDialogs scripted;
    CardHost host;
    Print_Wnd window;
    bool portraitBefore = false;
    bool landscapeShown = false;
    scripted->modalHandler = [&](QDialog& dialog) {
        if (&dialog == &window) {
            window.show();
            choosePrinter(window, Print_Wnd::pdfFileEntry());
            layOut(window, 1, 1, 4);
            portraitBefore = window.settings().paper.height() > window.settings().paper.width();
            window.Execute_Printing(true);
        } else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog)) {
            preview->show();
            QTest::qWait(50);
            // What the preview's own page setup does: turn the paper, then paint again.
            preview->printer()->setPageOrientation(QPageLayout::Landscape);
            auto* sheets = preview->findChild<QPrintPreviewWidget*>();
            EXPECT_TRUE(sheets);
            if (sheets)
                sheets->updatePreview();
            QTest::qWait(50);
            landscapeShown = window.settings().paper.width() > window.settings().paper.height();
            return int(QDialog::Rejected);
        }
        return 0;
    };
    window.Open_Print_Wnd(host);
    EXPECT_TRUE(portraitBefore);
    EXPECT_TRUE(landscapeShown) << "the sheets shown are laid out for the turned paper while the preview is open";
}

TEST(PrintWindow, CellsTooSmallForTheirCardsAreRefusedBeforeAnythingPrints)
{
    ScriptedDialogs scripted;
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 1, 2, 2);
        QList<QDoubleSpinBox*> sizes = w.findChildren<QDoubleSpinBox*>();
        sizes[0]->setValue(60); // cell width, for a card of 85.6 mm
        w.Execute_Printing(false);
        w.Execute_Printing(true);
        // One column alone hides nothing: the card only runs over its cell.
        layOut(w, 1, 1, 1);
        sizes[0]->setValue(60);
        EXPECT_FALSE(cardsOverlap(w.settings(), QSizeF(MM_to_Points_Convert(85.6f), MM_to_Points_Convert(54.f))));
    });
    ASSERT_EQ(scripted->messages().size(), 2u);
    EXPECT_TRUE(scripted->messages().front().contains(QStringLiteral("overlap")));
    EXPECT_EQ(fileQuestions(scripted), 0);
}

TEST(PrintWindow, AnotherPrintersMarginsSpreadTheAutoCentredGridAgain)
{
    const QString queue = CupsQueue::pdfQueue();
    if (queue.isEmpty())
        GTEST_SKIP() << CupsQueue::missingQueueReason();
    ScriptedDialogs scripted;
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, queue);
        titled<QCheckBox>(w, QStringLiteral("Auto-centre"))->setChecked(true);
        layOut(w, 2, 2, 4);
        // A file printer whose paper has wider margins than the queue's.
        w.printer().setOutputFormat(QPrinter::PdfFormat);
        w.printer().setPageMargins(QMarginsF(60, 80, 20, 10), QPageLayout::Point);
        const PrintSettings before = w.settings();
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        const PrintSettings s = w.settings();
        const double room = s.paper.width() - s.Left_Mar - s.Rite_Mar - 2 * s.label_width;
        EXPECT_NEAR(s.horz_mar, room / 3, 0.01);
        const double height = s.paper.height() - s.Top_Mar - s.Bot_Mar - 2 * s.label_hight;
        EXPECT_NEAR(s.vert_mar, height / 3, 0.01);
    });
}

TEST(PrintWindow, ASecondPressOfPrintWhileTheJobStartsIsIgnored)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cards.pdf"));
    // What a person would pick if a second job asked.
    scripted->fileAnswers = { pdf, dir.filePath(QStringLiteral("second.pdf")) };
    CardHost host;
    numberedRows(host, 8);
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 1, 1, 8);
        QPushButton* print = titled<QPushButton>(w, QStringLiteral("Print…"));
        ASSERT_NE(print, nullptr);
        // Posted once the file is chosen, before the job's worker starts: the job's own event
        // loop takes it before it can learn that the job ended.
        scripted->beforeAnswer = [print, pressed = false](const ScriptedDialogService::Asked& asked) mutable {
            if (asked.kind == QStringLiteral("save") && !std::exchange(pressed, true))
                QMetaObject::invokeMethod(print, &QPushButton::click, Qt::QueuedConnection);
        };
        print->click();
        scripted->beforeAnswer = nullptr;
    });
    EXPECT_EQ(fileQuestions(scripted), 1);
    EXPECT_EQ(scripted->messages(),
        std::vector<QString> { QStringLiteral("8 cards went into the PDF file \"%1\" on 8 sheets.").arg(pdf) });
    EXPECT_EQ(PdfTools::pageCount(pdf), 8);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("second.pdf"))));
}

TEST(PrintWindow, TwoCopiesToAPdfFileHoldEverySheetTwiceInOrder)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("copies.pdf"));
    scripted->fileAnswers.push_back(pdf);
    CardHost host;
    Print_Wnd window;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 2, 2, 5);
        titled<QLabel>(w, QStringLiteral("Copies:"))->buddy()->setProperty("value", 2);
        w.Execute_Printing(false);
    });
    ASSERT_EQ(PdfTools::pageCount(pdf), 4);
    // Collated: sheet 1 (four cards), sheet 2 (one card), then both again.
    for (int page = 1; page <= 4; ++page) {
        const QImage sheet = PdfTools::page(pdf, page, 72);
        const PrintSettings s = window.settings();
        const QPointF lastCell = placeCell(s, 2, 2, QSizeF(s.label_width, s.label_hight)).cell.center();
        const bool full = page % 2 == 1;
        EXPECT_EQ(sheet.pixelColor(lastCell.toPoint()).red() < 100, full) << "page " << page;
    }
}

TEST(PrintWindow, TheJobIsTitledByTheDesignAndTheRowsItPrints)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    ScriptedDialogs scripted;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("titled.pdf"));
    scripted->fileAnswers = { pdf, pdf, pdf, pdf };
    CardHost host;
    host.name = QStringLiteral("Gala Badges");
    Print_Wnd window;
    QStringList titles;
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 1, 2, 3);
        w.Execute_Printing(false);
        titles << w.printer().docName();
    });
    EXPECT_EQ(titles, QStringList { QStringLiteral("Gala Badges - front") });
    // A batch, opened afresh, of a design without a name.
    titles.clear();
    host.name = QString();
    numberedRows(host, 9);
    openWith(window, host, scripted, [&](Print_Wnd& w) {
        choosePrinter(w, Print_Wnd::pdfFileEntry());
        layOut(w, 1, 2, 9);
        w.Execute_Printing(false);
        titles << w.printer().docName();
        onlySheets(w, 2, 3);
        w.Execute_Printing(false);
        titles << w.printer().docName();
        onlySheets(w, 5, 5);
        w.Execute_Printing(false);
        titles << w.printer().docName();
    });
    EXPECT_EQ(titles,
        QStringList({ QStringLiteral("Untitled - front, rows 1-9"), QStringLiteral("Untitled - front, rows 3-6"),
            QStringLiteral("Untitled - front, row 9") }));
}

TEST(PrintWindow, AQueuedJobCarriesTheDesignsNameAndRows)
{
    if (!PdfTools::available())
        GTEST_SKIP() << "poppler's tools are not installed";
    const QString queue = CupsQueue::pdfQueue();
    if (queue.isEmpty())
        GTEST_SKIP() << CupsQueue::missingQueueReason();
    ScriptedDialogs scripted;
    CardHost host;
    const QString name = QStringLiteral("badges%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    host.name = name;
    numberedRows(host, 4);
    Print_Wnd window;
    const auto printSheets = [&](int first, int last) {
        QString title;
        openWith(window, host, scripted, [&](Print_Wnd& w) {
            choosePrinter(w, queue);
            layOut(w, 1, 1, 4);
            onlySheets(w, first, last);
            w.Execute_Printing(false);
            title = w.printer().docName();
        });
        return title;
    };
    printSheets(2, 3);
    const QString produced = CupsQueue::waitForJob(name);
    ASSERT_FALSE(produced.isEmpty()) << "the queue " << queue.toStdString() << " made no file named after the design";
    EXPECT_TRUE(QFileInfo(produced).fileName().contains(QStringLiteral("rows_2-3"))) << produced.toStdString();
    EXPECT_EQ(PdfTools::pageCount(produced), 2);
    QFile::remove(produced);

    // Control characters and ten thousand letters, some of two bytes, which the service would
    // call "Untitled": the title keeps the name's beginning, and its sides and rows within the
    // first 60 characters of the file name a PDF queue makes of it, which spells each byte of a
    // letter that is not plain (the "…" too) in four.
    const QString tag = QStringLiteral("long%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    host.name = QStringLiteral("\tGala\x7f") + tag + QStringLiteral("\r\n") + QString(9980, u'\u00e9');
    const QString title = printSheets(3, 4);
    EXPECT_EQ(title, QStringLiteral("Gala ") + tag + QStringLiteral("\u2026 - front, rows 3-4"));
    const std::vector<CupsQueue::Job> jobs = CupsQueue::jobs(queue);
    ASSERT_FALSE(jobs.empty());
    EXPECT_EQ(jobs.back().title, title) << "the service renamed the job";
    const QString named = CupsQueue::waitForJob(QStringLiteral("Gala_") + tag);
    EXPECT_FALSE(named.isEmpty()) << "the queue made no file named after the design";
    QFile::remove(named);

    // Two jobs of a name of 40 letters, the fronts of 20 rows and the backs of the first 10, and
    // two of a name of 73, the front and the back, come out as two files each.
    const QString forty = QStringLiteral("Members evening badges %1 2027").arg(tag.right(12));
    for (const QString& name : { forty, forty.toUpper() + QStringLiteral(" for the hall and the garden gate") }) {
        host.name = name;
        host.batch = {};
        if (name == forty)
            numberedRows(host, 20);
        const QStringList endings = name == forty
            ? QStringList { QStringLiteral(" - front, rows 1-20"), QStringLiteral(" - back, rows 1-10") }
            : QStringList { QStringLiteral(" - front"), QStringLiteral(" - back") };
        QStringList twoTitles;
        for (const char* side : { "Front only", "Back only" })
            openWith(window, host, scripted, [&](Print_Wnd& w) {
                choosePrinter(w, queue);
                layOut(w, 5, 2, 20);
                titled<QRadioButton>(w, QString::fromLatin1(side))->click();
                if (twoTitles.size() == 1)
                    onlySheets(w, 1, 1);
                w.Execute_Printing(false);
                twoTitles << w.printer().docName();
            });
        ASSERT_EQ(twoTitles.size(), 2);
        for (int job = 0; job < 2; ++job)
            EXPECT_TRUE(twoTitles[job].endsWith(endings[job])) << twoTitles[job].toStdString();
        EXPECT_LE(std::max(twoTitles[0].size(), twoTitles[1].size()), 60);
        ASSERT_TRUE(patience::eventually([&] {
            const std::vector<CupsQueue::Job> all = CupsQueue::jobs(queue);
            return std::count_if(all.begin(), all.end(), [&](const CupsQueue::Job& job) {
                return job.completed && twoTitles.contains(job.title);
            }) == 2;
        })) << "the queue did not print both jobs";
        const QString stem = name.left(35).replace(u' ', u'_') + u'*';
        const QStringList files
            = QDir(CupsQueue::outputFolder()).entryList({ stem }, QDir::Files | QDir::CaseSensitive);
        EXPECT_EQ(files.size(), 2) << files.join(u' ').toStdString();
        for (const QString& file : files)
            QFile::remove(QDir(CupsQueue::outputFolder()).filePath(file));
    }
}
