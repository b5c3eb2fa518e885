#pragma once

#include "render/SKTRenderingView.h"

#include <functional>

// Gives the model (clipboard, document data, printing) the renderer's pictures of card
// objects. The main window installs it at start-up with a function that answers the base
// of the side being rendered.
class GraphicsRenderingInstaller
{
public:
    using CurrentSide = std::function<CardSideBase()>;

    static void install(CurrentSide currentSide);

    // The base of the side that Card_Front_Or_Back names (0 front, any other value back),
    // with the outline of Card_Shape, on the card's full rectangle.
    static CardSideBase sideNamedByCard_Front_Or_Back(std::shared_ptr<const Card_Property> front,
                                                     std::shared_ptr<const Card_Property> back,
                                                     const QRectF& frontCanvasBounds);
};
