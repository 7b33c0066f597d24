// Settings file, control schemes and save paths.
#include "app/config.h"

#include <cstdio>
#include <cstring>

#include "app/safe_file.h"
#include "platform/native.h"
#include "platform/tessera.h"

UserConfig userConfig = {true, 100, 100, 2};

const int controlSchemeKeys[CONTROL_SCHEME_COUNT * 3] = {
    TS_KEY_A + ('W' - 'A'), TS_KEY_A, TS_KEY_A + ('D' - 'A'),  // WAD
    TS_KEY_UP, TS_KEY_LEFT, TS_KEY_RIGHT,                      // Arrow
    TS_KEY_SPACE, TS_KEY_LEFT, TS_KEY_RIGHT,                   // ArrowSpace
    TS_KEY_SPACE, TS_KEY_A, TS_KEY_A + ('D' - 'A'),            // Hybrid
};

const char* const controlSchemeNames[CONTROL_SCHEME_COUNT] = {"WAD", "Arrow", "ArrowSpace",
                                                               "Hybrid"};

const char* const controlSchemeHelp[CONTROL_SCHEME_COUNT] = {
    "W - Thrust    A - Turn Left    D - Turn Right",
    "Up Arrow - Thrust    Left Arrow - Turn Left    Right Arrow - Turn Right",
    "Space - Thrust    Left Arrow - Turn Left    Right Arrow - Turn Right",
    "Space - Thrust    A - Turn Left    D - Turn Right",
};

namespace {

SavePath settingsPath = {{0}, false};

int ClampInto(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

int SchemeKey(int action) {
    const int scheme = ClampInto(userConfig.controlScheme, 0, CONTROL_SCHEME_COUNT - 1);
    return controlSchemeKeys[3 * scheme + action];
}

bool SavePath_Ensure(SavePath* savePath, const char* fileName) {
    if (savePath->built) return true;
    if (Native_BuildSavePath(fileName, savePath->path, sizeof savePath->path)) {
        savePath->built = true;
    } else {
        savePath->path[0] = '\0';
    }
    return savePath->built;
}

bool Settings_Exists(void) {
    if (!SavePath_Ensure(&settingsPath, "user.cfg")) return false;
    FILE* file = std::fopen(settingsPath.path, "r");
    if (!file) return false;
    std::fclose(file);
    return true;
}

void Settings_Write(void) {
    if (!SavePath_Ensure(&settingsPath, "user.cfg")) return;
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d ", userConfig.fullscreen ? 1 : 0,
                  userConfig.sfxVolume, userConfig.musicVolume, userConfig.controlScheme);
    WriteFileSafely(settingsPath.path, text, std::strlen(text));
}

void Settings_Read(void) {
    if (!SavePath_Ensure(&settingsPath, "user.cfg")) return;
    if (!Settings_Exists()) {
        Settings_Write();
        return;
    }
    FILE* file = std::fopen(settingsPath.path, "r");
    if (!file) return;
    // Fields that are missing or unreadable keep their previous values.
    int value = 0;
    if (std::fscanf(file, "%d", &value) == 1) {
        userConfig.fullscreen = value != 0;
        if (std::fscanf(file, "%d", &value) == 1) {
            userConfig.sfxVolume = ClampInto(value, 0, 100);
            if (std::fscanf(file, "%d", &value) == 1) {
                userConfig.musicVolume = ClampInto(value, 0, 100);
                if (std::fscanf(file, "%d", &value) == 1) {
                    userConfig.controlScheme = ClampInto(value, 0, CONTROL_SCHEME_COUNT - 1);
                }
            }
        }
    }
    std::fclose(file);
}

void Settings_ResetForTests(void) {
    userConfig = UserConfig{true, 100, 100, 2};
    settingsPath = SavePath{{0}, false};
}
