// The print command's batch: the rows of the data binding, one card per cell.
#include "MainWindowFixture.h"
#include "PrintToPdfFile.h"
#include "TemplateChoice.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeSymbologies.h"
#include "common/Globals.h"
#include "inspector/CardSettingsPage.h"
#include "inspector/PropertiesInspector.h"
#include "mainwindow/MainPrintHost.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"
#include "print/Print_Wnd.h"
#include "render/PrintLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QRadioButton>

#include <map>
#include <mutex>

namespace {

// The main window's host, noting the text each row's card is printed with.
class RecordingHost : public PrintHost
{
public:
    explicit RecordingHost(SKTWindowController& window)
        : host_(window)
    { }

    CardSnapshot cardSnapshot() const override { return host_.cardSnapshot(); }
    PrintBatchState Check_Series_Or_Excel_Use_or_not() override
    {
        return recorded(host_.Check_Series_Or_Excel_Use_or_not());
    }
    PrintBatchState Get_total_Card_count(bool series, bool sheet) override
    {
        return recorded(host_.Get_total_Card_count(series, sheet));
    }

    std::map<int, QString> printed() const
    {
        const std::lock_guard<std::mutex> guard(lock_);
        return printed_;
    }

private:
    PrintBatchState recorded(PrintBatchState state)
    {
        auto apply = state.applyRow;
        state.applyRow = [this, apply](CardSnapshot& card, int row, const QString& side) {
            const RowOutcome outcome = apply(card, row, side);
            auto* text = dynamic_cast<SKTText*>(card.front.value(0).get());
            const std::lock_guard<std::mutex> guard(lock_);
            printed_[row] = text ? text->Text_contents()->string : QString();
            return outcome;
        };
        return state;
    }

    MainPrintHost host_;
    mutable std::mutex lock_;
    std::map<int, QString> printed_;
};

} // namespace

TEST_F(MainWindowTest, PrintingABoundSeriesPrintsEachRowsValueInItsCell)
{
    SKTWindowController& main = start();
    // A name of its own: other test programs may use the same series folder at the same time.
    const QString name = QStringLiteral("print-guests-%1").arg(QCoreApplication::applicationPid());
    writeSeries(name, "Ann\nBob\nCyd\n");
    auto text = SKTGraphic::create<SKTText>();
    text->setBounds(QRectF(10, 10, 120, 30));
    text->Text_contents()->string = QStringLiteral("Design");
    text->data_source_type = 1;
    text->batch_list_name = name;
    main.document().insertGraphicsOnSide(SKTDocument::Side::Front, { text }, { 0 });

    const QString pdf = QDir(folder.path()).filePath(QStringLiteral("cards.pdf"));
    dialogs->fileAnswers = { pdf };
    RecordingHost host(main);
    Print_Wnd window(&main);
    int total = 0;
    otherModal = [&](QDialog& dialog) {
        if (&dialog != &window)
            return 0;
        showPrintingToPdfFile(window);
        layOutSheet(window, 2, 2);
        total = window.settings().Total_Label;
        window.Execute_Printing(false);
        return 0;
    };
    window.Open_Print_Wnd(host);

    EXPECT_EQ(total, 3);
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    const std::map<int, QString> printed = host.printed();
    EXPECT_EQ(printed,
        (std::map<int, QString> { { 0, QStringLiteral("Ann") }, { 1, QStringLiteral("Bob") }, { 2, QStringLiteral("Cyd") } }));
    // Only the snapshot clones took the rows.
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Design"));
}

TEST_F(MainWindowTest, ABarcodeOnASideNotPrintedNamesNoRowWithoutABarcode)
{
    SKTWindowController& main = start();
    const QString name = QStringLiteral("print-codes-%1").arg(QCoreApplication::applicationPid());
    writeSeries(name, "A1\n\nC3\n"); // the second row has no value, so its barcode none
    auto barcode = SKTGraphic::create<SKTBarcode>();
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QStringLiteral("Code 128"));
    settings.linear_font_val = QStringLiteral("DESIGN");
    storeBarcodeFields(settings, *barcode);
    barcode->setBounds(QRectF(10, 10, 120, 40));
    barcode->data_source_type = 1;
    barcode->batch_list_name = name;
    main.document().insertGraphicsOnSide(SKTDocument::Side::Back, { barcode }, { 0 });

    MainPrintHost host(main);
    const PrintBatchState fronts = host.Check_Series_Or_Excel_Use_or_not();
    ASSERT_EQ(fronts.Total_Batch_Excel_Card, 3);
    CardSnapshot card = host.cardSnapshot();
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(fronts.applyRow(card, row, PrintLayout::sideFront).picturesMade);

    const PrintBatchState both = host.Check_Series_Or_Excel_Use_or_not();
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(both.applyRow(card, row, PrintLayout::sideBoth).picturesMade, row != 1);
}

// A new design is not printed under the last one's name, not even when that one was never
// named, and its front and back are two jobs that a queue naming its files by title keeps apart.
TEST_F(MainWindowTest, FileNewStartsANewCardNameAndEachSidePrintsUnderItsOwnTitle)
{
    SKTWindowController& main = start();
    QLineEdit* cardName = main.inspector().card_setting_tab->card_name;
    cardName->setText(QStringLiteral("Club Cards 2025"));
    emit cardName->editingFinished();
    ASSERT_EQ(main.Front_card_Prop->Card_Name, QStringLiteral("Club Cards 2025"));

    dialogs->choiceAnswers = { 1 }; // Don't Save
    main.New_Btn_Clicked();
    EXPECT_EQ(main.Front_card_Prop->Card_Name, QStringLiteral("Untitled 2"));
    EXPECT_EQ(main.Back_card_Prop->Card_Name, QStringLiteral("Untitled 2"));
    EXPECT_EQ(cardName->text(), QStringLiteral("Untitled 2"));
    main.New_Btn_Clicked();
    EXPECT_EQ(main.Front_card_Prop->Card_Name, QStringLiteral("Untitled 3"));
    EXPECT_EQ(cardName->text(), QStringLiteral("Untitled 3"));
    // So is one made from a template.
    otherModal = [](QDialog& dialog) {
        auto* browser = qobject_cast<Template_Wizard*>(&dialog);
        if (!browser)
            return 0;
        dialog.setResult(0);
        chooseTemplate(*browser, QStringLiteral("Name Badge"), false);
        return dialog.result();
    };
    main.New_From_Template_Clicked();
    EXPECT_EQ(main.Front_card_Prop->Card_Name, QStringLiteral("Untitled 4"));
    EXPECT_EQ(cardName->text(), QStringLiteral("Untitled 4"));

    dialogs->fileAnswers = { QDir(folder.path()).filePath(QStringLiteral("front.pdf")),
        QDir(folder.path()).filePath(QStringLiteral("back.pdf")) };
    MainPrintHost host(main);
    Print_Wnd window(&main);
    QStringList titles;
    otherModal = [&](QDialog& dialog) {
        if (&dialog != &window)
            return 0;
        showPrintingToPdfFile(window);
        window.Execute_Printing(false);
        titles << window.printer().docName();
        for (QRadioButton* side : window.findChildren<QRadioButton*>())
            if (side->text().remove(u'&') == QStringLiteral("Back only"))
                side->click();
        window.Execute_Printing(false);
        titles << window.printer().docName();
        return 0;
    };
    window.Open_Print_Wnd(host);
    EXPECT_EQ(titles, QStringList({ QStringLiteral("Untitled 4 - front"), QStringLiteral("Untitled 4 - back") }));
}
