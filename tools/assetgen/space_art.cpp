// Deep-space backdrops: a dark blue-violet base, a domain-warped nebula with dust lanes, and stars.
#include "space_art.h"

#include "art.h"
#include "shapes.h"

namespace {

void AddStar(Canvas& c, float x, float y, float sigma, Rgba colour, float brightness, bool glint) {
    const int reach = static_cast<int>(std::ceil(sigma * (glint ? 14.0f : 3.5f)));
    const int x0 = std::max(0, static_cast<int>(x) - reach),
              x1 = std::min(c.width - 1, static_cast<int>(x) + reach);
    const int y0 = std::max(0, static_cast<int>(y) - reach),
              y1 = std::min(c.height - 1, static_cast<int>(y) + reach);
    const float inv = 1.0f / (2 * sigma * sigma);
    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            const float dx = px + 0.5f - x, dy = py + 0.5f - y;
            float k = std::exp(-(dx * dx + dy * dy) * inv);
            if (glint) {
                // Soft halo plus a four-pointed diffraction glint.
                const float r2 = (dx * dx + dy * dy) / (sigma * sigma);
                k += 0.22f / (1.0f + r2 * 0.5f);
                const float ax = std::fabs(dx), ay = std::fabs(dy);
                k += 0.55f * std::exp(-ay * ay / (0.6f * sigma * sigma)) *
                     std::exp(-ax / (sigma * 4.5f));
                k += 0.55f * std::exp(-ax * ax / (0.6f * sigma * sigma)) *
                     std::exp(-ay / (sigma * 4.5f));
            }
            float* d = c.At(px, py);
            d[0] += colour.r * k * brightness;
            d[1] += colour.g * k * brightness;
            d[2] += colour.b * k * brightness;
        }
    }
}

Rgba StarColour(Rng& rng) {
    const float t = rng.Uniform();
    if (t < 0.55f) return Hex(0xffffff);
    if (t < 0.80f) return Hex(0xbcd4ff);
    if (t < 0.93f) return Hex(0xfff0d0);
    return Hex(0xffc8a8);
}

}  // namespace

Canvas Space_Backdrop(int width, int height, const SpaceStyle& s) {
    const uint32_t seed = s.seed;
    const float aspect = static_cast<float>(width) / height;
    // The nebula has no fine detail, so it is shaded at half size and scaled up.
    const Canvas nebula = Render((width + 1) / 2, (height + 1) / 2, 1, [&](Vec2 p, float) -> Rgba {
        const float u = p.x, v = p.y;
        Rgba base = Mix(Hex(0x0a0920), Hex(0x05040f), Clamp01(v * 0.8f + 0.1f));
        base = Mix(base, Hex(0x141038), 0.5f * (0.5f + 0.5f * Noise(u * 0.6f, v * 0.6f, seed + 1)));
        // Domain-warped nebula: soft clouds folded into filaments.
        const float wx = Fbm(u * 1.2f, v * 1.2f, 4, seed + 2),
                    wy = Fbm(u * 1.2f + 5.2f, v * 1.2f + 1.3f, 4, seed + 3);
        const float n = Fbm(u * 1.8f + 1.9f * wx, v * 1.8f + 1.9f * wy, 6, seed + 4);
        // Large bright regions and empty voids give the sky a composition, not an even haze.
        const float region =
            Smoothstep(-0.35f, 0.55f, Noise(u * 0.33f + 1.7f, v * 0.33f, seed + 9));
        const float cloud =
            Smoothstep(-0.15f, 0.65f, n) * Lerp(0.75f, 0.3f + 1.1f * region, s.contrast);
        const float hue = 0.5f + 0.5f * Fbm(u * 0.7f + wx, v * 0.7f, 3, seed + 6);
        Rgba neb = Mix(Hex(0x2f3aa8), Hex(0x6a33c4), Smoothstep(0.25f, 0.55f, hue));
        neb = Mix(neb, Hex(0xc23d92), Smoothstep(0.55f, 0.85f, hue));
        neb = Mix(neb, Hex(0x2a9fc0), Smoothstep(0.35f, 0.1f, hue) * 0.7f);
        const float filaments = Ridged(u * 3.0f + wx, v * 3.0f + wy, 4, seed + 7);
        const float lanes =
            Smoothstep(0.55f, 0.95f, Ridged(u * 2.2f + 7 + wy, v * 2.2f + wx, 3, seed + 8));
        float density = cloud * (0.5f + 0.7f * filaments * filaments);
        density *= 1.0f - 0.75f * lanes * Clamp01(cloud);
        Rgba col = base;
        col = Mix(col, neb, Clamp01(density * 0.5f * s.nebula));
        // Glowing cores where the cloud is thickest.
        col = AddLight(col, Mix(neb, Hex(0xffd6f2), 0.35f),
                       std::pow(Clamp01(density), 2.2f) * 0.22f * s.nebula);
        // Gentle vignette so the middle stays the calmest, most open area.
        const float vx = (u / aspect - 0.5f), vy = v - 0.5f;
        col = Scale(col, 1.0f - 0.35f * (vx * vx * 1.2f + vy * vy * 1.6f));
        col.a = 1;
        return col;
    });
    Canvas c(width, height);
    DrawImage(c, nebula, width * 0.5f, height * 0.5f, static_cast<float>(width),
              static_cast<float>(height));
    Rng rng(seed * 7919u + 3);
    const float area = static_cast<float>(width) * height;
    const int tiny = static_cast<int>(area / 260.0f * s.starDensity);
    const int medium = static_cast<int>(area / 5200.0f * s.starDensity);
    const int bright = static_cast<int>(area / 70000.0f * s.starDensity);
    const float scale = height / 1080.0f * s.starSize;
    for (int i = 0; i < tiny; ++i) {
        const float x = rng.Range(0, static_cast<float>(width)),
                    y = rng.Range(0, static_cast<float>(height));
        const float b = std::pow(rng.Uniform(), 2.2f);
        AddStar(c, x, y, (0.55f + 0.25f * rng.Uniform()) * scale, StarColour(rng),
                0.12f + 0.55f * b, false);
    }
    for (int i = 0; i < medium; ++i) {
        const float x = rng.Range(0, static_cast<float>(width)),
                    y = rng.Range(0, static_cast<float>(height));
        AddStar(c, x, y, (0.9f + 0.5f * rng.Uniform()) * scale, StarColour(rng),
                0.55f + 0.5f * rng.Uniform(), false);
    }
    for (int i = 0; i < bright; ++i) {
        const float x = rng.Range(0, static_cast<float>(width)),
                    y = rng.Range(0, static_cast<float>(height));
        AddStar(c, x, y, (1.2f + 0.8f * rng.Uniform()) * scale, StarColour(rng),
                0.8f + 0.4f * rng.Uniform(), true);
    }
    if (s.planet) {
        // In front of the stars: a banded planet lit from the left, far off to one side.
        const float pr = height * 0.30f, pcx = width * 0.80f, pcy = height * 0.30f;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const float dx = (x + 0.5f - pcx) / pr, dy = (y + 0.5f - pcy) / pr;
                const float r = std::sqrt(dx * dx + dy * dy);
                float* d = c.At(x, y);
                if (r < 1.0f) {
                    const float nz = std::sqrt(1 - r * r);
                    const float lit = Clamp01(-dx * 0.8f - dy * 0.3f + nz * 0.45f);
                    const float bands =
                        0.5f + 0.5f * Fbm(dx * 1.5f, dy * 7.0f + dx * 0.7f, 4, seed + 20);
                    Rgba surf = Mix(Hex(0x34348a), Hex(0xb89ae8), bands);
                    const float k = Coverage((r - 1.0f) * pr, 1.0f);
                    for (int i = 0; i < 3; ++i) {
                        const float sc = (&surf.r)[i] * (0.03f + 1.1f * std::pow(lit, 1.4f));
                        d[i] = d[i] * (1 - k) + sc * k;
                    }
                }
                // Atmosphere: a thin lit rim and a soft halo.
                const float rim = std::exp(-std::pow((r - 1.0f) * pr / (height * 0.012f), 2.0f)) *
                                  Clamp01(-dx * 0.8f + 0.3f);
                const float halo =
                    (r > 1.0f ? std::exp(-(r - 1.0f) * 9.0f) : 0.0f) * 0.35f * Clamp01(-dx + 0.4f);
                d[0] += 0.35f * rim + 0.10f * halo;
                d[1] += 0.55f * rim + 0.18f * halo;
                d[2] += 1.00f * rim + 0.40f * halo;
            }
    }
    return c;
}

Canvas Art_GameplayBackground(int width, int height) {
    SpaceStyle s;
    s.seed = 11;
    s.nebula = 1.05f;
    s.contrast = 0.35f;
    s.starDensity = 0.8f;
    return Space_Backdrop(width, height, s);
}

Canvas Art_MenuBackground(int width, int height) {
    SpaceStyle s;
    s.seed = 23;
    s.nebula = 1.6f;
    s.starDensity = 1.2f;
    s.planet = true;
    return Space_Backdrop(width, height, s);
}
