// Distance functions, gradient noise and the seeded random number generator.
#include "shapes.h"

#include <cmath>

float SdBox(Vec2 p, Vec2 c, Vec2 half, float radius) {
    const float qx = std::fabs(p.x - c.x) - half.x + radius,
                qy = std::fabs(p.y - c.y) - half.y + radius;
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

float SdSegment(Vec2 p, Vec2 a, Vec2 b) {
    const Vec2 pa = p - a, ba = b - a;
    const float h = Clamp01(Dot(pa, ba) / Dot(ba, ba));
    return Length(pa - ba * h);
}

float SdPolygon(Vec2 p, const std::vector<Vec2>& v) {
    float d = Dot(p - v[0], p - v[0]);
    float s = 1.0f;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        const Vec2 e = v[j] - v[i], w = p - v[i];
        const Vec2 b = w - e * Clamp01(Dot(w, e) / Dot(e, e));
        d = std::min(d, Dot(b, b));
        const bool c1 = p.y >= v[i].y, c2 = p.y<v[j].y, c3 = e.x * w.y> e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
    }
    return s * std::sqrt(d);
}

float SdEllipse(Vec2 p, Vec2 c, Vec2 r) {
    const Vec2 q{(p.x - c.x) / r.x, (p.y - c.y) / r.y};
    const float k0 = Length(q);
    const Vec2 q2{q.x / r.x, q.y / r.y};
    const float k1 = Length(q2);
    if (k1 < 1e-6f) return -std::min(r.x, r.y);
    return k0 * (k0 - 1.0f) / k1;
}

float SmoothUnion(float a, float b, float k) {
    const float h = Clamp01(0.5f + 0.5f * (b - a) / k);
    return Lerp(b, a, h) - k * h * (1 - h);
}

namespace {

uint32_t HashInt(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x27d4eb2du ^ static_cast<uint32_t>(x) * 0x85ebca6bu ^
                 static_cast<uint32_t>(y) * 0xc2b2ae35u;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

float GradDot(int ix, int iy, float dx, float dy, uint32_t seed) {
    const float a = (HashInt(ix, iy, seed) & 0xffff) * (kTau / 65536.0f);
    return std::cos(a) * dx + std::sin(a) * dy;
}

float Fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

float Hash01(int x, int y, uint32_t seed) {
    return (HashInt(x, y, seed) >> 8) * (1.0f / 16777216.0f);
}

float Noise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float dx = x - fx, dy = y - fy;
    const float u = Fade(dx), v = Fade(dy);
    const float a = GradDot(ix, iy, dx, dy, seed), b = GradDot(ix + 1, iy, dx - 1, dy, seed);
    const float c = GradDot(ix, iy + 1, dx, dy - 1, seed),
                d = GradDot(ix + 1, iy + 1, dx - 1, dy - 1, seed);
    return 1.41f * Lerp(Lerp(a, b, u), Lerp(c, d, u), v);
}

float Fbm(float x, float y, int octaves, uint32_t seed, float gain) {
    float sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Noise(x, y, seed + static_cast<uint32_t>(i) * 101u);
        norm += amp;
        amp *= gain;
        // Rotate between octaves so the grid never lines up.
        const float nx = x * 1.6f - y * 1.2f, ny = x * 1.2f + y * 1.6f;
        x = nx + 17.3f;
        y = ny + 5.1f;
    }
    return sum / norm;
}

float Ridged(float x, float y, int octaves, uint32_t seed) {
    float sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        const float n = 1.0f - std::fabs(Noise(x, y, seed + static_cast<uint32_t>(i) * 131u));
        sum += amp * n * n;
        norm += amp;
        amp *= 0.5f;
        const float nx = x * 1.7f - y * 1.1f, ny = x * 1.1f + y * 1.7f;
        x = nx + 3.7f;
        y = ny + 9.2f;
    }
    return sum / norm;
}

uint32_t Rng::Next() {
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}
