// Fuzzes the level reader and writer: any file reads without harm (or is
// refused as UTF-16), reads only finite numbers, agrees with a plain reference
// reading of its lines, and what the writer makes of it reads back the same.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/text_file.h"
#include "fuzz_support.h"
#include "level/level.h"
#include "level/level_line.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "level round trip broken: %s\n", what);
    std::abort();
}

void CheckObject(const LevelObject* entry) {
    const GameObject* object = entry->object;
    Check(std::isfinite(object->position.x) && std::isfinite(object->position.y) &&
              std::isfinite(object->rotation) && std::isfinite(object->size.x) &&
              std::isfinite(object->size.y),
          "object with a non-finite number");
}

// Everything a read level holds is within its limits and finite.
int CheckLevel(const Level& level) {
    Check(std::isfinite(level.parTime) && std::isfinite(level.startFuel) &&
              std::isfinite(level.startRotation),
          "non-finite setting");
    Check(std::isfinite(level.bounds.minX) && std::isfinite(level.bounds.minY) &&
              std::isfinite(level.bounds.maxX) && std::isfinite(level.bounds.maxY),
          "non-finite bounds");
    int objects = 0;
    for (uint64_t i = 0; i < level.objectCapacity; ++i) {
        if (!level.objects[i]) continue;
        Check(level.objects[i]->kind != KIND_GOAL, "goal in the object table");
        CheckObject(level.objects[i]);
        ++objects;
    }
    if (level.goal) CheckObject(level.goal);
    for (uint64_t i = 0; i < level.textCapacity; ++i) {
        const TextObject* text = level.texts[i];
        if (!text) continue;
        Check(std::strlen(text->text) <= LEVEL_TEXT_MAX, "text too long");
        Check(std::isfinite(text->width) && std::isfinite(text->textSize), "non-finite text");
    }
    return objects;
}

// The file with the width of every text left out: a text's width is worked
// out again from its size, which the first write has rounded to six decimals.
std::string WithoutTextWidths(const std::string& file) {
    std::string result;
    size_t start = 0;
    while (start < file.size()) {
        size_t end = file.find('\n', start);
        if (end == std::string::npos) end = file.size();
        std::string line = file.substr(start, end - start);
        if (!line.empty() && line[0] == 'T') {
            size_t comma = 0;
            for (int i = 0; i < 4 && comma != std::string::npos; ++i)
                comma = line.find(',', comma + 1);
            const size_t next = comma == std::string::npos ? comma : line.find(',', comma + 1);
            if (next != std::string::npos) line.erase(comma + 1, next - comma - 1);
        }
        result += line;
        result += '\n';
        start = end + 1;
    }
    return result;
}

int TextCount(const Level& level) {
    int count = 0;
    for (uint64_t i = 0; i < level.textCapacity; ++i) count += level.texts[i] ? 1 : 0;
    return count;
}

// What a plain reading of the raw bytes says the level holds.
struct ReferenceLevel {
    uint32_t flags = 0;
    int objects = 0;
    bool goal = false;
    int texts = 0;
};

// The lines of a level file as the reader keeps them: each cut at the line
// buffer and at a NUL byte.
std::vector<std::string> SplitLines(const std::string& file) {
    std::vector<std::string> lines = Fuzz_SplitLines(file);
    for (std::string& line : lines) {
        line.resize(std::min<size_t>(line.size(), LEVEL_LINE_BUFFER - 1));
        line = line.substr(0, line.find('\0'));
    }
    return lines;
}

// "/N": white space, a sign, decimal digits; a magnitude past 32 bits, or no
// digits at all, leaves the flags as they were. Negative numbers wrap.
void ReferenceFlags(const std::string& line, uint32_t* flags) {
    size_t i = 1;
    while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    uint64_t magnitude = 0;
    size_t digits = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i, ++digits) {
        magnitude = std::min<uint64_t>(magnitude * 10 + static_cast<uint64_t>(line[i] - '0'),
                                       uint64_t{1} << 33);
    }
    if (digits == 0 || magnitude > UINT32_MAX) return;
    const uint32_t value = static_cast<uint32_t>(magnitude);
    *flags = negative ? 0u - value : value;
}

// A hundred object lines fill the table (goal lines count); the first goal
// line anywhere gives the goal; twenty texts at most.
ReferenceLevel ReadReference(const std::string& file) {
    ReferenceLevel level;
    int objectLines = 0;
    for (const std::string& line : SplitLines(file)) {
        if (line.empty()) continue;
        const char type = line[0];
        if (type == '/') {
            ReferenceFlags(line, &level.flags);
        } else if (type == 'T') {
            level.texts = std::min<int>(level.texts + 1, LEVEL_TEXT_SLOTS);
        } else if (std::strchr("AFLMWE", type)) {
            if (type == 'E') level.goal = true;
            if (objectLines < LEVEL_OBJECT_SLOTS) {
                objectLines += 1;
                if (type != 'E') level.objects += 1;
            }
        }
    }
    return level;
}

bool LooksLikeUtf16(const uint8_t* data, size_t size) {
    if (size < 2) return false;
    return (data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF) ||
           ((data[0] == 0) != (data[1] == 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& folder = Fuzz_ScratchFolder();
    const std::string in = folder + "/in.vexl";
    const std::string first = folder + "/first.vexl";
    const std::string second = folder + "/second.vexl";
    Fuzz_WriteFile(in, data, size);

    Level read;
    const int result = ReadLevelFile(in.c_str(), &read, false);
    if (size > LEVEL_FILE_MAX_BYTES || LooksLikeUtf16(data, size)) {
        Check(result == (size > LEVEL_FILE_MAX_BYTES ? FILE_ERROR_TOO_LARGE : FILE_ERROR_UTF16),
              "a file that is no level was not refused");
        Check(CheckLevel(read) == 0 && !read.goal && TextCount(read) == 0 && read.flags == 0,
              "a refused file left something of the level");
        FreeLevel(&read);
        return 0;
    }
    Check(result == 0, "reading the input failed");
    const int objects = CheckLevel(read);
    const ReferenceLevel reference =
        ReadReference(std::string(reinterpret_cast<const char*>(data), size));
    Check(objects == reference.objects, "object count differs from the reference");
    Check((read.goal != nullptr) == reference.goal, "goal differs from the reference");
    Check(TextCount(read) == reference.texts, "text count differs from the reference");
    Check(read.flags == reference.flags, "flags differ from the reference");
    Check(WriteLevelFile(first.c_str(), &read) == 0, "first write failed");

    Level again;
    Check(ReadLevelFile(first.c_str(), &again, false) == 0, "reading the written file failed");
    Check(CheckLevel(again) == objects, "object count changed");
    Check((again.goal != nullptr) == (read.goal != nullptr), "goal lost or gained");
    Check(TextCount(again) == TextCount(read), "text count changed");
    Check(again.flags == read.flags, "flags changed");
    for (uint64_t i = 0, j = 0; i < read.textCapacity; ++i) {
        if (!read.texts[i]) continue;
        Check(std::strcmp(read.texts[i]->text, again.texts[j++]->text) == 0, "text changed");
    }
    // Numbers are written to six decimals, so the first write already holds
    // the level as it will stay (text widths are worked out anew once more).
    Check(WriteLevelFile(second.c_str(), &again) == 0, "second write failed");
    const std::string firstFile = Fuzz_ReadFile(first);
    const std::string secondFile = Fuzz_ReadFile(second);
    Check(WithoutTextWidths(firstFile) == WithoutTextWidths(secondFile),
          "second write differs from the first");
    Level third;
    Check(ReadLevelFile(second.c_str(), &third, false) == 0, "reading the second file failed");
    Check(WriteLevelFile(second.c_str(), &third) == 0, "third write failed");
    Check(Fuzz_ReadFile(second) == secondFile, "third write differs from the second");
    FreeLevel(&third);

    // Reading for play expands placeholders and never makes a text longer.
    Level played;
    Check(ReadLevelFile(in.c_str(), &played, true) == 0, "reading for play failed");
    for (uint64_t i = 0; i < played.textCapacity; ++i) {
        if (!played.texts[i]) continue;
        Check(std::strlen(played.texts[i]->text) <= std::strlen(read.texts[i]->text),
              "substitution made a text longer");
    }

    FreeLevel(&played);
    FreeLevel(&again);
    FreeLevel(&read);
    return 0;
}
