// Asteroids and the level's hardware: walls, laser traps and beams, missile traps and missiles.
#include <vector>

#include "art.h"
#include "shapes.h"

namespace {

struct Crater {
    Vec2 c;
    float r;
};

// Light comes from the upper left, a little towards the viewer.
constexpr float kLight[3] = {-0.55f, -0.62f, 0.56f};

float Lambert(float nx, float ny, float nz) {
    const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
    return std::max(0.0f, (nx * kLight[0] + ny * kLight[1] + nz * kLight[2]) / len);
}

}  // namespace

Canvas Art_Asteroid(int size, unsigned seed) {
    Rng rng(seed);
    std::vector<Crater> craters;
    for (int i = 0; i < 9; ++i) {
        const float a = rng.Range(0, kTau), d = std::sqrt(rng.Uniform()) * 0.30f;
        craters.push_back(
            {{0.5f + std::cos(a) * d, 0.5f + std::sin(a) * d}, rng.Range(0.035f, 0.10f)});
    }
    const float phase = rng.Range(0, 10);
    // The outline: a lumpy circle, with noise sampled around a ring so it closes.
    auto radius = [=](Vec2 p) {
        const float a = std::atan2(p.y - 0.5f, p.x - 0.5f);
        return 0.435f + 0.045f * Fbm(std::cos(a) * 1.3f + phase, std::sin(a) * 1.3f, 3, seed) +
               0.012f * Noise(std::cos(a) * 5.0f, std::sin(a) * 5.0f + phase, seed + 9);
    };
    auto height = [&](Vec2 p) {
        const float rho = Length(p - Vec2{0.5f, 0.5f}) / radius(p);
        float h = std::sqrt(std::max(0.0f, 1.0f - rho * rho)) * 0.55f;
        h += 0.035f * Fbm(p.x * 7, p.y * 7, 4, seed + 3);
        for (const Crater& k : craters) {
            const float t = Length(p - k.c) / k.r;
            if (t < 1.0f) h -= 0.06f * k.r * 10 * (1 - t * t) * 0.35f;  // the bowl
            else if (t < 1.5f)
                h += 0.025f * k.r * 10 * Smoothstep(1.5f, 1.0f, t) * 0.35f;  // the rim
        }
        return h;
    };
    return Render(size, size, 2, [&](Vec2 p, float px) -> Rgba {
        const float d = Length(p - Vec2{0.5f, 0.5f}) - radius(p);
        const float edge = std::max(px, 0.005f);
        if (d > edge) return {};
        const float e = 0.004f;
        const float hx = (height({p.x + e, p.y}) - height({p.x - e, p.y})) / (2 * e);
        const float hy = (height({p.x, p.y + e}) - height({p.x, p.y - e})) / (2 * e);
        const float lit = Lambert(-hx, -hy, 1.0f);
        const float tone = 0.5f + 0.5f * Fbm(p.x * 5 + 3, p.y * 5, 3, seed + 5);
        Rgba rock = Mix(Hex(0x6b5646), Hex(0xa88d70), tone);
        rock = Mix(rock, Hex(0x8a8580),
                   0.5f * Smoothstep(0.3f, 0.8f, Fbm(p.x * 3, p.y * 3, 2, seed + 7) * 0.5f + 0.5f));
        Rgba c = Scale(rock, 0.22f + 1.05f * lit);
        // Cool bounce light from the nebula on the shadowed rim.
        const float rim = Smoothstep(-0.06f, 0.0f, d) * Clamp01((p.x + p.y - 1.0f) * 3.0f);
        c = Mix(c, Hex(0x6a5cff), rim * 0.45f);
        c = Mix(c, Hex(0x15101f), Smoothstep(-0.012f, 0.0f, d) * 0.7f);
        c.a = Coverage(d, edge);
        return c;
    });
}

Canvas Art_Wall(int size) {
    return Render(size, size, 3, [](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.006f);
        const float outer = SdBox(p, {0.5f, 0.5f}, {0.48f, 0.48f}, 0.05f);
        if (outer > edge) return {};
        // Bevelled steel plate with hazard bands top and bottom.
        Rgba c = Mix(Hex(0x6f7fa6), Hex(0x394563), Clamp01((p.x + p.y) * 0.6f));
        c = Scale(c, 0.9f + 0.1f * Fbm(p.x * 20, p.y * 3, 2, 61u));
        const float inner = SdBox(p, {0.5f, 0.5f}, {0.40f, 0.26f}, 0.03f);
        c = Mix(c, Hex(0x2a3350), Coverage(inner, edge) * 0.55f);
        c = Mix(c, Hex(0x93a3c8), Coverage(std::fabs(inner + 0.006f) - 0.004f, edge) * 0.6f);
        const float band = std::fabs(p.y - 0.5f);
        if (band > 0.33f) {
            const float stripe = std::fmod(p.x + p.y + 10.0f, 0.16f) < 0.08f ? 1.0f : 0.0f;
            c = Mix(Hex(0x17171c), Hex(0xffc531), stripe);
            c = Scale(c, band > 0.44f ? 0.75f : 1.0f);
        }
        for (int i = 0; i < 4; ++i) {
            const Vec2 rv{i % 2 ? 0.12f : 0.88f, i / 2 ? 0.27f : 0.73f};
            const float r = SdCircle(p, rv, 0.025f);
            c = Mix(
                c,
                Mix(Hex(0xd0d8ee), Hex(0x505a78), Clamp01((p.x - rv.x + p.y - rv.y) * 20 + 0.5f)),
                Coverage(r, edge));
        }
        // Light top-left bevel, dark bottom-right bevel, dark outline.
        const float bevel = Smoothstep(-0.035f, -0.01f, outer);
        c = Mix(c, (p.x + p.y < 1.0f) ? Hex(0xc8d4f0) : Hex(0x1c2236), bevel * 0.6f);
        c = Mix(c, Hex(0x0b0d18), Smoothstep(-0.012f, 0.0f, outer));
        c.a = Coverage(outer, edge);
        return c;
    });
}

Canvas Art_LaserTrap(int size) {
    std::vector<Vec2> hex;
    for (int i = 0; i < 6; ++i)
        hex.push_back(
            {0.5f + 0.40f * std::cos(i * kTau / 6), 0.5f + 0.40f * std::sin(i * kTau / 6)});
    return Render(size, size, 3, [&](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.006f);
        const float body = SdPolygon(p, hex) - 0.02f;
        const float prongs = Union(SdBox(p, {0.5f, 0.12f}, {0.05f, 0.1f}, 0.01f),
                                   SdBox(p, {0.5f, 0.88f}, {0.05f, 0.1f}, 0.01f));
        const float shape = Union(body, prongs);
        const float eye = SdCircle(p, {0.5f, 0.5f}, 0.13f);
        const Rgba glow = WithAlpha(Hex(0xff2a4a), 0.75f * Glow(std::max(eye, 0.0f), 0.05f));
        if (shape > edge) return glow;
        Rgba c = Mix(Hex(0x4d4f63), Hex(0x22222e), Clamp01((p.x + p.y) * 0.8f - 0.3f));
        const float ring = SdCircle(p, {0.5f, 0.5f}, 0.22f);
        c = Mix(c, Hex(0x15151d), Coverage(ring, edge));
        c = Mix(c, Hex(0xff4d6a), Coverage(std::fabs(ring) - 0.012f, edge) * 0.8f);
        // The emitter's lens: white-hot centre, red rim.
        Rgba lens = Mix(Hex(0xfff0f4), Hex(0xff1f3d),
                        Smoothstep(0.02f, 0.12f, Length(p - Vec2{0.5f, 0.5f})));
        c = Mix(c, lens, Coverage(eye, edge));
        for (int i = 0; i < 6; ++i) {
            const Vec2 bolt = Vec2{0.5f, 0.5f} + Vec2{std::cos(i * kTau / 6 + kTau / 12),
                                                      std::sin(i * kTau / 6 + kTau / 12)} *
                                                     0.29f;
            c = Mix(c, Hex(0x8a8ca6), Coverage(SdCircle(p, bolt, 0.022f), edge));
        }
        c = Mix(c, Hex(0x0c0c14), Smoothstep(-0.014f, 0.0f, shape));
        c.a = Coverage(shape, edge);
        return Over(c, glow);
    });
}

Canvas Art_LaserBeam(int width, int height) {
    const float aspect = static_cast<float>(width) / height;
    return Render(width, height, 2, [aspect](Vec2 p, float) -> Rgba {
        // p.x runs 0..aspect, p.y 0..1; the beam runs along x.
        const float ends = Smoothstep(0.0f, 0.25f, p.x) * Smoothstep(aspect, aspect - 0.25f, p.x);
        const float dy = std::fabs(p.y - 0.5f + 0.02f * std::sin(p.x * 9.0f));
        const float core = std::exp(-std::pow(dy / 0.07f, 2.0f));
        const float halo = std::exp(-std::pow(dy / 0.22f, 2.0f));
        Rgba c = Mix(Hex(0xff1f45), Hex(0xfff4f6), core);
        return WithAlpha(c, Clamp01((core * 1.2f + halo * 0.5f) * ends));
    });
}

Canvas Art_MissileTrap(int size) {
    return Render(size, size, 3, [](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.006f);
        const float base = SdCircle(p, {0.5f, 0.5f}, 0.45f);
        if (base > edge) return {};
        const float ang = std::atan2(p.y - 0.5f, p.x - 0.5f);
        const float rho = Length(p - Vec2{0.5f, 0.5f});
        Rgba c = Mix(Hex(0x5c4a32), Hex(0x2e2518), Clamp01((p.x + p.y) * 0.7f - 0.2f));
        // An amber-and-black warning ring around the launcher.
        if (rho > 0.34f && rho < 0.43f) {
            const float seg = std::fmod(ang / kTau * 12 + 12.0f, 1.0f);
            c = seg < 0.5f ? Hex(0xff9a1f) : Hex(0x1a140c);
            c = Scale(c, 0.85f + 0.15f * (0.5f - (p.x + p.y - 1.0f)));
        }
        c = Mix(c, Hex(0x0f0c08), Coverage(std::fabs(rho - 0.34f) - 0.006f, edge));
        // Four launch tubes, dark mouths with a glint of a warhead inside.
        for (int i = 0; i < 4; ++i) {
            const Vec2 t{0.5f + (i % 2 ? 0.12f : -0.12f), 0.5f + (i / 2 ? 0.12f : -0.12f)};
            const float tube = SdCircle(p, t, 0.085f);
            c = Mix(c, Hex(0x9b8f7a), Coverage(tube, edge));
            c = Mix(c, Hex(0x100c0a), Coverage(tube + 0.02f, edge));
            c = Mix(c, Hex(0xff4a2a),
                    Coverage(SdCircle(p, t + Vec2{-0.012f, -0.012f}, 0.022f), edge) * 0.9f);
        }
        c = Mix(c, Hex(0x0b0906), Smoothstep(-0.014f, 0.0f, base));
        c.a = Coverage(base, edge);
        return c;
    });
}

Canvas Art_Missile(int size) {
    return Render(size, size, 4, [](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.005f);
        const float mx = std::fabs(p.x - 0.5f);
        const float body = SdBox(p, {0.5f, 0.52f}, {0.07f, 0.30f}, 0.02f);
        const float nose = SdEllipse(p, {0.5f, 0.24f}, {0.07f, 0.16f});
        const std::vector<Vec2> fin = {
            {0.55f, 0.62f}, {0.70f, 0.80f}, {0.70f, 0.90f}, {0.55f, 0.84f}};
        const float fins = SdPolygon({0.5f + mx, p.y}, fin);
        const float shape = Union(Union(body, Intersect(nose, p.y - 0.3f)), fins);
        const float exhaust = SdEllipse(p, {0.5f, 0.90f}, {0.04f, 0.07f});
        const Rgba flame =
            WithAlpha(Mix(Hex(0xfff0b0), Hex(0xff6a1a), Smoothstep(0.84f, 0.97f, p.y)),
                      Coverage(exhaust, edge) * 0.95f);
        if (shape > edge) return flame;
        Rgba c = Mix(Hex(0xf4f4f8), Hex(0x8e90a4), Clamp01(0.5f + (p.x - 0.5f) * 9));
        c = Mix(c, Mix(Hex(0xff5a4a), Hex(0xa8141c), Clamp01(0.5f + (p.x - 0.5f) * 9)),
                Smoothstep(0.33f, 0.32f, p.y));
        c = Mix(c, Hex(0xd8281e),
                Coverage(std::fabs(p.y - 0.62f) - 0.015f, edge) * (mx < 0.08f ? 1.0f : 0.0f));
        if (fins < 0 && mx > 0.06f)
            c = Mix(Hex(0xd8281e), Hex(0x7e0e12), Clamp01(0.5f + (p.x - 0.5f) * 5));
        c = Mix(c, Hex(0x120c10), Smoothstep(-0.012f, 0.0f, shape));
        c.a = Coverage(shape, edge);
        return Over(c, flame);
    });
}
