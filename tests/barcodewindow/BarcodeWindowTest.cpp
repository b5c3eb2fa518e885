// The barcode window as a person uses it: choose a kind, type, OK or Cancel.
#include "BarcodeTestSupport.h"
#include "BarcodeWindowTestSupport.h"
#include "platform/PropertyList.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodewindow/BarcodeHelpTexts.h"
#include "barcodewindow/BarcodePreview.h"
#include "barcodewindow/Barcode_Gen.h"
#include "barcodewindow/ColourWell.h"
#include "common/Globals.h"
#include "model/SKTBarcode.h"
#include "support/ScriptedDialogService.h"

#include <gtest/gtest.h>

#include <tuple>

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

void choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void typeValue(Barcode_Gen& window, const QString& value)
{
    if (window.isTwoDimensionalMode()) {
        window.dataText_2D->setPlainText(value);
    } else {
        window.dataText->setText(value);
        emit window.dataText->textEdited(value);
    }
}

struct KindCase
{
    const char* title;
    const char* value;
    const char* format; // ZXingReader's name; null where no decoder reads the kind
    const char* read;
    int zintSymbology = 0; // for module kinds no decoder reads
};

const KindCase kindCases[] = {
    { "Code 39", "ABC123", "Code39", "ABC123" },
    { "Extended Code 39", "Ab1", "Code39", "A+B1" },
    { "Interleaved 2 of 5", "123456", "ITF", "123456" },
    { "UPCA", "03600029145", "UPC-A", "036000291452" },
    { "PostNet", "12345", nullptr, nullptr },
    { "Modified Plessey", "1234", nullptr, nullptr },
    { "Modified Plessey (Hex)", "12AB", nullptr, nullptr },
    { "Industrial 2 of 5", "1234", nullptr, nullptr },
    { "EAN-13", "400638133393", "EAN-13", "4006381333931" },
    { "Code 128", "Card 42", "Code128", "Card 42" },
    { "Code 128 SET A", "CARD 42", "Code128", "CARD 42" },
    { "Code 128 SET B", "Card b", "Code128", "Card b" },
    { "Code 128 SET C", "123456", "Code128", "123456" },
    { "Codabar", "A40156B", "Codabar", "40156" }, // the reader drops start and stop
    { "UPCE", "0123456", "UPC-E", "01234565" },
    { "EAN-8", "9638507", "EAN-8", "96385074" },
    { "Royal Mail Barcode (RM4SCC / CBC)", "SN34RD1A", nullptr, nullptr },
    { "Planet", "12345678901", nullptr, nullptr },
    { "Japan Post Barcode", "1234567", nullptr, nullptr },
    { "QR Code", "Guest 17 of 200", "QRCode", "Guest 17 of 200" },
    { "PDF417", "Guest 17", "PDF417", "Guest 17" },
    { "DataMatrix", "Guest 17", "DataMatrix", "Guest 17" },
};

class BarcodeWindow : public ::testing::Test
{
protected:
    // Message boxes show only while a main window exists; any non-null pointer stands in.
    void SetUp() override
    {
        savedMainWindow_ = Main_App_wnd;
        Main_App_wnd = reinterpret_cast<SKTWindowController*>(&host);
    }
    void TearDown() override { Main_App_wnd = savedMainWindow_; }

    FakeBarcodeHost host;
    ScriptedDialogs dialogs;

private:
    SKTWindowController* savedMainWindow_ = nullptr;
};

TEST_F(BarcodeWindow, FreshWindowShowsTheStartingSettings)
{
    Barcode_Gen window(host);
    EXPECT_EQ(window.dataText->text(), "0123");
    EXPECT_EQ(window.HeaderText->text(), "HEADER");
    EXPECT_EQ(window.FooterText->text(), "FOOTER");
    EXPECT_EQ(window.barHeightLabel->text(), "Bar Height (cm):");
    EXPECT_EQ(window.margin_box->title(), "Margins (cm)");
    EXPECT_EQ(window.HeightStepper_2D->value(), 60);
    EXPECT_EQ(window.barcodeTypePopup->count(), 22);
    EXPECT_FALSE(window.previewPicture().isNull());
}

TEST_F(BarcodeWindow, EveryKindChosenTypedAndAcceptedGivesTheObjectADecodablePicture)
{
    ASSERT_EQ(std::size(kindCases), BarcodeSymbologyTitles.size());
    Barcode_Gen window(host);
    for (const KindCase& c : kindCases) {
        SCOPED_TRACE(c.title);
        auto barcode = SKTGraphic::create<SKTBarcode>();
        dialogs->modalHandler = [&](QDialog&) {
            choose(window.barcodeTypePopup, indexOfBarcodeSymbology(QLatin1String(c.title)));
            typeValue(window, QLatin1String(c.value));
            window.okButton->click();
            return window.result();
        };
        ASSERT_TRUE(window.Open_Wnd(barcode));
        EXPECT_EQ(barcode->barcode_font_index, indexOfBarcodeSymbology(QLatin1String(c.title)));
        const Picture picture = window.Barcode_output_image();
        ASSERT_FALSE(picture.isNull());
        if (c.format) {
            EXPECT_EQ(
                barcodetest::zxingRead(barcodetest::decodable(picture), QLatin1String(c.format)), QByteArray(c.read));
            continue;
        }
        // No decoder reads these: the object's own fields must give the kind and value typed,
        // and the module kinds must match zint's modules.
        const BarcodeGenSettings stored = loadBarcodeFields(*barcode);
        const BarcodeGeneration made = Generate_Barcode_Variable(stored, stored.value(), "", "");
        ASSERT_TRUE(made.barcode);
        EXPECT_EQ(made.barcode->completeBarcode(),
            createLinearBarcode(QLatin1String(c.title), QLatin1String(c.value), true)->completeBarcode());
        if (c.zintSymbology) {
            const QStringList options = c.zintSymbology == 47 ? QStringList { "--vers=1" } : QStringList();
            const std::string modules = made.barcode->completeBarcode();
            const QString row = barcodetest::zintDump(c.zintSymbology, c.value, options).value(0);
            EXPECT_EQ(row.left(qsizetype(modules.size())).toStdString(), modules);
        }
    }
}

TEST_F(BarcodeWindow, CancelLeavesTheObjectUnchanged)
{
    Barcode_Gen window(host);
    auto barcode = SKTGraphic::create<SKTBarcode>();
    barcode->data_source_type = 0;
    host.series["Guests"] = "G-001";
    const QByteArray before = barcode->archivedData();
    dialogs->modalHandler = [&](QDialog&) {
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology("QR Code"));
        typeValue(window, "changed");
        window.hideHeaderCheckbox->click();
        choose(window.Data_source_type, 1);
        choose(window.Batch_Series, 0);
        window.cancelButton->click();
        return window.result();
    };
    EXPECT_FALSE(window.Open_Wnd(barcode));
    EXPECT_EQ(PropertyList::read(barcode->archivedData()), PropertyList::read(before));
    EXPECT_TRUE(window.Barcode_output_image().isNull());
}

// OK refuses a value that gives no barcode and says why, as the preview does under its
// "Invalid barcode value": what is missing, or what the kind takes.
TEST_F(BarcodeWindow, OkRefusesValuesThatGiveNoBarcodeAndSaysWhy)
{
    Barcode_Gen window(host);
    auto barcode = SKTGraphic::create<SKTBarcode>();
    const QByteArray before = barcode->archivedData();
    const QString ean13 = QStringLiteral("EAN-13 takes 12 digits, or 13 with the right check digit last.");
    const QString code128
        = QStringLiteral("Code 128 takes characters without accents (7-bit ASCII), as many as 60 symbols hold.");
    dialogs->modalHandler = [&](QDialog&) {
        for (const auto& [kind, value, why] : { std::tuple("Code 128", QString(), QString()),
                 std::tuple("Code 128", QStringLiteral("caf\u00e9"), code128),
                 std::tuple("EAN-13", QStringLiteral("TICKET-0042"), ean13) }) {
            choose(window.barcodeTypePopup, indexOfBarcodeSymbology(kind));
            window.dataText->setText(value);
            window.okButton->click();
            EXPECT_TRUE(window.isVisible() || window.result() == 0);
            EXPECT_EQ(window.image_scroll->errorLabel()->text(),
                "Invalid barcode value\n" + (why.isEmpty() ? QStringLiteral("Please enter barcode value") : why));
            EXPECT_EQ(dialogs->messages().back(),
                why.isEmpty() ? QStringLiteral("\nPlease enter barcode value")
                              : QStringLiteral("\nInvalid barcode value"));
            EXPECT_EQ(dialogs->lastInformative(), why);
        }
        window.cancelButton->click();
        return window.result();
    };
    EXPECT_FALSE(window.Open_Wnd(barcode));
    EXPECT_EQ(PropertyList::read(barcode->archivedData()), PropertyList::read(before));

    // Every kind says what it takes, under its own title.
    for (const char* title : BarcodeSymbologyTitles) {
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology(QLatin1String(title)));
        typeValue(window, QStringLiteral("\u00e9"));
        EXPECT_TRUE(window.image_scroll->errorLabel()->text().startsWith(
            QStringLiteral("Invalid barcode value\n%1 takes ").arg(QLatin1String(title))))
            << window.image_scroll->errorLabel()->text().toStdString();
    }
    // An empty value asks for one, whatever the kind.
    for (const char* title : BarcodeSymbologyTitles) {
        typeValue(window, QString());
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology(QLatin1String(title)));
        EXPECT_EQ(window.image_scroll->errorLabel()->text(), "Invalid barcode value\nPlease enter barcode value")
            << title;
    }
    // A 2-D value too long for the chosen settings says how many characters of its mode
    // they hold, counted as the encoder counts: that many make a symbol.
    const QString digits = QString(44, QLatin1Char('7'));
    const QString words = QStringLiteral("ROOM 12 AND THE HALL 3; bring this card.").repeated(80);
    window.pdf_ec_lvl_Stepper->setValue(8);
    for (const auto& [kind, setting, index, value, why, fits] : {
             std::tuple("QR Code", window.qr_version_ComboBox, 1, digits,
                 "QR Code version 1 at error correction level L (7%): it holds 41 characters in numeric mode, and "
                 "the value has 44.",
                 41),
             // The encoder lowers the chosen level 8 as far as the data needs.
             std::tuple("PDF417", static_cast<QComboBox*>(nullptr), 0, words,
                 "PDF417, even at its lowest error correction level: it holds 1575 characters in byte mode, and the "
                 "value has 3200.",
                 1575),
             std::tuple("DataMatrix", window.dm_format_ComboBox, 2, digits,
                 "Data Matrix of 12 × 12 modules: it holds 10 characters in numeric mode, and the value has 44.", 10),
         }) {
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology(kind));
        if (setting)
            choose(setting, index);
        typeValue(window, value);
        EXPECT_EQ(window.image_scroll->errorLabel()->text().toStdString(),
            "Invalid barcode value\nThe value is too long for " + std::string(why));
        typeValue(window, value.left(fits));
        EXPECT_FALSE(window.previewPicture().isNull()) << kind;
        typeValue(window, value.left(fits + 1));
        EXPECT_TRUE(window.previewPicture().isNull()) << kind;
    }
}

// Code 128 says why it refuses a value: a line break or another non-digit in set C, or a
// value longer than a symbol holds. A three-line value that fits is encoded.
TEST_F(BarcodeWindow, Code128SaysWhyAValueIsRefused)
{
    Barcode_Gen window(host);
    window.show();
    const QString shortLines = QStringLiteral("Ann Lee\nRoom 4\nCode 12");
    const QString longLines = QStringLiteral("Ann Lee, Head of Sales\nRoom 4, North Building\nCode 12-345-678");
    const auto refusal = [&](const char* kind, const QString& value) {
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology("QR Code"));
        window.dataText_2D->setPlainText(value);
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology(kind));
        EXPECT_EQ(window.dataText->text(), value);
        return window.image_scroll->showsError() ? window.image_scroll->errorLabel()->text() : QString();
    };
    for (const char* kind : { "Code 128", "Code 128 SET A", "Code 128 SET B" })
        EXPECT_EQ(refusal(kind, shortLines), QString()) << kind;
    EXPECT_EQ(refusal("Code 128 SET C", shortLines),
        "Invalid barcode value\nCode 128 SET C holds digits only, and the value has a line break.");
    EXPECT_EQ(
        refusal("Code 128 SET C", QStringLiteral("12A4")), "Invalid barcode value\nCode 128 SET C holds digits only.");
    EXPECT_EQ(refusal("Code 128 SET B", longLines),
        "Invalid barcode value\nThe value is too long for Code 128: it takes 63 symbols, and at most 60 fit. Each "
        "line break takes one or two of them.");
    EXPECT_EQ(refusal("Code 128", QString(61, QLatin1Char('x'))),
        "Invalid barcode value\nThe value is too long for Code 128: it takes 61 symbols, and at most 60 fit.");
    EXPECT_EQ(refusal("Code 128", QStringLiteral("Card 42")), QString());
}

TEST_F(BarcodeWindow, ValueCheckTakesASingleSpaceAndRefusesNonAscii)
{
    EXPECT_TRUE(isValidBarcodeValue(" "));
    EXPECT_TRUE(isValidBarcodeValue("two\nlines"));
    EXPECT_FALSE(isValidBarcodeValue(""));
    EXPECT_FALSE(isValidBarcodeValue("na\u00efve"));
}

TEST_F(BarcodeWindow, PanelsFollowTheKind)
{
    Barcode_Gen window(host);
    window.show();
    const auto shown = [](QWidget* w) { return !w->isHidden(); };
    struct Row
    {
        const char* title;
        bool linear, qr, pdf, dm;
    } rows[] = {
        { "Code 128", true, false, false, false },
        { "QR Code", false, true, false, false },
        { "PDF417", false, false, true, false },
        { "DataMatrix", false, false, false, true },
        { "EAN-8", true, false, false, false },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology(QLatin1String(row.title)));
        EXPECT_EQ(shown(window.linear_sett_box), row.linear);
        EXPECT_EQ(shown(window.dataText), row.linear);
        EXPECT_EQ(shown(window.dataText_2D), !row.linear);
        EXPECT_EQ(shown(window.captionCheckbox), row.linear);
        EXPECT_EQ(shown(window.bar_back_clr), row.linear);
        EXPECT_EQ(shown(window.HeaderText), true);
        EXPECT_EQ(shown(window.two_d_sett_box), row.qr);
        EXPECT_EQ(shown(window.pdf_2d_sett_box), row.pdf);
        EXPECT_EQ(shown(window.dm_2d_sett_box), row.dm);
        EXPECT_EQ(window.sett_tab->count(), row.linear ? 3 : 4);
    }
    EXPECT_FALSE(window.kerning_value_Checkbox->isEnabled()) << "EAN-8 places its own digits";
}

TEST_F(BarcodeWindow, TheValueTypedStaysThroughEveryChangeOfKind)
{
    Barcode_Gen window(host);
    auto barcode = SKTGraphic::create<SKTBarcode>();
    barcode->barcode_font_index = indexOfBarcodeSymbology("Code 39");
    dialogs->modalHandler = [&](QDialog&) {
        typeValue(window, "HELLO-42");
        for (const char* kind : { "Code 128", "QR Code", "EAN-13", "Code 39", "DataMatrix", "QR Code" }) {
            SCOPED_TRACE(kind);
            choose(window.barcodeTypePopup, indexOfBarcodeSymbology(QLatin1String(kind)));
            const QString shown
                = window.isTwoDimensionalMode() ? window.dataText_2D->toPlainText() : window.dataText->text();
            EXPECT_EQ(shown, "HELLO-42");
            EXPECT_EQ(window.image_scroll->showsError(), QLatin1String(kind) == QLatin1String("EAN-13"))
                << "a kind that cannot encode the value says so";
        }
        window.okButton->click();
        return window.result();
    };
    ASSERT_TRUE(window.Open_Wnd(barcode));
    EXPECT_EQ(barcode->two_d_font_val, "HELLO-42");
    EXPECT_EQ(barcodetest::zxingRead(barcodetest::decodable(window.Barcode_output_image()), "QRCode"), "HELLO-42");
    EXPECT_TRUE(dialogs->messages().empty());
}

TEST_F(BarcodeWindow, ResolutionTabIsInsertedOnceAndRemovedOnce)
{
    Barcode_Gen window(host);
    window.sett_tab->setCurrentIndex(2);
    window.two_d_barcode_Opt_Select();
    window.two_d_barcode_Opt_Select();
    EXPECT_EQ(window.sett_tab->count(), 4);
    EXPECT_EQ(window.sett_tab->currentIndex(), 2) << "inserting keeps the chosen tab";
    window.Liner_Barcode_Opt_Select();
    EXPECT_EQ(window.sett_tab->count(), 3);
    EXPECT_EQ(window.sett_tab->currentIndex(), 0);
    window.Liner_Barcode_Opt_Select();
    EXPECT_EQ(window.sett_tab->count(), 3);
}

TEST_F(BarcodeWindow, ResolutionChoiceAndCustomValue)
{
    Barcode_Gen window(host);
    choose(window.barcodeTypePopup, indexOfBarcodeSymbology("QR Code"));
    choose(window.DPI_ComboBox, window.DPI_ComboBox->findText("300"));
    EXPECT_EQ(window.currentSettings().USED_DPI_VALUE(), 300);
    EXPECT_TRUE(window.dpi_Stepper->isHidden());
    choose(window.DPI_ComboBox, window.DPI_ComboBox->findText("Custom"));
    window.dpi_Stepper->setValue(450);
    EXPECT_EQ(window.currentSettings().USED_DPI_VALUE(), 450);
    EXPECT_FALSE(window.dpi_Stepper->isHidden());
    choose(window.DPI_ComboBox, 0);
    EXPECT_EQ(window.currentSettings().USED_DPI_VALUE(), 600);
}

TEST_F(BarcodeWindow, QrVersionRaisesTheSizeAndDataMatrixFormatRaisesWidthAndHeight)
{
    Barcode_Gen window(host);
    choose(window.barcodeTypePopup, indexOfBarcodeSymbology("QR Code"));
    window.HeightStepper_2D->setValue(30);
    choose(window.qr_version_ComboBox, 10);
    EXPECT_EQ(window.HeightStepper_2D->value(), 57);
    choose(window.qr_version_ComboBox, 0);
    EXPECT_EQ(window.HeightStepper_2D->minimum(), 21);

    choose(window.barcodeTypePopup, indexOfBarcodeSymbology("DataMatrix"));
    window.dm_moduleStepper_2D->setValue(2);
    window.dm_widthStepper_2D->setValue(10);
    window.dm_HeightStepper_2D->setValue(50);
    choose(window.dm_format_ComboBox, window.dm_format_ComboBox->findText("C8X18"));
    EXPECT_EQ(window.dm_widthStepper_2D->value(), 36);
    EXPECT_EQ(window.dm_HeightStepper_2D->value(), 50) << "the format only raises";
}

TEST_F(BarcodeWindow, SeriesSourceShowsTheFirstValueAndIsKeptOnlyOnOk)
{
    Barcode_Gen window(host);
    choose(window.Data_source_type, 1);
    ASSERT_EQ(dialogs->messages().size(), 1u);
    EXPECT_EQ(dialogs->messages()[0], "\nPlease create batch processing series first.");
    EXPECT_EQ(window.Data_source_type->currentIndex(), 0);

    host.series["Guests"] = "G-001";
    auto barcode = SKTGraphic::create<SKTBarcode>();
    dialogs->modalHandler = [&](QDialog&) {
        choose(window.Data_source_type, 1);
        window.Batch_Series->setItemText(0, "  Guests ");
        choose(window.Batch_Series, 0);
        EXPECT_EQ(window.dataText->text(), "G-001");
        EXPECT_TRUE(window.dataText->isReadOnly());
        window.view_series_btn->click();
        window.okButton->click();
        return window.result();
    };
    ASSERT_TRUE(window.Open_Wnd(barcode));
    EXPECT_EQ(barcode->data_source_type, 1);
    EXPECT_EQ(barcode->batch_list_name, "Guests");
    EXPECT_EQ(host.viewed, QStringList { "Guests" });
}

// Choosing "Excel Column" takes the first column that holds values, not the row numbers "#";
// a column chosen before stays chosen, and one the rows lack is named as the canvas names it.
TEST_F(BarcodeWindow, ExcelColumnSourceStartsAtTheFirstColumnWithValuesAndAGoneOneShowsNothing)
{
    host.columns = { "#", "Room", "Code", "Name" };
    host.firstRow = { "1", "", "C-17", "Ann Lee" };
    Barcode_Gen window(host);
    auto barcode = SKTGraphic::create<SKTBarcode>();
    dialogs->modalHandler = [&](QDialog&) {
        choose(window.Data_source_type, 2);
        EXPECT_EQ(window.Batch_Series->currentText(), "Code");
        EXPECT_EQ(window.dataText->text(), "C-17");
        choose(window.Batch_Series, 3);
        choose(window.Data_source_type, 0);
        choose(window.Data_source_type, 2);
        EXPECT_EQ(window.Batch_Series->currentText(), "Name");
        window.okButton->click();
        return window.result();
    };
    ASSERT_TRUE(window.Open_Wnd(barcode));
    EXPECT_EQ(barcode->data_source_type, 2);
    EXPECT_EQ(barcode->excel_col_indx, 3);

    // Only the row numbers: nothing is chosen for the person.
    host.columns = { "#" };
    host.firstRow = { "1" };
    Barcode_Gen bare(host);
    choose(bare.Data_source_type, 2);
    EXPECT_EQ(bare.Batch_Series->currentIndex(), -1);

    // A QR bound to "Code" while these rows have none: no value and no symbol from the rows it
    // was bound to, until a column is picked; Cancel leaves the object as it was.
    host.columns = { "#", "Room", "Name" };
    host.firstRow = { "1", "R1", "Ann Lee" };
    host.goneColumn = "No column \"Code\"";
    auto gone = SKTGraphic::create<SKTBarcode>();
    gone->linear_or_2d = 1;
    gone->barcode_font_index = indexOfBarcodeSymbology("QR Code");
    gone->two_d_font_val = "ST-1001";
    gone->data_source_type = 2;
    gone->Set_Excel_binding_Column(2, "Code");
    Barcode_Gen qr(host);
    dialogs->modalHandler = [&](QDialog&) {
        EXPECT_EQ(qr.Batch_Series->currentIndex(), -1);
        EXPECT_EQ(qr.Batch_Series->placeholderText(), host.goneColumn);
        EXPECT_EQ(qr.dataText_2D->toPlainText(), "");
        EXPECT_TRUE(qr.previewPicture().isNull());
        EXPECT_EQ(qr.image_scroll->errorLabel()->text(), host.goneColumn);
        qr.okButton->click();
        EXPECT_EQ(qr.result(), 0) << "nothing to encode";
        EXPECT_EQ(dialogs->messages().back(), "\n" + host.goneColumn);
        EXPECT_EQ(dialogs->lastInformative(), "Please select the column.");
        choose(qr.Data_source_type, 0);
        EXPECT_TRUE(qr.Batch_Series->placeholderText().isEmpty());
        choose(qr.Data_source_type, 2);
        EXPECT_EQ(qr.dataText_2D->toPlainText(), "");
        EXPECT_EQ(qr.image_scroll->errorLabel()->text(), host.goneColumn);
        choose(qr.Batch_Series, 2);
        EXPECT_EQ(qr.dataText_2D->toPlainText(), "Ann Lee");
        EXPECT_FALSE(qr.previewPicture().isNull());
        return 0;
    };
    EXPECT_FALSE(qr.Open_Wnd(gone));
    EXPECT_EQ(gone->two_d_font_val, "ST-1001");
}

TEST_F(BarcodeWindow, LoadingAnObjectAsksNothingAndShowsItsChoices)
{
    auto barcode = SKTGraphic::create<SKTBarcode>();
    barcode->linear_or_2d = 1;
    barcode->barcode_font_index = indexOfBarcodeSymbology("QR Code");
    barcode->two_d_font_val = "Loaded";
    barcode->qr_version_index = 5;
    barcode->dpi_val_index = 3;
    barcode->data_source_type = 1;
    barcode->batch_list_name = "Guests";
    host.series["Guests"] = "G-001";
    host.series["Others"] = "O-001";
    Barcode_Gen window(host);
    dialogs->modalHandler = [&](QDialog&) {
        // Bound, it shows what the canvas and the first card show, not the value kept when bound.
        EXPECT_EQ(window.dataText_2D->toPlainText(), "G-001");
        EXPECT_EQ(window.Batch_Series->currentText(), "Guests");
        EXPECT_EQ(window.currentSettings().qr_version_index, 5);
        EXPECT_EQ(window.currentSettings().USED_DPI_VALUE(), 300);
        EXPECT_EQ(window.sett_tab->count(), 4);
        return 0;
    };
    EXPECT_FALSE(window.Open_Wnd(barcode));
    EXPECT_TRUE(dialogs->messages().empty());
    EXPECT_EQ(barcode->two_d_font_val, "Loaded") << "Cancel changes nothing";
}

TEST_F(BarcodeWindow, TextDroppedOnAPdf417SymbolBecomesItsValue)
{
    Barcode_Gen window(host);
    const auto drop = [&](const QString& text) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.image_scroll->viewport(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window.image_scroll->viewport(), &dropped);
        return true;
    };
    EXPECT_FALSE(drop("not for linear kinds"));
    choose(window.barcodeTypePopup, indexOfBarcodeSymbology("PDF417"));
    window.Pdf_widthStepper_2D->setValue(300);
    window.pdf_HeightStepper_2D->setValue(90);
    ASSERT_TRUE(drop("Dropped 42"));
    EXPECT_EQ(window.dataText_2D->toPlainText(), "Dropped 42");
    EXPECT_EQ(barcodetest::zxingRead(barcodetest::decodable(window.previewPicture()), "PDF417"), "Dropped 42");
}

TEST_F(BarcodeWindow, FontAndColourChoicesReachTheObjectOnOk)
{
    Barcode_Gen window(host);
    auto barcode = SKTGraphic::create<SKTBarcode>();
    const QFont chosenFont("DejaVu Sans", 14);
    dialogs->modalHandler = [&](QDialog& dialog) {
        if (auto* fonts = qobject_cast<QFontDialog*>(&dialog)) {
            fonts->setCurrentFont(chosenFont);
            return int(QDialog::Accepted);
        }
        if (auto* colours = qobject_cast<QColorDialog*>(&dialog)) {
            colours->setCurrentColor(QColor(0, 0, 160));
            return int(QDialog::Accepted);
        }
        window.hdr_font_btn->click();
        window.barcode_clr->click();
        EXPECT_EQ(window.header_font_value->text(), "DejaVu Sans ( 14.00 )");
        window.okButton->click();
        return window.result();
    };
    ASSERT_TRUE(window.Open_Wnd(barcode));
    ASSERT_TRUE(barcode->header_font_val.has_value());
    EXPECT_EQ(barcode->header_font_val->family(), "DejaVu Sans");
    EXPECT_EQ(barcode->barcode_clr_val, QColor(0, 0, 160));
}

TEST_F(BarcodeWindow, HelpButtonsShowTheirTexts)
{
    Barcode_Gen window(host);
    for (const BarcodeHelpText& help : BarcodeHelpTexts) {
        auto* button = window.findChild<QToolButton*>(QLatin1String(help.button));
        ASSERT_NE(button, nullptr) << help.button;
        button->click();
    }
    ASSERT_EQ(host.help.size(), 8);
    EXPECT_EQ(host.help[0],
        "Version :|Version is configuration or number of modules (combination of black and white "
        "dots).");
    EXPECT_TRUE(host.help[7].startsWith(
        "DPI (Dots Per Inch) :|Dots per inch is a measure of the resolution of printers in terms "
        "of Print Quality.\n\nBigger the DPI, Better the Print Quality. But File size of image "
        "also increases, as you choose bigger DPI.\n\n"));
    // Barcode pictures do not depend on it, and the help says so.
    EXPECT_TRUE(host.help[7].contains("this choice does not change them"));
}

// Alt and a label's letter take the keyboard to the label's control, on every tab of the
// two-dimensional kinds; the rows with a help button beside the control too.
TEST_F(BarcodeWindow, EveryLetterOfTheTwoDimensionalKindsReachesItsControl)
{
    Barcode_Gen window(host);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QStringList pressed;
    for (const char* kind : { "QR Code", "PDF417", "DataMatrix" }) {
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology(kind));
        for (int tab = 0; tab < window.sett_tab->count(); ++tab) {
            window.sett_tab->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            for (QLabel* label : window.findChildren<QLabel*>()) {
                const QKeySequence letter = QKeySequence::mnemonic(label->text());
                if (!label->isVisible() || letter.isEmpty())
                    continue;
                window.barcodeTypePopup->setFocus();
                QTest::keySequence(&window, letter);
                const QWidget* focused = QApplication::focusWidget();
                const QWidget* control = label->buddy();
                EXPECT_TRUE(control && focused && (focused == control || control->isAncestorOf(focused)))
                    << kind << ": " << label->text().toStdString() << " left the focus on "
                    << (focused ? focused->metaObject()->className() : "nothing");
                pressed << label->text();
            }
        }
    }
    for (const char* text : { "Ver&sion:", "&Error correction:", "Row&s:", "Co&lumns:", "&EC level:",
             "&Preferred format:", "&Encoding:", "Resolution (&dpi):" })
        EXPECT_TRUE(pressed.contains(QString::fromUtf8(text))) << text;
}

TEST_F(BarcodeWindow, FitsASmallScreenWithoutClippedLabels)
{
    Barcode_Gen window(host);
    window.show();
    EXPECT_LE(window.width(), 1366);
    EXPECT_LE(window.height(), 700);
    for (bool twoDimensional : { false, true }) {
        choose(window.barcodeTypePopup, indexOfBarcodeSymbology(twoDimensional ? "QR Code" : "Code 128"));
        for (int tab = 0; tab < window.sett_tab->count(); ++tab) {
            window.sett_tab->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            for (QLabel* label : window.findChildren<QLabel*>()) {
                if (!label->isVisible() || label->text().isEmpty() || label->wordWrap())
                    continue;
                EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            }
        }
    }
}

} // namespace
