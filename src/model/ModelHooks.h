#pragma once

#include <QImage>

#include <functional>

class SKTGraphic;

// What card-object code asks of the main window and of the image effects, which live in
// libraries above the model. The owners install the functions at start-up; until then the
// requests do nothing (and pictures pass through without effects).
//
// Every hook may be called on any thread, also while a painter is active: drawing on a
// worker (export, print, mail) runs the same object code as the canvas.
class ModelHooks
{
public:
    using Action = std::function<void()>;
    // Returns the picture after the object's effects; a null image means the chain failed.
    using ImageEffects = std::function<QImage(const QImage& picture, const SKTGraphic& object)>;

    static void setRefreshCanvas(Action action);
    static void setResetImageEditingControls(Action action);
    static void setImageEffects(ImageEffects effects);

    // Every drawing pass of a visible object ends with this request to redraw the side.
    static void Refresh_Canvas();
    // Image and signature creation puts the image panel's controls back to neutral.
    static void Reset_Image_Editing_Controls();
    // The object's effects applied to its picture (the picture itself when no chain is
    // installed).
    static QImage applyImageEffects(const QImage& picture, const SKTGraphic& object);
    // Changes whenever another chain is installed, so that kept results are made again.
    static quint64 imageEffectsGeneration();
};
