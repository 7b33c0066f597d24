// Signed-distance shapes, anti-aliased coverage, noise and the seeded random numbers every asset
// uses.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas.h"

// Distances are negative inside a shape.
inline float SdCircle(Vec2 p, Vec2 c, float r) { return Length(p - c) - r; }
float SdBox(Vec2 p, Vec2 c, Vec2 half, float radius = 0);
float SdSegment(Vec2 p, Vec2 a, Vec2 b);  // distance to the segment (thickness added by caller)
float SdPolygon(Vec2 p, const std::vector<Vec2>& poly);
float SdEllipse(Vec2 p, Vec2 c, Vec2 radii);  // a good approximation, exact on the axes
inline float Union(float a, float b) { return a < b ? a : b; }
inline float Subtract(float a, float b) { return a > -b ? a : -b; }
inline float Intersect(float a, float b) { return a > b ? a : b; }
float SmoothUnion(float a, float b, float k);

// Fraction of a pixel (of size `pixel`) covered by the inside of a distance field.
inline float Coverage(float d, float pixel) { return Clamp01(0.5f - d / pixel); }
// A soft glow falling off outside a shape.
inline float Glow(float d, float radius) {
    return d <= 0 ? 1.0f : 1.0f / (1.0f + (d / radius) * (d / radius));
}

// Smooth gradient noise in about -1..1.
float Noise(float x, float y, uint32_t seed);
// Fractal sum of noise octaves, about -1..1.
float Fbm(float x, float y, int octaves, uint32_t seed, float gain = 0.5f);
// Ridged fractal noise, 0..1, for filaments and streaks.
float Ridged(float x, float y, int octaves, uint32_t seed);
// A hash of integer coordinates, 0..1.
float Hash01(int x, int y, uint32_t seed);

// The generator's only source of randomness: seeded, so every run is identical.
struct Rng {
    uint64_t state;
    explicit Rng(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t Next();
    float Uniform() { return (Next() >> 8) * (1.0f / 16777216.0f); }
    float Range(float a, float b) { return a + (b - a) * Uniform(); }
    int Int(int lo, int hi) {
        return lo + static_cast<int>(Next() % static_cast<uint32_t>(hi - lo + 1));
    }
};
