// Drawing an image object: border, then the picture after its effects, stretched over the
// bounds, mirrored by the flips and faded by the object's opacity.
#include "model/SKTImage.h"

#include "model/CardPainting.h"
#include "model/GraphicPainting.h"
#include "model/ModelHooks.h"
#include "model/PictureFile.h"
#include "platform/SharedImages.h"

#include <QPainter>

#include <cmath>

QString SKTImage::processedKey(qint64 source, const EffectValues& values)
{
    QString key = QStringLiteral("%1 %2%3%4 %5")
                      .arg(source)
                      .arg(values.grayScale)
                      .arg(values.sepia)
                      .arg(values.invert)
                      .arg(values.chain);
    for (const float value : { values.hue, values.saturation, values.brightness, values.contrast, values.sharpness,
             values.exposure, values.blur })
        key += QLatin1Char(' ') + QString::number(value, 'g', 9);
    return key;
}

SKTImage::EffectValues SKTImage::effectValues() const
{
    return {gray_Scale, Sepia, invert_clr, hue_val, sat_val, brt_val, con_val, srp_val, ev_val, blr_val,
            ModelHooks::imageEffectsGeneration()};
}

QImage SKTImage::processedPicture()
{
    // The effects are costly on a large photo: the result is kept until the picture or an
    // effect value changes. The lock makes concurrent drawings (canvas and export) safe.
    std::lock_guard lock(pictureMutex_);
    if (_contents.isNull())
        return {};
    const EffectValues values = effectValues();
    if (processed_.source == _contents.cacheKey() && processed_.values == values && !processed_.image.isNull())
        return processed_.image;
    const QString key = processedKey(_contents.cacheKey(), values);
    QImage result = PictureFile::processedPictures().find(key);
    if (result.isNull()) {
        result = ModelHooks::applyImageEffects(_contents, *this);
        // A chain that fails altogether leaves the picture as it was loaded.
        if (result.isNull())
            result = _contents;
        // Past the budget the result stays this object's own. A picture without effects is
        // kept among the decoded pictures already: a second cache holding it would keep it
        // used for ever, and the two caches would never give it back.
        if (result.cacheKey() != _contents.cacheKey()) {
            if (const QImage shared = PictureFile::processedPictures().keep(key, result); !shared.isNull())
                result = shared;
        }
    }
    processed_ = {_contents.cacheKey(), values, result};
    return result;
}

void SKTImage::drawContentsInView(QPainter& painter, bool)
{
    if (!ctrl_is_visible || _file_path.isEmpty())
        return;
    if (isDrawingStroke())
        GraphicPainting::strokeBounds(painter, *this);

    const QImage shown = processedPicture();
    const QSizeF natural = pictureSize();
    if (!shown.isNull() && natural.width() > 0 && natural.height() > 0) {
        const double w = _bounds.width(), h = _bounds.height();
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setOpacity(painter.opacity() * CardPainting::clampedOpacity(img_trnsp_val / 100.0));
        // The picture fills the bounds and turns about their centre, so a rotation neither
        // squeezes it into the upright box nor changes its proportions.
        QTransform placement;
        placement.translate(_bounds.center().x(), _bounds.center().y());
        placement.scale(_isFlippedHorizontally ? -1.0 : 1.0, _isFlippedVertically ? -1.0 : 1.0);
        placement.rotate(-rotationDegrees());
        painter.setTransform(placement, true);
        painter.drawImage(QRectF(-w / 2.0, -h / 2.0, w, h), shown);
        painter.restore();
    }
    ModelHooks::Refresh_Canvas();
}

double SKTImage::rotationDegrees() const
{
    return std::isfinite(rotate_image) ? std::fmod(std::trunc(double(rotate_image)), 360.0) : 0.0;
}

QRectF SKTImage::paintedBounds() const
{
    QTransform turn;
    turn.translate(_bounds.center().x(), _bounds.center().y());
    turn.rotate(-rotationDegrees());
    turn.translate(-_bounds.center().x(), -_bounds.center().y());
    return SKTGraphic::paintedBounds().united(turn.mapRect(_bounds));
}

QRectF SKTImage::drawingBounds() const
{
    const QRectF upright = SKTGraphic::drawingBounds();
    const double degrees = rotationDegrees();
    if (degrees == 0.0)
        return upright;
    // A turned picture reaches past its upright box; redraws must cover its corners.
    QTransform turn;
    turn.translate(_bounds.center().x(), _bounds.center().y());
    turn.rotate(-degrees);
    turn.translate(-_bounds.center().x(), -_bounds.center().y());
    return upright.united(turn.mapRect(upright));
}
