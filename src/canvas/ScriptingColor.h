#pragma once

#include <QByteArray>
#include <QColor>

#include <optional>

// Colours in the scripting interface's RGB form: three unsigned 16-bit components (red,
// green, blue) in the machine's byte order, 6 bytes in all.
namespace ScriptingColor {

// The colour the 6 bytes stand for (alpha 1.0); none for data of any other length.
std::optional<QColor> scriptingRGBColorWithDescriptor(const QByteArray& descriptor);
// The 6 bytes of a colour; components are truncated to whole 16-bit steps.
QByteArray scriptingRGBColorDescriptor(const QColor& color);

} // namespace ScriptingColor
