#pragma once

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/BarcodeGeneration.h"
#include "model/SKTGraphic.h"
#include "platform/Picture.h"

#include <QDialog>

class BarcodePreview;
class BarcodeWindowHost;
class ColourWell;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QWidget;

// The barcode properties window. It edits a copy of one card object's barcode settings with
// a live preview; only OK writes the settings into the object and hands back the picture.
// Every preview comes from the same generation function that batch runs use.
class Barcode_Gen : public QDialog
{
    Q_OBJECT

public:
    explicit Barcode_Gen(BarcodeWindowHost& host, QWidget* parent = nullptr);
    ~Barcode_Gen() override;

    // Shows the object's settings, runs the window modally, and on OK stores the settings
    // into the object. True when the window ended with OK; Barcode_output_image then holds
    // the new picture. Cancel changes nothing.
    bool Open_Wnd(const SKTGraphicPtr& graphic);
    // The picture of the last OK.
    const Picture& Barcode_output_image() const { return outputImage_; }

    // Fills the controls from a settings record without regenerating.
    void Set_Barcode_Prop_To_Control(const BarcodeGenSettings& settings);
    // The settings as the controls show them.
    const BarcodeGenSettings& currentSettings() const { return settings_; }

    // Regenerates the preview from the value shown (the preview button does the same).
    void goButtonActionPerformed();
    // Whether the value may be encoded; a failure blanks the preview.
    bool Check_And_Validat_Barcode();
    // No picture, and why the value gives none under the error label.
    void Set_Blank_Image();
    const Picture& previewPicture() const;
    bool isTwoDimensionalMode() const { return settings_.isTwoDimensional(); }

    // Controls, named as the settings they show.
    QComboBox* barcodeTypePopup = nullptr;
    QLineEdit* dataText = nullptr;
    QPlainTextEdit* dataText_2D = nullptr;
    QLineEdit* HeaderText = nullptr;
    QLineEdit* FooterText = nullptr;
    QCheckBox* hideHeaderCheckbox = nullptr;
    QCheckBox* hideFooterCheckbox = nullptr;
    QCheckBox* captionCheckbox = nullptr;
    QCheckBox* showinTopCheckbox = nullptr;
    QCheckBox* kerning_value_Checkbox = nullptr;
    QComboBox* align_hdr_combo = nullptr;
    QComboBox* align_ftr_combo = nullptr;
    QComboBox* bar_align_combo = nullptr;
    QDoubleSpinBox* HeightStepper = nullptr;
    QDoubleSpinBox* widthStepper = nullptr;
    QLabel* valueLabel = nullptr; // its letter reaches the value box of the kind shown
    QLabel* barHeightLabel = nullptr;
    QLabel* barWidthLabel = nullptr;
    QSpinBox* HeightStepper_2D = nullptr;
    QComboBox* qr_enc_mode_ComboBox = nullptr;
    QComboBox* qr_version_ComboBox = nullptr;
    QComboBox* qr_ec_lvl_ComboBox = nullptr;
    QSpinBox* pdf_HeightStepper_2D = nullptr;
    QSpinBox* Pdf_widthStepper_2D = nullptr;
    QSpinBox* pdf_ec_lvl_Stepper = nullptr;
    QSpinBox* pdf_row_Stepper = nullptr;
    QSpinBox* pdf_col_Stepper = nullptr;
    QSpinBox* dm_moduleStepper_2D = nullptr;
    QSpinBox* dm_widthStepper_2D = nullptr;
    QSpinBox* dm_HeightStepper_2D = nullptr;
    QComboBox* dm_format_ComboBox = nullptr;
    QComboBox* dm_encoding_ComboBox = nullptr;
    QComboBox* DPI_ComboBox = nullptr;
    QSpinBox* dpi_Stepper = nullptr;
    QDoubleSpinBox* val_mar_Stepper = nullptr;
    QDoubleSpinBox* hdr_mar_Stepper = nullptr;
    QDoubleSpinBox* ftr_mar_Stepper = nullptr;
    QDoubleSpinBox* TB_mar_Stepper = nullptr;
    QDoubleSpinBox* LR_mar_Stepper = nullptr;
    ColourWell* bar_hdr_clr = nullptr;
    ColourWell* bar_ftr_clr = nullptr;
    ColourWell* bar_val_clr = nullptr;
    ColourWell* bar_back_clr = nullptr;
    ColourWell* barcode_clr = nullptr;
    QLabel* value_font_value = nullptr;
    QLabel* header_font_value = nullptr;
    QLabel* footer_font_value = nullptr;
    QPushButton* val_font_btn = nullptr;
    QPushButton* hdr_font_btn = nullptr;
    QPushButton* ftr_font_btn = nullptr;
    QComboBox* Data_source_type = nullptr;
    QComboBox* Batch_Series = nullptr;
    QPushButton* view_series_btn = nullptr;
    BarcodePreview* image_scroll = nullptr;
    QTabWidget* sett_tab = nullptr;
    QWidget* dpi_tab_item = nullptr;
    QGroupBox* linear_sett_box = nullptr;
    QGroupBox* two_d_sett_box = nullptr;
    QGroupBox* pdf_2d_sett_box = nullptr;
    QGroupBox* dm_2d_sett_box = nullptr;
    QGroupBox* margin_box = nullptr;
    QLabel* val_mar_label = nullptr;
    QLabel* val_font_label = nullptr;
    QLabel* val_clr_label = nullptr;
    QLabel* bar_clr_label = nullptr;
    QLabel* bar_bk_clr_label = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* cancelButton = nullptr;

    // Panels of the two modes.
    void Liner_Barcode_Opt_Select();
    void two_d_barcode_Opt_Select();
    void _setLabels();

protected:
    void reject() override;

private:
    // Layout (Barcode_Gen_Layout.cpp).
    void buildControls();
    QWidget* buildValueArea();
    QWidget* buildSymbolTab();
    QWidget* buildTextTab();
    QWidget* buildMarginTab();
    QWidget* buildResolutionTab();
    QWidget* buildDataSourceBox();
    QGroupBox* buildLinearBox();
    QGroupBox* buildQrBox();
    QGroupBox* buildPdfBox();
    QGroupBox* buildDataMatrixBox();

    void showLinearControls(bool linear);

    // Handlers (Barcode_Gen_Handlers.cpp, Barcode_Gen_Options2D.cpp).
    void connectControls();
    void readControls();
    void controlChanged();
    void barcodeTypeChanged();
    void chooseFont(QFont& font);
    void showFontLabels();
    void captionChanged();
    void qrVersionChanged();
    void data_matrix_barcode_size_acc_format();
    void dpiChoiceChanged();
    void dataSourceChanged();
    void batchSeriesChosen();
    void View_batch_Series_Button();
    void showHelp();
    void setValueText(const QString& value);
    void textDropped(const QString& text);
    void OK_Btn_Clicked();
    void tellWhyOkRefuses();
    // What an empty value lacks: a typed value, or a value on the bound first card.
    QString whyNoValue() const;

    BarcodeWindowHost& host_;
    BarcodeGenSettings settings_;
    BarcodeGeneration preview_;
    Picture outputImage_;
    int shownDataSource_ = 0;
    QString goneColumn_; // how the canvas names the edited object's column when the rows lack it
    bool loading_ = false;
};
