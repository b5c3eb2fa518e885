#pragma once

#include "model/SKTGraphic.h"

// A shape: rectangle, ellipse, rounded rectangle, triangle, diamond, star, double star
// or polygon, chosen by _shape_type.
class Shape_Control : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;

protected:
    Shape_Control() = default;
};
