// Reading, ranking and writing the top-ten table in score.vex.
#include "play/score_table.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/config.h"
#include "app/safe_file.h"
#include "app/text_file.h"

ScoreEntry scoreTable[SCORE_TABLE_SIZE] = {};
char scoreText[SCORE_TEXT_SIZE] = {};

namespace {

SavePath scorePath = {{0}, false};
// Why the last load could not read score.vex, and the error standard error
// was last told about (so a lasting fault is reported once, not per victory).
int readError = 0;
int reportedError = 0;

// The table of a first victory: one score to beat, nine places to fill.
const ScoreEntry kDefaultTable[SCORE_TABLE_SIZE] = {
    {"Tansy", 27095}, {"0", 0}, {"0", 0}, {"0", 0}, {"0", 0},
    {"0", 0},         {"0", 0}, {"0", 0}, {"0", 0}, {"0", 0},
};

bool HigherFirst(const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; }

bool StartsWithByteOrderMark(const char* name) {
    const unsigned char* n = reinterpret_cast<const unsigned char*>(name);
    return (n[0] == 0xEF && n[1] == 0xBB && n[2] == 0xBF) || (n[0] == 0xFF && n[1] == 0xFE) ||
           (n[0] == 0xFE && n[1] == 0xFF);
}

// The lines of score.vex for `table`; cut short (never overrun) if `size`
// is too small, which SCORE_TEXT_SIZE is not.
void FormatTable(const ScoreEntry* table, char* out, size_t size) {
    size_t used = 0;
    out[0] = '\0';
    for (int i = 0; i < SCORE_TABLE_SIZE; ++i) {
        const int written =
            std::snprintf(out + used, size - used, "%-10s %5d\n", table[i].name, table[i].score);
        if (written < 0 || static_cast<size_t>(written) >= size - used) break;
        used += static_cast<size_t>(written);
    }
}

// Reads the table from an existing score.vex. Returns 0 or why it could not.
int ReadTable(const char* path, ScoreEntry* table) {
    TextFile file;
    const int openError = TextFile_Open(&file, path, SCORE_FILE_MAX);
    if (openError != 0) return openError;
    std::fputs("File opened!\n", stdout);
    ScoreEntry read[SCORE_TABLE_SIZE] = {};
    int count = 0;
    char line[SCORE_LINE_SIZE];
    size_t length = 0;
    bool cut = false;
    while (count < SCORE_TABLE_SIZE && TextFile_ReadLine(&file, line, sizeof line, &length, &cut)) {
        if (!cut && ScoreTable_ParseLine(line, &read[count])) ++count;
    }
    const int error = TextFile_Close(&file);
    if (error != 0) return error;
    std::stable_sort(read, read + SCORE_TABLE_SIZE, HigherFirst);
    std::memcpy(table, read, sizeof read);
    return 0;
}

void ReportReadError(int error) {
    if (error == reportedError) return;
    reportedError = error;
    std::fprintf(stderr, "Cannot read the score file %s: %s; it is left as it is\n", scorePath.path,
                 FileError_Text(error));
}

}  // namespace

bool ScoreTable_ParseLine(const char* line, ScoreEntry* out) {
    const char* p = line;
    while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
    const char* nameStart = p;
    while (*p && !std::isspace(static_cast<unsigned char>(*p))) ++p;
    const size_t nameLength = static_cast<size_t>(p - nameStart);
    if (nameLength == 0) return false;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || value < INT_MIN || value > INT_MAX) return false;
    char name[SCORE_NAME_MAX + 2] = {};
    const size_t maxName = SCORE_NAME_MAX;
    const size_t kept = nameLength < maxName ? nameLength : maxName;
    std::memcpy(name, nameStart, kept);
    if (StartsWithByteOrderMark(name)) return false;
    std::memcpy(out->name, name, sizeof name);
    out->score = static_cast<int>(value);
    return true;
}

void ScoreTable_Load(void) {
    readError = 0;
    ScoreEntry table[SCORE_TABLE_SIZE];
    std::memcpy(table, kDefaultTable, sizeof table);
    // Without a save folder there is no file to read or protect: the game
    // plays on the default table and saving says why it fails.
    if (SavePath_Ensure(&scorePath, "score.vex")) {
        int error = File_Exists(scorePath.path);
        if (error == ENOENT) {
            char text[SCORE_TEXT_SIZE];
            FormatTable(kDefaultTable, text, sizeof text);
            // Only a file that is not there is ever created; when even that
            // fails, the default table stands in memory.
            if (WriteFileSafely(scorePath.path, text, std::strlen(text)) != 0) {
                std::memcpy(scoreTable, kDefaultTable, sizeof scoreTable);
                return;
            }
            error = 0;
        }
        if (error == 0) error = ReadTable(scorePath.path, table);
        if (error != 0) {
            readError = error;
            ReportReadError(error);
            std::memcpy(table, kDefaultTable, sizeof table);
        } else {
            reportedError = 0;
        }
    }
    std::memcpy(scoreTable, table, sizeof scoreTable);
}

int ScoreTable_ReadError(void) { return readError; }

bool ScoreTable_Qualifies(int total) { return total >= scoreTable[SCORE_TABLE_SIZE - 1].score; }

void ScoreTable_CleanName(char* name) {
    name[SCORE_NAME_MAX] = '\0';
    for (char* c = name; *c; ++c) {
        if (std::isspace(static_cast<unsigned char>(*c))) *c = '_';
    }
    if (StartsWithByteOrderMark(name)) name[0] = '_';
}

int ScoreTable_Record(ScoreEntry* entry) {
    ScoreTable_CleanName(entry->name);
    if (entry->name[0] == '\0') std::strcpy(entry->name, "Player");
    // The shown table is the one on disk until the new one is safely there.
    FormatTable(scoreTable, scoreText, sizeof scoreText);
    if (readError != 0) return readError;
    if (!SavePath_Ensure(&scorePath, "score.vex")) return ENOENT;

    // A total that reaches a score goes ahead of it: whoever ties the tenth
    // place is in the table, as the name entry promised.
    ScoreEntry ranked[SCORE_TABLE_SIZE];
    int at = 0;
    while (at < SCORE_TABLE_SIZE && scoreTable[at].score > entry->score) ++at;
    std::memcpy(ranked, scoreTable, sizeof ranked);
    if (at < SCORE_TABLE_SIZE) {
        std::memmove(ranked + at + 1, ranked + at,
                     sizeof(ScoreEntry) * static_cast<size_t>(SCORE_TABLE_SIZE - 1 - at));
        ranked[at] = *entry;
    }
    char text[SCORE_TEXT_SIZE];
    FormatTable(ranked, text, sizeof text);
    const int error = WriteFileSafely(scorePath.path, text, std::strlen(text));
    if (error != 0) return error;
    std::memcpy(scoreTable, ranked, sizeof scoreTable);
    std::memcpy(scoreText, text, sizeof scoreText);
    return 0;
}

void ScoreTable_ResetForTests(void) {
    std::memset(scoreTable, 0, sizeof scoreTable);
    std::memset(scoreText, 0, sizeof scoreText);
    scorePath = SavePath{{0}, false};
    readError = 0;
    reportedError = 0;
}
