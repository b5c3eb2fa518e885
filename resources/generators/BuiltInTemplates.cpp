// Writes the built-in templates into resources/Templates with the program's own design writer
// and renderer: a design file and a two-sided preview per template. Built with the program:
//   cmake --build build --target builtin_templates
//   QT_QPA_PLATFORM=offscreen build/builtin_templates resources
// Picture paths are stored relative to the resource folder, so that each user's design opens
// them from that user's own copy of the resources.
#include "barcodes/BarcodeCardFields.h"
#include "common/Globals.h"
#include "data/TemplateStore.h"
#include "mainwindow/DesignFile.h"
#include "model/Card_Property.h"
#include "model/ModelDefaults.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"
#include "platform/StyledText.h"
#include "render/CardUnits.h"
#include "render/CombinedCardImage.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

namespace {

struct Side
{
    Card_PropertyPtr settings = Card_Property::create();
    SKTDocument::Graphics graphics;
};

Card_PropertyPtr cardSettings(const QSizeF& points, const QString& sideName)
{
    Card_PropertyPtr card = Card_Property::create();
    card->Card_border_chk = true;
    card->Card_bordr_clr = QColor(90, 90, 90);
    card->Card_bor_Stepper = 1;
    card->Card_border_style = QStringLiteral("S");
    card->Card_fill_chk = true;
    card->Card_fill_style = QStringLiteral("S");
    card->Card_fill_clr = Qt::white;
    card->Card_alpha_Stepper = 100.0f;
    card->Card_Side = QStringLiteral("2");
    card->Card_Side_Name = sideName;
    card->Card_Shape = QStringLiteral("R");
    card->Card_Name = QStringLiteral("Untitled");
    card->Card_Size = points;
    card->Card_Preset = QStringLiteral("Horizontal");
    card->Card_Category = QStringLiteral("PVC Card");
    card->Card_Sub_Category = QStringLiteral("CR80-Credit Card Size");
    card->Card_Create_Mode = QStringLiteral("W");
    card->Card_Content_clr = Qt::black;
    card->Card_Content_font = Model_Font(Text_Ctrl_Font, 14.0);
    card->Card_BG_Image_Layout = QStringLiteral("Stretch");
    return card;
}

// Objects are listed top-most first, as a side holds them.
void addOnTop(Side& side, const SKTGraphicPtr& graphic)
{
    side.graphics.prepend(graphic);
}

void text(Side& side, const QRectF& bounds, const QString& value, const QString& family, double size, QColor colour,
    bool bold = false, int alignment = 2)
{
    auto graphic = SKTGraphic::create<SKTText>();
    QFont font = Model_Font(family, size);
    font.setBold(bold);
    graphic->Text_Value = value;
    graphic->txt_clr = colour;
    graphic->text_ctrl_font = font;
    graphic->text_alignmnet = alignment;
    graphic->_isDrawingFill = false;
    graphic->_isDrawingStroke = false;
    graphic->_Text_contents = std::make_shared<StyledText>(StyledText::plain(value, font, colour));
    graphic->setBounds(bounds);
    addOnTop(side, graphic);
}

void box(Side& side, const QRectF& bounds, QColor fill)
{
    auto graphic = SKTGraphic::create<Shape_Control>();
    graphic->_fillColor = fill;
    graphic->_isDrawingFill = true;
    graphic->_isDrawingStroke = false;
    graphic->setBounds(bounds);
    addOnTop(side, graphic);
}

void barcode(Side& side, const QPointF& topLeft, const QString& value)
{
    auto graphic = SKTGraphic::create<SKTBarcode>();
    BarcodeGenSettings settings;
    settings.linear_font_val = value;
    settings.show_hide_hdr = 1;
    settings.show_hide_ftr = 1;
    settings.linear_height_val = 0.8f;
    settings.linear_width_val = 11.0f;
    storeBarcodeFields(settings, *graphic);
    const Picture picture = barcodePictureFromFields(*graphic);
    graphic->Set_Barcode_image(picture);
    graphic->setBounds(QRectF(topLeft, picture.size()));
    addOnTop(side, graphic);
}

// The shipped folder the pictures are read from; the stored paths are relative to it.
QString shippedResources;

void pictureFill(Side& side, const QString& relativePath)
{
    side.settings->Card_fill_style = QStringLiteral("I");
    side.settings->Card_BG_Image_Path = relativePath;
    side.settings->Card_BG_Image = QImage(QDir(shippedResources).filePath(relativePath));
}

void gradientFill(Side& side, QColor from, QColor to, int angle)
{
    side.settings->Card_fill_style = QStringLiteral("G");
    side.settings->Card_fill_Grd_1_clr = from;
    side.settings->Card_fill_Grd_2_clr = to;
    side.settings->Card_grad_Stepper = angle;
}

bool writeTemplate(const QString& folder, const QString& name, const QSizeF& points, Side& front, Side& back)
{
    front.settings->Card_Size = back.settings->Card_Size = points;
    DesignContents contents;
    contents.front = front.settings;
    contents.back = back.settings;
    contents.columnTitles = { QStringLiteral("#") };
    contents.frontGraphics = front.graphics;
    contents.backGraphics = back.graphics;
    const QString base = QDir(folder).filePath(name);
    QString error;
    if (!DesignFile::write(base + QStringLiteral(".dcard"), contents, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(error));
        return false;
    }
    const QRectF frame(QPointF(0, 0), points);
    const QImage preview
        = combinedCardImage(front.graphics, { front.settings, 0, frame }, back.graphics, { back.settings, 0, frame });
    return !preview.isNull() && preview.save(base + QStringLiteral(".png"), "PNG");
}

QSizeF millimetres(double width, double height)
{
    return QSizeF(MM_to_Points_Convert(float(width)), MM_to_Points_Convert(float(height)));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: builtin_templates RESOURCES-FOLDER\n");
        return 2;
    }
    const QString resources = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    shippedResources = resources;
    QGuiApplication::setApplicationName(QStringLiteral("Galavite"));
    // Whatever the drawing reads comes from the shipped folder, never from the builder's own.
    Resource_Path = resources;
    const QString folder = QDir(resources).filePath(QStringLiteral("Templates"));
    QDir().mkpath(folder);
    const QSizeF cr80 = millimetres(85.598, 54.102);
    const QColor ink(40, 40, 60);
    bool written = true;

    {
        Side front, back;
        front.settings = cardSettings(cr80, QStringLiteral("F"));
        back.settings = cardSettings(cr80, QStringLiteral("B"));
        pictureFill(front, QStringLiteral("Background/Balloon Party.jpg"));
        text(front, QRectF(10, 14, cr80.width() - 20, 34), QStringLiteral("You're Invited!"), QStringLiteral("Serif"),
            22, QColor(150, 20, 70), true);
        text(front, QRectF(14, 56, cr80.width() - 28, 40),
            QStringLiteral("Join us for an afternoon of games,\ncake and good company."), QStringLiteral("Serif"), 10,
            ink);
        text(front, QRectF(14, 104, cr80.width() - 28, 36), QStringLiteral("Saturday, 3 pm\nThe Garden Room"),
            QStringLiteral("Sans Serif"), 9, ink, true);
        gradientFill(back, QColor(255, 236, 245), Qt::white, 90);
        text(back, QRectF(14, 50, cr80.width() - 28, 50), QStringLiteral("Please reply by the 1st\nto the host."),
            QStringLiteral("Serif"), 11, ink);
        written &= writeTemplate(folder, QStringLiteral("Party Invitation"), cr80, front, back);
    }
    {
        const QSizeF badge = millimetres(101.6, 76.2);
        Side front, back;
        front.settings = cardSettings(badge, QStringLiteral("F"));
        back.settings = cardSettings(badge, QStringLiteral("B"));
        front.settings->Card_Category = back.settings->Card_Category = QStringLiteral("Name Badge");
        front.settings->Card_Sub_Category = back.settings->Card_Sub_Category
            = QStringLiteral("Durable 1452 - Name Badge");
        box(front, QRectF(0, 0, badge.width(), 62), QColor(200, 30, 40));
        text(front, QRectF(0, 6, badge.width(), 30), QStringLiteral("HELLO"), QStringLiteral("Sans Serif"), 22,
            Qt::white, true);
        text(front, QRectF(0, 36, badge.width(), 20), QStringLiteral("my name is"), QStringLiteral("Sans Serif"), 11,
            Qt::white);
        text(front, QRectF(10, 96, badge.width() - 20, 40), QStringLiteral("Your Name"), QStringLiteral("Serif"), 24,
            ink, true);
        text(front, QRectF(10, 150, badge.width() - 20, 24), QStringLiteral("Team or Company"),
            QStringLiteral("Sans Serif"), 11, QColor(90, 90, 90));
        written &= writeTemplate(folder, QStringLiteral("Name Badge"), badge, front, back);
    }
    {
        Side front, back;
        front.settings = cardSettings(cr80, QStringLiteral("F"));
        back.settings = cardSettings(cr80, QStringLiteral("B"));
        gradientFill(front, QColor(20, 50, 110), QColor(40, 110, 170), 45);
        front.settings->Card_Shape = back.settings->Card_Shape = QStringLiteral("R");
        text(front, QRectF(14, 12, cr80.width() - 28, 26), QStringLiteral("Riverside Walking Club"),
            QStringLiteral("Sans Serif"), 13, Qt::white, true, 0);
        text(front, QRectF(14, 40, cr80.width() - 28, 18), QStringLiteral("MEMBER"), QStringLiteral("Sans Serif"), 9,
            QColor(200, 220, 255), false, 0);
        text(front, QRectF(14, 92, cr80.width() - 28, 24), QStringLiteral("Member Name"), QStringLiteral("Sans Serif"),
            14, Qt::white, true, 0);
        text(front, QRectF(14, 118, cr80.width() - 28, 18), QStringLiteral("No. 000123   Valid until 12/2027"),
            QStringLiteral("Monospace"), 9, Qt::white, false, 0);
        box(back, QRectF(0, 16, cr80.width(), 28), QColor(30, 30, 30));
        text(back, QRectF(14, 60, cr80.width() - 28, 70),
            QStringLiteral(
                "This card remains the property of the club.\nIf found, please return it to the club house."),
            QStringLiteral("Sans Serif"), 8, ink, false, 0);
        written &= writeTemplate(folder, QStringLiteral("Membership Card"), cr80, front, back);
    }
    {
        const QSizeF ticket = millimetres(92.075, 60.325);
        Side front, back;
        front.settings = cardSettings(ticket, QStringLiteral("F"));
        back.settings = cardSettings(ticket, QStringLiteral("B"));
        front.settings->Card_Sub_Category = back.settings->Card_Sub_Category = QStringLiteral("CR90-Over Sized");
        box(front, QRectF(0, 0, 62, ticket.height()), QColor(250, 180, 40));
        text(front, QRectF(4, 60, 54, 40), QStringLiteral("ADMIT\nONE"), QStringLiteral("Sans Serif"), 12, ink, true);
        text(front, QRectF(70, 12, ticket.width() - 80, 28), QStringLiteral("Summer Concert"), QStringLiteral("Serif"),
            16, ink, true, 0);
        text(front, QRectF(70, 42, ticket.width() - 80, 30), QStringLiteral("Town Hall, 7:30 pm\nRow C  Seat 12"),
            QStringLiteral("Sans Serif"), 9, ink, false, 0);
        barcode(front, QPointF(72, 92), QStringLiteral("TICKET-0042"));
        text(back, QRectF(14, 50, ticket.width() - 28, 60),
            QStringLiteral("Keep this ticket until the end of the event.\nNo refunds or exchanges."),
            QStringLiteral("Sans Serif"), 9, ink);
        written &= writeTemplate(folder, QStringLiteral("Event Ticket"), ticket, front, back);
    }
    {
        Side front, back;
        front.settings = cardSettings(cr80, QStringLiteral("F"));
        back.settings = cardSettings(cr80, QStringLiteral("B"));
        pictureFill(front, QStringLiteral("Background/Confetti.png"));
        text(front, QRectF(10, 20, cr80.width() - 20, 34), QStringLiteral("Happy Birthday!"), QStringLiteral("Serif"),
            20, QColor(30, 90, 160), true);
        text(front, QRectF(14, 64, cr80.width() - 28, 50),
            QStringLiteral("Come and celebrate\nwith music, cake and friends."), QStringLiteral("Serif"), 10, ink);
        pictureFill(back, QStringLiteral("Background/Sky Glow.jpg"));
        text(back, QRectF(14, 60, cr80.width() - 28, 30), QStringLiteral("See you there!"), QStringLiteral("Serif"), 14,
            ink, true);
        written &= writeTemplate(folder, QStringLiteral("Birthday Party"), cr80, front, back);
    }
    return written ? 0 : 1;
}
