#include "mainwindow/ObjectSettingsState.h"

#include "canvas/GraphicKind.h"

#include <QCoreApplication>

#include <cmath>

namespace {

template <auto... Fields>
bool same(const SKTGraphic& a, const SKTGraphic& b)
{
    return ((a.*Fields == b.*Fields) && ...);
}

bool sameWords(const SKTGraphic& a, const SKTGraphic& b)
{
    const auto words = [](const SKTGraphic& text) {
        return text._Text_contents ? text._Text_contents->string : text.Text_Value;
    };
    return words(a) == words(b);
}

bool sameKerning(const SKTGraphic& a, const SKTGraphic& b)
{
    // The page shows no spacing as 0 and writes it back so.
    const auto kerning = [](float value) { return std::isnan(value) ? 0.0f : value; };
    return kerning(a.text_kerning) == kerning(b.text_kerning);
}

struct Setting
{
    const char* name;
    const char* lineName; // what a line calls it, when not the same
    bool (*same)(const SKTGraphic&, const SKTGraphic&);
    // The pages write it back in their own form with every change (a new object's opacity
    // of 100 becomes 1): it names the step only when nothing else changed.
    bool rewritten = false;
};

const Setting settings[] = {
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Typing"), nullptr, sameWords },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Text Colour"), nullptr, same<&SKTGraphic::txt_clr> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Font"), nullptr, same<&SKTGraphic::text_ctrl_font> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Text Alignment"), nullptr, same<&SKTGraphic::text_alignmnet> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Case"), nullptr, same<&SKTGraphic::text_transfrom_case> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Border"), nullptr, same<&SKTGraphic::_isDrawingStroke> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Border Colour"), QT_TRANSLATE_NOOP("ObjectSettingsState", "Line Colour"),
        same<&SKTGraphic::_strokeColor> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Border Width"), QT_TRANSLATE_NOOP("ObjectSettingsState", "Line Width"),
        same<&SKTGraphic::_strokeWidth> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Border Style"), QT_TRANSLATE_NOOP("ObjectSettingsState", "Line Style"),
        same<&SKTGraphic::_stroke_border_type> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Line Ends"), nullptr, same<&SKTGraphic::_line_cap_style> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Line Orientation"), nullptr, same<&SKTGraphic::_line_ori> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Fill"), nullptr,
        same<&SKTGraphic::_isDrawingFill, &SKTGraphic::_fill_type> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Fill Colour"), nullptr,
        same<&SKTGraphic::_fillColor, &SKTGraphic::_fill_Grad_clr1, &SKTGraphic::_fill_Grad_clr2,
            &SKTGraphic::_fill_htch_clr> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Gradient Angle"), nullptr, same<&SKTGraphic::_fill_grad_angle> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Hatch Pattern"), nullptr, same<&SKTGraphic::_fill_hatch_type> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Corner Radius"), nullptr, same<&SKTGraphic::cor_rad_val_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Star Points"), nullptr, same<&SKTGraphic::double_star_type> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Polygon Sides"), nullptr, same<&SKTGraphic::polygon_type> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Horizontal Flipping"), nullptr,
        same<&SKTGraphic::_isFlippedHorizontally> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Vertical Flipping"), nullptr, same<&SKTGraphic::_isFlippedVertically> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Invert Colours"), nullptr, same<&SKTGraphic::invert_clr> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Grey Scale"), nullptr, same<&SKTGraphic::gray_Scale> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Sepia"), nullptr, same<&SKTGraphic::Sepia> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Rotation"), nullptr, same<&SKTGraphic::rotate_image> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Opacity"), nullptr, same<&SKTGraphic::img_trnsp_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Hue"), nullptr, same<&SKTGraphic::hue_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Saturation"), nullptr, same<&SKTGraphic::sat_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Brightness"), nullptr, same<&SKTGraphic::brt_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Contrast"), nullptr, same<&SKTGraphic::con_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Sharpness"), nullptr, same<&SKTGraphic::srp_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Exposure"), nullptr, same<&SKTGraphic::ev_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Blur"), nullptr, same<&SKTGraphic::blr_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Picture"), nullptr, same<&SKTGraphic::_file_path> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Printing"), nullptr, same<&SKTGraphic::print_object> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Data Source"), nullptr,
        same<&SKTGraphic::data_source_type, &SKTGraphic::batch_list_name, &SKTGraphic::batch_list_index,
            &SKTGraphic::excel_col_indx, &SKTGraphic::excel_col_title, &SKTGraphic::text_before_binding> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Locking"), nullptr, same<&SKTGraphic::ctrl_is_locked> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Barcode"), nullptr,
        same<&SKTGraphic::linear_or_2d, &SKTGraphic::barcode_font_index, &SKTGraphic::linear_font_val,
            &SKTGraphic::two_d_font_val, &SKTGraphic::header_val, &SKTGraphic::footer_val, &SKTGraphic::show_hide_hdr,
            &SKTGraphic::show_hide_ftr, &SKTGraphic::show_hide_val, &SKTGraphic::show_val_on_top,
            &SKTGraphic::align_hdr_index, &SKTGraphic::align_ftr_index, &SKTGraphic::linear_height_val,
            &SKTGraphic::linear_width_val, &SKTGraphic::qr_size_val, &SKTGraphic::qr_version_index,
            &SKTGraphic::qr_ec_index, &SKTGraphic::pdf_hgt_val, &SKTGraphic::pdf_wdt_val, &SKTGraphic::pdf_ec_val,
            &SKTGraphic::dm_module_val, &SKTGraphic::dm_format_index, &SKTGraphic::dm_encoding_index,
            &SKTGraphic::hdr_margin_val, &SKTGraphic::ftr_margin_val, &SKTGraphic::val_margin_val,
            &SKTGraphic::TB_marging_val, &SKTGraphic::LR_margin_val, &SKTGraphic::value_font_val,
            &SKTGraphic::header_font_val, &SKTGraphic::footer_font_val, &SKTGraphic::barcode_hdr_clr_val,
            &SKTGraphic::barcode_ftr_clr_val, &SKTGraphic::barcode_val_clr_val, &SKTGraphic::barcode_back_clr_val,
            &SKTGraphic::barcode_clr_val, &SKTGraphic::dpi_val_index, &SKTGraphic::dpi_custom_val,
            &SKTGraphic::kerning_value_state, &SKTGraphic::barcode_unit_val> },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Opacity"), nullptr,
        same<&SKTGraphic::alpha_val, &SKTGraphic::alpha_val_stroke>, true },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Letter Spacing"), nullptr, sameKerning },
    { QT_TRANSLATE_NOOP("ObjectSettingsState", "Size"), nullptr, same<&SKTGraphic::_bounds>, true },
};

QString nameOf(const Setting& setting, const SKTGraphic& graphic)
{
    const bool line = setting.lineName && isExactlyKind(graphic, GraphicKind::Line);
    return QCoreApplication::translate("ObjectSettingsState", line ? setting.lineName : setting.name);
}

} // namespace

ObjectSettingsState ObjectSettingsState::of(const QList<SKTGraphicPtr>& graphics)
{
    ObjectSettingsState taken;
    for (const SKTGraphicPtr& graphic : graphics)
        taken.saved_.emplace_back(graphic, graphic->clone());
    return taken;
}

QList<SKTGraphicPtr> ObjectSettingsState::graphics() const
{
    QList<SKTGraphicPtr> graphics;
    for (const auto& saved : saved_)
        graphics.append(saved.first);
    return graphics;
}

void ObjectSettingsState::restore() const
{
    for (const auto& [graphic, saved] : saved_)
        graphic->takeValuesOf(*saved);
}

std::optional<QString> ObjectSettingsState::changeName() const
{
    QStringList changed;
    QStringList rewritten;
    for (const auto& [graphic, saved] : saved_) {
        for (const Setting& setting : settings) {
            if (setting.same(*graphic, *saved))
                continue;
            QStringList& names = setting.rewritten ? rewritten : changed;
            if (const QString name = nameOf(setting, *graphic); !names.contains(name))
                names.append(name);
        }
    }
    if (changed.size() > 1)
        return QCoreApplication::translate("ObjectSettingsState", "Changes");
    if (!changed.isEmpty())
        return changed.first();
    if (!rewritten.isEmpty())
        return rewritten.first();
    return std::nullopt;
}

QString ObjectSettingsState::typingName()
{
    return QCoreApplication::translate("ObjectSettingsState", "Typing");
}
