#pragma once

#include "platform/PlistValue.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>

#include <memory>
#include <optional>

class ArchiveReader;
class Picture;
struct StyledText;

// One object of a keyed archive being read: its keys decode to values, each checked for
// its type. A missing key, a value of the wrong type, a bad reference, a cycle or nesting
// beyond the reader's limit all read as the empty value (NO, 0, zero geometry, null
// string, invalid colour, no font, no text, null image); decoding never fails as a whole.
class ArchiveObject
{
public:
    ArchiveObject(const ArchiveReader& reader, const PlistDict& dict);

    // The recorded class name, and the chain of class names from the class record.
    QString className() const;
    QStringList classChain() const;
    bool contains(const QString& key) const { return dict_->contains(key); }

    bool decodeBool(const QString& key) const;
    qint32 decodeInt(const QString& key) const;
    float decodeFloat(const QString& key) const;
    double decodeDouble(const QString& key) const;
    QRectF decodeRect(const QString& key) const;
    QPointF decodePoint(const QString& key) const;
    QSizeF decodeSize(const QString& key) const;
    QString decodeString(const QString& key) const;
    QByteArray decodeData(const QString& key) const;
    QColor decodeColor(const QString& key) const;
    std::optional<QFont> decodeFont(const QString& key) const;
    std::shared_ptr<StyledText> decodeStyledText(const QString& key) const;
    QImage decodeImage(const QString& key) const;
    Picture decodePicture(const QString& key) const;
    // Numbers, strings, data, arrays and dictionaries as plain values (none on failure).
    PlistValue decodeObject(const QString& key) const;

private:
    const PlistValue* value(const QString& key) const;
    QString stringValue(const QString& key) const;

    const ArchiveReader* reader_;
    const PlistDict* dict_;
};
