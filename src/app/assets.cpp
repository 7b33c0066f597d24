// Sprite and sound tables, and the caches every screen shares.
#include <cstdio>

#include "app/assets.h"

const char* const defaultAssetRoot = "./Assets/";

const char* const spriteFiles[SPRITE_COUNT] = {
    "Sprites/logo.png",
    "Sprites/mainMenu.png",
    "Sprites/placeholder.png",
    "Sprites/player3.png",
    "Sprites/asteroid.png",
    "Sprites/proto_wall.png",
    "Sprites/proto_laser_trap.png",
    "Sprites/proto_laser.png",
    "Sprites/proto_missile_trap.png",
    "Sprites/proto_missile.png",
    "Sprites/proto_fuel.png",
    "Sprites/endpoint.png",
    "Sprites/proto_compassArrow.png",
    "Sprites/arrow.png",
    "Sprites/gameplayBackground.png",
    "Sprites/proto_textBox.png",
    "Sprites/Orrinth_WHITE.png",
    "Sprites/Orrinth_RED.png",
    "Sprites/spritesheet1.png",
    "Sprites/map_demo.png",
    "Sprites/audiologo-white.png",
};

const char* const soundPaths[SOUND_COUNT] = {
    "./Assets/Sounds/Music/ANCIENT RUINS - NewAge MSCNEW2_33.wav",
    "./Assets/Sounds/Music/SUBMERGED SILENCE - EasyListeningDow MSCEZL3_21.wav",
    "./Assets/Sounds/SFX/thruster.wav",
    "./Assets/Sounds/SFX/adjuster.wav",
    "./Assets/Sounds/SFX/collision.wav",
    "./Assets/Sounds/SFX/fuel_pickup.wav",
    "./Assets/Sounds/SFX/warning.wav",
    "./Assets/Sounds/SFX/winSeq_spin.wav",
    "./Assets/Sounds/SFX/winSeq_whoosh.wav",
};

const char* const errorImageFile = "Sprites/error.png";

const char* const flameStripPaths[3] = {
    "./Assets/Sprites/ani_btmLoop.png",
    "./Assets/Sprites/ani_rightLoop.png",
    "./Assets/Sprites/ani_leftLoop.png",
};

const char* const appIconPath = "Assets/appicon.ico";

TS_Image spriteCache[SPRITE_COUNT] = {};
TS_Sound soundCache[SOUND_COUNT] = {};

namespace {

const char* assetRoot = defaultAssetRoot;

// A file under the asset root; a path too long for the buffer loads nothing,
// as a missing file does.
TS_Image LoadUnderRoot(const char* file) {
    char path[1024];
    const int length = std::snprintf(path, sizeof path, "%s%s", assetRoot, file);
    if (length < 0 || static_cast<size_t>(length) >= sizeof path) return nullptr;
    return TS_Image_Load(path);
}

// The caches hold pictures of one renderer and sounds of one audio device:
// when the framework shuts down they are emptied with them, so a later start
// loads everything afresh instead of drawing with textures that are gone.
void FreeCachesAtShutdown(void) {
    FreeSpriteImages();
    FreeSounds();
}

void EmptyCachesAtShutdown(void) { TS_System_OnShutdown(FreeCachesAtShutdown); }

}  // namespace

void Assets_SetRootForTests(const char* root) { assetRoot = root ? root : defaultAssetRoot; }

TS_Image GetSpriteImage(int slot) {
    if (slot < 0 || slot >= SPRITE_COUNT) return nullptr;
    if (!spriteCache[slot]) {
        EmptyCachesAtShutdown();
        spriteCache[slot] = LoadUnderRoot(spriteFiles[slot]);
        if (!spriteCache[slot]) spriteCache[slot] = LoadUnderRoot(errorImageFile);
    }
    return spriteCache[slot];
}

TS_Sound GetSound(int slot) {
    if (slot < 0 || slot >= SOUND_COUNT) return nullptr;
    if (!soundCache[slot]) {
        EmptyCachesAtShutdown();
        soundCache[slot] = TS_Sound_Load(soundPaths[slot]);
    }
    return soundCache[slot];
}

TS_Sound GetMusic(int slot) {
    if (slot < 0 || slot >= SOUND_COUNT) return nullptr;
    if (!soundCache[slot]) {
        EmptyCachesAtShutdown();
        soundCache[slot] = TS_Sound_LoadMusic(soundPaths[slot]);
    }
    return soundCache[slot];
}

void FreeSpriteImage(int slot) {
    if (slot < 0 || slot >= SPRITE_COUNT) return;
    if (spriteCache[slot]) TS_Image_Free(&spriteCache[slot]);
    spriteCache[slot] = nullptr;
}

void FreeSpriteImages(void) {
    for (int slot = 0; slot < SPRITE_COUNT; ++slot) FreeSpriteImage(slot);
}

void FreeSound(int slot) {
    if (slot < 0 || slot >= SOUND_COUNT) return;
    if (soundCache[slot]) TS_Sound_Free(soundCache[slot]);
    soundCache[slot] = nullptr;
}

void FreeSounds(void) {
    for (int slot = 0; slot < SOUND_COUNT; ++slot) FreeSound(slot);
}
