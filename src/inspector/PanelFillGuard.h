#pragma once

#include "model/CardGlobals.h"

// Holds Not_Draw_Only_Prop_Change while a panel is filled from an object or the card, and
// releases it on every way out, so no early return leaves the panel deaf.
class PanelFillGuard
{
public:
    PanelFillGuard() { Not_Draw_Only_Prop_Change = true; }
    ~PanelFillGuard() { Not_Draw_Only_Prop_Change = false; }
    PanelFillGuard(const PanelFillGuard&) = delete;
    PanelFillGuard& operator=(const PanelFillGuard&) = delete;
};
