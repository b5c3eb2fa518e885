#include "model/GraphicPainting.h"

#include "model/CardPainting.h"
#include "model/SKTGraphic.h"

#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>

void GraphicPainting::fill(QPainter& painter, const QPainterPath& path, const SKTGraphic& object, Hatch hatch)
{
    const double opacity = object.alpha_val;
    const QString& type = object._fill_type;
    if (type == QLatin1String("G")) {
        painter.fillPath(path, CardPainting::angledGradient(path.boundingRect(), object._fill_grad_angle,
                                                            CardPainting::withOpacity(object._fill_Grad_clr1, opacity),
                                                            CardPainting::withOpacity(object._fill_Grad_clr2, opacity)));
        return;
    }
    if (type == QLatin1String("H") && hatch == Hatch::Allowed) {
        const QColor background = CardPainting::withOpacity(object._fill_htch_clr, opacity);
        if (background.isValid())
            painter.fillPath(path, background);
        // The pattern itself is painted at full opacity; only its background fades.
        const QImage pattern = CardPainting::hatchPicture(object._fill_hatch_type);
        if (!pattern.isNull())
            painter.fillPath(path, CardPainting::tiledBrush(pattern));
        return;
    }
    const QColor colour = CardPainting::withOpacity(object._fillColor, opacity);
    if (colour.isValid())
        painter.fillPath(path, colour);
}

void GraphicPainting::stroke(QPainter& painter, const QPainterPath& path, const SKTGraphic& object,
                             Qt::PenCapStyle cap)
{
    const QColor colour = CardPainting::withOpacity(object._strokeColor, object.alpha_val_stroke);
    if (!colour.isValid())
        return;
    CardPainting::strokePath(painter, path, CardPainting::outlinePen(colour, object._strokeWidth,
                                                                     object._stroke_border_type, cap, path.length()));
}

double GraphicPainting::strokeReach(const SKTGraphic& object)
{
    const double width = CardPainting::drawnWidth(object._strokeWidth);
    return (width > 0.0 ? width : 1.0) / 2.0;
}

QRectF GraphicPainting::strokedArea(const QPainterPath& path, const SKTGraphic& object, Qt::PenCapStyle cap)
{
    // The pen's own shape (CardPainting::outlinePen), without dashes: gaps leave no ink.
    QPainterPathStroker stroker;
    stroker.setWidth(2.0 * strokeReach(object));
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setMiterLimit(10.0);
    stroker.setCapStyle(cap);
    return stroker.createStroke(path).boundingRect();
}

void GraphicPainting::strokeBounds(QPainter& painter, const SKTGraphic& object)
{
    QPainterPath path;
    path.addRect(object._bounds);
    stroke(painter, path, object);
}
