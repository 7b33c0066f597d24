// preferences.cfg: the preferences user.cfg has no room for, read with a size
// limit and written through a temporary file, like user.cfg.
#include "app/preferences.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/config.h"
#include "app/safe_file.h"
#include "app/text_file.h"

Preferences preferences = {true};

namespace {

const char* const kFileName = "preferences.cfg";
const Preferences kDefaults = {true};

SavePath preferencesPath = {{0}, false};
int readError = 0;  // why this run's file could not be read; it is then left alone

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// One line: a name, white space and a whole number.
void ParseLine(const char* line, Preferences* prefs) {
    while (IsSpace(*line)) ++line;
    const char* name = line;
    while (*line && !IsSpace(*line)) ++line;
    const size_t nameLength = static_cast<size_t>(line - name);
    while (IsSpace(*line)) ++line;
    const char* digits = *line == '-' || *line == '+' ? line + 1 : line;
    if (*digits < '0' || *digits > '9') return;
    // Any number of digits: strtol saturates, and only zero is off.
    const bool on = std::strtol(line, nullptr, 10) != 0;
    if (nameLength == 5 && std::strncmp(name, "ghost", 5) == 0) prefs->ghost = on;
}

// The whole file, parsed only when every byte could be read.
int ReadPreferencesFile(const char* path, Preferences* prefs) {
    TextFile file;
    int error = TextFile_Open(&file, path, PREFERENCES_FILE_LIMIT);
    if (error) return error;
    Preferences read = *prefs;
    char line[PREFERENCES_FILE_LIMIT + 2];
    size_t length = 0;
    bool cut = false;
    while (TextFile_ReadLine(&file, line, sizeof line, &length, &cut)) {
        if (std::strlen(line) != length) continue;  // a NUL inside: not a line of ours
        ParseLine(line, &read);
    }
    error = TextFile_Close(&file);
    if (error) return error;
    *prefs = read;
    return 0;
}

}  // namespace

void Preferences_Parse(const char* text, Preferences* prefs) {
    char line[256];
    while (*text) {
        const size_t length = std::strcspn(text, "\n");
        const size_t kept = length < sizeof line - 1 ? length : sizeof line - 1;
        std::memcpy(line, text, kept);
        line[kept] = '\0';
        ParseLine(line, prefs);
        text += length;
        if (*text == '\n') ++text;
    }
}

int Preferences_ReadError(void) { return readError; }

void Preferences_Read(void) {
    readError = 0;
    if (!SavePath_Ensure(&preferencesPath, kFileName)) return;
    int error = File_Exists(preferencesPath.path);
    if (error == ENOENT) return;
    if (error == 0) error = ReadPreferencesFile(preferencesPath.path, &preferences);
    if (error) {
        readError = error;
        preferences = kDefaults;
        std::fprintf(stderr,
                     "Vexal: could not read %s (%s); using the default preferences and leaving "
                     "the file as it is\n",
                     preferencesPath.path, FileError_Text(error));
    }
}

int Preferences_Write(void) {
    // Writing over a file we could not read would throw away what it holds.
    if (readError) return readError;
    if (!SavePath_Ensure(&preferencesPath, kFileName)) return ENOENT;
    char text[64];
    std::snprintf(text, sizeof text, "ghost %d\n", preferences.ghost ? 1 : 0);
    return WriteFileSafely(preferencesPath.path, text, std::strlen(text));
}

void Preferences_ResetForTests(void) {
    preferences = kDefaults;
    preferencesPath = SavePath{{0}, false};
    readError = 0;
}
