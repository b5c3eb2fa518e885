#pragma once

#include "platform/PlistValue.h"
#include "platform/PropertyList.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>

#include <memory>
#include <optional>

class Picture;
struct StyledText;

// Writes one root object and everything it refers to as a keyed archive: the dictionary
// with "$archiver", "$version", "$top" {"root"} and "$objects", where "$objects" starts with
// "$null", objects refer to one another by UID, and each object names its class record
// ("$classname", "$classes"). Colours, fonts, styled text, strings, numbers, arrays,
// dictionaries and data take the forms that archives written elsewhere use; pictures are
// written as PNG data.
class ArchiveWriter
{
public:
    // The class chain names the root object's class first, then its ancestors.
    explicit ArchiveWriter(const QStringList& rootClassChain);

    void encodeBool(const QString& key, bool value);
    void encodeInt(const QString& key, qint32 value);
    void encodeFloat(const QString& key, float value);
    void encodeDouble(const QString& key, double value);
    // Rectangles, points and sizes are written as brace strings ("{{x, y}, {w, h}}").
    void encodeRect(const QString& key, const QRectF& rect);
    void encodePoint(const QString& key, const QPointF& point);
    void encodeSize(const QString& key, const QSizeF& size);
    // Object values; a null string, invalid colour, missing font, empty text or null
    // picture is written as a reference to "$null".
    void encodeString(const QString& key, const QString& value);
    void encodeData(const QString& key, const QByteArray& value);
    void encodeColor(const QString& key, const QColor& color);
    void encodeFont(const QString& key, const std::optional<QFont>& font);
    void encodeStyledText(const QString& key, const StyledText* text);
    void encodeImage(const QString& key, const QImage& image);
    void encodePicture(const QString& key, const Picture& picture);
    // Plain property-list values as archived objects (numbers, strings, data, arrays,
    // dictionaries with string keys).
    void encodeObject(const QString& key, const PlistValue& value);

    // The finished archive.
    PlistValue archive() const;
    QByteArray toData(PropertyList::Format format = PropertyList::Format::Binary) const;

    // Archives whose root is a single colour or font (how card settings store them).
    static QByteArray archivedColor(const QColor& color);
    static QByteArray archivedFont(const std::optional<QFont>& font);

private:
    PlistUid append(PlistValue object);
    PlistUid classRecord(const QStringList& chain);
    PlistUid objectForString(const QString& value);
    PlistUid objectForPlainValue(const PlistValue& value);
    PlistDict colorObject(const QColor& color);
    PlistDict fontObject(const QFont& font);
    PlistUid objectForStyledText(const StyledText& text);
    PlistUid objectForAttributes(const QFont* font, const QColor& color);
    PlistUid objectForImageData(const QByteArray& png, const QSizeF& sizeInPoints);
    PlistUid objectForArray(const std::vector<PlistUid>& items);
    // A dictionary object from keys and references to its values.
    PlistUid objectForDictionary(const PlistDict& references);

    PlistArray objects_;
    PlistDict root_;
    QHash<QString, PlistUid> classRecords_;
    bool rootIsNull_ = false; // an archive of "no object"
};
