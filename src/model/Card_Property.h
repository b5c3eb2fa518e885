#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <optional>

class ArchiveWriter;
class ArchiveObject;

// The card settings of one side: outline, fill, border, background picture, default text
// colour and font, and the card's name, size and size preset. The fields are public and
// read directly; each has a writer named set<Field>.
//
// Make records with create(), which applies the defaults; a bare record (all zero, NO,
// empty, none) is what reading an archive starts from.
class Card_Property
{
public:
    static std::shared_ptr<Card_Property> create();
    static std::shared_ptr<Card_Property> createBare();

    virtual ~Card_Property() = default;

    // Sets every field to its default (the font from Text_Ctrl_Font at 14 points).
    virtual void init();
    // A record with the same values; colours and the picture are copies, the rest shared
    // or copied by value (all values here are implicitly shared, so the two never alias).
    std::shared_ptr<Card_Property> copy() const;
    // Every field equal (pictures by their pixels).
    bool operator==(const Card_Property&) const = default;

    // The 29 keys in their fixed order.
    void encodeWithCoder(ArchiveWriter& archive) const;
    // Sets every field from its key; a missing or mistyped key gives NO, 0, none or zero.
    void initWithCoder(const ArchiveObject& archive);
    // The keyed archive of the record as a binary property list.
    QByteArray archivedData() const;
    static std::shared_ptr<Card_Property> unarchive(const QByteArray& data, QString* error = nullptr);

    void setCard_border_chk(bool value) { Card_border_chk = value; }
    void setCard_fill_chk(bool value) { Card_fill_chk = value; }
    void setCard_bordr_clr(const QColor& value) { Card_bordr_clr = value; }
    void setCard_fill_clr(const QColor& value) { Card_fill_clr = value; }
    void setCard_fill_Grd_1_clr(const QColor& value) { Card_fill_Grd_1_clr = value; }
    void setCard_fill_Grd_2_clr(const QColor& value) { Card_fill_Grd_2_clr = value; }
    void setCard_hatch_bk_clr(const QColor& value) { Card_hatch_bk_clr = value; }
    void setCard_bor_Stepper(qint32 value) { Card_bor_Stepper = value; }
    void setCard_grad_Stepper(qint32 value) { Card_grad_Stepper = value; }
    void setCard_Cat_index(qint32 value) { Card_Cat_index = value; }
    void setCard_alpha_Stepper(float value) { Card_alpha_Stepper = value; }
    void setCard_border_style(const QString& value) { Card_border_style = value; }
    void setCard_fill_style(const QString& value) { Card_fill_style = value; }
    void setCard_hatch_style(const QString& value) { Card_hatch_style = value; }
    void setCard_Side(const QString& value) { Card_Side = value; }
    void setCard_Side_Name(const QString& value) { Card_Side_Name = value; }
    void setCard_Shape(const QString& value) { Card_Shape = value; }
    void setCard_Name(const QString& value) { Card_Name = value; }
    void setCard_Preset(const QString& value) { Card_Preset = value; }
    void setCard_Category(const QString& value) { Card_Category = value; }
    void setCard_Sub_Category(const QString& value) { Card_Sub_Category = value; }
    void setCard_Create_Mode(const QString& value) { Card_Create_Mode = value; }
    void setCard_BG_Image_Path(const QString& value) { Card_BG_Image_Path = value; }
    void setCard_BG_Image_Layout(const QString& value) { Card_BG_Image_Layout = value; }
    void setCard_BG_Image(const QImage& value) { Card_BG_Image = value; }
    void setCard_Location(const QPointF& value) { Card_Location = value; }
    void setCard_Size(const QSizeF& value) { Card_Size = value; }
    void setCard_Content_clr(const QColor& value) { Card_Content_clr = value; }
    void setCard_Content_font(const std::optional<QFont>& value) { Card_Content_font = value; }

    bool Card_border_chk = false;
    bool Card_fill_chk = false;
    QColor Card_bordr_clr;
    QColor Card_fill_clr;
    QColor Card_fill_Grd_1_clr;
    QColor Card_fill_Grd_2_clr;
    QColor Card_hatch_bk_clr;
    qint32 Card_bor_Stepper = 0;
    qint32 Card_grad_Stepper = 0;
    qint32 Card_Cat_index = 0;
    float Card_alpha_Stepper = 0.0f; // fill opacity 0 to 1; above 1 paints fully opaque
    QString Card_border_style;
    QString Card_fill_style;
    QString Card_hatch_style;
    QString Card_Side;
    QString Card_Side_Name;
    QString Card_Shape;
    QString Card_Name;
    QString Card_Preset;
    QString Card_Category;
    QString Card_Sub_Category;
    QString Card_Create_Mode;
    QString Card_BG_Image_Path;
    QString Card_BG_Image_Layout;
    QImage Card_BG_Image; // the loaded background picture, rebuilt from its path
    QPointF Card_Location;
    QSizeF Card_Size;
    QColor Card_Content_clr;
    std::optional<QFont> Card_Content_font;

protected:
    Card_Property() = default;
};

using Card_PropertyPtr = std::shared_ptr<Card_Property>;
