// Reading a level file into a Level, and releasing a Level.
#include <cstdlib>
#include <cstring>

#include "app/text_file.h"
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
// skipped and leaves the bounds alone. Returns -1 when memory runs out.
int ReadText(const char* line, size_t consumed, ReadState* state) {
    Level* level = state->level;
    uint64_t slot = 0;
    while (slot < level->textCapacity && level->texts[slot]) ++slot;
    if (slot == level->textCapacity) return 0;

    char text[LEVEL_TEXT_MAX + 1];
    LevelLine_Text(line, consumed, text);
    if (state->substituteKeys) SubstituteKeyNames(text);

    const float* numbers = state->numbers;
    TextObject* object = CreateTextObject(text, std::strlen(text) + 1);
    if (!object) return FILE_ERROR_NO_MEMORY;
    object->position = TS_Vec2{numbers[0], numbers[1]};
    object->rotation = numbers[2];
    object->width = numbers[3];
    object->textSize = numbers[4];
    TextObject_UpdateWidth(object);
    level->texts[slot] = object;
    // The box as the file gives it, with the width written there: the same
    // file has the same bounds whatever key names its placeholders become.
    Bounds_Include(&level->bounds, TS_Vec2{numbers[0], numbers[1]},
                   TS_Vec2{numbers[3], numbers[4]});
    return 0;
}

// Only the first goal of a file counts; later ones still take up an object
// line and stretch the bounds. Once every object slot has had its line,
// further objects are ignored, but a level's first goal is still read: a
// saved level holds up to a full table of objects followed by its goal.
// Returns -1 when memory runs out: a level missing a wall is not the level.
int ReadObject(const char* line, ObjectKind kind, ReadState* state) {
    Level* level = state->level;
    const bool tableFull = state->objectLines >= level->objectCapacity;
    if (tableFull && (kind != KIND_GOAL || level->goal)) return 0;

    size_t consumed = 0;
    LevelLine_ParseNumbers(line, state->numbers, &consumed);
    const float* numbers = state->numbers;
    const TS_Vec2 position = TS_Vec2{numbers[0], numbers[1]};
    const TS_Vec2 size = TS_Vec2{numbers[3], numbers[4]};
    if (kind == KIND_GOAL) {
        if (!level->goal) {
            level->goal = CreateLevelObject(KIND_GOAL, position, numbers[2], size);
            if (!level->goal) return FILE_ERROR_NO_MEMORY;
        }
    } else {
        LevelObject* object = CreateLevelObject(kind, position, numbers[2], size);
        if (!object) return FILE_ERROR_NO_MEMORY;
        level->objects[state->objectLines] = object;
    }
    Bounds_Include(&level->bounds, position, size);
    if (!tableFull) state->objectLines += 1;
    return 0;
}

// A NUL byte ends what the records see of a line, as it ends a C string.
int ReadLine(const char* line, ReadState* state) {
    const char type = line[0];
    if (type == '/' || type == '.' || type == '%' || type == '^') {
        ReadSetting(line, state->level);
    } else if (type == 'T') {
        size_t consumed = 0;
        LevelLine_ParseNumbers(line, state->numbers, &consumed);
        return ReadText(line, consumed, state);
    } else if (KindFromChar(type) != KIND_NONE) {
        return ReadObject(line, KindFromChar(type), state);
    }
    return 0;
}

// Drops whatever was read before an error: the player never gets half a
// level, and the Level looks as it does after a file that would not open.
void EmptyLevel(Level* level) {
    for (uint64_t i = 0; i < level->objectCapacity; ++i) {
        FreeLevelObject(level->objects[i]);
        level->objects[i] = nullptr;
    }
    FreeTextObjects(level->texts, level->textCapacity);
    FreeLevelObject(level->goal);
    level->goal = nullptr;
    level->flags = 0;
    level->parTime = 0.0f;
    level->startFuel = 100.0f;
    level->startRotation = 0.0f;
    level->bounds = Level_ComputeBounds(level);
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
    level->objects =
        static_cast<LevelObject**>(std::calloc(LEVEL_OBJECT_SLOTS, sizeof(LevelObject*)));
    if (!level->objects) return -1;
    level->texts = static_cast<TextObject**>(std::calloc(LEVEL_TEXT_SLOTS, sizeof(TextObject*)));
    if (!level->texts) {
        std::free(level->objects);
        level->objects = nullptr;
        return -1;
    }
    level->objectCapacity = LEVEL_OBJECT_SLOTS;
    level->textCapacity = LEVEL_TEXT_SLOTS;
    // The empty level's bounds, the ship's start box; each line read stretches them.
    level->bounds = Level_ComputeBounds(level);

    TextFile file;
    const int openError = TextFile_Open(&file, path, LEVEL_FILE_MAX_BYTES);
    if (openError) return openError;

    ReadState state = {level, substituteKeys, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f}, 0};
    char line[LEVEL_LINE_BUFFER];
    size_t length = 0;
    bool cut = false;
    int error = 0;
    while (error == 0 && TextFile_ReadLine(&file, line, sizeof line, &length, &cut)) {
        error = ReadLine(line, &state);
    }
    const int readError = TextFile_Close(&file);
    if (error == 0) error = readError;
    if (error) EmptyLevel(level);
    return error;
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
