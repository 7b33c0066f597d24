// The game's fixed asset tables, the caches that load each slot on first use,
// and the reading ahead that fills them before the screens need them.
#pragma once

#include "platform/tessera.h"

enum { SPRITE_COUNT = 21, SOUND_COUNT = 9 };

enum SpriteSlot {
    SPRITE_LOGO = 0,
    SPRITE_MENU_BACKGROUND = 1,
    SPRITE_PLACEHOLDER = 2,
    SPRITE_PLAYER = 3,
    SPRITE_ASTEROID = 4,
    SPRITE_WALL = 5,
    SPRITE_LASER_TRAP = 6,
    SPRITE_LASER = 7,
    SPRITE_MISSILE_TRAP = 8,
    SPRITE_MISSILE = 9,
    SPRITE_FUEL = 10,
    SPRITE_GOAL = 11,
    SPRITE_COMPASS_ARROW = 12,
    SPRITE_ARROW = 13,
    SPRITE_GAMEPLAY_BACKGROUND = 14,
    SPRITE_TEXT_BOX = 15,
    SPRITE_STUDIO_WHITE = 16,
    SPRITE_STUDIO_RED = 17,
    SPRITE_SHEET = 18,
    SPRITE_MAP_DEMO = 19,
    SPRITE_AUDIO_LOGO = 20
};

enum SoundSlot {
    SOUND_MENU_MUSIC = 0,
    SOUND_GAME_MUSIC = 1,
    SOUND_THRUSTER = 2,
    SOUND_ADJUSTER = 3,
    SOUND_COLLISION = 4,
    SOUND_FUEL_PICKUP = 5,
    SOUND_WARNING = 6,
    SOUND_WIN_SPIN = 7,
    SOUND_WIN_WHOOSH = 8
};

// The sprite table and the error image are files under the asset root,
// defaultAssetRoot ("./Assets/") unless a test has pointed it elsewhere.
extern const char* const defaultAssetRoot;
extern const char* const spriteFiles[SPRITE_COUNT];
extern const char* const errorImageFile;
extern const char* const soundPaths[SOUND_COUNT];
extern const char* const flameStripPaths[3];  // bottom, right, left
extern const char* const appIconPath;

extern TS_Image spriteCache[SPRITE_COUNT];
extern TS_Sound soundCache[SOUND_COUNT];

// Reads the sprite table from `root` (ending in '/', kept by the caller) so
// that a test can work on its own copy of the pictures; null puts back
// defaultAssetRoot. Images already cached stay as they are.
void Assets_SetRootForTests(const char* root);

// The slot's image, loaded on first use; a missing file becomes the error image.
TS_Image GetSpriteImage(int slot);
// The slot's sound, loaded on first use; null when the file is missing.
TS_Sound GetSound(int slot);
// The music slots load whole tracks.
TS_Sound GetMusic(int slot);

// A screen gives back what it used; what was read ahead stays (see below).
void FreeSpriteImage(int slot);
void FreeSpriteImages(void);
void FreeSound(int slot);
void FreeSounds(void);

// Reading ahead. While the splash shows its logos, the game reads the
// pictures and sounds the menus and the levels use, a piece a frame (the
// large pictures decoded on a helper thread), and scales both backgrounds to
// the window, so that no screen stalls on the disk when it opens. What was
// read ahead stays for the whole run, about 180 MB at 1920 x 1080: the flame
// strips 96 MB, the two backgrounds with their scaled copies 66 MB, the music
// 12 MB. The Free functions above leave it alone.
//
// Does the next piece; true once everything has been read.
bool Assets_PreloadStep(void);
// Everything not read ahead yet, at once.
void Assets_PreloadAll(void);
// At once, only what the main menu shows that is not read ahead yet; the
// rest is then read when first needed, as without reading ahead.
void Assets_PreloadMenus(void);
// The ship's flame strip (0 bottom, 1 right, 2 left), read on first use;
// null when the file is missing. Freeing leaves it loaded once read ahead.
TS_Image Assets_FlameStrip(int strip);
void FreeFlameStrip(int strip);
// Frees every picture and sound, what was read ahead included, so that the
// next reading ahead starts from nothing (the end of the run, and tests).
void Assets_FreeAll(void);
