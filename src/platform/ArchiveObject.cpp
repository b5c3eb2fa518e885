#include "platform/ArchiveObject.h"

#include "platform/ImageResolution.h"

#include "platform/ArchiveDecoding.h"
#include "platform/ArchiveReader.h"
#include "platform/BraceGeometry.h"
#include "platform/Picture.h"
#include "platform/StyledText.h"

#include <cmath>
#include <limits>

using namespace ArchiveDecoding;

ArchiveObject::ArchiveObject(const ArchiveReader& reader, const PlistDict& dict) : reader_(&reader), dict_(&dict) {}

QString ArchiveObject::className() const
{
    return classChain().value(0);
}

QStringList ArchiveObject::classChain() const
{
    return reader_->classChainOf(*dict_);
}

const PlistValue* ArchiveObject::value(const QString& key) const
{
    return dict_->find(key);
}

bool ArchiveObject::decodeBool(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v)
        return false;
    if (v->isBoolean())
        return v->toBool();
    return v->isInteger() && v->toInteger() != 0;
}

qint32 ArchiveObject::decodeInt(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v)
        return 0;
    if (v->isBoolean())
        return v->toBool() ? 1 : 0;
    const double number = v->isReal() ? std::trunc(v->toReal()) : double(v->toInteger());
    // Out of range for a 32-bit field counts as a value of the wrong type.
    if (!v->isNumber() || !std::isfinite(number) || number < std::numeric_limits<qint32>::min()
        || number > std::numeric_limits<qint32>::max())
        return 0;
    return qint32(number);
}

double ArchiveObject::decodeDouble(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !v->isNumber())
        return 0.0;
    const double number = v->toReal();
    return std::isfinite(number) ? number : 0.0;
}

float ArchiveObject::decodeFloat(const QString& key) const
{
    const double number = decodeDouble(key);
    return std::abs(number) <= std::numeric_limits<float>::max() ? float(number) : 0.0f;
}

// A string (geometry included) may stand in place or be a reference to a string object;
// archives from other writers use both, and both read the same.
QString ArchiveObject::stringValue(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !(v->isUid() || v->isString()))
        return QString();
    Context context(*reader_);
    return stringFrom(context, *v);
}

QRectF ArchiveObject::decodeRect(const QString& key) const
{
    return BraceGeometry::rectFromString(stringValue(key));
}

QPointF ArchiveObject::decodePoint(const QString& key) const
{
    return BraceGeometry::pointFromString(stringValue(key));
}

QSizeF ArchiveObject::decodeSize(const QString& key) const
{
    return BraceGeometry::sizeFromString(stringValue(key));
}

QString ArchiveObject::decodeString(const QString& key) const
{
    return stringValue(key);
}

QByteArray ArchiveObject::decodeData(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !v->isUid())
        return QByteArray();
    Context context(*reader_);
    return dataFrom(context, *v);
}

QColor ArchiveObject::decodeColor(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !v->isUid())
        return QColor();
    Context context(*reader_);
    return colorFrom(context, *v);
}

std::optional<QFont> ArchiveObject::decodeFont(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !v->isUid())
        return std::nullopt;
    Context context(*reader_);
    return fontFrom(context, *v);
}

std::shared_ptr<StyledText> ArchiveObject::decodeStyledText(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !v->isUid())
        return nullptr;
    Context context(*reader_);
    return styledTextFrom(context, *v);
}

namespace {
QImage imageFrom(const QByteArray& data)
{
    // PDF data has no reader here; such a picture reads as none.
    if (data.isEmpty() || data.startsWith("%PDF"))
        return QImage();
    return ImageResolution::readImageData(data);
}
} // namespace

QImage ArchiveObject::decodeImage(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !v->isUid())
        return QImage();
    Context context(*reader_);
    return imageFrom(imageDataFrom(context, *v, nullptr));
}

Picture ArchiveObject::decodePicture(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !v->isUid())
        return Picture();
    Context context(*reader_);
    QSizeF size;
    const QImage image = imageFrom(imageDataFrom(context, *v, &size));
    if (image.isNull())
        return Picture();
    if (!(size.width() > 0 && size.height() > 0)) {
        // No stated size: a file without a resolution counts as 72 dpi, a point per pixel.
        const int dotsPerMeter = image.dotsPerMeterX();
        const double dpi = (dotsPerMeter > 0 && dotsPerMeter != 3780) ? dotsPerMeter * 0.0254 : 72.0;
        size = QSizeF(image.width() * 72.0 / dpi, image.height() * 72.0 / dpi);
    }
    return Picture::fromImage(image, size);
}

PlistValue ArchiveObject::decodeObject(const QString& key) const
{
    const PlistValue* v = value(key);
    if (!v || !v->isUid())
        return PlistValue();
    Context context(*reader_);
    return plainFrom(context, *v);
}
