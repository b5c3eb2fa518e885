// A barcode object shows the barcode picture at its own size from the bounds' origin, or
// the sample picture while it has none.
#include "model/SKTBarcode.h"

#include "common/Globals.h"
#include "model/CardEdge.h"
#include "model/ModelHooks.h"
#include "model/PictureFile.h"

#include <QPainter>

namespace {

Picture samplePicture()
{
    const QImage sample = PictureFile::load(Resource_File(QStringLiteral("barcode_sample.png")));
    if (sample.isNull())
        return {};
    return Picture::fromImage(sample, PictureFile::sizeInPoints(sample));
}

} // namespace

Picture SKTBarcode::barcode_image_var_assign()
{
    const Picture chosen = _barcode_image.isNull() ? samplePicture() : _barcode_image;
    std::lock_guard lock(contentsMutex_);
    _contents = chosen;
    return chosen;
}

void SKTBarcode::initWithPosition(const QPointF& centre)
{
    init();
    const Picture picture = barcode_image_var_assign();
    const QSizeF size = picture.isNull() ? QSizeF(0, 0) : picture.size();
    setBounds(QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height()));
}

QRectF SKTBarcode::paintedBounds() const
{
    const Picture picture = _barcode_image.isNull() ? samplePicture() : _barcode_image;
    return picture.isNull() ? QRectF() : QRectF(_bounds.topLeft(), picture.size());
}

void SKTBarcode::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible)
        return;
    const Picture picture = barcode_image_var_assign();
    if (!picture.isNull())
        picture.draw(painter, QRectF(_bounds.topLeft(), picture.size()));
    ModelHooks::Refresh_Canvas();
}

QRectF SKTBarcode::drawingBounds() const
{
    const QRectF own = SKTGraphic::drawingBounds();
    return _barcode_image.isNull() ? own : own.united(QRectF(_bounds.topLeft(), _barcode_image.size()));
}

bool SKTBarcode::barcodeFitsBounds(const CardEdge& card) const
{
    // Below a quarter point a cut shows nothing: the box's own rounding stays quiet.
    constexpr double tolerance = 0.25;
    if (_barcode_image.isNull())
        return true;
    const QSizeF size = _barcode_image.size();
    if (size.width() > _bounds.width() + tolerance || size.height() > _bounds.height() + tolerance)
        return false;
    return card.surelyHolds(QRectF(_bounds.topLeft(), size));
}
