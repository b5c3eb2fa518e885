#pragma once

#include <QString>

#include <array>

// The explanations behind the help buttons of the two-dimensional options and the resolution.
struct BarcodeHelpText
{
    const char* button; // object name of the help button
    const char* title;
    const char* text;
};

extern const std::array<BarcodeHelpText, 8> BarcodeHelpTexts;

// The entry of a help button, or null.
const BarcodeHelpText* barcodeHelpText(const QString& button);
