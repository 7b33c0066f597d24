// Sprite and sound tables, the caches every screen shares, and the reading
// ahead behind the splash.
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

// Slots read ahead, which the screens' Free calls leave loaded.
bool spriteKept[SPRITE_COUNT] = {};
bool soundKept[SOUND_COUNT] = {};
TS_Image flameStrips[3] = {};
bool flameKept[3] = {};

enum PreloadKind {
    PRELOAD_SPRITE,
    PRELOAD_BACKGROUND,  // decoded on a helper thread and scaled to the window
    PRELOAD_LEVEL_SPRITES,
    PRELOAD_FLAME,  // decoded on a helper thread
    PRELOAD_MUSIC,
    PRELOAD_EFFECTS
};

struct PreloadPiece {
    PreloadKind kind;
    int index;  // sprite slot, flame strip or sound slot
};

// In the order the game needs them: the main menu first. A piece takes one
// frame or, for a large picture, as many frames as its decoding lasts.
const PreloadPiece kPreloadPieces[] = {
    {PRELOAD_BACKGROUND, SPRITE_MENU_BACKGROUND},
    {PRELOAD_SPRITE, SPRITE_LOGO},
    {PRELOAD_MUSIC, SOUND_MENU_MUSIC},
    {PRELOAD_BACKGROUND, SPRITE_GAMEPLAY_BACKGROUND},
    {PRELOAD_LEVEL_SPRITES, 0},
    {PRELOAD_FLAME, 0},
    {PRELOAD_FLAME, 1},
    {PRELOAD_FLAME, 2},
    {PRELOAD_MUSIC, SOUND_GAME_MUSIC},
    {PRELOAD_EFFECTS, 0},
};
const int kPreloadPieceCount = static_cast<int>(sizeof kPreloadPieces / sizeof kPreloadPieces[0]);
const int kMenuPieceCount = 3;  // the background, the logo and the menu's music
int nextPreloadPiece = 0;
TS_ImageLoad pictureAhead = nullptr;  // the current piece's picture, decoding

// What a level shows besides its background: the ship, the object kinds and
// the compass.
const int kLevelSprites[] = {SPRITE_PLAYER, SPRITE_ASTEROID,     SPRITE_WALL,    SPRITE_LASER_TRAP,
                             SPRITE_LASER,  SPRITE_MISSILE_TRAP, SPRITE_MISSILE, SPRITE_FUEL,
                             SPRITE_GOAL,   SPRITE_COMPASS_ARROW};

// A file under the asset root; false when the path does not fit the buffer
// (it then loads nothing, as a missing file does).
bool PathUnderRoot(const char* file, char* path, size_t size) {
    const int length = std::snprintf(path, size, "%s%s", assetRoot, file);
    return length >= 0 && static_cast<size_t>(length) < size;
}

TS_Image LoadUnderRoot(const char* file) {
    char path[1024];
    return PathUnderRoot(file, path, sizeof path) ? TS_Image_Load(path) : nullptr;
}

void KeepSprite(int slot) {
    GetSpriteImage(slot);
    spriteKept[slot] = true;
}

void KeepSound(int slot, bool music) {
    if (music) {
        GetMusic(slot);
    } else {
        GetSound(slot);
    }
    soundKept[slot] = soundCache[slot] != nullptr;
}

// Starts a piece: a small one is done at once, a large picture is left
// decoding in pictureAhead.
void StartPiece(const PreloadPiece& piece) {
    switch (piece.kind) {
        case PRELOAD_SPRITE: KeepSprite(piece.index); break;
        case PRELOAD_LEVEL_SPRITES:
            for (int slot : kLevelSprites) KeepSprite(slot);
            break;
        case PRELOAD_BACKGROUND: {
            char path[1024];
            if (spriteCache[piece.index] ||
                !PathUnderRoot(spriteFiles[piece.index], path, sizeof path)) {
                KeepSprite(piece.index);  // already there, or the error image
                break;
            }
            // Both backgrounds fill the window's height at their own aspect,
            // and their copy is made at the real pixels that covers.
            const float height =
                static_cast<float>(TS_System_GetWindowHeight()) * TS_System_GetLayoutScale();
            pictureAhead = TS_Image_LoadAhead(path, height);
            break;
        }
        case PRELOAD_FLAME:
            if (!flameStrips[piece.index]) {
                pictureAhead = TS_Image_LoadAhead(flameStripPaths[piece.index], 0.0f);
            }
            flameKept[piece.index] = true;
            break;
        case PRELOAD_MUSIC: KeepSound(piece.index, true); break;
        case PRELOAD_EFFECTS:
            for (int slot = 0; slot < SOUND_COUNT; ++slot) {
                if (slot != SOUND_MENU_MUSIC && slot != SOUND_GAME_MUSIC) KeepSound(slot, false);
            }
            break;
    }
}

// Puts a piece's decoded picture where the game looks for it.
void FinishPiece(const PreloadPiece& piece) {
    TS_Image image = TS_Image_LoadFinish(pictureAhead);
    pictureAhead = nullptr;
    // A screen that could not wait may have read the picture itself meanwhile.
    TS_Image& slot =
        piece.kind == PRELOAD_FLAME ? flameStrips[piece.index] : spriteCache[piece.index];
    if (slot) {
        TS_Image_Free(&image);
    } else {
        slot = image;
    }
    // A flame strip is only drawn a frame at a time: its texture is all it needs.
    if (piece.kind == PRELOAD_FLAME) TS_Image_ReleasePixels(slot);
    if (piece.kind != PRELOAD_FLAME) KeepSprite(piece.index);  // a missing one: the error image
}

// Moves the reading ahead on by one piece; `wait` finishes a picture still
// decoding instead of leaving it to a later frame. True once all is done.
bool PreloadAdvance(bool wait) {
    if (pictureAhead) {
        if (!wait && !TS_Image_LoadReady(pictureAhead)) return false;
        FinishPiece(kPreloadPieces[nextPreloadPiece++]);
        return nextPreloadPiece >= kPreloadPieceCount;
    }
    if (nextPreloadPiece >= kPreloadPieceCount) return true;
    StartPiece(kPreloadPieces[nextPreloadPiece]);
    if (!pictureAhead) ++nextPreloadPiece;
    return nextPreloadPiece >= kPreloadPieceCount;
}

// The caches hold pictures of one renderer and sounds of one audio device:
// when the framework shuts down they are emptied with them, so a later start
// loads everything afresh instead of drawing with textures that are gone.
// What the splash read ahead goes too.
void FreeCachesAtShutdown(void) { Assets_FreeAll(); }

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
    if (slot < 0 || slot >= SPRITE_COUNT || spriteKept[slot]) return;
    if (spriteCache[slot]) TS_Image_Free(&spriteCache[slot]);
    spriteCache[slot] = nullptr;
}

void FreeSpriteImages(void) {
    for (int slot = 0; slot < SPRITE_COUNT; ++slot) FreeSpriteImage(slot);
}

void FreeSound(int slot) {
    if (slot < 0 || slot >= SOUND_COUNT || soundKept[slot]) return;
    if (soundCache[slot]) TS_Sound_Free(soundCache[slot]);
    soundCache[slot] = nullptr;
}

void FreeSounds(void) {
    for (int slot = 0; slot < SOUND_COUNT; ++slot) FreeSound(slot);
}

bool Assets_PreloadStep(void) { return PreloadAdvance(false); }

void Assets_PreloadAll(void) {
    while (!PreloadAdvance(true)) {
    }
}

void Assets_PreloadMenus(void) {
    while (nextPreloadPiece < kMenuPieceCount) PreloadAdvance(true);
}

TS_Image Assets_FlameStrip(int strip) {
    if (strip < 0 || strip >= 3) return nullptr;
    if (!flameStrips[strip]) {
        flameStrips[strip] = TS_Image_Load(flameStripPaths[strip]);
        TS_Image_ReleasePixels(flameStrips[strip]);
    }
    return flameStrips[strip];
}

void FreeFlameStrip(int strip) {
    if (strip < 0 || strip >= 3 || flameKept[strip] || !flameStrips[strip]) return;
    TS_Image_Free(&flameStrips[strip]);
}

void Assets_FreeAll(void) {
    if (pictureAhead) FinishPiece(kPreloadPieces[nextPreloadPiece]);
    for (bool& kept : spriteKept) kept = false;
    for (bool& kept : soundKept) kept = false;
    for (bool& kept : flameKept) kept = false;
    FreeSpriteImages();
    FreeSounds();
    for (int strip = 0; strip < 3; ++strip) FreeFlameStrip(strip);
    nextPreloadPiece = 0;
}
