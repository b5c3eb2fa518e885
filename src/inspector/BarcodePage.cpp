#include "inspector/BarcodePage.h"

#include "inspector/InspectorHost.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void copyBarcodeSettings(const SKTGraphic& from, SKTGraphic& to)
{
    to.linear_or_2d = from.linear_or_2d;
    to.barcode_font_index = from.barcode_font_index;
    to.linear_font_val = from.linear_font_val;
    to.two_d_font_val = from.two_d_font_val;
    to.header_val = from.header_val;
    to.footer_val = from.footer_val;
    to.show_hide_hdr = from.show_hide_hdr;
    to.show_hide_ftr = from.show_hide_ftr;
    to.show_hide_val = from.show_hide_val;
    to.show_val_on_top = from.show_val_on_top;
    to.align_hdr_index = from.align_hdr_index;
    to.align_ftr_index = from.align_ftr_index;
    to.linear_height_val = from.linear_height_val;
    to.linear_width_val = from.linear_width_val;
    to.qr_size_val = from.qr_size_val;
    to.qr_version_index = from.qr_version_index;
    to.qr_ec_index = from.qr_ec_index;
    to.pdf_hgt_val = from.pdf_hgt_val;
    to.pdf_wdt_val = from.pdf_wdt_val;
    to.pdf_ec_val = from.pdf_ec_val;
    to.dm_module_val = from.dm_module_val;
    to.dm_format_index = from.dm_format_index;
    to.dm_encoding_index = from.dm_encoding_index;
    to.hdr_margin_val = from.hdr_margin_val;
    to.ftr_margin_val = from.ftr_margin_val;
    to.val_margin_val = from.val_margin_val;
    to.TB_marging_val = from.TB_marging_val;
    to.LR_margin_val = from.LR_margin_val;
    to.value_font_val = from.value_font_val;
    to.header_font_val = from.header_font_val;
    to.footer_font_val = from.footer_font_val;
    to.barcode_hdr_clr_val = from.barcode_hdr_clr_val;
    to.barcode_ftr_clr_val = from.barcode_ftr_clr_val;
    to.barcode_val_clr_val = from.barcode_val_clr_val;
    to.barcode_back_clr_val = from.barcode_back_clr_val;
    to.barcode_clr_val = from.barcode_clr_val;
    to.dpi_val_index = from.dpi_val_index;
    to.dpi_custom_val = from.dpi_custom_val;
    to.kerning_value_state = from.kerning_value_state;
}

} // namespace

BarcodePage::BarcodePage(InspectorHost& host, QWidget* parent)
    : ObjectPage(parent)
    , host_(host)
{
    auto* text = new QLabel(tr("The kind, value, size, texts and colours of the barcode are set in the barcode "
                               "window. With several barcodes selected, all of them take the settings."));
    text->setWordWrap(true);
    auto* open = new QPushButton(tr("&Barcode Properties…"));
    open->setToolTip(tr("Edit the selected barcode in the barcode window"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(open, 0, Qt::AlignLeft);
    layout->addStretch(1);
    connect(open, &QPushButton::clicked, this, [this] { host_.Open_Barcode_Window(); });
}

void BarcodePage::Update_Barcode_Graphics(const SKTGraphic& edited)
{
    host_.writeSelectedGraphics([&](SKTGraphic& graphic, qsizetype) {
        graphic.print_object = printObjectValue(graphic);
        if (&graphic != &edited)
            copyBarcodeSettings(edited, graphic);
    });
}
