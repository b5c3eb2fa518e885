#include "GraphicFields.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {
QFont font(const char* family, double size, bool bold, bool italic)
{
    QFont result{QString::fromLatin1(family)};
    result.setPointSizeF(size);
    result.setBold(bold);
    result.setItalic(italic);
    return result;
}
} // namespace

Picture testPicture()
{
    return Picture::record(QSizeF(40, 20), [](QPainter& painter) {
        painter.fillRect(QRectF(0, 0, 20, 20), Qt::black);
        painter.fillRect(QRectF(20, 0, 20, 20), QColor(0, 128, 255));
    });
}

void fillEveryField(SKTGraphic& g)
{
    g._bounds = QRectF(10.25, -3.5, 243, 154.75);
    g._isDrawingFill = true;
    g._fillColor = QColor(12, 34, 56, 200);
    g._isDrawingStroke = true;
    g._strokeColor = QColor::fromCmykF(0.1f, 0.2f, 0.3f, 0.4f, 0.5f);
    g._strokeWidth = 2.5;
    g._stroke_border_type = QStringLiteral("DDD");
    g._fill_type = QStringLiteral("G");
    g._fill_Grad_clr1 = QColor(1, 2, 3);
    g._fill_Grad_clr2 = QColor(250, 251, 252);
    g._fill_grad_angle = 45.5;
    g._fill_htch_clr = QColor(7, 8, 9, 10);
    g._fill_hatch_type = QStringLiteral("Hatch 3");
    g._isFlippedHorizontally = true;
    g._isFlippedVertically = true;
    g.invert_clr = true;
    g.gray_Scale = true;
    g.Sepia = true;
    g.img_trnsp_val = 55.5f;
    g.hue_val = 1.25f;
    g.sat_val = 1.75f;
    g.brt_val = -0.25f;
    g.con_val = 2.5f;
    g.srp_val = 0.75f;
    g.ev_val = -1.5f;
    g.blr_val = 3.5f;
    g.data_source_type = 2;
    g.rotate_image = 90.0f;
    g._file_path = QStringLiteral("/some/Resources/LibraryImage/Animals/cat.png");
    g.sign_or_fingureprint = QStringLiteral("F");
    g.batch_list_name = QString::fromUtf8("Gäste");
    g.batch_list_index = 4;
    g._line_ori = 3;
    g._line_cap_style = 2;
    g.cor_rad_val_val = 12.5f;
    g.alpha_val = 0.5f;
    g.alpha_val_stroke = 0.25f;
    g.text_ctrl_font = font("Liberation Sans", 21.5, true, false);
    g.txt_clr = QColor(200, 100, 50);
    StyledText styled = StyledText::plain(QStringLiteral("Hello world"), font("DejaVu Sans", 9, false, true), Qt::red);
    styled.runs = {StyledText::Run{5, font("DejaVu Sans", 9, false, true), QColor(Qt::red)},
                   StyledText::Run{6, std::nullopt, QColor(Qt::blue)}};
    g._Text_contents = std::make_shared<StyledText>(styled);
    g._shape_type = QStringLiteral("DS");
    g._barcode_image = testPicture();
    g.linear_or_2d = 1;
    g.barcode_font_index = 17;
    g.linear_font_val = QStringLiteral("ABC-123");
    g.two_d_font_val = QStringLiteral("https://example.org/?q=1&r=2");
    g.header_val = QStringLiteral("Head");
    g.footer_val = QStringLiteral("Foot");
    g.show_hide_hdr = 1;
    g.show_hide_ftr = 1;
    g.show_hide_val = 1;
    g.show_val_on_top = 1;
    g.align_hdr_index = 2;
    g.align_ftr_index = 0;
    g.linear_height_val = 0.8f;
    g.linear_width_val = 30.0f;
    g.qr_size_val = 120;
    g.qr_version_index = 7;
    g.qr_ec_index = 3;
    g.pdf_hgt_val = 40;
    g.pdf_wdt_val = 200;
    g.pdf_ec_val = 5;
    g.dm_module_val = 4;
    g.dm_format_index = 9;
    g.dm_encoding_index = 2;
    g.hdr_margin_val = 0.2f;
    g.ftr_margin_val = 0.3f;
    g.val_margin_val = 0.4f;
    g.TB_marging_val = 0.5f;
    g.LR_margin_val = 0.6f;
    g.value_font_val = font("Liberation Serif", 11, false, false);
    g.header_font_val = font("Times New Roman", 12, true, true);
    g.footer_font_val = font("DejaVu Sans Mono", 13, false, false);
    g.barcode_hdr_clr_val = QColor(1, 0, 0);
    g.barcode_ftr_clr_val = QColor(0, 1, 0);
    g.barcode_val_clr_val = QColor(0, 0, 1);
    g.barcode_back_clr_val = QColor(255, 255, 0);
    g.barcode_clr_val = QColor(0, 255, 255);
    g.dpi_val_index = 3;
    g.dpi_custom_val = QStringLiteral("600");
    g.barcode_unit_val = 2;
    g.ctrl_is_locked = true;
    g.text_alignmnet = 2;
    g.text_transfrom_case = 3;
    g.text_kerning = 1.5f;
    g.print_object = 1;
    g.control_ID = QStringLiteral("Fup_Name");
    g.excel_binding = true;
    g.excel_col_indx = 5;
    g.excel_col_title = QStringLiteral("Code");
    g.Text_Value = QStringLiteral("Dear guest");
    g.ctrl_is_visible = true;
    g.double_star_type = 2;
    g.polygon_type = 6;
    g.kerning_value_state = 1;
    g.text_before_binding = QStringLiteral("Typed before binding");
}

void expectSameFont(const std::optional<QFont>& expected, const std::optional<QFont>& actual, const char* field)
{
    ASSERT_EQ(expected.has_value(), actual.has_value()) << field;
    if (!expected)
        return;
    EXPECT_EQ(expected->family(), actual->family()) << field;
    EXPECT_EQ(expected->pointSizeF(), actual->pointSizeF()) << field;
    EXPECT_EQ(expected->bold(), actual->bold()) << field;
    EXPECT_EQ(expected->italic(), actual->italic()) << field;
}

namespace {
void expectSameText(const StyledText* expected, const StyledText* actual)
{
    ASSERT_EQ(expected != nullptr, actual != nullptr) << "_Text_contents";
    if (!expected)
        return;
    EXPECT_EQ(expected->string, actual->string);
    ASSERT_EQ(expected->runs.size(), actual->runs.size());
    for (size_t i = 0; i < expected->runs.size(); ++i) {
        EXPECT_EQ(expected->runs[i].length, actual->runs[i].length);
        EXPECT_EQ(expected->runs[i].color, actual->runs[i].color);
        expectSameFont(expected->runs[i].font, actual->runs[i].font, "_Text_contents run");
    }
}

void expectSamePicture(const Picture& expected, const Picture& actual)
{
    ASSERT_EQ(expected.isNull(), actual.isNull()) << "_barcode_image";
    if (expected.isNull())
        return;
    EXPECT_EQ(expected.size(), actual.size());
    const QImage a = expected.toImage(72, Qt::white), b = actual.toImage(72, Qt::white);
    ASSERT_EQ(a.size(), b.size());
    for (QPoint p : {QPoint(5, 5), QPoint(30, 10), QPoint(15, 18)})
        EXPECT_EQ(a.pixelColor(p), b.pixelColor(p)) << p.x() << "," << p.y();
}
} // namespace

#define SAME(field) EXPECT_EQ(e.field, a.field) << #field

void expectSameFields(const SKTGraphic& e, const SKTGraphic& a)
{
    SAME(_bounds);
    SAME(_isDrawingFill);
    SAME(_fillColor);
    SAME(_isDrawingStroke);
    SAME(_strokeColor);
    EXPECT_EQ(float(e._strokeWidth), a._strokeWidth) << "_strokeWidth";
    SAME(_stroke_border_type);
    SAME(_fill_type);
    SAME(_fill_Grad_clr1);
    SAME(_fill_Grad_clr2);
    EXPECT_EQ(float(e._fill_grad_angle), a._fill_grad_angle) << "_fill_grad_angle";
    SAME(_fill_htch_clr);
    SAME(_fill_hatch_type);
    SAME(_isFlippedHorizontally);
    SAME(_isFlippedVertically);
    SAME(invert_clr);
    SAME(gray_Scale);
    SAME(Sepia);
    SAME(img_trnsp_val);
    SAME(hue_val);
    SAME(sat_val);
    SAME(brt_val);
    SAME(con_val);
    SAME(srp_val);
    SAME(ev_val);
    SAME(blr_val);
    SAME(data_source_type);
    SAME(rotate_image);
    SAME(_file_path);
    SAME(sign_or_fingureprint);
    SAME(batch_list_name);
    SAME(batch_list_index);
    SAME(_line_ori);
    SAME(_line_cap_style);
    SAME(cor_rad_val_val);
    SAME(alpha_val);
    SAME(alpha_val_stroke);
    expectSameFont(e.text_ctrl_font, a.text_ctrl_font, "text_ctrl_font");
    SAME(txt_clr);
    expectSameText(e._Text_contents.get(), a._Text_contents.get());
    SAME(_shape_type);
    expectSamePicture(e._barcode_image, a._barcode_image);
    SAME(linear_or_2d);
    SAME(barcode_font_index);
    SAME(linear_font_val);
    SAME(two_d_font_val);
    SAME(header_val);
    SAME(footer_val);
    SAME(show_hide_hdr);
    SAME(show_hide_ftr);
    SAME(show_hide_val);
    SAME(show_val_on_top);
    SAME(align_hdr_index);
    SAME(align_ftr_index);
    SAME(linear_height_val);
    SAME(linear_width_val);
    SAME(qr_size_val);
    SAME(qr_version_index);
    SAME(qr_ec_index);
    SAME(pdf_hgt_val);
    SAME(pdf_wdt_val);
    SAME(pdf_ec_val);
    SAME(dm_module_val);
    SAME(dm_format_index);
    SAME(dm_encoding_index);
    SAME(hdr_margin_val);
    SAME(ftr_margin_val);
    SAME(val_margin_val);
    SAME(TB_marging_val);
    SAME(LR_margin_val);
    expectSameFont(e.value_font_val, a.value_font_val, "value_font_val");
    expectSameFont(e.header_font_val, a.header_font_val, "header_font_val");
    expectSameFont(e.footer_font_val, a.footer_font_val, "footer_font_val");
    SAME(barcode_hdr_clr_val);
    SAME(barcode_ftr_clr_val);
    SAME(barcode_val_clr_val);
    SAME(barcode_back_clr_val);
    SAME(barcode_clr_val);
    SAME(dpi_val_index);
    SAME(dpi_custom_val);
    SAME(barcode_unit_val);
    SAME(ctrl_is_locked);
    SAME(text_alignmnet);
    SAME(text_transfrom_case);
    SAME(text_kerning);
    SAME(print_object);
    SAME(control_ID);
    SAME(excel_binding);
    SAME(excel_col_indx);
    SAME(excel_col_title);
    SAME(Text_Value);
    SAME(ctrl_is_visible);
    SAME(double_star_type);
    SAME(polygon_type);
    SAME(kerning_value_state);
    SAME(text_before_binding);
}

#undef SAME
