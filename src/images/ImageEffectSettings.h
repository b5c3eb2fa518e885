#pragma once

// The effect values an image object carries, under the object's own field names.
// The defaults are the neutral values a new object receives; a chain run with them
// returns the picture unchanged.
struct ImageEffectSettings
{
    bool gray_Scale = false;
    bool Sepia = false;
    bool invert_clr = false;
    float hue_val = 0.0f;      // radians; positive turns red towards green
    float sat_val = 1.0f;      // 0 grey, 1 unchanged, above 1 more colourful
    float brt_val = 0.0f;      // added to every colour component (0..1 scale)
    float con_val = 1.0f;      // scales the components about mid-grey
    float srp_val = 0.0f;      // luminance sharpening strength
    float ev_val = 0.0f;       // exposure in stops
    float blr_val = 0.0f;      // box blur radius in pixels
    float rotate_image = 0.0f; // degrees, counter-clockwise; whole degrees are used
};
