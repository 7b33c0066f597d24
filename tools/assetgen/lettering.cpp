// Turns words into white coverage masks with SDL_ttf, glyph by glyph so letters can be spaced out.
#include "lettering.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <map>

namespace {

const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/TTF/DejaVuSans-Bold.ttf",
};

std::string fontFile;
std::map<int, TTF_Font*> fonts;

TTF_Font* FontAt(int size) {
    auto it = fonts.find(size);
    if (it != fonts.end()) return it->second;
    TTF_Font* f = TTF_OpenFont(fontFile.c_str(), size);
    fonts[size] = f;
    return f;
}

}  // namespace

bool Lettering_Init() {
    if (TTF_Init() != 0) return false;
    for (const char* path : kFontFiles) {
        if (FILE* f = std::fopen(path, "rb")) {
            std::fclose(f);
            fontFile = path;
            return true;
        }
    }
    std::fprintf(stderr, "assetgen: DejaVu Sans Bold not found (package fonts-dejavu-core)\n");
    return false;
}

void Lettering_Quit() {
    for (auto& entry : fonts)
        if (entry.second) TTF_CloseFont(entry.second);
    fonts.clear();
    TTF_Quit();
}

Canvas Lettering_Render(const std::string& text, int pixelSize, int letterSpacing, int margin) {
    TTF_Font* font = FontAt(pixelSize);
    if (!font) return Canvas(1, 1);
    // Lay the glyphs out with the font's advances (plus kerning) and the extra spacing.
    std::vector<int> xs;
    int pen = 0;
    Uint16 previous = 0;
    for (char ch : text) {
        const Uint16 glyph = static_cast<unsigned char>(ch);
        if (previous) pen += TTF_GetFontKerningSizeGlyphs(font, previous, glyph);
        xs.push_back(pen);
        int minx = 0, maxx = 0, miny = 0, maxy = 0, advance = 0;
        TTF_GlyphMetrics(font, glyph, &minx, &maxx, &miny, &maxy, &advance);
        pen += advance + letterSpacing;
        previous = glyph;
    }
    const int lineHeight = TTF_FontHeight(font);
    Canvas wide(pen + pixelSize, lineHeight);
    const SDL_Color white{255, 255, 255, 255};
    for (size_t i = 0; i < text.size(); ++i) {
        const char str[2] = {text[i], 0};
        SDL_Surface* s = TTF_RenderUTF8_Blended(font, str, white);
        if (!s) continue;
        SDL_Surface* rgba = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGBA32, 0);
        SDL_FreeSurface(s);
        if (!rgba) continue;
        for (int y = 0; y < rgba->h && y < wide.height; ++y) {
            const uint8_t* row =
                static_cast<const uint8_t*>(rgba->pixels) + static_cast<size_t>(y) * rgba->pitch;
            for (int x = 0; x < rgba->w; ++x) {
                const int dx = xs[i] + x;
                if (dx < 0 || dx >= wide.width) continue;
                const float a = row[x * 4 + 3] / 255.0f;
                float* d = wide.At(dx, y);
                const float na = std::min(1.0f, d[3] + a);  // glyph boxes may overlap
                d[0] = d[1] = d[2] = d[3] = na;
            }
        }
        SDL_FreeSurface(rgba);
    }
    // Crop to the ink.
    int x0 = wide.width, y0 = wide.height, x1 = -1, y1 = -1;
    for (int y = 0; y < wide.height; ++y)
        for (int x = 0; x < wide.width; ++x)
            if (wide.At(x, y)[3] > 0.0f) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
            }
    if (x1 < 0) return Canvas(1, 1);
    Canvas out(x1 - x0 + 1 + 2 * margin, y1 - y0 + 1 + 2 * margin);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float* s = wide.At(x, y);
            float* d = out.At(x - x0 + margin, y - y0 + margin);
            for (int i = 0; i < 4; ++i) d[i] = s[i];
        }
    return out;
}
