// Fuzzes the replay reader against a plain reference reader written here from
// the replay format: the same scheme, events and bad lines for any file.

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/text_file.h"
#include "fuzz_support.h"
#include "world/replay.h"

namespace {

const std::string& ScratchFile() {
    static const std::string path = Fuzz_ScratchFolder() + "/in.replay";
    return path;
}

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "replay reader broken: %s\n", what);
    std::abort();
}

struct Reference {
    int scheme = REPLAY_DEFAULT_SCHEME;
    std::string levelName;
    bool hasHash = false;
    uint64_t hash = 0;
    float bestTime = 0.0f;
    long bestScore = -1;
    float parTime = 0.0f;
    std::vector<ReplayEvent> events;
    uint32_t badLines = 0;
    uint32_t firstBadLine = 0;
    std::string firstBadReason;

    void Bad(uint32_t line, const char* reason) {
        if (badLines++ == 0) {
            firstBadLine = line;
            firstBadReason = reason;
        }
    }
};

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line) {
        if (c == ' ' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

// A decimal number as C's strtol reads one, the whole word, within [low, high].
bool Number(const std::string& word, long low, long high, long* value) {
    size_t i = 0;
    while (i < word.size() && (word[i] == ' ' || (word[i] >= '\t' && word[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    if (i == word.size()) return false;
    long long magnitude = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9') return false;
        magnitude = std::min(magnitude * 10 + (word[i] - '0'), 1LL << 40);
    }
    const long long number = negative ? -magnitude : magnitude;
    if (number < low || number > high) return false;
    *value = static_cast<long>(number);
    return true;
}

// Sixteen hexadecimal digits, exactly.
bool Hash(const std::string& word, uint64_t* value) {
    if (word.size() != 16) return false;
    uint64_t hash = 0;
    for (char c : word) {
        const char* digits = "0123456789abcdef";
        const char lower = (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c;
        const char* at = std::strchr(digits, lower);
        if (!at || !lower) return false;
        hash = hash << 4 | static_cast<uint64_t>(at - digits);
    }
    *value = hash;
    return true;
}

// Seconds as strtof reads them, the whole word, finite and within [low, high].
bool Seconds(const std::string& word, float low, float high, float* value) {
    char* end = nullptr;
    errno = 0;
    const float seconds = std::strtof(word.c_str(), &end);
    if (errno != 0 || *end != '\0' || word.empty() || !(seconds >= low && seconds <= high)) {
        return false;
    }
    *value = seconds;
    return true;
}

// The level's name, its hash and a records file's bests; false for any other line.
bool ReadNamingLine(const std::vector<std::string>& words, uint32_t lineNumber, Reference* replay) {
    const std::string& first = words[0];
    if (first == "level") {
        if (words.size() != 2 || words[1].size() > 63) {
            replay->Bad(lineNumber, "level needs one name of up to 63 bytes");
        } else {
            replay->levelName = words[1];
        }
    } else if (first == "hash") {
        if (words.size() != 2 || !Hash(words[1], &replay->hash)) {
            replay->Bad(lineNumber, "hash needs 16 hexadecimal digits");
        } else {
            replay->hasHash = true;
        }
    } else if (first == "best-time") {
        if (words.size() != 2 || !Seconds(words[1], 0.001f, 1.0e7f, &replay->bestTime)) {
            replay->Bad(lineNumber, "best-time needs seconds above 0");
        }
    } else if (first == "par-time") {
        if (words.size() != 2 || !Seconds(words[1], 0.0f, 1.0e7f, &replay->parTime)) {
            replay->Bad(lineNumber, "par-time needs seconds");
        }
    } else if (first == "best-score") {
        if (words.size() != 2 || !Number(words[1], 0, INT32_MAX, &replay->bestScore)) {
            replay->Bad(lineNumber, "best-score needs a number from 0");
        }
    } else {
        return false;
    }
    return true;
}

void ReadLine(const std::string& whole, uint32_t lineNumber, Reference* replay) {
    if (whole.size() > 511) return replay->Bad(lineNumber, "line too long");
    if (whole.find('\0') != std::string::npos)
        return replay->Bad(lineNumber, "NUL byte in the line");
    const std::vector<std::string> words = Words(whole.substr(0, whole.find('#')));
    if (words.empty()) return;
    long scheme = 0, frame = 0, key = 0;
    if (words[0] == "scheme") {
        if (words.size() != 2 || !Number(words[1], 0, CONTROL_SCHEME_COUNT - 1, &scheme)) {
            return replay->Bad(lineNumber, "scheme needs one index from 0 to 3");
        }
        replay->scheme = static_cast<int>(scheme);
        return;
    }
    if (ReadNamingLine(words, lineNumber, replay)) return;
    if (!Number(words[0], 0, REPLAY_MAX_FRAME, &frame)) {
        return replay->Bad(lineNumber, "expected a frame number or 'scheme'");
    }
    if (words.size() < 2 || (words[1] != "down" && words[1] != "up")) {
        return replay->Bad(lineNumber, "expected 'down' or 'up' after the frame");
    }
    if (words.size() != 3 || !Number(words[2], 1, TS_KEY_COUNT - 1, &key)) {
        return replay->Bad(lineNumber, "expected one key code from 1 to 349");
    }
    replay->events.push_back(ReplayEvent{static_cast<int32_t>(frame), static_cast<int32_t>(key),
                                         static_cast<uint8_t>(words[1] == "down")});
}

bool LooksLikeUtf16(const std::string& file) {
    if (file.size() < 2) return false;
    const unsigned char a = file[0], b = file[1];
    return (a == 0xFF && b == 0xFE) || (a == 0xFE && b == 0xFF) || ((a == 0) != (b == 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    Fuzz_WriteFile(ScratchFile(), data, size);

    Replay replay;
    const int result = ReadReplayFile(ScratchFile().c_str(), &replay);
    if (LooksLikeUtf16(file)) {
        Check(result == FILE_ERROR_UTF16, "a UTF-16 file was not refused");
        Check(replay.count == 0, "a refused file left events");
        FreeReplay(&replay);
        return 0;
    }
    Check(result == 0, "reading failed");

    Reference expected;
    const std::vector<std::string> lines = Fuzz_SplitLines(file);
    for (size_t i = 0; i < lines.size(); ++i) {
        ReadLine(lines[i], static_cast<uint32_t>(i + 1), &expected);
    }
    std::stable_sort(expected.events.begin(), expected.events.end(),
                     [](const ReplayEvent& a, const ReplayEvent& b) { return a.frame < b.frame; });

    Check(replay.scheme == expected.scheme, "scheme differs");
    Check(expected.levelName == replay.levelName, "level name differs");
    Check((replay.hasLevelHash != 0) == expected.hasHash, "hash presence differs");
    Check(!expected.hasHash || replay.levelHash == expected.hash, "hash differs");
    Check(replay.bestTime == expected.bestTime, "best time differs");
    Check(replay.bestScore == expected.bestScore, "best score differs");
    Check(replay.parTime == expected.parTime, "par time differs");
    Check(replay.badLines == expected.badLines, "bad line count differs");
    Check(replay.firstBadLine == expected.firstBadLine, "first bad line differs");
    Check(expected.firstBadReason == replay.firstBadReason, "first bad reason differs");
    Check(replay.count == expected.events.size(), "event count differs");
    for (uint32_t i = 0; i < replay.count; ++i) {
        const ReplayEvent& got = replay.events[i];
        const ReplayEvent& want = expected.events[i];
        Check(got.frame == want.frame && got.key == want.key && got.down == want.down,
              "events differ");
    }
    FreeReplay(&replay);
    return 0;
}
