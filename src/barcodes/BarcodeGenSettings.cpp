#include "barcodes/BarcodeGenSettings.h"

#include "barcodes/BarcodeOptionItems.h"
#include "barcodes/BarcodeSizing.h"
#include "barcodes/BarcodeSymbologies.h"

#include <algorithm>

BarcodeGenSettings::BarcodeGenSettings()
{
    const BarcodeSettings defaults;
    value_font_val = defaults.value_font;
    header_font_val = defaults.header_font;
    footer_font_val = defaults.footer_font;
}

QString BarcodeGenSettings::symbologyTitle() const
{
    return QLatin1String(optionItem(BarcodeSymbologyTitles, barcode_font_index));
}

bool BarcodeGenSettings::kerningAllowed() const
{
    static const QStringList placedDigits = { "UPCE", "UPCA", "EAN-8", "EAN-13" };
    return !placedDigits.contains(symbologyTitle());
}

int BarcodeGenSettings::USED_DPI_VALUE() const
{
    const QLatin1String item(optionItem(BarcodeDpiItems, dpi_val_index));
    if (item == QLatin1String("Custom")) {
        bool ok = false;
        const int custom = dpi_custom_val.trimmed().toInt(&ok);
        return ok ? std::clamp(custom, BarcodeMinimumDpi, BarcodeMaximumDpi) : BarcodeAutoDpi;
    }
    bool ok = false;
    const int listed = QString(item).toInt(&ok);
    return ok ? listed : BarcodeAutoDpi;
}

float BarcodeGenSettings::toPoints(float length) const
{
    return Unit_To_Points(length, Measument_Unit_Is);
}

BarcodeSettings BarcodeGenSettings::renderSettings() const
{
    BarcodeSettings render;
    render.value_font = value_font_val;
    render.header_font = header_font_val;
    render.footer_font = footer_font_val;
    render.barcode_clr = barcode_clr_val;
    render.bar_back_clr = barcode_back_clr_val;
    render.bar_val_clr = barcode_val_clr_val;
    render.bar_hdr_clr = barcode_hdr_clr_val;
    render.bar_ftr_clr = barcode_ftr_clr_val;
    render.value_margin = Get_Print_State() ? toPoints(val_margin_val) : 0;
    render.header_margin = printsHeader() ? toPoints(hdr_margin_val) : 0;
    render.footer_margin = printsFooter() ? toPoints(ftr_margin_val) : 0;
    render.LR_margin = toPoints(LR_margin_val);
    render.TB_margin = toPoints(TB_marging_val);
    render.align_hdr_item = QLatin1String(optionItem(BarcodeAlignmentItems, align_hdr_index));
    render.align_ftr_item = QLatin1String(optionItem(BarcodeAlignmentItems, align_ftr_index));
    render.showinTop_state = Get_Print_State() ? show_val_on_top : 0;
    render.kerning_value_state = kerningAllowed() ? kerning_value_state : 0;
    return render;
}
