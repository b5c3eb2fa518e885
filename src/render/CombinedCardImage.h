#pragma once

#include "render/SKTRenderingView.h"

#include <QImage>

// One picture of both sides of a card at 72 dpi: the card's width, twice its height, the
// front in the upper half and the back in the lower half. A null image when either side
// cannot be rendered (logged by the renderer).
QImage combinedCardImage(const QList<SKTGraphicPtr>& front, const CardSideBase& frontBase,
    const QList<SKTGraphicPtr>& back, const CardSideBase& backBase);
