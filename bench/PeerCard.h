#pragma once

// The peer benchmark's invitation card in our model: a centred title, a name, a table, a
// QR Code and a Code 128 of the row's id, at the places and sizes of the peer's card.
#include "barcodes/BarcodeCardFields.h"
#include "barcodes/BarcodeSymbologies.h"
#include "model/Card_Property.h"
#include "model/SKTBarcode.h"
#include "model/SKTText.h"
#include "render/CardUnits.h"

#include <QList>

namespace PeerCard {

inline QRectF millimetres(double x, double y, double w, double h)
{
    return QRectF(MM_to_Points_Convert(float(x)), MM_to_Points_Convert(float(y)), MM_to_Points_Convert(float(w)),
        MM_to_Points_Convert(float(h)));
}

// The card's size.
inline QRectF bounds()
{
    return millimetres(0, 0, 85.6, 53.98);
}

inline SKTGraphicPtr text(const QString& shown, int points, bool bold, const QRectF& bounds, bool centred = false)
{
    auto object = SKTGraphic::create<SKTText>();
    QFont font(QStringLiteral("DejaVu Sans"), points);
    font.setBold(bold);
    // Text draws in the object's own font, colour and alignment, without a frame.
    object->text_ctrl_font = font;
    object->txt_clr = Qt::black;
    object->text_alignmnet = centred ? 2 : 0;
    object->setDrawingStroke(false);
    *object->Text_contents() = StyledText::plain(shown, font, Qt::black);
    object->setBounds(bounds);
    return object;
}

inline SKTGraphicPtr barcode(const char* kind, const QRectF& bounds)
{
    auto object = SKTGraphic::create<SKTBarcode>();
    BarcodeGenSettings settings;
    settings.barcode_font_index = indexOfBarcodeSymbology(QLatin1String(kind));
    settings.linear_or_2d = settings.barcode_font_index >= LinearSymbologyCount ? 1 : 0;
    settings.show_hide_hdr = settings.show_hide_ftr = 1;
    settings.qr_ec_index = 1; // M
    if (settings.linear_or_2d == 1) {
        // The symbol framed by nothing but its 20 mm side (whole points a module, centred).
        settings.qr_size_val = int(MM_to_Points_Convert(20.0f));
        settings.LR_margin_val = settings.TB_marging_val = 0;
    } else {
        // 14-mil bars 12 mm high: the framed symbol of an id and its caption fit 52 x 18 mm.
        settings.linear_width_val = 14;
        settings.linear_height_val = 1.2f; // centimetres
    }
    storeBarcodeFields(settings, *object);
    object->setBounds(bounds);
    return object;
}

// The front: the title, then the name, the table, the QR Code and the Code 128 that rows fill.
inline QList<SKTGraphicPtr> front()
{
    return {
        text(QStringLiteral("You're invited!"), 16, true, millimetres(3, 2.5, 79.6, 8), true),
        text(QString(), 12, true, millimetres(4, 12, 52, 7)),
        text(QString(), 10, false, millimetres(4, 19.5, 52, 6)),
        barcode("QR Code", millimetres(61.6, 14, 20, 20)),
        barcode("Code 128", millimetres(4, 30, 52, 18)),
    };
}

// White card settings for both sides.
inline std::shared_ptr<Card_Property> settings()
{
    auto settings = Card_Property::create();
    settings->setCard_fill_chk(true);
    settings->setCard_fill_clr(Qt::white);
    return settings;
}

} // namespace PeerCard
