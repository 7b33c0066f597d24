// Review pictures: a contact sheet of every sprite and mock screens at play size, made from the
// written files.
#include "review.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <vector>

#include "image_files.h"
#include "lettering.h"
#include "shapes.h"

namespace {

Canvas Load(const std::string& path) {
    SDL_Surface* raw = IMG_Load(path.c_str());
    if (!raw) {
        std::fprintf(stderr, "assetgen: review cannot read %s: %s\n", path.c_str(), IMG_GetError());
        return Canvas(1, 1);
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(raw);
    Canvas c(s->w, s->h);
    for (int y = 0; y < s->h; ++y) {
        const uint8_t* row =
            static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch;
        for (int x = 0; x < s->w; ++x) {
            float* d = c.At(x, y);
            const float a = row[x * 4 + 3] / 255.0f;
            for (int i = 0; i < 3; ++i) d[i] = row[x * 4 + i] / 255.0f * a;
            d[3] = a;
        }
    }
    SDL_FreeSurface(s);
    return c;
}

void Fill(Canvas& c, Rgba colour) {
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            float* d = c.At(x, y);
            d[0] = colour.r;
            d[1] = colour.g;
            d[2] = colour.b;
            d[3] = 1;
        }
}

void Label(Canvas& c, const std::string& text, int x, int y, int size) {
    Canvas t = Lettering_Render(text, size, 0, 0);
    Tint(t, Hex(0xd8dcf0));
    Composite(c, t, x - t.width / 2, y);
}

// The background as the game draws it: full window height, centred, aspect kept.
void DrawBackground(Canvas& screen, const Canvas& bg) {
    const float h = static_cast<float>(screen.height), w = bg.width * h / bg.height;
    DrawImage(screen, bg, screen.width * 0.5f, h * 0.5f, w, h);
}

bool ContactSheet(const std::string& a, const std::string& out) {
    static const char* const kSprites[] = {"logo",
                                           "mainMenu",
                                           "placeholder",
                                           "player3",
                                           "asteroid",
                                           "proto_wall",
                                           "proto_laser_trap",
                                           "proto_laser",
                                           "proto_missile_trap",
                                           "proto_missile",
                                           "proto_fuel",
                                           "endpoint",
                                           "proto_compassArrow",
                                           "arrow",
                                           "gameplayBackground",
                                           "proto_textBox",
                                           "Orrinth_WHITE",
                                           "Orrinth_RED",
                                           "spritesheet1",
                                           "map_demo",
                                           "audiologo-white",
                                           "error"};
    const int cols = 6, cell = 240, labelH = 30;
    const int count = static_cast<int>(sizeof(kSprites) / sizeof(kSprites[0]));
    const int rows = (count + cols - 1) / cols;
    const int stripH = (cols * cell - 40) / 4 + 50;
    Canvas sheet(cols * cell, rows * (cell + labelH) + 3 * stripH);
    Fill(sheet, Hex(0x1b1b22));
    for (int i = 0; i < count; ++i) {
        const Canvas img = Load(a + "/Sprites/" + kSprites[i] + ".png");
        const int cx = (i % cols) * cell, cy = (i / cols) * (cell + labelH);
        // A grey checker shows transparency.
        for (int y = cy + 8; y < cy + cell - 8; ++y)
            for (int x = cx + 8; x < cx + cell - 8; ++x) {
                float* d = sheet.At(x, y);
                const float v = ((x / 12 + y / 12) % 2) ? 0.16f : 0.22f;
                d[0] = d[1] = v;
                d[2] = v + 0.02f;
            }
        const float fit =
            std::min(1.0f, static_cast<float>(cell - 20) / std::max(img.width, img.height));
        const int w = std::max(1, static_cast<int>(img.width * fit)),
                  h = std::max(1, static_cast<int>(img.height * fit));
        const Canvas thumb = Resize(img, w, h);
        Composite(sheet, thumb, cx + (cell - w) / 2, cy + (cell - h) / 2);
        Label(sheet,
              std::string(kSprites[i]) + " " + std::to_string(img.width) + "x" +
                  std::to_string(img.height),
              cx + cell / 2, cy + cell, 15);
    }
    static const char* const kStrips[] = {"ani_btmLoop", "ani_rightLoop", "ani_leftLoop"};
    for (int i = 0; i < 3; ++i) {
        const Canvas img = Load(a + "/Sprites/" + kStrips[i] + ".png");
        const int y = rows * (cell + labelH) + i * stripH;
        const int w = cols * cell - 40, h = w * img.height / std::max(1, img.width);
        // The ship under each frame, as in play.
        const Canvas ship = Load(a + "/Sprites/player3.png");
        const int frames = img.width / 1000;
        for (int f = 0; f < frames; ++f)
            DrawImage(sheet, ship, 20 + (f + 0.5f) * h, y + 10 + h * 0.5f, static_cast<float>(h),
                      static_cast<float>(h));
        const Canvas thumb = Resize(img, w, h);
        Composite(sheet, thumb, 20, y + 10);
        Label(sheet,
              std::string(kStrips[i]) + " " + std::to_string(img.width) + "x" +
                  std::to_string(img.height),
              cols * cell / 2, y + 20 + h, 15);
    }
    return SavePng(sheet, out);
}

bool Scene(const std::string& a, const std::string& out, const std::string& zoomOut) {
    Canvas screen(1280, 720);
    Fill(screen, Hex(0x000000));
    DrawBackground(screen, Load(a + "/Sprites/gameplayBackground.png"));
    const Canvas rock = Load(a + "/Sprites/asteroid.png"),
                 fuel = Load(a + "/Sprites/proto_fuel.png");
    const Canvas goal = Load(a + "/Sprites/endpoint.png"), ship = Load(a + "/Sprites/player3.png");
    const Canvas flame = Load(a + "/Sprites/ani_btmLoop.png"),
                 jet = Load(a + "/Sprites/ani_rightLoop.png");
    const Canvas arrow = Load(a + "/Sprites/proto_compassArrow.png");
    const Canvas wall = Load(a + "/Sprites/proto_wall.png"),
                 laser = Load(a + "/Sprites/proto_laser_trap.png");
    const Canvas missile = Load(a + "/Sprites/proto_missile_trap.png");
    struct Thing {
        float x, y, size, angle;
    };
    for (const Thing t :
         {Thing{200, 150, 120, 20}, Thing{420, 520, 70, 200}, Thing{760, 180, 95, 90},
          Thing{980, 560, 140, 300}, Thing{1150, 240, 60, 45}, Thing{560, 300, 50, 10}})
        DrawImage(screen, rock, t.x, t.y, t.size, t.size, t.angle);
    for (const Thing t : {Thing{330, 330, 50, 0}, Thing{860, 380, 50, 0}, Thing{1060, 120, 40, 0}})
        DrawImage(screen, fuel, t.x, t.y, t.size, t.size, t.angle);
    DrawImage(screen, goal, 1120, 400, 80, 80, 30);
    DrawImage(screen, wall, 100, 620, 80, 80);
    DrawImage(screen, laser, 200, 620, 60, 60);
    DrawImage(screen, missile, 290, 620, 60, 60);
    // The ship at 65 px, thrusting and turning left (right-side jet), tilted 25 degrees.
    const float sx = 640, sy = 420, rot = 25;
    DrawImage(screen, ship, sx, sy, 65, 65, rot);
    DrawSubImage(screen, flame, sx, sy, 65, 65, 1000, 0, 1000, 1000, rot);
    DrawSubImage(screen, jet, sx, sy, 65, 65, 0, 0, 1000, 1000, rot);
    DrawImage(screen, arrow, sx + 45, sy + 20, 20, 20, -50);
    // The fuel gauge under the ship, in the game's colours.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x) {
            float* d = screen.At(static_cast<int>(sx) - 50 + x, static_cast<int>(sy) + 40 + y);
            const Rgba c = x < 72 ? Hex(0x04981d) : Hex(0x696969);
            d[0] = c.r;
            d[1] = c.g;
            d[2] = c.b;
        }
    // A second ship at rest, upright, for the silhouette.
    DrawImage(screen, ship, 470, 140, 65, 65, 0);
    if (!SavePng(screen, out)) return false;
    // A 4x enlargement around the ship, to inspect the flame placement.
    Canvas zoom(520, 520);
    for (int y = 0; y < 520; ++y)
        for (int x = 0; x < 520; ++x) {
            const float* s =
                screen.At(static_cast<int>(sx) - 65 + x / 4, static_cast<int>(sy) - 65 + y / 4);
            float* d = zoom.At(x, y);
            for (int i = 0; i < 4; ++i) d[i] = s[i];
        }
    return SavePng(zoom, zoomOut);
}

bool Screens(const std::string& a, const std::string& folder) {
    Canvas splash(1280, 1440);
    Fill(splash, Hex(0x000000));
    const Canvas red = Load(a + "/Sprites/Orrinth_RED.png"),
                 audio = Load(a + "/Sprites/audiologo-white.png");
    DrawImage(splash, red, 640, 360, static_cast<float>(red.width), static_cast<float>(red.height));
    DrawImage(splash, audio, 640, 1080, static_cast<float>(audio.width),
              static_cast<float>(audio.height));
    bool ok = SavePng(splash, folder + "/splash.png");

    Canvas menu(1280, 720);
    Fill(menu, Hex(0x000000));
    const Canvas bg = Load(a + "/Sprites/mainMenu.png"), logo = Load(a + "/Sprites/logo.png");
    DrawImage(menu, bg, 320, 360, bg.width * 720.0f / bg.height, 720);
    DrawImage(menu, logo, 640, 306, logo.width * 0.75f, logo.height * 0.75f);
    for (int i = 0; i < 7; ++i) {
        const float cx = 139 + 167 * i;
        const Canvas button = Render(150, 50, 2, [](Vec2 p, float px) {
            return WithAlpha(Hex(0x2b2f55),
                             0.9f * Coverage(SdBox(p, {1.5f, 0.5f}, {1.45f, 0.45f}, 0.15f), px));
        });
        DrawImage(menu, button, cx, 558, 150, 50);
    }
    ok = SavePng(menu, folder + "/menu.png") && ok;

    Canvas help(1280, 720);
    Fill(help, Hex(0x000000));
    DrawImage(help, bg, 900, 360, bg.width * 720.0f / bg.height, 720);
    const Canvas arrow = Load(a + "/Sprites/arrow.png"), map = Load(a + "/Sprites/map_demo.png");
    const Canvas ship = Load(a + "/Sprites/player3.png"),
                 white = Load(a + "/Sprites/Orrinth_WHITE.png");
    DrawImage(help, arrow, 192, 180, arrow.width * 0.75f, arrow.height * 0.75f);
    DrawImage(help, ship, 192, 324, 65, 65);
    DrawImage(help, arrow, 704, 252, arrow.width * 0.5f, arrow.height * 0.5f, 90);
    DrawImage(help, ship, 640, 324, 65, 65, 40);
    DrawImage(help, map, 1088, 256, map.width * 0.15f, map.height * 0.15f);
    DrawImage(help, white, 640, 57.6f, white.width * 0.3f, white.height * 0.3f, 0, 235 / 255.0f);
    ok = SavePng(help, folder + "/help_and_credits.png") && ok;

    Canvas icons(48 * 3 + 40, 60);
    Fill(icons, Hex(0x303040));
    const Canvas icon = Load(a + "/appicon.ico");
    DrawImage(icons, icon, 30, 30, 48, 48);
    DrawImage(icons, icon, 90, 30, 32, 32);
    DrawImage(icons, icon, 140, 30, 16, 16);
    return SavePng(icons, folder + "/icon.png") && ok;
}

}  // namespace

bool Review_Write(const std::string& assets, const std::string& folder) {
    bool ok = ContactSheet(assets, folder + "/contact_sheet.png");
    ok = Scene(assets, folder + "/scene.png", folder + "/scene_zoom.png") && ok;
    ok = Screens(assets, folder) && ok;
    if (ok) std::printf("assetgen: review pictures in %s\n", folder.c_str());
    return ok;
}
