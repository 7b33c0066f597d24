// The help page's map picture: a whole level seen from far away, as the map view shows it.
#include "art.h"
#include "shapes.h"
#include "space_art.h"

Canvas Art_MapDemo(int width, int height) {
    // The help page shows this at about a seventh of its size, so everything is bold.
    SpaceStyle s;
    s.seed = 31;
    s.nebula = 1.3f;
    s.contrast = 0.4f;
    s.starDensity = 0.08f;
    s.starSize = 4.0f;
    Canvas map = Space_Backdrop(width, height, s);
    const float H = static_cast<float>(height);
    const Canvas rocks[3] = {Art_Asteroid(128, 3), Art_Asteroid(128, 5), Art_Asteroid(128, 9)};
    const Canvas fuel = Art_FuelCell(128), goal = Art_Goal(192), ship = Art_Ship(128);
    struct Placed {
        float x, y, size, angle;
    };
    // A winding corridor of asteroids from the ship (lower left) to the goal (upper right).
    const Placed asteroids[] = {
        {0.10f, 0.22f, 0.17f, 10},  {0.27f, 0.12f, 0.13f, 80},  {0.36f, 0.42f, 0.20f, 200},
        {0.22f, 0.62f, 0.12f, 30},  {0.52f, 0.78f, 0.18f, 140}, {0.60f, 0.30f, 0.14f, 250},
        {0.72f, 0.55f, 0.16f, 60},  {0.88f, 0.72f, 0.19f, 310}, {0.47f, 0.12f, 0.10f, 100},
        {0.95f, 0.40f, 0.11f, 170}, {0.40f, 0.92f, 0.12f, 20},  {0.78f, 0.92f, 0.10f, 280},
        {1.05f, 0.15f, 0.14f, 90},  {0.05f, 0.92f, 0.15f, 45},  {1.22f, 0.55f, 0.15f, 120},
        {1.55f, 0.62f, 0.18f, 200}, {1.34f, 0.86f, 0.12f, 10},  {1.68f, 0.88f, 0.14f, 75},
        {1.70f, 0.33f, 0.11f, 330}, {1.18f, 0.30f, 0.10f, 260},
    };
    const Placed cells[] = {{0.30f, 0.78f, 0.11f, 0},
                            {0.52f, 0.52f, 0.11f, 0},
                            {0.84f, 0.40f, 0.11f, 0},
                            {1.40f, 0.66f, 0.11f, 0}};
    // The route the player might fly, as a faint dotted line.
    const Vec2 route[] = {{0.14f, 0.85f}, {0.30f, 0.78f}, {0.45f, 0.62f}, {0.52f, 0.52f},
                          {0.66f, 0.42f}, {0.84f, 0.40f}, {1.00f, 0.28f}, {1.48f, 0.22f}};
    for (size_t i = 0; i + 1 < sizeof(route) / sizeof(route[0]); ++i) {
        const Vec2 a = route[i], b = route[i + 1];
        const int steps = static_cast<int>(Length(b - a) * H / 28.0f);
        for (int k = 0; k < steps; ++k) {
            const Vec2 q = a + (b - a) * (static_cast<float>(k) / steps);
            const Canvas dot = Render(12, 12, 2, [](Vec2 p, float px) {
                return WithAlpha(Hex(0x9fe8ff),
                                 0.5f * Coverage(SdCircle(p, {0.5f, 0.5f}, 0.45f), px));
            });
            DrawImage(map, dot, q.x * H, q.y * H, 12, 12);
        }
    }
    int i = 0;
    for (const Placed& a : asteroids)
        DrawImage(map, rocks[i++ % 3], a.x * H, a.y * H, a.size * H, a.size * H, a.angle);
    for (const Placed& f : cells) DrawImage(map, fuel, f.x * H, f.y * H, f.size * H, f.size * H);
    DrawImage(map, goal, 1.48f * H, 0.22f * H, 0.24f * H, 0.24f * H, 20);
    DrawImage(map, ship, 0.14f * H, 0.85f * H, 0.15f * H, 0.15f * H, 35);
    // A ring marks the ship, as small as it is from this far out.
    const Canvas ring = Render(200, 200, 2, [](Vec2 p, float px) {
        const float d = std::fabs(SdCircle(p, {0.5f, 0.5f}, 0.44f)) - 0.025f;
        return WithAlpha(Hex(0x7ff0ff), 0.85f * Coverage(d, px));
    });
    DrawImage(map, ring, 0.14f * H, 0.85f * H, 0.2f * H, 0.2f * H);
    // Pre-soften by about half a displayed pixel, so the small picture stays clean.
    Blur(map, 2.5f);
    return map;
}
