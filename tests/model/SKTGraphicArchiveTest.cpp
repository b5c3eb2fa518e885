#include "GraphicFields.h"
#include "StringForms.h"

#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/PropertyList.h"

#include <gtest/gtest.h>

namespace {

std::vector<SKTGraphicPtr> everyKind()
{
    return {SKTGraphic::create<SKTGraphic>(), SKTGraphic::create<Shape_Control>(), SKTGraphic::create<SKTLine>(),
            SKTGraphic::create<SKTText>(),    SKTGraphic::create<SKTImage>(),      SKTGraphic::create<SKTSignature>(),
            SKTGraphic::create<SKTBarcode>()};
}

QByteArray archiveIn(const SKTGraphic& graphic, PropertyList::Format format)
{
    ArchiveWriter writer(graphic.archiveClassChain());
    graphic.encodeWithCoder(writer);
    return writer.toData(format);
}

// The design file's way: archives as data items of an outer property list.
SKTGraphicPtr throughOuterList(const SKTGraphic& graphic, PropertyList::Format format)
{
    const PlistValue outer(PlistArray{PlistValue("marker"), PlistValue(graphic.archivedData())});
    const PlistValue back = PropertyList::read(PropertyList::write(outer, format));
    return SKTGraphic::unarchive(back.toArray().at(1).toData());
}

const QStringList archiveKeys = {
    "_bounds", "ctrl_is_locked", "_isDrawingFill", "_fillColor", "_isDrawingStroke", "_strokeColor", "_strokeWidth",
    "_stroke_border_type", "_fill_type", "_fill_Grad_clr1", "_fill_Grad_clr2", "_fill_grad_angle", "_fill_htch_clr",
    "_fill_hatch_type", "_isFlippedHorizontally", "_isFlippedVertically", "invert_clr", "gray_Scale", "Sepia",
    "img_trnsp_val", "hue_val", "sat_val", "brt_val", "con_val", "srp_val", "ev_val", "blr_val", "data_source_type",
    "rotate_image", "_file_path", "sign_or_fingureprint", "batch_list_name", "batch_list_index", "_line_ori",
    "_line_cap_style", "alpha_val", "alpha_val_stroke", "text_ctrl_font", "txt_clr", "_Text_contents", "_shape_type",
    "cor_rad_val_val", "_barcode_image", "linear_or_2d", "barcode_font_index", "linear_font_val", "two_d_font_val",
    "header_val", "footer_val", "show_hide_hdr", "show_hide_ftr", "show_hide_val", "show_val_on_top",
    "align_hdr_index", "align_ftr_index", "linear_height_val", "linear_width_val", "qr_size_val", "qr_version_index",
    "qr_ec_index", "pdf_hgt_val", "pdf_wdt_val", "pdf_ec_val", "dm_module_val", "dm_format_index",
    "dm_encoding_index", "hdr_margin_val", "ftr_margin_val", "val_margin_val", "TB_marging_val", "LR_margin_val",
    "value_font_val", "header_font_val", "footer_font_val", "barcode_hdr_clr_val", "barcode_ftr_clr_val",
    "barcode_val_clr_val", "barcode_back_clr_val", "barcode_clr_val", "dpi_val_index", "dpi_custom_val",
    "barcode_unit_val", "text_alignmnet", "text_transfrom_case", "text_kerning", "print_object", "control_ID",
    "excel_binding", "excel_col_indx", "Text_Value", "ctrl_is_visible", "double_star_type", "polygon_type",
    "kerning_value_state"};

PlistDict rootObjectOf(const QByteArray& archive)
{
    const PlistValue frame = PropertyList::read(archive);
    return frame.toDict().find(QStringLiteral("$objects"))->toArray().at(1).toDict();
}

} // namespace

TEST(SKTGraphicArchive, EveryFieldOfEveryKindSurvivesXmlBinaryAndAnOuterList)
{
    for (const SKTGraphicPtr& original : everyKind()) {
        fillEveryField(*original);
        const QString kind = original->archiveClassChain().front();
        SCOPED_TRACE(kind.toStdString());
        for (auto format : {PropertyList::Format::Xml, PropertyList::Format::Binary}) {
            for (const SKTGraphicPtr& back : {SKTGraphic::unarchive(archiveIn(*original, format)),
                                              throughOuterList(*original, format)}) {
                ASSERT_TRUE(back);
                EXPECT_EQ(back->archiveClassChain().front(), kind);
                expectSameFields(*original, *back);
            }
        }
    }
}

TEST(SKTGraphicArchive, FreshObjectsSurviveWithTheirEmptyValues)
{
    for (const SKTGraphicPtr& original : everyKind()) {
        const SKTGraphicPtr back = SKTGraphic::unarchive(original->archivedData());
        ASSERT_TRUE(back);
        expectSameFields(*original, *back);
        EXPECT_FALSE(back->_Text_contents);
        EXPECT_TRUE(back->_barcode_image.isNull());
        EXPECT_EQ(back->_fill_hatch_type, QStringLiteral("")); // empty, not none
        EXPECT_FALSE(back->_fill_hatch_type.isNull());
    }
}

TEST(SKTGraphicArchive, WritesTheNinetyThreeKeysInTheirOrderThenTheSpreadChoiceAndNothingElse)
{
    for (const SKTGraphicPtr& graphic : everyKind()) {
        if (dynamic_cast<SKTLine*>(graphic.get()))
            continue;
        QStringList keys = rootObjectOf(graphic->archivedData()).keys();
        keys.removeAll(QStringLiteral("$class"));
        EXPECT_EQ(keys, archiveKeys);
    }
    ArchiveReader reader;
    ASSERT_TRUE(reader.open(SKTGraphic::create<SKTText>()->archivedData()));
    EXPECT_EQ(reader.root().classChain(),
              (QStringList{QStringLiteral("SKTText"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")}));
}

TEST(SKTGraphicArchive, WidthAndAngleAreNarrowedToThirtyTwoBits)
{
    auto graphic = SKTGraphic::create<Shape_Control>();
    graphic->_strokeWidth = 0.1;
    graphic->_fill_grad_angle = 1.0 / 3.0;
    const SKTGraphicPtr back = SKTGraphic::unarchive(graphic->archivedData());
    EXPECT_EQ(back->_strokeWidth, double(0.1f));
    EXPECT_NE(back->_strokeWidth, 0.1);
    EXPECT_EQ(back->_fill_grad_angle, double(float(1.0 / 3.0)));
}

TEST(SKTGraphicArchive, MissingKeysReadAsEmptyNotAsDefaults)
{
    ArchiveWriter writer({QStringLiteral("SKTText"), QStringLiteral("SKTGraphic"), QStringLiteral("NSObject")});
    writer.encodeRect(QStringLiteral("_bounds"), QRectF(1, 2, 3, 4));
    const SKTGraphicPtr back = SKTGraphic::unarchive(writer.toData());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->_bounds, QRectF(1, 2, 3, 4));
    EXPECT_FALSE(back->ctrl_is_visible); // a hidden object, not the visible default
    EXPECT_FALSE(back->_isDrawingFill);
    EXPECT_FALSE(back->_fillColor.isValid());
    EXPECT_TRUE(back->_shape_type.isNull());
    EXPECT_TRUE(back->Text_Value.isNull());
    EXPECT_EQ(back->double_star_type, 0);
    EXPECT_EQ(back->img_trnsp_val, 0.0f);
    EXPECT_FALSE(back->text_ctrl_font.has_value());
    EXPECT_FALSE(back->_Text_contents);
    EXPECT_FALSE(back->fillColor().isValid()); // a colour getter on no colour gives none
    EXPECT_FALSE(back->text_before_binding); // a file from before the key: no typed text kept
}

TEST(SKTGraphicArchive, TheTextBeforeABindingAndTheColumnTitleFollowTheOtherKeysOnlyWhenThereAreSome)
{
    auto text = SKTGraphic::create<SKTText>();
    text->text_before_binding = QString(QLatin1String(""));
    QStringList keys = rootObjectOf(text->archivedData()).keys();
    keys.removeAll(QStringLiteral("$class"));
    EXPECT_EQ(keys, archiveKeys + QStringList{QStringLiteral("text_before_binding")});
    // Kept even when empty: an emptied typed text is still the one to give back.
    const SKTGraphicPtr back = SKTGraphic::unarchive(text->archivedData());
    ASSERT_TRUE(back && back->text_before_binding);
    EXPECT_TRUE(back->text_before_binding->isEmpty());
    EXPECT_TRUE(back->excel_col_title.isEmpty()); // from before titles were kept: bound by place

    // A column's title goes with its place, which a reader that knows no title still takes.
    text->Set_Excel_binding_Column(2, QStringLiteral("Code"));
    keys = rootObjectOf(text->archivedData()).keys();
    keys.removeAll(QStringLiteral("$class"));
    EXPECT_EQ(
        keys, archiveKeys + QStringList({ QStringLiteral("text_before_binding"), QStringLiteral("excel_col_title") }));
    const SKTGraphicPtr titled = SKTGraphic::unarchive(text->archivedData());
    ASSERT_TRUE(titled);
    EXPECT_EQ(titled->excel_col_indx, 2);
    EXPECT_EQ(titled->excel_col_title, QStringLiteral("Code"));
}

TEST(SKTGraphicArchive, LineKeepsItsDirectionAfterTheNinetyThreeKeys)
{
    auto line = SKTGraphic::create<SKTLine>();
    line->_pointsRight = true;
    line->_pointsDown = false;
    QStringList keys = rootObjectOf(line->archivedData()).keys();
    keys.removeAll(QStringLiteral("$class"));
    EXPECT_EQ(keys.mid(0, archiveKeys.size()), archiveKeys);
    EXPECT_EQ(keys.mid(archiveKeys.size()), (QStringList{QStringLiteral("_pointsRight"), QStringLiteral("_pointsDown")}));
    auto back = std::dynamic_pointer_cast<SKTLine>(SKTGraphic::unarchive(line->archivedData()));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->_pointsRight);
    EXPECT_FALSE(back->_pointsDown);

    // An archive written without them reads as both NO.
    ArchiveWriter writer(line->archiveClassChain());
    line->SKTGraphic::encodeWithCoder(writer);
    back = std::dynamic_pointer_cast<SKTLine>(SKTGraphic::unarchive(writer.toData()));
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->_pointsRight);
    EXPECT_FALSE(back->_pointsDown);
}

TEST(SKTGraphicArchive, DamagedOrForeignArchivesFailWithAReason)
{
    const QByteArray good = SKTGraphic::create<SKTImage>()->archivedData();
    QString error;
    EXPECT_FALSE(SKTGraphic::unarchive(good.left(good.size() - 40), &error));
    EXPECT_FALSE(error.isEmpty());

    ArchiveWriter foreign({QStringLiteral("NSWindow"), QStringLiteral("NSObject")});
    error.clear();
    EXPECT_FALSE(SKTGraphic::unarchive(foreign.toData(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("NSWindow")));

    // Every field of the wrong type: the object still reads, each field empty.
    PlistValue frame = PropertyList::read(good);
    PlistArray objects = frame.toDict().find(QStringLiteral("$objects"))->toArray();
    PlistDict root = objects.at(1).toDict();
    PlistDict mistyped;
    for (const QString& key : root.keys())
        mistyped.insert(key, key == QLatin1String("$class") ? root.find(key)->toUid() : PlistValue(PlistArray{}));
    objects[1] = PlistValue(mistyped);
    frame.dict().insert(QStringLiteral("$objects"), PlistValue(objects));
    const SKTGraphicPtr back = SKTGraphic::unarchive(PropertyList::write(frame, PropertyList::Format::Binary));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->_bounds, QRectF());
    EXPECT_TRUE(back->_file_path.isNull());
    EXPECT_FALSE(back->ctrl_is_visible);
    EXPECT_EQ(back->qr_size_val, 0);
}

TEST(SKTGraphicArchive, GeometryAndStringsReadTheSameInPlaceOrByReference)
{
    for (const SKTGraphicPtr& original : everyKind()) {
        fillEveryField(*original);
        SCOPED_TRACE(original->archiveClassChain().front().toStdString());
        int inlined = 0, referenced = 0;
        const QByteArray swapped = withStringFormsSwapped(original->archivedData(), inlined, referenced);
        EXPECT_GE(referenced, 1); // the bounds
        EXPECT_GE(inlined, 10); // every string field
        const SKTGraphicPtr back = SKTGraphic::unarchive(swapped);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->_bounds, original->_bounds);
        expectSameFields(*original, *back);
    }
}
