// Writing canvases out as PNG files (through SDL_image) and as the window's .ico file.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

// Saves a canvas as a PNG. Opaque images may be dithered to hide banding in smooth
// gradients; the dither is a fixed hash, so the output stays identical run to run.
bool SavePng(const Canvas& canvas, const std::string& path, bool dither = false);
// Writes a BMP-style icon with one 32-bit image per canvas (each square, at most 256).
bool SaveIco(const std::vector<Canvas>& images, const std::string& path);
// Creates the folder that will hold `path`.
bool MakeParentFolder(const std::string& path);
