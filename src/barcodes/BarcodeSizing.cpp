#include "barcodes/BarcodeSizing.h"

#include "barcodes/BarcodeGenSettings.h"
#include "barcodes/NKDBarcode.h"

#include <algorithm>

float Unit_To_Points(float length, int unit)
{
    const double value = length;
    switch (unit) {
    case 0:
        return float(value * 72.0);
    case 2:
        return float(value * 0.393701 * 72.0 / 10.0);
    default:
        return float(value * 0.393701 * 72.0);
    }
}

float Mils_To_Points(float mils)
{
    return mils / 1000.0f * 72.0f;
}

void Set_Barcode_Height(NKDBarcode& barcode, const BarcodeGenSettings& settings)
{
    const BarcodeSettings margins = settings.renderSettings();
    barcode.setHeight(settings.toPoints(settings.linear_height_val));
    if (barcode.printsCaption())
        barcode.setHeight(barcode.height() + barcode.captionHeight() * 72 + margins.value_margin);
    if (barcode.printsHeader())
        barcode.setHeight(barcode.height() + barcode.headerHeight() * 72 + margins.header_margin);
    if (barcode.printsFooter())
        barcode.setHeight(barcode.height() + barcode.footerHeight() * 72 + margins.footer_margin);
    barcode.setHeight(barcode.height() + 2 * margins.TB_margin);
}

namespace {

float framedWidth(float symbolWidth, float headerWidth, float footerWidth, const BarcodeGenSettings& settings)
{
    const float hw = settings.printsHeader() ? headerWidth : 0;
    const float fw = settings.printsFooter() ? footerWidth : 0;
    const float side = settings.toPoints(settings.LR_margin_val);
    const float widest = std::max({ symbolWidth, hw, fw });
    return widest + 2 * side + (side > 0 ? 15.0f : 0.0f);
}

} // namespace

float Set_Linear_Barcode_Width(const NKDBarcode& barcode, const BarcodeGenSettings& settings)
{
    return framedWidth(barcode.width(), barcode.headerWidth(), barcode.footerWidth(), settings);
}

void Set_2d_Barcode_Size(const QSizeF& symbol, const BarcodeGenSettings& settings, BarcodeSettings& render)
{
    const float hh = settings.printsHeader() ? render.headerHeight * 72 : 0;
    const float fh = settings.printsFooter() ? render.footerHeight * 72 : 0;
    render.height
        = float(symbol.height()) + hh + render.header_margin + fh + render.footer_margin + 2 * render.TB_margin;
    render.width = framedWidth(float(symbol.width()), render.headerWidth, render.footerWidth, settings);
}

int Check_And_Set_QR_size_Acc_Version(int version)
{
    return std::max(21, 4 * (version - 1) + 21);
}
