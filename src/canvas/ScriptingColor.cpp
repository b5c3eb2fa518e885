#include "canvas/ScriptingColor.h"

#include <cstring>

namespace ScriptingColor {

std::optional<QColor> scriptingRGBColorWithDescriptor(const QByteArray& descriptor)
{
    if (descriptor.size() != 6)
        return std::nullopt;
    quint16 components[3];
    std::memcpy(components, descriptor.constData(), sizeof components);
    return QColor::fromRgbF(
        float(components[0] / 65535.0), float(components[1] / 65535.0), float(components[2] / 65535.0), 1.0f);
}

QByteArray scriptingRGBColorDescriptor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    const quint16 components[3]
        = { quint16(rgb.redF() * 65535.0), quint16(rgb.greenF() * 65535.0), quint16(rgb.blueF() * 65535.0) };
    return QByteArray(reinterpret_cast<const char*>(components), sizeof components);
}

} // namespace ScriptingColor
