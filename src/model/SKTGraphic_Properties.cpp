// The property dictionary form of a card object.
#include "model/SKTGraphic.h"

#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/BraceGeometry.h"
#include "platform/PropertyList.h"

#include <cmath>

PlistDict SKTGraphic::properties() const
{
    PlistDict properties;
    properties.insert(SKTGraphicBoundsKey, PlistValue(BraceGeometry::fromRect(_bounds)));
    properties.insert(SKTGraphicIsDrawingFillKey, PlistValue(_isDrawingFill));
    if (_fillColor.isValid())
        properties.insert(SKTGraphicFillColorKey, PlistValue(ArchiveWriter::archivedColor(_fillColor)));
    properties.insert(SKTGraphicIsDrawingStrokeKey, PlistValue(_isDrawingStroke));
    if (_strokeColor.isValid())
        properties.insert(SKTGraphicStrokeColorKey, PlistValue(ArchiveWriter::archivedColor(_strokeColor)));
    properties.insert(SKTGraphicStrokeWidthKey, PlistValue(_strokeWidth));
    return properties;
}

void SKTGraphic::initWithProperties(const PlistDict& properties)
{
    auto entry = [&properties](const QString& key, bool (PlistValue::*hasType)() const) {
        const PlistValue* value = properties.find(key);
        return value && (value->*hasType)() ? value : nullptr;
    };
    if (const PlistValue* bounds = entry(SKTGraphicBoundsKey, &PlistValue::isString))
        _bounds = BraceGeometry::rectFromString(bounds->toString());
    // Flags and widths are numbers; booleans count as numbers here as they do elsewhere.
    auto number = [&](const QString& key) -> const PlistValue* {
        const PlistValue* value = properties.find(key);
        return value && (value->isNumber() || value->isBoolean()) ? value : nullptr;
    };
    if (const PlistValue* flag = number(SKTGraphicIsDrawingFillKey))
        _isDrawingFill = flag->isBoolean() ? flag->toBool() : flag->toReal() != 0;
    if (const PlistValue* flag = number(SKTGraphicIsDrawingStrokeKey))
        _isDrawingStroke = flag->isBoolean() ? flag->toBool() : flag->toReal() != 0;
    if (const PlistValue* width = number(SKTGraphicStrokeWidthKey); width && width->isNumber()
        && std::isfinite(width->toReal()))
        _strokeWidth = width->toReal();
    if (const PlistValue* color = entry(SKTGraphicFillColorKey, &PlistValue::isData)) {
        const QColor decoded = ArchiveReader::unarchivedColor(color->toData());
        if (decoded.isValid())
            _fillColor = decoded;
    }
    if (const PlistValue* color = entry(SKTGraphicStrokeColorKey, &PlistValue::isData)) {
        const QColor decoded = ArchiveReader::unarchivedColor(color->toData());
        if (decoded.isValid())
            _strokeColor = decoded;
    }
}

QString SKTGraphic::description() const
{
    return QString::fromUtf8(PropertyList::write(PlistValue(properties()), PropertyList::Format::Xml));
}
