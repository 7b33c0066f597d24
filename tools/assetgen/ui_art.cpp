// Interface pieces: compass and help arrows, the editor's text icon, and the stand-in images.
#include <vector>

#include "art.h"
#include "shapes.h"

Canvas Art_CompassArrow(int size) {
    // A bold gold arrowhead pointing up; it is shown only 20 px tall, so it is all silhouette.
    const std::vector<Vec2> head = {{0.5f, 0.06f},  {0.90f, 0.62f}, {0.64f, 0.56f}, {0.64f, 0.92f},
                                    {0.36f, 0.92f}, {0.36f, 0.56f}, {0.10f, 0.62f}};
    return Render(size, size, 4, [&](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.02f);
        const float d = SdPolygon(p, head) - 0.02f;
        if (d > edge) return {};
        Rgba c = Mix(Hex(0xfff6b0), Hex(0xffb020), Clamp01(p.y * 1.2f + (p.x - 0.5f)));
        c = Mix(c, Hex(0x2a1600), Smoothstep(-0.07f, -0.04f, d));
        c.a = Coverage(d, edge);
        return c;
    });
}

Canvas Art_HelpArrow(int width, int height) {
    const float aspect = static_cast<float>(width) / height;
    const float cx = aspect * 0.5f;
    const std::vector<Vec2> shape = {{cx, 0.05f},         {cx + 0.36f, 0.44f}, {cx + 0.13f, 0.44f},
                                     {cx + 0.13f, 0.93f}, {cx - 0.13f, 0.93f}, {cx - 0.13f, 0.44f},
                                     {cx - 0.36f, 0.44f}};
    return Render(width, height, 3, [&](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.005f);
        const float d = SdPolygon(p, shape) - 0.015f;
        const Rgba glow = WithAlpha(
            Hex(0x5fe6ff), 0.5f * Glow(std::max(d, 0.0f), 0.03f) * Smoothstep(0.1f, 0.03f, d));
        if (d > edge) return glow;
        Rgba c = Mix(Hex(0xffffff), Hex(0x7fe9ff), Smoothstep(0.1f, 0.95f, p.y));
        c = Mix(c, Hex(0x2a9fd8), Smoothstep(-0.035f, -0.0f, d) * 0.9f);
        c.a = Coverage(d, edge);
        return Over(c, glow);
    });
}

Canvas Art_TextBoxIcon(int size) {
    return Render(size, size, 4, [](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.01f);
        const float tile = SdBox(p, {0.5f, 0.5f}, {0.44f, 0.44f}, 0.1f);
        if (tile > edge) return {};
        Rgba c = Mix(Hex(0x3a3f6e), Hex(0x1c1e3c), p.y);
        c = Mix(c, Hex(0xb9c3ff), Coverage(std::fabs(tile + 0.025f) - 0.015f, edge));
        // A serif capital T and a text cursor beside it.
        const float bar = SdBox(p, {0.45f, 0.27f}, {0.24f, 0.055f}, 0.01f);
        const float stem = SdBox(p, {0.45f, 0.52f}, {0.06f, 0.25f}, 0.01f);
        const float foot = SdBox(p, {0.45f, 0.75f}, {0.13f, 0.035f}, 0.01f);
        const float serifs = Union(SdBox(p, {0.23f, 0.31f}, {0.025f, 0.08f}, 0.01f),
                                   SdBox(p, {0.67f, 0.31f}, {0.025f, 0.08f}, 0.01f));
        const float letter = Union(Union(bar, stem), Union(foot, serifs));
        c = Mix(c, Hex(0xffffff), Coverage(letter, edge));
        c = Mix(c, Hex(0x6fe8ff),
                Coverage(SdBox(p, {0.80f, 0.52f}, {0.018f, 0.25f}, 0.008f), edge));
        c.a = Coverage(tile, edge);
        return c;
    });
}

Canvas Art_Placeholder(int size) {
    return Render(size, size, 2, [](Vec2 p, float px) -> Rgba {
        const float tile = SdBox(p, {0.5f, 0.5f}, {0.46f, 0.46f}, 0.08f);
        const bool stripe = std::fmod(p.x + p.y + 4.0f, 0.25f) < 0.125f;
        Rgba c = stripe ? Hex(0x3c3f58) : Hex(0x2c2e44);
        c = Mix(c, Hex(0x9aa0c8), Coverage(std::fabs(tile + 0.03f) - 0.02f, px));
        c.a = Coverage(tile, px);
        return c;
    });
}

Canvas Art_SpriteSheet(int frameSize) {
    // Four frames of the ship turning a quarter turn, left to right.
    const Canvas ship = Art_Ship(frameSize * 2);
    Canvas sheet(frameSize * 4, frameSize);
    for (int i = 0; i < 4; ++i)
        DrawImage(sheet, ship, frameSize * (i + 0.5f), frameSize * 0.5f,
                  static_cast<float>(frameSize), static_cast<float>(frameSize), i * 30.0f);
    return sheet;
}

Canvas Art_ErrorImage(int size) {
    // Magenta and black checks: nothing in the game looks like this, so a missing file shows.
    Canvas c(size, size);
    const int cell = std::max(1, size / 8);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool magenta = ((x / cell) + (y / cell)) % 2 == 0;
            float* d = c.At(x, y);
            d[0] = magenta ? 1.0f : 0.0f;
            d[1] = 0.0f;
            d[2] = magenta ? 1.0f : 0.0f;
            d[3] = 1.0f;
        }
    return c;
}
