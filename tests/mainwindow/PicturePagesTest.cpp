#include "ObjectPagesFixture.h"
#include "ProfileBrowse.h"
#include "platform/PropertyList.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodewindow/Barcode_Gen.h"
#include "common/Globals.h"
#include "data/Data_From_Excel.h"
#include "data/XlsxTestSupport.h"
#include "dialogs/Long_SMS_Dlg.h"
#include "imports/Import_Excel.h"
#include "imports/Import_Wizard.h"
#include "imports/SheetChooser.h"
#include "inspector/AlignmentPage.h"
#include "inspector/BarcodePage.h"
#include "inspector/DataSourcePage.h"
#include "inspector/EffectSlider.h"
#include "inspector/ImagePage.h"
#include "inspector/ObjectBorderGroup.h"
#include "inspector/SignaturePage.h"
#include "inspector/TextEditingPage.h"
#include "model/SKTImage.h"
#include "platform/StyledText.h"
#include "profilewindows/Show_User_Profile.h"
#include "render/ImageEffectsHook.h"
#include "widgets/ColorWell.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

class PicturePagesTest : public ObjectPagesTest
{
protected:
    void SetUp() override
    {
        ObjectPagesTest::SetUp();
        ImageEffectsHook::install(); // as the program does at start
    }

    QString picture(const QString& name, QColor colour)
    {
        const QString path = folder.filePath(name);
        // The colour with a white stripe, so that blurring and sharpening show too.
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 20; x < 24; ++x)
                image.setPixelColor(x, y, Qt::white);
        image.save(path);
        return path;
    }

    SKTGraphicPtr placeImage(const QString& path)
    {
        dialogs->fileAnswers.push_back(path);
        return place(8);
    }

    // Series files go to a folder of the test's own, so other tests' series do not count.
    void useOwnSeriesFolder()
    {
        savedDataFolder_ = Data_Folder_Path;
        Data_Folder_Path = folder.filePath(QStringLiteral("DataSet"));
        QDir().mkpath(Data_Folder_Path);
    }

    void TearDown() override
    {
        if (!savedDataFolder_.isNull())
            Data_Folder_Path = savedDataFolder_;
        Excel_Binding_Use = false;
        ObjectPagesTest::TearDown();
    }

private:
    QString savedDataFolder_;
};

TEST_F(PicturePagesTest, EveryImageControlReachesTheImageAndTheCanvas)
{
    startShown();
    const SKTGraphicPtr image = placeImage(picture(QStringLiteral("red.png"), Qt::red));
    ASSERT_NE(image, nullptr);
    ImagePage& page = *inspector().image_tab;

    QImage before = canvasPicture();
    page.Image_Gray_Scale_chk->click();
    EXPECT_TRUE(image->gray_Scale);
    EXPECT_NE(canvasPicture(), before);
    page.Image_Sepia_chk->click();
    page.Image_Invert_chk->click();
    page.Image_FIH_chk->click();
    page.Image_FIV_chk->click();
    EXPECT_TRUE(image->Sepia);
    EXPECT_TRUE(image->invert_clr);
    EXPECT_TRUE(image->_isFlippedHorizontally);
    EXPECT_TRUE(image->_isFlippedVertically);

    const struct
    {
        EffectSlider* slider;
        int step;
        float SKTGraphic::*field;
        float expected;
    } sliders[] = {
        { page.Rotate_slidr, 30, &SKTGraphic::rotate_image, 30.0f },
        { page.Trsp_slidr, 60, &SKTGraphic::img_trnsp_val, 60.0f },
        { page.Hue_slidr, 57, &SKTGraphic::hue_val, 0.57f },
        { page.Sat_slidr, 150, &SKTGraphic::sat_val, 1.5f },
        { page.Brt_slidr, -25, &SKTGraphic::brt_val, -0.25f },
        { page.Con_slidr, 130, &SKTGraphic::con_val, 1.3f },
        { page.shrp_slidr, 40, &SKTGraphic::srp_val, 0.4f },
        { page.ev_slidr, -50, &SKTGraphic::ev_val, -0.5f },
        { page.blr_slidr, 15, &SKTGraphic::blr_val, 1.5f },
    };
    for (const auto& row : sliders) {
        before = canvasPicture();
        row.slider->slider->setValue(row.step);
        EXPECT_FLOAT_EQ((*image).*row.field, row.expected);
        EXPECT_NEAR(row.slider->valueField->text().toDouble(), double(row.expected), 1e-6);
        EXPECT_NE(canvasPicture(), before) << row.expected;
    }

    before = canvasPicture();
    turnOn(page.Image_Border_Box->border_chk);
    page.Image_Border_Box->bor_Stepper->setValue(4);
    EXPECT_TRUE(image->_isDrawingStroke);
    EXPECT_EQ(image->_strokeWidth, 4.0);
    EXPECT_NE(canvasPicture(), before);

    // The print check box is written by every page's update: unticked, the object is left out.
    inspector().aligmnt_tab->print_object_chk->setChecked(false);
    page.Image_Sepia_chk->click();
    EXPECT_EQ(image->print_object, 1);
}

TEST_F(PicturePagesTest, TwoImagesTakeTheSameHueAndKeepTheirOwnPictures)
{
    startShown();
    const QString redPath = picture(QStringLiteral("red.png"), Qt::red);
    const QString bluePath = picture(QStringLiteral("blue.png"), Qt::blue);
    const SKTGraphicPtr red = placeImage(redPath);
    const SKTGraphicPtr blue = placeImage(bluePath);
    selectAllShowing(blue);
    inspector().image_tab->Hue_slidr->slider->setValue(100);
    for (const SKTGraphicPtr& image : { red, blue })
        EXPECT_FLOAT_EQ(image->hue_val, 1.0f);
    EXPECT_EQ(red->_file_path, redPath);
    EXPECT_EQ(blue->_file_path, bluePath);
    EXPECT_EQ(std::static_pointer_cast<SKTImage>(red)->picture().pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(PicturePagesTest, ResetAsksFirstAndThenNeutralisesTheSelection)
{
    startShown();
    const SKTGraphicPtr image = placeImage(picture(QStringLiteral("red.png"), Qt::red));
    ImagePage& page = *inspector().image_tab;
    page.Sat_slidr->slider->setValue(30);
    page.blr_slidr->slider->setValue(40);
    page.Image_Sepia_chk->click();

    QPushButton* reset = nullptr;
    for (QPushButton* button : page.findChildren<QPushButton*>())
        reset = button;
    ASSERT_NE(reset, nullptr);
    dialogs->yesNoAnswers = { false };
    reset->click();
    EXPECT_EQ(page.Sat_slidr->value(), 0.3);
    EXPECT_FLOAT_EQ(image->sat_val, 0.3f);
    EXPECT_TRUE(image->Sepia);

    dialogs->yesNoAnswers = { true };
    reset->click();
    EXPECT_EQ(dialogs->asked().back().text, QStringLiteral("Are you sure you want to continue?"));
    EXPECT_FLOAT_EQ(image->img_trnsp_val, 100.0f);
    EXPECT_FLOAT_EQ(image->sat_val, 1.0f);
    EXPECT_FLOAT_EQ(image->con_val, 1.0f);
    for (float value :
        { image->rotate_image, image->hue_val, image->brt_val, image->srp_val, image->ev_val, image->blr_val })
        EXPECT_FLOAT_EQ(value, 0.0f);
    EXPECT_FALSE(image->Sepia || image->gray_Scale || image->invert_clr || image->_isFlippedHorizontally
        || image->_isFlippedVertically);
}

TEST_F(PicturePagesTest, ManualBrowseReplacesThePictureAndCancelKeepsIt)
{
    startShown();
    const QString redPath = picture(QStringLiteral("red.png"), Qt::red);
    const auto image = std::static_pointer_cast<SKTImage>(placeImage(redPath));
    DataSourcePage& source = *inspector().datasource_tab;
    EXPECT_EQ(source.Manual_image_path->text(), redPath);

    source.Manual_Image_Browse_Btn(); // no answer: Cancel
    EXPECT_EQ(image->_file_path, redPath);
    EXPECT_EQ(image->picture().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(source.Manual_image_path->text(), redPath);

    const QString greenPath = picture(QStringLiteral("green.png"), Qt::green);
    dialogs->fileAnswers = { greenPath };
    const QImage before = canvasPicture();
    source.Manual_Image_Browse_Btn();
    EXPECT_EQ(image->_file_path, greenPath);
    EXPECT_EQ(image->picture().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(source.Manual_image_path->text(), greenPath);
    EXPECT_NE(canvasPicture(), before);
}

TEST_F(PicturePagesTest, SignaturesTakeTheirBorderAndOnlyASingleOneThePicture)
{
    startShown();
    const SKTGraphicPtr first = place(11);
    const SKTGraphicPtr second = place(11);
    ASSERT_NE(second, nullptr);
    SignaturePage& page = *inspector().sign_tab;
    EXPECT_EQ(page.Sign_image_path->text(), second->_file_path);

    const QString ink = picture(QStringLiteral("ink.png"), Qt::darkBlue);
    dialogs->fileAnswers = { ink };
    QImage before = canvasPicture();
    page.Sign_Browse_Btn();
    EXPECT_EQ(second->_file_path, ink);
    EXPECT_NE(canvasPicture(), before);
    const QString firstPath = first->_file_path;
    EXPECT_NE(firstPath, ink);

    selectAllShowing(second);
    page.Sign_Border_Box->border_chk->setChecked(true);
    page.Sign_Border_Box->bordr_clr->chooseColor(Qt::red);
    for (const SKTGraphicPtr& signature : { first, second })
        EXPECT_EQ(signature->_strokeColor, QColor(Qt::red));
    EXPECT_EQ(first->_file_path, firstPath);

    page.Sign_Browse_Btn(); // Cancel
    EXPECT_EQ(second->_file_path, ink);
}

TEST_F(PicturePagesTest, BarcodeSettingsReachEverySelectedBarcodeButNotTheirContents)
{
    startShown();
    const SKTGraphicPtr other = place(10);
    const SKTGraphicPtr edited = place(10);
    ASSERT_NE(edited, nullptr);
    other->Text_Value = QStringLiteral("111");
    other->control_ID = QStringLiteral("BC1");
    other->data_source_type = 1;
    other->batch_list_name = QStringLiteral("Numbers");
    other->barcode_unit_val = 2;
    selectAllShowing(edited);
    edited->align_hdr_index = 1;
    edited->align_ftr_index = 2;
    edited->header_val = QStringLiteral("Top");
    edited->barcode_clr_val = Qt::darkRed;
    edited->qr_ec_index = 3;
    edited->dpi_custom_val = QStringLiteral("450");
    inspector().barcode_tab->Update_Barcode_Graphics(*edited);
    EXPECT_EQ(other->align_hdr_index, 1);
    EXPECT_EQ(other->align_ftr_index, 2);
    EXPECT_EQ(other->header_val, QStringLiteral("Top"));
    EXPECT_EQ(other->barcode_clr_val, QColor(Qt::darkRed));
    EXPECT_EQ(other->qr_ec_index, 3);
    EXPECT_EQ(other->dpi_custom_val, QStringLiteral("450"));
    EXPECT_EQ(other->Text_Value, QStringLiteral("111"));
    EXPECT_EQ(other->control_ID, QStringLiteral("BC1"));
    EXPECT_EQ(other->batch_list_name, QStringLiteral("Numbers"));
    EXPECT_EQ(other->barcode_unit_val, 2);
}

TEST_F(PicturePagesTest, TheBarcodeButtonGivesEverySelectedBarcodeTheWindowsSettingsOnlyOnOk)
{
    startShown();
    const SKTGraphicPtr other = place(10);
    const SKTGraphicPtr edited = place(10);
    other->control_ID = QStringLiteral("BC1");
    selectAllShowing(edited);
    const QByteArray otherBefore = other->archivedData();
    const QImage otherPicture = other->_barcode_image.toImage(72.0);
    QPushButton* button = inspector().barcode_tab->findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    const auto answer = [](bool ok) {
        return [ok](QDialog& dialog) {
            auto& window = dynamic_cast<Barcode_Gen&>(dialog);
            const int qr = indexOfBarcodeSymbology("QR Code");
            window.barcodeTypePopup->setCurrentIndex(qr);
            emit window.barcodeTypePopup->activated(qr);
            window.dataText_2D->setPlainText(QStringLiteral("Table 7"));
            (ok ? window.okButton : window.cancelButton)->click();
            return window.result();
        };
    };
    otherModal = answer(false);
    button->click();
    EXPECT_EQ(PropertyList::read(other->archivedData()), PropertyList::read(otherBefore));
    EXPECT_EQ(edited->linear_or_2d, 0);

    otherModal = answer(true);
    const QImage before = canvasPicture();
    button->click();
    for (const SKTGraphicPtr& barcode : { other, edited }) {
        EXPECT_EQ(barcode->linear_or_2d, 1);
        EXPECT_EQ(barcode->two_d_font_val, QStringLiteral("Table 7"));
    }
    EXPECT_EQ(other->control_ID, QStringLiteral("BC1"));
    // Every selected barcode shows the picture of its new settings, not only the edited one.
    EXPECT_NE(other->_barcode_image.toImage(72.0), otherPicture);
    EXPECT_EQ(other->_barcode_image.toImage(72.0), barcodePictureFromFields(*other).toImage(72.0));
    EXPECT_NE(canvasPicture(), before);
}

TEST_F(PicturePagesTest, TheSourceHelpButtonExplainsTheSources)
{
    startShown();
    place(2);
    DataSourcePage& source = *inspector().datasource_tab;
    QToolButton* help = source.data_source_help_btn;
    ASSERT_TRUE(help);
    EXPECT_EQ(help->toolTip(), QStringLiteral("Help"));
    EXPECT_TRUE(help->isVisibleTo(&source));
    QString title, text;
    bool noShown = true;
    int opened = 0;
    otherModal = [&](QDialog& dialog) {
        if (auto* message = qobject_cast<Long_SMS_Dlg*>(&dialog)) {
            ++opened;
            title = message->_Msg_Title->text();
            text = message->_Msg_Val->toPlainText();
            noShown = !message->no_button->isHidden();
            return 1;
        }
        return 0;
    };
    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(title, QStringLiteral("Batch Processing Settings Help :"));
    EXPECT_EQ(text,
        QStringLiteral("Select Data Source as 'Manual' to enter value manually, Select 'Batch Processing Series' to "
                       "fetch the value from the list of existing Batch Processing Series."));
    EXPECT_FALSE(noShown);
}

TEST_F(PicturePagesTest, SeriesChoiceWithoutSeriesSaysSoAndKeepsTheBinding)
{
    startShown();
    useOwnSeriesFolder();
    const SKTGraphicPtr text = place(2);
    DataSourcePage& source = *inspector().datasource_tab;
    EXPECT_EQ(source.Data_source_type->currentText(), QStringLiteral("Manual"));
    choose(source.Data_source_type, 1);
    EXPECT_EQ(dialogs->messages().back(), QStringLiteral("\nPlease create batch processing series first."));
    EXPECT_EQ(source.Data_source_type->currentText(), QStringLiteral("Manual"));
    EXPECT_EQ(text->data_source_type, 0);
    EXPECT_FALSE(inspector().text_edtng_tab->Text_value_Edit->isReadOnly());
}

TEST_F(PicturePagesTest, PickingASeriesBindsTheTextAndShowsItsFirstLine)
{
    startShown();
    useOwnSeriesFolder();
    writeSeries(QStringLiteral("Guests"), "Ann Smith\nBob Jones\n");
    writeSeries(QStringLiteral("Tables"), "7\n8\n");
    const SKTGraphicPtr text = place(2);
    DataSourcePage& source = *inspector().datasource_tab;
    TextEditingPage& words = *inspector().text_edtng_tab;

    choose(source.Data_source_type, 1);
    EXPECT_EQ(text->data_source_type, 1);
    EXPECT_TRUE(words.Text_value_Edit->isReadOnly());
    ASSERT_EQ(source.Batch_Series->count(), 2);
    choose(source.Batch_Series, 0);
    EXPECT_EQ(text->batch_list_name, QStringLiteral("Guests"));
    EXPECT_EQ(text->batch_list_index, 0);
    // The canvas shows the first line; the panel and the design keep what was typed, for
    // Manual to give back.
    EXPECT_EQ(window->shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Ann Smith"));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("Text here"));
    EXPECT_EQ(words.Text_value_Edit->toPlainText(), QStringLiteral("Text here"));

    // Showing the bound object again prepares its series without rewriting anything.
    text->Text_contents()->setString(QStringLiteral("as placed by a batch"));
    const SKTGraphicPtr other = place(2);
    choose(source.Data_source_type, 1);
    choose(source.Batch_Series, 1);
    EXPECT_EQ(other->batch_list_name, QStringLiteral("Tables"));
    window->Show_RHS_Properties(nullptr);
    window->currentCanvas()->changeSelectionIndexes({ 1 });
    window->currentCanvas()->setSelectedGraphic(text);
    window->Show_RHS_Properties(text);
    EXPECT_EQ(source.Batch_Series->currentText(), QStringLiteral("Guests"));
    EXPECT_EQ(text->Text_contents()->string, QStringLiteral("as placed by a batch"));
    EXPECT_EQ(window->shownOnFirstCard(other)->Text_contents()->string, QStringLiteral("7"));

    // Choosing "Series" again for a bound object selects its series.
    choose(source.Data_source_type, 0);
    EXPECT_EQ(text->data_source_type, 0);
    EXPECT_EQ(text->batch_list_name, QStringLiteral("Guests"));
    choose(source.Data_source_type, 1);
    EXPECT_EQ(source.Batch_Series->currentText(), QStringLiteral("Guests"));
}

// Choosing "Excel" starts at the object's own column, else at the first that holds values, in
// one undo step; the row numbers are there to be picked, and a column the rows lack is named.
TEST_F(PicturePagesTest, TheExcelSourceStartsAtAColumnWithValuesAndTheRowNumberColumnGivesOne)
{
    startShown();
    Excel_Binding_Use = true;
    Data_From_Excel& table = *Data_From_Excel_Window;
    table.rebuildColumnsFromTitles({ QStringLiteral("No."), QStringLiteral("Name") });
    PlistDict row;
    row.insert(QStringLiteral("Extension"), PlistValue(QStringLiteral("1")));
    row.insert(QStringLiteral("Column1"), PlistValue(QStringLiteral("Carla")));
    table.ListData = Data_From_Excel::Rows { PlistValue(row) };
    const SKTGraphicPtr text = place(2);
    DataSourcePage& source = *inspector().datasource_tab;
    ASSERT_EQ(source.Data_source_type->count(), 3);
    choose(source.Data_source_type, 2);
    EXPECT_EQ(text->data_source_type, 2);
    ASSERT_EQ(source.Batch_Series->count(), 2);
    EXPECT_EQ(source.Batch_Series->itemText(0), table.columnTitles().front());
    EXPECT_EQ(source.Batch_Series->currentText(), QStringLiteral("Name"));
    EXPECT_EQ(window->shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Carla"));
    window->action(QStringLiteral("Undo_btn"))->trigger();
    EXPECT_TRUE(text->data_source_type == 0 && text->excel_col_title.isEmpty()) << "one step";
    choose(source.Data_source_type, 2);
    choose(source.Batch_Series, 0);
    EXPECT_EQ(text->excel_col_indx, 0);
    EXPECT_EQ(window->shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("1"));
    choose(source.Batch_Series, 1);
    EXPECT_EQ(window->shownOnFirstCard(text)->Text_contents()->string, QStringLiteral("Carla"));
    EXPECT_EQ(text->excel_col_title, QStringLiteral("Name"));

    // Rows whose columns came in another order: the panel shows the column of the title, and
    // none once the rows lack it.
    table.rebuildColumnsFromTitles({ QStringLiteral("No."), QStringLiteral("City"), QStringLiteral("Name") });
    window->Show_RHS_Properties(nullptr);
    window->Show_RHS_Properties(text);
    EXPECT_EQ(source.Batch_Series->count(), 3);
    EXPECT_EQ(source.Batch_Series->currentText(), QStringLiteral("Name"));
    table.rebuildColumnsFromTitles({ QStringLiteral("No."), QStringLiteral("City") });
    window->Show_RHS_Properties(nullptr);
    window->Show_RHS_Properties(text);
    EXPECT_EQ(source.Batch_Series->currentIndex(), -1);
    EXPECT_EQ(source.Batch_Series->placeholderText(), QStringLiteral("No column \"Name\""));
    // Chosen again, a gone column stays the object's: nothing else takes its place.
    choose(source.Data_source_type, 0);
    EXPECT_TRUE(source.Batch_Series->placeholderText().isEmpty());
    choose(source.Data_source_type, 2);
    EXPECT_EQ(source.Batch_Series->currentIndex(), -1);
    EXPECT_EQ(text->excel_col_title, QStringLiteral("Name"));
    EXPECT_EQ(source.Batch_Series->placeholderText(), QStringLiteral("No column \"Name\""));

    // A picture starts at the first column naming a picture it can read.
    table.rebuildColumnsFromTitles({ QStringLiteral("No."), QStringLiteral("Name"), QStringLiteral("Photo") });
    row.insert(QStringLiteral("Column2"), PlistValue(picture(QStringLiteral("blue.png"), Qt::blue)));
    table.ListData = Data_From_Excel::Rows { PlistValue(row) };
    placeImage(picture(QStringLiteral("red.png"), Qt::red));
    choose(source.Data_source_type, 2);
    EXPECT_EQ(source.Batch_Series->currentText(), QStringLiteral("Photo"));
}

// While a bound object stays selected, its source page lists what there is now: a series
// imported, and another sheet's rows while the profile is open, after Cancel puts the rows back
// and after OK keeps them, the object's column found by its title. Filling the page writes
// nothing: no undo step, and a saved design stays saved.
TEST_F(PicturePagesTest, TheSourcePageFollowsNewRowsAndSeriesWhileTheObjectStaysSelected)
{
    startShown();
    useOwnSeriesFolder();
    writeSeries(QStringLiteral("Guests"), "Ann\n");
    const QString book = folder.filePath(QStringLiteral("book.xlsx"));
    const auto sheet = [](const QList<QStringList>& rows) {
        QByteArray xml;
        for (int r = 0; r < rows.size(); ++r) {
            xml += "<row>";
            for (int c = 0; c < rows[r].size(); ++c)
                xml += QStringLiteral("<c r=\"%1%2\" t=\"inlineStr\"><is><t>%3</t></is></c>")
                           .arg(QChar(u'A' + c))
                           .arg(r + 1)
                           .arg(rows[r][c])
                           .toUtf8();
            xml += "</row>";
        }
        return xlsxtest::sheetXml(xml);
    };
    xlsxtest::writeWorkbook(book,
        { { "Staff", "sheet1.xml", sheet({ { "Name", "Code", "Room" }, { "Ann Lee", "S-101", "R1" } }) },
            { "People", "sheet2.xml", sheet({ { "Room", "Name", "Code" }, { "R7", "Dee Fox", "P-201" } }) } },
        {});
    // Profile > Browse... a sheet of the workbook; whileOpen looks at the panel behind it.
    const auto browse = [&](const QString& sheetName, bool keep, const std::function<void()>& whileOpen) {
        browseInProfile(*window, *dialogs, otherModal, book, sheetName, [&](Show_User_Profile& profile) {
            whileOpen();
            keep ? profile.OK_Btn_Clicked() : profile.Cancel_Btn_Clicked();
            return profile.result();
        });
    };
    browse(QStringLiteral("Staff"), true, [] {});
    ASSERT_EQ(window->spreadsheet->columnTitles(), QStringList({ "#", "Name", "Code", "Room" }));

    const SKTGraphicPtr text = place(2);
    DataSourcePage& source = *inspector().datasource_tab;
    const auto listed = [&] {
        QStringList items;
        for (int i = 0; i < source.Batch_Series->count(); ++i)
            items << source.Batch_Series->itemText(i);
        return items;
    };
    choose(source.Data_source_type, 1);
    choose(source.Batch_Series, source.Batch_Series->findText(QStringLiteral("Guests")));
    dialogs->fileAnswers = { folder.filePath(QStringLiteral("badge.dcard")) };
    window->Save_Btn_Clicked();
    ASSERT_FALSE(window->hasUnsavedChanges());

    otherModal = [](QDialog& dialog) {
        auto* wizard = qobject_cast<Import_Wizard*>(&dialog);
        if (!wizard)
            return 0;
        wizard->chooseSource(Import_Wizard::PastedText);
        wizard->ManualEdit->setPlainText(QStringLiteral("T1\nT2"));
        wizard->Manual_file_name->setText(QStringLiteral("Tables"));
        wizard->OKPressed();
        return wizard->result();
    };
    window->action(QStringLiteral("Import_Btn"))->trigger();
    otherModal = nullptr;
    EXPECT_EQ(listed(), QStringList({ "Guests", "Tables" }));
    EXPECT_EQ(source.Batch_Series->currentText(), QStringLiteral("Guests"));
    EXPECT_FALSE(window->hasUnsavedChanges());

    choose(source.Data_source_type, 2);
    choose(source.Batch_Series, source.Batch_Series->findText(QStringLiteral("Code")));
    window->Save_Btn_Clicked();
    ASSERT_FALSE(window->hasUnsavedChanges());
    browse(QStringLiteral("People"), false, [&] {
        EXPECT_EQ(listed(), QStringList({ "#", "Room", "Name", "Code" }));
        EXPECT_EQ(source.Batch_Series->currentIndex(), 3);
    });
    EXPECT_EQ(window->currentCanvas()->selectedGraphic(), text);
    EXPECT_EQ(listed(), QStringList({ "#", "Name", "Code", "Room" }));
    EXPECT_EQ(source.Batch_Series->currentText(), QStringLiteral("Code"));
    EXPECT_FALSE(window->hasUnsavedChanges());

    // Kept with OK, the other sheet's rows stay listed; the object's binding is as it was.
    browse(QStringLiteral("People"), true, [] {});
    EXPECT_EQ(listed(), QStringList({ "#", "Room", "Name", "Code" }));
    EXPECT_EQ(source.Batch_Series->currentIndex(), 3);
    EXPECT_EQ(text->excel_col_title, QStringLiteral("Code"));
    EXPECT_EQ(text->excel_col_indx, 2);
}

TEST_F(PicturePagesTest, ABarcodeOrSignatureGetsTheBindingOnly)
{
    startShown();
    useOwnSeriesFolder();
    writeSeries(QStringLiteral("Codes"), "4006381333931\n");
    DataSourcePage& source = *inspector().datasource_tab;
    for (int tool : { 10, 11 }) {
        const SKTGraphicPtr graphic = place(tool);
        const QString path = graphic->_file_path;
        const QString value = graphic->Text_Value;
        // The text page's source controls act on whatever object is current.
        choose(source.Data_source_type, 1);
        choose(source.Batch_Series, 0);
        EXPECT_EQ(graphic->data_source_type, 1) << tool;
        EXPECT_EQ(graphic->batch_list_name, QStringLiteral("Codes")) << tool;
        EXPECT_EQ(graphic->_file_path, path) << tool;
        EXPECT_EQ(graphic->Text_Value, value) << tool;
    }
    // With nothing selected, a pick binds nothing.
    window->Show_RHS_Properties(nullptr);
    choose(source.Batch_Series, 0);
    EXPECT_TRUE(window->currentCanvas()->selectedGraphics().isEmpty());
}

// A bound picture shows its series' first picture on the canvas while the design keeps the
// picture the user chose: set back to Manual, and after saving and opening the design again,
// that picture is shown.
TEST_F(PicturePagesTest, ABoundPictureShowsTheFirstRowAndKeepsTheChosenOneForManual)
{
    startShown();
    useOwnSeriesFolder();
    const QString bluePath = picture(QStringLiteral("blue.png"), Qt::blue);
    const QString redPath = picture(QStringLiteral("red.png"), Qt::red);
    writeSeries(QStringLiteral("Photos"), bluePath.toUtf8() + "\n");
    auto image = std::static_pointer_cast<SKTImage>(placeImage(redPath));
    DataSourcePage& source = *inspector().datasource_tab;
    const auto pixels = [this](QColor colour) {
        const QImage shown = canvasPicture();
        int count = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                count += shown.pixelColor(x, y) == colour ? 1 : 0;
        return count;
    };
    EXPECT_TRUE(source.manual_brws_box->isEnabled());
    choose(source.Data_source_type, 1);
    EXPECT_FALSE(source.manual_brws_box->isEnabled());
    choose(source.Batch_Series, 0);
    EXPECT_EQ(image->batch_list_name, QStringLiteral("Photos"));
    const auto shown = std::static_pointer_cast<SKTImage>(window->shownOnFirstCard(image));
    EXPECT_EQ(shown->picture().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_GT(pixels(Qt::blue), 100);
    EXPECT_EQ(pixels(Qt::red), 0);
    EXPECT_EQ(image->_file_path, redPath);
    EXPECT_EQ(source.Manual_image_path->text(), redPath);

    choose(source.Data_source_type, 0);
    EXPECT_EQ(source.Batch_Series->currentText(), QString()); // no series shown for a manual picture
    EXPECT_EQ(image->_file_path, redPath);
    EXPECT_EQ(image->picture().pixelColor(0, 0), QColor(Qt::red));
    EXPECT_GT(pixels(Qt::red), 100);
    EXPECT_EQ(pixels(Qt::blue), 0);

    // Bound again, saved and opened: the file keeps the chosen picture for Manual.
    choose(source.Data_source_type, 1);
    choose(source.Batch_Series, 0);
    const QString path = folder.filePath(QStringLiteral("bound.dcard"));
    dialogs->fileAnswers = { path };
    window->SaveAs_Btn_Clicked();
    ASSERT_EQ(window->Read_and_load_design_Log(path, QStringLiteral("L")), 1);
    ASSERT_EQ(window->Get_Front_Controls_Array().size(), 1);
    image = std::static_pointer_cast<SKTImage>(window->Get_Front_Controls_Array().front());
    EXPECT_GT(pixels(Qt::blue), 100);
    window->currentCanvas()->changeSelectionIndexes({ 0 });
    window->currentCanvas()->setSelectedGraphic(image);
    window->Show_RHS_Properties(image);
    EXPECT_EQ(source.Manual_image_path->text(), redPath);
    choose(source.Data_source_type, 0);
    EXPECT_EQ(image->_file_path, redPath);
    EXPECT_GT(pixels(Qt::red), 100);
    EXPECT_EQ(pixels(Qt::blue), 0);
}
