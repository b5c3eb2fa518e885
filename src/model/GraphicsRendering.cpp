#include "model/GraphicsRendering.h"

GraphicsRendering& graphicsRendering()
{
    static GraphicsRendering rendering;
    return rendering;
}
