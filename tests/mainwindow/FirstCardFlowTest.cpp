// The canvas shows the first card of a run: a bound series is read only as far as its first
// value, and a bound barcode is the first row's barcode, outlined when it does not fit, as a
// run names the cards whose barcode its rows push past the box or the card's edge.
#include "MainWindowFixture.h"

#include "barcodes/BarcodeSymbologies.h"
#include "barcodewindow/Barcode_Gen.h"
#include "canvas/SKTGraphicView.h"
#include "data/SeriesStore.h"
#include "mail/Send_Mail.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"
#include "print/Print_Wnd.h"
#include "support/Patience.h"
#include "support/PeakMemory.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

namespace {

// Bytes this process (or, with "thread-self", the calling thread) has read from files (the kernel's count).
qint64 bytesReadSoFar(const char* reader = "self")
{
    QFile io(QStringLiteral("/proc/%1/io").arg(QLatin1String(reader)));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

int pixelsOfColour(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) < 12 && std::abs(pixel.green() - colour.green()) < 12
                    && std::abs(pixel.blue() - colour.blue()) < 12
                ? 1
                : 0;
        }
    return count;
}

// What zbarimg reads in a picture file ("" when it reads nothing).
QString decoded(const QString& file)
{
    QProcess reader;
    reader.start(QStringLiteral("zbarimg"), { QStringLiteral("-q"), QStringLiteral("--raw"), file });
    EXPECT_TRUE(patience::finished(reader));
    return QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
}

class FirstCardFlowTest : public MainWindowTest
{
protected:
    QString cardFile(int card) const
    {
        return QDir(folder.path()).filePath(QStringLiteral("QUON Galavite/Card_%1.png").arg(card));
    }
};

} // namespace

// A series of ten million lines (100 MB, within the series limits) bound to a text costs
// the canvas its first line: neither the read nor the memory grows with the file, also while
// another program keeps adding lines to it. A first value past the bound gives the first card
// nothing, is logged once per state of the file, and costs about a megabyte read. The print,
// export and mail windows read a big series once each (its lines counted first), off the
// window's thread.
TEST_F(FirstCardFlowTest, ABigSeriesCostsTheCanvasItsFirstLineAndEachWindowOneReadOffItsThread)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    main.show();
    const QString path = seriesFilePath(QStringLiteral("everyone"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray block;
        for (int line = 0; line < 100000; ++line)
            block += QByteArray::number(10000000 + line).rightJustified(9, '0') + '\n';
        file.write("Ann Lee\n");
        for (int i = 0; i < 100; ++i)
            ASSERT_EQ(file.write(block), block.size());
    }
    ASSERT_GE(QFileInfo(path).size(), qint64(100) * 1000 * 1000);
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(20, 20, 150, 30));
    text->Text_contents()->setString(QStringLiteral("Typed"));
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });
    SKTGraphicView& canvas = *main.currentCanvas();
    canvas.grab(); // fonts and the rest of a first paint are loaded before measuring

    std::ofstream("/proc/self/clear_refs") << "5"; // the high-water mark starts from here
    const long residentBefore = statusKilobytes("VmRSS:");
    const qint64 readBefore = bytesReadSoFar();
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("everyone");
    canvas.grab();
    EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Ann Lee"));
    // Another program adds a line at a time; each change of the file is read again.
    for (int added = 0; added < 20; ++added) {
        QProcess appender;
        appender.start(QStringLiteral("sh"), { QStringLiteral("-c"), QStringLiteral("echo Zed >> \"$0\""), path });
        ASSERT_TRUE(patience::finished(appender));
        canvas.grab();
    }
    const qint64 read = bytesReadSoFar() - readBefore;
    const long riseMegabytes = long((statusKilobytes("VmHWM:") - residentBefore) / sanitizerMemoryFactor) / 1024;
    ASSERT_GE(readBefore, 0);
    // Reading the whole file once would be 100 MB and hold several times that.
    EXPECT_LT(read, qint64(8) * 1024 * 1024);
    EXPECT_LT(riseMegabytes, 32);
    EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Ann Lee"));
    QFile::remove(path);

    // Past ten million empty lines, or after a first line of 10 MB, the first card gets nothing.
    writeSeries(QStringLiteral("late"), QByteArray(10 * 1000 * 1000, '\n') + "Ann Lee\n");
    writeSeries(QStringLiteral("long"), QByteArray(10 * 1024 * 1024, 'x') + "\nAnn Lee\n");
    writeSeries(QStringLiteral("within"), QByteArray("\r\n").repeated(10000) + "Ann Lee\n");
    for (const auto& [name, why] :
        { std::pair(QStringLiteral("late"), QStringLiteral("more than 10000 empty lines come before its first value")),
            std::pair(QStringLiteral("long"), QStringLiteral("line 1 is longer than a value can be (128 KB)")) }) {
        const qint64 before = bytesReadSoFar();
        testing::internal::CaptureStderr();
        text->batch_list_name = name;
        canvas.grab();
        canvas.grab();
        const QString log = QString::fromStdString(testing::internal::GetCapturedStderr());
        EXPECT_EQ(main.shownOnFirstCard(text), nullptr) << name.toStdString();
        EXPECT_EQ(log.count(QStringLiteral("Series \"%1\" gives the first card no value: %2.").arg(name, why)), 1)
            << log.toStdString();
        EXPECT_LT(bytesReadSoFar() - before, qint64(2) * 1024 * 1024) << name.toStdString();
    }
    // Within the bound the first card takes the first line's value, empty.
    text->batch_list_name = QStringLiteral("within");
    ASSERT_NE(main.shownOnFirstCard(text), nullptr);
    EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, QString());

    // Each window reads five million lines as it opens (counted, then read), on a worker, however
    // often a tick asks.
    constexpr int rows = 5 * 1000 * 1000 + 1; // the last holds the value
    writeSeries(QStringLiteral("big"), QByteArray(rows - 1, '\n') + "Ann Lee\n");
    text->batch_list_name = QStringLiteral("big");
    canvas.grab();
    std::vector<int> totals; // the print window's card count, at opening and after each tick
    bool seriesOffered = false;
    otherModal = [&](QDialog& dialog) {
        if (auto* print = qobject_cast<Print_Wnd*>(&dialog)) {
            QCheckBox* series = nullptr;
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
                series = box->text().remove(u'&') == QLatin1String("Rows of the bound series") ? box : series;
            seriesOffered = series && series->isEnabled();
            totals.push_back(print->settings().Total_Label);
            for (int tick = 0; series && tick < 4; ++tick) {
                series->click();
                totals.push_back(print->settings().Total_Label);
            }
        } else if (auto* exporting = qobject_cast<ExportWindow*>(&dialog)) {
            seriesOffered = exporting->Export_with_batch_chk->isEnabled();
        } else if (auto* mail = qobject_cast<Send_Mail*>(&dialog)) {
            mail->send_with_batch_chk->setChecked(true);
            mail->send_barcode_rd_select(); // checks the sources again
            seriesOffered = mail->send_with_batch_chk->isEnabled() && mail->send_with_batch_chk->isChecked();
        }
        return 0;
    };
    for (const char* command : { "Print_Btn", "Export_Btn", "Mail_Btn" }) {
        SCOPED_TRACE(command);
        seriesOffered = false;
        const qint64 before = bytesReadSoFar(), beforeOnThisThread = bytesReadSoFar("thread-self");
        main.action(QLatin1String(command))->trigger();
        const qint64 opening = bytesReadSoFar() - before, fileBytes = rows + 7;
        EXPECT_TRUE(seriesOffered);
        EXPECT_TRUE(opening >= 2 * fileBytes && opening < 3 * fileBytes)
            << opening << " bytes read, not the series counted and read once";
        EXPECT_LT(bytesReadSoFar("thread-self") - beforeOnThisThread, qint64(1024) * 1024)
            << "the series was read on the window's thread";
    }
    // The rows turned off print the design once, and on again count as many as before.
    EXPECT_EQ(totals, std::vector<int>({ rows, 1, rows, 1, rows }));
}

// The canvas draws a bound barcode from its series' first value, as the cards get it, and
// outlines it when that value is wider than its box; a run names the rows whose barcode
// reaches past its box or the card's edge. A typed value that grows past the card is
// outlined too.
TEST_F(FirstCardFlowTest, ABoundBarcodeShowsTheFirstRowsBarcodeAndRunsNameTheRowsItCuts)
{
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        GTEST_SKIP() << "zbarimg is not installed";
    SKTWindowController& main = startWithOwnSeriesFolder();
    main.show();
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("guests")), { "Ann Lee", "Bo Li" }, true));
    main.findChild<QToolButton*>(QStringLiteral("Tool_10"))->click();
    const SKTGraphicPtr barcode = main.Get_Front_Controls_Array().front();
    // The barcode window, Code 128 from the series or from a typed value.
    const auto barcodeWindow = [&](const QString& typed) {
        otherModal = [&](QDialog& dialog) {
            auto& window = dynamic_cast<Barcode_Gen&>(dialog);
            const int code128 = indexOfBarcodeSymbology("Code 128");
            window.barcodeTypePopup->setCurrentIndex(code128);
            emit window.barcodeTypePopup->activated(code128);
            const int source = typed.isEmpty() ? 1 : 0;
            window.Data_source_type->setCurrentIndex(source);
            emit window.Data_source_type->activated(source);
            if (typed.isEmpty()) {
                window.Batch_Series->setCurrentIndex(window.Batch_Series->findText(QStringLiteral("guests")));
                emit window.Batch_Series->activated(window.Batch_Series->currentIndex());
            } else {
                window.dataText->setText(typed);
                emit window.dataText->textEdited(typed);
            }
            window.okButton->click();
            return window.result();
        };
        main.Open_Barcode_Window();
        otherModal = nullptr;
    };
    barcodeWindow(QString());
    ASSERT_EQ(barcode->data_source_type, 1);
    const QSizeF made = barcode->_barcode_image.size();
    ASSERT_EQ(barcode->bounds().size(), made);
    // Against the card's right edge, with room for a narrow value only.
    const QRectF card = main.frontCanvasBounds();
    barcode->setBounds(QRectF(QPointF(card.right() - made.width() - 4, 30), made));
    SKTGraphicView& canvas = *main.currentCanvas();
    const QColor warning = SKTGraphicView::overflowWarningColour;
    EXPECT_EQ(pixelsOfColour(canvas.grab().toImage(), warning), 0);

    // The series' first value changes: the canvas shows its barcode, outlined.
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("guests")),
        { "Zoe King-Montgomery", "Bo Li", "Ann Lee", "Maximilian Oppenheimer" }, true));
    const SKTGraphicPtr shown = main.shownOnFirstCard(barcode);
    ASSERT_TRUE(shown);
    const QString shownFile = QDir(folder.path()).filePath(QStringLiteral("shown.png"));
    ASSERT_TRUE(shown->_barcode_image.toImage(300, Qt::white).save(shownFile));
    EXPECT_EQ(decoded(shownFile), QStringLiteral("Zoe King-Montgomery"));
    EXPECT_GT(shown->_barcode_image.size().width(), made.width());
    EXPECT_GT(pixelsOfColour(canvas.grab().toImage(), warning), 50);
    EXPECT_EQ(barcode->_barcode_image.size(), made) << "the design keeps its own picture";

    // The wider values reach past the box and the card; the others print whole.
    EXPECT_TRUE(exportFrontAsPng(main).message.endsWith(
        QStringLiteral("2 cards have a barcode that passes its box or the card's edge (rows 1, 4).")))
        << Export_File_Message.toStdString();
    EXPECT_EQ(decoded(cardFile(2)), QStringLiteral("Bo Li"));
    EXPECT_EQ(decoded(cardFile(3)), QStringLiteral("Ann Lee"));

    // Typed rather than bound: a value that grows past the card is outlined as well.
    barcodeWindow(QStringLiteral("Maximilian Oppenheimer"));
    ASSERT_EQ(barcode->data_source_type, 0);
    EXPECT_EQ(barcode->bounds().size(), barcode->_barcode_image.size());
    EXPECT_GT(barcode->bounds().right(), card.right());
    EXPECT_GT(pixelsOfColour(canvas.grab().toImage(), warning), 50);
}

// A first value too long for Code 128 gives no barcode: the canvas marks the box where the
// barcode stood instead of showing nothing at all, and a value that encodes brings it back.
TEST_F(FirstCardFlowTest, ABoundBarcodeWhoseFirstValueCannotBeEncodedLeavesItsBoxMarked)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    main.show();
    const QString tooLong = QStringLiteral("Annabelle Theodora Leeworth-Montgomery the Third of Riverside");
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("guests")), { "Ann Lee", "Bo Li" }, true));
    main.findChild<QToolButton*>(QStringLiteral("Tool_10"))->click();
    const SKTGraphicPtr barcode = main.Get_Front_Controls_Array().front();
    otherModal = [&](QDialog& dialog) {
        auto& window = dynamic_cast<Barcode_Gen&>(dialog);
        const int code128 = indexOfBarcodeSymbology("Code 128");
        window.barcodeTypePopup->setCurrentIndex(code128);
        emit window.barcodeTypePopup->activated(code128);
        window.Data_source_type->setCurrentIndex(1);
        emit window.Data_source_type->activated(1);
        window.Batch_Series->setCurrentIndex(window.Batch_Series->findText(QStringLiteral("guests")));
        emit window.Batch_Series->activated(window.Batch_Series->currentIndex());
        window.okButton->click();
        return window.result();
    };
    main.Open_Barcode_Window();
    otherModal = nullptr;
    ASSERT_EQ(barcode->data_source_type, 1);
    ASSERT_TRUE(main.shownOnFirstCard(barcode));

    SKTGraphicView& canvas = *main.currentCanvas();
    canvas.clearSelectionAndShowCard();
    const QColor placeholder = canvas.palette().color(QPalette::Mid);
    const auto markedPixels = [&] { return pixelsOfColour(canvas.grab().toImage(), placeholder); };
    const int markedWithBarcode = markedPixels();

    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("guests")), { tooLong, "Bo Li" }, true));
    EXPECT_FALSE(main.shownOnFirstCard(barcode));
    EXPECT_GT(markedPixels(), markedWithBarcode + 20) << "the box is not marked";

    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("guests")), { "Cara Diaz", "Bo Li" }, true));
    const SKTGraphicPtr shown = main.shownOnFirstCard(barcode);
    ASSERT_TRUE(shown);
    EXPECT_FALSE(shown->_barcode_image.isNull());
}

// Another program rewrites a series the canvas shows, in place, by renaming a new file over
// it, or by removing and writing it again, also after moving away or removing the series folder
// and making it anew: each time the canvas on screen comes to show the new first value by
// itself, as after the series editor saved it.
TEST_F(FirstCardFlowTest, ASeriesRewrittenByAnotherProgramIsRedrawnOnTheCanvas)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    const QString path = seriesFilePath(QStringLiteral("guests"));
    ASSERT_TRUE(writeSeriesFile(path, { "Ann Lee", "Bo Li" }, true));
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(20, 20, 200, 40));
    text->data_source_type = 1;
    text->batch_list_name = QStringLiteral("guests");
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });
    SKTGraphicView& canvas = *main.currentCanvas();
    canvas.clearSelectionAndShowCard();
    // The canvas as the screen holds it, not drawn for the asking.
    const auto onScreen = [&] {
        const QRect area(canvas.mapTo(&main, QPoint()), canvas.size());
        return main.screen()->grabWindow(main.winId()).toImage().copy(area).convertToFormat(QImage::Format_RGB32);
    };
    const auto redrawn = [&] {
        canvas.repaint();
        return onScreen();
    };
    redrawn();

    const struct
    {
        const char* first;
        const char* script;
    } rewrites[] = {
        { "Zed Quill", "printf '%s\\nBo Li\\n' \"$1\" > \"$0\"" },
        { "Cy Noor", "printf '%s\\nBo Li\\n' \"$1\" > \"$0.new\" && mv \"$0.new\" \"$0\"" },
        { "Di Ash", "printf '%s\\nBo Li\\n' \"$1\" > \"$0.new\" && mv \"$0.new\" \"$0\"" },
        { "Eve Park", "rm \"$0\" && printf '%s\\nBo Li\\n' \"$1\" > \"$0\"" },
        // The series folder moved away and made anew, then its new file rewritten in place.
        { "Fay Noor", "mv \"${0%/*}\" \"${0%/*}.old\" && mkdir \"${0%/*}\" && printf '%s\\nBo Li\\n' \"$1\" > \"$0\"" },
        { "Gil Ode", "printf '%s\\nBo Li\\n' \"$1\" > \"$0\"" },
        // Removed, and made anew after the folder above it changed meanwhile.
        { "Hal Ito",
            "rm -r \"${0%/*}\" && touch \"${0%/*}.mark\" && mkdir \"${0%/*}\" && printf '%s\\nBo Li\\n' \"$1\" > "
            "\"$0\"" },
        { "Ida Ray", "printf '%s\\nBo Li\\n' \"$1\" > \"$0\"" },
    };
    for (const auto& rewrite : rewrites) {
        SCOPED_TRACE(rewrite.first);
        const QImage before = onScreen();
        QProcess writer;
        writer.start(QStringLiteral("sh"),
            { QStringLiteral("-c"), QLatin1String(rewrite.script), path, QLatin1String(rewrite.first) });
        ASSERT_TRUE(patience::finished(writer));
        ASSERT_EQ(writer.exitCode(), 0);
        // A minute: a watch that never fires must not hold the suite for the generous limit.
        ASSERT_TRUE(patience::eventually([&] { return onScreen() != before; }, 60 * 1000));
        EXPECT_EQ(main.valueOnFirstCard(*text), QString::fromLatin1(rewrite.first));
        const QImage shown = onScreen();
        EXPECT_EQ(shown, redrawn()) << "the canvas shows the value it would draw now";
    }
}
