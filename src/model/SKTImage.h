#pragma once

#include "model/SKTGraphic.h"

#include <QImage>

#include <mutex>

inline const QString SKTImageContentsKey = QStringLiteral("contents");
inline const QString SKTImageIsFlippedHorizontallyKey = QStringLiteral("flippedHorizontally");
inline const QString SKTImageIsFlippedVerticallyKey = QStringLiteral("flippedVertically");

// A picture from a file (_file_path), also clip art.
class SKTImage : public SKTGraphic
{
    friend class SKTGraphic;

public:
    QStringList archiveClassChain() const override;
    std::shared_ptr<SKTGraphic> clone() const override;
    void takeValuesOf(const SKTGraphic& saved) override;

    // Made at a centre from the picture file at the path, at the picture's natural size.
    void initWithPath(const QPointF& centre, const QString& path);
    // Made at a centre showing the given picture, remembering the file it came from.
    void initWithPosition(const QPointF& centre, const QImage& picture, const QString& libraryPath);

    // Stores the path and loads the picture; an unreadable file leaves no picture.
    void setFilePath(const QString& path) override;

    bool isDrawingFill() const override { return false; }
    bool canSetDrawingFill() const override { return false; }
    bool canSetDrawingStroke() const override { return false; }
    // Border, then the picture after its effects stretched over the bounds, mirrored by the
    // flips and turned about the bounds' centre by the rotation in whole degrees, at the
    // object's opacity. Nothing for an empty path.
    void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited) override;
    // The upright bounds and, for a turned picture, the corners it reaches.
    QRectF drawingBounds() const override;
    // The border on the bounds and the picture turned about their centre.
    QRectF paintedBounds() const override;
    // The flips tell observers of "flippedHorizontally" and "flippedVertically".
    void setFlippedHorizontally(bool flipped) override;
    void setFlippedVertically(bool flipped) override;
    void flipHorizontally() override;
    void flipVertically() override;
    // Unless locked: the picture's natural size (at most 724 x 468 points), no flips.
    void makeNaturalSize() override;
    QSet<QString> keysForValuesToObserveForUndo() const override;
    std::optional<QString> presentablePropertyNameForKey(const QString& key) const override;
    QVariant valueForKey(const QString& key) const override;
    bool setValueForKey(const QString& key, const QVariant& value) override;

    // The picture as loaded and its natural size in points (capped).
    QImage picture() const;
    QSizeF pictureSize() const;
    void setPicture(const QImage& picture);
    // The picture after the object's effects, as drawn; objects showing one picture with the
    // same effects share it.
    QImage processedPicture();

protected:
    SKTImage() = default;
    SKTImage(const SKTImage& other);
    void copyKindFieldsTo(SKTGraphic& copy) const override;

private:
    // The effect values a kept result was made with.
    double rotationDegrees() const;
    struct EffectValues
    {
        bool grayScale, sepia, invert;
        float hue, saturation, brightness, contrast, sharpness, exposure, blur;
        quint64 chain;
        bool operator==(const EffectValues&) const = default;
    };
    struct ProcessedPicture
    {
        qint64 source = 0;
        EffectValues values{};
        QImage image;
    };

    EffectValues effectValues() const;
    // Names a result by its source picture and the values it was made with.
    static QString processedKey(qint64 source, const EffectValues& values);

    mutable std::mutex pictureMutex_; // drawing may run on several threads at once
    QImage _contents;
    QSizeF _contentsSize;
    ProcessedPicture processed_;
};
