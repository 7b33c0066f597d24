// Lettering: the "Vexal" title, the Orrinth studio mark (red and white) and the audio credit.
#include <string>

#include "art.h"
#include "lettering.h"
#include "shapes.h"

namespace {

float AlphaAt(const Canvas& c, int x, int y) {
    if (x < 0 || y < 0 || x >= c.width || y >= c.height) return 0.0f;
    return c.At(x, y)[3];
}

// The mask moved onto a canvas of the final size at (x, y).
Canvas Placed(const Canvas& mask, int w, int h, int x, int y) {
    Canvas out(w, h);
    Composite(out, mask, x, y);
    return out;
}

Canvas Blurred(const Canvas& c, float radius) {
    Canvas b = c;
    Blur(b, radius);
    return b;
}

// Renders the text at the largest size (up to `size`) whose ink fits `maxWidth`.
Canvas FitText(const std::string& text, int size, int spacing, int maxWidth) {
    Canvas m = Lettering_Render(text, size, spacing, 0);
    while (m.width > maxWidth && size > 8) {
        size = size * 19 / 20;
        spacing = spacing * 19 / 20;
        m = Lettering_Render(text, size, spacing, 0);
    }
    return m;
}

}  // namespace

Canvas Art_TitleLogo(int width, int height) {
    const Canvas word = FitText("Vexal", height * 62 / 100, height / 40, width * 80 / 100);
    const int ox = (width - word.width) / 2, oy = (height - word.height) / 2 - height / 30;
    const Canvas mask = Placed(word, width, height, ox, oy);
    const Canvas thick = Blurred(mask, height / 70.0f);
    const Canvas glow = Blurred(mask, height / 14.0f);
    const Canvas bevel = Blurred(mask, height / 110.0f);
    const float top = static_cast<float>(oy), bottom = static_cast<float>(oy + word.height);
    const float unit = 1.0f / height;
    return Render(width, height, 1, [&](Vec2 p, float) -> Rgba {
        const int x = static_cast<int>(p.x * height), y = static_cast<int>(p.y * height);
        const float t = Clamp01((y - top) / (bottom - top));
        // An orbit swoosh under the word, brightest at its leading end.
        const Vec2 c{width * 0.5f * unit, 0.56f};
        const Vec2 q = Rotate(p - c, -0.16f);
        const float ring = std::fabs(SdEllipse(q, {0, 0}, {0.98f * width * unit * 0.5f, 0.17f}));
        const float sweep = Clamp01((q.x / (width * unit * 0.5f)) * 0.5f + 0.5f);
        const float front = q.y > 0 ? 1.0f : 0.0f;
        Rgba out = WithAlpha(Mix(Hex(0x7a4dff), Hex(0x8ff4ff), sweep),
                             front * Coverage(ring - 0.005f - 0.009f * sweep, unit) * sweep);
        out = AddLight(out, Hex(0x8ff4ff), front * 0.5f * sweep * sweep * Glow(ring, 0.01f));
        const float g = AlphaAt(glow, x, y);
        out = Over(WithAlpha(Mix(Hex(0x6d3dff), Hex(0x36d6ff), p.x / (width * unit)), g * 0.95f),
                   out);
        const float outline = Smoothstep(0.03f, 0.2f, AlphaAt(thick, x, y));
        out = Over(WithAlpha(Hex(0x0e0a2a), outline), out);
        const float a = AlphaAt(mask, x, y);
        if (a > 0) {
            Rgba fill = Mix(Hex(0xffffff), Hex(0x8cefff), Smoothstep(0.0f, 0.45f, t));
            fill = Mix(fill, Hex(0x8a5cff), Smoothstep(0.45f, 1.0f, t));
            // Emboss from the blurred mask's slope: lit from the upper left.
            const float gx = AlphaAt(bevel, x + 1, y) - AlphaAt(bevel, x - 1, y);
            const float gy = AlphaAt(bevel, x, y + 1) - AlphaAt(bevel, x, y - 1);
            const float shade = (gx + gy) * 6.0f;
            fill = shade > 0 ? Mix(fill, Hex(0xffffff), Clamp01(shade))
                             : Mix(fill, Hex(0x2a1a6e), Clamp01(-shade * 0.8f));
            out = Over(WithAlpha(fill, a), out);
        }
        return out;
    });
}

Canvas Art_StudioLogo(int width, int height, bool red) {
    const int emblemSize = height * 80 / 100;
    const int gap = height / 8;
    const Canvas word =
        FitText("ORRINTH", height * 46 / 100, height / 14, width - emblemSize - gap - width / 20);
    const int total = emblemSize + gap + word.width;
    const int ex = (width - total) / 2, wx = ex + emblemSize + gap, wy = (height - word.height) / 2;
    const Canvas mask = Placed(word, width, height, wx, wy);
    const Canvas glow = Blurred(mask, height / 18.0f);
    const Rgba light = red ? Hex(0xff6470) : Hex(0xffffff);
    const Rgba deep = red ? Hex(0xc0142e) : Hex(0xc9cfe0);
    const float unit = 1.0f / height;
    const Vec2 centre{(ex + emblemSize * 0.5f) * unit, 0.5f};
    const float R = emblemSize * 0.5f * unit;
    return Render(width, height, 2, [&](Vec2 p, float px) -> Rgba {
        const int x = static_cast<int>(p.x * height), y = static_cast<int>(p.y * height);
        const float t = Clamp01((p.y - wy * unit) / (word.height * unit));
        Rgba out = WithAlpha(red ? Hex(0xff1f3a) : Hex(0xffffff),
                             AlphaAt(glow, x, y) * (red ? 0.45f : 0.25f));
        // The emblem: an outer ring and a broken inner ring around a core, like a path into a maze.
        const Vec2 q = p - centre;
        const float rho = Length(q), ang = std::atan2(q.y, q.x);
        const float outer = std::fabs(rho - R * 0.88f) - R * 0.09f;
        const float innerArc = std::fabs(rho - R * 0.55f) - R * 0.075f;
        const float gapAng = std::fabs(std::remainder(ang + kPi * 0.75f, kTau));
        const float inner = Intersect(innerArc, (0.55f - gapAng) * R * 0.55f);
        const float core = SdCircle(p, centre, R * 0.2f);
        const float notch = SdBox(q, {R * 0.72f, 0}, {R * 0.2f, R * 0.07f});  // the path in
        const float emblem = Union(Union(Subtract(outer, notch), inner), core);
        Rgba e = Mix(light, deep, Clamp01(0.5f + (q.y / R) * 0.6f));
        out = Over(WithAlpha(e, Coverage(emblem, px)), out);
        const float a = AlphaAt(mask, x, y);
        if (a > 0) out = Over(WithAlpha(Mix(light, deep, Smoothstep(0.1f, 1.0f, t)), a), out);
        return out;
    });
}

Canvas Art_AudioCredit(int width, int height) {
    const int iconW = height * 70 / 100;
    const Canvas small = FitText("AUDIO BY", height * 17 / 100, height / 30, width);
    const Canvas big =
        FitText("SDL_mixer", height * 42 / 100, height / 60, width - iconW - height / 5);
    const int textW = std::max(small.width, big.width);
    const int total = iconW + height / 7 + textW;
    const int ix = (width - total) / 2, tx = ix + iconW + height / 7;
    const int sy = (height - small.height - big.height - height / 12) / 2;
    Canvas mask(width, height);
    Composite(mask, small, tx, sy);
    Composite(mask, big, tx, sy + small.height + height / 12);
    const float unit = 1.0f / height;
    return Render(width, height, 2, [&](Vec2 p, float px) -> Rgba {
        const int x = static_cast<int>(p.x * height), y = static_cast<int>(p.y * height);
        float a = AlphaAt(mask, x, y);
        // A waveform of rounded bars as the icon.
        const float bx = (p.x - ix * unit) / (iconW * unit);
        if (bx >= 0 && bx <= 1) {
            const int bar = static_cast<int>(bx * 7);
            const float cxBar = (ix + (bar + 0.5f) * iconW / 7.0f) * unit;
            static const float kHeights[7] = {0.25f, 0.5f, 0.85f, 0.6f, 0.95f, 0.45f, 0.2f};
            const float d =
                SdBox(p, {cxBar, 0.5f}, {iconW * unit / 7 * 0.3f, 0.36f * kHeights[bar]},
                      iconW * unit / 7 * 0.3f);
            a = std::max(a, Coverage(d, px));
        }
        return WithAlpha(Hex(0xffffff), a);
    });
}
