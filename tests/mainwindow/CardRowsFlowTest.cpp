// Every batch card is exactly its row, from the main window: profile fields wide enough for
// their values, runs that name the cards whose text is cut (and only their own), lists that
// no longer line up and objects without a source asked about before a run, and the canvas
// showing the first card.
#include "MainWindowFixture.h"

#include "LocalSmtpServer.h"
#include "PrintToPdfFile.h"
#include "canvas/SKTGraphicView.h"
#include "common/Globals.h"
#include "data/SeriesStore.h"
#include "data/XlsxTestSupport.h"
#include "export/ExportWindow.h"
#include "imports/Import_Excel_DataSheet.h"
#include "imports/SheetChooser.h"
#include "imports/SheetColumnsModel.h"
#include "inspector/DataSourcePage.h"
#include "inspector/PropertiesInspector.h"
#include "inspector/TextEditingPage.h"
#include "mail/Email_Setting.h"
#include "mail/Send_Mail.h"
#include "mainwindow/MainMailHost.h"
#include "mainwindow/MainPrintHost.h"
#include "model/CardGlobals.h"
#include "model/SKTImage.h"
#include "model/SKTText.h"
#include "print/Print_Wnd.h"
#include "profilewindows/Show_User_Profile.h"
#include "series/BatchWizard.h"
#include "series/SeriesListModel.h"
#include "support/KeyedQuestions.h"
#include "support/PdfTextTools.h"
#include "support/PeakMemory.h"
#include "support/SeriesReference.h"

#include <QAction>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

using Field = User_Profile_Class::Field;

QString idOf(int row)
{
    return QStringLiteral("B-%1").arg(row + 5472, 6, 10, QLatin1Char('0'));
}

QString guestOf(int row)
{
    return QStringLiteral("Guest %1").arg(row);
}

// Three lines at the width of the test's name box, which holds two.
const QString tooLongName = QStringLiteral("Alexandra Montgomery-Fitzwilliam of Lower Ashford");

int pixelsOfColour(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 12 && std::abs(pixel.green() - colour.green()) < 12
                && std::abs(pixel.blue() - colour.blue()) < 12)
                ++count;
        }
    return count;
}

// The main mail host with the account of a local test server.
class LocalMailHost : public MainMailHost
{
public:
    LocalMailHost(SKTWindowController& window, const LocalSmtpServer& server)
        : MainMailHost(window)
        , account_ { QStringLiteral("desk@example.com"), QStringLiteral("pw"), QStringLiteral("127.0.0.1"),
            server.port(), QStringLiteral("N") }
    { }
    void Get_Email_Details() override { }
    Account emailAccount() const override { return account_; }

private:
    Account account_;
};

class CardRowsFlowTest : public MainWindowTest
{
protected:
    void TearDown() override
    {
        Fill_User_Profile = false;
        Card_Shape = 0;
        MainWindowTest::TearDown();
    }

    static std::shared_ptr<SKTText> placeBoundText(SKTWindowController& main, const QString& series, const QRectF& box)
    {
        auto text = SKTGraphic::create<SKTText>();
        text->setBounds(box);
        text->data_source_type = 1;
        text->batch_list_name = series;
        text->Text_contents()->setString(QStringLiteral("Design"));
        main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });
        return text;
    }

    // Prints the first `cards` cards of the batch, 10 to a sheet, to a PDF file; the PDF's
    // path, or "" when nothing was printed.
    QString printBatch(SKTWindowController& main, int cards = 0, ScriptedDialogService* files = nullptr)
    {
        const QString pdf = QDir(folder.path()).filePath(QStringLiteral("cards.pdf"));
        QFile::remove(pdf);
        (files ? *files : *dialogs).fileAnswers = { pdf };
        MainPrintHost host(main);
        Print_Wnd window(&main);
        otherModal = [&](QDialog& dialog) {
            if (&dialog != &window)
                return 0;
            showPrintingToPdfFile(window);
            layOutSheet(window, 5, 2, cards);
            window.Execute_Printing(false);
            return 0;
        };
        window.Open_Print_Wnd(host);
        otherModal = nullptr;
        return QFileInfo::exists(pdf) ? pdf : QString();
    }

    // Sends the card with the series rows to one address; whether the run started.
    bool mailStarts(SKTWindowController& main)
    {
        MainMailHost host(main);
        Email_Setting settings(host, &main);
        Send_Mail window(host, settings, &main);
        bool started = false;
        otherModal = [&](QDialog& dialog) {
            if (&dialog != &window)
                return 0;
            window.to_txt->setText(QStringLiteral("guests@example.com"));
            window.send_with_batch_chk->click();
            window.Send_Button();
            started = window.isRunning();
            return 0;
        };
        sender_email = QStringLiteral("desk@example.com");
        window.Open_Wnd();
        otherModal = nullptr;
        return started;
    }

    // Mails every card of the batch through the local server; whether the run finished.
    bool mailBatch(SKTWindowController& main, const LocalSmtpServer& server)
    {
        LocalMailHost host(main, server);
        Email_Setting settings(host, &main);
        Send_Mail window(host, settings, &main);
        bool finished = false;
        otherModal = [&](QDialog& dialog) {
            if (&dialog != &window)
                return 0;
            window.to_txt->setText(QStringLiteral("guests@example.com"));
            // A mail of its own each run: the record of mails sent would ask about a repeat.
            window.subject_txt->setText(QStringLiteral("Your card %1").arg(++mailRuns_));
            window.send_with_batch_chk->click();
            window.rd_all_to_every->click();
            QEventLoop loop;
            QObject::connect(&window, &Send_Mail::runFinished, &loop, [&] {
                finished = true;
                loop.quit();
            });
            window.Send_Button();
            if (window.isRunning())
                loop.exec();
            return 0;
        };
        window.Open_Wnd();
        otherModal = nullptr;
        return finished;
    }

    void removeExports() { QDir(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite"))).removeRecursively(); }

    // A batch export, print and mail of every card each end naming the rows in `named`.
    void expectEveryRunNames(SKTWindowController& main, const QString& named, int cards)
    {
        removeExports();
        EXPECT_EQ(exportFrontAsPng(main).message, QStringLiteral("Card has been exported successfully.\n\n") + named);

        ASSERT_FALSE(printBatch(main).isEmpty());
        const QString printed = dialogs->messages().back();
        EXPECT_TRUE(printed.startsWith(QStringLiteral("%1 cards went into the PDF file").arg(cards))
            && printed.endsWith(QStringLiteral(".\n\n") + named))
            << printed.toStdString();

        LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
        ASSERT_TRUE(server.isListening());
        TrustingMailScript script(server.caFile());
        ASSERT_TRUE(mailBatch(main, server)) << messagesShown().toStdString();
        EXPECT_TRUE(server.waitForMails(cards));
        EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nE-mail has been sent successfully.\n\n") + named);
    }

    QString messagesShown()
    {
        QStringList shown;
        for (const QString& message : dialogs->messages())
            shown << message;
        return shown.join(QLatin1Char('\n'));
    }

    bool askedFor(const QString& kind)
    {
        for (const ScriptedDialogService::Asked& asked : dialogs->asked())
            if (asked.kind == kind)
                return true;
        return false;
    }

    // Shows the object in the panel, as a click on it does, and chooses its source there.
    static void chooseSource(SKTWindowController& main, const SKTGraphicPtr& object, int source)
    {
        SKTGraphicView& canvas = *main.currentCanvas();
        canvas.changeSelectionIndexes({ int(main.Get_Front_Controls_Array().indexOf(object)) });
        canvas.setSelectedGraphic(object);
        main.Show_RHS_Properties(object);
        QComboBox* box = main.inspector().datasource_tab->Data_source_type;
        box->setCurrentIndex(source);
        emit box->activated(source);
    }

    void importWorkbook(SKTWindowController& main, const QString& workbook)
    {
        Import_Excel_DataSheet importer(main, &main);
        otherModal = [&](QDialog& dialog) {
            if (&dialog != &importer)
                return 0;
            SheetChooser& chooser = *importer.chooser;
            for (int column = 0; column < 2; ++column)
                chooser.columns().setData(
                    chooser.columns().index(column, SheetColumnsModel::State), Qt::Checked, Qt::CheckStateRole);
            chooser.contains_header->setChecked(true);
            importer.OKPressed();
            return importer.result();
        };
        importer.Open_excel_Wnd(workbook);
        otherModal = nullptr;
    }

    int mailRuns_ = 0;
};

} // namespace

// The profile's "Unique No." placeholder is narrower than an id of 8 characters: placed
// through the profile, every id of a 500-row workbook prints whole, and the one name no box
// on the card can hold is named.
TEST_F(CardRowsFlowTest, ProfileFieldsAreWideEnoughForTheirValuesAndEveryIdPrintsWhole)
{
    SKIP_WITHOUT_OPENPYXL();
    if (!PdfTextTools::available())
        GTEST_SKIP() << "poppler-utils is not installed";
    constexpr int rows = 500;
    constexpr int uncut = 7; // a name wider than the card
    SKTWindowController& main = startWithOwnSeriesFolder();
    QJsonArray table = xlsxtest::listOf(QJsonArray { "Name", "Id" });
    for (int row = 1; row <= rows; ++row)
        table.append(QJsonArray { row == uncut ? QString(144, u'W') : guestOf(row), idOf(row) });
    const QString workbook = QDir(folder.path()).filePath(QStringLiteral("people.xlsx"));
    xlsxtest::writeTableWorkbook(workbook, table);
    importWorkbook(main, workbook);
    ASSERT_EQ(readSeriesValues(QStringLiteral("Id")).size(), rows);

    otherModal = [&](QDialog& dialog) {
        auto* profile = qobject_cast<Show_User_Profile*>(&dialog);
        if (!profile)
            return 0;
        for (const auto& [field, series] : { std::pair(Field::Name, "Name"), std::pair(Field::unique, "Id") }) {
            profile->row(field).ds_combo->setCurrentIndex(1);
            profile->row(field).ser_col_cb->setCurrentText(QString::fromLatin1(series));
        }
        profile->OK_Btn_Clicked();
        return profile->result();
    };
    main.action(QStringLiteral("Profile_Btn"))->trigger();
    otherModal = nullptr;
    SKTGraphicPtr unique;
    for (const SKTGraphicPtr& graphic : main.Get_Front_Controls_Array())
        if (graphic->control_ID == User_Profile_Class::controlID(Field::unique))
            unique = graphic;
    ASSERT_TRUE(unique);
    EXPECT_EQ(unique->batch_list_name, QStringLiteral("Id"));

    const QString pdf = printBatch(main);
    ASSERT_FALSE(pdf.isEmpty()) << messagesShown().toStdString();
    const QString printed = PdfTextTools::text(pdf);
    int whole = 0;
    for (int row = 1; row <= rows; ++row)
        whole += printed.contains(QRegularExpression(QStringLiteral("(^|\\s)%1(\\s|$)").arg(idOf(row)))) ? 1 : 0;
    EXPECT_EQ(whole, rows);
    EXPECT_TRUE(messagesShown().endsWith(QStringLiteral("1 card has text that does not fit its box (row 7).")))
        << messagesShown().toStdString();
}

// A name too long for its box is named at the end of an export and of a print; a print of
// the first 30 cards names none of the rows after them, though its workers draw ahead.
TEST_F(CardRowsFlowTest, ExportAndPrintNameTheCardsWhoseTextIsCutAndOnlyTheirOwn)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    QStringList guests;
    for (int row = 1; row <= 40; ++row)
        guests << (row == 12 || row == 35 ? tooLongName : guestOf(row));
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("guests")), guests, true));
    placeBoundText(main, QStringLiteral("guests"), QRectF(10, 10, 120, 30));

    EXPECT_EQ(exportFrontAsPng(main).message,
        QStringLiteral("Card has been exported successfully.\n\n2 cards have text that does not fit its box (rows 12, "
                       "35)."));

    const QString pdf = printBatch(main, 30);
    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_EQ(dialogs->messages().back(),
        QStringLiteral("30 cards went into the PDF file \"%1\" on 3 sheets.\n\n1 card has text that does not fit its "
                       "box (row 12).")
            .arg(pdf));

    // Rows 1 to 10 are whole: the print says only where they went.
    const size_t before = dialogs->messages().size();
    ASSERT_FALSE(printBatch(main, 10).isEmpty());
    ASSERT_EQ(dialogs->messages().size(), before + 1) << messagesShown().toStdString();
    EXPECT_EQ(
        dialogs->messages().back(), QStringLiteral("10 cards went into the PDF file \"%1\" on one sheet.").arg(pdf));
}

TEST_F(CardRowsFlowTest, AMailRunNamesTheCardsWhoseTextIsCut)
{
    LocalSmtpServer server(LocalSmtpServer::Mode::StartTls);
    ASSERT_TRUE(server.isListening());
    TrustingMailScript script(server.caFile());
    SKTWindowController& main = startWithOwnSeriesFolder();
    ASSERT_TRUE(
        writeSeriesFile(seriesFilePath(QStringLiteral("guests")), { guestOf(1), tooLongName, guestOf(3) }, true));
    placeBoundText(main, QStringLiteral("guests"), QRectF(10, 10, 120, 30));

    ASSERT_TRUE(mailBatch(main, server)) << messagesShown().toStdString();
    EXPECT_TRUE(server.waitForMails(3));
    EXPECT_EQ(dialogs->messages().back(),
        QStringLiteral("\nE-mail has been sent successfully.\n\n1 card has text that does not fit its box (row 2)."));
}

// A value deleted from one series leaves it one shorter than the other: every run asks
// before it starts, and Cancel (the default) or Escape starts nothing.
TEST_F(CardRowsFlowTest, RunsOverSeriesOfDifferentLengthsAskFirstAndCancelStartsNothing)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    QStringList names, ids;
    for (int row = 1; row <= 500; ++row) {
        names << guestOf(row);
        ids << idOf(row);
    }
    ids.removeAt(99);
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("names")), names, true));
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("ids")), ids, true));
    placeBoundText(main, QStringLiteral("names"), QRectF(10, 10, 160, 20));
    placeBoundText(main, QStringLiteral("ids"), QRectF(10, 40, 160, 20));
    const QString question = QStringLiteral("Series \"ids\": 499 values");

    for (const int answer : { 1, -1 }) { // Cancel, then Escape
        dialogs->choiceAnswers = { answer };
        EXPECT_EQ(exportFrontAsPng(main).message, QString());
        EXPECT_FALSE(QDir(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite"))).exists());
        EXPECT_FALSE(askedFor(QStringLiteral("folder"))) << "the export went on to choose its folder";

        dialogs->choiceAnswers = { answer };
        EXPECT_EQ(printBatch(main), QString());
        EXPECT_FALSE(askedFor(QStringLiteral("save"))) << "the print went on to choose its file";
    }
    int questions = 0;
    for (const ScriptedDialogService::Asked& asked : dialogs->asked())
        questions += asked.kind == QStringLiteral("choice") && asked.text.contains(question) ? 1 : 0;
    EXPECT_EQ(questions, 4);

    // The mail window asks the same before its run.
    dialogs->choiceAnswers = { -1 };
    EXPECT_FALSE(mailStarts(main));
    EXPECT_TRUE(dialogs->asked().back().text.contains(question));

    // Go On starts the run.
    dialogs->choiceAnswers = { 0 };
    EXPECT_TRUE(exportFrontAsPng(main).message.startsWith(QStringLiteral("Card has been exported successfully.")));
}

TEST_F(CardRowsFlowTest, SavingABoundSeriesShowsItsNewFirstValueAtOnce)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("names")), { guestOf(1), guestOf(2), guestOf(3) }, true));
    const auto text = placeBoundText(main, QStringLiteral("names"), QRectF(10, 10, 160, 20));
    EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, guestOf(1));

    otherModal = [&](QDialog& dialog) {
        auto* editor = qobject_cast<BatchWizard*>(&dialog);
        if (!editor)
            return 0;
        editor->show();
        const int listRow = int(editor->ListData().texts().indexOf(QStringLiteral("names")));
        EXPECT_GE(listRow, 0);
        editor->List->selectionModel()->select(
            editor->List->model()->index(listRow, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        editor->Update_Btn_Clicked();
        editor->List_value->selectionModel()->select(
            editor->List_value->model()->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        editor->Delete_Rows_Btn_Clicked();
        editor->Save_Btn_Clicked();
        return 0;
    };
    main.findChild<QAction*>(QStringLiteral("Batch_Series_Btn"))->trigger();
    otherModal = nullptr;
    ASSERT_EQ(readSeriesValues(QStringLiteral("names")), QStringList({ guestOf(2), guestOf(3) }));
    EXPECT_EQ(main.shownOnFirstCard(text)->Text_contents()->string, guestOf(2));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Design")) << "the design keeps what was typed";
}

// The canvas outlines a bound text whose value does not fit in a warning colour; the
// outline is the canvas's alone, never in an exported or printed card.
TEST_F(CardRowsFlowTest, TheCanvasWarnsOfACutBoundTextButNoCardShowsTheWarning)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("names")), { tooLongName, guestOf(2) }, true));
    const auto text = placeBoundText(main, QStringLiteral("names"), QRectF(20, 20, 120, 30));
    text->Text_contents()->setString(tooLongName);
    main.show();
    SKTGraphicView& canvas = *main.currentCanvas();
    const QColor warning = SKTGraphicView::overflowWarningColour;
    EXPECT_GT(pixelsOfColour(canvas.grab().toImage(), warning), 50);

    ASSERT_FALSE(exportFrontAsPng(main).message.isEmpty());
    const QImage card(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite/Card_1.png")));
    ASSERT_FALSE(card.isNull());
    EXPECT_EQ(pixelsOfColour(card, warning), 0);

    if (PdfTextTools::available()) {
        const QString pdf = printBatch(main);
        ASSERT_FALSE(pdf.isEmpty());
        const QString page = QDir(folder.path()).filePath(QStringLiteral("page"));
        PdfTextTools::toolOutput(QStringLiteral("pdftoppm"),
            { QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-singlefile"), pdf,
                page });
        const QImage sheet(page + QStringLiteral(".png"));
        ASSERT_FALSE(sheet.isNull());
        EXPECT_EQ(pixelsOfColour(sheet, warning), 0);
    }

    // A box that holds its value has no outline.
    text->setBounds(QRectF(20, 20, 200, 60));
    EXPECT_EQ(pixelsOfColour(canvas.grab().toImage(), warning), 0);
}

// A name box that reaches 15 mm past the card's right edge: the names whose ink the card's
// edge cuts are named by every run; on an elliptic card also those its curve cuts.
TEST_F(CardRowsFlowTest, RunsNameTheCardsWhoseNameTheCardsEdgeCuts)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("guests")),
        { QStringLiteral("Bo"), QStringLiteral("Łukasz Schröder"), QStringLiteral("Annabel Lee"),
            QStringLiteral("Jürgen Šimůnek") },
        true));
    ASSERT_NEAR(main.frontCanvasBounds().width(), 242.6, 0.1); // CR80
    const auto text = placeBoundText(main, QStringLiteral("guests"), QRectF(170, 20, 115, 20));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    text->text_ctrl_font = font;

    const std::pair<int, QString> shapes[] = {
        { 0, QStringLiteral("2 cards have text that does not fit its box (rows 2, 4).") },
        { 2, QStringLiteral("3 cards have text that does not fit its box (rows 2, 3, 4).") },
    };
    for (const auto& [shape, named] : shapes) {
        SCOPED_TRACE(shape);
        Card_Shape = shape;
        expectEveryRunNames(main, named, 4);
    }
}

// A series whose first line is longer than a value can be: the canvas shows nothing for it, but
// every run gives the other rows their values and names the long row as a card that is not its
// row's; a single line of 64 MB costs the print window's opening no more than a value.
TEST_F(CardRowsFlowTest, ARowTooLongToReadIsNamedByEveryRunAndTheOtherRowsKeepTheirValues)
{
    if (!PdfTextTools::available())
        GTEST_SKIP() << "poppler-utils is not installed";
    SKTWindowController& main = startWithOwnSeriesFolder();
    writeSeries(QStringLiteral("long200k"), QByteArray(200'000, 'A') + "\nSecond\nThird\n");
    const auto text = placeBoundText(main, QStringLiteral("long200k"), QRectF(10, 10, 160, 30));
    EXPECT_EQ(main.shownOnFirstCard(text), nullptr);

    const ExportEnd exported = exportFrontAsPng(main);
    EXPECT_EQ(exported.details,
        QStringLiteral("Row 1: Text on the front (series \"long200k\"): the row's value is longer than the 128 KB a "
                       "value can hold, so the card shows nothing there."));
    const auto card = [&](int row) {
        return QImage(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite/Card_%1.png").arg(row)));
    };
    EXPECT_NE(card(2), card(1));
    EXPECT_NE(card(3), card(2));
    const QString named
        = QStringLiteral("1 card lacks its row's value, which is longer than the 128 KB a value can hold (row 1).");
    expectEveryRunNames(main, named, 3);
    const QString printed = PdfTextTools::text(QDir(folder.path()).filePath(QStringLiteral("cards.pdf")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Second")) && printed.contains(QStringLiteral("Third")))
        << printed.toStdString();
    EXPECT_FALSE(printed.contains(QStringLiteral("AAAA")));

    // One line of 64 MB: the print window opens with one card, named when printed.
    {
        QFile file(seriesFilePath(QStringLiteral("long200k")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray block(1 << 20, 'A');
        for (int i = 0; i < 64; ++i)
            ASSERT_EQ(file.write(block), block.size());
    }
    std::ofstream("/proc/self/clear_refs") << "5"; // the high-water mark starts from here
    const long residentBefore = statusKilobytes("VmRSS:");
    int cards = 0;
    otherModal = [&](QDialog& dialog) {
        if (auto* print = qobject_cast<Print_Wnd*>(&dialog))
            cards = print->settings().Total_Label;
        return 0;
    };
    main.action(QStringLiteral("Print_Btn"))->trigger();
    otherModal = nullptr;
    const long riseMegabytes = long((statusKilobytes("VmHWM:") - residentBefore) / sanitizerMemoryFactor) / 1024;
    EXPECT_EQ(cards, 1);
    EXPECT_LT(riseMegabytes, 40) << "reading the line whole takes hundreds";
    // Asked first, as the series gives no card a value; Go On prints the card and names it.
    dialogs->choiceAnswers = { 0 };
    ASSERT_FALSE(printBatch(main).isEmpty());
    const std::vector<ScriptedDialogService::Asked> asked = dialogs->asked();
    EXPECT_TRUE(std::any_of(asked.begin(), asked.end(), [](const ScriptedDialogService::Asked& question) {
        return question.kind == QStringLiteral("choice")
            && question.text.contains(QStringLiteral(
                "series \"long200k\" holds no value a card can take: every value in it is longer than 128 KB"));
    })) << messagesShown().toStdString();
    EXPECT_TRUE(dialogs->messages().back().endsWith(named)) << dialogs->messages().back().toStdString();
}

// A typed text that hangs off the card's bottom edge is cut the same on every card: export,
// print and mail name every row. One that fits, a hidden one and one that does not print add
// nothing.
TEST_F(CardRowsFlowTest, RunsNameEveryCardWhenATypedTextHangsOffTheCard)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    ASSERT_TRUE(
        writeSeriesFile(seriesFilePath(QStringLiteral("guests")), { guestOf(1), guestOf(2), guestOf(3) }, true));
    placeBoundText(main, QStringLiteral("guests"), QRectF(10, 10, 160, 30));
    ASSERT_NEAR(main.frontCanvasBounds().height(), 153.4, 0.1); // CR80
    auto team = SKTGraphic::create<SKTText>();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    team->text_ctrl_font = font;
    const QRectF pastTheEdge(10, 147, 160, 30);
    team->setBounds(pastTheEdge);
    team->Text_contents()->setString(QStringLiteral("Team or Company"));
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { team }, { 1 });

    expectEveryRunNames(main, QStringLiteral("3 cards have text that does not fit its box (rows 1, 2, 3)."), 3);

    const std::pair<const char*, std::function<void()>> harmless[] = {
        { "fits", [&] { team->setBounds(QRectF(10, 100, 160, 30)); } },
        { "hidden",
            [&] {
                team->setBounds(pastTheEdge);
                team->ctrl_is_visible = false;
            } },
        { "not printed",
            [&] {
                team->ctrl_is_visible = true;
                team->print_object = 1;
            } },
    };
    for (const auto& [name, change] : harmless) {
        SCOPED_TRACE(name);
        change();
        removeExports();
        EXPECT_EQ(exportFrontAsPng(main).message, QStringLiteral("Card has been exported successfully."));
        const size_t before = dialogs->messages().size();
        ASSERT_FALSE(printBatch(main).isEmpty());
        // Only where the cards went.
        ASSERT_EQ(dialogs->messages().size(), before + 1) << messagesShown().toStdString();
        EXPECT_FALSE(dialogs->messages().back().contains(QStringLiteral("\n\n"))) << messagesShown().toStdString();
    }
}

// A typed text whose last word wraps below its box, or whose first letter a rounded corner
// cuts, is outlined on the canvas; an exported card shows the text, never the outline.
TEST_F(CardRowsFlowTest, TheCanvasWarnsOfATypedTextThatDoesNotFitButNoCardShowsTheWarning)
{
    SKTWindowController& main = start();
    auto text = SKTGraphic::create<SKTText>();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(12);
    text->text_ctrl_font = font;
    const QString greeting = QStringLiteral("HELLO my name is");
    text->setBounds(QRectF(QPointF(20, 20), text->drawnSizeOf(greeting) + QSizeF(2, 2)));
    text->Text_contents()->setString(greeting);
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });
    main.show();
    SKTGraphicView& canvas = *main.currentCanvas();
    const QColor warning = SKTGraphicView::overflowWarningColour;
    EXPECT_EQ(pixelsOfColour(canvas.grab().toImage(), warning), 0);

    // Typed at the end in the text editor, the name wraps to a line below the box.
    canvas.changeSelectionIndexes({ 0 });
    main.editText(text);
    QPlainTextEdit& editor = *main.inspector().text_edtng_tab->Text_value_Edit;
    editor.moveCursor(QTextCursor::End);
    QTest::keyClicks(&editor, QStringLiteral(" Ann"));
    ASSERT_EQ(text->Text_contents()->string, greeting + QStringLiteral(" Ann"));
    EXPECT_GT(pixelsOfColour(canvas.grab().toImage(), warning), 50);

    const QString png = QDir(folder.path()).filePath(QStringLiteral("badge.png"));
    dialogs->fileAnswers = { png };
    otherModal = [&](QDialog& dialog) {
        if (auto* sheet = qobject_cast<ExportWindow*>(&dialog)) {
            sheet->fileFormatPopup->setCurrentText(QStringLiteral("PNG"));
            return 1;
        }
        return 0;
    };
    main.Export_Button();
    otherModal = nullptr;
    const QImage card(png);
    ASSERT_FALSE(card.isNull()) << messagesShown().toStdString();
    EXPECT_GT(pixelsOfColour(card, Qt::black), 20);
    EXPECT_EQ(pixelsOfColour(card, warning), 0);

    // Whole in its box in the card's top left corner, but a rounded corner cuts its "W".
    text->setBounds(QRectF(0.5, 0.5, 80, 16));
    text->Text_contents()->setString(QStringLiteral("Wendy"));
    EXPECT_EQ(pixelsOfColour(canvas.grab().toImage(), warning), 0);
    Card_Shape = 1;
    EXPECT_GT(pixelsOfColour(canvas.grab().toImage(), warning), 50);
}

// A text once bound keeps its series name: choosing "Series" again fills the series box by
// itself. The canvas then shows the series' first value, exactly as a text holding that value
// is drawn, and Manual shows the typed text again.
TEST_F(CardRowsFlowTest, ABoundTextShowsItsFirstValueOnTheCanvasAndManualTheTypedText)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("names")), { guestOf(1), guestOf(2) }, true));
    const auto text = placeBoundText(main, QStringLiteral("names"), QRectF(20, 20, 160, 30));
    text->data_source_type = 0;
    text->Text_contents()->setString(QStringLiteral("Welcome"));
    main.show();
    SKTGraphicView& canvas = *main.currentCanvas();
    chooseSource(main, text, 0);
    const QImage typed = canvas.grab().toImage();

    chooseSource(main, text, 1);
    ASSERT_EQ(text->data_source_type, 1);
    EXPECT_EQ(main.inspector().datasource_tab->Batch_Series->currentText(), QStringLiteral("names"));
    const QImage bound = canvas.grab().toImage();
    EXPECT_NE(bound, typed);
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Welcome")) << "the design keeps the typed text";

    chooseSource(main, text, 0);
    EXPECT_EQ(canvas.grab().toImage(), typed);
    text->Text_contents()->setString(guestOf(1));
    EXPECT_EQ(canvas.grab().toImage(), bound) << "the bound text is drawn as its first value";
}

// A picture whose source is switched to Series with the series box left empty is on no card:
// the canvas stops showing it, and export, print and mail ask first, naming it. Enter (Cancel
// is the default) and Escape start nothing.
TEST_F(CardRowsFlowTest, AnObjectBoundToNoSeriesShowsNothingAndEveryRunAsksFirst)
{
    SKTWindowController& main = startWithOwnSeriesFolder();
    ASSERT_TRUE(writeSeriesFile(seriesFilePath(QStringLiteral("names")), { guestOf(1), guestOf(2) }, true));
    placeBoundText(main, QStringLiteral("names"), QRectF(10, 100, 160, 20));
    const QString photoFile = folder.filePath(QStringLiteral("photo.png"));
    QImage red(60, 40, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(photoFile));
    auto photo = SKTGraphic::create<SKTImage>();
    photo->setFilePath(photoFile);
    photo->setBounds(QRectF(150, 20, 60, 40));
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { photo }, { 1 });
    main.show();
    SKTGraphicView& canvas = *main.currentCanvas();
    EXPECT_GT(pixelsOfColour(canvas.grab().toImage(), Qt::red), 1000);

    chooseSource(main, photo, 1);
    ASSERT_EQ(photo->data_source_type, 1);
    EXPECT_EQ(photo->batch_list_name, QString());
    EXPECT_EQ(pixelsOfColour(canvas.grab().toImage(), Qt::red), 0) << "the canvas shows what the cards get";
    const QString named = QStringLiteral("Picture on the front: no series is chosen");

    for (const int key : { Qt::Key_Return, Qt::Key_Escape }) {
        KeyedDialogs keyed(key);
        keyed->script.modalHandler = [this](QDialog& dialog) { return answerModal(dialog); };
        EXPECT_EQ(exportFrontAsPng(main, &keyed->script).message, QString());
        EXPECT_EQ(keyed->script.fileAnswers.size(), 1u) << "the export went on to choose its folder";
        EXPECT_FALSE(QDir(QDir(folder.path()).filePath(QStringLiteral("QUON Galavite"))).exists());
        EXPECT_EQ(printBatch(main, 0, &keyed->script), QString());
        EXPECT_EQ(keyed->script.fileAnswers.size(), 1u) << "the print went on to choose its file";
        EXPECT_FALSE(mailStarts(main));
        ASSERT_EQ(keyed->questions.size(), 3) << keyed->questions.join(u'\n').toStdString();
        for (const QString& question : keyed->questions)
            EXPECT_TRUE(question.contains(named)) << question.toStdString();
    }
}
