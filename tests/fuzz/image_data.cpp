// Picture files from disk, drops and pastes: decoding and the resolution check.
#include "platform/ImageResolution.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    ImageResolution::statesResolution(bytes);
    ImageResolution::decodedBytes(bytes);
    QString error;
    const QImage image = ImageResolution::readImageData(bytes, &error);
    if (!image.isNull())
        ImageResolution::pointSize(image);
    return 0;
}
