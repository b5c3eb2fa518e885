// The window's controls and their places.
#include "barcodewindow/Barcode_Gen.h"

#include "barcodes/BarcodeOptionItems.h"
#include "barcodes/BarcodeSymbologies.h"
#include "barcodewindow/BarcodePreview.h"
#include "barcodewindow/ColourWell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

template <size_t N> QStringList itemTexts(const std::array<const char*, N>& items)
{
    QStringList texts;
    for (const char* item : items)
        texts << QString::fromLatin1(item);
    return texts;
}

QComboBox* comboWith(const QString& name, const QStringList& items)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    return combo;
}

QSpinBox* integerPair(const QString& name, BarcodeRange range, int value)
{
    auto* box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(int(range.minimum), int(range.maximum));
    box->setValue(value);
    box->setAccelerated(true);
    return box;
}

QDoubleSpinBox* lengthPair(const QString& name, BarcodeRange range, double step, double value)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setDecimals(3);
    box->setRange(range.minimum, range.maximum);
    box->setSingleStep(step);
    box->setValue(value);
    box->setAccelerated(true);
    return box;
}

QToolButton* helpButton(const QString& name)
{
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setIcon(QIcon::fromTheme(QStringLiteral("help-contents")));
    if (button->icon().isNull())
        button->setText(QStringLiteral("?"));
    button->setToolTip(QObject::tr("What does this mean?"));
    return button;
}

// A row of a control with its help button beside it. The label's buddy is the control
// itself: a label's letter skips a buddy that takes no focus, focus proxy or not.
void addRowWithHelp(QFormLayout* form, const QString& text, QWidget* control, const QString& helpName)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control, 1);
    layout->addWidget(helpButton(helpName));
    auto* label = new QLabel(text);
    label->setBuddy(control);
    form->addRow(label, row);
}

QGroupBox* groupBox(const QString& name, const QString& title)
{
    auto* box = new QGroupBox(title);
    box->setObjectName(name);
    return box;
}

} // namespace

void Barcode_Gen::buildControls()
{
    setWindowTitle(tr("Barcode Properties"));
    auto* columns = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    auto* typeRow = new QFormLayout;
    QStringList titles;
    for (const char* title : BarcodeSymbologyTitles)
        titles << QString::fromLatin1(title);
    barcodeTypePopup = comboWith(QStringLiteral("barcodeTypePopup"), titles);
    barcodeTypePopup->setMaxVisibleItems(22);
    typeRow->addRow(tr("Barcode &type:"), barcodeTypePopup);
    left->addLayout(typeRow);
    left->addWidget(buildValueArea());

    sett_tab = new QTabWidget;
    sett_tab->setObjectName(QStringLiteral("sett_tab"));
    sett_tab->addTab(buildSymbolTab(), tr("&Barcode"));
    sett_tab->addTab(buildTextTab(), tr("Te&xt && Colours"));
    sett_tab->addTab(buildMarginTab(), tr("&Margins"));
    // Shown in two-dimensional mode only; the panels take it out and put it back.
    dpi_tab_item = buildResolutionTab();
    sett_tab->addTab(dpi_tab_item, tr("&Resolution"));
    left->addWidget(sett_tab, 1);
    left->addWidget(buildDataSourceBox());
    // A fixed width keeps the preview still when the panels of another kind show.
    auto* leftColumn = new QWidget;
    leftColumn->setLayout(left);
    left->setContentsMargins(0, 0, 0, 0);
    leftColumn->setFixedWidth(470);
    columns->addWidget(leftColumn);

    auto* right = new QVBoxLayout;
    auto* previewLabel = new QLabel(tr("Preview"));
    image_scroll = new BarcodePreview;
    previewLabel->setBuddy(image_scroll);
    right->addWidget(previewLabel);
    right->addWidget(image_scroll, 1);
    auto* previewButton = new QPushButton(tr("Refresh Prev&iew"));
    previewButton->setObjectName(QStringLiteral("Encode_btn"));
    previewButton->setToolTip(tr("Draw the barcode again from the current settings"));
    connect(previewButton, &QPushButton::clicked, this, &Barcode_Gen::goButtonActionPerformed);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    okButton = buttons->button(QDialogButtonBox::Ok);
    cancelButton = buttons->button(QDialogButtonBox::Cancel);
    connect(okButton, &QPushButton::clicked, this, &Barcode_Gen::OK_Btn_Clicked);
    connect(cancelButton, &QPushButton::clicked, this, &Barcode_Gen::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(previewButton);
    bottom->addStretch(1);
    bottom->addWidget(buttons);
    right->addLayout(bottom);
    columns->addLayout(right, 1);
    resize(960, 620);
}

QWidget* Barcode_Gen::buildValueArea()
{
    auto* area = new QWidget;
    auto* form = new QFormLayout(area);
    form->setContentsMargins(0, 0, 0, 0);
    dataText = new QLineEdit;
    dataText->setObjectName(QStringLiteral("dataText"));
    dataText_2D = new QPlainTextEdit;
    dataText_2D->setObjectName(QStringLiteral("dataText_2D"));
    dataText_2D->setTabChangesFocus(true);
    dataText_2D->setFixedHeight(dataText_2D->fontMetrics().lineSpacing() * 3 + 12);
    auto* value = new QWidget;
    auto* valueLayout = new QVBoxLayout(value);
    valueLayout->setContentsMargins(0, 0, 0, 0);
    valueLayout->addWidget(dataText);
    valueLayout->addWidget(dataText_2D);
    valueLabel = new QLabel(tr("&Value:"));
    valueLabel->setBuddy(dataText);
    form->addRow(valueLabel, value);

    HeaderText = new QLineEdit;
    HeaderText->setObjectName(QStringLiteral("HeaderText"));
    hideHeaderCheckbox = new QCheckBox(tr("Hide"));
    hideHeaderCheckbox->setObjectName(QStringLiteral("hideHeaderCheckbox"));
    auto* headerRow = new QHBoxLayout;
    headerRow->addWidget(HeaderText, 1);
    headerRow->addWidget(hideHeaderCheckbox);
    form->addRow(tr("&Header:"), headerRow);
    qobject_cast<QLabel*>(form->labelForField(headerRow))->setBuddy(HeaderText);

    FooterText = new QLineEdit;
    FooterText->setObjectName(QStringLiteral("FooterText"));
    hideFooterCheckbox = new QCheckBox(tr("Hide"));
    hideFooterCheckbox->setObjectName(QStringLiteral("hideFooterCheckbox"));
    auto* footerRow = new QHBoxLayout;
    footerRow->addWidget(FooterText, 1);
    footerRow->addWidget(hideFooterCheckbox);
    form->addRow(tr("&Footer:"), footerRow);
    qobject_cast<QLabel*>(form->labelForField(footerRow))->setBuddy(FooterText);
    return area;
}

QWidget* Barcode_Gen::buildSymbolTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(buildLinearBox());
    layout->addWidget(buildQrBox());
    layout->addWidget(buildPdfBox());
    layout->addWidget(buildDataMatrixBox());
    layout->addStretch(1);
    return page;
}

QGroupBox* Barcode_Gen::buildLinearBox()
{
    linear_sett_box = groupBox(QStringLiteral("linear_sett_box"), tr("Bars and value"));
    auto* form = new QFormLayout(linear_sett_box);
    HeightStepper = lengthPair(QStringLiteral("HeightStepper"), BarHeightRange, 0.1, 0.6);
    widthStepper = lengthPair(QStringLiteral("widthStepper"), BarWidthRange, 1, 20);
    widthStepper->setDecimals(1);
    barHeightLabel = new QLabel;
    barHeightLabel->setBuddy(HeightStepper);
    barWidthLabel = new QLabel;
    barWidthLabel->setBuddy(widthStepper);
    form->addRow(barHeightLabel, HeightStepper);
    form->addRow(barWidthLabel, widthStepper);
    captionCheckbox = new QCheckBox(tr("Hide the val&ue"));
    captionCheckbox->setObjectName(QStringLiteral("captionCheckbox"));
    showinTopCheckbox = new QCheckBox(tr("Value o&n top"));
    showinTopCheckbox->setObjectName(QStringLiteral("showinTopCheckbox"));
    kerning_value_Checkbox = new QCheckBox(tr("&Spread the value"));
    kerning_value_Checkbox->setObjectName(QStringLiteral("kerning_value_Checkbox"));
    auto* checks = new QHBoxLayout;
    checks->addWidget(captionCheckbox);
    checks->addWidget(showinTopCheckbox);
    checks->addWidget(kerning_value_Checkbox);
    checks->addStretch(1);
    form->addRow(checks);
    bar_align_combo = comboWith(QStringLiteral("bar_align_combo"), itemTexts(BarcodePlacementItems));
    bar_align_combo->setToolTip(tr("Where the barcode sits in the preview"));
    form->addRow(tr("Preview &placement:"), bar_align_combo);
    return linear_sett_box;
}

QGroupBox* Barcode_Gen::buildQrBox()
{
    two_d_sett_box = groupBox(QStringLiteral("two_d_sett_box"), tr("QR Code"));
    auto* form = new QFormLayout(two_d_sett_box);
    HeightStepper_2D = integerPair(QStringLiteral("HeightStepper_2D"), QRSizeRange, 60);
    HeightStepper_2D->setSuffix(tr(" pt"));
    form->addRow(tr("Si&ze:"), HeightStepper_2D);
    QStringList versions { QStringLiteral("Auto") };
    for (int version = 1; version <= 40; ++version)
        versions << QStringLiteral("V%1").arg(version);
    qr_version_ComboBox = comboWith(QStringLiteral("qr_version_ComboBox"), versions);
    addRowWithHelp(form, tr("Ver&sion:"), qr_version_ComboBox, QStringLiteral("QR_Version_Help_Btn"));
    qr_ec_lvl_ComboBox = comboWith(QStringLiteral("qr_ec_lvl_ComboBox"), itemTexts(QRLevelItems));
    addRowWithHelp(form, tr("&Error correction:"), qr_ec_lvl_ComboBox, QStringLiteral("QR_EC_Lvl_Help_Btn"));
    qr_enc_mode_ComboBox = comboWith(QStringLiteral("qr_enc_mode_ComboBox"), itemTexts(QRModeItems));
    form->addRow(tr("Enco&ding mode:"), qr_enc_mode_ComboBox);
    return two_d_sett_box;
}

QGroupBox* Barcode_Gen::buildPdfBox()
{
    pdf_2d_sett_box = groupBox(QStringLiteral("pdf_2d_sett_box"), tr("PDF417"));
    auto* form = new QFormLayout(pdf_2d_sett_box);
    Pdf_widthStepper_2D = integerPair(QStringLiteral("Pdf_widthStepper_2D"), PdfWidthRange, 100);
    Pdf_widthStepper_2D->setSuffix(tr(" pt"));
    pdf_HeightStepper_2D = integerPair(QStringLiteral("pdf_HeightStepper_2D"), PdfHeightRange, 20);
    pdf_HeightStepper_2D->setSuffix(tr(" pt"));
    pdf_row_Stepper = integerPair(QStringLiteral("pdf_row_Stepper"), { 3, 90 }, 3);
    pdf_col_Stepper = integerPair(QStringLiteral("pdf_col_Stepper"), { 1, 30 }, 3);
    pdf_ec_lvl_Stepper = integerPair(QStringLiteral("pdf_ec_lvl_Stepper"), PdfLevelRange, 2);
    form->addRow(tr("&Width:"), Pdf_widthStepper_2D);
    form->addRow(tr("Hei&ght:"), pdf_HeightStepper_2D);
    addRowWithHelp(form, tr("Row&s:"), pdf_row_Stepper, QStringLiteral("PDF_row_Help_btn"));
    addRowWithHelp(form, tr("Co&lumns:"), pdf_col_Stepper, QStringLiteral("PDF_col_Help_btn"));
    addRowWithHelp(form, tr("&EC level:"), pdf_ec_lvl_Stepper, QStringLiteral("PDF_ec_lvl_Help_btn"));
    return pdf_2d_sett_box;
}

QGroupBox* Barcode_Gen::buildDataMatrixBox()
{
    dm_2d_sett_box = groupBox(QStringLiteral("dm_2d_sett_box"), tr("Data Matrix"));
    auto* form = new QFormLayout(dm_2d_sett_box);
    dm_moduleStepper_2D = integerPair(QStringLiteral("dm_moduleStepper_2D"), DataMatrixModuleRange, 2);
    dm_moduleStepper_2D->setSuffix(tr(" pt"));
    dm_widthStepper_2D = integerPair(QStringLiteral("dm_widthStepper_2D"), { 1, 3000 }, 40);
    dm_widthStepper_2D->setSuffix(tr(" pt"));
    dm_HeightStepper_2D = integerPair(QStringLiteral("dm_HeightStepper_2D"), { 1, 3000 }, 40);
    dm_HeightStepper_2D->setSuffix(tr(" pt"));
    dm_format_ComboBox = comboWith(QStringLiteral("dm_format_ComboBox"), itemTexts(DataMatrixFormatItems));
    dm_encoding_ComboBox = comboWith(QStringLiteral("dm_encoding_ComboBox"), itemTexts(DataMatrixEncodingItems));
    form->addRow(tr("Module si&ze:"), dm_moduleStepper_2D);
    form->addRow(tr("&Width:"), dm_widthStepper_2D);
    form->addRow(tr("Hei&ght:"), dm_HeightStepper_2D);
    addRowWithHelp(form, tr("&Preferred format:"), dm_format_ComboBox, QStringLiteral("DM_format_Help_btn"));
    addRowWithHelp(form, tr("&Encoding:"), dm_encoding_ComboBox, QStringLiteral("DM_Encoding_Help_btn"));
    return dm_2d_sett_box;
}

QWidget* Barcode_Gen::buildTextTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    const auto fontRow = [&](const QString& name, QLabel*& label, QPushButton*& button) {
        label = new QLabel;
        label->setObjectName(name);
        button = new QPushButton(tr("Choose..."));
        auto* row = new QHBoxLayout;
        row->addWidget(label, 1);
        row->addWidget(button);
        return row;
    };
    val_font_label = new QLabel(tr("Value font:"));
    form->addRow(val_font_label, fontRow(QStringLiteral("value_font_value"), value_font_value, val_font_btn));
    form->addRow(tr("Header font:"), fontRow(QStringLiteral("header_font_value"), header_font_value, hdr_font_btn));
    form->addRow(tr("Footer font:"), fontRow(QStringLiteral("footer_font_value"), footer_font_value, ftr_font_btn));
    val_font_btn->setToolTip(tr("Choose the font of the value"));
    hdr_font_btn->setToolTip(tr("Choose the font of the header"));
    ftr_font_btn->setToolTip(tr("Choose the font of the footer"));

    align_hdr_combo = comboWith(QStringLiteral("align_hdr_combo"), itemTexts(BarcodeAlignmentItems));
    align_ftr_combo = comboWith(QStringLiteral("align_ftr_combo"), itemTexts(BarcodeAlignmentItems));
    form->addRow(tr("Header &alignment:"), align_hdr_combo);
    form->addRow(tr("Footer a&lignment:"), align_ftr_combo);

    const auto well = [&](const QString& name, const QString& tip) {
        auto* colourWell = new ColourWell(name);
        colourWell->setToolTip(tip);
        return colourWell;
    };
    barcode_clr = well(QStringLiteral("barcode_clr"), tr("Colour of the bars"));
    bar_back_clr = well(QStringLiteral("bar_back_clr"), tr("Colour of the background"));
    bar_val_clr = well(QStringLiteral("bar_val_clr"), tr("Colour of the value"));
    bar_hdr_clr = well(QStringLiteral("bar_hdr_clr"), tr("Colour of the header"));
    bar_ftr_clr = well(QStringLiteral("bar_ftr_clr"), tr("Colour of the footer"));
    bar_clr_label = new QLabel(tr("Bars:"));
    bar_bk_clr_label = new QLabel(tr("Background:"));
    val_clr_label = new QLabel(tr("Value:"));
    auto* colours = new QGridLayout;
    colours->addWidget(bar_clr_label, 0, 0);
    colours->addWidget(barcode_clr, 0, 1);
    colours->addWidget(bar_bk_clr_label, 0, 2);
    colours->addWidget(bar_back_clr, 0, 3);
    colours->addWidget(val_clr_label, 0, 4);
    colours->addWidget(bar_val_clr, 0, 5);
    colours->addWidget(new QLabel(tr("Header:")), 1, 0);
    colours->addWidget(bar_hdr_clr, 1, 1);
    colours->addWidget(new QLabel(tr("Footer:")), 1, 2);
    colours->addWidget(bar_ftr_clr, 1, 3);
    colours->setColumnStretch(6, 1);
    form->addRow(tr("Colours:"), colours);
    return page;
}

QWidget* Barcode_Gen::buildMarginTab()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    margin_box = groupBox(QStringLiteral("margin_box"), QString());
    auto* form = new QFormLayout(margin_box);
    val_mar_Stepper = lengthPair(QStringLiteral("val_mar_Stepper"), MarginRange, 0.05, 0.1);
    hdr_mar_Stepper = lengthPair(QStringLiteral("hdr_mar_Stepper"), MarginRange, 0.05, 0.1);
    ftr_mar_Stepper = lengthPair(QStringLiteral("ftr_mar_Stepper"), MarginRange, 0.05, 0.1);
    TB_mar_Stepper = lengthPair(QStringLiteral("TB_mar_Stepper"), MarginRange, 0.05, 0.1);
    LR_mar_Stepper = lengthPair(QStringLiteral("LR_mar_Stepper"), MarginRange, 0.05, 0.1);
    val_mar_label = new QLabel(tr("Bars to v&alue:"));
    val_mar_label->setBuddy(val_mar_Stepper);
    form->addRow(val_mar_label, val_mar_Stepper);
    form->addRow(tr("Hea&der:"), hdr_mar_Stepper);
    form->addRow(tr("Foot&er:"), ftr_mar_Stepper);
    form->addRow(tr("To&p and bottom:"), TB_mar_Stepper);
    form->addRow(tr("&Left and right:"), LR_mar_Stepper);
    layout->addWidget(margin_box);
    layout->addStretch(1);
    return page;
}

QWidget* Barcode_Gen::buildResolutionTab()
{
    auto* page = new QWidget;
    auto* form = new QFormLayout(page);
    DPI_ComboBox = comboWith(QStringLiteral("DPI_ComboBox"), itemTexts(BarcodeDpiItems));
    addRowWithHelp(form, tr("Resolution (&dpi):"), DPI_ComboBox, QStringLiteral("DPI_Help_Label"));
    dpi_Stepper = integerPair(QStringLiteral("dpi_Stepper"), { BarcodeMinimumDpi, BarcodeMaximumDpi }, BarcodeAutoDpi);
    dpi_Stepper->setSuffix(tr(" dpi"));
    form->addRow(tr("C&ustom:"), dpi_Stepper);
    return page;
}

QWidget* Barcode_Gen::buildDataSourceBox()
{
    auto* box = groupBox(QStringLiteral("data_source_box"), tr("Data source"));
    auto* row = new QHBoxLayout(box);
    Data_source_type
        = comboWith(QStringLiteral("Data_source_type"), { tr("Manual"), tr("Series"), tr("Excel Column") });
    Data_source_type->setToolTip(tr("Where a batch run takes the value from"));
    Batch_Series = new QComboBox;
    Batch_Series->setObjectName(QStringLiteral("Batch_Series"));
    Batch_Series->setMinimumContentsLength(12);
    Batch_Series->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    view_series_btn = new QPushButton(tr("View..."));
    view_series_btn->setObjectName(QStringLiteral("view_series_btn"));
    view_series_btn->setToolTip(tr("Show the values of the chosen series"));
    row->addWidget(Data_source_type);
    row->addWidget(Batch_Series, 1);
    row->addWidget(view_series_btn);
    return box;
}
