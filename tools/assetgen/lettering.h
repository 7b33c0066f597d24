// Rasterised lettering (DejaVu Sans through SDL_ttf) as canvases to style further.
#pragma once

#include <string>

#include "canvas.h"

// Opens the font once; false when no DejaVu Sans Bold file is found.
bool Lettering_Init();
void Lettering_Quit();
// White text on transparency at the given pixel size, with `letterSpacing` extra
// pixels between glyphs; tightly cropped to the ink plus `margin` on every side.
Canvas Lettering_Render(const std::string& text, int pixelSize, int letterSpacing, int margin);
