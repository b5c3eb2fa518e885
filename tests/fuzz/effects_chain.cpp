// Effect values come from design files: any float, NaN and infinity included, on any picture.
#include "images/ImageProcesser.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

float takeFloat(const uint8_t*& data, size_t& size)
{
    float value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    ImageEffectSettings settings;
    settings.gray_Scale = data[0] & 1;
    settings.Sepia = data[0] & 2;
    settings.invert_clr = data[0] & 4;
    const bool withAlpha = data[0] & 8;
    const int width = 1 + data[1] % 48;
    const int height = 1 + data[2] % 48;
    data += 3;
    size -= 3;
    settings.hue_val = takeFloat(data, size);
    settings.sat_val = takeFloat(data, size);
    settings.brt_val = takeFloat(data, size);
    settings.con_val = takeFloat(data, size);
    settings.srp_val = takeFloat(data, size);
    settings.ev_val = takeFloat(data, size);
    settings.blr_val = takeFloat(data, size);
    settings.rotate_image = takeFloat(data, size);

    QImage picture(width, height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    picture.fill(Qt::gray);
    const size_t pictureBytes = size_t(picture.sizeInBytes());
    if (size > 0)
        std::memcpy(picture.bits(), data, size < pictureBytes ? size : pictureBytes);

    const QImage result = ImageProcesser::Get_Processed_Image(picture, settings);
    if (result.isNull())
        __builtin_trap(); // a real picture never comes back as nothing
    return 0;
}
