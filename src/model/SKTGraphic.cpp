#include "model/SKTGraphic.h"

#include "common/Globals.h"
#include "common/StringHelpers.h"
#include "model/ModelDefaults.h"

#include <QDir>

SKTGraphic::~SKTGraphic() = default;

void SKTGraphic::init()
{
    _bounds = QRectF();
    _isDrawingFill = true;
    _fillColor = QColor(Qt::white);
    _isDrawingStroke = true;
    _strokeColor = QColor(Qt::black);
    _strokeWidth = 1.0;
    _stroke_border_type = QStringLiteral("S");
    _fill_type = QStringLiteral("S");
    _fill_Grad_clr1 = QColor(Qt::white);
    _fill_Grad_clr2 = QColor(Qt::white);
    _fill_grad_angle = 0.0;
    _fill_htch_clr = QColor(Qt::white);
    _fill_hatch_type = QStringLiteral("");
    _isFlippedHorizontally = false;
    _isFlippedVertically = false;
    invert_clr = false;
    gray_Scale = false;
    Sepia = false;
    img_trnsp_val = 100.0f;
    hue_val = 0.0f;
    sat_val = 1.0f;
    brt_val = 0.0f;
    con_val = 1.0f;
    srp_val = 0.0f;
    ev_val = 0.0f;
    blr_val = 0.0f;
    data_source_type = 0;
    rotate_image = 0.0f;
    _file_path = QDir(Resource_Path).filePath(QStringLiteral("no.png"));
    _scriptingContainer = nullptr;
    sign_or_fingureprint = QStringLiteral("S");
    batch_list_name = QStringLiteral("");
    batch_list_index = 0;
    _line_ori = 0;
    _line_cap_style = 0;
    cor_rad_val_val = 10.0f;
    alpha_val = 100.0f;
    alpha_val_stroke = 100.0f;
    text_ctrl_font = All_Text_font_Default;
    txt_clr = All_Text_clr_Default;
    _Text_contents.reset();
    _shape_type = QStringLiteral("R");
    _barcode_image = Picture();
    linear_or_2d = 0;
    barcode_font_index = 0;
    linear_font_val = QStringLiteral("0123");
    two_d_font_val = QStringLiteral("0123");
    header_val = QStringLiteral("HEADER");
    footer_val = QStringLiteral("FOOTER");
    show_hide_hdr = 0;
    show_hide_ftr = 0;
    show_hide_val = 0;
    show_val_on_top = 0;
    align_hdr_index = 1;
    align_ftr_index = 1;
    linear_height_val = 0.6f;
    linear_width_val = 20.0f;
    qr_size_val = 60;
    qr_version_index = 0;
    qr_ec_index = 0;
    pdf_hgt_val = 20;
    pdf_wdt_val = 100;
    pdf_ec_val = 2;
    dm_module_val = 2;
    dm_format_index = 0;
    dm_encoding_index = 0;
    hdr_margin_val = 0.1f;
    ftr_margin_val = 0.1f;
    val_margin_val = 0.1f;
    TB_marging_val = 0.1f;
    LR_margin_val = 0.1f;
    value_font_val = Model_Font(Text_Ctrl_Font, 10.0);
    header_font_val = Model_Font(Text_Ctrl_Font, 10.0);
    footer_font_val = Model_Font(Text_Ctrl_Font, 10.0);
    barcode_hdr_clr_val = QColor(Qt::black);
    barcode_ftr_clr_val = QColor(Qt::black);
    barcode_val_clr_val = QColor(Qt::black);
    barcode_back_clr_val = QColor(Qt::white);
    barcode_clr_val = QColor(Qt::black);
    dpi_val_index = 0;
    dpi_custom_val = QStringLiteral("0");
    barcode_unit_val = 1;
    ctrl_is_locked = false;
    text_alignmnet = 0;
    text_transfrom_case = 0;
    text_kerning = 0.0f;
    print_object = 0;
    control_ID = QStringLiteral("");
    excel_binding = false;
    excel_col_indx = 0;
    Text_Value = QStringLiteral("Text here");
    ctrl_is_visible = true;
    double_star_type = 1;
    polygon_type = 1;
    kerning_value_state = 0;
}

std::shared_ptr<SKTGraphic> SKTGraphic::copy() const
{
    std::shared_ptr<SKTGraphic> copy = createBareOfClass(archiveClassChain().value(0));
    if (!copy)
        return nullptr;
    copy->init();
    copy->_bounds = _bounds;
    copy->_isDrawingFill = _isDrawingFill;
    copy->_isDrawingStroke = _isDrawingStroke;
    copy->_strokeWidth = _strokeWidth;
    copy->_fill_grad_angle = _fill_grad_angle;
    copy->_fillColor = _fillColor;
    copy->_strokeColor = _strokeColor;
    copy->_stroke_border_type = _stroke_border_type;
    copy->_fill_type = _fill_type;
    copy->_fill_Grad_clr1 = _fill_Grad_clr1;
    copy->_fill_Grad_clr2 = _fill_Grad_clr2;
    copy->_fill_htch_clr = _fill_htch_clr;
    copy->_fill_hatch_type = _fill_hatch_type;
    copyKindFieldsTo(*copy);
    return copy;
}

void SKTGraphic::copyKindFieldsTo(SKTGraphic&) const {}

int SKTGraphic::excelColumnOf(const QString& boundTitle, int place, const QStringList& titles)
{
    const QString title = Trim_Str(boundTitle);
    if (title.isEmpty() || titles.isEmpty())
        return place;
    if (place >= 0 && place < titles.size() && Trim_Str(titles.at(place)) == title)
        return place;
    for (qsizetype column = 0; column < titles.size(); ++column) {
        if (Trim_Str(titles.at(column)) == title)
            return int(column);
    }
    return -1;
}

int SKTGraphic::excelColumnToStartAt(
    const QString& title, int place, const QStringList& titles, const std::function<bool(int column)>& holdsValue)
{
    if (!Trim_Str(title).isEmpty() || place > 0) {
        const int column = excelColumnOf(title, place, titles);
        return column < titles.size() ? column : -1;
    }
    for (int column = 1; column < titles.size(); ++column) {
        if (holdsValue(column))
            return column;
    }
    return titles.size() > 1 ? 1 : -1;
}

std::shared_ptr<StyledText> SKTGraphic::Text_contents()
{
    if (!_Text_contents)
        _Text_contents = std::make_shared<StyledText>(
            StyledText::plain(Text_Value, Model_Font(Text_Ctrl_Font, 14.0), QColor(Qt::black)));
    return _Text_contents;
}

namespace {
// Gives a stored colour the object's opacity; opacities above 1 count as 1.
QColor withOpacity(QColor& stored, float opacity)
{
    if (stored.isValid())
        stored.setAlphaF(std::clamp(opacity, 0.0f, 1.0f));
    return stored;
}
} // namespace

QColor SKTGraphic::fillColor()
{
    return withOpacity(_fillColor, alpha_val);
}

QColor SKTGraphic::strokeColor()
{
    return withOpacity(_strokeColor, alpha_val_stroke);
}

QColor SKTGraphic::fill_hatch_bk_clr()
{
    return withOpacity(_fill_htch_clr, alpha_val);
}

QColor SKTGraphic::fill_Grad_clr1()
{
    return withOpacity(_fill_Grad_clr1, alpha_val);
}

QColor SKTGraphic::fill_Grad_clr2()
{
    return withOpacity(_fill_Grad_clr2, alpha_val);
}
