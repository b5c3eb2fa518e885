// An image object's picture: loading, creation at a point, natural size and flips.
#include "model/SKTImage.h"

#include "model/ModelHooks.h"
#include "model/PictureFile.h"

namespace {

// Pictures are shown at most this large at their natural size (points, each side alone).
constexpr double maxNaturalWidth = 724.0;
constexpr double maxNaturalHeight = 468.0;

// Both sides shrink by the same factor, so a large picture keeps its proportions.
QSizeF cappedNaturalSize(const QImage& picture)
{
    const QSizeF size = PictureFile::sizeInPoints(picture);
    if (size.width() <= maxNaturalWidth && size.height() <= maxNaturalHeight)
        return size;
    return size.scaled(QSizeF(maxNaturalWidth, maxNaturalHeight), Qt::KeepAspectRatio);
}

QRectF centredOn(const QPointF& centre, const QSizeF& size)
{
    return {centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height()};
}

} // namespace

void SKTImage::setPicture(const QImage& picture)
{
    // The size cap is applied here, once, rather than by the first drawing, so that
    // drawing never changes the object.
    const QSizeF naturalSize = cappedNaturalSize(picture);
    std::lock_guard lock(pictureMutex_);
    _contents = picture;
    _contentsSize = naturalSize;
    processed_ = {};
}

QImage SKTImage::picture() const
{
    std::lock_guard lock(pictureMutex_);
    return _contents;
}

QSizeF SKTImage::pictureSize() const
{
    std::lock_guard lock(pictureMutex_);
    return _contentsSize;
}

void SKTImage::setFilePath(const QString& path)
{
    Set_Control_File_path(path);
    setPicture(PictureFile::load(path));
}

void SKTImage::initWithPath(const QPointF& centre, const QString& path)
{
    init();
    setFilePath(path);
    setBounds(centredOn(centre, pictureSize()));
    ModelHooks::Reset_Image_Editing_Controls();
}

void SKTImage::initWithPosition(const QPointF& centre, const QImage& picture, const QString& libraryPath)
{
    init();
    setPicture(picture);
    Set_Control_File_path(libraryPath);
    setBounds(centredOn(centre, pictureSize()));
    ModelHooks::Reset_Image_Editing_Controls();
}

void SKTImage::setFlippedHorizontally(bool flipped)
{
    const bool old = _isFlippedHorizontally;
    _isFlippedHorizontally = flipped;
    didChangeValueForKey(SKTImageIsFlippedHorizontallyKey, old);
}

void SKTImage::setFlippedVertically(bool flipped)
{
    const bool old = _isFlippedVertically;
    _isFlippedVertically = flipped;
    didChangeValueForKey(SKTImageIsFlippedVerticallyKey, old);
}

void SKTImage::flipHorizontally()
{
    setFlippedHorizontally(!_isFlippedHorizontally);
}

void SKTImage::flipVertically()
{
    setFlippedVertically(!_isFlippedVertically);
}

void SKTImage::makeNaturalSize()
{
    if (ctrl_is_locked)
        return;
    setBounds(QRectF(_bounds.topLeft(), pictureSize()));
    setFlippedHorizontally(false);
    setFlippedVertically(false);
}

QSet<QString> SKTImage::keysForValuesToObserveForUndo() const
{
    QSet<QString> keys = SKTGraphic::keysForValuesToObserveForUndo();
    keys.insert(SKTImageIsFlippedHorizontallyKey);
    keys.insert(SKTImageIsFlippedVerticallyKey);
    return keys;
}

QVariant SKTImage::valueForKey(const QString& key) const
{
    if (key == SKTImageIsFlippedHorizontallyKey)
        return _isFlippedHorizontally;
    if (key == SKTImageIsFlippedVerticallyKey)
        return _isFlippedVertically;
    return SKTGraphic::valueForKey(key);
}

bool SKTImage::setValueForKey(const QString& key, const QVariant& value)
{
    const bool isFlag = value.metaType() == QMetaType::fromType<bool>();
    if (key == SKTImageIsFlippedHorizontallyKey && isFlag) {
        setFlippedHorizontally(value.toBool());
        return true;
    }
    if (key == SKTImageIsFlippedVerticallyKey && isFlag) {
        setFlippedVertically(value.toBool());
        return true;
    }
    return SKTGraphic::setValueForKey(key, value);
}

std::optional<QString> SKTImage::presentablePropertyNameForKey(const QString& key) const
{
    if (key == SKTImageIsFlippedHorizontallyKey)
        return QStringLiteral("Horizontal Flipping");
    if (key == SKTImageIsFlippedVerticallyKey)
        return QStringLiteral("Vertical Flipping");
    return SKTGraphic::presentablePropertyNameForKey(key);
}

void SKTImage::copyKindFieldsTo(SKTGraphic& copy) const
{
    SKTGraphic::copyKindFieldsTo(copy);
    static_cast<SKTImage&>(copy).setPicture(picture());
}
