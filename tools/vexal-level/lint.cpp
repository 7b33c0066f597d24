// vexal-level lint: points out, line by line, what the level reader would
// quietly skip, cut or fill in, so that authors see it before players do.
#include <cstdarg>
#include <cstring>

#include "app/text_file.h"
#include "level/level.h"
#include "level/level_line.h"
#include "tool.h"

namespace {

struct LintState {
    long lineNumber;
    long goalLine;    // 0 until the first goal
    int objectLines;  // as the reader counts them, ignored goals included
    int texts;
    int problems;
};

void Report(LintState* state, const char* format, ...) __attribute__((format(printf, 2, 3)));

void Report(LintState* state, const char* format, ...) {
    std::printf("line %ld: ", state->lineNumber);
    va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::putchar('\n');
    state->problems += 1;
}

bool IsBlank(const char* line) { return line[0] == '\0'; }

// Tokens between '$' signs, found the way the game expands them.
void CheckPlaceholders(const char* text, LintState* state) {
    const char* dollar = std::strchr(text, '$');
    while (dollar) {
        const char* token = dollar + 1;
        const char* close = std::strchr(token, '$');
        const size_t length = close ? static_cast<size_t>(close - token) : std::strlen(token);
        if (KeyPlaceholderAction(token, length) < 0) {
            const int shown = length > 40 ? 40 : static_cast<int>(length);
            Report(state, "unknown placeholder $%.*s%s%s vanishes from the text", shown, token,
                   length > 40 ? "..." : "", close ? "$" : "");
        }
        dollar = close ? std::strchr(close + 1, '$') : nullptr;
    }
}

void CheckSetting(const char* line, LintState* state) {
    uint32_t flags = 0;
    float number = 0.0f;
    const bool read = line[0] == '/' ? LevelLine_ParseUnsigned(line, &flags)
                                     : LevelLine_ParseFloat(line, &number);
    if (!read) Report(state, "no readable number after '%c'; the setting keeps its value", line[0]);
}

void CheckRecord(const char* line, LintState* state) {
    float numbers[LEVEL_LINE_NUMBERS] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    size_t consumed = 0;
    const int count = LevelLine_ParseNumbers(line, numbers, &consumed);

    if (line[0] != 'T' && state->objectLines >= LEVEL_OBJECT_SLOTS &&
        (line[0] != 'E' || state->goalLine)) {
        Report(state, "object ignored: the level already has %d object lines", LEVEL_OBJECT_SLOTS);
        return;
    }
    if (line[0] == 'T' && state->texts >= LEVEL_TEXT_SLOTS) {
        Report(state, "text ignored: a level holds at most %d texts", LEVEL_TEXT_SLOTS);
        return;
    }
    if (count < LEVEL_LINE_NUMBERS) {
        Report(state, "only %d of %d numbers readable; the rest are taken from the line before",
               count, LEVEL_LINE_NUMBERS);
    }
    if (line[0] == 'T') {
        state->texts += 1;
        char text[LEVEL_TEXT_MAX + 1];
        if (LevelLine_Text(line, consumed, text)) {
            Report(state, "text cut to %d characters", LEVEL_TEXT_MAX);
        }
        CheckPlaceholders(text, state);
        return;
    }

    const char* rest = line + consumed;
    if (count == LEVEL_LINE_NUMBERS && !IsBlank(rest)) {
        Report(state, "characters after the fifth number are ignored");
    }
    if (line[0] == 'E') {
        if (state->goalLine) {
            Report(state, "extra goal ignored; the level's goal is on line %ld", state->goalLine);
        } else {
            state->goalLine = state->lineNumber;
        }
    }
    if (state->objectLines < LEVEL_OBJECT_SLOTS) state->objectLines += 1;
}

// What the reader does not see of a line: past LEVEL_LINE_BUFFER - 1 bytes,
// and past a NUL byte.
void CheckLength(const char* line, size_t length, bool cut, LintState* state) {
    if (cut) {
        Report(state, "line longer than %d bytes; the rest of it is ignored",
               LEVEL_LINE_BUFFER - 1);
    }
    if (std::strlen(line) < length)
        Report(state, "a NUL byte ends the line early; the rest is ignored");
}

void CheckLine(const char* line, LintState* state) {
    const char type = line[0];
    if (type == '/' || type == '.' || type == '%' || type == '^') {
        CheckSetting(line, state);
    } else if (type == 'T' || KindFromChar(type) != KIND_NONE) {
        CheckRecord(line, state);
    } else if (IsBlank(line)) {
        Report(state, "blank line ignored");
    } else if (type > ' ' && type < 0x7F) {
        Report(state, "line ignored: '%c' does not start a level record", type);
    } else {
        Report(state, "line ignored: byte 0x%02x does not start a level record",
               static_cast<unsigned char>(type));
    }
}

}  // namespace

int Lint_Run(int argc, char** argv) {
    if (argc != 1) return Tool_UsageError("lint reads one file", "lint FILE");
    const char* path = argv[0];
    // Read exactly as the game reads levels: the same size limit, the same
    // line ends, the same cut of over-long lines.
    TextFile file;
    const int openError = TextFile_Open(&file, path, LEVEL_FILE_MAX_BYTES);
    if (openError) {
        Tool_ReportFileError("read", path, openError);
        return EXIT_PROBLEM;
    }

    LintState state = {0, 0, 0, 0, 0};
    char line[LEVEL_LINE_BUFFER];
    size_t length = 0;
    bool cut = false;
    while (TextFile_ReadLine(&file, line, sizeof line, &length, &cut)) {
        state.lineNumber += 1;
        CheckLength(line, length, cut, &state);
        CheckLine(line, &state);
    }
    const int readError = TextFile_Close(&file);
    if (readError) {
        Tool_ReportFileError("read", path, readError);
        return EXIT_PROBLEM;
    }

    if (!state.goalLine) {
        std::printf("end of file: no goal ('E' line); the level has no end point\n");
        state.problems += 1;
    }
    return state.problems ? EXIT_PROBLEM : EXIT_OK;
}
