// Float RGBA canvas with premultiplied alpha: rendering shaders, compositing, blur and resampling.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "pi.h"

struct Vec2 {
    float x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, float s) { return {a.x * s, a.y * s}; }
inline float Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline float Length(Vec2 a) { return std::sqrt(Dot(a, a)); }
// Rotates clockwise on screen (y points down) by the angle in radians.
inline Vec2 Rotate(Vec2 p, float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    return {p.x * c - p.y * s, p.x * s + p.y * c};
}

// A straight (not premultiplied) colour, each channel 0..1.
struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};
inline Rgba Hex(uint32_t rgb, float alpha = 1.0f) {
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, alpha};
}
inline Rgba WithAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }
inline Rgba Mix(Rgba x, Rgba y, float t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
            x.a + (y.a - x.a) * t};
}
inline Rgba Scale(Rgba c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
// Paints `top` over `bottom`, both straight colours.
Rgba Over(Rgba top, Rgba bottom);
// Adds light: brightens and, over transparency, makes the glow itself visible.
Rgba AddLight(Rgba base, Rgba light, float amount);

inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float Smoothstep(float e0, float e1, float x) {
    const float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }

struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<float> px;  // premultiplied r, g, b, a

    Canvas() = default;
    Canvas(int w, int h) : width(w), height(h), px(static_cast<size_t>(w) * h * 4, 0.0f) {}
    float* At(int x, int y) { return &px[(static_cast<size_t>(y) * width + x) * 4]; }
    const float* At(int x, int y) const { return &px[(static_cast<size_t>(y) * width + x) * 4]; }
    Rgba Get(int x, int y) const;  // straight colour
};

// A shader sees a point in unit coordinates (0..1 across the image, y down; for a
// non-square image x spans 0..width/height) and the size of one pixel in those units.
template <class Shader>
Canvas Render(int w, int h, int supersample, Shader shader) {
    Canvas out(w, h);
    const float unit = 1.0f / static_cast<float>(h);
    const float sub = unit / static_cast<float>(supersample);
    const float weight = 1.0f / static_cast<float>(supersample * supersample);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float acc[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < supersample; ++sy) {
                for (int sx = 0; sx < supersample; ++sx) {
                    const Vec2 p{x * unit + (sx + 0.5f) * sub, y * unit + (sy + 0.5f) * sub};
                    const Rgba c = shader(p, sub);
                    const float a = Clamp01(c.a);
                    acc[0] += c.r * a;
                    acc[1] += c.g * a;
                    acc[2] += c.b * a;
                    acc[3] += a;
                }
            }
            float* d = out.At(x, y);
            for (int i = 0; i < 4; ++i) d[i] = acc[i] * weight;
        }
    }
    return out;
}

// Composites `src` over `dst` with its top-left corner at (x, y), scaled by `scale`
// and rotated by `degrees` about its centre, sampling bilinearly (as the game's
// renderer does), with an overall opacity.
void DrawImage(Canvas& dst, const Canvas& src, float cx, float cy, float w, float h,
               float degrees = 0, float opacity = 1.0f);
// Same, but the source rectangle is a sub-image (for sheet animation frames).
void DrawSubImage(Canvas& dst, const Canvas& src, float cx, float cy, float w, float h, int sx0,
                  int sy0, int sw, int sh, float degrees = 0, float opacity = 1.0f);
// Area-averaged resize, for clean reductions (icons, contact sheet thumbnails).
Canvas Resize(const Canvas& src, int w, int h);
// Separable Gaussian-like blur (three box passes) of all channels.
void Blur(Canvas& c, float radius);
// Copies `src` into a larger transparent canvas, centred, with `margin` pixels around it.
Canvas Pad(const Canvas& src, int margin);
// Multiplies every pixel's colour (straight) by a tint and its alpha by tint.a.
void Tint(Canvas& c, Rgba tint);
void Composite(Canvas& dst, const Canvas& src, int x, int y);  // src over dst, no scaling
void MirrorX(Canvas& c);
