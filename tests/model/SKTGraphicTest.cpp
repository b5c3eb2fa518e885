#include "GraphicFields.h"

#include "common/Globals.h"
#include "model/ModelDefaults.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "support/TempResources.h"

#include <gtest/gtest.h>

TEST(SKTGraphic, FreshObjectHasTheRecordsDefaults)
{
    TempResources resources;
    auto text = SKTGraphic::create<SKTText>();
    EXPECT_TRUE(text->ctrl_is_visible);
    EXPECT_FALSE(text->ctrl_is_locked);
    EXPECT_TRUE(text->_isDrawingFill);
    EXPECT_EQ(text->_fillColor, QColor(Qt::white));
    EXPECT_TRUE(text->_isDrawingStroke);
    EXPECT_EQ(text->_strokeColor, QColor(Qt::black));
    EXPECT_EQ(text->_strokeWidth, 1.0);
    EXPECT_EQ(text->_stroke_border_type, QStringLiteral("S"));
    EXPECT_EQ(text->_shape_type, QStringLiteral("R"));
    EXPECT_EQ(text->Text_Value, QStringLiteral("Text here"));
    EXPECT_EQ(text->_file_path, resources.path() + QStringLiteral("/no.png"));
    EXPECT_EQ(text->alpha_val, 100.0f);
    EXPECT_EQ(text->img_trnsp_val, 100.0f);
    EXPECT_EQ(text->sat_val, 1.0f);
    EXPECT_EQ(text->qr_size_val, 60);
    EXPECT_EQ(text->linear_height_val, 0.6f);
    EXPECT_EQ(text->align_hdr_index, 1);
    EXPECT_EQ(text->barcode_unit_val, 1);
    EXPECT_EQ(text->dpi_custom_val, QStringLiteral("0"));
    EXPECT_EQ(text->double_star_type, 1);
    EXPECT_EQ(text->polygon_type, 1);
    EXPECT_EQ(text->value_font_val->family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(text->value_font_val->pointSizeF(), 10.0);
    EXPECT_TRUE(text->_barcode_image.isNull());
    EXPECT_EQ(text->_scriptingContainer, nullptr);
}

TEST(SKTGraphic, NewObjectsTakeTheCardWideTextFontAndColour)
{
    const QFont savedFont = All_Text_font_Default;
    const QColor savedColor = All_Text_clr_Default;
    All_Text_font_Default = QFont(QStringLiteral("DejaVu Sans"), 20);
    All_Text_clr_Default = Qt::darkGreen;
    auto text = SKTGraphic::create<SKTText>();
    EXPECT_EQ(text->Text_Font_value()->family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(text->Text_Color_Value(), QColor(Qt::darkGreen));
    All_Text_font_Default = savedFont;
    All_Text_clr_Default = savedColor;
}

TEST(SKTGraphic, TextStorageIsMadeOnFirstRequest)
{
    auto text = SKTGraphic::create<SKTText>();
    EXPECT_FALSE(text->_Text_contents);
    const auto storage = text->Text_contents();
    ASSERT_TRUE(storage);
    EXPECT_EQ(storage->string, QStringLiteral("Text here"));
    ASSERT_EQ(storage->runs.size(), 1u);
    EXPECT_EQ(storage->runs[0].color, QColor(Qt::black));
    EXPECT_EQ(storage->runs[0].font->family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(storage->runs[0].font->pointSizeF(), 14.0);
    EXPECT_EQ(text->Text_contents(), storage); // the same storage from then on
}

TEST(SKTGraphic, ColourGettersApplyAndKeepTheOpacity)
{
    auto shape = SKTGraphic::create();
    shape->alpha_val = 0.5f;
    shape->alpha_val_stroke = 0.25f;
    EXPECT_NEAR(shape->fillColor().alphaF(), 0.5f, 1e-4);
    EXPECT_NEAR(shape->_fillColor.alphaF(), 0.5f, 1e-4); // the stored colour carries it now
    EXPECT_NEAR(shape->fill_Grad_clr1().alphaF(), 0.5f, 1e-4);
    EXPECT_NEAR(shape->fill_hatch_bk_clr().alphaF(), 0.5f, 1e-4);
    EXPECT_NEAR(shape->strokeColor().alphaF(), 0.25f, 1e-4);
    shape->alpha_val = 100.0f; // above 1 is opaque
    EXPECT_EQ(shape->fillColor().alphaF(), 1.0f);
}

TEST(SKTGraphic, CopyTakesOnlyGeometryFillAndOutline)
{
    auto text = SKTGraphic::create<SKTText>();
    fillEveryField(*text);
    text->Text_contents();
    const SKTGraphicPtr copy = text->copy();
    ASSERT_TRUE(std::dynamic_pointer_cast<SKTText>(copy));
    EXPECT_EQ(copy->_bounds, text->_bounds);
    EXPECT_EQ(copy->_fillColor, text->_fillColor);
    EXPECT_EQ(copy->_strokeColor, text->_strokeColor);
    EXPECT_EQ(copy->_strokeWidth, text->_strokeWidth);
    EXPECT_EQ(copy->_fill_type, text->_fill_type);
    EXPECT_EQ(copy->_fill_Grad_clr2, text->_fill_Grad_clr2);
    EXPECT_EQ(copy->_fill_hatch_type, text->_fill_hatch_type);
    EXPECT_EQ(copy->_fill_grad_angle, text->_fill_grad_angle);
    EXPECT_FALSE(copy->ctrl_is_locked);
    EXPECT_TRUE(copy->ctrl_is_visible);
    EXPECT_EQ(copy->data_source_type, 0);
    EXPECT_FALSE(copy->excel_binding);
    EXPECT_EQ(copy->Text_Value, QStringLiteral("Text here"));
    EXPECT_FALSE(copy->_Text_contents);
    EXPECT_TRUE(copy->control_ID.isEmpty());
    EXPECT_EQ(copy->qr_size_val, 60);

    copy->_fillColor = Qt::magenta; // the copy's colours are its own
    EXPECT_NE(text->_fillColor, QColor(Qt::magenta));
}

TEST(SKTGraphic, LineCopyKeepsItsDirection)
{
    auto line = SKTGraphic::create<SKTLine>();
    line->_pointsRight = true;
    line->_pointsDown = true;
    auto copy = std::dynamic_pointer_cast<SKTLine>(line->copy());
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->_pointsRight);
    EXPECT_TRUE(copy->_pointsDown);
}

TEST(SKTGraphic, ArchiveClassNamesComeBackAsTheirKinds)
{
    for (const char* name : {"SKTGraphic", "Shape_Control", "SKTLine", "SKTText", "SKTImage", "SKTSignature", "SKTBarcode"}) {
        const SKTGraphicPtr bare = SKTGraphic::createBareOfClass(QString::fromLatin1(name));
        ASSERT_TRUE(bare) << name;
        EXPECT_EQ(bare->archiveClassChain().front(), QString::fromLatin1(name));
        EXPECT_FALSE(bare->ctrl_is_visible); // bare: nothing set
    }
    EXPECT_FALSE(SKTGraphic::createBareOfClass(QStringLiteral("NSView")));
}

TEST(SKTGraphic, PropertyDictionaryCarriesGeometryFillAndOutline)
{
    auto shape = SKTGraphic::create<Shape_Control>();
    shape->_bounds = QRectF(1.5, 2, 30, 40);
    shape->_isDrawingFill = false;
    shape->_fillColor = QColor(10, 20, 30);
    shape->_strokeColor = QColor(40, 50, 60);
    shape->_strokeWidth = 2.25;
    const PlistDict properties = shape->properties();
    EXPECT_EQ(properties.keys(), (QStringList{"bounds", "drawingFill", "fillColor", "drawingStroke", "strokeColor", "strokeWidth"}));
    const auto back = SKTGraphic::createWithProperties<Shape_Control>(properties);
    EXPECT_EQ(back->_bounds, shape->_bounds);
    EXPECT_FALSE(back->_isDrawingFill);
    EXPECT_EQ(back->_fillColor, shape->_fillColor);
    EXPECT_EQ(back->_strokeColor, shape->_strokeColor);
    EXPECT_EQ(back->_strokeWidth, 2.25);
    EXPECT_EQ(back->Text_Value, QStringLiteral("Text here")); // everything else from init
    EXPECT_TRUE(shape->description().contains(QStringLiteral("{{1.5, 2}, {30, 40}}")));

    // Entries of the wrong type are passed over.
    PlistDict wrong;
    wrong.insert(QStringLiteral("bounds"), PlistValue(qint64(5)));
    wrong.insert(QStringLiteral("fillColor"), PlistValue("red"));
    wrong.insert(QStringLiteral("strokeWidth"), PlistValue("wide"));
    wrong.insert(QStringLiteral("drawingStroke"), PlistValue(QByteArray("0")));
    const auto fresh = SKTGraphic::createWithProperties(wrong);
    EXPECT_EQ(fresh->_bounds, QRectF());
    EXPECT_EQ(fresh->_fillColor, QColor(Qt::white));
    EXPECT_EQ(fresh->_strokeWidth, 1.0);
    EXPECT_TRUE(fresh->_isDrawingStroke);
}
