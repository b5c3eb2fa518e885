#include "barcodewindow/Barcode_Gen.h"

#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeOptionItems.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodewindow/BarcodePreview.h"
#include "barcodewindow/BarcodeWindowHost.h"
#include "barcodewindow/ColourWell.h"
#include "common/Logging.h"
#include "common/MessageBoxes.h"
#include "platform/DialogService.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>

#include <exception>

namespace {

// Blocks the signals of the window's own input controls while code fills them (not those
// of containers such as the tab view, which keep themselves in order through signals).
class ControlsBlocker
{
public:
    explicit ControlsBlocker(QWidget* root)
    {
        for (QWidget* child : root->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(child) || qobject_cast<QComboBox*>(child)
                || qobject_cast<QAbstractSpinBox*>(child) || qobject_cast<QPlainTextEdit*>(child)
                || (qobject_cast<QLineEdit*>(child) && !qobject_cast<QAbstractSpinBox*>(child->parent())
                    && !qobject_cast<QComboBox*>(child->parent()));
            if (control)
                blockers_.emplace_back(child);
        }
    }

private:
    std::vector<QSignalBlocker> blockers_;
};

void selectIndex(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

} // namespace

Barcode_Gen::Barcode_Gen(BarcodeWindowHost& host, QWidget* parent)
    : QDialog(parent)
    , host_(host)
{
    setObjectName(QStringLiteral("Barcode_Gen"));
    buildControls();
    connectControls();
    Set_Barcode_Prop_To_Control(settings_);
    goButtonActionPerformed();
}

Barcode_Gen::~Barcode_Gen() = default;

void Barcode_Gen::Set_Barcode_Prop_To_Control(const BarcodeGenSettings& settings)
{
    loading_ = true;
    ControlsBlocker blocker(this);
    settings_ = settings;
    barcodeTypePopup->setCurrentIndex(settings.barcode_font_index);
    dataText->setText(settings.linear_font_val);
    dataText_2D->setPlainText(settings.two_d_font_val);
    HeaderText->setText(settings.header_val);
    FooterText->setText(settings.footer_val);
    hideHeaderCheckbox->setChecked(settings.show_hide_hdr == 1);
    hideFooterCheckbox->setChecked(settings.show_hide_ftr == 1);
    captionCheckbox->setChecked(settings.show_hide_val == 1);
    showinTopCheckbox->setChecked(settings.show_val_on_top == 1);
    kerning_value_Checkbox->setChecked(settings.kerning_value_state == 1);
    kerning_value_Checkbox->setEnabled(settings.kerningAllowed());
    selectIndex(align_hdr_combo, settings.align_hdr_index);
    selectIndex(align_ftr_combo, settings.align_ftr_index);
    HeightStepper->setValue(settings.linear_height_val);
    widthStepper->setValue(settings.linear_width_val);
    selectIndex(qr_version_ComboBox, settings.qr_version_index);
    selectIndex(qr_ec_lvl_ComboBox, settings.qr_ec_index);
    selectIndex(qr_enc_mode_ComboBox, settings.QR_Enc_Mode_Val);
    HeightStepper_2D->setMinimum(Check_And_Set_QR_size_Acc_Version(qr_version_ComboBox->currentIndex()));
    HeightStepper_2D->setValue(settings.qr_size_val);
    pdf_HeightStepper_2D->setValue(settings.pdf_hgt_val);
    Pdf_widthStepper_2D->setValue(settings.pdf_wdt_val);
    pdf_ec_lvl_Stepper->setValue(settings.pdf_ec_val);
    dm_moduleStepper_2D->setValue(settings.dm_module_val);
    selectIndex(dm_format_ComboBox, settings.dm_format_index);
    selectIndex(dm_encoding_ComboBox, settings.dm_encoding_index);
    hdr_mar_Stepper->setValue(settings.hdr_margin_val);
    ftr_mar_Stepper->setValue(settings.ftr_margin_val);
    val_mar_Stepper->setValue(settings.val_margin_val);
    TB_mar_Stepper->setValue(settings.TB_marging_val);
    LR_mar_Stepper->setValue(settings.LR_margin_val);
    bar_hdr_clr->setColor(settings.barcode_hdr_clr_val);
    bar_ftr_clr->setColor(settings.barcode_ftr_clr_val);
    bar_val_clr->setColor(settings.barcode_val_clr_val);
    bar_back_clr->setColor(settings.barcode_back_clr_val);
    barcode_clr->setColor(settings.barcode_clr_val);
    selectIndex(DPI_ComboBox, settings.dpi_val_index);
    dpi_Stepper->setValue(settings.USED_DPI_VALUE());
    showFontLabels();

    selectIndex(Data_source_type, settings.data_source_type);
    shownDataSource_ = Data_source_type->currentIndex();
    Batch_Series->clear();
    if (settings.data_source_type == 1)
        Batch_Series->addItems(host_.Get_datasheet_File_Name_Array());
    else if (settings.data_source_type == 2)
        Batch_Series->addItems(host_.excelColumnTitles());
    // A column is shown by the title it was bound to: none when the table lacks it.
    const int shown = settings.data_source_type == 1
        ? Batch_Series->findText(settings.batch_list_name)
        : SKTGraphic::excelColumnOf(settings.excel_col_title, settings.excel_col_indx, host_.excelColumnTitles());
    Batch_Series->setCurrentIndex(shown < Batch_Series->count() ? shown : -1);
    const bool bound = settings.data_source_type != 0;
    Batch_Series->setEnabled(bound);
    view_series_btn->setEnabled(settings.data_source_type == 1);
    dataText->setReadOnly(bound);
    dataText_2D->setReadOnly(bound);

    if (settings.isTwoDimensional())
        two_d_barcode_Opt_Select();
    else
        Liner_Barcode_Opt_Select();
    dpiChoiceChanged();
    loading_ = false;
}

// The record follows the controls; data source choices are kept as they are made.
void Barcode_Gen::readControls()
{
    BarcodeGenSettings& s = settings_;
    s.barcode_font_index = barcodeTypePopup->currentIndex();
    s.linear_font_val = dataText->text();
    s.two_d_font_val = dataText_2D->toPlainText();
    s.header_val = HeaderText->text();
    s.footer_val = FooterText->text();
    s.show_hide_hdr = hideHeaderCheckbox->isChecked() ? 1 : 0;
    s.show_hide_ftr = hideFooterCheckbox->isChecked() ? 1 : 0;
    s.show_hide_val = captionCheckbox->isChecked() ? 1 : 0;
    s.show_val_on_top = showinTopCheckbox->isChecked() ? 1 : 0;
    s.kerning_value_state = kerning_value_Checkbox->isChecked() ? 1 : 0;
    s.align_hdr_index = align_hdr_combo->currentIndex();
    s.align_ftr_index = align_ftr_combo->currentIndex();
    s.linear_height_val = float(HeightStepper->value());
    s.linear_width_val = float(widthStepper->value());
    s.qr_size_val = HeightStepper_2D->value();
    s.qr_version_index = qr_version_ComboBox->currentIndex();
    s.qr_ec_index = qr_ec_lvl_ComboBox->currentIndex();
    s.QR_Enc_Mode_Val = qr_enc_mode_ComboBox->currentIndex();
    s.pdf_hgt_val = pdf_HeightStepper_2D->value();
    s.pdf_wdt_val = Pdf_widthStepper_2D->value();
    s.pdf_ec_val = pdf_ec_lvl_Stepper->value();
    s.dm_module_val = dm_moduleStepper_2D->value();
    s.dm_format_index = dm_format_ComboBox->currentIndex();
    s.dm_encoding_index = dm_encoding_ComboBox->currentIndex();
    s.hdr_margin_val = float(hdr_mar_Stepper->value());
    s.ftr_margin_val = float(ftr_mar_Stepper->value());
    s.val_margin_val = float(val_mar_Stepper->value());
    s.TB_marging_val = float(TB_mar_Stepper->value());
    s.LR_margin_val = float(LR_mar_Stepper->value());
    s.barcode_hdr_clr_val = bar_hdr_clr->color();
    s.barcode_ftr_clr_val = bar_ftr_clr->color();
    s.barcode_val_clr_val = bar_val_clr->color();
    s.barcode_back_clr_val = bar_back_clr->color();
    s.barcode_clr_val = barcode_clr->color();
    s.dpi_val_index = DPI_ComboBox->currentIndex();
    s.dpi_custom_val = QString::number(dpi_Stepper->value());
}

bool Barcode_Gen::Check_And_Validat_Barcode()
{
    if (isValidBarcodeValue(settings_.value()))
        return true;
    Set_Blank_Image();
    return false;
}

void Barcode_Gen::goButtonActionPerformed()
{
    if (loading_)
        return;
    readControls();
    // A column gone from the rows gives no value: the preview names it as the canvas does.
    if (settings_.data_source_type == 2 && Batch_Series->currentIndex() < 0 && !goneColumn_.isEmpty()) {
        image_scroll->showNoBarcode(goneColumn_);
        return;
    }
    if (!Check_And_Validat_Barcode())
        return;
    try {
        preview_ = Generate_Barcode_Variable(settings_, settings_.value(), settings_.header_val, settings_.footer_val);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
        preview_ = BarcodeGeneration();
    }
    if (preview_.picture.isNull())
        Set_Blank_Image();
    else
        image_scroll->Set_Barcode_On_Panel(preview_.picture);
}

void Barcode_Gen::Set_Blank_Image()
{
    image_scroll->Set_Blank_Image(
        settings_.value().isEmpty() ? whyNoValue() : whyValueIsRefused(settings_, settings_.value()));
}

QString Barcode_Gen::whyNoValue() const
{
    return settings_.data_source_type != 0 ? tr("The first card gives the barcode no value.")
                                           : tr("Please enter barcode value");
}

const Picture& Barcode_Gen::previewPicture() const
{
    return image_scroll->picture();
}

void Barcode_Gen::Liner_Barcode_Opt_Select()
{
    settings_.linear_or_2d = 0;
    showLinearControls(true);
    for (QWidget* box : std::initializer_list<QWidget*> { two_d_sett_box, pdf_2d_sett_box, dm_2d_sett_box })
        box->setVisible(false);
    if (sett_tab->count() == 4) {
        sett_tab->removeTab(3);
        sett_tab->setCurrentIndex(0);
    }
    _setLabels();
}

void Barcode_Gen::two_d_barcode_Opt_Select()
{
    settings_.linear_or_2d = 1;
    showLinearControls(false);
    const QString title = settings_.symbologyTitle();
    if (title == QLatin1String("QR Code") || title == QLatin1String("PDF417") || title == QLatin1String("DataMatrix")) {
        two_d_sett_box->setVisible(title == QLatin1String("QR Code"));
        pdf_2d_sett_box->setVisible(title == QLatin1String("PDF417"));
        dm_2d_sett_box->setVisible(title == QLatin1String("DataMatrix"));
    }
    if (sett_tab->count() == 3)
        sett_tab->insertTab(3, dpi_tab_item, tr("&Resolution"));
    image_scroll->setDragAndDropEnabled(title == QLatin1String("PDF417"));
    _setLabels();
}

void Barcode_Gen::showLinearControls(bool linear)
{
    dataText->setVisible(linear);
    dataText->setEnabled(linear);
    dataText_2D->setVisible(!linear);
    valueLabel->setBuddy(linear ? static_cast<QWidget*>(dataText) : dataText_2D);
    for (QWidget* linearOnly : std::initializer_list<QWidget*> { showinTopCheckbox, captionCheckbox, val_mar_Stepper,
             val_mar_label, val_font_label, val_font_btn, value_font_value, barcode_clr, bar_back_clr, bar_val_clr,
             val_clr_label, bar_clr_label, bar_bk_clr_label, linear_sett_box })
        linearOnly->setVisible(linear);
}

void Barcode_Gen::_setLabels()
{
    if (settings_.isTwoDimensional()) {
        barHeightLabel->setText(tr("Bar Height :"));
        barWidthLabel->setText(tr("Bar Width :"));
        return;
    }
    switch (settings_.Measument_Unit_Is) {
    case 0:
        barHeightLabel->setText(tr("Bar Height (in):"));
        margin_box->setTitle(tr("Margins (in)"));
        break;
    case 2:
        barHeightLabel->setText(tr("Bar Height (mm):"));
        margin_box->setTitle(tr("Margins (mm)"));
        break;
    default:
        barHeightLabel->setText(tr("Bar Height (cm):"));
        margin_box->setTitle(tr("Margins (cm)"));
        break;
    }
    barWidthLabel->setText(tr("Bar Width (Mils):"));
}

bool Barcode_Gen::Open_Wnd(const SKTGraphicPtr& graphic)
{
    if (!graphic)
        return false;
    outputImage_ = Picture();
    try {
        Set_Barcode_Prop_To_Control(loadBarcodeFields(*graphic));
        goneColumn_ = host_.goneColumnOf(*graphic);
        Batch_Series->setPlaceholderText(goneColumn_);
        // A bound barcode stores the value it had when it was bound; its source may have moved on,
        // or be gone, and then it shows nothing.
        if (const std::optional<QString> first = host_.valueOnFirstCard(*graphic))
            setValueText(*first);
        else if (!goneColumn_.isEmpty())
            setValueText(QString());
        goButtonActionPerformed();
    } catch (const std::exception& error) {
        Show_NSLog_Message(QString::fromUtf8(error.what()));
    }
    sett_tab->setCurrentIndex(0);
    if (settings_.isTwoDimensional())
        dataText_2D->setFocus();
    else
        dataText->setFocus();
    if (dialogs().runModal(*this) != QDialog::Accepted)
        return false;
    storeBarcodeFields(settings_, *graphic);
    return true;
}

// OK needs a value the kind accepts: the object's fields and its picture must agree. A refusal
// says what is missing or what the kind takes.
void Barcode_Gen::OK_Btn_Clicked()
{
    goButtonActionPerformed();
    if (previewPicture().isNull()) {
        tellWhyOkRefuses();
        return;
    }
    outputImage_ = previewPicture();
    accept();
}

void Barcode_Gen::tellWhyOkRefuses()
{
    const bool bound = settings_.data_source_type != 0;
    if (bound && Batch_Series->currentIndex() < 0) {
        const QString choose
            = settings_.data_source_type == 1 ? tr("Please select the series.") : tr("Please select the column.");
        if (goneColumn_.isEmpty() || settings_.data_source_type != 2)
            Show_MessageBox(choose);
        else
            Show_MessageBox_With_Reason(goneColumn_, choose);
    } else if (settings_.value().isEmpty()) {
        Show_MessageBox(whyNoValue());
    } else {
        Show_MessageBox_With_Reason(tr("Invalid barcode value"), whyValueIsRefused(settings_, settings_.value()));
    }
}

void Barcode_Gen::reject()
{
    outputImage_ = Picture();
    QDialog::reject();
}
