#include "render/CardBasePainter.h"

#include "common/Logging.h"
#include "model/CardEdge.h"
#include "model/CardPainting.h"
#include "model/Card_Property.h"
#include "render/CardClip.h"

#include <QPainter>

#include <exception>

namespace {

void paintFill(QPainter& painter, const QPainterPath& outline, int cardShape, const Card_Property& side,
               const QRectF& frontCanvasBounds)
{
    const QString& style = side.Card_fill_style;
    // The panel stores the solid, gradient and hatch colours with the opacity as alpha.
    if (style == QLatin1String("G")) {
        painter.fillPath(outline, CardPainting::angledGradient(outline.boundingRect(), side.Card_grad_Stepper,
                                                               side.Card_fill_Grd_1_clr,
                                                               side.Card_fill_Grd_2_clr));
    } else if (style == QLatin1String("H")) {
        if (side.Card_hatch_bk_clr.isValid())
            painter.fillPath(outline, side.Card_hatch_bk_clr);
        const QImage pattern = CardPainting::hatchPicture(side.Card_hatch_style);
        if (!pattern.isNull())
            painter.fillPath(outline, CardPainting::tiledBrush(pattern));
    } else if (style == QLatin1String("I")) {
        if (side.Card_BG_Image.isNull())
            return;
        painter.save();
        painter.setOpacity(CardPainting::clampedOpacity(side.Card_alpha_Stepper));
        if (side.Card_BG_Image_Layout == QLatin1String("Tile")) {
            painter.fillPath(outline, CardPainting::tiledBrush(side.Card_BG_Image));
        } else {
            // Stretched over the card's whole rectangle, the picture is cut to the card's
            // shape: a rounded or elliptic card shows no picture in its corners.
            if (CardClip::reachesPast(outline, frontCanvasBounds))
                CardClip::cutTo(painter, outline.boundingRect(), cardShape);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(frontCanvasBounds, side.Card_BG_Image);
        }
        painter.restore();
    } else if (side.Card_fill_clr.isValid()) {
        painter.fillPath(outline, side.Card_fill_clr);
    }
}

} // namespace

QPainterPath CardBasePainter::cardOutline(const QRectF& rect, int cardShape)
{
    return CardEdge::outline(rect, cardShape);
}

void CardBasePainter::Card_Base_Drawing(QPainter& painter, const QRectF& rect, const Card_Property& side,
                                        int cardShape, const QRectF& frontCanvasBounds)
{
    painter.save();
    try {
        painter.setRenderHint(QPainter::Antialiasing);
        const QPainterPath outline = cardOutline(rect, cardShape);
        painter.fillPath(outline, Qt::white);
        if (side.Card_fill_chk)
            paintFill(painter, outline, cardShape, side, frontCanvasBounds);
        if (side.Card_border_chk) {
            // The outer half of the line would lie off the card: on paper, in the next cell.
            CardClip::cutTo(painter, rect, cardShape);
            CardPainting::strokePath(painter, outline,
                                     CardPainting::outlinePen(side.Card_bordr_clr, side.Card_bor_Stepper,
                                                              side.Card_border_style, Qt::FlatCap, outline.length()));
        }
    } catch (const std::exception& error) {
        Show_NSLog_Message(QStringLiteral("Card base drawing failed: %1").arg(QString::fromUtf8(error.what())));
    }
    painter.restore();
}
