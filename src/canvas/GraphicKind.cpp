#include "canvas/GraphicKind.h"

#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

#include <typeinfo>

std::optional<GraphicKind> currentGraphicClass(int tool)
{
    switch (tool) {
    case 1:
        return GraphicKind::Line;
    case 2:
        return GraphicKind::Text;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 13:
    case 14:
    case 15:
        return GraphicKind::Shape;
    case 8:
    case 9:
        return GraphicKind::Image;
    case 10:
        return GraphicKind::Barcode;
    case 11:
    case 12:
        return GraphicKind::Signature;
    default:
        return std::nullopt;
    }
}

QString shapeTypeForTool(int tool)
{
    switch (tool) {
    case 3:
        return QStringLiteral("R");
    case 4:
        return QStringLiteral("C");
    case 5:
        return QStringLiteral("RR");
    case 6:
        return QStringLiteral("T");
    case 7:
        return QStringLiteral("D");
    case 13:
        return QStringLiteral("S");
    case 14:
        return QStringLiteral("DS");
    case 15:
        return QStringLiteral("P");
    default:
        return {};
    }
}

SKTGraphicPtr createGraphicOfKind(GraphicKind kind)
{
    switch (kind) {
    case GraphicKind::Shape:
        return SKTGraphic::create<Shape_Control>();
    case GraphicKind::Line:
        return SKTGraphic::create<SKTLine>();
    case GraphicKind::Text:
        return SKTGraphic::create<SKTText>();
    case GraphicKind::Image:
        return SKTGraphic::create<SKTImage>();
    case GraphicKind::Signature:
        return SKTGraphic::create<SKTSignature>();
    case GraphicKind::Barcode:
        return SKTGraphic::create<SKTBarcode>();
    }
    return nullptr;
}

bool isExactlyKind(const SKTGraphic& graphic, GraphicKind kind)
{
    const std::type_info& type = typeid(graphic);
    switch (kind) {
    case GraphicKind::Shape:
        return type == typeid(Shape_Control);
    case GraphicKind::Line:
        return type == typeid(SKTLine);
    case GraphicKind::Text:
        return type == typeid(SKTText);
    case GraphicKind::Image:
        return type == typeid(SKTImage);
    case GraphicKind::Signature:
        return type == typeid(SKTSignature);
    case GraphicKind::Barcode:
        return type == typeid(SKTBarcode);
    }
    return false;
}
