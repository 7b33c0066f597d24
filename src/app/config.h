// The player's settings (user.cfg), the four control schemes, and the rule
// for where save files live.
#pragma once

#include <cstddef>

struct UserConfig {
    bool fullscreen;
    int sfxVolume;      // 0..100, applied per sound effect
    int musicVolume;    // 0..100, applied to both music sound groups
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
//
// A user.cfg that exists but cannot be read (no permission, a folder, a FIFO,
// far too large, a failing disk) is never replaced: the game runs on the
// defaults, says why on standard error, and Settings_Write leaves the file
// alone and returns that reason. A missing user.cfg is created with the
// defaults.
enum { SETTINGS_FILE_LIMIT = 4096 };  // bytes; a larger user.cfg counts as unreadable

void Settings_Read(void);
int Settings_Write(void);           // 0, or why user.cfg was not written (an errno value)
int Settings_ReadError(void);       // 0, or why user.cfg could not be read this run
bool Settings_Exists(void);         // anything at the path, readable or not
void Settings_ResetForTests(void);  // defaults, no read error, and forget the built path

// Reads the four fields from `text` into `config`, in order: fullscreen (any
// non-zero number is on), the sound effects and music volumes (clamped to
// 0..100) and the control scheme (clamped to 0..3). Each field is white space,
// an optional sign and at least one digit; the number saturates at the int
// range. The first field without digits ends the reading, and it and the
// fields after it keep their values. What follows the digits of a field is
// not checked: the next field starts there.
void Settings_Parse(const char* text, UserConfig* config);
