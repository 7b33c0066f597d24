// Reading one line of a level file: settings, object and text records.
#include "level/level_line.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// One number as the level format writes it ("-120.000000"), with the usual
// leeway: leading white space, exponents. Infinity and not-a-number are
// refused, so they never reach the game.
bool ParseNumber(const char* text, float* value, const char** end) {
    char* stop = nullptr;
    const float parsed = std::strtof(text, &stop);
    if (stop == text || !std::isfinite(parsed)) return false;
    *value = parsed;
    *end = stop;
    return true;
}

}  // namespace

bool LevelLine_ParseUnsigned(const char* line, uint32_t* value) {
    if (line[0] == '\0') return false;
    const char* digits = line + 1;
    while (std::isspace(static_cast<unsigned char>(*digits))) ++digits;
    const bool negative = *digits == '-';
    char* stop = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(digits, &stop, 10);
    if (stop == digits || errno == ERANGE) return false;
    // A negative number wraps around as an unsigned one does; a number that
    // needs more than 32 bits is not a flags value.
    const unsigned long long magnitude = negative ? 0ULL - parsed : parsed;
    if (magnitude > UINT32_MAX) return false;
    *value = static_cast<uint32_t>(parsed);
    return true;
}

bool LevelLine_ParseFloat(const char* line, float* value) {
    if (line[0] == '\0') return false;
    const char* end = nullptr;
    return ParseNumber(line + 1, value, &end);
}

int LevelLine_ParseNumbers(const char* line, float values[LEVEL_LINE_NUMBERS], size_t* consumed) {
    *consumed = 0;
    if (line[0] == '\0') return 0;
    const char* cursor = line + 1;
    for (int i = 0; i < LEVEL_LINE_NUMBERS; ++i) {
        if (*cursor != ',') return i;
        const char* end = nullptr;
        if (!ParseNumber(cursor + 1, &values[i], &end)) return i;
        cursor = end;
    }
    *consumed = static_cast<size_t>(cursor - line);
    return LEVEL_LINE_NUMBERS;
}

bool LevelLine_Text(const char* line, size_t consumed, char out[LEVEL_TEXT_MAX + 1]) {
    const char* start = line;
    if (consumed == 0) {
        if (*start) ++start;  // past the 'T'
    } else {
        start = line + consumed;
        if (*start) ++start;  // the separator after the fifth number
    }
    // Lines come without their ends ("\r\n" files read the same as ours).
    size_t length = 0;
    while (start[length] && length < LEVEL_TEXT_MAX) ++length;
    const bool cut = start[length] != '\0';
    // A cut text ends before the character the limit would split.
    while (cut && length > 0 && (static_cast<unsigned char>(start[length]) & 0xC0) == 0x80) {
        --length;
    }
    std::memcpy(out, start, length);
    out[length] = '\0';
    return cut;
}
