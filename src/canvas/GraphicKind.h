#pragma once

#include "model/SKTGraphic.h"

#include <optional>

// The kinds of card object a canvas can create (the class a drawing tool stands for).
enum class GraphicKind
{
    Shape,
    Line,
    Text,
    Image,
    Signature,
    Barcode
};

// The kind that a tool number creates; none for the arrow tool and unknown numbers.
std::optional<GraphicKind> currentGraphicClass(int tool);
// The shape code a shape tool sets ("R", "C", ...); empty for other tools.
QString shapeTypeForTool(int tool);
// A new object of the kind with its init() defaults.
SKTGraphicPtr createGraphicOfKind(GraphicKind kind);
// Exactly that kind (a signature is not an image).
bool isExactlyKind(const SKTGraphic& graphic, GraphicKind kind);
