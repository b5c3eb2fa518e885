#include "render/ImageEffectsHook.h"

#include "images/ImageProcesser.h"
#include "model/ModelHooks.h"
#include "model/SKTGraphic.h"


ImageEffectSettings ImageEffectsHook::settingsOf(const SKTGraphic& object)
{
    ImageEffectSettings settings;
    settings.gray_Scale = object.gray_Scale;
    settings.Sepia = object.Sepia;
    settings.invert_clr = object.invert_clr;
    settings.hue_val = object.hue_val;
    settings.sat_val = object.sat_val;
    settings.brt_val = object.brt_val;
    settings.con_val = object.con_val;
    settings.srp_val = object.srp_val;
    settings.ev_val = object.ev_val;
    settings.blr_val = object.blr_val;
    // The picture is turned where it is drawn (SKTImage), which keeps its proportions.
    settings.rotate_image = 0.0f;
    return settings;
}

void ImageEffectsHook::install()
{
    ModelHooks::setImageEffects([](const QImage& picture, const SKTGraphic& object) {
        return ImageProcesser::Get_Processed_Image(picture, settingsOf(object));
    });
}
