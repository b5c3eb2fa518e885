#pragma once

#include "model/SKTGraphic.h"

// A shape: rectangle, ellipse, rounded rectangle, triangle, diamond, star, double star
// or polygon, chosen by _shape_type.
class Shape_Control : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;
    std::shared_ptr<SKTGraphic> clone() const override;

    QPainterPath bezierPathForDrawing() const override;
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The figure's fill and outline, whose mitred tips may reach far past the bounds.
    QRectF paintedBounds() const override;
    bool drawsNothing() const override { return !isDrawingFill() && !isDrawingStroke(); }
    // Inside the figure by the winding rule, filled or not.
    bool isContentsUnderPoint(const QPointF& point) const override;

    // The figures, built on the current bounds.
    QPainterPath Rectangle_path() const;
    QPainterPath Circle_path() const;
    QPainterPath Rounded_Rectangle_path() const;
    QPainterPath Triangle_path() const;
    QPainterPath Diamond_path() const;
    // A four-pointed star whose points are the corners of the bounds.
    QPainterPath Custom_Polygon() const;
    // n corners on the inscribed ellipse joined two turns round, from the top middle: odd n
    // gives an n-pointed star, even n = 2m an m-gon traced twice. None for n <= 0.
    QPainterPath Polygon_With_Diffrent_Sides(qint32 sides) const;

protected:
    Shape_Control() = default;
    Shape_Control(const Shape_Control&) = default;
};
