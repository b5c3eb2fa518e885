#include "barcodes/BarcodeCardFields.h"

#include "barcodes/BarcodeGeneration.h"
#include "barcodes/BarcodeOptionItems.h"
#include "model/SKTGraphic.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <type_traits>

namespace {

// One list of the exchanged fields serves both directions: copy(objectField, recordField).
template <class Graphic, class Settings, class Copy> void exchangeFields(Graphic& graphic, Settings& s, Copy copy)
{
    copy(graphic.linear_or_2d, s.linear_or_2d);
    copy(graphic.barcode_font_index, s.barcode_font_index);
    copy(graphic.linear_font_val, s.linear_font_val);
    copy(graphic.two_d_font_val, s.two_d_font_val);
    copy(graphic.header_val, s.header_val);
    copy(graphic.footer_val, s.footer_val);
    copy(graphic.show_hide_hdr, s.show_hide_hdr);
    copy(graphic.show_hide_ftr, s.show_hide_ftr);
    copy(graphic.show_hide_val, s.show_hide_val);
    copy(graphic.show_val_on_top, s.show_val_on_top);
    copy(graphic.align_hdr_index, s.align_hdr_index);
    copy(graphic.align_ftr_index, s.align_ftr_index);
    copy(graphic.linear_height_val, s.linear_height_val);
    copy(graphic.linear_width_val, s.linear_width_val);
    copy(graphic.qr_size_val, s.qr_size_val);
    copy(graphic.qr_version_index, s.qr_version_index);
    copy(graphic.qr_ec_index, s.qr_ec_index);
    copy(graphic.pdf_hgt_val, s.pdf_hgt_val);
    copy(graphic.pdf_wdt_val, s.pdf_wdt_val);
    copy(graphic.pdf_ec_val, s.pdf_ec_val);
    copy(graphic.dm_module_val, s.dm_module_val);
    copy(graphic.dm_format_index, s.dm_format_index);
    copy(graphic.dm_encoding_index, s.dm_encoding_index);
    copy(graphic.hdr_margin_val, s.hdr_margin_val);
    copy(graphic.ftr_margin_val, s.ftr_margin_val);
    copy(graphic.val_margin_val, s.val_margin_val);
    copy(graphic.TB_marging_val, s.TB_marging_val);
    copy(graphic.LR_margin_val, s.LR_margin_val);
    copy(graphic.value_font_val, s.value_font_val);
    copy(graphic.header_font_val, s.header_font_val);
    copy(graphic.footer_font_val, s.footer_font_val);
    copy(graphic.barcode_hdr_clr_val, s.barcode_hdr_clr_val);
    copy(graphic.barcode_ftr_clr_val, s.barcode_ftr_clr_val);
    copy(graphic.barcode_val_clr_val, s.barcode_val_clr_val);
    copy(graphic.barcode_back_clr_val, s.barcode_back_clr_val);
    copy(graphic.barcode_clr_val, s.barcode_clr_val);
    copy(graphic.dpi_val_index, s.dpi_val_index);
    // The custom resolution is loaded too, so that a reopened or batch-rendered object keeps it.
    copy(graphic.dpi_custom_val, s.dpi_custom_val);
    copy(graphic.kerning_value_state, s.kerning_value_state);
    // The data source is chosen in the window as well, and kept only when it ends with OK.
    copy(graphic.data_source_type, s.data_source_type);
    copy(graphic.batch_list_name, s.batch_list_name);
    copy(graphic.batch_list_index, s.batch_list_index);
    copy(graphic.excel_col_indx, s.excel_col_indx);
    copy(graphic.excel_col_title, s.excel_col_title);
}

template <class T> void loadInto(T& target, const T& stored)
{
    target = stored;
}

void loadInto(QFont& target, const std::optional<QFont>& stored)
{
    if (stored)
        target = *stored;
}

void loadInto(QColor& target, const QColor& stored)
{
    if (stored.isValid())
        target = stored;
}

} // namespace

// Design files are outside data: a number beyond what the window offers (or not a number)
// would make absurd or huge pictures, in the window and in every batch row.
template <class T> void bringInside(T& value, BarcodeRange range, T fallback)
{
    if constexpr (std::is_floating_point_v<T>) {
        if (!std::isfinite(value)) {
            value = fallback;
            return;
        }
    }
    value = std::clamp(value, T(range.minimum), T(range.maximum));
}

BarcodeGenSettings loadBarcodeFields(const SKTGraphic& graphic)
{
    BarcodeGenSettings s;
    const BarcodeGenSettings defaults;
    exchangeFields(graphic, s, [](const auto& stored, auto& field) { loadInto(field, stored); });
    bringInside(s.linear_height_val, BarHeightRange, defaults.linear_height_val);
    bringInside(s.linear_width_val, BarWidthRange, defaults.linear_width_val);
    for (float* margin :
        { &s.hdr_margin_val, &s.ftr_margin_val, &s.val_margin_val, &s.TB_marging_val, &s.LR_margin_val })
        bringInside(*margin, MarginRange, defaults.val_margin_val);
    bringInside(s.qr_size_val, QRSizeRange, defaults.qr_size_val);
    bringInside(s.pdf_wdt_val, PdfWidthRange, defaults.pdf_wdt_val);
    bringInside(s.pdf_hgt_val, PdfHeightRange, defaults.pdf_hgt_val);
    bringInside(s.pdf_ec_val, PdfLevelRange, defaults.pdf_ec_val);
    bringInside(s.dm_module_val, DataMatrixModuleRange, defaults.dm_module_val);
    return s;
}

void storeBarcodeFields(const BarcodeGenSettings& settings, SKTGraphic& graphic)
{
    exchangeFields(graphic, settings, [](auto& stored, const auto& field) { stored = field; });
}

Picture barcodePictureFromFields(const SKTGraphic& graphic)
{
    const BarcodeGenSettings settings = loadBarcodeFields(graphic);
    return Get_Image_From_Val(settings, settings.value(), settings.header_val, settings.footer_val);
}

void restoreBarcodePicture(SKTGraphic& barcode)
{
    const Picture stored = barcode._barcode_image;
    if (stored.isNull())
        return;
    try {
        if (const Picture drawn = barcodePictureFromFields(barcode); !drawn.isNull() && drawn.size() == stored.size())
            barcode.Set_Barcode_image(drawn);
    } catch (const std::exception&) {
        // Fields that draw nothing leave the picture the file holds.
    }
}

std::function<Picture(const QString&)> barcodeRowMaker(const SKTGraphic& graphic)
{
    return [settings = loadBarcodeFields(graphic)](const QString& value) {
        return Get_Image_From_Val(settings, value, settings.header_val, settings.footer_val);
    };
}
