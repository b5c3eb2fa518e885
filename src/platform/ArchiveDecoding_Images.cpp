// Archived pictures: the first embedded TIFF, PNG, JPEG or PDF data under an image object.
#include "platform/ArchiveDecoding.h"

#include "platform/BraceGeometry.h"

namespace ArchiveDecoding {

namespace {

bool isPictureData(const QByteArray& data)
{
    return data.startsWith("II*\0") || data.startsWith(QByteArray("MM\0*", 4))
           || data.startsWith("\x89PNG\r\n\x1a\n") || data.startsWith("\xFF\xD8\xFF") || data.startsWith("%PDF");
}

// Depth first through the object's values and the objects they refer to.
QByteArray firstPictureData(Context& context, const PlistValue& value)
{
    return withObject<QByteArray>(context, value, [&](const PlistValue& object) -> QByteArray {
        if (object.isData())
            return isPictureData(object.toData()) ? object.toData() : QByteArray();
        if (object.isArray()) {
            for (const PlistValue& item : object.toArray()) {
                const QByteArray found = firstPictureData(context, item);
                if (!found.isEmpty())
                    return found;
            }
            return QByteArray();
        }
        const PlistDict& dict = object.toDict();
        for (qsizetype i = 0; i < dict.size(); ++i) {
            if (dict.keyAt(i) == QLatin1String("$class"))
                continue;
            const QByteArray found = firstPictureData(context, dict.valueAt(i));
            if (!found.isEmpty())
                return found;
        }
        return QByteArray();
    });
}

} // namespace

QByteArray imageDataFrom(Context& context, const PlistValue& value, QSizeF* sizeInPoints)
{
    return withObject<QByteArray>(context, value, [&](const PlistValue& object) -> QByteArray {
        const PlistDict& dict = object.toDict();
        if (!object.isDict() || !isOfClass(context, dict, "NSImage"))
            return QByteArray();
        if (sizeInPoints) {
            const PlistValue* size = dict.find(QStringLiteral("NSSize"));
            *sizeInPoints = size ? BraceGeometry::sizeFromString(stringFrom(context, *size)) : QSizeF();
        }
        for (qsizetype i = 0; i < dict.size(); ++i) {
            if (dict.keyAt(i) == QLatin1String("$class"))
                continue;
            const QByteArray found = firstPictureData(context, dict.valueAt(i));
            if (!found.isEmpty())
                return found;
        }
        return QByteArray();
    });
}

} // namespace ArchiveDecoding
