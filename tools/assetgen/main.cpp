// Entry point: writes every image, sound and the icon into the given Assets folder.
// Usage: assetgen <Assets folder> [--review <folder for the contact sheet and test scenes>]
#include <SDL.h>
#include <SDL_image.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "art.h"
#include "image_files.h"
#include "lettering.h"
#include "review.h"
#include "sound.h"

namespace {

struct Job {
    const char* path;  // relative to the Assets folder
    std::function<bool(const std::string&)> make;
};

std::function<bool(const std::string&)> Png(std::function<Canvas()> draw, bool dither = false) {
    return [draw, dither](const std::string& path) { return SavePng(draw(), path, dither); };
}

std::vector<Job> Jobs() {
    return {
        // The big, slow pictures first, so the two workers finish together.
        {"Sprites/mainMenu.png", Png([] { return Art_MenuBackground(3456, 960); }, true)},
        {"Sprites/gameplayBackground.png",
         Png([] { return Art_GameplayBackground(2592, 1080); }, true)},
        {"Sprites/ani_btmLoop.png", Png([] { return Art_FlameStrip(FLAME_BOTTOM, 4); })},
        {"Sprites/ani_rightLoop.png", Png([] { return Art_FlameStrip(FLAME_RIGHT, 4); })},
        {"Sprites/ani_leftLoop.png", Png([] { return Art_FlameStrip(FLAME_LEFT, 4); })},
        {"Sprites/map_demo.png", Png([] { return Art_MapDemo(1600, 900); }, true)},
        {"Sounds/Music/ANCIENT RUINS - NewAge MSCNEW2_33.wav", Sound_MenuMusic},
        {"Sounds/Music/SUBMERGED SILENCE - EasyListeningDow MSCEZL3_21.wav", Sound_GameMusic},
        {"Sprites/logo.png", Png([] { return Art_TitleLogo(1024, 384); })},
        {"Sprites/Orrinth_WHITE.png", Png([] { return Art_StudioLogo(1000, 300, false); })},
        {"Sprites/Orrinth_RED.png", Png([] { return Art_StudioLogo(720, 216, true); })},
        {"Sprites/audiologo-white.png", Png([] { return Art_AudioCredit(600, 170); })},
        {"Sprites/player3.png", Png([] { return Art_Ship(128); })},
        {"Sprites/asteroid.png", Png([] { return Art_Asteroid(160, 7); })},
        {"Sprites/proto_wall.png", Png([] { return Art_Wall(128); })},
        {"Sprites/proto_laser_trap.png", Png([] { return Art_LaserTrap(128); })},
        {"Sprites/proto_laser.png", Png([] { return Art_LaserBeam(256, 64); })},
        {"Sprites/proto_missile_trap.png", Png([] { return Art_MissileTrap(128); })},
        {"Sprites/proto_missile.png", Png([] { return Art_Missile(128); })},
        {"Sprites/proto_fuel.png", Png([] { return Art_FuelCell(128); })},
        {"Sprites/endpoint.png", Png([] { return Art_Goal(192); })},
        {"Sprites/proto_compassArrow.png", Png([] { return Art_CompassArrow(40); })},
        {"Sprites/arrow.png", Png([] { return Art_HelpArrow(160, 200); })},
        {"Sprites/proto_textBox.png", Png([] { return Art_TextBoxIcon(100); })},
        {"Sprites/placeholder.png", Png([] { return Art_Placeholder(64); })},
        {"Sprites/spritesheet1.png", Png([] { return Art_SpriteSheet(64); })},
        {"Sprites/error.png", Png([] { return Art_ErrorImage(64); })},
        {"appicon.ico",
         [](const std::string& path) {
             return SaveIco({Art_AppIcon(48), Art_AppIcon(32), Art_AppIcon(16)}, path);
         }},
        // The desktop's icon theme (an installed package's menu entry) takes
        // PNGs of the same picture, one per size.
        {"icons/hicolor/16x16/apps/vexal.png", Png([] { return Art_AppIcon(16); })},
        {"icons/hicolor/32x32/apps/vexal.png", Png([] { return Art_AppIcon(32); })},
        {"icons/hicolor/48x48/apps/vexal.png", Png([] { return Art_AppIcon(48); })},
        {"icons/hicolor/64x64/apps/vexal.png", Png([] { return Art_AppIcon(64); })},
        {"icons/hicolor/128x128/apps/vexal.png", Png([] { return Art_AppIcon(128); })},
        {"icons/hicolor/256x256/apps/vexal.png", Png([] { return Art_AppIcon(256); })},
        {"Sounds/SFX/thruster.wav", Sound_Thruster},
        {"Sounds/SFX/adjuster.wav", Sound_Adjuster},
        {"Sounds/SFX/collision.wav", Sound_Collision},
        {"Sounds/SFX/fuel_pickup.wav", Sound_FuelPickup},
        {"Sounds/SFX/warning.wav", Sound_Warning},
        {"Sounds/SFX/winSeq_spin.wav", Sound_WinSpin},
        {"Sounds/SFX/winSeq_whoosh.wav", Sound_WinWhoosh},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: assetgen <Assets folder> [--review <folder>]\n");
        return 2;
    }
    const std::string out = argv[1];
    std::string review;
    for (int i = 2; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--review") == 0) review = argv[i + 1];

    if (!Lettering_Init()) return 1;
    // Set up PNG writing once, before the workers share it.
    IMG_Init(IMG_INIT_PNG);
    const auto start = std::chrono::steady_clock::now();
    const std::vector<Job> jobs = Jobs();
    // Two workers take jobs in a fixed interleave; every job writes its own file
    // from its own seeds, so the output never depends on the scheduling.
    // Lettering goes through SDL_ttf, which is not thread-safe: those jobs run on
    // the main worker only.
    std::vector<char> ok(jobs.size(), 0);
    auto needsFont = [&](size_t i) {
        const std::string p = jobs[i].path;
        return p.find("logo") != std::string::npos || p.find("Orrinth") != std::string::npos;
    };
    auto worker = [&](int id) {
        for (size_t i = 0; i < jobs.size(); ++i) {
            const bool mine = needsFont(i) ? id == 0 : static_cast<int>(i % 2) == id;
            if (mine) ok[i] = jobs[i].make(out + "/" + jobs[i].path) ? 1 : 0;
        }
    };
    std::thread second(worker, 1);
    worker(0);
    second.join();
    int failures = 0;
    for (size_t i = 0; i < jobs.size(); ++i)
        if (!ok[i]) {
            std::fprintf(stderr, "assetgen: failed to write %s\n", jobs[i].path);
            ++failures;
        }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %zu files in %.1f s\n", jobs.size(), seconds);
    if (!review.empty() && failures == 0 && !Review_Write(out, review)) ++failures;
    Lettering_Quit();
    IMG_Quit();
    return failures ? 1 : 0;
}
