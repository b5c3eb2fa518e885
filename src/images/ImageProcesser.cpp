#include "images/ImageProcesser.h"

#include "images/ImageRotation.h"
#include "images/PixelOperations.h"

#include <cmath>

namespace {

constexpr double maxDisplayWidth = 724.0;
constexpr double maxDisplayHeight = 468.0;

// The object's rotation field in whole degrees, truncated toward zero; reducing it first
// keeps values beyond the integer range from overflowing.
float wholeDegrees(float degrees)
{
    if (!std::isfinite(degrees))
        return 0.0f;
    return float(std::fmod(std::trunc(double(degrees)), 360.0));
}

} // namespace

QImage ImageProcesser::Get_Processed_Image(const QImage& image, const ImageEffectSettings& settings)
{
    if (image.isNull())
        return image;
    QImage picture = image;
    if (settings.gray_Scale)
        picture = GrayScale(picture);
    if (settings.Sepia)
        picture = Sepia(picture);
    if (settings.invert_clr)
        picture = Invert_Color(picture);
    picture = adjust_Hue(picture, settings.hue_val);
    picture = adjust_Color_Control(picture, settings.sat_val, settings.brt_val, settings.con_val);
    picture = adjust_Sharpness(picture, settings.srp_val);
    picture = adjust_boxBlur(picture, settings.blr_val);
    picture = adjust_EV(picture, settings.ev_val);
    const float degrees = wholeDegrees(settings.rotate_image);
    return PixelOperations::runFilter("imageRotated", picture,
                                      [&] { return ImageRotation::imageRotated(picture, degrees); });
}

QSizeF ImageProcesser::Set_Dimaension(const QSizeF& pointSize)
{
    return QSizeF(std::min(pointSize.width(), maxDisplayWidth), std::min(pointSize.height(), maxDisplayHeight));
}
