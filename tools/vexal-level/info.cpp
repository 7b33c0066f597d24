// vexal-level info: a level file as the game reads it, printed as JSON.
#include <cstdlib>
#include <cstring>

#include "app/config.h"
#include "level/level.h"
#include "tool.h"

namespace {

const char* const usage = "info [--scheme N] FILE";

void WriteField(FILE* out, const char* name, float value) {
    std::fprintf(out, ", \"%s\": ", name);
    Json_WriteNumber(out, value);
}

// The object's fields; the first comes right after `{` when `opensRecord`.
void WriteObject(FILE* out, const GameObject* object, bool opensRecord) {
    std::fputs(opensRecord ? "\"x\": " : ", \"x\": ", out);
    Json_WriteNumber(out, object->position.x);
    WriteField(out, "y", object->position.y);
    WriteField(out, "rotation", object->rotation);
    WriteField(out, "w", object->size.x);
    WriteField(out, "h", object->size.y);
}

void WriteLevel(FILE* out, const Level* level, int result) {
    std::fprintf(out, "{\"result\": %d, \"flags\": %u", result,
                 static_cast<unsigned>(level->flags));
    WriteField(out, "parTime", level->parTime);
    WriteField(out, "startFuel", level->startFuel);
    WriteField(out, "startRotation", level->startRotation);

    const float bounds[4] = {level->bounds.minX, level->bounds.minY, level->bounds.maxX,
                             level->bounds.maxY};
    std::fputs(", \"bounds\": [", out);
    for (int i = 0; i < 4; ++i) {
        if (i) std::fputs(", ", out);
        Json_WriteNumber(out, bounds[i]);
    }

    std::fputs("], \"objects\": [", out);
    bool first = true;
    for (uint64_t i = 0; level->objects && i < level->objectCapacity; ++i) {
        const LevelObject* entry = level->objects[i];
        if (!entry) continue;
        std::fprintf(out, "%s{\"slot\": %llu, \"kind\": \"%c\"", first ? "" : ", ",
                     static_cast<unsigned long long>(i), KindChar(entry->kind));
        WriteObject(out, entry->object, false);
        std::fputc('}', out);
        first = false;
    }

    std::fputs("], \"goal\": ", out);
    if (level->goal) {
        std::fputc('{', out);
        WriteObject(out, level->goal->object, true);
        std::fputc('}', out);
    } else {
        std::fputs("null", out);
    }

    std::fputs(", \"texts\": [", out);
    first = true;
    for (uint64_t i = 0; level->texts && i < level->textCapacity; ++i) {
        const TextObject* text = level->texts[i];
        if (!text) continue;
        std::fprintf(out, "%s{\"slot\": %llu", first ? "" : ", ",
                     static_cast<unsigned long long>(i));
        WriteField(out, "x", text->position.x);
        WriteField(out, "y", text->position.y);
        WriteField(out, "rotation", text->rotation);
        WriteField(out, "width", text->width);
        WriteField(out, "textSize", text->textSize);
        std::fputs(", \"text\": ", out);
        Json_WriteString(out, text->text ? text->text : "");
        std::fputc('}', out);
        first = false;
    }
    std::fputs("]}\n", out);
}

// Reads "N" as a control scheme number.
bool ParseScheme(const char* text, int* scheme) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end || value < 0 || value >= CONTROL_SCHEME_COUNT) return false;
    *scheme = static_cast<int>(value);
    return true;
}

}  // namespace

int Info_Run(int argc, char** argv) {
    bool substitute = false;
    const char* path = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--scheme")) {
            if (i + 1 >= argc || !ParseScheme(argv[i + 1], &userConfig.controlScheme)) {
                return Tool_UsageError("--scheme needs a control scheme number from 0 to 3", usage);
            }
            substitute = true;
            ++i;
        } else if (path) {
            return Tool_UsageError("info reads one file", usage);
        } else {
            path = argv[i];
        }
    }
    if (!path) return Tool_UsageError("info needs a level file", usage);

    Level level;
    const int result = ReadLevelFile(path, &level, substitute);
    WriteLevel(stdout, &level, result);
    FreeLevel(&level);
    if (result != 0) {
        Tool_ReportFileError("read", path, result);
        return EXIT_PROBLEM;
    }
    return EXIT_OK;
}
