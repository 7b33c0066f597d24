// Reading a level file into a Level, and releasing a Level.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "level/level.h"
#include "level/level_line.h"

namespace {

// Everything the reader carries from one line to the next. The five numbers
// are kept for the whole file: a line that gives fewer of them takes the rest
// from the previous object or text line.
struct ReadState {
    Level* level;
    bool substituteKeys;
    float numbers[LEVEL_LINE_NUMBERS];  // x, y, rotation, width, height
    uint64_t objectLines;               // object lines seen, ignored goals included
};

void ReadSetting(const char* line, Level* level) {
    switch (line[0]) {
        case '/': LevelLine_ParseUnsigned(line, &level->flags); break;
        case '.': LevelLine_ParseFloat(line, &level->parTime); break;
        case '%': LevelLine_ParseFloat(line, &level->startFuel); break;
        case '^': LevelLine_ParseFloat(line, &level->startRotation); break;
        default: break;
    }
}

// A text fills the next free slot; when every slot is taken the line is
// skipped and leaves the bounds alone.
void ReadText(const char* line, size_t consumed, ReadState* state) {
    Level* level = state->level;
    uint64_t slot = 0;
    while (slot < level->textCapacity && level->texts[slot]) ++slot;
    if (slot == level->textCapacity) return;

    char text[LEVEL_TEXT_MAX + 1];
    LevelLine_Text(line, consumed, text);
    if (state->substituteKeys) SubstituteKeyNames(text);

    const float* numbers = state->numbers;
    TextObject* object = CreateTextObject(text, std::strlen(text) + 1);
    if (object) {
        object->position = TS_Vec2{numbers[0], numbers[1]};
        object->rotation = numbers[2];
        object->width = numbers[3];
        object->textSize = numbers[4];
        TextObject_UpdateWidth(object);
        level->texts[slot] = object;
    }
    Bounds_Include(&level->bounds, TS_Vec2{numbers[0], numbers[1]},
                   TS_Vec2{numbers[3], numbers[4]});
}

// Only the first goal of a file counts; later ones still take up an object
// line and stretch the bounds. Once every object slot has had its line,
// further objects are ignored, but a level's first goal is still read: a
// saved level holds up to a full table of objects followed by its goal.
void ReadObject(const char* line, ObjectKind kind, ReadState* state) {
    Level* level = state->level;
    const bool tableFull = state->objectLines >= level->objectCapacity;
    if (tableFull && (kind != KIND_GOAL || level->goal)) return;

    size_t consumed = 0;
    LevelLine_ParseNumbers(line, state->numbers, &consumed);
    const float* numbers = state->numbers;
    const TS_Vec2 position = TS_Vec2{numbers[0], numbers[1]};
    const TS_Vec2 size = TS_Vec2{numbers[3], numbers[4]};
    if (kind == KIND_GOAL) {
        if (!level->goal) level->goal = CreateLevelObject(KIND_GOAL, position, numbers[2], size);
    } else {
        level->objects[state->objectLines] = CreateLevelObject(kind, position, numbers[2], size);
    }
    Bounds_Include(&level->bounds, position, size);
    if (!tableFull) state->objectLines += 1;
}

void ReadLine(const char* line, ReadState* state) {
    const char type = line[0];
    if (type == '/' || type == '.' || type == '%' || type == '^') {
        ReadSetting(line, state->level);
    } else if (type == 'T') {
        size_t consumed = 0;
        LevelLine_ParseNumbers(line, state->numbers, &consumed);
        ReadText(line, consumed, state);
    } else if (KindFromChar(type) != KIND_NONE) {
        ReadObject(line, KindFromChar(type), state);
    }
}

}  // namespace

void InitLevel(Level* level) {
    level->flags = 0;
    level->bounds = Bounds{0.0f, 0.0f, 0.0f, 0.0f};
    level->objects = nullptr;
    level->goal = nullptr;
    level->objectCapacity = 0;
    level->texts = nullptr;
    level->textCapacity = 0;
    level->parTime = 0.0f;
    level->startFuel = 100.0f;
    level->startRotation = 0.0f;
}

int ReadLevelFile(const char* path, Level* level, bool substituteKeys) {
    InitLevel(level);
    level->objects = static_cast<LevelObject**>(std::calloc(LEVEL_OBJECT_SLOTS, sizeof(LevelObject*)));
    if (!level->objects) return -1;
    level->texts = static_cast<TextObject**>(std::calloc(LEVEL_TEXT_SLOTS, sizeof(TextObject*)));
    if (!level->texts) {
        std::free(level->objects);
        level->objects = nullptr;
        return -1;
    }
    level->objectCapacity = LEVEL_OBJECT_SLOTS;
    level->textCapacity = LEVEL_TEXT_SLOTS;
    // The ship's 65 x 65 box around the origin, where it starts.
    level->bounds = Bounds{-32.5f, -32.5f, 32.5f, 32.5f};

    errno = 0;
    FILE* file = std::fopen(path, "r");
    if (!file) return errno ? errno : EIO;

    ReadState state = {level, substituteKeys, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f}, 0};
    char* line = nullptr;
    size_t lineSize = 0;
    while (LevelLine_Read(file, &line, &lineSize)) {
        ReadLine(line, &state);
    }
    const int readError = std::ferror(file) ? (errno ? errno : EIO) : 0;
    std::free(line);
    std::fclose(file);
    return readError;
}

void FreeLevel(Level* level) {
    if (level->objects) {
        for (uint64_t i = 0; i < level->objectCapacity; ++i) FreeLevelObject(level->objects[i]);
        std::free(level->objects);
        level->objects = nullptr;
    }
    if (level->texts) {
        FreeTextObjects(level->texts, level->textCapacity);
        std::free(level->texts);
        level->texts = nullptr;
    }
    FreeLevelObject(level->goal);
    level->goal = nullptr;
}
