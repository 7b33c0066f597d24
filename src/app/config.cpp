// Settings file, control schemes and save paths.
#include "app/config.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "app/safe_file.h"
#include "app/text_file.h"
#include "platform/native.h"
#include "platform/tessera.h"

UserConfig userConfig = {true, 100, 100, 2};

const int controlSchemeKeys[CONTROL_SCHEME_COUNT * 3] = {
    TS_KEY_W,     TS_KEY_A,    TS_KEY_D,      // WAD
    TS_KEY_UP,    TS_KEY_LEFT, TS_KEY_RIGHT,  // Arrow
    TS_KEY_SPACE, TS_KEY_LEFT, TS_KEY_RIGHT,  // ArrowSpace
    TS_KEY_SPACE, TS_KEY_A,    TS_KEY_D,      // Hybrid
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
int readError = 0;  // why this run's user.cfg could not be read; it is then left alone

int ClampInto(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

bool IsFieldSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// One field at `*cursor`: white space, an optional sign, then digits. False
// when there are no digits. A hand-edited file may hold any number of digits,
// so the value saturates at the int range instead of overflowing.
bool ReadField(const char** cursor, int* value) {
    const char* c = *cursor;
    while (IsFieldSpace(*c)) ++c;
    bool negative = false;
    if (*c == '+' || *c == '-') {
        negative = *c == '-';
        ++c;
    }
    if (*c < '0' || *c > '9') return false;
    const long long cap = static_cast<long long>(INT_MAX) + 1;  // enough for INT_MIN too
    long long magnitude = 0;
    for (; *c >= '0' && *c <= '9'; ++c) {
        magnitude = magnitude * 10 + (*c - '0');
        if (magnitude > cap) magnitude = cap;
    }
    if (negative) {
        *value = static_cast<int>(-magnitude);  // -cap is INT_MIN itself
    } else {
        *value = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
    }
    *cursor = c;
    return true;
}

// The whole of user.cfg as one text (its lines joined by '\n', which reads
// like any other line end), parsed into `config` only when every byte could be
// read: a file that fails half-way is unreadable, not half-applied.
int ReadSettingsFile(const char* path, UserConfig* config) {
    TextFile file;
    int error = TextFile_Open(&file, path, SETTINGS_FILE_LIMIT);
    if (error) return error;
    // The size limit bounds the text: no line is cut and the joined lines fit.
    char text[SETTINGS_FILE_LIMIT + 2];
    char line[SETTINGS_FILE_LIMIT + 2];
    size_t used = 0;
    size_t length = 0;
    bool cut = false;
    while (TextFile_ReadLine(&file, line, sizeof line, &length, &cut)) {
        if (used + length + 1 >= sizeof text) break;
        if (used > 0) text[used++] = '\n';
        std::memcpy(text + used, line, length);
        used += length;
    }
    text[used] = '\0';
    error = TextFile_Close(&file);
    if (error) return error;
    Settings_Parse(text, config);
    return 0;
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
    return File_Exists(settingsPath.path) != ENOENT;
}

int Settings_ReadError(void) { return readError; }

int Settings_Write(void) {
    // Writing over a file we could not read would throw away whatever the
    // player keeps there.
    if (readError) return readError;
    if (!SavePath_Ensure(&settingsPath, "user.cfg")) return ENOENT;
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d ", userConfig.fullscreen ? 1 : 0,
                  userConfig.sfxVolume, userConfig.musicVolume, userConfig.controlScheme);
    return WriteFileSafely(settingsPath.path, text, std::strlen(text));
}

void Settings_Parse(const char* text, UserConfig* config) {
    const char* cursor = text;
    int value = 0;
    if (!ReadField(&cursor, &value)) return;
    config->fullscreen = value != 0;
    if (!ReadField(&cursor, &value)) return;
    config->sfxVolume = ClampInto(value, 0, 100);
    if (!ReadField(&cursor, &value)) return;
    config->musicVolume = ClampInto(value, 0, 100);
    if (!ReadField(&cursor, &value)) return;
    config->controlScheme = ClampInto(value, 0, CONTROL_SCHEME_COUNT - 1);
}

void Settings_Read(void) {
    readError = 0;
    if (!SavePath_Ensure(&settingsPath, "user.cfg")) {
        std::fprintf(stderr, "Vexal: no save folder for user.cfg; settings last until you quit\n");
        return;
    }
    // Whether the file is there is the file system's answer, not whether it
    // opened: an unreadable file is still the player's file.
    int error = File_Exists(settingsPath.path);
    if (error == ENOENT) {
        error = Settings_Write();
        if (error) {
            std::fprintf(stderr, "Vexal: could not create %s (%s)\n", settingsPath.path,
                         FileError_Text(error));
        }
        return;
    }
    if (error == 0) error = ReadSettingsFile(settingsPath.path, &userConfig);
    if (error) {
        readError = error;
        std::fprintf(stderr,
                     "Vexal: could not read %s (%s); using the default settings and leaving "
                     "the file as it is\n",
                     settingsPath.path, FileError_Text(error));
    }
}

void Settings_ResetForTests(void) {
    userConfig = UserConfig{true, 100, 100, 2};
    settingsPath = SavePath{{0}, false};
    readError = 0;
}
