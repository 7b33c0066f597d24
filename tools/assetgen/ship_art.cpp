// The player's ship, its three flame strips and the window icon built from it.
#include <vector>

#include "art.h"
#include "shapes.h"

namespace {

// The ship fills the upper three quarters of its box, nose up, so the main flame
// (drawn over the same box) has room below the engine. Unit coordinates, y down.
constexpr float kNozzleY = 0.755f;  // bottom of the engine bell
constexpr float kJetY = 0.30f;      // steering jets, just behind the canopy
constexpr float kJetX = 0.592f;     // their outlets on the right side (mirrored on the left)

const std::vector<Vec2>& Fuselage() {
    static const std::vector<Vec2> pts = {
        {0.500f, 0.040f}, {0.545f, 0.150f}, {0.575f, 0.280f}, {0.588f, 0.420f}, {0.590f, 0.560f},
        {0.575f, 0.690f}, {0.545f, 0.730f}, {0.455f, 0.730f}, {0.425f, 0.690f}, {0.410f, 0.560f},
        {0.412f, 0.420f}, {0.425f, 0.280f}, {0.455f, 0.150f},
    };
    return pts;
}

const std::vector<Vec2>& RightWing() {
    static const std::vector<Vec2> pts = {
        {0.570f, 0.390f}, {0.700f, 0.520f}, {0.830f, 0.635f},
        {0.835f, 0.715f}, {0.780f, 0.715f}, {0.570f, 0.680f},
    };
    return pts;
}

struct ShipField {
    float hull;    // whole silhouette
    float wing;    // wings only
    float nozzle;  // engine bell
};

ShipField ShipDistances(Vec2 p) {
    const Vec2 m{p.x < 0.5f ? 1.0f - p.x : p.x, p.y};  // mirror onto the right half
    ShipField f;
    f.wing = SdPolygon(m, RightWing());
    const float body = SdPolygon(p, Fuselage());
    f.nozzle = SdBox(p, {0.5f, kNozzleY - 0.022f}, {0.05f, 0.024f}, 0.008f);
    const float jet = SdBox(m, {kJetX - 0.01f, kJetY}, {0.014f, 0.017f}, 0.004f);
    f.hull = Union(Union(SmoothUnion(body, f.wing, 0.012f), f.nozzle), jet);
    return f;
}

// The ship's colour at a point of its unit box; `px` is one pixel in those units.
Rgba ShipColour(Vec2 p, float px) {
    const ShipField f = ShipDistances(p);
    const float outline = 0.022f;
    const float edge = std::max(px, 0.006f);
    if (f.hull > edge * 2) {
        // A faint cool rim light keeps the dark outline readable on dark space.
        return WithAlpha(Hex(0x7fd8ff),
                         0.22f * Glow(f.hull, 0.018f) * Smoothstep(0.07f, 0.0f, f.hull));
    }
    const float side = (p.x - 0.5f);  // lit from the upper left
    Rgba c = Mix(Hex(0xf2f6ff), Hex(0x9aa8c4), Clamp01(0.5f + side * 4.5f));
    c = Mix(c, Hex(0x7c89a8), Smoothstep(0.45f, 0.75f, p.y) * 0.45f);
    // Wings: deep blue with a cyan stripe near the tips.
    if (f.wing < 0 && std::fabs(p.x - 0.5f) > 0.09f) {
        const float wingAmt = Coverage(f.wing, edge);
        Rgba w = Mix(Hex(0x4059b8), Hex(0x23306e), Clamp01(0.5f + side * 3.0f));
        const float tip = Smoothstep(0.255f, 0.265f, std::fabs(p.x - 0.5f)) *
                          Smoothstep(0.30f, 0.29f, std::fabs(p.x - 0.5f));
        w = Mix(w, Hex(0x5ff2ff), tip);
        c = Mix(c, w, wingAmt);
    }
    // Nose cone: the warm tip that shows where the ship points.
    const float nose = Smoothstep(0.205f, 0.19f, p.y);
    c = Mix(c, Mix(Hex(0xff7a45), Hex(0xd8301c), Clamp01(0.5f + side * 6)), nose);
    c = Mix(c, Hex(0xffd7a8), nose * Smoothstep(0.02f, 0.0f, std::fabs(p.x - 0.488f)) * 0.7f);
    // Canopy.
    const float canopy = SdEllipse(p, {0.5f, 0.315f}, {0.034f, 0.072f});
    if (canopy < edge) {
        Rgba g = Mix(Hex(0x9ff6ff), Hex(0x1b7fb8), Clamp01((p.y - 0.26f) * 8 + side * 6));
        const float glint = Smoothstep(0.012f, 0.0f, Length(p - Vec2{0.49f, 0.285f}) - 0.008f);
        g = Mix(g, Hex(0xffffff), glint);
        c = Mix(c, g, Coverage(canopy, edge));
        c = Mix(c, Hex(0x10163a), Coverage(std::fabs(canopy) - 0.006f, edge) * 0.8f);
    }
    // Engine bell and steering-jet nubs in dark metal.
    const Vec2 m{p.x < 0.5f ? 1.0f - p.x : p.x, p.y};
    const float nub = SdBox(m, {kJetX - 0.01f, kJetY}, {0.014f, 0.017f}, 0.004f);
    c = Mix(c, Hex(0x3b4058), Coverage(nub, edge));
    if (f.nozzle < edge) {
        Rgba n = Mix(Hex(0x5a607a), Hex(0x2a2d40), Clamp01((p.y - (kNozzleY - 0.045f)) * 20));
        n = Mix(n, Hex(0xffb36b),
                Smoothstep(kNozzleY - 0.012f, kNozzleY, p.y) *
                    Smoothstep(0.04f, 0.0f, std::fabs(p.x - 0.5f)) * 0.9f);
        c = Mix(c, n, Coverage(f.nozzle, edge));
    }
    // Dark outline all round.
    c = Mix(c, Hex(0x0c0f24), Smoothstep(-outline, -outline + edge * 1.5f, f.hull));
    c.a = Coverage(f.hull, edge);
    // Blend the rim light into the antialiased edge.
    return Over(c, WithAlpha(Hex(0x7fd8ff), 0.22f * Glow(std::max(f.hull, 0.0f), 0.018f)));
}

// The main engine flame: hot white-blue at the nozzle, orange, then fading red.
Rgba BottomFlame(Vec2 p, int frame) {
    static const float kLength[4] = {0.212f, 0.238f, 0.198f, 0.230f};
    static const float kWidth[4] = {0.058f, 0.063f, 0.055f, 0.061f};
    const float len = kLength[frame % 4];
    const float top = kNozzleY - 0.006f;
    const float t = (p.y - top) / len;
    if (t < -0.15f || t > 1.3f) return {};
    const float wobble = 0.012f * Noise(p.y * 14.0f, frame * 3.7f, 41u);
    const float dx = p.x - 0.5f - wobble * Clamp01(t);
    const float halfWidth = kWidth[frame % 4] * std::pow(Clamp01(1 - t * 0.92f), 0.75f) + 0.004f;
    const float r = std::fabs(dx) / halfWidth;
    const float tongue =
        Clamp01(1 - r * r) * Smoothstep(1.15f, 0.55f, t) * Smoothstep(-0.08f, 0.02f, t);
    const float flick = 0.85f + 0.15f * Noise(p.x * 30.0f, p.y * 18.0f - frame * 2.3f, 43u);
    const float heat = tongue * flick;
    const float core = Clamp01(1 - std::pow(std::fabs(dx) / (halfWidth * 0.45f), 2.0f)) *
                       Smoothstep(0.65f, 0.05f, t);
    Rgba c = Mix(Hex(0xff3d1a), Hex(0xffa23a), Smoothstep(0.15f, 0.6f, heat));
    c = Mix(c, Hex(0xfff1c4), Smoothstep(0.55f, 0.95f, heat));
    c = Mix(c, Hex(0xcfeaff), core * 0.85f);
    const float halo = 0.5f * std::exp(-std::pow(std::fabs(dx) / (halfWidth * 2.0f), 2.0f)) *
                       Smoothstep(1.3f, 0.2f, t) * Smoothstep(-0.15f, 0.05f, t);
    Rgba out = WithAlpha(c, Clamp01(heat * 1.7f + core));
    return Over(out, WithAlpha(Hex(0xff6a2a), halo));
}

// A steering jet on the ship's right side: a short puff of cold white-blue gas.
Rgba SideJet(Vec2 p, int frame) {
    static const float kLength[4] = {0.150f, 0.175f, 0.135f, 0.165f};
    const float len = kLength[frame % 4];
    const float x0 = kJetX + 0.004f;
    const float t = (p.x - x0) / len;
    if (t < -0.2f || t > 1.4f) return {};
    const float dy = p.y - kJetY - 0.006f * Noise(p.x * 20.0f, frame * 5.1f, 47u) * Clamp01(t);
    const float halfWidth = 0.016f + 0.030f * Clamp01(t);  // the gas spreads as it leaves
    const float r = std::fabs(dy) / halfWidth;
    const float body =
        Clamp01(1 - r * r) * Smoothstep(1.05f, 0.3f, t) * Smoothstep(-0.1f, 0.03f, t);
    const float flick = 0.8f + 0.2f * Noise(p.x * 40.0f - frame * 3.0f, p.y * 40.0f, 53u);
    const float core = Clamp01(1 - r * 2.2f) * Smoothstep(0.5f, 0.0f, t);
    Rgba c = Mix(Hex(0x6fc8ff), Hex(0xe8f8ff), Clamp01(core + body * 0.4f));
    const float halo =
        0.3f * std::exp(-r * r * 0.35f) * Smoothstep(1.3f, 0.1f, t) * Smoothstep(-0.2f, 0.02f, t);
    return Over(WithAlpha(c, Clamp01(body * flick * 1.3f + core)), WithAlpha(Hex(0x59b8ff), halo));
}

}  // namespace

Canvas Art_Ship(int size) {
    return Render(size, size, 4, [](Vec2 p, float px) { return ShipColour(p, px); });
}

Canvas Art_FlameStrip(FlameSide side, int frameCount) {
    constexpr int kFrame = 1000;
    Canvas strip(kFrame * frameCount, kFrame);
    for (int f = 0; f < frameCount; ++f) {
        // The flames are soft, so one sample per pixel is plenty.
        Canvas frame = Render(kFrame, kFrame, 1, [&](Vec2 p, float) {
            if (side == FLAME_BOTTOM) return BottomFlame(p, f);
            if (side == FLAME_RIGHT) return SideJet(p, f);
            return SideJet({1.0f - p.x, p.y}, f);
        });
        Composite(strip, frame, f * kFrame, 0);
    }
    return strip;
}

Canvas Art_AppIcon(int size) {
    return Render(size, size, 4, [size](Vec2 p, float px) {
        const float tile = SdBox(p, {0.5f, 0.5f}, {0.5f, 0.5f}, 0.2f);
        Rgba bg = Mix(Hex(0x2c1f6e), Hex(0x0d0b26), Clamp01(p.y * 0.9f + p.x * 0.3f));
        bg = Mix(bg, Hex(0x5a3bb0),
                 0.35f * std::exp(-Dot(p - Vec2{0.35f, 0.25f}, p - Vec2{0.35f, 0.25f}) * 8));
        bg.a = Coverage(tile, px);
        // The ship, a little larger than in play, centred a touch high, with its flame.
        const float zoom = size <= 16 ? 1.38f : 1.25f;
        const Vec2 q = Vec2{0.5f, 0.45f} + (p - Vec2{0.5f, 0.5f}) * (1.0f / zoom);
        const float qpx = px / zoom;
        Rgba c = bg;
        c = Over(BottomFlame(q, 1), c);
        c = Over(ShipColour(q, qpx), c);
        c.a = std::min(c.a, bg.a);
        return c;
    });
}
