// Sprite and sound tables, and the caches every screen shares.
#include "app/assets.h"

const char* const spritePaths[SPRITE_COUNT] = {
    "./Assets/Sprites/logo.png",
    "./Assets/Sprites/mainMenu.png",
    "./Assets/Sprites/placeholder.png",
    "./Assets/Sprites/player3.png",
    "./Assets/Sprites/asteroid.png",
    "./Assets/Sprites/proto_wall.png",
    "./Assets/Sprites/proto_laser_trap.png",
    "./Assets/Sprites/proto_laser.png",
    "./Assets/Sprites/proto_missile_trap.png",
    "./Assets/Sprites/proto_missile.png",
    "./Assets/Sprites/proto_fuel.png",
    "./Assets/Sprites/endpoint.png",
    "./Assets/Sprites/proto_compassArrow.png",
    "./Assets/Sprites/arrow.png",
    "./Assets/Sprites/gameplayBackground.png",
    "./Assets/Sprites/proto_textBox.png",
    "./Assets/Sprites/Orrinth_WHITE.png",
    "./Assets/Sprites/Orrinth_RED.png",
    "./Assets/Sprites/spritesheet1.png",
    "./Assets/Sprites/map_demo.png",
    "./Assets/Sprites/audiologo-white.png",
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

const char* const errorImagePath = "./Assets/Sprites/error.png";

const char* const flameStripPaths[3] = {
    "./Assets/Sprites/ani_btmLoop.png",
    "./Assets/Sprites/ani_rightLoop.png",
    "./Assets/Sprites/ani_leftLoop.png",
};

const char* const appIconPath = "Assets/appicon.ico";

TS_Image spriteCache[SPRITE_COUNT] = {};
TS_Sound soundCache[SOUND_COUNT] = {};

TS_Image GetSpriteImage(int slot) {
    if (slot < 0 || slot >= SPRITE_COUNT) return nullptr;
    if (!spriteCache[slot]) {
        spriteCache[slot] = TS_Image_Load(spritePaths[slot]);
        if (!spriteCache[slot]) spriteCache[slot] = TS_Image_Load(errorImagePath);
    }
    return spriteCache[slot];
}

TS_Sound GetSound(int slot) {
    if (slot < 0 || slot >= SOUND_COUNT) return nullptr;
    if (!soundCache[slot]) soundCache[slot] = TS_Sound_Load(soundPaths[slot]);
    return soundCache[slot];
}

TS_Sound GetMusic(int slot) {
    if (slot < 0 || slot >= SOUND_COUNT) return nullptr;
    if (!soundCache[slot]) soundCache[slot] = TS_Sound_LoadMusic(soundPaths[slot]);
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
