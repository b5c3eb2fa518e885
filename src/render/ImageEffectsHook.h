#pragma once

#include "images/ImageEffectSettings.h"

class SKTGraphic;

// Connects image objects to the effects chain: the model cannot reach the images library,
// so the program installs the chain into the model's hook once at start-up.
class ImageEffectsHook
{
public:
    // From now on every image object draws its picture through ImageProcesser.
    static void install();

    // The object's effect fields as the chain takes them (rotation in whole degrees).
    static ImageEffectSettings settingsOf(const SKTGraphic& object);
};
