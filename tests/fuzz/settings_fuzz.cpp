// Fuzzes the reading of user.cfg: the game's parser against a plain reference
// reader built on strtoll, and for a share of the inputs the real start-up read
// of the same bytes as a file, which must also leave that file as it was.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/text_file.h"
#include "fuzz_support.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "settings reading broken: %s\n", what);
    std::abort();
}

bool Same(const UserConfig& a, const UserConfig& b) {
    return a.fullscreen == b.fullscreen && a.sfxVolume == b.sfxVolume &&
           a.musicVolume == b.musicVolume && a.controlScheme == b.controlScheme;
}

bool InRange(const UserConfig& config) {
    return config.sfxVolume >= 0 && config.sfxVolume <= 100 && config.musicVolume >= 0 &&
           config.musicVolume <= 100 && config.controlScheme >= 0 &&
           config.controlScheme < CONTROL_SCHEME_COUNT;
}

long long Clamp(long long value, long long low, long long high) {
    return value < low ? low : (value > high ? high : value);
}

// The reading rule said the obvious way: strtoll takes white space, a sign and
// decimal digits, and reports no digits as no progress; its own saturation at
// the long long range is then narrowed to int's.
void ReferenceParse(const char* text, UserConfig* config) {
    long long values[4] = {0, 0, 0, 0};
    int count = 0;
    const char* cursor = text;
    while (count < 4) {
        char* end = nullptr;
        const long long value = std::strtoll(cursor, &end, 10);
        if (end == cursor) break;
        values[count++] = Clamp(value, INT_MIN, INT_MAX);
        cursor = end;
    }
    if (count > 0) config->fullscreen = values[0] != 0;
    if (count > 1) config->sfxVolume = static_cast<int>(Clamp(values[1], 0, 100));
    if (count > 2) config->musicVolume = static_cast<int>(Clamp(values[2], 0, 100));
    if (count > 3) config->controlScheme = static_cast<int>(Clamp(values[3], 0, 3));
}

// What reading the bytes as user.cfg must give: the error, and the settings
// from the defaults. UTF-16 (a byte-order mark, or a zero byte beside an ASCII
// one at the start) and files over the limit are refused whole; a UTF-8
// byte-order mark is not part of the text.
int ReferenceReadFile(const uint8_t* data, size_t size, UserConfig* config) {
    if (size > SETTINGS_FILE_LIMIT) return FILE_ERROR_TOO_LARGE;
    if (size >= 2) {
        const bool mark =
            (data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF);
        if (mark || (data[0] == 0) != (data[1] == 0)) return FILE_ERROR_UTF16;
    }
    size_t skip = 0;
    if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) skip = 3;
    const std::string text(reinterpret_cast<const char*>(data) + skip, size - skip);
    ReferenceParse(text.c_str(), config);  // the first NUL ends the text
    return 0;
}

std::string savedPath;

// A scratch save folder for the whole run, so the real reader has a file.
const std::string& ScratchConfigPath(void) {
    if (!savedPath.empty()) return savedPath;
    setenv("XDG_DATA_HOME", Fuzz_ScratchFolder().c_str(), 1);
    Settings_ResetForTests();
    SavePath path = {{0}, false};
    Check(SavePath_Ensure(&path, "user.cfg"), "no save path in the scratch folder");
    savedPath = path.path;
    return savedPath;
}

// Start-up reads the file as written, with its one-line complaints kept out of
// the fuzzer's output.
void CheckRealRead(const uint8_t* data, size_t size) {
    const std::string& path = ScratchConfigPath();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Fuzz_WriteFile(path, data, size);

    Settings_ResetForTests();
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) dup2(quiet, STDERR_FILENO);
    Settings_Read();
    std::fflush(stderr);
    if (saved >= 0) dup2(saved, STDERR_FILENO);
    if (quiet >= 0) close(quiet);
    if (saved >= 0) close(saved);

    UserConfig expected = {true, 100, 100, 2};
    const int error = ReferenceReadFile(data, size, &expected);
    Check(Settings_ReadError() == error, "start-up read error differs from the reference");
    Check(Same(userConfig, expected), "start-up read differs from the reference");
    Check(Fuzz_ReadFile(path) == bytes, "start-up changed an existing user.cfg");
    if (error) Check(Settings_Write() == error, "a save went over an unreadable user.cfg");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The parser sees the bytes as one text, ending at the first NUL, from
    // settings that are not the defaults, so kept fields show.
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const UserConfig start = {false, 37, 63, 1};
    UserConfig parsed = start;
    UserConfig expected = start;
    Settings_Parse(text.data(), &parsed);
    ReferenceParse(text.data(), &expected);
    Check(Same(parsed, expected), "parse differs from the reference");
    Check(InRange(parsed), "a value out of range");

    // The file round costs a few system calls: one input in four takes it.
    if (size > 0 && data[size - 1] % 4 == 0) CheckRealRead(data, size);
    return 0;
}
