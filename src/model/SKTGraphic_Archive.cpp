// The keyed archive of a card object: 93 keys named after the fields, always all of them,
// always in this order, whatever the kind; then the text a bound text had before its binding,
// when it has one.
#include "model/SKTGraphic.h"

#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "model/StoredPaths.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"

#define KEY(name) QStringLiteral(#name)

void SKTGraphic::encodeWithCoder(ArchiveWriter& a) const
{
    a.encodeRect(KEY(_bounds), _bounds);
    a.encodeBool(KEY(ctrl_is_locked), ctrl_is_locked);
    a.encodeBool(KEY(_isDrawingFill), _isDrawingFill);
    a.encodeColor(KEY(_fillColor), _fillColor);
    a.encodeBool(KEY(_isDrawingStroke), _isDrawingStroke);
    a.encodeColor(KEY(_strokeColor), _strokeColor);
    a.encodeFloat(KEY(_strokeWidth), float(_strokeWidth));
    a.encodeString(KEY(_stroke_border_type), _stroke_border_type);
    a.encodeString(KEY(_fill_type), _fill_type);
    a.encodeColor(KEY(_fill_Grad_clr1), _fill_Grad_clr1);
    a.encodeColor(KEY(_fill_Grad_clr2), _fill_Grad_clr2);
    a.encodeFloat(KEY(_fill_grad_angle), float(_fill_grad_angle));
    a.encodeColor(KEY(_fill_htch_clr), _fill_htch_clr);
    a.encodeString(KEY(_fill_hatch_type), _fill_hatch_type);
    a.encodeBool(KEY(_isFlippedHorizontally), _isFlippedHorizontally);
    a.encodeBool(KEY(_isFlippedVertically), _isFlippedVertically);
    a.encodeBool(KEY(invert_clr), invert_clr);
    a.encodeBool(KEY(gray_Scale), gray_Scale);
    a.encodeBool(KEY(Sepia), Sepia);
    a.encodeFloat(KEY(img_trnsp_val), img_trnsp_val);
    a.encodeFloat(KEY(hue_val), hue_val);
    a.encodeFloat(KEY(sat_val), sat_val);
    a.encodeFloat(KEY(brt_val), brt_val);
    a.encodeFloat(KEY(con_val), con_val);
    a.encodeFloat(KEY(srp_val), srp_val);
    a.encodeFloat(KEY(ev_val), ev_val);
    a.encodeFloat(KEY(blr_val), blr_val);
    a.encodeInt(KEY(data_source_type), data_source_type);
    a.encodeFloat(KEY(rotate_image), rotate_image);
    a.encodeString(KEY(_file_path), Stored_Picture_Path(_file_path));
    a.encodeString(KEY(sign_or_fingureprint), sign_or_fingureprint);
    a.encodeString(KEY(batch_list_name), batch_list_name);
    a.encodeInt(KEY(batch_list_index), batch_list_index);
    a.encodeInt(KEY(_line_ori), _line_ori);
    a.encodeInt(KEY(_line_cap_style), _line_cap_style);
    a.encodeFloat(KEY(alpha_val), alpha_val);
    a.encodeFloat(KEY(alpha_val_stroke), alpha_val_stroke);
    a.encodeFont(KEY(text_ctrl_font), text_ctrl_font);
    a.encodeColor(KEY(txt_clr), txt_clr);
    a.encodeStyledText(KEY(_Text_contents), _Text_contents.get());
    a.encodeString(KEY(_shape_type), _shape_type);
    a.encodeFloat(KEY(cor_rad_val_val), cor_rad_val_val);
    a.encodePicture(KEY(_barcode_image), _barcode_image);
    a.encodeInt(KEY(linear_or_2d), linear_or_2d);
    a.encodeInt(KEY(barcode_font_index), barcode_font_index);
    a.encodeString(KEY(linear_font_val), linear_font_val);
    a.encodeString(KEY(two_d_font_val), two_d_font_val);
    a.encodeString(KEY(header_val), header_val);
    a.encodeString(KEY(footer_val), footer_val);
    a.encodeInt(KEY(show_hide_hdr), show_hide_hdr);
    a.encodeInt(KEY(show_hide_ftr), show_hide_ftr);
    a.encodeInt(KEY(show_hide_val), show_hide_val);
    a.encodeInt(KEY(show_val_on_top), show_val_on_top);
    a.encodeInt(KEY(align_hdr_index), align_hdr_index);
    a.encodeInt(KEY(align_ftr_index), align_ftr_index);
    a.encodeFloat(KEY(linear_height_val), linear_height_val);
    a.encodeFloat(KEY(linear_width_val), linear_width_val);
    a.encodeInt(KEY(qr_size_val), qr_size_val);
    a.encodeInt(KEY(qr_version_index), qr_version_index);
    a.encodeInt(KEY(qr_ec_index), qr_ec_index);
    a.encodeInt(KEY(pdf_hgt_val), pdf_hgt_val);
    a.encodeInt(KEY(pdf_wdt_val), pdf_wdt_val);
    a.encodeInt(KEY(pdf_ec_val), pdf_ec_val);
    a.encodeInt(KEY(dm_module_val), dm_module_val);
    a.encodeInt(KEY(dm_format_index), dm_format_index);
    a.encodeInt(KEY(dm_encoding_index), dm_encoding_index);
    a.encodeFloat(KEY(hdr_margin_val), hdr_margin_val);
    a.encodeFloat(KEY(ftr_margin_val), ftr_margin_val);
    a.encodeFloat(KEY(val_margin_val), val_margin_val);
    a.encodeFloat(KEY(TB_marging_val), TB_marging_val);
    a.encodeFloat(KEY(LR_margin_val), LR_margin_val);
    a.encodeFont(KEY(value_font_val), value_font_val);
    a.encodeFont(KEY(header_font_val), header_font_val);
    a.encodeFont(KEY(footer_font_val), footer_font_val);
    a.encodeColor(KEY(barcode_hdr_clr_val), barcode_hdr_clr_val);
    a.encodeColor(KEY(barcode_ftr_clr_val), barcode_ftr_clr_val);
    a.encodeColor(KEY(barcode_val_clr_val), barcode_val_clr_val);
    a.encodeColor(KEY(barcode_back_clr_val), barcode_back_clr_val);
    a.encodeColor(KEY(barcode_clr_val), barcode_clr_val);
    a.encodeInt(KEY(dpi_val_index), dpi_val_index);
    a.encodeString(KEY(dpi_custom_val), dpi_custom_val);
    a.encodeInt(KEY(barcode_unit_val), barcode_unit_val);
    a.encodeInt(KEY(text_alignmnet), text_alignmnet);
    a.encodeInt(KEY(text_transfrom_case), text_transfrom_case);
    a.encodeFloat(KEY(text_kerning), text_kerning);
    a.encodeInt(KEY(print_object), print_object);
    a.encodeString(KEY(control_ID), control_ID);
    a.encodeBool(KEY(excel_binding), excel_binding);
    a.encodeInt(KEY(excel_col_indx), excel_col_indx);
    a.encodeString(KEY(Text_Value), Text_Value);
    a.encodeBool(KEY(ctrl_is_visible), ctrl_is_visible);
    a.encodeInt(KEY(double_star_type), double_star_type);
    a.encodeInt(KEY(polygon_type), polygon_type);
    a.encodeInt(KEY(kerning_value_state), kerning_value_state);
    // Only a bound text has it, so every other object archives exactly as before.
    if (text_before_binding)
        a.encodeString(KEY(text_before_binding), *text_before_binding);
    // Written only when known: a reader that knows no title keeps the column's place.
    if (!excel_col_title.isEmpty())
        a.encodeString(KEY(excel_col_title), excel_col_title);
}

void SKTGraphic::initWithCoder(const ArchiveObject& a)
{
    _bounds = a.decodeRect(KEY(_bounds));
    ctrl_is_locked = a.decodeBool(KEY(ctrl_is_locked));
    _isDrawingFill = a.decodeBool(KEY(_isDrawingFill));
    _fillColor = a.decodeColor(KEY(_fillColor));
    _isDrawingStroke = a.decodeBool(KEY(_isDrawingStroke));
    _strokeColor = a.decodeColor(KEY(_strokeColor));
    _strokeWidth = a.decodeFloat(KEY(_strokeWidth));
    _stroke_border_type = a.decodeString(KEY(_stroke_border_type));
    _fill_type = a.decodeString(KEY(_fill_type));
    _fill_Grad_clr1 = a.decodeColor(KEY(_fill_Grad_clr1));
    _fill_Grad_clr2 = a.decodeColor(KEY(_fill_Grad_clr2));
    _fill_grad_angle = a.decodeFloat(KEY(_fill_grad_angle));
    _fill_htch_clr = a.decodeColor(KEY(_fill_htch_clr));
    _fill_hatch_type = a.decodeString(KEY(_fill_hatch_type));
    _isFlippedHorizontally = a.decodeBool(KEY(_isFlippedHorizontally));
    _isFlippedVertically = a.decodeBool(KEY(_isFlippedVertically));
    invert_clr = a.decodeBool(KEY(invert_clr));
    gray_Scale = a.decodeBool(KEY(gray_Scale));
    Sepia = a.decodeBool(KEY(Sepia));
    img_trnsp_val = a.decodeFloat(KEY(img_trnsp_val));
    hue_val = a.decodeFloat(KEY(hue_val));
    sat_val = a.decodeFloat(KEY(sat_val));
    brt_val = a.decodeFloat(KEY(brt_val));
    con_val = a.decodeFloat(KEY(con_val));
    srp_val = a.decodeFloat(KEY(srp_val));
    ev_val = a.decodeFloat(KEY(ev_val));
    blr_val = a.decodeFloat(KEY(blr_val));
    data_source_type = a.decodeInt(KEY(data_source_type));
    rotate_image = a.decodeFloat(KEY(rotate_image));
    _file_path = Loaded_Picture_Path(a.decodeString(KEY(_file_path)));
    sign_or_fingureprint = a.decodeString(KEY(sign_or_fingureprint));
    batch_list_name = a.decodeString(KEY(batch_list_name));
    batch_list_index = a.decodeInt(KEY(batch_list_index));
    _line_ori = a.decodeInt(KEY(_line_ori));
    _line_cap_style = a.decodeInt(KEY(_line_cap_style));
    alpha_val = a.decodeFloat(KEY(alpha_val));
    alpha_val_stroke = a.decodeFloat(KEY(alpha_val_stroke));
    text_ctrl_font = a.decodeFont(KEY(text_ctrl_font));
    txt_clr = a.decodeColor(KEY(txt_clr));
    _Text_contents = a.decodeStyledText(KEY(_Text_contents));
    _shape_type = a.decodeString(KEY(_shape_type));
    cor_rad_val_val = a.decodeFloat(KEY(cor_rad_val_val));
    _barcode_image = a.decodePicture(KEY(_barcode_image));
    linear_or_2d = a.decodeInt(KEY(linear_or_2d));
    barcode_font_index = a.decodeInt(KEY(barcode_font_index));
    linear_font_val = a.decodeString(KEY(linear_font_val));
    two_d_font_val = a.decodeString(KEY(two_d_font_val));
    header_val = a.decodeString(KEY(header_val));
    footer_val = a.decodeString(KEY(footer_val));
    show_hide_hdr = a.decodeInt(KEY(show_hide_hdr));
    show_hide_ftr = a.decodeInt(KEY(show_hide_ftr));
    show_hide_val = a.decodeInt(KEY(show_hide_val));
    show_val_on_top = a.decodeInt(KEY(show_val_on_top));
    align_hdr_index = a.decodeInt(KEY(align_hdr_index));
    align_ftr_index = a.decodeInt(KEY(align_ftr_index));
    linear_height_val = a.decodeFloat(KEY(linear_height_val));
    linear_width_val = a.decodeFloat(KEY(linear_width_val));
    qr_size_val = a.decodeInt(KEY(qr_size_val));
    qr_version_index = a.decodeInt(KEY(qr_version_index));
    qr_ec_index = a.decodeInt(KEY(qr_ec_index));
    pdf_hgt_val = a.decodeInt(KEY(pdf_hgt_val));
    pdf_wdt_val = a.decodeInt(KEY(pdf_wdt_val));
    pdf_ec_val = a.decodeInt(KEY(pdf_ec_val));
    dm_module_val = a.decodeInt(KEY(dm_module_val));
    dm_format_index = a.decodeInt(KEY(dm_format_index));
    dm_encoding_index = a.decodeInt(KEY(dm_encoding_index));
    hdr_margin_val = a.decodeFloat(KEY(hdr_margin_val));
    ftr_margin_val = a.decodeFloat(KEY(ftr_margin_val));
    val_margin_val = a.decodeFloat(KEY(val_margin_val));
    TB_marging_val = a.decodeFloat(KEY(TB_marging_val));
    LR_margin_val = a.decodeFloat(KEY(LR_margin_val));
    value_font_val = a.decodeFont(KEY(value_font_val));
    header_font_val = a.decodeFont(KEY(header_font_val));
    footer_font_val = a.decodeFont(KEY(footer_font_val));
    barcode_hdr_clr_val = a.decodeColor(KEY(barcode_hdr_clr_val));
    barcode_ftr_clr_val = a.decodeColor(KEY(barcode_ftr_clr_val));
    barcode_val_clr_val = a.decodeColor(KEY(barcode_val_clr_val));
    barcode_back_clr_val = a.decodeColor(KEY(barcode_back_clr_val));
    barcode_clr_val = a.decodeColor(KEY(barcode_clr_val));
    dpi_val_index = a.decodeInt(KEY(dpi_val_index));
    dpi_custom_val = a.decodeString(KEY(dpi_custom_val));
    barcode_unit_val = a.decodeInt(KEY(barcode_unit_val));
    text_alignmnet = a.decodeInt(KEY(text_alignmnet));
    text_transfrom_case = a.decodeInt(KEY(text_transfrom_case));
    text_kerning = a.decodeFloat(KEY(text_kerning));
    print_object = a.decodeInt(KEY(print_object));
    control_ID = a.decodeString(KEY(control_ID));
    excel_binding = a.decodeBool(KEY(excel_binding));
    excel_col_indx = a.decodeInt(KEY(excel_col_indx));
    Text_Value = a.decodeString(KEY(Text_Value));
    ctrl_is_visible = a.decodeBool(KEY(ctrl_is_visible));
    double_star_type = a.decodeInt(KEY(double_star_type));
    polygon_type = a.decodeInt(KEY(polygon_type));
    // Files made before the choice was kept have no key: no spreading, as they were drawn.
    kerning_value_state = a.decodeInt(KEY(kerning_value_state)) == 1 ? 1 : 0;
    if (a.contains(KEY(text_before_binding)))
        text_before_binding = a.decodeString(KEY(text_before_binding));
    excel_col_title = a.contains(KEY(excel_col_title)) ? a.decodeString(KEY(excel_col_title)) : QString();
}

#undef KEY

QByteArray SKTGraphic::archivedData() const
{
    ArchiveWriter writer(archiveClassChain());
    encodeWithCoder(writer);
    return writer.toData();
}

QStringList SKTGraphic::archiveClassChain() const
{
    return {QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")};
}

std::shared_ptr<SKTGraphic> SKTGraphic::createBareOfClass(const QString& className)
{
    if (className == QLatin1String("SKTGraphic"))
        return createBare<SKTGraphic>();
    if (className == QLatin1String("Shape_Control"))
        return createBare<Shape_Control>();
    if (className == QLatin1String("SKTLine"))
        return createBare<SKTLine>();
    if (className == QLatin1String("SKTText"))
        return createBare<SKTText>();
    if (className == QLatin1String("SKTImage"))
        return createBare<SKTImage>();
    if (className == QLatin1String("SKTSignature"))
        return createBare<SKTSignature>();
    if (className == QLatin1String("SKTBarcode"))
        return createBare<SKTBarcode>();
    return nullptr;
}

std::shared_ptr<SKTGraphic> SKTGraphic::unarchive(const QByteArray& data, QString* error)
{
    ArchiveReader reader;
    if (!reader.open(data, error))
        return nullptr;
    const ArchiveObject root = reader.root();
    std::shared_ptr<SKTGraphic> graphic = createBareOfClass(root.className());
    if (!graphic) {
        if (error)
            *error = QStringLiteral("The archive holds a \"%1\", not a card object.").arg(root.className());
        return nullptr;
    }
    graphic->initWithCoder(root);
    return graphic;
}
