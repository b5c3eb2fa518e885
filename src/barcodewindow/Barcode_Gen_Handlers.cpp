// What the controls do: every change regenerates the preview from the settings.
#include "barcodewindow/Barcode_Gen.h"

#include "barcodes/BarcodeSizing.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodes/BarcodeSymbols2D.h"
#include "barcodewindow/BarcodePreview.h"
#include "barcodewindow/ColourWell.h"
#include "common/MessageBoxes.h"
#include "platform/DialogService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

void Barcode_Gen::connectControls()
{
    connect(barcodeTypePopup, &QComboBox::activated, this, &Barcode_Gen::barcodeTypeChanged);
    connect(dataText, &QLineEdit::textEdited, this, &Barcode_Gen::controlChanged);
    connect(dataText_2D, &QPlainTextEdit::textChanged, this, &Barcode_Gen::controlChanged);
    for (QLineEdit* text : { HeaderText, FooterText })
        connect(text, &QLineEdit::textEdited, this, &Barcode_Gen::controlChanged);
    for (QCheckBox* box : { hideHeaderCheckbox, hideFooterCheckbox, showinTopCheckbox, kerning_value_Checkbox })
        connect(box, &QCheckBox::clicked, this, &Barcode_Gen::controlChanged);
    connect(captionCheckbox, &QCheckBox::clicked, this, &Barcode_Gen::captionChanged);
    for (QComboBox* combo :
        { align_hdr_combo, align_ftr_combo, qr_ec_lvl_ComboBox, qr_enc_mode_ComboBox, dm_encoding_ComboBox })
        connect(combo, &QComboBox::activated, this, &Barcode_Gen::controlChanged);
    connect(qr_version_ComboBox, &QComboBox::activated, this, &Barcode_Gen::qrVersionChanged);
    connect(dm_format_ComboBox, &QComboBox::activated, this, [this] {
        data_matrix_barcode_size_acc_format();
        goButtonActionPerformed();
    });
    connect(dm_moduleStepper_2D, &QSpinBox::valueChanged, this, [this] {
        data_matrix_barcode_size_acc_format();
        goButtonActionPerformed();
    });
    connect(bar_align_combo, &QComboBox::activated, this,
        [this] { image_scroll->setPlacement(bar_align_combo->currentText()); });
    for (QDoubleSpinBox* pair : { HeightStepper, widthStepper, val_mar_Stepper, hdr_mar_Stepper, ftr_mar_Stepper,
             TB_mar_Stepper, LR_mar_Stepper })
        connect(pair, &QDoubleSpinBox::valueChanged, this, &Barcode_Gen::controlChanged);
    for (QSpinBox* pair : { HeightStepper_2D, pdf_HeightStepper_2D, Pdf_widthStepper_2D, pdf_ec_lvl_Stepper,
             pdf_row_Stepper, pdf_col_Stepper, dm_widthStepper_2D, dm_HeightStepper_2D })
        connect(pair, &QSpinBox::valueChanged, this, &Barcode_Gen::controlChanged);
    // The resolution applies to the next symbol drawn; the preview looks the same at any.
    connect(DPI_ComboBox, &QComboBox::activated, this, &Barcode_Gen::dpiChoiceChanged);
    connect(dpi_Stepper, &QSpinBox::valueChanged, this, &Barcode_Gen::readControls);
    for (ColourWell* well : { bar_hdr_clr, bar_ftr_clr, bar_val_clr, bar_back_clr, barcode_clr })
        connect(well, &ColourWell::colorChosen, this, &Barcode_Gen::controlChanged);
    connect(val_font_btn, &QPushButton::clicked, this, [this] { chooseFont(settings_.value_font_val); });
    connect(hdr_font_btn, &QPushButton::clicked, this, [this] { chooseFont(settings_.header_font_val); });
    connect(ftr_font_btn, &QPushButton::clicked, this, [this] { chooseFont(settings_.footer_font_val); });
    connect(image_scroll, &BarcodePreview::textDropped, this, &Barcode_Gen::textDropped);
    connect(Data_source_type, &QComboBox::activated, this, &Barcode_Gen::dataSourceChanged);
    connect(Batch_Series, &QComboBox::activated, this, &Barcode_Gen::batchSeriesChosen);
    connect(view_series_btn, &QPushButton::clicked, this, &Barcode_Gen::View_batch_Series_Button);
    for (QToolButton* help : findChildren<QToolButton*>(QRegularExpression(QStringLiteral("Help_"))))
        connect(help, &QToolButton::clicked, this, &Barcode_Gen::showHelp);
}

void Barcode_Gen::controlChanged()
{
    goButtonActionPerformed();
}

// The value typed goes with the person to the new kind, whichever value box that kind shows;
// a kind that cannot encode it shows the same error as for any value it cannot encode.
void Barcode_Gen::barcodeTypeChanged()
{
    const QString typed = settings_.isTwoDimensional() ? dataText_2D->toPlainText() : dataText->text();
    settings_.barcode_font_index = barcodeTypePopup->currentIndex();
    if (settings_.barcode_font_index >= LinearSymbologyCount)
        two_d_barcode_Opt_Select();
    else
        Liner_Barcode_Opt_Select();
    setValueText(typed);
    kerning_value_Checkbox->setEnabled(settings_.kerningAllowed());
    readControls();
    if (settings_.value().isEmpty()) {
        Show_MessageBox(tr("Please enter barcode value"));
        Set_Blank_Image();
        return;
    }
    goButtonActionPerformed();
}

void Barcode_Gen::captionChanged()
{
    showinTopCheckbox->setEnabled(!captionCheckbox->isChecked());
    goButtonActionPerformed();
}

void Barcode_Gen::qrVersionChanged()
{
    HeightStepper_2D->setMinimum(Check_And_Set_QR_size_Acc_Version(qr_version_ComboBox->currentIndex()));
    goButtonActionPerformed();
}

// A chosen size only raises the width and height to what its modules need.
void Barcode_Gen::data_matrix_barcode_size_acc_format()
{
    const DataMatrixSize size = dataMatrixFormatSize(dm_format_ComboBox->currentText());
    const int module = dm_moduleStepper_2D->value();
    const QSignalBlocker widthBlocker(dm_widthStepper_2D);
    const QSignalBlocker heightBlocker(dm_HeightStepper_2D);
    if (dm_widthStepper_2D->value() < size.columns * module)
        dm_widthStepper_2D->setValue(size.columns * module);
    if (dm_HeightStepper_2D->value() < size.rows * module)
        dm_HeightStepper_2D->setValue(size.rows * module);
}

void Barcode_Gen::chooseFont(QFont& font)
{
    QFontDialog dialog(font, this);
    dialog.setWindowTitle(tr("Choose Font"));
    if (dialogs().runModal(dialog) != QDialog::Accepted)
        return;
    font = dialog.currentFont();
    showFontLabels();
    goButtonActionPerformed();
}

void Barcode_Gen::showFontLabels()
{
    const auto show = [](QLabel* label, const QFont& font) {
        label->setText(QStringLiteral("%1 ( %2 )").arg(font.family()).arg(font.pointSizeF(), 0, 'f', 2));
    };
    show(value_font_value, settings_.value_font_val);
    show(header_font_value, settings_.header_font_val);
    show(footer_font_value, settings_.footer_font_val);
}
