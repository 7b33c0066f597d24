// The shared deep-space backdrop: nebula and stars, tuned per use.
#pragma once

#include <cstdint>

#include "canvas.h"

struct SpaceStyle {
    uint32_t seed = 1;
    float nebula = 1.0f;    // nebula brightness
    float contrast = 1.0f;  // how strongly the nebula gathers into bright regions and voids
    float starDensity = 1.0f;
    float starSize = 1.0f;  // multiplies every star's radius
    bool planet = false;
};

Canvas Space_Backdrop(int width, int height, const SpaceStyle& style);
