// The fuel cell (a glowing green canister) and the goal portal (a swirling gate that spins well).
#include "art.h"
#include "shapes.h"

Canvas Art_FuelCell(int size) {
    return Render(size, size, 4, [](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.006f);
        const float glass = SdBox(p, {0.5f, 0.5f}, {0.17f, 0.25f}, 0.06f);
        const float capTop = SdBox(p, {0.5f, 0.20f}, {0.21f, 0.07f}, 0.035f);
        const float capBottom = SdBox(p, {0.5f, 0.80f}, {0.21f, 0.07f}, 0.035f);
        const float handle = SdBox(p, {0.5f, 0.105f}, {0.08f, 0.035f}, 0.02f);
        const float caps = Union(Union(capTop, capBottom), handle);
        const float shape = Union(glass, caps);
        // The green glow that makes a fuel cell impossible to miss.
        const float halo = 0.55f * Glow(std::max(glass, 0.0f), 0.06f) *
                           Smoothstep(0.12f, 0.02f, std::max(shape, 0.0f));
        const Rgba glow = WithAlpha(Hex(0x3dff9a), halo);
        if (shape > edge) return glow;
        const float side = (p.x - 0.5f) / 0.17f;
        // Liquid: bright green, brighter at the centre, with a bubble or two.
        Rgba c = Mix(Hex(0xb8ffd9), Hex(0x1fd870), Smoothstep(0.0f, 0.9f, std::fabs(side)));
        c = Mix(c, Hex(0x0e9a4c), Smoothstep(0.5f, 1.0f, side));
        const float level = 0.31f;  // the air gap at the top of the tank
        if (p.y < level) c = Mix(Hex(0x2b6b64), Hex(0x143a3a), Clamp01(side * 0.5f + 0.5f));
        c = Mix(c, Hex(0xeafff3), Coverage(std::fabs(p.y - level) - 0.006f, edge) * 0.8f);
        for (const Vec2 b : {Vec2{0.44f, 0.60f}, Vec2{0.54f, 0.45f}, Vec2{0.47f, 0.40f}}) {
            const float bub = SdCircle(p, b, b.y > 0.5f ? 0.022f : 0.015f);
            c = Mix(c, Hex(0xf2fff8), Coverage(std::fabs(bub) - 0.004f, edge) * 0.9f);
        }
        // A lightning mark on the glass.
        const std::vector<Vec2> bolt = {{0.53f, 0.36f}, {0.44f, 0.53f}, {0.50f, 0.53f},
                                        {0.46f, 0.66f}, {0.57f, 0.47f}, {0.51f, 0.47f},
                                        {0.55f, 0.36f}};
        c = Mix(c, Hex(0xffffff), Coverage(SdPolygon(p, bolt), edge) * 0.95f);
        // Glass highlight.
        c = Mix(c, Hex(0xffffff),
                Coverage(SdBox(p, {0.39f, 0.5f}, {0.018f, 0.17f}, 0.018f), edge) * 0.55f);
        // Metal caps with a bright band.
        if (caps < edge && glass > -0.02f) {
            Rgba m = Mix(Hex(0xe2e8f2), Hex(0x586078), Clamp01(0.5f + (p.x - 0.5f) * 4.5f));
            const float band =
                std::fabs(p.y - 0.20f) < 0.012f || std::fabs(p.y - 0.80f) < 0.012f ? 1.0f : 0.0f;
            m = Mix(m, Hex(0x5cffa8), band * 0.9f);
            c = Mix(c, m, Coverage(caps, edge));
        }
        c = Mix(c, Hex(0x06200f), Smoothstep(-0.014f, 0.0f, shape));
        c.a = Coverage(shape, edge);
        return Over(c, glow);
    });
}

Canvas Art_Goal(int size) {
    return Render(size, size, 3, [](Vec2 p, float px) -> Rgba {
        const float edge = std::max(px, 0.004f);
        const Vec2 q = p - Vec2{0.5f, 0.5f};
        const float rho = Length(q);
        const float ang = std::atan2(q.y, q.x);
        // Outer glow.
        Rgba out = WithAlpha(Hex(0x8a5cff), 0.45f * Glow(std::max(rho - 0.40f, 0.0f), 0.035f) *
                                                Smoothstep(0.5f, 0.44f, rho));
        // The vortex: three spiral arms wound into a white-hot eye.
        const float disc = rho - 0.37f;
        if (disc < edge) {
            const float s = ang * 3.0f + std::log(std::max(rho, 0.003f)) * 7.0f;
            const float arms = std::pow(0.5f + 0.5f * std::cos(s), 2.2f);
            const float fine = 0.5f + 0.5f * std::cos(s * 2.0f + 1.3f);
            const float t = Clamp01(rho / 0.37f);
            Rgba c = Mix(Hex(0x1a0b44), Hex(0x3a1a8c), 1 - t);
            Rgba arm = Mix(Mix(Hex(0xffffff), Hex(0x7af2ff), Smoothstep(0.0f, 0.35f, t)),
                           Hex(0xc04bff), Smoothstep(0.35f, 0.95f, t));
            c = Mix(c, arm, Clamp01(arms * (0.9f - 0.25f * t) + fine * 0.12f));
            c = Mix(c, Hex(0xffffff), std::exp(-rho * rho / 0.0035f));
            c = Mix(c, Hex(0x10062a), Smoothstep(0.28f, 0.37f, rho) * 0.35f);
            c.a = Coverage(disc, edge);
            out = Over(c, out);
        }
        // A gold ring in three arcs with bright beacons: it shows the spin clearly.
        const float ringD = std::fabs(rho - 0.41f) - 0.032f;
        const float arc = std::fmod(ang / kTau * 3.0f + 3.25f, 1.0f);
        const float gap = std::min(arc, 1.0f - arc) * kTau / 3.0f *
                          0.41f;  // distance to the nearest gap centre along the ring
        const float segment = Intersect(ringD, 0.035f - gap);
        if (segment < edge) {
            Rgba g = Mix(Hex(0xfff2b8), Hex(0xe08a18), Clamp01(0.5f + (q.x + q.y) * 2.2f));
            g = Mix(g, Hex(0x3a1c04), Smoothstep(-0.01f, 0.0f, segment) * 0.8f);
            g.a = Coverage(segment, edge);
            out = Over(g, out);
        }
        for (int i = 0; i < 3; ++i) {
            const float a = (i + 0.25f) * kTau / 3.0f;
            const Vec2 b = Vec2{0.5f, 0.5f} + Vec2{std::cos(a), std::sin(a)} * 0.41f;
            const float bd = SdCircle(p, b, 0.022f);
            Rgba beacon = WithAlpha(
                Mix(Hex(0xffffff), Hex(0x6ef7ff), Smoothstep(0.0f, 0.022f, Length(p - b))),
                Coverage(bd, edge));
            out =
                Over(beacon, AddLight(out, Hex(0x6ef7ff), 0.5f * Glow(std::max(bd, 0.0f), 0.02f)));
        }
        return out;
    });
}
