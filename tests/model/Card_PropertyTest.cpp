#include "GraphicFields.h"
#include "StringForms.h"

#include "model/Card_Property.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/PropertyList.h"

#include <gtest/gtest.h>

namespace {

void fillEveryField(Card_Property& c)
{
    c.Card_border_chk = true;
    c.Card_fill_chk = true;
    c.Card_bordr_clr = QColor(10, 20, 30);
    c.Card_fill_clr = QColor(40, 50, 60, 70);
    c.Card_fill_Grd_1_clr = QColor(80, 90, 100);
    c.Card_fill_Grd_2_clr = QColor(110, 120, 130);
    c.Card_hatch_bk_clr = QColor(140, 150, 160);
    c.Card_bor_Stepper = 3;
    c.Card_grad_Stepper = 270;
    c.Card_Cat_index = 5;
    c.Card_alpha_Stepper = 0.33f;
    c.Card_border_style = QStringLiteral("DO");
    c.Card_fill_style = QStringLiteral("I");
    c.Card_hatch_style = QStringLiteral("Cross");
    c.Card_Side = QStringLiteral("1");
    c.Card_Side_Name = QStringLiteral("B");
    c.Card_Shape = QStringLiteral("RR");
    c.Card_Name = QString::fromUtf8("Hochzeit – Einladung");
    c.Card_Preset = QStringLiteral("Vertical");
    c.Card_Category = QStringLiteral("Name Badge");
    c.Card_Sub_Category = QStringLiteral("Durable 1455 - Name Badge");
    c.Card_Create_Mode = QStringLiteral("L");
    c.Card_BG_Image_Path = QStringLiteral("/x/Resources/Background/b1.jpg");
    c.Card_BG_Image_Layout = QStringLiteral("Tile");
    QImage picture(4, 3, QImage::Format_ARGB32);
    picture.fill(QColor(1, 2, 3, 128));
    picture.setPixelColor(2, 1, QColor(255, 0, 0));
    c.Card_BG_Image = picture;
    c.Card_Location = QPointF(0.5, -2);
    c.Card_Size = QSizeF(243, 154);
    c.Card_Content_clr = QColor(0, 0, 255);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(16);
    font.setBold(true);
    c.Card_Content_font = font;
}

#define SAME(field) EXPECT_EQ(e.field, a.field) << #field

void expectSameFields(const Card_Property& e, const Card_Property& a)
{
    SAME(Card_border_chk);
    SAME(Card_fill_chk);
    SAME(Card_bordr_clr);
    SAME(Card_fill_clr);
    SAME(Card_fill_Grd_1_clr);
    SAME(Card_fill_Grd_2_clr);
    SAME(Card_hatch_bk_clr);
    SAME(Card_bor_Stepper);
    SAME(Card_grad_Stepper);
    SAME(Card_Cat_index);
    SAME(Card_alpha_Stepper);
    SAME(Card_border_style);
    SAME(Card_fill_style);
    SAME(Card_hatch_style);
    SAME(Card_Side);
    SAME(Card_Side_Name);
    SAME(Card_Shape);
    SAME(Card_Name);
    SAME(Card_Preset);
    SAME(Card_Category);
    SAME(Card_Sub_Category);
    SAME(Card_Create_Mode);
    SAME(Card_BG_Image_Path);
    SAME(Card_BG_Image_Layout);
    EXPECT_EQ(e.Card_BG_Image.isNull(), a.Card_BG_Image.isNull());
    if (!e.Card_BG_Image.isNull()) {
        EXPECT_EQ(e.Card_BG_Image.convertToFormat(QImage::Format_ARGB32),
                  a.Card_BG_Image.convertToFormat(QImage::Format_ARGB32));
    }
    SAME(Card_Location);
    SAME(Card_Size);
    SAME(Card_Content_clr);
    expectSameFont(e.Card_Content_font, a.Card_Content_font, "Card_Content_font");
}

#undef SAME

} // namespace

TEST(Card_Property, FreshRecordHasTheDefaults)
{
    const auto card = Card_Property::create();
    EXPECT_FALSE(card->Card_border_chk);
    EXPECT_EQ(card->Card_alpha_Stepper, 100.0f);
    EXPECT_EQ(card->Card_bor_Stepper, 1);
    EXPECT_EQ(card->Card_bordr_clr, QColor(Qt::black));
    EXPECT_EQ(card->Card_fill_clr, QColor(Qt::white));
    EXPECT_EQ(card->Card_Name, QStringLiteral("Untitled"));
    EXPECT_EQ(card->Card_Side, QStringLiteral("2"));
    EXPECT_EQ(card->Card_Sub_Category, QStringLiteral("CR80-Credit Card Size"));
    EXPECT_EQ(card->Card_BG_Image_Layout, QStringLiteral("Stretch"));
    EXPECT_TRUE(card->Card_BG_Image.isNull());
    EXPECT_EQ(card->Card_Size, QSizeF(0, 0));
    EXPECT_EQ(card->Card_Content_font->family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(card->Card_Content_font->pointSizeF(), 14.0);
}

TEST(Card_Property, CopyIsIndependentOfItsSource)
{
    auto card = Card_Property::create();
    fillEveryField(*card);
    auto copy = card->copy();
    expectSameFields(*card, *copy);
    copy->setCard_fill_clr(Qt::green);
    copy->Card_BG_Image.setPixelColor(0, 0, Qt::green);
    EXPECT_EQ(card->Card_fill_clr, QColor(40, 50, 60, 70));
    EXPECT_NE(card->Card_BG_Image.pixelColor(0, 0), QColor(Qt::green));
}

TEST(Card_Property, EveryFieldSurvivesTheArchiveInBothForms)
{
    for (bool fresh : {true, false}) {
        auto card = Card_Property::create();
        if (!fresh)
            fillEveryField(*card);
        for (auto format : {PropertyList::Format::Xml, PropertyList::Format::Binary}) {
            ArchiveWriter writer({QStringLiteral("Card_Property"), QStringLiteral("NSObject")});
            card->encodeWithCoder(writer);
            const auto back = Card_Property::unarchive(writer.toData(format));
            ASSERT_TRUE(back);
            expectSameFields(*card, *back);
        }
    }
}

TEST(Card_Property, WritesItsTwentyNineKeysInOrder)
{
    const PlistValue frame = PropertyList::read(Card_Property::create()->archivedData());
    QStringList keys = frame.toDict().find(QStringLiteral("$objects"))->toArray().at(1).toDict().keys();
    keys.removeAll(QStringLiteral("$class"));
    EXPECT_EQ(keys, (QStringList{"Card_border_chk", "Card_fill_chk", "Card_bor_Stepper", "Card_grad_Stepper",
                                 "Card_Cat_index", "Card_alpha_Stepper", "Card_bordr_clr", "Card_fill_clr",
                                 "Card_fill_Grd_1_clr", "Card_fill_Grd_2_clr", "Card_hatch_bk_clr", "Card_border_style",
                                 "Card_fill_style", "Card_hatch_style", "Card_Side", "Card_Side_Name", "Card_Shape",
                                 "Card_Name", "Card_Preset", "Card_Category", "Card_Sub_Category", "Card_Create_Mode",
                                 "Card_BG_Image_Path", "Card_BG_Image_Layout", "Card_BG_Image", "Card_Location",
                                 "Card_Size", "Card_Content_clr", "Card_Content_font"}));
}

TEST(Card_Property, MissingKeysReadAsEmpty)
{
    ArchiveWriter writer({QStringLiteral("Card_Property"), QStringLiteral("NSObject")});
    writer.encodeString(QStringLiteral("Card_Side"), QStringLiteral("1"));
    const auto back = Card_Property::unarchive(writer.toData());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Card_Side, QStringLiteral("1"));
    EXPECT_TRUE(back->Card_Name.isNull()); // not "Untitled"
    EXPECT_EQ(back->Card_alpha_Stepper, 0.0f);
    EXPECT_FALSE(back->Card_fill_clr.isValid());
    EXPECT_FALSE(back->Card_Content_font.has_value());
    EXPECT_EQ(back->Card_Size, QSizeF(0, 0));

    QString error;
    EXPECT_FALSE(Card_Property::unarchive(SKTGraphic::create()->archivedData(), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(Card_Property, GeometryAndStringsReadTheSameInPlaceOrByReference)
{
    auto card = Card_Property::create();
    fillEveryField(*card);
    ArchiveWriter writer({QStringLiteral("Card_Property"), QStringLiteral("NSObject")});
    card->encodeWithCoder(writer);
    int inlined = 0, referenced = 0;
    const QByteArray swapped = withStringFormsSwapped(writer.toData(PropertyList::Format::Binary), inlined, referenced);
    EXPECT_EQ(referenced, 2); // location and size
    EXPECT_EQ(inlined, 13); // every string field
    const auto back = Card_Property::unarchive(swapped);
    ASSERT_TRUE(back);
    expectSameFields(*card, *back);
}
