// Writing a Level to a level file, all or nothing.
#include <cerrno>
#include <cstdio>

#include "app/safe_file.h"
#include "level/level.h"

namespace {

// Each returns false as soon as the stream reports a failed write.
bool WriteObjectLine(FILE* stream, char type, const GameObject* object) {
    return std::fprintf(
               stream, "%c,%f,%f,%f,%f,%f\n", type, static_cast<double>(object->position.x),
               static_cast<double>(object->position.y), static_cast<double>(object->rotation),
               static_cast<double>(object->size.x), static_cast<double>(object->size.y)) >= 0;
}

bool WriteTextLine(FILE* stream, const TextObject* text) {
    return std::fprintf(stream, "T,%f,%f,%f,%f,%f,%s\n", static_cast<double>(text->position.x),
                        static_cast<double>(text->position.y), static_cast<double>(text->rotation),
                        static_cast<double>(text->width), static_cast<double>(text->textSize),
                        text->text ? text->text : "") >= 0;
}

bool WriteLines(FILE* stream, const Level* level) {
    if (std::fprintf(stream, "/%u\n.%f\n%%%f\n^%f\n", static_cast<unsigned>(level->flags),
                     static_cast<double>(level->parTime), static_cast<double>(level->startFuel),
                     static_cast<double>(level->startRotation)) < 0) {
        return false;
    }
    if (level->objects) {
        for (uint64_t i = 0; i < level->objectCapacity; ++i) {
            const LevelObject* entry = level->objects[i];
            if (entry && !WriteObjectLine(stream, KindChar(entry->kind), entry->object)) {
                return false;
            }
        }
    }
    if (level->goal && !WriteObjectLine(stream, 'E', level->goal->object)) return false;
    if (level->texts) {
        for (uint64_t i = 0; i < level->textCapacity; ++i) {
            if (level->texts[i] && !WriteTextLine(stream, level->texts[i])) return false;
        }
    }
    return true;
}

}  // namespace

int WriteLevelFile(const char* path, const Level* level) {
    SafeFile file;
    const int openError = SafeFile_Open(&file, path);
    if (openError) return openError;
    errno = 0;
    if (!WriteLines(file.stream, level)) {
        const int writeError = errno ? errno : EIO;
        SafeFile_Abandon(&file);
        return writeError;
    }
    return SafeFile_Commit(&file);
}
