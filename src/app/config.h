// The player's settings (user.cfg), the four control schemes, and the rule
// for where save files live.
#pragma once

#include <cstddef>

struct UserConfig {
    bool fullscreen;
    int sfxVolume;    // 0..100, applied per sound effect
    int musicVolume;  // 0..100, applied to sound groups 0 and 1
    int controlScheme;  // 0..3, index into the scheme table
};

extern UserConfig userConfig;

enum { CONTROL_SCHEME_COUNT = 4 };
enum { ACTION_THRUST = 0, ACTION_TURN_LEFT = 1, ACTION_TURN_RIGHT = 2 };

// Scheme s, action a is entry 3 s + a.
extern const int controlSchemeKeys[CONTROL_SCHEME_COUNT * 3];
extern const char* const controlSchemeNames[CONTROL_SCHEME_COUNT];
extern const char* const controlSchemeHelp[CONTROL_SCHEME_COUNT];

// The key of an action in the player's current scheme.
int SchemeKey(int action);

enum { SAVE_PATH_SIZE = 260 };

// A save file's path, built once per run on first use. When building fails the
// path stays empty and the flag false, so file operations on it fail quietly.
struct SavePath {
    char path[SAVE_PATH_SIZE];
    bool built;
};

bool SavePath_Ensure(SavePath* savePath, const char* fileName);

// Settings file. Reading clamps what it finds into range; writing goes to a
// temporary file that replaces user.cfg only once complete.
void Settings_Read(void);
void Settings_Write(void);
bool Settings_Exists(void);
void Settings_ResetForTests(void);  // defaults, and forget the built path
