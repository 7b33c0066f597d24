// Reading, ranking and writing the top-ten table in score.vex.
#include "play/score_table.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/config.h"
#include "app/safe_file.h"

ScoreEntry scoreTable[SCORE_TABLE_SIZE] = {};
char scoreText[SCORE_TEXT_SIZE] = {};

namespace {

SavePath scorePath = {{0}, false};

const char* const kDefaultScores =
    "Tansy      27095\n"
    "0              0\n"
    "0              0\n"
    "0              0\n"
    "0              0\n"
    "0              0\n"
    "0              0\n"
    "0              0\n"
    "0              0\n"
    "0              0\n";

bool HigherFirst(const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; }

void SortTable(ScoreEntry* entries, int count) {
    std::stable_sort(entries, entries + count, HigherFirst);
}

// One "name score" line; anything else is not an entry.
bool ParseLine(const char* line, ScoreEntry* out) {
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
    const size_t maxName = SCORE_NAME_MAX;
    const size_t kept = nameLength < maxName ? nameLength : maxName;
    std::memcpy(out->name, nameStart, kept);
    out->name[kept] = '\0';
    out->score = static_cast<int>(value);
    return true;
}

// Reads one whole line, however long.
bool ReadLine(FILE* file, std::string* line) {
    line->clear();
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(file)) != EOF) {
        any = true;
        if (c == '\n') break;
        line->push_back(static_cast<char>(c));
    }
    return any;
}

void FormatTable(char* out, size_t size) {
    size_t used = 0;
    out[0] = '\0';
    for (const ScoreEntry& entry : scoreTable) {
        const int written =
            std::snprintf(out + used, size - used, "%-10s %5d\n", entry.name, entry.score);
        if (written < 0 || static_cast<size_t>(written) >= size - used) break;
        used += static_cast<size_t>(written);
    }
}

}  // namespace

void ScoreTable_Load(void) {
    if (!SavePath_Ensure(&scorePath, "score.vex")) return;
    FILE* file = std::fopen(scorePath.path, "r");
    if (!file) {
        if (errno != ENOENT) return;
        if (WriteFileSafely(scorePath.path, kDefaultScores, std::strlen(kDefaultScores)) != 0) {
            return;
        }
        file = std::fopen(scorePath.path, "r");
        if (!file) return;
    }
    std::fputs("File opened!\n", stdout);
    ScoreEntry read[SCORE_TABLE_SIZE] = {};
    int count = 0;
    std::string line;
    while (count < SCORE_TABLE_SIZE && ReadLine(file, &line)) {
        if (ParseLine(line.c_str(), &read[count])) ++count;
    }
    std::fclose(file);
    std::memcpy(scoreTable, read, sizeof scoreTable);
    SortTable(scoreTable, SCORE_TABLE_SIZE);
}

bool ScoreTable_Qualifies(int total) { return total >= scoreTable[SCORE_TABLE_SIZE - 1].score; }

void ScoreTable_CleanName(char* name) {
    name[SCORE_NAME_MAX] = '\0';
    for (char* c = name; *c; ++c) {
        if (std::isspace(static_cast<unsigned char>(*c))) *c = '_';
    }
}

void ScoreTable_Record(ScoreEntry* entry) {
    scoreText[0] = '\0';
    ScoreTable_CleanName(entry->name);
    if (entry->name[0] == '\0') std::strcpy(entry->name, "Player");
    ScoreEntry all[SCORE_TABLE_SIZE + 1];
    std::memcpy(all, scoreTable, sizeof scoreTable);
    all[SCORE_TABLE_SIZE] = *entry;
    SortTable(all, SCORE_TABLE_SIZE + 1);
    std::memcpy(scoreTable, all, sizeof scoreTable);
    FormatTable(scoreText, sizeof scoreText);
    if (SavePath_Ensure(&scorePath, "score.vex")) {
        // A failed write leaves the old file as it was.
        WriteFileSafely(scorePath.path, scoreText, std::strlen(scoreText));
    }
}

void ScoreTable_ResetForTests(void) {
    std::memset(scoreTable, 0, sizeof scoreTable);
    std::memset(scoreText, 0, sizeof scoreText);
    scorePath = SavePath{{0}, false};
}
