#include "model/Card_Property.h"

#include "model/ModelDefaults.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"

std::shared_ptr<Card_Property> Card_Property::create()
{
    std::shared_ptr<Card_Property> record(new Card_Property);
    record->init();
    return record;
}

std::shared_ptr<Card_Property> Card_Property::createBare()
{
    return std::shared_ptr<Card_Property>(new Card_Property);
}

void Card_Property::init()
{
    Card_border_chk = false;
    Card_fill_chk = false;
    Card_bordr_clr = QColor(Qt::black);
    Card_fill_clr = QColor(Qt::white);
    Card_fill_Grd_1_clr = QColor(Qt::white);
    Card_fill_Grd_2_clr = QColor(Qt::white);
    Card_hatch_bk_clr = QColor(Qt::white);
    Card_bor_Stepper = 1;
    Card_grad_Stepper = 0;
    Card_Cat_index = 0;
    Card_alpha_Stepper = 100.0f;
    Card_border_style = QStringLiteral("S");
    Card_fill_style = QStringLiteral("S");
    Card_hatch_style = QStringLiteral("");
    Card_Side = QStringLiteral("2");
    Card_Side_Name = QStringLiteral("F");
    Card_Shape = QStringLiteral("R");
    Card_Name = QStringLiteral("Untitled");
    Card_Preset = QStringLiteral("Horizontal");
    Card_Category = QStringLiteral("PVC Card");
    Card_Sub_Category = QStringLiteral("CR80-Credit Card Size");
    Card_Create_Mode = QStringLiteral("W");
    Card_BG_Image_Path = QStringLiteral("");
    Card_BG_Image_Layout = QStringLiteral("Stretch");
    Card_BG_Image = QImage();
    Card_Location = QPointF(0, 0);
    Card_Size = QSizeF(0, 0);
    Card_Content_clr = QColor(Qt::black);
    Card_Content_font = Model_Font(Text_Ctrl_Font, 14.0);
}

std::shared_ptr<Card_Property> Card_Property::copy() const
{
    std::shared_ptr<Card_Property> copy = create();
    // Every value here is either a plain value or implicitly shared copy-on-write, so
    // plain assignment gives the copy its own colours and picture, as copying asks.
    copy->Card_border_chk = Card_border_chk;
    copy->Card_fill_chk = Card_fill_chk;
    copy->Card_bordr_clr = Card_bordr_clr;
    copy->Card_fill_clr = Card_fill_clr;
    copy->Card_fill_Grd_1_clr = Card_fill_Grd_1_clr;
    copy->Card_fill_Grd_2_clr = Card_fill_Grd_2_clr;
    copy->Card_hatch_bk_clr = Card_hatch_bk_clr;
    copy->Card_bor_Stepper = Card_bor_Stepper;
    copy->Card_grad_Stepper = Card_grad_Stepper;
    copy->Card_Cat_index = Card_Cat_index;
    copy->Card_alpha_Stepper = Card_alpha_Stepper;
    copy->Card_border_style = Card_border_style;
    copy->Card_fill_style = Card_fill_style;
    copy->Card_hatch_style = Card_hatch_style;
    copy->Card_Side = Card_Side;
    copy->Card_Side_Name = Card_Side_Name;
    copy->Card_Shape = Card_Shape;
    copy->Card_Name = Card_Name;
    copy->Card_Preset = Card_Preset;
    copy->Card_Category = Card_Category;
    copy->Card_Sub_Category = Card_Sub_Category;
    copy->Card_Create_Mode = Card_Create_Mode;
    copy->Card_BG_Image_Path = Card_BG_Image_Path;
    copy->Card_BG_Image_Layout = Card_BG_Image_Layout;
    copy->Card_BG_Image = Card_BG_Image;
    copy->Card_Location = Card_Location;
    copy->Card_Size = Card_Size;
    copy->Card_Content_clr = Card_Content_clr;
    copy->Card_Content_font = Card_Content_font;
    return copy;
}

#define KEY(name) QStringLiteral(#name)

void Card_Property::encodeWithCoder(ArchiveWriter& a) const
{
    a.encodeBool(KEY(Card_border_chk), Card_border_chk);
    a.encodeBool(KEY(Card_fill_chk), Card_fill_chk);
    a.encodeInt(KEY(Card_bor_Stepper), Card_bor_Stepper);
    a.encodeInt(KEY(Card_grad_Stepper), Card_grad_Stepper);
    a.encodeInt(KEY(Card_Cat_index), Card_Cat_index);
    a.encodeFloat(KEY(Card_alpha_Stepper), Card_alpha_Stepper);
    a.encodeColor(KEY(Card_bordr_clr), Card_bordr_clr);
    a.encodeColor(KEY(Card_fill_clr), Card_fill_clr);
    a.encodeColor(KEY(Card_fill_Grd_1_clr), Card_fill_Grd_1_clr);
    a.encodeColor(KEY(Card_fill_Grd_2_clr), Card_fill_Grd_2_clr);
    a.encodeColor(KEY(Card_hatch_bk_clr), Card_hatch_bk_clr);
    a.encodeString(KEY(Card_border_style), Card_border_style);
    a.encodeString(KEY(Card_fill_style), Card_fill_style);
    a.encodeString(KEY(Card_hatch_style), Card_hatch_style);
    a.encodeString(KEY(Card_Side), Card_Side);
    a.encodeString(KEY(Card_Side_Name), Card_Side_Name);
    a.encodeString(KEY(Card_Shape), Card_Shape);
    a.encodeString(KEY(Card_Name), Card_Name);
    a.encodeString(KEY(Card_Preset), Card_Preset);
    a.encodeString(KEY(Card_Category), Card_Category);
    a.encodeString(KEY(Card_Sub_Category), Card_Sub_Category);
    a.encodeString(KEY(Card_Create_Mode), Card_Create_Mode);
    a.encodeString(KEY(Card_BG_Image_Path), Card_BG_Image_Path);
    a.encodeString(KEY(Card_BG_Image_Layout), Card_BG_Image_Layout);
    a.encodeImage(KEY(Card_BG_Image), Card_BG_Image);
    a.encodePoint(KEY(Card_Location), Card_Location);
    a.encodeSize(KEY(Card_Size), Card_Size);
    a.encodeColor(KEY(Card_Content_clr), Card_Content_clr);
    a.encodeFont(KEY(Card_Content_font), Card_Content_font);
}

void Card_Property::initWithCoder(const ArchiveObject& a)
{
    Card_border_chk = a.decodeBool(KEY(Card_border_chk));
    Card_fill_chk = a.decodeBool(KEY(Card_fill_chk));
    Card_bor_Stepper = a.decodeInt(KEY(Card_bor_Stepper));
    Card_grad_Stepper = a.decodeInt(KEY(Card_grad_Stepper));
    Card_Cat_index = a.decodeInt(KEY(Card_Cat_index));
    Card_alpha_Stepper = a.decodeFloat(KEY(Card_alpha_Stepper));
    Card_bordr_clr = a.decodeColor(KEY(Card_bordr_clr));
    Card_fill_clr = a.decodeColor(KEY(Card_fill_clr));
    Card_fill_Grd_1_clr = a.decodeColor(KEY(Card_fill_Grd_1_clr));
    Card_fill_Grd_2_clr = a.decodeColor(KEY(Card_fill_Grd_2_clr));
    Card_hatch_bk_clr = a.decodeColor(KEY(Card_hatch_bk_clr));
    Card_border_style = a.decodeString(KEY(Card_border_style));
    Card_fill_style = a.decodeString(KEY(Card_fill_style));
    Card_hatch_style = a.decodeString(KEY(Card_hatch_style));
    Card_Side = a.decodeString(KEY(Card_Side));
    Card_Side_Name = a.decodeString(KEY(Card_Side_Name));
    Card_Shape = a.decodeString(KEY(Card_Shape));
    Card_Name = a.decodeString(KEY(Card_Name));
    Card_Preset = a.decodeString(KEY(Card_Preset));
    Card_Category = a.decodeString(KEY(Card_Category));
    Card_Sub_Category = a.decodeString(KEY(Card_Sub_Category));
    Card_Create_Mode = a.decodeString(KEY(Card_Create_Mode));
    Card_BG_Image_Path = a.decodeString(KEY(Card_BG_Image_Path));
    Card_BG_Image_Layout = a.decodeString(KEY(Card_BG_Image_Layout));
    Card_BG_Image = a.decodeImage(KEY(Card_BG_Image));
    Card_Location = a.decodePoint(KEY(Card_Location));
    Card_Size = a.decodeSize(KEY(Card_Size));
    Card_Content_clr = a.decodeColor(KEY(Card_Content_clr));
    Card_Content_font = a.decodeFont(KEY(Card_Content_font));
}

#undef KEY

QByteArray Card_Property::archivedData() const
{
    ArchiveWriter writer({QStringLiteral("Card_Property"), QStringLiteral("NSObject")});
    encodeWithCoder(writer);
    return writer.toData();
}

std::shared_ptr<Card_Property> Card_Property::unarchive(const QByteArray& data, QString* error)
{
    ArchiveReader reader;
    if (!reader.open(data, error))
        return nullptr;
    const ArchiveObject root = reader.root();
    if (root.className() != QLatin1String("Card_Property")) {
        if (error)
            *error = QStringLiteral("The archive holds a \"%1\", not card settings.").arg(root.className());
        return nullptr;
    }
    std::shared_ptr<Card_Property> record = createBare();
    record->initWithCoder(root);
    return record;
}
